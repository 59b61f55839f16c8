#pragma once
// kestrel-cli simulate: realizes a function as realize does and prints the state of the circuit
// for one combination of the function's variables: F, the function's own value there, and every
// multiplexer's selected input and output, every gate, demultiplexer output and collecting gate.

#include <string>

#include "cli/realize_command.h"
#include "engine/simulation.h"

namespace kestrel::cli {

struct SimulateInputs {
  RealizeInputs realize;
  std::string assign;  ///< a combination number or settings such as x3=1,x0=0
  bool json = false;
};

void AddSimulateOptions(CLI::App& app, SimulateInputs& inputs);

/// The state as simulate --json prints it.
nlohmann::json StateJson(const CircuitState& state);
/// The state as simulate prints it without --json.
void PrintStatePlain(const Session& session, const CircuitState& state);

int RunSimulate(const SimulateInputs& inputs);

}  // namespace kestrel::cli
