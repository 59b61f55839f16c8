#include "baseline_minimizer.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kestrel::baseline {
namespace {

constexpr int kLevels = 11;
constexpr int kPositions = 1024;

// One implicant. cover[m] = m + 1 when the implicant covers the input term at position m of
// level 0, else 0.
struct TermRecord {
  int32_t cover[kPositions] = {};
  uint16_t p = 0;  // bit i: the product contains x<i>
  uint16_t n = 0;  // bit i: the product contains ~x<i>
  uint16_t key = 0;
  int32_t dontCare = 0;
  uint8_t prime = 1;
  uint8_t selected = 0;
};

struct Level {
  std::vector<TermRecord> slots;
  int count = 0;
};

struct InputTerm {
  int value = 0;
  int mask = 0;
  bool dontCare = false;
};

// Number of set bits among bits 0..9.
uint16_t BitCount10(unsigned v) {
  uint16_t c = 0;
  for (int b = 0; b < 10; ++b)
    if ((v >> b) & 1u) ++c;
  return c;
}

class Table {
 public:
  void BuildLevelZero(const std::vector<InputTerm>& terms) {
    terms_ = static_cast<int>(terms.size());
    Level& zero = levels_[0];
    zero.slots.assign(static_cast<size_t>(terms_) + 1, TermRecord{});
    for (int m = 0; m < terms_; ++m) {
      TermRecord& r = zero.slots[m];
      r.p = static_cast<uint16_t>(terms[m].value);
      r.n = static_cast<uint16_t>(terms[m].mask);
      r.dontCare = terms[m].dontCare ? 1 : 0;
      r.key = BitCount10(r.p);
      r.cover[m] = m + 1;
    }
    zero.count = terms_;

    // Stable exchange sort by descending key. Only P, N, key and the don't-care field move;
    // the cover arrays and flags stay in their slots.
    bool exchanged = terms_ > 1;
    while (exchanged) {
      exchanged = false;
      for (int m = 0; m + 1 < terms_; ++m) {
        TermRecord& a = zero.slots[m];
        TermRecord& b = zero.slots[m + 1];
        if (a.key < b.key) {
          std::swap(a.p, b.p);
          std::swap(a.n, b.n);
          std::swap(a.key, b.key);
          std::swap(a.dontCare, b.dontCare);
          exchanged = true;
        }
      }
    }
  }

  void CombineLevels() {
    for (int k = 0; k < kLevels - 1; ++k) {
      Level& cur = levels_[k];
      Level& next = levels_[k + 1];

      // Pass 1: count the combinable pairs.
      int combinable = 0;
      for (int i = 0; i < cur.count; ++i) {
        for (int j = i + 1; j < cur.count; ++j) {
          if (!KeyTest(cur.slots[i], cur.slots[j])) continue;
          if (Combinable(cur.slots[i], cur.slots[j])) ++combinable;
        }
      }

      next.slots.assign(static_cast<size_t>(combinable) + 1, TermRecord{});
      next.count = 0;

      // Pass 2: merge the same pairs in the same order.
      TermRecord merged;
      for (int i = 0; i < cur.count; ++i) {
        for (int j = i + 1; j < cur.count; ++j) {
          TermRecord& a = cur.slots[i];
          TermRecord& b = cur.slots[j];
          if (!KeyTest(a, b)) continue;
          if (!Combinable(a, b)) continue;
          merged.p = a.p & b.p;
          merged.n = a.n & b.n;
          for (int m = 0; m < kPositions; ++m)
            merged.cover[m] = a.cover[m] != 0 ? a.cover[m] : b.cover[m];
          merged.dontCare = 0;
          merged.prime = 1;
          merged.selected = 0;
          a.prime = 0;
          b.prime = 0;
          bool found = false;
          for (int s = 0; s < next.count; ++s) {
            if (next.slots[s].p == merged.p && next.slots[s].n == merged.n) {
              found = true;
              break;
            }
          }
          if (found) continue;
          merged.key = BitCount10(merged.p);
          next.slots[next.count] = merged;
          ++next.count;
        }
      }
    }
  }

  int CountLevels() const {
    int l = 0;
    while (l < kLevels && levels_[l].count > 0) ++l;
    return l;
  }

