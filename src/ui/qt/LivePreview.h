// The preview drawn from the part itself: the chosen size computed and drawn
// into a throwaway session, built into a document by the drawing server and
// painted. For parts whose library holds no picture.
#pragma once

#include <QPixmap>
#include <QSize>
#include <optional>

#include "server/Document.h"
#include "ui/frmPartSel.h"

namespace qzdbs::ui::qt {

// The document of the dialog's current choice, or nothing when the part
// cannot be computed or drawn. The engine's state and the host's session are
// as before afterwards, and no message box shows.
std::optional<server::Document> PreviewDocument(frmPartSel& dialog);

// That document painted into `size`; a null pixmap when there is none.
QPixmap PreviewPixmap(frmPartSel& dialog, const QSize& size);

}  // namespace qzdbs::ui::qt
