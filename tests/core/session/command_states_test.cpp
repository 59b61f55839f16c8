// The command-enabling states: the table for 7, 1, 2, 9 and 10, the rule for ButtonLB and
// ButtonEdit, and the states a session starts in.

#include "session/command_states.h"

#include <gtest/gtest.h>

#include "core/session/file_test_support.h"

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
  ASSERT_TRUE(ApplyCommandState(v, 7, 0));
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
  ASSERT_TRUE(ApplyCommandState(v, 1, 1));
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
    ApplyCommandState(v, 7, flag);
    ApplyCommandState(v, 1, flag);
    EXPECT_EQ(v.Enabled(I::ButtonLB), flag == 1) << flag;
    EXPECT_EQ(v.Enabled(I::ButtonEdit), flag != 1) << flag;
    // Neither is switched on by state 1.
    CommandView off = AllOff();
    ApplyCommandState(off, 1, flag);
    EXPECT_FALSE(off.Enabled(I::ButtonLB));
    EXPECT_FALSE(off.Enabled(I::ButtonEdit));
  }
}

TEST(CommandStates, RealizedStateTwo) {
  CommandView v = AllOff();
  v.zoomStripVisible = true;
  ASSERT_TRUE(ApplyCommandState(v, 2, 1));
  for (I item : kDeviceItems) EXPECT_TRUE(v.Enabled(item)) << CommandItemName(item);
  for (I item : {I::SaveFunction, I::SaveFunctionAs, I::Realization, I::ButtonRealize})
    EXPECT_TRUE(v.Enabled(item)) << CommandItemName(item);
  for (I item : {I::OpenProject, I::OpenFunction, I::ChangeFunction, I::ButtonLB, I::ButtonEdit})
    EXPECT_FALSE(v.Enabled(item)) << CommandItemName(item);
  EXPECT_TRUE(v.resultPanelVisible);
  EXPECT_FALSE(v.zoomStripVisible);
}

TEST(CommandStates, RefusedStateNineAndConstantStateTen) {
  for (int state : {9, 10}) {
    CommandView v;
    v.zoomStripVisible = true;
    ASSERT_TRUE(ApplyCommandState(v, state, 1));
    EXPECT_TRUE(v.Enabled(I::OpenProject));
    for (I item : kDeviceItems) EXPECT_FALSE(v.Enabled(item)) << CommandItemName(item);
    EXPECT_EQ(v.Enabled(I::Realization), state == 9);  // 9 leaves it, 10 switches it off
    EXPECT_EQ(v.Enabled(I::ButtonRealize), state == 9);
    for (I item : {I::OpenFunction, I::ChangeFunction, I::SaveFunction, I::SaveFunctionAs,
                   I::ButtonLB, I::ButtonEdit})
      EXPECT_TRUE(v.Enabled(item)) << CommandItemName(item);  // unchanged
    EXPECT_FALSE(v.resultPanelVisible);
    EXPECT_FALSE(v.zoomStripVisible);
  }
}

TEST(CommandStates, OtherNumbersChangeNothing) {
  for (int state : {0, 3, 8, 11, -1, 100}) {
    CommandView v = AllOff();
    v.SetEnabled(I::Print, true);
    EXPECT_FALSE(ApplyCommandState(v, state, 1));
    EXPECT_TRUE(v.Enabled(I::Print));
    EXPECT_FALSE(v.Enabled(I::OpenProject));
  }
}

TEST(CommandStates, ItemNamesAreTheComponentNames) {
  EXPECT_STREQ(CommandItemName(I::OpenProject), "OpenProject");
  EXPECT_STREQ(CommandItemName(I::Print), "Print");
  EXPECT_STREQ(CommandItemName(I::ButtonPrint), "ButtonPrint");
  EXPECT_STREQ(CommandItemName(I::ButtonLB), "ButtonLB");
}

TEST(SessionCommandState, StartsEmptyAndFollowsSetCommandState) {
  testing::FileBench b;
  EXPECT_EQ(b.session.commandState, 7);
  EXPECT_EQ(b.session.caption, "Kestrel (Untitled)");
  EXPECT_TRUE(b.session.commands.Enabled(I::OpenProject));
  EXPECT_TRUE(b.session.commands.Enabled(I::OpenFunction));
  EXPECT_FALSE(b.session.commands.Enabled(I::SaveFunction));
  EXPECT_FALSE(b.session.commands.resultPanelVisible);
  b.session.SetCommandState(4);
  EXPECT_EQ(b.session.commandState, 7);
  b.Canonical({1, 3});
  EXPECT_EQ(b.session.commandState, 1);
  EXPECT_TRUE(b.session.commands.Enabled(I::SaveFunction));
  EXPECT_TRUE(b.session.commands.Enabled(I::ButtonLB));
  EXPECT_FALSE(b.session.commands.Enabled(I::ButtonEdit));
  b.Canonical({0, 1});  // minimizes to "1"
  EXPECT_EQ(b.session.commandState, 10);
  EXPECT_FALSE(b.session.commands.Enabled(I::Realization));
}

}  // namespace
}  // namespace kestrel
