#include "cli/simulate_command.h"

#include <iostream>

namespace kestrel::cli {

void AddSimulateOptions(CLI::App& app, SimulateInputs& inputs) {
  AddRealizeOptions(app, inputs.realize);
  app.add_option("--assign", inputs.assign,
                 "the combination: its number 0..2^n-1 (x0 is its lowest bit), or settings such "
                 "as x3=1,x0=0 (the variables not named are 0)")
      ->required();
  app.add_flag("--json", inputs.json, "print the state as one JSON object");
}

namespace {

nlohmann::json Bits(const std::vector<bool>& values) {
  nlohmann::json out = nlohmann::json::array();
  for (const bool v : values) out.push_back(v ? 1 : 0);
  return out;
}

std::string Settings(const CircuitState& s) {
  std::string text;
  for (int d = s.variableCount - 1; d >= 0; --d)
    text += " x" + std::to_string(d) + "=" + std::to_string((s.assignment >> d) & 1);
  return text;
}

}  // namespace

nlohmann::json StateJson(const CircuitState& s) {
  nlohmann::json j;
  j["assignment"] = s.assignment;
  j["variables"] = s.variableCount;
  j["output"] = s.output ? 1 : 0;
  j["expected"] = ExpectedText(s.expected);
  j["nodes"] = nlohmann::json::array();
  for (const NodeState& n : s.nodes)
    j["nodes"].push_back({{"index", n.index},
                          {"output", n.output ? 1 : 0},
                          {"selectedInput", n.selectedInput ? nlohmann::json(*n.selectedInput)
                                                            : nlohmann::json(nullptr)},
                          {"inputs", Bits(n.inputs)}});
  j["demuxOutputs"] = Bits(s.demuxOutputs);
  j["collectingGates"] = Bits(s.collectingGates);
  return j;
}

void PrintStatePlain(const Session& session, const CircuitState& s) {
  std::cout << "Function: " << session.model.functionText << "\n";
  std::cout << "Realized in the structure: " << session.designCaption << "\n";
  std::cout << "Combination " << s.assignment << ":" << Settings(s) << "\n";
  std::cout << "F = " << (s.output ? 1 : 0) << ", the function: " << ExpectedText(s.expected)
            << (s.Differs() ? "  (the circuit differs from the function)" : "") << "\n";
  for (const NodeState& n : s.nodes) {
    std::cout << "Node " << n.index << ": output " << (n.output ? 1 : 0);
    if (n.selectedInput) std::cout << ", selects input " << *n.selectedInput;
    std::cout << ", inputs";
    for (const bool v : n.inputs) std::cout << " " << (v ? 1 : 0);
    std::cout << "\n";
  }
  for (size_t o = 0; o < s.demuxOutputs.size(); ++o)
    if (s.demuxOutputs[o]) std::cout << "Demultiplexer output " << o << " is active\n";
  for (size_t g = 0; g < s.collectingGates.size(); ++g)
    std::cout << "Collecting gate " << g + 1 << ": output " << (s.collectingGates[g] ? 1 : 0)
              << "\n";
}

int RunSimulate(const SimulateInputs& inputs) {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  std::string addressProblem;
  const RealizeResult run = DefineAndRealize(session, inputs.realize, addressProblem);
  if (!addressProblem.empty()) {
    std::cerr << "kestrel-cli: " << addressProblem << "\n";
    return kExitUsage;
  }
  const AssignmentParse assignment =
      ParseAssignment(inputs.assign, SimulationVariableCount(session.model));
  if (!assignment.error.empty()) {
    std::cerr << "kestrel-cli: --assign: " << assignment.error << "\n";
    return kExitUsage;
  }
  if (run.outcome != RealizeOutcome::kRealized) {
    PrintMessagesPlain(messages);
    std::cerr << "kestrel-cli: nothing was realized, so there is no circuit to simulate\n";
    return kExitRefused;
  }
  const CircuitState state = StateAt(EvaluateCircuit(session.choice, session.results),
                                     FunctionValuesOf(session.model), assignment.assignment);
  if (inputs.json)
    std::cout << StateJson(state).dump() << "\n";
  else
    PrintStatePlain(session, state);
  return kExitOk;
}

}  // namespace kestrel::cli
