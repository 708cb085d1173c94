// Writing a binary field (a picture, a block's drawing file) to a file.
#pragma once

#include <string>

#include "db/recordset/FieldValue.h"
#include "db/recordset/SharedLibrary.h"

namespace qzdbs {

// Writes the field's bytes to `path` in pieces of 16384 bytes, replacing any
// earlier content of the file. False after an information box when the file
// cannot be written or the field cannot be read.
bool SaveFieldToFile(db::Field& field, const std::string& path);

// The same for a value read from the library a piece at a time, so that it
// is held neither whole nor twice on its way to the file.
bool SaveBlobToFile(const db::SharedLibrary& library, const std::string& table,
                    const std::string& column, int64_t rowid, const std::string& path);

// Where the preview picture of a part or view is written: "WMFtemp.wmf" in the
// user's cache folder (the engine's own folder is not writable), created on
// demand. Empty when no cache folder can be made.
std::string PreviewPicturePath();

}  // namespace qzdbs
