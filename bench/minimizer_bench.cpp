// Production minimizer (LevelTable) against the plain reference implementation on
// 10-variable functions. Only the minimization is timed; the input lists are built beforehand.
//
//   Fast/<family>       LevelTable: construct, CombineLevels, CountLevels, SelectCover,
//                       FormatCover
//   Baseline/<family>   the reference implementation, one iteration (seconds per run)
//   Candidate/<family>  production minimizer only, on the worst-case candidates
//
// By default the allocator behaves as in the program, so a run that needs fresh pages from the
// kernel pays for faulting them in; on a virtual machine that can cost several times the
// computation. --steady_heap keeps freed memory in the process (mallopt), which leaves the
// computation alone.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "baseline_minimizer.h"
#include "bench_families.h"
#include "function/minimizer.h"

namespace {

using kestrel::bench::Family;

std::vector<kestrel::InputTerm> TermsOf(const Family& f) {
  return kestrel::InputTermsOf(f.ones, f.dontCares, f.n);
}

void RunFast(benchmark::State& state, const Family& f) {
  const std::vector<kestrel::InputTerm> terms = TermsOf(f);
  for (auto _ : state) {
    kestrel::LevelTable table(terms);
    table.CombineLevels(nullptr);
    const int levels = table.CountLevels();
    table.SelectCover(levels);
    std::string text = table.FormatCover(levels, 1, {}, 0, nullptr);
    benchmark::DoNotOptimize(text);
  }

  // Size of the problem, from one more run outside the timing.
  kestrel::LevelTable table(terms);
  table.CombineLevels(nullptr);
  const int levels = table.CountLevels();
  table.SelectCover(levels);
  int implicants = 0, selected = 0;
  for (int k = 0; k < levels; ++k) {
    implicants += table.level(k).Count();
    for (uint8_t s : table.level(k).selected) selected += s;
  }
  state.counters["terms"] = static_cast<double>(terms.size());
  state.counters["implicants"] = implicants;
  state.counters["selected"] = selected;
}

void RunBaseline(benchmark::State& state, const Family& f) {
  for (auto _ : state) {
    kestrel::baseline::BaselineResult r = kestrel::baseline::BaselineRun(f.ones, f.dontCares, f.n);
    benchmark::DoNotOptimize(r);
  }
  state.counters["terms"] = static_cast<double>(f.ones.size() + f.dontCares.size());
}

// The first runs in a fresh process pay for faulting in the heap (several times the steady
// cost on a virtual machine); warm up so the fast numbers are the steady state.
constexpr double kWarmUp = 0.3;

void RegisterAll() {
  for (const Family& f : kestrel::bench::StandardFamilies()) {
    benchmark::RegisterBenchmark(("Fast/" + f.name).c_str(), RunFast, f)
        ->MinWarmUpTime(kWarmUp)
        ->Unit(benchmark::kMicrosecond);
  }
  for (const Family& f : kestrel::bench::WorstCaseCandidates()) {
    benchmark::RegisterBenchmark(("Candidate/" + f.name).c_str(), RunFast, f)
        ->MinWarmUpTime(kWarmUp)
        ->Unit(benchmark::kMicrosecond);
  }
  for (const Family& f : kestrel::bench::StandardFamilies()) {
    benchmark::RegisterBenchmark(("Baseline/" + f.name).c_str(), RunBaseline, f)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--steady_heap") != 0) continue;
    mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the largest value glibc accepts
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
    --argc;
    break;
  }
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
