#include "diagram/clipped_canvas.h"

#include <algorithm>

namespace kestrel {

ClippedCanvas::ClippedCanvas(Canvas& target, const PixelRect& clip)
    : target_(target),
      clip_{clip.left - kMargin, clip.top - kMargin, clip.right + kMargin, clip.bottom + kMargin} {
  SetPenColor(target.penColor());
  SetBrush(target.brushStyle(), target.brushColor());
  SetFont(target.font());
}

bool ClippedCanvas::Visible(int x1, int y1, int x2, int y2) {
  const bool visible = std::max(x1, x2) >= clip_.left && std::min(x1, x2) < clip_.right &&
                       std::max(y1, y2) >= clip_.top && std::min(y1, y2) < clip_.bottom;
  ++(visible ? forwarded_ : skipped_);
  if (visible) Sync();
  return visible;
}

void ClippedCanvas::Sync() {
  if (!stateChanged_) return;
  stateChanged_ = false;
  if (target_.penColor() != penColor()) target_.SetPenColor(penColor());
  if (target_.brushStyle() != brushStyle() || target_.brushColor() != brushColor())
    target_.SetBrush(brushStyle(), brushColor());
  if (!(target_.font() == font())) target_.SetFont(font());
}

int ClippedCanvas::LineHeight() {
  if (!heightFont_ || !(*heightFont_ == font())) {
    Sync();
    heightFont_ = font();
    height_ = target_.TextHeight("1");
  }
  return height_;
}

void ClippedCanvas::Line(int x1, int y1, int x2, int y2) {
  if (Visible(x1, y1, x2, y2)) target_.Line(x1, y1, x2, y2);
}

void ClippedCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  // The outline lies inside the box: on columns x1..x2-1 and rows y1..y2-1.
  if (Visible(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) - 1, std::max(y1, y2) - 1))
    target_.Rectangle(x1, y1, x2, y2);
}

void ClippedCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (Visible(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) - 1, std::max(y1, y2) - 1))
    target_.Ellipse(x1, y1, x2, y2);
}

void ClippedCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  // The arc lies on its ellipse, inside the ellipse's box.
  if (Visible(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) - 1, std::max(y1, y2) - 1))
    target_.Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void ClippedCanvas::Polygon(const std::vector<Point>& points) {
  if (points.empty()) return;
  int left = points[0].x, right = left, top = points[0].y, bottom = top;
  for (const Point& p : points) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  if (Visible(left, top, right, bottom)) target_.Polygon(points);
}

void ClippedCanvas::TextOut(int x, int y, const std::string& text) {
  // Rows and the left edge decide most texts without measuring their width.
  const int h = LineHeight();
  bool visible = y + h - 1 >= clip_.top && y < clip_.bottom && x < clip_.right;
  if (visible && x < clip_.left) visible = x + TextWidth(text) - 1 >= clip_.left;
  ++(visible ? forwarded_ : skipped_);
  if (!visible) return;
  Sync();
  target_.TextOut(x, y, text);
}

int ClippedCanvas::TextWidth(const std::string& text) {
  Sync();
  return target_.TextWidth(text);
}

int ClippedCanvas::TextHeight(const std::string&) {
  return LineHeight();
}

}  // namespace kestrel
