// The line buffer: every written line ends with CR LF; reading accepts CR LF, lone CR and lone LF.

#include "files/line_buffer.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

std::vector<std::string> Lines(const LineBuffer& b) {
  std::vector<std::string> out;
  for (int i = 0; i < b.Count(); ++i) out.push_back(b.Line(i));
  return out;
}

using V = std::vector<std::string>;

TEST(LineBuffer, WritesCrLfAfterEveryLineTheLastIncluded) {
  LineBuffer b;
  b.Add("KESTREL");
  b.Add("");
  b.Add("x0");
  EXPECT_EQ(b.ToBytes(), "KESTREL\r\n\r\nx0\r\n");
  b.Clear();
  EXPECT_EQ(b.Count(), 0);
  EXPECT_EQ(b.ToBytes(), "");
}

TEST(LineBuffer, LinesPastEitherEndReadAsEmpty) {
  LineBuffer b = LineBuffer::FromBytes("a\r\nb\r\n");
  EXPECT_EQ(b.Count(), 2);
  EXPECT_EQ(b.Line(-1), "");
  EXPECT_EQ(b.Line(2), "");
  EXPECT_EQ(b.Line(1000000), "");
}

TEST(LineBuffer, EveryKindOfLineEndEndsALine) {
  EXPECT_EQ(Lines(LineBuffer::FromBytes("a\r\nb\r\nc\r\n")), (V{"a", "b", "c"}));
  EXPECT_EQ(Lines(LineBuffer::FromBytes("a\nb\nc\n")), (V{"a", "b", "c"}));
  EXPECT_EQ(Lines(LineBuffer::FromBytes("a\rb\rc\r")), (V{"a", "b", "c"}));
  EXPECT_EQ(Lines(LineBuffer::FromBytes("a\rb\nc\r\nd")), (V{"a", "b", "c", "d"}));
  // A line feed followed by a carriage return is two line ends.
  EXPECT_EQ(Lines(LineBuffer::FromBytes("a\n\rb")), (V{"a", "", "b"}));
  EXPECT_EQ(Lines(LineBuffer::FromBytes("a\r\n\r\nb")), (V{"a", "", "b"}));
}

TEST(LineBuffer, FinalLineWithoutLineEndCountsAndAFinalLineEndAddsNothing) {
  EXPECT_EQ(Lines(LineBuffer::FromBytes("a\r\nb")), (V{"a", "b"}));
  EXPECT_EQ(Lines(LineBuffer::FromBytes("a\r\n")), (V{"a"}));
  EXPECT_EQ(Lines(LineBuffer::FromBytes("")), V{});
  EXPECT_EQ(Lines(LineBuffer::FromBytes("\r\n")), (V{""}));
}

TEST(LineBuffer, KeepsOtherBytesIncludingNul) {
  const std::string bytes("a\0b\r\n\xff\r\n", 8);
  LineBuffer b = LineBuffer::FromBytes(bytes);
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(b.Line(0), std::string("a\0b", 3));
  EXPECT_EQ(b.Line(1), "\xff");
}

TEST(LineBuffer, RoundTripsWrittenLines) {
  LineBuffer b;
  for (const char* l : {"KESTREL", "DECIMAL", "0", "", "-"}) b.Add(l);
  EXPECT_EQ(Lines(LineBuffer::FromBytes(b.ToBytes())), Lines(b));
}

}  // namespace
}  // namespace kestrel
