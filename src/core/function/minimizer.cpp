#include "function/minimizer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstdint>
#include <stdexcept>

namespace kestrel {
namespace {

constexpr int kCubes = 59049;  // 3^10: every product of at most ten variables

// Ternary code of a product: per variable 0 absent, 1 plain, 2 negated.
struct CubeCodes {
  std::array<int32_t, 1024> weight{};
  CubeCodes() {
    for (int m = 0; m < 1024; ++m) {
      int w = 0, p3 = 1;
      for (int b = 0; b < 10; ++b, p3 *= 3)
        if (m & (1 << b)) w += p3;
      weight[m] = w;
    }
  }
  int Code(uint16_t p, uint16_t n) const { return weight[p & 1023] + 2 * weight[n & 1023]; }
};
const CubeCodes& Codes() {
  static const CubeCodes codes;
  return codes;
}

struct BitCounts {
  std::array<uint8_t, 1024> count{};
  BitCounts() {
    for (int m = 0; m < 1024; ++m) count[m] = static_cast<uint8_t>(std::popcount(unsigned(m)));
  }
};
int KeyOf(uint16_t p) {
  static const BitCounts bits;
  return bits.count[p & 1023];
}

// Where each product sits during one run: the level and slot of a product code, valid only when
// its stamp is the run's. The table lives for the thread, so a run neither allocates nor clears
// 59,049 cells; a new stamp empties it at once.
struct Places {
  struct Cell {
    uint32_t stamp = 0;
    uint32_t at = 0;  ///< (level << 24) | slot
  };
  std::vector<Cell> cells = std::vector<Cell>(kCubes);
  uint32_t stamp = 0;
  uint32_t NewRun() {
    if (stamp == UINT32_MAX) {  // about to wrap: forget every old stamp
      std::fill(cells.begin(), cells.end(), Cell{});
      stamp = 0;
    }
    return ++stamp;
  }
};

}  // namespace

LevelTable::LevelTable(const std::vector<InputTerm>& terms) {
  if (terms.size() > static_cast<size_t>(kMaxTerms))
    throw std::length_error("more than 1024 input terms");
  terms_ = static_cast<int>(terms.size());
  words_ = std::max(1, (terms_ + 63) / 64);
  for (const InputTerm& t : terms)
    if (t.value < 0 || t.value > 1023 || t.mask < 0 || t.mask > 1023 || (t.value & t.mask))
      throw std::invalid_argument("input term outside the ten variables");

  // Stable sort by descending key; slot m then covers position m.
  std::vector<int> order(terms.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  // A stable sort by descending key: buckets for the keys 10 down to 0, in input order.
  {
    std::array<int, 12> start{};
    for (const InputTerm& t : terms) ++start[10 - KeyOf(static_cast<uint16_t>(t.value)) + 1];
    for (int k = 1; k < 12; ++k) start[k] += start[k - 1];
    for (size_t i = 0; i < terms.size(); ++i)
      order[start[10 - KeyOf(static_cast<uint16_t>(terms[i].value))]++] = static_cast<int>(i);
  }
  // Covers can be read off the products when level 0 holds distinct minterms of one variable set.
  positionOf_.assign(1024, -1);
  explicitCovers_ = false;
  variables_ = terms_ > 0 ? static_cast<uint16_t>(terms[0].value | terms[0].mask) : 0;
  for (const InputTerm& t : terms) {
    if ((t.value | t.mask) != variables_ || positionOf_[t.value] != -1) explicitCovers_ = true;
    positionOf_[t.value] = 0;
  }
  Level& lv = levels_[0];
  std::vector<uint64_t> cover(words_);
  for (int m = 0; m < terms_; ++m) {
    const InputTerm& t = terms[order[m]];
    positionOf_[t.value] = static_cast<int16_t>(m);
    std::fill(cover.begin(), cover.end(), 0);
    cover[m / 64] |= uint64_t{1} << (m % 64);
    Append(lv, static_cast<uint16_t>(t.value), static_cast<uint16_t>(t.mask), t.dontCare ? 1 : 0,
           cover.data());
  }
}

void LevelTable::Append(Level& lv, uint16_t p, uint16_t n, uint8_t dc, const uint64_t* cover) {
  lv.p.push_back(p);
  lv.n.push_back(n);
  lv.key.push_back(static_cast<uint8_t>(KeyOf(p)));
  lv.dontCare.push_back(dc);
  lv.prime.push_back(1);
  lv.selected.push_back(0);
  if (explicitCovers_) lv.cover.insert(lv.cover.end(), cover, cover + words_);
}

bool LevelTable::CombineLevels(CombineHooks* hooks) {
  const CubeCodes& codes = Codes();
  static constexpr int kPow3[10] = {1, 3, 9, 27, 81, 243, 729, 2187, 6561, 19683};
  // Where each product sits: (level << 24) | slot, or kNowhere. Level 0 may (only from a damaged
  // definition) hold equal products; they are chained so every one of them finds its partners.
  constexpr uint32_t kNowhere = 0xFFFFFFFFu;
  static thread_local Places places;
  const uint32_t run = places.NewRun();
  Places::Cell* const cells = places.cells.data();
  auto place = [&](int code) { return cells[code].stamp == run ? cells[code].at : kNowhere; };
  auto setPlace = [&](int code, uint32_t at) { cells[code] = {run, at}; };
  std::vector<int32_t> nextEqual(levels_[0].Count(), -1);
  for (int i = levels_[0].Count() - 1; i >= 0; --i) {
    const int code = codes.Code(levels_[0].p[i], levels_[0].n[i]);
    if (place(code) != kNowhere) nextEqual[i] = static_cast<int32_t>(place(code) & 0xFFFFFF);
    setPlace(code, static_cast<uint32_t>(i));
  }

  using Clock = std::chrono::steady_clock;
  auto lastPoll = Clock::now();
  std::vector<uint64_t> merged(words_);
  std::vector<int> partners;
  partners.reserve(64);
  for (int k = 0; k < kLevels - 1; ++k) {
    if (hooks && hooks->LevelStep()) return false;
    Level& cur = levels_[k];
    Level& next = levels_[k + 1];
    const int count = cur.Count();
    const uint32_t here = static_cast<uint32_t>(k) << 24;
    const uint32_t there = static_cast<uint32_t>(k + 1) << 24;
    // Each implicant has at most one partner per present variable, and every pair yields at
    // most one new implicant: a bound for the next level's size.
    const size_t bound = std::min<size_t>(static_cast<size_t>(count) * (10 - k) / 2 + 1, kCubes);
    next.p.reserve(bound);
    next.n.reserve(bound);
    next.key.reserve(bound);
    next.dontCare.reserve(bound);
    next.prime.reserve(bound);
    next.selected.reserve(bound);
    for (int i = 0; i < count; ++i) {
      if (hooks && (i & 63) == 63 && Clock::now() - lastPoll > std::chrono::milliseconds(4)) {
        if (hooks->PairPoll()) return false;
        lastPoll = Clock::now();
      }
      const uint16_t p = cur.p[i], n = cur.n[i];
      const int code = codes.Code(p, n);
      // Partners differ in exactly one present variable, plain in one and negated in the other:
      // turning x<b> into ~x<b> adds 3^b to the code, the other way round subtracts it.
      partners.clear();
      for (unsigned present = (p | n) & 1023u; present; present &= present - 1) {
        const int b = __builtin_ctz(present);
        const int partner = (p >> b) & 1 ? code + kPow3[b] : code - kPow3[b];
        const uint32_t at = place(partner);
        if ((at & 0xFF000000u) != here) continue;
        for (int j = static_cast<int>(at & 0xFFFFFF); j >= 0; j = k == 0 ? nextEqual[j] : -1)
          if (j > i) partners.push_back(j);
      }
      // Visit the partners in slot order, as a loop over all pairs (i, j > i) would.
      const int found = static_cast<int>(partners.size());
      for (int a = 1; a < found; ++a)
        for (int b = a; b > 0 && partners[b - 1] > partners[b]; --b)
          std::swap(partners[b - 1], partners[b]);
      for (int f = 0; f < found; ++f) {
        const int j = partners[f];
        const uint16_t mp = p & cur.p[j], mn = n & cur.n[j];
        cur.prime[i] = 0;
        cur.prime[j] = 0;
        const int mcode = codes.Code(mp, mn);
        if ((place(mcode) & 0xFF000000u) == there) continue;  // already generated: dropped
        if (explicitCovers_) {
          const uint64_t* a = &cur.cover[static_cast<size_t>(i) * words_];
          const uint64_t* b = &cur.cover[static_cast<size_t>(j) * words_];
          for (int w = 0; w < words_; ++w) merged[w] = a[w] | b[w];
        }
        setPlace(mcode, there | static_cast<uint32_t>(next.Count()));
        Append(next, mp, mn, 0, merged.data());
      }
    }
  }
  return true;
}

int LevelTable::CountLevels() const {
  int l = 0;
  while (l < kLevels && levels_[l].Count() > 0) ++l;
  return l;
}

bool LevelTable::Covers(int k, int index, int position) const {
  if (position < 0 || position >= terms_) return false;
  const Level& lv = levels_[k];
  if (explicitCovers_) {
    const uint64_t w = lv.cover[static_cast<size_t>(index) * words_ + position / 64];
    return (w >> (position % 64)) & 1;
  }
  const unsigned value = levels_[0].p[position];
  const unsigned fixed = lv.p[index] | lv.n[index];
  return (value & fixed) == lv.p[index];
}

void LevelTable::SelectCover(int levelCount) {
  // coverCount[m]: how many implicants that are still prime cover position m.
  std::vector<int> coverCount(terms_, 0);
  for (int i = 0; i < levelCount; ++i)
    for (int j = 0; j < levels_[i].Count(); ++j)
      if (levels_[i].prime[j]) ForEachPosition(i, j, [&](int m) { ++coverCount[m]; });

  const Level& zero = levels_[0];
  for (int i = 0; i < levelCount; ++i) {
    Level& lv = levels_[i];
    for (int j = 0; j < lv.Count(); ++j) {
      if (!lv.prime[j]) continue;
      int essential = 0;
      ForEachPosition(i, j, [&](int m) {
        if (coverCount[m] == 1 && !zero.dontCare[m]) ++essential;
      });
      if (essential > 0) {
        lv.selected[j] = 1;
      } else {
        lv.selected[j] = 0;
        lv.prime[j] = 0;
        ForEachPosition(i, j, [&](int m) { --coverCount[m]; });
      }
    }
  }
}

bool LevelTable::IsConstantOne(int levelCount, int n) const {
  if (levelCount < 1 || n < 0 || n > 10) return false;
  const int size = 1 << n;
  if (size > terms_) return false;
  for (int m = 0; m < size; ++m)
    if (!Covers(levelCount - 1, 0, m)) return false;
  return true;
}

std::string FormatTerm(uint16_t p, uint16_t n, int representationFlag,
                       const std::vector<std::string>& variableNames, int variableNameCount,
                       std::vector<std::string>* messages) {
  std::string out;
  for (int b = 9; b >= 0; --b) {
    // Written with one mask test: g++ 12 at -O3 mis-optimised the form that compared two bools.
    const unsigned bit = 1u << b;
    if (((p ^ n) & bit) == 0) continue;
    const bool inP = (p & bit) != 0, inN = !inP;
    if (representationFlag != 2) {
      out += inP ? "x" : "~x";
      out += static_cast<char>('0' + b);
      continue;
    }
    const int index = variableNameCount - 1 - b;
    if (b >= variableNameCount || index < 0 || index >= static_cast<int>(variableNames.size())) {
      if (messages) messages->push_back("array overflow");
      continue;
    }
    if (inN) out += "~";
    out += variableNames[index];
  }
  return out;
}

std::string LevelTable::FormatCover(int levelCount, int representationFlag,
                                    const std::vector<std::string>& variableNames,
                                    int variableNameCount,
                                    std::vector<std::string>* messages) const {
  std::string text;
  for (int i = levelCount - 1; i >= 0; --i) {
    const Level& lv = levels_[i];
    for (int j = lv.Count() - 1; j >= 0; --j) {
      if (!lv.selected[j]) continue;
      text += "+";
      text += FormatTerm(lv.p[j], lv.n[j], representationFlag, variableNames, variableNameCount,
                         messages);
    }
  }
  if (!text.empty()) text.erase(0, 1);
  return text;
}

std::vector<InputTerm> InputTermsOf(const std::vector<int>& ones, const std::vector<int>& dontCares,
                                    int n) {
  const int full = (1 << n) - 1;
  std::vector<InputTerm> terms;
  terms.reserve(ones.size() + dontCares.size());
  for (int v : ones) terms.push_back({v, ~v & full, false});
  for (int v : dontCares) terms.push_back({v, ~v & full, true});
  return terms;
}

std::string MinimizeTerms(const std::vector<int>& ones, const std::vector<int>& dontCares, int n) {
  LevelTable table(InputTermsOf(ones, dontCares, n));
  table.CombineLevels(nullptr);
  const int levels = table.CountLevels();
  table.SelectCover(levels);
  return table.FormatCover(levels, 1, {}, 0, nullptr);
}

}  // namespace kestrel
