// Deviations through the host's tolerance library when it is part of the build.
#include "server/document/Tolerance.h"

#if __has_include("output/host/DimTolerance.h")
#include "output/host/DimTolerance.h"
#define QZDBS_HAS_DIM_TOLERANCE 1
#endif

namespace qzdbs::server {

bool LookUpDeviations(std::string& code, double nominal, double& upper, double& lower) {
#ifdef QZDBS_HAS_DIM_TOLERANCE
  return GetDimTolerance(code, nominal, upper, lower);
#else
  (void)code;
  (void)nominal;
  (void)upper;
  (void)lower;
  return false;
#endif
}

}  // namespace qzdbs::server
