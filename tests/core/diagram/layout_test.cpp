// The three layouts: positions and picture sizes, the negation moving of the tree layout,
// wires that meet their pins, the collecting gates, and every structure at every zoom for
// random functions staying inside its picture.

#include <gtest/gtest.h>

#include <algorithm>

#include "diagram/diagram.h"
#include "diagram/display_list.h"
#include "diagram/symbols.h"
#include "support/picture_checks.h"
#include "tests/core/diagram/diagram_test_support.h"

namespace kestrel {
namespace {

using testing::Case;
using testing::MuxNode;
using testing::Op;
using testing::OpsNamed;
using testing::Options;
using testing::ParseOps;
using testing::RandomCases;
using testing::Range;
using testing::Realized;

StructureChoice Choice(StructureTab tab, bool useGates = false) {
  StructureChoice c;
  c.tab = tab;
  c.useGates = useGates;
  return c;
}

TEST(TreeLayout, SingleMultiplexerStandsAtNineAndThreeGridUnits) {
  for (int z = kMinZoom; z <= kMaxZoom; ++z) {
    ResultStore store;
    store.AppendNode(MuxNode(2, {"0", "x1", "~x1", "1"}, {"x3", "x2"}));
    const Diagram d = LayoutDiagram(store, Choice(StructureTab::kMux), z);
    ASSERT_EQ(d.kind, DiagramKind::kTree);
    EXPECT_EQ(d.nodes[0].x, 9 * z);
    EXPECT_EQ(d.nodes[0].y, 3 * z);
    EXPECT_EQ(d.width, 9 * z + 5 * z + z);  // x + (m + 1)z, then one unit more
    EXPECT_EQ(d.height, 3 * z + 5 * z + 4 * z);
  }
}

TEST(TreeLayout, ZoomIsKeptInItsRange) {
  ResultStore store;
  store.AppendNode(MuxNode(1, {"0", "1"}, {"x0"}));
  EXPECT_EQ(LayoutDiagram(store, Choice(StructureTab::kMux), 3).zoom, 10);
  EXPECT_EQ(LayoutDiagram(store, Choice(StructureTab::kMux), 99).zoom, 30);
}

TEST(TreeLayout, SecondNodeOfAColumnStartsBelowTheFirst) {
  Realized r;
  ASSERT_TRUE(r.Run("x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2)));
  const int z = 17;
  const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z);
  ASSERT_EQ(d.nodes.size(), 3u);
  EXPECT_EQ(d.nodes[0].level, 1);
  EXPECT_EQ(d.nodes[1].level, 1);
  EXPECT_EQ(d.nodes[1].order, 1);
  EXPECT_EQ(d.nodes[1].y - d.nodes[0].y, (d.nodes[0].inputCount + 4) * z);
  EXPECT_EQ(d.nodes[0].x, d.nodes[1].x);
  // Columns are (maxInputs + 10)z apart; the output node stands in the rightmost one.
  EXPECT_EQ(d.nodes[2].x - d.nodes[0].x, 12 * z);
  EXPECT_EQ(d.width, d.nodes[2].x + (1 + 3) * z + z);  // Multiplexer Tree width rule
}

TEST(TreeLayout, DeepestLeavesStandTwoColumnWidthsLeftOfTheOutput) {
  // Level 2 leaves: a 2-input tree over three levels of residues.
  Realized r;
  ASSERT_TRUE(r.Run("x3x2x1x0+~x3~x2~x1~x0", Options(Structure::kMuxTree, 2)));
  const Diagram d = LayoutDiagram(r.session.results, r.session.choice, 20);
  int maxLevel = 0, maxInputs = 0;
  for (size_t i = 0; i + 1 < d.nodes.size(); ++i) {
    maxLevel = std::max(maxLevel, d.nodes[i].level);
    maxInputs = std::max(maxInputs, d.nodes[i].inputCount);
  }
  ASSERT_GE(maxLevel, 2);
  const int colW = (maxInputs + 10) * 20;
  for (const NodeRecord& n : d.nodes)
    EXPECT_EQ(d.nodes.back().x - n.x, n.level * colW) << "node " << n.id;
}

TEST(TreeLayout, NegationsMoveOntoTheChildren) {
  // NAND family: the OR-type NAND has negated inputs fed by AND-type NANDs with inverters;
  // the two negations cancel and the picture is NAND-NAND.
  Realized r;
  ASSERT_TRUE(r.Run("x2x1x3+x0x3+~x2~x1~x3+~x0~x3",
                    Options(Structure::kMuxGates, 2, 0, GateFamily::kNand)));
  const std::vector<NodeRecord>& records = r.session.results.nodes();
  int negatedInputs = 0;
  for (const NodeRecord& n : records)
    for (int j = 0; j < n.inputCount; ++j) negatedInputs += n.inputNegated[j];
  ASSERT_GT(negatedInputs, 0);
  const Diagram d = LayoutDiagram(r.session.results, r.session.choice, 17);
  for (const NodeRecord& n : d.nodes) {
    for (int j = 0; j < n.inputCount; ++j) EXPECT_EQ(n.inputNegated[j], 0);
    if (n.kind == NodeKind::kNand && n.level >= 2) {
      EXPECT_EQ(n.outputNegated, 0) << n.id;
    }
  }
  // The records themselves are left as the engine made them.
  int after = 0;
  for (const NodeRecord& n : r.session.results.nodes())
    for (int j = 0; j < n.inputCount; ++j) after += n.inputNegated[j];
  EXPECT_EQ(after, negatedInputs);
}

TEST(TreeLayout, GatesBoxIsReadOnlyWithTheMultiplexerTab) {
  Realized r;
  ASSERT_TRUE(r.Run("x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2)));
  StructureChoice c = r.session.choice;
  c.useGates = true;  // left checked from an earlier multiplexer-with-gates realization
  const Diagram withBox = LayoutDiagram(r.session.results, c, 17);
  const Diagram without = LayoutDiagram(r.session.results, r.session.choice, 17);
  EXPECT_FALSE(withBox.useGates);
  EXPECT_EQ(withBox.width, without.width);
  EXPECT_EQ(withBox.nodes[0].x, without.nodes[0].x);
}

/// The horizontal segments of a display list at row y that cover x.
bool SegmentCovers(const std::vector<Op>& lines, int x, int y) {
  return std::any_of(lines.begin(), lines.end(), [&](const Op& l) {
    return l.v[1] == y && l.v[3] == y && std::min(l.v[0], l.v[2]) <= x &&
           x <= std::max(l.v[0], l.v[2]);
  });
}

TEST(TreeLayout, WiresMeetTheOutputsAndTheInputStubs) {
  int wires = 0;
  for (const Case& k : RandomCases(7, 70)) {
    const Structure st = k.options.structure;
    if (st == Structure::kDemux || st == Structure::kMuxDemux) continue;
    Realized r;
    if (!r.Run(k.text, k.options)) continue;
    for (int z : {10, 17, 23, 30}) {
      const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z);
      for (const NodeRecord& parent : d.nodes) {
        for (int j = 0; j < parent.inputCount; ++j) {
          const int id = parent.childId[j];
          if (id == 0) continue;
          const NodeRecord& child = d.nodes[id - 1];
          RecordingCanvas wire, p, ch;
          const int k0 = 3 + z;  // any channel: the ends do not depend on it
          DrawTreeWire(wire, child, parent, j, k0, z);
          parent.kind == NodeKind::kMux ? DrawMux(p, parent, z) : DrawGate(p, parent, z);
          child.kind == NodeKind::kMux ? DrawMux(ch, child, z) : DrawGate(ch, child, z);
          const std::vector<Op> w = OpsNamed(ParseOps(wire.lines()), "line");
          ASSERT_EQ(w.size(), 3u);
          // The last segment ends on the parent's input stub, the first starts on the
          // child's output line.
          EXPECT_TRUE(SegmentCovers(OpsNamed(ParseOps(p.lines()), "line"), w[2].v[2], w[2].v[3]))
              << k.Describe() << " zoom " << z << " parent " << parent.id << " input " << j;
          EXPECT_TRUE(SegmentCovers(OpsNamed(ParseOps(ch.lines()), "line"), w[0].v[0], w[0].v[1]))
              << k.Describe() << " zoom " << z << " child " << id;
          ++wires;
        }
      }
    }
  }
  EXPECT_GT(wires, 100);
}

std::vector<DisplayItem> DisplayItems(const Diagram& d) {
  DisplayListCanvas c(nullptr, nullptr);
  DrawDiagram(d, c);
  return c.items();
}

/// Vertical wires that run on a multiplexer's label column (within a pixel of it) where it
/// stands, other than the column's own lines: those lie exactly on it, between the first
/// input's row and the label text.
std::vector<std::string> WiresOnLabelColumns(const Diagram& d,
                                             const std::vector<DisplayItem>& items) {
  const int z = d.zoom;
  std::vector<std::string> faults;
  const std::vector<testing::Segment> verticals = testing::Segments(items, true);
  for (const NodeRecord& m : d.nodes) {
    if (m.kind != NodeKind::kMux) continue;
    std::vector<std::string> labels;
    for (int i = m.inputCount - 1; i >= 0; --i)
      if (m.childId[i] == 0 &&
          std::find(labels.begin(), labels.end(), m.inputLabels[i]) == labels.end())
        labels.push_back(m.inputLabels[i]);
    const int top = m.y + z, bottom = m.y + (m.inputCount + 2) * z;
    for (size_t k = 0; k < labels.size(); ++k) {
      const int xc = m.x - static_cast<int>(k + 1) * z;
      for (const testing::Segment& v : verticals) {
        if (std::abs(v.x1 - xc) > 1 || v.y2 <= top || v.y1 >= bottom) continue;
        if (v.x1 == xc && v.y1 >= top && v.y2 <= bottom) continue;
        faults.push_back("a wire at x=" + std::to_string(v.x1) + " rows " + std::to_string(v.y1) +
                         ".." + std::to_string(v.y2) + " runs on the column of \"" + labels[k] +
                         "\" of node " + std::to_string(m.id));
      }
    }
  }
  return faults;
}

TEST(TreeLayout, NoChannelRunsOnALabelColumn) {
  // The crowded tree at zoom 10 ran a channel on a "~x0" column: its inverter sat on the
  // passing wire and input 2 joined that wire without a dot.
  Realized r;
  ASSERT_TRUE(r.Run(testing::kCrowdedTreeText, Options(Structure::kMuxTree, 4)));
  for (int z : {10, 13, 17, 23, 30}) {
    const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z);
    const std::vector<DisplayItem> items = DisplayItems(d);
    EXPECT_EQ(WiresOnLabelColumns(d, items), std::vector<std::string>{}) << "zoom " << z;
    EXPECT_EQ(testing::WiresThroughInverters(items), std::vector<std::string>{}) << "zoom " << z;
  }
}

TEST(TreeLayout, RandomTreesKeepTheirChannelsOffTheLabelColumns) {
  int trees = 0;
  for (const Case& k : RandomCases(23, 150, 10)) {
    if (k.options.structure == Structure::kDemux || k.options.structure == Structure::kMuxDemux)
      continue;
    Realized r;
    if (!r.Run(k.text, k.options)) continue;  // more variables than the structure takes
    for (int z : {10, 13, 17, 23, 30}) {
      const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z);
      const std::vector<DisplayItem> items = DisplayItems(d);
      ASSERT_EQ(WiresOnLabelColumns(d, items), std::vector<std::string>{})
          << k.Describe() << " zoom " << z;
      ASSERT_EQ(testing::WiresThroughInverters(items), std::vector<std::string>{})
          << k.Describe() << " zoom " << z;
    }
    ++trees;
  }
  EXPECT_GT(trees, 90);
}

TEST(TreeLayout, ChannelsStayBetweenTheColumns) {
  // Even parity of eight variables: a full tree of 2-input multiplexers, 64 leaves in one
  // column, more wires into the next column than its gap holds at three pixels a channel.
  std::string text;
  for (int v = 0; v < 256; ++v) {
    int bits = 0;
    for (int b = 0; b < 8; ++b) bits += (v >> b) & 1;
    if (bits % 2) continue;
    if (!text.empty()) text += "+";
    for (int b = 7; b >= 0; --b)
      text += std::string((v >> b) & 1 ? "" : "~") + "x" + std::to_string(b);
  }
  Realized r;
  ASSERT_TRUE(r.Run(text, Options(Structure::kMuxTree, 2)));
  for (int z : {10, 17, 30}) {
    const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z);
    int wires = 0;
    RecordingCanvas c;
    DrawDiagram(d, c);
    for (const Op& l : OpsNamed(ParseOps(c.lines()), "line")) {
      if (l.v[0] != l.v[2] || l.v[1] == l.v[3]) continue;
      // Vertical segments are wires' channels, address lines or label columns; a channel lies
      // right of a column's output stubs and left of the next column's input stubs.
      for (const NodeRecord& n : d.nodes) {
        const bool rowsOverlap =
            std::max(l.v[1], l.v[3]) > n.y + 1 && std::min(l.v[1], l.v[3]) < n.y + n.inputCount * z;
        const bool inBox = l.v[0] > n.x && l.v[0] < n.x + (n.addressCount + 1) * z;
        ASSERT_FALSE(rowsOverlap && inBox)
            << "zoom " << z << ": " << l.line << " crosses node " << n.id;
      }
      ++wires;
    }
    EXPECT_GT(wires, 127);
  }
}

TEST(DemuxLayout, FourOutputsPictureAndSingleOutputWithoutGate) {
  Realized r;
  ASSERT_TRUE(r.Run("x1x0", Options(Structure::kDemux, 0, 4)));
  const DemuxRecord& rec = r.session.results.demux();
  ASSERT_EQ(rec.outputCount, 4);
  ASSERT_EQ(rec.polarity, 1);
  for (int z : {10, 17, 30}) {
    const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z);
    EXPECT_EQ(d.width, 26 * z);
    EXPECT_EQ(d.height, 13 * z);
    RecordingCanvas c;
    DrawDiagram(d, c);
    const std::vector<Op> ops = ParseOps(c.lines());
    // No NAND body: the only arc is the enable symbol's; an inverter and "F".
    EXPECT_EQ(OpsNamed(ops, "arc").size(), 1u);
    EXPECT_EQ(OpsNamed(ops, "polygon").size(), 1u);
    EXPECT_EQ(OpsNamed(ops, "text").back().text, "F");
  }
}

