// The interaction charts: N-My and N-Mz as closed domains over both signs
// of the moment, and the moment plane at N = 0 and NEd over all four
// quadrants with the limits of the bending checks of the simplified
// method and the ray through the design moments.

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "plot/PageParts.h"
#include "plot/Svg.h"

namespace colsec::plot {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLabelFont = 15.0;

struct XY {
  double x = kNaN;
  double y = kNaN;
};

bool finite(const XY& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// A polyline; a NaN point breaks it. closed: back to the first point.
struct ChartPath {
  std::string cssClass;
  std::vector<XY> points;
  bool closed = false;
};

// The points of a stored curve, drawn as dots "pt pt-<id>".
struct ChartDots {
  std::string id;
  std::vector<XY> points;
};

struct ChartMark {
  double x = kNaN;
  double y = kNaN;
  std::string label;  // empty: none
  std::string kind;   // "design", "resistance", "ray" or "combination"
  std::string fill;   // combination: its colour
};

struct Chart {
  std::string label, xTitle, yTitle;
  std::vector<ChartPath> paths;
  std::vector<ChartDots> dots;
  std::vector<ChartMark> marks;
  bool equalScale = false;
};

std::string markShape(const ChartMark& m, double x, double y) {
  if (m.kind == "design") {
    return "<path class=\"mk-design\" d=\"M" + coord(x) + " " + coord(y - 7) + " L" + coord(x + 7) + " " + coord(y) +
           " L" + coord(x) + " " + coord(y + 7) + " L" + coord(x - 7) + " " + coord(y) + " Z\"/>\n";
  }
  if (m.kind == "second") {
    return "<path class=\"mk-second\" d=\"M" + coord(x) + " " + coord(y - 6) + " L" + coord(x + 6) + " " + coord(y) +
           " L" + coord(x) + " " + coord(y + 6) + " L" + coord(x - 6) + " " + coord(y) + " Z\"/>\n";
  }
  if (m.kind == "ray") return "<circle class=\"mk-ray\"" + attr("cx", x) + attr("cy", y) + attr("r", 5) + "/>\n";
  if (m.kind == "combination") {
    return "<circle class=\"mk-comb\"" + attr("cx", x) + attr("cy", y) + attr("r", 3.6) + " fill=\"" + m.fill +
           "\"/>\n";
  }
  return "<rect class=\"mk-res\"" + attr("x", x - 4) + attr("y", y - 4) + attr("width", 8) + attr("height", 8) + "/>\n";
}

std::string drawChart(const Chart& c) {
  const double width = 440;
  const double left = 78, right = 24, top = 14, bottom = 56;
  double plotWidth = width - left - right;
  double plotHeight = 210;

  Extent ex, ey;
  ex.add(0);
  ey.add(0);
  const auto take = [&](const XY& p) {
    if (!finite(p)) return;
    ex.add(p.x);
    ey.add(p.y);
  };
  for (const ChartPath& p : c.paths) std::for_each(p.points.begin(), p.points.end(), take);
  for (const ChartDots& d : c.dots) std::for_each(d.points.begin(), d.points.end(), take);
  for (const ChartMark& m : c.marks) take({m.x, m.y});
  const double padX = (ex.hi - ex.lo) * 0.05, padY = (ey.hi - ey.lo) * 0.05;
  Ticks tx = niceTicks(ex.lo - padX, ex.hi + padX, 5);
  Ticks ty = niceTicks(ey.lo - padY, ey.hi + padY, 6);
  double xLeft = left;
  if (c.equalScale) {
    // One step for both axes, from the wider range; the plot takes the
    // shape of the data, at most square.
    const bool xWider = tx.last() - tx.first() >= ty.last() - ty.first();
    const double step = (xWider ? tx : ty).step;
    tx = ticksWithStep(ex.lo - padX, ex.hi + padX, step);
    ty = ticksWithStep(ey.lo - padY, ey.hi + padY, step);
    const double side = plotWidth;
    // At most 250 high, so that the chart and its legend fit under the
    // N-M charts on one A4 page.
    const double scale = std::min(side / (tx.last() - tx.first()), 250.0 / (ty.last() - ty.first()));
    plotWidth = scale * (tx.last() - tx.first());
    plotHeight = scale * (ty.last() - ty.first());
    xLeft = left + (side - plotWidth) / 2;
  }
  const double height = top + plotHeight + bottom;
  const LinearScale sx{tx.first(), tx.last(), xLeft, xLeft + plotWidth};
  const LinearScale sy{ty.first(), ty.last(), top + plotHeight, top};

  std::string s = svgOpen(width, height, c.label);
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
    const double w = textWidth(t, kLabelFont);
    if (sx(v) - w / 2 < lastRight + 6 || sx(v) + w / 2 > width - 1) continue;
    s += text(sx(v), top + plotHeight + 19, t, "tl", " text-anchor=\"middle\"");
    lastRight = sx(v) + w / 2;
  }
  double lastTop = 1e9;
  for (double v : ty.values) {
    if (sy(v) + 7 > lastTop - 3) continue;
    s += text(xLeft - 6, sy(v) + 5, formatTick(v, ty.step), "tl", " text-anchor=\"end\"");
    lastTop = sy(v) - 7;
  }
  s += text(xLeft + plotWidth / 2, top + plotHeight + 44, c.xTitle, "axistitle", " text-anchor=\"middle\"");
  const double titleX = xLeft - 62;
  s += text(titleX, top + plotHeight / 2, c.yTitle, "axistitle",
            " text-anchor=\"middle\" transform=\"rotate(-90 " + coord(titleX) + " " + coord(top + plotHeight / 2) +
                ")\"");
  s += "</g>\n";

  LabelPlacer placer({xLeft + 2, top + 2, xLeft + plotWidth - 2, top + plotHeight - 2});
  // Labels keep off the lines: small boxes every few units along them.
  const auto reserveAlong = [&](const XY& a, const XY& b) {
    const double ax = sx(a.x), ay = sy(a.y), bx = sx(b.x), by = sy(b.y);
    const int steps = std::clamp(static_cast<int>(std::hypot(bx - ax, by - ay) / 4), 1, 400);
    for (int k = 0; k <= steps; ++k) {
      const double t = static_cast<double>(k) / steps;
      placer.reserve({ax + (bx - ax) * t - 1.5, ay + (by - ay) * t - 1.5, ax + (bx - ax) * t + 1.5, ay + (by - ay) * t + 1.5});
    }
  };
  for (const ChartPath& p : c.paths) {
    // A closed outline with gaps (NaN points) is drawn as its open pieces.
    const bool whole = p.closed && p.points.size() >= 3 && std::all_of(p.points.begin(), p.points.end(), finite);
    std::string points;
    const auto flush = [&]() {
      if (points.find(' ') != std::string::npos) {
        s += std::string(whole ? "<polygon" : "<polyline") + " class=\"" + p.cssClass + "\" points=\"" + points +
             "\"/>\n";
      }
      points.clear();
    };
    for (std::size_t k = 0; k < p.points.size(); ++k) {
      const XY& q = p.points[k];
      if (!finite(q)) {
        flush();
        continue;
      }
      if (!points.empty()) points += ' ';
      points += coord(sx(q.x)) + "," + coord(sy(q.y));
      if (k > 0 && finite(p.points[k - 1])) reserveAlong(p.points[k - 1], q);
    }
    flush();
  }
  for (const ChartDots& d : c.dots) {
    s += "<g class=\"dots d-" + d.id + "\">\n";
    for (const XY& q : d.points) {
      if (!finite(q)) continue;
      s += "<circle class=\"pt pt-" + d.id + "\"" + attr("cx", sx(q.x)) + attr("cy", sy(q.y)) + attr("r", 2.2) + "/>\n";
    }
    s += "</g>\n";
  }
  s += "<g class=\"marks\">\n";
  for (const ChartMark& m : c.marks) {
    if (!finite({m.x, m.y})) continue;
    const double r = m.kind == "combination" ? 4 : 8;
    placer.reserve({sx(m.x) - r, sy(m.y) - r, sx(m.x) + r, sy(m.y) + r});
  }
  // Combinations first, the design point on top of them.
  for (const bool combinations : {true, false}) {
    for (const ChartMark& m : c.marks) {
      if (!finite({m.x, m.y}) || (m.kind == "combination") != combinations) continue;
      s += markShape(m, sx(m.x), sy(m.y));
    }
  }
  for (const ChartMark& m : c.marks) {
    if (!finite({m.x, m.y}) || m.label.empty()) continue;
    s += placer.place(sx(m.x), sy(m.y), m.label, kLabelFont, "marklabel halo");
  }
  s += "</g>\n</svg>\n";
  return s;
}

std::vector<XY> nmPoints(const InteractionCurve& curve, bool useMy) {
  std::vector<XY> points;
  points.reserve(curve.size());
  for (const CurvePoint& p : curve) points.push_back({(useMy ? p.my : p.mz) / 1e6, p.nx / 1000});
  return points;
}

std::vector<XY> momentPoints(const InteractionCurve& curve) {
  std::vector<XY> points;
  points.reserve(curve.size());
  for (const CurvePoint& p : curve) points.push_back({p.my / 1e6, p.mz / 1e6});
  return points;
}

std::size_t finitePoints(const InteractionCurve& curve) {
  std::size_t n = 0;
  for (const CurvePoint& p : curve) n += std::isfinite(p.nx) && std::isfinite(p.my) && std::isfinite(p.mz) ? 1 : 0;
  return n;
}

std::string curveCountText(const InteractionCurve& curve) {
  const std::size_t finiteCount = finitePoints(curve);
  std::string t = std::to_string(curve.size()) + " points";
  if (finiteCount != curve.size()) t += ", " + std::to_string(curve.size() - finiteCount) + " of them nan and not drawn";
  return t;
}

// Small inline swatches for the HTML legends.
std::string lineSwatch(const std::string& cssClass) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"swatch\" viewBox=\"0 0 24 10\"><line class=\"" +
         cssClass + "\" x1=\"1\" y1=\"5\" x2=\"23\" y2=\"5\"/></svg>";
}

