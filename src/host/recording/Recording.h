// What a run handed the host, as plain data: the session's events, each view
// with its events and its objects in the order they were added, and the
// message boxes shown. Written and read as JSON (format in the README), so
// that tests and the command line speak about a run in one form.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/MessageService.h"

namespace qzdbs {

class MemoryObject;

struct RecordedEvent {
  std::string op;  // "set" or "call"
  std::string member;
  nlohmann::json value;  // set value; call arguments: null, one value, or an array
  bool operator==(const RecordedEvent&) const = default;
};

struct RecordedObject {
  std::string key;  // "X" & sequence in its view
  std::string className;
  std::vector<RecordedEvent> events;
  bool operator==(const RecordedObject&) const = default;
};

struct RecordedView {
  std::string className;
  std::vector<RecordedEvent> events;
  std::vector<RecordedObject> objects;
  bool operator==(const RecordedView&) const = default;
};

struct Recording {
  std::string sessionClass;
  std::vector<RecordedEvent> session;
  std::vector<RecordedView> views;
  std::vector<MessageBoxRecord> messages;

  // Reads what a memory host's session received.
  static Recording Of(const MemoryObject& session, const std::vector<MessageBoxRecord>& messages);

  nlohmann::json ToJson() const;
  static Recording FromJson(const nlohmann::json& json);  // throws nlohmann::json::exception

  bool operator==(const Recording& other) const;
};

// One event as a short line for test messages: "set StartPoint [0,0,0]".
std::string Describe(const RecordedEvent& event);

}  // namespace qzdbs
