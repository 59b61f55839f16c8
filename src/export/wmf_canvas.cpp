#include "export/wmf_canvas.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace kestrel {

namespace {

// Record functions (MS-WMF 2.1.1.1).
constexpr uint16_t kEof = 0x0000;
constexpr uint16_t kSetBkColor = 0x0201;
constexpr uint16_t kSetBkMode = 0x0102;
constexpr uint16_t kSetMapMode = 0x0103;
constexpr uint16_t kSetPolyFillMode = 0x0106;
constexpr uint16_t kSetTextAlign = 0x012E;
constexpr uint16_t kSetTextColor = 0x0209;
constexpr uint16_t kSetWindowOrg = 0x020B;
constexpr uint16_t kSetWindowExt = 0x020C;
constexpr uint16_t kMoveTo = 0x0214;
constexpr uint16_t kLineTo = 0x0213;
constexpr uint16_t kRectangle = 0x041B;
constexpr uint16_t kEllipse = 0x0418;
constexpr uint16_t kArc = 0x0817;
constexpr uint16_t kPolygon = 0x0324;
constexpr uint16_t kTextOut = 0x0521;
constexpr uint16_t kSelectObject = 0x012D;
constexpr uint16_t kDeleteObject = 0x01F0;
constexpr uint16_t kCreatePenIndirect = 0x02FA;
constexpr uint16_t kCreateBrushIndirect = 0x02FC;
constexpr uint16_t kCreateFontIndirect = 0x02FB;

constexpr int16_t kMmAnisotropic = 8;
constexpr int16_t kTransparent = 1, kOpaque = 2;
constexpr int16_t kAlternate = 1;

/// A COLORREF as two words: red and green, then blue and a zero byte.
void PushColor(std::vector<int16_t>& params, Color c) {
  const uint8_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  params.push_back(static_cast<int16_t>(r | (g << 8)));
  params.push_back(static_cast<int16_t>(b));
}

}  // namespace

void LittleEndianWriter::U16(uint16_t v) {
  bytes_.push_back(v & 0xFF);
  bytes_.push_back(v >> 8);
}

void LittleEndianWriter::U32(uint32_t v) {
  U16(v & 0xFFFF);
  U16(v >> 16);
}

void LittleEndianWriter::PutU32At(size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_.at(offset + i) = (v >> (8 * i)) & 0xFF;
}

WmfCanvas::WmfCanvas(int width, int height, TextMeasurer measurer, InkMeasurer ink)
    : width_(std::max(1, width)),
      height_(std::max(1, height)),
      measurer_(std::move(measurer)),
      ink_(std::move(ink)) {
  const int largest = std::max(width_, height_);
  scale_ = (largest + kWmfMaxCoordinate - 1) / kWmfMaxCoordinate;
  if (scale_ < 1) scale_ = 1;
  Add(kSetMapMode, {kMmAnisotropic});
  Add(kSetWindowOrg, {0, 0});
  Add(kSetWindowExt, {C(height_), C(width_)});
  Add(kSetTextAlign, {0});  // TA_TOP | TA_LEFT | TA_NOUPDATECP
  Add(kSetPolyFillMode, {kAlternate});
  std::vector<int16_t> black;
  PushColor(black, kBlack);
  Add(kSetTextColor, black);
}

int16_t WmfCanvas::C(int v) const {
  // Round to nearest for the divisor, then clamp into the 16-bit range.
  long long scaled = v;
  if (scale_ > 1) scaled = (v >= 0 ? (2LL * v + scale_) : (2LL * v - scale_)) / (2LL * scale_);
  scaled = std::clamp<long long>(scaled, SHRT_MIN, SHRT_MAX);
  return static_cast<int16_t>(scaled);
}

void WmfCanvas::Add(uint16_t function, const std::vector<int16_t>& params) {
  const uint32_t words = 3 + static_cast<uint32_t>(params.size());
  body_.U32(words);
  body_.U16(function);
  for (int16_t p : params) body_.I16(p);
  maxRecordWords_ = std::max(maxRecordWords_, words);
}