std::string markSwatch(const std::string& kind, const std::string& fill = "") {
  ChartMark m;
  m.kind = kind;
  m.fill = fill;
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"swatch\" viewBox=\"-9 -9 18 18\">" + markShape(m, 0, 0) +
         "</svg>";
}

// Every combination's design point, coloured by its utilisation; the
// governing one is the design point of the page.
void addCombinations(const PageData& data, std::vector<ChartMark>& marks, int xComponent, int yComponent) {
  if (data.info.loads == nullptr) return;
  const auto component = [](const SectionForces& f, int which) {
    return which == 0 ? f.nx / 1000 : (which == 1 ? f.my / 1e6 : f.mz / 1e6);
  };
  const LoadCaseResults& loads = *data.info.loads;
  for (std::size_t k = 0; k < loads.outcomes.size(); ++k) {
    if (static_cast<int>(k) == loads.governing) continue;
    const CombinationOutcome& o = loads.outcomes[k];
    marks.push_back({component(o.combination.forces, xComponent), component(o.combination.forces, yComponent), "",
                     "combination", utilisationColour(o.utilisation).hex()});
  }
}

// The forces of the two second-order checks of the member (6.7.3.7 (1)),
// beside the first-order design point: x and y components as
// addCombinations takes them.
void addSecondOrder(const PageData& data, std::vector<ChartMark>& marks, int xComponent, int yComponent) {
  const MemberResult& member = data.model.member;
  if (!member.computed) return;
  const auto component = [](const ForceTriple& f, int which) {
    return which == 0 ? f.nx / 1000 : (which == 1 ? f.my / 1e6 : f.mz / 1e6);
  };
  for (const MemberSecondOrderCheck& check : member.checks) {
    marks.push_back({component(check.forces, xComponent), component(check.forces, yComponent),
                     std::string("II,") + check.imperfectionPlane, "second", ""});
  }
}

