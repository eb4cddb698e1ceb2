#include "plot/PlotPage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"
#include "model/NumberText.h"
#include "plot/Svg.h"
#include "report/Reports.h"

namespace colsec::plot {

namespace {

constexpr double kFont = 12.0;
constexpr double kSmallFont = 11.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Six significant digits, as the report prints numbers.
std::string num(double value) {
  std::string text;
  appendNumber(text, value);
  return text;
}

// A figure as the report prints it, with its unit.
std::string figure(double value, const std::string& unit = "") {
  if (std::isnan(value)) return "nan";
  return num(value) + (unit.empty() ? "" : " " + unit);
}

// Forces in kN and moments in kNm, as the report prints them.
SectionForces inKN(const SectionForces& f) { return {f.nx / 1000, f.my / 1e6, f.mz / 1e6, f.qy / 1000, f.qz / 1000}; }

// The model and how its materials look: materialIndex[i] is the index into
// materials of model.elements[i]; per material its element count and the
// elements beyond a limit.
struct PageData {
  const SectionModel& model;
  std::string title;
  std::string inputName;
  std::vector<MaterialStyle> materials;
  std::vector<int> materialIndex;
  std::vector<std::size_t> elementCount;
  std::vector<std::size_t> beyondCount;
  std::size_t stressesExceeded = 0;  // elements
  std::size_t strainsExceeded = 0;
};

// ----------------------------------------------------------------- section

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

constexpr double kSectionWidth = 520.0;
constexpr double kSectionLeft = 92.0;
constexpr double kSectionRight = 104.0;
constexpr double kSectionTop = 26.0;
constexpr double kSectionBottom = 64.0;
constexpr double kSectionArea = kSectionWidth - kSectionLeft - kSectionRight;

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
  f.scale = std::min(kSectionArea / spanY, kSectionArea / spanZ);
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
  const Ticks ty = niceTicks(f.vyMin, f.vyMax, std::max(2, static_cast<int>(f.width / 70)));
  for (double v : ty.values) {
    if (v < f.vyMin - 1e-9 * ty.step || v > f.vyMax + 1e-9 * ty.step) continue;
    s += line(f.px(v), bottom, f.px(v), bottom + 5, "tick");
    s += text(f.px(v), bottom + 16, formatTick(v, ty.step), "tl", " text-anchor=\"middle\"");
  }
  const Ticks tz = niceTicks(f.vzMin, f.vzMax, std::max(2, static_cast<int>(f.height / 45)));
  for (double v : tz.values) {
    if (v < f.vzMin - 1e-9 * tz.step || v > f.vzMax + 1e-9 * tz.step) continue;
    s += line(f.x0 - 5, f.pz(v), f.x0, f.pz(v), "tick");
    s += text(f.x0 - 8, f.pz(v) + 3.5, formatTick(v, tz.step), "tl", " text-anchor=\"end\"");
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
  s += text((a + b) / 2, dy + 13, num(f.yMax - f.yMin) + " mm", "dimtext", " text-anchor=\"middle\"");
  const double dx = f.x0 - 56;
  const double c = f.pz(f.zMax);
  const double d = f.pz(f.zMin);
  s += line(f.x0 - 44, c, dx - 4, c, "ext") + line(f.x0 - 44, d, dx - 4, d, "ext");
  s += line(dx, c, dx, d, "dimline") + arrowHead(dx, c, 0, -1) + arrowHead(dx, d, 0, 1);
  const std::string label = num(f.zMax - f.zMin) + " mm";
  s += text(dx - 5, (c + d) / 2, label, "dimtext",
            " text-anchor=\"middle\" transform=\"rotate(-90 " + coord(dx - 5) + " " + coord((c + d) / 2) + ")\"");
  s += "</g>\n";

  // Section axes y (to the right) and z (upwards) through the origin.
  s += "<g class=\"axes\">\n";
  const double oy = f.pz(0);
  const double ox = f.px(0);
  const double yEnd = f.x0 + f.width + 22;
  const double zEnd = f.y0 - 16;
  s += line(f.x0 - 6, oy, yEnd, oy, "axis") + arrowHead(yEnd, oy, 1, 0);
  s += line(ox, bottom + 6, ox, zEnd, "axis") + arrowHead(ox, zEnd, 0, -1);
  s += text(yEnd + 3, oy + 4, "y", "axislabel");
  s += text(ox + 6, zEnd + 4, "z", "axislabel");
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
  s += rotated(mx + nx * 13, my + ny * 13 + 3.5, "ε < 0");
  s += rotated(mx - nx * 13, my - ny * 13 + 3.5, "ε > 0");
  s += "</g>\n";
  return s;
}

double minElementPixels(const SectionFrame& f, const SectionModel& model) {
  double smallest = std::numeric_limits<double>::infinity();
  for (const Element& e : model.elements) smallest = std::min({smallest, e.dimY * f.scale, e.dimZ * f.scale});
  return smallest;
}

std::string elementRect(const SectionFrame& f, const Element& e, const std::string& cssClass,
                        const std::string& extra = "") {
  return "<rect class=\"" + cssClass + "\"" + attr("x", f.px(e.posY - e.dimY / 2)) +
         attr("y", f.pz(e.posZ + e.dimZ / 2)) + attr("width", e.dimY * f.scale) + attr("height", e.dimZ * f.scale) +
         extra + "/>\n";
}

double sectionHeight(const SectionFrame& f, double minimumDrawing) {
  return kSectionTop + std::max(f.height, minimumDrawing) + kSectionBottom;
}

std::string materialPicture(const PageData& data, const SectionFrame& f, std::string* note) {
  const SectionModel& model = data.model;
  std::string s = svgOpen(kSectionWidth, sectionHeight(f, 0), "discretised section coloured by material");
  const bool mesh = minElementPixels(f, model) >= 3.5;
  s += std::string("<g class=\"elements") + (mesh ? " mesh" : "") + "\" shape-rendering=\"crispEdges\">\n";
  for (std::size_t i = 0; i < model.elements.size(); ++i) {
    s += elementRect(f, model.elements[i], "el m" + std::to_string(data.materialIndex[i]));
  }
  s += "</g>\n";
  s += sectionAxes(f);
  s += neutralAxis(f, model.strainState, note);
  s += "</svg>\n";
  return s;
}

std::string stressPicture(const PageData& data, const SectionFrame& f, const Ticks& ticks) {
  const SectionModel& model = data.model;
  const DivergingScale scale(std::max(std::fabs(ticks.first()), std::fabs(ticks.last())));
  const double barHeight = std::clamp(f.height, 200.0, kSectionArea);
  std::string s = svgOpen(kSectionWidth, sectionHeight(f, barHeight), "section coloured by the normal stress sigX");
  s += "<g class=\"elements\" shape-rendering=\"crispEdges\">\n";
  for (const Element& e : model.elements) s += elementRect(f, e, "st", " fill=\"" + scale.colour(e.sigX).hex() + "\"");
  s += "</g>\n<g class=\"beyond\">\n";
  for (const Element& e : model.elements) {
    if (e.stressExceeded) s += elementRect(f, e, "xs");
    if (e.strainExceeded && !e.stressExceeded) s += elementRect(f, e, "xe");
  }
  s += "</g>\n";
  s += sectionAxes(f);
  std::string ignored;
  s += neutralAxis(f, model.strainState, &ignored);

  // Colour bar, tension at the top.
  const double bx = f.x0 + f.width + 34;
  const double top = f.y0;
  const LinearScale toBar{scale.limit(), -scale.limit(), top, top + barHeight};
  s += "<g class=\"colourbar\">\n";
  const int steps = 64;
  for (int k = 0; k < steps; ++k) {
    const double v = scale.limit() * (1.0 - (2.0 * k + 1.0) / steps);
    s += "<rect" + attr("x", bx) + attr("y", top + barHeight * k / steps) + attr("width", 14) +
         attr("height", barHeight / steps + 0.3) + " fill=\"" + scale.colour(v).hex() + "\"/>\n";
  }
  s += "<rect class=\"barframe\"" + attr("x", bx) + attr("y", top) + attr("width", 14) + attr("height", barHeight) +
       "/>\n";
  const double spacing = barHeight / std::max<std::size_t>(ticks.values.size() - 1, 1);
  const std::size_t every = spacing >= 13 ? 1 : (spacing >= 6.5 ? 2 : 4);
  for (std::size_t k = 0; k < ticks.values.size(); ++k) {
    const double v = ticks.values[k];
    s += line(bx + 14, toBar(v), bx + 18, toBar(v), "tick");
    if (k % every == 0 || v == 0.0) s += text(bx + 21, toBar(v) + 3.5, formatTick(v, ticks.step), "tl");
  }
  s += text(bx + 7, top - 9, "σx [N/mm²]", "tl", " text-anchor=\"middle\"");
  s += "</g>\n</svg>\n";
  return s;
}

// ------------------------------------------------------------------ charts

struct ChartSeries {
  std::string id;     // class suffix: pt-<id>, c-<id>
  const InteractionCurve* curve = nullptr;
  bool useMy = true;  // x: my (or mz); y: nx, or mz for a My-Mz curve
  bool momentPlane = false;  // x: my, y: mz
};

struct ChartMark {
  double x = kNaN;
  double y = kNaN;
  std::string label;
  std::string kind;  // "design", "resistance" or "closest"
};

std::pair<double, double> seriesPoint(const ChartSeries& s, const CurvePoint& p) {
  if (s.momentPlane) return {p.my / 1e6, p.mz / 1e6};
  return {(s.useMy ? p.my : p.mz) / 1e6, p.nx / 1000};
}

std::string markShape(const ChartMark& m, double x, double y) {
  if (m.kind == "design") {
    return "<path class=\"mk-design\" d=\"M" + coord(x) + " " + coord(y - 6) + " L" + coord(x + 6) + " " + coord(y) +
           " L" + coord(x) + " " + coord(y + 6) + " L" + coord(x - 6) + " " + coord(y) + " Z\"/>\n";
  }
  if (m.kind == "closest") {
    return "<circle class=\"mk-closest\"" + attr("cx", x) + attr("cy", y) + attr("r", 4.5) + "/>\n";
  }
  return "<rect class=\"mk-res\"" + attr("x", x - 3.5) + attr("y", y - 3.5) + attr("width", 7) + attr("height", 7) +
         "/>\n";
}

// An x-y chart of curves with marks. equalScale: one scale for both axes
// (moment plane), so that distances look as they are.
std::string chart(const std::string& label, const std::string& xTitle, const std::string& yTitle,
                  const std::vector<ChartSeries>& series, const std::vector<ChartMark>& marks, bool equalScale,
                  const std::vector<std::pair<std::size_t, std::size_t>>& links) {
  const double width = 520;
  const double left = 70, right = 16, top = 14, bottom = 48;
  double plotWidth = width - left - right;
  double plotHeight = 330;

  Extent ex, ey;
  ex.add(0);
  ey.add(0);
  for (const ChartSeries& s : series) {
    for (const CurvePoint& p : *s.curve) {
      const auto [x, y] = seriesPoint(s, p);
      if (std::isfinite(x) && std::isfinite(y)) {
        ex.add(x);
        ey.add(y);
      }
    }
  }
  for (const ChartMark& m : marks) {
    if (std::isfinite(m.x) && std::isfinite(m.y)) {
      ex.add(m.x);
      ey.add(m.y);
    }
  }
  // A little room around the data, then nice limits.
  const double padX = (ex.hi - ex.lo) * 0.04, padY = (ey.hi - ey.lo) * 0.04;
  Ticks tx = niceTicks(ex.lo - padX, ex.hi + padX, 6);
  Ticks ty = niceTicks(ey.lo - padY, ey.hi + padY, 7);
  double xLeft = left;
  if (equalScale) {
    // One step for both axes, from the wider range; the plot takes the
    // shape of the data, at most square.
    const bool xWider = tx.last() - tx.first() >= ty.last() - ty.first();
    const Ticks& wide = xWider ? tx : ty;
    const double step = wide.step;
    tx = ticksWithStep(ex.lo - padX, ex.hi + padX, step);
    ty = ticksWithStep(ey.lo - padY, ey.hi + padY, step);
    const double side = plotWidth;
    const double scale = side / std::max(tx.last() - tx.first(), ty.last() - ty.first());
    plotWidth = scale * (tx.last() - tx.first());
    plotHeight = scale * (ty.last() - ty.first());
    xLeft = left + (side - plotWidth) / 2;
  }
  const double height = top + plotHeight + bottom;
  const LinearScale sx{tx.first(), tx.last(), xLeft, xLeft + plotWidth};
  const LinearScale sy{ty.first(), ty.last(), top + plotHeight, top};

  std::string s = svgOpen(width, height, label);
  s += "<g class=\"grid\">\n";
  for (double v : tx.values) s += line(sx(v), top, sx(v), top + plotHeight, v == 0.0 ? "zero" : "gridline");
  for (double v : ty.values) s += line(xLeft, sy(v), xLeft + plotWidth, sy(v), v == 0.0 ? "zero" : "gridline");
  s += "<rect class=\"plotframe\"" + attr("x", xLeft) + attr("y", top) + attr("width", plotWidth) +
       attr("height", plotHeight) + "/>\n";
  s += "</g>\n<g class=\"ticks\">\n";
  // Tick labels thinned out where they would touch.
  double lastRight = -1e9;
  for (double v : tx.values) {
    const std::string t = formatTick(v, tx.step);
    const double w = textWidth(t, kSmallFont);
    if (sx(v) - w / 2 < lastRight + 4) continue;
    s += text(sx(v), top + plotHeight + 15, t, "tl", " text-anchor=\"middle\"");
    lastRight = sx(v) + w / 2;
  }
  double lastTop = 1e9;
  for (double v : ty.values) {
    if (sy(v) + 5 > lastTop - 2) continue;
    s += text(xLeft - 6, sy(v) + 3.5, formatTick(v, ty.step), "tl", " text-anchor=\"end\"");
    lastTop = sy(v) - 5;
  }
  s += text(xLeft + plotWidth / 2, top + plotHeight + 36, xTitle, "axistitle", " text-anchor=\"middle\"");
  const double titleX = xLeft - 54;
  s += text(titleX, top + plotHeight / 2, yTitle, "axistitle",
            " text-anchor=\"middle\" transform=\"rotate(-90 " + coord(titleX) + " " + coord(top + plotHeight / 2) +
                ")\"");
  s += "</g>\n";

  for (const ChartSeries& c : series) {
    s += "<g class=\"curve c-" + c.id + "\">\n";
    std::string points;
    const auto flush = [&]() {
      if (!points.empty()) s += "<polyline points=\"" + points + "\"/>\n";
      points.clear();
    };
    for (const CurvePoint& p : *c.curve) {
      const auto [x, y] = seriesPoint(c, p);
      if (!std::isfinite(x) || !std::isfinite(y)) {
        flush();
        continue;
      }
      if (!points.empty()) points += ' ';
      points += coord(sx(x));
      points += ',';
      points += coord(sy(y));
    }
    flush();
    for (const CurvePoint& p : *c.curve) {
      const auto [x, y] = seriesPoint(c, p);
      if (!std::isfinite(x) || !std::isfinite(y)) continue;
      s += "<circle class=\"pt pt-" + c.id + "\"" + attr("cx", sx(x)) + attr("cy", sy(y)) + attr("r", 1.8) + "/>\n";
    }
    s += "</g>\n";
  }

  for (const auto& [from, to] : links) {
    const ChartMark& a = marks[from];
    const ChartMark& b = marks[to];
    if (std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) && std::isfinite(b.y)) {
      s += line(sx(a.x), sy(a.y), sx(b.x), sy(b.y), "link");
    }
  }
  LabelPlacer placer({xLeft + 2, top + 2, xLeft + plotWidth - 2, top + plotHeight - 2});
  s += "<g class=\"marks\">\n";
  for (const ChartMark& m : marks) {
    if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
    placer.reserve({sx(m.x) - 7, sy(m.y) - 7, sx(m.x) + 7, sy(m.y) + 7});
  }
  // Labels keep off the curves: small boxes every few pixels along them.
  for (const ChartSeries& c : series) {
    bool previous = false;
    double px = 0, py = 0;
    for (const CurvePoint& p : *c.curve) {
      const auto [x, y] = seriesPoint(c, p);
      if (!std::isfinite(x) || !std::isfinite(y)) {
        previous = false;
        continue;
      }
      const double qx = sx(x), qy = sy(y);
      const int steps = previous ? std::clamp(static_cast<int>(std::hypot(qx - px, qy - py) / 4), 1, 200) : 1;
      for (int k = 1; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        const double bx = previous ? px + (qx - px) * t : qx, by = previous ? py + (qy - py) * t : qy;
        placer.reserve({bx - 1.5, by - 1.5, bx + 1.5, by + 1.5});
      }
      previous = true;
      px = qx;
      py = qy;
    }
  }
  for (const ChartMark& m : marks) {
    if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
    s += markShape(m, sx(m.x), sy(m.y));
  }
  for (const ChartMark& m : marks) {
    if (!std::isfinite(m.x) || !std::isfinite(m.y)) continue;
    s += placer.place(sx(m.x), sy(m.y), m.label, kFont, "marklabel halo");
  }
  s += "</g>\n</svg>\n";
  return s;
}

std::size_t finitePoints(const InteractionCurve& curve) {
  std::size_t n = 0;
  for (const CurvePoint& p : curve) n += std::isfinite(p.nx) && std::isfinite(p.my) && std::isfinite(p.mz) ? 1 : 0;
  return n;
}

// Small inline swatches for the HTML legends.
std::string lineSwatch(const std::string& cssClass) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"swatch\" viewBox=\"0 0 24 10\"><line class=\"" +
         cssClass + "\" x1=\"1\" y1=\"5\" x2=\"23\" y2=\"5\"/></svg>";
}