int WmfCanvas::NewObjectIndex() {
  for (size_t i = 0; i < objectUsed_.size(); ++i)
    if (!objectUsed_[i]) {
      objectUsed_[i] = true;
      return static_cast<int>(i);
    }
  objectUsed_.push_back(true);
  maxObjects_ = std::max(maxObjects_, static_cast<int>(objectUsed_.size()));
  return static_cast<int>(objectUsed_.size()) - 1;
}

void WmfCanvas::ReplaceObject(int& slot, uint16_t function, std::vector<int16_t> params,
                              const std::string& face) {
  // Create the new object in the lowest free slot (as the player assigns them), select it,
  // then delete the one it replaces.
  const int index = NewObjectIndex();
  if (function == kCreateFontIndirect) {
    std::string name = face.substr(0, 31);
    name.push_back('\0');
    if (name.size() % 2) name.push_back('\0');
    for (size_t i = 0; i < name.size(); i += 2)
      params.push_back(static_cast<int16_t>(static_cast<uint8_t>(name[i]) |
                                            (static_cast<uint8_t>(name[i + 1]) << 8)));
  }
  Add(function, params);
  Add(kSelectObject, {static_cast<int16_t>(index)});
  if (slot >= 0) {
    Add(kDeleteObject, {static_cast<int16_t>(slot)});
    objectUsed_[slot] = false;
  }
  slot = index;
}

void WmfCanvas::SyncObjects() {
  if (!dirty_) return;
  dirty_ = false;
  if (penSlot_ < 0 || selectedPen_ != penColor()) {
    std::vector<int16_t> p = {0 /* PS_SOLID */, 0, 0};  // width 0: one pixel
    PushColor(p, penColor());
    ReplaceObject(penSlot_, kCreatePenIndirect, p);
    selectedPen_ = penColor();
  }
  if (brushSlot_ < 0 || selectedBrushStyle_ != brushStyle() ||
      (brushStyle() == BrushStyle::kSolid && selectedBrushColor_ != brushColor())) {
    std::vector<int16_t> p = {static_cast<int16_t>(brushStyle() == BrushStyle::kSolid ? 0 : 1)};
    PushColor(p, brushColor());
    p.push_back(0);  // hatch
    ReplaceObject(brushSlot_, kCreateBrushIndirect, p);
    selectedBrushStyle_ = brushStyle();
    selectedBrushColor_ = brushColor();
  }
  if (fontSlot_ < 0 || !(selectedFont_ == font())) {
    const int px = std::max(1, (FontPixelSize(font().size) + scale_ / 2) / scale_);
    std::vector<int16_t> p = {
        static_cast<int16_t>(-px),                      // height: the em square
        0,                                              // width: default
        0,                                              // escapement
        0,                                              // orientation
        static_cast<int16_t>(font().bold ? 700 : 400),  // weight
        0,                                              // italic, underline
        0,                                              // strike-out, ANSI charset
        0,                                              // output and clip precision
        static_cast<int16_t>(0x22 << 8),                // default quality; variable pitch, swiss
    };
    ReplaceObject(fontSlot_, kCreateFontIndirect, p, font().name);
    selectedFont_ = font();
  }
}

void WmfCanvas::Line(int x1, int y1, int x2, int y2) {
  SyncObjects();
  Add(kMoveTo, {C(y1), C(x1)});
  Add(kLineTo, {C(y2), C(x2)});
}

void WmfCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  SyncObjects();
  Add(kRectangle, {C(y2), C(x2), C(y1), C(x1)});
}

void WmfCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  SyncObjects();
  Add(kEllipse, {C(y2), C(x2), C(y1), C(x1)});
}

void WmfCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  SyncObjects();
  // The arc is written in pieces that end where it crosses the ellipse's axes, each with its
  // direction points on the ellipse itself. A player draws the same curve; readers that
  // take the two points as the arc's ends, or that cannot tell a half ellipse from a whole one
  // when the ends share a row or a column, still draw it right.
  const ArcGeometry g = ArcFromDirections(x1, y1, x2, y2, x3, y3, x4, y4);
  auto pointAt = [&g](double degrees) {
    const double t = degrees * std::numbers::pi / 180.0;
    return Point{static_cast<int>(std::lround(g.cx + g.rx * std::cos(t))),
                 static_cast<int>(std::lround(g.cy - g.ry * std::sin(t)))};
  };
  double from = g.startDegrees;
  const double to = g.startDegrees + g.spanDegrees;
  while (from < to - 1e-9) {
    double next = (std::floor(from / 90.0 + 1e-9) + 1.0) * 90.0;
    if (next > to) next = to;
    const Point a = pointAt(from), b = pointAt(next);
    if (!(a == b)) Add(kArc, {C(b.y), C(b.x), C(a.y), C(a.x), C(y2), C(x2), C(y1), C(x1)});
    from = next;
  }
}