std::string secondOrderLegend(const PageData& data) {
  const MemberResult& member = data.model.member;
  if (!member.computed) return "";
  std::string s = "<li>" + markSwatch("second") +
                  "second order (6.7.3.4), e<sub>0</sub> in the plane of M<sub>y</sub> (II,y) / of M<sub>z</sub> "
                  "(II,z): ";
  for (const MemberSecondOrderCheck& check : member.checks) {
    s += std::string(check.imperfectionPlane == 'y' ? "" : "; ") + "M<sub>y,II</sub> = " +
         escapeXml(figure(check.forces.my / 1e6)) + ", M<sub>z,II</sub> = " +
         escapeXml(figure(check.forces.mz / 1e6, "kNm"));
  }
  return s + "</li>\n";
}

std::string combinationLegend(const PageData& data) {
  if (data.info.loads == nullptr) return "";
  return "<li>" + markSwatch("combination", utilisationColour(0.3).hex()) +
         "the other load combinations, coloured by their utilisation (table below)</li>\n";
}

std::string nmFigure(const PageData& data, bool useMy) {
  const SectionModel& model = data.model;
  const SectionForces d = inKN(model.designForces);
  const std::string axis = useMy ? "y" : "z";
  const double mPl = (useMy ? model.mPlYRd : model.mPlZRd) / 1e6;
  const double mEd = useMy ? d.my : d.mz;
  const double nPlRdMax = model.nPlRdMax / 1000;
  const double nPlRdMin = model.nPlRdMin / 1000;
  const FullInteractionDiagram& full = model.fullDiagram;
  const InteractionCurve& quadrantCurve = useMy ? model.curveNMy : model.curveNMz;

  Chart c;
  c.label = "interaction domain of N and M" + axis;
  c.xTitle = "M" + axis + " [kNm]";
  c.yTitle = "N [kN] (tension positive)";
  if (full.computed) {
    ChartPath domain{"domain", nmPoints(useMy ? full.nMyPositive : full.nMzPositive, useMy), true};
    const std::vector<XY> other = nmPoints(useMy ? full.nMyNegative : full.nMzNegative, useMy);
    domain.points.insert(domain.points.end(), other.rbegin(), other.rend());
    c.paths.push_back(std::move(domain));
  }
  c.dots.push_back({useMy ? "NMy" : "NMz", nmPoints(quadrantCurve, useMy)});
  c.marks = {{mEd, d.nx, "Ed", "design", ""},
             {0.0, nPlRdMax, "Npl,Rd,max", "resistance", ""},
             {0.0, nPlRdMin, "Npl,Rd,min", "resistance", ""},
             {mPl, 0.0, "Mpl," + axis + ",Rd", "resistance", ""}};
  addCombinations(data, c.marks, useMy ? 1 : 2, 0);
  addSecondOrder(data, c.marks, useMy ? 1 : 2, 0);

  std::string f = "<figure>\n<h3>N-M" + axis + " interaction domain</h3>\n" + drawChart(c);
  f += "<ul class=\"legend\">\n<li>";
  if (full.computed) f += lineSwatch("domain") + "both signs of M<sub>" + axis + "</sub>; ";
  f += markSwatch("resistance") + "the report's side (" + curveCountText(quadrantCurve) + ")</li>\n";
  f += "<li>" + markSwatch("design") + "M<sub>" + axis + ",Ed</sub> = " + escapeXml(figure(mEd, "kNm")) +
       ", N<sub>Ed</sub> = " + escapeXml(figure(d.nx, "kN")) + "</li>\n";
  f += "<li>N<sub>pl,Rd,max</sub> / N<sub>pl,Rd,min</sub> = " + escapeXml(figure(nPlRdMax)) + " / " +
       escapeXml(figure(nPlRdMin, "kN")) + ", M<sub>pl," + axis + ",Rd</sub> = " + escapeXml(figure(mPl, "kNm")) +
       ", μ<sub>d" + axis + "</sub> = " + escapeXml(figure(useMy ? model.mdy : model.mdz)) + "</li>\n";
  f += secondOrderLegend(data);
  f += combinationLegend(data);
  f += "</ul>\n</figure>\n";
  return f;
}

