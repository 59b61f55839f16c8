#pragma once
// kestrel-cli compare: defines (or takes) a function and realizes it in every structure, size
// and gate family, off to the side, and prints each circuit's cost.

#include <optional>
#include <string>

#include "cli/common.h"
#include "engine/compare.h"

namespace kestrel::cli {

struct CompareInputs {
  FunctionInputs function;
  std::optional<std::string> functionText;
  std::string address = "automatic";
  bool json = false;
};

void AddCompareOptions(CLI::App& app, CompareInputs& inputs);
/// Returns an error text for a usage error, or "".
std::string ValidateCompareInputs(const CompareInputs& inputs);

/// One row as compare --json prints it.
nlohmann::json CompareRowJson(const CompareRow& row);

int RunCompare(const CompareInputs& inputs);

}  // namespace kestrel::cli
