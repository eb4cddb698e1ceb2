#include <cmath>
#include <ostream>

#include "analysis/SectionSums.h"
#include "analysis/Solvers.h"
#include "model/SectionModel.h"

namespace colsec {

void runShearAnalysis(SectionModel& model, double tolerance, std::ostream& console) {
  console << "Calculating Shear Stresses\n";
  const std::vector<Element>& elements = model.elements;
  ShearStrain strain;
  ShearPair carried;
  ShearPair residual{model.designForces.qy, model.designForces.qz};
  const double tolQ = tolerance * 1000;
  bool converged = false;

  for (int i = 1;; ++i) {
    const ShearPair stiffness = sectionShearStiffness(elements, strain.gammaY, strain.gammaZ);
    // A direction without stiffness is left where it is in this iteration.
    if (stiffness.y != 0.0) strain.gammaY = strain.gammaY + residual.y / stiffness.y;
    if (stiffness.z != 0.0) strain.gammaZ = strain.gammaZ + residual.z / stiffness.z;
    carried = sectionShearForces(elements, strain.gammaY, strain.gammaZ);
    residual = {model.designForces.qy - carried.y, model.designForces.qz - carried.z};
    console << "Iteration " << i << ": fResid [kN]: Qy=" << residual.y / 1000 << " Qz=" << residual.z / 1000 << "\n";
    const bool withinTolerance = tolQ >= std::fabs(residual.y) && tolQ >= std::fabs(residual.z);
    if (i == kShearIterationLimit) break;
    if (withinTolerance) {
      converged = true;
      break;
    }
  }

  model.shearConverged = converged;
  model.resultForces.qy = carried.y;
  model.resultForces.qz = carried.z;
  console << "Saving Element Results\n";
  for (Element& element : model.elements) {
    element.tauY = element.shearStressY(QueryValue, strain.gammaY);
    element.tauZ = element.shearStressZ(QueryValue, strain.gammaZ);
  }
}

}  // namespace colsec
