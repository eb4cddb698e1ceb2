#include "plot/CellMerge.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace colsec::plot {

std::vector<KeyedRect> mergeCells(std::vector<KeyedRect> cells, double gap) {
  std::sort(cells.begin(), cells.end(), [](const KeyedRect& a, const KeyedRect& b) {
    return std::tie(a.y0, a.y1, a.z0) < std::tie(b.y0, b.y1, b.z0);
  });
  std::vector<KeyedRect> merged;
  // Rectangles that the next column may extend, by z0, z1 and key.
  std::map<std::tuple<double, double, int>, std::size_t> open;
  std::map<std::tuple<double, double, int>, std::size_t> next;
  std::size_t i = 0;
  while (i < cells.size()) {
    // One grid column: cells of the same y0 and y1.
    std::size_t end = i;
    while (end < cells.size() && cells[end].y0 == cells[i].y0 && cells[end].y1 == cells[i].y1) ++end;
    next.clear();
    for (std::size_t k = i; k < end;) {
      KeyedRect strip = cells[k];
      ++k;
      while (k < end && cells[k].key == strip.key && std::fabs(cells[k].z0 - strip.z1) <= gap) {
        strip.z1 = cells[k].z1;
        ++k;
      }
      const auto id = std::make_tuple(strip.z0, strip.z1, strip.key);
      const auto found = open.find(id);
      if (found != open.end() && std::fabs(merged[found->second].y1 - strip.y0) <= gap) {
        merged[found->second].y1 = strip.y1;
        next[id] = found->second;
      } else {
        next[id] = merged.size();
        merged.push_back(strip);
      }
    }
    open.swap(next);
    i = end;
  }
  return merged;
}

}  // namespace colsec::plot
