#pragma once
// The text block printed and exported with a project: the minimized function, broken after
// the first "+" past 50 characters, and the realized structure in bold. Also the canvas that
// shifts a drawing, used to put the diagram under the text block.

#include <string>

#include "diagram/canvas.h"
#include "diagram/diagram.h"
#include "function/texts.h"

namespace kestrel {

inline constexpr const char* kTextBlockFunctionHeading = text::kFunctionAfterMinimization;
inline constexpr const char* kTextBlockStructureHeading = text::kRealizedIn;
/// The face of the text block (the diagram keeps its own).
inline constexpr const char* kTextBlockFontName = "Arial";

struct TextBlockEnd {
  int y = 0;          ///< the row below the last line
  int functionX = 0;  ///< the greatest x reached by the function text
  int right = 0;      ///< the greatest x reached by any text of the block
};

/// Writes the block with left margin left from row y in the given font size (brush clear).
TextBlockEnd DrawTextBlock(Canvas& canvas, int fontSize, int left, int y,
                           const std::string& functionText, const std::string& structureText);

/// Forwards everything to another canvas, shifted by (dx, dy).
class OffsetCanvas : public Canvas {
 public:
  OffsetCanvas(Canvas& target, int dx, int dy);
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
  Canvas& target_;
  int dx_, dy_;
};

/// The project picture: the text block at (20, 20) and the diagram below it.
struct ProjectLayout {
  int width = 0, height = 0;
  int diagramTop = 0;
};
/// Measures the text block on the given canvas (nothing is drawn) and places the diagram.
ProjectLayout LayoutProject(Canvas& measure, const Diagram& diagram,
                            const std::string& functionText, const std::string& structureText);
void DrawProject(Canvas& canvas, const ProjectLayout& layout, const Diagram& diagram,
                 const std::string& functionText, const std::string& structureText);

}  // namespace kestrel
