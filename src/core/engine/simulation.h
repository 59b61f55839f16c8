#pragma once
// The realized circuit as a circuit: every signal of the realization records evaluated at once
// on all 1024 assignments of x0..x9 (the verification compares its output with the function),
// and the state of the circuit for one combination of the function's variables read from it
// (what the live circuit shows and kestrel-cli simulate prints).

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/records.h"
#include "function/function_model.h"
#include "function/truth_table.h"
#include "structure/structure_choice.h"

namespace kestrel {

/// A multiplexer or gate of the circuit: its data inputs as the node uses them (after their
/// negations) and its output (after its inverter).
struct NodeTables {
  int addressCount = 0;
  std::array<std::string, 4> addressLabels;  ///< the first one most significant
  bool mux = false;
  std::vector<TruthTable> inputs;
  TruthTable output;
};

/// Every signal of the records on all 1024 assignments. Tree structures: one entry of nodes per
/// node of the list (index id - 1). Demultiplexer: no nodes, its outputs and the one collecting
/// gate. Multiplexer and demultiplexer: the multiplexer as the only node, the demultiplexer's
/// outputs and every collecting gate.
struct CircuitTables {
  std::vector<NodeTables> nodes;
  std::vector<TruthTable> demuxOutputs;     ///< 1 at the addressed output
  std::vector<TruthTable> collectingGates;  ///< each gate's output
  TruthTable output;                        ///< F
};

/// The records of the structure chosen in choice evaluated as a circuit: multiplexers route the
/// addressed data input, gates combine their (possibly negated) inputs and may be followed by an
/// inverter, the demultiplexer activates one output and a collecting gate combines the flagged
/// ones with its polarity.
CircuitTables EvaluateCircuit(const StructureChoice& choice, const ResultStore& store);

/// The value of a line labelled with a variable name ("x3"); 0 for any other label.
bool LineValue(const std::string& label, int assignment);

/// The number n of the function's variables x0..x(n-1): the lowest n that holds every variable
/// it has (FunctionVariables); 0 for a function without variables.
int SimulationVariableCount(const FunctionModel& model);

enum class ExpectedValue { kZero, kOne, kDontCare };

/// The function's own values, read once from the model: a canonical function's Ones give 1, its
/// Zeros 0, its Don't cares "-"; any other combination the value of the function text.
struct FunctionValues {
  int variableCount = 0;  ///< SimulationVariableCount
  TruthTable ones;
  TruthTable dontCares;
  ExpectedValue At(int assignment) const;
};
FunctionValues FunctionValuesOf(const FunctionModel& model);
/// "0", "1" or "-".
const char* ExpectedText(ExpectedValue value);

struct NodeState {
  int index = 0;  ///< 1-based: the node's id, or 1 for the multiplexer of the mux-demux pair
  bool output = false;
  std::optional<int> selectedInput;  ///< a multiplexer's addressed data input
  std::vector<bool> inputs;          ///< the value each data input passes on
  std::array<bool, 4> address{};     ///< the address lines, the first one most significant
};

/// The circuit at one combination.
struct CircuitState {
  int assignment = 0;
  int variableCount = 0;
  bool output = false;  ///< F
  ExpectedValue expected = ExpectedValue::kDontCare;
  std::vector<NodeState> nodes;
  std::vector<bool> demuxOutputs;
  std::vector<bool> collectingGates;

  /// The circuit gives a value other than the function's (a Don't care never differs).
  bool Differs() const {
    return expected != ExpectedValue::kDontCare && output != (expected == ExpectedValue::kOne);
  }
};

/// The state at assignment (bit d is x<d>; 0..1023, the variables above the function's held
/// at 0 by the caller).
CircuitState StateAt(const CircuitTables& tables, const FunctionValues& function, int assignment);

/// The live circuit of the shown realization: its tables, evaluated once, and the combination
/// the student sets with the switches, types or steps through.
class LiveCircuit {
 public:
  /// Evaluates the circuit of the records; the combination stays when the new function has it,
  /// else it goes back to 0.
  void Load(const StructureChoice& choice, const ResultStore& store, const FunctionModel& model);
  int variableCount() const { return variableCount_; }
  /// 2^n: the combinations of the function's variables.
  int combinations() const { return 1 << variableCount_; }
  int assignment() const { return assignment_; }
  /// Sets the combination; one outside 0..combinations()-1 is refused (false).
  bool SetAssignment(int assignment);
  /// Flips the switch of x<d> (a variable the function does not have is ignored).
  void Toggle(int d);
  /// Steps delta combinations forward (or back), wrapping around at either end.
  void Step(int delta);
  CircuitState State() const { return StateAt(tables_, function_, assignment_); }

 private:
  CircuitTables tables_;
  FunctionValues function_;
  int variableCount_ = 0;
  int assignment_ = 0;
};

/// A combination number from variable settings such as "x3=1,x0=0" (the variables not named are
/// 0). Empty error means success.
struct AssignmentParse {
  int assignment = 0;
  std::string error;
};
/// Reads "N" (a decimal combination number) or a list of x<d>=0|1 separated by commas, for a
/// function of variableCount variables.
AssignmentParse ParseAssignment(const std::string& text, int variableCount);

}  // namespace kestrel