std::string markSwatch(const std::string& kind) {
  ChartMark m;
  m.kind = kind;
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"swatch\" viewBox=\"-8 -8 16 16\">" + markShape(m, 0, 0) +
         "</svg>";
}

std::string curveCountText(const InteractionCurve& curve) {
  const std::size_t finite = finitePoints(curve);
  std::string t = std::to_string(curve.size()) + " points";
  if (finite != curve.size()) t += ", " + std::to_string(curve.size() - finite) + " of them nan and not drawn";
  return t;
}

// --------------------------------------------------------------- the page

const char* const kStyle = R"(
@page { size: A4 portrait; margin: 12mm; }
* { box-sizing: border-box; }
body { margin: 0; background: #fff; color: #1d1d1d; font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif;
  font-size: 13px; line-height: 1.35; -webkit-print-color-adjust: exact; print-color-adjust: exact; }
main { max-width: 1140px; margin: 0 auto; padding: 14px 18px 24px; }
h1 { font-size: 21px; margin: 0 0 2px; }
h2 { font-size: 15px; margin: 16px 0 6px; border-bottom: 1px solid #bbb; padding-bottom: 2px; break-after: avoid; }
p.files { margin: 0 0 10px; color: #555; font-size: 12px; }
.verdicts { display: grid; grid-template-columns: 1fr 1fr; gap: 12px; }
.verdict { padding: 7px 10px; border-left: 7px solid #888; background: #f3f3f3; break-inside: avoid; }
.verdict.ok { border-color: #2e7d32; background: #edf6ee; }
.verdict.fail { border-color: #c62828; background: #fbeaea; }
.verdict .method { font-weight: bold; }
.verdict .word { font-size: 17px; font-weight: bold; margin: 3px 0; }
.verdict.ok .word { color: #1b5e20; }
.verdict.fail .word { color: #b71c1c; }
.verdict ul { margin: 2px 0 0; padding-left: 18px; }
.pair { display: grid; grid-template-columns: 1fr 1fr; gap: 12px; }
figure { margin: 0; border: 1px solid #d6d6d6; padding: 6px 8px 8px; break-inside: avoid; page-break-inside: avoid; }
figure h3 { font-size: 13px; margin: 0 0 2px; }
figure > svg { display: block; width: 100%; height: auto; }
figcaption { font-size: 12px; color: #333; }
.legend { list-style: none; margin: 4px 0 0; padding: 0; font-size: 12px; }
.legend li { margin: 1px 0; }
.box { display: inline-block; width: 12px; height: 12px; border: 1px solid #555; vertical-align: -2px; margin-right: 5px; }
svg.swatch { display: inline-block; width: 24px; height: 12px; vertical-align: -2px; margin-right: 5px; overflow: visible; }
.nocurves { border: 1px dashed #999; background: #fafafa; padding: 10px 12px; }
table.figures { border-collapse: collapse; width: 100%; font-size: 12px; }
table.figures th { text-align: left; background: #eee; padding: 3px 6px; }
table.figures td { padding: 2px 6px; border-bottom: 1px solid #e6e6e6; vertical-align: top; }
table.figures td.v { text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums; }
td.ok { color: #1b5e20; font-weight: bold; } td.fail { color: #b71c1c; font-weight: bold; }
h3.tablehead { font-size: 13px; margin: 4px 0 4px; }
.standalone { max-width: 640px; }
footer { margin-top: 14px; font-size: 11px; color: #666; }
svg text { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 12px; fill: #1d1d1d; }
svg .tl { font-size: 11px; fill: #333; }
svg .axistitle { font-size: 12.5px; }
svg .axislabel { font-size: 13px; font-style: italic; }
svg .dimtext { font-size: 11.5px; }
svg .halo { paint-order: stroke; stroke: #fff; stroke-width: 3px; stroke-linejoin: round; }
svg .el, svg .st { stroke: none; }
svg .mesh .el { stroke: #ffffff; stroke-opacity: 0.75; stroke-width: 0.6; }
svg .xs { fill: none; stroke: #000; stroke-width: 1.3; }
svg .xe { fill: none; stroke: #7b1fa2; stroke-width: 1.3; stroke-dasharray: 2 1.5; }
svg .tick, svg .frame { stroke: #555; stroke-width: 0.8; }
svg .ext { stroke: #777; stroke-width: 0.6; }
svg .dimline { stroke: #333; stroke-width: 0.8; }
svg .arrow { fill: #333; stroke: none; }
svg .axis { stroke: #333; stroke-width: 0.9; stroke-dasharray: 10 2 2 2; }
svg .na { stroke: #111; stroke-width: 1.8; stroke-dasharray: 9 3 2 3; }
svg .nalabel { font-size: 11.5px; font-weight: bold; }
svg .barframe { fill: none; stroke: #555; stroke-width: 0.7; }
svg .gridline { stroke: #e4e4e4; stroke-width: 0.8; }
svg .zero { stroke: #8a8a8a; stroke-width: 1; }
svg .plotframe { fill: none; stroke: #999; stroke-width: 0.8; }
svg .curve polyline, svg line.curve { fill: none; stroke-width: 1.7; }
svg .c-NMy polyline, svg .c-NMz polyline, svg line.c-main { stroke: #1f5fa8; }
svg .c-NMy .pt, svg .c-NMz .pt { fill: #1f5fa8; }
svg .c-MyMz polyline, svg line.c-MyMz { stroke: #1f5fa8; }
svg .c-MyMz .pt { fill: #1f5fa8; }
svg .c-MyMzN0 polyline, svg line.c-MyMzN0 { stroke: #8a8a8a; stroke-dasharray: 6 3; }
svg .c-MyMzN0 .pt { fill: #8a8a8a; }
svg .mk-design { fill: #d32f2f; stroke: #000; stroke-width: 0.8; }
svg .mk-res { fill: #333; stroke: none; }
svg .mk-closest { fill: #fff; stroke: #2e7d32; stroke-width: 2; }
svg .link { stroke: #2e7d32; stroke-width: 1.2; stroke-dasharray: 3 2; }
svg .marklabel { font-size: 12px; }
@media print {
  main { max-width: none; padding: 0; }
  body { font-size: 9pt; }
  h2 { margin-top: 8px; }
  section.interaction { break-before: page; }
  figure h3 { font-size: 10pt; }
  .pair, .verdicts { gap: 3mm; }
  figure { padding: 2mm; }
  figcaption, .legend, table.figures { font-size: 7.5pt; }
}
)";

std::string materialCss(const PageData& data) {
  std::string s;
  for (std::size_t k = 0; k < data.materials.size(); ++k) {
    s += "svg .m" + std::to_string(k) + " { fill: " + data.materials[k].colour.hex() + "; }\n";
  }
  return s;
}

std::string row(const std::string& name, const std::string& value, const std::string& extra = "") {
  return "<tr><td>" + name + "</td><td class=\"v\">" + escapeXml(value) + "</td>" + extra + "</tr>\n";
}

std::string generalVerdict(const PageData& data) {
  const SectionModel& model = data.model;
  const bool verified = model.generalMethod.verified;
  std::string s = "<div class=\"verdict " + std::string(verified ? "ok" : "fail") + "\">\n";
  s += "<div class=\"method\">General method, EN 1994-1-1 6.7.2</div>\n";
  s += "<div class=\"word\">" + escapeXml(generalVerdictText(verified)) + "</div>\n<ul>\n";
  s += std::string("<li>shear iteration ") + (model.shearConverged ? "converged" : "<b>did not converge</b>") +
       ", strain-state iteration " + (model.axialConverged ? "converged" : "<b>did not converge</b>") + "</li>\n";
  s += std::string("<li>stresses beyond their limits: ") +
       (!model.stressesWithinLimits
            ? "<b>yes</b> (" + std::to_string(data.stressesExceeded) + " elements outlined black)"
            : "no") +
       "</li>\n";
  s += std::string("<li>strains beyond the ultimate strain: ") +
       (!model.strainsWithinLimits
            ? "<b>yes</b> (" + std::to_string(data.strainsExceeded) + " elements outlined purple)"
            : "no") +
       "</li>\n";
  s += "</ul>\n</div>\n";
  return s;
}

// The report's line in place of the simplified method, without its
// leading line end and blank.
std::string linearMaterialText() { return std::string(kLinearMaterialLine).substr(2); }

std::string simplifiedVerdict(const PageData& data) {
  const SimplifiedMethodResult& m = data.model.simplifiedMethod;
  if (!m.computed) {
    return "<div class=\"verdict\">\n<div class=\"method\">Simplified method, EN 1994-1-1 6.7.3</div>\n"
           "<div class=\"word\">not carried out</div>\n<ul><li>the section uses a LINEAR material, for which no "
           "rigid-plastic interaction curves exist; the report says \xe2\x80\x9c" +
           escapeXml(linearMaterialText()) + "\xe2\x80\x9d</li></ul>\n</div>\n";
  }
  const bool ok = m.methodOk();
  std::string s = "<div class=\"verdict " + std::string(ok ? "ok" : "fail") + "\">\n";
  s += "<div class=\"method\">Simplified method, EN 1994-1-1 6.7.3</div>\n";
  s += "<div class=\"word\">" + std::string(ok ? "all four checks OK" : "NOT all checks met") + "</div>\n<ul>\n";
  const auto item = [](const std::string& name, const RatioCheck& check) {
    const std::string word = escapeXml(checkWord(check.ok));
    return "<li>" + name + " = " + escapeXml(figure(check.ratio)) + ": " + (check.ok ? word : "<b>" + word + "</b>") +
           "</li>\n";
  };
  s += item("shear Q<sub>Ed,y</sub>/Q<sub>pl,Rd,y</sub>", m.shearY);
  s += item("shear Q<sub>Ed,z</sub>/Q<sub>pl,Rd,z</sub>", m.shearZ);
  s += item("axial force N<sub>Ed</sub>/N<sub>pl,Rd</sub>", m.axial);
  s += item("bending [1]+[2] (6.7.3.7 (2))", m.linearSum);
  s += "<li>experimental My-Mz check: utilisation My " + escapeXml(figure(m.closestMy.ratio)) + " " +
       escapeXml(surfaceCheckWord(m.closestMy.ok)) + ", Mz " + escapeXml(figure(m.closestMz.ratio)) + " " +
       escapeXml(surfaceCheckWord(m.closestMz.ok)) + "</li>\n";
  s += "</ul>\n</div>\n";
  return s;
}

std::string keyFigures(const PageData& data) {
  const SectionModel& model = data.model;
  const SectionForces d = inKN(model.designForces);
  const SectionForces r = inKN(model.resultForces);
  const StrainState& state = model.strainState;
  const NeutralAxisPosition& axis = model.generalMethod.neutralAxis;
  std::string s = "<table class=\"figures\">\n";
  s += "<tr><th colspan=\"2\">Design forces</th></tr>\n";
  s += row("N<sub>Ed</sub>", figure(d.nx, "kN"));
  s += row("M<sub>y,Ed</sub> / M<sub>z,Ed</sub>", figure(d.my) + " / " + figure(d.mz, "kNm"));
  s += row("Q<sub>y,Ed</sub> / Q<sub>z,Ed</sub>", figure(d.qy) + " / " + figure(d.qz, "kN"));
  s += "<tr><th colspan=\"2\">General method: solved state</th></tr>\n";
  s += row("carried N / My / Mz", figure(r.nx) + " kN / " + figure(r.my) + " / " + figure(r.mz) + " kNm");
  s += row("carried Qy / Qz", figure(r.qy) + " / " + figure(r.qz) + " kN");
  s += row("ε<sub>x</sub> at the origin", figure(state.epsX));
  s += row("κ<sub>y</sub> / κ<sub>z</sub> [1/mm]", figure(state.kappaY) + " / " + figure(state.kappaZ));
  s += row("neutral axis offset y / z, angle",
           figure(axis.offY) + " / " + figure(axis.offZ) + " mm, " + figure(axis.alphaDeg) + "°");
  if (model.simplifiedMethod.computed) {
    const SimplifiedMethodResult& m = model.simplifiedMethod;
    s += "<tr><th colspan=\"2\">Simplified method: plastic resistances</th></tr>\n";
    s += row("N<sub>pl,Rd,max</sub> / N<sub>pl,Rd,min</sub>",
             figure(model.nPlRdMax / 1000) + " / " + figure(model.nPlRdMin / 1000, "kN"));
    s += row("M<sub>pl,y,Rd</sub> / M<sub>pl,z,Rd</sub>",
             figure(model.mPlYRd / 1e6) + " / " + figure(model.mPlZRd / 1e6, "kNm"));
    s += row("m<sub>dy</sub> / m<sub>dz</sub>", figure(model.mdy) + " / " + figure(model.mdz));
    s += row("Q<sub>pl,Rd,y</sub> / Q<sub>pl,Rd,z</sub>",
             figure(model.qPlRdY / 1000) + " / " + figure(model.qPlRdZ / 1000, "kN"));
    s += row("[1] / [2]", figure(m.linearY.ratio) + " / " + figure(m.linearZ.ratio));
    s += row("closest point My / Mz", figure(m.closestPoint.my / 1e6) + " / " + figure(m.closestPoint.mz / 1e6, "kNm"));
  }
  s += "</table>\n";
  return s;
}

// Per material the extremes the analysis collected.
std::string materialTable(const PageData& data) {
  std::string s = "<table class=\"figures\">\n<tr><th>Material</th><th>elements</th><th>σx min / max "
                  "[N/mm²]</th><th>εx min / max</th><th>beyond limits</th></tr>\n";
  for (std::size_t k = 0; k < data.materials.size(); ++k) {
    const Material& m = *data.materials[k].material;
    const auto range = [](const Element* element, double lo, double hi) {
      return element == nullptr ? std::string("–") : num(lo) + " / " + num(hi);
    };
    s += "<tr><td><span class=\"box\" style=\"background:" + data.materials[k].colour.hex() + "\"></span>" +
         std::to_string(m.number) + " " + escapeXml(data.materials[k].keyword) + "</td><td class=\"v\">" +
         std::to_string(data.elementCount[k]) + "</td><td class=\"v\">" +
         escapeXml(range(m.minSigmaElement, m.minSigma, m.maxSigma)) + "</td><td class=\"v\">" +
         escapeXml(range(m.minEpsElement, m.minEps, m.maxEps)) + "</td><td class=\"v\">" +
         std::to_string(data.beyondCount[k]) + "</td></tr>\n";
  }
  s += "</table>\n";
  return s;
}

std::string curveFigures(const PageData& data) {
  const SectionModel& model = data.model;
  if (!model.simplifiedMethod.computed) {
    return "<div class=\"nocurves\"><b>No interaction curves.</b> The section uses a LINEAR material. Rigid-plastic "
           "interaction curves need a plastic strength on both sides for every material, so the analysis built "
           "none and the simplified method was not carried out; the general method "
           "above is the verification of this section.</div>\n";
  }
  const SectionForces d = inKN(model.designForces);
  const double nPlRdMax = model.nPlRdMax / 1000;
  const double nPlRdMin = model.nPlRdMin / 1000;
  const CurvePoint& closest = model.simplifiedMethod.closestPoint;
  std::string s;

  const auto nmFigure = [&](const char* id, const InteractionCurve& curve, bool useMy) {
    const std::string axis = useMy ? "y" : "z";
    const double mPl = (useMy ? model.mPlYRd : model.mPlZRd) / 1e6;
    const double mEd = useMy ? d.my : d.mz;
    std::vector<ChartMark> marks = {
        {mEd, d.nx, "Ed", "design"},
        {0.0, nPlRdMax, "Npl,Rd,max", "resistance"},
        {0.0, nPlRdMin, "Npl,Rd,min", "resistance"},
        {mPl, 0.0, "Mpl," + axis + ",Rd", "resistance"},
    };
    std::vector<ChartSeries> series = {{id, &curve, useMy, false}};
    std::string f = "<figure>\n<h3>N-M" + axis + " interaction curve</h3>\n";
    f += chart("interaction curve of N and M" + axis, "M" + axis + " [kNm]", "N [kN] (tension positive)", series,
               marks, false, {});
    f += "<ul class=\"legend\">\n";
    f += "<li>" + lineSwatch("curve c-main") + "rigid-plastic N-M" + axis + " curve (" + curveCountText(curve) +
         ")</li>\n";
    f += "<li>" + markSwatch("design") + "design point: M<sub>" + axis + ",Ed</sub> = " + escapeXml(figure(mEd)) +
         " kNm, N<sub>Ed</sub> = " + escapeXml(figure(d.nx)) + " kN</li>\n";
    f += "<li>" + markSwatch("resistance") + "N<sub>pl,Rd,max</sub> = " + escapeXml(figure(nPlRdMax, "kN")) +
         ", N<sub>pl,Rd,min</sub> = " + escapeXml(figure(nPlRdMin, "kN")) + ", M<sub>pl," + axis +
         ",Rd</sub> = " + escapeXml(figure(mPl, "kNm")) + "</li>\n";
    f += "</ul>\n</figure>\n";
    return f;
  };
  s += "<div class=\"pair\">\n";
  s += nmFigure("NMy", model.curveNMy, true);
  s += nmFigure("NMz", model.curveNMz, false);
  s += "</div>\n";

  std::vector<ChartMark> marks = {
      {d.my, d.mz, "Ed", "design"},
      {closest.my / 1e6, closest.mz / 1e6, "closest", "closest"},
  };
  std::vector<ChartSeries> series = {{"MyMzN0", &model.curveMyMzN0, true, true},
                                     {"MyMz", &model.curveMyMz, true, true}};
  std::string f = "<figure>\n<h3>My-Mz interaction curves</h3>\n";
  f += chart("My-Mz interaction curves", "My [kNm]", "Mz [kNm]", series, marks, true, {{0, 1}});
  f += "<ul class=\"legend\">\n";
  f += "<li>" + lineSwatch("curve c-MyMzN0") + "at N = 0 (" + curveCountText(model.curveMyMzN0) + ")</li>\n";
  f += "<li>" + lineSwatch("curve c-MyMz") + "at the design axial force N<sub>Ed</sub> = " +
       escapeXml(figure(d.nx, "kN")) + " (" + curveCountText(model.curveMyMz) + ")</li>\n";
  f += "<li>" + markSwatch("design") + "design point: M<sub>y,Ed</sub> = " + escapeXml(figure(d.my)) +
       " kNm, M<sub>z,Ed</sub> = " + escapeXml(figure(d.mz, "kNm")) + "</li>\n";
  f += "<li>" + markSwatch("closest") + "closest point of the curve at N<sub>Ed</sub> (simplified method): M<sub>y</sub> = " +
       escapeXml(figure(closest.my / 1e6)) + " kNm, M<sub>z</sub> = " + escapeXml(figure(closest.mz / 1e6, "kNm")) +
       "</li>\n";
  if (finitePoints(model.curveMyMz) == 0 && !model.curveMyMz.empty()) {
    f += "<li>N<sub>Ed</sub> lies outside [N<sub>pl,Rd,min</sub>, N<sub>pl,Rd,max</sub>]: there is no My-Mz curve "
         "at the design axial force.</li>\n";
  }
  if (model.curveMyMzN0.empty()) {
    f += "<li>No My-Mz curves: the input asks for no angular subdivisions.</li>\n";
  }
  f += "</ul>\n<figcaption>Both axes at the same scale. The curves run from the angle 0° (bending about y) to 90° "
       "(bending about z).</figcaption>\n</figure>\n";

  s += "<div class=\"pair\">\n" + f + "<div>\n<h3 class=\"tablehead\">Key figures from the report</h3>\n" +
       keyFigures(data) + "</div>\n</div>\n";
  return s;
}

}  // namespace

std::string materialKeyword(const Material& material) {
  if (dynamic_cast<const Concrete1992_3171*>(&material)) return "CONC1992_3171";
  if (dynamic_cast<const Concrete1992_3172*>(&material)) return "CONC1992_3172";
  if (dynamic_cast<const Steel1993_543*>(&material)) return "Steel1993_543";
  if (dynamic_cast<const Steel1992_327b*>(&material)) return "Steel1992_327b";
  if (dynamic_cast<const LinearMaterial*>(&material)) return "LINEAR";
  return "material";
}

MaterialStyle describeMaterial(const Material& material, int sameLawIndex) {
  MaterialStyle style;
  style.material = &material;
  style.keyword = materialKeyword(material);
  static const Colour kConcrete[] = {{0xc4, 0xc4, 0xc4}, {0xa0, 0xa0, 0xa0}, {0xde, 0xde, 0xde}, {0x86, 0x86, 0x86}};
  static const Colour kSteel[] = {{0x3b, 0x6c, 0xa3}, {0x6c, 0x9a, 0xcc}, {0x22, 0x4b, 0x78}, {0x8f, 0xb4, 0xdb}};
  static const Colour kBars[] = {{0xb3, 0x4a, 0x1e}, {0xe0, 0x8a, 0x2e}, {0x7a, 0x2e, 0x12}, {0xf0, 0xb0, 0x60}};
  static const Colour kLinear[] = {{0x4f, 0x9a, 0x4f}, {0x8c, 0xc0, 0x84}, {0x2f, 0x6b, 0x2f}, {0xb5, 0xd9, 0xa8}};
  const int shade = sameLawIndex % 4;
  if (const auto* c = dynamic_cast<const Concrete1992_3171*>(&material)) {
    style.description = "concrete, parabola-rectangle, f<sub>cd</sub> = " + num(std::fabs(c->fcd)) + " N/mm²";
    style.colour = kConcrete[shade];
  } else if (const auto* c2 = dynamic_cast<const Concrete1992_3172*>(&material)) {
    style.description = "concrete, bilinear, f<sub>cd</sub> = " + num(std::fabs(c2->fcd)) + " N/mm²";
    style.colour = kConcrete[shade];
  } else if (const auto* s = dynamic_cast<const Steel1993_543*>(&material)) {
    style.description = "structural steel, f<sub>yd</sub> = " + num(s->fyd) + " N/mm²";
    style.colour = kSteel[shade];
  } else if (const auto* b = dynamic_cast<const Steel1992_327b*>(&material)) {
    style.description = "reinforcing steel, f<sub>yd</sub> = " + num(b->fyd) + " N/mm²";
    style.colour = kBars[shade];
  } else if (const auto* l = dynamic_cast<const LinearMaterial*>(&material)) {
    style.description = "linear elastic, E = " + num(l->E) + " N/mm², limits " + num(l->fyc) + " / " + num(l->fyt) +
                        " N/mm²";
    style.colour = kLinear[shade];
  } else {
    style.description = "material";
    style.colour = {0x99, 0x99, 0x99};
  }
  return style;
}

std::string buildPlotPage(const SectionModel& model, const std::string& title, const std::string& inputName) {
  PageData data{model, title, inputName, {}, {}, {}, {}, 0, 0};
  for (std::size_t k = 0; k < model.materials.size(); ++k) {
    int sameLaw = 0;
    for (std::size_t j = 0; j < k; ++j) {
      sameLaw += materialKeyword(*model.materials[j]) == materialKeyword(*model.materials[k]) ? 1 : 0;
    }
    data.materials.push_back(describeMaterial(*model.materials[k], sameLaw));
  }
  data.materialIndex.reserve(model.elements.size());
  data.elementCount.assign(model.materials.size(), 0);
  data.beyondCount.assign(model.materials.size(), 0);
  for (const Element& e : model.elements) {
    int index = 0;
    for (std::size_t k = 0; k < model.materials.size(); ++k) {
      if (model.materials[k].get() == e.material) index = static_cast<int>(k);
    }
    data.materialIndex.push_back(index);
    ++data.elementCount[static_cast<std::size_t>(index)];
    data.beyondCount[static_cast<std::size_t>(index)] += e.stressExceeded || e.strainExceeded ? 1 : 0;
    data.stressesExceeded += e.stressExceeded ? 1 : 0;
    data.strainsExceeded += e.strainExceeded ? 1 : 0;
  }
  const std::size_t stresses = data.stressesExceeded;
  const std::size_t strains = data.strainsExceeded;

  std::string s;
  s.reserve(200 * model.elements.size() + 60000);
  s += "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n";
  s += "<title>" + escapeXml(data.title) + ": composite section</title>\n<style>" + std::string(kStyle) +
       materialCss(data) + "</style>\n</head>\n<body>\n<main>\n";
  s += "<h1>Composite column section " + escapeXml(data.title) + "</h1>\n";
  s += "<p class=\"files\">Input " + escapeXml(data.inputName) + ", analysed with the steps of colsec.</p>\n";
  s += "<div class=\"verdicts\">\n" + generalVerdict(data) + simplifiedVerdict(data) + "</div>\n";

  // The section, by material and by stress.
  const SectionFrame frame = sectionFrame(model);
  Extent sigma;
  for (const Element& e : model.elements) sigma.add(std::fabs(e.sigX));
  const double largest = sigma.empty() ? 0.0 : sigma.hi;
  const Ticks stressTicks = niceTicks(-largest, largest, 12);
  std::string naNote;
  const std::string materials = materialPicture(data, frame, &naNote);
  const std::string feSize = num(model.settings.feSize);

  s += "<h2>Section</h2>\n<div class=\"pair\">\n<figure>\n<h3>Discretised section by material</h3>\n" + materials;
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

  s += "<figure>\n<h3>Normal stress σx of the solved state</h3>\n" + stressPicture(data, frame, stressTicks);
  std::string extremes;
  if (!sigma.empty()) {
    Extent signedSigma;
    for (const Element& e : model.elements) signedSigma.add(e.sigX);
    extremes = "σx from " + num(signedSigma.lo) + " to " + num(signedSigma.hi) + " N/mm². ";
  }
  s += "<figcaption>" + notConverged + escapeXml(extremes) +
       "Red: tension, blue: compression, white: 0; the colour scale is symmetric about 0. ";
  if (stresses > 0) s += std::to_string(stresses) + " elements with stresses beyond their limits are outlined black. ";
  if (strains > 0) {
    s += std::to_string(strains) + " elements compressed beyond the ultimate strain are outlined purple (dashed where "
                                   "the stress is within its limits). ";
  }
  if (stresses == 0 && strains == 0) s += "No element is beyond its limits. ";
  s += "</figcaption>\n</figure>\n</div>\n";
  s += materialTable(data);

  s += "<section class=\"interaction\">\n<h2>Interaction</h2>\n" + curveFigures(data);
  if (!model.simplifiedMethod.computed) {
    s += "<div class=\"standalone\">\n<h3 class=\"tablehead\">Key figures from the report</h3>\n" + keyFigures(data) +
         "</div>\n";
  }
  s += "</section>\n<footer>Drawn by colsec-plot from its own run of the analysis steps of colsec; no result file was read or written. Forces in kN, "
       "moments in kNm, stresses in N/mm², lengths in mm; tension and tensile strain are positive.</footer>\n";
  s += "</main>\n</body>\n</html>\n";
  return s;
}

}  // namespace colsec::plot
