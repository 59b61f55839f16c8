// The QPainter canvas draws by the Windows canvas rules, in the narrow diagram face; the
// metafile writer's file structure.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <map>

#include "export/qpainter_canvas.h"
#include "export/wmf_canvas.h"

namespace kestrel {
namespace {

QImage Blank(int w, int h, Qt::GlobalColor color = Qt::white) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

bool Dark(const QImage& image, int x, int y) {
  return qGray(image.pixel(x, y)) < 128;
}

TEST(DiagramFont, ArialNarrowResolvesToANarrowFace) {
  const QString family = ResolvedFontFamily(kDiagramFontName);
  EXPECT_TRUE(family == "Arial Narrow" || family == "Liberation Sans Narrow")
      << family.toStdString() << ": install fonts-liberation (fontconfig maps the name)";
  // Narrow indeed: the same text is clearly narrower than in the regular face.
  const FontSpec narrow{kDiagramFontName, 9, false};
  const FontSpec regular{"Liberation Sans", 9, false};
  EXPECT_LT(QtTextWidth(narrow, "x9x8x7x6x5x4x3x2x1x0"),
            QtTextWidth(regular, "x9x8x7x6x5x4x3x2x1x0") * 9 / 10);
}

TEST(DiagramFont, SizesAreEmPixelsAt96Dpi) {
  for (int size : {6, 7, 8, 9, 10, 12}) {
    const QFont f = QtFontFor(FontSpec{kDiagramFontName, size, false});
    EXPECT_EQ(f.pixelSize(), FontPixelSize(size));
    EXPECT_GE(QtTextHeight(FontSpec{kDiagramFontName, size, false}), FontPixelSize(size));
  }
  EXPECT_TRUE(QtFontFor(FontSpec{kDiagramFontName, 9, true}).bold());
}

TEST(QPainterCanvasRules, LinesLeaveOutTheirLastPixel) {
  QImage image = Blank(12, 12);
  {
    QPainter painter(&image);
    QPainterCanvas c(painter);
    c.Line(2, 5, 8, 5);
    c.Line(8, 7, 2, 7);
    c.Line(10, 1, 10, 6);
  }
  for (int x = 2; x <= 7; ++x) EXPECT_TRUE(Dark(image, x, 5)) << x;
  EXPECT_FALSE(Dark(image, 8, 5));
  for (int x = 3; x <= 8; ++x) EXPECT_TRUE(Dark(image, x, 7)) << x;
  EXPECT_FALSE(Dark(image, 2, 7));
  for (int y = 1; y <= 5; ++y) EXPECT_TRUE(Dark(image, 10, y)) << y;
  EXPECT_FALSE(Dark(image, 10, 6));
}

// A wire's leg one pixel long paints its start, on raster and vector devices alike (a vector
// device drops a point drawn with a hairline pen, which left a notch in the wire).
TEST(QPainterCanvasRules, ALineOnePixelLongPaintsItsStartInAnSvgToo) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(QSize(20, 20));
  svg.setViewBox(QRect(0, 0, 20, 20));
  {
    QPainter painter(&svg);
    QPainterCanvas c(painter);
    c.Line(2, 10, 8, 10);
    c.Line(8, 10, 8, 9);
    c.Line(8, 9, 15, 9);
  }
  QImage image = Blank(20, 20);
  {
    QPainter painter(&image);
    QSvgRenderer(buffer.data()).render(&painter);
  }
  // The renderer smooths the hairlines over two rows; the pixel of the leg is black.
  EXPECT_LT(qGray(image.pixel(8, 10)), 64);
  EXPECT_EQ(qGray(image.pixel(9, 10)), 255);
}

TEST(QPainterCanvasRules, RectangleOutlineLiesInsideItsBox) {
  QImage image = Blank(12, 12);
  {
    QPainter painter(&image);
    QPainterCanvas c(painter);
    c.SetBrush(BrushStyle::kSolid, kBlack);
    c.Rectangle(2, 2, 9, 9);
  }
  for (int i = 2; i <= 8; ++i) {
    EXPECT_TRUE(Dark(image, i, 2));
    EXPECT_TRUE(Dark(image, i, 8));
    EXPECT_TRUE(Dark(image, 5, i));  // filled
  }
  EXPECT_FALSE(Dark(image, 9, 5));
  EXPECT_FALSE(Dark(image, 5, 9));
}

TEST(QPainterCanvasRules, ClearBrushLeavesTheInside) {
  QImage image = Blank(12, 12, Qt::black);
  {
    QPainter painter(&image);
    QPainterCanvas c(painter);
    c.SetPenColor(kWhite);
    c.SetBrushStyle(BrushStyle::kClear);
    c.Ellipse(1, 1, 11, 11);
  }
  EXPECT_TRUE(Dark(image, 6, 6));
  EXPECT_FALSE(Dark(image, 6, 1));
}

TEST(QPainterCanvasRules, ArcRunsCounterClockwiseBetweenItsDirections) {
  QImage image = Blank(60, 60);
  {
    QPainter painter(&image);
    QPainterCanvas c(painter);
    // From straight below the centre to straight above it: the right half.
    c.Arc(10, 10, 50, 50, 30, 100, 30, -100);
  }
  int left = 0, right = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      if (Dark(image, x, y)) (x < 29 ? left : right)++;
  EXPECT_GT(right, 40);
  EXPECT_EQ(left, 0);
}

TEST(QPainterCanvasRules, TextCellIsFilledOnlyWithASolidBrush) {
  QImage image = Blank(80, 30, Qt::black);
  {
    QPainter painter(&image);
    QPainterCanvas c(painter);
    c.SetBrush(BrushStyle::kSolid, kWhite);
    c.TextOut(2, 2, "x1");
    c.SetBrushStyle(BrushStyle::kClear);
    c.TextOut(40, 2, "x1");
  }
  EXPECT_FALSE(Dark(image, 2, 2));  // the cell's corner is white
  EXPECT_TRUE(Dark(image, 40, 2));  // the background shows through
}

// --- The metafile writer ---

struct WmfRecord {
  uint32_t words;
  uint16_t function;
  std::vector<int16_t> params;
};

uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8);
}
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return U16(b, at) | (U16(b, at + 2) << 16);
}

