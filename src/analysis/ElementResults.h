#pragma once
// Element list, element limit checks and material extremes after the
// strain solution.

#include <iosfwd>
#include <vector>

#include "analysis/Element.h"

namespace colsec {

class SectionModel;

// The whole content of the section result file: "//Elements" and one
// "#ELEMENT" line per element in sequence order.
void writeElementResults(std::ostream& stream, const std::vector<Element>& elements, std::ostream& console);

// The two checks of one element for a stress and strain of its own (the
// stored ones or those of another strain state); writes nothing.
struct ElementLimitCheck {
  bool stressExceeded = false;
  bool strainExceeded = false;
};
ElementLimitCheck checkElementLimit(const Element& element, double sigX, double epsX);

// Stress check (strict: a value at its limit passes) against the element's
// own shear-reduced limits and the material's shear limit; strain check
// against the ultimate compressive strain where the material has one.
void checkElementLimits(SectionModel& model);

// Largest and smallest stresses and strains per material with the elements
// where they occur. Ties: the last element for stresses, the first for strains.
void collectMaterialExtremes(SectionModel& model, std::ostream& console);

}  // namespace colsec
