// The drawing style kept in the user's settings.
#include "ui/qt/DrawingStyleSettings.h"

#include <QSettings>
#include <memory>

#include "server/document/LayerStyles.h"

namespace qzdbs::ui::qt {

namespace {
constexpr const char* kLayerStyles = "drawing/layerStyles";
constexpr const char* kThickLines = "drawing/thickLines";
constexpr const char* kThirdAngle = "drawing/thirdAngle";
}  // namespace

DrawingStyleSettings LoadDrawingStyle() {
  QSettings settings;
  DrawingStyleSettings style;
  style.layerStyles = settings.value(kLayerStyles).toString();
  // A width edited by hand into something else falls back to the usual one.
  const double thick = settings.value(kThickLines, style.thickLines).toDouble();
  if (server::IsThickLineWidth(thick)) style.thickLines = thick;
  style.thirdAngle = settings.value(kThirdAngle, false).toBool();
  return style;
}

void SaveDrawingStyle(const DrawingStyleSettings& style) {
  QSettings settings;
  settings.setValue(kLayerStyles, style.layerStyles);
  settings.setValue(kThickLines, style.thickLines);
  settings.setValue(kThirdAngle, style.thirdAngle);
}

server::BuildOptions BuildOptionsOf(const DrawingStyleSettings& style) {
  server::BuildOptions options;
  if (!style.layerStyles.isEmpty())
    options.layerStyles = std::make_shared<const server::LayerStyleTable>(
        server::LayerStyleTable::Read(style.layerStyles.toStdString()));
  options.thickLineWidth = style.thickLines;
  options.projection =
      style.thirdAngle ? server::Projection::ThirdAngle : server::Projection::FirstAngle;
  return options;
}

}  // namespace qzdbs::ui::qt
