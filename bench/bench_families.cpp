#include "bench_families.h"

#include <bit>
#include <random>
#include <string>
#include <vector>

namespace kestrel::bench {

namespace {

// Every combination is a One, except `zeros` Zeros at random; with dontCarePercent, that share
// of the others is a Don't care.
Family FewZeros(const std::string& name, int zeros, int dontCarePercent, uint32_t seed) {
  Family f{name, {}, {}, 10};
  std::mt19937 rng(seed);
  std::vector<bool> zero(1024, false);
  for (int z = 0; z < zeros;) {
    const int v = static_cast<int>(rng() % 1024);
    if (!zero[v]) {
      zero[v] = true;
      ++z;
    }
  }
  std::uniform_int_distribution<int> pct(0, 99);
  for (int v = 0; v < 1024; ++v)
    if (!zero[v]) (pct(rng) < dontCarePercent ? f.dontCares : f.ones).push_back(v);
  return f;
}

}  // namespace

std::vector<Family> WorstCaseCandidates() {
  std::vector<Family> out;
  out.push_back(AllOnes());
  // Every combination is a One or a Don't care, split at random: all products are generated and
  // level 0 interleaves the Ones and Don't cares of each key.
  out.push_back(CompleteRandomSplit());
  out.push_back(Random("CompleteFewOnes", 10, 90, 4243));
  {
    Family f{"OneOneRestDontCares", {0}, {}, 10};
    for (int v = 1; v < 1024; ++v) f.dontCares.push_back(v);
    out.push_back(f);
  }
  {
    Family f{"AllButZero", {}, {}, 10};
    for (int v = 1; v < 1024; ++v) f.ones.push_back(v);
    out.push_back(f);
  }
  // A few scattered Zeros: almost every product is generated and dozens of primes remain.
  out.push_back(FewZeros("AllButEightZeros", 8, 0, 8));
  // One Zero inside, and one or a few among Don't cares: 58,025 implicants or nearly, and the
  // Don't cares scramble level 0.
  out.push_back(OneZero());
  out.push_back(FewZeros("OneZeroDontCares", 1, 50, 614));
  out.push_back(FewZeros("EightZerosDontCares", 8, 50, 1));
  // Ones where 2 to 8 of the ten bits are set: 1,260 prime implicants of 64 minterms each, the
  // most cover selection work found.
  {
    Family f{"Band2To8", {}, {}, 10};
    for (int v = 0; v < 1024; ++v) {
      const int c = std::popcount(static_cast<unsigned>(v));
      if (c >= 2 && c <= 8) f.ones.push_back(v);
    }
    out.push_back(f);
  }
  out.push_back(Random("Random98", 98, 0, 99));
  return out;
}

// Measured on the candidates: a function whose Ones and Don't cares fill all 1024 combinations
// is known at once; those with one or a few Zeros generate (nearly) all 59,049 products; the
// band of 2 to 8 set bits adds the most cover selection work to a large table and is the
// slowest.
Family WorstCase() {
  std::vector<Family> candidates = WorstCaseCandidates();
  for (Family& f : candidates)
    if (f.name == "Band2To8") {
      f.name = "WorstCase";
      return f;
    }
  return {};
}

Family CompleteRandomSplit() {
  return Random("CompleteRandomSplit", 50, 50, 4242);
}

Family OneZero() {
  return FewZeros("OneZero", 1, 0, 613);
}

std::vector<Family> StandardFamilies() {
  return {AllOnes(),  HalfOnesHalfDontCares(), Parity(),  Random50(), Random50Dc25(),
          Band3To7(), CompleteRandomSplit(),   OneZero(), WorstCase()};
}

}  // namespace kestrel::bench
