// UTF-8 text as code points: the DXF writer escapes them, the text metrics
// tell wide (CJK) glyphs from narrow ones.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qzdbs::server {

// Malformed bytes come out as U+FFFD, one per byte, so nothing is lost silently.
std::vector<char32_t> DecodeUtf8(std::string_view text);
std::string EncodeUtf8(char32_t codePoint);

// Ideographs, kana, hangul, full-width forms: glyphs one em wide.
bool IsWideCodePoint(char32_t c);

}  // namespace qzdbs::server
