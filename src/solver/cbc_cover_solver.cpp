#include "solver/cbc_cover_solver.h"

#include <coin/Cbc_C_Interface.h>

#include <algorithm>
#include <memory>
#include <string>

namespace kestrel {

namespace {

struct ModelDeleter {
  void operator()(Cbc_Model* model) const { Cbc_deleteModel(model); }
};

}  // namespace

std::optional<CoverSolution> CbcCoverSolver::Solve(const CoverProblem& problem,
                                                   const std::vector<int>& start, double seconds) {
  const int columns = problem.Columns(), rows = problem.Rows();
  if (rows == 0) return CoverSolution{{}, true};
  std::unique_ptr<Cbc_Model, ModelDeleter> model(Cbc_newModel());

  // The matrix by columns: column c holds a 1 in every row it covers.
  std::vector<std::vector<int>> rowsOf(columns);
  for (int r = 0; r < rows; ++r)
    for (int c : problem.rows[r]) rowsOf[c].push_back(r);
  std::vector<int> begin(columns + 1, 0), index;
  std::vector<double> value;
  for (int c = 0; c < columns; ++c) {
    begin[c] = static_cast<int>(index.size());
    index.insert(index.end(), rowsOf[c].begin(), rowsOf[c].end());
  }
  begin[columns] = static_cast<int>(index.size());
  value.assign(index.size(), 1.0);
  const std::vector<double> lower(columns, 0.0), upper(columns, 1.0);
  const std::vector<double> rowLower(rows, 1.0), rowUpper(rows, 1e30);
  std::vector<double> objective(columns);
  std::transform(problem.cost.begin(), problem.cost.end(), objective.begin(),
                 [](int64_t cost) { return static_cast<double>(cost); });
  Cbc_loadProblem(model.get(), columns, rows, begin.data(), index.data(), value.data(),
                  lower.data(), upper.data(), objective.data(), rowLower.data(), rowUpper.data());
  for (int c = 0; c < columns; ++c) Cbc_setInteger(model.get(), c);

  if (!start.empty()) {
    const std::vector<double> ones(start.size(), 1.0);
    Cbc_setMIPStartI(model.get(), static_cast<int>(start.size()), start.data(), ones.data());
  }
  // The limit is wall-clock time (the user waits for it), and the solver prints nothing.
  Cbc_setParameter(model.get(), "timeMode", "elapsed");
  Cbc_setMaximumSeconds(model.get(), std::max(seconds, 0.01));
  Cbc_setLogLevel(model.get(), 0);
  Cbc_solve(model.get());

  const double* best = Cbc_bestSolution(model.get());
  if (!best) return std::nullopt;
  CoverSolution solution;
  for (int c = 0; c < columns; ++c)
    if (best[c] > 0.5) solution.columns.push_back(c);
  solution.proven = Cbc_isProvenOptimal(model.get()) != 0;
  return solution;
}

std::string CbcCoverSolver::Name() const {
  return std::string("CBC ") + Cbc_getVersion();
}

}  // namespace kestrel
