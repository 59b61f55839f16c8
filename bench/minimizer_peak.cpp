// Peak resident memory of one minimization per benchmark family. The high-water mark is reset
// before each run (Linux /proc/self/clear_refs), so each line is that run's own peak, including
// the few MB the process holds anyway (shown as "base"). The time of that single run is shown
// too: unlike the benchmark's steady state, it includes faulting in fresh memory.
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

namespace {

long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const size_t len = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, len, field) == 0) return std::stol(line.substr(len));
  return -1;
}

bool ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

std::string RunFast(const kestrel::bench::Family& f) {
  return kestrel::MinimizeTerms(f.ones, f.dontCares, f.n);
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
    const auto start = std::chrono::steady_clock::now();
    const std::string text = RunFast(f);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
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
