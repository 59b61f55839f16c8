#include "diagram/diagram.h"

#include <algorithm>

#include "diagram/symbols.h"

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
