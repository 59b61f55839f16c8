#include "diagram/diagram.h"

#include <algorithm>

#include "diagram/recording_canvas.h"
#include "diagram/symbols.h"
#include "diagram/value_style.h"
#include "engine/simulation.h"

namespace kestrel {

const char* DiagramStyleName(DiagramStyle style) {
  switch (style) {
    case DiagramStyle::kExact:
      return "exact";
    case DiagramStyle::kClear:
      return "clear";
  }
  return "exact";
}

std::optional<DiagramStyle> DiagramStyleFromName(const std::string& name) {
  for (DiagramStyle style : {DiagramStyle::kExact, DiagramStyle::kClear})
    if (name == DiagramStyleName(style)) return style;
  return std::nullopt;
}

int ChannelSpacing(DiagramStyle style, int z) {
  switch (style) {
    case DiagramStyle::kExact:
      return 3;
    case DiagramStyle::kClear:
      return std::max(5, z / 2);
  }
  return 3;
}

int JunctionDotRadius(DiagramStyle style, int z) {
  switch (style) {
    case DiagramStyle::kExact:
      return 2;
    case DiagramStyle::kClear:
      return std::max(2, (z + 2) / 6);
  }
  return 2;
}

int FirstLabelColumnUnits(DiagramStyle style) {
  switch (style) {
    case DiagramStyle::kExact:
      return 1;
    case DiagramStyle::kClear:
      return 2;
  }
  return 1;
}

namespace {

/// Passes every operation on to the target moved by an offset; pen, brush and font reach the
/// target right before each operation or measurement.
class ShiftedCanvas : public Canvas {
 public:
  ShiftedCanvas(Canvas& target, Point offset) : target_(target), dx_(offset.x), dy_(offset.y) {
    SetPenColor(target.penColor());
    SetBrush(target.brushStyle(), target.brushColor());
    SetFont(target.font());
  }

  void Line(int x1, int y1, int x2, int y2) override {
    Sync();
    target_.Line(x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_);
  }
  void Rectangle(int x1, int y1, int x2, int y2) override {
    Sync();
    target_.Rectangle(x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_);
  }
  void Ellipse(int x1, int y1, int x2, int y2) override {
    Sync();
    target_.Ellipse(x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_);
  }
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override {
    Sync();
    target_.Arc(x1 + dx_, y1 + dy_, x2 + dx_, y2 + dy_, x3 + dx_, y3 + dy_, x4 + dx_, y4 + dy_);
  }
  void Polygon(const std::vector<Point>& points) override {
    Sync();
    std::vector<Point> moved = points;
    for (Point& p : moved) p = {p.x + dx_, p.y + dy_};
    target_.Polygon(moved);
  }
  void TextOut(int x, int y, const std::string& text) override {
    Sync();
    target_.TextOut(x + dx_, y + dy_, text);
  }
  int TextWidth(const std::string& text) override {
    Sync();
    return target_.TextWidth(text);
  }
  int TextHeight(const std::string& text) override {
    Sync();
    return target_.TextHeight(text);
  }
  Box TextInk(const std::string& text) override {
    Sync();
    return target_.TextInk(text);
  }

 private:
  void Sync() {
    if (target_.penColor() != penColor()) target_.SetPenColor(penColor());
    if (target_.brushStyle() != brushStyle() || target_.brushColor() != brushColor())
      target_.SetBrush(brushStyle(), brushColor());
    if (!(target_.font() == font())) target_.SetFont(font());
  }

