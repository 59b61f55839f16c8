// Canonical entry: the number checks with their messages, insertion order, the term limit, the
// list commands, and what "Ok" leaves behind.

#include <gtest/gtest.h>

#include "function/function_model.h"
#include "support/function_models.h"
#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

using Strs = std::vector<std::string>;

const std::string kOnlyDigits =
    Describe("Only digits are allowed!", "Warning", Buttons::Ok, Icon::Warning);
const std::string kTooLong = Plain("The number you have entered is too long!");
const std::string kOutOfRange = Describe("Number entered exceeds the range of allowed values! ",
                                         "Warning", Buttons::Ok, Icon::Warning);
const std::string kLeadingZero =
    Describe("Remove zero preciding the number! ", "Warning", Buttons::Ok, Icon::Warning);
const std::string kTooMany = Plain("Too many terms entered! Delete one if you want to add another");

std::string Exists(const std::string& group) {
  return Describe("Entered value exists in the group of: " + group + "!   ", "Warning!",
                  Buttons::Ok, Icon::Information);
}

class CanonicalEntry : public ::testing::Test {
 protected:
  void SetUp() override { b.def.OpenCanonical(); }

  /// Adds and expects a refusal with exactly one message; the lists must stay as they were.
  void ExpectRefused(const std::string& text, ListKind target, const std::string& message) {
    const auto before = b.model.lists[0], zerosBefore = b.model.lists[1],
               dcBefore = b.model.lists[2];
    b.messages.shown.clear();
    EXPECT_FALSE(b.def.Add(text, target)) << "\"" << text << "\"";
    EXPECT_EQ(Shown(b.messages), Strs({message})) << "\"" << text << "\"";
    EXPECT_EQ(b.model.lists[0], before);
    EXPECT_EQ(b.model.lists[1], zerosBefore);
    EXPECT_EQ(b.model.lists[2], dcBefore);
  }

  SessionFixture b;
};

TEST(ListKinds, ThePositionsOfTheSelectGroup) {
  EXPECT_EQ(ListKindFromIndex(0), ListKind::kOnes);
  EXPECT_EQ(ListKindFromIndex(1), ListKind::kZeros);
  EXPECT_EQ(ListKindFromIndex(2), ListKind::kDontCares);
  EXPECT_FALSE(ListKindFromIndex(-1));
  EXPECT_FALSE(ListKindFromIndex(3));
}

TEST_F(CanonicalEntry, EmptyTextIsRefusedSilently) {
  EXPECT_FALSE(b.def.Add("", ListKind::kOnes));
  EXPECT_EQ(Shown(b.messages), Strs{});
  EXPECT_EQ(b.model.ones(), Strs{});
}

TEST_F(CanonicalEntry, LettersAndBlanksAreNotDigits) {
  for (const char* text : {"a", "Z", "12b", "1 2", " ", "1e3", "x1"})
    ExpectRefused(text, ListKind::kOnes, kOnlyDigits);
}

TEST_F(CanonicalEntry, RefusedTextStaysInTheNumberBox) {
  ExpectRefused("12b", ListKind::kOnes, kOnlyDigits);
  EXPECT_EQ(b.def.editText, "12b");
  ExpectRefused("00", ListKind::kOnes, kLeadingZero);
  EXPECT_EQ(b.def.editText, "00");
}

TEST_F(CanonicalEntry, FiveCharactersAreTooLong) {
  ExpectRefused("12345", ListKind::kOnes, kTooLong);
  ExpectRefused("00001", ListKind::kOnes, kTooLong);  // length is checked before the leading zero
  // Anything that is not a letter or a blank is judged by its length first.
  ExpectRefused("-1234", ListKind::kOnes, kTooLong);
  ExpectRefused("12.345", ListKind::kOnes, kTooLong);
  ExpectRefused("1234a", ListKind::kOnes, kOnlyDigits);
}

TEST_F(CanonicalEntry, RangeEndsAt1023) {
  ExpectRefused("1024", ListKind::kOnes, kOutOfRange);
  ExpectRefused("9999", ListKind::kDontCares, kOutOfRange);
  b.messages.shown.clear();
  EXPECT_TRUE(b.def.Add("1023", ListKind::kOnes));
  EXPECT_EQ(b.model.ones(), Strs({"1023"}));
  EXPECT_EQ(Shown(b.messages), Strs{});
}

