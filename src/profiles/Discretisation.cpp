#include "profiles/Discretisation.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/SectionModel.h"

namespace colsec {

namespace {

void sortUnique(std::vector<double>& gridLines) {
  std::sort(gridLines.begin(), gridLines.end());
  // Exact equality only: values a rounding step apart give a thin cell.
  gridLines.erase(std::unique(gridLines.begin(), gridLines.end()), gridLines.end());
}

}  // namespace

std::vector<GridCell> subdivideGridLines(std::vector<double>& gridLines, double feSize) {
  sortUnique(gridLines);
  std::vector<GridCell> cells;
  for (std::size_t i = 1; i < gridLines.size(); ++i) {
    const double a = gridLines[i - 1];
    const double b = gridLines[i];
    const long long n = static_cast<long long>((b - a) / feSize + 1);
    if (n == 0) continue;
    const double w = (b - a) / static_cast<double>(n);
    for (long long k = 0; k < n; ++k) cells.push_back({(a + w * 0.5) + static_cast<double>(k) * w, w});
  }
  return cells;
}

double countGridCells(const std::vector<double>& sortedGridLines, double feSize) {
  double count = 0.0;
  for (std::size_t i = 1; i < sortedGridLines.size(); ++i) {
    const double n = (sortedGridLines[i] - sortedGridLines[i - 1]) / feSize + 1;
    count += n < 1.0 ? 0.0 : std::floor(n);
  }
  return count;
}

GridSize countSectionGrid(const SectionModel& model) {
  std::vector<double> y = model.gridLinesY;
  std::vector<double> z = model.gridLinesZ;
  sortUnique(y);
  sortUnique(z);
  return {countGridCells(y, model.settings.feSize), countGridCells(z, model.settings.feSize)};
}

PointOwner ownerAt(const std::vector<std::unique_ptr<Profile>>& profiles, double y, double z) {
  int bestPriority = -1000;
  PointOwner result;
  for (const auto& profile : profiles) {
    if (profile->material == nullptr || !(profile->material->priority > bestPriority)) continue;
    const CellOwner candidate = profile->classify(y, z);
    if (candidate.material == nullptr) continue;
    result.owner = candidate;
    result.profileNumber = profile->number;
    bestPriority = profile->material->priority;
  }
  return result;
}

namespace {

// The extent of a profile's own grid lines, widened by far more than the
// rounding of any point test, so that a cell centre outside it is surely
// not covered by the profile.
struct Extent {
  double yMin, yMax, zMin, zMax;
  bool contains(double y, double z) const { return yMin <= y && y <= yMax && zMin <= z && z <= zMax; }
};

Extent extentOf(const Profile& profile) {
  std::vector<double> ys;
  std::vector<double> zs;
  profile.addGridLines(ys, zs);
  // A profile without edges along an axis is asked everywhere along it.
  static constexpr double kAll = std::numeric_limits<double>::infinity();
  const auto range = [](const std::vector<double>& lines) {
    if (lines.empty()) return std::pair{-kAll, kAll};
    const auto [low, high] = std::minmax_element(lines.begin(), lines.end());
    const double pad = 1e-6 * (std::fmax(std::fabs(*low), std::fabs(*high)) + 1.0);
    return std::pair{*low - pad, *high + pad};
  };
  const auto [yMin, yMax] = range(ys);
  const auto [zMin, zMax] = range(zs);
  return {yMin, yMax, zMin, zMax};
}

std::vector<double> cubes(const std::vector<GridCell>& cells) {
  std::vector<double> result;
  result.reserve(cells.size());
  for (const GridCell& c : cells) result.push_back(std::pow(c.width, 3));
  return result;
}

}  // namespace

void discretise(SectionModel& model) {
  const std::vector<GridCell> yCells = subdivideGridLines(model.gridLinesY, model.settings.feSize);
  const std::vector<GridCell> zCells = subdivideGridLines(model.gridLinesZ, model.settings.feSize);
  const std::vector<double> yCubes = cubes(yCells);
  const std::vector<double> zCubes = cubes(zCells);
  // Each profile is asked only for the cells within its extent; the result
  // is that of ownerAt over all profiles for every cell.
  std::vector<const Profile*> ranked;
  std::vector<Extent> extents;
  for (const auto& profile : model.profiles) {
    if (profile->material == nullptr || !(profile->material->priority > -1000)) continue;
    ranked.push_back(profile.get());
    extents.push_back(extentOf(*profile));
  }
  // Pages are touched only as elements are added.
  model.elements.reserve(yCells.size() * zCells.size());
  std::vector<std::size_t> row;
  for (std::size_t i = 0; i < yCells.size(); ++i) {
    const GridCell& cy = yCells[i];
    row.clear();
    for (std::size_t k = 0; k < ranked.size(); ++k) {
      if (extents[k].yMin <= cy.centre && cy.centre <= extents[k].yMax) row.push_back(k);
    }
    if (row.empty()) continue;
    for (std::size_t j = 0; j < zCells.size(); ++j) {
      const GridCell& cz = zCells[j];
      int bestPriority = -1000;
      CellOwner owner;
      std::int32_t ownerProfile = 0;
      for (const std::size_t k : row) {
        const Profile& profile = *ranked[k];
        if (!(profile.material->priority > bestPriority) || !extents[k].contains(cy.centre, cz.centre)) continue;
        const CellOwner candidate = profile.classify(cy.centre, cz.centre);
        if (candidate.material == nullptr) continue;
        owner = candidate;
        ownerProfile = profile.number;
        bestPriority = profile.material->priority;
      }
      if (owner.material != nullptr) {
        model.elements.emplace_back(cy.centre, cz.centre, cy.width, cz.width, yCubes[i], zCubes[j], owner,
                                    ownerProfile);
      }
    }
  }
}

}  // namespace colsec
