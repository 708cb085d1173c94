// The shared library connection of a run: building the connection string,
// opening a library and closing it again.
#pragma once

#include <string>

namespace qzdbs {

// The password every library is opened with; the selection dialog passes it.
inline constexpr const char* kLibraryPassword = "vMHarbour6147KW";

// The folder of a library file: the path cut just after its last "/" or "\"
// (the separator stays); empty for a path without one.
std::string LibraryFolder(const std::string& path);

// "Driver={Microsoft Access Driver
// (*.mdb)};Dbq=<path>;DefaultDir=<folder>;Uid=Admin;Pwd=<password>;"
std::string LibraryConnectionString(const std::string& folder, const std::string& path,
                                    const std::string& password);

// Closes the shared connection if it is open and opens it on the library at
// `path`, creating the connection object first if there is none. False, with
// nothing shown, when the file cannot be opened as a library.
bool OpenLibraryDB(std::string folder, std::string path, const std::string& password);

// Closes the shared library connection if it is open, then releases it.
void CloseLibraryDB();

}  // namespace qzdbs
