#include "check/DesignCheck.h"

#include <cmath>
#include <string>

#include "analysis/ElementResults.h"
#include "analysis/StrainFallback.h"
#include "check/DesignCheckParts.h"
#include "check/FibreArea.h"
#include "check/SectionClassification.h"
#include "interaction/InteractionCurves.h"
#include "interaction/PlasticSweep.h"
#include "materials/MaterialLaws.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"
#include "model/Tolerances.h"
#include "member/MemberCheck.h"

namespace colsec {

namespace {

constexpr double kHalfPi = 1.5707963267948966;

}  // namespace

DesignCheckItem makeItem(std::string clause, std::string what, double value, double limit) {
  DesignCheckItem item;
  item.clause = std::move(clause);
  item.what = std::move(what);
  item.value = value;
  item.limit = limit;
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
  const std::string reason = fallback.beyondResistance ? "the design forces lie outside the resistance of the section"
                                                       : "no equilibrium of the strain state was found";
  items.push_back(makeItem(clause, "general method: " + reason, std::nan(""), 1.0));
}

// μd above 1.0 only where the moments result from the axial force
// (6.7.3.6 (2)); NaN stays NaN.
double usableMu(double mu, bool momentsFromAxialForce) {
  if (momentsFromAxialForce) return mu;
  return mu > 1.0 ? 1.0 : mu;
}

double highestStructuralSteelStrength(const SectionModel& model) {
  double fyd = std::nan("");
  for (const auto& material : model.materials) {
    const auto* steel = dynamic_cast<const Steel1993_543*>(material.get());
    if (steel != nullptr && !(steel->fyd <= fyd)) fyd = steel->fyd;
  }
  return fyd;
}

// |M| of the curve at N = 0 swept at alpha.
double plasticMomentAt(const SectionModel& model, const PlasticSweep& sweep, double alpha, bool useMy) {
  const double radius = sectionRadius(model);
  // Only the pair around N = 0 is read: the other points need no moments.
  const std::vector<double> atZero{0.0};
  const InteractionCurve curve =
      sweep.sweepAxialFirst(alpha, -radius, radius, model.settings.offsetSubdivisions,
                            [&atZero](const InteractionCurve& axial) { return pointsReadAt(axial, atZero); });
  return std::fabs(valueAtAxialForce(curve, 0.0, useMy));
}

void addSymmetry(const SectionModel& model, std::vector<DesignCheckItem>& items) {
  if (!model.allNonlinear) return;
  const PlasticSweep sweep(model.elements);
  const struct {
    double positive, negative;
    bool useMy;
    const char* axis;
  } axes[] = {{0.0, 2 * kHalfPi, true, "y"}, {kHalfPi, 3 * kHalfPi, false, "z"}};
  // The run's own N-M curve was swept at one of the two angles already:
  // the same sweep, so the same bits as sweeping it again.
  const bool curvesBuilt = model.simplifiedMethod.computed;
  const MomentQuadrant quadrant = momentQuadrant(model.designForces);
  const auto moment = [&](double alpha, bool useMy) {
    if (curvesBuilt && alpha == (useMy ? quadrant.alphaNMy : quadrant.alphaNMz)) {
      return std::fabs(useMy ? model.mPlYRd : model.mPlZRd);
    }
    return plasticMomentAt(model, sweep, alpha, useMy);
  };
  for (const auto& axis : axes) {
    const double a = moment(axis.positive, axis.useMy);
    const double b = moment(axis.negative, axis.useMy);
    const double larger = std::fmax(a, b);
    if (!(larger > 0.0)) continue;
    const double difference = std::fabs(a - b) / larger;
    if (!(difference > kSymmetryTolerance)) continue;
    items.push_back(warningItem("6.7.3.1(1)",
                                std::string("the plastic moment resistances about ") + axis.axis +
                                    " for the two signs of the moment differ: the simplified method is meant for "
                                    "doubly symmetric sections, the general method should govern",
                                difference, kSymmetryTolerance));
  }
}

void addSimplifiedMethod(const SectionModel& model, const std::vector<DesignCheckItem>& symmetry,
                         std::vector<DesignCheckItem>& items) {
  const SimplifiedMethodResult& r = model.simplifiedMethod;
  const SectionForces& f = model.designForces;
  if (!r.computed) {
    items.push_back(warningItem("6.7.3", "simplified method not applied: a LINEAR material is in use, the general "
                                         "method decides",
                                std::nan(""), std::nan("")));
    return;
  }
  items.push_back(makeItem("6.7.3.2(3)", "shear force Qy against the plastic shear resistance Qpl,Rd,y",
                           std::fabs(f.qy), std::fabs(model.qPlRdY)));
  items.push_back(makeItem("6.7.3.2(3)", "shear force Qz against the plastic shear resistance Qpl,Rd,z",
                           std::fabs(f.qz), std::fabs(model.qPlRdZ)));
  items.push_back(axialForceItem(model, f.nx));

  const bool declared = model.momentsFromAxialForce;
  for (const auto& [mu, name] : {std::pair{model.mdy, "μdy"}, std::pair{model.mdz, "μdz"}}) {
    if (!declared && mu > 1.0) {
      items.push_back(warningItem("6.7.3.6(2)",
                                  std::string(name) + " above 1.0 taken as 1.0: the input does not declare that the "
                                                      "design moments result directly from the axial force",
                                  mu, 1.0));
    }
  }
  addBendingItems(model, {f.nx, f.my, f.mz}, {model.mPlYRd, model.mPlZRd, model.mdy, model.mdz}, items);
  items.insert(items.end(), symmetry.begin(), symmetry.end());
}

}  // namespace