std::vector<WmfRecord> Records(const std::vector<uint8_t>& b) {
  std::vector<WmfRecord> records;
  size_t at = 22 + 18;
  while (at + 6 <= b.size()) {
    WmfRecord r{U32(b, at), U16(b, at + 4), {}};
    if (r.words < 3 || at + 2 * r.words > b.size()) break;
    for (uint32_t i = 3; i < r.words; ++i)
      r.params.push_back(static_cast<int16_t>(U16(b, at + 2 * i)));
    records.push_back(r);
    at += 2 * r.words;
    if (r.function == 0) break;
  }
  return records;
}

std::vector<uint8_t> SampleWmf() {
  WmfCanvas c(200, 100, QtTextMeasurer());
  c.SetFont(FontSpec{kDiagramFontName, 9, false});
  c.SetPenColor(kWhite);
  c.SetBrush(BrushStyle::kSolid, kWhite);
  c.Rectangle(0, 0, 200, 100);
  c.SetPenColor(kBlack);
  c.Line(10, 10, 50, 10);
  c.Ellipse(20, 20, 30, 30);
  c.SetBrushStyle(BrushStyle::kClear);
  c.Arc(60, 20, 80, 60, 70, 80, 70, 0);
  c.Polygon({{100, 10}, {120, 20}, {100, 30}, {100, 10}});
  c.TextOut(130, 40, "F");
  return c.Finish();
}

