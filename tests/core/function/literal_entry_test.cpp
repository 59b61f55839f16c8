// Literal entry: cleaning and checking the typed sum of products, every refusal message, the
// normal form, the variable names of the truth table, and the conversion into Ones.

#include <gtest/gtest.h>

#include <algorithm>

#include "function/function_model.h"
#include "support/function_models.h"
#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

using Strs = std::vector<std::string>;

const std::string kRange = "\nVariable must fit in the range from x0 to x9!";

std::string NotCorrect(const std::string& what) {
  return Plain("Variable \"" + what + "\" is not correct." + kRange);
}
std::string NotCorrectBang(const std::string& what) {
  return Plain("Variable \"" + what + "\" is not correct!" + kRange);
}
std::string Exceeds(const std::string& number) {
  return Plain("The number \"" + number + "\" exceeds the number of variables!" + kRange);
}
std::string Forbidden(char c) {
  return Plain(std::string("Forbidden character \"") + c + "\" has been used!!");
}

Strs Names(const FunctionModel& m) {
  return Strs(m.variableNames.begin(), m.variableNames.begin() + std::min(m.variableNameCount, 10));
}

class LiteralEntry : public ::testing::Test {
 protected:
  /// Types the text, presses OK and expects a refusal with exactly this message.
  void ExpectRefused(const std::string& typed, const std::string& message) {
    b.messages.shown.clear();
    EXPECT_FALSE(b.EnterLiteral(typed)) << typed;
    EXPECT_EQ(Shown(b.messages), Strs({message})) << typed;
    EXPECT_TRUE(b.def.open) << typed;
    EXPECT_EQ(b.model.representationFlag, 0) << typed;
    EXPECT_EQ(b.session.commandState, CommandState::kEmpty) << typed;
  }
  /// OK without minimization: the rewritten normal form.
  std::string NormalForm(const std::string& typed) {
    EXPECT_TRUE(b.EnterLiteral(typed, false)) << typed;
    EXPECT_EQ(Shown(b.messages), Strs{}) << typed;
    return b.model.functionText;
  }

  SessionFixture b;
};

TEST_F(LiteralEntry, SampleTextIsRewrittenConvertedAndMinimized) {
  EXPECT_TRUE(b.EnterLiteral("x9~x7x3~x0 + x4~x7"));
  EXPECT_EQ(Shown(b.messages), Strs{});
  EXPECT_EQ(b.model.functionText, "~x7x4+x9~x7x3~x0");
  EXPECT_EQ(Names(b.model), Strs({"x9", "x7", "x4", "x3", "x0"}));
  EXPECT_EQ(b.model.variableNameCount, 5);
  EXPECT_EQ(b.model.ones(), Entries({4, 5, 6, 7, 18, 20, 21, 22, 23}));
  EXPECT_EQ(b.model.zeros().size(), 32u - 9u);
  EXPECT_EQ(b.model.representationFlag, 2);
  EXPECT_EQ(b.model.functionModified, 1);
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  EXPECT_FALSE(b.def.open);
  EXPECT_EQ(b.model.backupText, "x9~x7x3~x0+~x7x4");  // the rewritten text, taken by OK
}

TEST_F(LiteralEntry, SampleTextNormalForm) {
  EXPECT_EQ(NormalForm("x9~x7x3~x0 + x4~x7"), "x9~x7x3~x0+~x7x4");
  EXPECT_TRUE(b.model.ones().empty());  // the product list is not kept
}

TEST_F(LiteralEntry, CheckListsTheDistinctProductsAsMaskPairs) {
  b.model.functionText = "x9~x7x3~x0+x4~x7+~x7X4+x4";
  EXPECT_EQ(b.def.CheckLiteral(), 1);
  // P = 2^9 + 2^3, N = 2^7 + 2^0; then P = 2^4, N = 2^7 (listed once); then P = 2^4, N = 0.
  EXPECT_EQ(b.model.ones(), Strs({"520", "16", "16"}));
  EXPECT_EQ(b.model.onesMasks, Strs({"129", "128", "0"}));
  EXPECT_EQ(b.model.functionText, "x9~x7x3~x0+~x7x4+x4");
}

TEST_F(LiteralEntry, TwoVariableFunctionKeepsItsTopVariable) {
  EXPECT_TRUE(b.EnterLiteral("~x1x0+~x1~x0"));
  EXPECT_EQ(b.model.functionText, "~x1");
  EXPECT_EQ(b.model.variableNameCount, 2);
  EXPECT_EQ(Names(b.model), Strs({"x1", "x0"}));
  EXPECT_EQ(b.model.ones(), Strs({"0", "1"}));
  EXPECT_EQ(b.model.zeros(), Strs({"2", "3"}));
}

