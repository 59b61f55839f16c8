// Production minimizer (LevelTable) against the plain reference implementation on
// 10-variable functions. Only the minimization is timed; the input lists are built beforehand.
//
//   Fast/<family>        LevelTable: construct, CombineLevels, CountLevels, SelectCover,
//                        FormatCover
//   FastLevels/<family>  the same, then every level read, as the level view does: for a
//                        function whose Ones and Don't cares cover every combination this builds
//                        the levels the minimization itself skips
//   Baseline/<family>    the reference implementation, one iteration (seconds per run)
//   Candidate/<family>   production minimizer only, on the worst-case candidates
//
// kestrel_bench --write_pla=DIR writes every family as DIR/<family>.pla (Ones and Don't cares
// of a single output, x9 first) for other minimizers to be timed on the same inputs, and exits.
//
// By default the allocator behaves as in the program, so a run that needs fresh pages from the
// kernel pays for faulting them in; on a virtual machine that can cost several times the
// computation. --steady_heap keeps freed memory in the process (mallopt), which leaves the
// computation alone.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
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

void RunWithLevels(benchmark::State& state, const Family& f) {
  const std::vector<kestrel::InputTerm> terms = TermsOf(f);
  int implicants = 0;
  for (auto _ : state) {
    kestrel::LevelTable table(terms);
    table.CombineLevels(nullptr);
    const int levels = table.CountLevels();
    table.SelectCover(levels);
    std::string text = table.FormatCover(levels, 1, {}, 0, nullptr);
    implicants = 0;
    for (int k = 0; k < levels; ++k) implicants += table.level(k).Count();
    benchmark::DoNotOptimize(text);
    benchmark::DoNotOptimize(implicants);
  }
  state.counters["implicants"] = implicants;
}

void RunBaseline(benchmark::State& state, const Family& f) {
  for (auto _ : state) {
    kestrel::baseline::BaselineResult r = kestrel::baseline::BaselineRun(f.ones, f.dontCares, f.n);
    benchmark::DoNotOptimize(r);
  }
  state.counters["terms"] = static_cast<double>(f.ones.size() + f.dontCares.size());
}

// The first runs in a fresh process pay for faulting in the heap (several times the steady
// cost on a virtual machine); warm up so the fast numbers are the steady state. With
// --benchmark_repetitions the aggregates include the fastest repetition ("min"): on a shared
// machine the minimum and the median say more than the mean.
constexpr double kWarmUp = 0.3;

void Production(benchmark::internal::Benchmark* b) {
  b->MinWarmUpTime(kWarmUp)->Unit(benchmark::kMicrosecond);
  b->ComputeStatistics(
      "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

void RegisterAll() {
  for (const Family& f : kestrel::bench::StandardFamilies())
    benchmark::RegisterBenchmark(("Fast/" + f.name).c_str(), RunFast, f)->Apply(Production);
  for (const Family& f : kestrel::bench::StandardFamilies()) {
    if (f.ones.size() + f.dontCares.size() < (size_t{1} << f.n)) continue;
    benchmark::RegisterBenchmark(("FastLevels/" + f.name).c_str(), RunWithLevels, f)
        ->Apply(Production);
  }
  for (const Family& f : kestrel::bench::WorstCaseCandidates())
    benchmark::RegisterBenchmark(("Candidate/" + f.name).c_str(), RunFast, f)->Apply(Production);
  for (const Family& f : kestrel::bench::StandardFamilies()) {
    benchmark::RegisterBenchmark(("Baseline/" + f.name).c_str(), RunBaseline, f)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
}

// One PLA file per family: ".i n", ".o 1", ".type fd", a line per One ("... 1") and per Don't
// care ("... -"), inputs from x(n-1) down to x0.
bool WritePla(const std::string& folder) {
  std::vector<Family> families = kestrel::bench::StandardFamilies();
  for (const Family& f : kestrel::bench::WorstCaseCandidates()) families.push_back(f);
  for (const Family& f : families) {
    std::ofstream out(folder + "/" + f.name + ".pla");
    out << ".i " << f.n << "\n.o 1\n.type fd\n";
    auto line = [&](int v, char value) {
      for (int b = f.n - 1; b >= 0; --b) out << (((v >> b) & 1) ? '1' : '0');
      out << ' ' << value << '\n';
    };
    for (int v : f.ones) line(v, '1');
    for (int v : f.dontCares) line(v, '-');
    out << ".e\n";
    if (!out) {
      std::fprintf(stderr, "cannot write %s/%s.pla\n", folder.c_str(), f.name.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--write_pla=", 12) == 0) return WritePla(argv[i] + 12) ? 0 : 1;
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