TEST(DemuxLayout, SingleOutputInverterOnlyWhereTheOutputIsTheNegatedFunction) {
  // x1+x0: 0 only at address 0, so polarity 0 with output 0 flagged: the active-low output is
  // the function itself and no inverter is drawn. x1x0: polarity 1, output 3: inverter.
  for (const auto& [text, polarity, inverters] :
       {std::tuple{"x1+x0", 0, 0}, std::tuple{"x1x0", 1, 1}, std::tuple{"~x1+~x0", 0, 0},
        std::tuple{"~x1~x0", 1, 1}}) {
    Realized r;
    ASSERT_TRUE(r.Run(text, Options(Structure::kDemux, 0, 4)));
    ASSERT_EQ(r.session.results.demux().polarity, polarity) << text;
    for (int z = kMinZoom; z <= kMaxZoom; ++z) {
      RecordingCanvas c;
      Redraw(r.session.results, r.session.choice, z, c);
      EXPECT_EQ(static_cast<int>(OpsNamed(ParseOps(c.lines()), "polygon").size()), inverters)
          << text << " zoom " << z;
    }
  }
}

TEST(DemuxLayout, WiresArriveOnTheGateInputRows) {
  for (int a = 1; a <= 4; ++a) {
    const int n = 1 << a;
    for (int mask = 1; mask < (1 << n) && mask < 5000; mask += (n > 4 ? 37 : 1)) {
      ResultStore store;
      DemuxRecord rec;
      rec.polarity = mask % 2;
      rec.addressCount = a;
      rec.outputCount = n;
      int count = 0;
      for (int o = 0; o < n; ++o) {
        rec.outputFlags[o] = (mask >> o) & 1;
        count += rec.outputFlags[o];
      }
      store.SetDemux(rec);
      for (int z : {10, 11, 17, 21, 30}) {
        RecordingCanvas c;
        Redraw(store, Choice(StructureTab::kDemux), z, c);
        const std::vector<Op> lines = OpsNamed(ParseOps(c.lines()), "line");
        // Each wire's last segment ends at 18z + 1; there a gate input stub (or, for a single
        // output, the inverter's base or the continuing line) starts on the same row.
        int ends = 0;
        for (const Op& l : lines) {
          if (l.v[2] != 18 * z + 1 || l.v[1] != l.v[3]) continue;
          ++ends;
          const int row = l.v[3];
          const bool met = SegmentCovers(lines, 18 * z + 1, row) ||
                           std::any_of(lines.begin(), lines.end(), [&](const Op& s) {
                             return s.v[1] == row && s.v[3] == row && s.v[0] != l.v[0] &&
                                    std::min(s.v[0], s.v[2]) <= 18 * z + 1;
                           });
          const std::vector<Op> polys = OpsNamed(ParseOps(c.lines()), "polygon");
          const bool inverter = std::any_of(polys.begin(), polys.end(), [&](const Op& p) {
            return p.v[0] == 18 * z + 1 && p.v[1] + z / 2 == row;
          });
          EXPECT_TRUE(met || inverter) << "a " << a << " mask " << mask << " zoom " << z;
          if (count >= 2) {
            const bool stub = std::any_of(lines.begin(), lines.end(), [&](const Op& s) {
              return s.v[0] == 19 * z && s.v[2] == 18 * z && s.v[1] == row && s.v[3] == row;
            });
            EXPECT_TRUE(stub) << "a " << a << " mask " << mask << " zoom " << z;
          }
        }
        EXPECT_EQ(ends, count);
      }
    }
  }
}

