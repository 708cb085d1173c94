// The DXF export: a release R2000 (AC1015) drawing with the document's
// layers, line types, text styles and the dimension style "QZ_GBDIM", its
// block definitions (with attribute definitions), one anonymous block per
// dimension holding the dimension's graphics, the entities in model space
// (or, with MakeBlock, a block of the whole part inserted at the part's base
// point), and the groups.
#pragma once

#include <filesystem>

#include "server/Document.h"

namespace qzdbs::server {

// Throws ExportError when the file cannot be written; the target is then
// left as it was.
void ExportDxf(const Document& document, const std::filesystem::path& file);

}  // namespace qzdbs::server
