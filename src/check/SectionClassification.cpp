#include "check/SectionClassification.h"

#include <cmath>
#include <limits>
#include <sstream>

#include "materials/MaterialLaws.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/SectionModel.h"
#include "profiles/CircProfile.h"
#include "profiles/Discretisation.h"
#include "profiles/HEBProfile.h"
#include "profiles/RectProfile.h"

namespace colsec {

namespace {

// How far outside a face a point must be concrete for the face to count
// as covered [mm].
constexpr double kCoverProbe = 1.0;

bool isConcreteAt(const SectionModel& model, double y, double z) {
  const Material* owner = ownerAt(model.profiles, y, z).owner.material;
  if (owner == nullptr) return false;
  const MaterialLaw* law = lawOf(*owner);
  return law != nullptr && law->kind == MaterialConcrete;
}

DesignCheckItem slendernessItem(const char* clause, const std::string& what, double ratio, double limit) {
  DesignCheckItem item;
  item.clause = clause;
  item.what = what;
  item.value = ratio;
  item.limit = limit;
  item.utilisation = ratio / limit;
  item.ok = item.utilisation <= 1.0;
  return item;
}

std::string profileName(const Profile& profile, const char* shape) {
  std::ostringstream text;
  text << "profile " << profile.number << " (" << shape << ")";
  return text.str();
}

void classifyTube(const SectionModel& model, const CircProfile& tube, double epsilon2,
                  std::vector<DesignCheckItem>& items) {
  const std::string name = profileName(tube, "circular tube");
  const double ratio = tube.diameter / tube.t;
  // Filled: concrete at the centre or just inside the wall (a steel core
  // may take the centre).
  const double inside = tube.diameter * 0.5 - tube.t - kCoverProbe;
  const bool filled = isConcreteAt(model, tube.offsetY, tube.offsetZ) ||
                      isConcreteAt(model, tube.offsetY + inside, tube.offsetZ) ||
                      isConcreteAt(model, tube.offsetY - inside, tube.offsetZ) ||
                      isConcreteAt(model, tube.offsetY, tube.offsetZ + inside) ||
                      isConcreteAt(model, tube.offsetY, tube.offsetZ - inside);
  if (filled) {
    items.push_back(slendernessItem("6.7.1(9) Table 6.3", "local buckling of " + name + ", concrete-filled: d/t ≤ 90·235/fy",
                                    ratio, 90.0 * epsilon2));
  } else {
    items.push_back(slendernessItem("EN 1993-1-1 Table 5.2", "local buckling of " + name + " without concrete, class 2: d/t ≤ 70·ε²",
                                    ratio, 70.0 * epsilon2));
  }
}

void classifyBox(const SectionModel& model, const RectProfile& box, double epsilon,
                 std::vector<DesignCheckItem>& items) {
  const std::string name = profileName(box, "rectangular tube");
  const double h = std::fmax(box.H, box.B);
  const double insideY = box.B * 0.5 - box.t - kCoverProbe;
  const double insideZ = box.H * 0.5 - box.t - kCoverProbe;
  const bool filled = isConcreteAt(model, 0.0, 0.0) || isConcreteAt(model, insideY, 0.0) ||
                      isConcreteAt(model, -insideY, 0.0) || isConcreteAt(model, 0.0, insideZ) ||
                      isConcreteAt(model, 0.0, -insideZ);
  if (filled) {
    items.push_back(slendernessItem("6.7.1(9) Table 6.3",
                                    "local buckling of " + name + ", concrete-filled: h/t ≤ 52·ε for the wider wall",
                                    h / box.t, 52.0 * epsilon));
  } else {
    items.push_back(slendernessItem("EN 1993-1-1 Table 5.2",
                                    "local buckling of " + name + " without concrete, class 2: c/t ≤ 38·ε, c = h − 3t",
                                    (h - 3.0 * box.t) / box.t, 38.0 * epsilon));
  }
}

enum class Encasement { Full, Web, None };

Encasement encasementOf(const SectionModel& model, const HEBProfile& section) {
  // a along the height, b across it; point(a, b) gives (y, z).
  const auto point = [&](double a, double b) {
    return section.rotated ? std::pair{a, b} : std::pair{b, a};
  };
  const auto concrete = [&](double a, double b) {
    const auto [y, z] = point(a, b);
    return isConcreteAt(model, y, z);
  };
  const double h2 = section.H * 0.5;
  const double b2 = section.B * 0.5;
  const double flangeMid = h2 - section.tg * 0.5;
  const bool covered = concrete(h2 + kCoverProbe, 0.0) && concrete(-h2 - kCoverProbe, 0.0) &&
                       concrete(flangeMid, b2 + kCoverProbe) && concrete(flangeMid, -b2 - kCoverProbe) &&
                       concrete(-flangeMid, b2 + kCoverProbe) && concrete(-flangeMid, -b2 - kCoverProbe);
  if (covered) return Encasement::Full;
  const double betweenFlanges = (section.ts * 0.5 + b2) * 0.5;
  const bool encasedWeb = concrete(0.0, betweenFlanges) && concrete(0.0, -betweenFlanges);
  return encasedWeb ? Encasement::Web : Encasement::None;
}

void classifyISection(const SectionModel& model, const HEBProfile& section, double epsilon,
                      std::vector<DesignCheckItem>& items) {
  const Encasement encasement = encasementOf(model, section);
  if (encasement == Encasement::Full) return;  // fully encased: 6.7.5.1 (2), no slenderness limit
  const std::string name = profileName(section, "I-section");
  if (encasement == Encasement::Web) {
    items.push_back(slendernessItem("6.7.1(9) Table 6.3",
                                    "local buckling of " + name + ", partially encased: b/tf ≤ 44·ε",
                                    section.B / section.tg, 44.0 * epsilon));
    return;
  }
  const double outstand = (section.B - section.ts - 2.0 * section.r) * 0.5;
  items.push_back(slendernessItem("EN 1993-1-1 Table 5.2",
                                  "local buckling of " + name + " without concrete, outstand flange, class 2: c/tf ≤ 10·ε",
                                  outstand / section.tg, 10.0 * epsilon));
  const double web = section.H - 2.0 * section.tg - 2.0 * section.r;
  items.push_back(slendernessItem("EN 1993-1-1 Table 5.2",
                                  "local buckling of " + name + " without concrete, web in compression, class 2: c/tw ≤ 38·ε",
                                  web / section.ts, 38.0 * epsilon));
}

}  // namespace

bool hasStructuralShape(const Profile& profile) {
  if (const auto* circle = dynamic_cast<const CircProfile*>(&profile); circle != nullptr) return circle->hollow;
  return true;
}

double steelYieldStrength(const Material& material) {
  if (const auto* steel = dynamic_cast<const Steel1993_543*>(&material); steel != nullptr) return steel->fyd;
  if (const auto* bar = dynamic_cast<const Steel1992_327b*>(&material); bar != nullptr) return bar->fyd;
  return std::numeric_limits<double>::quiet_NaN();
}

double highestStructuralSteelStrength(const SectionModel& model) {
  double fyd = std::numeric_limits<double>::quiet_NaN();
  for (const auto& profile : model.profiles) {
    if (profile->material == nullptr || !hasStructuralShape(*profile)) continue;
    const double f = steelYieldStrength(*profile->material);
    if (!std::isnan(f) && !(f <= fyd)) fyd = f;
  }
  return fyd;
}

std::vector<DesignCheckItem> profileRoleItems(const SectionModel& model) {
  std::vector<DesignCheckItem> items;
  for (const auto& profile : model.profiles) {
    if (profile->material == nullptr) continue;
    const bool structural = hasStructuralShape(*profile);
    const bool reinforcingLaw = dynamic_cast<const Steel1992_327b*>(profile->material) != nullptr;
    const bool structuralLaw = dynamic_cast<const Steel1993_543*>(profile->material) != nullptr;
    std::ostringstream what;
    what << "profile " << profile->number;
    if (structural && reinforcingLaw) {
      what << ": the shape of structural steel with the reinforcing-steel law (Steel1992_327b), counted as "
              "structural steel (αM, Table 6.3, EN 1993-1-1 Table 5.2); the law carries no shear";
    } else if (!structural && structuralLaw) {
      what << ": a solid circle, a bar, with the structural-steel law (Steel1993_543), counted as reinforcement "
              "(no αM, no local buckling); the law carries shear";
    } else {
      continue;
    }
    DesignCheckItem item;
    item.clause = "profiles";
    item.what = what.str();
    item.warning = true;
    items.push_back(item);
  }
  return items;
}

std::vector<DesignCheckItem> localBucklingItems(const SectionModel& model) {
  std::vector<DesignCheckItem> items;
  for (const auto& profile : model.profiles) {
    if (profile->material == nullptr || !hasStructuralShape(*profile)) continue;
    const double fyd = steelYieldStrength(*profile->material);
    if (std::isnan(fyd)) continue;
    // ε = √(235/fy) with the design yield strength (γM0 = 1.0).
    const double epsilon2 = 235.0 / fyd;
    const double epsilon = std::sqrt(epsilon2);
    if (const auto* tube = dynamic_cast<const CircProfile*>(profile.get()); tube != nullptr && tube->hollow) {
      classifyTube(model, *tube, epsilon2, items);
    } else if (const auto* box = dynamic_cast<const RectProfile*>(profile.get()); box != nullptr && box->hollow) {
      classifyBox(model, *box, epsilon, items);
    } else if (const auto* section = dynamic_cast<const HEBProfile*>(profile.get()); section != nullptr) {
      classifyISection(model, *section, epsilon, items);
    }
  }
  return items;
}

namespace {

// Concrete just inside the inner face of a tube, at any of its four sides:
// a bar in the middle does not make a filled tube empty.
bool filledInside(const SectionModel& model, double centreY, double centreZ, double innerHalfY, double innerHalfZ) {
  const double y = innerHalfY - kCoverProbe;
  const double z = innerHalfZ - kCoverProbe;
  return isConcreteAt(model, centreY + y, centreZ) || isConcreteAt(model, centreY - y, centreZ) ||
         isConcreteAt(model, centreY, centreZ + z) || isConcreteAt(model, centreY, centreZ - z);
}

}  // namespace

BucklingSection bucklingSection(const SectionModel& model) {
  const Profile* steelProfile = nullptr;
  for (const auto& profile : model.profiles) {
    if (dynamic_cast<const Steel1993_543*>(profile->material) == nullptr) continue;
    if (steelProfile != nullptr) return {};  // two steel profiles: not in Table 6.5's rows used here
    steelProfile = profile.get();
  }
  if (steelProfile == nullptr) return {};
  if (const auto* section = dynamic_cast<const HEBProfile*>(steelProfile); section != nullptr) {
    if (encasementOf(model, *section) == Encasement::None) return {};
    // Unrotated, the web runs along z: the major axis is y.
    return {BucklingSectionKind::EncasedISection, !section->rotated};
  }
  if (const auto* tube = dynamic_cast<const CircProfile*>(steelProfile); tube != nullptr && tube->hollow) {
    const double inner = tube->diameter * 0.5 - tube->t;
    if (filledInside(model, tube->offsetY, tube->offsetZ, inner, inner)) return {BucklingSectionKind::FilledTube, true};
  }
  if (const auto* box = dynamic_cast<const RectProfile*>(steelProfile); box != nullptr && box->hollow) {
    if (filledInside(model, 0.0, 0.0, box->B * 0.5 - box->t, box->H * 0.5 - box->t)) {
      return {BucklingSectionKind::FilledTube, true};
    }
  }
  return {};
}

}  // namespace colsec