TEST(MuxDemuxLayout, SingleOutputGateShowsItsInverterExactlyForPolarityOne) {
  for (int polarity = 0; polarity <= 1; ++polarity) {
    ResultStore store;
    MuxDemuxRecord md;
    md.addressCount = 1;
    md.inputCount = 2;
    md.inputLabels[0] = "x0";
    md.inputLabels[1] = "0";
    md.addressLabels[0] = "x1";
    DemuxRecord gate;
    gate.polarity = polarity;
    gate.addressCount = 1;
    gate.outputCount = 2;
    gate.outputFlags[1] = 1;
    store.SetDemux(gate);
    md.gateIndex[0] = store.AppendCollectingGate();
    store.SetMuxDemux(md);
    store.SetDemuxPart(DemuxPart{1, 2, {"x0", "", "", ""}});
    for (int z = kMinZoom; z <= kMaxZoom; ++z) {
      RecordingCanvas c;
      Redraw(store, Choice(StructureTab::kMuxDemux), z, c);
      const std::vector<Op> ops = ParseOps(c.lines());
      EXPECT_EQ(static_cast<int>(OpsNamed(ops, "polygon").size()), polarity) << "zoom " << z;
      EXPECT_EQ(OpsNamed(ops, "arc").size(), 1u) << "only the enable symbol's arc";
    }
  }
}

