// The minimization run around the engine: completing the Zeros, the complement masks, the
// progress window of both phases and stopping a run.

#include <gtest/gtest.h>

#include <algorithm>

#include "function/function_model.h"
#include "support/function_models.h"
#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

using Strs = std::vector<std::string>;

const std::string kStopped = Plain("Process stopped!");
const char* const kZerosTitle = "Generating zeros. Please wait...";
const char* const kFinished = "Progress of minimization: FINISHED!";

bool Contains(const Strs& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

TEST(MinimizationRun, SingleOneCompletesZerosAndMasks) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical({5}));
  EXPECT_EQ(b.model.zeros(), Entries({0, 1, 2, 3, 4, 6, 7}));
  EXPECT_EQ(b.model.onesMasks, Strs({"2"}));
  EXPECT_TRUE(b.model.dontCareMasks.empty());
  EXPECT_EQ(b.model.functionText, "x2~x1x0");
  EXPECT_EQ(b.progress.shows, 0);
}

TEST(MinimizationRun, MasksFollowTheListOrderWithinTheFunctionsVariables) {
  SessionFixture b;
  // The largest entry, a Zero, makes it a four-variable function.
  ASSERT_TRUE(b.EnterCanonical({6, 1}, {9}, {4, 0}));
  EXPECT_EQ(b.model.ones(), Strs({"1", "6"}));
  EXPECT_EQ(b.model.onesMasks, Strs({"14", "9"}));
  EXPECT_EQ(b.model.dontCareMasks, Strs({"15", "11"}));
  EXPECT_EQ(b.model.zeros().size(), 16u - 4u);
}

TEST(MinimizationRun, ExistingZerosAreKeptAndTheRestInsertedInOrder) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical({2}, {7, 5}));
  EXPECT_EQ(b.model.zeros(), Entries({0, 1, 3, 4, 5, 6, 7}));
}

TEST(MinimizationRun, RunWithoutAFunctionDoesNothing) {
  SessionFixture b;
  b.model.ones() = {"1"};
  b.def.MinimizeFunction();  // representation 0: nothing is defined
  EXPECT_TRUE(b.model.zeros().empty());
  EXPECT_EQ(b.model.functionModified, 0);
  EXPECT_EQ(b.model.functionText, "");
}

TEST(MinimizationRun, EmptyListsLeaveTheFunctionTextAlone) {
  SessionFixture b;
  b.model.representationFlag = 1;
  b.model.functionText = "x1";
  b.def.MinimizeFunction();
  EXPECT_EQ(b.model.functionText, "x1");
  EXPECT_EQ(b.model.zeros(), Strs({"0"}));
  EXPECT_EQ(Shown(b.messages), Strs{});
}

TEST(MinimizationRun, ManyZerosAreGeneratedWithVisibleProgress) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical({1000}));
  EXPECT_EQ(b.model.zeros().size(), 1023u);
  EXPECT_EQ(b.model.zeros().front(), "0");
  EXPECT_EQ(b.model.zeros().back(), "1023");
  EXPECT_TRUE(Contains(b.model.zeros(), "999"));
  EXPECT_FALSE(Contains(b.model.zeros(), "1000"));
  EXPECT_TRUE(Contains(b.progress.titles, kZerosTitle));
  EXPECT_EQ(b.progress.maxima, std::vector<int>({1024}));
  // One bar step per combination.
  EXPECT_TRUE(std::find(b.progress.positions.begin(), b.progress.positions.end(), 1024) !=
              b.progress.positions.end());
  EXPECT_EQ(b.progress.shows, 1);
  EXPECT_EQ(b.progress.title, kFinished);
  EXPECT_EQ(b.model.functionText, "x9x8x7x6x5~x4x3~x2~x1~x0");
}

TEST(MinimizationRun, ZeroProgressNeedsMoreThan200NewZeros) {
  // 256 combinations, 55 listed: 201 Zeros to generate.
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical(Range(200, 254)));
  EXPECT_TRUE(Contains(b.progress.titles, kZerosTitle));
  EXPECT_EQ(b.model.zeros().size(), 201u);

  // 56 listed: exactly 200 to generate.
  SessionFixture c;
  ASSERT_TRUE(c.EnterCanonical(Range(200, 255)));
  EXPECT_FALSE(Contains(c.progress.titles, kZerosTitle));
  EXPECT_EQ(c.progress.shows, 0);
  EXPECT_EQ(c.model.zeros().size(), 200u);
}

TEST(MinimizationRun, HundredTermsMinimizeWithoutTheProgressWindow) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical(Range(0, 99)));
  EXPECT_EQ(b.progress.shows, 0);
  EXPECT_TRUE(b.progress.maxima.empty());
  EXPECT_EQ(b.model.functionText, "~x5+~x6+~x4~x3~x2");
}

