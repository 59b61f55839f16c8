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
};

void AddRealizeOptions(CLI::App& app, RealizeInputs& inputs);
/// Returns an error text for a usage error, or "".
std::string ValidateRealizeInputs(const RealizeInputs& inputs);
/// True when the text is "", "0", "1" or a sum of products of x0..x9 / ~x0..~x9 without blanks.
bool IsWellFormedFunctionText(const std::string& text);

/// What happened to one realization request.
struct RealizeRun {
  bool defined = true;  ///< false when the minimize inputs were refused
  RealizeOutcome outcome = RealizeOutcome::kNothing;
  bool realizeCalled = false;
  std::optional<int> commandState;  ///< the state the realization set (2 or 9)
};

/// Sets the structure choice from the options, as a user clicking in the dialog would.
void ApplyStructureOptions(StructureChoice& choice, const RealizeInputs& inputs);
/// Runs the dialog's OK checks and Realize on the session's current function.
RealizeRun RealizeCurrentFunction(Session& session);
/// The structure name of the choice: mux, mux-gates, demux, mux-tree or mux-demux.
std::string StructureName(const StructureChoice& choice);
/// The JSON object realize prints for the session's state.
nlohmann::json RealizeJson(const Session& session, const RecordingMessages& messages,
                           const RealizeRun& run);
void PrintRealizePlain(const Session& session, const RecordingMessages& messages,
                       const RealizeRun& run);

/// Defines the function from the inputs and realizes it; false when the inputs were refused.
RealizeRun DefineAndRealize(Session& session, const RealizeInputs& inputs);

int RunRealize(const RealizeInputs& inputs, bool json);

}  // namespace kestrel::cli