TEST(MuxDemuxLayout, JunctionDotsWhereGateInputsShareADemultiplexerOutput) {
  // Two gates over outputs {1, 2} and {1, 3}: row of output 1 gets a dot at the first gate's
  // input, none at the second (the line ends there).
  ResultStore store;
  MuxDemuxRecord md;
  md.addressCount = 1;
  md.inputCount = 2;
  md.inputLabels[0] = "x1~x0+~x1x0";
  md.inputLabels[1] = "x1x0+~x1x0";
  md.addressLabels[0] = "x2";
  DemuxRecord g;
  g.polarity = 1;
  g.addressCount = 2;
  g.outputCount = 4;
  g.outputFlags = {0, 1, 1, 0};
  store.SetDemux(g);
  md.gateIndex[0] = store.AppendCollectingGate();
  g.outputFlags = {0, 1, 0, 1};
  store.SetDemux(g);
  md.gateIndex[1] = store.AppendCollectingGate();
  store.SetMuxDemux(md);
  store.SetDemuxPart(DemuxPart{2, 4, {"x1", "x0", "", ""}});
  const int z = 17;
  RecordingCanvas c;
  Redraw(store, Choice(StructureTab::kMuxDemux), z, c);
  const std::vector<Op> ops = ParseOps(c.lines());
  int dotsOnRow1 = 0;
  for (const Op& e : OpsNamed(ops, "ellipse"))
    if (e.v[1] == 4 * z + z - 2 && e.v[3] == 4 * z + z + 3) ++dotsOnRow1;
  EXPECT_EQ(dotsOnRow1, 1);
  // Two NAND bodies (plus the enable symbol's arc).
  EXPECT_EQ(OpsNamed(ops, "arc").size(), 3u);
}

