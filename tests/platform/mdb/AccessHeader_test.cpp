// Recognising Access files by their header page.
#include <gtest/gtest.h>

#include <filesystem>

#include "MdbPatch.h"
#include "platform/mdb/AccessLibrary.h"
#include "support/TestPaths.h"

namespace qzdbs::test {
namespace {

using mdb::AccessFormat;

std::string Header(const std::string& name, unsigned char version) {
  std::string bytes("\x00\x01\x00\x00", 4);
  bytes += name;
  bytes.push_back('\0');
  bytes.resize(0x14, '\0');
  bytes.push_back(static_cast<char>(version));
  bytes.resize(4096, '\0');
  return bytes;
}

TEST(AccessHeader, RecognisesEachFormatByItsHeader) {
  struct Case {
    const char* what;
    std::string bytes;
    std::optional<AccessFormat> format;
  };
  std::string noMagic = Header("Standard Jet DB", 1);
  noMagic[1] = 0;
  std::string longerName = Header("Standard Jet DBX", 1);
  const Case cases[] = {
      {"Access 97", Header("Standard Jet DB", 0), AccessFormat::Jet3},
      {"Access 2000", Header("Standard Jet DB", 1), AccessFormat::Jet4},
      {"Access 2007", Header("Standard ACE DB", 2), AccessFormat::Ace},
      {"Access 2019", Header("Standard ACE DB", 6), AccessFormat::Ace},
      {"Jet name with an ACE version", Header("Standard Jet DB", 2), std::nullopt},
      {"ACE name with a Jet version", Header("Standard ACE DB", 1), std::nullopt},
      {"other engine name", Header("Standard Foo DB", 1), std::nullopt},
      {"name without its terminator", longerName, std::nullopt},
      {"page magic missing", noMagic, std::nullopt},
      {"cut before the version byte", Header("Standard Jet DB", 1).substr(0, 0x14), std::nullopt},
      {"empty file", "", std::nullopt},
      {"SQLite file", "SQLite format 3" + std::string(1, '\0') + std::string(100, 'x'),
       std::nullopt},
  };
  const auto file = std::filesystem::temp_directory_path() / "qzdbs-access-header.bin";
  for (const auto& c : cases) {
    WriteBytes(file, c.bytes);
    EXPECT_EQ(mdb::DetectAccessFormat(file.string()), c.format) << c.what;
    EXPECT_EQ(mdb::IsAccessFile(file.string()), c.format.has_value()) << c.what;
  }
  std::filesystem::remove(file);
}

TEST(AccessHeader, TheFixtureIsJet4AndMissingFilesAreNotAccess) {
  EXPECT_EQ(mdb::DetectAccessFormat((TestDataDir() / "access" / "sample-library.mdb").string()),
            AccessFormat::Jet4);
  EXPECT_FALSE(mdb::IsAccessFile((TestDataDir() / "access" / "no-such-file.mdb").string()));
  EXPECT_FALSE(mdb::IsAccessFile(TestDataDir().string()));  // a folder
}

}  // namespace
}  // namespace qzdbs::test
