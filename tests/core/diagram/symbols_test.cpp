// The symbols on the recording canvas: font sizes per zoom, the multiplexer box with its
// address lines and label columns, the gates, the junction dots, F2Dec and the text block.

#include <gtest/gtest.h>

#include <algorithm>

#include "diagram/symbols.h"
#include "diagram/text_block.h"
#include "tests/core/diagram/diagram_test_support.h"

namespace kestrel {
namespace {

using testing::MuxNode;
using testing::Op;
using testing::OpsNamed;
using testing::ParseOps;

bool Has(const RecordingCanvas& c, const std::string& line) {
  return std::find(c.lines().begin(), c.lines().end(), line) != c.lines().end();
}

int Count(const RecordingCanvas& c, const std::string& prefix) {
  return static_cast<int>(std::count_if(c.lines().begin(), c.lines().end(),
                                        [&](const auto& l) { return l.rfind(prefix, 0) == 0; }));
}

TEST(DiagramFonts, CanvasFontSizePerZoom) {
  const int zooms[] = {10, 12, 13, 16, 17, 20, 21, 30};
  const int sizes[] = {7, 7, 8, 8, 9, 9, 12, 12};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(CanvasFontSize(zooms[i]), sizes[i]) << zooms[i];
}

TEST(DiagramFonts, GateLabelFontSizePerZoom) {
  EXPECT_EQ(GateLabelFontSize(10), 6);
  EXPECT_EQ(GateLabelFontSize(12), 6);
  EXPECT_EQ(GateLabelFontSize(13), 7);
  EXPECT_EQ(GateLabelFontSize(16), 7);
  EXPECT_EQ(GateLabelFontSize(17), 8);
  EXPECT_EQ(GateLabelFontSize(30), 8);
}

TEST(DiagramFonts, PixelSizesAt96Dpi) {
  EXPECT_EQ(FontPixelSize(6), 8);
  EXPECT_EQ(FontPixelSize(7), 9);
  EXPECT_EQ(FontPixelSize(8), 11);
  EXPECT_EQ(FontPixelSize(9), 12);
  EXPECT_EQ(FontPixelSize(10), 13);
  EXPECT_EQ(FontPixelSize(12), 16);
}

TEST(DiagramFonts, RedrawSetsTheFontOfTheZoom) {
  for (int z : {10, 12, 13, 16, 17, 20, 21, 30}) {
    ResultStore store;
    store.AppendNode(MuxNode(1, {"0", "1"}, {"x0"}));
    RecordingCanvas c;
    StructureChoice choice;
    Redraw(store, choice, z, c);
    EXPECT_EQ(c.lines()[2], "font \"Arial Narrow\" " + std::to_string(CanvasFontSize(z)))
        << "zoom " << z;
  }
}

// A 2-input multiplexer at (153, 51), zoom 17: fixed metrics give 6 pixels a character and
// 16 pixels a line at size 9.
TEST(MuxSymbol, BoxStubAddressLineAndLabels) {
  NodeRecord n = MuxNode(1, {"1", "0"}, {"x1"});
  n.x = 153;
  n.y = 51;
  RecordingCanvas c;
  c.SetFontSize(9);
  DrawMux(c, n, 17);
  EXPECT_TRUE(Has(c, "rect (153,51)-(187,102)"));
  EXPECT_TRUE(Has(c, "line (187,76)-(204,76)"));  // output stub
  EXPECT_TRUE(Has(c, "line (153,51)-(186,76)"));  // wedge
  EXPECT_TRUE(Has(c, "line (186,76)-(153,102)"));
  EXPECT_TRUE(Has(c, "line (170,102)-(170,119)"));  // the one address line
  EXPECT_TRUE(Has(c, "text (164,119) \"x1\""));     // its variable below
  EXPECT_TRUE(Has(c, "text (164,87) \"A0\""));      // "A0" inside the box
  EXPECT_TRUE(Has(c, "text (155,77) \" 1\""));      // input numbers
  EXPECT_TRUE(Has(c, "text (155,60) \" 0\""));
  EXPECT_TRUE(Has(c, "line (153,85)-(136,85)"));  // input stubs
  EXPECT_TRUE(Has(c, "line (153,68)-(136,68)"));
  EXPECT_EQ(Count(c, "text"), 6);
}

TEST(MuxSymbol, RepeatedLabelJoinsItsColumnWithADot) {
  // Inputs 0 and 2 both x1: the column opens at input 2's row (the first from the bottom) and
  // input 0 joins it there with a dot.
  NodeRecord n = MuxNode(2, {"x1", "0", "x1", "1"}, {"x3", "x2"});
  n.x = 200;
  n.y = 30;
  const int z = 10;
  RecordingCanvas c;
  DrawMux(c, n, z);
  const int bigY = 30 + 6 * z;
  // Input 3 ("1") opens column 0 at x = 190, input 2 (x1) column 1 at 180, input 1 ("0")
  // column 2 at 170.
  EXPECT_TRUE(Has(c, "line (190,70)-(180,60)") == false);
  EXPECT_TRUE(Has(c, "line (190,60)-(180,60)"));
  EXPECT_TRUE(Has(c, "line (180,60)-(180," + std::to_string(bigY - 12) + ")"));
  // Input 0 joins column 1: across at its row, down to input 2's row, dot there.
  EXPECT_TRUE(Has(c, "line (190,40)-(180,40)"));
  EXPECT_TRUE(Has(c, "line (180,40)-(180,60)"));
  EXPECT_TRUE(Has(c, "ellipse (178,58)-(182,62)"));
  EXPECT_EQ(Count(c, "ellipse"), 1);
  // One label text per column: "1", "x1", "0".
  const std::vector<Op> texts = OpsNamed(ParseOps(c.lines()), "text");
  int below = 0;
  for (const Op& t : texts)
    if (t.v[1] == bigY) ++below;
  EXPECT_EQ(below, 3 + 2);  // three label columns and two address labels
}

TEST(MuxSymbol, NegatedLabelGetsAnUpwardInverterAboveItsText) {
  NodeRecord n = MuxNode(1, {"~x0", "x0"}, {"x1"});
  n.x = 153;
  n.y = 51;
  RecordingCanvas c;
  DrawMux(c, n, 17);
  // Column 1 (opened by input 0) at x = 119; Y = 119.
  EXPECT_TRUE(Has(c, "ellipse (116,93)-(122,99)"));                      // bubble at Y - 1.3z
  EXPECT_TRUE(Has(c, "polygon (119,98) (124,110) (114,110) (119,98)"));  // apex up
  EXPECT_TRUE(Has(c, "line (119,68)-(119,98)"));
  EXPECT_TRUE(Has(c, "line (119,110)-(119,119)"));
  EXPECT_TRUE(Has(c, "text (113,119) \"x0\""));  // shown without "~"
  EXPECT_FALSE(Has(c, "text (113,119) \"~x0\""));
  // Column 0 (input 1, x0) closes the gap with a plain line.
  EXPECT_TRUE(Has(c, "line (136,85)-(136,119)"));
}

TEST(MuxSymbol, ConstantsGetColumnsAndTextsLikeLiterals) {
  NodeRecord n = MuxNode(1, {"0", "1"}, {"x4"});
  n.x = 100;
  n.y = 30;
  RecordingCanvas c;
  DrawMux(c, n, 10);
  EXPECT_TRUE(Has(c, "text (87,70) \"1\""));  // column 0 at x = 90, centred (3 px a char)
  EXPECT_TRUE(Has(c, "text (77,70) \"0\""));  // column 1 at x = 80
}

TEST(GateSymbol, LabelsUseTheGateFontAndTheCanvasFontReturns) {
  for (int z : {10, 12, 13, 16, 17, 30}) {
    NodeRecord g;
    g.kind = NodeKind::kNand;
    g.addressCount = 1;
    g.inputCount = 2;
    g.inputLabels[0] = "x2";
    g.inputLabels[1] = "~x1";
    g.x = 100;
    g.y = 100;
    RecordingCanvas c;
    c.SetFontSize(CanvasFontSize(z));
    DrawGate(c, g, z);
    EXPECT_TRUE(Has(c, "font \"Arial Narrow\" " + std::to_string(GateLabelFontSize(z))));
    EXPECT_EQ(c.font().size, CanvasFontSize(z));
    EXPECT_EQ(Count(c, "text"), 2);
  }
}

TEST(GateSymbol, InputRowsAndOutputRow) {
  NodeRecord g;
  g.kind = NodeKind::kOr;
  g.addressCount = 1;
  g.inputCount = 4;
  for (int j = 0; j < 4; ++j) g.inputLabels[j] = "x" + std::to_string(j);
  g.x = 200;
  g.y = 100;
  const int z = 20;
  RecordingCanvas c;
  DrawGate(c, g, z);
  const std::vector<Op> lines = OpsNamed(ParseOps(c.lines()), "line");
  for (int j = 0; j < 4; ++j) {
    const int yj = 100 + ((j + 1) * z) / 2;
    const bool stub = std::any_of(lines.begin(), lines.end(), [&](const Op& l) {
      return l.v[1] == yj && l.v[3] == yj && l.v[2] == 200 - z;
    });
    EXPECT_TRUE(stub) << "input " << j;
  }
  const int e = 100 + (5 * z) / 4;
  EXPECT_TRUE(Has(c, "line (" + std::to_string(200 + z + z / 3) + "," + std::to_string(e) + ")-(" +
                         std::to_string(200 + 5 * z + z / 3) + "," + std::to_string(e) + ")"));
  EXPECT_EQ(Count(c, "arc"), 2);
  EXPECT_EQ(Count(c, "polygon"), 0);  // no inverter
}

TEST(GateSymbol, OutputInverterIsATriangleAndABubble) {
  NodeRecord g;
  g.kind = NodeKind::kNor;
  g.addressCount = 1;
  g.inputCount = 2;
  g.inputLabels[0] = "x1";
  g.inputLabels[1] = "x0";
  g.outputNegated = 1;
  g.x = 100;
  g.y = 100;
  RecordingCanvas c;
  DrawGate(c, g, 15);
  EXPECT_EQ(Count(c, "polygon"), 1);
  EXPECT_EQ(Count(c, "ellipse"), 2);  // the NOR's bubble and the inverter's
}

TEST(Junctions, DotsAtAllButTheRightmostPointOfARow) {
  JunctionPoints j;
  j.Add(40, 10);
  j.Add(80, 10);
  j.Add(120, 10);
  j.Add(60, 30);  // alone in its row
  RecordingCanvas c;
  j.Draw(c);
  EXPECT_TRUE(Has(c, "ellipse (38,8)-(43,13)"));
  EXPECT_TRUE(Has(c, "ellipse (78,8)-(83,13)"));
  EXPECT_EQ(Count(c, "ellipse"), 2);
  EXPECT_TRUE(Has(c, "brush solid #000000"));
  EXPECT_EQ(c.brushStyle(), BrushStyle::kClear);
  EXPECT_EQ(c.brushColor(), kWhite);
}

TEST(Junctions, TheListIsBounded) {
  JunctionPoints j;
  for (int i = 0; i < JunctionPoints::kCapacity; ++i) EXPECT_TRUE(j.Add(i + 1, 5));
  EXPECT_FALSE(j.Add(1, 6));
  EXPECT_EQ(j.Count(), JunctionPoints::kCapacity);
  RecordingCanvas c;
  j.Draw(c);
  EXPECT_EQ(Count(c, "ellipse"), JunctionPoints::kCapacity - 1);
}

TEST(F2Dec, MintermNumbers) {
  EXPECT_EQ(F2Dec("x3~x2x0"), 5);
  EXPECT_EQ(F2Dec("~x1~x0"), 0);
  EXPECT_EQ(F2Dec("x2x1x0"), 7);
  EXPECT_EQ(F2Dec("x1"), 1);
  EXPECT_EQ(F2Dec(""), 0);
}

TEST(TextBlock, BreaksAtTheFirstPlusAfterFiftyCharacters) {
  // 120 characters with "+" at positions 30, 60 and 100 (1-based).
  std::string f(120, 'x');
  for (size_t i = 0; i < f.size(); ++i) f[i] = (i % 2 == 0) ? 'x' : '1';
  f[29] = '+';
  f[59] = '+';
  f[99] = '+';
  RecordingCanvas c;
  const TextBlockEnd end = DrawTextBlock(c, 10, 20, 20, f, "Multiplexer");
  const std::vector<Op> texts = OpsNamed(ParseOps(c.lines()), "text");
  const int lineH = FixedTextHeight(FontSpec{kTextBlockFontName, 10, false});
  // The heading, then the function's characters on two rows, then two more lines.
  std::vector<int> rows;
  for (const Op& t : texts) rows.push_back(t.v[1]);
  EXPECT_EQ(texts.front().text, "Function after minimization:");
  int plusOnFirst = 0, onSecond = 0;
  for (const Op& t : texts) {
    if (t.v[1] == 20 + lineH && (t.text == " + " || t.text == "+")) ++plusOnFirst;
    if (t.v[1] == 20 + 2 * lineH) ++onSecond;
  }
  EXPECT_EQ(plusOnFirst, 2);      // the " + " at 30 and the "+" that ends the line at 60
  EXPECT_EQ(onSecond, 120 - 60);  // the second line starts with the following term
  EXPECT_EQ(texts.back().text, "Multiplexer");
  EXPECT_EQ(texts.back().v[1], 20 + 2 * lineH + (3 * lineH) / 2 + lineH);
  EXPECT_EQ(end.y, texts.back().v[1] + lineH);
  EXPECT_TRUE(Has(c, "font \"Arial\" 10 bold"));
}

}  // namespace
}  // namespace kestrel
