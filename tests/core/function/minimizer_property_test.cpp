// Seeded random functions through the whole canonical and literal entry: the minimized text must
// be a correct, irredundant, repeatable cover; for small functions it must match a plain
// pair-by-pair model of the tabular procedure text for text; and the literal and canonical
// entries must agree on the same function.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <bitset>
#include <cstdlib>
#include <random>
#include <set>
#include <sstream>

#include "function/function_model.h"
#include "function/minimizer.h"
#include "support/function_models.h"
#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

using Strs = std::vector<std::string>;

// ---------------------------------------------------------------------------------------------

struct RandomFunction {
  std::vector<int> ones, zeros, dontCares;
};

RandomFunction MakeFunction(std::mt19937& rng, int vars) {
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double density = 0.05 + 0.9 * unit(rng);
  const double dcDensity = unit(rng) < 0.5 ? 0.0 : 0.3 * unit(rng);
  const double zeroListing = unit(rng) < 0.5 ? 0.0 : unit(rng);  // some Zeros typed in
  RandomFunction f;
  for (int v = 0; v < (1 << vars); ++v) {
    const double r = unit(rng);
    if (r < dcDensity)
      f.dontCares.push_back(v);
    else if (r < dcDensity + (1 - dcDensity) * density)
      f.ones.push_back(v);
    else if (unit(rng) < zeroListing)
      f.zeros.push_back(v);
  }
  return f;
}

/// Runs the canonical Ok on lists filled as the entry would have filled them.
void RunCanonical(SessionFixture& b, const RandomFunction& f) {
  b.def.OpenCanonical();
  b.model.ones() = Entries(f.ones);
  b.model.zeros() = Entries(f.zeros);
  b.model.dontCares() = Entries(f.dontCares);
  ASSERT_TRUE(b.def.Ok());
}

std::string ListsOf(const RandomFunction& f) {
  std::ostringstream os;
  auto list = [&](const char* name, const std::vector<int>& values) {
    os << name << " {";
    for (size_t i = 0; i < values.size(); ++i) os << (i ? "," : "") << values[i];
    os << "} ";
  };
  list("ones", f.ones);
  list("zeros", f.zeros);
  list("dontCares", f.dontCares);
  return os.str();
}

/// Checks one minimized canonical function; returns false after the first failure.
bool CheckCanonical(const RandomFunction& f, bool compareWithModel) {
  // The number of variables as the run takes it: from the lists as entered.
  int n = 0;
  for (const auto* list : {&f.ones, &f.zeros, &f.dontCares})
    if (!list->empty()) n = std::max(n, BitsNeeded(list->back()));
  SessionFixture b;
  RunCanonical(b, f);
  if (::testing::Test::HasFatalFailure()) return false;
  const std::string& text = b.model.functionText;
  const std::string where = ListsOf(f) + "-> \"" + text + "\"";

  // Every combination of the function's variables is in exactly one list now.
  std::vector<int> kind(1 << n, -1);
  for (int l = 0; l < 3; ++l)
    for (const auto& e : b.model.lists[l]) {
      const int v = EntryValue(e);
      EXPECT_TRUE(v >= 0 && v < (1 << n) && kind[v] == -1) << where;
      if (v >= 0 && v < (1 << n)) kind[v] = l;
    }
  EXPECT_EQ(std::count(kind.begin(), kind.end(), -1), 0) << where;

  if (f.ones.empty()) {
    EXPECT_EQ(text, f.dontCares.empty() ? "" : "0") << where;
    return !::testing::Test::HasFailure();
  }
  if (b.model.zeros().empty()) {
    EXPECT_EQ(text, "1") << where;
    EXPECT_EQ(b.session.commandState, CommandState::kNothingToRealize) << where;
    return !::testing::Test::HasFailure();
  }
  EXPECT_EQ(Shown(b.messages), Strs{}) << where;

  const auto sum = ParseSum(text);
  if (!sum || sum->empty()) {
    ADD_FAILURE() << "not a sum of products: " << where;
    return false;
  }
  // Correct on every One and every Zero.
  for (int v = 0; v < (1 << n); ++v) {
    if (kind[v] == static_cast<int>(ListKind::kOnes) && !EvaluateAt(*sum, v)) {
      ADD_FAILURE() << "One " << v << " evaluates to 0: " << where;
      return false;
    }
    if (kind[v] == static_cast<int>(ListKind::kZeros) && EvaluateAt(*sum, v)) {
      ADD_FAILURE() << "Zero " << v << " evaluates to 1: " << where;
      return false;
    }
  }
  // Literals from the highest index down, within the function's variables; no product twice;
  // no product redundant.
  for (size_t i = 0; i < sum->size(); ++i) {
    std::vector<int> indices;
    for (const auto& name : (*sum)[i].plain) indices.push_back(name[1] - '0');
    for (const auto& name : (*sum)[i].negated) indices.push_back(name[1] - '0');
    for (int d : indices) EXPECT_LT(d, n) << where;
    std::vector<Cube> rest = *sum;
    rest.erase(rest.begin() + static_cast<long>(i));
    bool needed = false;
    for (int v = 0; v < (1 << n) && !needed; ++v)
      needed = kind[v] == static_cast<int>(ListKind::kOnes) && !EvaluateAt(rest, v);
    if (!needed) {
      ADD_FAILURE() << "product " << i + 1 << " is redundant: " << where;
      return false;
    }
  }
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '+') continue;
    const std::string product = text.substr(start, i - start);
    std::vector<int> order;
    for (char c : product)
      if (c >= '0' && c <= '9') order.push_back(c - '0');
    EXPECT_TRUE(std::is_sorted(order.rbegin(), order.rend()) &&
                std::adjacent_find(order.begin(), order.end()) == order.end())
        << "literal order in " << product << ": " << where;
    start = i + 1;
  }

  // Repeatable: a fresh run, and the engine alone, give the same text.
  SessionFixture again;
  RunCanonical(again, f);
  EXPECT_EQ(again.model.functionText, text) << where;
  EXPECT_EQ(MinimizeTerms(f.ones, f.dontCares, n), text) << where;
  if (compareWithModel) {
    EXPECT_EQ(text, ModelMinimize(f.ones, f.dontCares, n)) << where;
  }
  return !::testing::Test::HasFailure();
}