/// Text metrics a little larger than those of the narrow diagram face (about 0.45 em a
/// character, a line 1.15 em high): half an em a character, a line of 1.17 em plus a pixel.
int NarrowFontMetrics(const FontSpec& font, const std::string& text, bool height) {
  const int px = FontPixelSize(font.size);
  if (height) return px + px / 6 + 1;
  return (static_cast<int>(text.size()) * px + 1) / 2;
}

TEST(DiagramBounds, EveryStructureAtEveryZoomStaysInsideItsPicture) {
  int drawn = 0;
  for (const Case& k : RandomCases(11, 84)) {
    Realized r;
    if (!r.Run(k.text, k.options)) continue;
    for (int z = kMinZoom; z <= kMaxZoom; ++z) {
      const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z);
      ASSERT_NE(d.kind, DiagramKind::kEmpty) << k.Describe();
      BoundsCanvas bounds(NarrowFontMetrics);
      DrawDiagram(d, bounds);
      ASSERT_TRUE(bounds.Inside(d.width, d.height))
          << k.Describe() << " zoom " << z << ": drawn " << bounds.bounds().left << ","
          << bounds.bounds().top << ".." << bounds.bounds().right << "," << bounds.bounds().bottom
          << " in " << d.width << "x" << d.height;
      ++drawn;
    }
  }
  EXPECT_GT(drawn, 60 * 21);
}

