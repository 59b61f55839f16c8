#include "export/picture_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

#include "diagram/text_block.h"
#include "export/image_encoders.h"
#include "export/qpainter_canvas.h"
#include "export/wmf_canvas.h"
#include "files/file_io.h"

namespace kestrel {

namespace {

std::string LowerExtension(const std::string& path) {
  const QString suffix = QFileInfo(QString::fromStdString(path)).suffix();
  if (QFileInfo(QString::fromStdString(path)).fileName().indexOf('.') < 0) return "";
  std::string ext = "." + suffix.toStdString();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

/// The picture's size and how to draw it on a canvas.
struct Scene {
  int width = 0, height = 0;
  const Diagram* diagram = nullptr;
  PictureContent content = PictureContent::kDiagram;
  ProjectLayout project;
  const ProjectText* text = nullptr;

  void Draw(Canvas& canvas) const {
    if (content == PictureContent::kProject)
      DrawProject(canvas, project, *diagram, text->functionText, text->structureText);
    else
      DrawDiagram(*diagram, canvas);
  }
};

Scene MakeScene(const Diagram& diagram, PictureContent content, const ProjectText& text) {
  Scene scene;
  scene.diagram = &diagram;
  scene.content = content;
  scene.text = &text;
  if (content == PictureContent::kProject) {
    RecordingCanvas measure(QtTextMeasurer());
    scene.project = LayoutProject(measure, diagram, text.functionText, text.structureText);
    scene.width = scene.project.width;
    scene.height = scene.project.height;
  } else {
    scene.width = diagram.width;
    scene.height = diagram.height;
  }
  scene.width = std::max(1, scene.width);
  scene.height = std::max(1, scene.height);
  return scene;
}

std::vector<uint8_t> ToBytes(const QByteArray& data) {
  return std::vector<uint8_t>(data.begin(), data.end());
}

/// Draws the scene on a paint device, moved by offset pixels right and down; false when the
/// device cannot be painted on.
bool PaintScene(QPaintDevice& device, const Scene& scene, Drawing drawing, double offset = 0) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  if (offset != 0) painter.translate(offset, offset);
  QPainterCanvas canvas(painter, 0, drawing);
  scene.Draw(canvas);
  painter.end();
  return true;
}

QImage RenderScene(const Scene& scene, Drawing drawing) {
  if (static_cast<long long>(scene.width) * scene.height > kMaxRasterPixels) return QImage();
  QImage image(scene.width, scene.height, QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  if (!PaintScene(image, scene, drawing)) return QImage();
  return image;
}

}  // namespace

PictureFormat ExportFormatFromFileName(const std::string& path) {
  const std::string ext = LowerExtension(path);
  if (ext.find("jpg") != std::string::npos) return PictureFormat::kJpeg;
  if (ext.find("wmf") != std::string::npos) return PictureFormat::kWmf;
  if (ext.find("bmp") != std::string::npos) return PictureFormat::kBmp;
  return PictureFormat::kNone;
}

PictureFormat ExportFormatForFile(const std::string& path) {
  const PictureFormat format = ExportFormatFromFileName(path);
  if (format != PictureFormat::kNone) return format;
  switch (const PictureFormat exact = PictureFormatFromExtension(path)) {
    case PictureFormat::kSvg:
    case PictureFormat::kPdf:
    case PictureFormat::kPng:
      return exact;
    case PictureFormat::kNone:
    case PictureFormat::kWmf:
    case PictureFormat::kBmp:
    case PictureFormat::kJpeg:
      break;
  }
  return PictureFormat::kNone;
}

PictureFormat PictureFormatFromExtension(const std::string& path) {
  const std::string ext = LowerExtension(path);
  if (ext == ".svg") return PictureFormat::kSvg;
  if (ext == ".png") return PictureFormat::kPng;
  if (ext == ".pdf") return PictureFormat::kPdf;
  if (ext == ".wmf") return PictureFormat::kWmf;
  if (ext == ".bmp") return PictureFormat::kBmp;
  if (ext == ".jpg") return PictureFormat::kJpeg;
  return PictureFormat::kNone;
}

const char* PictureFormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::kSvg:
      return "SVG";
    case PictureFormat::kPng:
      return "PNG";
    case PictureFormat::kPdf:
      return "PDF";
    case PictureFormat::kWmf:
      return "WMF";
    case PictureFormat::kBmp:
      return "BMP";
    case PictureFormat::kJpeg:
      return "JPEG";
    case PictureFormat::kNone:
      break;
  }
  return "none";
}

QImage RenderImage(const Diagram& diagram, PictureContent content, const ProjectText& text,
                   Drawing drawing) {
  return RenderScene(MakeScene(diagram, content, text), drawing);
}

