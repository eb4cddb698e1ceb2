#pragma once
// SVG primitives of the page: escaping, coordinates, lines, texts and
// arrowheads, and the placing of labels without overlap.

#include <string>
#include <string_view>
#include <vector>

namespace colsec::plot {

// Text or attribute value with &, <, >, " and ' replaced by references.
std::string escapeXml(std::string_view text);

// A coordinate with at most two decimals, trailing zeros dropped, no "-0".
std::string coord(double value);

// ` name="value"` with the value as a coordinate.
std::string attr(const std::string& name, double value);

std::string line(double x1, double y1, double x2, double y2, const std::string& cssClass);

// <text> at (x, y); `extra` holds further attributes, each with its
// leading blank.
std::string text(double x, double y, const std::string& content, const std::string& cssClass,
                 const std::string& extra = "");

// Opening tag of an inline picture of the given size in picture units.
std::string svgOpen(double width, double height, const std::string& label);

// A filled triangle as an arrowhead at (x, y) pointing in direction (dx, dy).
std::string arrowHead(double x, double y, double dx, double dy);

// Approximate width of a line of text in the sans-serif face of the page.
double textWidth(std::string_view text, double fontSize);

// A box in picture coordinates, y downwards.
struct Box {
  double x0 = 0.0;
  double y0 = 0.0;
  double x1 = 0.0;
  double y1 = 0.0;
  bool overlaps(const Box& other) const;
  bool inside(const Box& frame) const;
};

// Places short labels beside marks so that no two labels overlap each
// other, the marks or the boxes already taken, and stay inside a frame.
class LabelPlacer {
 public:
  explicit LabelPlacer(Box frame) : frame_(frame) {}
  void reserve(const Box& box) { taken_.push_back(box); }
  // SVG <text> for the label next to (x, y); tries eight positions around
  // the point and takes the first free one.
  std::string place(double x, double y, const std::string& label, double fontSize, const std::string& cssClass);

 private:
  Box frame_;
  std::vector<Box> taken_;
};

}  // namespace colsec::plot
