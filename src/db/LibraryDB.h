// The shared library connection of a run.
#pragma once

namespace qzdbs {

// Closes the shared library connection if it is open, then releases it.
void CloseLibraryDB();

}  // namespace qzdbs
