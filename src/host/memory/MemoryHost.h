// A host that keeps everything it receives: every object remembers the
// members set on it (latest value), its ordered log of sets and calls, the
// views and entities added to it, its dictionary entries and its identifier
// lists. The recording host and the drawing server both build on it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/OrderedMap.h"
#include "host/HostObject.h"

namespace qzdbs {

class MemoryObject;

struct HostEvent {
  enum class Op { Set, Call };
  Op op = Op::Set;
  std::string member;
  std::vector<HostValue> args;  // the set value, or the call's arguments as passed
};

class MemoryComponent : public HostComponent, public std::enable_shared_from_this<MemoryComponent> {
 public:
  static std::shared_ptr<MemoryComponent> Make() { return std::make_shared<MemoryComponent>(); }
  std::shared_ptr<HostObject> CreateObject(std::string_view className) override;
  // A new object of the class, seen as what it is.
  std::shared_ptr<MemoryObject> NewObject(std::string_view className);
};

class MemoryObject : public HostObject {
 public:
  struct Child {
    std::string key;
    std::shared_ptr<MemoryObject> object;
  };

  // Room for the members an entity usually gets, so that a drawing's
  // hundreds of objects do not grow their lists step by step.
  MemoryObject(std::string className, std::shared_ptr<HostComponent> component)
      : className_(std::move(className)), component_(std::move(component)) {
    constexpr size_t kUsualMembers = 16;
    events_.reserve(kUsualMembers);
    properties_.Reserve(kUsualMembers);
  }

  const std::string& ClassName() const override { return className_; }
  void Set(std::string_view member, HostValue value) override;
  HostValue Get(std::string_view member) const override;
  void Call(std::string_view member, std::vector<HostValue>& args) override;
  std::shared_ptr<HostComponent> Component() const override { return component_; }

  // Gives a member a value without logging it: what the host itself holds
  // before the engine reads it (IsEditing, DrawScale, ...).
  void Preset(std::string_view member, HostValue value);

  const std::vector<HostEvent>& Events() const { return events_; }
  const OrderedMap<HostValue>& Properties() const { return properties_; }
  const std::vector<std::shared_ptr<MemoryObject>>& Views() const { return views_; }
  const std::vector<Child>& Entities() const { return entities_; }
  // Dictionary entries as (name, value), in the order they were added.
  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }
  // The values passed to an "Add..." member since its last clear ("AddVertex",
  // "AddEntityID", "AddOuterLoopEntity", ...).
  std::vector<HostValue> List(std::string_view addMember) const;

 private:
  std::string className_;
  std::shared_ptr<HostComponent> component_;
  std::vector<HostEvent> events_;
  OrderedMap<HostValue> properties_;
  std::vector<std::shared_ptr<MemoryObject>> views_;
  std::vector<Child> entities_;
  std::vector<std::pair<std::string, std::string>> entries_;
  size_t cursor_ = 0;
  OrderedMap<std::vector<HostValue>> lists_;
};

}  // namespace qzdbs
