#include "diagram/display_list.h"

#include <algorithm>

namespace kestrel {

void DisplayListCanvas::Line(int x1, int y1, int x2, int y2) {
  if (Erasing()) return;
  DisplayItem item;
  item.type = DisplayItemType::kLine;
  item.points = {{x1, y1}, {x2, y2}};
  items_.push_back(std::move(item));
}

void DisplayListCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (Erasing()) return;
  DisplayItem item;
  item.type = DisplayItemType::kPolygon;
  // The outline lies inside the box: its last column and row are x2 - 1 and y2 - 1.
  const int l = std::min(x1, x2), t = std::min(y1, y2);
  const int r = std::max(x1, x2) - 1, b = std::max(y1, y2) - 1;
  item.points = {{l, t}, {r, t}, {r, b}, {l, b}};
  item.filled = FilledBlack();
  items_.push_back(std::move(item));
}

void DisplayListCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (Erasing()) return;
  DisplayItem item;
  item.type = DisplayItemType::kEllipse;
  item.box = {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1)};
  item.filled = FilledBlack();
  items_.push_back(std::move(item));
}

void DisplayListCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (Erasing()) return;
  DisplayItem item;
  item.type = DisplayItemType::kArc;
  item.box = {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1)};
  item.start = {x3, y3};
  item.end = {x4, y4};
  items_.push_back(std::move(item));
}

void DisplayListCanvas::Polygon(const std::vector<Point>& points) {
  if (Erasing()) return;
  DisplayItem item;
  item.type = DisplayItemType::kPolygon;
  item.points = points;
  // A polygon closed back to its first corner lists that corner once.
  if (item.points.size() > 1 && item.points.front() == item.points.back()) item.points.pop_back();
  item.filled = FilledBlack();
  items_.push_back(std::move(item));
}

void DisplayListCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  DisplayItem item;
  item.type = DisplayItemType::kText;
  item.text = text;
  item.at = {x, y};
  item.size = font().size;
  const Box ink = TextInk(text);
  item.box = {x + ink.x, y + ink.y, ink.w, ink.h};
  items_.push_back(std::move(item));
}

int DisplayListCanvas::TextWidth(const std::string& text) {
  return measurer_ ? measurer_(font(), text, false) : FixedTextWidth(font(), text);
}

Box DisplayListCanvas::TextInk(const std::string& text) {
  return ink_ ? ink_(font(), text) : Canvas::TextInk(text);
}

int DisplayListCanvas::TextHeight(const std::string& text) {
  return measurer_ ? measurer_(font(), text, true) : FixedTextHeight(font());
}

}  // namespace kestrel