TEST_F(CanonicalEntry, LeadingZeroIsRefusedButZeroItselfIsAccepted) {
  ExpectRefused("00", ListKind::kOnes, kLeadingZero);
  ExpectRefused("012", ListKind::kZeros, kLeadingZero);
  ExpectRefused("0999", ListKind::kOnes, kLeadingZero);
  b.messages.shown.clear();
  EXPECT_TRUE(b.def.Add("0", ListKind::kOnes));
  EXPECT_EQ(b.model.ones(), Strs({"0"}));
  EXPECT_EQ(Shown(b.messages), Strs{});
}

TEST_F(CanonicalEntry, PastedSignsAndPointsAreRefusedWithAMessage) {
  for (const char* text : {"-5", "+7", "1.5", "5-", "1,2", "\t3"}) {
    b.messages.shown.clear();
    EXPECT_FALSE(b.def.Add(text, ListKind::kOnes)) << text;
    ASSERT_EQ(b.messages.shown.size(), 1u) << text;
    EXPECT_FALSE(b.messages.shown[0].text.empty()) << text;
    EXPECT_EQ(b.def.editText, text);
  }
  EXPECT_EQ(b.model.ones(), Strs{});
}

TEST_F(CanonicalEntry, DuplicateIsReportedWithTheGroupThatHoldsIt) {
  ASSERT_TRUE(b.def.Add("3", ListKind::kZeros));
  ASSERT_TRUE(b.def.Add("4", ListKind::kOnes));
  ASSERT_TRUE(b.def.Add("5", ListKind::kDontCares));
  ExpectRefused("3", ListKind::kOnes, Exists("Zeros"));
  ExpectRefused("4", ListKind::kDontCares, Exists("Ones"));
  ExpectRefused("5", ListKind::kZeros, Exists("Don't cares"));
  ExpectRefused("4", ListKind::kOnes, Exists("Ones"));
  // After a duplicate the number box is emptied, as after an insertion.
  EXPECT_EQ(b.def.editText, "");
}

TEST_F(CanonicalEntry, InsertionKeepsEveryListInNumericOrder) {
  for (const char* v : {"7", "2", "5"}) ASSERT_TRUE(b.def.Add(v, ListKind::kOnes));
  EXPECT_EQ(b.model.ones(), Strs({"2", "5", "7"}));
  // Numeric, not textual, order.
  for (const char* v : {"100", "9", "1000", "10", "0"}) ASSERT_TRUE(b.def.Add(v, ListKind::kZeros));
  EXPECT_EQ(b.model.zeros(), Strs({"0", "9", "10", "100", "1000"}));
  EXPECT_EQ(b.def.editText, "");
}

TEST_F(CanonicalEntry, TermLimitCountsOnesAndDontCaresWhateverTheTarget) {
  for (int v = 0; v < 1024; ++v)
    ASSERT_TRUE(b.def.Add(std::to_string(v), v % 3 ? ListKind::kOnes : ListKind::kDontCares));
  ASSERT_EQ(b.model.ones().size() + b.model.dontCares().size(), 1024u);
  ASSERT_EQ(Shown(b.messages), Strs{});
  // Every number is in use, but the limit is checked before the duplicate search.
  ExpectRefused("5", ListKind::kZeros, kTooMany);
  EXPECT_EQ(b.def.editText, "5");
  ExpectRefused("6", ListKind::kOnes, kTooMany);
}

TEST_F(CanonicalEntry, ZerosDoNotCountTowardsTheLimit) {
  for (int v = 0; v < 1023; ++v) ASSERT_TRUE(b.def.Add(std::to_string(v), ListKind::kZeros));
  EXPECT_TRUE(b.def.Add("1023", ListKind::kOnes));
  EXPECT_EQ(Shown(b.messages), Strs{});
}

