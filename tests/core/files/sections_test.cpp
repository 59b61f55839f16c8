// The function and design sections over the line buffer: the exact lines written, how they read
// back, and the corrupt sections that are refused.

#include "files/sections.h"
#include "function/function_text.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using V = std::vector<std::string>;

LineBuffer Buffer(const V& lines) {
  LineBuffer b;
  for (const auto& l : lines) b.Add(l);
  return b;
}

V Lines(const LineBuffer& b) {
  V out;
  for (int i = 0; i < b.Count(); ++i) out.push_back(b.Line(i));
  return out;
}

struct Reader {
  FunctionModel model;
  RecordingShell shell;
  int Read(const V& lines, int start = 1) {
    return ReadFunctionSection(Buffer(lines), start, model, shell);
  }
};

TEST(FromBitsToIdx, SizesToRadioIndices) {
  EXPECT_EQ(FromBitsToIdx(2), 0);
  EXPECT_EQ(FromBitsToIdx(4), 1);
  EXPECT_EQ(FromBitsToIdx(8), 2);
  EXPECT_EQ(FromBitsToIdx(16), 3);
  for (int other : {0, 1, 3, 5, 32, -4, 1000}) EXPECT_EQ(FromBitsToIdx(other), 0) << other;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(FromBitsToIdx(IdxToBits(i)), i);
  EXPECT_EQ(IdxToBits(-1), 1);
}

TEST(ParseFileInteger, DigitsWithAnOptionalMinusOnly) {
  EXPECT_EQ(ParseFileInteger("0"), 0);
  EXPECT_EQ(ParseFileInteger("1024"), 1024);
  EXPECT_EQ(ParseFileInteger("-3"), -3);
  EXPECT_EQ(ParseFileInteger("007"), 7);
  EXPECT_EQ(ParseFileInteger("2000000000"), 2000000000);
  for (const char* bad : {"", "-", " 1", "1 ", "+1", "1.0", "0x10", "abc", "12345678901", "1e3"})
    EXPECT_FALSE(ParseFileInteger(bad).has_value()) << bad;
}

TEST(IsFunctionTextSyntax, FunctionTextsAndNothingElse) {
  for (const char* good : {"", "0", "1", "x0", "~x9", "x9~x7x3~x0+~x7x4", "x1+x0", "+x1", "x1+"})
    EXPECT_TRUE(IsFunctionTextSyntax(good)) << good;
  for (const char* bad :
       {"x", "~", "x10a", "X1", "x1 + x2", "~~x1", "x1y", "2", "01", "-", "x1\r", "~x", "x+1"})
    EXPECT_FALSE(IsFunctionTextSyntax(bad)) << bad;
}

// --- Writing ---

TEST(WriteFunctionSection, CanonicalExampleOfTheOnesOneAndThree) {
  FunctionModel m;
  m.representationFlag = 1;
  m.ones() = {"1", "3"};
  m.zeros() = {"0", "2"};
  m.functionText = "x0";
  RecordingMessages messages;
  LineBuffer b;
  b.Add("left over");
  ASSERT_TRUE(WriteFunctionSection(b, m, messages));
  EXPECT_EQ(Lines(b),
            (V{"KESTREL", "DECIMAL", "2", "1", "3", "2", "0", "2", "0", "MINIMIZED", "x0", "-"}));
  EXPECT_EQ(b.ToBytes(),
            "KESTREL\r\nDECIMAL\r\n2\r\n1\r\n3\r\n2\r\n0\r\n2\r\n0\r\nMINIMIZED\r\nx0\r\n-\r\n");
  EXPECT_TRUE(messages.shown.empty());
}

TEST(WriteFunctionSection, EmptyListsWriteTheirZeroCountAndAnEmptyTextItsLine) {
  FunctionModel m;
  m.representationFlag = 1;
  m.zeros() = {"0"};
  RecordingMessages messages;
  LineBuffer b;
  ASSERT_TRUE(WriteFunctionSection(b, m, messages));
  EXPECT_EQ(Lines(b), (V{"KESTREL", "DECIMAL", "0", "1", "0", "0", "MINIMIZED", "", "-"}));
}

