#include "host/memory/MemoryHost.h"

#include "host/HostClasses.h"

namespace qzdbs {

namespace {

// Which list each clearing member empties.
constexpr std::pair<std::string_view, std::string_view> kClearedLists[] = {
    {"ClearEntityIDs", "AddEntityID"},
    {"ClearAttributeIDs", "AddAttributeID"},
    {"ClearInnerLoop", "AddInnerLoopEntity"},
    {"ClearOuterLoop", "AddOuterLoopEntity"},
};

std::shared_ptr<MemoryObject> AsMemoryObject(const HostValue& value, std::string_view member) {
  auto object =
      std::dynamic_pointer_cast<MemoryObject>(HostValueAs<std::shared_ptr<HostObject>>(value));
  if (!object) throw HostError(std::string(member) + ": the object does not belong to this host");
  return object;
}

void Require(const std::vector<HostValue>& args, size_t count, std::string_view member) {
  if (args.size() < count) {
    throw HostError(std::string(member) + ": expects " + std::to_string(count) + " arguments");
  }
}

}  // namespace

std::shared_ptr<HostObject> MemoryComponent::CreateObject(std::string_view className) {
  return NewObject(className);
}

std::shared_ptr<MemoryObject> MemoryComponent::NewObject(std::string_view className) {
  return std::make_shared<MemoryObject>(std::string(className), shared_from_this());
}

void MemoryObject::Set(std::string_view member, HostValue value) {
  // The log keeps a copy, the member the value itself.
  events_.push_back(HostEvent{HostEvent::Op::Set, std::string(member), {}});
  events_.back().args.push_back(value);
  Preset(member, std::move(value));
}

void MemoryObject::Preset(std::string_view member, HostValue value) {
  if (HostValue* existing = properties_.Find(member)) {
    *existing = std::move(value);
  } else {
    properties_.Insert(std::string(member), std::move(value));
  }
}

HostValue MemoryObject::Get(std::string_view member) const {
  const HostValue* value = properties_.Find(member);
  return value ? *value : HostValue{};
}

void MemoryObject::Call(std::string_view member, std::vector<HostValue>& args) {
  events_.push_back(HostEvent{HostEvent::Op::Call, std::string(member), args});
  if (member == "AddView") {
    Require(args, 1, member);
    views_.push_back(AsMemoryObject(args[0], member));
  } else if (member == "AddEntity") {
    Require(args, 2, member);
    entities_.push_back(Child{HostValueAs<std::string>(args[0]), AsMemoryObject(args[1], member)});
  } else if (member == "Add") {
    Require(args, 2, member);
    entries_.emplace_back(HostValueAs<std::string>(args[1]), HostValueAs<std::string>(args[0]));
  } else if (member == "Clear") {
    entries_.clear();
    cursor_ = 0;
  } else if (member == "Reset") {
    cursor_ = 0;
  } else if (member == "GetNext") {
    Require(args, 3, member);
    if (cursor_ < entries_.size()) {
      args[0] = entries_[cursor_].first;
      args[1] = entries_[cursor_].second;
      args[2] = true;
      ++cursor_;
    } else {
      args[2] = false;
    }
  } else if (member == "CalcTolerance") {
    if (!args.empty()) args[0] = true;
  } else if (member.starts_with("Add")) {
    Require(args, 1, member);
    if (auto* list = lists_.Find(member)) {
      list->push_back(args[0]);
    } else {
      lists_.Insert(std::string(member), {args[0]});
    }
  } else {
    for (const auto& [clear, list] : kClearedLists) {
      if (member == clear) {
        if (auto* values = lists_.Find(list)) values->clear();
      }
    }
  }
}

std::vector<HostValue> MemoryObject::List(std::string_view addMember) const {
  const auto* values = lists_.Find(addMember);
  return values ? *values : std::vector<HostValue>{};
}

}  // namespace qzdbs
