// The preview's picture: whatever image format the library stored, read by
// its content rather than by the file's name (the engine always writes the
// same file name).
#pragma once

#include <QPixmap>
#include <QSize>
#include <string>

namespace qzdbs::ui::qt {

// The picture scaled to fit `size`, keeping its shape; a null pixmap when the
// file holds nothing Qt can read.
QPixmap LoadPicture(const std::string& path, const QSize& size);

}  // namespace qzdbs::ui::qt
