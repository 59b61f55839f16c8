#pragma once
// Canvases that draw nothing: RecordingCanvas keeps a text display list of every operation, for
// the geometry tests and their golden files; BoundsCanvas measures what a drawing covers. Both
// measure text with the fixed metrics of canvas.h unless given a measurer.

#include <functional>
#include <string>
#include <vector>

#include "diagram/canvas.h"

namespace kestrel {

/// Measures a text in a font: returns its width (height when the flag is set).
using TextMeasurer = std::function<int(const FontSpec& font, const std::string& text, bool height)>;
/// The box a text's glyphs cover in a font, relative to the top-left corner it is written at.
using InkMeasurer = std::function<Box(const FontSpec& font, const std::string& text)>;

/// The display list, one operation a line:
///   pen #000000
///   brush solid #ffffff | brush clear
///   font "Arial Narrow" 9 | font "Arial Narrow" 9 bold
///   line (x1,y1)-(x2,y2)
///   rect (x1,y1)-(x2,y2)
///   ellipse (x1,y1)-(x2,y2)
///   arc (x1,y1)-(x2,y2) from (x3,y3) to (x4,y4)
///   polygon (x,y) (x,y) ...
///   text (x,y) "s"
/// State lines are written only when the state changed since the last drawing operation.
class RecordingCanvas : public Canvas {
 public:
  explicit RecordingCanvas(TextMeasurer measurer = nullptr) : measurer_(std::move(measurer)) {}

  const std::vector<std::string>& lines() const { return lines_; }
  /// The whole list, one line each, ending in a line feed.
  std::string Text() const;

  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Polygon(const std::vector<Point>& points) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;

 private:
  void Emit(std::string line);

  TextMeasurer measurer_;
  std::vector<std::string> lines_;
  bool written_ = false;
  Color lastPen_ = 0;
  BrushStyle lastBrushStyle_ = BrushStyle::kSolid;
  Color lastBrushColor_ = 0;
  FontSpec lastFont_;
};

struct Bounds {
  bool empty = true;
  int left = 0, top = 0, right = 0, bottom = 0;  ///< inclusive pixel extent
};

/// Measures the pixels a drawing may touch: outlines, fills and text cells.
class BoundsCanvas : public Canvas {
 public:
  explicit BoundsCanvas(TextMeasurer measurer = nullptr) : measurer_(std::move(measurer)) {}

  const Bounds& bounds() const { return bounds_; }
  /// True when every drawing operation stayed inside (0, 0)..(width-1, height-1).
  bool Inside(int width, int height) const;

  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Polygon(const std::vector<Point>& points) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;

 private:
  void Add(int x, int y);

  TextMeasurer measurer_;
  Bounds bounds_;
};

}  // namespace kestrel
