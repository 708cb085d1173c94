// Decoding of the Access value encodings that mdbtools leaves to its caller:
// Jet 4 text (UCS-2 with the optional one-byte compression) and dates.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace qzdbs::mdb {

// The UTF-8 form of a Jet 4 / ACE text or memo value as stored: little-endian
// UTF-16, or, after the marker FF FE, runs that switch at every zero byte
// between one byte per character and two. Surrogate pairs are joined; a lone
// surrogate becomes U+FFFD.
std::string DecodeJet4Text(const unsigned char* bytes, size_t size);

// An Access date (days since 1899-12-30; for dates before it the fraction is
// still the time of day after the whole day) as "YYYY-MM-DD HH:MM:SS", rounded
// to the second. nullopt outside the years 100 to 9999 Access allows.
std::optional<std::string> AccessDateText(double days);

}  // namespace qzdbs::mdb