EncodedPicture EncodePicture(const Diagram& diagram, PictureContent content,
                             const ProjectText& text, PictureFormat format, Drawing drawing) {
  EncodedPicture result;
  const Scene scene = MakeScene(diagram, content, text);
  switch (format) {
    case PictureFormat::kNone:
      result.error = "no picture format";
      return result;
    case PictureFormat::kWmf: {
      if (scene.width > kWmfMaxCoordinate || scene.height > kWmfMaxCoordinate) {
        result.error = text::kRasterTooLargeHead + std::to_string(scene.width) + " x " +
                       std::to_string(scene.height) + text::kMetafileTooLargeTail;
        return result;
      }
      WmfCanvas canvas(scene.width, scene.height, QtTextMeasurer(), QtInkMeasurer());
      scene.Draw(canvas);
      result.bytes = canvas.Finish();
      return result;
    }
    case PictureFormat::kSvg: {
      QBuffer buffer;
      buffer.open(QIODevice::WriteOnly);
      QSvgGenerator svg;
      svg.setOutputDevice(&buffer);
      svg.setSize(QSize(scene.width, scene.height));
      svg.setViewBox(QRect(0, 0, scene.width, scene.height));
      svg.setResolution(96);
      svg.setTitle("Kestrel diagram");
      // A line one pixel wide on whole coordinates covers half of two pixels: an antialiasing
      // renderer paints it two pixels wide in grey. The clear style's lines move onto the
      // pixels' centres (a half-pixel offset of the whole picture); the exact style keeps every
      // coordinate and asks the renderer for crisp edges instead. Smooth drawing centres its
      // lines itself.
      bool centred = false, crisp = false;
      switch (drawing) {
        case Drawing::kExact:
          centred = scene.diagram->style == DiagramStyle::kClear;
          crisp = !centred;
          break;
        case Drawing::kSmooth:
          break;
      }
      if (!PaintScene(svg, scene, drawing, centred ? 0.5 : 0)) {
        result.error = "cannot start the SVG picture";
        return result;
      }
      // The generator names the one family of the font; a list with fallbacks replaces it.
      QByteArray data = buffer.data();
      data.replace(QByteArray("font-family=\"") + kDiagramFontName + "\"",
                   QByteArray("font-family=\"") + text::kSvgFontFamilies + "\"");
      if (crisp) data.replace("<g fill=", "<g shape-rendering=\"crispEdges\" fill=");
      result.bytes = ToBytes(data);
      return result;
    }
    case PictureFormat::kPdf: {
      QBuffer buffer;
      buffer.open(QIODevice::WriteOnly);
      QPdfWriter pdf(&buffer);
      pdf.setResolution(96);
      pdf.setPageSize(QPageSize(QSizeF(scene.width * 72.0 / 96.0, scene.height * 72.0 / 96.0),
                                QPageSize::Point, QString(), QPageSize::ExactMatch));
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      pdf.setTitle("Kestrel diagram");
      pdf.setCreator("Kestrel");
      if (!PaintScene(pdf, scene, drawing)) {
        result.error = "cannot start the PDF picture";
        return result;
      }
      result.bytes = ToBytes(buffer.data());
      return result;
    }
    case PictureFormat::kPng:
    case PictureFormat::kBmp:
    case PictureFormat::kJpeg:
      break;
  }
  const QImage image = RenderScene(scene, drawing);
  if (image.isNull()) {
    result.error = text::kRasterTooLargeHead + std::to_string(scene.width) + " x " +
                   std::to_string(scene.height) + text::kRasterTooLargeTail;
    return result;
  }
  if (format == PictureFormat::kBmp) {
    result.bytes = EncodeBmp(image);
  } else if (format == PictureFormat::kJpeg) {
    std::string error;
    result.bytes = EncodeJpeg(image, &error);
    if (result.bytes.empty()) result.error = "JPEG encoding failed: " + error;
  } else {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
      result.error = "PNG encoding failed";
    else
      result.bytes = ToBytes(buffer.data());
  }
  return result;
}

bool SavePicture(const Diagram& diagram, PictureContent content, const ProjectText& text,
                 PictureFormat format, const std::string& path, std::string* error,
                 Drawing drawing) {
  const EncodedPicture picture = EncodePicture(diagram, content, text, format, drawing);
  if (!picture.ok()) {
    if (error) *error = picture.error;
    return false;
  }
  const std::string_view bytes(reinterpret_cast<const char*>(picture.bytes.data()),
                               picture.bytes.size());
  return WriteFileAtomically(path, bytes, error);
}

std::string FileSavingErrorText(const std::string& why) {
  std::string sentence = why.empty() ? std::string(text::kChooseAnotherFile) : why;
  sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
  return std::string(text::kFileSavingError) + "\n\r" + sentence + ".";
}

std::string ExportDialogFilter() {
  return std::string(text::kExportFilter) + "|" + text::kNetlistFilter + "|" +
         text::kModernPictureFilter;
}

std::string ExportFilterExtension(int filterIndex) {
  // The filter alternates descriptions and patterns: "JPEG files (*.jpg) | *.jpg; |BMP ...";
  // the netlist types and then the newer picture types follow the first picture types.
  const QStringList parts = QString::fromStdString(ExportDialogFilter()).split(QLatin1Char('|'));
  const qsizetype at = 2 * static_cast<qsizetype>(filterIndex) - 1;
  if (filterIndex < 1 || at >= parts.size()) return "";
  QString pattern = parts[at].split(QLatin1Char(';')).first().trimmed();
  if (!pattern.startsWith(QStringLiteral("*."))) return "";
  return pattern.mid(1).toLower().toStdString();
}

std::string ExportFileName(const std::string& chosen, int filterIndex) {
  if (!LowerExtension(chosen).empty()) return chosen;
  return chosen + ExportFilterExtension(filterIndex);
}

PictureFormat ExportCommand(const Diagram& diagram, PictureContent content, const ProjectText& text,
                            const std::string& chosenPath, MessageSink& messages) {
  const PictureFormat format = ExportFormatForFile(chosenPath);
  if (format == PictureFormat::kNone) return format;
  const EncodedPicture picture = EncodePicture(diagram, content, text, format);
  std::string why = picture.error;
  if (picture.ok()) {
    const std::string_view bytes(reinterpret_cast<const char*>(picture.bytes.data()),
                                 picture.bytes.size());
    if (WriteFileAtomically(chosenPath, bytes, &why)) return format;
    why += std::string("; ") + text::kChooseAnotherFile;
  }
  messages.Show(FileSavingErrorText(why), text::kCaptionWarningBang, Buttons::Ok, Icon::Warning);
  return PictureFormat::kNone;
}

}  // namespace kestrel
