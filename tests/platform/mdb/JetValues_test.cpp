// Jet 4 text and Access date decoding.
#include "platform/mdb/JetValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace qzdbs::test {
namespace {

TEST(JetValues, DecodesUcs2AndTheCompressedForm) {
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
    std::string text;
  };
  const Case cases[] = {
      {"empty", {}, ""},
      {"plain UCS-2", {'M', 0, '1', 0, '0', 0}, "M10"},
      {"Chinese", {0x3A, 0x79, 0x8B, 0x4F}, "示例"},
      {"degree and diameter signs", {0xB0, 0x00, 0xD8, 0x00}, "°Ø"},
      {"compressed", {0xFF, 0xFE, 'M', '1', '0'}, "M10"},
      {"compressed marker alone", {0xFF, 0xFE}, ""},
      {"compressed, then two-byte run, then back",
       {0xFF, 0xFE, 'A', 0x00, 0x3A, 0x79, 0x00, 'B'},
       "A示B"},
      {"compressed high Latin-1", {0xFF, 0xFE, 0xD8, '1', '2'}, "Ø12"},
      {"odd byte at the end of a two-byte run", {0xFF, 0xFE, 0x00, 0x3A, 0x79, 0x3A}, "示"},
      {"surrogate pair", {0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"},
      {"lone high surrogate",
       {0x3D, 0xD8, 'a', 0},
       "\xEF\xBF\xBD"
       "a"},
      {"lone low surrogate", {0x00, 0xDE}, "\xEF\xBF\xBD"},
      {"odd trailing byte of plain UCS-2", {'a', 0, 'b'}, "a"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(mdb::DecodeJet4Text(c.bytes.data(), c.bytes.size()), c.text) << c.what;
  }
}

TEST(JetValues, FormatsAccessDates) {
  struct Case {
    double days;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {0.0, "1899-12-30 00:00:00"},
      {1.5, "1899-12-31 12:00:00"},
      {36526.0, "2000-01-01 00:00:00"},
      {45658.75, "2025-01-01 18:00:00"},
      {60.0, "1900-02-28 00:00:00"},  // no 1900-02-29 here, unlike some spreadsheets
      {61.0, "1900-03-01 00:00:00"},
      // Before 1899-12-30 the fraction still counts forward from midnight.
      {-1.25, "1899-12-29 06:00:00"},
      {-0.5, "1899-12-30 12:00:00"},
      // Half a second before midnight rounds into the next day.
      {43831.0 + 86399.6 / 86400.0, "2020-01-02 00:00:00"},
      {-657434.0, "0100-01-01 00:00:00"},
      {2958465.0 + 86399.0 / 86400.0, "9999-12-31 23:59:59"},
      {2958466.0, std::nullopt},
      {-657435.0, std::nullopt},
      {std::nan(""), std::nullopt},
      {INFINITY, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(mdb::AccessDateText(c.days), c.text) << c.days;
}

}  // namespace
}  // namespace qzdbs::test
