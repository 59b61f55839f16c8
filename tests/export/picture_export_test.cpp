// Every picture format written and read back by a reader that is not ours: Qt's image readers
// for PNG, BMP and JPEG, an XML parse and Qt's SVG renderer for SVG, libwmf (wmf2svg, wmf2gd)
// for WMF; the export commands' file-name rules, their message, atomic writes; every
// structure at every zoom.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <cmath>
#include <filesystem>

#include "diagram/clipped_canvas.h"
#include "diagram/symbols.h"
#include "diagram/text_block.h"
#include "export/picture_export.h"
#include "export/qpainter_canvas.h"
#include "export/wmf_canvas.h"
#include "files/file_io.h"
#include "support/picture_checks.h"
#include "tests/core/diagram/diagram_test_support.h"
#include "tests/export/export_test_support.h"

namespace kestrel {
namespace {

using testing::Options;
using testing::ReadAll;
using testing::Realized;
using testing::Scratch;
using testing::ToQByteArray;

/// One realization of each structure.
struct Sample {
  const char* name;
  const char* text;
  StructureOptions options;
};
const Sample kSamples[] = {
    {"mux", "x2x1+~x2~x0+x3", Options(Structure::kMux, 4)},
    {"nand", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3",
     Options(Structure::kMuxGates, 2, 0, GateFamily::kNand)},
    {"tree", "x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2)},
    {"demux", "x2x1+~x2~x0+x3x0", Options(Structure::kDemux, 0, 16)},
    {"muxdemux", "x6~x3x2~x1+x5x4x0", Options(Structure::kMuxDemux, 8, 16)},
};

struct Realization {
  Realized r;
  Diagram diagram;
  ProjectText text;
  Realization(const Sample& s, int zoom) {
    EXPECT_TRUE(r.Run(s.text, s.options)) << s.name;
    diagram = LayoutDiagram(r.session.results, r.session.choice, zoom);
    text = {r.session.model.functionText, r.session.designCaption};
  }
};

QImage Decode(const std::vector<uint8_t>& bytes, const char* format) {
  QBuffer buffer;
  buffer.setData(ToQByteArray(bytes));
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  return reader.read().convertToFormat(QImage::Format_RGB32);
}

double MeanDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
  return sum / (a.width() * a.height());
}

/// The smallest rectangle holding every dark pixel.
QRect DarkBounds(const QImage& image) {
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 128 && qGray(image.pixel(x, y)) < 128)
        r = r.united(QRect(x, y, 1, 1));
  return r;
}

TEST(PictureFormats, RasterPicturesReadBackWithTheirSizeAndPixels) {
  for (const Sample& s : kSamples) {
    for (PictureContent content : {PictureContent::kDiagram, PictureContent::kProject}) {
      Realization k(s, 17);
      const QImage reference = RenderImage(k.diagram, content, k.text);
      ASSERT_FALSE(reference.isNull());
      if (content == PictureContent::kDiagram) {
        EXPECT_EQ(reference.width(), k.diagram.width);
        EXPECT_EQ(reference.height(), k.diagram.height);
      } else {
        EXPECT_GT(reference.height(), k.diagram.height);
      }
      const EncodedPicture png = EncodePicture(k.diagram, content, k.text, PictureFormat::kPng);
      const EncodedPicture bmp = EncodePicture(k.diagram, content, k.text, PictureFormat::kBmp);
      const EncodedPicture jpg = EncodePicture(k.diagram, content, k.text, PictureFormat::kJpeg);
      ASSERT_TRUE(png.ok() && bmp.ok() && jpg.ok()) << s.name;
      EXPECT_EQ(Decode(png.bytes, "png"), reference) << s.name;
      EXPECT_EQ(Decode(bmp.bytes, "bmp"), reference) << s.name;
      EXPECT_EQ(bmp.bytes[0], 'B');
      EXPECT_EQ(bmp.bytes[28], 24);  // bits per pixel
      const QImage jpeg = Decode(jpg.bytes, "jpeg");
      ASSERT_EQ(jpeg.size(), reference.size()) << s.name;
      EXPECT_EQ(jpg.bytes[0], 0xFF);
      EXPECT_EQ(jpg.bytes[1], 0xD8);
      EXPECT_LT(MeanDifference(jpeg, reference), 6.0) << s.name;
    }
  }
}

TEST(PictureFormats, SvgParsesAndRenders) {
  for (const Sample& s : kSamples) {
    Realization k(s, 17);
    const EncodedPicture svg =
        EncodePicture(k.diagram, PictureContent::kDiagram, k.text, PictureFormat::kSvg);
    ASSERT_TRUE(svg.ok());
    QXmlStreamReader xml(ToQByteArray(svg.bytes));
    int elements = 0, texts = 0;
    bool sawF = false;
    QString rootName, width;
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement) continue;
      if (elements++ == 0) {
        rootName = xml.name().toString();
        width = xml.attributes().value("width").toString();
      }
      if (xml.name() == QStringLiteral("text")) {
        ++texts;
        if (xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed() == "F")
          sawF = true;
      }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(rootName, "svg");
    // The size is given in millimetres, for 96 pixels per inch.
    ASSERT_TRUE(width.endsWith("mm")) << width.toStdString();
    EXPECT_NEAR(width.chopped(2).toDouble(), k.diagram.width * 25.4 / 96.0, 0.01);
    EXPECT_GT(elements, 20);
    EXPECT_GT(texts, 3);
    EXPECT_TRUE(sawF) << s.name;
    // The face comes with fallbacks ending in a generic family.
    EXPECT_TRUE(ToQByteArray(svg.bytes).contains(
        "font-family=\"'Arial Narrow', 'Liberation Sans Narrow', 'Nimbus Sans Narrow', "
        "'Helvetica Narrow', sans-serif-condensed, sans-serif\""));
    EXPECT_FALSE(ToQByteArray(svg.bytes).contains("font-family=\"Arial Narrow\""));
    QSvgRenderer renderer(ToQByteArray(svg.bytes));
    EXPECT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, k.diagram.width, k.diagram.height));
  }
}

