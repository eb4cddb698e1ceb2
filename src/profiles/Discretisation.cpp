#include "profiles/Discretisation.h"

#include <algorithm>
#include <cmath>

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

void discretise(SectionModel& model) {
  const std::vector<GridCell> yCells = subdivideGridLines(model.gridLinesY, model.settings.feSize);
  const std::vector<GridCell> zCells = subdivideGridLines(model.gridLinesZ, model.settings.feSize);
  for (const GridCell& cy : yCells) {
    for (const GridCell& cz : zCells) {
      const PointOwner point = ownerAt(model.profiles, cy.centre, cz.centre);
      if (point.owner.material != nullptr) {
        model.elements.emplace_back(cy.centre, cz.centre, cy.width, cz.width, point.owner, point.profileNumber);
      }
    }
  }
}

}  // namespace colsec
