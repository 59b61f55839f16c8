#pragma once
// The drawing surface of the diagram: integer pixel coordinates, y growing downward, and the
// rules of the Windows canvas that the symbols were designed against, made explicit here so
// that every implementation (screen, raster and vector pictures, the Windows metafile writer,
// the display list of the tests) draws the same picture.
//
// Canvas rules:
// - Line(x1, y1, x2, y2) draws with the pen from the first point to the second; the second
//   point itself is not painted (as LineTo does).
// - Rectangle and Ellipse take the two corners of their bounding box; the outline lies inside
//   the box, on columns x1..x2-1 and rows y1..y2-1. A solid brush fills the inside with the
//   brush colour; a clear brush leaves it untouched.
// - Arc takes the bounding box of an ellipse and two direction points: the arc starts where the
//   ray from the ellipse's centre through (x3, y3) meets the ellipse and runs counter-clockwise
//   (as seen on the screen) to where the ray through (x4, y4) meets it. Equal directions draw
//   the whole ellipse. An arc is never filled.
// - Polygon closes the path back to its first point, outlines it with the pen and fills it with
//   a solid brush.
// - TextOut writes the text with its top-left corner at (x, y), in the current font, in black
//   (the font's colour; the pen does not matter). With a solid brush the text cell (TextWidth x
//   TextHeight) is first filled with the brush colour; with a clear brush the background shows
//   through.
// - TextWidth and TextHeight measure a text in the current font; TextHeight is the height of a
//   line of text (ascent plus descent), the same for every text of one font. TextInk is the box
//   the text's glyphs cover, relative to the corner it is written at.
// - Font sizes are in points at 96 pixels per inch: a size s is FontPixelSize(s) pixels high
//   from the top of the tallest accent to the baseline of the em square (the negative height
//   of a Windows logical font).
// - The pen is always one pixel wide; colours are 0xRRGGBB.

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel {

using Color = uint32_t;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;

/// The family the diagram is drawn in.
inline constexpr const char* kDiagramFontName = "Arial Narrow";

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

/// A rectangle: left, top, width and height in pixels.
struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Box&) const = default;
};

enum class BrushStyle { kSolid, kClear };

struct FontSpec {
  std::string name = kDiagramFontName;
  int size = 9;  ///< points
  bool bold = false;
  bool operator==(const FontSpec&) const = default;
};

/// Pixel height of the em square for a size in points: size * 96 / 72, rounded to nearest.
int FontPixelSize(int points);

class Canvas {
 public:
  virtual ~Canvas() = default;

  // --- State: pen, brush and font, read by the drawing operations. ---
  void SetPenColor(Color color);
  void SetBrush(BrushStyle style, Color color);
  void SetBrushStyle(BrushStyle style);
  void SetBrushColor(Color color);
  void SetFont(const FontSpec& font);
  void SetFontSize(int points);
  void SetFontBold(bool bold);
  Color penColor() const { return pen_; }
  BrushStyle brushStyle() const { return brushStyle_; }
  Color brushColor() const { return brushColor_; }
  const FontSpec& font() const { return font_; }

  // --- Drawing. ---
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  virtual void Polygon(const std::vector<Point>& points) = 0;
  virtual void TextOut(int x, int y, const std::string& text) = 0;

  // --- Measurement in the current font. ---
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  /// The glyphs' box; without a font engine, the text's width and the rows of capitals and
  /// digits: about 0.65 em above a baseline one em below the top.
  virtual Box TextInk(const std::string& text);

 protected:
  /// Called after the pen, the brush or the font changed.
  virtual void StateChanged() {}

 private:
  Color pen_ = kBlack;
  BrushStyle brushStyle_ = BrushStyle::kSolid;
  Color brushColor_ = kWhite;
  FontSpec font_;
};

/// The arc of Canvas::Arc in parametric form: the ellipse's centre (cx, cy) and radii (rx, ry)
/// from its box, the start angle and the counter-clockwise span in degrees (0 at three o'clock,
/// growing counter-clockwise on the screen; a point at angle t is (cx + rx cos t, cy - ry sin t)).
/// The span lies in (0, 360]; equal directions give 360.
struct ArcGeometry {
  double cx = 0, cy = 0, rx = 0, ry = 0;
  double startDegrees = 0, spanDegrees = 360;
};
ArcGeometry ArcFromDirections(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

/// Text metrics that do not depend on any font engine, for tests and measurement: every
/// character is (px + 1) / 2 pixels wide and a line is px + px / 4 + 1 pixels high, where px is
/// FontPixelSize of the font size.
int FixedTextWidth(const FontSpec& font, const std::string& text);
int FixedTextHeight(const FontSpec& font);

}  // namespace kestrel
