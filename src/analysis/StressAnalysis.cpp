#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <ostream>

#include "analysis/FibreTable.h"
#include "analysis/SectionSums.h"
#include "analysis/Solvers.h"
#include "model/SectionModel.h"

namespace colsec {

namespace {

void writeStrainState(std::ostream& stream, const StrainState& state) {
  stream << "\tepsX = " << state.epsX << "\tkappaY = " << state.kappaY << "\tkappaZ = " << state.kappaZ;
}

void writeForces(std::ostream& stream, const ForceTriple& forces) {
  stream << "\tNx = " << forces.nx << "\tMy = " << forces.my << "\tMz = " << forces.mz;
}

bool sameBits(const ForceTriple& a, const ForceTriple& b) {
  return std::bit_cast<std::uint64_t>(a.nx) == std::bit_cast<std::uint64_t>(b.nx) &&
         std::bit_cast<std::uint64_t>(a.my) == std::bit_cast<std::uint64_t>(b.my) &&
         std::bit_cast<std::uint64_t>(a.mz) == std::bit_cast<std::uint64_t>(b.mz);
}

// Keeps the last non-zero tangent value; a NaN counts as non-zero.
void rememberNonZero(double& stored, double tangent) {
  if (tangent != 0.0) stored = tangent;
}

// Corrects one state component; a stiffness that has never been non-zero is
// not a divisor, so that component stays unchanged.
void correct(double& value, double residual, double stiffness) {
  if (stiffness != 0.0) value = value + residual / stiffness;
}

}  // namespace

void runStressAnalysis(SectionModel& model, double tolerance, std::ostream& log, std::ostream& console,
                       const FibreTable* sharedFibres) {
  console << "Starting Stress analysis\n";
  const std::vector<Element>& elements = model.elements;
  const SectionForces& design = model.designForces;
  StrainState state;
  ForceTriple forces;
  ForceTriple residual{design.nx, design.my, design.mz};
  SectionStiffness stiffness;
  const double tolN = tolerance * 1000;
  const double tolM = tolerance * 1000000;
  bool converged = false;

  // The tangent of each iteration is taken at the state the previous one
  // reached, so it comes out of the same pass as that state's forces.
  std::optional<FibreTable> ownFibres;
  const FibreTable& fibres = sharedFibres != nullptr ? *sharedFibres : ownFibres.emplace(elements);
  // Element stresses of the state last evaluated: those of the final state.
  std::vector<double> stresses;
  std::vector<double> tangents;
  SectionStiffness tangent = fibres.restTangent();
  // The state last evaluated and how far the states may move from it on
  // the plateaus of every law, keeping its sums (beyond the resistance).
  StrainState evaluatedState;
  double plateauMargin = 0.0;
  ForcesAndTangent lastEvaluated;
  for (int i = 1;; ++i) {
    rememberNonZero(stiffness.EAx, tangent.EAx);
    rememberNonZero(stiffness.EIy, tangent.EIy);
    rememberNonZero(stiffness.EIz, tangent.EIz);
    correct(state.epsX, residual.nx, stiffness.EAx);
    correct(state.kappaY, residual.my, stiffness.EIy);
    correct(state.kappaZ, residual.mz, stiffness.EIz);
    if (!(plateauMargin > 0.0 && fibres.strainMove(evaluatedState, state) < plateauMargin)) {
      const ForceTriple before = lastEvaluated.forces;
      // The steps of the diagonal iteration on plateaus are alike: a margin
      // below the last one skips nothing.
      const double lastStep = fibres.strainMove(evaluatedState, state);
      lastEvaluated = fibres.forcesAndTangent(state, stresses, tangents);
      evaluatedState = state;
      // Only a state without any stiffness can lie on plateaus throughout,
      // and the plateaus are worth measuring only when the last move did
      // not change the forces.
      const SectionStiffness& t = lastEvaluated.tangent;
      const bool stiffless = t.EAx == 0.0 && t.EIy == 0.0 && t.EIz == 0.0;
      plateauMargin = stiffless && sameBits(before, lastEvaluated.forces) ? fibres.plateauMargin(state, lastStep) : 0.0;
    }
    // Every fibre's stress is that of the state evaluated last.
    const ForcesAndTangent& evaluated = lastEvaluated;
    forces = evaluated.forces;
    tangent = evaluated.tangent;
    residual = {design.nx - forces.nx, design.my - forces.my, design.mz - forces.mz};
    console << "Iteration " << i << ": fResid [kN/kNm]: Nx=" << residual.nx / 1000 << " My=" << residual.my / 1000000
            << " Mz=" << residual.mz / 1000000 << "\n";
    const bool withinTolerance =
        tolN >= std::fabs(residual.nx) && tolM >= std::fabs(residual.my) && tolM >= std::fabs(residual.mz);
    writeStrainState(log, state);
    log << "\n";
    writeForces(log, forces);
    log << "\n";
    if (i == kStrainIterationLimit) break;
    if (withinTolerance) {
      converged = true;
      break;
    }
  }

  model.resultForces.nx = forces.nx;
  model.resultForces.my = forces.my;
  model.resultForces.mz = forces.mz;
  model.strainState = state;
  model.axialConverged = converged;

  console << "Saving Element Results\n";
  for (std::size_t i = 0; i < model.elements.size(); ++i) {
    Element& element = model.elements[i];
    const double e = element.strainAt(state);
    element.epsX = e;
    element.sigX = stresses[i];  // element.stress(QueryValue, e), evaluated in the last iteration
  }
  const auto [effective, effectiveII] = fibres.effectiveStiffnesses();
  model.stiffnessEff = effective;      // sectionEffectiveStiffness()
  model.stiffnessEffII = effectiveII;  // sectionEffectiveStiffnessII()
}

}  // namespace colsec
