// The engine-wide computation state of the current thread: the family
// collections with their pending lists, the chosen views, the layers, the
// entity list of the view being drawn, the definition reader and the formula
// parser. Each collection exists from first use until it is released.
#pragma once

#include <cstdint>
#include <memory>

#include "base/OrderedMap.h"
#include "host/HostClasses.h"
#include "state/colCompute.h"

namespace qzdbs {

class colPartView;
class colEntityList;
class clsPartComputeDB;
class FormulaParser;

// What one part's formulas may compute in all: 1 MiB per text is the
// formulas' own bound, this one stops thousands of such texts.
inline constexpr size_t kMaxPartTextBytes = size_t{64} << 20;

struct ComputeState {
  std::shared_ptr<colCompute> DesignParas;  // family "O"
  std::shared_ptr<colCompute> StructParas;  // family "S"
  std::shared_ptr<colCompute> StructPending;
  std::shared_ptr<colCompute> Properties;  // family "T"
  std::shared_ptr<colCompute> PropertiesPending;
  std::shared_ptr<colCompute> Points;  // family "P"
  std::shared_ptr<colCompute> PointsPending;
  int32_t PassLimit = 0;
  // Bytes of the texts the part's formulas computed, against kMaxPartTextBytes.
  size_t TextBytes = 0;

  std::shared_ptr<colPartView> Views;
  std::shared_ptr<OrderedMap<std::string>> Layers;  // "X" & LayerID -> layer name
  std::shared_ptr<colEntityList> Entities;
  std::shared_ptr<clsPartComputeDB> ComputeDB;
  std::shared_ptr<FormulaParser> Parser;

  DbView CurrentView;    // the host view being filled by the drawing pass
  Point3 PointBuffer{};  // the last point looked up by GetPointCoord
};

// This thread's computation state.
ComputeState& Compute();

// The collection, created empty on first use.
colCompute& Ensure(std::shared_ptr<colCompute>& collection);

}  // namespace qzdbs
