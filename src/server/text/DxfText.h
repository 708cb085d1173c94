// Texts in DXF files of release R2000: the file is not UTF-8, so every
// character outside ASCII is written as the escape \U+XXXX (readers show raw
// UTF-8 bytes as garbage) and read back from it.
#pragma once

#include <string>
#include <string_view>

namespace qzdbs::server {

std::string EncodeDxfText(std::string_view utf8);
std::string DecodeDxfText(std::string_view dxf);

}  // namespace qzdbs::server
