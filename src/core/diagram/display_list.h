#pragma once
// The picture as a list of what is inked, for checking pictures by machine: lines, outlines,
// ellipses, arcs and texts with the box their glyphs cover. Erasures (anything drawn with a
// white pen: the background, the white patches under texts) are left out.

#include <functional>
#include <string>
#include <vector>

#include "diagram/canvas.h"
#include "diagram/recording_canvas.h"

namespace kestrel {

enum class DisplayItemType { kLine, kPolygon, kEllipse, kArc, kText };

struct DisplayItem {
  DisplayItemType type = DisplayItemType::kLine;
  std::vector<Point> points;  ///< a line's two ends, a polygon's corners (a rectangle's four)
  Box box;                    ///< an ellipse's or arc's bounding box; a text's ink
  Point start, end;           ///< an arc's direction points
  std::string text;
  Point at;             ///< a text's top-left corner
  int size = 0;         ///< a text's font size in points
  bool filled = false;  ///< an ellipse or polygon filled with a black brush (a junction dot)
};

struct DisplayList {
  int width = 0, height = 0;
  std::vector<DisplayItem> items;
};

class DisplayListCanvas : public Canvas {
 public:
  /// Measures texts with measurer and their ink with ink (both may be empty: the fixed metrics
  /// and the ink of canvas.h).
  DisplayListCanvas(TextMeasurer measurer, InkMeasurer ink)
      : measurer_(std::move(measurer)), ink_(std::move(ink)) {}

  const std::vector<DisplayItem>& items() const { return items_; }

  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Polygon(const std::vector<Point>& points) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  Box TextInk(const std::string& text) override;

 private:
  bool Erasing() const { return penColor() == kWhite; }
  bool FilledBlack() const { return brushStyle() == BrushStyle::kSolid && brushColor() == kBlack; }

  TextMeasurer measurer_;
  InkMeasurer ink_;
  std::vector<DisplayItem> items_;
};

}  // namespace kestrel
