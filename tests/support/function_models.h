#pragma once
// Models of the function that do not share code with the program: a reader and evaluator of
// function texts, and a deliberately naive model of the tabular minimization (every pair of
// every level is compared, covers are position sets, and the greedy selection recomputes the
// union of the other prime implicants each time; slow but obviously in the documented orders).

#include <algorithm>
#include <bit>
#include <bitset>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::testing {

/// One product over named variables: the names that occur plain and negated.
struct Cube {
  std::vector<std::string> plain, negated;
};

/// Reads a function text: products joined by "+", literals "x<d>" or "~x<d>" with one digit.
/// "1" is the product without literals, "0" and "" the empty sum. Nothing else is accepted.
inline std::optional<std::vector<Cube>> ParseSum(const std::string& text) {
  std::vector<Cube> sum;
  if (text == "0" || text.empty()) return sum;
  if (text == "1") return std::vector<Cube>{Cube{}};
  size_t i = 0;
  Cube current;
  bool any = false;
  while (i <= text.size()) {
    if (i == text.size() || text[i] == '+') {
      if (!any) return std::nullopt;  // an empty product inside a minimized text
      sum.push_back(current);
      current = Cube{};
      any = false;
      ++i;
      continue;
    }
    bool neg = false;
    if (text[i] == '~') {
      neg = true;
      ++i;
    }
    if (i + 1 >= text.size() || text[i] != 'x' || text[i + 1] < '0' || text[i + 1] > '9')
      return std::nullopt;
    (neg ? current.negated : current.plain).push_back(text.substr(i, 2));
    any = true;
    i += 2;
  }
  return sum;
}

/// The value of a sum at one assignment; value(name) gives each variable's value.
template <typename ValueOf>
bool Evaluate(const std::vector<Cube>& sum, ValueOf value) {
  for (const Cube& c : sum) {
    bool on = true;
    for (const auto& name : c.plain) on = on && value(name);
    for (const auto& name : c.negated) on = on && !value(name);
    if (on) return true;
  }
  return false;
}

/// The value of a canonical function text at combination v (x<i> is bit i of v).
inline bool EvaluateAt(const std::vector<Cube>& sum, int v) {
  return Evaluate(sum, [v](const std::string& name) { return ((v >> (name[1] - '0')) & 1) != 0; });
}

struct ModelImplicant {
  unsigned p = 0, n = 0;
  int key = 0;
  bool dontCare = false;
  bool prime = true;
  bool merged = false;  ///< combined with another into the next level
  bool selected = false;
  std::bitset<1024> cover;
};

/// One visit of the greedy cover selection: the implicant (level, slot), its decision and the
/// Ones (combination numbers, ascending) only it covered then.
struct ModelStep {
  int level = 0, slot = 0;
  bool kept = false;
  std::vector<int> onlyCovers;
};

struct ModelRun {
  std::vector<std::vector<ModelImplicant>> levels;  ///< the non-empty levels
  std::vector<ModelStep> steps;
  std::string text;
};

/// The minimization done the plain way: every pair of every level compared, every cover
/// recomputed from scratch at each visit.
inline ModelRun ModelMinimizeRun(const std::vector<int>& ones, const std::vector<int>& dontCares,
                                 int vars) {
  const unsigned full = (1u << vars) - 1;
  std::vector<ModelImplicant> level0;
  auto addTerm = [&](int v, bool dontCare) {
    ModelImplicant term;
    term.p = unsigned(v);
    term.n = ~unsigned(v) & full;
    term.key = std::popcount(term.p);
    term.dontCare = dontCare;
    level0.push_back(term);
  };
  for (int v : ones) addTerm(v, false);
  for (int v : dontCares) addTerm(v, true);
  // Stable, descending by key; covers are handed out by slot afterwards.
  std::stable_sort(level0.begin(), level0.end(),
                   [](const ModelImplicant& a, const ModelImplicant& b) { return a.key > b.key; });
  for (size_t m = 0; m < level0.size(); ++m) level0[m].cover.set(m);

  std::vector<std::vector<ModelImplicant>> levels{level0};
  for (int k = 0; k < 10; ++k) {
    std::vector<ModelImplicant> next;
    std::vector<ModelImplicant>& cur = levels[k];
    for (size_t i = 0; i < cur.size(); ++i) {
      for (size_t j = i + 1; j < cur.size(); ++j) {
        if (std::abs(cur[i].key - cur[j].key) != 1) continue;
        const unsigned dp = cur[i].p ^ cur[j].p, dn = cur[i].n ^ cur[j].n;
        if (dp != dn || std::popcount(dp & 1023u) != 1) continue;
        ModelImplicant merged;
        merged.p = cur[i].p & cur[j].p;
        merged.n = cur[i].n & cur[j].n;
        merged.cover = cur[i].cover | cur[j].cover;
        cur[i].prime = cur[j].prime = false;
        cur[i].merged = cur[j].merged = true;
        const bool known = std::any_of(next.begin(), next.end(), [&](const ModelImplicant& x) {
          return x.p == merged.p && x.n == merged.n;
        });
        if (known) continue;
        merged.key = std::popcount(merged.p & 1023u);
        next.push_back(merged);
      }
    }
    levels.push_back(next);
  }
  int count = 0;
  while (count < 11 && !levels[count].empty()) ++count;
  levels.resize(count);

  ModelRun run;
  for (int i = 0; i < count; ++i) {
    for (size_t slot = 0; slot < levels[i].size(); ++slot) {
      ModelImplicant& imp = levels[i][slot];
      if (!imp.prime) continue;
      std::bitset<1024> others;
      for (int i2 = 0; i2 < count; ++i2)
        for (const auto& other : levels[i2])
          if (&other != &imp && other.prime) others |= other.cover;
      ModelStep step{i, static_cast<int>(slot), false, {}};
      for (size_t m = 0; m < level0.size(); ++m)
        if (imp.cover[m] && !others[m] && !levels[0][m].dontCare)
          step.onlyCovers.push_back(static_cast<int>(levels[0][m].p));
      std::sort(step.onlyCovers.begin(), step.onlyCovers.end());
      step.kept = imp.selected = !step.onlyCovers.empty();
      if (!imp.selected) imp.prime = false;
      run.steps.push_back(step);
    }
  }

  for (int i = count - 1; i >= 0; --i) {
    for (auto it = levels[i].rbegin(); it != levels[i].rend(); ++it) {
      if (!it->selected) continue;
      run.text += "+";
      for (int bit = 9; bit >= 0; --bit) {
        if ((it->p >> bit) & 1) run.text += "x" + std::to_string(bit);
        if ((it->n >> bit) & 1) run.text += "~x" + std::to_string(bit);
      }
    }
  }
  if (!run.text.empty()) run.text = run.text.substr(1);
  run.levels = std::move(levels);
  return run;
}

inline std::string ModelMinimize(const std::vector<int>& ones, const std::vector<int>& dontCares,
                                 int vars) {
  return ModelMinimizeRun(ones, dontCares, vars).text;
}

}  // namespace kestrel::testing
