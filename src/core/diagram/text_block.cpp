#include "diagram/text_block.h"

#include <algorithm>

#include "diagram/recording_canvas.h"
#include "function/function_text.h"

namespace kestrel {

namespace {
constexpr int kProjectMargin = 20;
constexpr int kProjectFontSize = 10;
}  // namespace

TextBlockEnd DrawTextBlock(Canvas& c, int fontSize, int left, int y,
                           const std::string& functionText, const std::string& structureText) {
  TextBlockEnd end;
  c.SetFont(FontSpec{kTextBlockFontName, fontSize, false});
  c.SetBrushStyle(BrushStyle::kClear);
  const int lineH = c.TextHeight("1");
  c.TextOut(left, y, kTextBlockFunctionHeading);
  end.right = left + c.TextWidth(kTextBlockFunctionHeading);
  c.SetFontBold(true);
  y += lineH;

  // One character at a time, as the label shows it: " + " inside a line (advancing by one
  // and a half widths of "+" more), a plain "+" where the line breaks.
  int x = left;
  end.functionX = x;
  for (const FunctionLine& line : FunctionLines(functionText)) {
    for (size_t i = 0; i < line.text.size(); ++i) {
      const char ch = line.text[i];
      const std::string s(1, ch);
      const int w = c.TextWidth(s);
      if (line.broken && i + 1 == line.text.size()) {
        c.TextOut(x, y, s);
        end.functionX = std::max(end.functionX, x + w);
        end.right = std::max(end.right, x + w);
        y += lineH;
        x = left;
      } else {
        if (ch == '+') {
          c.TextOut(x, y, " + ");
          end.right = std::max(end.right, x + c.TextWidth(" + "));
          x = (3 * w) / 2 + x;
        } else {
          c.TextOut(x, y, s);
        }
        x += w;
      }
      end.functionX = std::max(end.functionX, x);
      end.right = std::max(end.right, x);
    }
  }

  c.SetFontBold(false);
  y = (3 * lineH) / 2 + y;
  c.TextOut(left, y, kTextBlockStructureHeading);
  end.right = std::max(end.right, left + c.TextWidth(kTextBlockStructureHeading));
  c.SetFontBold(true);
  y += lineH;
  c.TextOut(left, y, structureText);
  end.right = std::max(end.right, left + c.TextWidth(structureText));
  y += lineH;
  c.SetFontBold(false);
  end.y = y;
  return end;
}

OffsetCanvas::OffsetCanvas(Canvas& target, int dx, int dy) : target_(target), dx_(dx), dy_(dy) {
  SetPenColor(target.penColor());
  SetBrush(target.brushStyle(), target.brushColor());
  SetFont(target.font());
}

void OffsetCanvas::StateChanged() {
  target_.SetPenColor(penColor());
  target_.SetBrush(brushStyle(), brushColor());
  target_.SetFont(font());
}

void OffsetCanvas::Line(int x1, int y1, int x2, int y2) {
  target_.Line(x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_);
}
void OffsetCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  target_.Rectangle(x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_);
}
void OffsetCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  target_.Ellipse(x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_);
}
void OffsetCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  target_.Arc(x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_, x3 + dx_, y3 + dy_, x4 + dx_, y4 + dy_);
}
void OffsetCanvas::Polygon(const std::vector<Point>& points) {
  std::vector<Point> shifted = points;
  for (Point& p : shifted) p = {p.x + dx_, p.y + dy_};
  target_.Polygon(shifted);
}
void OffsetCanvas::TextOut(int x, int y, const std::string& text) {
  target_.TextOut(x + dx_, y + dy_, text);
}
int OffsetCanvas::TextWidth(const std::string& text) {
  return target_.TextWidth(text);
}
Box OffsetCanvas::TextInk(const std::string& text) {
  return target_.TextInk(text);
}
int OffsetCanvas::TextHeight(const std::string& text) {
  return target_.TextHeight(text);
}

ProjectLayout LayoutProject(Canvas& measure, const Diagram& diagram,
                            const std::string& functionText, const std::string& structureText) {
  // Measure by drawing on a canvas that only measures, with the metrics of the given one.
  BoundsCanvas bounds([&measure](const FontSpec& font, const std::string& text, bool height) {
    const FontSpec saved = measure.font();
    measure.SetFont(font);
    const int v = height ? measure.TextHeight(text) : measure.TextWidth(text);
    measure.SetFont(saved);
    return v;
  });
  const TextBlockEnd end = DrawTextBlock(bounds, kProjectFontSize, kProjectMargin, kProjectMargin,
                                         functionText, structureText);
  ProjectLayout layout;
  layout.diagramTop = end.y;
  layout.width = std::max(diagram.width, end.right + kProjectMargin);
  layout.height = end.y + diagram.height;
  return layout;
}

void DrawProject(Canvas& c, const ProjectLayout& layout, const Diagram& diagram,
                 const std::string& functionText, const std::string& structureText) {
  c.SetPenColor(kWhite);
  c.SetBrush(BrushStyle::kSolid, kWhite);
  c.Rectangle(0, 0, layout.width, layout.height);
  c.SetPenColor(kBlack);
  DrawTextBlock(c, kProjectFontSize, kProjectMargin, kProjectMargin, functionText, structureText);
  OffsetCanvas shifted(c, 0, layout.diagramTop);
  DrawDiagram(diagram, shifted);
}

}  // namespace kestrel
