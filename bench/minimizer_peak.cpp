// Peak resident memory of one minimization per benchmark family. The high-water mark is reset
// before each run (Linux /proc/self/clear_refs), so each line is that run's own peak, including
// the few MB the process holds anyway (shown as "base"). After the minimization every level is
// read, as the level view does, so the peak includes the whole level table even where the
// minimization itself leaves levels to be built on demand. The time of the minimization alone
// in that single run is shown too: unlike the benchmark's steady state, it includes faulting in
// fresh memory.
//
//   kestrel_minimizer_peak              production minimizer only
//   kestrel_minimizer_peak --baseline   the reference implementation too (slow: minutes)

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "baseline_minimizer.h"
#include "bench_families.h"
#include "function/minimizer.h"
#include "process_status.h"

namespace {

using kestrel::bench::StatusKb;

bool ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

// The minimization (its time in *ms), then every level read.
std::string RunFast(const kestrel::bench::Family& f, double* ms) {
  const auto start = std::chrono::steady_clock::now();
  kestrel::LevelTable table(kestrel::InputTermsOf(f.ones, f.dontCares, f.n));
  table.CombineLevels(nullptr);
  const int levels = table.CountLevels();
  table.SelectCover(levels);
  std::string text = table.FormatCover(levels, 1, {}, 0, nullptr);
  *ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  int implicants = 0;
  for (int k = 0; k < levels; ++k) implicants += table.level(k).Count();
  if (implicants == 0) text += " (no implicants)";
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const bool withBaseline = argc > 1 && std::strcmp(argv[1], "--baseline") == 0;
  std::vector<kestrel::bench::Family> families = kestrel::bench::StandardFamilies();
  for (const auto& f : kestrel::bench::WorstCaseCandidates()) families.push_back(f);

  std::printf("%-22s %6s %13s %13s %17s\n", "family", "terms", "fast peak KB", "fast run ms",
              "baseline peak KB");
  for (const auto& f : families) {
    if (!ResetPeak()) std::printf("(peak reset unavailable: values are cumulative)\n");
    const long base = StatusKb("VmRSS:");
    double ms = 0;
    const std::string text = RunFast(f, &ms);
    const long fastPeak = StatusKb("VmHWM:");
    std::string basePeak = "-";
    if (withBaseline) {
      ResetPeak();
      const std::string reference = kestrel::baseline::BaselineMinimize(f.ones, f.dontCares, f.n);
      basePeak = std::to_string(StatusKb("VmHWM:"));
      if (reference != text) std::printf("%s: results differ\n", f.name.c_str());
      malloc_trim(0);  // hand the reference's memory back, so the next base is comparable
    }
    std::printf("%-22s %6zu %13ld %13.2f %17s   (base %ld KB)\n", f.name.c_str(),
                f.ones.size() + f.dontCares.size(), fastPeak, ms, basePeak.c_str(), base);
  }
  return 0;
}
