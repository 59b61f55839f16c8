#include "function/exact_cover.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <limits>
#include <stdexcept>

namespace kestrel {

namespace {

// A set of row or column numbers as bits.
class Bits {
 public:
  explicit Bits(int size = 0) : words_((static_cast<size_t>(size) + 63) / 64, 0) {}
  void Set(int i) { words_[i / 64] |= uint64_t{1} << (i % 64); }
  void Clear(int i) { words_[i / 64] &= ~(uint64_t{1} << (i % 64)); }
  bool Test(int i) const { return (words_[i / 64] >> (i % 64)) & 1; }
  void Fill(int size) {
    std::fill(words_.begin(), words_.end(), ~uint64_t{0});
    if (size % 64) words_.back() = (uint64_t{1} << (size % 64)) - 1;
  }
  void And(const Bits& o) {
    for (size_t w = 0; w < words_.size(); ++w) words_[w] &= o.words_[w];
  }
  bool Any() const {
    return std::any_of(words_.begin(), words_.end(), [](uint64_t w) { return w != 0; });
  }
  /// Whether this set lies within o.
  bool Within(const Bits& o) const {
    for (size_t w = 0; w < words_.size(); ++w)
      if (words_[w] & ~o.words_[w]) return false;
    return true;
  }
  bool operator==(const Bits& o) const { return words_ == o.words_; }
  template <typename Fn>
  void ForEach(Fn&& fn) const {
    for (size_t w = 0; w < words_.size(); ++w)
      for (uint64_t bits = words_[w]; bits; bits &= bits - 1)
        fn(static_cast<int>(w * 64 + static_cast<size_t>(std::countr_zero(bits))));
  }

