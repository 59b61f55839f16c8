// kestrel-cli explain: the JSON against minimize's result and the function's lists, the report
// files, and the usage errors.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/cli_json.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrel::testing {
namespace {

using nlohmann::json;

TEST(CliExplain, TheJsonOfARealizedFunction) {
  const std::vector<std::string> function = {"--ones", "0,1,2,5,6,7", "--dont-cares", "3"};
  std::vector<std::string> args = {"explain", "--json", "--structure", "mux", "--mux-size", "4"};
  args.insert(args.end(), function.begin(), function.end());
  const CliRun run = RunCli(args);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const json j = Parse(run);
  std::vector<std::string> minimize = {"minimize", "--json"};
  minimize.insert(minimize.end(), function.begin(), function.end());
  EXPECT_EQ(j["function"], Parse(RunCli(minimize))["function"]);
  EXPECT_EQ(j["variables"], 3);
  ASSERT_EQ(j["truthTable"].size(), 8u);
  const std::string values = "111-0111";
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(j["truthTable"][i]["index"], i);
    EXPECT_EQ(j["truthTable"][i]["value"], std::string(1, values[i]));
    if (values[i] != '-') {
      EXPECT_EQ(j["truthTable"][i]["circuit"], values[i] - '0');
    }
  }
  EXPECT_EQ(j["levels"][0][0],
            json({{"term", "x2x1x0"}, {"minterms", {7}}, {"merged", true}, {"selected", false}}));
  EXPECT_EQ(j["coverSteps"].size(), j["levels"].back().size());
  EXPECT_EQ(j["realization"]["structure"], "mux");
  EXPECT_EQ(j["realization"]["dataInputs"].size(), 4u);
  EXPECT_EQ(j["realization"]["dataInputs"][0]["address"], "x2x1 = 00");
  EXPECT_EQ(j["cost"]["multiplexers"], 1);
  EXPECT_EQ(j["cost"]["multiplexersBySize"]["4"], 1);
  EXPECT_EQ(j["messages"], json::array());
}

TEST(CliExplain, WithoutAStructureThereIsNoRealization) {
  const json j = Parse(RunCli({"explain", "--json", "--literal", "x3x1+~x3~x2"}));
  EXPECT_EQ(j["variableNames"], json({"x3", "x2", "x1"}));
  EXPECT_FALSE(j.contains("realization"));
  EXPECT_EQ(j["truthTable"][0]["circuit"], nullptr);
  const CliRun text = RunCli({"explain", "--ones", "1,3"});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_EQ(text.out.rfind("Function: x0\nVariables: 2 (x1 x0)\n", 0), 0u) << text.out;
}

TEST(CliExplain, TheHtmlReportHoldsTheDiagram) {
  TempDir dir;
  const std::string path = dir.File("report.html");
  const CliRun run = RunCli({"explain", "--html", "-o", path, "--ones", "1,2,4,7", "--structure",
                             "mux-demux", "--mux-size", "4", "--demux-size", "2"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "Wrote the explanation to " + path + "\n");
  const std::string html = ReadBytes(path);
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("<svg"), std::string::npos);
  EXPECT_NE(html.find("<table id=\"demux-outputs\">"), std::string::npos);
}

TEST(CliExplain, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"explain", "--json", "--text", "--ones", "1"},
      {"explain", "--html", "--ones", "1"},
      {"explain", "--mux-size", "4", "--ones", "1"},
      {"explain", "--structure", "wires", "--ones", "1"},
      {"explain", "--function", "x1+", "--structure", "mux"},
  };
  for (const auto& args : cases) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.exitCode, 2) << args[1] << " " << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
}

}  // namespace
}  // namespace kestrel::testing
