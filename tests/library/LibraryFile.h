// The sample library the build makes, opened read-only for the tests.
#pragma once

#include <sqlite3.h>

#include "support/SqlRows.h"
#include "support/TestPaths.h"

namespace qzdbs::test {

inline sqlite3* SampleLibrary() {
  static const mdb::SqliteHandle library =
      OpenReadOnly(BuildDir() / "library" / "metric-parts.qzlib");
  return library.get();
}

}  // namespace qzdbs::test
