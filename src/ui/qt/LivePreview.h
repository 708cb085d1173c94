// The preview drawn from the part itself: the chosen size computed and drawn
// into a throwaway session, built into a document by the drawing server and
// painted. For parts whose library holds no picture.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QTemporaryDir>
#include <optional>
#include <string>

#include "server/Document.h"
#include "ui/frmPartSel.h"

namespace qzdbs::ui::qt {

// The previews of one dialog. A part made a block writes block files while
// it draws; a preview writes them into a folder of its own, never the
// host's, and the folder goes with the LivePreview.
class LivePreview {
 public:
  LivePreview();

  // The document of the dialog's current choice, or nothing when the part
  // cannot be computed or drawn. The engine's state and the host's session
  // are as before afterwards, and no message box shows.
  std::optional<server::Document> Document(frmPartSel& dialog);

  // That document painted into `size`; a null pixmap when there is none.
  QPixmap Pixmap(frmPartSel& dialog, const QSize& size);

  // Ends with a separator, as the session's BlockFolder does.
  std::string BlockFolder() const;

 private:
  QTemporaryDir blocks_;
};

}  // namespace qzdbs::ui::qt
