#include "member/MemberCheck.h"

#include <cmath>
#include <string>

#include "analysis/StrainFallback.h"
#include "check/DesignCheck.h"
#include "check/DesignCheckParts.h"
#include "check/SectionClassification.h"
#include "interaction/ExactResistance.h"
#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"

namespace colsec {

namespace {

constexpr double kPiSquared = 9.869604401089358;  // π²
constexpr double kKe = 0.6;                       // 6.7.3.3 (3)
constexpr double kK0 = 0.9;                       // 6.7.3.4 (2)
constexpr double kKeII = 0.5;                     // 6.7.3.4 (2)
constexpr double kSlendernessLimit = 2.0;         // 6.7.3.1 (1)

const char* axisName(int axis) { return axis == 0 ? "y" : "z"; }

// Sums over the elements in sequence order, split by the part each
// material plays: Ea·Ia + Es·Is and Ecm·Ic about both axes, Npl,Rk and
// Npl,Rd in compression, the areas of reinforcement and concrete.
struct MemberSums {
  bool applicable = true;  // false when a law has no place here (LINEAR)
  double steelEI[2] = {0.0, 0.0};
  double concreteEI[2] = {0.0, 0.0};  // with Ecm
  double nplRk = 0.0;
  double nplRd = 0.0;
  double reinforcementArea = 0.0;
  double concreteArea = 0.0;
};

// The part a material plays in the member sums.
struct MaterialRole {
  bool known = false;  // one of the laws with a plastic strength (not LINEAR)
  double steelE = 0.0;
  double concreteE = 0.0;  // Ecm
  double gamma = 0.0;
  bool reinforcement = false;
  bool concrete = false;
};

MaterialRole roleOf(const Material& material, const MemberInput& input) {
  if (const auto* a = dynamic_cast<const Steel1993_543*>(&material); a != nullptr) {
    return {true, a->E, 0.0, input.gammaA, false, false};
  }
  if (const auto* s = dynamic_cast<const Steel1992_327b*>(&material); s != nullptr) {
    return {true, s->E, 0.0, input.gammaS, true, false};
  }
  if (const auto* c = dynamic_cast<const Concrete1992_3171*>(&material); c != nullptr) {
    return {true, 0.0, c->E, input.gammaC, false, true};
  }
  if (const auto* b = dynamic_cast<const Concrete1992_3172*>(&material); b != nullptr) {
    return {true, 0.0, b->E, input.gammaC, false, true};
  }
  return {};
}

MemberSums memberSums(const SectionModel& model, const MemberInput& input) {
  MemberSums sums;
  const Material* last = nullptr;
  MaterialRole role;
  for (const Element& e : model.elements) {
    if (e.material != last) {
      last = e.material;
      role = roleOf(*e.material, input);
    }
    if (!role.known) {
      sums.applicable = false;
      continue;
    }
    if (role.reinforcement) sums.reinforcementArea += e.area;
    if (role.concrete) sums.concreteArea += e.area;
    sums.steelEI[0] += role.steelE * e.inertiaY;
    sums.steelEI[1] += role.steelE * e.inertiaZ;
    sums.concreteEI[0] += role.concreteE * e.inertiaY;
    sums.concreteEI[1] += role.concreteE * e.inertiaZ;
    // Characteristic strength: the design strength without shear
    // reduction times its partial factor (for concrete fcd·fcdRedF·γc).
    sums.nplRk += std::fabs(e.material->stressQuery(QueryPlasticLower, 0.0, 0.0)) * e.area * role.gamma;
    sums.nplRd += e.plasticLower.nx;
  }
  sums.nplRd = std::fabs(sums.nplRd);
  return sums;
}

// Table 6.5: the curve of one axis, 0 where the table has none.
char tableCurve(const BucklingSection& section, int axis, double reinforcementRatio) {
  switch (section.kind) {
    case BucklingSectionKind::EncasedISection: {
      const bool major = (axis == 0) == section.majorAxisY;
      return major ? 'b' : 'c';
    }
    case BucklingSectionKind::FilledTube:
      if (reinforcementRatio <= 0.03) return 'a';
      if (reinforcementRatio <= 0.06) return 'b';
      return 0;
    case BucklingSectionKind::NotCovered: return 0;
  }
  return 0;
}

std::string noCurveReason(const BucklingSection& section) {
  if (section.kind == BucklingSectionKind::FilledTube) {
    return "the filled tube's reinforcement ratio ρs = As/Ac exceeds 6 %";
  }
  return "the section is not an encased I-section or a concrete-filled tube with one structural-steel profile";
}

// The exact plastic resistances on the sides of the moments of f at f.nx.
ExactResistances resistancesFor(const SectionModel& model, const SectionCheckItems& sectionItems,
                                const ForceTriple& f) {
  SectionForces forces;
  forces.nx = f.nx;
  forces.my = f.my;
  forces.mz = f.mz;
  return exactResistances(model.elements, sectionItems.plastic, forces);
}

// The general method at f: the full Newton iteration and the fibre limits
// in its state, as the design check does when the report's iteration
// fails. The elements keep their own results.
DesignCheckItem generalMethodItem(const SectionModel& model, const ForceTriple& f, double tolerance,
                                  const FibreTable* fibres) {
  const char* clause = "6.7.2";
  if (!model.shearConverged) {
    return makeItem(clause, "general method: the shear stress distribution did not converge", std::nan(""), 1.0);
  }
  // From the state of the first-order forces, which lies near.
  StrainState start;
  if (model.axialConverged) start = model.strainState;
  if (!model.axialConverged && model.strainFallback.converged) start = model.strainFallback.strainState;
  const StrainFallbackResult state = solveAndCheckStrainState(model.elements, f, tolerance, start, fibres);
  if (!state.converged) {
    const std::string reason = state.beyondResistance ? "the forces lie outside the resistance of the section"
                                                      : "no equilibrium of the strain state was found";
    return makeItem(clause, "general method: " + reason, std::nan(""), 1.0);
  }
  DesignCheckItem item = makeItem(clause,
                                  "general method: fibre limits (concrete strain against εcu, LINEAR stress limits, "
                                  "shear stress against τlim)",
                                  sectionUtilisation(model, &state.strainState), 1.0);
  item.ok = item.ok && state.stressesWithinLimits && state.strainsWithinLimits;
  return item;
}

double governingUtilisation(const MemberSecondOrderCheck& check) {
  return check.governing < 0 ? 0.0 : check.items[check.governing].utilisation;
}

// Utilisations of the two senses that differ by less than this fraction
// differ by the solvers' tolerance and the sampling of the sweeps, not by
// the section: the first sense is kept.
constexpr double kSenseTolerance = 1e-3;

bool clearlyAbove(double a, double b) { return a > b * (1.0 + kSenseTolerance); }

// The worse of two senses of the imperfection: a failing one, else the
// clearly higher governing utilisation (NaN first); where the governing
// utilisations agree (the axial item, the same in both senses, often
// governs) the clearly higher utilisation among the items that differ;
// else the first.
bool worse(const MemberSecondOrderCheck& candidate, const MemberSecondOrderCheck& current) {
  if (candidate.verdict != current.verdict) return !candidate.verdict;
  const double u = governingUtilisation(candidate);
  const double best = governingUtilisation(current);
  if (best != best) return false;
  if (u != u || clearlyAbove(u, best)) return true;
  if (clearlyAbove(best, u) || candidate.items.size() != current.items.size()) return false;
  double candidateHighest = 0.0;
  double currentHighest = 0.0;
  for (std::size_t i = 0; i < candidate.items.size(); ++i) {
    const double a = candidate.items[i].utilisation;
    const double b = current.items[i].utilisation;
    if (a == b) continue;
    candidateHighest = std::fmax(candidateHighest, a);
    currentHighest = std::fmax(currentHighest, b);
  }
  return clearlyAbove(candidateHighest, currentHighest);
}

MemberSecondOrderCheck secondOrderCheck(const SectionModel& model, const SectionCheckItems& sectionItems,
                                        const ForceTriple& f, int plane, double tolerance,
                                        const FibreTable* fibres) {
  MemberSecondOrderCheck check;
  check.imperfectionPlane = plane == 0 ? 'y' : 'z';
  check.forces = f;
  const ExactResistances exact = resistancesFor(model, sectionItems, f);
  check.items.push_back(axialForceItem(exact, f.nx));
  addBendingItems(model, f, exact, check.items);
  check.items.push_back(generalMethodItem(model, f, tolerance, fibres));
  check.verdict = settleItems(check.items);
  check.governing = governingItem(check.items);
  return check;
}

// Short enough at its start for a table column: which imperfection, then
// the governing item, then the moments checked.
std::string secondOrderText(int plane, const MemberSecondOrderCheck& check) {
  std::string text = std::string("second order with e0,") + axisName(plane);
  if (check.governing >= 0) {
    const DesignCheckItem& item = check.items[check.governing];
    text += ": governing " + item.clause + " " + item.what;
  }
  text += plane == 0 ? " (at My,II = k1y·My,Ed + k2y·NEd·e0,y, Mz,II = k1z·Mz,Ed)"
                     : " (at My,II = k1y·My,Ed, Mz,II = k1z·Mz,Ed + k2z·NEd·e0,z)";
  return text;
}

}  // namespace

double bucklingReduction(double lambdaBar, char curve) {
  double alpha = 0.0;
  switch (curve) {
    case 'a': alpha = 0.21; break;
    case 'b': alpha = 0.34; break;
    case 'c': alpha = 0.49; break;
    case 'd': alpha = 0.76; break;
    default: return std::nan("");
  }
  const double phi = 0.5 * (1.0 + alpha * (lambdaBar - 0.2) + lambdaBar * lambdaBar);
  const double chi = 1.0 / (phi + std::sqrt(phi * phi - lambdaBar * lambdaBar));
  return chi > 1.0 ? 1.0 : chi;
}

double imperfectionFraction(char curve) {
  switch (curve) {
    case 'a': return 1.0 / 300.0;
    case 'b': return 1.0 / 200.0;
    case 'c': return 1.0 / 150.0;
    case 'd': return 1.0 / 100.0;
    default: return std::nan("");
  }
}

double endMomentFactor(double r) {
  const double beta = 0.66 + 0.44 * r;
  return beta < 0.44 ? 0.44 : beta;
}

double amplificationFactor(double beta, double nEd, double ncrEff) {
  if (!(nEd > 0.0)) return 1.0;
  if (!(nEd < ncrEff)) return std::nan("");
  const double k = beta / (1.0 - nEd / ncrEff);
  return k < 1.0 ? 1.0 : k;
}

void addMemberCheck(SectionModel& model, double tolerance, const SectionCheckItems& sectionItems,
                    std::vector<DesignCheckItem>& items, const FibreTable* fibres) {
  const MemberInput& input = model.memberInput;
  MemberResult& member = model.member;
  member = MemberResult{};
  if (!input.present) return;
  member.computed = true;
  member.length = input.length;
  std::vector<DesignCheckItem> own;

  const MemberSums sums = memberSums(model, input);
  member.applicable = sums.applicable && model.simplifiedMethod.computed;
  if (!member.applicable) {
    own.push_back(makeItem("6.7.3", "member check not applied: a LINEAR material is in use; buckling and "
                                    "second-order effects are not verified",
                           std::nan(""), 1.0));
  } else {
    member.nplRk = sums.nplRk;
    member.nplRd = sums.nplRd;
    member.reinforcementRatio = sums.reinforcementArea / sums.concreteArea;
    const SectionForces& f = model.designForces;
    const double nEd = f.nx < 0.0 ? -f.nx : 0.0;  // compression, as a magnitude
    // 6.7.3.3 (4): Ec,eff = Ecm/(1 + (NG,Ed/NEd)·φt).
    const double creepFactor = input.creep ? 1.0 / (1.0 + input.permanentRatio * input.phiT) : 1.0;
    if (!input.creep) {
      own.push_back(warningItem("6.7.3.3(4)", "creep not declared (#MEMBER ... CREEP φt NG,Ed/NEd): Ec,eff = Ecm, "
                                              "the long-term stiffness of the concrete is not reduced",
                                std::nan(""), std::nan("")));
    }
    const BucklingSection section = bucklingSection(model);
    const double lcr[2] = {input.lcrY, input.lcrZ};
    const char declared[2] = {input.curveY, input.curveZ};
    const double ratios[2] = {input.ratioY, input.ratioZ};
    bool amplified = true;
    for (int axis = 0; axis < 2; ++axis) {
      MemberAxisResult& a = member.axes[axis];
      const std::string about = std::string("about ") + axisName(axis);
      a.lcr = lcr[axis];
      a.eiEff = sums.steelEI[axis] + kKe * creepFactor * sums.concreteEI[axis];
      a.ncr = kPiSquared * a.eiEff / (a.lcr * a.lcr);
      a.lambdaBar = std::sqrt(member.nplRk / a.ncr);
      a.curve = declared[axis] != 0 ? declared[axis] : tableCurve(section, axis, member.reinforcementRatio);
      a.chi = bucklingReduction(a.lambdaBar, a.curve);
      a.nbRd = a.chi * member.nplRd;
      a.e0 = input.length * imperfectionFraction(a.curve);
      a.eiEffII = kK0 * (sums.steelEI[axis] + kKeII * creepFactor * sums.concreteEI[axis]);
      a.ncrEff = kPiSquared * a.eiEffII / (input.length * input.length);
      a.beta = endMomentFactor(ratios[axis]);
      a.k1 = amplificationFactor(a.beta, nEd, a.ncrEff);
      a.k2 = amplificationFactor(1.0, nEd, a.ncrEff);
      if (a.curve == 0) {
        own.push_back(makeItem("6.7.3.5(2) Table 6.5", "buckling " + about + ": Table 6.5 gives no buckling curve (" +
                                                           noCurveReason(section) + "); declare CURVES <y> <z>",
                               std::nan(""), 1.0));
      } else {
        own.push_back(makeItem("6.7.3.5(2)",
                               "buckling " + about + ": NEd ≤ Nb,Rd = χ·Npl,Rd (curve " + std::string(1, a.curve) +
                                   ", EN 1993-1-1 6.3.1.2)",
                               nEd, a.nbRd, CheckQuantity::Force));
      }
      if (nEd > 0.0) {
        own.push_back(makeItem("6.7.3.1(1)",
                               "relative slenderness " + about + " λ̄ ≤ 2.0 for the simplified method", a.lambdaBar,
                               kSlendernessLimit));
      }
      if (std::isnan(a.k1) || std::isnan(a.k2)) {
        amplified = false;
        DesignCheckItem item = makeItem("6.7.3.4(5)",
                                        "second-order amplification " + about +
                                            ": NEd reaches Ncr,eff = π²(EI)eff,II/L², no second-order equilibrium",
                                        nEd, a.ncrEff, CheckQuantity::Force);
        item.ok = false;
        own.push_back(item);
      }
    }

    // 6.7.3.7 (1): the imperfection in one plane at a time, in the sense of
    // the first-order moment in it; both senses where that moment is 0 (no
    // sense is known to be unfavourable) or the section is not symmetric
    // (its moment resistances differ by sign).
    const bool asymmetric = !sectionItems.symmetry.empty();
    for (int plane = 0; plane < 2; ++plane) {
      MemberSecondOrderCheck& chosen = member.checks[plane];
      chosen.imperfectionPlane = plane == 0 ? 'y' : 'z';
      const MemberAxisResult& y = member.axes[0];
      const MemberAxisResult& z = member.axes[1];
      const bool imperfection = std::isfinite(plane == 0 ? y.e0 : z.e0);
      if (!amplified || !imperfection) {
        const char* why = !amplified ? "NEd reaches Ncr,eff" : "no buckling curve, so no member imperfection e0";
        own.push_back(makeItem("6.7.3.4",
                               std::string("second order with e0,") + axisName(plane) + ": no check possible, " + why,
                               std::nan(""), 1.0));
        continue;
      }
      const double firstOrder = plane == 0 ? f.my : f.mz;
      const double sense = firstOrder < 0.0 ? -1.0 : 1.0;
      const bool bothSenses = asymmetric || firstOrder == 0.0;
      bool first = true;
      for (const double s : {sense, -sense}) {
        if (!first && !bothSenses) break;
        ForceTriple second{f.nx, y.k1 * f.my, z.k1 * f.mz};
        if (plane == 0) second.my += s * y.k2 * nEd * y.e0;
        if (plane == 1) second.mz += s * z.k2 * nEd * z.e0;
        MemberSecondOrderCheck check = secondOrderCheck(model, sectionItems, second, plane, tolerance, fibres);
        if (first || worse(check, chosen)) chosen = std::move(check);
        first = false;
      }
      DesignCheckItem item = makeItem("6.7.3.4", secondOrderText(plane, chosen), governingUtilisation(chosen), 1.0);
      item.ok = chosen.verdict;
      own.push_back(item);
    }
  }

  member.verdict = settleItems(own);
  member.firstItem = static_cast<int>(items.size());
  const int governing = governingItem(own);
  member.governing = governing < 0 ? -1 : member.firstItem + governing;
  items.insert(items.end(), own.begin(), own.end());
  member.endItem = static_cast<int>(items.size());
}

}  // namespace colsec
