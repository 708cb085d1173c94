// The deviations of a tolerance code, as dimensions ask for them.
#pragma once

#include <string>

namespace qzdbs::server {

// ISO 286 limit deviations in millimetres for a tolerance class ("H7", "g6")
// at a nominal size. False, with the arguments untouched, when the code or
// the size is not covered.
bool LookUpDeviations(std::string& code, double nominal, double& upper, double& lower);

}  // namespace qzdbs::server