  void SelectCover(int levelCount) {
    std::vector<int32_t> unionCover(kPositions);
    for (int i = 0; i < levelCount; ++i) {
      for (int j = 0; j < levels_[i].count; ++j) {
        TermRecord& visited = levels_[i].slots[j];
        if (visited.prime == 0) continue;

        // Union of the covers of every other implicant that is still prime.
        std::fill(unionCover.begin(), unionCover.end(), 0);
        for (int a = 0; a < levelCount; ++a) {
          for (int b = 0; b < levels_[a].count; ++b) {
            if (a == i && b == j) continue;
            const TermRecord& other = levels_[a].slots[b];
            if (other.prime == 0) continue;
            for (int m = 0; m < kPositions; ++m)
              if (unionCover[m] == 0) unionCover[m] = other.cover[m];
          }
        }

        int count = 0;
        for (int m = 0; m < terms_; ++m)
          if (visited.cover[m] != 0 && unionCover[m] == 0 && levels_[0].slots[m].dontCare == 0)
            ++count;
        if (count > 0) {
          visited.selected = 1;
        } else {
          visited.selected = 0;
          visited.prime = 0;
        }
      }
    }
  }

  bool IsConstantOne(int levelCount, int n) const {
    if (levelCount < 1) return false;
    const TermRecord& first = levels_[levelCount - 1].slots[0];
    for (int m = 0; m < (1 << n); ++m)
      if (first.cover[m] == 0) return false;
    return true;
  }

  std::vector<std::vector<BaselineImplicant>> Levels(int levelCount) const {
    std::vector<std::vector<BaselineImplicant>> out(levelCount);
    for (int i = 0; i < levelCount; ++i)
      for (int j = 0; j < levels_[i].count; ++j) {
        const TermRecord& r = levels_[i].slots[j];
        out[i].push_back({r.p, r.n, r.prime != 0, r.selected != 0});
      }
    return out;
  }

  std::string FormatCover(int levelCount) const {
    std::string text;
    for (int i = levelCount - 1; i >= 0; --i) {
      for (int j = levels_[i].count - 1; j >= 0; --j) {
        const TermRecord& r = levels_[i].slots[j];
        if (r.selected == 0) continue;
        text += "+";
        text += FormatTerm(r);
      }
    }
    if (!text.empty()) text.erase(0, 1);
    return text;
  }

 private:
  static bool KeyTest(const TermRecord& a, const TermRecord& b) {
    return a.key == b.key + 1 || a.key + 1 == b.key;
  }

  static bool Combinable(const TermRecord& a, const TermRecord& b) {
    const unsigned dp = static_cast<unsigned>(a.p ^ b.p);
    const unsigned dn = static_cast<unsigned>(a.n ^ b.n);
    return dp == dn && BitCount10(dp) == 1;
  }

  static std::string FormatTerm(const TermRecord& r) {
    std::string out;
    // Written as two explicit cases: GCC 12.2 at -O2 miscompiles the shorter form
    // "bool inP = (p >> b) & 1, inN = (n >> b) & 1; if (inP == inN) continue;" in this loop
    // (it skips every variable that is absent from N, dropping the plain literals).
    for (int b = 9; b >= 0; --b) {
      const unsigned bit = 1u << b;
      const bool inP = (r.p & bit) != 0;
      const bool inN = (r.n & bit) != 0;
      if (inP && !inN) {
        out += "x";
      } else if (inN && !inP) {
        out += "~x";
      } else {
        continue;
      }
      out += std::to_string(b);
    }
    return out;
  }

  Level levels_[kLevels];
  int terms_ = 0;
};

}  // namespace

BaselineResult BaselineRun(const std::vector<int>& ones, const std::vector<int>& dontCares, int n) {
  if (n < 0 || n > 10) throw std::invalid_argument("the variable count must be 0..10");
  if (ones.size() + dontCares.size() > static_cast<size_t>(kPositions))
    throw std::length_error("more than 1024 input terms");
  const int full = (1 << n) - 1;
  std::vector<InputTerm> terms;
  terms.reserve(ones.size() + dontCares.size());
  for (int v : ones) terms.push_back({v, ~v & full, false});
  for (int v : dontCares) terms.push_back({v, ~v & full, true});

  Table table;
  table.BuildLevelZero(terms);
  table.CombineLevels();
  const int levels = table.CountLevels();
  table.SelectCover(levels);
  BaselineResult result;
  result.isConstantOne = table.IsConstantOne(levels, n);
  result.text = table.FormatCover(levels);
  result.levels = table.Levels(levels);
  return result;
}

std::string BaselineMinimize(const std::vector<int>& ones, const std::vector<int>& dontCares,
                             int n) {
  return BaselineRun(ones, dontCares, n).text;
}

bool BaselineIsConstantOne(const std::vector<int>& ones, const std::vector<int>& dontCares, int n) {
  return BaselineRun(ones, dontCares, n).isConstantOne;
}

}  // namespace kestrel::baseline