TEST(WriteFunctionSection, LiteralLayout) {
  FunctionModel m;
  m.representationFlag = 2;
  m.functionText = "~x7x4+x9~x7x3~x0";
  m.ones() = {"4", "5"};  // the literal layout writes the text alone
  RecordingMessages messages;
  LineBuffer b;
  ASSERT_TRUE(WriteFunctionSection(b, m, messages));
  EXPECT_EQ(Lines(b), (V{"KESTREL", "LITERAL", "~x7x4+x9~x7x3~x0"}));
}

TEST(WriteFunctionSection, BlankDataIsRefused) {
  for (int flag : {0, 1, 2}) {
    FunctionModel m;
    m.representationFlag = flag;
    if (flag == 0) m.functionText = "x1";  // without a representation there is nothing to save
    RecordingMessages messages;
    LineBuffer b;
    EXPECT_FALSE(WriteFunctionSection(b, m, messages)) << flag;
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Data to save cannot be blank!   ");
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_EQ(messages.shown[0].buttons, Buttons::Ok);
    EXPECT_EQ(messages.shown[0].icon, Icon::Error);
  }
}

TEST(WriteDesignSection, EveryStructure) {
  StructureChoice c;
  auto design = [](const StructureChoice& choice) {
    LineBuffer b;
    WriteDesignSection(b, choice);
    return Lines(b);
  };
  c.tab = StructureTab::kMux;
  c.radioMuxSize = 2;
  EXPECT_EQ(design(c), (V{"MUX", "8"}));
  c.SetUseGates(true);
  c.radioGates = GateFamily::kNand;
  EXPECT_EQ(design(c), (V{"MUX+GATES", "8", "NAND"}));
  c.radioGates = GateFamily::kNor;
  EXPECT_EQ(design(c), (V{"MUX+GATES", "8", "NOR"}));
  c.radioGates = GateFamily::kAndOrNot;
  EXPECT_EQ(design(c), (V{"MUX+GATES", "8", "AND+OR+NOT"}));
  c.tab = StructureTab::kDemux;
  c.radioDmux = 1;
  EXPECT_EQ(design(c), (V{"DMUX", "4"}));
  c.tab = StructureTab::kMuxTree;
  c.radioMuxMT = 3;
  EXPECT_EQ(design(c), (V{"MUXTREE", "16"}));
  c.tab = StructureTab::kMuxDemux;
  EXPECT_EQ(design(c), (V{"MUX+DMUX", "1", "1"}));
  c.SelectMdMux(0);
  c.SelectMdDmux(3);
  EXPECT_EQ(design(c), (V{"MUX+DMUX", "2", "16"}));
}

// --- Reading the function section ---

TEST(ReadFunctionSection, CanonicalExample) {
  Reader r;
  r.model.functionText = "stale";
  EXPECT_EQ(r.Read({"KESTREL", "DECIMAL", "2", "1", "3", "2", "0", "2", "0", "MINIMIZED", "x0", "-",
                    "MUX"}),
            12);
  EXPECT_EQ(r.model.representationFlag, 1);
  EXPECT_EQ(r.model.ones(), (V{"1", "3"}));
  EXPECT_EQ(r.model.zeros(), (V{"0", "2"}));
  EXPECT_EQ(r.model.dontCares(), V{});
  EXPECT_EQ(r.model.functionText, "x0");
  EXPECT_EQ(r.shell.commandState, CommandState::kFunctionDefined);
}

TEST(ReadFunctionSection, MinimizedTextSplitOverSeveralLinesIsJoined) {
  Reader r;
  EXPECT_EQ(r.Read({"KESTREL", "DECIMAL", "1", "7", "0", "0", "MINIMIZED", "x2~x0", "+x1", "x0+",
                    "x3", "-"}),
            12);
  EXPECT_EQ(r.model.functionText, "x2~x0+x1x0+x3");
}

