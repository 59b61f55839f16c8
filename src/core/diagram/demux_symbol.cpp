#include "diagram/demux_symbol.h"

#include <algorithm>

#include "diagram/symbols.h"
#include "diagram/value_style.h"
#include "engine/simulation.h"

namespace kestrel {

void DrawDemuxSymbol(Canvas& c, int x0, int y0, int a, int n, const DemuxSymbolText& text, int z,
                     DiagramStyle style) {
  c.SetPenColor(kBlack);
  c.SetBrush(BrushStyle::kSolid, kWhite);
  c.Rectangle(x0, y0, x0 + (a + 1) * z, y0 + (n + 1) * z);

  // The wedge, pointing to the input side. It comes first: the texts inside the box are
  // written over it on white, so that it never runs through an output number or an "A" label.
  // The clear style draws it last, stopping short of the texts.
  const int xr = x0 + (a + 1) * z;
  const Wedge wedge{{xr, y0}, {x0, y0 + ((n + 1) * z) / 2}, {xr, y0 + (n + 1) * z}};
  std::vector<Box> inside;  // the clear style's texts inside the box
  WedgeUnderTexts(c, wedge, style);

  // The enable symbol: an AND body whose point touches the box's left edge, with two negated
  // inputs tied together and to the bar below.
  const int s = ((n + 1) * z + y0) / 2 + (2 * z + y0) / 8;
  const int x15 = TruncDiv(10LL * x0 - 15LL * z, 10);
  const int x19 = TruncDiv(10LL * x0 - 19LL * z, 10);
  const int x25 = TruncDiv(10LL * x0 - 25LL * z, 10);
  const int s15 = TruncDiv(10LL * s + 15LL * z, 10);
  const int s25 = TruncDiv(10LL * s + 25LL * z, 10);
  c.Rectangle(x15, s, x0 - z, s + 2 * z);
  c.Arc(x0 - 2 * z, s, x0, s + 2 * z, x0 - z, s + 3 * z, x0 - z, s - z);
  c.SetPenColor(kWhite);
  c.Rectangle(x0 - z - 1, s + 1, x0 - z + 1, s + 2 * z - 2);
  c.SetPenColor(kBlack);
  c.Line(x15, s + z / 2, x25, s + z / 2);
  c.Line(x25, s + z / 2, x25, s15);
  c.Line(x25, s15, x15, s15);
  c.Line(x25, s15, x25, s25);
  c.Line(x0 - 3 * z, s25, x0 - 2 * z, s25);
  c.Ellipse(x19, TruncDiv(10LL * s + 3LL * z, 10), x15, TruncDiv(10LL * s + 7LL * z, 10));
  c.Ellipse(x19, TruncDiv(10LL * s + 13LL * z, 10), x15, TruncDiv(10LL * s + 17LL * z, 10));

  // The "A" numbers along the bottom edge, in a smaller font where the canvas font would run
  // them together.
  const FontSpec font = c.font();
  const int aSize = AddressNumberFontSize(c, z, a);
  c.SetFontSize(aSize);
  Box aInk;
  for (int i = 0; i < a; ++i) {
    const int ax = x0 + (i + 1) * z;
    c.SetFont(font);
    const int left = ax - c.TextWidth(text.addressLabels[i]) / 2;
    c.SetFontSize(aSize);
    aInk = Union(aInk, InkAt(c, left, y0 + (n + 1) * z - c.TextHeight("A") + 1,
                             "A" + std::to_string(a - 1 - i)));
  }
  c.SetFont(font);

  // Outputs, active low. At small zooms the bottom output's number would sit on the "A"
  // numbers: it moves up.
  for (int j = 0; j < n; ++j) {
    const int yj = y0 + (j + 1) * z;
    c.Line(xr, yj, xr + z, yj);
    c.SetBrush(BrushStyle::kSolid, kWhite);
    c.Ellipse(xr, TruncDiv(10LL * yj - 2LL * z, 10), xr + z / 2, TruncDiv(10LL * yj + 3LL * z, 10));
    const std::string number = std::to_string(j);
    const int left = xr - c.TextWidth(number) - 3;
    int top = yj - c.TextHeight(text.numberHeightText) / 2;
    if (j == n - 1) {
      const Box own = InkAt(c, left, top, number);
      if (ColumnsOverlap(own, aInk)) top = TopClearAbove(top, own, aInk);
    }
    LabelOnWhite(c, left, top, number);
    inside.push_back(InkAt(c, left, top, number));
  }

  // Address lines: the leftmost is the most significant.
  for (int i = 0; i < a; ++i) {
    const int ax = x0 + (i + 1) * z;
    const std::string& label = text.addressLabels[i];
    c.Line(ax, y0 + (n + 1) * z, ax, y0 + (n + 2) * z);
    c.TextOut(ax - c.TextWidth(label) / 2, y0 + (n + 2) * z, label);
    const int left = ax - c.TextWidth(label) / 2;
    c.SetFontSize(aSize);
    LabelOnWhite(c, left, y0 + (n + 1) * z - c.TextHeight("A") + 1,
                 "A" + std::to_string(a - 1 - i));
    inside.push_back(
        InkAt(c, left, y0 + (n + 1) * z - c.TextHeight("A") + 1, "A" + std::to_string(a - 1 - i)));
    c.SetFont(font);
  }
  if (style == DiagramStyle::kClear) c.SetPenColor(kBlack);
  WedgeAroundTexts(c, wedge, style, inside, z);

  // The box's outline again, in case a white patch reached its bottom edge.
  c.SetBrushStyle(BrushStyle::kClear);
  c.Rectangle(x0, y0, xr, y0 + (n + 1) * z);
}

void DrawDemuxSymbolState(Canvas& c, int x0, int y0, int a,
                          const std::array<std::string, 4>& addressLabels,
                          const CircuitState& state, int z) {
  const int n = static_cast<int>(state.demuxOutputs.size());
  for (int i = 0; i < a; ++i) {
    const int ax = x0 + (i + 1) * z;
    ValueLine(c, {ax, y0 + (n + 1) * z + 1}, {ax, y0 + (n + 2) * z},
              LineValue(addressLabels[i], state.assignment));
  }
  const int xr = x0 + (a + 1) * z;
  for (int j = 0; j < n; ++j) {
    if (!state.demuxOutputs[j]) continue;
    const int yj = y0 + (j + 1) * z;
    const int h = std::max(3, z / 3);
    c.SetPenColor(kBlack);
    c.SetBrush(BrushStyle::kSolid, kBlack);
    c.Polygon(
        {{xr + z - h, yj - h}, {xr + z + h / 2, yj}, {xr + z - h, yj + h}, {xr + z - h, yj - h}});
    c.SetBrushStyle(BrushStyle::kClear);
  }
}

}  // namespace kestrel
