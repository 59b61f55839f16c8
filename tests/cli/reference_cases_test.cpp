// Runs kestrel-cli on every recorded reference case and compares its JSON with the recorded one.
//
// Comparison rules: objects key by key (any key order); in an object holding both addressLabels
// and addressCount, the label slots at or beyond addressCount are free; when designCaption is
// null nothing was realized, so the record keys may differ.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "support/cli_runner.h"

namespace kestrel::testing {
namespace {

using nlohmann::json;

const char* const kRecordKeys[] = {"nodes",     "demux",           "muxDemux",
                                   "demuxPart", "collectingGates", "verification"};

bool IsRecordKey(const std::string& key) {
  return std::find(std::begin(kRecordKeys), std::end(kRecordKeys), key) != std::end(kRecordKeys);
}

std::string Short(const json& value) {
  std::string text = value.dump();
  if (text.size() > 160) text.replace(157, std::string::npos, "...");
  return text;
}

void Compare(const json& expected, const json& actual, const std::string& path,
             std::vector<std::string>& diffs) {
  if (expected.is_object()) {
    if (!actual.is_object()) {
      diffs.push_back(path + ": expected an object, got " + Short(actual));
      return;
    }
    const bool nothingRealized =
        expected.contains("designCaption") && expected["designCaption"].is_null();
    const bool freeSlots = expected.contains("addressLabels") &&
                           expected.contains("addressCount") &&
                           expected["addressCount"].is_number_integer();
    for (auto it = expected.begin(); it != expected.end(); ++it) {
      const std::string& key = it.key();
      if (nothingRealized && IsRecordKey(key)) continue;
      const std::string at = path + "." + key;
      if (!actual.contains(key)) {
        diffs.push_back(at + ": missing (expected " + Short(it.value()) + ")");
        continue;
      }
      const json& got = actual[key];
      if (key == "addressLabels" && freeSlots && it.value().is_array() && got.is_array()) {
        const auto used = static_cast<size_t>(std::max(0, expected["addressCount"].get<int>()));
        if (got.size() != it.value().size())
          diffs.push_back(at + ": expected " + Short(it.value()) + ", got " + Short(got));
        for (size_t i = 0; i < std::min({used, got.size(), it.value().size()}); ++i)
          Compare(it.value()[i], got[i], at + "[" + std::to_string(i) + "]", diffs);
        continue;
      }
      Compare(it.value(), got, at, diffs);
    }
    for (auto it = actual.begin(); it != actual.end(); ++it)
      if (!expected.contains(it.key()) && !(nothingRealized && IsRecordKey(it.key())))
        diffs.push_back(path + "." + it.key() + ": unexpected key");
    return;
  }
  if (expected.is_array()) {
    if (!actual.is_array() || actual.size() != expected.size()) {
      diffs.push_back(path + ": expected " + Short(expected) + ", got " + Short(actual));
      return;
    }
    for (size_t i = 0; i < expected.size(); ++i)
      Compare(expected[i], actual[i], path + "[" + std::to_string(i) + "]", diffs);
    return;
  }
  if (expected == actual) return;
  std::string diff = path + ": expected " + Short(expected) + ", got " + Short(actual);
  if (expected.is_string() && actual.is_string()) {
    const std::string &e = expected.get_ref<const std::string&>(),
                      &a = actual.get_ref<const std::string&>();
    size_t at = 0;
    while (at < e.size() && at < a.size() && e[at] == a[at]) ++at;
    diff += " (first difference at character " + std::to_string(at) + ": expected \"" +
            e.substr(at, 40) + "\", got \"" + a.substr(at, 40) + "\")";
  }
  diffs.push_back(diff);
}

struct Case {
  int line = 0;
  std::vector<std::string> args;
  int exit = 0;
  json expected;
};

std::vector<Case> ReadCases(const std::string& path) {
  std::vector<Case> cases;
  std::ifstream in(path);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  std::string text;
  int line = 0;
  while (std::getline(in, text)) {
    ++line;
    if (text.empty()) continue;
    const json record = json::parse(text);
    cases.push_back({line, record.at("args").get<std::vector<std::string>>(),
                     record.at("exit").get<int>(), record.at("json")});
  }
  return cases;
}

/// The differences of one case; empty when it matches.
std::vector<std::string> RunCase(const Case& c) {
  std::vector<std::string> diffs;
  const CliRun run = RunCli(c.args);
  if (run.exitCode != c.exit)
    diffs.push_back("exit status " + std::to_string(run.exitCode) + ", expected " +
                    std::to_string(c.exit));
  json actual;
  try {
    actual = json::parse(run.out);
  } catch (const json::exception&) {
    std::string err = run.err.substr(0, 200);
    diffs.push_back("stdout is not one JSON object: \"" + run.out.substr(0, 200) +
                    "\"; stderr: \"" + err + "\"");
    return diffs;
  }
  Compare(c.expected, actual, "", diffs);
  return diffs;
}

void RunReferenceFile(const std::string& name) {
  const std::vector<Case> cases = ReadCases(std::string(KESTREL_TEST_DATA) + "/reference/" + name);
  ASSERT_FALSE(cases.empty()) << name;

  std::vector<std::vector<std::string>> results(cases.size());
  std::atomic<size_t> next{0};
  const unsigned workers = std::max(2u, std::min(8u, std::thread::hardware_concurrency() * 2));
  std::vector<std::thread> pool;
  for (unsigned w = 0; w < workers; ++w)
    pool.emplace_back([&] {
      for (size_t i = next++; i < cases.size(); i = next++) results[i] = RunCase(cases[i]);
    });
  for (auto& t : pool) t.join();

  size_t failed = 0;
  std::ostringstream report;
  for (size_t i = 0; i < cases.size(); ++i) {
    if (results[i].empty()) continue;
    if (++failed > 10) continue;
    report << "\n"
           << name << ":" << cases[i].line << "  kestrel-cli " << json(cases[i].args).dump();
    for (size_t d = 0; d < results[i].size() && d < 8; ++d) report << "\n    " << results[i][d];
    if (results[i].size() > 8) report << "\n    ... " << results[i].size() - 8 << " more";
  }
  EXPECT_EQ(failed, 0u) << failed << " of " << cases.size() << " cases differ; the first "
                        << std::min<size_t>(failed, 10) << ":" << report.str();
}

std::vector<std::string> Diffs(const char* expected, const char* actual) {
  std::vector<std::string> diffs;
  Compare(json::parse(expected), json::parse(actual), "", diffs);
  return diffs;
}

TEST(ReferenceComparison, FindsChangedMissingAndExtraValues) {
  EXPECT_TRUE(Diffs(R"({"a": 1, "b": [1, "x"]})", R"({"b": [1, "x"], "a": 1})").empty());
  EXPECT_EQ(Diffs(R"({"a": 1})", R"({"a": 2})").size(), 1u);
  EXPECT_EQ(Diffs(R"({"a": 1, "b": 2})", R"({"a": 1})").size(), 1u);
  EXPECT_EQ(Diffs(R"({"a": 1})", R"({"a": 1, "c": 3})").size(), 1u);
  EXPECT_EQ(Diffs(R"({"a": [1, 2]})", R"({"a": [1]})").size(), 1u);
  EXPECT_EQ(Diffs(R"({"a": "1"})", R"({"a": 1})").size(), 1u);
  EXPECT_EQ(Diffs(R"({"a": null})", R"({"a": 0})").size(), 1u);
}

TEST(ReferenceComparison, AddressSlotsBeyondTheCountAreFree) {
  const char* expected = R"({"n": {"addressCount": 2, "addressLabels": ["x3", "x1", "", ""]}})";
  EXPECT_TRUE(
      Diffs(expected, R"({"n": {"addressCount": 2, "addressLabels": ["x3", "x1", "x0", "A"]}})")
          .empty());
  EXPECT_EQ(Diffs(expected, R"({"n": {"addressCount": 2, "addressLabels": ["x3", "x2", "", ""]}})")
                .size(),
            1u);
  // Labels without a count next to them are compared in full.
  EXPECT_EQ(Diffs(R"({"addressLabels": ["x1", ""]})", R"({"addressLabels": ["x1", "x0"]})").size(),
            1u);
}

TEST(ReferenceComparison, RecordsAreFreeOnlyWhenNothingWasRealized) {
  EXPECT_TRUE(Diffs(R"({"designCaption": null, "nodes": [], "demux": null})",
                    R"({"designCaption": null, "nodes": [1], "muxDemux": {}})")
                  .empty());
  EXPECT_EQ(Diffs(R"({"designCaption": "Demultiplexer", "demux": null})",
                  R"({"designCaption": "Demultiplexer", "demux": {}})")
                .size(),
            1u);
  EXPECT_EQ(Diffs(R"({"designCaption": null, "messages": []})",
                  R"({"designCaption": null, "messages": ["x"]})")
                .size(),
            1u);
}

TEST(ReferenceCases, Minimize) {
  RunReferenceFile("minimize.jsonl");
}

TEST(ReferenceCases, Realize) {
  RunReferenceFile("realize.jsonl");
}

}  // namespace
}  // namespace kestrel::testing
