#pragma once
// The cyclic core of a prime chart as a 0-1 integer program, solved by COIN-OR CBC: one binary
// variable per column at its cost, one constraint per row (at least one of its columns chosen).

#include <optional>
#include <string>
#include <vector>

#include "function/exact_cover.h"

namespace kestrel {

class CbcCoverSolver final : public CoverSolver {
 public:
  std::optional<CoverSolution> Solve(const CoverProblem& problem, const std::vector<int>& start,
                                     double seconds) override;
  std::string Name() const override;
};

}  // namespace kestrel
