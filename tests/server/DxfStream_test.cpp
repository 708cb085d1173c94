// The buffered DXF stream against dxflib's own ASCII writer: the same calls
// give the same bytes, so files stay as they were when the writer changed.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ServerTestSupport.h"
#include "server/dxf/DxfStream.h"

namespace qzdbs::server::test {
namespace {

// What dxflib's writer puts in a file for the calls.
template <typename Calls>
std::string WrittenByDxflib(const ScratchDir& scratch, Calls calls) {
  const std::filesystem::path file = scratch.Path() / "dxflib.dxf";
  {
    DL_WriterA writer(file.c_str(), DL_Codes::AC1015);
    calls(static_cast<DL_Writer&>(writer));
  }
  return ReadText(file);
}

template <typename Calls>
std::string WrittenByStream(Calls calls) {
  DxfStream stream;
  calls(static_cast<DL_Writer&>(stream));
  return stream.Text();
}

TEST(DxfStream, RealsIntsAndHexAreWrittenAsDxflibWritesThem) {
  ScratchDir scratch;
  const double reals[] = {0.0,
                          -0.0,
                          1.0,
                          -3.0,
                          100.0,
                          0.5,
                          0.1,
                          1.0 / 3.0,
                          -2.0 / 3.0,
                          243.9366000289322471,
                          1e-17,
                          -1e-17,
                          123456789.125,
                          999999999999999.0,
                          1e15,
                          -1e15 - 2,
                          4503599627370497.0,
                          1e20,
                          std::nextafter(1.0, 2.0),
                          std::nextafter(0.0, 1.0)};
  const int ints[] = {0, 1, -1, 256, -2147483647 - 1, 2147483647};
  const int hexes[] = {0, 0x30, 0xABCDEF, 0x7FFFFFFF, -1};
  // Codes of one, two, three and four digits are right-aligned to three.
  const int codes[] = {0, 5, 10, 62, 100, 370, 1071};
  auto calls = [&](DL_Writer& out) {
    for (int code : codes) {
      for (double value : reals)
        out.dxfReal(code, value);
      for (int value : ints)
        out.dxfInt(code, value);
      for (int value : hexes)
        out.dxfHex(code, value);
      out.dxfString(code, "AcDbEntity");
      out.dxfString(code, std::string("CONTINUOUS"));
      out.dxfString(code, std::string());
    }
  };
  EXPECT_EQ(WrittenByStream(calls), WrittenByDxflib(scratch, calls));
  // Where dxflib writes "inf" or "nan", which no reader takes, the stream
  // writes 0.0 (the audit leaves such geometry out before).
  EXPECT_EQ(WrittenByStream([](DL_Writer& out) {
              for (double v : {std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()})
                out.dxfReal(10, v);
            }),
            " 10\n0.0\n 10\n0.0\n 10\n0.0\n");
}

TEST(DxfStream, RealsBeyondDxflibsBufferAreWrittenInFull) {
  // dxflib formats into 256 characters, too few for these.
  DxfStream stream;
  stream.dxfReal(40, 1e300);
  stream.dxfReal(40, -1.5e200);
  const std::string text = stream.Text();
  // 301 digits, then ".0".
  const size_t end = text.find('\n', 4);
  ASSERT_EQ(end, 4 + 303u) << text;
  EXPECT_EQ(text.substr(4, 5), "10000");
  EXPECT_EQ(text.substr(end - 2, 2), ".0");
  const std::string second = text.substr(end + 5);
  EXPECT_EQ(second.substr(0, 2), "-1");
  EXPECT_EQ(second.size(), 1 + 201 + 2 + 1u) << second;
}

TEST(DxfStream, NonAsciiTextsAreEscapedAndNamesGoToTheCodePage) {
  DxfStream stream;
  stream.dxfString(1, "M12 螺栓");
  stream.dxfString(8, std::string("中心线"));
  stream.dxfString(1, "plain");
  EXPECT_EQ(stream.Text(),
            "  1\nM12 \\U+87BA\\U+6813\n"
            "  8\n\xD6\xD0\xD0\xC4\xCF\xDF\n"
            "  1\nplain\n");
}

}  // namespace
}  // namespace qzdbs::server::test
