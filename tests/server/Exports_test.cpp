// The exports: DXF read back by ezdxf, the independent reader (both loaders
// audit the file without errors and find what the document holds), hostile
// texts and values that break no file, and every file written wholly or not
// at all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <set>

#include "ServerTestSupport.h"
#include "server/DrawingServer.h"
#include "support/ScratchLibrary.h"

namespace qzdbs::server::test {
namespace {

std::string DxfType(const Shape& shape) {
  return std::visit(
      [](const auto& s) -> std::string {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, LineShape>) return "LINE";
        if constexpr (std::is_same_v<T, CircleShape>) return "CIRCLE";
        if constexpr (std::is_same_v<T, ArcShape>) return "ARC";
        if constexpr (std::is_same_v<T, EllipseShape>) return "ELLIPSE";
        if constexpr (std::is_same_v<T, PolylineShape>) return s.is3d ? "POLYLINE" : "LWPOLYLINE";
        if constexpr (std::is_same_v<T, TextShape>) return s.multiline ? "MTEXT" : "TEXT";
        if constexpr (std::is_same_v<T, SolidShape>) return "SOLID";
        if constexpr (std::is_same_v<T, HatchShape>) return "HATCH";
        if constexpr (std::is_same_v<T, DimensionShape>) return "DIMENSION";
        if constexpr (std::is_same_v<T, LeaderShape>) return "LEADER";
        if constexpr (std::is_same_v<T, InsertShape>) return "INSERT";
        return "?";
      },
      shape);
}

std::map<std::string, int> DocumentCounts(const Document& document) {
  std::map<std::string, int> counts;
  for (const View& view : document.views) {
    for (const Entity& entity : view.entities)
      ++counts[DxfType(entity.shape)];
  }
  return counts;
}

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureGuiApplication(); }

  // The sample part's DXF as ezdxf reads it, strictly and in recover mode, both without errors.
  nlohmann::json SampleSeen(bool asBlock, Document& document) {
    SessionBuilder builder;
    FillSamplePart(builder, asBlock);
    document = builder.Build();
    const std::filesystem::path file = scratch.Path() / "sample.dxf";
    ExportDxf(document, file);
    nlohmann::json seen = InspectWithEzdxf(file);
    EXPECT_TRUE(seen["errors"].empty()) << seen["errors"].dump();
    EXPECT_TRUE(seen["recover_errors"].empty()) << seen["recover_errors"].dump();
    return seen;
  }
  ScratchDir scratch;
};

TEST_F(ExportTest, EzdxfReadsEveryEntityOfTheSampleWithoutAuditErrors) {
  Document document;
  nlohmann::json seen = SampleSeen(false, document);
  EXPECT_EQ(seen["version"], "AC1015");
  EXPECT_TRUE(seen["fixes"].empty()) << seen["fixes"].dump();
  // Chinese shows in programs of the GB convention through the big font.
  EXPECT_EQ(seen["styles"]["Standard"], nlohmann::json({"gbenor.shx", "gbcbig.shx"}));
  std::map<std::string, int> expected = DocumentCounts(document);
  using Counts = std::map<std::string, int>;
  EXPECT_EQ(seen["counts"].get<Counts>(), expected);
  // Recover mode keeps every dimension: each names its block.
  EXPECT_EQ(seen["recover_counts"].get<Counts>(), expected);
  // Every kind the document knows is in the sample.
  for (const char* kind : {"LINE", "CIRCLE", "ARC", "ELLIPSE", "LWPOLYLINE", "POLYLINE", "TEXT",
                           "MTEXT", "HATCH", "DIMENSION", "LEADER", "INSERT"}) {
    EXPECT_GT(expected[kind], 0) << kind;
  }
}

TEST_F(ExportTest, MakeBlockPutsThePartIntoOneInsertAndGroupPartGroupsIt) {
  Document document;
  nlohmann::json seen = SampleSeen(true, document);
  EXPECT_EQ(seen["counts"], nlohmann::json({{"INSERT", 1}}));
  ASSERT_EQ(seen["inserts"].size(), 1u);
  EXPECT_EQ(seen["inserts"][0]["block"], "板式平焊法兰");
  std::map<std::string, int> inside =
      seen["blocks"]["板式平焊法兰"].get<std::map<std::string, int>>();
  EXPECT_EQ(inside, DocumentCounts(document));
  // The whole part's group holds its block reference; the library's own group
  // cannot hold entities of a block and is reported instead.
  EXPECT_EQ(seen["groups"], nlohmann::json({{"板式平焊法兰", 1}}));
  EXPECT_TRUE(std::any_of(document.findings.begin(), document.findings.end(),
                          [](const Finding& f) { return f.code == AuditCode::GroupInBlock; }));
}

