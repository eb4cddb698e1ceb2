#pragma once
// Section quantities as plain sums over the elements in sequence order,
// accumulated in double. An empty sequence gives zeros.

#include <vector>

#include "analysis/Element.h"
#include "model/Types.h"

namespace colsec {

SectionStiffness sectionTangentStiffness(const std::vector<Element>& elements, const StrainState& state);
// Components below 0.0001 in magnitude come back as exactly 0.
ForceTriple sectionInternalForces(const std::vector<Element>& elements, const StrainState& state);
// Both sums above at one state, as the strain solver evaluates them in a
// single pass.
struct ForcesAndTangent {
  ForceTriple forces;  // clamped as sectionInternalForces
  SectionStiffness tangent;
};

SectionStiffness sectionEffectiveStiffness(const std::vector<Element>& elements);
SectionStiffness sectionEffectiveStiffnessII(const std::vector<Element>& elements);
ShearPair sectionShearStiffness(const std::vector<Element>& elements, double gammaY, double gammaZ);
// Components below 0.0001 in magnitude come back as exactly 0.
ShearPair sectionShearForces(const std::vector<Element>& elements, double gammaY, double gammaZ);
ShearPair sectionPlasticShear(const std::vector<Element>& elements);
// Rigid-plastic force triple for a neutral axis.
ForceTriple sectionPlastic(const std::vector<Element>& elements, const NeutralAxisLine& line);
// Its axial force alone, bit for bit the nx of sectionPlastic (the same
// additions in the same order), a third of the work.
double sectionPlasticAxial(const std::vector<Element>& elements, const NeutralAxisLine& line);

// Calls updateResistance on every element in order.
void updateElementResistances(std::vector<Element>& elements);

// Magnitudes below this threshold are set to exactly zero [N, Nmm].
inline double clampSmall(double value) { return (value < 0 ? -value : value) < 0.0001 ? 0.0 : value; }

}  // namespace colsec
