#pragma once
// Redraw: the diagram of the realized structure at a zoom. LayoutDiagram reads the result
// records and the structure choice and places everything (the picture size is known before any
// drawing); DrawDiagram then draws the picture on any canvas. The records are read, never
// changed: the layout works on its own copy (orders, positions, negations moved onto the
// children's outputs).

#include <optional>
#include <string>
#include <vector>

#include "diagram/canvas.h"
#include "diagram/diagram_style.h"
#include "engine/records.h"
#include "engine/simulation.h"
#include "structure/structure_choice.h"

namespace kestrel {

enum class DiagramKind {
  kEmpty,     ///< nothing realized for the chosen structure: a blank picture
  kTree,      ///< Multiplexer (with or without gates) and Multiplexer Tree
  kDemux,     ///< Demultiplexer
  kMuxDemux,  ///< Multiplexer and Demultiplexer
};

struct PictureSize {
  int width = 0;
  int height = 0;
};

struct Diagram {
  DiagramKind kind = DiagramKind::kEmpty;
  int zoom = kDefaultZoom;
  DiagramStyle style = DiagramStyle::kExact;
  /// Where the layout's origin lands in the picture: the clear style moves the drawing so that
  /// its content starts a margin from the top-left corner (DrawDiagram, DrawCircuitState and
  /// VariableAt apply it). Always (0, 0) in the exact style.
  Point origin;
  int fontSize = 9;  ///< the canvas font size for the zoom
  int width = 0, height = 0;
  StructureTab tab = StructureTab::kMux;
  bool useGates = false;  ///< the gates layout: "use gates" with the Multiplexer structure
  // Tree: the node list with order, x and y set and the negations moved.
  std::vector<NodeRecord> nodes;
  /// The channel offset of the wire into each node input (index: node * 16 + input).
  std::vector<int> wireOffsets;
  // Demultiplexer.
  DemuxRecord demux;
  // Multiplexer and demultiplexer.
  MuxDemuxRecord muxDemux;
  DemuxPart demuxPart;
  std::vector<CollectingGate> gates;
  /// The live circuit: a state of this circuit drawn over it (DrawCircuitState); none for the
  /// plain drawing.
  std::optional<CircuitState> state;

  PictureSize size() const { return {width, height}; }
};

/// Places the diagram of the structure selected in choice (its tab) at zoom z; z outside
/// 10..30 is brought into that range. Out-of-range record fields (counts, ids, levels, gate
/// indices) are clamped or ignored, never trusted.
Diagram LayoutDiagram(const ResultStore& store, const StructureChoice& choice, int z,
                      DiagramStyle style = DiagramStyle::kExact);

/// Fit to window: the largest zoom of 10..30 at which the diagram is at most width by height
/// pixels; the smallest zoom (10) when none fits.
int FitZoom(const ResultStore& store, const StructureChoice& choice, int width, int height,
            DiagramStyle style = DiagramStyle::kExact);

/// Draws the placed diagram, starting with a white fill of the whole picture, and its state over
/// it when it has one.
void DrawDiagram(const Diagram& diagram, Canvas& canvas);

/// The live circuit over a drawn diagram: the wires and lines in the style of the value they
/// carry at the state's combination (diagram/value_style.h), each multiplexer's selected data
/// input joined to its output, the demultiplexer's active output marked, and F with the
/// function's value written large in the top-left corner. Drawn after DrawDiagram, over the same
/// layout; a state of another circuit draws nothing but the corner text.
void DrawCircuitState(const Diagram& diagram, const CircuitState& state, Canvas& canvas);

/// The variable whose input label (an address line's label or a label column's text) lies at
/// the point of the picture, as its index d of x<d>; none elsewhere. The live circuit flips that
/// variable's switch on a click.
std::optional<int> VariableAt(const Diagram& diagram, Point point);

/// Layout and drawing in one call; returns the picture size.
PictureSize Redraw(const ResultStore& store, const StructureChoice& choice, int z, Canvas& canvas);

/// The minterm number of a full product term: the literals' polarities in order of appearance
/// read as a binary number (x3~x2x0 gives 5).
int F2Dec(const std::string& term);

// The three layouts (used by LayoutDiagram and DrawDiagram).
void LayoutTree(Diagram& d, const ResultStore& store);
void DrawTree(const Diagram& d, Canvas& canvas);
void LayoutDemux(Diagram& d, const ResultStore& store);
void DrawDemux(const Diagram& d, Canvas& canvas);
void LayoutMuxDemux(Diagram& d, const ResultStore& store);
void DrawMuxDemux(const Diagram& d, Canvas& canvas);
void DrawTreeState(const Diagram& d, const CircuitState& state, Canvas& canvas);
void DrawDemuxState(const Diagram& d, const CircuitState& state, Canvas& canvas);
void DrawMuxDemuxState(const Diagram& d, const CircuitState& state, Canvas& canvas);
/// The label texts that name a variable, as boxes: each layout's part of VariableAt.
struct LabelBox {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::string label;
};
std::vector<LabelBox> TreeLabelBoxes(const Diagram& d);
std::vector<LabelBox> DemuxLabelBoxes(const Diagram& d);
std::vector<LabelBox> MuxDemuxLabelBoxes(const Diagram& d);

}  // namespace kestrel
