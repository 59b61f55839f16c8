#include "function/minimizer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

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

// True when one of the eight flags from `flags` on is set. Tables of many implicants hold few
// prime or selected ones; their flags are skipped eight at a time.
bool AnyOfEight(const uint8_t* flags) {
  uint64_t word = 0;
  std::memcpy(&word, flags, sizeof word);
  return word != 0;
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

// ---------------------------------------------------------------------------------------------
// Whole-level generation for a canonical run (distinct minterms over one variable set).

constexpr uint16_t kAbsent = 0xFFFF;  ///< a cell that holds no implicant

// Asks the hooks now and then during a pass whether to stop: the clock is read after every few
// thousand steps of work, and PairPoll is called once 4 ms have passed since its last call.
class Poller {
 public:
  explicit Poller(CombineHooks* hooks) : hooks_(hooks), last_(Clock::now()) {}
  /// Counts work done; true when the hooks requested a stop.
  bool Step(unsigned work) {
    if (!hooks_) return false;
    work_ += work;
    if (work_ < kWork) return false;
    work_ = 0;
    if (Clock::now() - last_ <= std::chrono::milliseconds(4)) return false;
    if (hooks_->PairPoll()) return true;
    last_ = Clock::now();
    return false;
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr unsigned kWork = 8192;
  CombineHooks* hooks_;
  Clock::time_point last_;
  unsigned work_ = 0;
};

// Every product over the variables of a canonical run, grouped by the set of its free
// variables. The run's variables are numbered 0..count-1 from the lowest up ("grid variables").
// Group F (a mask of grid variables) holds the 2^(count - |F|) products with exactly F free, one
// cell per assignment of the fixed variables, numbered by those values packed in order:
// cell = start[F] + number. Two products merge when they share a group and their numbers differ
// in one bit t; the merged product lies in group F + v, v the t-th fixed variable, at the number
// with bit t taken out. Groups are stored level by level (by their number of free variables), so
// a level's cells are contiguous and every group starts at a multiple of its size.
struct Grid {
  explicit Grid(uint16_t variables) {
    for (unsigned rest = variables & 1023u; rest != 0; rest &= rest - 1)
      bit[count++] = static_cast<uint16_t>(rest & (0u - rest));
    full = (1u << count) - 1;
    expand.resize(full + 1);
    for (unsigned g = 0; g <= full; ++g) {
      unsigned mask = 0;
      for (int t = 0; t < count; ++t)
        if ((g >> t) & 1) mask |= bit[t];
      expand[g] = static_cast<uint16_t>(mask);
      compress[mask] = static_cast<uint16_t>(g);
    }
    byFree.resize(count + 1);
    for (unsigned g = 0; g <= full; ++g)
      byFree[std::popcount(g)].push_back(static_cast<uint16_t>(g));
    start.resize(full + 1);
    levelStart.resize(count + 2);
    unsigned next = 0;
    for (int k = 0; k <= count; ++k) {
      levelStart[k] = next;
      for (uint16_t g : byFree[k]) {
        start[g] = next;
        next += 1u << (count - k);
      }
    }
    levelStart[count + 1] = next;  // 3^count
  }

  int count = 0;                              ///< grid variables
  unsigned full = 0;                          ///< mask of all grid variables
  std::array<uint16_t, 10> bit{};             ///< grid variable -> variable mask
  std::array<uint16_t, 1024> compress{};      ///< variable mask (within the run's) -> grid mask
  std::vector<uint16_t> expand;               ///< grid mask -> variable mask
  std::vector<std::vector<uint16_t>> byFree;  ///< the groups with 0..count free variables
  std::vector<uint32_t> start;                ///< first cell of each group
  std::vector<uint32_t> levelStart;           ///< first cell of each level; the last: 3^count
};

// The grid of a run's variables. Those of x0..x(n-1), the only sets a function from the entry or
// a file has, are built once; any other set is built into `own`.
const Grid& GridOf(uint16_t variables, std::unique_ptr<Grid>& own) {
  static const std::vector<Grid> usual = [] {
    std::vector<Grid> grids;
    for (unsigned n = 0; n <= 10; ++n) grids.emplace_back(static_cast<uint16_t>((1u << n) - 1));
    return grids;
  }();
  if ((variables & (variables + 1)) == 0 && variables <= 1023)
    return usual[std::popcount(variables)];
  own = std::make_unique<Grid>(variables);
  return *own;
}

// The smallest key of each product of a group: a pair of cells has the key (lower slot, higher
// slot), the moment a pass over pairs (i, j > i) in slot order reaches it, and a product is
// generated at its smallest key. Either both cells of every pair of a product hold implicants
// or, for a product that is no implicant, no pair has both: then the partner stays kAbsent.
struct FirstPairs {
  std::array<uint16_t, 512> first;    ///< the lower slot of the smallest key
  std::array<uint16_t, 512> partner;  ///< its higher slot
};

// Kept to 16-bit values throughout, so that vector code handles eight pairs at a time.
inline void FoldPair(uint16_t s0, uint16_t s1, uint16_t& first, uint16_t& partner) {
  const uint16_t low = std::min(s0, s1), high = std::max(s0, s1);
  const bool earlier = low < first;
  first = earlier ? low : first;
  partner = earlier ? high : partner;
}

// Folds the pairs of a group into the smallest keys of a group with one more free variable:
// cells whose numbers differ in bit t merge into the cell whose number has that bit taken out.
// The pairs' halves lie in alternating runs of 2^t cells; every form below is a plain loop over
// 16-bit slots the compiler turns into vector code. For t = 0 the halves are interleaved; for
// t = 1..3 the runs are short, so they are first copied apart.
template <int T>
void FoldShortRuns(const uint16_t* slot, FirstPairs& keys, int size) {
  constexpr int kRun = 1 << T;
  std::array<uint16_t, 512> low, high;  // the two halves of the pairs, each in one run
  for (int i = 0; i < size / kRun; ++i) {
    std::memcpy(&low[kRun * i], slot + 2 * kRun * i, sizeof(uint16_t) * kRun);
    std::memcpy(&high[kRun * i], slot + 2 * kRun * i + kRun, sizeof(uint16_t) * kRun);
  }
  for (int x = 0; x < size; ++x) FoldPair(low[x], high[x], keys.first[x], keys.partner[x]);
}

void FoldPairs(const uint16_t* slot, FirstPairs& keys, int size, int t) {
  switch (t) {
    case 0:
      for (int x = 0; x < size; ++x)
        FoldPair(slot[2 * x], slot[2 * x + 1], keys.first[x], keys.partner[x]);
      return;
    case 1:
      return FoldShortRuns<1>(slot, keys, size);
    case 2:
      return FoldShortRuns<2>(slot, keys, size);
    case 3:
      return FoldShortRuns<3>(slot, keys, size);
    default:
      break;
  }
  const int run = 1 << t;
  for (int block = 0; block < size; block += run) {
    const uint16_t* a = slot + 2 * block;
    const uint16_t* b = a + run;
    for (int x = 0; x < run; ++x)
      FoldPair(a[x], b[x], keys.first[block + x], keys.partner[block + x]);
  }
}

// The working memory of level generation (about 0.5 MB for ten variables). It is kept for the
// thread, so a run neither asks the system for fresh pages nor clears them; a run started while
// another is under way on the same thread (from a hook) gets its own.
struct Scratch {
  std::vector<uint16_t> slot;        ///< per cell: the slot in its level, kAbsent if none
  std::vector<uint64_t> valid;       ///< per cell: holds an implicant
  std::vector<uint16_t> groupCount;  ///< implicants per group
  std::vector<uint16_t> cells;       ///< the cell of each slot of the current level
  std::vector<uint16_t> next;        ///< the same for the next level
  std::vector<uint64_t> found, sorted;
  std::vector<uint32_t> firstCount;
  bool busy = false;
};

class ScratchLease {
 public:
  ScratchLease() : scratch_(Shared().busy ? own_.emplace() : Shared()) { scratch_.busy = true; }
  ~ScratchLease() { scratch_.busy = false; }
  ScratchLease(const ScratchLease&) = delete;
  ScratchLease& operator=(const ScratchLease&) = delete;
  Scratch& Get() const { return scratch_; }

 private:
  static Scratch& Shared() {
    static thread_local Scratch shared;
    return shared;
  }
  std::optional<Scratch> own_;
  Scratch& scratch_;
};

// Builds levels 1..10 of a canonical run from its level 0, in the procedure's order. Each pass
// is one of two kinds, chosen by its estimated work (or fixed for tests):
//  - by pairs: visits the level's implicants in slot order and looks up the sibling along each
//    fixed variable, as the procedure does; cheap when the level is sparse.
//  - by groups: computes the smallest key of every product of the next level's groups at once,
//    keeps the implicants and sorts them by key; cheap when the level is dense.
class LevelGenerator {
 public:
  LevelGenerator(LevelTable::Level* levels, uint16_t variables, LevelGeneration how)
      : levels_(levels),
        grid_(GridOf(variables, ownGrid_)),
        how_(how),
        bits_(BitCountTable()),
        slot_(lease_.Get().slot),
        valid_(lease_.Get().valid),
        groupCount_(lease_.Get().groupCount),
        cells_(lease_.Get().cells),
        next_(lease_.Get().next),
        found_(lease_.Get().found),
        sorted_(lease_.Get().sorted),
        firstCount_(lease_.Get().firstCount) {}

  bool Run(CombineHooks* hooks) {
    const unsigned cells = grid_.levelStart[grid_.count + 1];
    if (slot_.size() < cells) slot_.resize(cells);
    valid_.assign((cells + 63) / 64, 0);
    groupCount_.assign(grid_.full + 1, 0);
    ClearLevel(0);
    LevelTable::Level& zero = levels_[0];
    cells_.resize(zero.Count());
    for (int m = 0; m < zero.Count(); ++m) Place(grid_.compress[zero.p[m]], m, cells_[m]);
    groupCount_[0] = static_cast<uint16_t>(zero.Count());
    Poller poller(hooks);
    for (int k = 0; k < LevelTable::kLevels - 1; ++k) {
      if (hooks && hooks->LevelStep()) return false;
      if (k >= grid_.count || levels_[k].Count() < 2) continue;
      ClearLevel(k + 1);
      if (UseGroups(k)) {
        if (!PassByGroups(k, poller)) return false;
        MarkPrimes(k);
      } else if (!PassByPairs(k, poller)) {
        return false;
      }
      Finish(levels_[k + 1]);
      cells_.swap(next_);
    }
    return true;
  }

 private:
  static const std::array<uint8_t, 1024>& BitCountTable() {
    static const BitCounts bits;
    return bits.count;
  }

  void ClearLevel(int k) {
    std::fill(slot_.begin() + grid_.levelStart[k], slot_.begin() + grid_.levelStart[k + 1],
              kAbsent);
  }

  // Puts slot r of the level being built at a cell.
  void Place(unsigned cell, size_t r, uint16_t& cellOfSlot) {
    slot_[cell] = static_cast<uint16_t>(r);
    valid_[cell / 64] |= uint64_t{1} << (cell % 64);
    cellOfSlot = static_cast<uint16_t>(cell);
  }

  // A group can hold an implicant only when every group it is merged from holds two.
  bool MayHold(unsigned group) const {
    for (unsigned rest = group; rest != 0; rest &= rest - 1)
      if (groupCount_[group ^ (rest & (0u - rest))] < 2) return false;
    return true;
  }

  // Estimated work, weighed by measurement: a pass by pairs spends about 15 units per implicant
  // and fixed variable (more in time than in instructions, as its tests are hard to predict),
  // one by groups about 5 per pair of cells and 12 per cell of the next level.
  bool UseGroups(int k) const {
    if (how_ != LevelGeneration::kAuto) return how_ == LevelGeneration::kByGroups;
    const unsigned pairWork = 15u * levels_[k].Count() * (grid_.count - k);
    unsigned groupWork = 0;
    for (unsigned group : grid_.byFree[k + 1])
      if (MayHold(group)) groupWork += (5u * (k + 1) + 12) << (grid_.count - k - 1);
    return groupWork < pairWork;
  }

  bool PassByPairs(int k, Poller& poller) {
    LevelTable::Level& cur = levels_[k];
    LevelTable::Level& next = levels_[k + 1];
    const int count = cur.Count();
    next_.clear();
    struct Merge {
      unsigned partner, cell, group, bit;
    };
    for (int i = 0; i < count; ++i) {
      if ((i & 255) == 255 && poller.Step(256u * (grid_.count - k))) return false;
      const unsigned p = cur.p[i], n = cur.n[i];
      const unsigned fixedVars = grid_.compress[p | n];
      const unsigned free = grid_.full & ~fixedVars;
      const unsigned base = grid_.start[free];
      const unsigned number = cells_[i] - base;
      // The siblings along each fixed variable; most implicants of a sparse level have none.
      std::array<unsigned, 10> partners;
      std::array<unsigned, 10> vars;
      unsigned present = 0;
      int fixedCount = 0;
      for (unsigned rest = fixedVars; rest != 0; rest &= rest - 1, ++fixedCount) {
        const unsigned partner = slot_[base + (number ^ (1u << fixedCount))];
        partners[fixedCount] = partner;
        vars[fixedCount] = rest & (0u - rest);
        present |= (partner != kAbsent ? 1u : 0u) << fixedCount;
      }
      if (present == 0) continue;
      cur.prime[i] = 0;
      // A pair with an earlier partner merged when the partner was visited; a product already
      // made came from an earlier pair. Both are tested without branches: in a sparse level
      // either is a coin toss.
      std::array<Merge, 10> found;
      int nf = 0;
      for (unsigned bits = present; bits != 0; bits &= bits - 1) {
        const int t = std::countr_zero(bits);
        const unsigned partner = partners[t], v = vars[t];
        const unsigned low = number & ((1u << t) - 1);
        const unsigned cell = grid_.start[free | v] + (((number >> (t + 1)) << t) | low);
        found[nf] = {partner, cell, free | v, grid_.bit[std::countr_zero(v)]};
        nf += (partner > static_cast<unsigned>(i) ? 1 : 0) & (slot_[cell] == kAbsent ? 1 : 0);
      }
      // Partners in slot order, as a loop over all pairs (i, j > i) meets them.
      for (int a = 1; a < nf; ++a)
        for (int b = a; b > 0 && found[b - 1].partner > found[b].partner; --b)
          std::swap(found[b - 1], found[b]);
      for (int f = 0; f < nf; ++f) {
        const unsigned merged = p & ~found[f].bit;
        Place(found[f].cell, next.p.size(), next_.emplace_back());
        next.p.push_back(static_cast<uint16_t>(merged));
        next.n.push_back(static_cast<uint16_t>(n & ~found[f].bit));
        next.key.push_back(bits_[merged]);
        ++groupCount_[found[f].group];
      }
    }
    return true;
  }

  bool PassByGroups(int k, Poller& poller) {
    LevelTable::Level& next = levels_[k + 1];
    const int count = levels_[k].Count();
    const int size = 1 << (grid_.count - k - 1);
    // Products found, as (first slot, partner slot, cell, P, N) in 14, 14, 16, 10 and 10 bits
    // (a level holds at most 15,360 implicants): the word's order is the key's.
    found_.resize(static_cast<size_t>(grid_.byFree[k + 1].size()) * size);
    firstCount_.assign(count + 2, 0);  // the last entry counts the cells without an implicant
    size_t made = 0;
    for (unsigned group : grid_.byFree[k + 1]) {
      if (!MayHold(group)) continue;
      if (poller.Step(static_cast<unsigned>(size) * (k + 1))) return false;
      std::fill(keys_.first.begin(), keys_.first.begin() + size, kAbsent);
      std::fill(keys_.partner.begin(), keys_.partner.begin() + size, kAbsent);
      for (unsigned rest = group; rest != 0; rest &= rest - 1) {
        const unsigned v = rest & (0u - rest);
        const unsigned child = group ^ v;
        const int t = bits_[grid_.full & ~child & (v - 1)];
        FoldPairs(&slot_[grid_.start[child]], keys_, size, t);
      }
      // The cell numbers count through the values of the fixed variables in order; so do
      // the subsets of their mask taken in increasing order.
      const unsigned fixedVars = grid_.expand[grid_.full & ~group];
      const uint64_t base = grid_.start[group];
      const size_t before = made;
      unsigned p = 0;
      for (int number = 0; number < size; ++number, p = (p - fixedVars) & fixedVars) {
        const unsigned first = keys_.first[number], partner = keys_.partner[number];
        const bool held = partner != kAbsent;
        ++firstCount_[held ? first + 1 : count + 1];
        found_[made] = uint64_t{first} << 50 | uint64_t{partner} << 36 | (base + number) << 20 |
                       p << 10 | (fixedVars ^ p);
        made += held ? 1 : 0;
      }
      groupCount_[group] = static_cast<uint16_t>(made - before);
    }

    // Generation order: a counting sort by the first slot, then by the partner's slot among
    // the few products of one first slot.
    uint32_t* const position = firstCount_.data();
    for (int i = 0; i < count; ++i) position[i + 1] += position[i];
    sorted_.resize(made);
    uint64_t* const sorted = sorted_.data();
    const uint64_t* const found = found_.data();
    for (size_t f = 0; f < made; ++f) sorted[position[found[f] >> 50]++] = found[f];
    for (size_t a = 1; a < made; ++a) {
      const uint64_t e = sorted[a];
      if (e > sorted[a - 1]) continue;
      size_t b = a;
      for (; b > 0 && sorted[b - 1] > e; --b) sorted[b] = sorted[b - 1];
      sorted[b] = e;
    }

    next.p.resize(made);
    next.n.resize(made);
    next.key.resize(made);
    next_.resize(made);
    uint16_t* const slot = slot_.data();
    uint16_t* const cellOf = next_.data();
    uint16_t* const plain = next.p.data();
    uint16_t* const negated = next.n.data();
    uint8_t* const key = next.key.data();
    uint64_t* const valid = valid_.data();
    for (size_t r = 0; r < made; ++r) {
      const uint64_t e = sorted[r];
      const auto cell = static_cast<uint16_t>(e >> 20);
      const unsigned p = (e >> 10) & 1023u;
      slot[cell] = static_cast<uint16_t>(r);
      valid[cell / 64] |= uint64_t{1} << (cell % 64);
      cellOf[r] = cell;
      plain[r] = static_cast<uint16_t>(p);
      negated[r] = static_cast<uint16_t>(e & 1023u);
      key[r] = bits_[p];
    }
    return true;
  }

  // Sets the prime flags of level k: an implicant is prime when no sibling (a product of its
  // group whose cell number differs in one bit) is an implicant. As each group is aligned to its
  // size, siblings are tested for 64 cells at once in the bit set of implicants; the flags of
  // the few primes are then set by cell.
  void MarkPrimes(int k) {
    LevelTable::Level& cur = levels_[k];
    std::fill(cur.prime.begin(), cur.prime.end(), 0);
    const int fixedCount = grid_.count - k;
    const unsigned from = grid_.levelStart[k], to = grid_.levelStart[k + 1];
    static constexpr uint64_t kLowHalf[6] = {0x5555555555555555, 0x3333333333333333,
                                             0x0F0F0F0F0F0F0F0F, 0x00FF00FF00FF00FF,
                                             0x0000FFFF0000FFFF, 0x00000000FFFFFFFF};
    for (unsigned w = from / 64; w * 64 < to; ++w) {
      uint64_t here = valid_[w];
      // Only the level's own cells: its first and last word may hold cells of other levels.
      if (w * 64 < from) here &= ~uint64_t{0} << (from % 64);
      if (w * 64 + 64 > to) here &= ~(~uint64_t{0} << (to % 64));
      if (here == 0) continue;
      uint64_t sibling = 0;
      for (int t = 0; t < std::min(fixedCount, 6); ++t) {
        const int d = 1 << t;
        sibling |= ((valid_[w] >> d) & kLowHalf[t]) | ((valid_[w] & kLowHalf[t]) << d);
      }
      for (int t = 6; t < fixedCount; ++t) sibling |= valid_[w ^ (1u << (t - 6))];
      for (uint64_t prime = here & ~sibling; prime != 0; prime &= prime - 1)
        cur.prime[slot_[w * 64 + std::countr_zero(prime)]] = 1;
    }
  }

  // The flags of a new level: prime until merged, nothing selected, no Don't cares.
  static void Finish(LevelTable::Level& lv) {
    const size_t count = lv.p.size();
    lv.dontCare.assign(count, 0);
    lv.prime.assign(count, 1);
    lv.selected.assign(count, 0);
  }

  LevelTable::Level* levels_;
  std::unique_ptr<Grid> ownGrid_;  ///< the grid of an unusual variable set
  const Grid& grid_;
  LevelGeneration how_;
  const std::array<uint8_t, 1024>& bits_;
  ScratchLease lease_;
  std::vector<uint16_t>& slot_;
  std::vector<uint64_t>& valid_;
  std::vector<uint16_t>& groupCount_;
  std::vector<uint16_t>& cells_;
  std::vector<uint16_t>& next_;
  std::vector<uint64_t>& found_;
  std::vector<uint64_t>& sorted_;
  std::vector<uint32_t>& firstCount_;
  FirstPairs keys_{};  ///< the smallest keys of one group
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
  for (int k = 1; k < kLevels; ++k) levels_[k] = Level{};
  deferredTop_ = 0;
  if (explicitCovers_) return CombineExplicit(hooks);
  const int top = std::popcount(variables_);
  if (top == 0 || terms_ < (1 << top)) {
    LevelGenerator generator(levels_, variables_, generation_);
    return generator.Run(hooks);
  }
  // Every combination is a One or a Don't care: every product is an implicant, each merges
  // into the one without literals, and that one alone is prime. The levels between are built
  // when first read.
  for (int k = 0; k < kLevels - 1; ++k)
    if (hooks && hooks->LevelStep()) return false;
  std::fill(levels_[0].prime.begin(), levels_[0].prime.end(), 0);
  Level& lv = levels_[top];
  lv.p = lv.n = {0};
  lv.key = lv.dontCare = lv.selected = {0};
  lv.prime = {1};
  deferredTop_ = top;
  return true;
}

void LevelTable::BuildDeferredLevels() const {
  Level built[kLevels];
  built[0] = levels_[0];
  LevelGenerator generator(built, variables_, generation_);
  generator.Run(nullptr);
  for (int k = 1; k < deferredTop_; ++k) levels_[k] = std::move(built[k]);
  deferredTop_ = 0;
}

// Level 0 may hold equal products or products over different variables: partners are found by
// flipping one variable of the product's code, and each merge keeps the union of its parents'
// covers.
bool LevelTable::CombineExplicit(CombineHooks* hooks) {
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
  if (deferredTop_ > 0) return deferredTop_ + 1;
  int l = 0;
  while (l < kLevels && levels_[l].Count() > 0) ++l;
  return l;
}

bool LevelTable::Covers(int k, int index, int position) const {
  if (position < 0 || position >= terms_) return false;
  const Level& lv = level(k);
  if (explicitCovers_) {
    const uint64_t w = lv.cover[static_cast<size_t>(index) * words_ + position / 64];
    return (w >> (position % 64)) & 1;
  }
  const unsigned value = levels_[0].p[position];
  const unsigned fixed = lv.p[index] | lv.n[index];
  return (value & fixed) == lv.p[index];
}

namespace {

// The greedy removal of redundant prime implicants: levels upward, slots in order, an implicant
// stays (is selected) when it covers a One that no other remaining prime implicant covers.
// cover(i, j) and uncover(i, j) count implicant j of level i in or out; essential(i, j) tells
// whether it covers such a One.
template <typename Cover, typename Essential, typename Uncover>
void RemoveRedundant(LevelTable::Level* levels, int levelCount, Cover cover, Essential essential,
                     Uncover uncover) {
  for (int i = 0; i < levelCount; ++i) {
    const LevelTable::Level& lv = levels[i];
    for (int j = 0; j < lv.Count(); ++j) {
      if (j % 8 == 0 && j + 8 <= lv.Count() && !AnyOfEight(&lv.prime[j])) {
        j += 7;
        continue;
      }
      if (lv.prime[j]) cover(i, j);
    }
  }
  for (int i = 0; i < levelCount; ++i) {
    LevelTable::Level& lv = levels[i];
    for (int j = 0; j < lv.Count(); ++j) {
      if (j % 8 == 0 && j + 8 <= lv.Count() && !AnyOfEight(&lv.prime[j])) {
        j += 7;
        continue;
      }
      if (!lv.prime[j]) continue;
      if (essential(i, j)) {
        lv.selected[j] = 1;
      } else {
        lv.selected[j] = 0;
        lv.prime[j] = 0;
        uncover(i, j);
      }
    }
  }
}

}  // namespace

void LevelTable::SelectCover(int levelCount, std::vector<CoverStep>* steps) {
  if (steps) steps->clear();
  // With steps, each visit is recorded by the test that decides it: it then lists every One
  // covered once instead of stopping at the first, which decides the same.
  auto record = [steps](int i, int j, std::vector<int>& only) {
    std::sort(only.begin(), only.end());
    only.erase(std::unique(only.begin(), only.end()), only.end());
    const bool kept = !only.empty();
    steps->push_back({i, j, kept, std::move(only)});
    return kept;
  };
  if (explicitCovers_) {
    // coverCount[m]: how many implicants that are still prime cover position m.
    std::vector<int> coverCount(terms_, 0);
    const Level& zero = levels_[0];
    auto count = [&](int i, int j) { ForEachPosition(i, j, [&](int m) { ++coverCount[m]; }); };
    auto uncount = [&](int i, int j) { ForEachPosition(i, j, [&](int m) { --coverCount[m]; }); };
    if (!steps) {
      RemoveRedundant(
          levels_, levelCount, count,
          [&](int i, int j) {
            return FindPosition(i, j,
                                [&](int m) { return coverCount[m] == 1 && !zero.dontCare[m]; });
          },
          uncount);
      return;
    }
    RemoveRedundant(
        levels_, levelCount, count,
        [&](int i, int j) {
          std::vector<int> only;
          ForEachPosition(i, j, [&](int m) {
            if (coverCount[m] == 1 && !zero.dontCare[m]) only.push_back(zero.p[m]);
          });
          return record(i, j, only);
        },
        uncount);
    return;
  }
  // Each position is a minterm, and every minterm of an implicant is a position: the counts are
  // kept by minterm value. state[v]: twice the number of prime implicants still covering v, plus
  // one for a Don't care, so that "a One covered once" reads state 2.
  std::array<uint16_t, 1024> state{};
  const Level& zero = levels_[0];
  for (int m = 0; m < terms_; ++m) state[zero.p[m]] = zero.dontCare[m];
  // Whether pred(v) holds for a minterm v of implicant j of level i (stops at the first).
  auto anyMinterm = [&](int i, int j, auto&& pred) {
    const unsigned fixed = levels_[i].p[j];
    const unsigned free = variables_ & ~(levels_[i].p[j] | levels_[i].n[j]) & 1023u;
    unsigned s = 0;  // every subset of the free variables, the empty one included
    do {
      if (pred(fixed | s)) return true;
      s = (s - free) & free;
    } while (s != 0);
    return false;
  };
  auto add = [&](int i, int j, int delta) {
    anyMinterm(i, j, [&](unsigned v) {
      state[v] = static_cast<uint16_t>(state[v] + delta);
      return false;
    });
  };
  auto count = [&](int i, int j) { add(i, j, 2); };
  auto uncount = [&](int i, int j) { add(i, j, -2); };
  if (!steps) {
    RemoveRedundant(
        levels_, levelCount, count,
        [&](int i, int j) { return anyMinterm(i, j, [&](unsigned v) { return state[v] == 2; }); },
        uncount);
    return;
  }
  RemoveRedundant(
      levels_, levelCount, count,
      [&](int i, int j) {
        std::vector<int> only;
        anyMinterm(i, j, [&](unsigned v) {
          if (state[v] == 2) only.push_back(static_cast<int>(v));
          return false;
        });
        return record(i, j, only);
      },
      uncount);
}

bool LevelTable::IsConstantOne(int levelCount, int n) const {
  if (levelCount < 1 || n < 0 || n > 10) return false;
  const int size = 1 << n;
  if (size > terms_) return false;
  for (int m = 0; m < size; ++m)
    if (!Covers(levelCount - 1, 0, m)) return false;
  return true;
}

namespace {

// Appends one implicant to out: literals from x9 down to x0.
void AppendTerm(std::string& out, uint16_t p, uint16_t n, int representationFlag,
                const std::vector<std::string>& variableNames, int variableNameCount,
                std::vector<std::string>* messages) {
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
}

}  // namespace

std::string FormatTerm(uint16_t p, uint16_t n, int representationFlag,
                       const std::vector<std::string>& variableNames, int variableNameCount,
                       std::vector<std::string>* messages) {
  std::string out;
  AppendTerm(out, p, n, representationFlag, variableNames, variableNameCount, messages);
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
      if (j % 8 == 7 && !AnyOfEight(&lv.selected[j - 7])) {
        j -= 7;
        continue;
      }
      if (!lv.selected[j]) continue;
      text += "+";
      AppendTerm(text, lv.p[j], lv.n[j], representationFlag, variableNames, variableNameCount,
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
