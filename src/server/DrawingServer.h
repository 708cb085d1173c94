// The drawing server, for the command line and the studio: the document built
// from what a session received, and its exports.
//
//   auto component = MemoryComponent::Make();
//   auto session = component->NewObject("QZdbSPart");
//   ... the engine draws into the session ...
//   server::Document document = server::BuildDocument(*session);
//   server::ExportDxf(document, "part.dxf");
//   server::ExportPng(document, "part.png", 1600);
//
// Every export writes under a temporary name and renames, and throws
// server::ExportError when it cannot write.
#pragma once

#include "server/Document.h"
#include "server/JsonExport.h"
#include "server/document/DocumentBuilder.h"
#include "server/dxf/DxfExport.h"
#include "server/io/AtomicFile.h"
#include "server/render/ImageExport.h"
#include "server/render/Painter.h"