void WmfCanvas::Polygon(const std::vector<Point>& points) {
  if (points.empty()) return;
  SyncObjects();
  std::vector<int16_t> p = {static_cast<int16_t>(std::min<size_t>(points.size(), 8000))};
  for (size_t i = 0; i < points.size() && i < 8000; ++i) {
    p.push_back(C(points[i].x));
    p.push_back(C(points[i].y));
  }
  Add(kPolygon, p);
}

void WmfCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty()) return;
  SyncObjects();
  const int16_t mode = brushStyle() == BrushStyle::kSolid ? kOpaque : kTransparent;
  if (mode == kOpaque && bkColor_ != brushColor()) {
    std::vector<int16_t> p;
    PushColor(p, brushColor());
    Add(kSetBkColor, p);
    bkColor_ = brushColor();
  }
  if (mode != bkMode_) {
    Add(kSetBkMode, {mode});
    bkMode_ = mode;
  }
  const std::string s = text.substr(0, 4000);
  std::vector<int16_t> p = {static_cast<int16_t>(s.size())};
  std::string padded = s;
  if (padded.size() % 2) padded.push_back('\0');
  for (size_t i = 0; i < padded.size(); i += 2)
    p.push_back(static_cast<int16_t>(static_cast<uint8_t>(padded[i]) |
                                     (static_cast<uint8_t>(padded[i + 1]) << 8)));
  p.push_back(C(y));
  p.push_back(C(x));
  Add(kTextOut, p);
}

int WmfCanvas::TextWidth(const std::string& text) {
  return measurer_ ? measurer_(font(), text, false) : FixedTextWidth(font(), text);
}

Box WmfCanvas::TextInk(const std::string& text) {
  return ink_ ? ink_(font(), text) : Canvas::TextInk(text);
}

int WmfCanvas::TextHeight(const std::string& text) {
  return measurer_ ? measurer_(font(), text, true) : FixedTextHeight(font());
}

std::vector<uint8_t> WmfCanvas::Finish() {
  LittleEndianWriter out;
  // Placeable header: key, handle, bounding box, units per inch, reserved, checksum.
  const int16_t right = C(width_), bottom = C(height_);
  const uint16_t inch = static_cast<uint16_t>(std::max(1, (96 + scale_ / 2) / scale_));
  std::vector<uint16_t> words = {
      0xCDD7, 0x9AC6, 0, 0, 0, static_cast<uint16_t>(right), static_cast<uint16_t>(bottom),
      inch,   0,      0};
  uint16_t checksum = 0;
  for (uint16_t w : words) checksum ^= w;
  for (uint16_t w : words) out.U16(w);
  out.U16(checksum);

  // Metafile header: memory metafile, 9-word header, version 3.0.
  const uint32_t eofWords = 3;
  const uint32_t totalWords = 9 + static_cast<uint32_t>(body_.size() / 2) + eofWords;
  out.U16(1);
  out.U16(9);
  out.U16(0x0300);
  out.U32(totalWords);
  out.U16(static_cast<uint16_t>(std::max(maxObjects_, 1)));
  out.U32(std::max(maxRecordWords_, eofWords));
  out.U16(0);
  std::vector<uint8_t> bytes = out.bytes();
  bytes.insert(bytes.end(), body_.bytes().begin(), body_.bytes().end());
  LittleEndianWriter eof;
  eof.U32(eofWords);
  eof.U16(kEof);
  bytes.insert(bytes.end(), eof.bytes().begin(), eof.bytes().end());
  return bytes;
}

}  // namespace kestrel