TEST_F(LiteralEntry, MinimizationMergesProducts) {
  EXPECT_TRUE(b.EnterLiteral("x2x1+~x2x1+x0"));
  EXPECT_EQ(b.model.functionText, "x1+x0");
  SessionFixture c;
  EXPECT_TRUE(c.EnterLiteral("x3x1+x3~x1"));
  EXPECT_EQ(c.model.functionText, "x3");
  EXPECT_EQ(Names(c.model), Strs({"x3", "x1"}));  // x2 and x0 are not mentioned
}

TEST_F(LiteralEntry, UpperCaseDuplicateProductIsListedOnce) {
  b.model.functionText = "X1+X1";
  EXPECT_EQ(b.def.CheckLiteral(), 1);
  EXPECT_EQ(b.model.ones(), Strs({"2"}));
  EXPECT_EQ(b.model.onesMasks, Strs({"0"}));

  SessionFixture c;
  EXPECT_TRUE(c.EnterLiteral("X1+X1"));
  EXPECT_EQ(c.model.functionText, "x1");
  EXPECT_EQ(c.model.variableNameCount, 0);  // nothing was converted or minimized
  EXPECT_TRUE(c.model.ones().empty());
  EXPECT_EQ(Shown(c.messages), Strs{});
}

TEST_F(LiteralEntry, LiteralsAreWrittenFromTheHighestIndexDown) {
  EXPECT_EQ(NormalForm("x1x2"), "x2x1");
  EXPECT_EQ(NormalForm("x0~x9x5"), "~x9x5x0");
}

TEST_F(LiteralEntry, VariablePlainAndNegatedCountsAsNegated) {
  EXPECT_EQ(NormalForm("x1~x1"), "~x1");
  EXPECT_EQ(NormalForm("~x1x1x2"), "x2~x1");
}

TEST_F(LiteralEntry, CleaningTakesLowerCaseDropsBlanksAndCollapsesRuns) {
  EXPECT_EQ(NormalForm(" X11 ~~x3 ++ x2 +"), "~x3x1+x2");
  EXPECT_EQ(NormalForm("x~x1"), "~x1");  // a lone "x" inside a product has no effect
}

TEST_F(LiteralEntry, TrailingPlusIsIgnored) {
  EXPECT_TRUE(b.EnterLiteral("x1+"));
  EXPECT_EQ(b.model.functionText, "x1");
  EXPECT_EQ(Shown(b.messages), Strs{});
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
}

TEST_F(LiteralEntry, LeadingPlusAddsTheEmptyProduct) {
  EXPECT_TRUE(b.EnterLiteral("+x1"));
  EXPECT_EQ(b.model.functionText, "1");
  EXPECT_EQ(Shown(b.messages), Strs({Plain("Function minimizes to '1'!\n\rF=1")}));
  EXPECT_EQ(b.session.commandState, CommandState::kNothingToRealize);
}

TEST_F(LiteralEntry, NumberAboveNineExceedsTheVariables) {
  ExpectRefused("x12", Exceeds("x12"));
  ExpectRefused("x3+~x10", Exceeds("x10"));
}

TEST_F(LiteralEntry, ProductStartingWithADigitIsNotCorrect) {
  ExpectRefused("3x1", NotCorrect("3x1"));
  ExpectRefused("x2+5~x8~x0", NotCorrect("5~x8~x0"));
}

TEST_F(LiteralEntry, TildeAtTheEndOrBeforeADigitIsNotCorrect) {
  ExpectRefused("x1~", NotCorrect("x1~"));
  ExpectRefused("~1", NotCorrect("~1"));
  ExpectRefused("x0~3", NotCorrect("x0~3"));
}

TEST_F(LiteralEntry, TildeXWithoutDigitsUsesTheExclamationVariant) {
  ExpectRefused("~x", NotCorrectBang("~x"));
  ExpectRefused("x2~x+x1", NotCorrectBang("~x"));
}

TEST_F(LiteralEntry, LoneXAtTheEndOfAProductIsNotCorrect) {
  ExpectRefused("x", NotCorrect("x"));
  ExpectRefused("x2x", NotCorrect("x"));
}

TEST_F(LiteralEntry, DigitsTooLongForANumber) {
  ExpectRefused("x12345678901", Plain("Error occured while changing the string into number!"));
}

