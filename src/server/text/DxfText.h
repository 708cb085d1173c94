// Texts in DXF files of release R2000: the file is not UTF-8, so every
// character outside ASCII in a text is written as the escape \U+XXXX
// (readers show raw UTF-8 bytes as garbage) and read back from it. Names of
// layers, blocks, styles and tags are written in the file's code page,
// ANSI_936 (GBK), instead: readers take escapes in names literally, and a
// backslash is not allowed in a name (ezdxf refuses to load such a layer on a
// polyline or block reference). A character GBK lacks becomes "_" in a name.
#pragma once

#include <string>
#include <string_view>

namespace qzdbs::server {

std::string EncodeDxfText(std::string_view utf8);
std::string EncodeDxfName(std::string_view utf8);

// A name as DXF symbol tables take it: the characters they refuse
// (< > / \ " : ; ? * | = `) become "_".
std::string DxfName(const std::string& name);

// An attribute tag: a name without blanks.
std::string DxfTag(const std::string& tag);

// The name as a reader of the file sees it, in UTF-8: what DxfName (DxfTag
// for a tag) and the code page leave of it. The audit reports a name this
// changes.
std::string DxfNameAsRead(const std::string& name, bool tag);

// The code page EncodeDxfName writes, as the header's $DWGCODEPAGE names it.
inline constexpr const char* kDxfCodePage = "ANSI_936";
std::string DecodeDxfText(std::string_view dxf);

}  // namespace qzdbs::server