// Rendered antialiased, the clear style's SVG draws a one-pixel line as one black pixel
// across: its lines lie on the pixels' centres. The exact style keeps its whole coordinates
// and asks for crisp edges.
TEST(PictureFormats, SvgLinesStayOnePixelBlackWhenAntialiased) {
  Realized r;
  ASSERT_TRUE(r.Run("x1x0+~x1~x0", Options(Structure::kMux, 2)));
  const ProjectText text{r.session.model.functionText, r.session.designCaption};
  const Diagram clear =
      LayoutDiagram(r.session.results, r.session.choice, 17, DiagramStyle::kClear);
  const QByteArray svg =
      ToQByteArray(EncodePicture(clear, PictureContent::kDiagram, text, PictureFormat::kSvg).bytes);
  EXPECT_TRUE(svg.contains("transform=\"matrix(1,0,0,1,0.5,0.5)\""));
  EXPECT_FALSE(svg.contains("crispEdges"));
  QImage image(clear.width, clear.height, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QSvgRenderer(svg).render(&painter);
  }
  // Every long horizontal line of the display list: black on its row, white above and below.
  DisplayListCanvas list(QtTextMeasurer(), QtInkMeasurer());
  DrawDiagram(clear, list);
  int lines = 0;
  for (const DisplayItem& item : list.items()) {
    if (item.type != DisplayItemType::kLine || item.points[0].y != item.points[1].y) continue;
    const int x = (item.points[0].x + item.points[1].x) / 2, y = item.points[0].y;
    if (std::abs(item.points[0].x - item.points[1].x) < 10) continue;
    EXPECT_LT(qGray(image.pixel(x, y)), 60) << x << "," << y;
    EXPECT_GT(qGray(image.pixel(x, y - 1)), 200) << x << "," << y - 1;
    EXPECT_GT(qGray(image.pixel(x, y + 1)), 200) << x << "," << y + 1;
    ++lines;
  }
  EXPECT_GT(lines, 4);

  const Diagram exact = LayoutDiagram(r.session.results, r.session.choice, 17);
  const QByteArray exactSvg =
      ToQByteArray(EncodePicture(exact, PictureContent::kDiagram, text, PictureFormat::kSvg).bytes);
  EXPECT_TRUE(exactSvg.contains("<g shape-rendering=\"crispEdges\" fill="));
  EXPECT_FALSE(exactSvg.contains("0.5,0.5)"));
}

