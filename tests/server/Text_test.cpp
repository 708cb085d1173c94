// Texts: UTF-8, DXF escapes and code page names, number formats and the
// composition of annotation texts.
#include <gtest/gtest.h>

#include "base/Utf8.h"
#include "server/text/AnnotationText.h"
#include "server/text/DxfText.h"
#include "server/text/TextMetrics.h"

namespace qzdbs::server {
namespace {

TEST(TextTest, DxfEscapesRoundTripEveryPlane) {
  struct Case {
    std::string utf8;
    std::string dxf;
  };
  for (const Case& c :
       {Case{"M10", "M10"}, Case{"Ø20", "\\U+00D820"}, Case{"法兰 DN50", "\\U+6CD5\\U+5170 DN50"},
        Case{"±0.1°", "\\U+00B10.1\\U+00B0"},
        // Beyond the basic plane: a surrogate pair.
        Case{"𠀀", "\\U+D840\\U+DC00"}}) {
    EXPECT_EQ(EncodeDxfText(c.utf8), c.dxf) << c.utf8;
    EXPECT_EQ(DecodeDxfText(c.dxf), c.utf8) << c.dxf;
  }
  // Something that only looks like an escape stays as it is.
  EXPECT_EQ(DecodeDxfText("\\U+12G4 \\U+"), "\\U+12G4 \\U+");
}

TEST(TextTest, NamesGoInTheGbkCodePage) {
  EXPECT_EQ(EncodeDxfName("粗实线"), "\xB4\xD6\xCA\xB5\xCF\xDF");
  EXPECT_EQ(EncodeDxfName("Layer 1"), "Layer 1");
  // No backslash in a name: what GBK lacks becomes "_".
  EXPECT_EQ(EncodeDxfName("A\u0E01B"), "A_B");
  // A tag holds no space (an attribute's tag is one word to every reader); a dash it keeps.
  EXPECT_EQ(DxfTag("PART NO-1"), "PART_NO-1");
}

TEST(TextTest, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(DecodeCodePoints("a\xE6\xB3"), (std::vector<char32_t>{'a', 0xFFFD, 0xFFFD}));
  EXPECT_EQ(DecodeCodePoints("\xC0\xAF"), (std::vector<char32_t>{0xFFFD, 0xFFFD}));  // overlong
  EXPECT_EQ(DecodeCodePoints("法"), (std::vector<char32_t>{0x6CD5}));
}

TEST(TextTest, DeviationsShareTheirDecimals) {
  struct Case {
    double upper, lower;
    const char* u;
    const char* l;
  };
  for (const Case& c : {Case{0.021, 0, "+0.021", "0"}, Case{-0.026, -0.206, "-0.026", "-0.206"},
                        Case{0.1, -0.05, "+0.10", "-0.05"}, Case{0, -0.052, "0", "-0.052"}}) {
    auto [u, l] = FormatDeviations(c.upper, c.lower);
    EXPECT_EQ(u, c.u);
    EXPECT_EQ(l, c.l);
  }
}

TEST(TextTest, AnnotationsComposeInOrder) {
  AnnotationParts parts;
  parts.front = "Ø";
  parts.body = "30";
  EXPECT_EQ(PlainText(ComposeAnnotation(parts)), "Ø30");
  parts.haveCode = true;
  parts.code = "H7";
  EXPECT_EQ(PlainText(ComposeAnnotation(parts)), "Ø30H7");
  parts.haveValues = true;
  parts.upper = 0.021;
  RichText runs = ComposeAnnotation(parts);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, "Ø30H7(");
  EXPECT_TRUE(runs[1].stacked);
  EXPECT_EQ(runs[2].text, ")");
  parts.haveCode = false;
  parts.upper = 0.2;
  parts.lower = -0.2;
  parts.haveFollow = true;
  parts.follow = " 深10";
  EXPECT_EQ(PlainText(ComposeAnnotation(parts)), "Ø30±0.2 深10");
}

TEST(TextTest, SpecialCodesBecomeTheirCharacters) {
  EXPECT_EQ(ExpandSpecialCodes("%%C10%%d%%P%%%"), "Ø10°±%");
  EXPECT_EQ(ExpandSpecialCodes("a\\Pb"), "a\nb");
  EXPECT_EQ(ExpandSpecialCodes("100%%"), "100%%");
}

TEST(TextTest, WideGlyphsTakeMoreRoomAndLinesStackDown) {
  EXPECT_GT(TextWidth("中文", 3.5), TextWidth("AB", 3.5));
  TextShape text;
  text.height = 2;
  text.attachment = 1;  // top left
  text.runs = {TextRun::Plain("one\ntwo")};
  auto box = LocalTextBox(text);
  EXPECT_DOUBLE_EQ(box[3], 0);
  EXPECT_DOUBLE_EQ(box[1], -(2 + 2 * kLinePitch));
  EXPECT_DOUBLE_EQ(box[0], 0);
}

}  // namespace
}  // namespace qzdbs::server
