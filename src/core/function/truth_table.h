#pragma once
// A function of x0..x9 as its value on every one of the 1024 assignments, 64 assignments to a
// word: bit k is the value when x<d> = bit d of k, so the combination number of a list entry is
// its bit. Function texts are evaluated into one, and the circuit verification combines them as
// the gates would; the lists of a canonical function are checked against one.

#include <array>
#include <cstdint>
#include <string_view>

#include "base/limits.h"

namespace kestrel {

struct FunctionModel;

class TruthTable {
 public:
  static TruthTable Constant(bool one);
  /// The variable x<d>, d in 0..9.
  static const TruthTable& Variable(int d);

  bool At(int combination) const { return (words_[combination / 64] >> (combination % 64)) & 1; }

  TruthTable operator~() const;
  TruthTable& operator&=(const TruthTable& other);
  TruthTable& operator|=(const TruthTable& other);
  friend TruthTable operator&(TruthTable a, const TruthTable& b) { return a &= b; }
  friend TruthTable operator|(TruthTable a, const TruthTable& b) { return a |= b; }

 private:
  std::array<uint64_t, kCombinations / 64> words_{};
};

/// A text in the function-text syntax: "0" and the empty text are 0, "1" and an empty product
/// (as in "+x1") are 1, a product holding x<d> and ~x<d> is 0.
TruthTable EvaluateFunctionText(std::string_view text);

/// How a truth table agrees with the lists of a canonical function: every One must give 1 and
/// every Zero 0; the Don't cares are free.
struct ListCheck {
  int ones = 0;        ///< Ones checked
  int zeros = 0;       ///< Zeros checked
  int mismatches = 0;  ///< Ones giving 0 and Zeros giving 1 (an entry that is no number counts)
};
ListCheck CheckLists(const TruthTable& table, const FunctionModel& model);

}  // namespace kestrel
