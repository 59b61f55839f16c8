// The explanation against independent checks: the levels and the cover steps against the naive
// model of the minimization, the truth table against the lists, the circuit's column against
// the function for every structure, the Karnaugh layout's cells, and the reports' texts.

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <set>

#include "engine/cost.h"
#include "explain/explanation.h"
#include "explain/karnaugh.h"
#include "explain/report.h"
#include "support/function_models.h"
#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

struct RandomFunction {
  int n = 0;
  std::vector<int> ones, zeros, dontCares;
};

RandomFunction Random(std::mt19937& rng, int n) {
  RandomFunction f;
  f.n = n;
  for (int v = 0; v < (1 << n); ++v) {
    const unsigned r = rng() % 8;
    (r < 3 ? f.ones : r < 7 ? f.zeros : f.dontCares).push_back(v);
  }
  // The highest combination is listed, so the lists name n variables.
  if (f.ones.empty() || f.ones.back() != (1 << n) - 1) {
    std::erase(f.zeros, (1 << n) - 1);
    std::erase(f.dontCares, (1 << n) - 1);
    if (f.ones.empty() || f.ones.back() != (1 << n) - 1) f.ones.push_back((1 << n) - 1);
  }
  std::shuffle(f.ones.begin(), f.ones.end(), rng);
  return f;
}

// The Realization command as the dialog runs it: shown for the function, the structure chosen,
// OK pressed.
bool RealizeAs(SessionFixture& s, const std::string& text, const StructureOptions& options) {
  s.model.functionText = text;
  s.session.choice.OnShow(text);
  s.session.choice.Apply(options);
  return s.session.ConfirmStructure() &&
         s.session.RealizeCurrent().outcome == RealizeOutcome::kRealized;
}

// The list in the order the entry keeps it.
std::vector<int> Values(const std::vector<std::string>& list) {
  std::vector<int> out;
  for (const auto& entry : list) out.push_back(std::stoi(entry));
  return out;
}

RealizedCircuit CircuitOf(const SessionFixture& s) {
  return {&s.session.choice, &s.session.results, s.session.designCaption};
}

std::vector<std::string> Products(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t plus = text.find('+', start);
    out.push_back(text.substr(start, plus - start));
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  return out;
}

TEST(Explanation, LevelsAndCoverStepsAreTheNaiveModelsOnRandomFunctions) {
  std::mt19937 rng(1414);
  for (int round = 0; round < 60; ++round) {
    const RandomFunction f = Random(rng, 1 + round % 7);
    SessionFixture s;
    ASSERT_TRUE(s.EnterCanonical(f.ones, f.zeros, f.dontCares));
    const Explanation e = Explain(s.model);
    const ModelRun model =
        ModelMinimizeRun(Values(s.model.ones()), Values(s.model.dontCares()), f.n);
    const std::string where = "round " + std::to_string(round) + ": " + s.model.functionText;
    ASSERT_TRUE(e.minimized) << where;
    EXPECT_EQ(e.minimizedText, s.model.functionText) << where;
    EXPECT_EQ(e.function, s.model.functionText) << where;
    ASSERT_EQ(e.levels.size(), model.levels.size()) << where;
    for (size_t k = 0; k < e.levels.size(); ++k) {
      ASSERT_EQ(e.levels[k].size(), model.levels[k].size()) << where << " level " << k;
      for (size_t j = 0; j < e.levels[k].size(); ++j) {
        const LevelImplicant& a = e.levels[k][j];
        const ModelImplicant& b = model.levels[k][j];
        EXPECT_EQ(a.p, b.p) << where;
        EXPECT_EQ(a.n, b.n) << where;
        EXPECT_EQ(a.merged, b.merged) << where << " level " << k << " slot " << j;
        EXPECT_EQ(a.selected, b.selected) << where;
        // Every combination an implicant covers is a One or a Don't care.
        for (int m : e.Minterms(a.p, a.n)) EXPECT_NE(e.values[m], FunctionValue::kZero) << where;
      }
    }
    ASSERT_EQ(e.coverSteps.size(), model.steps.size()) << where;
    for (size_t i = 0; i < e.coverSteps.size(); ++i) {
      EXPECT_EQ(e.coverSteps[i].level, model.steps[i].level) << where;
      EXPECT_EQ(e.coverSteps[i].index, model.steps[i].slot) << where;
      EXPECT_EQ(e.coverSteps[i].kept, model.steps[i].kept) << where;
      EXPECT_EQ(e.coverSteps[i].onlyCovers, model.steps[i].onlyCovers) << where;
    }
    // The selected implicants are exactly the products of the text, in its order.
    if (s.model.functionText != "1") {
      std::vector<std::string> selected;
      for (auto [k, j] : e.SelectedInTextOrder()) selected.push_back(e.TermText(e.levels[k][j]));
      EXPECT_EQ(selected, Products(s.model.functionText)) << where;
    }
    // The truth table is the lists.
    ASSERT_EQ(e.values.size(), size_t{1} << f.n);
    for (int v : f.ones) EXPECT_EQ(e.values[v], FunctionValue::kOne);
    for (int v : f.zeros) EXPECT_EQ(e.values[v], FunctionValue::kZero);
    for (int v : f.dontCares) EXPECT_EQ(e.values[v], FunctionValue::kDontCare);
    EXPECT_TRUE(e.circuit.empty());
  }
}

