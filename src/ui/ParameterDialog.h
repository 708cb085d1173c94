// What the two dialogs over computed parameters share: the structure
// parameters computed first, with the one message both show when that
// fails, and a collection's records listed in the order of its index.
#pragma once

#include <cstdint>
#include <functional>

#include "state/colCompute.h"
#include "ui/ModalDialog.h"

namespace qzdbs::ui {

class ParameterDialog : public ModalDialog {
 public:
  static constexpr const char* kStructureFailed = "在结构参数计算中发生错误";

 protected:
  // Computes the structure parameters; false, after the message, when they
  // cannot be computed.
  static bool ComputeStructure();

  // Each record of `records` with its position, in the order of the alias
  // index as the dialogs always listed them; an alias without a record is
  // passed over.
  static void ForEachIndexed(const colCompute& records,
                             const std::function<void(int32_t, clsCompute&)>& visit);
};

}  // namespace qzdbs::ui