TEST(ReadFunctionSection, ConstantFunctionReadsBackEmptyWithStateTen) {
  // The Ones 0 and 1 make the constant 1, the Zeros 0 and 1 the constant 0.
  for (const V& lists : {V{"2", "0", "1", "0", "0"}, V{"0", "2", "0", "1", "0"}}) {
    const std::string constant = lists[0] == "2" ? "1" : "0";
    V lines = {"KESTREL", "DECIMAL"};
    lines.insert(lines.end(), lists.begin(), lists.end());
    lines.insert(lines.end(), {"MINIMIZED", constant, "-"});
    Reader r;
    EXPECT_EQ(r.Read(lines), 10);
    EXPECT_EQ(r.model.functionText, "");
    EXPECT_EQ(r.shell.commandState, CommandState::kNothingToRealize);
    // Saved again it holds an empty line after MINIMIZED, which reads back with state 1.
    RecordingMessages messages;
    LineBuffer again;
    ASSERT_TRUE(WriteFunctionSection(again, r.model, messages));
    EXPECT_EQ(again.Line(again.Count() - 2), "");
    Reader r2;
    EXPECT_EQ(ReadFunctionSection(again, 1, r2.model, r2.shell), again.Count());
    EXPECT_EQ(r2.shell.commandState, CommandState::kFunctionDefined);
    EXPECT_EQ(r2.model.functionText, "");
  }
}

TEST(ReadFunctionSection, MissingEndOfMinimizedTextIsInvalid) {
  Reader r;
  EXPECT_EQ(r.Read({"KESTREL", "DECIMAL", "1", "1", "0", "0", "MINIMIZED", "x0"}), kSectionInvalid);
  EXPECT_EQ(r.model.ones(), V{"1"});  // the lists were read
  EXPECT_EQ(r.model.functionText, "");
  EXPECT_EQ(r.shell.commandState, CommandState::kFunctionDefined);
}

TEST(ReadFunctionSection, AnotherLineAfterTheListsIsSteppedOver) {
  Reader r;
  EXPECT_EQ(r.Read({"KESTREL", "DECIMAL", "1", "1", "0", "0", "MUX", "2"}), 7);
  EXPECT_EQ(r.model.functionText, "");
  // A file that ends right after the lists.
  Reader r2;
  EXPECT_EQ(r2.Read({"KESTREL", "DECIMAL", "1", "1", "0", "0"}), 7);
  EXPECT_EQ(r2.model.ones(), V{"1"});
}

TEST(ReadFunctionSection, LiteralLayout) {
  Reader r;
  r.model.ones() = {"5"};
  EXPECT_EQ(r.Read({"KESTREL", "LITERAL", "x9~x7x3~x0+~x7x4", "MUXTREE", "4"}), 3);
  EXPECT_EQ(r.model.representationFlag, 2);
  EXPECT_EQ(r.model.functionText, "x9~x7x3~x0+~x7x4");
  EXPECT_EQ(r.shell.commandState, CommandState::kFunctionDefined);
}

TEST(ReadFunctionSection, KeywordsAreCaseSensitiveWholeLines) {
  for (const char* keyword : {"decimal", "Literal", "DECIMAL ", " LITERAL", "", "MUX"}) {
    Reader r;
    EXPECT_EQ(r.Read({"KESTREL", keyword, "1", "1", "0", "0", "MINIMIZED", "x0", "-"}),
              kSectionInvalid)
        << keyword;
    EXPECT_EQ(r.model.representationFlag, 0);
    EXPECT_EQ(r.shell.commandState, CommandState::kEmpty);
  }
}

TEST(ReadFunctionSection, UnsortedEntriesAreListedInAscendingOrder) {
  Reader r;
  EXPECT_GT(r.Read({"KESTREL", "DECIMAL", "3", "7", "2", "5", "2", "3", "0", "0"}), 0);
  EXPECT_EQ(r.model.ones(), (V{"2", "5", "7"}));
  EXPECT_EQ(r.model.zeros(), (V{"0", "3"}));
}

