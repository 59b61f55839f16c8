#include "diagram/canvas.h"

#include <cmath>
#include <numbers>

namespace kestrel {

int FontPixelSize(int points) {
  return (points * 96 + 36) / 72;
}

void Canvas::SetPenColor(Color color) {
  pen_ = color;
  StateChanged();
}

void Canvas::SetBrush(BrushStyle style, Color color) {
  brushStyle_ = style;
  brushColor_ = color;
  StateChanged();
}

void Canvas::SetBrushStyle(BrushStyle style) {
  brushStyle_ = style;
  StateChanged();
}

void Canvas::SetBrushColor(Color color) {
  brushColor_ = color;
  StateChanged();
}

void Canvas::SetFont(const FontSpec& font) {
  font_ = font;
  StateChanged();
}

void Canvas::SetFontSize(int points) {
  font_.size = points;
  StateChanged();
}

void Canvas::SetFontBold(bool bold) {
  font_.bold = bold;
  StateChanged();
}

ArcGeometry ArcFromDirections(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  ArcGeometry g;
  g.cx = (x1 + x2) / 2.0;
  g.cy = (y1 + y2) / 2.0;
  g.rx = std::abs(x2 - x1) / 2.0;
  g.ry = std::abs(y2 - y1) / 2.0;
  // The point of the ellipse on the ray through (px, py): (rx cos t, ry sin t) is parallel to
  // the ray's direction (dx, dy) with y up, so tan t = (dy rx) / (dx ry).
  auto angle = [&](int px, int py) {
    const double dx = px - g.cx, dy = g.cy - py;
    if (dx == 0 && dy == 0) return 0.0;
    double t = std::atan2(dy * g.rx, dx * g.ry) * 180.0 / std::numbers::pi;
    if (t < 0) t += 360.0;
    return t;
  };
  g.startDegrees = angle(x3, y3);
  double span = angle(x4, y4) - g.startDegrees;
  while (span <= 1e-9) span += 360.0;
  if (span > 360.0) span = 360.0;
  g.spanDegrees = span;
  return g;
}

Box Canvas::TextInk(const std::string& text) {
  // Capitals and digits stand on the baseline, one em below the top, and rise about 0.65 em.
  const int em = FontPixelSize(font().size);
  const int rise = (13 * em + 10) / 20;
  return {0, em - rise, TextWidth(text), rise};
}

int FixedTextWidth(const FontSpec& font, const std::string& text) {
  return static_cast<int>(text.size()) * ((FontPixelSize(font.size) + 1) / 2);
}

int FixedTextHeight(const FontSpec& font) {
  const int px = FontPixelSize(font.size);
  return px + px / 4 + 1;
}

}  // namespace kestrel
