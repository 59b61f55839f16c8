// Records that the engine would never produce still draw without crashing and without
// reading or writing outside the records: counts, ids, levels, kinds and gate indices out of
// range, cycles, 1024 nodes, many junction points.

#include <gtest/gtest.h>

#include <random>

#include "diagram/diagram.h"
#include "diagram/recording_canvas.h"
#include "tests/core/diagram/diagram_test_support.h"

namespace kestrel {
namespace {

/// Every other round in the clear style.
DiagramStyle Style(int round) {
  return round % 2 == 0 ? DiagramStyle::kExact : DiagramStyle::kClear;
}

StructureChoice Choice(StructureTab tab, bool useGates = false) {
  StructureChoice c;
  c.tab = tab;
  c.useGates = useGates;
  return c;
}

TEST(DiagramRobustness, HostileNodeRecords) {
  std::mt19937 rng(5);
  for (int round = 0; round < 200; ++round) {
    ResultStore store;
    const int count = 1 + static_cast<int>(rng() % 40);
    for (int i = 0; i < count; ++i) {
      NodeRecord n;
      n.kind = static_cast<NodeKind>(static_cast<int>(rng() % 9) - 2);
      n.level = static_cast<int>(rng() % 40) - 5;
      n.addressCount = static_cast<int>(rng() % 12) - 3;
      n.inputCount = static_cast<int>(rng() % 40) - 10;
      n.outputNegated = static_cast<int>(rng() % 3);
      for (int j = 0; j < 16; ++j) {
        n.childId[j] = static_cast<int>(rng() % (count + 10)) - 3;
        n.inputNegated[j] = static_cast<int>(rng() % 3);
        n.inputLabels[j] = rng() % 2 ? "~x" + std::to_string(rng() % 10) : "x1x2+x3";
      }
      store.mutableNodes().push_back(n);
    }
    for (StructureTab tab : {StructureTab::kMux, StructureTab::kMuxTree}) {
      for (bool gates : {false, true}) {
        const Diagram d = LayoutDiagram(store, Choice(tab, gates), 10 + round % 21, Style(round));
        BoundsCanvas c;
        DrawDiagram(d, c);
        EXPECT_GT(d.width, 0);
        if (d.style == DiagramStyle::kClear) {
          EXPECT_TRUE(c.Inside(d.width, d.height));
        }
      }
    }
  }
}

TEST(DiagramRobustness, TheFullNodeList) {
  ResultStore store;
  for (int i = 0; i < kMaxNodes; ++i) {
    NodeRecord n = testing::MuxNode(1, {"x1x0+x2", "~x3"}, {"x4"});
    n.level = 1 + i % 15;
    n.childId[0] = i;  // each node fed by the one before
    store.AppendNode(n);
  }
  EXPECT_EQ(store.AppendNode(NodeRecord{}), 0);
  store.mutableNodes().push_back(NodeRecord{});  // more than the list may hold
  for (DiagramStyle style : {DiagramStyle::kExact, DiagramStyle::kClear}) {
    const Diagram d = LayoutDiagram(store, Choice(StructureTab::kMuxTree), 10, style);
    EXPECT_EQ(static_cast<int>(d.nodes.size()), kMaxNodes);
    BoundsCanvas c;
    DrawDiagram(d, c);
  }
}

TEST(DiagramRobustness, HostileDemultiplexerRecords) {
  for (int a = -2; a <= 8; ++a) {
    for (int n = -3; n <= 40; n += 7) {
      ResultStore store;
      DemuxRecord r;
      r.addressCount = a;
      r.outputCount = n;
      r.polarity = a % 3;
      for (int o = 0; o < 16; ++o) r.outputFlags[o] = static_cast<uint8_t>((o * 7 + a) % 3);
      store.SetDemux(r);
      const Diagram d = LayoutDiagram(store, Choice(StructureTab::kDemux), 17, Style(a + n));
      BoundsCanvas c;
      DrawDiagram(d, c);
      EXPECT_GT(d.height, 0);
    }
  }
}

TEST(DiagramRobustness, HostileMultiplexerAndDemultiplexerRecords) {
  std::mt19937 rng(9);
  for (int round = 0; round < 300; ++round) {
    ResultStore store;
    DemuxRecord g;
    g.addressCount = 4;
    g.outputCount = 16;
    const int gates = static_cast<int>(rng() % 20);
    for (int i = 0; i < gates; ++i) {
      g.polarity = static_cast<int>(rng() % 3);
      for (int o = 0; o < 16; ++o) g.outputFlags[o] = static_cast<uint8_t>(rng() % 3);
      store.SetDemux(g);
      store.AppendCollectingGate();
    }
    MuxDemuxRecord md;
    md.addressCount = static_cast<int>(rng() % 9) - 2;
    md.inputCount = static_cast<int>(rng() % 40) - 5;
    for (int i = 0; i < 16; ++i) {
      md.gateIndex[i] = static_cast<int>(rng() % 25) - 3;
      const int kind = static_cast<int>(rng() % 4);
      md.inputLabels[i] = kind == 0   ? "1"
                          : kind == 1 ? "~x" + std::to_string(rng() % 10)
                          : kind == 2 ? "x3x2x1x0x9x8x7x6x5x4x3x2x1x0x1x2x3x4x5x6x7"
                                      : "x" + std::to_string(rng() % 10);
    }
    store.SetMuxDemux(md);
    store.SetDemuxPart(DemuxPart{
        static_cast<int>(rng() % 8) - 2, static_cast<int>(rng() % 30) - 5, {"x1", "x0", "", ""}});
    const Diagram d =
        LayoutDiagram(store, Choice(StructureTab::kMuxDemux), 10 + round % 21, Style(round));
    BoundsCanvas c;
    DrawDiagram(d, c);
    EXPECT_GT(d.width, 0);
  }
}

TEST(DiagramRobustness, UnknownTab) {
  ResultStore store;
  StructureChoice c;
  c.tab = static_cast<StructureTab>(7);  // a value no dialog can make
  RecordingCanvas canvas;
  const PictureSize size = Redraw(store, c, 17, canvas);
  EXPECT_GT(size.width, 0);
}

}  // namespace
}  // namespace kestrel