TEST_F(LiteralEntry, ForbiddenCharacterKeepsTheTypedText) {
  ExpectRefused("x1y", Forbidden('y'));
  EXPECT_EQ(b.model.functionText, "x1y");
  ExpectRefused("X1 + Y", Forbidden('y'));  // checked after the lower-case step
  EXPECT_EQ(b.model.functionText, "X1 + Y");
  EXPECT_EQ(b.model.backupText, "x1y");  // taken when the window opened, not by the refusal
  ExpectRefused("x1*x2.", Forbidden('*'));
}

TEST_F(LiteralEntry, RefusalInsideAProductKeepsTheCleanedTextAndEarlierProducts) {
  ASSERT_TRUE(b.EnterCanonical({1, 3}));
  b.messages.shown.clear();
  b.def.OpenLiteral();
  b.model.functionText = "X1 + x2++X12";
  EXPECT_FALSE(b.def.LiteralOk());
  EXPECT_EQ(Shown(b.messages), Strs({Exceeds("x12")}));
  EXPECT_EQ(b.model.functionText, "x1+x2+x12");
  EXPECT_EQ(b.model.backupText, "x0");
  EXPECT_EQ(b.model.ones(), Strs({"2", "4"}));
  EXPECT_EQ(b.model.onesMasks, Strs({"0", "0"}));
  EXPECT_TRUE(b.model.zeros().empty());
  EXPECT_TRUE(b.model.dontCares().empty());
  EXPECT_EQ(b.model.representationFlag, 1);
  EXPECT_TRUE(b.def.open);
}

// A refused OK leaves the function the window opened on: Cancel, the close box and Esc in the
// box bring it back, whatever was typed and refused in between.
TEST_F(LiteralEntry, RefusedOkThenCancelKeepsTheFunction) {
  for (int close = 0; close < 3; ++close) {
    SessionFixture f;
    ASSERT_TRUE(f.EnterLiteral("x2x1+x0"));
    const std::string function = f.model.functionText;
    f.session.choice.tab = StructureTab::kMuxTree;
    f.messages.shown.clear();
    f.session.LiteralRepClick();
    for (const char* typed : {"x12", "x1y", "3x1"}) {
      f.model.functionText = typed;
      EXPECT_FALSE(f.def.LiteralOk()) << typed;
    }
    EXPECT_EQ(f.messages.shown.size(), 3u);
    if (close == 0) f.def.LiteralCancel();
    if (close == 1) f.def.CloseBox();
    if (close == 2) f.def.Escape();
    EXPECT_EQ(f.model.functionText, function) << close;
    EXPECT_EQ(f.model.representationFlag, 2);
    EXPECT_FALSE(f.def.open);
    EXPECT_EQ(f.session.RealizeCurrent().outcome, RealizeOutcome::kRealized);
  }
}

TEST_F(LiteralEntry, TheCloseBoxIsTheCancelOfTheLayoutShown) {
  ASSERT_TRUE(b.EnterCanonical({1, 3, 5}));
  const std::string minimized = b.model.functionText;
  const Strs zeros = b.model.zeros();
  b.session.DecimalRepClick();
  b.def.ClearAll();
  b.def.CloseBox();
  EXPECT_EQ(b.model.ones(), Strs({"1", "3", "5"}));
  EXPECT_EQ(b.model.zeros(), zeros);
  EXPECT_EQ(b.model.functionText, minimized);
  EXPECT_FALSE(b.def.open);
  b.session.LiteralRepClick();
  b.model.functionText = "x3";
  b.def.CloseBox();
  EXPECT_EQ(b.model.functionText, minimized);
  EXPECT_EQ(b.model.ones(), Strs({"1", "3", "5"}));
}

TEST_F(LiteralEntry, ForbiddenCharacterClearsTheLists) {
  ASSERT_TRUE(b.EnterCanonical({1}, {}, {2}));
  b.def.OpenLiteral();
  b.model.functionText = "x1+q";
  EXPECT_FALSE(b.def.LiteralOk());
  EXPECT_TRUE(b.model.ones().empty());
  EXPECT_TRUE(b.model.zeros().empty());
  EXPECT_TRUE(b.model.dontCares().empty());
}

TEST_F(LiteralEntry, BlanksOnlyTextIsAcceptedUnchanged) {
  EXPECT_TRUE(b.EnterLiteral("   "));
  EXPECT_EQ(b.model.functionText, "   ");
  EXPECT_EQ(b.model.representationFlag, 2);
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  EXPECT_EQ(Shown(b.messages), Strs{});
  EXPECT_TRUE(b.model.ones().empty());
}

