// The JSON export: the session as the host received it, in the recording
// format (session, views, messages), so every reader of recordings reads it,
// and beside it under "document" the completed document: part, layers,
// views with their entities (generated graphics included), blocks, groups
// and the audit's findings.
#pragma once

#include <filesystem>

#include <nlohmann/json.hpp>

#include "server/Document.h"

namespace qzdbs::server {

nlohmann::json DocumentJson(const Document& document);

void ExportJson(const Document& document, const std::filesystem::path& file);

}  // namespace qzdbs::server
