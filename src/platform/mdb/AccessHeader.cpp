// Recognising an Access database by the first bytes of its header page.
#include <array>
#include <cstring>
#include <fstream>

#include "platform/mdb/AccessLibrary.h"

namespace qzdbs::mdb {

namespace {

// Page 0 starts with 00 01 00 00, the engine's name, then the version byte.
constexpr std::array<unsigned char, 4> kPageZeroMagic = {0x00, 0x01, 0x00, 0x00};
constexpr char kJetName[] = "Standard Jet DB";
constexpr char kAceName[] = "Standard ACE DB";
constexpr size_t kNameOffset = 4;
constexpr size_t kVersionOffset = 0x14;

}  // namespace

std::optional<AccessFormat> DetectAccessFormat(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::array<char, kVersionOffset + 1> head{};
  if (!in.read(head.data(), head.size())) return std::nullopt;
  if (std::memcmp(head.data(), kPageZeroMagic.data(), kPageZeroMagic.size()) != 0) {
    return std::nullopt;
  }
  const char* name = head.data() + kNameOffset;
  const auto version = static_cast<unsigned char>(head[kVersionOffset]);
  // The name ends with its terminating zero, so "Standard Jet DBx" is no match.
  if (std::memcmp(name, kJetName, sizeof kJetName) == 0) {
    if (version == 0) return AccessFormat::Jet3;
    if (version == 1) return AccessFormat::Jet4;
    return std::nullopt;
  }
  if (std::memcmp(name, kAceName, sizeof kAceName) == 0 && version >= 2) return AccessFormat::Ace;
  return std::nullopt;
}

bool IsAccessFile(const std::string& path) {
  return DetectAccessFormat(path).has_value();
}

}  // namespace qzdbs::mdb
