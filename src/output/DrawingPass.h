// The drawing pass: the computed part handed to the host session, its
// properties and design parameters as dictionaries, one host view per chosen
// view, and each view's entities through their filters to the builders.
#pragma once

#include <cstdint>
#include <string>

namespace qzdbs {

bool DrawPart();
bool OutputPartInfo();
bool OutputPartDescInfo();
bool OutputOrigParaInfo();
void OutputDefaultViews();
void OutputView(int32_t position);
bool OutputEntities();
// Fills the point buffer from "P." & name & ".X", ".Y", ".Z"; throws when a
// coordinate is missing or not a number.
void GetPointCoord(const std::string& pointName);

}  // namespace qzdbs