TEST_F(LiteralEntry, EmptyTextIsAcceptedWithoutAFunction) {
  ASSERT_TRUE(b.EnterCanonical({1}));
  EXPECT_TRUE(b.EnterLiteral(""));
  EXPECT_EQ(b.model.functionText, "");
  EXPECT_EQ(b.model.representationFlag, 2);
  EXPECT_TRUE(b.model.ones().empty());
  EXPECT_TRUE(b.model.zeros().empty());
}

TEST_F(LiteralEntry, CancelRestoresTheTextOfTheOpening) {
  ASSERT_TRUE(b.EnterLiteral("x2+x1", false));
  b.def.OpenLiteral();
  b.model.functionText = "x7~~";
  b.def.LiteralCancel();
  EXPECT_EQ(b.model.functionText, "x2+x1");
  EXPECT_FALSE(b.def.open);

  b.def.OpenLiteral();
  b.model.functionText = "x3";
  b.def.Escape();  // a literal function: Esc is the literal Cancel
  EXPECT_EQ(b.model.functionText, "x2+x1");
  EXPECT_FALSE(b.def.open);
}

TEST_F(LiteralEntry, SingleProductIsNotMinimized) {
  EXPECT_TRUE(b.EnterLiteral("x5~x2"));
  EXPECT_EQ(b.model.functionText, "x5~x2");
  EXPECT_EQ(b.model.variableNameCount, 0);
  EXPECT_TRUE(b.model.ones().empty());
  EXPECT_EQ(b.progress.titles.back(), "Progress of minimization:");
}

TEST_F(LiteralEntry, ConversionNamesTheMentionedVariablesOnly) {
  EXPECT_EQ(b.def.LiteralToCanonical("x9~x7x3~x0+~x7x4"), 0);
  EXPECT_EQ(Names(b.model), Strs({"x9", "x7", "x4", "x3", "x0"}));
  EXPECT_EQ(b.model.ones(), Entries({4, 5, 6, 7, 18, 20, 21, 22, 23}));
  // Bit b of a minterm belongs to the name at index count - 1 - b.
  SessionFixture c;
  EXPECT_EQ(c.def.LiteralToCanonical("x6+~x2"), 0);
  EXPECT_EQ(Names(c.model), Strs({"x6", "x2"}));
  EXPECT_EQ(c.model.ones(), Strs({"0", "2", "3"}));
}

// Rows of the expanded truth table: 128 + 64 + 4 + 2 + 1, plus the header: 200.
const char* const kTable200 = "x7+x6x5+x7x6x5x4x3x2+x7x6x5x4x3x2x0+x7x6x5x4x3x2x1x0";

TEST_F(LiteralEntry, ConversionShowsProgressAbove200Rows) {
  EXPECT_EQ(b.def.LiteralToCanonical(kTable200), 0);
  EXPECT_EQ(b.progress.shows, 0);
  EXPECT_TRUE(b.progress.maxima.empty());
  EXPECT_EQ(b.model.ones().size(), 160u);

  SessionFixture c;
  EXPECT_EQ(c.def.LiteralToCanonical(std::string(kTable200) + "+~x7x6x5x4x3x2x1x0"), 0);
  EXPECT_EQ(c.progress.shows, 1);
  EXPECT_EQ(c.progress.maxima, std::vector<int>({201}));
  EXPECT_EQ(c.progress.barPosition, 200);
  EXPECT_EQ(c.model.ones().size(), 160u);
  EXPECT_EQ(Shown(c.messages), Strs{});
}

TEST_F(LiteralEntry, StopDuringConversionRestoresTheBackupTextAndSkipsMinimization) {
  const std::string text = std::string(kTable200) + "+~x7x6x5x4x3x2x1x0";
  b.progress.stopWhenMaximumIs = 201;
  EXPECT_TRUE(b.EnterLiteral(text));
  EXPECT_EQ(Shown(b.messages), Strs({Plain("Process stopped!")}));
  EXPECT_EQ(b.model.functionText, text);  // the rewritten text equals the typed one here
  EXPECT_EQ(b.model.representationFlag, 2);
  EXPECT_FALSE(b.progress.visible);
  for (const auto& title : b.progress.titles)
    EXPECT_NE(title, "Progress of minimization: FINISHED!");
}

}  // namespace
}  // namespace kestrel::testing