// What a hostile library can put into a part: group codes inside texts and
// names, line breaks in names, values no exporter can write. Every file
// still loads strictly and holds exactly the entities that can be drawn.
TEST_F(ExportTest, AHostileDocumentCannotBreakOrAddToAnyFile) {
  const double inf = std::numeric_limits<double>::infinity();
  SessionBuilder b;
  b.Part().PartName("P\n  0\nEOF");
  DbView view = b.AddView("V\r\n  0\nLINE", 1);
  b.AddLine(view, 1, {0, 0, 0}, {10, 0, 0}, "L\n  8\nX");
  DbText forged = b.Add<DbText>(view, 2, "0");
  // A 14 m line a reader would take as real if the text ended at its break.
  forged.TextString("a\n  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 11\n14000\n 21\n0\x01^");
  forged.InsertionPoint({0, 5, 0});
  forged.Height(3.5);
  forged.ScaleFactor(1);
  forged.TextStyleName("S\tX");
  DbMText note = b.Add<DbMText>(view, 3, "0");
  note.TextString("two\nlines\x7F");
  note.InsertionPoint({0, 10, 0});
  note.Height(2.5);
  note.AttachmentPoint(7);
  // Values no exporter can write.
  b.AddCircle(view, 10, {0, 0, 0}, 1e12);
  b.AddLine(view, 11, {0, 0, 0}, {1e308, 0, 0});
  b.AddLine(view, 12, {inf, 0, 0}, {0, 0, 0});
  DbText wide = b.Add<DbText>(view, 13, "0");
  wide.TextString("wide");
  wide.Height(3.5);
  wide.ScaleFactor(1e308);
  Document document = b.Build();

  std::multiset<AuditCode> left;
  int replaced = 0;
  for (const Finding& f : document.findings) {
    if (f.code == AuditCode::ControlCharacter) ++replaced;
    if (f.code == AuditCode::Magnitude || f.code == AuditCode::Nonfinite) left.insert(f.code);
  }
  using enum AuditCode;
  EXPECT_EQ(left, (std::multiset<AuditCode>{Nonfinite, Magnitude, Magnitude, Magnitude}));
  EXPECT_GE(replaced, 5);  // part, view, layer, style, the two texts

  const std::filesystem::path dxf = scratch.Path() / "hostile.dxf";
  ExportDxf(document, dxf);
  nlohmann::json seen = InspectWithEzdxf(dxf);
  EXPECT_TRUE(seen["errors"].empty()) << seen["errors"].dump();
  using Counts = std::map<std::string, int>;
  EXPECT_EQ(seen["counts"].get<Counts>(), (Counts{{"LINE", 1}, {"MTEXT", 1}, {"TEXT", 1}}));
  const std::string text = ReadText(dxf);
  for (const char* bad : {"inf", "nan", "\r", "\t"})
    EXPECT_EQ(text.find(bad), std::string::npos) << bad;

  const std::filesystem::path svg = scratch.Path() / "hostile.svg";
  ExportSvg(document, svg);
  QFile file(QString::fromStdString(svg.string()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  while (!xml.atEnd())
    xml.readNext();
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();

  const std::filesystem::path json = scratch.Path() / "hostile.json";
  ExportJson(document, json);
  EXPECT_TRUE(nlohmann::json::accept(ReadText(json)));

  // A PDF reader opens what is left and draws it.
  const std::filesystem::path pdf = scratch.Path() / "hostile.pdf";
  ExportPdf(document, pdf);
  const std::filesystem::path page = scratch.Path() / "hostile-page";
  EXPECT_EQ(RunCommand("pdftoppm -r 10 -singlefile -png '" + pdf.string() + "' '" + page.string() +
                       "' 2>&1"),
            0);
  EXPECT_TRUE(std::filesystem::exists(page.string() + ".png"));
}

// Every exporter over an older file: a failure of any kind leaves it byte for
// byte and no temporary file; a link at the target is replaced, never followed.
TEST_F(ExportTest, ExportsReplaceAnOldFileOnlyWhenWhollyWrittenAndNeverFollowLinks) {
  SessionBuilder b;
  b.AddLine(b.AddView("V", 1), 1, {0, 0, 0}, {100, 0, 0});
  const Document document = b.Build();
  const std::filesystem::path elsewhere = scratch.Path() / "elsewhere.txt";
  for (const FileExporter& exporter : FileExporters()) {
    SCOPED_TRACE(exporter.extension);
    const std::filesystem::path folder = scratch.Path() / exporter.extension;
    std::filesystem::create_directory(folder);
    const std::filesystem::path file = folder / (std::string("x.") + exporter.extension);
    { std::ofstream(file) << "old"; }
    {
      // A disk that takes no more than a few bytes: the write, not the open, fails.
      qzdbs::test::FileSizeLimit full(16);
      try {
        exporter.write(document, file);
        ADD_FAILURE() << "no error on a full disk";
      } catch (const ExportError& error) {
        EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos) << error.what();
      }
    }
    EXPECT_EQ(ReadText(file), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove(file);
    { std::ofstream(elsewhere) << "theirs"; }
    std::filesystem::create_symlink(elsewhere, file);
    exporter.write(document, file);
    EXPECT_EQ(ReadText(elsewhere), "theirs");
    EXPECT_FALSE(std::filesystem::is_symlink(file));
    EXPECT_GT(std::filesystem::file_size(file), 16u);
  }
  // Written again with the same bytes, a drawing is left as it is; a link to a
  // file holding those bytes is replaced all the same.
  const std::filesystem::path dxf = scratch.Path() / "dxf" / "x.dxf";
  auto inode = [](const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
  };
  const ino_t written = inode(dxf);
  ExportDxf(document, dxf);
  EXPECT_EQ(inode(dxf), written);
  std::filesystem::rename(dxf, elsewhere);
  std::filesystem::create_symlink(elsewhere, dxf);
  ExportDxf(document, dxf);
  EXPECT_FALSE(std::filesystem::is_symlink(dxf));
  EXPECT_EQ(inode(elsewhere), written);
  EXPECT_THROW(ExportDxf(document, scratch.Path() / "missing" / "x.dxf"), ExportError);
}

}  // namespace
}  // namespace qzdbs::server::test
