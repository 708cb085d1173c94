// Block definitions from the block folder: a block whose drawing file is a
// DXF is read (its model space entities become the block's entities);
// anything else keeps only the block's name, and a marker stands for it.
#pragma once

#include <filesystem>
#include <string>

#include "server/Document.h"

namespace qzdbs::server {

// The block's file in the folder: name + ".dxf" (any letter case), or the
// name + ".DWG" the engine writes when its content is really DXF text. Empty
// when there is none or the name would leave the folder.
std::filesystem::path FindBlockFile(const std::filesystem::path& folder, const std::string& name);

// Reads the file's model space into block.entities and its insertion base
// ($INSBASE) into block.basePoint. False, with a reason, when the file is not
// a DXF drawing dxflib can read.
bool ReadBlockFile(const std::filesystem::path& file, BlockDefinition& block, std::string& reason);

// The marker that stands for a block without a drawing: a circle with a
// cross, 6 mm across, and the block's name under it, drawn by block colour.
void AddPlaceholderGeometry(BlockDefinition& block);

// True when the bytes start like a DXF text file (group code 0 or 999 first).
bool LooksLikeDxf(const std::filesystem::path& file);

}  // namespace qzdbs::server
