#include "analysis/SectionSums.h"

namespace colsec {

namespace {

void add(SectionStiffness& sum, const SectionStiffness& term) {
  sum.EAx += term.EAx;
  sum.EIy += term.EIy;
  sum.EIz += term.EIz;
}

void add(ForceTriple& sum, const ForceTriple& term) {
  sum.nx += term.nx;
  sum.my += term.my;
  sum.mz += term.mz;
}

void add(ShearPair& sum, const ShearPair& term) {
  sum.y += term.y;
  sum.z += term.z;
}

}  // namespace

SectionStiffness sectionTangentStiffness(const std::vector<Element>& elements, const StrainState& state) {
  SectionStiffness sum;
  for (const Element& element : elements) add(sum, element.tangentStiffness(state));
  return sum;
}

ForceTriple sectionInternalForces(const std::vector<Element>& elements, const StrainState& state) {
  ForceTriple sum;
  for (const Element& element : elements) add(sum, element.internalForces(state));
  return {clampSmall(sum.nx), clampSmall(sum.my), clampSmall(sum.mz)};
}

SectionStiffness sectionEffectiveStiffness(const std::vector<Element>& elements) {
  SectionStiffness sum;
  for (const Element& element : elements) add(sum, element.effectiveStiffness());
  return sum;
}

SectionStiffness sectionEffectiveStiffnessII(const std::vector<Element>& elements) {
  SectionStiffness sum;
  for (const Element& element : elements) add(sum, element.effectiveStiffnessII());
  return sum;
}

ShearPair sectionShearStiffness(const std::vector<Element>& elements, double gammaY, double gammaZ) {
  ShearPair sum;
  for (const Element& element : elements) add(sum, element.shearStiffness(gammaY, gammaZ));
  return sum;
}

ShearPair sectionShearForces(const std::vector<Element>& elements, double gammaY, double gammaZ) {
  ShearPair sum;
  for (const Element& element : elements) add(sum, element.shearForces(gammaY, gammaZ));
  return {clampSmall(sum.y), clampSmall(sum.z)};
}

ShearPair sectionPlasticShear(const std::vector<Element>& elements) {
  ShearPair sum;
  for (const Element& element : elements) add(sum, element.plasticShear());
  return sum;
}

ForceTriple sectionPlastic(const std::vector<Element>& elements, const NeutralAxisLine& line) {
  ForceTriple sum;
  for (const Element& element : elements) add(sum, element.plasticFor(line));
  return sum;
}

double sectionPlasticAxial(const std::vector<Element>& elements, const NeutralAxisLine& line) {
  double nx = 0.0;
  for (const Element& element : elements) nx += element.plasticFor(line).nx;
  return nx;
}

void updateElementResistances(std::vector<Element>& elements) {
  for (Element& element : elements) element.updateResistance();
}

}  // namespace colsec