TEST(MinimizerProperties, RandomCanonicalFunctionsAreMinimizedCorrectly) {
  // Many small functions, fewer large ones: the large ones cost the most.
  const int trialsPerSize[11] = {0, 60, 200, 400, 400, 400, 300, 150, 60, 25, 12};
  std::mt19937 rng(20240611);
  int checked = 0;
  for (int vars = 1; vars <= 10; ++vars) {
    for (int t = 0; t < trialsPerSize[vars]; ++t) {
      const RandomFunction f = MakeFunction(rng, vars);
      if (!CheckCanonical(f, vars <= 7)) return;
      ++checked;
    }
  }
  EXPECT_GT(checked, 1900);
}

TEST(MinimizerProperties, ModelAgreesOnTheDocumentedExamples) {
  // Keeps the model itself honest.
  EXPECT_EQ(ModelMinimize({0, 1, 2, 5, 6, 7}, {}, 3), "~x2~x0+~x1x0+x2x1");
  EXPECT_EQ(ModelMinimize({4, 8, 10, 11, 12, 15}, {9, 14}, 4), "x3~x0+x3x1+x2~x1~x0");
  EXPECT_EQ(ModelMinimize({0, 4, 5, 7, 8, 13, 15}, {}, 4), "x2x0+~x2~x1~x0+~x3~x1~x0");
  EXPECT_EQ(ModelMinimize({2, 3, 7, 9, 11, 13}, {1, 10, 15}, 4), "~x2x1+x3x0+x1x0");
  EXPECT_EQ(ModelMinimize({1, 2, 4, 7}, {}, 3), "x2~x1~x0+~x2x1~x0+~x2~x1x0+x2x1x0");
}

// ---------------------------------------------------------------------------------------------
// Literal and canonical entry of the same function.

struct RandomSop {
  std::vector<int> vars;  ///< the variable indices used, highest first
  std::vector<std::pair<unsigned, unsigned>> products;  ///< (plain, negated) by variable index
};

RandomSop MakeSop(std::mt19937& rng, int k, bool contiguous) {
  RandomSop s;
  if (contiguous) {
    for (int d = k - 1; d >= 0; --d) s.vars.push_back(d);
  } else {
    std::vector<int> all = Range(0, 9);
    std::shuffle(all.begin(), all.end(), rng);
    s.vars.assign(all.begin(), all.begin() + k);
    std::sort(s.vars.rbegin(), s.vars.rend());
  }
  std::uniform_int_distribution<int> productCount(1, 6);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const int count = productCount(rng);
  const double use = 0.2 + 0.6 * unit(rng);
  for (int i = 0; i < count; ++i) {
    unsigned p = 0, n = 0;
    for (int d : s.vars)
      if (unit(rng) < use) (unit(rng) < 0.5 ? p : n) |= 1u << d;
    if (p == 0 && n == 0) p = 1u << s.vars[rng() % s.vars.size()];
    s.products.emplace_back(p, n);
  }
  // Every chosen variable appears somewhere.
  for (int d : s.vars) {
    unsigned used = 0;
    for (auto [p, n] : s.products) used |= p | n;
    if (!((used >> d) & 1)) {
      auto& [p, n] = s.products[rng() % s.products.size()];
      (unit(rng) < 0.5 ? p : n) |= 1u << d;
    }
  }
  return s;
}