TEST(Explanation, TheCyclicFunctionStepByStep) {
  SessionFixture s;
  ASSERT_TRUE(s.EnterCanonical({0, 1, 2, 5, 6, 7}));
  const Explanation e = Explain(s.model);
  ASSERT_EQ(e.levels.size(), 2u);
  std::vector<std::string> terms;
  for (const auto& imp : e.levels[1]) terms.push_back(e.TermText(imp));
  EXPECT_EQ(terms,
            (std::vector<std::string>{"x2x0", "x2x1", "~x1x0", "x1~x0", "~x2~x1", "~x2~x0"}));
  std::vector<std::string> steps;
  for (const auto& step : e.coverSteps) {
    steps.push_back(e.TermText(e.levels[step.level][step.index]) +
                    (step.kept ? " kept" : " dropped"));
    for (int m : step.onlyCovers) steps.back() += " " + std::to_string(m);
  }
  EXPECT_EQ(steps,
            (std::vector<std::string>{"x2x0 dropped", "x2x1 kept 7", "~x1x0 kept 5",
                                      "x1~x0 dropped", "~x2~x1 dropped", "~x2~x0 kept 0 2"}));
  EXPECT_EQ(e.Minterms(e.levels[1][0].p, e.levels[1][0].n), (std::vector<int>{5, 7}));
}

TEST(Explanation, LiteralFunctionsOverTheirOwnVariables) {
  SessionFixture s;
  ASSERT_TRUE(s.EnterLiteral("x3x1+~x3~x2"));
  Explanation e = Explain(s.model);
  EXPECT_EQ(e.variableNames, (std::vector<std::string>{"x3", "x2", "x1"}));
  EXPECT_TRUE(e.minimized);
  EXPECT_EQ(e.minimizedText, s.model.functionText);
  std::string values;
  for (FunctionValue v : e.values) values += ValueChar(v);
  EXPECT_EQ(values, "11000101");  // combination bits x3 x2 x1
  EXPECT_EQ(e.FullCombination(5), (1 << 3) | (1 << 1));

  SessionFixture kept;
  ASSERT_TRUE(kept.EnterLiteral("x5~x2+x2", false));
  e = Explain(kept.model);
  EXPECT_FALSE(e.minimized);
  EXPECT_TRUE(e.levels.empty());
  EXPECT_EQ(e.variableNames, (std::vector<std::string>{"x5", "x2"}));
  values.clear();
  for (FunctionValue v : e.values) values += ValueChar(v);
  EXPECT_EQ(values, "0111");
}

TEST(Explanation, EveryCombinationCoveredGivesTheWholeTableAtOnce) {
  std::vector<int> ones(1024);
  for (int v = 0; v < 1024; ++v) ones[v] = v;
  SessionFixture s;
  ASSERT_TRUE(s.EnterCanonical(ones));
  const Explanation e = Explain(s.model);
  EXPECT_EQ(e.minimizedText, "1");
  EXPECT_EQ(e.levels.size(), 11u);
  EXPECT_EQ(e.ImplicantCount(), 59049u);  // 3^10 products
  ASSERT_EQ(e.coverSteps.size(), 1u);
  EXPECT_TRUE(e.coverSteps[0].kept);
  EXPECT_EQ(e.coverSteps[0].onlyCovers.size(), 1024u);
}

