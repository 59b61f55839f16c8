#pragma once
// The minimum cover: the fewest prime implicants (then the fewest literals) that cover every One,
// an option beside the procedure's greedy cover, which stays the default.
//
// Terms used here:
//   prime chart  - one column per prime implicant of a level table (the implicants whose prime
//                  flag is set after CombineLevels, before SelectCover drops the redundant ones),
//                  one row per One (a level-0 position that is not a Don't care). A column covers
//                  the rows of the Ones inside its product; Don't cares need no cover.
//   cost         - a column costs kProductCost plus its number of literals. kProductCost exceeds
//                  the literals of any cover, so the least total cost is the least number of
//                  products and, among covers with that many, the fewest literals.
//   essential    - a column that alone covers some row: every cover holds it.
//   dominance    - a row whose columns include all the columns of another row is covered
//                  whenever that one is, so it drops (of two equal rows the later); a column whose
//                  rows all lie in another column at no lower cost is never needed, so it drops
//                  (of two equal columns at equal cost the later).
//   cyclic core  - what is left when no rule applies any more. A CoverSolver chooses its columns.
//
// The reduction keeps at least one minimum cover: an essential column is in every cover, a
// dominated row is covered by any cover of its dominating row, and a dominated column can be
// swapped for its dominator in any cover without raising the cost. So a minimum cover of the
// core plus the essential columns is a minimum cover of the chart.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/limits.h"
#include "function/minimizer.h"

namespace kestrel {

/// A weighted set cover: choose columns so that every row holds a chosen column, at the least
/// total cost.
struct CoverProblem {
  std::vector<int64_t> cost;           ///< per column
  std::vector<std::vector<int>> rows;  ///< per row: the columns that cover it, ascending
  int Columns() const { return static_cast<int>(cost.size()); }
  int Rows() const { return static_cast<int>(rows.size()); }
};

/// Whether the columns cover every row of the problem.
bool IsCover(const CoverProblem& problem, const std::vector<int>& columns);
/// The total cost of the columns.
int64_t CostOf(const CoverProblem& problem, const std::vector<int>& columns);

/// The cost of one product: fewest products first, then fewest literals.
inline constexpr int64_t kProductCost = int64_t{1} << 14;

struct PrimeChart {
  struct Column {
    int level = 0, index = 0;  ///< where the prime implicant is in the level table
    uint16_t p = 0, n = 0;
    int literals = 0;
  };
  std::vector<Column> columns;  ///< levels upward, slots in order
  CoverProblem problem;         ///< rows in position order
};

/// The prime chart of a level table after CombineLevels and before SelectCover.
PrimeChart BuildPrimeChart(const LevelTable& table, int levelCount);

struct ChartReduction {
  std::vector<int> essential;   ///< columns every cover holds, ascending
  CoverProblem core;            ///< the cyclic core; no rows when the essential columns cover all
  std::vector<int> coreColumn;  ///< the problem's column of each core column
};

/// Takes the essential columns and drops dominated rows and columns until nothing changes.
ChartReduction ReduceChart(const CoverProblem& problem);

/// A cover of the problem by picking, again and again, the column with the least cost per row
/// not covered yet, then dropping columns the others make redundant (latest first). A start
/// for a solver and a bound.
std::vector<int> GreedyCover(const CoverProblem& problem);

struct CoverSolution {
  std::vector<int> columns;
  bool proven = false;  ///< the solver proved that no cover costs less
};

/// Solves the cyclic core. An implementation over a solver library lives outside the core.
class CoverSolver {
 public:
  virtual ~CoverSolver() = default;
  /// A cover of the problem at the least cost it finds within the time limit, starting from
  /// the given cover; nothing when it found none (the caller then keeps the start).
  virtual std::optional<CoverSolution> Solve(const CoverProblem& problem,
                                             const std::vector<int>& start, double seconds) = 0;
  /// The solver's name, for the program's reports.
  virtual std::string Name() const = 0;
};

struct MinimumCover {
  std::vector<int> columns;  ///< chart columns of the cover, ascending
  bool proven = false;       ///< no cover has fewer products, or as many with fewer literals
  int products = 0, literals = 0;
  int coreRows = 0, coreColumns = 0;  ///< the size of the cyclic core the solver saw
};

/// The minimum cover of a chart: the reduction, then the solver on the cyclic core with the time
/// limit. fallback, when given, is a cover (the greedy procedure's) that the result never costs
/// more than: when it costs no more than the solver's best, it is returned (proven minimal when
/// the solver proved that cost minimal).
MinimumCover FindMinimumCover(const PrimeChart& chart, CoverSolver& solver, double seconds,
                              const std::vector<int>* fallback = nullptr);

/// The chart columns that SelectCover selected (call after it).
std::vector<int> SelectedColumns(const PrimeChart& chart, const LevelTable& table);

/// The text of a cover in the order FormatCover writes: levels from the top down, last slot
/// first, each product as FormatTerm writes it.
std::string FormatChartCover(const PrimeChart& chart, const std::vector<int>& columns,
                             int representationFlag, const std::vector<std::string>& variableNames,
                             int variableNameCount, std::vector<std::string>* messages);

/// Which cover the minimization keeps: the procedure's greedy removal (the default) or the
/// minimum cover.
enum class CoverKind { kGreedy, kMinimum };

/// Both covers of one function, as the program reports them side by side.
struct CoverComparison {
  bool constant = false;  ///< the function is 0 or 1: there is nothing to cover
  int greedyProducts = 0, greedyLiterals = 0;
  std::string greedyText;
  MinimumCover minimum;
  std::string minimumText;
};

/// Minimizes the input terms (as the minimization run does) and finds both covers. The text
/// uses the representation and variable names as FormatCover does. n is the number of
/// variables of the run (for the constant 1).
CoverComparison CompareCovers(const std::vector<InputTerm>& terms, int n, int representationFlag,
                              const std::vector<std::string>& variableNames, int variableNameCount,
                              CoverSolver& solver, double seconds);

}  // namespace kestrel
