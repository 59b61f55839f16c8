#pragma once
// The diagram canvas over a QPainter: the screen, raster images, SVG and PDF. Lines, outlines
// and fills follow the Windows canvas rules of diagram/canvas.h; exact drawing (the default)
// draws geometry without antialiasing so that raster pictures keep their one-pixel lines,
// smooth drawing antialiases it. Text is measured with one font engine for every device
// (QtTextMeasurer), so every picture format has the same layout.

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "diagram/canvas.h"
#include "diagram/display_list.h"
#include "diagram/recording_canvas.h"

namespace kestrel {

/// How lines and outlines reach the pixels.
enum class Drawing {
  /// Whole pixels, no antialiasing: each line one device pixel wide, as in every picture
  /// written without --smooth.
  kExact,
  /// Antialiased: each line one pixel of the drawing's own coordinates wide and centred on
  /// that pixel, so straight lines stay crisp at any whole device pixel ratio and slanted
  /// lines, circles and arcs are smooth.
  kSmooth,
};

/// The Qt font for a canvas font: the family by name (fontconfig maps "Arial Narrow" to a
/// metric-compatible face), the size as a pixel size (FontPixelSize), bold or normal.
QFont QtFontFor(const FontSpec& font);
/// The family Qt really uses for a font name, e.g. "Liberation Sans Narrow" for "Arial Narrow"
/// where Arial Narrow itself is not installed. Needs a QGuiApplication.
QString ResolvedFontFamily(const std::string& name);

/// Width (or line height) of a text in a canvas font, by Qt's font metrics.
int QtTextWidth(const FontSpec& font, const std::string& text);
int QtTextHeight(const FontSpec& font);
/// The measurer for the canvases that have no font engine of their own.
TextMeasurer QtTextMeasurer();
/// The box the glyphs of a text cover in a canvas font, relative to its top-left corner.
InkMeasurer QtInkMeasurer();

class QPainterCanvas : public Canvas {
 public:
  /// Draws through painter, which must be active; the painter's pen, brush and font are the
  /// canvas's from now on. Lines are one device pixel wide (a cosmetic pen) unless lineWidth
  /// gives their width in the painter's coordinates: a printout scaled up from screen pixels
  /// draws its lines one screen pixel wide, not one printer dot.
  /// Smooth drawing moves the painter's origin half a pixel to the lower right: the centre of
  /// a pixel-wide line on whole coordinates then lies on the pixel's centre.
  explicit QPainterCanvas(QPainter& painter, double lineWidth = 0,
                          Drawing drawing = Drawing::kExact);

  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Polygon(const std::vector<Point>& points) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  Box TextInk(const std::string& text) override;

 protected:
  void StateChanged() override;

 private:
  void ApplyPen();
  void ApplyBrush();

  QPainter& painter_;
  double lineWidth_ = 0;
  QFont qfont_;
  QFontMetrics metrics_{QFont()};
  int ascent_ = 0;
};

}  // namespace kestrel
