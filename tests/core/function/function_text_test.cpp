// A minimized text that no entry could have written is refused as corrupt: in particular a
// product holding a variable both plain and negated, which the realization would misread.

#include <gtest/gtest.h>

#include "files/line_buffer.h"
#include "files/sections.h"
#include "function/function_text.h"
#include "ui/shell.h"

namespace kestrel {
namespace {

TEST(FunctionTextSyntax, AcceptsWhatTheEntriesWrite) {
  for (const char* text : {"0", "1", "x0", "~x9x3+x1", "+x1", "x9~x8x7~x6x5~x4x3~x2x1~x0"})
    EXPECT_TRUE(IsFunctionTextSyntax(text)) << text;
}

TEST(FunctionTextSyntax, RefusesContradictionsAndStrayCharacters) {
  for (const char* text : {"x0~x0", "~x1x2+x3~x3", "x1 x2", "x12", "~", "x", "x1~", "X1"})
    EXPECT_FALSE(IsFunctionTextSyntax(text)) << text;
}

TEST(FunctionTextSyntax, FileWithAContradictoryProductIsCorrupt) {
  // Found by fuzzing: this project used to be realized as if it read "~x0+~x1x0".
  const LineBuffer buffer = LineBuffer::FromBytes(
      "KESTREL\r\nDECIMAL\r\n2\r\n1\r\n2\r\n2\r\n0\r\n3\r\n0\r\nMINIMIZED\r\nx0~x0+~x1x0\r\n-\r\n"
      "MUXTREE\r\n2\r\n");
  FunctionModel model;
  RecordingShell shell;
  EXPECT_EQ(ReadFunctionSection(buffer, 1, model, shell), kSectionCorrupt);
}

TEST(FunctionLabel, PlusSignsAreSpacedAndTheLineBreaksOnlyAfterFiftyCharacters) {
  EXPECT_EQ(FunctionLabelText("x1+x0"), "x1 + x0");
  // 60 characters with "+" at positions 30 and 55: " + " for the first, a break after the second.
  const std::string f =
      std::string(29, 'x') + "+" + std::string(24, 'x') + "+" + std::string(5, 'x');
  EXPECT_EQ(FunctionLabelText(f),
            std::string(29, 'x') + " + " + std::string(24, 'x') + "+\n\r" + std::string(5, 'x'));
  // The next line counts from the excess over 50: a second break needs 50 more characters.
  const std::string g = std::string(51, 'x') + "+" + std::string(47, 'x') + "+x" + "+x";
  const std::vector<FunctionLine> lines = FunctionLines(g);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[0].broken);
  EXPECT_EQ(lines[0].text, std::string(51, 'x') + "+");
  EXPECT_EQ(lines[1].text, std::string(47, 'x') + "+x+");
  EXPECT_TRUE(lines[1].broken);
  EXPECT_EQ(lines[2].text, "x");
  EXPECT_FALSE(lines[2].broken);
}

}  // namespace
}  // namespace kestrel
