// The design structure choice: pairing rule, automatic partner, OK checks and Cancel.

#include <gtest/gtest.h>

#include "structure/structure_choice.h"

namespace kestrel {
namespace {

std::string FunctionOf(int n) {
  std::string text;
  for (int d = n - 1; d >= 0; --d) text += "x" + std::to_string(d);
  return text;
}

TEST(StructureNames, EveryNameReadsBackAndNothingElse) {
  for (const StructureNames& row : kStructureNames) {
    EXPECT_EQ(StructureFromCliName(row.cliName), row.structure);
    EXPECT_EQ(StructureFromKeyword(row.fileKeyword), row.structure);
  }
  for (const GateFamilyNames& row : kGateFamilyNames) {
    EXPECT_EQ(GateFamilyFromCliName(row.cliName), row.family);
    EXPECT_EQ(GateFamilyFromKeyword(row.fileKeyword), row.family);
  }
  for (const char* other : {"", "MUX ", "mux-Tree", "Mux", "nands", "AND"}) {
    EXPECT_FALSE(StructureFromCliName(other)) << other;
    EXPECT_FALSE(StructureFromKeyword(other)) << other;
    EXPECT_FALSE(GateFamilyFromCliName(other)) << other;
    EXPECT_FALSE(GateFamilyFromKeyword(other)) << other;
  }
}

TEST(PairingRule, EnabledSizesForEveryVariableCount) {
  // Sizes 2, 4, 8, 16 enabled for n = 0..10, the same in both groups.
  const std::vector<std::vector<bool>> expected = {
      {false, false, false, false}, {false, false, false, false}, {true, false, false, false},
      {true, true, false, false},   {true, true, true, false},    {true, true, true, true},
      {false, true, true, true},    {false, false, true, true},   {false, false, false, true},
      {false, false, false, false}, {false, false, false, false}};
  for (int n = 0; n <= 10; ++n) {
    StructureChoice c;
    c.tab = StructureTab::kMuxDemux;
    c.SelectMdMux(3);
    c.SelectMdDmux(0);
    c.OnShow(n == 0 ? "1" : FunctionOf(n));
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(c.mdMuxEnabled[k], expected[n][k]) << "n " << n << " size " << (2 << k);
      EXPECT_EQ(c.mdDmuxEnabled[k], expected[n][k]) << "n " << n << " size " << (2 << k);
    }
    if (n == 0 || n > 8) {
      EXPECT_EQ(c.MdMuxIndex(), -1);
      EXPECT_EQ(c.MdDmuxIndex(), -1);
    } else {  // buttons that were on stay on, even when disabled
      EXPECT_EQ(c.MdMuxIndex(), 3);
      EXPECT_EQ(c.MdDmuxIndex(), 0);
    }
  }
}

TEST(PairingRule, AutomaticPartner) {
  StructureChoice c;
  const std::string f6 = FunctionOf(6);
  c.SelectTab(StructureTab::kMuxDemux, f6);
  EXPECT_FALSE(c.mdMuxEnabled[0]);
  c.EnterGroup(1);
  c.ClickMdMux(1, f6);  // a 4-input multiplexer leaves 4 variables: a 16-output demultiplexer
  EXPECT_EQ(c.MdMuxIndex(), 1);
  EXPECT_EQ(c.MdDmuxIndex(), 3);
  c.EnterGroup(2);
  c.ClickMdDmux(2, f6);
  EXPECT_EQ(c.MdMuxIndex(), 2);
  // A click echoed from code while the focus is in the other group does nothing more.
  c.EnterGroup(1);
  c.ClickMdDmux(0, f6);
  EXPECT_EQ(c.MdMuxIndex(), 2);
}

TEST(OkChecks, MuxDemuxMessages) {
  RecordingMessages m;
  StructureChoice c;
  c.tab = StructureTab::kMuxDemux;
  EXPECT_FALSE(c.Ok("x0", m));
  ASSERT_EQ(m.shown.size(), 1u);
  EXPECT_EQ(m.shown[0].text,
            "Realization impossible in the multiplexer and demultiplexer structure.   ");
  EXPECT_EQ(m.shown[0].caption, "Information!");
  EXPECT_EQ(m.shown[0].icon, Icon::Information);
  EXPECT_FALSE(c.Ok(FunctionOf(3), m));
  EXPECT_EQ(m.shown[1].text, "Select the size of multiplexer and demultiplexer.   ");
  EXPECT_EQ(m.shown[1].caption, "Warning!");
  c.SelectMdDmux(1);
  c.SelectMdMux(0);
  EXPECT_TRUE(c.Ok(FunctionOf(3), m));
  EXPECT_FALSE(c.Ok(FunctionOf(9), m));
  c.tab = StructureTab::kMux;
  EXPECT_TRUE(c.Ok("", m));
}

// OK refuses, and keeps the dialog open, for a selection whose address inputs do not add up
// to the function's variables: one size alone, or a pair left from another function.
TEST(OkChecks, ASelectionThatDoesNotPairUpIsRefusedWithItsOwnMessage) {
  struct Row {
    int n, mux, dmux;  // size indices, -1 for none
    bool accepted;
  };
  const Row rows[] = {{3, 0, 1, true},   {3, 1, 0, true},  {3, 1, 1, false}, {3, -1, 1, false},
                      {3, 0, -1, false}, {5, 0, 2, false}, {5, 1, 2, true},  {8, 3, 3, true},
                      {8, 2, 3, false},  {2, 0, 0, true},  {6, 3, 0, false}};
  for (const Row& r : rows) {
    RecordingMessages m;
    StructureChoice c;
    c.tab = StructureTab::kMuxDemux;
    c.SelectMdMux(r.mux);
    c.SelectMdDmux(r.dmux);
    EXPECT_EQ(c.MdPairFits(r.n), r.accepted) << r.n << " " << r.mux << " " << r.dmux;
    EXPECT_EQ(c.Ok(FunctionOf(r.n), m), r.accepted) << r.n << " " << r.mux << " " << r.dmux;
    if (r.accepted) {
      EXPECT_TRUE(m.shown.empty());
      continue;
    }
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0].text,
              "The selected sizes of multiplexer and demultiplexer do not fit "
              "the function! \n\rTheir address inputs must add up to " +
                  std::to_string(r.n) + ", the number of its variables.   ");
    EXPECT_EQ(m.shown[0].caption, "Warning!");
    EXPECT_EQ(m.shown[0].icon, Icon::Warning);
    EXPECT_EQ(c.MdMuxIndex(), r.mux);  // the refusal changes nothing
    EXPECT_EQ(c.MdDmuxIndex(), r.dmux);
  }
}