TEST(DiagramBounds, LargeFunctionsAtTheSmallestAndLargestZoom) {
  int drawn = 0;
  for (const Case& k : RandomCases(31, 14, 10)) {
    Realized r;
    if (!r.Run(k.text, k.options)) continue;
    for (int z : {kMinZoom, kMaxZoom}) {
      const Diagram d = LayoutDiagram(r.session.results, r.session.choice, z);
      BoundsCanvas bounds(NarrowFontMetrics);
      DrawDiagram(d, bounds);
      ASSERT_TRUE(bounds.Inside(d.width, d.height)) << k.Describe() << " zoom " << z;
      ++drawn;
    }
  }
  EXPECT_GT(drawn, 16);
}

/// The labels of a multiplexer whose first `distinct` inputs (from the bottom) differ and the
/// rest repeat the last of them: single literals, their negations (with inverters) and products.
std::vector<std::string> Labels(int inputs, int distinct) {
  const char* pool[] = {"~x5x4~x3x2~x1x0", "x5", "~x5", "x4~x0", "~x4", "1",  "x3",  "0",
                        "~x3x1",           "x2", "~x2", "x1x0",  "~x1", "x0", "~x0", "x5x1"};
  std::vector<std::string> labels(inputs);
  for (int i = 0; i < inputs; ++i) labels[inputs - 1 - i] = pool[std::min(i, distinct - 1)];
  return labels;
}

