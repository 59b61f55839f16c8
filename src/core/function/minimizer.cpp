#include "function/minimizer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
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

int KeyOf(uint16_t p) { return std::popcount(static_cast<unsigned>(p & 1023)); }

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
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return KeyOf(static_cast<uint16_t>(terms[a].value)) >
           KeyOf(static_cast<uint16_t>(terms[b].value));
  });
  Level& lv = levels_[0];
  std::vector<uint64_t> cover(words_);
  for (int m = 0; m < terms_; ++m) {
    const InputTerm& t = terms[order[m]];
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
  lv.cover.insert(lv.cover.end(), cover, cover + words_);
}

bool LevelTable::CombineLevels(CombineHooks* hooks) {
  const CubeCodes& codes = Codes();
  // Where each product sits: its level and its slot there. A product's level is fixed by how
  // many variables it lacks, so one table serves all levels. Level 0 may (only from a corrupt
  // definition) hold equal products; they are chained so every one of them finds its partners.
  std::vector<int32_t> slotOf(kCubes, -1);
  std::vector<int8_t> levelOf(kCubes, -1);
  std::vector<int32_t> nextEqual(levels_[0].Count(), -1);
  for (int i = levels_[0].Count() - 1; i >= 0; --i) {
    int code = codes.Code(levels_[0].p[i], levels_[0].n[i]);
    if (levelOf[code] == 0) nextEqual[i] = slotOf[code];
    levelOf[code] = 0;
    slotOf[code] = i;
  }

  using Clock = std::chrono::steady_clock;
  auto lastPoll = Clock::now();
  std::vector<uint64_t> merged(words_);
  std::vector<int> partners;
  for (int k = 0; k < kLevels - 1; ++k) {
    if (hooks && hooks->LevelStep()) return false;
    Level& cur = levels_[k];
    Level& next = levels_[k + 1];
    const int count = cur.Count();
    for (int i = 0; i < count; ++i) {
      if (hooks && (i & 63) == 63 && Clock::now() - lastPoll > std::chrono::milliseconds(4)) {
        if (hooks->PairPoll()) return false;
        lastPoll = Clock::now();
      }
      const uint16_t p = cur.p[i], n = cur.n[i];
      // Partners differ in exactly one present variable, plain in one and negated in the other.
      partners.clear();
      for (unsigned present = (p | n) & 1023u; present; present &= present - 1) {
        const uint16_t bit = static_cast<uint16_t>(present & (~present + 1));
        const uint16_t pp = static_cast<uint16_t>(p ^ bit), nn = static_cast<uint16_t>(n ^ bit);
        const int code = codes.Code(pp, nn);
        if (levelOf[code] != k) continue;
        for (int j = slotOf[code]; j >= 0; j = (k == 0 ? nextEqual[j] : -1))
          if (j > i) partners.push_back(j);
      }
      std::sort(partners.begin(), partners.end());
      for (int j : partners) {
        const uint16_t mp = p & cur.p[j], mn = n & cur.n[j];
        cur.prime[i] = 0;
        cur.prime[j] = 0;
        const int code = codes.Code(mp, mn);
        if (levelOf[code] == k + 1) continue;  // already generated: dropped
        const uint64_t* a = &cur.cover[static_cast<size_t>(i) * words_];
        const uint64_t* b = &cur.cover[static_cast<size_t>(j) * words_];
        for (int w = 0; w < words_; ++w) merged[w] = a[w] | b[w];
        levelOf[code] = static_cast<int8_t>(k + 1);
        slotOf[code] = next.Count();
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
  const uint64_t w = levels_[k].cover[static_cast<size_t>(index) * words_ + position / 64];
  return (w >> (position % 64)) & 1;
}

void LevelTable::SelectCover(int levelCount) {
  // coverCount[m]: how many implicants that are still prime cover position m.
  std::vector<int> coverCount(terms_, 0);
  auto forEachPosition = [&](const Level& lv, int j, auto&& fn) {
    const uint64_t* c = &lv.cover[static_cast<size_t>(j) * words_];
    for (int w = 0; w < words_; ++w)
      for (uint64_t bits = c[w]; bits; bits &= bits - 1) fn(w * 64 + std::countr_zero(bits));
  };
  for (int i = 0; i < levelCount; ++i)
    for (int j = 0; j < levels_[i].Count(); ++j)
      if (levels_[i].prime[j]) forEachPosition(levels_[i], j, [&](int m) { ++coverCount[m]; });

  const Level& zero = levels_[0];
  for (int i = 0; i < levelCount; ++i) {
    Level& lv = levels_[i];
    for (int j = 0; j < lv.Count(); ++j) {
      if (!lv.prime[j]) continue;
      int essential = 0;
      forEachPosition(lv, j, [&](int m) {
        if (coverCount[m] == 1 && !zero.dontCare[m]) ++essential;
      });
      if (essential > 0) {
        lv.selected[j] = 1;
      } else {
        lv.selected[j] = 0;
        lv.prime[j] = 0;
        forEachPosition(lv, j, [&](int m) { --coverCount[m]; });
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
    const bool inP = (p >> b) & 1, inN = (n >> b) & 1;
    if (inP == inN) continue;
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

std::string MinimizeTerms(const std::vector<int>& ones, const std::vector<int>& dontCares, int n) {
  const int full = (1 << n) - 1;
  std::vector<InputTerm> terms;
  terms.reserve(ones.size() + dontCares.size());
  for (int v : ones) terms.push_back({v, ~v & full, false});
  for (int v : dontCares) terms.push_back({v, ~v & full, true});
  LevelTable table(terms);
  table.CombineLevels(nullptr);
  const int levels = table.CountLevels();
  table.SelectCover(levels);
  return table.FormatCover(levels, 1, {}, 0, nullptr);
}

}  // namespace kestrel