TEST(PictureFormats, PdfHasOnePageOfThePicturesSize) {
  Realization k(kSamples[2], 17);
  const EncodedPicture pdf =
      EncodePicture(k.diagram, PictureContent::kDiagram, k.text, PictureFormat::kPdf);
  ASSERT_TRUE(pdf.ok());
  const QByteArray bytes = ToQByteArray(pdf.bytes);
  EXPECT_TRUE(bytes.startsWith("%PDF-"));
  EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
  const QString text = QString::fromLatin1(bytes);
  EXPECT_EQ(text.count(QRegularExpression("/Type\\s*/Page\\b")), 1);
  // The media box is the picture at 96 pixels per inch, in points.
  const QRegularExpressionMatch box =
      QRegularExpression("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]").match(text);
  ASSERT_TRUE(box.hasMatch());
  EXPECT_NEAR(box.captured(1).toDouble(), k.diagram.width * 72.0 / 96.0, 0.01);
  EXPECT_NEAR(box.captured(2).toDouble(), k.diagram.height * 72.0 / 96.0, 0.01);
}

TEST(PictureFormats, WmfOpensInLibwmf) {
  if (QString(KESTREL_WMF2SVG).isEmpty() || QString(KESTREL_WMF2GD).isEmpty())
    GTEST_SKIP() << "libwmf-bin (wmf2svg, wmf2gd) is not installed";
  Scratch scratch;
  for (const Sample& s : kSamples) {
    for (PictureContent content : {PictureContent::kDiagram, PictureContent::kProject}) {
      Realization k(s, 17);
      const std::string wmf = scratch.File(std::string(s.name) + ".wmf");
      std::string error;
      ASSERT_TRUE(SavePicture(k.diagram, content, k.text, PictureFormat::kWmf, wmf, &error))
          << error;
      // wmf2svg: the records play without error into an SVG of the picture's proportions,
      // with the texts.
      const std::string svgPath = scratch.File(std::string(s.name) + ".svg");
      const testing::ProgramRun svgRun = testing::RunProgram(
          KESTREL_WMF2SVG, {"-o", QString::fromStdString(svgPath), QString::fromStdString(wmf)});
      ASSERT_EQ(svgRun.exitCode, 0) << svgRun.err.toStdString();
      QXmlStreamReader xml(ReadAll(svgPath));
      double w = 0, h = 0;
      QStringList texts;
      while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QStringLiteral("svg")) {
          w = xml.attributes().value("width").toDouble();
          h = xml.attributes().value("height").toDouble();
        }
        if (xml.name() == QStringLiteral("text"))
          texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
      }
      EXPECT_FALSE(xml.hasError()) << s.name << ": " << xml.errorString().toStdString();
      const QImage reference = RenderImage(k.diagram, content, k.text);
      ASSERT_GT(h, 0);
      EXPECT_NEAR(w / h, double(reference.width()) / reference.height(), 0.02) << s.name;
      EXPECT_TRUE(texts.contains("F")) << s.name;
      if (content == PictureContent::kProject) {
        EXPECT_TRUE(texts.contains(QString::fromStdString(kTextBlockStructureHeading)));
      }
      // wmf2gd: a raster of the records; its drawing covers the same part of the picture as
      // ours (to within a few pixels at its scale).
      const std::string pngPath = scratch.File(std::string(s.name) + ".png");
      const testing::ProgramRun gdRun = testing::RunProgram(
          KESTREL_WMF2GD,
          {"-t", "png", "-o", QString::fromStdString(pngPath), QString::fromStdString(wmf)});
      ASSERT_EQ(gdRun.exitCode, 0) << gdRun.err.toStdString();
      const QImage played(QString::fromStdString(pngPath));
      ASSERT_FALSE(played.isNull());
      const double scale = double(played.width()) / reference.width();
      EXPECT_NEAR(double(played.height()) / reference.height(), scale, 0.02);
      const QRect ours = DarkBounds(reference), theirs = DarkBounds(played);
      const double tolerance = 4.0 / scale;
      EXPECT_NEAR(theirs.left() / scale, ours.left(), tolerance) << s.name;
      EXPECT_NEAR(theirs.top() / scale, ours.top(), tolerance) << s.name;
      EXPECT_NEAR(theirs.right() / scale, ours.right(), tolerance) << s.name;
      EXPECT_NEAR(theirs.bottom() / scale, ours.bottom(), tolerance) << s.name;
    }
  }
}

