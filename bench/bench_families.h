#pragma once
// The 10-variable input families measured by the benchmark and the peak-memory tool.

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace kestrel::bench {

struct Family {
  std::string name;
  std::vector<int> ones;
  std::vector<int> dontCares;
  int n = 10;
};

inline Family AllOnes() {
  Family f{"AllOnes", {}, {}, 10};
  for (int v = 0; v < 1024; ++v) f.ones.push_back(v);
  return f;
}

// Even values are Ones, odd values Don't cares.
inline Family HalfOnesHalfDontCares() {
  Family f{"HalfOnesHalfDontCares", {}, {}, 10};
  for (int v = 0; v < 1024; ++v) (v % 2 == 0 ? f.ones : f.dontCares).push_back(v);
  return f;
}

// Odd parity: no two Ones are adjacent, so nothing merges.
inline Family Parity() {
  Family f{"Parity", {}, {}, 10};
  for (int v = 0; v < 1024; ++v)
    if (std::popcount(static_cast<unsigned>(v)) % 2 == 1) f.ones.push_back(v);
  return f;
}

// Each combination is a One with probability onePercent, else a Don't care with probability
// dontCarePercent, else a Zero.
inline Family Random(const std::string& name, int onePercent, int dontCarePercent, uint32_t seed) {
  Family f{name, {}, {}, 10};
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> pct(0, 99);
  for (int v = 0; v < 1024; ++v) {
    const int r = pct(rng);
    if (r < onePercent)
      f.ones.push_back(v);
    else if (r < onePercent + dontCarePercent)
      f.dontCares.push_back(v);
  }
  return f;
}

inline Family Random50() {
  return Random("Random50", 50, 0, 12345);
}
inline Family Random50Dc25() {
  return Random("Random50Dc25", 50, 25, 67890);
}

// 1 where 3 to 7 of the ten bits are set.
inline Family Band3To7() {
  Family f{"Band3To7", {}, {}, 10};
  for (int v = 0; v < 1024; ++v) {
    const int c = std::popcount(static_cast<unsigned>(v));
    if (c >= 3 && c <= 7) f.ones.push_back(v);
  }
  return f;
}

/// Slow inputs for the production minimizer: every one generates (nearly) all 3^10 products,
/// the most any 10-variable function can, or adds much cover selection work to a large table.
std::vector<Family> WorstCaseCandidates();

/// The slowest of the candidates as measured.
Family WorstCase();

/// Every combination a One or a Don't care, split at random (the slowest kind before such
/// functions were recognised at once).
Family CompleteRandomSplit();

/// Every combination a One but one, a Zero at random: 58,025 implicants.
Family OneZero();

/// The families compared between the production and the reference minimizer.
std::vector<Family> StandardFamilies();

}  // namespace kestrel::bench
