#pragma once
// Element list, element limit checks and material extremes after the
// strain solution.

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "analysis/Element.h"

namespace colsec {

class SectionModel;

// The whole content of the section result file: "//Elements" and one
// "#ELEMENT" line per element in sequence order, formatted on up to
// `threads` threads (0: one per core).
void writeElementResults(std::ostream& stream, const std::vector<Element>& elements, std::ostream& console,
                         int threads = 0);

// The two checks of one element for a stress and strain of its own (the
// stored ones or those of another strain state); writes nothing.
struct ElementLimitCheck {
  bool stressExceeded = false;
  bool strainExceeded = false;
};
ElementLimitCheck checkElementLimit(const Element& element, double sigX, double epsX);

// An element's limits as its law answers them: σ on either side (at its
// shear stress), τ, and the ultimate strain where the law has one.
struct ElementLimits {
  double upper = 0.0;
  double lower = 0.0;
  double shear = 0.0;
  bool hasStrainLimit = false;
  double ultimateStrain = 0.0;
};
ElementLimits limitsOf(const Element& element);

// The limits of the last material and shear stress asked: neighbouring
// elements mostly share both, so passes over all elements ask each law a
// few times instead of four times per element.
class ElementLimitCache {
 public:
  const ElementLimits& of(const Element& element);

 private:
  const Material* material_ = nullptr;
  std::uint64_t tauBits_ = 0;
  ElementLimits limits_;
};

// checkElementLimit with the element's limits already known.
ElementLimitCheck checkElementLimit(const Element& element, double sigX, double epsX, const ElementLimits& limits);

// Stress check (strict: a value at its limit passes) against the element's
// own shear-reduced limits and the material's shear limit; strain check
// against the ultimate compressive strain where the material has one.
void checkElementLimits(SectionModel& model);

// Largest and smallest stresses and strains per material with the elements
// where they occur. Ties: the last element for stresses, the first for strains.
void collectMaterialExtremes(SectionModel& model, std::ostream& console);

}  // namespace colsec