TEST(OkChecks, AFunctionChangeDropsOnlyAPairThatNoLongerFits) {
  StructureChoice c;
  c.SelectMdMux(0);
  c.SelectMdDmux(2);  // 1 + 3 address inputs
  c.ClearUnfittingMdPair(4);
  EXPECT_EQ(c.MdMuxIndex(), 0);
  EXPECT_EQ(c.MdDmuxIndex(), 2);
  c.ClearUnfittingMdPair(5);
  EXPECT_EQ(c.MdMuxIndex(), -1);
  EXPECT_EQ(c.MdDmuxIndex(), -1);
  c.SelectMdMux(1);  // one size alone pairs up with nothing
  c.ClearUnfittingMdPair(3);
  EXPECT_EQ(c.MdMuxIndex(), -1);
}

TEST(Cancel, RestoresEverything) {
  StructureChoice c;
  c.radioMuxSize = 2;
  c.SelectMdMux(1);
  c.OnShow("x1x0");
  c.SelectTab(StructureTab::kDemux, "x1x0");
  c.radioMuxSize = 3;
  c.SetUseGates(true);
  c.radioGates = GateFamily::kAndOrNot;
  c.radioDmux = 3;
  c.radioMuxMT = 1;
  c.SelectMdMux(3);
  c.Cancel();
  EXPECT_EQ(c.tab, StructureTab::kMux);
  EXPECT_EQ(c.radioMuxSize, 2);
  EXPECT_FALSE(c.useGates);
  EXPECT_FALSE(c.radioGatesEnabled);
  EXPECT_EQ(c.radioGates, GateFamily::kNand);
  EXPECT_EQ(c.radioDmux, 0);
  EXPECT_EQ(c.radioMuxMT, 0);
  EXPECT_EQ(c.MdMuxIndex(), 1);
}

}  // namespace
}  // namespace kestrel
