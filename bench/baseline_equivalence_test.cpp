// The production minimizer must give exactly the same text as the plain reference
// implementation: same primes, same cover choice, same term order.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "baseline_minimizer.h"
#include "function/minimizer.h"

namespace {

using kestrel::baseline::BaselineRun;

struct Lists {
  std::vector<int> ones;
  std::vector<int> dontCares;
};

// Runs the production LevelTable step by step, as the minimization run does.
kestrel::baseline::BaselineResult FastRun(const Lists& f, int n) {
  kestrel::LevelTable table(kestrel::InputTermsOf(f.ones, f.dontCares, n));
  table.CombineLevels(nullptr);
  const int levels = table.CountLevels();
  table.SelectCover(levels);
  kestrel::baseline::BaselineResult result;
  result.isConstantOne = table.IsConstantOne(levels, n);
  result.text = table.FormatCover(levels, 1, {}, 0, nullptr);
  return result;
}

void AppendList(std::string& s, const std::vector<int>& values) {
  s += "{";
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) s += ",";
    s += std::to_string(values[i]);
  }
  s += "}";
}

std::string Describe(const Lists& f, int n) {
  std::string s = "n=";
  s += std::to_string(n);
  s += " ones=";
  AppendList(s, f.ones);
  s += " dontCares=";
  AppendList(s, f.dontCares);
  return s;
}

void ExpectSame(const Lists& f, int n) {
  const auto base = BaselineRun(f.ones, f.dontCares, n);
  const auto fast = FastRun(f, n);
  ASSERT_EQ(fast.text, base.text) << Describe(f, n);
  ASSERT_EQ(fast.isConstantOne, base.isConstantOne) << Describe(f, n);
  ASSERT_EQ(kestrel::MinimizeTerms(f.ones, f.dontCares, n), base.text) << Describe(f, n);
}

TEST(BaselineEquivalence, KnownResults) {
  struct Case {
    Lists f;
    int n;
    std::string text;
    bool constantOne;
  };
  const std::vector<Case> cases = {
      {{{1, 3, 5, 7}, {}}, 3, "x0", false},
      {{{3}, {}}, 2, "x1x0", false},
      {{{5}, {}}, 3, "x2~x1x0", false},
      {{{0}, {}}, 1, "~x0", false},
      {{{0, 1, 2, 5, 6, 7}, {}}, 3, "~x2~x0+~x1x0+x2x1", false},
      {{{4, 8, 10, 11, 12, 15}, {9, 14}}, 4, "x3~x0+x3x1+x2~x1~x0", false},
      {{{0, 2, 5, 7, 8, 10, 13, 15}, {}}, 4, "~x2~x0+x2x0", false},
      {{{0, 4, 5, 7, 8, 13, 15}, {}}, 4, "x2x0+~x2~x1~x0+~x3~x1~x0", false},
      {{{2, 3, 7, 9, 11, 13}, {1, 10, 15}}, 4, "~x2x1+x3x0+x1x0", false},
      {{{3}, {1}}, 2, "x0", false},
      {{{0}, {1, 2, 3}}, 2, "", true},
      {{{1, 2, 4, 7}, {}}, 3, "x2~x1~x0+~x2x1~x0+~x2~x1x0+x2x1x0", false},
      {{{0, 1, 2, 3, 4, 5, 6, 7}, {}}, 3, "", true},
      {{{1}, {2, 3, 4, 5, 6, 7}}, 3, "x0", false},
  };
  for (const Case& c : cases) {
    const auto base = BaselineRun(c.f.ones, c.f.dontCares, c.n);
    EXPECT_EQ(base.text, c.text) << Describe(c.f, c.n);
    EXPECT_EQ(base.isConstantOne, c.constantOne) << Describe(c.f, c.n);
    ExpectSame(c.f, c.n);
  }
}

TEST(BaselineEquivalence, AllOnes) {
  for (int n = 1; n <= 8; ++n) {
    Lists f;
    for (int v = 0; v < (1 << n); ++v) f.ones.push_back(v);
    ExpectSame(f, n);
    EXPECT_TRUE(BaselineRun(f.ones, f.dontCares, n).isConstantOne);
  }
}

// Seeded random functions of 1..7 variables with varied One and Don't-care densities. Lists
// are ascending, as the function model keeps them.
TEST(BaselineEquivalence, RandomFunctions) {
  std::mt19937 rng(20240611u);
  std::uniform_int_distribution<int> pct(0, 99);
  // Each combination is a One, a Don't care or a Zero with the given chances.
  auto draw = [&](int n, int onePercent, int dontCarePercent) {
    Lists f;
    for (int v = 0; v < (1 << n); ++v) {
      const int r = pct(rng);
      if (r < onePercent)
        f.ones.push_back(v);
      else if (r < onePercent + dontCarePercent)
        f.dontCares.push_back(v);
    }
    return f;
  };
  const int onePercents[] = {5, 20, 40, 60, 80, 95};
  const int dontCarePercents[] = {0, 0, 10, 30, 60};
  int runs = 0;
  for (int round = 0; round < 60; ++round) {
    for (int n = 1; n <= 7; ++n) {
      const int onePercent = onePercents[(round + n) % 6];
      const int dontCarePercent = dontCarePercents[round % 5];
      ExpectSame(draw(n, onePercent, dontCarePercent), n);
      ++runs;
    }
  }
  // Small functions: many more of them, every density.
  for (int round = 0; round < 3000; ++round) {
    const int n = 1 + round % 5;
    const int onePercent = pct(rng);
    const int dontCarePercent = pct(rng) % (101 - onePercent);
    ExpectSame(draw(n, onePercent, dontCarePercent), n);
    ++runs;
  }
  EXPECT_EQ(runs, 60 * 7 + 3000);
}

}  // namespace
