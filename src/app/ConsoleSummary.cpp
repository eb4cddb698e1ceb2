#include "app/ConsoleSummary.h"

#include <cmath>
#include <ostream>

#include "model/SectionModel.h"

namespace colsec {

namespace {

// As the report: a ratio passes when 1 >= r, so NaN fails.
bool passes(double ratio) { return 1 >= ratio; }

const char* verdict(bool verified) { return verified ? "verified" : "NOT verified"; }

}  // namespace

bool generalMethodVerified(const SectionModel& model) {
  return model.axialConverged && model.shearConverged && model.stressesWithinLimits && model.strainsWithinLimits;
}

bool simplifiedMethodVerifiedInterim(const SectionModel& model) {
  const SectionForces& f = model.designForces;
  const double shearY = std::fabs(f.qy / model.qPlRdY);
  const double shearZ = std::fabs(f.qz / model.qPlRdZ);
  const double axial = f.nx > 0 ? std::fabs(f.nx / std::fabs(model.nPlRdMax)) : std::fabs(f.nx / std::fabs(model.nPlRdMin));
  const double bendingY = std::fabs(f.my / model.mdy / model.mPlYRd);
  const double bendingZ = std::fabs(f.mz / model.mdz / model.mPlZRd);
  return passes(shearY) && passes(shearZ) && passes(axial) && passes(bendingY + bendingZ);
}

void writeConsoleSummary(std::ostream& console, const SectionModel& model, const std::string& reportPath) {
  console << "\nGeneral method (EN 1994-1-1, 6.7.2):    " << verdict(generalMethodVerified(model)) << "\n";
  console << "Simplified method (EN 1994-1-1, 6.7.3): ";
  if (model.allNonlinear) {
    console << verdict(simplifiedMethodVerifiedInterim(model)) << "\n";
  } else {
    console << "not applied (a LINEAR material is in use)\n";
  }
  console << "Report: " << reportPath << "\n";
}

}  // namespace colsec