TEST_F(CanonicalEntry, OkAcceptsExactly1024Terms) {
  for (int v = 0; v < 1024; ++v) ASSERT_TRUE(b.def.Add(std::to_string(v), ListKind::kOnes));
  EXPECT_TRUE(b.def.Ok());
  EXPECT_FALSE(b.def.open);
  EXPECT_EQ(b.model.functionText, "1");
  EXPECT_EQ(Shown(b.messages), Strs({Plain("Function minimizes to '1'!\n\rF=1")}));
  EXPECT_EQ(b.session.commandState, CommandState::kNothingToRealize);
  EXPECT_EQ(b.model.zeros(), Strs{});
}

TEST_F(CanonicalEntry, OkRefusesMoreThan1024Terms) {
  // Only a corrupted model can hold this many; Ok must still refuse it.
  b.model.ones() = Entries(Range(0, 1023));
  b.model.dontCares() = {"7"};
  b.model.functionText = "x1";
  const auto ones = b.model.ones();
  EXPECT_FALSE(b.def.Ok());
  EXPECT_EQ(Shown(b.messages),
            Strs({Plain("There is too much of terms written!\nMaximal number of terms is 1024")}));
  EXPECT_TRUE(b.def.open);
  EXPECT_EQ(b.model.functionText, "");
  EXPECT_EQ(b.model.functionModified, 1);
  EXPECT_EQ(b.model.representationFlag, 0);
  EXPECT_EQ(b.model.ones(), ones);
  EXPECT_EQ(b.model.dontCares(), Strs({"7"}));
  EXPECT_EQ(b.model.zeros(), Strs{});
  EXPECT_EQ(b.session.commandState, CommandState::kEmpty);
}

TEST_F(CanonicalEntry, ClearAllThenCancelRestoresTheListsOfTheOpening) {
  ASSERT_TRUE(b.EnterCanonical({1, 6}, {0}, {3}));
  // n = 3; Zeros were completed by the run.
  const auto ones = b.model.ones(), zeros = b.model.zeros(), dcs = b.model.dontCares();
  ASSERT_EQ(zeros, Strs({"0", "2", "4", "5", "7"}));
  b.model.functionModified = 0;

  b.def.OpenCanonical();
  ASSERT_TRUE(b.def.Add("9", ListKind::kOnes));
  b.def.ClearAll();
  EXPECT_EQ(b.model.functionModified, 1);
  EXPECT_EQ(b.model.ones(), Strs{});
  EXPECT_EQ(b.model.zeros(), Strs{});
  EXPECT_EQ(b.model.dontCares(), Strs{});
  b.def.Cancel();
  EXPECT_FALSE(b.def.open);
  EXPECT_EQ(b.model.ones(), ones);
  EXPECT_EQ(b.model.zeros(), zeros);
  EXPECT_EQ(b.model.dontCares(), dcs);
  EXPECT_EQ(b.model.representationFlag, 1);  // Cancel never changes the representation
}

TEST_F(CanonicalEntry, CancelDropsAdditionsAndEscapeCancelsACanonicalFunction) {
  ASSERT_TRUE(b.EnterCanonical({2}));
  const auto ones = b.model.ones(), zeros = b.model.zeros();
  b.def.OpenCanonical();
  ASSERT_TRUE(b.def.Add("5", ListKind::kOnes));
  b.def.Cancel();
  EXPECT_EQ(b.model.ones(), ones);
  EXPECT_EQ(b.model.zeros(), zeros);

  b.def.OpenCanonical();
  ASSERT_TRUE(b.def.Add("5", ListKind::kOnes));
  b.def.Escape();
  EXPECT_FALSE(b.def.open);
  EXPECT_EQ(b.model.ones(), ones);
}

TEST_F(CanonicalEntry, EscapeWithoutAFunctionOnlyCloses) {
  ASSERT_TRUE(b.def.Add("3", ListKind::kOnes));
  b.def.Escape();
  EXPECT_FALSE(b.def.open);
  EXPECT_EQ(b.model.ones(), Strs({"3"}));
  EXPECT_EQ(b.model.representationFlag, 0);
}

