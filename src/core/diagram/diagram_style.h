#pragma once
// The two layout styles of the diagram and the measures in which they differ.

#include <optional>
#include <string>

namespace kestrel {

/// How the diagram is laid out. The exact style places every symbol, wire and text where the
/// drawing has always placed them; the clear style is the same circuit drawn for reading: wire
/// channels spaced with the zoom and ordered so that wires do not cross where another order
/// avoids it, label columns a grid unit clear of the input stubs, junction dots that grow with
/// the zoom, larger gate labels, no short jogs in the demultiplexer's wires, and a picture sized
/// from what it holds.
enum class DiagramStyle { kExact, kClear };

/// The style's name as the command line and the display list write it: "exact" or "clear".
const char* DiagramStyleName(DiagramStyle style);
/// The style named by text, or none for a name that is neither.
std::optional<DiagramStyle> DiagramStyleFromName(const std::string& name);

/// The distance between neighbouring wire channels: 3 pixels in the exact style, half a grid
/// unit (at least 5 pixels) in the clear style.
int ChannelSpacing(DiagramStyle style, int z);
/// The radius of a junction dot: 2 pixels in the exact style; growing with the zoom in the
/// clear style.
int JunctionDotRadius(DiagramStyle style, int z);
/// How many grid units left of a multiplexer's box its label column 0 stands: 1 in the exact
/// style (on the ends of the input stubs), 2 in the clear style (a grid unit clear of them).
int FirstLabelColumnUnits(DiagramStyle style);

}  // namespace kestrel