TEST(ReadFunctionSection, CorruptCountsAreRefusedKeepingTheListsReadBefore) {
  const V bad = {"x", "", "-1", "1025", "2000000000", "99999999999", "1.5", " 1", "+1"};
  for (const std::string& count : bad) {
    Reader r;
    EXPECT_EQ(r.Read({"KESTREL", "DECIMAL", "1", "3", count, "0", "0", "MINIMIZED", "x1x0", "-"}),
              kSectionCorrupt)
        << count;
    EXPECT_EQ(r.model.ones(), V{"3"});
    EXPECT_EQ(r.model.zeros(), V{});
    EXPECT_EQ(r.model.functionText, "");
    EXPECT_EQ(r.model.representationFlag, 1);
  }
}

TEST(ReadFunctionSection, ACountBeyondTheEndOfTheFileIsCorrupt) {
  Reader r;
  EXPECT_EQ(r.Read({"KESTREL", "DECIMAL", "3", "1", "2"}), kSectionCorrupt);
  EXPECT_EQ(r.model.ones(), V{});
  // A short Don't-cares list too.
  Reader r2;
  EXPECT_EQ(r2.Read({"KESTREL", "DECIMAL", "1", "1", "1", "2", "2", "3"}), kSectionCorrupt);
  EXPECT_EQ(r2.model.ones(), V{"1"});
  EXPECT_EQ(r2.model.zeros(), V{"2"});
  EXPECT_EQ(r2.model.dontCares(), V{});
  // Exactly as many lines as announced is fine.
  Reader r3;
  EXPECT_EQ(r3.Read({"KESTREL", "DECIMAL", "0", "0", "2", "1", "2"}), 8);
  EXPECT_EQ(r3.model.dontCares(), (V{"1", "2"}));
}

TEST(ReadFunctionSection, EntriesThatAreNotCombinationNumbersAreCorrupt) {
  for (const char* entry : {"1024", "01", "00", "-1", "", "abc", "1 ", "3.0", "99999"}) {
    Reader r;
    EXPECT_EQ(r.Read({"KESTREL", "DECIMAL", "2", "1", entry, "0", "0"}), kSectionCorrupt) << entry;
    EXPECT_EQ(r.model.ones(), V{}) << entry;
  }
}

TEST(ReadFunctionSection, RepeatedNumbersAreCorrupt) {
  Reader within;
  EXPECT_EQ(within.Read({"KESTREL", "DECIMAL", "2", "5", "5", "0", "0"}), kSectionCorrupt);
  Reader across;
  EXPECT_EQ(across.Read({"KESTREL", "DECIMAL", "1", "5", "0", "1", "5"}), kSectionCorrupt);
  EXPECT_EQ(across.model.ones(), V{"5"});
  EXPECT_EQ(across.model.dontCares(), V{});
}

TEST(ReadFunctionSection, EveryCombinationOnceIsTheLargestFunction) {
  V lines = {"KESTREL", "DECIMAL", "600"};
  for (int v = 0; v < 600; ++v) lines.push_back(std::to_string(v));
  lines.push_back("0");
  lines.push_back("424");
  for (int v = 600; v < 1024; ++v) lines.push_back(std::to_string(v));
  lines.insert(lines.end(), {"MINIMIZED", "1", "-"});
  Reader r;
  EXPECT_EQ(r.Read(lines), static_cast<int>(lines.size()));
  EXPECT_EQ(r.model.ones().size() + r.model.dontCares().size(), 1024u);
  EXPECT_EQ(r.shell.commandState, CommandState::kNothingToRealize);
  // One more entry cannot be distinct any more.
  lines[2] = "601";
  lines.insert(lines.begin() + 603, "1023");
  Reader r2;
  EXPECT_EQ(r2.Read(lines), kSectionCorrupt);
}

TEST(ReadFunctionSection, AFunctionTextOutsideTheSyntaxIsCorrupt) {
  Reader decimal;
  EXPECT_EQ(decimal.Read({"KESTREL", "DECIMAL", "1", "1", "0", "0", "MINIMIZED", "x0 + y", "-"}),
            kSectionCorrupt);
  EXPECT_EQ(decimal.model.ones(), V{"1"});
  EXPECT_EQ(decimal.model.functionText, "");
  Reader literal;
  EXPECT_EQ(literal.Read({"KESTREL", "LITERAL", "x1 + x2"}), kSectionCorrupt);
  EXPECT_EQ(literal.model.functionText, "");
  EXPECT_EQ(literal.model.representationFlag, 2);
}