 private:
  std::vector<uint64_t> words_;
};

}  // namespace

bool IsCover(const CoverProblem& problem, const std::vector<int>& columns) {
  std::vector<char> chosen(problem.cost.size(), 0);
  for (int c : columns) {
    if (c < 0 || c >= problem.Columns()) return false;
    chosen[c] = 1;
  }
  return std::all_of(problem.rows.begin(), problem.rows.end(), [&](const std::vector<int>& row) {
    return std::any_of(row.begin(), row.end(), [&](int c) { return chosen[c] != 0; });
  });
}

int64_t CostOf(const CoverProblem& problem, const std::vector<int>& columns) {
  int64_t total = 0;
  for (int c : columns) total += problem.cost[c];
  return total;
}

PrimeChart BuildPrimeChart(const LevelTable& table, int levelCount) {
  PrimeChart chart;
  const LevelTable::Level& zero = table.level(0);
  // Row of each level-0 position: the Ones in position order; Don't cares get none.
  std::vector<int> rowOf(table.terms(), -1);
  int rows = 0;
  for (int m = 0; m < table.terms(); ++m)
    if (!zero.dontCare[m]) rowOf[m] = rows++;
  chart.problem.rows.assign(rows, {});
  for (int k = 0; k < levelCount; ++k) {
    const LevelTable::Level& lv = table.level(k);
    for (int j = 0; j < lv.Count(); ++j) {
      if (!lv.prime[j]) continue;
      const int column = static_cast<int>(chart.columns.size());
      const int literals = std::popcount(static_cast<unsigned>(lv.p[j] ^ lv.n[j]) & 1023u);
      bool coversOne = false;
      table.ForEachPosition(k, j, [&](int m) {
        if (rowOf[m] < 0) return;
        chart.problem.rows[rowOf[m]].push_back(column);
        coversOne = true;
      });
      // A prime implicant made of Don't cares only covers no row; it stays a column (with no
      // rows) so that column numbers follow the level table.
      static_cast<void>(coversOne);
      chart.columns.push_back({k, j, lv.p[j], lv.n[j], literals});
      chart.problem.cost.push_back(kProductCost + literals);
    }
  }
  return chart;
}

ChartReduction ReduceChart(const CoverProblem& problem) {
  const int rows = problem.Rows(), columns = problem.Columns();
  std::vector<Bits> rowCols(rows, Bits(columns)), colRows(columns, Bits(rows));
  for (int r = 0; r < rows; ++r)
    for (int c : problem.rows[r]) {
      rowCols[r].Set(c);
      colRows[c].Set(r);
    }
  Bits aliveRows(rows), aliveCols(columns);
  aliveRows.Fill(rows);
  aliveCols.Fill(columns);
  ChartReduction out;

  auto liveColsOf = [&](int r) {
    Bits b = rowCols[r];
    b.And(aliveCols);
    return b;
  };
  auto liveRowsOf = [&](int c) {
    Bits b = colRows[c];
    b.And(aliveRows);
    return b;
  };

  bool changed = true;
  while (changed) {
    changed = false;
    // Essential columns: a row with one live column left.
    for (int r = 0; r < rows; ++r) {
      if (!aliveRows.Test(r)) continue;
      int only = -1, count = 0;
      liveColsOf(r).ForEach([&](int c) {
        only = c;
        ++count;
      });
      if (count == 0) throw std::logic_error("a One that no prime implicant covers");
      if (count > 1) continue;
      out.essential.push_back(only);
      aliveCols.Clear(only);
      liveRowsOf(only).ForEach([&](int covered) { aliveRows.Clear(covered); });
      changed = true;
    }
    // Row dominance: the rows whose live columns include all of row r's are the rows covered
    // by every live column of r.
    for (int r = 0; r < rows; ++r) {
      if (!aliveRows.Test(r)) continue;
      Bits dominated = aliveRows;
      liveColsOf(r).ForEach([&](int c) { dominated.And(colRows[c]); });
      dominated.Clear(r);
      // A row equal to r that comes earlier would have removed r already; the rest go.
      dominated.ForEach([&](int i) {
        aliveRows.Clear(i);
        changed = true;
      });
    }
    // Column dominance: the columns covering every live row of column j may replace it.
    for (int j = 0; j < columns; ++j) {
      if (!aliveCols.Test(j)) continue;
      const Bits mine = liveRowsOf(j);
      Bits over = aliveCols;
      mine.ForEach([&](int r) { over.And(rowCols[r]); });
      over.Clear(j);
      bool drop = !mine.Any();
      over.ForEach([&](int k) {
        if (drop || problem.cost[k] > problem.cost[j]) return;
        // Equal rows at equal cost: the earlier column stays.
        if (k > j && problem.cost[k] == problem.cost[j] && liveRowsOf(k) == mine) return;
        drop = true;
      });
      if (drop) {
        aliveCols.Clear(j);
        changed = true;
      }
    }
  }
  std::sort(out.essential.begin(), out.essential.end());

  std::vector<int> coreIndex(columns, -1);
  aliveCols.ForEach([&](int c) {
    coreIndex[c] = static_cast<int>(out.coreColumn.size());
    out.coreColumn.push_back(c);
    out.core.cost.push_back(problem.cost[c]);
  });
  aliveRows.ForEach([&](int r) {
    std::vector<int> row;
    liveColsOf(r).ForEach([&](int c) { row.push_back(coreIndex[c]); });
    out.core.rows.push_back(std::move(row));
  });
  return out;
}

std::vector<int> GreedyCover(const CoverProblem& problem) {
  const int rows = problem.Rows(), columns = problem.Columns();
  std::vector<std::vector<int>> colRows(columns);
  for (int r = 0; r < rows; ++r)
    for (int c : problem.rows[r]) colRows[c].push_back(r);
  std::vector<char> covered(rows, 0), chosen(columns, 0);
  std::vector<int> fresh(columns);  // rows not covered yet, per column
  for (int c = 0; c < columns; ++c) fresh[c] = static_cast<int>(colRows[c].size());
  int left = rows;
  std::vector<int> cover;
  while (left > 0) {
    // The least cost per fresh row; ties go to the earlier column.
    int best = -1;
    for (int c = 0; c < columns; ++c) {
      if (chosen[c] || fresh[c] == 0) continue;
      if (best < 0 || problem.cost[c] * fresh[best] < problem.cost[best] * fresh[c]) best = c;
    }
    if (best < 0) throw std::logic_error("a row that no column covers");
    chosen[best] = 1;
    cover.push_back(best);
    for (int r : colRows[best]) {
      if (covered[r]) continue;
      covered[r] = 1;
      --left;
      for (int c : problem.rows[r]) --fresh[c];
    }
  }
  // Drop the columns whose rows the others cover, the latest chosen first.
  std::vector<int> count(rows, 0);
  for (int c : cover)
    for (int r : colRows[c]) ++count[r];
  for (auto it = cover.rbegin(); it != cover.rend(); ++it) {
    const std::vector<int>& mine = colRows[*it];
    if (std::all_of(mine.begin(), mine.end(), [&](int r) { return count[r] > 1; })) {
      for (int r : mine) --count[r];
      chosen[*it] = 0;
    }
  }
  std::vector<int> kept;
  for (int c : cover)
    if (chosen[c]) kept.push_back(c);
  std::sort(kept.begin(), kept.end());
  return kept;
}

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The solver gets what is left of the time limit, and always a moment to find a first cover.
constexpr double kLeastSolverSeconds = 0.01;

}  // namespace

