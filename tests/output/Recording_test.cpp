// The memory host and the recording of a run as JSON.
#include "host/recording/Recording.h"

#include <gtest/gtest.h>

#include "host/HostClasses.h"
#include "host/memory/MemoryHost.h"

namespace qzdbs {
namespace {

TEST(Recording, KeepsWhatTheHostReceivedInOrderAndRoundTripsThroughJson) {
  auto component = MemoryComponent::Make();
  auto sessionObject = component->NewObject("QZdbSPart");
  QZdbSPart session(sessionObject);
  session.PartName("六角头螺栓");
  session.BasePoint({1, 2, 0});
  auto properties = CreateHostObject<DbDictionary>(*component);
  properties.Add("8.8", "性能等级");
  session.PartProperties(properties);
  auto view = CreateHostObject<DbView>(*component);
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

  const auto ids = sessionObject->Views().at(0)->Entities().at(1).object->List("AddEntityID");
  ASSERT_EQ(ids.size(), 1u);
  EXPECT_EQ(HostValueAs<int32_t>(ids[0]), 4);
  RecordingMessageService messages;
  messages.Show({"警告文字", MsgIcon::Critical, "函数->OutputEntLine:", MsgButtons::OK});
  const Recording recording = Recording::Of(*sessionObject, messages.Boxes());
  std::vector<std::string> lines;
  for (const auto& e : recording.session)
    lines.push_back(Describe(e));
  ASSERT_EQ(recording.views.size(), 1u);
  ASSERT_EQ(recording.views[0].objects.size(), 2u);
  EXPECT_EQ(recording.views[0].objects[0].className, "DbLine");
  for (const auto& e : recording.views[0].objects[0].events)
    lines.push_back(Describe(e));
  lines.push_back(Describe(recording.views[0].events.back()));
  EXPECT_EQ(
      lines,
      (std::vector<std::string>{
          "set PartName \"六角头螺栓\"", "set BasePoint [1.0,2.0,0.0]",
          R"(set PartProperties {"class":"DbDictionary","events":[{"member":"Add","op":"call","value":["8.8","性能等级"]}]})",
          "call AddView {\"view\":1}", "call UpdatePart null", "set StartPoint [0.0,0.0,0.0]",
          "set EndPoint [10.0,0.5,0.0]", "set LayerName \"轮廓线\"", "set Visible true",
          "call AddEntity [\"X2\",{\"object\":\"DbGroup\"}]"}));

  const Recording back = Recording::FromJson(nlohmann::json::parse(recording.ToJson().dump(2)));
  EXPECT_EQ(back, recording);
  ASSERT_EQ(back.messages.size(), 1u);
  EXPECT_EQ(back.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(back.ToJson(), recording.ToJson());
  EXPECT_THROW(view.AddEntity("X3", HostHandle()), HostError) << "a foreign object";
  EXPECT_THROW(Recording::FromJson(nlohmann::json::parse(R"({"session":{}})")),
               nlohmann::json::exception);
}

TEST(MemoryHost, DictionaryWalk) {
  auto component = MemoryComponent::Make();
  DbDictionary dictionary = CreateHostObject<DbDictionary>(*component);
  dictionary.Add("12", "d");
  dictionary.Add("M12", "Thread");
  dictionary.Reset();
  std::string name, value;
  ASSERT_TRUE(dictionary.GetNext(name, value));
  EXPECT_EQ(name + "=" + value, "d=12");
  ASSERT_TRUE(dictionary.GetNext(name, value));
  EXPECT_FALSE(dictionary.GetNext(name, value));
  dictionary.Clear();
  dictionary.Reset();
  EXPECT_FALSE(dictionary.GetNext(name, value));
}

}  // namespace
}  // namespace qzdbs