TEST(ReadFunctionSection, ATextThatDisagreesWithItsOwnListsIsCorrupt) {
  struct Case {
    V ones, zeros, dontCares;
    const char* text;
    bool corrupt;
  };
  const Case cases[] = {
      {{"1", "3"}, {"0", "2"}, {}, "x0", false},
      {{"1", "3"}, {"0", "2"}, {}, "x1", true},     // 0 on the One 1, 1 on the Zero 2
      {{"1", "3"}, {"0", "2"}, {}, "x1x0", true},   // 0 on the One 1
      {{"1", "3"}, {"0", "2"}, {}, "x1+x0", true},  // 1 on the Zero 2
      {{"1", "3"}, {"0", "2"}, {}, "~x1x0+x1", true},
      {{"3"}, {"0"}, {"1", "2"}, "x1", false},  // Don't cares are free
      {{"3"}, {"0"}, {"1", "2"}, "x1x0", false},
      {{"3"}, {"0"}, {"1", "2"}, "~x0", true},
      {{"5"}, {"0", "4"}, {}, "x2x0", false},  // variables the entries do not reach stay 0
      {{"5"}, {"0", "4"}, {}, "x2", true},
      {{"0", "1"}, {}, {}, "0", true},
      {{}, {"0", "1"}, {}, "1", true},
      {{"1", "3"}, {"0", "2"}, {}, "", false},  // saved after a constant function was read
  };
  for (const Case& c : cases) {
    V lines = {"KESTREL", "DECIMAL"};
    for (const V* list : {&c.ones, &c.zeros, &c.dontCares}) {
      lines.push_back(std::to_string(list->size()));
      lines.insert(lines.end(), list->begin(), list->end());
    }
    lines.insert(lines.end(), {"MINIMIZED", c.text, "-"});
    Reader r;
    const int read = r.Read(lines);
    if (c.corrupt) {
      EXPECT_EQ(read, kSectionCorrupt) << c.text;
      EXPECT_EQ(r.model.functionText, "") << c.text;
    } else {
      EXPECT_EQ(read, static_cast<int>(lines.size())) << c.text;
    }
  }
}

// --- Reading the design section ---

struct DesignReader {
  StructureChoice choice;
  DesignRead Read(const V& lines) { return ReadDesignSection(Buffer(lines), 0, choice); }
};

TEST(ReadDesignSection, EveryKeyword) {
  DesignReader d;
  EXPECT_EQ(d.Read({"DMUX", "4"}), DesignRead::kRead);
  EXPECT_EQ(d.choice.tab, StructureTab::kDemux);
  EXPECT_EQ(d.choice.radioDmux, 1);
  EXPECT_EQ(d.Read({"MUXTREE", "8"}), DesignRead::kRead);
  EXPECT_EQ(d.choice.tab, StructureTab::kMuxTree);
  EXPECT_EQ(d.choice.radioMuxMT, 2);
  EXPECT_EQ(d.Read({"MUX+GATES", "16", "NOR"}), DesignRead::kRead);
  EXPECT_EQ(d.choice.tab, StructureTab::kMux);
  EXPECT_EQ(d.choice.radioMuxSize, 3);
  EXPECT_TRUE(d.choice.useGates);
  EXPECT_TRUE(d.choice.radioGatesEnabled);
  EXPECT_EQ(d.choice.radioGates, GateFamily::kNor);
  EXPECT_EQ(d.Read({"MUX+GATES", "2", "NAND"}), DesignRead::kRead);
  EXPECT_EQ(d.choice.radioGates, GateFamily::kNand);
  EXPECT_EQ(d.Read({"MUX+GATES", "2", "nand"}), DesignRead::kRead);
  EXPECT_EQ(d.choice.radioGates, GateFamily::kAndOrNot);
  EXPECT_EQ(d.Read({"MUX+GATES", "2"}), DesignRead::kRead);  // gate line missing
  EXPECT_EQ(d.choice.radioGates, GateFamily::kAndOrNot);
  EXPECT_EQ(d.Read({"MUX+DMUX", "4", "8"}), DesignRead::kRead);
  EXPECT_EQ(d.choice.tab, StructureTab::kMuxDemux);
  EXPECT_EQ(d.choice.MdMuxIndex(), 1);
  EXPECT_EQ(d.choice.MdDmuxIndex(), 2);
}

