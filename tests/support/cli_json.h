#pragma once
// The JSON a kestrel-cli run printed; a failed parse is a test failure that shows what was
// printed.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/cli_runner.h"

namespace kestrel::testing {

inline nlohmann::json Parse(const CliRun& run) {
  nlohmann::json j = nlohmann::json::parse(run.out, nullptr, false);
  EXPECT_FALSE(j.is_discarded()) << run.out << run.err;
  return j;
}

}  // namespace kestrel::testing
