// An entity's parameters as a builder reads them: the entity's own records
// (literals, texts, entity references) and the references it makes to the
// computed points and structure parameters, resolved through their aliases.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/HostObject.h"
#include "state/colCompute.h"

namespace qzdbs {

class EntityParams {
 public:
  // Reads the entity's records of the given type; Loaded() tells whether the
  // reader succeeded.
  EntityParams(int32_t entityID, int32_t typeCode);

  bool Loaded() const { return loaded_; }
  int32_t Count() const { return params_->Count(); }
  colCompute& Collection() const { return *params_; }

  // The record under a key; a missing key is a failure.
  clsComputePtr Record(const std::string& key) const;
  std::string Literal(const std::string& key) const { return Record(key)->ParaValue; }
  // The computed structure parameter the record under key refers to.
  std::string Reference(const std::string& key) const;
  // The point named by name.X, name.Y, name.Z, each through the point collection.
  Point3 Point(const std::string& name) const;
  // As Point, but false (and no failure) when a coordinate's alias is unknown.
  bool TryPoint(const std::string& name, Point3& point) const;

  // "EntityID.E1" .. "EntityID.E<count>" as 32-bit identifiers.
  std::vector<int32_t> EntityIDs(int32_t count) const;

 private:
  bool Resolve(const std::string& key, const colCompute& computed, std::string& value) const;

  std::shared_ptr<colCompute> params_;
  bool loaded_ = false;
};

}  // namespace qzdbs
