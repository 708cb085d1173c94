#include "output/EntityParams.h"

#include "base/EngineError.h"
#include "db/clsPartComputeDB.h"
#include "output/ValueConversions.h"
#include "state/ComputeState.h"

namespace qzdbs {

EntityParams::EntityParams(int32_t entityID, int32_t typeCode)
    : params_(std::make_shared<colCompute>()) {
  if (auto& reader = Compute().ComputeDB)
    loaded_ = reader->getEntityParaDB(entityID, typeCode, params_);
}

clsComputePtr EntityParams::Record(const std::string& key) const {
  clsComputePtr record = params_->Item(key);
  if (!record) throw EngineError("实体参数 " + key + " 不存在");
  return record;
}

bool EntityParams::Resolve(const std::string& key, const colCompute& computed,
                           std::string& value) const {
  std::string computedKey;
  if (!computed.getKey(Record(key)->TagStr, computedKey)) return false;
  clsComputePtr target = computed.Item(computedKey);
  if (!target) throw EngineError("计算结果 " + computedKey + " 不存在");
  value = target->ParaValue;
  return true;
}

std::string EntityParams::Reference(const std::string& key) const {
  std::string value;
  if (!Resolve(key, Ensure(Compute().StructParas), value)) throw EngineError::ApplicationDefined();
  return value;
}

bool EntityParams::TryPoint(const std::string& name, Point3& point) const {
  const colCompute& points = Ensure(Compute().Points);
  const char* axes[] = {".X", ".Y", ".Z"};
  for (int axis = 0; axis < 3; ++axis) {
    std::string value;
    if (!Resolve(name + axes[axis], points, value)) return false;
    point[axis] = ToReal(value);
  }
  return true;
}

Point3 EntityParams::Point(const std::string& name) const {
  Point3 point{};
  if (!TryPoint(name, point)) throw EngineError::ApplicationDefined();
  return point;
}

std::vector<int32_t> EntityParams::EntityIDs(int32_t count) const {
  std::vector<int32_t> ids;
  for (int32_t i = 1; i <= count; ++i)
    ids.push_back(ToInt32(Literal("EntityID.E" + std::to_string(i))));
  return ids;
}

}  // namespace qzdbs
