#include "gui/shell/output.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "diagram/diagram.h"
#include "diagram/text_block.h"
#include "export/picture_export.h"
#include "export/qpainter_canvas.h"
#include "files/file_io.h"
#include "netlist/netlist.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"

namespace kestrel::gui {

PrintPlacement PlacePrintedDiagram(int pageWidth, int pageHeight, int textEndX, int textEndY,
                                   int top, int diagramWidth, int diagramHeight, bool halveScale) {
  const int pw = std::max(1, diagramWidth);
  const int ph = std::max(1, diagramHeight + top);
  const int sx = (pageWidth - textEndX / 4) / pw;
  const int sy = (pageHeight - textEndY - top) / ph;
  int s = std::max(0, std::min(sx, sy));
  if (halveScale) s /= 2;
  return {textEndX / 4, textEndY, s};
}

bool PrintResult(QPrinter& printer, const OutputInputs& in) {
  printer.setDocName(QStringLiteral("kestrel"));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // The page is measured in printer pixels; the text is set at its size in points, so it is
  // written in screen pixels (96 per inch) scaled up to the printer's resolution.
  const int W = painter.device()->width();
  const int H = painter.device()->height();
  const double k = std::max(1.0, printer.resolution() / 96.0);
  painter.fillRect(0, 0, W, H, Qt::white);
  TextBlockEnd end;
  {
    painter.save();
    painter.scale(k, k);
    QPainterCanvas canvas(painter);
    canvas.SetBrushStyle(BrushStyle::kClear);
    end = DrawTextBlock(canvas, 12, static_cast<int>(W / 10.0 / k), static_cast<int>(H / 20.0 / k),
                        in.functionText, in.designCaption);
    painter.restore();
  }
  const Diagram diagram = LayoutDiagram(*in.results, *in.choice, in.zoom, in.style);
  const PrintPlacement at =
      PlacePrintedDiagram(W, H, static_cast<int>(end.functionX * k), static_cast<int>(end.y * k),
                          in.top, diagram.width, diagram.height, in.halveScale);
  // A picture larger than the page gets the scale 0 and is left out; the text still prints.
  if (at.scale > 0) {
    // The diagram itself, scaled as a whole: lines, symbols and labels stay vectors at the
    // printer's resolution, and a line is one screen pixel wide.
    painter.save();
    painter.translate(at.x, at.y);
    painter.scale(at.scale, at.scale);
    QPainterCanvas canvas(painter, 1.0);
    DrawDiagram(diagram, canvas);
    painter.restore();
  }
  return painter.end();
}

namespace {

/// The circuit as a netlist named after the file; "File saving error! " when it was not
/// written.
void ExportNetlist(NetlistFormat format, const OutputInputs& in, const std::string& path,
                   MessageSink& messages) {
  const NetlistResult netlist = BuildNetlist(
      *in.results, *in.choice,
      NetlistRequestFor(in.model ? *in.model : FunctionModel{}, in.designCaption, path));
  if (!netlist.ok() || !WriteFileAtomically(path, NetlistText(netlist.netlist, format)))
    messages.Show(text::kFileSavingError, text::kCaptionWarningBang, Buttons::Ok, Icon::Warning);
}

}  // namespace

void ExportPicture(bool project, const OutputInputs& in, FileDialogs& dialogs,
                   MessageSink& messages) {
  FileDialogRequest request;
  request.title = project ? text::kExportProjectTitle : text::kExportDiagramTitle;
  request.defaultExtension = text::kExportDefaultExtension;
  // The netlist types follow the first picture types, and the newer picture types follow them.
  request.filter = ExportDialogFilter();
  request.filterIndex = text::kExportFilterIndex;
  const std::optional<SaveChoice> chosen = dialogs.SaveWithFilter(request);
  if (!chosen) return;
  // A name typed without an extension takes the chosen type's.
  const std::string path = ExportFileName(chosen->path, chosen->filterIndex);
  if (const NetlistFormat netlist = NetlistFormatFromExtension(path);
      netlist != NetlistFormat::kNone) {
    ExportNetlist(netlist, in, path, messages);
    return;
  }
  const Diagram diagram = LayoutDiagram(*in.results, *in.choice, in.zoom, in.style);
  ExportCommand(diagram, project ? PictureContent::kProject : PictureContent::kDiagram,
                {in.functionText, in.designCaption}, path, messages);
}

}  // namespace kestrel::gui