TEST(ReadDesignSection, MuxClearsUseGates) {
  DesignReader d;
  d.choice.SetUseGates(true);
  d.choice.radioGates = GateFamily::kNor;
  EXPECT_EQ(d.Read({"MUX", "4"}), DesignRead::kRead);
  EXPECT_FALSE(d.choice.useGates);
  EXPECT_FALSE(d.choice.radioGatesEnabled);
  EXPECT_EQ(d.choice.radioGates, GateFamily::kNor);
  EXPECT_EQ(d.choice.radioMuxSize, 1);
}

TEST(ReadDesignSection, OddSizesGiveIndexZero) {
  DesignReader d;
  for (const char* size : {"2", "3", "1", "0", "32", "-16", "9999999999"}) {
    d.choice.radioDmux = 3;
    EXPECT_EQ(d.Read({"DMUX", size}), DesignRead::kRead) << size;
    EXPECT_EQ(d.choice.radioDmux, 0) << size;
  }
}

TEST(ReadDesignSection, AnUnselectedMuxDemuxSizeReadsBackUnselected) {
  DesignReader d;
  d.choice.SelectMdMux(2);
  d.choice.SelectMdDmux(2);
  EXPECT_EQ(d.Read({"MUX+DMUX", "1", "16"}), DesignRead::kRead);
  EXPECT_EQ(d.choice.MdMuxIndex(), -1);
  EXPECT_EQ(d.choice.MdDmuxIndex(), 3);
}

TEST(ReadDesignSection, UnknownKeywordMeansNoDesign) {
  DesignReader d;
  d.choice.tab = StructureTab::kMuxTree;
  for (const char* k : {"", "mux", "MUX ", "GATES", "KESTREL"}) {
    EXPECT_EQ(d.Read({k, "4"}), DesignRead::kNoDesign) << k;
    EXPECT_EQ(d.choice.tab, StructureTab::kMuxTree);
  }
}

TEST(ReadDesignSection, AnUnreadableSizeIsCorruptAndChangesNothing) {
  const std::vector<V> bad = {
      {"MUX"},           {"MUX", "four"},   {"MUX+GATES", ""},      {"DMUX", "4.0"},
      {"MUXTREE", " 8"}, {"MUX+DMUX", "4"}, {"MUX+DMUX", "x", "4"}, {"MUX+DMUX", "4", "eight"}};
  for (const V& lines : bad) {
    DesignReader d;
    d.choice.tab = StructureTab::kDemux;
    d.choice.radioDmux = 2;
    d.choice.SelectMdMux(3);
    EXPECT_EQ(d.Read(lines), DesignRead::kCorrupt) << lines[0];
    EXPECT_EQ(d.choice.tab, StructureTab::kDemux);
    EXPECT_EQ(d.choice.radioDmux, 2);
    EXPECT_EQ(d.choice.MdMuxIndex(), 3);
    EXPECT_EQ(d.choice.MdDmuxIndex(), -1);
  }
}