std::string momentFigure(const PageData& data) {
  const SectionModel& model = data.model;
  const SectionForces d = inKN(model.designForces);
  const SimplifiedMethodResult& m = model.simplifiedMethod;
  const FullInteractionDiagram& full = model.fullDiagram;
  const BendingLimits& limits = model.designCheck.bending;

  Chart c;
  c.label = "My-Mz interaction curves";
  c.xTitle = "My [kNm]";
  c.yTitle = "Mz [kNm]";
  c.equalScale = true;
  if (full.computed) {
    c.paths.push_back({"c-MyMzN0", momentPoints(full.myMzN0), true});
    c.paths.push_back({"c-MyMz", momentPoints(full.myMzNEd), true});
  }
  c.dots.push_back({"MyMzN0", momentPoints(model.curveMyMzN0)});
  c.dots.push_back({"MyMz", momentPoints(model.curveMyMz)});
  const double ry = limits.myResistance / 1e6, rz = limits.mzResistance / 1e6;
  if (limits.computed) {
    c.paths.push_back({"lin", {{ry, 0.0}, {0.0, rz}}, false});
    if (std::isfinite(limits.alphaM)) {
      const double ay = limits.myLimit / 1e6, az = limits.mzLimit / 1e6;
      c.paths.push_back({"alpham", {{ay, 0.0}, {ay, rz}}, false});
      c.paths.push_back({"alpham", {{0.0, az}, {ry, az}}, false});
    }
  }
  // The ray through the design moments, out to the curve at NEd.
  const double rayMy = m.rayPoint.my / 1e6, rayMz = m.rayPoint.mz / 1e6;
  if (std::isfinite(rayMy) && std::isfinite(rayMz) && (rayMy != 0.0 || rayMz != 0.0)) {
    const double ex = std::fabs(rayMy) >= std::fabs(d.my) ? rayMy : d.my;
    const double ez = std::fabs(rayMy) >= std::fabs(d.my) ? rayMz : d.mz;
    c.paths.push_back({"ray", {{0.0, 0.0}, {ex, ez}}, false});
    c.marks.push_back({rayMy, rayMz, "", "ray", ""});
  }
  c.marks.push_back({d.my, d.mz, "Ed", "design", ""});
  addCombinations(data, c.marks, 1, 2);
  addSecondOrder(data, c.marks, 1, 2);

  std::string f = "<figure>\n<h3>My-Mz interaction at N = 0 and at N<sub>Ed</sub></h3>\n" + drawChart(c);
  f += "<ul class=\"legend\">\n";
  f += "<li>" + lineSwatch("c-MyMzN0") + "N = 0; " + lineSwatch("c-MyMz") + "N<sub>Ed</sub> = " +
       escapeXml(figure(d.nx, "kN")) + ", dots: the report's quadrant (" + curveCountText(model.curveMyMz) + ")</li>\n";
  if (limits.computed) {
    f += "<li>" + lineSwatch("lin") + "6.7.3.7 (2), from " + escapeXml(figure(ry)) + " to " + escapeXml(figure(rz, "kNm"));
    if (std::isfinite(limits.alphaM)) {
      f += "; " + lineSwatch("alpham") + "6.7.3.6 (1), α<sub>M</sub> = " + escapeXml(figure(limits.alphaM));
    }
    f += "</li>\n";
  } else if (m.computed) {
    f += "<li>6.7.3.6 (1) and 6.7.3.7 (2) not drawn: at N<sub>Ed</sub> the section has no resistance on the side of "
         "a design moment, the simplified method does not apply to these forces (see the design check)</li>\n";
  }
  f += "<li>" + markSwatch("design") + "M<sub>y,Ed</sub> = " + escapeXml(figure(d.my)) + ", M<sub>z,Ed</sub> = " +
       escapeXml(figure(d.mz, "kNm")) + "; " + markSwatch("ray") + "on the ray: " + escapeXml(figure(rayMy)) + ", " +
       escapeXml(figure(rayMz, "kNm")) + ", utilisation along the ray " + escapeXml(ratioText(m.ray.ratio)) +
       "</li>\n";
  f += secondOrderLegend(data);
  f += combinationLegend(data);
  if (finitePoints(model.curveMyMz) == 0 && !model.curveMyMz.empty()) {
    f += "<li>N<sub>Ed</sub> lies outside [N<sub>pl,Rd,min</sub>, N<sub>pl,Rd,max</sub>]: there is no My-Mz curve "
         "at the design axial force.</li>\n";
  }
  if (model.curveMyMzN0.empty()) f += "<li>No My-Mz curves: the input asks for no angular subdivisions.</li>\n";
  f += "</ul>\n<figcaption>Both axes at the same scale. Lines of the design check: the linear interaction "
       "(solid) and the α<sub>M</sub> limits (dashed) in the quadrant of the design moments.</figcaption>\n"
       "</figure>\n";
  return f;
}

}  // namespace

