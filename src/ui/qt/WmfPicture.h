// Windows Metafile pictures, which Access libraries store for parts and
// views: checked record by record, then played through libwmf's SVG device.
#pragma once

#include <QByteArray>

namespace qzdbs::ui::qt {

// True when the bytes start like a metafile: the placeable header's key, or
// a plain metafile header.
bool LooksLikeWmf(const QByteArray& data);

// The metafile as an SVG document; empty when the bytes are not a whole,
// well-formed metafile or libwmf cannot play them.
QByteArray WmfToSvg(const QByteArray& data);

}  // namespace qzdbs::ui::qt