/// A multiplexer-and-demultiplexer record: mA x mM multiplexer over a dA x dN demultiplexer;
/// the inputs listed in `gated` are fed by a collecting gate each, with `flagged` outputs.
ResultStore MuxDemuxStore(int mA, int dA, const std::vector<int>& gated, int flagged,
                          const std::vector<std::string>& labels) {
  ResultStore store;
  MuxDemuxRecord md;
  md.addressCount = mA;
  md.inputCount = 1 << mA;
  md.addressLabels = {"x9", "x8", "x7", "x6"};
  for (int i = 0; i < md.inputCount; ++i) md.inputLabels[i] = labels[i % labels.size()];
  const int dN = 1 << dA;
  for (int g : gated) {
    DemuxRecord gate;
    gate.polarity = g % 2;
    for (int o = 0; o < flagged; ++o) gate.outputFlags[(o * 5 + g) % dN] = 1;
    store.SetDemux(gate);
    md.gateIndex[g] = store.AppendCollectingGate();
    md.inputLabels[g] = "x3x2+x1";
  }
  store.SetMuxDemux(md);
  store.SetDemuxPart(DemuxPart{dA, dN, {"x3", "x2", "x1", "x0"}});
  return store;
}

// Layouts that random functions hardly ever reach, each at every zoom inside its picture.
TEST(DiagramBounds, RareLayoutsStayInsideTheirPictures) {
  struct Rare {
    const char* what;
    StructureChoice choice;
    ResultStore store;
  };
  std::vector<Rare> cases;
  for (int distinct : {6, 8, 9, 12, 16}) {
    Rare r{"a single 16-input multiplexer with many label columns", Choice(StructureTab::kMux), {}};
    r.store.AppendNode(MuxNode(4, Labels(16, distinct), {"x9", "x8", "x7", "x6"}));
    cases.push_back(std::move(r));
  }
  {
    Rare r{
        "a gate network's multiplexer with 16 label columns", Choice(StructureTab::kMux, true), {}};
    NodeRecord gate;
    gate.kind = NodeKind::kNand;
    gate.level = 1;
    gate.addressCount = 1;
    gate.inputCount = 16;
    for (int j = 0; j < 16; ++j) gate.inputLabels[j] = Labels(16, 16)[j];
    const int id = r.store.AppendNode(gate);
    NodeRecord mux = MuxNode(4, Labels(16, 16), {"x9", "x8", "x7", "x6"});
    mux.childId[3] = id;
    r.store.AppendNode(mux);
    cases.push_back(std::move(r));
  }
  {
    Rare r{"a tree whose leaves open 16 label columns", Choice(StructureTab::kMuxTree), {}};
    const int a = r.store.AppendNode([] {
      NodeRecord n = MuxNode(4, Labels(16, 16), {"x5", "x4", "x3", "x2"});
      n.level = 1;
      return n;
    }());
    NodeRecord top = MuxNode(1, {"x1", "0"}, {"x9"});
    top.childId[1] = a;
    r.store.AppendNode(top);
    cases.push_back(std::move(r));
  }
  const std::vector<std::string> simple = {"0", "1", "x5", "~x5", "x4", "~x4", "x3", "~x3"};
  cases.push_back({"16 simple inputs with 8 label columns", Choice(StructureTab::kMuxDemux),
                   MuxDemuxStore(4, 4, {}, 0, simple)});
  cases.push_back({"16 collecting gates over all 16 outputs", Choice(StructureTab::kMuxDemux),
                   MuxDemuxStore(4, 4, Range(0, 15), 16, simple)});
  cases.push_back({"single-output gates between label columns", Choice(StructureTab::kMuxDemux),
                   MuxDemuxStore(3, 1, {1, 4, 6}, 1, {"x5", "~x5", "1"})});
  cases.push_back({"minterm inputs", Choice(StructureTab::kMuxDemux),
                   MuxDemuxStore(2, 3, {}, 0, {"x2x1~x0", "~x2x1x0", "x5", "~x2~x1~x0"})});
  for (int flagged : {1, 8, 16}) {
    Rare r{"a demultiplexer with 16 outputs", Choice(StructureTab::kDemux), {}};
    DemuxRecord d;
    d.polarity = flagged % 2;
    d.addressCount = 4;
    d.outputCount = 16;
    d.addressLabels = {"x3", "x2", "x1", "x0"};
    for (int o = 0; o < flagged; ++o) d.outputFlags[(o * 7) % 16] = 1;
    r.store.SetDemux(d);
    cases.push_back(std::move(r));
  }
  for (const Rare& r : cases) {
    for (int z = kMinZoom; z <= kMaxZoom; ++z) {
      const Diagram d = LayoutDiagram(r.store, r.choice, z);
      BoundsCanvas bounds(NarrowFontMetrics);
      DrawDiagram(d, bounds);
      EXPECT_TRUE(bounds.Inside(d.width, d.height))
          << r.what << " at zoom " << z << ": drawn " << bounds.bounds().left << ","
          << bounds.bounds().top << ".." << bounds.bounds().right << "," << bounds.bounds().bottom
          << " in " << d.width << "x" << d.height;
    }
  }
}

