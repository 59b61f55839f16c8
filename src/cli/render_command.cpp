#include "cli/render_command.h"

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

#include "diagram/diagram.h"
#include "diagram/symbols.h"
#include "export/picture_export.h"

namespace kestrel::cli {

void AddRenderOptions(CLI::App& app, RenderInputs& inputs) {
  AddRealizeOptions(app, inputs.realize);
  app.add_option("--zoom", inputs.zoom, "pixels per grid unit, 10 to 30 (default 17)")
      ->check(CLI::Range(kMinZoom, kMaxZoom));
  app.add_option("--what", inputs.what,
                 "diagram: the circuit alone; project: the function and structure above it")
      ->check(CLI::IsMember({"diagram", "project"}));
  app.add_option("-o,--output", inputs.output,
                 "the picture file; its extension picks the format: .svg .png .pdf .wmf .bmp .jpg")
      ->required();
}

std::string ValidateRenderInputs(const RenderInputs& inputs) {
  if (inputs.zoom < kMinZoom || inputs.zoom > kMaxZoom) return "--zoom must be 10 to 30";
  if (PictureFormatFromExtension(inputs.output) == PictureFormat::kNone)
    return "cannot tell the picture format of \"" + inputs.output +
           "\": the file name must end in .svg, .png, .pdf, .wmf, .bmp or .jpg";
  return ValidateRealizeInputs(inputs.realize);
}

int RenderSession(const Session& session, const RenderInputs& inputs, std::ostream& out,
                  std::ostream& err) {
  const PictureFormat format = PictureFormatFromExtension(inputs.output);
  const Diagram diagram = LayoutDiagram(session.results, session.choice, inputs.zoom);
  const PictureContent content =
      inputs.what == "project" ? PictureContent::kProject : PictureContent::kDiagram;
  const ProjectText text{session.model.functionText, session.designCaption};
  std::string error;
  if (!SavePicture(diagram, content, text, format, inputs.output, &error)) {
    err << "kestrel-cli: the picture was not written to " << inputs.output << ": " << error << "\n";
    return kExitRefused;
  }
  out << "Wrote " << PictureFormatName(format) << " picture of the " << inputs.what << " at zoom "
      << diagram.zoom << " to " << inputs.output << "\n";
  return kExitOk;
}

int RunRender(const RenderInputs& inputs) {
  // Fonts need a GUI application; no display is needed to draw into files.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "kestrel-cli";
  static char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);

  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  const RealizeRun run = DefineAndRealize(session, inputs.realize);
  if (run.outcome != RealizeOutcome::kRealized) {
    PrintMessagesPlain(messages);
    std::cerr << "kestrel-cli: nothing was realized, so there is no diagram to render\n";
    return kExitRefused;
  }
  return RenderSession(session, inputs, std::cout, std::cerr);
}

}  // namespace kestrel::cli
