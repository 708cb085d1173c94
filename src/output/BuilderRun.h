// The frame every builder runs in: read the entity's parameters, build, and
// on any failure show the failure under the builder's name and report false.
#pragma once

#include <cstdint>
#include <string>

#include "host/HostClasses.h"
#include "output/EntityParams.h"

namespace qzdbs {

struct clsEntityList;

// Thrown by a builder body to reach its message box without a failure text.
struct SilentStop {};

// What a builder does when its entity's parameters cannot be read.
enum class WhenUnreadable { Fail, ReturnFalseQuietly };

// A builder's body: the object to add to the current host view, made from
// the entity's parameters, its sequence number in the view and its record.
using BuildBody = HostHandle (*)(const EntityParams& params, int32_t sequence,
                                 const clsEntityList& record);

// Runs `body` with the entity's parameters and adds its object to the current
// host view under "X" & sequence. The message box of a failure has the title
// "函数->" & name & ":".
bool RunBuilder(const char* name, int32_t typeCode, int32_t sequence, const clsEntityList& record,
                BuildBody body, WhenUnreadable unreadable);

// Shows a failure as a builder's critical message box.
void ShowBuilderFailure(const std::string& name, const std::string& text);

// A new host object in the session's component.
HostComponent& HostFactory();

template <typename T>
T NewHostObject() {
  return CreateHostObject<T>(HostFactory());
}

// An explicit failure when a common operation reported false.
void Require(bool ok);

}  // namespace qzdbs