DesignCheckItem axialForceItem(const SectionModel& model, double nx) {
  const double nPl = nx > 0 ? model.nPlRdMax : model.nPlRdMin;
  return makeItem("6.7.3.2(1)", "axial force against the plastic resistance Npl,Rd on its side", std::fabs(nx),
                  std::fabs(nPl));
}

void addBendingItems(const SectionModel& model, const ForceTriple& f, const BendingResistances& resistances,
                     std::vector<DesignCheckItem>& items) {
  const bool declared = model.momentsFromAxialForce;
  const double muY = usableMu(resistances.mdy, declared);
  const double muZ = usableMu(resistances.mdz, declared);
  const double resistanceY = muY * std::fabs(resistances.mPlYRd);
  const double resistanceZ = muZ * std::fabs(resistances.mPlZRd);
  const double termY = std::fabs(f.my) == 0.0 ? 0.0 : std::fabs(f.my) / resistanceY;
  const double termZ = std::fabs(f.mz) == 0.0 ? 0.0 : std::fabs(f.mz) / resistanceZ;
  items.push_back(makeItem("6.7.3.7(2)", "linear interaction |My,Ed|/(μdy·Mpl,y,Rd) + |Mz,Ed|/(μdz·Mpl,z,Rd) ≤ 1.0",
                           termY + termZ, 1.0));

  const double fyd = highestStructuralSteelStrength(model);
  const double a = alphaM(fyd);
  if (std::isnan(a)) {
    const std::string why = std::isnan(fyd) ? "the section has no structural steel"
                                            : "the structural steel is stronger than S460 (fyd > 460 N/mm²)";
    items.push_back(makeItem("6.7.3.1(1)", "the simplified method of EN 1994-1-1 does not apply: " + why,
                             std::nan(""), 1.0));
  } else {
    items.push_back(makeItem("6.7.3.6(1)", "|My,Ed| ≤ αM·μdy·|Mpl,y,Rd|", std::fabs(f.my), a * resistanceY));
    items.push_back(makeItem("6.7.3.6(1)", "|Mz,Ed| ≤ αM·μdz·|Mpl,z,Rd|", std::fabs(f.mz), a * resistanceZ));
  }
}

namespace {

// The limits of the two bending checks above, with the signs of the
// design moments, for pictures of the moment plane.
BendingLimits bendingLimits(const SectionModel& model) {
  BendingLimits limits;
  if (!model.simplifiedMethod.computed) return limits;
  const bool declared = model.momentsFromAxialForce;
  limits.myResistance = usableMu(model.mdy, declared) * model.mPlYRd;
  limits.mzResistance = usableMu(model.mdz, declared) * model.mPlZRd;
  limits.alphaM = alphaM(highestStructuralSteelStrength(model));
  limits.myLimit = limits.alphaM * limits.myResistance;
  limits.mzLimit = limits.alphaM * limits.mzResistance;
  limits.computed = true;
  return limits;
}

}  // namespace

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
  addSymmetry(model, section.symmetry);
  section.localBuckling = localBucklingItems(model);
  section.fibreArea = fibreAreaItems(model);
  return section;
}

void runDesignCheck(SectionModel& model, double tolerance, const SectionCheckItems* precomputed) {
  runStrainFallback(model, tolerance);
  const SectionCheckItems section = precomputed != nullptr ? *precomputed : sectionCheckItems(model);
  DesignCheck& check = model.designCheck;
  check = DesignCheck{};
  addGeneralMethod(model, check.items);
  addSimplifiedMethod(model, section.symmetry, check.items);
  check.items.insert(check.items.end(), section.localBuckling.begin(), section.localBuckling.end());
  check.items.insert(check.items.end(), section.fibreArea.begin(), section.fibreArea.end());
  addMemberCheck(model, tolerance, section.symmetry, check.items);
  // An item whose numbers are not finite cannot be shown to hold.
  for (DesignCheckItem& item : check.items) {
    if (item.warning) continue;
    if (!std::isfinite(item.value) || !std::isfinite(item.limit) || !std::isfinite(item.utilisation)) item.ok = false;
  }
  check.verdict = true;
  for (const DesignCheckItem& item : check.items) {
    if (!item.warning && !item.ok) check.verdict = false;
  }
  check.governing = governingItem(check.items);
  check.bending = bendingLimits(model);
  check.computed = true;
}

}  // namespace colsec
