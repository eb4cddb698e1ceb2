#include "plot/Svg.h"

#include <cmath>
#include <cstdio>

#include "report/JsonWriter.h"

namespace colsec::plot {

std::string escapeXml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      // Bytes that are not UTF-8 (and U+FFFE, U+FFFF, which XML excludes)
      // become U+FFFD, so that the page stays well-formed.
      const std::size_t length = utf8SequenceLength(text, i);
      const std::string_view sequence = text.substr(i, length);
      const bool allowed = length > 0 && sequence != "\xef\xbf\xbe" && sequence != "\xef\xbf\xbf";
      out += allowed ? sequence : std::string_view("\xef\xbf\xbd");
      i += length > 0 ? length : 1;
      continue;
    }
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default:
        // Control bytes are not allowed in XML text at all.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') {
          out += '?';
        } else {
          out += c;
        }
    }
    ++i;
  }
  return out;
}

std::string coord(double value) {
  if (!std::isfinite(value)) return "0";
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text = buffer;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

std::string attr(const std::string& name, double value) { return " " + name + "=\"" + coord(value) + "\""; }

std::string line(double x1, double y1, double x2, double y2, const std::string& cssClass) {
  return "<line class=\"" + cssClass + "\"" + attr("x1", x1) + attr("y1", y1) + attr("x2", x2) + attr("y2", y2) +
         "/>\n";
}

std::string text(double x, double y, const std::string& content, const std::string& cssClass,
                 const std::string& extra) {
  return "<text class=\"" + cssClass + "\"" + attr("x", x) + attr("y", y) + extra + ">" + escapeXml(content) +
         "</text>\n";
}

std::string svgOpen(double width, double height, const std::string& label) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + coord(width) + " " + coord(height) +
         "\" role=\"img\" aria-label=\"" + escapeXml(label) + "\">\n";
}

std::string arrowHead(double x, double y, double dx, double dy) {
  const double length = std::hypot(dx, dy);
  const double ux = dx / length;
  const double uy = dy / length;
  const double size = 7.0;
  const double bx = x - ux * size;
  const double by = y - uy * size;
  return "<path class=\"arrow\" d=\"M" + coord(x) + " " + coord(y) + " L" + coord(bx - uy * size * 0.4) + " " +
         coord(by + ux * size * 0.4) + " L" + coord(bx + uy * size * 0.4) + " " + coord(by - ux * size * 0.4) +
         " Z\"/>\n";
}

double textWidth(std::string_view text, double fontSize) {
  // Count characters, not bytes: UTF-8 continuation bytes add nothing.
  double count = 0.0;
  for (unsigned char c : text) {
    if ((c & 0xc0) == 0x80) continue;
    count += (c == ' ' || c == '.' || c == ',' || c == ':' || c == 'i' || c == 'l' || c == '1') ? 0.45 : 0.62;
  }
  return count * fontSize;
}

bool Box::overlaps(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }

bool Box::inside(const Box& f) const { return x0 >= f.x0 && x1 <= f.x1 && y0 >= f.y0 && y1 <= f.y1; }

std::string LabelPlacer::place(double x, double y, const std::string& label, double fontSize,
                               const std::string& cssClass) {
  const double w = textWidth(label, fontSize);
  const double h = fontSize;
  // Clear of a mark of half-size 7 around the point, and of each other:
  // the boxes above and below start beyond the height of a side label.
  const double gap = 8.0;
  struct Corner {
    double x0, y0;  // top left of the label's box
  };
  const Corner candidates[] = {
      {x + gap, y - h / 2},            // right
      {x - gap - w, y - h / 2},        // left
      {x - w / 2, y - gap - h},        // above
      {x - w / 2, y + gap},            // below
      {x + gap, y - gap - h},          // above right
      {x + gap, y + gap},              // below right
      {x - gap - w, y - gap - h},      // above left
      {x - gap - w, y + gap},          // below left
  };
  const auto boxOf = [&](const Corner& c) { return Box{c.x0 - 1, c.y0 - 1, c.x0 + w + 1, c.y0 + h + 1}; };
  int chosen = -1;
  int firstInside = -1;
  for (int k = 0; k < 8; ++k) {
    const Box box = boxOf(candidates[k]);
    if (!box.inside(frame_)) continue;
    if (firstInside < 0) firstInside = k;
    bool free = true;
    for (const Box& t : taken_) {
      if (box.overlaps(t)) {
        free = false;
        break;
      }
    }
    if (free) {
      chosen = k;
      break;
    }
  }
  if (chosen < 0) chosen = firstInside >= 0 ? firstInside : 0;
  const Corner& c = candidates[chosen];
  taken_.push_back(boxOf(c));
  // The baseline sits at about four fifths of the box height.
  return text(c.x0, c.y0 + 0.78 * h, label, cssClass);
}

}  // namespace colsec::plot
