#pragma once
// Shared pieces of the kestrel-cli commands: the function inputs of minimize, the output of the
// model as JSON or plain text, and the exit codes.

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "session/session.h"

namespace kestrel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInternal = 3;

/// The function inputs that minimize takes (and realize, save and render after it).
struct FunctionInputs {
  std::optional<std::string> ones, zeros, dontCares, literal;
  bool noMinimize = false;
  bool Given() const { return ones || zeros || dontCares || literal || noMinimize; }
};

void AddFunctionOptions(CLI::App& app, FunctionInputs& inputs);
/// Checks combinations that make no sense; returns an error text or "".
std::string ValidateFunctionInputs(const FunctionInputs& inputs);
/// Defines the function as the entry windows would; false when an entry or the literal was
/// refused.
bool DefineFunction(Session& session, const FunctionInputs& inputs);

/// The messages shown so far, as {"text", "caption"} objects.
nlohmann::json MessagesJson(const RecordingMessages& messages);
/// The function model as minimize prints it.
nlohmann::json ModelJson(const Session& session, const RecordingMessages& messages);
void PrintMessagesPlain(const RecordingMessages& messages);
/// Prints the defined function: the JSON model, or its text and the messages shown.
void PrintModel(const Session& session, const RecordingMessages& messages, bool json);

/// minimize's choice of cover: "" (not given: the greedy cover, printed as always), "greedy"
/// or "exact", and the solver's time limit in seconds for the exact one.
struct CoverInputs {
  std::string cover;
  std::optional<double> timeLimit;
};
void AddCoverOptions(CLI::App& app, CoverInputs& inputs);
/// Returns an error text for a usage error, or "".
std::string ValidateCoverInputs(const CoverInputs& inputs);

int RunMinimize(const FunctionInputs& inputs, bool json, const CoverInputs& cover = {});

}  // namespace kestrel::cli