// The circuit's column is the function on every One and Zero, for every structure; the cost is
// the one counted from the same records.
TEST(Explanation, TheCircuitComputesTheFunctionInEveryStructure) {
  const StructureOptions structures[] = {
      Options(Structure::kMux, 4),         Options(Structure::kMux, 16),
      Options(Structure::kMuxGates, 4),    Options(Structure::kMuxGates, 2, 0, GateFamily::kNor),
      Options(Structure::kDemux, 0, 8),    Options(Structure::kDemux, 0, 16),
      Options(Structure::kMuxTree, 2),     Options(Structure::kMuxTree, 8),
      Options(Structure::kMuxDemux, 4, 4), Options(Structure::kMuxDemux, 8, 2),
  };
  std::mt19937 rng(1415);
  int realized = 0;
  for (const StructureOptions& options : structures) {
    for (int round = 0; round < 6; ++round) {
      const RandomFunction f = Random(rng, 3 + round % 3);
      SessionFixture s;
      ASSERT_TRUE(s.EnterCanonical(f.ones, f.zeros, f.dontCares));
      if (!RealizeAs(s, s.model.functionText, options)) continue;
      ++realized;
      const RealizedCircuit circuit = CircuitOf(s);
      const Explanation e = Explain(s.model, &circuit);
      const std::string where =
          std::string(NamesOf(options.structure).cliName) + " " + s.model.functionText;
      ASSERT_EQ(e.circuit.size(), e.values.size()) << where;
      for (int v : f.ones) EXPECT_EQ(e.circuit[v], 1) << where << " at " << v;
      for (int v : f.zeros) EXPECT_EQ(e.circuit[v], 0) << where << " at " << v;
      EXPECT_EQ(e.Mismatches(), 0) << where;
      ASSERT_TRUE(e.realization && e.cost) << where;
      EXPECT_EQ(*e.cost, MeasureCircuit(options.structure, s.session.results)) << where;
      EXPECT_EQ(e.realization->structure, options.structure);
      EXPECT_FALSE(e.realization->dataInputs.empty() && e.realization->demuxOutputs.empty())
          << where;
    }
  }
  EXPECT_GE(realized, 40);  // the rest are refused (too few inputs for the function)
}

TEST(Explanation, DataInputsAndDemultiplexerOutputsAsTheyAreWired) {
  struct Case {
    const char* function;
    StructureOptions options;
    std::vector<std::string> inputs, outputs;
  };
  const Case cases[] = {
      {"~x1x0+~x2x1~x0",
       Options(Structure::kMuxTree, 2),
       {"1.0 x2 = 0: ~x0 (through an inverter)", "1.1 x2 = 1: constant 0", "2.0 x1 = 0: x0",
        "2.1 x1 = 1: multiplexer 1"},
       {}},
      {"x2x1+~x2~x0",
       Options(Structure::kDemux, 0, 8),
       {},
       {"0 x2x1x0 = 000: collecting gate 1 -> F", "2 x2x1x0 = 010: collecting gate 1 -> F",
        "6 x2x1x0 = 110: collecting gate 1 -> F", "7 x2x1x0 = 111: collecting gate 1 -> F"}},
  };
  for (const Case& c : cases) {
    SessionFixture s;
    ASSERT_TRUE(RealizeAs(s, c.function, c.options)) << c.function;
    const RealizedCircuit circuit = CircuitOf(s);
    const Explanation e = Explain(s.model, &circuit);
    ASSERT_TRUE(e.realization);
    std::vector<std::string> inputs, outputs;
    for (const auto& u : e.realization->dataInputs)
      inputs.push_back(std::to_string(u.multiplexer) + "." + std::to_string(u.input) + " " +
                       u.address + ": " + SourceText(u));
    for (const auto& u : e.realization->demuxOutputs)
      outputs.push_back(std::to_string(u.output) + " " + u.address + ": " + DestinationText(u));
    EXPECT_EQ(inputs, c.inputs) << c.function;
    EXPECT_EQ(outputs, c.outputs) << c.function;
  }
}

