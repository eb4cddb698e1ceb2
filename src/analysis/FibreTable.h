#pragma once
// A compact copy of what the strain solver reads per element, with each
// element's law resolved once: the solver's section sums then run as one
// tight loop without a virtual call per element. Every sum still adds the
// elements in sequence order, so the results equal the plain sums bit for
// bit.

#include <cstdint>
#include <utility>
#include <vector>

#include "analysis/Element.h"
#include "analysis/SectionSums.h"
#include "materials/MaterialLaws.h"
#include "model/Types.h"

namespace colsec {

class FibreTable {
 public:
  // The elements must have their resistances (tauComb) updated.
  explicit FibreTable(const std::vector<Element>& elements);

  // sectionTangentStiffness(state).
  SectionStiffness tangent(const StrainState& state) const;
  // tangent() of the unstrained state, where every solve starts.
  const SectionStiffness& restTangent() const { return restTangent_; }
  // sectionInternalForces(state) and sectionTangentStiffness(state);
  // stresses[i] and tangents[i] receive element i's stress and tangent
  // modulus at that state.
  ForcesAndTangent forcesAndTangent(const StrainState& state, std::vector<double>& stresses,
                                    std::vector<double>& tangents) const;
  // What the full Newton iteration of the strain fallback sums at `state`:
  // the forces as sectionInternalForces, and k = Σ Et·A·[1, z, y]ᵀ[1, z, y]
  // (k00, k01, k02, k11, k12, k22) as its plain loop sums them, each element
  // in sequence order. stresses and tangents: scratch as above.
  struct NewtonSums {
    ForceTriple forces;
    double k[6] = {};
  };
  NewtonSums newtonSums(const StrainState& state, std::vector<double>& stresses,
                        std::vector<double>& tangents) const;
  // The same in two parts, for a line search that needs the tangent only of
  // the state it accepts: the forces (the laws evaluated into stresses and
  // tangents), then k from the tangents of that evaluation.
  ForceTriple newtonForces(const StrainState& state, std::vector<double>& stresses,
                           std::vector<double>& tangents) const;
  void newtonTangent(const std::vector<double>& tangents, double (&k)[6]) const;
  // Beyond the resistance the iterations wander over states where every
  // fibre lies on a plateau of its law (compression or yield plateau, or
  // concrete in tension), so that the sums do not change from one state to
  // the next. plateauMargin(from) is a distance m ≥ 0 such that every state
  // s with strainMove(from, s) < m gives each fibre the stress and tangent
  // it has at `from`, bit for bit (hence the same sums); 0 when a fibre lies
  // where its law is not constant.
  // `wanted`: a margin not above it is of no use to the caller, and 0 is
  // returned as soon as it is clear that the margin will not exceed it.
  double plateauMargin(const StrainState& from, double wanted = 0.0) const;
  // A bound of how far any fibre's strain, as computed from the state
  // (rounding included), moves between `from` and `to`; never below the true
  // move, infinite or NaN where the states are not finite.
  double strainMove(const StrainState& from, const StrainState& to) const;
  // sectionEffectiveStiffness() and sectionEffectiveStiffnessII() in one pass.
  std::pair<SectionStiffness, SectionStiffness> effectiveStiffnesses() const;

 private:
  // Which inlined law a fibre uses, as the material-law table declares it.
  using Law = FibreLaw;

  struct Fibre {
    double posY;
    double posZ;
    double area;
    double inertiaY;
    double inertiaZ;
    // The element's tauComb; for structural steel its shear-reduced yield
    // strength, which depends on nothing else.
    double tauOrStrength;
    const Material* material;
    Law law;

    // As Element::strainAt.
    double strainAt(const StrainState& state) const {
      return (state.kappaY * posZ + state.epsX) + state.kappaZ * posY;
    }
  };

  static Law lawOf(const Material* material);
  void evaluate(const Fibre& fibre, double strain, double& stress, double& tangent) const;
  // Every fibre's stress and tangent modulus at `state`.
  void evaluateAll(const StrainState& state, std::vector<double>& stresses, std::vector<double>& tangents) const;

  std::vector<Fibre> fibres_;
  SectionStiffness restTangent_;
  double zMax_ = 0.0;  // largest |posZ| and |posY|: the lever arms of the curvatures
  double yMax_ = 0.0;
};

}  // namespace colsec
