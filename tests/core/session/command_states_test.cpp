// The command-enabling states: the table for 7, 1, 2, 9 and 10, the rule for ButtonLB and
// ButtonEdit, and the states a session starts in.

#include "session/command_states.h"

#include <gtest/gtest.h>

#include <type_traits>

#include "support/session_fixture.h"

namespace kestrel {
namespace {

using I = CommandItem;

/// The items a row of the table switches alike.
const std::vector<I> kDeviceItems = {
    I::SaveProject, I::SaveProjectAs, I::ExportDiagram, I::ExportProject, I::Print,
    I::PrintSetup,  I::ButtonSave,    I::ButtonZoomIn,  I::ButtonZoomOut, I::ButtonPrint};

CommandView AllOff() {
  CommandView v;
  v.enabled.fill(false);
  v.resultPanelVisible = v.zoomStripVisible = false;
  return v;
}

TEST(CommandStates, EmptyStateSeven) {
  CommandView v;
  ApplyCommandState(v, CommandState::kEmpty, 0);
  EXPECT_TRUE(v.Enabled(I::OpenProject));
  EXPECT_TRUE(v.Enabled(I::OpenFunction));
  EXPECT_TRUE(v.Enabled(I::ButtonLB));
  EXPECT_TRUE(v.Enabled(I::ButtonEdit));
  for (I item :
       {I::ChangeFunction, I::SaveFunction, I::SaveFunctionAs, I::Realization, I::ButtonRealize})
    EXPECT_FALSE(v.Enabled(item)) << CommandItemName(item);
  for (I item : kDeviceItems) EXPECT_FALSE(v.Enabled(item)) << CommandItemName(item);
  EXPECT_FALSE(v.resultPanelVisible);
  EXPECT_TRUE(v.zoomStripVisible);  // state 7 leaves the zoom strip alone
}

TEST(CommandStates, FunctionDefinedStateOne) {
  CommandView v = AllOff();
  ApplyCommandState(v, CommandState::kFunctionDefined, 1);
  EXPECT_FALSE(v.Enabled(I::OpenProject));  // blank: unchanged
  EXPECT_FALSE(v.Enabled(I::OpenFunction));
  for (I item :
       {I::ChangeFunction, I::SaveFunction, I::SaveFunctionAs, I::Realization, I::ButtonRealize})
    EXPECT_TRUE(v.Enabled(item)) << CommandItemName(item);
  for (I item : kDeviceItems) EXPECT_FALSE(v.Enabled(item)) << CommandItemName(item);
  EXPECT_FALSE(v.resultPanelVisible);
  EXPECT_FALSE(v.zoomStripVisible);
}

TEST(CommandStates, StateOneSwitchesOffTheEntryThatDoesNotFitTheRepresentation) {
  for (int flag : {0, 1, 2}) {
    CommandView v;
    ApplyCommandState(v, CommandState::kEmpty, flag);
    ApplyCommandState(v, CommandState::kFunctionDefined, flag);
    EXPECT_EQ(v.Enabled(I::ButtonLB), flag == 1) << flag;
    EXPECT_EQ(v.Enabled(I::ButtonEdit), flag != 1) << flag;
    // Neither is switched on by state 1.
    CommandView off = AllOff();
    ApplyCommandState(off, CommandState::kFunctionDefined, flag);
    EXPECT_FALSE(off.Enabled(I::ButtonLB));
    EXPECT_FALSE(off.Enabled(I::ButtonEdit));
  }
}

TEST(CommandStates, RealizedStateTwo) {
  CommandView v = AllOff();
  v.zoomStripVisible = true;
  ApplyCommandState(v, CommandState::kRealized, 1);
  for (I item : kDeviceItems) EXPECT_TRUE(v.Enabled(item)) << CommandItemName(item);
  for (I item : {I::SaveFunction, I::SaveFunctionAs, I::Realization, I::ButtonRealize})
    EXPECT_TRUE(v.Enabled(item)) << CommandItemName(item);
  for (I item : {I::OpenProject, I::OpenFunction, I::ChangeFunction, I::ButtonLB, I::ButtonEdit})
    EXPECT_FALSE(v.Enabled(item)) << CommandItemName(item);
  EXPECT_TRUE(v.resultPanelVisible);
  EXPECT_FALSE(v.zoomStripVisible);
}

TEST(CommandStates, RefusedStateNineAndConstantStateTen) {
  for (CommandState state : {CommandState::kRealizationRefused, CommandState::kNothingToRealize}) {
    const bool refused = state == CommandState::kRealizationRefused;
    CommandView v;
    v.zoomStripVisible = true;
    ApplyCommandState(v, state, 1);
    EXPECT_TRUE(v.Enabled(I::OpenProject));
    for (I item : kDeviceItems) EXPECT_FALSE(v.Enabled(item)) << CommandItemName(item);
    EXPECT_EQ(v.Enabled(I::Realization), refused);  // 9 leaves it, 10 switches it off
    EXPECT_EQ(v.Enabled(I::ButtonRealize), refused);
    for (I item : {I::OpenFunction, I::ChangeFunction, I::SaveFunction, I::SaveFunctionAs,
                   I::ButtonLB, I::ButtonEdit})
      EXPECT_TRUE(v.Enabled(item)) << CommandItemName(item);  // unchanged
    EXPECT_FALSE(v.resultPanelVisible);
    EXPECT_FALSE(v.zoomStripVisible);
  }
}

TEST(CommandStates, OnlyTheFiveStatesExist) {
  // Another number cannot reach SetCommandState at all: the states are a scoped enum. The JSON
  // of the command line shows them by their numbers.
  static_assert(!std::is_convertible_v<int, CommandState>);
  EXPECT_EQ(StateNumber(CommandState::kEmpty), 7);
  EXPECT_EQ(StateNumber(CommandState::kFunctionDefined), 1);
  EXPECT_EQ(StateNumber(CommandState::kRealized), 2);
  EXPECT_EQ(StateNumber(CommandState::kRealizationRefused), 9);
  EXPECT_EQ(StateNumber(CommandState::kNothingToRealize), 10);
}

TEST(CommandStates, ItemNamesAreTheComponentNames) {
  EXPECT_STREQ(CommandItemName(I::OpenProject), "OpenProject");
  EXPECT_STREQ(CommandItemName(I::Print), "Print");
  EXPECT_STREQ(CommandItemName(I::ButtonPrint), "ButtonPrint");
  EXPECT_STREQ(CommandItemName(I::ButtonLB), "ButtonLB");
}

TEST(SessionCommandState, StartsEmptyAndFollowsSetCommandState) {
  testing::SessionFixture b;
  EXPECT_EQ(b.session.commandState, CommandState::kEmpty);
  EXPECT_EQ(b.session.caption, "Kestrel (Untitled)");
  EXPECT_TRUE(b.session.commands.Enabled(I::OpenProject));
  EXPECT_TRUE(b.session.commands.Enabled(I::OpenFunction));
  EXPECT_FALSE(b.session.commands.Enabled(I::SaveFunction));
  EXPECT_FALSE(b.session.commands.resultPanelVisible);
  b.Canonical({1, 3});
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  EXPECT_TRUE(b.session.commands.Enabled(I::SaveFunction));
  EXPECT_TRUE(b.session.commands.Enabled(I::ButtonLB));
  EXPECT_FALSE(b.session.commands.Enabled(I::ButtonEdit));
  b.Canonical({0, 1});  // minimizes to "1"
  EXPECT_EQ(b.session.commandState, CommandState::kNothingToRealize);
  EXPECT_FALSE(b.session.commands.Enabled(I::Realization));
}

}  // namespace
}  // namespace kestrel

