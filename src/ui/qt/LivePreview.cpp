// Drawing the chosen part into a session of its own for the preview.
#include "ui/qt/LivePreview.h"

#include <QDir>
#include <QPainter>
#include <exception>

#include "compute/Computation.h"
#include "host/memory/MemoryHost.h"
#include "output/DrawingPass.h"
#include "server/DrawingServer.h"
#include "state/ComputeState.h"
#include "state/EngineState.h"
#include "ui/qt/DrawingStyleSettings.h"

namespace qzdbs::ui::qt {

namespace {

// Puts the engine's state back however the preview run ends.
class EngineStateGuard {
 public:
  EngineStateGuard() : saved_(Engine()) {}
  ~EngineStateGuard() { Engine() = saved_; }
  EngineStateGuard(const EngineStateGuard&) = delete;
  EngineStateGuard& operator=(const EngineStateGuard&) = delete;

 private:
  EngineState saved_;
};

}  // namespace

LivePreview::LivePreview() : blocks_(QDir::temp().filePath("qzdbs-preview-XXXXXX")) {}

std::string LivePreview::BlockFolder() const {
  return blocks_.path().toStdString() + "/";
}

std::optional<server::Document> LivePreview::Document(frmPartSel& dialog) {
  if (!dialog.IsLoaded() || Engine().CurrentPartID <= 0 || !blocks_.isValid()) return std::nullopt;
  EngineStateGuard guard;
  EngineState& state = Engine();
  // A preview that fails says nothing: the real draw reports it.
  state.messages = std::make_shared<RecordingMessageService>();
  auto component = MemoryComponent::Make();
  auto session = component->NewObject("QZdbSPart");
  const double scale = state.DrawScale > 0 ? state.DrawScale : 1.0;
  session->Preset("DrawScale", scale);
  state.BlockFolder = BlockFolder();
  session->Preset("BlockFolder", state.BlockFolder);
  state.session = QZdbSPart(session);
  state.DrawScale = scale;
  bool drawn = false;
  try {
    if (dialog.PrepareComputation() && ComputeAll()) {
      LoadAllLayers();
      drawn = DrawPart();
    }
  } catch (const std::exception&) {
    drawn = false;
  }
  ReleaseComputeData();
  if (!drawn) return std::nullopt;
  try {
    return server::BuildDocument(*session, BuildOptionsOf(LoadDrawingStyle()));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

QPixmap LivePreview::Pixmap(frmPartSel& dialog, const QSize& size) {
  if (size.isEmpty()) return {};
  auto document = Document(dialog);
  if (!document) return {};
  QPixmap pixmap(size);
  pixmap.fill(Qt::white);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  server::Render(*document, painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

}  // namespace qzdbs::ui::qt
