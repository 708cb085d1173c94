// The memory host and the recording of a run as JSON.
#include "host/recording/Recording.h"

#include <gtest/gtest.h>

#include "host/HostClasses.h"
#include "host/memory/MemoryHost.h"

namespace qzdbs {
namespace {

struct SmallRun {
  std::shared_ptr<MemoryComponent> component = MemoryComponent::Make();
  std::shared_ptr<MemoryObject> sessionObject = component->NewObject("QZdbSPart");

  SmallRun() {
    QZdbSPart session(sessionObject);
    session.PartName("六角头螺栓");
    session.BasePoint({1, 2, 0});
    auto properties = CreateHostObject<DbDictionary>(*component);
    properties.Add("8.8", "性能等级");
    session.PartProperties(properties);
    auto view = CreateHostObject<DbView>(*component);
    view.Name("PartView1");
    view.BasePoint({0, 0, 0});
    auto line = CreateHostObject<DbLine>(*component);
    line.StartPoint({0, 0, 0});
    line.EndPoint({10, 0.5, 0});
    line.LayerName("轮廓线");
    line.Visible(true);
    view.AddEntity("X1", line);
    auto group = CreateHostObject<DbGroup>(*component);
    group.AddEntityID(3);
    group.ClearEntityIDs();
    group.AddEntityID(4);
    view.AddEntity("X2", group);
    session.AddView(view);
    session.UpdatePart();
  }
};

TEST(MemoryHost, KeepsViewsEntitiesListsAndProperties) {
  SmallRun run;
  ASSERT_EQ(run.sessionObject->Views().size(), 1u);
  const auto& view = *run.sessionObject->Views()[0];
  ASSERT_EQ(view.Entities().size(), 2u);
  EXPECT_EQ(view.Entities()[0].key, "X1");
  EXPECT_EQ(HostValueAs<Point3>(view.Entities()[0].object->Get("EndPoint")), (Point3{10, 0.5, 0}));
  auto ids = view.Entities()[1].object->List("AddEntityID");
  ASSERT_EQ(ids.size(), 1u);
  EXPECT_EQ(HostValueAs<int32_t>(ids[0]), 4);
}

TEST(MemoryHost, DictionaryWalk) {
  auto component = MemoryComponent::Make();
  DbDictionary dictionary = CreateHostObject<DbDictionary>(*component);
  dictionary.Add("12", "d");
  dictionary.Add("M12", "Thread");
  dictionary.Reset();
  std::string name, value;
  ASSERT_TRUE(dictionary.GetNext(name, value));
  EXPECT_EQ(name, "d");
  EXPECT_EQ(value, "12");
  ASSERT_TRUE(dictionary.GetNext(name, value));
  EXPECT_FALSE(dictionary.GetNext(name, value));
  dictionary.Clear();
  dictionary.Reset();
  EXPECT_FALSE(dictionary.GetNext(name, value));
}

TEST(MemoryHost, ForeignObjectsAreRefused) {
  auto component = MemoryComponent::Make();
  auto view = CreateHostObject<DbView>(*component);
  EXPECT_THROW(view.AddEntity("X1", HostHandle()), HostError);
}

TEST(Recording, RecordsEventsInOrderAndRoundTripsThroughJson) {
  SmallRun run;
  RecordingMessageService messages;
  messages.Show({"警告文字", MsgIcon::Critical, "函数->OutputEntLine:", MsgButtons::OK});
  Recording recording = Recording::Of(*run.sessionObject, messages.Boxes());

  ASSERT_EQ(recording.session.size(), 5u);
  EXPECT_EQ(Describe(recording.session[0]), "set PartName \"六角头螺栓\"");
  EXPECT_EQ(Describe(recording.session[1]), "set BasePoint [1.0,2.0,0.0]");
  EXPECT_EQ(recording.session[2].value["class"], "DbDictionary");
  EXPECT_EQ(Describe(recording.session[3]), "call AddView {\"view\":1}");
  EXPECT_EQ(Describe(recording.session[4]), "call UpdatePart null");
  ASSERT_EQ(recording.views.size(), 1u);
  const RecordedView& view = recording.views[0];
  ASSERT_EQ(view.objects.size(), 2u);
  EXPECT_EQ(view.objects[0].className, "DbLine");
  std::vector<std::string> lineEvents;
  for (const auto& e : view.objects[0].events)
    lineEvents.push_back(Describe(e));
  EXPECT_EQ(lineEvents,
            (std::vector<std::string>{"set StartPoint [0.0,0.0,0.0]", "set EndPoint [10.0,0.5,0.0]",
                                      "set LayerName \"轮廓线\"", "set Visible true"}));
  EXPECT_EQ(Describe(view.events.back()), "call AddEntity [\"X2\",{\"object\":\"DbGroup\"}]");

  std::string text = recording.ToJson().dump(2);
  Recording back = Recording::FromJson(nlohmann::json::parse(text));
  EXPECT_EQ(back, recording);
  ASSERT_EQ(back.messages.size(), 1u);
  EXPECT_EQ(back.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(back.ToJson(), recording.ToJson());
}

TEST(Recording, MalformedJsonIsRejected) {
  EXPECT_THROW(Recording::FromJson(nlohmann::json::parse(R"({"session":{}})")),
               nlohmann::json::exception);
}

}  // namespace
}  // namespace qzdbs
