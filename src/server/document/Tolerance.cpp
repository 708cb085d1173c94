// Deviations through the host's tolerance library (ISO 286).
#include "server/document/Tolerance.h"

#include "output/host/DimTolerance.h"

namespace qzdbs::server {

bool LookUpDeviations(std::string& code, double nominal, double& upper, double& lower) {
  return GetDimTolerance(code, nominal, upper, lower);
}

}  // namespace qzdbs::server
