#include "analysis/FibreTable.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"

namespace colsec {

FibreTable::Law FibreTable::lawOf(const Material* m) {
  if (m == nullptr) return Law::Other;
  const MaterialLaw* law = colsec::lawOf(*m);
  return law != nullptr ? law->fibreLaw : Law::Other;
}

FibreTable::FibreTable(const std::vector<Element>& elements) {
  fibres_.reserve(elements.size());
  // Neighbouring elements mostly share their material: resolve it once.
  const Material* lastMaterial = nullptr;
  Law lastLaw = Law::Other;
  for (const Element& e : elements) {
    if (e.material != lastMaterial) {
      lastMaterial = e.material;
      lastLaw = lawOf(lastMaterial);
    }
    Fibre fibre{e.posY, e.posZ, e.area, e.inertiaY, e.inertiaZ, e.tauComb, e.material, lastLaw};
    if (lastLaw == Law::StructuralSteel) {
      fibre.tauOrStrength = static_cast<const Steel1993_543*>(e.material)->reducedStrength(e.tauComb);
    }
    fibres_.push_back(fibre);
    zMax_ = std::max(zMax_, std::fabs(e.posZ));
    yMax_ = std::max(yMax_, std::fabs(e.posY));
  }
  restTangent_ = tangent(StrainState{});
}

inline void FibreTable::evaluate(const Fibre& f, double strain, double& stress, double& tangent) const {
  switch (f.law) {
    case Law::Linear: {
      const auto& law = static_cast<const LinearMaterial&>(*f.material);
      stress = law.stressValue(strain);
      tangent = law.tangentValue();
      return;
    }
    case Law::StructuralSteel: {
      const auto& law = static_cast<const Steel1993_543&>(*f.material);
      stress = law.stressValue(strain, f.tauOrStrength);
      tangent = law.tangentValue(strain, f.tauOrStrength);
      return;
    }
    case Law::ReinforcingSteel: {
      const auto& law = static_cast<const Steel1992_327b&>(*f.material);
      stress = law.stressValue(strain);
      tangent = law.tangentValue(strain);
      return;
    }
    case Law::Parabola: {
      static_cast<const Concrete1992_3171&>(*f.material).stressAndTangent(strain, stress, tangent);
      return;
    }
    case Law::Bilinear: {
      const auto& law = static_cast<const Concrete1992_3172&>(*f.material);
      stress = law.stressValue(strain);
      tangent = law.tangentValue(strain);
      return;
    }
    case Law::Other:
      stress = f.material->stressQuery(QueryValue, strain, f.tauOrStrength);
      tangent = f.material->tangentModulus(strain, f.tauOrStrength);
      return;
  }
}

SectionStiffness FibreTable::tangent(const StrainState& state) const {
  // In the unstrained state every element has the strain +0 exactly, so its
  // tangent depends on its law and shear stress alone: neighbours that share
  // both reuse one evaluation.
  const bool atRest = std::bit_cast<std::uint64_t>(state.epsX) == 0 &&
                      std::bit_cast<std::uint64_t>(state.kappaY) == 0 &&
                      std::bit_cast<std::uint64_t>(state.kappaZ) == 0;
  const Material* lastMaterial = nullptr;
  std::uint64_t lastTau = 0;
  double lastTangent = 0.0;
  SectionStiffness sum;
  for (const Fibre& f : fibres_) {
    const double strain = f.strainAt(state);
    double et = 0.0;
    const std::uint64_t tau = std::bit_cast<std::uint64_t>(f.tauOrStrength);
    if (atRest && f.material == lastMaterial && tau == lastTau) {
      et = lastTangent;
    } else {
      double stress = 0.0;
      evaluate(f, strain, stress, et);
      lastMaterial = f.material;
      lastTau = tau;
      lastTangent = et;
    }
    sum.EAx += et * f.area;
    sum.EIy += et * f.inertiaY;
    sum.EIz += et * f.inertiaZ;
  }
  return sum;
}

std::pair<SectionStiffness, SectionStiffness> FibreTable::effectiveStiffnesses() const {
  SectionStiffness first;
  SectionStiffness second;
  const Material* lastMaterial = nullptr;
  double e1 = 0.0;
  double e2 = 0.0;
  for (const Fibre& f : fibres_) {
    // The moduli are constants of the law.
    if (f.material != lastMaterial) {
      lastMaterial = f.material;
      e1 = f.material->effectiveModulus();
      e2 = f.material->effectiveModulusII();
    }
    first.EAx += e1 * f.area;
    first.EIy += e1 * f.inertiaY;
    first.EIz += e1 * f.inertiaZ;
    second.EAx += e2 * f.area;
    second.EIy += e2 * f.inertiaY;
    second.EIz += e2 * f.inertiaZ;
  }
  return {first, second};
}

void FibreTable::evaluateAll(const StrainState& state, std::vector<double>& stresses,
                             std::vector<double>& tangents) const {
  // The laws first, then the sums: a loop that calls the power function
  // would keep its six sums in memory around every call.
  // The parabola's stresses that need the power function are listed and
  // evaluated after the loop, which so has no branch that guesses wrong
  // one time in ten.
  stresses.resize(fibres_.size());
  tangents.resize(fibres_.size());
  thread_local std::vector<std::uint32_t> pending;
  pending.resize(fibres_.size());
  std::size_t pendingCount = 0;
  for (std::size_t i = 0; i < fibres_.size(); ++i) {
    const Fibre& f = fibres_[i];
    const double strain = f.strainAt(state);
    if (f.law == Law::Parabola) {
      const auto& law = static_cast<const Concrete1992_3171&>(*f.material);
      const bool done = law.stressAndTangentUnlessNearMidpoint(strain, stresses[i], tangents[i]);
      pending[pendingCount] = static_cast<std::uint32_t>(i);
      pendingCount += done ? 0 : 1;
    } else {
      evaluate(f, strain, stresses[i], tangents[i]);
    }
  }
  for (std::size_t k = 0; k < pendingCount; ++k) {
    const std::size_t i = pending[k];
    const Fibre& f = fibres_[i];
    const double strain = f.strainAt(state);
    evaluate(f, strain, stresses[i], tangents[i]);
  }
}

ForcesAndTangent FibreTable::forcesAndTangent(const StrainState& state, std::vector<double>& stresses,
                                              std::vector<double>& tangents) const {
  evaluateAll(state, stresses, tangents);
  ForceTriple forces;
  SectionStiffness stiffness;
  for (std::size_t i = 0; i < fibres_.size(); ++i) {
    const Fibre& f = fibres_[i];
    const double n = stresses[i] * f.area;
    forces.nx += n;
    forces.my += n * f.posZ;
    forces.mz += n * f.posY;
    const double et = tangents[i];
    stiffness.EAx += et * f.area;
    stiffness.EIy += et * f.inertiaY;
    stiffness.EIz += et * f.inertiaZ;
  }
  return {{clampSmall(forces.nx), clampSmall(forces.my), clampSmall(forces.mz)}, stiffness};
}

FibreTable::NewtonSums FibreTable::newtonSums(const StrainState& state, std::vector<double>& stresses,
                                              std::vector<double>& tangents) const {
  NewtonSums sums;
  sums.forces = newtonForces(state, stresses, tangents);
  newtonTangent(tangents, sums.k);
  return sums;
}

ForceTriple FibreTable::newtonForces(const StrainState& state, std::vector<double>& stresses,
                                     std::vector<double>& tangents) const {
  evaluateAll(state, stresses, tangents);
  ForceTriple forces;
  for (std::size_t i = 0; i < fibres_.size(); ++i) {
    const Fibre& f = fibres_[i];
    const double n = stresses[i] * f.area;
    forces.nx += n;
    forces.my += n * f.posZ;
    forces.mz += n * f.posY;
  }
  return {clampSmall(forces.nx), clampSmall(forces.my), clampSmall(forces.mz)};
}

void FibreTable::newtonTangent(const std::vector<double>& tangents, double (&k)[6]) const {
  double k00 = 0.0, k01 = 0.0, k02 = 0.0, k11 = 0.0, k12 = 0.0, k22 = 0.0;
  for (std::size_t i = 0; i < fibres_.size(); ++i) {
    const Fibre& f = fibres_[i];
    const double et = tangents[i] * f.area;
    k00 += et;
    k01 += et * f.posZ;
    k02 += et * f.posY;
    k11 += et * f.posZ * f.posZ;
    k12 += et * f.posZ * f.posY;
    k22 += et * f.posY * f.posY;
  }
  k[0] = k00;
  k[1] = k01;
  k[2] = k02;
  k[3] = k11;
  k[4] = k12;
  k[5] = k22;
}

namespace {

// Distance of `strain` into the plateaus outside [lower, upper] (strain >
// upper or strain < lower, as the laws test them); 0 between them.
double beyond(double strain, double lower, double upper) {
  if (strain > upper) return strain - upper;
  if (strain < lower) return lower - strain;
  return 0.0;
}

}  // namespace

double FibreTable::plateauMargin(const StrainState& from, double wanted) const {
  double margin = std::numeric_limits<double>::infinity();
  const double enough = 2.0 * wanted;  // the margin is half the distance
  for (const Fibre& f : fibres_) {
    const double strain = f.strainAt(from);
    double distance = 0.0;
    switch (f.law) {
      case Law::Parabola:
        distance = beyond(strain, static_cast<const Concrete1992_3171&>(*f.material).epsC2, 0.0);
        break;
      case Law::Bilinear:
        distance = beyond(strain, static_cast<const Concrete1992_3172&>(*f.material).epsC2, 0.0);
        break;
      case Law::StructuralSteel: {
        // The yield strain as elasticPlasticStress computes it.
        const double yield = f.tauOrStrength / static_cast<const Steel1993_543&>(*f.material).E;
        distance = beyond(strain, -yield, yield);
        break;
      }
      case Law::ReinforcingSteel: {
        const auto& law = static_cast<const Steel1992_327b&>(*f.material);
        const double yield = law.fyd / law.E;
        distance = beyond(strain, -yield, yield);
        break;
      }
      case Law::Linear:
      case Law::Other:
        break;
    }
    if (!(distance > 0.0) || distance <= enough) return 0.0;  // also a NaN strain
    margin = std::min(margin, distance);
  }
  // Half of the smallest distance: its own rounding is far below that.
  return 0.5 * margin;
}

double FibreTable::strainMove(const StrainState& from, const StrainState& to) const {
  const double move = std::fabs(to.epsX - from.epsX) + std::fabs(to.kappaY - from.kappaY) * zMax_ +
                      std::fabs(to.kappaZ - from.kappaZ) * yMax_;
  const auto size = [this](const StrainState& s) {
    return std::fabs(s.epsX) + std::fabs(s.kappaY) * zMax_ + std::fabs(s.kappaZ) * yMax_;
  };
  // The strain of a fibre is rounded three times, by at most 2⁻⁵³ of the
  // sizes above each; the move's own rounding is a relative 1e-15 at most.
  return move * (1.0 + 1e-12) + 1e-15 * (size(from) + size(to));
}

}  // namespace colsec
