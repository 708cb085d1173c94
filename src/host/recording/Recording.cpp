#include "host/recording/Recording.h"

#include <algorithm>

#include "host/memory/MemoryHost.h"

namespace qzdbs {

using nlohmann::json;

namespace {

json EventsJson(const MemoryObject& object);

// Views and entities are listed in their own places; an argument that names
// one of them refers to it. Any other object (a dictionary) is written inline.
struct ObjectRefs {
  const std::vector<std::shared_ptr<MemoryObject>>* views = nullptr;
};

json ValueJson(const HostValue& value, const std::string& member, const ObjectRefs& refs) {
  return std::visit(
      [&](const auto& v) -> json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return nullptr;
        } else if constexpr (std::is_same_v<T, Point3>) {
          return json::array({v[0], v[1], v[2]});
        } else if constexpr (std::is_same_v<T, std::shared_ptr<HostObject>>) {
          auto object = std::dynamic_pointer_cast<MemoryObject>(v);
          if (!object) return nullptr;
          if (member == "AddView" && refs.views) {
            auto at = std::find(refs.views->begin(), refs.views->end(), object);
            return json{{"view", at - refs.views->begin() + 1}};
          }
          if (member == "AddEntity") return json{{"object", object->ClassName()}};
          return json{{"class", object->ClassName()}, {"events", EventsJson(*object)}};
        } else {
          return v;
        }
      },
      value);
}

json EventsJsonWith(const MemoryObject& object, const ObjectRefs& refs) {
  json events = json::array();
  for (const HostEvent& event : object.Events()) {
    json value;
    if (event.op == HostEvent::Op::Set || event.args.size() == 1) {
      value = event.args.empty() ? json() : ValueJson(event.args[0], event.member, refs);
    } else if (!event.args.empty()) {
      value = json::array();
      for (const HostValue& arg : event.args)
        value.push_back(ValueJson(arg, event.member, refs));
    }
    events.push_back({{"op", event.op == HostEvent::Op::Set ? "set" : "call"},
                      {"member", event.member},
                      {"value", value}});
  }
  return events;
}

json EventsJson(const MemoryObject& object) {
  return EventsJsonWith(object, ObjectRefs{});
}

std::vector<RecordedEvent> EventsFromJson(const json& events) {
  std::vector<RecordedEvent> out;
  for (const json& e : events) {
    out.push_back(RecordedEvent{e.at("op").get<std::string>(), e.at("member").get<std::string>(),
                                e.at("value")});
  }
  return out;
}

json EventsToJson(const std::vector<RecordedEvent>& events) {
  json out = json::array();
  for (const RecordedEvent& e : events) {
    out.push_back({{"op", e.op}, {"member", e.member}, {"value", e.value}});
  }
  return out;
}

}  // namespace

Recording Recording::Of(const MemoryObject& session,
                        const std::vector<MessageBoxRecord>& messages) {
  Recording recording;
  recording.sessionClass = session.ClassName();
  recording.session = EventsFromJson(EventsJsonWith(session, ObjectRefs{&session.Views()}));
  for (const auto& view : session.Views()) {
    RecordedView recorded{view->ClassName(), EventsFromJson(EventsJson(*view)), {}};
    for (const auto& child : view->Entities()) {
      recorded.objects.push_back(RecordedObject{child.key, child.object->ClassName(),
                                                EventsFromJson(EventsJson(*child.object))});
    }
    recording.views.push_back(std::move(recorded));
  }
  recording.messages = messages;
  return recording;
}

json Recording::ToJson() const {
  json views_json = json::array();
  for (const RecordedView& view : views) {
    json objects = json::array();
    for (const RecordedObject& object : view.objects) {
      objects.push_back({{"key", object.key},
                         {"class", object.className},
                         {"events", EventsToJson(object.events)}});
    }
    views_json.push_back(
        {{"class", view.className}, {"events", EventsToJson(view.events)}, {"objects", objects}});
  }
  json messages_json = json::array();
  for (const MessageBoxRecord& box : messages) {
    messages_json.push_back(
        {{"text", box.text}, {"icon", IconName(box.icon)}, {"title", box.title}});
  }
  return json{{"session", {{"class", sessionClass}, {"events", EventsToJson(session)}}},
              {"views", views_json},
              {"messages", messages_json}};
}

Recording Recording::FromJson(const json& in) {
  Recording recording;
  recording.sessionClass = in.at("session").at("class").get<std::string>();
  recording.session = EventsFromJson(in.at("session").at("events"));
  for (const json& view : in.at("views")) {
    RecordedView recorded{
        view.at("class").get<std::string>(), EventsFromJson(view.at("events")), {}};
    for (const json& object : view.at("objects")) {
      recorded.objects.push_back(RecordedObject{object.at("key").get<std::string>(),
                                                object.at("class").get<std::string>(),
                                                EventsFromJson(object.at("events"))});
    }
    recording.views.push_back(std::move(recorded));
  }
  for (const json& box : in.at("messages")) {
    recording.messages.push_back(MessageBoxRecord{box.at("text").get<std::string>(),
                                                  IconFromName(box.at("icon").get<std::string>()),
                                                  box.at("title").get<std::string>()});
  }
  return recording;
}

bool Recording::operator==(const Recording& other) const {
  auto sameBoxes = [](const MessageBoxRecord& a, const MessageBoxRecord& b) {
    return a.text == b.text && a.icon == b.icon && a.title == b.title;
  };
  return sessionClass == other.sessionClass && session == other.session && views == other.views &&
         std::equal(messages.begin(), messages.end(), other.messages.begin(), other.messages.end(),
                    sameBoxes);
}

std::string Describe(const RecordedEvent& event) {
  return event.op + " " + event.member + " " + event.value.dump();
}

}  // namespace qzdbs
