// The attributes every host object and every drawable entity takes from its
// record, and the conversions of parameter texts that every builder uses.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "BuilderHarness.h"
#include "base/EngineError.h"
#include "output/BuilderRun.h"
#include "output/OutputCommon.h"
#include "output/ValueConversions.h"
#include "state/ComputeState.h"

namespace qzdbs::test {
namespace {

class CommonAttributesTest : public BuilderTest {
 protected:
  // Puts an object into the view, so that the recording shows it.
  static void Show(const HostHandle& object) {
    Compute().CurrentView.AddEntity("X" + std::to_string(kSequence), object);
  }
};

TEST_F(CommonAttributesTest, EntityAttributesComeFromTheRecordInOrder) {
  clsEntityList record = Entity(70, "中心线");
  record.IsAssist = true;
  record.Visible = false;
  record.IsMatchProp = false;
  record.Color = 3;
  auto line = NewHostObject<DbLine>();
  EXPECT_TRUE(OutputCommonEntity(kSequence, record, line));
  Show(line);
  auto object = Only();
  ASSERT_TRUE(object);
  EXPECT_EQ(Lines(*object),
            (std::vector<std::string>{
                "set ID 70", "set Name \"中心线\"", "set IsAssist true", "set LayerName \"轮廓线\"",
                "set Color 3", "set Visible false", "set IsMatchProp false", "set Sequence 5"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(CommonAttributesTest, ALayerMissingFromTheLayerTableFailsWithItsOwnBox) {
  auto line = NewHostObject<DbLine>();
  EXPECT_FALSE(OutputCommonEntity(kSequence, Entity(70, "中心线", /*layer=*/9), line));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "函数->OutputCommonEntity:");
  EXPECT_EQ(Boxes()[0].icon, MsgIcon::Critical);
  EXPECT_FALSE(Boxes()[0].text.empty());
  // What was set before the layer stays set: nothing is undone.
  EXPECT_EQ(line.ID(), 70);
  EXPECT_EQ(line.Sequence(), 0);
}

TEST_F(CommonAttributesTest, ObjectIdentityFailsWithoutABoxWhereEntityAttributesShowOne) {
  auto group = NewHostObject<DbGroup>();
  EXPECT_TRUE(OutputCommonObject(kSequence, Entity(71, "组"), group));
  Show(group);
  auto object = Only();
  ASSERT_TRUE(object);
  EXPECT_EQ(Lines(*object), CommonObjectLines(71, "组"));

  // A host that refuses the members (here: no object behind the handle).
  EXPECT_FALSE(OutputCommonObject(kSequence, Entity(71, "组"), DbIdentity()));
  EXPECT_TRUE(Boxes().empty());
  EXPECT_FALSE(OutputCommonEntity(kSequence, Entity(71, "组"), DbEntity()));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].title, "函数->OutputCommonEntity:");
}

// Each conversion: the text, and the value it gives or nullopt for a failure.
template <typename T>
void ExpectConversions(const std::function<T(const std::string&)>& convert,
                       const std::vector<std::pair<std::string, std::optional<T>>>& cases) {
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE("\"" + text + "\"");
    if (expected) {
      EXPECT_EQ(convert(text), *expected);
    } else {
      EXPECT_THROW(convert(text), EngineError);
    }
  }
}

TEST(ValueConversions, IntegersRoundHalvesToEvenAndRefuseWhatDoesNotFit) {
  ExpectConversions<int16_t>(ToInt16, {{"2.5", 2},
                                       {"3.5", 4},
                                       {"-2.5", -2},
                                       {"-3.5", -4},
                                       {"0.5", 0},
                                       {"2.5000001", 3},
                                       {" 7 ", 7},
                                       {"1E3", 1000},
                                       {"32767.49", 32767},
                                       {"-32768.5", -32768},
                                       {"32767.5", std::nullopt},
                                       {"-32769", std::nullopt},
                                       {"12abc", std::nullopt},
                                       {"", std::nullopt}});
  ExpectConversions<int32_t>(ToInt32, {{"4.5", 4},
                                       {"40000", 40000},
                                       {"2147483647", 2147483647},
                                       {"-2147483648.5", INT32_MIN},
                                       {"2147483647.5", std::nullopt},
                                       {"M12", std::nullopt}});
}

TEST(ValueConversions, FlagsAndTestsOfOneAndZero) {
  ExpectConversions<bool>(ToFlag, {{"0", false},
                                   {"-1", true},
                                   {"0.5", true},
                                   {"TRUE", true},
                                   {"fAlSe", false},
                                   {"yes", std::nullopt},
                                   {"", std::nullopt}});
  ExpectConversions<bool>(EqualsOne, {{"1", true},
                                      {"1.0", true},
                                      {"-1", false},
                                      {"2", false},
                                      {"1.0000001", false},
                                      {"true", std::nullopt}});
  ExpectConversions<bool>(
      NotZero,
      {{"-1", true}, {"1E-300", true}, {"0", false}, {"-0.0", false}, {"x", std::nullopt}});
  ExpectConversions<double>(ToReal, {{"1.5", 1.5}, {"-2", -2}, {"1,5", std::nullopt}});
}

}  // namespace
}  // namespace qzdbs::test
