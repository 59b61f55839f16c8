#pragma once
// kestrel-cli explain: defines (and with --structure realizes) a function as minimize and
// realize do, and prints the work behind it: the truth table with the circuit's value, the
// implicant levels, the cover selection, the realization's data-input table and its cost; as
// text, as JSON or as an HTML report with the diagram.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "cli/realize_command.h"
#include "explain/explanation.h"

namespace kestrel::cli {

struct ExplainInputs {
  RealizeInputs realize;  ///< --structure optional: without it nothing is realized
  bool json = false, text = false, html = false;
  std::string output;  ///< -o: the file written instead of the standard output
};

void AddExplainOptions(CLI::App& app, ExplainInputs& inputs);
/// Returns an error text for a usage error, or "".
std::string ValidateExplainInputs(const ExplainInputs& inputs);

/// The explanation as JSON (every row of every table).
nlohmann::json ExplanationJson(const Explanation& e);

/// The whole command; returns the exit code.
int RunExplain(const ExplainInputs& inputs);

}  // namespace kestrel::cli
