// Jet 4 text and Access date decoding.
#include "platform/mdb/JetValues.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace qzdbs::mdb {

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Utf16ToUtf8(const std::vector<uint16_t>& units) {
  constexpr uint32_t kReplacement = 0xFFFD;
  std::string out;
  out.reserve(units.size() * 3);
  for (size_t i = 0; i < units.size(); ++i) {
    const uint32_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm).
void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  if (m <= 2) ++y;
}

}  // namespace

std::string DecodeJet4Text(const unsigned char* bytes, size_t size) {
  std::vector<uint16_t> units;
  units.reserve(size);
  size_t i = 0;
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    bool oneByte = true;
    i = 2;
    while (i < size) {
      if (bytes[i] == 0) {
        oneByte = !oneByte;
        ++i;
      } else if (oneByte) {
        units.push_back(bytes[i++]);
      } else if (i + 1 < size) {
        units.push_back(static_cast<uint16_t>(bytes[i] | (bytes[i + 1] << 8)));
        i += 2;
      } else {
        break;
      }
    }
  } else {
    for (; i + 1 < size; i += 2)
      units.push_back(static_cast<uint16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return Utf16ToUtf8(units);
}

std::optional<std::string> AccessDateText(double days) {
  if (!std::isfinite(days)) return std::nullopt;
  // Access's own limits: 100-01-01 is -657434, 9999-12-31 23:59:59 below 2958466.
  if (days <= -657435.0 || days >= 2958466.0) return std::nullopt;
  const double whole = std::trunc(days);
  auto seconds = static_cast<int64_t>(std::llround(std::fabs(days - whole) * 86400.0));
  auto day = static_cast<int64_t>(whole);
  if (seconds >= 86400) {  // rounded up to the next midnight, which is later for either sign
    seconds -= 86400;
    ++day;
  }
  // 1899-12-30 is day -25569 from 1970-01-01.
  int64_t y = 0;
  unsigned m = 0;
  unsigned d = 0;
  CivilFromDays(day - 25569, y, m, d);
  if (y < 100 || y > 9999) return std::nullopt;
  char text[64];
  std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02lld:%02lld:%02lld",
                static_cast<long long>(y), m, d, static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return std::string(text);
}

}  // namespace qzdbs::mdb
