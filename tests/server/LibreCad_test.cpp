// LibreCAD, a second independent reader, converts every golden DXF to PDF
// headless; the page it prints must hold a drawing.
#include <gtest/gtest.h>

#include <fstream>

#include "ServerTestSupport.h"
#include "support/TestPaths.h"

namespace qzdbs::server::test {
namespace {

// Dark pixels of a binary grey map (P5) as pdftoppm writes it.
long DarkPixelsOfPgm(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maximum = 0;
  in >> magic >> width >> height >> maximum;
  in.get();
  if (magic != "P5" || width <= 0 || height <= 0 || maximum != 255) return -1;
  std::string pixels(static_cast<size_t>(width) * static_cast<size_t>(height), '\0');
  in.read(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  long dark = 0;
  for (char p : pixels)
    dark += static_cast<unsigned char>(p) < 128 ? 1 : 0;
  return dark;
}

TEST(LibreCadTest, ConvertsEveryGoldenDxfToAPdfWithADrawingOnIt) {
  if (RunCommand("command -v librecad >/dev/null && command -v pdftoppm >/dev/null") != 0) {
    GTEST_SKIP() << "librecad or pdftoppm is not installed (scripts/install-deps.sh)";
  }
  std::filesystem::path golden = qzdbs::test::TestDataDir() / "server" / "golden";
  int converted = 0;
  for (const auto& entry : std::filesystem::directory_iterator(golden)) {
    std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".dxf" || name.find(".out.") != std::string::npos) continue;
    ScratchDir scratch;
    std::filesystem::path dxf = scratch.Path() / name;
    std::filesystem::copy_file(entry.path(), dxf);
    std::string output;
    int status = RunCommand("cd '" + scratch.Path().string() +
                                "' && QT_QPA_PLATFORM=offscreen timeout 120 librecad dxf2pdf '" +
                                name + "' 2>&1",
                            &output);
    std::filesystem::path pdf = dxf;
    pdf.replace_extension(".pdf");
    ASSERT_EQ(status, 0) << output;
    ASSERT_TRUE(std::filesystem::exists(pdf)) << name << ": " << output;
    EXPECT_EQ(ReadText(pdf).substr(0, 5), "%PDF-") << name;
    std::filesystem::path page = scratch.Path() / "page";
    ASSERT_EQ(RunCommand("pdftoppm -gray -r 50 -singlefile '" + pdf.string() + "' '" +
                         page.string() + "' 2>&1"),
              0);
    page.replace_extension(".pgm");
    EXPECT_GT(DarkPixelsOfPgm(page), 500) << name << " printed an empty page";
    ++converted;
  }
  // The sample, the sample as a block and the scaled sample.
  EXPECT_GE(converted, 3);
}

}  // namespace
}  // namespace qzdbs::server::test
