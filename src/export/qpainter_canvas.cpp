#include "export/qpainter_canvas.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPolygon>
#include <cmath>
#include <cstdlib>

namespace kestrel {

namespace {

QColor ToQColor(Color c) {
  return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

QString ToQString(const std::string& s) {
  return QString::fromUtf8(s.data(), s.size());
}

}  // namespace

QFont QtFontFor(const FontSpec& font) {
  QFont f(ToQString(font.name));
  f.setPixelSize(std::max(1, FontPixelSize(font.size)));
  f.setBold(font.bold);
  f.setStyleStrategy(QFont::PreferDefault);
  f.setHintingPreference(QFont::PreferDefaultHinting);
  return f;
}

QString ResolvedFontFamily(const std::string& name) {
  QFont f(ToQString(name));
  f.setPixelSize(12);
  return QFontInfo(f).family();
}

int QtTextWidth(const FontSpec& font, const std::string& text) {
  return QFontMetrics(QtFontFor(font)).horizontalAdvance(ToQString(text));
}

int QtTextHeight(const FontSpec& font) {
  return QFontMetrics(QtFontFor(font)).height();
}

TextMeasurer QtTextMeasurer() {
  return [](const FontSpec& font, const std::string& text, bool height) {
    return height ? QtTextHeight(font) : QtTextWidth(font, text);
  };
}

namespace {

Box InkOf(const QFontMetrics& metrics, const std::string& text) {
  // Leading blanks have no ink; the glyphs start after their advance.
  const QString s = ToQString(text);
  qsizetype blanks = 0;
  while (blanks < s.size() && s[blanks] == QLatin1Char(' ')) ++blanks;
  const QRect r = metrics.tightBoundingRect(s.mid(blanks));
  if (r.isEmpty()) return Box{};
  const int lead = metrics.horizontalAdvance(s.left(blanks));
  return Box{lead + r.left(), metrics.ascent() + r.top(), r.width(), r.height()};
}

}  // namespace

InkMeasurer QtInkMeasurer() {
  return [](const FontSpec& font, const std::string& text) {
    return InkOf(QFontMetrics(QtFontFor(font)), text);
  };
}

QPainterCanvas::QPainterCanvas(QPainter& painter, double lineWidth, Drawing drawing)
    : painter_(painter), lineWidth_(lineWidth) {
  switch (drawing) {
    case Drawing::kExact:
      painter_.setRenderHint(QPainter::Antialiasing, false);
      break;
    case Drawing::kSmooth:
      painter_.setRenderHint(QPainter::Antialiasing, true);
      if (lineWidth_ == 0) lineWidth_ = 1;
      painter_.translate(0.5, 0.5);
      break;
  }
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  QPainterCanvas::StateChanged();
}

void QPainterCanvas::StateChanged() {
  qfont_ = QtFontFor(font());
  metrics_ = QFontMetrics(qfont_);
  ascent_ = metrics_.ascent();
  painter_.setFont(qfont_);
  ApplyPen();
  ApplyBrush();
}

void QPainterCanvas::ApplyPen() {
  QPen pen(ToQColor(penColor()));
  pen.setWidthF(lineWidth_);       // 0 is cosmetic: one pixel on every device
  pen.setCapStyle(Qt::SquareCap);  // both ends painted; Line leaves out the last pixel itself
  pen.setJoinStyle(Qt::MiterJoin);
  painter_.setPen(pen);
}

void QPainterCanvas::ApplyBrush() {
  if (brushStyle() == BrushStyle::kSolid)
    painter_.setBrush(ToQColor(brushColor()));
  else
    painter_.setBrush(Qt::NoBrush);
}

void QPainterCanvas::Line(int x1, int y1, int x2, int y2) {
  if (x1 == x2 && y1 == y2) return;
  // The end point is left out: stop one step short of it along the longer axis.
  const int dx = x2 - x1, dy = y2 - y1;
  int ex = x2, ey = y2;
  if (std::abs(dx) >= std::abs(dy))
    ex -= dx > 0 ? 1 : -1;
  else
    ey -= dy > 0 ? 1 : -1;
  // A line one pixel long paints its start: a filled pixel, which vector devices keep (they
  // drop a point drawn with a hairline pen).
  if (ex == x1 && ey == y1)
    painter_.fillRect(QRect(x1, y1, 1, 1), ToQColor(penColor()));
  else
    painter_.drawLine(x1, y1, ex, ey);
}

void QPainterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  painter_.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QPainterCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  painter_.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QPainterCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  const ArcGeometry g = ArcFromDirections(x1, y1, x2, y2, x3, y3, x4, y4);
  painter_.drawArc(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1),
                   static_cast<int>(std::lround(g.startDegrees * 16)),
                   static_cast<int>(std::lround(g.spanDegrees * 16)));
}

void QPainterCanvas::Polygon(const std::vector<Point>& points) {
  QPolygon polygon;
  for (const Point& p : points) polygon << QPoint(p.x, p.y);
  painter_.drawPolygon(polygon);
}

void QPainterCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  const QString s = ToQString(text);
  if (brushStyle() == BrushStyle::kSolid)
    painter_.fillRect(QRect(x, y, TextWidth(text), TextHeight(text)), ToQColor(brushColor()));
  const QPen saved = painter_.pen();
  painter_.setPen(QColor(Qt::black));
  painter_.drawText(QPoint(x, y + ascent_), s);
  painter_.setPen(saved);
}

int QPainterCanvas::TextWidth(const std::string& text) {
  // The metrics of the current font: the same numbers as QtTextWidth, without building the
  // font again for every label.
  return metrics_.horizontalAdvance(ToQString(text));
}

Box QPainterCanvas::TextInk(const std::string& text) {
  return InkOf(metrics_, text);
}

int QPainterCanvas::TextHeight(const std::string&) {
  return metrics_.height();
}

}  // namespace kestrel
