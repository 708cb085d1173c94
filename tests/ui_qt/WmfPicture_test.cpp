// Metafile previews: the pictures an Access library stores are drawn, a
// metafile written here record by record is played as written, and damaged
// metafiles give no picture instead of a crash.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <string>
#include <vector>

#include "support/TestPaths.h"
#include "ui/qt/Picture.h"
#include "ui/qt/WmfPicture.h"

namespace qzdbs::test {
namespace {

using ui::qt::LoadPicture;
using ui::qt::LooksLikeWmf;
using ui::qt::WmfToSvg;

QByteArray ReadFixture(const char* name) {
  QFile file(QString::fromStdString((TestDataDir() / "pictures" / name).string()));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  return file.readAll();
}

// A plain metafile (no placeable header) of whole records, its end record added.
QByteArray Metafile(std::vector<std::pair<uint16_t, std::vector<int16_t>>> records) {
  records.push_back({0x0000, {}});
  std::vector<uint16_t> body;
  uint32_t largest = 3;
  for (const auto& [function, params] : records) {
    const auto size = static_cast<uint32_t>(3 + params.size());
    largest = std::max(largest, size);
    body.insert(body.end(), {uint16_t(size & 0xFFFF), uint16_t(size >> 16), function});
    body.insert(body.end(), params.begin(), params.end());
  }
  const auto words = static_cast<uint32_t>(9 + body.size());
  std::vector<uint16_t> all = {1,
                               9,
                               0x0300,
                               uint16_t(words & 0xFFFF),
                               uint16_t(words >> 16),
                               1,
                               uint16_t(largest & 0xFFFF),
                               uint16_t(largest >> 16),
                               0};
  all.insert(all.end(), body.begin(), body.end());
  QByteArray bytes;
  for (uint16_t w : all)
    bytes.append(static_cast<char>(w & 0xFF)).append(static_cast<char>(w >> 8));
  return bytes;
}

QString WriteTemp(const QTemporaryDir& dir, const QByteArray& bytes) {
  const QString path = dir.filePath("WMFtemp.wmf");
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
  return path;
}

int DarkPixels(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      dark += qGray(image.pixel(x, y)) < 128;
  return dark;
}

TEST(WmfPictureTest, StoredLibraryMetafilesAreDrawnInTheirOwnShape) {
  QTemporaryDir dir;
  // Both placeable headers frame 1600 by 800 units.
  const std::vector<std::pair<const char*, double>> pictures = {{"part1.wmf", 2.0},
                                                                {"view31.wmf", 2.0}};
  for (const auto& [name, shape] : pictures) {
    const QByteArray bytes = ReadFixture(name);
    EXPECT_TRUE(LooksLikeWmf(bytes)) << name;
    EXPECT_TRUE(WmfToSvg(bytes).contains("<svg")) << name;
    const QImage image =
        LoadPicture(WriteTemp(dir, bytes).toStdString(), QSize(400, 400)).toImage();
    ASSERT_FALSE(image.isNull()) << name;
    EXPECT_NEAR(static_cast<double>(image.width()) / image.height(), shape, 0.1) << name;
    EXPECT_GT(DarkPixels(image), 100) << name << ": the outline is drawn";
  }
}

TEST(WmfPictureTest, HandWrittenMetafileIsPlayedAsWritten) {
  const QByteArray bytes = Metafile({
      {0x020B, {0, 0}},             // window origin
      {0x020C, {100, 200}},         // window extent: 200 wide, 100 high
      {0x02FC, {0, 0, 0, 0}},       // solid black brush
      {0x012D, {0}},                // select it
      {0x0418, {90, 180, 10, 20}},  // ellipse 160 wide, 80 high
  });
  ASSERT_TRUE(LooksLikeWmf(bytes));
  QTemporaryDir dir;
  const QImage image = LoadPicture(WriteTemp(dir, bytes).toStdString(), QSize(200, 200)).toImage();
  ASSERT_FALSE(image.isNull());
  // Without a placeable header the picture is framed by what it draws.
  EXPECT_NEAR(static_cast<double>(image.width()) / image.height(), 2.0, 0.1);
  const int w = image.width();
  const int h = image.height();
  EXPECT_LT(qGray(image.pixel(w / 2, h / 2)), 64) << "inside the ellipse";
  EXPECT_LT(qGray(image.pixel(w / 8, h / 2)), 64) << "inside, near its left end";
  for (const QPoint corner :
       {QPoint(1, 1), QPoint(w - 2, 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)})
    EXPECT_GT(qGray(image.pixel(corner)), 192) << "corners stay white";
}

// Damage applied to the stored part picture (a placeable metafile whose first
// record starts at byte 40).
QByteArray Damaged(const std::string& how) {
  QByteArray bytes = ReadFixture("part1.wmf");
  auto setDoubleWord = [&](qsizetype at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
      bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  if (how == "empty") return {};
  if (how == "placeable header only") return bytes.left(22);
  if (how == "cut inside a record") return bytes.left(120);
  if (how == "no end record") return bytes.left(bytes.size() - 6);
  if (how == "record of no size") setDoubleWord(40, 0);
  if (how == "record running past the end") setDoubleWord(40, 0xFFFFFFFF);
  if (how == "plain header garbled") setDoubleWord(22, 0x12345678);
  if (how == "polyline claiming more points than it holds") bytes[0xB0] = 0x7F;
  return bytes;
}

TEST(WmfPictureTest, DamagedMetafilesAndOtherFormatsGiveNoPicture) {
  QTemporaryDir dir;
  for (const std::string how :
       {"empty", "placeable header only", "cut inside a record", "no end record",
        "record of no size", "record running past the end", "plain header garbled",
        // Passes the record walk; the player itself must refuse it.
        "polyline claiming more points than it holds"}) {
    const QByteArray bytes = Damaged(how);
    EXPECT_TRUE(WmfToSvg(bytes).isEmpty()) << how;
    EXPECT_TRUE(LoadPicture(WriteTemp(dir, bytes).toStdString(), QSize(200, 200)).isNull()) << how;
  }
  // Other formats are not taken for metafiles.
  for (const QByteArray& bytes :
       {QByteArray("\x89PNG\r\n\x1a\n", 8), QByteArray("<svg xmlns='http://www.w3.org/2000/svg'/>"),
        QByteArray("BM\0\0", 4), QByteArray("\xD7\xCD", 2)})
    EXPECT_FALSE(LooksLikeWmf(bytes)) << bytes.toHex().toStdString();
}

}  // namespace
}  // namespace qzdbs::test