TEST(PictureFormats, TooLargeForARasterIsAnErrorNotACrash) {
  Diagram huge;
  huge.width = 30000;
  huge.height = 30000;
  const EncodedPicture png = EncodePicture(huge, PictureContent::kDiagram, {}, PictureFormat::kPng);
  EXPECT_FALSE(png.ok());
  EXPECT_NE(png.error.find("too large"), std::string::npos);
  EXPECT_TRUE(EncodePicture(huge, PictureContent::kDiagram, {}, PictureFormat::kWmf).ok());
  EXPECT_TRUE(EncodePicture(huge, PictureContent::kDiagram, {}, PictureFormat::kSvg).ok());
}

TEST(PictureFormats, AMetafileBeyondItsCoordinatesIsRefusedNamingTheVectorFormats) {
  // Dividing the coordinates to fit would put wires a pixel apart on one coordinate.
  Diagram tall;
  tall.width = 5553;
  tall.height = 100155;
  const EncodedPicture wmf = EncodePicture(tall, PictureContent::kDiagram, {}, PictureFormat::kWmf);
  ASSERT_FALSE(wmf.ok());
  EXPECT_EQ(wmf.error,
            "the picture (5553 x 100155 pixels) is too large for a Windows metafile, whose "
            "coordinates end at 32000; choose a smaller zoom or a vector format without that "
            "limit (SVG or PDF)");
  EXPECT_TRUE(EncodePicture(tall, PictureContent::kDiagram, {}, PictureFormat::kSvg).ok());
  Diagram edge;
  edge.width = kWmfMaxCoordinate;
  edge.height = 10;
  EXPECT_TRUE(EncodePicture(edge, PictureContent::kDiagram, {}, PictureFormat::kWmf).ok());
  ++edge.width;
  EXPECT_FALSE(EncodePicture(edge, PictureContent::kDiagram, {}, PictureFormat::kWmf).ok());
}

TEST(PictureFormats, TheLargestRasterRendersAndOneRowMoreIsRefused) {
  Diagram limit;
  limit.width = 10000;
  limit.height = static_cast<int>(kMaxRasterPixels / limit.width);
  ASSERT_EQ(static_cast<long long>(limit.width) * limit.height, kMaxRasterPixels);
  EXPECT_EQ(RenderImage(limit, PictureContent::kDiagram, {}).size(),
            QSize(limit.width, limit.height));
  ++limit.height;
  EXPECT_TRUE(RenderImage(limit, PictureContent::kDiagram, {}).isNull());
  EXPECT_FALSE(EncodePicture(limit, PictureContent::kDiagram, {}, PictureFormat::kBmp).ok());
}

TEST(ExportRules, TheChosenNamesExtensionPicksTheFormat) {
  EXPECT_EQ(ExportFormatFromFileName("/tmp/a.jpg"), PictureFormat::kJpeg);
  EXPECT_EQ(ExportFormatFromFileName("/tmp/a.JPG"), PictureFormat::kJpeg);
  EXPECT_EQ(ExportFormatFromFileName("/tmp/a.jpgx"), PictureFormat::kJpeg);
  EXPECT_EQ(ExportFormatFromFileName("a.wmf"), PictureFormat::kWmf);
  EXPECT_EQ(ExportFormatFromFileName("a.Bmp"), PictureFormat::kBmp);
  EXPECT_EQ(ExportFormatFromFileName("a.txt"), PictureFormat::kNone);
  EXPECT_EQ(ExportFormatFromFileName("/tmp/jpg.d/picture"), PictureFormat::kNone);
  EXPECT_EQ(ExportFormatFromFileName("a.png"), PictureFormat::kNone);
  EXPECT_EQ(PictureFormatFromExtension("a.PNG"), PictureFormat::kPng);
  EXPECT_EQ(PictureFormatFromExtension("a.svg"), PictureFormat::kSvg);
  EXPECT_EQ(PictureFormatFromExtension("a.pdf"), PictureFormat::kPdf);
  EXPECT_EQ(PictureFormatFromExtension("a.jpeg"), PictureFormat::kNone);
  EXPECT_EQ(PictureFormatFromExtension("a.jpgx"), PictureFormat::kNone);
}

