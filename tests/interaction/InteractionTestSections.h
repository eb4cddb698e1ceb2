#pragma once
// Small sections for the interaction-curve tests: a model with its own
// console, materials added by hand, profiles discretised, and elements
// pushed directly where exact positions matter.

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "analysis/Element.h"
#include "analysis/SectionSums.h"
#include "materials/Concrete1992_3172.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"
#include "model/Types.h"
#include "profiles/Discretisation.h"

namespace colsec::test {

// A section model together with the console it reports to.
struct TestSection {
  TestSection() : model(console) {}
  TestSection(const TestSection&) = delete;
  TestSection& operator=(const TestSection&) = delete;

  std::ostringstream console;
  SectionModel model;
};

// Structural steel with a shear modulus, so that shear stresses reduce fyd.
inline const Steel1993_543* addStructuralSteel(SectionModel& model, int number, int priority, double fyd) {
  auto steel = std::make_unique<Steel1993_543>(number, priority, 210000.0, fyd, 81000.0);
  const Steel1993_543* raw = steel.get();
  model.materials.push_back(std::move(steel));
  return raw;
}

inline const Concrete1992_3172* addConcrete(SectionModel& model, int number, int priority, double fcd, double fcdRedF) {
  auto concrete = std::make_unique<Concrete1992_3172>(number, priority, 33000.0, fcd, fcdRedF, 0.00175, 0.0035);
  const Concrete1992_3172* raw = concrete.get();
  model.materials.push_back(std::move(concrete));
  return raw;
}

// Discretises the profiles already added and fills the plastic triples
// (no shear stresses unless the caller sets them before).
inline void discretiseSection(SectionModel& model, double feSize) {
  model.settings.feSize = feSize;
  discretise(model);
  updateElementResistances(model.elements);
}

// One element of the given material with both shear factors 1, its
// plastic triples filled.
inline void pushElement(SectionModel& model, const Material* material, double y, double z, double dy, double dz) {
  CellOwner owner;
  owner.profileNumber = 1;
  owner.material = material;
  owner.shearFactorY = 1.0;
  owner.shearFactorZ = 1.0;
  model.elements.emplace_back(y, z, dy, dz, owner, 1);
  model.elements.back().updateResistance();
}

// A solid steel rectangle B (along y) × H (along z) centred on the origin.
inline void buildSteelRectangle(SectionModel& model, double H, double B, double feSize, double fyd) {
  addStructuralSteel(model, 1, 1, fyd);
  model.addRectProfile(1, 1, H, B, 0.0, 0.0, false);
  discretiseSection(model, feSize);
}

// The four-element steel square of the hand-checked outputs: 200 × 200 mm,
// fyd = 235 N/mm², cells of 100 × 100 mm centred on (±50, ±50). Each
// element carries ±2 350 000 N and ±117 500 000 Nmm about either axis.
inline void buildFourElementSquare(SectionModel& model) { buildSteelRectangle(model, 200.0, 200.0, 150.0, 235.0); }

inline double sumOfAreas(const SectionModel& model) {
  double area = 0.0;
  for (const Element& element : model.elements) area += element.area;
  return area;
}

inline std::string describePoint(const CurvePoint& p) {
  std::ostringstream text;
  text << "(" << p.nx << ", " << p.my << ", " << p.mz << ")";
  return text.str();
}

}  // namespace colsec::test