/// The text as a careless user would type it: literals in any order, capitals, blanks.
std::string Untidy(const RandomSop& s, std::mt19937& rng) {
  std::string text;
  for (size_t i = 0; i < s.products.size(); ++i) {
    if (i) text += rng() % 4 ? "+" : " + ";
    std::vector<std::string> literals;
    for (int d = 0; d < 10; ++d) {
      const char x = rng() % 3 ? 'x' : 'X';
      if ((s.products[i].first >> d) & 1) literals.push_back(std::string(1, x) + char('0' + d));
      if ((s.products[i].second >> d) & 1) literals.push_back(std::string("~") + x + char('0' + d));
    }
    std::shuffle(literals.begin(), literals.end(), rng);
    for (const auto& l : literals) text += (rng() % 5 ? "" : " ") + l;
  }
  return text;
}

bool SopValue(const RandomSop& s, unsigned assignment) {  // assignment by variable index
  for (auto [p, n] : s.products)
    if ((assignment & p) == p && (assignment & n) == 0) return true;
  return false;
}

TEST(MinimizerProperties, LiteralAndCanonicalEntryAgree) {
  std::mt19937 rng(77031);
  for (int trial = 0; trial < 600; ++trial) {
    const int k = 1 + trial % 10;
    const RandomSop sop = MakeSop(rng, k, trial % 2 == 0);
    const std::string typed = Untidy(sop, rng);
    // Bit b of a combination number belongs to vars[k - 1 - b].
    auto assignmentOf = [&](int v) {
      unsigned a = 0;
      for (int b = 0; b < k; ++b)
        if ((v >> b) & 1) a |= 1u << sop.vars[k - 1 - b];
      return a;
    };
    RandomFunction f;
    for (int v = 0; v < (1 << k); ++v)
      (SopValue(sop, assignmentOf(v)) ? f.ones : f.zeros).push_back(v);

    SessionFixture literal;
    ASSERT_TRUE(literal.EnterLiteral(typed)) << typed;
    SessionFixture canonical;
    RunCanonical(canonical, f);
    const std::string where = "typed \"" + typed + "\" -> literal \"" + literal.model.functionText +
                              "\", canonical \"" + canonical.model.functionText + "\"";

    // The canonical text with x<b> renamed to the b-th name from the right.
    std::string renamed;
    for (size_t i = 0; i < canonical.model.functionText.size(); ++i) {
      const char c = canonical.model.functionText[i];
      if (c >= '0' && c <= '9' && (canonical.model.functionText.size() > 1)) {
        renamed += std::to_string(sop.vars[k - 1 - (c - '0')]);
      } else {
        renamed += c;
      }
    }
    EXPECT_EQ(literal.model.functionText, renamed) << where;

    // The literal result has the same truth table as what was typed.
    const auto sum = ParseSum(literal.model.functionText);
    ASSERT_TRUE(sum.has_value()) << where;
    for (int v = 0; v < (1 << k); ++v) {
      const unsigned a = assignmentOf(v);
      const bool value = Evaluate(
          *sum, [a](const std::string& name) { return ((a >> (name[1] - '0')) & 1) != 0; });
      ASSERT_EQ(value, SopValue(sop, a)) << "combination " << v << ": " << where;
    }

    const std::set<std::pair<unsigned, unsigned>> distinct(sop.products.begin(),
                                                           sop.products.end());
    if (distinct.size() > 1) {  // only then is the text converted and minimized
      Strs names;
      for (int d : sop.vars) names.push_back("x" + std::to_string(d));
      EXPECT_EQ(Strs(literal.model.variableNames.begin(),
                     literal.model.variableNames.begin() + literal.model.variableNameCount),
                names)
          << where;
      EXPECT_EQ(literal.model.ones(), canonical.model.ones()) << where;
    }
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace kestrel::testing
