// The picture exports: SVG parsed as XML, PNG pixels where lines are, PDF
// header and page, written under a temporary name.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <fstream>
#include <functional>

#include "ServerTestSupport.h"
#include "server/DrawingServer.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::server::test {
namespace {

class ImageExportTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureGuiApplication(); }
  ScratchDir scratch;
};

// Dark pixels of an image within a box, in image coordinates.
int DarkPixels(const QImage& image, int x0, int y0, int x1, int y1) {
  int dark = 0;
  for (int y = std::max(0, y0); y <= std::min(image.height() - 1, y1); ++y) {
    for (int x = std::max(0, x0); x <= std::min(image.width() - 1, x1); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ++dark;
    }
  }
  return dark;
}

// A square of four lines, 100 by 100, its corner at the origin.
Document Square() {
  SessionBuilder b;
  DbView view = b.AddView("V", 1);
  b.AddLine(view, 1, {0, 0, 0}, {100, 0, 0});
  b.AddLine(view, 2, {100, 0, 0}, {100, 100, 0});
  b.AddLine(view, 3, {100, 100, 0}, {0, 100, 0});
  b.AddLine(view, 4, {0, 100, 0}, {0, 0, 0});
  return b.Build();
}

TEST_F(ImageExportTest, PngHasDarkPixelsOnTheLinesAndWhitePaperElsewhere) {
  std::filesystem::path file = scratch / "square.png";
  RenderOptions options;
  options.margin = 10;
  ExportPng(Square(), file, 120, options);
  QImage image(QString::fromStdString(file.string()));
  ASSERT_FALSE(image.isNull());
  // 100 + 2 x 10 margin drawn on 120 pixels: one pixel per unit, the square
  // from pixel 10 to 110, Y down.
  ASSERT_EQ(image.width(), 120);
  ASSERT_EQ(image.height(), 120);
  EXPECT_GT(DarkPixels(image, 20, 108, 100, 112), 40);  // bottom edge
  EXPECT_GT(DarkPixels(image, 8, 20, 12, 100), 40);     // left edge
  EXPECT_GT(DarkPixels(image, 108, 20, 112, 100), 40);  // right edge
  EXPECT_EQ(DarkPixels(image, 20, 20, 100, 100), 0);    // inside
  EXPECT_EQ(DarkPixels(image, 0, 0, 119, 5), 0);        // margin
  EXPECT_EQ(qGray(image.pixel(60, 60)), 255);
}

TEST_F(ImageExportTest, SvgIsWellFormedXmlSizedInMillimetres) {
  std::filesystem::path file = scratch / "square.svg";
  ExportSvg(Square(), file);
  QFile in(QString::fromStdString(file.string()));
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&in);
  QString rootName, width, height;
  int drawn = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (rootName.isEmpty()) {
      rootName = xml.name().toString();
      width = xml.attributes().value("width").toString();
      height = xml.attributes().value("height").toString();
    }
    if (xml.name() == QStringLiteral("path") || xml.name() == QStringLiteral("polyline")) ++drawn;
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(rootName, "svg");
  // 100 drawn plus the 5 mm margin on each side.
  EXPECT_EQ(width, "110mm");
  EXPECT_EQ(height, "110mm");
  EXPECT_GE(drawn, 1);
}

TEST_F(ImageExportTest, PdfIsOnePageTheSizeOfTheDrawing) {
  std::filesystem::path file = scratch / "square.pdf";
  ExportPdf(Square(), file);
  std::string pdf = ReadText(file);
  ASSERT_GT(pdf.size(), 100u);
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_NE(pdf.find("/Type /Page"), std::string::npos);
  // 110 mm is 311.8 points, which the page size rounds to whole points.
  EXPECT_NE(pdf.find("/MediaBox [0 0 312.000000 312.000000]"), std::string::npos);
}

// Every exporter over an older file: a failure of any kind leaves it byte for
// byte and no temporary file; a link at the target is replaced, never followed.
TEST_F(ImageExportTest, ExportsReplaceAnOldFileOnlyWhenWhollyWrittenAndNeverFollowLinks) {
  using Export = std::function<void(const Document&, const std::filesystem::path&)>;
  const struct {
    const char* file;
    Export write;
  } exporters[] = {
      {"x.dxf", [](const Document& d, const auto& f) { ExportDxf(d, f); }},
      {"x.svg", [](const Document& d, const auto& f) { ExportSvg(d, f); }},
      {"x.png", [](const Document& d, const auto& f) { ExportPng(d, f, 64); }},
      {"x.pdf", [](const Document& d, const auto& f) { ExportPdf(d, f); }},
      {"x.json", [](const Document& d, const auto& f) { ExportJson(d, f); }},
  };
  const std::filesystem::path elsewhere = scratch / "elsewhere.txt";
  for (const auto& exporter : exporters) {
    SCOPED_TRACE(exporter.file);
    const std::filesystem::path folder = scratch / (std::string("in-") + exporter.file);
    std::filesystem::create_directory(folder);
    const std::filesystem::path file = folder / exporter.file;
    { std::ofstream(file) << "old"; }
    {
      // A disk that takes no more than a few bytes: the write, not the open, fails.
      qzdbs::test::FileSizeLimit full(16);
      try {
        exporter.write(Square(), file);
        ADD_FAILURE() << "no error on a full disk";
      } catch (const ExportError& error) {
        EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos) << error.what();
      }
    }
    EXPECT_EQ(ReadText(file), "old");
    EXPECT_EQ(FileCount(folder), 1);
    std::filesystem::remove(file);
    { std::ofstream(elsewhere) << "theirs"; }
    std::filesystem::create_symlink(elsewhere, file);
    exporter.write(Square(), file);
    EXPECT_EQ(ReadText(elsewhere), "theirs");
    EXPECT_FALSE(std::filesystem::is_symlink(file));
    EXPECT_GT(std::filesystem::file_size(file), 16u);
  }
  EXPECT_THROW(ExportDxf(Square(), scratch / "missing" / "x.dxf"), ExportError);
}

}  // namespace
}  // namespace qzdbs::server::test