TEST(ExportRules, ExportCommandWritesByExtensionAndIgnoresOthers) {
  Scratch scratch;
  Realization k(kSamples[0], 17);
  RecordingMessages messages;
  EXPECT_EQ(
      ExportCommand(k.diagram, PictureContent::kDiagram, k.text, scratch.File("d.JPG"), messages),
      PictureFormat::kJpeg);
  EXPECT_TRUE(ReadAll(scratch.File("d.JPG")).startsWith("\xFF\xD8"));
  EXPECT_EQ(
      ExportCommand(k.diagram, PictureContent::kProject, k.text, scratch.File("p.bmp"), messages),
      PictureFormat::kBmp);
  EXPECT_EQ(
      ExportCommand(k.diagram, PictureContent::kDiagram, k.text, scratch.File("d.txt"), messages),
      PictureFormat::kNone);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(scratch.File("d.txt"))));
  EXPECT_TRUE(messages.shown.empty());
  const std::filesystem::path folder =
      std::filesystem::path(scratch.File("pipe.bmp")).parent_path();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(ExportRules, AFailedSaveShowsTheMessageAndLeavesNoFile) {
  Scratch scratch;
  Realization k(kSamples[0], 17);
  RecordingMessages messages;
  const std::string missingFolder = scratch.File("no/such/folder/d.wmf");
  EXPECT_EQ(ExportCommand(k.diagram, PictureContent::kDiagram, k.text, missingFolder, messages),
            PictureFormat::kNone);
  ASSERT_EQ(messages.shown.size(), 1u);
  // The message keeps its two lines and says why and what to do.
  EXPECT_EQ(messages.shown[0].text,
            "File saving error! \n\rThe file has not been saved!  \n\rNo such file or directory; "
            "choose another folder or file name.");
  EXPECT_EQ(messages.shown[0].caption, "Warning!");
  EXPECT_EQ(messages.shown[0].icon, Icon::Warning);
  // A folder in the way of the file: nothing replaces it, no temporary file stays behind.
  QDir(QString::fromStdString(scratch.File(""))).mkdir("taken.bmp");
  EXPECT_EQ(ExportCommand(k.diagram, PictureContent::kDiagram, k.text, scratch.File("taken.bmp"),
                          messages),
            PictureFormat::kNone);
  EXPECT_EQ(messages.shown.size(), 2u);
  EXPECT_TRUE(scratch.Entries().isEmpty()) << scratch.Entries().join(",").toStdString();
}

TEST(ExportRules, APictureTooLargeForARasterSaysWhyAndWhatToDo) {
  Scratch scratch;
  Realization k(kSamples[2], 30);
  // A diagram far wider than any raster may be: the same layout, its size blown up.
  k.diagram.width = 20000;
  k.diagram.height = 9000;
  RecordingMessages messages;
  EXPECT_EQ(
      ExportCommand(k.diagram, PictureContent::kDiagram, k.text, scratch.File("big.bmp"), messages),
      PictureFormat::kNone);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "File saving error! \n\rThe file has not been saved!  \n\rThe picture (20000 x 9000 "
            "pixels) is too large for a raster format; choose a smaller zoom or a vector format.");
  EXPECT_TRUE(scratch.Entries().isEmpty());
  // The vector format of the same picture is written.
  EXPECT_EQ(
      ExportCommand(k.diagram, PictureContent::kDiagram, k.text, scratch.File("big.wmf"), messages),
      PictureFormat::kWmf);
}

