#include "bench_families.h"

#include <random>

namespace kestrel::bench {

std::vector<Family> WorstCaseCandidates() {
  std::vector<Family> out;
  out.push_back(AllOnes());
  // Every combination is a One or a Don't care, split at random: all products are generated and
  // level 0 interleaves the Ones and Don't cares of each key.
  out.push_back(Random("CompleteRandomSplit", 50, 50, 4242));
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
  {
    Family f{"AllButEightZeros", {}, {}, 10};
    std::mt19937 rng(8);
    std::vector<bool> zero(1024, false);
    for (int z = 0; z < 8;) {
      const int v = static_cast<int>(rng() % 1024);
      if (!zero[v]) {
        zero[v] = true;
        ++z;
      }
    }
    for (int v = 0; v < 1024; ++v)
      if (!zero[v]) f.ones.push_back(v);
    out.push_back(f);
  }
  out.push_back(Random("Random98", 98, 0, 99));
  return out;
}

// Any function whose Ones and Don't cares fill all 1024 combinations makes the most work (all
// 59049 products, the same instruction count); the random split is the slowest of them, as
// level 0 then lists the combinations in scrambled order and the merges lose locality.
Family WorstCase() {
  Family f = Random("CompleteRandomSplit", 50, 50, 4242);
  f.name = "WorstCase";
  return f;
}

std::vector<Family> StandardFamilies() {
  return {AllOnes(),  HalfOnesHalfDontCares(), Parity(), Random50(), Random50Dc25(), Band3To7(),
          WorstCase()};
}

}  // namespace kestrel::bench
