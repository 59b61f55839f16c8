#pragma once
// kestrel-cli render: realizes a function as realize does, or opens a project file (realized at
// once, as Open project does), and writes the picture of the diagram (or of the whole project)
// in the format that the output file's extension names, or the circuit's netlist (.v, .blif).

#include <optional>
#include <ostream>
#include <string>

#include "cli/realize_command.h"

namespace kestrel::cli {

struct RenderInputs {
  RealizeInputs realize;
  std::string project;  ///< a .kep file to open instead of the realize inputs
  int zoom = kDefaultZoom;
  std::string what = "diagram";
  std::string output;
  /// The combination whose state the picture shows (simulate's --assign); none: the plain
  /// diagram.
  std::optional<std::string> assign;
  bool smooth = false;          ///< antialiased drawing instead of whole pixels
  std::string style = "exact";  ///< the layout style: "exact" or "clear"
};

/// A .json output: the diagram's display list.
bool IsDisplayListPath(const std::string& path);

void AddRenderOptions(CLI::App& app, RenderInputs& inputs);
/// Returns an error text for a usage error, or "".
std::string ValidateRenderInputs(const RenderInputs& inputs);

/// Draws the structure realized in the session at the inputs' zoom and writes the picture, or
/// writes its netlist; returns the exit code. A picture needs a QGuiApplication.
int RenderSession(const Session& session, const RenderInputs& inputs, std::ostream& out,
                  std::ostream& err);

/// The whole command: starts Qt without a display, defines and realizes (or opens the project)
/// and renders.
int RunRender(const RenderInputs& inputs);

}  // namespace kestrel::cli