std::string interactionCharts(const PageData& data) {
  const SectionModel& model = data.model;
  std::string s = "<section class=\"interaction\">\n<h2>Interaction</h2>\n";
  if (!model.simplifiedMethod.computed) {
    s += "<div class=\"nocurves\"><b>No interaction curves.</b> The section uses a LINEAR material. Rigid-plastic "
         "interaction curves need a plastic strength on both sides for every material, so the analysis built "
         "none and the simplified method was not carried out; the general method is the verification of this "
         "section.</div>\n";
    s += "<div class=\"standalone\">\n<h3 class=\"tablehead\">Key figures from the report</h3>\n" + keyFigures(data) +
         "</div>\n</section>\n";
    return s;
  }
  s = "<section class=\"interaction curves\">\n<h2>Interaction</h2>\n";
  s += "<div class=\"pair\">\n" + nmFigure(data, true) + nmFigure(data, false) + "</div>\n";
  s += "<div class=\"pair\">\n" + momentFigure(data) + "<div>\n<h3 class=\"tablehead\">Key figures from the report</h3>\n" +
       keyFigures(data) + "</div>\n</div>\n</section>\n";
  return s;
}

Colour utilisationColour(double u) {
  if (!(u <= 1.0)) return {0xc6, 0x28, 0x28};
  if (u > 0.9) return {0xef, 0x6c, 0x00};
  if (u > 0.8) return {0xf9, 0xa8, 0x25};
  if (u > 0.5) return {0x7c, 0xb3, 0x42};
  return {0x2e, 0x7d, 0x32};
}

}  // namespace colsec::plot
