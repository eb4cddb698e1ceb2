#include "check/FibreArea.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "model/SectionModel.h"
#include "profiles/CircProfile.h"
#include "profiles/Discretisation.h"
#include "profiles/HEBProfile.h"
#include "profiles/RectProfile.h"

namespace colsec {

namespace {

constexpr double kPi = 3.141592653589793;
// Finer element sizes tried for the suggestion: each 10 % below the last,
// as long as the profile's box holds at most this many cells.
constexpr int kSuggestionSteps = 60;
constexpr double kMaxSuggestionCells = 4e6;

struct Box {
  double yMin, yMax, zMin, zMax;
};

Box boundingBox(const Profile& profile) {
  if (const auto* c = dynamic_cast<const CircProfile*>(&profile)) {
    const double r = c->diameter * 0.5;
    return {c->offsetY - r, c->offsetY + r, c->offsetZ - r, c->offsetZ + r};
  }
  if (const auto* r = dynamic_cast<const RectProfile*>(&profile)) {
    return {-r->B * 0.5, r->B * 0.5, -r->H * 0.5, r->H * 0.5};
  }
  if (const auto* h = dynamic_cast<const HEBProfile*>(&profile)) {
    const double across = h->B * 0.5;
    const double along = h->H * 0.5;
    return h->rotated ? Box{-along, along, -across, across} : Box{-across, across, -along, along};
  }
  return {0.0, 0.0, 0.0, 0.0};
}

bool overlap(const Box& a, const Box& b) {
  return a.yMin < b.yMax && b.yMin < a.yMax && a.zMin < b.zMax && b.zMin < a.zMax;
}

// Whether another profile may own part of this one's area: one of higher
// priority, or of equal priority that comes first, whose box overlaps.
bool overlapped(const SectionModel& model, std::size_t index) {
  const Profile& profile = *model.profiles[index];
  const Box box = boundingBox(profile);
  for (std::size_t k = 0; k < model.profiles.size(); ++k) {
    const Profile& other = *model.profiles[k];
    if (k == index || other.material == nullptr) continue;
    const bool outranks = other.material->priority > profile.material->priority ||
                          (other.material->priority == profile.material->priority && k < index);
    if (outranks && overlap(box, boundingBox(other))) return true;
  }
  return false;
}

std::vector<GridCell> cellsWithin(std::vector<double> lines, double feSize, double from, double to) {
  std::vector<GridCell> cells = subdivideGridLines(lines, feSize);
  std::vector<GridCell> within;
  for (const GridCell& c : cells) {
    if (from <= c.centre && c.centre <= to) within.push_back(c);
  }
  return within;
}

double relativeDeviation(double meshed, double exact) { return meshed / exact - 1.0; }

// The largest of the finer sizes (rounded to two digits) at which the
// meshed area lies within the tolerance; NaN when none does.
double suggestedSize(const SectionModel& model, const Profile& profile, double exact) {
  const Box box = boundingBox(profile);
  double size = model.settings.feSize;
  for (int step = 0; step < kSuggestionSteps; ++step) {
    size *= 0.9;
    const double digits = std::pow(10.0, std::floor(std::log10(size)) - 1.0);
    const double rounded = std::floor(size / digits) * digits;
    const double cells = ((box.yMax - box.yMin) / rounded + 1) * ((box.zMax - box.zMin) / rounded + 1);
    if (cells > kMaxSuggestionCells) break;
    const double deviation = relativeDeviation(meshedProfileArea(model, profile, rounded), exact);
    if (std::fabs(deviation) <= kFibreAreaTolerance) return rounded;
  }
  return std::nan("");
}

}  // namespace

double exactProfileArea(const Profile& profile) {
  if (const auto* c = dynamic_cast<const CircProfile*>(&profile)) {
    const double outer = kPi * c->diameter * c->diameter / 4.0;
    if (!c->hollow) return outer;
    const double di = c->diameter - 2.0 * c->t;
    return outer - kPi * di * di / 4.0;
  }
  if (const auto* r = dynamic_cast<const RectProfile*>(&profile)) {
    // Rounded corners take (4 − π)·r² off the rectangle.
    const double outer = r->H * r->B - (4.0 - kPi) * r->r * r->r;
    if (!r->hollow) return outer;
    const double ri = std::max(r->r - r->t, 0.0);
    return outer - ((r->H - 2.0 * r->t) * (r->B - 2.0 * r->t) - (4.0 - kPi) * ri * ri);
  }
  if (const auto* h = dynamic_cast<const HEBProfile*>(&profile)) {
    // Two flanges, the web between them and four root fillets.
    return 2.0 * h->B * h->tg + (h->H - 2.0 * h->tg) * h->ts + (4.0 - kPi) * h->r * h->r;
  }
  return std::nan("");
}

double meshedProfileArea(const SectionModel& model, const Profile& profile, double feSize) {
  const Box box = boundingBox(profile);
  const std::vector<GridCell> yCells = cellsWithin(model.gridLinesY, feSize, box.yMin, box.yMax);
  const std::vector<GridCell> zCells = cellsWithin(model.gridLinesZ, feSize, box.zMin, box.zMax);
  double area = 0.0;
  for (const GridCell& cy : yCells) {
    for (const GridCell& cz : zCells) {
      if (profile.classify(cy.centre, cz.centre).material != nullptr) area += cy.width * cz.width;
    }
  }
  return area;
}

std::vector<DesignCheckItem> fibreAreaItems(const SectionModel& model) {
  std::vector<DesignCheckItem> items;
  for (std::size_t index = 0; index < model.profiles.size(); ++index) {
    const Profile& profile = *model.profiles[index];
    if (profile.material == nullptr || overlapped(model, index)) continue;
    const double exact = exactProfileArea(profile);
    if (!(exact > 0.0)) continue;
    const double meshed = meshedProfileArea(model, profile, model.settings.feSize);
    const double deviation = relativeDeviation(meshed, exact);
    if (std::fabs(deviation) <= kFibreAreaTolerance) continue;
    std::ostringstream what;
    what << "fibre area of profile " << profile.number << ": " << meshed << " mm² meshed against " << exact
         << " mm² exact";
    const double size = suggestedSize(model, profile, exact);
    if (std::isnan(size)) {
      what << "; no finer element size tried brings it within 2 %";
    } else {
      what << "; an element size of " << size << " mm brings it within 2 %";
    }
    DesignCheckItem item;
    item.clause = "fibres";
    item.what = what.str();
    item.value = deviation;
    item.limit = kFibreAreaTolerance;
    item.utilisation = std::fabs(deviation) / kFibreAreaTolerance;
    item.ok = false;
    item.warning = true;
    items.push_back(item);
  }
  return items;
}

}  // namespace colsec
