#pragma once
// kestrel-cli realize: defines (or takes) a function, chooses the design structure as the
// dialog would, realizes it and prints the records and their verification.

#include <optional>
#include <string>

#include "cli/common.h"
#include "engine/realize.h"

namespace kestrel::cli {

struct RealizeInputs {
  FunctionInputs function;
  std::optional<std::string> functionText;
  std::string structure;
  std::optional<int> muxSize, demuxSize;
  std::string gates = "nand";
  /// The address variables: "automatic", "best" or names such as x3,x1 (levels of a tree
  /// joined by "/").
  std::optional<std::string> address;
  /// realize only: also print the circuit's cost.
  bool cost = false;

  /// The structure options named (the structure must be one of the known names).
  StructureOptions Options() const;
};

/// The names the options take, from the structure and gate-family tables.
std::vector<std::string> StructureCliNames();
std::vector<std::string> GateFamilyCliNames();

void AddRealizeOptions(CLI::App& app, RealizeInputs& inputs);
/// Returns an error text for a usage error, or "".
std::string ValidateRealizeInputs(const RealizeInputs& inputs);
/// The --address option (of realize, render and save).
void AddAddressOption(CLI::App& app, RealizeInputs& inputs);
/// True when the text is "", "0", "1" or a sum of products of x0..x9 / ~x0..~x9 without blanks.
bool IsWellFormedFunctionText(const std::string& text);

/// The JSON object realize prints for the session's state after the realization request whose
/// result is given. The check against a canonical function's Ones and Zeros is always made; it
/// is shown (as verification.lists) when asked for with listCheck, and whenever it finds a
/// mismatch, so the default output stays what it always was.
nlohmann::json RealizeJson(const Session& session, const RecordingMessages& messages,
                           const RealizeResult& result, bool listCheck = false);
void PrintRealizePlain(const Session& session, const RecordingMessages& messages,
                       const RealizeResult& result, bool listCheck = false);

/// Defines the function from the inputs, then runs the Realization command with the dialog
/// confirmed on the chosen structure (nothing happens when the inputs were refused or the
/// command is disabled). An address choice that does not fit the structure or the function
/// stops before the realization, with the reason in addressProblem.
RealizeResult DefineAndRealize(Session& session, const RealizeInputs& inputs,
                               std::string& addressProblem);
/// The address choice the inputs name, when they name one that fits; the reason otherwise.
std::string ApplyAddressOption(Session& session, const RealizeInputs& inputs);

/// A circuit's cost as realize --cost and compare print it.
nlohmann::json CostJson(const CircuitCost& cost);
/// One line: "2 multiplexers (1 of 4, 1 of 2), 1 demultiplexer of 8, ...".
std::string CostText(const CircuitCost& cost);

int RunRealize(const RealizeInputs& inputs, bool json, bool listCheck = false);

}  // namespace kestrel::cli