// The type chosen in the dialog decides the format of a name typed without an extension.
TEST(ExportRules, ANameWithoutExtensionTakesTheChosenFiltersExtension) {
  EXPECT_EQ(ExportFilterExtension(1), ".jpg");
  EXPECT_EQ(ExportFilterExtension(2), ".bmp");
  EXPECT_EQ(ExportFilterExtension(3), ".wmf");
  EXPECT_EQ(ExportFilterExtension(0), "");
  EXPECT_EQ(ExportFilterExtension(4), ".v");  // the netlists follow the pictures
  EXPECT_EQ(ExportFilterExtension(5), ".blif");
  EXPECT_EQ(ExportFilterExtension(6), ".svg");  // then the newer pictures
  EXPECT_EQ(ExportFilterExtension(7), ".pdf");
  EXPECT_EQ(ExportFilterExtension(8), ".png");
  EXPECT_EQ(ExportFilterExtension(9), "");
  EXPECT_EQ(ExportFileName("/tmp/d", 1), "/tmp/d.jpg");
  EXPECT_EQ(ExportFileName("/tmp/d", 2), "/tmp/d.bmp");
  EXPECT_EQ(ExportFileName("/tmp/d", 3), "/tmp/d.wmf");
  EXPECT_EQ(ExportFileName("/tmp/d", 5), "/tmp/d.blif");
  EXPECT_EQ(ExportFileName("/tmp/jpg.d/picture", 2), "/tmp/jpg.d/picture.bmp");
  EXPECT_EQ(ExportFileName("/tmp/d.WMF", 1), "/tmp/d.WMF");  // a typed extension wins
  EXPECT_EQ(ExportFileName("/tmp/d.txt", 1), "/tmp/d.txt");
  for (int filter = 1; filter <= 3; ++filter)
    EXPECT_NE(ExportFormatFromFileName(ExportFileName("d", filter)), PictureFormat::kNone);
  for (int filter = 6; filter <= 8; ++filter)
    EXPECT_NE(ExportFormatForFile(ExportFileName("d", filter)), PictureFormat::kNone);
}

// The export keeps its rule for every name it accepted before (a name containing jpg, wmf or
// bmp), and writes SVG, PDF and PNG for exactly those extensions.
TEST(ExportRules, NewerPictureTypesComeAfterTheRule) {
  const std::pair<const char*, PictureFormat> rows[] = {
      {"a.svg", PictureFormat::kSvg},     {"a.PDF", PictureFormat::kPdf},
      {"a.Png", PictureFormat::kPng},     {"a.jpg", PictureFormat::kJpeg},
      {"a.jpgx", PictureFormat::kJpeg},   {"a.pngwmf", PictureFormat::kWmf},
      {"a.bmp.png", PictureFormat::kPng}, {"a.svgbmp", PictureFormat::kBmp},
      {"a.svgz", PictureFormat::kNone},   {"a.txt", PictureFormat::kNone},
      {"png", PictureFormat::kNone},      {"/tmp/svg.d/picture", PictureFormat::kNone}};
  for (const auto& [name, format] : rows) EXPECT_EQ(ExportFormatForFile(name), format) << name;
  EXPECT_EQ(ExportDialogFilter(),
            std::string(text::kExportFilter) + "|" + text::kNetlistFilter + "|" +
                "SVG picture (*.svg)|*.svg|PDF document (*.pdf)|*.pdf|PNG picture (*.png)|*.png");
  Scratch scratch;
  RecordingMessages messages;
  const Realization k(kSamples[0], 17);
  const std::pair<const char*, QByteArray> written[] = {
      {"d.svg", "<?xml"}, {"d.pdf", "%PDF-"}, {"d.png", "\x89PNG"}};
  for (const auto& [name, magic] : written) {
    EXPECT_NE(
        ExportCommand(k.diagram, PictureContent::kDiagram, k.text, scratch.File(name), messages),
        PictureFormat::kNone);
    EXPECT_TRUE(ReadAll(scratch.File(name)).startsWith(magic)) << name;
  }
  EXPECT_TRUE(messages.shown.empty());
}

