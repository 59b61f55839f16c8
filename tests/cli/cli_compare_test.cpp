// kestrel-cli compare, realize --address/--cost and minimize --cover exact as a user runs them:
// every compared row's counts equal what realize reports for the same options, usage errors,
// the exact cover's JSON, and the address choice kept in a project file.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>

#include "support/cli_json.h"
#include "support/cli_runner.h"
#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

using nlohmann::json;

std::string RandomOnes(std::mt19937& rng, int n) {
  std::string ones;
  std::bernoulli_distribution one(0.4);
  for (int v = 0; v < (1 << n); ++v)
    if (one(rng)) ones += (ones.empty() ? "" : ",") + std::to_string(v);
  return ones.empty() ? "1" : ones;
}

TEST(CliCompare, EveryRowEqualsRealize) {
  std::mt19937 rng(1716);
  for (int n : {3, 6}) {
    const std::string ones = RandomOnes(rng, n);
    const CliRun compare = RunCli({"compare", "--ones", ones, "--json"});
    ASSERT_EQ(compare.exitCode, 0) << compare.err;
    const json table = Parse(compare);
    ASSERT_GT(table["rows"].size(), 10u);
    for (const json& row : table["rows"]) {
      std::vector<std::string> args = {"realize",
                                       "--ones",
                                       ones,
                                       "--json",
                                       "--cost",
                                       "--structure",
                                       row["structure"].get<std::string>()};
      if (!row["muxSize"].is_null()) {
        args.emplace_back("--mux-size");
        args.push_back(std::to_string(row["muxSize"].get<int>()));
      }
      if (!row["demuxSize"].is_null()) {
        args.emplace_back("--demux-size");
        args.push_back(std::to_string(row["demuxSize"].get<int>()));
      }
      if (!row["gateFamily"].is_null()) {
        args.emplace_back("--gates");
        args.push_back(row["gateFamily"].get<std::string>());
      }
      const json realized = Parse(RunCli(args));
      if (row["realized"].get<bool>()) {
        EXPECT_EQ(realized["cost"], row["cost"]) << row.dump();
        EXPECT_EQ(realized["verification"]["mismatches"], 0);
      } else {
        ASSERT_FALSE(realized["messages"].empty()) << row.dump();
        EXPECT_EQ(realized["messages"].back()["text"], row["refusal"]) << row.dump();
      }
    }
  }
}

TEST(CliCompare, PlainTableAndConstantFunction) {
  const CliRun run = RunCli({"compare", "--literal", "x2x1+~x2x0"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("structure  mux  demux gates"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("fewest components"), std::string::npos) << run.out;
  const CliRun constant = RunCli({"compare", "--ones", "0,1", "--dont-cares", "2,3"});
  EXPECT_EQ(constant.exitCode, 1);
  EXPECT_NE(constant.out.find("Nothing to compare"), std::string::npos) << constant.out;
}

TEST(CliCompare, UsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"compare", "--ones", "1,2", "--address", "x1"},
           {"minimize", "--ones", "1,2", "--cover", "fast"},
           {"minimize", "--ones", "1,2", "--time-limit", "3"},
           {"minimize", "--ones", "1,2", "--cover", "exact", "--time-limit", "0"},
           {"realize", "--ones", "1,2", "--structure", "mux", "--address", "x1,"},
           {"realize", "--ones", "1,2", "--structure", "mux-demux", "--address", "best"},
           {"realize", "--ones", "1,2,5", "--structure", "mux", "--mux-size", "4", "--address",
            "x7,x1"}}) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.exitCode, 2) << args.back() << run.out;
    EXPECT_FALSE(run.err.empty()) << args.back();
  }
}

TEST(CliMinimize, ExactCoverIsNamedAndProven) {
  // Every combination with 2 or 3 of 5 bits set: a cyclic chart.
  std::string ones;
  for (int v = 0; v < 32; ++v) {
    const int bits = __builtin_popcount(static_cast<unsigned>(v));
    if (bits == 2 || bits == 3) ones += (ones.empty() ? "" : ",") + std::to_string(v);
  }
  const json greedy = Parse(RunCli({"minimize", "--ones", ones, "--json"}));
  EXPECT_FALSE(greedy.contains("cover"));
  const json exact = Parse(RunCli({"minimize", "--ones", ones, "--cover", "exact", "--json"}));
  EXPECT_EQ(exact["cover"], "exact");
  EXPECT_EQ(exact["proven"], true);
  EXPECT_LE(exact["products"].get<int>(), exact["greedyProducts"].get<int>());
  EXPECT_EQ(exact["ones"], greedy["ones"]);
  const CliRun plain = RunCli({"minimize", "--ones", ones, "--cover", "exact"});
  EXPECT_NE(plain.out.find("Cover: minimum (proven), "), std::string::npos) << plain.out;
}

TEST(CliFiles, AProjectKeepsItsAddressChoiceAfterTheDesign) {
  TempDir dir;
  const std::string path = dir.File("tree.kep");
  const std::vector<std::string> inputs = {
      "--literal", "x3~x1+x2x0+~x3x1x0", "--structure", "mux-tree", "--mux-size",
      "4",         "--address",          "x0,x1/x2"};
  std::vector<std::string> save = {"save", path};
  save.insert(save.end(), inputs.begin(), inputs.end());
  ASSERT_EQ(RunCli(save).exitCode, 0);
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.substr(bytes.size() - 31), "MUXTREE\r\n4\r\nADDRESS\r\nx0,x1/x2\r\n");
  std::vector<std::string> realize = {"realize", "--json"};
  realize.insert(realize.end(), inputs.begin(), inputs.end());
  json expected = Parse(RunCli(realize));
  expected.erase("address");
  EXPECT_EQ(Parse(RunCli({"open", path, "--json"})), expected);
}

}  // namespace
}  // namespace kestrel::testing
