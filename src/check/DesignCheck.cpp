#include "check/DesignCheck.h"

#include <cmath>
#include <optional>
#include <sstream>
#include <string>

#include "analysis/ElementResults.h"
#include "analysis/FibreTable.h"
#include "analysis/StrainFallback.h"
#include "check/DesignCheckParts.h"
#include "check/FibreArea.h"
#include "check/SectionClassification.h"
#include "materials/MaterialLaws.h"
#include "member/MemberCheck.h"
#include "model/SectionModel.h"
#include "model/Tolerances.h"

namespace colsec {

namespace {

// The report's sampled resistances may differ from the exact ones by this
// fraction before a warning names them.
constexpr double kSamplingTolerance = 0.01;

}  // namespace

DesignCheckItem makeItem(std::string clause, std::string what, double value, double limit, CheckQuantity quantity) {
  DesignCheckItem item;
  item.clause = std::move(clause);
  item.what = std::move(what);
  item.value = value;
  item.limit = limit;
  item.quantity = quantity;
  // Nothing against nothing is no demand: a zero value passes a zero limit.
  item.utilisation = value == 0.0 ? 0.0 : value / limit;
  item.ok = item.utilisation <= 1.0;
  return item;
}

DesignCheckItem warningItem(std::string clause, std::string what, double value, double limit) {
  DesignCheckItem item = makeItem(std::move(clause), std::move(what), value, limit);
  item.ok = false;
  item.warning = true;
  return item;
}

namespace {

// The largest of the fibre's limits that its law can reach: a compressive
// strain against the ultimate strain, a LINEAR stress against its limit on
// its side, τ against the shear limit. The steel laws are capped at their
// (shear-reduced) strength and have no strain limit, so yielding is not a
// limit of the general method; nor is σ of concrete, capped at fcd.
double elementUtilisation(const Element& e, double sigma, double eps, const ElementLimits& limits) {
  double u = 0.0;
  const auto take = [&u](double demand, double limit) {
    if (demand == 0.0) return;
    const double ratio = demand / limit;
    if (!(ratio <= u)) u = ratio;  // NaN and infinity take over
  };
  const MaterialLaw* law = lawOf(*e.material);
  if (law != nullptr && law->kind == MaterialLinear) {
    if (sigma > 0.0) take(sigma, limits.upper);
    if (sigma < 0.0) take(sigma, limits.lower);
  }
  take(e.tauComb, limits.shear);
  if (limits.hasStrainLimit && eps < 0.0) take(eps, limits.ultimateStrain);
  return u;
}

}  // namespace

double sectionUtilisation(const SectionModel& model, const StrainState* state) {
  double u = 0.0;
  ElementLimitCache limits;
  for (const Element& e : model.elements) {
    double sigma = e.sigX;
    double eps = e.epsX;
    if (state != nullptr) {
      eps = e.strainAt(*state);
      sigma = e.stress(QueryValue, eps);
    }
    const double ue = elementUtilisation(e, sigma, eps, limits.of(e));
    if (!(ue <= u)) u = ue;
  }
  return u;
}

namespace {

void addGeneralMethod(const SectionModel& model, std::vector<DesignCheckItem>& items) {
  const StrainFallbackResult& fallback = model.strainFallback;
  const char* clause = "6.7.2";
  const std::string what =
      "general method: fibre limits (concrete strain against εcu, LINEAR stress limits, shear stress against τlim)";
  if (!model.shearConverged) {
    DesignCheckItem item = makeItem(clause, "general method: the shear stress distribution did not converge",
                                    std::nan(""), 1.0);
    items.push_back(item);
    return;
  }
  if (model.axialConverged) {
    DesignCheckItem item = makeItem(clause, what, sectionUtilisation(model, nullptr), 1.0);
    item.ok = model.stressesWithinLimits && model.strainsWithinLimits;
    items.push_back(item);
    return;
  }
  if (fallback.converged) {
    DesignCheckItem item = makeItem(clause, what + ", in the state found by the full Newton iteration",
                                    sectionUtilisation(model, &fallback.strainState), 1.0);
    item.ok = fallback.stressesWithinLimits && fallback.strainsWithinLimits;
    items.push_back(item);
    items.push_back(warningItem(clause,
                                "the diagonal strain iteration of the report did not converge; the check uses the "
                                "state of the full Newton iteration",
                                std::nan(""), std::nan("")));
    return;
  }
  // "Outside" only with the proof of a separating direction; without it
  // nothing is claimed beyond the failed search.
  const std::string reason = fallback.beyondResistance
                                 ? "the design forces lie outside the resistance of the section"
                                 : "no strain state in equilibrium with the design forces was found (the forces are "
                                   "not proven to lie outside the resistance either)";
  items.push_back(makeItem(clause, "general method: " + reason, std::nan(""), 1.0));
}

// μd above 1.0 only where the moments result from the axial force
// (6.7.3.6 (2)); NaN stays NaN.
double usableMu(double mu, bool momentsFromAxialForce) {
  if (momentsFromAxialForce) return mu;
  return mu > 1.0 ? 1.0 : mu;
}

void addSymmetry(const SectionModel& model, const ExactPlasticSection& plastic, std::vector<DesignCheckItem>& items) {
  if (!model.allNonlinear) return;
  // Both resistances counted positive in the direction of their moment.
  const struct {
    double positive, negative;
    const char* axis;
  } axes[] = {{plastic.momentAtZero[0], -plastic.momentAtZero[2], "y"},
              {plastic.momentAtZero[1], -plastic.momentAtZero[3], "z"}};
  for (const auto& axis : axes) {
    const double larger = std::fmax(axis.positive, axis.negative);
    if (!(larger > 0.0)) continue;
    const double difference = std::fabs(axis.positive - axis.negative) / larger;
    if (!(difference > kSymmetryTolerance)) continue;
    items.push_back(warningItem("6.7.3.1(1)",
                                std::string("the plastic moment resistances about ") + axis.axis +
                                    " for the two signs of the moment differ: the simplified method is meant for "
                                    "doubly symmetric sections, the general method should govern",
                                difference, kSymmetryTolerance));
  }
}

// One axis of bending as the items need it, every moment counted positive
// in the direction of the design moment (a moment of 0 counts positive).
struct BendingAxis {
  const char* axis;         // "y" or "z"
  double demand;            // |M,Ed|
  double plastic;           // Mpl,Rd at N = 0 on the side of M,Ed
  double atNEd;             // the rigid-plastic moment at NEd on that side
  double otherAtNEd;        // the one on the other side: the least moment the section carries at NEd
  double mu;                // μd = atNEd / plastic
};

BendingAxis bendingAxis(const char* axis, double designMoment, double plastic, double atNEd, double otherAtNEd,
                        double mu) {
  const double sign = designMoment < 0.0 ? -1.0 : 1.0;
  return {axis, std::fabs(designMoment), sign * plastic, sign * atNEd, sign * otherAtNEd, mu};
}

// The term |M,Ed| / (μd·Mpl,Rd) of the linear interaction: 0 for no
// moment, NaN against a resistance that is not positive.
double interactionTerm(const BendingAxis& a, bool declared) {
  if (a.demand == 0.0) return 0.0;
  const double resistance = usableMu(a.mu, declared) * a.plastic;
  return resistance > 0.0 ? a.demand / resistance : std::nan("");
}

DesignCheckItem failingItem(const char* clause, std::string what, double value, double limit,
                            CheckQuantity quantity = CheckQuantity::Ratio) {
  DesignCheckItem item = makeItem(clause, std::move(what), value, limit, quantity);
  item.utilisation = std::nan("");
  item.ok = false;
  return item;
}

// Whether the section resists a moment on the side of the design moment at
// all: a positive Mpl,Rd, and at NEd a positive moment (μd > 0) unless
// there is no moment to resist and no resistance either.
bool hasResistanceOnSide(const BendingAxis& a) {
  if (!(a.plastic > 0.0) && !std::isnan(a.plastic)) return false;
  return a.atNEd > 0.0 || std::isnan(a.atNEd) || (a.atNEd == 0.0 && a.demand == 0.0);
}

// For one axis, where the section has no resistance on the side of the
// design moment, or at NEd needs a larger moment than the design moment:
// the simplified method does not apply to the forces (6.7.3.6 (1) reads
// the resistance at NEd from the interaction curve).
void addNotApplicableItems(const BendingAxis& a, std::vector<DesignCheckItem>& items) {
  const std::string m = std::string("M") + a.axis;
  const std::string notApplicable = "the simplified method does not apply to this combination of forces: ";
  if (!(a.plastic > 0.0) && !std::isnan(a.plastic)) {
    items.push_back(failingItem("6.7.3.6(1)",
                                notApplicable + "the section has no positive plastic moment resistance Mpl," + a.axis +
                                    ",Rd to a moment " + m + " of the sign of " + m + ",Ed",
                                a.plastic, 0.0, CheckQuantity::Moment));
  } else if (!hasResistanceOnSide(a)) {
    items.push_back(failingItem("6.7.3.6(1)",
                                notApplicable + "at NEd the rigid-plastic resistance to a moment " + m +
                                    " of the sign of " + m + ",Ed is not positive (μd" + a.axis + " ≤ 0)",
                                a.mu, 0.0));
  }
  if (a.otherAtNEd > a.demand) {
    items.push_back(failingItem("6.7.3.6(1)",
                                notApplicable + "at NEd every rigid-plastic state carries at least the limit as " + m +
                                    " in the direction of " + m + ",Ed, more than |" + m +
                                    ",Ed|: the design point lies outside the interaction curve",
                                a.demand, a.otherAtNEd, CheckQuantity::Moment));
  }
}

// 6.7.3.6 (1) for one axis, where the section resists the design moment's side.
void addAlphaMItem(const BendingAxis& a, double alpha, bool declared, std::vector<DesignCheckItem>& items) {
  if (std::isnan(alpha) || !hasResistanceOnSide(a)) return;
  const std::string m = std::string("M") + a.axis;
  items.push_back(makeItem("6.7.3.6(1)", "|" + m + ",Ed| ≤ αM·μd" + a.axis + "·|Mpl," + a.axis + ",Rd|", a.demand,
                           alpha * (usableMu(a.mu, declared) * a.plastic), CheckQuantity::Moment));
}

// Where the report's sampled resistance is more than 1 % off the exact one
// the check uses.
void addSamplingWarnings(const SectionModel& model, const ExactResistances& exact,
                         std::vector<DesignCheckItem>& items) {
  const struct {
    const char* name;
    double sampled, exact, scale;
    const char* unit;
  } values[] = {{"Npl,Rd in tension", model.nPlRdMax, exact.nPlRdMax, 1e-3, " kN"},
                {"Npl,Rd in compression", model.nPlRdMin, exact.nPlRdMin, 1e-3, " kN"},
                {"Mpl,y,Rd", model.mPlYRd, exact.mPlYRd, 1e-6, " kNm"},
                {"Mpl,z,Rd", model.mPlZRd, exact.mPlZRd, 1e-6, " kNm"},
                {"μdy", model.mdy, exact.mdy, 1.0, ""},
                {"μdz", model.mdz, exact.mdz, 1.0, ""}};
  for (const auto& v : values) {
    if (v.sampled == v.exact || (std::isnan(v.sampled) && std::isnan(v.exact))) continue;
    const double difference = std::fabs(v.sampled - v.exact) / std::fabs(v.exact);
    if (difference <= kSamplingTolerance) continue;
    std::ostringstream what;
    const auto put = [&what, &v](double x) {
      if (std::isfinite(x)) {
        what << x * v.scale << v.unit;
      } else {
        what << "no number";
      }
    };
    what << v.name << " of the report, sampled at " << model.settings.offsetSubdivisions << " neutral-axis offsets: ";
    put(v.sampled);
    what << " against ";
    put(v.exact);
    what << " exact; the design check uses the exact value (more offsetSubdivisions bring the report closer)";
    items.push_back(warningItem("6.7.3.2", what.str(), difference, kSamplingTolerance));
  }
}

void addSimplifiedMethod(const SectionModel& model, const ExactResistances& exact,
                         const std::vector<DesignCheckItem>& symmetry, std::vector<DesignCheckItem>& items) {
  const SimplifiedMethodResult& r = model.simplifiedMethod;
  const SectionForces& f = model.designForces;
  if (!r.computed) {
    items.push_back(warningItem("6.7.3", "simplified method not applied: a LINEAR material is in use, the general "
                                         "method decides",
                                std::nan(""), std::nan("")));
    return;
  }
  items.push_back(makeItem("6.7.3.2(3)", "shear force Qy against the plastic shear resistance Qpl,Rd,y",
                           std::fabs(f.qy), model.qPlRdY, CheckQuantity::Force));
  items.push_back(makeItem("6.7.3.2(3)", "shear force Qz against the plastic shear resistance Qpl,Rd,z",
                           std::fabs(f.qz), model.qPlRdZ, CheckQuantity::Force));
  items.push_back(axialForceItem(exact, f.nx));

  const bool declared = model.momentsFromAxialForce;
  for (const auto& [mu, name] : {std::pair{exact.mdy, "μdy"}, std::pair{exact.mdz, "μdz"}}) {
    if (!declared && mu > 1.0) {
      items.push_back(warningItem("6.7.3.6(2)",
                                  std::string(name) + " above 1.0 taken as 1.0: the input does not declare that the "
                                                      "design moments result directly from the axial force",
                                  mu, 1.0));
    }
  }
  addBendingItems(model, {f.nx, f.my, f.mz}, exact, items);
  items.insert(items.end(), symmetry.begin(), symmetry.end());
  addSamplingWarnings(model, exact, items);
}

}  // namespace

DesignCheckItem axialForceItem(const ExactResistances& exact, double nx) {
  // The resistance on the side of NEd, counted positive in its direction.
  const double nPl = nx > 0 ? exact.nPlRdMax : -exact.nPlRdMin;
  return makeItem("6.7.3.2(1)", "axial force against the plastic resistance Npl,Rd on its side", std::fabs(nx), nPl,
                  CheckQuantity::Force);
}

void addBendingItems(const SectionModel& model, const ForceTriple& f, const ExactResistances& exact,
                     std::vector<DesignCheckItem>& items) {
  const bool declared = model.momentsFromAxialForce;
  const BendingAxis axisY = bendingAxis("y", f.my, exact.mPlYRd, exact.myAtNEd, exact.myAtNEdOther, exact.mdy);
  const BendingAxis axisZ = bendingAxis("z", f.mz, exact.mPlZRd, exact.mzAtNEd, exact.mzAtNEdOther, exact.mdz);
  // First, so that they govern: the reason the bending items fail.
  addNotApplicableItems(axisY, items);
  addNotApplicableItems(axisZ, items);
  items.push_back(makeItem("6.7.3.7(2)", "linear interaction |My,Ed|/(μdy·Mpl,y,Rd) + |Mz,Ed|/(μdz·Mpl,z,Rd) ≤ 1.0",
                           interactionTerm(axisY, declared) + interactionTerm(axisZ, declared), 1.0));

  const double fyd = highestStructuralSteelStrength(model);
  const double a = alphaM(fyd);
  if (std::isnan(a)) {
    const std::string why = std::isnan(fyd) ? "the section has no structural steel (an HEB, a rectangle or a hollow "
                                              "circle of a steel law; solid circles are bars)"
                                            : "the structural steel is stronger than S460 (fyd > 460 N/mm²)";
    items.push_back(makeItem("6.7.3.1(1)", "the simplified method of EN 1994-1-1 does not apply: " + why,
                             std::nan(""), 1.0));
  }
  addAlphaMItem(axisY, a, declared, items);
  addAlphaMItem(axisZ, a, declared, items);
}

// Whether an item may pass: finite numbers, a utilisation within [0, 1]
// and a positive resistance; no demand against no resistance passes.
bool soundItem(const DesignCheckItem& item) {
  if (!std::isfinite(item.value) || !std::isfinite(item.limit) || !std::isfinite(item.utilisation)) return false;
  if (!(item.utilisation >= 0.0 && item.utilisation <= 1.0)) return false;
  return item.limit > 0.0 || (item.limit == 0.0 && item.value == 0.0);
}

namespace {

// The limits of the two bending checks above, with the signs of the
// design moments, for pictures of the moment plane.
BendingLimits bendingLimits(const SectionModel& model, const ExactResistances& exact) {
  BendingLimits limits;
  if (!model.simplifiedMethod.computed) return limits;
  const bool declared = model.momentsFromAxialForce;
  limits.myResistance = usableMu(exact.mdy, declared) * exact.mPlYRd;
  limits.mzResistance = usableMu(exact.mdz, declared) * exact.mPlZRd;
  limits.alphaM = alphaM(highestStructuralSteelStrength(model));
  limits.myLimit = limits.alphaM * limits.myResistance;
  limits.mzLimit = limits.alphaM * limits.mzResistance;
  // No lines where a resistance does not lie on the side of its design
  // moment: the simplified method does not apply to these forces.
  const auto onSide = [](double resistance, double designMoment) {
    return (designMoment < 0.0 ? -resistance : resistance) > 0.0;
  };
  limits.computed = onSide(limits.myResistance, model.designForces.my) &&
                    onSide(limits.mzResistance, model.designForces.mz);
  return limits;
}

}  // namespace

bool settleItems(std::vector<DesignCheckItem>& items) {
  bool verdict = true;
  for (DesignCheckItem& item : items) {
    if (item.warning) continue;
    // An item whose numbers cannot show that it holds fails.
    if (!soundItem(item)) item.ok = false;
    if (!item.ok) verdict = false;
  }
  return verdict;
}

double alphaM(double fyd) {
  if (fyd <= 355.0) return 0.9;
  if (fyd <= 460.0) return 0.8;
  return std::nan("");
}

int governingItem(const std::vector<DesignCheckItem>& items) {
  return indexOfHighestUtilisation(
      items, [](const DesignCheckItem& item) { return item.utilisation; },
      [](const DesignCheckItem& item) { return !item.warning; });
}

SectionCheckItems sectionCheckItems(const SectionModel& model) {
  SectionCheckItems section;
  if (model.allNonlinear) section.plastic = exactPlasticSection(model.elements);
  addSymmetry(model, section.plastic, section.symmetry);
  section.localBuckling = localBucklingItems(model);
  section.profileRoles = profileRoleItems(model);
  section.fibreArea = fibreAreaItems(model);
  return section;
}

void runDesignCheck(SectionModel& model, double tolerance, const SectionCheckItems* precomputed,
                    const FibreTable* fibres) {
  // The full Newton iterations (fallback and member) read the table of laws.
  std::optional<FibreTable> own;
  if (fibres == nullptr && (!model.axialConverged || model.memberInput.present)) {
    fibres = &own.emplace(model.elements);
  }
  runStrainFallback(model, tolerance, fibres);
  const SectionCheckItems section = precomputed != nullptr ? *precomputed : sectionCheckItems(model);
  ExactResistances resistances;
  if (model.simplifiedMethod.computed) {
    resistances = exactResistances(model.elements, section.plastic, model.designForces);
  }
  evaluateDesignCheck(model, section, resistances, tolerance, fibres);
}

void evaluateDesignCheck(SectionModel& model, const SectionCheckItems& section, const ExactResistances& resistances,
                         double tolerance, const FibreTable* fibres) {
  DesignCheck& check = model.designCheck;
  check = DesignCheck{};
  check.resistances = resistances;
  addGeneralMethod(model, check.items);
  addSimplifiedMethod(model, check.resistances, section.symmetry, check.items);
  check.items.insert(check.items.end(), section.localBuckling.begin(), section.localBuckling.end());
  check.items.insert(check.items.end(), section.profileRoles.begin(), section.profileRoles.end());
  check.items.insert(check.items.end(), section.fibreArea.begin(), section.fibreArea.end());
  addMemberCheck(model, tolerance, section, check.items, fibres);
  check.verdict = settleItems(check.items);
  check.governing = governingItem(check.items);
  check.bending = bendingLimits(model, check.resistances);
  check.computed = true;
}

}  // namespace colsec