// Smooth drawing: the same picture with antialiased geometry. Exact drawing stays the default;
// the metafile is the same either way.
TEST(PictureFormats, SmoothDrawingAntialiasesTheSamePicture) {
  for (const Sample& s : kSamples) {
    const Realization k(s, 17);
    const QImage exact = RenderImage(k.diagram, PictureContent::kDiagram, k.text);
    const QImage smooth =
        RenderImage(k.diagram, PictureContent::kDiagram, k.text, Drawing::kSmooth);
    EXPECT_EQ(exact, RenderImage(k.diagram, PictureContent::kDiagram, k.text, Drawing::kExact));
    ASSERT_EQ(smooth.size(), exact.size()) << s.name;
    EXPECT_NE(smooth, exact) << s.name;
    // Straight lines fall on the same pixels: only the slanted and round edges differ.
    EXPECT_LT(MeanDifference(exact, smooth), 3.0) << s.name;
    const QRect bounds = DarkBounds(exact), smoothBounds = DarkBounds(smooth);
    EXPECT_LE(std::abs(bounds.left() - smoothBounds.left()), 1) << s.name;
    EXPECT_LE(std::abs(bounds.bottom() - smoothBounds.bottom()), 1) << s.name;
    EXPECT_EQ(EncodePicture(k.diagram, PictureContent::kDiagram, k.text, PictureFormat::kWmf).bytes,
              EncodePicture(k.diagram, PictureContent::kDiagram, k.text, PictureFormat::kWmf,
                            Drawing::kSmooth)
                  .bytes)
        << s.name;
  }
}

TEST(ExportRules, AFailedWriteKeepsTheOldFile) {
  Scratch scratch;
  const std::string path = scratch.File("keep.bmp");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, "old", &error)) << error;
  ASSERT_TRUE(WriteFileAtomically(path, "new", &error)) << error;
  EXPECT_EQ(ReadAll(path), "new");
  EXPECT_FALSE(WriteFileAtomically(scratch.File("missing/keep.bmp"), "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadAll(path), "new");
  EXPECT_EQ(scratch.Entries(), QStringList{"keep.bmp"});
}

// An export aimed at a pipe or a folder fails with a reason and leaves it in place (as root, a
// rename would put a regular file where a device node such as /dev/null was).
TEST(ExportRules, APipeOrAFolderIsNotReplaced) {
  Scratch scratch;
  ASSERT_EQ(::mkfifo(scratch.File("pipe.bmp").c_str(), 0600), 0);
  ASSERT_TRUE(std::filesystem::create_directory(scratch.File("folder.bmp")));
  for (const std::string name : {"pipe.bmp", "folder.bmp"}) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(scratch.File(name), "x", &error)) << name;
    EXPECT_FALSE(error.empty()) << name;
  }
  EXPECT_TRUE(std::filesystem::is_fifo(scratch.File("pipe.bmp")));
  EXPECT_TRUE(std::filesystem::is_directory(scratch.File("folder.bmp")));
  const std::filesystem::path folder =
      std::filesystem::path(scratch.File("pipe.bmp")).parent_path();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(EveryStructure, EveryZoomRendersInsideItsPictureWithTheRealFont) {
  int rendered = 0;
  for (const testing::Case& c : testing::RandomCases(23, 28)) {
    Realized r;
    if (!r.Run(c.text, c.options)) continue;
    for (int z = kMinZoom; z <= kMaxZoom; ++z) {
      const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z);
      BoundsCanvas bounds(QtTextMeasurer());
      DrawDiagram(d, bounds);
      ASSERT_TRUE(bounds.Inside(d.width, d.height)) << c.Describe() << " zoom " << z;
      const QImage image = RenderImage(d, PictureContent::kDiagram, {});
      ASSERT_FALSE(image.isNull()) << c.Describe() << " zoom " << z;
      ASSERT_EQ(image.size(), QSize(d.width, d.height));
      ++rendered;
    }
  }
  EXPECT_GT(rendered, 20 * 21);
}

// Texts measured with the real font keep apart at every zoom: input numbers, "A" numbers,
// output numbers, labels and gate labels.
TEST(EveryStructure, NoTextOverlapsAnotherWithTheRealFont) {
  int checked = 0;
  for (const testing::Case& c : testing::RandomCases(41, 70, 10)) {
    Realized r;
    if (!r.Run(c.text, c.options)) continue;
    for (int z : {10, 11, 12, 13, 17, 23, 30}) {
      const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z);
      DisplayListCanvas canvas(QtTextMeasurer(), QtInkMeasurer());
      DrawDiagram(d, canvas);
      ASSERT_EQ(testing::OverlappingTexts(canvas.items()), std::vector<std::string>{})
          << c.Describe() << " zoom " << z;
      ++checked;
    }
  }
  EXPECT_GT(checked, 60 * 7);
}

