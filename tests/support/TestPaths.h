// Where the tests find the repository's data and a scratch folder.
#pragma once

#include <filesystem>

namespace qzdbs::test {

std::filesystem::path SourceDir();    // the repository's root
std::filesystem::path TestDataDir();  // tests/data: fixtures and golden files
std::filesystem::path BuildDir();     // the build tree (generated libraries live here)

}  // namespace qzdbs::test
