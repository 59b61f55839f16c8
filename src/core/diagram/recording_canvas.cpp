#include "diagram/recording_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace kestrel {

namespace {

std::string Pt(int x, int y) {
  return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

std::string Hex(Color c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%06x", static_cast<unsigned>(c & 0xFFFFFF));
  return buf;
}

std::string Quoted(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

int Measure(const TextMeasurer& measurer, const FontSpec& font, const std::string& text,
            bool height) {
  if (measurer) return measurer(font, text, height);
  return height ? FixedTextHeight(font) : FixedTextWidth(font, text);
}

}  // namespace

std::string RecordingCanvas::Text() const {
  std::string out;
  for (const std::string& l : lines_) out += l + "\n";
  return out;
}

void RecordingCanvas::Emit(std::string line) {
  if (!written_ || penColor() != lastPen_) lines_.push_back("pen " + Hex(penColor()));
  if (!written_ || brushStyle() != lastBrushStyle_ ||
      (brushStyle() == BrushStyle::kSolid && brushColor() != lastBrushColor_)) {
    lines_.push_back(brushStyle() == BrushStyle::kClear ? "brush clear"
                                                        : "brush solid " + Hex(brushColor()));
  }
  if (!written_ || !(font() == lastFont_)) {
    lines_.push_back("font " + Quoted(font().name) + " " + std::to_string(font().size) +
                     (font().bold ? " bold" : ""));
  }
  written_ = true;
  lastPen_ = penColor();
  lastBrushStyle_ = brushStyle();
  lastBrushColor_ = brushColor();
  lastFont_ = font();
  lines_.push_back(std::move(line));
}

void RecordingCanvas::Line(int x1, int y1, int x2, int y2) {
  Emit("line " + Pt(x1, y1) + "-" + Pt(x2, y2));
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Emit("rect " + Pt(x1, y1) + "-" + Pt(x2, y2));
}

void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Emit("ellipse " + Pt(x1, y1) + "-" + Pt(x2, y2));
}

void RecordingCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Emit("arc " + Pt(x1, y1) + "-" + Pt(x2, y2) + " from " + Pt(x3, y3) + " to " + Pt(x4, y4));
}

void RecordingCanvas::Polygon(const std::vector<Point>& points) {
  std::string line = "polygon";
  for (const Point& p : points) line += " " + Pt(p.x, p.y);
  Emit(line);
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  Emit("text " + Pt(x, y) + " " + Quoted(text));
}

int RecordingCanvas::TextWidth(const std::string& text) {
  return Measure(measurer_, font(), text, false);
}

int RecordingCanvas::TextHeight(const std::string& text) {
  return Measure(measurer_, font(), text, true);
}

bool BoundsCanvas::Inside(int width, int height) const {
  if (bounds_.empty) return true;
  return bounds_.left >= 0 && bounds_.top >= 0 && bounds_.right < width && bounds_.bottom < height;
}

void BoundsCanvas::Add(int x, int y) {
  if (bounds_.empty) {
    bounds_ = {false, x, y, x, y};
    return;
  }
  bounds_.left = std::min(bounds_.left, x);
  bounds_.top = std::min(bounds_.top, y);
  bounds_.right = std::max(bounds_.right, x);
  bounds_.bottom = std::max(bounds_.bottom, y);
}

void BoundsCanvas::Line(int x1, int y1, int x2, int y2) {
  if (x1 == x2 && y1 == y2) return;  // paints nothing: the end point is left out
  Add(x1, y1);
  // The end point itself is not painted; the last painted pixel is one step short of it.
  const int dx = x2 - x1, dy = y2 - y1;
  if (std::abs(dx) >= std::abs(dy))
    Add(x2 - (dx > 0 ? 1 : -1), y2);
  else
    Add(x2, y2 - (dy > 0 ? 1 : -1));
}

void BoundsCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Add(std::min(x1, x2), std::min(y1, y2));
  Add(std::max(x1, x2) - 1, std::max(y1, y2) - 1);
}

void BoundsCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Rectangle(x1, y1, x2, y2);
}

void BoundsCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  const ArcGeometry g = ArcFromDirections(x1, y1, x2, y2, x3, y3, x4, y4);
  // The painted ellipse lies inside the box, on columns x1..x2-1 and rows y1..y2-1.
  const double rx = std::max(0.0, g.rx - 0.5), ry = std::max(0.0, g.ry - 0.5);
  const double cx = g.cx - 0.5, cy = g.cy - 0.5;
  const int steps = 64;
  for (int i = 0; i <= steps; ++i) {
    const double t = (g.startDegrees + g.spanDegrees * i / steps) * std::numbers::pi / 180.0;
    Add(static_cast<int>(std::lround(cx + rx * std::cos(t))),
        static_cast<int>(std::lround(cy - ry * std::sin(t))));
  }
}

void BoundsCanvas::Polygon(const std::vector<Point>& points) {
  for (const Point& p : points) Add(p.x, p.y);
}

void BoundsCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  Add(x, y);
  Add(x + TextWidth(text) - 1, y + TextHeight(text) - 1);
}

int BoundsCanvas::TextWidth(const std::string& text) {
  return Measure(measurer_, font(), text, false);
}

int BoundsCanvas::TextHeight(const std::string& text) {
  return Measure(measurer_, font(), text, true);
}

}  // namespace kestrel