// The clear style read by machine with the real font, over random functions of up to ten
// variables in every structure, size and gate family, each case at one of the zooms in turn
// (sampled, not exhausted): no text overlaps another or is crossed by a line, no two parallel
// lines closer than 4 pixels, no wire ending on another without a junction dot.
TEST(EveryStructure, TheClearStyleReadsCleanlyWithTheRealFont) {
  constexpr int kZooms[] = {10, 13, 17, 23, 30};
  int checked = 0;
  for (const testing::Case& c : testing::RandomCases(97, 300, 10)) {
    Realized r;
    if (!r.Run(c.text, c.options)) continue;
    const int z = kZooms[checked % 5];
    const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z, DiagramStyle::kClear);
    DisplayListCanvas canvas(QtTextMeasurer(), QtInkMeasurer());
    DrawDiagram(d, canvas);
    const std::vector<DisplayItem>& items = canvas.items();
    using Check = std::vector<std::string> (*)(const std::vector<DisplayItem>&, int);
    const std::pair<const char*, Check> checks[] = {
        {"overlapping texts",
         [](const std::vector<DisplayItem>& i, int) { return testing::OverlappingTexts(i); }},
        {"crossed texts",
         [](const std::vector<DisplayItem>& i, int) { return testing::TextsCrossedByLines(i); }},
        {"close wires",
         [](const std::vector<DisplayItem>& i, int) { return testing::CloseParallelLines(i, 4); }},
        {"wires ending without a dot", testing::WiresEndingWithoutDot},
    };
    for (const auto& [name, check] : checks)
      ASSERT_EQ(check(items, z), std::vector<std::string>{})
          << name << ": " << c.Describe() << " zoom " << z;
    BoundsCanvas bounds(QtTextMeasurer());
    DrawDiagram(d, bounds);
    ASSERT_TRUE(bounds.Inside(d.width, d.height)) << c.Describe() << " zoom " << z;
    ++checked;
  }
  EXPECT_GT(checked, 250);
}

// The screen paints a diagram one exposed rectangle at a time, through the clipped canvas:
// tile by tile, that gives exactly the picture drawn whole.
TEST(EveryStructure, PaintingTileByTileGivesTheWholePicture) {
  for (const Sample& s : kSamples) {
    for (int z : {10, 17, 30}) {
      Realization k(s, z);
      const QImage whole = RenderImage(k.diagram, PictureContent::kDiagram, {});
      QImage tiled(whole.size(), QImage::Format_RGB32);
      tiled.fill(Qt::red);
      int forwarded = 0, skipped = 0;
      for (int y = 0; y < tiled.height(); y += 61) {
        for (int x = 0; x < tiled.width(); x += 97) {
          const QRect tile(x, y, 97, 61);
          QPainter painter(&tiled);
          painter.setClipRect(tile);
          QPainterCanvas canvas(painter);
          ClippedCanvas clipped(canvas,
                                {tile.left(), tile.top(), tile.right() + 1, tile.bottom() + 1});
          DrawDiagram(k.diagram, clipped);
          forwarded += clipped.forwarded();
          skipped += clipped.skipped();
        }
      }
      EXPECT_TRUE(tiled == whole) << s.name << " zoom " << z;
      EXPECT_GT(skipped, forwarded) << s.name << " zoom " << z;
    }
  }
}

TEST(EveryStructure, EveryFormatAtTheSmallestMiddleAndLargestZoom) {
  for (const Sample& s : kSamples) {
    for (int z : {10, 17, 30}) {
      Realization k(s, z);
      for (PictureFormat f : {PictureFormat::kSvg, PictureFormat::kPng, PictureFormat::kPdf,
                              PictureFormat::kWmf, PictureFormat::kBmp, PictureFormat::kJpeg}) {
        for (PictureContent content : {PictureContent::kDiagram, PictureContent::kProject}) {
          const EncodedPicture p = EncodePicture(k.diagram, content, k.text, f);
          EXPECT_TRUE(p.ok()) << s.name << " zoom " << z << " " << PictureFormatName(f) << ": "
                              << p.error;
          EXPECT_GT(p.bytes.size(), 100u);
        }
      }
    }
  }
}

}  // namespace
}  // namespace kestrel
