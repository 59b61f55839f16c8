// The production minimizer must give exactly the same text as the plain reference
// implementation: same primes, same cover choice, same term order. Its level table must be the
// reference's too, level by level in generation order with the same flags, as the level view
// and the exact cover read it.

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
kestrel::baseline::BaselineResult FastRun(const Lists& f, int n, kestrel::LevelGeneration how) {
  kestrel::LevelTable table(kestrel::InputTermsOf(f.ones, f.dontCares, n));
  table.SetGeneration(how);
  table.CombineLevels(nullptr);
  const int levels = table.CountLevels();
  table.SelectCover(levels);
  kestrel::baseline::BaselineResult result;
  result.isConstantOne = table.IsConstantOne(levels, n);
  result.text = table.FormatCover(levels, 1, {}, 0, nullptr);
  for (int k = 0; k < levels; ++k) {
    const kestrel::LevelTable::Level& lv = table.level(k);
    auto& out = result.levels.emplace_back();
    for (int j = 0; j < lv.Count(); ++j)
      out.push_back({lv.p[j], lv.n[j], lv.prime[j] != 0, lv.selected[j] != 0});
  }
  return result;
}

// Where two level tables first differ, or "" when they are the same.
std::string FirstDifference(const kestrel::baseline::BaselineResult& fast,
                            const kestrel::baseline::BaselineResult& base) {
  if (fast.levels.size() != base.levels.size())
    return std::to_string(fast.levels.size()) + " levels instead of " +
           std::to_string(base.levels.size());
  for (size_t k = 0; k < base.levels.size(); ++k) {
    const auto& a = fast.levels[k];
    const auto& b = base.levels[k];
    if (a.size() != b.size())
      return "level " + std::to_string(k) + " holds " + std::to_string(a.size()) +
             " implicants instead of " + std::to_string(b.size());
    for (size_t j = 0; j < b.size(); ++j)
      if (!(a[j] == b[j]))
        return "level " + std::to_string(k) + " slot " + std::to_string(j) +
               ": p=" + std::to_string(a[j].p) + " n=" + std::to_string(a[j].n) +
               " prime=" + std::to_string(a[j].prime) +
               " selected=" + std::to_string(a[j].selected) +
               ", expected p=" + std::to_string(b[j].p) + " n=" + std::to_string(b[j].n) +
               " prime=" + std::to_string(b[j].prime) +
               " selected=" + std::to_string(b[j].selected);
  }
  return "";
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

// Every way of building the levels must give the reference's table.
void ExpectSame(const Lists& f, int n) {
  const auto base = BaselineRun(f.ones, f.dontCares, n);
  for (auto how : {kestrel::LevelGeneration::kAuto, kestrel::LevelGeneration::kByPairs,
                   kestrel::LevelGeneration::kByGroups}) {
    const auto fast = FastRun(f, n, how);
    const std::string where =
        Describe(f, n) + " generation " + std::to_string(static_cast<int>(how));
    ASSERT_EQ(fast.text, base.text) << where;
    ASSERT_EQ(fast.isConstantOne, base.isConstantOne) << where;
    ASSERT_EQ(FirstDifference(fast, base), "") << where;
  }
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

// The dense shapes, where (nearly) every product is an implicant and the table is at its
// largest: every combination covered, a single Zero, a single Zero among Don't cares. The
// combinations that are not the Zero are split at random between Ones and Don't cares.
TEST(BaselineEquivalence, DenseShapes) {
  struct Shape {
    bool oneZero;
    int dontCarePercent;
  };
  const Shape shapes[] = {{false, 10}, {false, 50}, {false, 90}, {true, 0}, {true, 30}, {true, 80}};
  std::mt19937 rng(20240917u);
  std::uniform_int_distribution<int> pct(0, 99);
  int runs = 0;
  for (int n = 1; n <= 8; ++n) {
    const int size = 1 << n;
    const int draws = n <= 6 ? 4 : n == 7 ? 2 : 1;
    for (const Shape& shape : shapes) {
      for (int d = 0; d < draws; ++d) {
        const int zero = shape.oneZero ? static_cast<int>(rng() % size) : -1;
        Lists f;
        for (int v = 0; v < size; ++v)
          if (v != zero) (pct(rng) < shape.dontCarePercent ? f.dontCares : f.ones).push_back(v);
        ExpectSame(f, n);
        ++runs;
      }
    }
  }
  EXPECT_EQ(runs, 6 * (6 * 4 + 2 + 1));
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
