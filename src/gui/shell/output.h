#pragma once
// The result on screen and on paper: the diagram picture at a zoom, printing, and the picture
// exports.

#include <QImage>
#include <string>

#include "base/limits.h"

class QPrinter;

namespace kestrel {
class FileDialogs;
struct FunctionModel;
class MessageSink;
class ResultStore;
struct StructureChoice;
}  // namespace kestrel

namespace kestrel::gui {

/// The diagram of the chosen structure at zoom z (white background).
QImage RenderDiagram(const ResultStore& results, const StructureChoice& choice, int z);

/// What printing and exporting read from the main window.
struct OutputInputs {
  std::string functionText;
  std::string designCaption;
  const QImage* mainPicture = nullptr;  ///< blank labels area on top, the diagram from top down
  int top = 0;
  bool halveScale = false;  ///< single multiplexer or demultiplexer: printed at half the scale
  const ResultStore* results = nullptr;
  const StructureChoice* choice = nullptr;
  int zoom = kDefaultZoom;
  const FunctionModel* model = nullptr;  ///< the function's variables name a netlist's inputs
};

/// Prints the text block and the diagram on one page; false when the printer failed.
bool PrintResult(QPrinter& printer, const OutputInputs& in);

/// "Export diagram" (project false) and "Export project" (project true): asks for a file and
/// writes a JPEG, BMP or WMF picture, chosen by the file's extension, or, for a file ending in
/// .v or .blif, the circuit's netlist.
void ExportPicture(bool project, const OutputInputs& in, FileDialogs& dialogs,
                   MessageSink& messages);

}  // namespace kestrel::gui
