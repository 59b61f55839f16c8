// The clipped canvas: a drawing passed through it is the drawing itself, operation for
// operation and state for state, less exactly the operations that cannot reach the clip.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>

#include "diagram/clipped_canvas.h"
#include "diagram_test_support.h"

namespace kestrel::testing {
namespace {

/// A drawing operation of a display list with the pen, brush and font in effect for it.
struct StatedOp {
  std::string state, line;
  FontSpec font;
  bool operator==(const StatedOp& o) const { return state == o.state && line == o.line; }
};

std::vector<StatedOp> Stated(const std::vector<std::string>& lines) {
  std::vector<StatedOp> out;
  std::string pen, brush, fontLine;
  FontSpec font;
  for (const Op& op : ParseOps(lines)) {
    if (op.name == "pen") {
      pen = op.line;
    } else if (op.name == "brush") {
      brush = op.line;
    } else if (op.name == "font") {
      fontLine = op.line;
      // font "Arial Narrow" 9 [bold]: the size follows the quoted name.
      const int size = std::stoi(op.line.substr(op.line.rfind('"') + 2));
      font = FontSpec{op.text, size, op.line.ends_with(" bold")};
    } else {
      out.push_back({pen + "|" + brush + "|" + fontLine, op.line, font});
    }
  }
  return out;
}

/// The pixels an operation may paint (inclusive), by the canvas rules, for the fixed metrics.
Bounds PixelsOf(const StatedOp& s) {
  const Op op = ParseOps({s.line})[0];
  const std::vector<int>& v = op.v;
  Bounds b{false, v.at(0), v.at(1), v.at(0), v.at(1)};
  if (op.name == "text") {
    b.right = v[0] + FixedTextWidth(s.font, op.text) - 1;
    b.bottom = v[1] + FixedTextHeight(s.font) - 1;
    return b;
  }
  for (size_t i = 0; i + 1 < v.size(); i += 2) {
    if (op.name == "arc" && i >= 4) break;  // the direction points lie anywhere
    b.left = std::min(b.left, v[i]);
    b.right = std::max(b.right, v[i]);
    b.top = std::min(b.top, v[i + 1]);
    b.bottom = std::max(b.bottom, v[i + 1]);
  }
  if (op.name == "rect" || op.name == "ellipse" || op.name == "arc") {
    b.right -= 1;  // outlines lie inside their box
    b.bottom -= 1;
  }
  return b;
}

bool Meets(const Bounds& b, const PixelRect& r) {
  const int m = ClippedCanvas::kMargin;
  return b.right >= r.left - m && b.left < r.right + m && b.bottom >= r.top - m &&
         b.top < r.bottom + m;
}

std::vector<std::string> Clipped(const Diagram& d, const PixelRect& r, int* skipped = nullptr) {
  RecordingCanvas recording;
  ClippedCanvas clipped(recording, r);
  DrawDiagram(d, clipped);
  if (skipped) *skipped = clipped.skipped();
  return recording.lines();
}

std::vector<Diagram> Diagrams() {
  std::vector<Diagram> out;
  Realized parity;  // a wide tree: the seven-variable parity of 2-input multiplexers
  std::string text;
  for (int v = 0; v < 128; ++v) {
    if (std::popcount(static_cast<unsigned>(v)) % 2 == 0) continue;
    if (!text.empty()) text += "+";
    for (int b = 6; b >= 0; --b) text += ((v >> b) & 1 ? "x" : "~x") + std::to_string(b);
  }
  EXPECT_TRUE(parity.Run(text, Options(Structure::kMuxTree, 2)));
  out.push_back(LayoutDiagram(parity.session.results, parity.session.choice, 13));
  for (const Case& c : RandomCases(41, 14)) {
    Realized r;
    if (r.Run(c.text, c.options))
      out.push_back(LayoutDiagram(r.session.results, r.session.choice, 10 + (c.text.size() % 21)));
  }
  return out;
}

TEST(ClippedCanvas, TheWholePictureIsTheDrawingItself) {
  for (const Diagram& d : Diagrams()) {
    RecordingCanvas full;
    DrawDiagram(d, full);
    int skipped = -1;
    EXPECT_EQ(Clipped(d, {0, 0, d.width, d.height}, &skipped), full.lines());
    EXPECT_EQ(skipped, 0);
  }
}

// For random rectangles, the clipped list is the full list's drawing operations that meet the
// rectangle, in order, each under the same pen, brush and font.
TEST(ClippedCanvas, OnlyTheOperationsThatMeetTheClipAreForwarded) {
  std::mt19937 rng(7);
  int checked = 0;
  for (const Diagram& d : Diagrams()) {
    RecordingCanvas full;
    DrawDiagram(d, full);
    const std::vector<StatedOp> all = Stated(full.lines());
    for (int i = 0; i < 12; ++i) {
      const int w = 1 + static_cast<int>(rng() % static_cast<unsigned>(d.width));
      const int h = 1 + static_cast<int>(rng() % static_cast<unsigned>(d.height));
      const int x = static_cast<int>(rng() % static_cast<unsigned>(d.width + 40)) - 20;
      const int y = static_cast<int>(rng() % static_cast<unsigned>(d.height + 40)) - 20;
      const PixelRect r{x, y, x + w, y + h};
      std::vector<StatedOp> expected;
      for (const StatedOp& op : all)
        if (Meets(PixelsOf(op), r)) expected.push_back(op);
      ASSERT_EQ(Stated(Clipped(d, r)), expected) << x << "," << y << " " << w << "x" << h;
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST(ClippedCanvas, ASmallViewOfALargeTreeForwardsLittle) {
  const Diagram d = Diagrams().front();
  RecordingCanvas full;
  DrawDiagram(d, full);
  RecordingCanvas recording;
  ClippedCanvas clipped(recording, {0, d.height / 2, 400, d.height / 2 + 300});
  DrawDiagram(d, clipped);
  EXPECT_GT(clipped.skipped(), 10 * clipped.forwarded());
  EXPECT_LT(recording.lines().size() * 10, full.lines().size());
}

}  // namespace
}  // namespace kestrel::testing
