// The minimum cover beside the greedy one, and the comparison of structures, on 10-variable
// functions. The input lists are built beforehand.
//
//   Greedy/<family>   the minimization as the program runs it: construct, CombineLevels,
//                     CountLevels, SelectCover, FormatCover
//   Exact/<family>    the same levels, then both covers (CompareCovers: the prime chart, its
//                     reduction and CBC on the cyclic core with the default time limit)
//   Compare/<family>  the comparison of structures of the family's minimized function (every
//                     structure, size and gate family realized and measured)
//
// Counters: the products of each cover, whether the minimum was proven, the cyclic core's size
// and, for Compare, the number of rows.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "bench_families.h"
#include "engine/compare.h"
#include "function/exact_cover.h"
#include "function/minimizer.h"
#include "solver/cbc_cover_solver.h"

namespace {

using kestrel::bench::Family;

// 1 where at least six of the ten bits are set.
Family Majority() {
  Family f{"Majority", {}, {}, 10};
  for (int v = 0; v < 1024; ++v)
    if (std::popcount(static_cast<unsigned>(v)) >= 6) f.ones.push_back(v);
  return f;
}

// Bit `bit` of the sum of the two 5-bit numbers x9..x5 and x4..x0.
Family AdderBit(int bit) {
  Family f{"AdderSum" + std::to_string(bit), {}, {}, 10};
  for (int v = 0; v < 1024; ++v)
    if ((((v >> 5) + (v & 31)) >> bit) & 1) f.ones.push_back(v);
  return f;
}

std::vector<Family> CoverFamilies() {
  return {kestrel::bench::AllOnes(),
          kestrel::bench::HalfOnesHalfDontCares(),
          kestrel::bench::Band3To7(),
          kestrel::bench::Random50Dc25(),
          kestrel::bench::Parity(),
          Majority(),
          AdderBit(3),
          AdderBit(5)};
}

std::vector<kestrel::InputTerm> TermsOf(const Family& f) {
  return kestrel::InputTermsOf(f.ones, f.dontCares, f.n);
}

void RunGreedy(benchmark::State& state, const Family& f) {
  const std::vector<kestrel::InputTerm> terms = TermsOf(f);
  std::string text;
  for (auto _ : state) {
    kestrel::LevelTable table(terms);
    table.CombineLevels(nullptr);
    const int levels = table.CountLevels();
    table.SelectCover(levels);
    text = table.FormatCover(levels, 1, {}, 0, nullptr);
    benchmark::DoNotOptimize(text);
  }
  state.counters["greedy"] =
      text.empty() || text == "1"
          ? 0
          : 1 + static_cast<double>(std::count(text.begin(), text.end(), '+'));
}

void RunExact(benchmark::State& state, const Family& f) {
  const std::vector<kestrel::InputTerm> terms = TermsOf(f);
  kestrel::CbcCoverSolver solver;
  kestrel::CoverComparison last;
  for (auto _ : state) {
    last = kestrel::CompareCovers(terms, f.n, 1, {}, 0, solver, kestrel::kDefaultCoverSeconds);
    benchmark::DoNotOptimize(last);
  }
  state.counters["greedy"] = last.greedyProducts;
  state.counters["exact"] = last.minimum.products;
  state.counters["proven"] = last.minimum.proven ? 1 : 0;
  state.counters["coreRows"] = last.minimum.coreRows;
  state.counters["coreColumns"] = last.minimum.coreColumns;
}

void RunCompare(benchmark::State& state, const Family& f) {
  const std::string text = kestrel::MinimizeTerms(f.ones, f.dontCares, f.n);
  size_t rows = 0;
  for (auto _ : state) {
    const std::vector<kestrel::CompareRow> table = kestrel::CompareStructures(text);
    rows = table.size();
    benchmark::DoNotOptimize(table);
  }
  state.counters["rows"] = static_cast<double>(rows);
}

void RegisterAll() {
  for (const Family& f : CoverFamilies()) {
    benchmark::RegisterBenchmark(("Greedy/" + f.name).c_str(), RunGreedy, f)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Exact/" + f.name).c_str(), RunExact, f)
        ->Unit(benchmark::kMillisecond);
  }
  for (const Family& f : CoverFamilies())
    benchmark::RegisterBenchmark(("Compare/" + f.name).c_str(), RunCompare, f)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
