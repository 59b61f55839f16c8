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