TEST(WmfWriter, PlaceableHeaderAndMetafileHeader) {
  const std::vector<uint8_t> b = SampleWmf();
  ASSERT_GT(b.size(), 40u);
  EXPECT_EQ(U32(b, 0), 0x9AC6CDD7u);
  EXPECT_EQ(static_cast<int16_t>(U16(b, 6)), 0);     // left
  EXPECT_EQ(static_cast<int16_t>(U16(b, 8)), 0);     // top
  EXPECT_EQ(static_cast<int16_t>(U16(b, 10)), 200);  // right
  EXPECT_EQ(static_cast<int16_t>(U16(b, 12)), 100);  // bottom
  EXPECT_EQ(U16(b, 14), 96);                         // units per inch
  uint16_t checksum = 0;
  for (size_t i = 0; i < 20; i += 2) checksum ^= U16(b, i);
  EXPECT_EQ(U16(b, 20), checksum);
  EXPECT_EQ(U16(b, 22), 1);       // memory metafile
  EXPECT_EQ(U16(b, 24), 9);       // header words
  EXPECT_EQ(U16(b, 26), 0x0300);  // version
  EXPECT_EQ(U32(b, 28), (b.size() - 22) / 2);
  const std::vector<WmfRecord> records = Records(b);
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().function, 0);
  EXPECT_EQ(records.back().words, 3u);
  uint32_t largest = 0;
  for (const WmfRecord& r : records) largest = std::max(largest, r.words);
  EXPECT_EQ(U32(b, 34), largest);
  // Objects: selected indexes stay below the header's object count.
  const uint16_t objects = U16(b, 32);
  for (const WmfRecord& r : records)
    if (r.function == 0x012D || r.function == 0x01F0) {
      EXPECT_LT(r.params[0], objects);
    }
}

TEST(WmfWriter, RecordsOfEveryKind) {
  std::map<uint16_t, int> count;
  for (const WmfRecord& r : Records(SampleWmf())) ++count[r.function];
  EXPECT_EQ(count[0x0214], 1);  // MoveTo
  EXPECT_EQ(count[0x0213], 1);  // LineTo
  EXPECT_EQ(count[0x041B], 1);  // Rectangle
  EXPECT_EQ(count[0x0418], 1);  // Ellipse
  EXPECT_EQ(count[0x0817], 2);  // the half ellipse, in two quarters
  EXPECT_EQ(count[0x0324], 1);  // Polygon
  EXPECT_EQ(count[0x0521], 1);  // TextOut
  EXPECT_EQ(count[0x02FB], 1);  // CreateFontIndirect
  EXPECT_GE(count[0x02FA], 2);  // pens: white, then black
  EXPECT_GE(count[0x02FC], 2);  // brushes: solid white, then clear
}

TEST(WmfWriter, ArcPiecesEndOnTheEllipse) {
  for (const WmfRecord& r : Records(SampleWmf())) {
    if (r.function != 0x0817) continue;
    // Parameters: end y, end x, start y, start x, bottom, right, top, left.
    for (int p : {0, 2}) {
      const double x = r.params[p + 1] - 70.0, y = r.params[p] - 40.0;
      EXPECT_NEAR(x * x / 100.0 + y * y / 400.0, 1.0, 0.15);
    }
    EXPECT_GE(r.params[1], 70);  // both pieces on the right side
    EXPECT_GE(r.params[3], 70);
  }
}

TEST(WmfWriter, LargePicturesAreScaledIntoSixteenBits) {
  WmfCanvas c(70000, 1000, nullptr);
  c.Line(0, 0, 69999, 999);
  const std::vector<uint8_t> b = c.Finish();
  EXPECT_EQ(c.scale(), 3);
  EXPECT_EQ(static_cast<int16_t>(U16(b, 10)), 23333);
  EXPECT_EQ(U16(b, 14), 32);
  for (const WmfRecord& r : Records(b))
    if (r.function == 0x0213) {
      EXPECT_EQ(r.params[1], 23333);
    }
}

}  // namespace
}  // namespace kestrel
