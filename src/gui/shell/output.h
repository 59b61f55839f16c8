#pragma once
// The result on paper and in files: printing and the picture exports, both drawn from the
// laid-out diagram.

#include <string>

#include "base/limits.h"
#include "diagram/diagram_style.h"

class QPrinter;

namespace kestrel {
class FileDialogs;
struct FunctionModel;
class MessageSink;
class ResultStore;
struct StructureChoice;
}  // namespace kestrel

namespace kestrel::gui {

/// What printing and exporting read from the main window.
struct OutputInputs {
  std::string functionText;
  std::string designCaption;
  /// Where the diagram starts under the result labels on screen; the print's scale counts it.
  int top = 0;
  bool halveScale = false;  ///< single multiplexer or demultiplexer: printed at half the scale
  const ResultStore* results = nullptr;
  const StructureChoice* choice = nullptr;
  int zoom = kDefaultZoom;
  DiagramStyle style = DiagramStyle::kExact;  ///< the layout style the view shows
  const FunctionModel* model = nullptr;       ///< the function's variables name a netlist's inputs
};

/// Where the printed diagram goes: its top-left corner in printer pixels and the whole number
/// of printer pixels per screen pixel (0: the diagram does not fit and is left out).
struct PrintPlacement {
  int x = 0, y = 0;
  int scale = 0;
};
/// The print's scale rule: the screen's result picture (diagram width by top plus diagram
/// height) must fit right of a quarter of the text's end and below the text block, at a whole
/// number of printer pixels per screen pixel; a single multiplexer or demultiplexer is printed
/// at half that scale. The diagram keeps its own proportions.
PrintPlacement PlacePrintedDiagram(int pageWidth, int pageHeight, int textEndX, int textEndY,
                                   int top, int diagramWidth, int diagramHeight, bool halveScale);

/// Prints the text block and the diagram, as vector drawing at the printer's resolution, on one
/// page; false when the printer failed.
bool PrintResult(QPrinter& printer, const OutputInputs& in);

/// "Export diagram" (project false) and "Export project" (project true): asks for a file and
/// writes a JPEG, BMP or WMF picture, chosen by the file's extension, or, for a file ending in
/// .v or .blif, the circuit's netlist.
void ExportPicture(bool project, const OutputInputs& in, FileDialogs& dialogs,
                   MessageSink& messages);

}  // namespace kestrel::gui
