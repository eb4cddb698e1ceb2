// The section pictures: the discretised section by material and by the
// utilisation of each element's own stress limit, with the elements beyond
// a limit called out.

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "analysis/StressUtilisation.h"
#include "plot/CellMerge.h"
#include "plot/PageParts.h"
#include "plot/Svg.h"

namespace colsec::plot {

namespace {

// The drawn part of the section plane: the elements' extent and the
// origin, mapped to the picture with one scale for y and z; y to the
// right, z upwards.
struct SectionFrame {
  double yMin = -1.0, yMax = 1.0, zMin = -1.0, zMax = 1.0;  // section extent [mm]
  double vyMin = -1.0, vyMax = 1.0, vzMin = -1.0, vzMax = 1.0;  // with the origin
  double scale = 1.0;  // px per mm
  double x0 = 0.0, y0 = 0.0, width = 0.0, height = 0.0;  // drawing area [px]
  bool empty = true;

  double px(double y) const { return x0 + (y - vyMin) * scale; }
  double pz(double z) const { return y0 + (vzMax - z) * scale; }
};

// Picture units: in print a picture is about 88 mm wide, so 440 units
// give 0.2 mm per unit and the labels of 15 units are 8.5 pt.
constexpr double kSectionWidth = 440.0;
constexpr double kSectionLeft = 92.0;
constexpr double kSectionRight = 34.0;
constexpr double kSectionTop = 30.0;
constexpr double kSectionBottom = 64.0;
constexpr double kSectionArea = kSectionWidth - kSectionLeft - kSectionRight;
// Lower than wide, so that both pictures fit on the first A4 page.
constexpr double kSectionAreaHeight = 230.0;

SectionFrame sectionFrame(const SectionModel& model) {
  SectionFrame f;
  Extent y;
  Extent z;
  for (const Element& e : model.elements) {
    y.add(e.posY - e.dimY / 2);
    y.add(e.posY + e.dimY / 2);
    z.add(e.posZ - e.dimZ / 2);
    z.add(e.posZ + e.dimZ / 2);
  }
  f.empty = y.empty() || z.empty();
  if (!f.empty) {
    f.yMin = y.lo;
    f.yMax = y.hi;
    f.zMin = z.lo;
    f.zMax = z.hi;
  }
  f.vyMin = std::min(f.yMin, 0.0);
  f.vyMax = std::max(f.yMax, 0.0);
  f.vzMin = std::min(f.zMin, 0.0);
  f.vzMax = std::max(f.zMax, 0.0);
  const double spanY = std::max(f.vyMax - f.vyMin, 1e-9);
  const double spanZ = std::max(f.vzMax - f.vzMin, 1e-9);
  f.scale = std::min(kSectionArea / spanY, kSectionAreaHeight / spanZ);
  f.width = spanY * f.scale;
  f.height = spanZ * f.scale;
  f.x0 = kSectionLeft + (kSectionArea - f.width) / 2;
  f.y0 = kSectionTop;
  return f;
}

// Rulers in mm along the bottom and the left edge, the two overall
// dimensions, and the section axes through the origin.
std::string sectionAxes(const SectionFrame& f) {
  std::string s = "<g class=\"ruler\">\n";
  const double bottom = f.y0 + f.height;
  const Ticks ty = niceTicks(f.vyMin, f.vyMax, std::max(2, static_cast<int>(f.width / 55)));
  for (double v : ty.values) {
    if (v < f.vyMin - 1e-9 * ty.step || v > f.vyMax + 1e-9 * ty.step) continue;
    s += line(f.px(v), bottom, f.px(v), bottom + 5, "tick");
    s += text(f.px(v), bottom + 19, formatTick(v, ty.step), "tl", " text-anchor=\"middle\"");
  }
  const Ticks tz = niceTicks(f.vzMin, f.vzMax, std::max(2, static_cast<int>(f.height / 35)));
  for (double v : tz.values) {
    if (v < f.vzMin - 1e-9 * tz.step || v > f.vzMax + 1e-9 * tz.step) continue;
    s += line(f.x0 - 5, f.pz(v), f.x0, f.pz(v), "tick");
    s += text(f.x0 - 8, f.pz(v) + 5, formatTick(v, tz.step), "tl", " text-anchor=\"end\"");
  }
  s += line(f.x0, bottom, f.x0 + f.width, bottom, "frame");
  s += line(f.x0, f.y0, f.x0, bottom, "frame");
  s += "</g>\n";
  if (f.empty) return s;

  // Overall dimensions of the section.
  s += "<g class=\"dim\">\n";
  const double dy = bottom + 36;
  const double a = f.px(f.yMin);
  const double b = f.px(f.yMax);
  s += line(a, bottom + 22, a, dy + 4, "ext") + line(b, bottom + 22, b, dy + 4, "ext");
  s += line(a, dy, b, dy, "dimline") + arrowHead(a, dy, -1, 0) + arrowHead(b, dy, 1, 0);
  s += text((a + b) / 2, dy + 16, num(f.yMax - f.yMin) + " mm", "dimtext", " text-anchor=\"middle\"");
  const double dx = f.x0 - 66;
  const double c = f.pz(f.zMax);
  const double d = f.pz(f.zMin);
  s += line(f.x0 - 54, c, dx - 4, c, "ext") + line(f.x0 - 54, d, dx - 4, d, "ext");
  s += line(dx, c, dx, d, "dimline") + arrowHead(dx, c, 0, -1) + arrowHead(dx, d, 0, 1);
  const std::string label = num(f.zMax - f.zMin) + " mm";
  s += text(dx - 6, (c + d) / 2, label, "dimtext",
            " text-anchor=\"middle\" transform=\"rotate(-90 " + coord(dx - 6) + " " + coord((c + d) / 2) + ")\"");
  s += "</g>\n";

  // Section axes y (to the right) and z (upwards) through the origin.
  s += "<g class=\"axes\">\n";
  const double oy = f.pz(0);
  const double ox = f.px(0);
  const double yEnd = f.x0 + f.width + 16;
  const double zEnd = f.y0 - 18;
  s += line(f.x0 - 6, oy, yEnd, oy, "axis") + arrowHead(yEnd, oy, 1, 0);
  s += line(ox, bottom + 6, ox, zEnd, "axis") + arrowHead(ox, zEnd, 0, -1);
  s += text(yEnd - 4, oy - 8, "y", "axislabel");
  s += text(ox + 8, zEnd + 6, "z", "axislabel");
  s += "</g>\n";
  return s;
}

// The line epsX + kappaY·z + kappaZ·y = 0 clipped to the drawing, with
// the compressed side labelled. Empty when there is no line to draw.
std::string neutralAxis(const SectionFrame& f, const StrainState& state, std::string* note) {
  const double ey = state.kappaZ;  // d eps / dy
  const double ez = state.kappaY;  // d eps / dz
  if (!std::isfinite(state.epsX) || !std::isfinite(ey) || !std::isfinite(ez)) {
    *note = "The strain state is not finite; no neutral axis is drawn.";
    return "";
  }
  if (ey == 0.0 && ez == 0.0) {
    *note = "Uniform strain (no curvature): the section has no neutral axis.";
    return "";
  }
  const double y0 = f.vyMin, y1 = f.vyMax, z0 = f.vzMin, z1 = f.vzMax;
  std::vector<std::pair<double, double>> points;
  const auto addPoint = [&](double y, double z) {
    const double ty = (y1 - y0) * 1e-9, tz = (z1 - z0) * 1e-9;
    if (y < y0 - ty || y > y1 + ty || z < z0 - tz || z > z1 + tz) return;
    for (const auto& p : points) {
      if (std::fabs(p.first - y) <= ty && std::fabs(p.second - z) <= tz) return;
    }
    points.emplace_back(std::clamp(y, y0, y1), std::clamp(z, z0, z1));
  };
  if (ez != 0.0) {
    addPoint(y0, -(state.epsX + ey * y0) / ez);
    addPoint(y1, -(state.epsX + ey * y1) / ez);
  }
  if (ey != 0.0) {
    addPoint(-(state.epsX + ez * z0) / ey, z0);
    addPoint(-(state.epsX + ez * z1) / ey, z1);
  }
  if (points.size() < 2) {
    const double centre = state.epsX + ey * (y0 + y1) / 2 + ez * (z0 + z1) / 2;
    *note = std::string("The neutral axis lies outside the section: the whole section is in ") +
            (centre < 0 ? "compression." : "tension.");
    return "";
  }
  // The two points farthest apart.
  std::pair<double, double> a = points[0], b = points[1];
  double best = -1.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    for (std::size_t j = i + 1; j < points.size(); ++j) {
      const double d = std::hypot(points[i].first - points[j].first, points[i].second - points[j].second);
      if (d > best) {
        best = d;
        a = points[i];
        b = points[j];
      }
    }
  }
  const double ax = f.px(a.first), az = f.pz(a.second), bx = f.px(b.first), bz = f.pz(b.second);
  std::string s = "<g class=\"neutral\">\n";
  s += line(ax, az, bx, bz, "na");
  // Compressed side: against the strain gradient, which in picture
  // coordinates is (ey, -ez).
  const double g = std::hypot(ey, ez);
  const double nx = -ey / g, ny = ez / g;
  // Label where the line is farthest from the section axes and their labels.
  double bestT = 0.5, bestClearance = -1.0;
  for (double t : {0.5, 0.35, 0.65, 0.2, 0.8}) {
    const double x = ax + (bx - ax) * t, y = az + (bz - az) * t;
    const double clearance = std::min(std::fabs(x - f.px(0)), std::fabs(y - f.pz(0)));
    if (clearance > bestClearance + 8) {
      bestClearance = clearance;
      bestT = t;
    }
  }
  const double mx = ax + (bx - ax) * bestT, my = az + (bz - az) * bestT;
  const double angle = std::atan2(bz - az, bx - ax) * 180.0 / 3.141592653589793;
  double rotation = angle;
  if (rotation > 90) rotation -= 180;
  if (rotation < -90) rotation += 180;
  const auto rotated = [&](double x, double y, const std::string& label) {
    return text(x, y, label, "nalabel halo",
                " text-anchor=\"middle\" transform=\"rotate(" + coord(rotation) + " " + coord(x) + " " + coord(y) +
                    ")\"");
  };
  s += rotated(mx + nx * 15, my + ny * 15 + 5, "ε < 0");
  s += rotated(mx - nx * 15, my - ny * 15 + 5, "ε > 0");
  s += "</g>\n";
  return s;
}

double minElementPixels(const SectionFrame& f, const SectionModel& model) {
  double smallest = std::numeric_limits<double>::infinity();
  for (const Element& e : model.elements) smallest = std::min({smallest, e.dimY * f.scale, e.dimZ * f.scale});
  return smallest;
}

double sectionHeight(const SectionFrame& f) { return kSectionTop + f.height + kSectionBottom; }

KeyedRect cellOf(const Element& e, int key) {
  return {e.posY - e.dimY / 2, e.posY + e.dimY / 2, e.posZ - e.dimZ / 2, e.posZ + e.dimZ / 2, key};
}

// The cells of one key each merged into rectangles, drawn with the class
// prefix and the key; a stroke of the fill's colour closes the seams that
// antialiasing leaves between neighbours.
std::string drawCells(const SectionFrame& f, const std::vector<KeyedRect>& cells, const std::string& prefix) {
  double span = 0.0;
  for (const KeyedRect& c : cells) span = std::max({span, std::fabs(c.y0), std::fabs(c.y1), std::fabs(c.z0), std::fabs(c.z1)});
  const std::vector<KeyedRect> merged = mergeCells(cells, 1e-9 * std::max(span, 1.0));
  std::string s = "<g class=\"cells\" shape-rendering=\"crispEdges\" data-elements=\"" + std::to_string(cells.size()) +
                  "\" data-shapes=\"" + std::to_string(merged.size()) + "\">\n";
  for (const KeyedRect& r : merged) {
    s += "<rect class=\"" + prefix + std::to_string(r.key) + "\"" + attr("x", f.px(r.y0)) + attr("y", f.pz(r.z1)) +
         attr("width", (r.y1 - r.y0) * f.scale) + attr("height", (r.z1 - r.z0) * f.scale) + "/>\n";
  }
  s += "</g>\n";
  return s;
}

// The outline of every element, where elements are large enough to see.
std::string meshLines(const SectionFrame& f, const SectionModel& model) {
  if (model.elements.size() > 4000 || minElementPixels(f, model) < 3.5) return "";
  std::string d;
  for (const Element& e : model.elements) {
    d += "M" + coord(f.px(e.posY - e.dimY / 2)) + " " + coord(f.pz(e.posZ + e.dimZ / 2)) + "h" +
         coord(e.dimY * f.scale) + "v" + coord(e.dimZ * f.scale) + "h" + coord(-e.dimY * f.scale) + "z";
  }
  return "<path class=\"mesh\" d=\"" + d + "\"/>\n";
}

std::string materialPicture(const PageData& data, const SectionFrame& f, std::string* note) {
  const SectionModel& model = data.model;
  std::string s = svgOpen(kSectionWidth, sectionHeight(f), "discretised section coloured by material");
  std::vector<KeyedRect> cells;
  cells.reserve(model.elements.size());
  for (std::size_t i = 0; i < model.elements.size(); ++i) cells.push_back(cellOf(model.elements[i], data.materialIndex[i]));
  s += drawCells(f, cells, "m");
  s += meshLines(f, model);
  s += sectionAxes(f);
  s += neutralAxis(f, model.strainState, note);
  s += "</svg>\n";
  return s;
}

// ------------------------------------------------------------ utilisation

// The legend's steps: 20 bands of 0.1 from −1 to 1, then the two marks
// of elements beyond a limit.
constexpr int kBands = 20;
constexpr int kStressBeyond = kBands;
constexpr int kStrainBeyond = kBands + 1;
// No stress at all (concrete in tension): white, apart from the bands.
constexpr int kNoStress = kBands + 2;
const Colour kStressBeyondColour{0xff, 0xd4, 0x00};
const Colour kStrainBeyondColour{0x9c, 0x27, 0xb0};

int band(double utilisation) {
  if (std::isnan(utilisation)) return kBands / 2;
  const double b = std::floor((utilisation + 1.0) / 2.0 * kBands);
  return static_cast<int>(std::clamp(b, 0.0, static_cast<double>(kBands - 1)));
}

double bandCentre(int b) { return -1.0 + (b + 0.5) * 2.0 / kBands; }

Colour bandColour(int b) {
  if (b == kStressBeyond) return kStressBeyondColour;
  if (b == kStrainBeyond) return kStrainBeyondColour;
  if (b == kNoStress) return {0xff, 0xff, 0xff};
  return DivergingScale(1.0).colour(bandCentre(b));
}

int elementKey(const Element& e) {
  if (e.stressExceeded) return kStressBeyond;
  if (e.strainExceeded) return kStrainBeyond;
  const double u = stressUtilisation(e, e.sigX);
  return u == 0.0 ? kNoStress : band(u);
}

// Elements beyond a limit that lie close together, for one callout each.
struct Cluster {
  double y0 = 0.0, y1 = 0.0, z0 = 0.0, z1 = 0.0;  // [mm]
  std::size_t stress = 0;
  std::size_t strain = 0;
  const Element* extreme = nullptr;  // largest |σ / limit|
  double extremeUtilisation = 0.0;
  const Element* deepest = nullptr;  // most compressed beyond the strain limit
};

std::vector<Cluster> beyondClusters(const SectionModel& model, const SectionFrame& f) {
  std::vector<Cluster> clusters;
  // Elements closer than this belong to one callout: 12 picture units.
  const double gap = 12.0 / f.scale;
  for (const Element& e : model.elements) {
    if (!e.stressExceeded && !e.strainExceeded) continue;
    const double y0 = e.posY - e.dimY / 2, y1 = e.posY + e.dimY / 2, z0 = e.posZ - e.dimZ / 2, z1 = e.posZ + e.dimZ / 2;
    Cluster* home = nullptr;
    for (Cluster& c : clusters) {
      if (y0 <= c.y1 + gap && y1 >= c.y0 - gap && z0 <= c.z1 + gap && z1 >= c.z0 - gap) {
        home = &c;
        break;
      }
    }
    if (home == nullptr) {
      if (clusters.size() >= 64) {
        home = &clusters.back();
      } else {
        clusters.push_back({y0, y1, z0, z1, 0, 0, nullptr, 0.0, nullptr});
        home = &clusters.back();
      }
    }
    home->y0 = std::min(home->y0, y0);
    home->y1 = std::max(home->y1, y1);
    home->z0 = std::min(home->z0, z0);
    home->z1 = std::max(home->z1, z1);
    if (e.stressExceeded) {
      ++home->stress;
      const double u = stressUtilisation(e, e.sigX);
      if (home->extreme == nullptr || std::fabs(u) > std::fabs(home->extremeUtilisation)) {
        home->extreme = &e;
        home->extremeUtilisation = u;
      }
    }
    if (e.strainExceeded) {
      ++home->strain;
      if (home->deepest == nullptr || e.epsX < home->deepest->epsX) home->deepest = &e;
    }
  }
  // Boxes that grew into each other become one.
  for (bool joined = true; joined;) {
    joined = false;
    for (std::size_t a = 0; a < clusters.size() && !joined; ++a) {
      for (std::size_t b = a + 1; b < clusters.size() && !joined; ++b) {
        Cluster& p = clusters[a];
        const Cluster& q = clusters[b];
        if (q.y0 <= p.y1 + gap && q.y1 >= p.y0 - gap && q.z0 <= p.z1 + gap && q.z1 >= p.z0 - gap) {
          p.y0 = std::min(p.y0, q.y0);
          p.y1 = std::max(p.y1, q.y1);
          p.z0 = std::min(p.z0, q.z0);
          p.z1 = std::max(p.z1, q.z1);
          p.stress += q.stress;
          p.strain += q.strain;
          if (q.extreme != nullptr && (p.extreme == nullptr || std::fabs(q.extremeUtilisation) > std::fabs(p.extremeUtilisation))) {
            p.extreme = q.extreme;
            p.extremeUtilisation = q.extremeUtilisation;
          }
          if (q.deepest != nullptr && (p.deepest == nullptr || q.deepest->epsX < p.deepest->epsX)) p.deepest = q.deepest;
          clusters.erase(clusters.begin() + static_cast<long>(b));
          joined = true;
        }
      }
    }
  }
  return clusters;
}

std::string calloutLetter(std::size_t k) {
  std::string name;
  for (std::size_t n = k + 1; n > 0; n = (n - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
  return name;
}

// A ring around each cluster and its letter beside it, visible in print.
std::string callouts(const SectionFrame& f, const std::vector<Cluster>& clusters) {
  std::string s = "<g class=\"callouts\">\n";
  for (std::size_t k = 0; k < clusters.size(); ++k) {
    const Cluster& c = clusters[k];
    const double x0 = f.px(c.y0) - 5, x1 = f.px(c.y1) + 5, y0 = f.pz(c.z1) - 5, y1 = f.pz(c.z0) + 5;
    const std::string box = attr("x", x0) + attr("y", y0) + attr("width", x1 - x0) + attr("height", y1 - y0) +
                            attr("rx", 4);
    s += "<rect class=\"ring-halo\"" + box + "/>\n<rect class=\"ring\"" + box + "/>\n";
    // The letter above the ring, or below it at the top of the drawing,
    // kept off the rulers.
    const double cx = std::clamp((x0 + x1) / 2, f.x0 + 12, f.x0 + f.width - 12);
    const double cy = y0 - 14 >= f.y0 ? y0 - 14 : y1 + 14;
    s += "<circle class=\"tag\"" + attr("cx", cx) + attr("cy", cy) + attr("r", 10) + "/>\n";
    s += text(cx, cy + 5, calloutLetter(k), "tagtext", " text-anchor=\"middle\"");
  }
  s += "</g>\n";
  return s;
}

std::string utilisationLegend(double x0, double y0, double width) {
  std::string s = "<g class=\"colourbar\">\n";
  const double step = width / kBands;
  for (int b = 0; b < kBands; ++b) {
    s += "<rect" + attr("x", x0 + b * step) + attr("y", y0) + attr("width", step + 0.3) + attr("height", 14) +
         " fill=\"" + bandColour(b).hex() + "\"/>\n";
  }
  s += "<rect class=\"barframe\"" + attr("x", x0) + attr("y", y0) + attr("width", kBands * step) + attr("height", 14) +
       "/>\n";
  for (int k = 0; k <= 4; ++k) {
    const double x = x0 + k * kBands / 4 * step;
    s += line(x, y0 + 14, x, y0 + 18, "tick");
    s += text(x, y0 + 32, formatTick(-1.0 + 0.5 * k, 0.5), "tl", " text-anchor=\"middle\"");
  }
  // The two marks beyond the scale, on a row of their own.
  const double y1 = y0 + 40;
  double x = 10;
  for (const auto& [colour, label] : {std::pair{kStressBeyondColour, "σ beyond its limit"},
                                      std::pair{kStrainBeyondColour, "ε beyond εcu"}}) {
    s += "<rect" + attr("x", x) + attr("y", y1) + attr("width", 22) + attr("height", 14) + " fill=\"" +
         colour.hex() + "\" stroke=\"#555\" stroke-width=\"0.8\"/>\n";
    s += text(x + 28, y1 + 12, label, "tl");
    x += 28 + textWidth(label, 14.5) + 18;
  }
  return s + "</g>\n";
}

std::string utilisationPicture(const PageData& data, const SectionFrame& f, const std::vector<Cluster>& clusters) {
  const SectionModel& model = data.model;
  const double legendTop = sectionHeight(f) + 2;
  std::string s = svgOpen(kSectionWidth, legendTop + 58, "section coloured by the utilisation of each element's stress limit");
  std::vector<KeyedRect> cells;
  cells.reserve(model.elements.size());
  for (const Element& e : model.elements) cells.push_back(cellOf(e, elementKey(e)));
  s += drawCells(f, cells, "u");
  s += sectionAxes(f);
  std::string ignored;
  s += neutralAxis(f, model.strainState, &ignored);
  s += callouts(f, clusters);
  s += utilisationLegend(kSectionLeft - 30, legendTop, kSectionWidth - kSectionLeft + 10);
  s += "</svg>\n";
  return s;
}

std::string clusterText(const PageData& data, const Cluster& c) {
  std::string s;
  if (c.stress > 0) {
    s += std::to_string(c.stress) + (c.stress == 1 ? " element" : " elements") + " beyond the stress limit";
    if (c.extreme != nullptr) {
      const MaterialStyle* style = nullptr;
      for (const MaterialStyle& m : data.materials) {
        if (m.material == c.extreme->material) style = &m;
      }
      s += ", at most σ/limit = " + ratioText(c.extremeUtilisation) + " (σx = " + num(c.extreme->sigX) +
           " N/mm² at y = " + num(c.extreme->posY) + ", z = " + num(c.extreme->posZ) + " mm";
      if (style != nullptr) s += ", material " + std::to_string(style->material->number);
      s += ")";
      // Shear alone can put an element beyond its limits.
      if (std::fabs(c.extremeUtilisation) <= 1.0) s += " — the shear stress exceeds its limit";
    }
  }
  if (c.strain > 0) {
    if (!s.empty()) s += "; ";
    s += std::to_string(c.strain) + (c.strain == 1 ? " element" : " elements") + " compressed beyond the ultimate strain";
    if (c.deepest != nullptr) {
      s += ", at most εx = " + num(c.deepest->epsX) + " against " + num(c.deepest->material->ultimateStrain()) +
           " (y = " + num(c.deepest->posY) + ", z = " + num(c.deepest->posZ) + " mm)";
    }
  }
  s += "; region y " + num(c.y0) + " … " + num(c.y1) + ", z " + num(c.z0) + " … " + num(c.z1) + " mm";
  return s;
}

}  // namespace

std::string utilisationCss() {
  std::string s;
  for (int b = 0; b <= kNoStress; ++b) {
    const std::string hex = bandColour(b).hex();
    s += "svg .u" + std::to_string(b) + " { fill: " + hex + "; stroke: " + hex + "; }\n";
  }
  return s;
}

std::string sectionPictures(const PageData& data) {
  const SectionModel& model = data.model;
  const SectionFrame frame = sectionFrame(model);
  std::string naNote;
  const std::string materials = materialPicture(data, frame, &naNote);
  const std::string feSize = num(model.settings.feSize);

  std::string s = "<h2>Section</h2>\n<div class=\"pair\">\n<figure>\n<h3>Discretised section by material</h3>\n" + materials;
  s += "<ul class=\"legend\">\n";
  for (std::size_t k = 0; k < data.materials.size(); ++k) {
    const MaterialStyle& m = data.materials[k];
    s += "<li><span class=\"box\" style=\"background:" + m.colour.hex() + "\"></span>material " +
         std::to_string(m.material->number) + " (" + escapeXml(m.keyword) + "): " + m.description + ", " +
         std::to_string(data.elementCount[k]) + " elements</li>\n";
  }
  const std::string notConverged =
      model.axialConverged
          ? ""
          : "<b>The strain-state iteration did not converge: strains and stresses are those of its last "
            "iteration, not a solution.</b> ";
  s += "</ul>\n<figcaption>" + notConverged + std::to_string(model.elements.size()) + " elements, element size " +
       feSize + " mm; coordinates in mm. " +
       (naNote.empty() ? std::string("Dash-dotted: the neutral axis (ε = 0) of the solved strain state.")
                       : escapeXml(naNote)) +
       "</figcaption>\n</figure>\n";

  const std::vector<Cluster> clusters = beyondClusters(model, frame);
  s += "<figure>\n<h3>Utilisation of each element's stress limit, σx / limit</h3>\n" +
       utilisationPicture(data, frame, clusters);
  s += "<figcaption>" + notConverged +
       "σx against the limit of the element's own material on the side of σx: shear-reduced f<sub>y</sub> of "
       "structural steel, f<sub>yd</sub> of bars, f<sub>cd</sub> of concrete, LINEAR limits. Red tension, blue "
       "compression, steps of 0.1; white: no stress (concrete in tension); yellow: beyond the stress (or shear) limit; purple: beyond the ultimate strain.";
  if (clusters.empty()) {
    s += " No element is beyond its limits.</figcaption>\n";
  } else {
    s += "</figcaption>\n<ul class=\"callouts\">\n";
    for (std::size_t k = 0; k < clusters.size(); ++k) {
      s += "<li><b>" + calloutLetter(k) + "</b>: " + escapeXml(clusterText(data, clusters[k])) + "</li>\n";
    }
    s += "</ul>\n";
  }
  s += "</figure>\n</div>\n";
  return s;
}

}  // namespace colsec::plot
