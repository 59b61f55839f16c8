#include "diagram/diagram.h"

#include <algorithm>

#include "diagram/symbols.h"
#include "diagram/value_style.h"
#include "engine/simulation.h"

namespace kestrel {

int FitZoom(const ResultStore& store, const StructureChoice& choice, int width, int height) {
  // Each zoom is laid out and measured, from the largest down: the picture's size comes from
  // the layout (font sizes step with the zoom), not from a formula.
  for (int z = kMaxZoom; z > kMinZoom; --z) {
    const Diagram d = LayoutDiagram(store, choice, z);
    if (d.width <= width && d.height <= height) return z;
  }
  return kMinZoom;
}

Diagram LayoutDiagram(const ResultStore& store, const StructureChoice& choice, int z) {
  Diagram d;
  d.zoom = std::clamp(z, kMinZoom, kMaxZoom);
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
  return d;
}

void DrawDiagram(const Diagram& d, Canvas& canvas) {
  canvas.SetFont(FontSpec{kDiagramFontName, d.fontSize, false});
  canvas.SetPenColor(kWhite);
  canvas.SetBrush(BrushStyle::kSolid, kWhite);
  canvas.Rectangle(0, 0, d.width, d.height);
  canvas.SetPenColor(kBlack);
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
  canvas.SetFont(FontSpec{kDiagramFontName, d.fontSize, false});
  canvas.SetPenColor(kBlack);
  switch (d.kind) {
    case DiagramKind::kTree:
      DrawTreeState(d, state, canvas);
      break;
    case DiagramKind::kDemux:
      DrawDemuxState(d, state, canvas);
      break;
    case DiagramKind::kMuxDemux:
      DrawMuxDemuxState(d, state, canvas);
      break;
    case DiagramKind::kEmpty:
      return;
  }
  DrawStateCaption(d, state, canvas);
}

std::optional<int> VariableAt(const Diagram& d, Point point) {
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