TEST(TreeLayout, ASingleMultiplexerMovesRightForItsLabelColumns) {
  // It stands at 9 grid units; its labels need one unit more than their columns.
  for (int distinct = 1; distinct <= 16; ++distinct) {
    for (int z = kMinZoom; z <= kMaxZoom; ++z) {
      ResultStore store;
      store.AppendNode(MuxNode(4, Labels(16, distinct), {"x9", "x8", "x7", "x6"}));
      const Diagram d = LayoutDiagram(store, Choice(StructureTab::kMux), z);
      EXPECT_EQ(d.nodes[0].x, std::max(9, distinct + 1) * z) << distinct << " zoom " << z;
      EXPECT_EQ(d.width, d.nodes[0].x + 17 * z + z);
    }
  }
}

TEST(DiagramBounds, NothingRealizedGivesABlankPicture) {
  ResultStore store;
  for (int tab = 0; tab < kStructureTabCount; ++tab) {
    RecordingCanvas c;
    const PictureSize size = Redraw(store, Choice(*TabFromIndex(tab)), 17, c);
    EXPECT_GT(size.width, 0);
    EXPECT_GT(size.height, 0);
    EXPECT_EQ(OpsNamed(ParseOps(c.lines()), "line").size(), 0u);
  }
}

}  // namespace
}  // namespace kestrel

namespace kestrel {
namespace {

// Fit to window: for random realizations in every structure and several window sizes, the
// zoom chosen is the largest whose picture fits, and 10 when none does.
TEST(FitZoom, LargestZoomThatFits) {
  for (const testing::Case& c : testing::RandomCases(18, 14)) {
    testing::Realized r;
    ASSERT_TRUE(r.Run(c.text, c.options)) << c.Describe();
    std::vector<Diagram> at(kMaxZoom + 1);
    for (int z = kMinZoom; z <= kMaxZoom; ++z)
      at[z] = LayoutDiagram(r.session.results, r.session.choice, z);
    const Diagram& mid = at[20];
    for (const auto& [w, h] : {std::pair{mid.width, mid.height},
                               {mid.width - 1, mid.height},
                               {mid.width, mid.height - 1},
                               {100000, 100000},
                               {1, 1},
                               {at[10].width, at[10].height}}) {
      const int z = FitZoom(r.session.results, r.session.choice, w, h);
      ASSERT_GE(z, kMinZoom);
      ASSERT_LE(z, kMaxZoom);
      const bool fits = at[z].width <= w && at[z].height <= h;
      if (z > kMinZoom) {
        EXPECT_TRUE(fits) << c.Describe() << " " << w << "x" << h;
      }
      if (z < kMaxZoom) {
        EXPECT_FALSE(at[z + 1].width <= w && at[z + 1].height <= h)
            << c.Describe() << " " << w << "x" << h << " zoom " << z;
      }
    }
    EXPECT_EQ(FitZoom(r.session.results, r.session.choice, 100000, 100000), kMaxZoom);
    EXPECT_EQ(FitZoom(r.session.results, r.session.choice, 1, 1), kMinZoom);
    EXPECT_EQ(FitZoom(r.session.results, r.session.choice, mid.width, mid.height) >= 20, true);
  }
}

}  // namespace
}  // namespace kestrel
