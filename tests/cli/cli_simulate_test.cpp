// kestrel-cli simulate: the state of one combination as text and JSON, F against the function on
// every combination of a canonical function with Don't cares, and the usage errors of --assign.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/cli_runner.h"

namespace kestrel::testing {
namespace {

std::vector<std::string> Simulate(std::vector<std::string> args, const std::string& assign) {
  args.insert(args.begin(), "simulate");
  args.insert(args.end(), {"--assign", assign});
  return args;
}

const std::vector<std::string> kTree = {"--function", "x2~x0+x1",   "--structure",
                                        "mux-tree",   "--mux-size", "2"};

TEST(CliSimulate, PlainText) {
  const CliRun run = RunCli(Simulate(kTree, "x2=1,x1=0"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "Function: x2~x0+x1\n"
            "Realized in the structure: Multiplexer Tree\n"
            "Combination 4: x2=1 x1=0 x0=0\n"
            "F = 1, the function: 1\n"
            "Node 1: output 1, selects input 0, inputs 1 1\n"
            "Node 2: output 1, selects input 1, inputs 0 1\n");
}

TEST(CliSimulate, JsonOfEveryStructure) {
  const std::vector<std::string> structures[] = {
      kTree,
      {"--function", "x2~x0+x1", "--structure", "demux", "--demux-size", "8"},
      {"--function", "x2~x0+x1", "--structure", "mux-demux", "--mux-size", "2", "--demux-size",
       "4"},
      {"--function", "x2~x0+x1", "--structure", "mux-gates", "--mux-size", "2", "--gates", "nor"}};
  for (const auto& structure : structures) {
    for (int k = 0; k < 8; ++k) {
      std::vector<std::string> args = Simulate(structure, std::to_string(k));
      args.emplace_back("--json");
      const CliRun run = RunCli(args);
      ASSERT_EQ(run.exitCode, 0) << run.err;
      const nlohmann::json j = nlohmann::json::parse(run.out);
      const int f = (((k >> 2) & 1) && !(k & 1)) || ((k >> 1) & 1) ? 1 : 0;
      EXPECT_EQ(j["assignment"], k);
      EXPECT_EQ(j["variables"], 3);
      EXPECT_EQ(j["output"], f) << structure[3] << " " << k;
      EXPECT_EQ(j["expected"], f ? "1" : "0");
      if (structure[3] == "demux") {
        EXPECT_TRUE(j["nodes"].empty());
        EXPECT_EQ(j["demuxOutputs"].size(), 8u);
        EXPECT_EQ(j["demuxOutputs"][k], 1) << "x2 x1 x0 address the outputs";
        EXPECT_EQ(j["collectingGates"], nlohmann::json::array({f}));
      }
      if (structure[3] == "mux-tree") {
        EXPECT_EQ(j["nodes"].back()["output"], f);
      }
    }
  }
}

TEST(CliSimulate, DontCaresAreShownAsSuch) {
  const CliRun run = RunCli({"simulate", "--ones", "1,2", "--dont-cares", "3", "--structure", "mux",
                             "--mux-size", "4", "--assign", "3", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const nlohmann::json j = nlohmann::json::parse(run.out);
  EXPECT_EQ(j["expected"], "-");
  EXPECT_EQ(j["nodes"][0]["selectedInput"], 3);
}

TEST(CliSimulate, UsageErrors) {
  const std::pair<const char*, const char*> cases[] = {
      {"8",
       "kestrel-cli: --assign: the combination 8 is outside 0..7 (the function has 3 "
       "variables)\n"},
      {"x3=1",
       "kestrel-cli: --assign: the function has no variable x3 (its variables are "
       "x0..x2)\n"},
      {"x0=2", "kestrel-cli: --assign: the value of x0 must be 0 or 1, not \"2\"\n"},
      {"x0",
       "kestrel-cli: --assign: \"x0\" is neither a combination number nor a setting such "
       "as x3=1\n"},
  };
  for (const auto& [assign, err] : cases) {
    const CliRun run = RunCli(Simulate(kTree, assign));
    EXPECT_EQ(run.exitCode, 2) << assign;
    EXPECT_EQ(run.err, err);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(RunCli({"simulate", "--function", "x1", "--structure", "mux"}).exitCode, 2);
}

TEST(CliSimulate, NothingRealizedIsARefusal) {
  const CliRun run = RunCli({"simulate", "--function", "x3x2x1x0", "--structure", "mux",
                             "--mux-size", "2", "--assign", "0"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "kestrel-cli: nothing was realized, so there is no circuit to simulate\n");
}

}  // namespace
}  // namespace kestrel::testing