TEST(DesignSection, EveryStructureRoundTrips) {
  auto same = [](const StructureChoice& a, const StructureChoice& b) {
    if (a.tab != b.tab) return false;
    switch (a.tab) {
      case StructureTab::kMux:
        return a.radioMuxSize == b.radioMuxSize && a.useGates == b.useGates &&
               (!a.useGates || a.radioGates == b.radioGates);
      case StructureTab::kDemux:
        return a.radioDmux == b.radioDmux;
      case StructureTab::kMuxTree:
        return a.radioMuxMT == b.radioMuxMT;
      case StructureTab::kMuxDemux:
        return a.MdMuxIndex() == b.MdMuxIndex() && a.MdDmuxIndex() == b.MdDmuxIndex();
    }
    return false;
  };
  int cases = 0;
  for (int tabIndex = 0; tabIndex < kStructureTabCount; ++tabIndex) {
    const StructureTab tab = *TabFromIndex(tabIndex);
    for (int size = -1; size < 4; ++size) {
      for (int other = -1; other < 4; ++other) {
        if (tab != StructureTab::kMuxDemux && (size < 0 || other > 2)) continue;
        if ((tab == StructureTab::kDemux || tab == StructureTab::kMuxTree) && other != -1) continue;
        StructureChoice c;
        c.tab = tab;
        if (tab == StructureTab::kMux) {
          c.radioMuxSize = size;
          c.SetUseGates(other >= 0);
          c.radioGates = static_cast<GateFamily>(std::max(other, 0));
        }
        c.radioDmux = c.radioMuxMT = std::max(size, 0);
        c.SelectMdMux(size);
        c.SelectMdDmux(other);
        LineBuffer b;
        WriteDesignSection(b, c);
        StructureChoice back;
        back.SelectMdMux(0);  // a stale pair from an earlier function
        back.SelectMdDmux(1);
        ASSERT_EQ(ReadDesignSection(LineBuffer::FromBytes(b.ToBytes()), 0, back),
                  DesignRead::kRead);
        EXPECT_TRUE(same(c, back)) << "tab " << tabIndex << " size " << size << " other " << other;
        ++cases;
      }
    }
  }
  EXPECT_EQ(cases, 4 * 4 + 4 + 4 + 25);
}

}  // namespace
}  // namespace kestrel

namespace kestrel {
namespace {

TEST(TrailingLines, WrittenOnlyWhenThereIsSomethingToSay) {
  FunctionModel model;
  model.functionText = "x1x0+~x1~x0";
  LineBuffer plain;
  WriteTrailingLines(plain, model, nullptr);
  const AddressChoice automatic;
  WriteTrailingLines(plain, model, &automatic);
  EXPECT_EQ(plain.Count(), 0);
  model.minimumCover = FunctionModel::MinimumCoverNote{model.functionText, false};
  LineBuffer noted;
  const AddressChoice tree{AddressMode::kNamed, {{3, 1}, {2}}};
  WriteTrailingLines(noted, model, &tree);
  EXPECT_EQ(Lines(noted), (V{"COVER", "BEST FOUND", "ADDRESS", "x3,x1/x2"}));
  // A note about another text than the function's is not written.
  model.functionText = "x1";
  LineBuffer stale;
  WriteTrailingLines(stale, model, nullptr);
  EXPECT_EQ(stale.Count(), 0);
}

TEST(TrailingLines, OlderReadersStopBeforeThemAndNewerOnesReadThem) {
  const V file = {"KESTREL",   "DECIMAL", "2", "1",   "3", "2",     "0",       "2",       "0",
                  "MINIMIZED", "x0",      "-", "MUX", "4", "COVER", "MINIMUM", "ADDRESS", "best"};
  const V older = {file.begin(), file.begin() + 14};
  // The sections as every version reads them: the same function and design either way.
  Reader withLines, without;
  const int end = withLines.Read(file);
  ASSERT_EQ(end, without.Read(older));
  EXPECT_EQ(withLines.model.functionText, without.model.functionText);
  StructureChoice a, b;
  EXPECT_EQ(ReadDesignSection(Buffer(file), end, a), DesignRead::kRead);
  EXPECT_EQ(ReadDesignSection(Buffer(older), end, b), DesignRead::kRead);
  EXPECT_EQ(a.radioMuxSize, b.radioMuxSize);
  // The trailing lines themselves.
  AddressChoice address;
  ReadTrailingLines(Buffer(file), end, withLines.model, &address);
  ASSERT_TRUE(withLines.model.CoverNote());
  EXPECT_TRUE(withLines.model.CoverNote()->proven);
  EXPECT_EQ(address.mode, AddressMode::kBest);
  ReadTrailingLines(Buffer(older), end, without.model, &address);
  EXPECT_FALSE(without.model.CoverNote());
  EXPECT_EQ(address, AddressChoice{});
}

}  // namespace
}  // namespace kestrel
