// Building the drawing document from what a session received.
//
// The objects are taken view by view in the order the host received them;
// each sees the document as it stands at its arrival. Identifiers that
// transforms, groups, hatches, block references and leaders name are
// resolved against the ID of the entities received before them: those of the
// same view first, and only when the view has none, those of the other views
// of the part. Copies that transforms make keep their source's ID, so an
// identifier names the original and its copies. An identifier that names
// nothing is reported once (code UNKNOWN_ID) and skipped. Dimension, hatch
// and leader graphics are drawn when every object is in, after all
// transforms; then the options are applied, the document audited and the
// views placed.
#pragma once

#include <memory>
#include <string>

#include "host/memory/MemoryHost.h"
#include "server/Document.h"
#include "server/document/LayerStyles.h"
#include "server/document/Layout.h"

namespace qzdbs::server {

struct BuildOptions {
  // The folder of block drawings; the session's BlockFolder when empty.
  std::string blockFolder;
  // Room between views, in drawing units; 0 takes it from the part's size.
  double viewGap = 0;
  Projection projection = Projection::FirstAngle;
  // The session in the recording format, for the JSON export; writing only
  // drawings, a batch spares building it.
  bool withRecording = true;
  // How layer names give line weights, colours and line types; the built-in
  // table when null.
  std::shared_ptr<const LayerStyleTable> layerStyles;
  // The thick line's width in millimetres (IsThickLineWidth); thin lines are half.
  double thickLineWidth = 0.5;
  // The views placed round the origin rather than the part's base point, so
  // that a drawing inserted as a block has its base point where it goes.
  bool baseAtOrigin = false;
};

Document BuildDocument(const MemoryObject& session, const BuildOptions& options = {});

}  // namespace qzdbs::server
