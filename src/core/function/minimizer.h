#pragma once
// The minimization engine: a tabular Quine-McCluskey procedure over bit masks with a greedy
// removal of redundant prime implicants.
//
// Terms used here:
//   input term  - a One or a Don't care: value v, its complement mask, and whether it is a
//                 Don't care. Ones come first, then Don't cares, each in list order.
//   implicant   - a product: positive mask P (x<i> present), negative mask N (~x<i> present).
//   level k     - the implicants formed by k successive merges; each covers 2^k combinations.
//   position m  - slot m of level 0 after its sort; a cover is the set of positions covered.
//   prime       - not merged into a larger implicant and not dropped from the cover.
//
// The result and its term order are fixed by the visiting orders: level 0 is sorted stably by
// descending key (the number of plain literals), pairs are visited as (i, j) with i < j in slot
// order, a merged implicant is appended to the next level unless an equal one is already there,
// the cover selection visits levels upward and slots in order, and the text is written from the
// top level down, last slot first. The implementation keeps those orders without testing every
// pair:
//   - A product over the run's variables is an implicant exactly when all its minterms are Ones
//     or Don't cares. It splits in two halves along each of its free variables, and it is
//     generated at its first pair (i, j): i is the smallest level-k slot among all its halves,
//     j the slot of the other half of that split. Level k+1 is therefore the implicants with k+1
//     free variables ordered by that pair.
//   - A pass either visits level k in slot order and looks up the sibling along each fixed
//     variable (sparse levels), or computes the first pair of every product of level k+1 at once
//     from a table of slots over all 3^n products and sorts by it (dense levels). Both give the
//     same level; the choice is by estimated work.
//   - When the Ones and Don't cares cover every combination of the n variables, every product is
//     an implicant and only the one without literals is prime, so the result is known at once:
//     CombineLevels sets level 0's flags and the top level and leaves levels 1..n-1 to be built
//     on demand (by the same passes, with the same order and flags) when one is first read
//     through level(), Covers() or ForEachPosition(). CountLevels() counts them all the same.
//   - Level 0 may, only from a damaged definition, hold equal products or products over
//     different variables; such a run is merged pair by pair with explicit covers.

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel {

struct InputTerm {
  int value = 0;
  int mask = 0;  ///< ComplementMask(value): the variables negated in the minterm
  bool dontCare = false;
};

/// What the merge passes report to the run around them.
class CombineHooks {
 public:
  virtual ~CombineHooks() = default;
  /// Called at the start of each of the ten merge passes; true requests a stop.
  virtual bool LevelStep() = 0;
  /// Called now and then while pairs are merged (at most every few milliseconds); true stops.
  virtual bool PairPoll() = 0;
};

/// How the passes of a canonical run build each level (the result is the same; for tests and
/// measurements).
enum class LevelGeneration {
  kAuto,      ///< by estimated work, pass by pass
  kByPairs,   ///< visiting level k in slot order
  kByGroups,  ///< whole groups of level k+1 at once, then sorted
};

/// One visit of the cover selection: a prime implicant, whether it stayed in the cover, and the
/// Ones that no other implicant still prime covered at that moment (empty when dropped).
struct CoverStep {
  int level = 0;
  int index = 0;  ///< slot in its level
  bool kept = false;
  std::vector<int> onlyCovers;  ///< combination numbers, ascending
};

/// The level table of one run.
class LevelTable {
 public:
  static constexpr int kLevels = 11;
  static constexpr int kMaxTerms = 1024;

  struct Level {
    std::vector<uint16_t> p, n;
    std::vector<uint8_t> key, dontCare, prime, selected;
    std::vector<uint64_t> cover;  ///< words() words per implicant (explicit covers only)
    int Count() const { return static_cast<int>(p.size()); }
  };

  /// Builds level 0 from the input terms (at most 1024; throws std::length_error beyond).
  explicit LevelTable(const std::vector<InputTerm>& terms);

  /// Fills levels 1..10. Returns false when a hook requested a stop.
  bool CombineLevels(CombineHooks* hooks);
  /// Chooses how CombineLevels builds the levels (kAuto unless set).
  void SetGeneration(LevelGeneration how) { generation_ = how; }
  /// The number of levels, counted from level 0, before the first empty one.
  int CountLevels() const;
  /// Sets the selected flags (greedy removal of redundant prime implicants). With steps, also
  /// records every visit in visiting order; without, the selection runs as if there were no
  /// record at all.
  void SelectCover(int levelCount, std::vector<CoverStep>* steps = nullptr);
  /// True when the first implicant of the top level covers every position 0..2^n-1.
  bool IsConstantOne(int levelCount, int n) const;
  /// The minimized text: selected implicants from the top level down, last slot first.
  std::string FormatCover(int levelCount, int representationFlag,
                          const std::vector<std::string>& variableNames, int variableNameCount,
                          std::vector<std::string>* messages) const;

  /// Level k (builds the levels left for later first; see above). Not to be read from two threads
  /// at once.
  const Level& level(int k) const {
    if (k > 0 && k < deferredTop_) BuildDeferredLevels();
    return levels_[k];
  }
  int terms() const { return terms_; }
  int words() const { return words_; }
  bool Covers(int k, int index, int position) const;
  /// Calls fn(position) for every position the implicant covers.
  template <typename Fn>
  void ForEachPosition(int k, int index, Fn&& fn) const;

 private:
  /// Calls fn(position) for the positions the implicant covers until it returns true; returns
  /// whether it did.
  template <typename Fn>
  bool FindPosition(int k, int index, Fn&& fn) const;
  void Append(Level& lv, uint16_t p, uint16_t n, uint8_t dc, const uint64_t* cover);
  bool CombineExplicit(CombineHooks* hooks);
  void BuildDeferredLevels() const;

  int terms_ = 0;
  int words_ = 1;
  // When every level-0 term is a distinct minterm over the same variables (always, for a function
  // from the entry or a file), an implicant covers exactly the positions of the minterms inside
  // it, so covers need not be stored: they are read off the product. Otherwise (only possible
  // from a damaged definition) each implicant keeps the union of its parents' covers.
  bool explicitCovers_ = false;
  uint16_t variables_ = 0;  ///< P | N of the level-0 terms
  LevelGeneration generation_ = LevelGeneration::kAuto;
  std::vector<int16_t> positionOf_;  ///< level-0 slot of each minterm value, -1 if none
  // Levels 1..n-1 of a run whose Ones and Don't cares cover every combination are built when
  // first read: until then deferredTop_ is n and they are empty (0 when nothing is left).
  mutable int deferredTop_ = 0;
  mutable Level levels_[kLevels];
};

template <typename Fn>
bool LevelTable::FindPosition(int k, int index, Fn&& fn) const {
  const Level& lv = level(k);
  if (explicitCovers_) {
    const uint64_t* c = &lv.cover[static_cast<size_t>(index) * words_];
    for (int w = 0; w < words_; ++w)
      for (uint64_t bits = c[w]; bits; bits &= bits - 1)
        if (fn(w * 64 + __builtin_ctzll(bits))) return true;
    return false;
  }
  const unsigned fixed = lv.p[index];
  const unsigned free = variables_ & ~(lv.p[index] | lv.n[index]) & 1023u;
  // Every subset of the free variables, the empty one included.
  unsigned s = 0;
  do {
    const int position = positionOf_[fixed | s];
    if (position >= 0 && fn(position)) return true;
    s = (s - free) & free;
  } while (s != 0);
  return false;
}

template <typename Fn>
void LevelTable::ForEachPosition(int k, int index, Fn&& fn) const {
  FindPosition(k, index, [&fn](int position) {
    fn(position);
    return false;
  });
}

/// Writes one implicant: literals from x9 down to x0.
std::string FormatTerm(uint16_t p, uint16_t n, int representationFlag,
                       const std::vector<std::string>& variableNames, int variableNameCount,
                       std::vector<std::string>* messages);

/// The level-0 terms of an n-variable canonical function: each One and Don't care as a full
/// product over x0..x(n-1).
std::vector<InputTerm> InputTermsOf(const std::vector<int>& ones, const std::vector<int>& dontCares,
                                    int n);

/// Convenience for tests and tools: minimizes Ones and Don't cares of an n-variable canonical
/// function without hooks and returns the text ("" when nothing is selected).
std::string MinimizeTerms(const std::vector<int>& ones, const std::vector<int>& dontCares, int n);

}  // namespace kestrel
