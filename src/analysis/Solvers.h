#pragma once
// The two iterative solvers of the section. Non-convergence is a status
// stored in the model, not an error; the console receives one residual
// line per iteration.

#include <iosfwd>

namespace colsec {

class SectionModel;
class FibreTable;

// Iteration limits and the tolerance unit: a force residual passes at
// tolerance·1000 N, a moment residual at tolerance·1e6 Nmm.
inline constexpr int kShearIterationLimit = 100;
inline constexpr int kStrainIterationLimit = 1000;

// Distributes the design shear forces by two uniform shear strains; writes
// shearConverged, resultForces.qy/qz and every element's tauY, tauZ.
void runShearAnalysis(SectionModel& model, double tolerance, std::ostream& console);

// Newton iteration with a diagonal tangent for the plane strain state under
// the design nx, my, mz; writes two log lines per iteration, the strain
// state, resultForces.nx/my/mz, axialConverged, element epsX and sigX, and
// the effective stiffnesses. fibres: the table of the elements' laws when
// it is already built (from the elements of any model of this section and
// shear state); otherwise it is built here.
void runStressAnalysis(SectionModel& model, double tolerance, std::ostream& log, std::ostream& console,
                       const FibreTable* fibres = nullptr);

}  // namespace colsec