MinimumCover FindMinimumCover(const PrimeChart& chart, CoverSolver& solver, double seconds,
                              const std::vector<int>* fallback) {
  const auto started = std::chrono::steady_clock::now();
  const ChartReduction reduction = ReduceChart(chart.problem);
  MinimumCover out;
  out.columns = reduction.essential;
  out.coreRows = reduction.core.Rows();
  out.coreColumns = reduction.core.Columns();
  out.proven = true;
  if (reduction.core.Rows() > 0) {
    const std::vector<int> start = GreedyCover(reduction.core);
    std::vector<int> core = start;
    bool proven = false;
    const double left = std::max(seconds - SecondsSince(started), kLeastSolverSeconds);
    if (std::optional<CoverSolution> solved = solver.Solve(reduction.core, start, left)) {
      // A solver's answer is used only when it is a cover and no dearer than the start.
      if (IsCover(reduction.core, solved->columns) &&
          CostOf(reduction.core, solved->columns) <= CostOf(reduction.core, start)) {
        core = solved->columns;
        proven = solved->proven;
      }
    }
    out.proven = proven;
    for (int c : core) out.columns.push_back(reduction.coreColumn[c]);
  }
  std::sort(out.columns.begin(), out.columns.end());
  out.columns.erase(std::unique(out.columns.begin(), out.columns.end()), out.columns.end());
  // The greedy cover, when it is as cheap, is kept: the minimum cover then reads as the
  // minimization's own text. When the solver's best is dearer (not proven), it is the better one.
  if (fallback && IsCover(chart.problem, *fallback) &&
      CostOf(chart.problem, *fallback) <= CostOf(chart.problem, out.columns))
    out.columns = *fallback;
  out.products = static_cast<int>(out.columns.size());
  out.literals = 0;
  for (int c : out.columns) out.literals += chart.columns[c].literals;
  return out;
}

std::vector<int> SelectedColumns(const PrimeChart& chart, const LevelTable& table) {
  std::vector<int> selected;
  for (int c = 0; c < static_cast<int>(chart.columns.size()); ++c) {
    const PrimeChart::Column& col = chart.columns[c];
    if (table.level(col.level).selected[col.index]) selected.push_back(c);
  }
  return selected;
}

std::string FormatChartCover(const PrimeChart& chart, const std::vector<int>& columns,
                             int representationFlag, const std::vector<std::string>& variableNames,
                             int variableNameCount, std::vector<std::string>* messages) {
  // Chart columns run levels upward, slots in order; the text runs the other way.
  std::vector<int> order = columns;
  std::sort(order.begin(), order.end(), std::greater<>());
  std::string text;
  for (int c : order) {
    if (!text.empty()) text += "+";
    text += FormatTerm(chart.columns[c].p, chart.columns[c].n, representationFlag, variableNames,
                       variableNameCount, messages);
  }
  return text;
}

CoverComparison CompareCovers(const std::vector<InputTerm>& terms, int n, int representationFlag,
                              const std::vector<std::string>& variableNames, int variableNameCount,
                              CoverSolver& solver, double seconds) {
  CoverComparison out;
  bool anyOne = false;
  for (const InputTerm& t : terms) anyOne = anyOne || !t.dontCare;
  if (!anyOne) {
    out.constant = true;
    return out;
  }
  const auto started = std::chrono::steady_clock::now();
  LevelTable table(terms);
  table.CombineLevels(nullptr);
  const int levels = table.CountLevels();
  const PrimeChart chart = BuildPrimeChart(table, levels);
  table.SelectCover(levels);
  if (table.IsConstantOne(levels, n)) {
    out.constant = true;
    return out;
  }
  const std::vector<int> greedy = SelectedColumns(chart, table);
  out.greedyProducts = static_cast<int>(greedy.size());
  for (int c : greedy) out.greedyLiterals += chart.columns[c].literals;
  out.greedyText =
      table.FormatCover(levels, representationFlag, variableNames, variableNameCount, nullptr);
  // The time limit covers the whole comparison, the minimization included.
  out.minimum = FindMinimumCover(
      chart, solver, std::max(seconds - SecondsSince(started), kLeastSolverSeconds), &greedy);
  out.minimumText = FormatChartCover(chart, out.minimum.columns, representationFlag, variableNames,
                                     variableNameCount, nullptr);
  return out;
}

}  // namespace kestrel