namespace kestrel {
namespace {

// The zoom buttons after a realization: each row is one click and what it leaves.
TEST(ZoomButtons, StepByTwoWithinTenToThirty) {
  enum Click { kIn, kOut };
  struct Row {
    Click click;
    int zoom;
    bool zoomIn, zoomOut;
  };
  const Row rows[] = {
      {kIn, 19, true, true},   {kIn, 21, true, true},   {kIn, 23, true, true},
      {kIn, 25, true, true},   {kIn, 27, true, true},   {kIn, 29, true, true},
      {kIn, 30, false, true},  {kOut, 28, true, true},  {kOut, 26, true, true},
      {kOut, 24, true, true},  {kOut, 22, true, true},  {kOut, 20, true, true},
      {kOut, 18, true, true},  {kOut, 16, true, true},  {kOut, 14, true, true},
      {kOut, 12, true, true},  {kOut, 10, true, false}, {kIn, 12, true, true},
      {kOut, 10, true, false},
  };
  testing::SessionFixture b;
  b.Canonical({1, 3});
  b.ConfirmStructure();
  ASSERT_EQ(b.session.RealizationAccepted().outcome, RealizeOutcome::kRealized);
  ASSERT_EQ(b.session.zoom, 17);
  int step = 0;
  for (const Row& row : rows) {
    ++step;
    if (row.click == kIn)
      b.session.ZoomIn();
    else
      b.session.ZoomOut();
    EXPECT_EQ(b.session.zoom, row.zoom) << "click " << step;
    EXPECT_EQ(b.session.commands.Enabled(I::ButtonZoomIn), row.zoomIn) << "click " << step;
    EXPECT_EQ(b.session.commands.Enabled(I::ButtonZoomOut), row.zoomOut) << "click " << step;
  }
  // Down from 17 the button goes off at 11, which is not above 11.
  b.ConfirmStructure();
  for (int expected : {15, 13, 11}) {
    b.session.ZoomOut();
    EXPECT_EQ(b.session.zoom, expected);
  }
  EXPECT_FALSE(b.session.commands.Enabled(I::ButtonZoomOut));
  // The track bar holds any value of its range and no other.
  for (const auto& [set, held] : {std::pair{5, 10}, {10, 10}, {23, 23}, {30, 30}, {31, 30}}) {
    b.session.SetZoom(set);
    EXPECT_EQ(b.session.zoom, held) << set;
  }
}

// A zoom chosen at once (fit to window) leaves the buttons as the steps would there.
TEST(ZoomButtons, ZoomToSetsTheButtonsAsTheStepsWould) {
  testing::SessionFixture b;
  b.Canonical({1, 3});
  b.ConfirmStructure();
  ASSERT_EQ(b.session.RealizationAccepted().outcome, RealizeOutcome::kRealized);
  const struct {
    int set, zoom;
    bool zoomIn, zoomOut;
  } rows[] = {{30, 30, false, true}, {29, 29, true, true},  {12, 12, true, true},
              {11, 11, true, false}, {10, 10, true, false}, {3, 10, true, false},
              {44, 30, false, true}, {17, 17, true, true}};
  for (const auto& row : rows) {
    b.session.ZoomTo(row.set);
    EXPECT_EQ(b.session.zoom, row.zoom) << row.set;
    EXPECT_EQ(b.session.commands.Enabled(I::ButtonZoomIn), row.zoomIn) << row.set;
    EXPECT_EQ(b.session.commands.Enabled(I::ButtonZoomOut), row.zoomOut) << row.set;
  }
}

TEST(PrintChoices, PerStructure) {
  struct Row {
    StructureOptions options;
    const char* text;
    bool crowdingNote, halveScale;
  };
  // Eight products over four variables: a gate network with more than five gates in a level.
  const char* wide =
      "x3x2x1x0+~x3~x2~x1~x0+x3~x2x1~x0+~x3x2~x1x0+x3x2~x1~x0+~x3~x2x1x0+"
      "x3~x2~x1x0+~x3x2x1~x0";
  const Row rows[] = {
      {testing::Options(Structure::kMux, 4), "x2x1+~x2x0", false, true},
      {testing::Options(Structure::kDemux, 0, 8), "x2x1+~x2x0", false, true},
      {testing::Options(Structure::kMuxDemux, 2, 4), "x2x1+~x2x0", false, false},
      {testing::Options(Structure::kMuxTree, 2), "x2x1+~x2x0", false, false},
      {testing::Options(Structure::kMuxGates, 2, 0, GateFamily::kAndOrNot), wide, true, false},
  };
  for (const Row& row : rows) {
    testing::SessionFixture b;
    ASSERT_TRUE(b.Realize(row.text, row.options)) << NamesOf(row.options.structure).cliName;
    const Session::PrintChoices choices = b.session.PrintChoicesNow();
    EXPECT_EQ(choices.crowdingNote, row.crowdingNote) << NamesOf(row.options.structure).cliName;
    EXPECT_EQ(choices.halveScale, row.halveScale) << NamesOf(row.options.structure).cliName;
    b.session.ShowPrintNote();
    EXPECT_EQ(b.messages.shown.size(), row.crowdingNote ? 1u : 0u);
    if (row.crowdingNote) {
      EXPECT_EQ(testing::Shown(b.messages)[0],
                testing::Describe("Printing too big structures due to scaling may lead to "
                                  "illegible printout.\r\nIf you want to obtain clear printout "
                                  "use other graphical editor.",
                                  "Information"));
    }
  }
}

TEST(ResultDisplay, HeadingFollowsTheMinimizeBoxAndTheFirstShowEmptiesTheNames) {
  testing::SessionFixture b;
  EXPECT_EQ(b.session.FunctionHeading(), "Function after minimization:");
  b.Literal("x1x0+x2", /*minimize=*/false);
  EXPECT_EQ(b.session.FunctionHeading(), "Function:");
  // A constant function leaves the Realization command off: nothing happens after the dialog.
  b.session.UseFunctionText("1");
  const size_t shown = b.messages.shown.size();
  EXPECT_EQ(b.session.RealizationAccepted().outcome, RealizeOutcome::kNothing);
  EXPECT_EQ(b.messages.shown.size(), shown);

  b.project.functionFilePath = b.project.projectFilePath = "kept";
  b.project.functionDisplayName = b.project.projectDisplayName = "kept";
  b.session.MainWindowShown();
  EXPECT_EQ(b.project.functionFilePath + b.project.projectFilePath, "");
  EXPECT_EQ(b.project.functionDisplayName + b.project.projectDisplayName, "");
  b.project.functionFilePath = "later";
  b.session.MainWindowShown();  // later showings change nothing
  EXPECT_EQ(b.project.functionFilePath, "later");
}

}  // namespace
}  // namespace kestrel
