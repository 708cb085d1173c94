// How the drawing server styles what the studio and the dialog's preview
// draw, as the user chose it (the command line's --layer-styles,
// --thick-lines and --third-angle), remembered with QSettings.
#pragma once

#include <QString>

#include "server/document/DocumentBuilder.h"

namespace qzdbs::ui::qt {

struct DrawingStyleSettings {
  QString layerStyles;  // a layer style table file; the built-in table when empty
  double thickLines = 0.5;
  bool thirdAngle = false;
};

DrawingStyleSettings LoadDrawingStyle();
void SaveDrawingStyle(const DrawingStyleSettings& style);

// The drawing server's options for the style; throws std::runtime_error
// naming the file when its layer style table cannot be read.
server::BuildOptions BuildOptionsOf(const DrawingStyleSettings& style);

}  // namespace qzdbs::ui::qt
