// kestrel-cli minimize as a user runs it: usage errors, plain output and JSON output.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/cli_runner.h"

namespace kestrel::testing {
namespace {

using nlohmann::json;

void ExpectUsageError(const std::vector<std::string>& args) {
  const CliRun run = RunCli(args);
  std::string shown;
  for (const auto& a : args) shown += " " + a;
  EXPECT_EQ(run.exitCode, 2) << shown;
  EXPECT_FALSE(run.err.empty()) << shown;
  EXPECT_EQ(run.out.find('{'), std::string::npos) << shown << "\nstdout: " << run.out;
}

TEST(CliMinimize, UnknownOptionIsAUsageError) {
  ExpectUsageError({"minimize", "--ones", "1", "--bogus", "--json"});
}

TEST(CliMinimize, MissingOrUnknownCommandIsAUsageError) {
  ExpectUsageError({});
  ExpectUsageError({"frobnicate", "--json"});
}

TEST(CliMinimize, LiteralCannotBeCombinedWithLists) {
  ExpectUsageError({"minimize", "--literal", "x1", "--ones", "3", "--json"});
}

TEST(CliMinimize, NoMinimizeNeedsALiteral) {
  ExpectUsageError({"minimize", "--ones", "3", "--no-minimize", "--json"});
}

TEST(CliMinimize, PlainOutputShowsTheMinimizedFunction) {
  const CliRun run = RunCli({"minimize", "--ones", "0,1,2,5,6,7"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("~x2~x0+~x1x0+x2x1"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find('{'), std::string::npos) << run.out;
}

TEST(CliMinimize, PlainOutputOfALiteralTypedWithBlanks) {
  const CliRun run = RunCli({"minimize", "--literal", "x9~x7x3~x0 + x4~x7"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("~x7x4+x9~x7x3~x0"), std::string::npos) << run.out;
}

TEST(CliMinimize, PlainOutputOfARefusalShowsTheMessage) {
  const CliRun run = RunCli({"minimize", "--ones", "1,00"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("Remove zero preciding the number!"), std::string::npos) << run.out;
  // realize stops at the same refusal, before the structure.
  const CliRun realize = RunCli({"realize", "--ones", "1,00", "--structure", "mux"});
  EXPECT_EQ(realize.exitCode, 1);
  EXPECT_EQ(realize.out,
            "Function: (none)\nStructure: mux, multiplexer size 2\n"
            "Message (Warning): Remove zero preciding the number! \nNothing was realized.\n");
}

TEST(CliMinimize, JsonOutputHoldsTheWholeModel) {
  const CliRun run = RunCli({"minimize", "--ones", "5", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json out = json::parse(run.out);
  EXPECT_EQ(out["function"], "x2~x1x0");
  EXPECT_EQ(out["representation"], 1);
  EXPECT_EQ(out["zeros"], json({"0", "1", "2", "3", "4", "6", "7"}));
  EXPECT_EQ(out["onesMasks"], json({"2"}));
  EXPECT_EQ(out["commandState"], 1);
  EXPECT_EQ(out["messages"], json::array());
}

TEST(CliMinimize, ArgumentsReachTheProgramVerbatim) {
  // A double quote inside the literal is a forbidden character, not shell syntax.
  const CliRun run = RunCli({"minimize", "--literal", "x1 \"+x2", "--json"});
  EXPECT_EQ(run.exitCode, 1);
  const json out = json::parse(run.out);
  EXPECT_EQ(out["function"], "x1 \"+x2");
  ASSERT_EQ(out["messages"].size(), 1u);
  EXPECT_EQ(out["messages"][0]["text"], "Forbidden character \"\"\" has been used!!");
  EXPECT_EQ(out["messages"][0]["caption"], "Kestrel");
}

}  // namespace
}  // namespace kestrel::testing