TEST(Karnaugh, EveryCombinationOnceAndNeighboursOneVariableApart) {
  struct Case {
    int n, rows, columns, gridRows, gridColumns;
  };
  const Case cases[] = {{1, 1, 2, 1, 1}, {2, 2, 2, 1, 1}, {3, 2, 4, 1, 1}, {4, 4, 4, 1, 1},
                        {5, 4, 4, 1, 2}, {6, 4, 4, 2, 2}, {8, 4, 4, 4, 4}, {10, 4, 4, 8, 8}};
  for (const Case& c : cases) {
    const KarnaughLayout k = LayOutKarnaugh(c.n);
    EXPECT_EQ(k.rows.Size(), c.rows) << c.n;
    EXPECT_EQ(k.columns.Size(), c.columns) << c.n;
    EXPECT_EQ(k.gridRows.Size(), c.gridRows) << c.n;
    EXPECT_EQ(k.gridColumns.Size(), c.gridColumns) << c.n;
    std::set<int> seen;
    for (int gr = 0; gr < k.gridRows.Size(); ++gr)
      for (int gc = 0; gc < k.gridColumns.Size(); ++gc)
        for (int r = 0; r < k.rows.Size(); ++r)
          for (int col = 0; col < k.columns.Size(); ++col) {
            const int i = k.Combination(gr, gc, r, col);
            EXPECT_TRUE(seen.insert(i).second) << c.n << ": " << i;
            // The next cell to the right and below, wrapping, differs in one variable.
            const int right = k.Combination(gr, gc, r, (col + 1) % k.columns.Size());
            const int below = k.Combination(gr, gc, (r + 1) % k.rows.Size(), col);
            if (k.columns.Size() > 1) {
              EXPECT_EQ(std::popcount(unsigned(i ^ right)), 1);
            }
            if (k.rows.Size() > 1) {
              EXPECT_EQ(std::popcount(unsigned(i ^ below)), 1);
            }
          }
    EXPECT_EQ(static_cast<int>(seen.size()), 1 << c.n);
  }
  const KarnaughLayout k = LayOutKarnaugh(6);
  const std::vector<std::string> names = {"x5", "x4", "x3", "x2", "x1", "x0"};
  EXPECT_EQ(AxisNames(k.gridRows, names) + AxisNames(k.gridColumns, names) + "|" +
                AxisNames(k.rows, names) + AxisNames(k.columns, names),
            "x5x4|x3x2x1x0");
  EXPECT_EQ(k.columns.Code(2), "11");
}

TEST(Report, TheTextOfASmallFunction) {
  SessionFixture s;
  ASSERT_TRUE(s.EnterCanonical({1, 3}, {0}, {2}));
  EXPECT_EQ(ExplanationText(Explain(s.model)),
            "Function: x0\n"
            "Variables: 2 (x1 x0)\n"
            "\n"
            "Truth table\n"
            "  #  x1x0  F\n"
            "  0  00    0\n"
            "  1  01    1\n"
            "  2  10    -\n"
            "  3  11    1\n"
            "\n"
            "Implicant levels\n"
            "Level 0: 3 implicants (3 merged, 0 in the cover)\n"
            "  Product  Merged  In cover  Combinations\n"
            "  x1x0     yes     no        3\n"
            "  ~x1x0    yes     no        1\n"
            "  x1~x0    yes     no        2\n"
            "Level 1: 2 implicants (0 merged, 1 in the cover)\n"
            "  Product  Merged  In cover  Combinations\n"
            "  x0       no      yes       1, 3\n"
            "  x1       no      no        2, 3\n"
            "\n"
            "Cover selection\n"
            "  Step  Product  Decision              Ones only it covers\n"
            "  1     x0       kept                  1\n"
            "  2     x1       dropped as redundant\n"
            "\n"
            "Realization\n"
            "  No circuit is realized.\n");
}