TEST_F(CanonicalEntry, DeleteRemovesTheSelectedEntriesOfTheTargetListOnly) {
  for (const char* v : {"1", "2", "3", "4"}) ASSERT_TRUE(b.def.Add(v, ListKind::kOnes));
  for (const char* v : {"5", "6"}) ASSERT_TRUE(b.def.Add(v, ListKind::kZeros));
  b.def.Select(ListKind::kOnes, 1, true);
  b.def.Select(ListKind::kOnes, 3, true);
  b.def.Select(ListKind::kZeros, 0, true);
  b.def.Delete(ListKind::kOnes);
  EXPECT_EQ(b.model.ones(), Strs({"1", "3"}));
  EXPECT_EQ(b.model.zeros(), Strs({"5", "6"}));
  // A later insertion does not inherit a stale selection.
  ASSERT_TRUE(b.def.Add("0", ListKind::kOnes));
  b.def.Delete(ListKind::kOnes);
  EXPECT_EQ(b.model.ones(), Strs({"0", "1", "3"}));
}

TEST_F(CanonicalEntry, SelectAllThenDeleteEmptiesOnlyTheTargetList) {
  for (const char* v : {"1", "2"}) ASSERT_TRUE(b.def.Add(v, ListKind::kOnes));
  for (const char* v : {"5", "6", "7"}) ASSERT_TRUE(b.def.Add(v, ListKind::kZeros));
  ASSERT_TRUE(b.def.Add("9", ListKind::kDontCares));
  b.def.SelectAll(ListKind::kZeros);
  b.def.Delete(ListKind::kZeros);
  EXPECT_EQ(b.model.zeros(), Strs{});
  EXPECT_EQ(b.model.ones(), Strs({"1", "2"}));
  EXPECT_EQ(b.model.dontCares(), Strs({"9"}));
  // A deleted number can be added again.
  EXPECT_TRUE(b.def.Add("6", ListKind::kOnes));
  EXPECT_EQ(b.model.ones(), Strs({"1", "2", "6"}));
}

TEST_F(CanonicalEntry, OkWithOnlyZerosCompletesThemAndDefinesNoFunction) {
  ASSERT_TRUE(b.def.Add("3", ListKind::kZeros));
  b.model.functionText = "x5";
  EXPECT_TRUE(b.def.Ok());
  EXPECT_FALSE(b.def.open);
  EXPECT_EQ(b.model.zeros(), Strs({"0", "1", "2", "3"}));
  EXPECT_EQ(b.model.functionText, "");
  EXPECT_EQ(b.model.representationFlag, 1);
  EXPECT_EQ(b.model.functionModified, 1);
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  EXPECT_EQ(Shown(b.messages), Strs{});
}

TEST_F(CanonicalEntry, OkWithNothingMakesZeroTheOnlyZero) {
  EXPECT_TRUE(b.def.Ok());
  EXPECT_EQ(b.model.zeros(), Strs({"0"}));
  EXPECT_EQ(b.model.ones(), Strs{});
  EXPECT_EQ(b.model.functionText, "");
  EXPECT_EQ(b.model.representationFlag, 1);
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  EXPECT_EQ(Shown(b.messages), Strs{});
}

TEST_F(CanonicalEntry, OkClearsTheMuxDemuxSizePair) {
  b.session.choice.SelectMdMux(1);
  b.session.choice.SelectMdDmux(2);
  ASSERT_TRUE(b.EnterCanonical({1, 2}));
  EXPECT_EQ(b.session.choice.MdMuxIndex(), -1);
  EXPECT_EQ(b.session.choice.MdDmuxIndex(), -1);
}

TEST(NumberHelpers, BitsNeededAndComplementMask) {
  EXPECT_EQ(BitsNeeded(0), 1);
  EXPECT_EQ(BitsNeeded(1), 1);
  EXPECT_EQ(BitsNeeded(2), 2);
  EXPECT_EQ(BitsNeeded(3), 2);
  EXPECT_EQ(BitsNeeded(4), 3);
  EXPECT_EQ(BitsNeeded(511), 9);
  EXPECT_EQ(BitsNeeded(512), 10);
  EXPECT_EQ(BitsNeeded(1023), 10);
  EXPECT_EQ(BitsNeeded(1024), -1);
  EXPECT_EQ(ComplementMask(5, 3), 2);
  EXPECT_EQ(ComplementMask(0, 4), 15);
  EXPECT_EQ(ComplementMask(1023, 10), 0);
}

}  // namespace
}  // namespace kestrel::testing