  Canvas& target_;
  int dx_, dy_;
};

/// The symbols, wires and texts of the placed diagram, without the white fill and the state.
void DrawContent(const Diagram& d, Canvas& canvas) {
  switch (d.kind) {
    case DiagramKind::kTree:
      DrawTree(d, canvas);
      break;
    case DiagramKind::kDemux:
      DrawDemux(d, canvas);
      break;
    case DiagramKind::kMuxDemux:
      DrawMuxDemux(d, canvas);
      break;
    case DiagramKind::kEmpty:
      break;
  }
}

/// The clear style's picture: what the drawing covers, a grid unit to spare on the left, the
/// right and below; the top keeps the layout's margin, where the live circuit writes F.
void SizeFromContent(Diagram& d) {
  BoundsCanvas bounds;
  bounds.SetFont(FontSpec{kDiagramFontName, d.fontSize, false});
  DrawContent(d, bounds);
  if (bounds.bounds().empty) return;
  const Bounds& b = bounds.bounds();
  d.origin = {d.zoom - b.left, 0};
  d.width = b.right - b.left + 1 + 2 * d.zoom;
  d.height = b.bottom + 1 + d.zoom;
}

}  // namespace

int FitZoom(const ResultStore& store, const StructureChoice& choice, int width, int height,
            DiagramStyle style) {
  // Each zoom is laid out and measured, from the largest down: the picture's size comes from
  // the layout (font sizes step with the zoom), not from a formula.
  for (int z = kMaxZoom; z > kMinZoom; --z) {
    const Diagram d = LayoutDiagram(store, choice, z, style);
    if (d.width <= width && d.height <= height) return z;
  }
  return kMinZoom;
}

Diagram LayoutDiagram(const ResultStore& store, const StructureChoice& choice, int z,
                      DiagramStyle style) {
  Diagram d;
  d.zoom = std::clamp(z, kMinZoom, kMaxZoom);
  d.style = style;
  d.fontSize = CanvasFontSize(d.zoom);
  d.tab = choice.tab;
  // The gates layout belongs to the Multiplexer structure realized with gates; the box keeps
  // its state when another tab is chosen, and a plain multiplexer tree must not be placed as if
  // it had gates.
  d.useGates = choice.useGates && choice.tab == StructureTab::kMux;
  switch (choice.tab) {
    case StructureTab::kMux:
    case StructureTab::kMuxTree:
      LayoutTree(d, store);
      break;
    case StructureTab::kDemux:
      LayoutDemux(d, store);
      break;
    case StructureTab::kMuxDemux:
      LayoutMuxDemux(d, store);
      break;
  }
  if (d.kind == DiagramKind::kEmpty) {
    d.width = 10 * d.zoom;
    d.height = 10 * d.zoom;
  }
  switch (style) {
    case DiagramStyle::kExact:
      break;
    case DiagramStyle::kClear:
      SizeFromContent(d);
      break;
  }
  return d;
}

void DrawDiagram(const Diagram& d, Canvas& canvas) {
  canvas.SetFont(FontSpec{kDiagramFontName, d.fontSize, false});
  canvas.SetPenColor(kWhite);
  canvas.SetBrush(BrushStyle::kSolid, kWhite);
  canvas.Rectangle(0, 0, d.width, d.height);
  canvas.SetPenColor(kBlack);
  if (d.origin == Point{}) {
    DrawContent(d, canvas);
  } else {
    ShiftedCanvas shifted(canvas, d.origin);
    DrawContent(d, shifted);
  }
  if (d.state) DrawCircuitState(d, *d.state, canvas);
}

namespace {

// "F = 1" large, the function's value beside it, and a sample of F's line style; framed in red
// when the circuit differs from the function.
void DrawStateCaption(const Diagram& d, const CircuitState& state, Canvas& c) {
  const int z = d.zoom;
  const FontSpec saved = c.font();
  c.SetBrushStyle(BrushStyle::kClear);
  c.SetFont(FontSpec{kDiagramFontName, d.fontSize * 2, true});
  const std::string f = std::string("F = ") + (state.output ? "1" : "0");
  const int x = z / 2, y = z / 4;
  const int h = c.TextHeight(f);
  c.TextOut(x, y, f);
  int right = x + c.TextWidth(f) + z / 2;
  ValueLine(c, {right, y + h / 2}, {right + z, y + h / 2}, state.output);
  right += z + z / 2;
  c.SetFont(FontSpec{kDiagramFontName, d.fontSize, state.Differs()});
  std::string expected = std::string("function: ") + ExpectedText(state.expected);
  if (state.expected == ExpectedValue::kDontCare) expected += " (don't care)";
  if (state.Differs()) expected += "  - the circuit differs!";
  c.TextOut(right, y + (h - c.TextHeight(expected)) / 2, expected);
  if (state.Differs()) {
    c.SetPenColor(kMismatchColor);
    c.Rectangle(x - 3, y - 1, right + c.TextWidth(expected) + 3, y + h + 1);
    c.Rectangle(x - 2, y, right + c.TextWidth(expected) + 2, y + h);
    c.SetPenColor(kBlack);
  }
  c.SetFont(saved);
}

}  // namespace

void DrawCircuitState(const Diagram& d, const CircuitState& state, Canvas& canvas) {
  if (d.kind == DiagramKind::kEmpty) return;
  canvas.SetFont(FontSpec{kDiagramFontName, d.fontSize, false});
  canvas.SetPenColor(kBlack);
  auto draw = [&](Canvas& c) {
    switch (d.kind) {
      case DiagramKind::kTree:
        DrawTreeState(d, state, c);
        break;
      case DiagramKind::kDemux:
        DrawDemuxState(d, state, c);
        break;
      case DiagramKind::kMuxDemux:
        DrawMuxDemuxState(d, state, c);
        break;
      case DiagramKind::kEmpty:
        break;
    }
  };
  if (d.origin == Point{}) {
    draw(canvas);
  } else {
    ShiftedCanvas shifted(canvas, d.origin);
    draw(shifted);
    canvas.SetPenColor(shifted.penColor());
    canvas.SetBrush(shifted.brushStyle(), shifted.brushColor());
    canvas.SetFont(shifted.font());
  }
  DrawStateCaption(d, state, canvas);
}

std::optional<int> VariableAt(const Diagram& d, Point point) {
  point = {point.x - d.origin.x, point.y - d.origin.y};
  std::vector<LabelBox> boxes;
  switch (d.kind) {
    case DiagramKind::kTree:
      boxes = TreeLabelBoxes(d);
      break;
    case DiagramKind::kDemux:
      boxes = DemuxLabelBoxes(d);
      break;
    case DiagramKind::kMuxDemux:
      boxes = MuxDemuxLabelBoxes(d);
      break;
    case DiagramKind::kEmpty:
      break;
  }
  for (const LabelBox& b : boxes) {
    if (point.x < b.x1 || point.x >= b.x2 || point.y < b.y1 || point.y >= b.y2) continue;
    std::string name = b.label;
    if (!name.empty() && name[0] == '~') name.erase(0, 1);
    if (name.size() == 2 && name[0] == 'x' && name[1] >= '0' && name[1] <= '9')
      return name[1] - '0';
  }
  return std::nullopt;
}

PictureSize Redraw(const ResultStore& store, const StructureChoice& choice, int z, Canvas& canvas) {
  const Diagram d = LayoutDiagram(store, choice, z);
  DrawDiagram(d, canvas);
  return d.size();
}

int F2Dec(const std::string& term) {
  const std::string s = " " + term;
  int value = 0;
  for (size_t i = 1; i + 1 < s.size(); ++i) {
    if (s[i] != 'x') continue;
    value = s[i - 1] == '~' ? value * 2 : value * 2 + 1;
    if (value > (1 << 20)) value = 1 << 20;  // a term of at most ten literals stays far below
  }
  return value;
}

}  // namespace kestrel
