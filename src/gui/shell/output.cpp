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

QImage RenderDiagram(const ResultStore& results, const StructureChoice& choice, int z) {
  const Diagram diagram = LayoutDiagram(results, choice, z);
  // Without a drawing the picture keeps its blank size.
  const int w = diagram.width > 0 ? diagram.width : 1024;
  const int h = diagram.height > 0 ? diagram.height : 1500;
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QPainterCanvas canvas(painter);
  DrawDiagram(diagram, canvas);
  return image;
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
  const int x = static_cast<int>(end.functionX * k);
  const int y = static_cast<int>(end.y * k);
  const QImage& picture = *in.mainPicture;
  const int pw = std::max(1, picture.width());
  const int ph = std::max(1, picture.height());
  const int sx = (W - x / 4) / pw;
  const int sy = (H - y - in.top) / ph;
  int s = std::min(sx, sy);
  if (in.halveScale) s /= 2;
  // A picture larger than the page gets the scale 0 and collapses; the text still prints.
  const QRect dest(QPoint(x / 4, y), QPoint(pw * s, ph * s + y));
  if (s > 0 && dest.width() > 0 && dest.height() > 0) {
    painter.drawImage(dest, picture, QRect(0, in.top, pw, ph));
    painter.drawImage(dest, picture);
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
  // The netlist types follow the picture types.
  request.filter = std::string(text::kExportFilter) + "|" + text::kNetlistFilter;
  const std::optional<std::string> chosen = dialogs.Save(request);
  if (!chosen) return;
  if (const NetlistFormat netlist = NetlistFormatFromExtension(*chosen);
      netlist != NetlistFormat::kNone) {
    ExportNetlist(netlist, in, *chosen, messages);
    return;
  }
  const Diagram diagram = LayoutDiagram(*in.results, *in.choice, in.zoom);
  ExportCommand(diagram, project ? PictureContent::kProject : PictureContent::kDiagram,
                {in.functionText, in.designCaption}, *chosen, messages);
}

}  // namespace kestrel::gui
