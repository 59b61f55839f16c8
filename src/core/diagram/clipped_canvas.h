#pragma once
// A canvas that passes on only what may show inside a rectangle, so that the screen repaints
// the exposed part of a large diagram without drawing, or holding, the whole picture.

#include <optional>
#include <string>
#include <vector>

#include "diagram/canvas.h"

namespace kestrel {

/// A rectangle of pixels: columns left..right-1 and rows top..bottom-1.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

/// Forwards to the target the drawing operations that may paint a pixel inside the clip
/// rectangle and skips the others (a line, an outline or a text that ends a pixel short of the
/// rectangle costs nothing). Pen, brush and font reach the target only right before an
/// operation that is forwarded or a measurement, so a skipped part of the drawing changes no
/// state on the target either. Text is measured by the target.
class ClippedCanvas : public Canvas {
 public:
  /// Operations within margin pixels of the clip are forwarded too, for the text renderer's
  /// overhangs.
  static constexpr int kMargin = 2;

  ClippedCanvas(Canvas& target, const PixelRect& clip);

  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Polygon(const std::vector<Point>& points) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;

  /// How many drawing operations were forwarded and how many skipped.
  int forwarded() const { return forwarded_; }
  int skipped() const { return skipped_; }

 protected:
  void StateChanged() override { stateChanged_ = true; }

 private:
  /// Whether a box of pixels (inclusive corners, in any order) meets the clip; counts it.
  bool Visible(int x1, int y1, int x2, int y2);
  /// Brings the target's pen, brush and font up to date.
  void Sync();
  /// The line height of the current font, measured once per font.
  int LineHeight();

  Canvas& target_;
  PixelRect clip_;
  bool stateChanged_ = true;
  std::optional<FontSpec> heightFont_;
  int height_ = 0;
  int forwarded_ = 0, skipped_ = 0;
};

}  // namespace kestrel