// The cells of the table with that id, row by row, read back from the report.
std::vector<std::vector<std::string>> TableRows(const std::string& html, const std::string& id) {
  std::vector<std::vector<std::string>> rows;
  const size_t start = html.find("<table id=\"" + id + "\">");
  if (start == std::string::npos) return rows;
  const size_t body = html.find("<tbody>", start);
  const size_t end = html.find("</tbody>", body);
  const std::string table = html.substr(body, end - body);
  static const std::regex row("<tr>(.*?)</tr>"), cell("<t[dh]>(.*?)</t[dh]>");
  for (auto r = std::sregex_iterator(table.begin(), table.end(), row); r != std::sregex_iterator();
       ++r) {
    const std::string cells = (*r)[1];
    rows.emplace_back();
    for (auto c = std::sregex_iterator(cells.begin(), cells.end(), cell);
         c != std::sregex_iterator(); ++c)
      rows.back().push_back((*c)[1]);
  }
  return rows;
}

TEST(Report, TheHtmlReadBack) {
  SessionFixture s;
  ASSERT_TRUE(s.EnterCanonical({0, 1, 2, 5, 6, 7}, {3}));
  ASSERT_TRUE(RealizeAs(s, s.model.functionText, Options(Structure::kMux, 4)));
  const RealizedCircuit circuit = CircuitOf(s);
  const Explanation e = Explain(s.model, &circuit);
  const std::string html = ExplanationHtml(e, "<?xml version=\"1.0\"?>\n<svg id=\"d\"></svg>");
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("<div class=\"diagram\">\n<svg id=\"d\"></svg>"), std::string::npos);
  EXPECT_EQ(html.find("<?xml"), std::string::npos);
  EXPECT_NE(html.find("F = " + e.function), std::string::npos);

  const auto truth = TableRows(html, "truth-table");
  ASSERT_EQ(truth.size(), 8u);
  for (size_t i = 0; i < truth.size(); ++i) {
    EXPECT_EQ(truth[i][0], std::to_string(i));
    EXPECT_EQ(truth[i][2], std::string(1, ValueChar(e.values[i])));
    EXPECT_EQ(truth[i][3], std::to_string(e.circuit[i]));
  }
  for (size_t k = 0; k < e.levels.size(); ++k) {
    const auto level = TableRows(html, "level-" + std::to_string(k));
    ASSERT_EQ(level.size(), e.levels[k].size());
    for (size_t j = 0; j < level.size(); ++j) {
      EXPECT_EQ(level[j][0], e.TermText(e.levels[k][j]));
      EXPECT_EQ(level[j][2], e.levels[k][j].selected ? "yes" : "no");
    }
  }
  EXPECT_EQ(TableRows(html, "cover-steps").size(), e.coverSteps.size());
  EXPECT_EQ(TableRows(html, "data-inputs").size(), e.realization->dataInputs.size());
  const auto cost = TableRows(html, "cost");
  ASSERT_EQ(cost.size(), 6u);
  EXPECT_EQ(cost[0], (std::vector<std::string>{"Multiplexers", "1 (1 with 4 data inputs)"}));
  // Every element opened is closed, in order.
  std::vector<std::string> open;
  static const std::regex tag("<(/?)([a-z0-9]+)[^>]*?(/?)>");
  const std::set<std::string> empty = {"meta"};
  for (auto t = std::sregex_iterator(html.begin(), html.end(), tag); t != std::sregex_iterator();
       ++t) {
    const std::string name = (*t)[2];
    if ((*t)[3] == "/" || empty.count(name)) continue;
    if ((*t)[1] == "/") {
      ASSERT_FALSE(open.empty()) << name;
      EXPECT_EQ(open.back(), name);
      open.pop_back();
    } else {
      open.push_back(name);
    }
  }
  EXPECT_TRUE(open.empty());
}

TEST(Report, LongLevelsAreCutWithACount) {
  std::vector<int> ones(1024);
  for (int v = 0; v < 1024; ++v) ones[v] = v;
  SessionFixture s;
  ASSERT_TRUE(s.EnterCanonical(ones));
  const std::string html = ExplanationHtml(Explain(s.model), "");
  EXPECT_EQ(TableRows(html, "level-5").size(), 256u);
  EXPECT_NE(html.find("<h3>Level 5: 8064 implicants (8064 merged, 0 in the cover)</h3>"),
            std::string::npos);
  EXPECT_NE(html.find("7808 more rows not shown"), std::string::npos);
  EXPECT_LT(html.size(), 3'000'000u);
}

}  // namespace
}  // namespace kestrel::testing