TEST(MinimizationRun, HundredAndOneTermsShowABarOfTenPasses) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical(Range(0, 100)));
  EXPECT_EQ(b.progress.shows, 1);
  EXPECT_EQ(b.progress.maxima, std::vector<int>({10}));
  // From the moment the bar is set up: 0, then one step per pass, then the maximum.
  std::vector<int> expected{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10};
  EXPECT_EQ(b.progress.positions, expected);
  EXPECT_EQ(b.progress.title, kFinished);
  EXPECT_EQ(b.model.functionText, "~x5+~x6+~x4~x3~x2+~x4~x3~x1~x0");
}

TEST(MinimizationRun, DontCaresCountTowardsTheProgressThreshold) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical(Range(0, 50), {}, Range(51, 100)));
  EXPECT_EQ(b.progress.maxima, std::vector<int>({10}));
}

TEST(MinimizationRun, StopDuringMergePassesLeavesACanonicalFunctionEmpty) {
  SessionFixture b;
  b.model.backupText = "x4+x3";  // whatever the literal entry last left behind
  b.progress.stopWhenMaximumIs = 10;
  EXPECT_TRUE(b.EnterCanonical(Range(0, 100)));
  EXPECT_EQ(Shown(b.messages), Strs({kStopped}));
  EXPECT_EQ(b.model.functionText, "");
  EXPECT_EQ(b.model.zeros(), Entries(Range(101, 127)));
  EXPECT_FALSE(b.progress.visible);
  EXPECT_EQ(b.progress.running, 0);
  EXPECT_NE(b.progress.title, kFinished);
  EXPECT_EQ(b.model.representationFlag, 1);
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
}

TEST(MinimizationRun, StopDuringMergePassesRestoresTheLiteralText) {
  // Seven variables and 107 Ones, so the merge passes show their progress.
  SessionFixture b;
  b.progress.stopWhenMaximumIs = 10;
  EXPECT_TRUE(b.EnterLiteral("X6 + x5 + x4x3 + x2x1x0"));
  EXPECT_EQ(Shown(b.messages), Strs({kStopped}));
  EXPECT_EQ(b.model.functionText, "x6+x5+x4x3+x2x1x0");  // the backup taken by OK
  EXPECT_EQ(b.model.ones().size(), 107u);
  EXPECT_EQ(b.model.zeros().size(), 21u);
  EXPECT_EQ(b.model.zeros().front(), "0");
  EXPECT_EQ(b.model.representationFlag, 2);
  EXPECT_NE(b.progress.title, kFinished);
  EXPECT_FALSE(b.progress.visible);
}

TEST(MinimizationRun, StopDuringZeroGenerationEndsOnlyThatPhase) {
  SessionFixture b;
  // The zero generation polls twice per combination; a stop after a few polls.
  b.progress.stopAfterEvents = 20;
  EXPECT_TRUE(b.EnterCanonical({1000}));
  EXPECT_EQ(Shown(b.messages), Strs({kStopped}));
  // The Zeros generated before the stop stay: a prefix of 0, 1, 2, ...
  ASSERT_GT(b.model.zeros().size(), 0u);
  ASSERT_LT(b.model.zeros().size(), 20u);
  for (size_t i = 0; i < b.model.zeros().size(); ++i)
    EXPECT_EQ(b.model.zeros()[i], std::to_string(i));
  // The minimization itself still runs.
  EXPECT_EQ(b.model.functionText, "x9x8x7x6x5~x4x3~x2~x1~x0");
  EXPECT_EQ(b.progress.title, kFinished);
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
}

TEST(MinimizationRun, LiteralFunctionIsWrittenWithItsVariableNames) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterLiteral("x8x5+x8~x5+x5~x1x0"));
  EXPECT_EQ(b.model.variableNameCount, 4);
  EXPECT_EQ(b.model.functionText, "x8+x5~x1x0");
  // The masks are taken within the four variables of the truth table.
  EXPECT_EQ(b.model.ones().front(), "5");
  EXPECT_EQ(b.model.onesMasks.front(), "10");
}

TEST(MinimizationRun, RunSetsTheModifiedFlag) {
  SessionFixture b;
  ASSERT_TRUE(b.EnterCanonical({1}));
  b.model.functionModified = 0;
  b.def.MinimizeFunction();
  EXPECT_EQ(b.model.functionModified, 1);
  EXPECT_EQ(b.model.functionText, "x0");
}

}  // namespace
}  // namespace kestrel::testing
