// Control characters a library put into a text or a name. No file format
// takes them as they are: a line break in a DXF name ends the value and turns
// the rest into group codes, XML forbids them even escaped. Each is replaced
// ("_" in a name, a space in a text; a text keeps its '\n' line breaks, which
// every exporter writes as line breaks) with a CONTROL_CHARACTER finding.
#pragma once

#include "server/Document.h"

namespace qzdbs::server {

void ReplaceControlCharacters(Document& document);

}  // namespace qzdbs::server
