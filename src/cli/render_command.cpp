#include "cli/render_command.h"

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>

#include "cli/files_commands.h"
#include "diagram/diagram.h"
#include "diagram/symbols.h"
#include "export/picture_export.h"
#include "export/qpainter_canvas.h"
#include "files/file_io.h"
#include "netlist/netlist.h"
#include "ui/file_dialogs.h"

namespace kestrel::cli {

void AddRenderOptions(CLI::App& app, RenderInputs& inputs) {
  AddRealizeOptions(app, inputs.realize);
  // A project file brings its own structure.
  app.get_option("--structure")->required(false);
  app.add_option("--project", inputs.project,
                 "a project file (.kep) to open and render instead of --function/--ones/...");
  app.add_option("--zoom", inputs.zoom, "pixels per grid unit, 10 to 30 (default 17)")
      ->check(CLI::Range(kMinZoom, kMaxZoom));
  app.add_option("--what", inputs.what,
                 "diagram: the circuit alone; project: the function and structure above it")
      ->check(CLI::IsMember({"diagram", "project"}));
  app.add_option("-o,--output", inputs.output,
                 "the picture or netlist file; its extension picks the format: .svg .png .pdf "
                 ".wmf .bmp .jpg, .v (structural Verilog) .blif (BLIF), or .json (the "
                 "diagram's display list)")
      ->required();
  app.add_option("--assign", inputs.assign,
                 "draw the circuit's state for this combination into the picture: its number, or "
                 "settings such as x3=1,x0=0 (as simulate takes them)");
  app.add_option("--style", inputs.style,
                 "exact: the drawing as the program has always placed it; clear: laid out for "
                 "reading (wider wire channels without needless crossings, larger dots and gate "
                 "labels, the picture sized to its content)");
  app.add_flag("--smooth", inputs.smooth,
               "draw antialiased lines (as the desktop program's smooth drawing) instead of "
               "whole pixels; pictures only");
}

std::string ValidateRenderInputs(const RenderInputs& inputs) {
  if (inputs.zoom < kMinZoom || inputs.zoom > kMaxZoom) return "--zoom must be 10 to 30";
  if (!DiagramStyleFromName(inputs.style))
    return "--style must be exact or clear, not \"" + inputs.style + "\"";
  const bool netlist = NetlistFormatFromExtension(inputs.output) != NetlistFormat::kNone;
  if (netlist && inputs.assign)
    return "--assign draws a state into a picture; a netlist (.v, .blif) holds the circuit alone";
  if (netlist && inputs.what == "project")
    return "--what project draws a picture; a netlist (.v, .blif) holds the circuit alone";
  if (IsDisplayListPath(inputs.output) && inputs.what == "project")
    return "--what project draws a picture; a display list (.json) holds the diagram alone";
  if (netlist && inputs.style != "exact")
    return "--style lays out a picture; a netlist (.v, .blif) holds the circuit alone";
  if (netlist && inputs.smooth)
    return "--smooth draws a picture; a netlist (.v, .blif) holds the circuit alone";
  if (!netlist && !IsDisplayListPath(inputs.output) &&
      PictureFormatFromExtension(inputs.output) == PictureFormat::kNone)
    return "cannot tell the picture format of \"" + inputs.output +
           "\": the file name must end in .svg, .png, .pdf, .wmf, .bmp or .jpg (a picture), or "
           "in .v or .blif (a netlist)";
  const RealizeInputs& r = inputs.realize;
  if (!inputs.project.empty()) {
    if (r.function.Given() || r.functionText || !r.structure.empty() || r.muxSize || r.demuxSize)
      return "--project cannot be combined with the function and structure options";
    if (!IsProjectPath(inputs.project)) return "--project needs a project file (.kep)";
    return "";
  }
  if (r.structure.empty()) return "--structure is required (or --project)";
  return ValidateRealizeInputs(r);
}

namespace {

DiagramStyle StyleOf(const RenderInputs& inputs) {
  return DiagramStyleFromName(inputs.style).value_or(DiagramStyle::kExact);
}

}  // namespace

bool IsDisplayListPath(const std::string& path) {
  return std::filesystem::path(path).extension() == ".json";
}

nlohmann::json DisplayListJson(const Diagram& diagram) {
  DisplayListCanvas canvas(QtTextMeasurer(), QtInkMeasurer());
  DrawDiagram(diagram, canvas);
  auto points = [](const std::vector<Point>& list) {
    nlohmann::json out = nlohmann::json::array();
    for (const Point& p : list) out.push_back({p.x, p.y});
    return out;
  };
  auto box = [](const Box& b) { return nlohmann::json::array({b.x, b.y, b.w, b.h}); };
  nlohmann::json items = nlohmann::json::array();
  for (const DisplayItem& item : canvas.items()) {
    nlohmann::json j;
    switch (item.type) {
      case DisplayItemType::kLine:
        j = {{"type", "line"}, {"points", points(item.points)}};
        break;
      case DisplayItemType::kPolygon:
        j = {{"type", "polygon"}, {"points", points(item.points)}, {"filled", item.filled}};
        break;
      case DisplayItemType::kEllipse:
        j = {{"type", "ellipse"}, {"box", box(item.box)}, {"filled", item.filled}};
        break;
      case DisplayItemType::kArc:
        j = {{"type", "arc"},
             {"box", box(item.box)},
             {"start", {item.start.x, item.start.y}},
             {"end", {item.end.x, item.end.y}}};
        break;
      case DisplayItemType::kText:
        j = {{"type", "text"}, {"text", item.text}, {"x", item.at.x},
             {"y", item.at.y}, {"size", item.size}, {"box", box(item.box)}};
        break;
    }
    items.push_back(std::move(j));
  }
  nlohmann::json list = {{"width", diagram.width}, {"height", diagram.height}};
  // The default style writes no field, so that its lists stay as they always were.
  switch (diagram.style) {
    case DiagramStyle::kExact:
      break;
    case DiagramStyle::kClear:
      list["style"] = DiagramStyleName(diagram.style);
      break;
  }
  list["items"] = std::move(items);
  return list;
}

int WriteDisplayList(const Session& session, const RenderInputs& inputs, std::ostream& out,
                     std::ostream& err) {
  const Diagram diagram =
      LayoutDiagram(session.results, session.choice, inputs.zoom, StyleOf(inputs));
  std::string error;
  if (!WriteFileAtomically(inputs.output, DisplayListJson(diagram).dump() + "\n", &error)) {
    err << "kestrel-cli: the display list was not written to " << inputs.output << ": " << error
        << "\n";
    return kExitRefused;
  }
  out << "Wrote the display list of the diagram at zoom " << diagram.zoom << " to " << inputs.output
      << "\n";
  return kExitOk;
}

int WriteNetlist(const Session& session, const RenderInputs& inputs, std::ostream& out,
                 std::ostream& err) {
  const NetlistFormat format = NetlistFormatFromExtension(inputs.output);
  const NetlistResult netlist =
      BuildNetlist(session.results, session.choice,
                   NetlistRequestFor(session.model, session.designCaption, inputs.output));
  std::string error = netlist.error;
  if (netlist.ok())
    WriteFileAtomically(inputs.output, NetlistText(netlist.netlist, format), &error);
  if (!error.empty()) {
    err << "kestrel-cli: the netlist was not written to " << inputs.output << ": " << error << "\n";
    return kExitRefused;
  }
  out << "Wrote " << NetlistFormatName(format) << " netlist of the module "
      << netlist.netlist.module << " to " << inputs.output << "\n";
  return kExitOk;
}

int RenderSession(const Session& session, const RenderInputs& inputs, std::ostream& out,
                  std::ostream& err) {
  if (NetlistFormatFromExtension(inputs.output) != NetlistFormat::kNone)
    return WriteNetlist(session, inputs, out, err);
  if (IsDisplayListPath(inputs.output)) return WriteDisplayList(session, inputs, out, err);
  const PictureFormat format = PictureFormatFromExtension(inputs.output);
  Diagram diagram = LayoutDiagram(session.results, session.choice, inputs.zoom, StyleOf(inputs));
  if (inputs.assign) {
    const AssignmentParse assignment =
        ParseAssignment(*inputs.assign, SimulationVariableCount(session.model));
    if (!assignment.error.empty()) {
      err << "kestrel-cli: --assign: " << assignment.error << "\n";
      return kExitUsage;
    }
    diagram.state = StateAt(EvaluateCircuit(session.choice, session.results),
                            FunctionValuesOf(session.model), assignment.assignment);
  }
  const PictureContent content =
      inputs.what == "project" ? PictureContent::kProject : PictureContent::kDiagram;
  const ProjectText text{session.model.functionText, session.designCaption};
  std::string error;
  const Drawing drawing = inputs.smooth ? Drawing::kSmooth : Drawing::kExact;
  if (!SavePicture(diagram, content, text, format, inputs.output, &error, drawing)) {
    err << "kestrel-cli: the picture was not written to " << inputs.output << ": " << error << "\n";
    return kExitRefused;
  }
  out << "Wrote " << (inputs.smooth ? "smooth " : "") << PictureFormatName(format)
      << " picture of the " << inputs.what << " at zoom " << diagram.zoom << " to " << inputs.output
      << "\n";
  return kExitOk;
}

int RunRender(const RenderInputs& inputs) {
  // Fonts need a GUI application; no display is needed to draw into files. A netlist draws
  // nothing.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::optional<QGuiApplication> application;
  if (NetlistFormatFromExtension(inputs.output) == NetlistFormat::kNone) {
    static int argc = 1;
    static char name[] = "kestrel-cli";
    static char* argv[] = {name, nullptr};
    application.emplace(argc, argv);
  }

  RecordingMessages messages;
  HeadlessProgress progress;
  ScriptedFileDialogs dialogs;
  Session session(messages, progress, &dialogs);
  bool realized = false;
  if (!inputs.project.empty()) {
    dialogs.answers.emplace_back(inputs.project);
    const Session::OpenProjectResult opened = session.OpenProject();
    realized = opened.realization && opened.realization->outcome == RealizeOutcome::kRealized;
  } else {
    std::string addressProblem;
    realized = DefineAndRealize(session, inputs.realize, addressProblem).outcome ==
               RealizeOutcome::kRealized;
    if (!addressProblem.empty()) {
      std::cerr << "kestrel-cli: " << addressProblem << "\n";
      return kExitUsage;
    }
  }
  if (!realized) {
    PrintMessagesPlain(messages);
    std::cerr << "kestrel-cli: nothing was realized, so there is no diagram to render\n";
    return kExitRefused;
  }
  return RenderSession(session, inputs, std::cout, std::cerr);
}

}  // namespace kestrel::cli
