// ezdxf as the independent reader of written DXF files, and running a command.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

namespace qzdbs::test {

// ezdxf's view of a DXF file (tests/server/ezdxf_check.py): audits of
// readfile and recover (errors and fixes), entity counts by type in model
// space, texts decoded, layers, text styles, blocks, groups, dimensions.
nlohmann::json InspectWithEzdxf(const std::filesystem::path& file);

// Runs a command; returns its exit status and its standard output.
int RunCommand(const std::string& command, std::string* output = nullptr);

}  // namespace qzdbs::test
