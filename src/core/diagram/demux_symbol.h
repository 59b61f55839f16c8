#pragma once
// The demultiplexer symbol shared by the demultiplexer layout and the multiplexer-and-
// demultiplexer layout: the box with its wedge, the enable symbol on the left (an AND of two
// tied, negated inputs), the address lines with their labels below, and the outputs with
// their bubbles (active low) and numbers. The "A" numbers sit on the bottom of the box in both
// layouts; a grid unit higher they would run into the number of the last output.

#include <array>
#include <string>

#include "diagram/canvas.h"
#include "diagram/diagram_style.h"

namespace kestrel {

struct DemuxSymbolText {
  std::array<std::string, 4> addressLabels;
  std::string numberHeightText = "1";  ///< the text whose height centres the output numbers
};

/// The symbol with its box at (x0, y0), a address lines and n outputs.
void DrawDemuxSymbol(Canvas& canvas, int x0, int y0, int a, int n, const DemuxSymbolText& text,
                     int z, DiagramStyle style = DiagramStyle::kExact);

struct CircuitState;

/// The live circuit on the symbol at (x0, y0): the address lines in the style of their values
/// and an arrowhead at the active output (the state's demultiplexer outputs).
void DrawDemuxSymbolState(Canvas& canvas, int x0, int y0, int a,
                          const std::array<std::string, 4>& addressLabels,
                          const CircuitState& state, int z);

}  // namespace kestrel
