#pragma once
// A deliberately plain reference implementation of the minimization engine, used to check and
// measure the production LevelTable. Every implicant carries a 1024-entry positional cover array,
// every level is compared pair by pair, merged implicants are deduplicated by a linear search of
// the next level, and the cover selection builds the union of all other prime covers for each
// candidate. Slow and memory hungry on purpose: it follows the procedure step by step so that it
// is easy to check by reading.

#include <cstdint>
#include <string>
#include <vector>

namespace kestrel::baseline {

/// One implicant of the level table as the procedure leaves it.
struct BaselineImplicant {
  uint16_t p = 0;  ///< x<i> present
  uint16_t n = 0;  ///< ~x<i> present
  bool prime = false;
  bool selected = false;
  bool operator==(const BaselineImplicant&) const = default;
};

struct BaselineResult {
  std::string text;            ///< the minimized sum of products ("" when nothing is selected)
  bool isConstantOne = false;  ///< Ones and Don't cares together hold all 2^n combinations
  /// Every level before the first empty one, implicants in generation order, with the flags
  /// after the cover selection.
  std::vector<std::vector<BaselineImplicant>> levels;
};

/// Minimizes an n-variable canonical function given by its Ones and Don't cares (values in
/// 0..2^n-1, at most 1024 in total). Ones are taken first, then Don't cares, each in list order.
BaselineResult BaselineRun(const std::vector<int>& ones, const std::vector<int>& dontCares, int n);

/// The text of BaselineRun: literals "x3"/"~x3" from x9 down to x0, products joined by "+".
std::string BaselineMinimize(const std::vector<int>& ones, const std::vector<int>& dontCares,
                             int n);

/// The constant-one test of BaselineRun.
bool BaselineIsConstantOne(const std::vector<int>& ones, const std::vector<int>& dontCares, int n);

}  // namespace kestrel::baseline
