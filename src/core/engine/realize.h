#pragma once
// The realization engine: the four realizations over the term table, and Realize, the step
// after the design structure dialog (dispatch on the chosen structure, clamping of sizes that
// exceed the function, refusal of sizes that are too small).

#include <optional>
#include <string>

#include "engine/address_choice.h"
#include "engine/records.h"
#include "function/term_table.h"
#include "function/truth_table.h"
#include "structure/structure_choice.h"
#include "ui/messages.h"
#include "ui/shell.h"

namespace kestrel {

/// The builders. They work on one term table and append to one result store.
class RealizationEngine {
 public:
  /// The plan, when given, chooses the address variables of the multiplexers and of the
  /// demultiplexer; without one they follow the term table's automatic order.
  RealizationEngine(TermTable& table, ResultStore& store, const AddressPlan* plan = nullptr)
      : table_(table), store_(store), plan_(plan) {}

  int BuildMuxTree(const std::string& text, int a, int level);
  int CheckSingleMux(const std::string& text, int a, int level);
  void BuildMuxWithGates(const std::string& text, int a, int maxFanIn, GateFamily gateFamily);
  int BuildGateNetwork(const std::string& text, int level, int maxFanIn, GateFamily gateFamily);
  void BuildDemux(const std::string& text, int a);
  void SelectDemuxOutputs(int a);
  void BuildMuxAndDemux(const std::string& text, int m, int d);

 private:
  std::vector<int> Chosen(const std::string& text, int level, int a) const {
    return plan_ ? plan_->Choose(text, level, a) : std::vector<int>{};
  }

  TermTable& table_;
  ResultStore& store_;
  const AddressPlan* plan_;
};

/// True when the tree is too wide to print legibly: more than 5 nodes and some level with more
/// than 5 of them.
bool IsLevelCrowded(const ResultStore& store);

namespace text {
inline constexpr const char* kNoTerms = "No terms entered!   ";
inline constexpr const char* kAddressInputsShort =
    "Realization impossible! \n\rThe number of supplied address inputs is not sufficient!   ";
inline constexpr const char* kTooLargeCircuit =
    "Realization impossible! \n\rThe circuit needs more than 1024 multiplexers and gates.   ";
}  // namespace text

enum class RealizeOutcome {
  kRealized,    ///< records filled, caption set, command state 2
  kNoFunction,  ///< "No terms entered!   "
  kRefused,     ///< too few address inputs (or an argument the dialog would refuse); state 9
  kNothing,     ///< multiplexer and demultiplexer with a constant function: nothing happens
};

struct RealizeResult {
  RealizeOutcome outcome = RealizeOutcome::kNothing;
  std::string designCaption;  ///< set when realized
  /// The command state the realization set: realized or refused; none when it set nothing.
  std::optional<CommandState> commandState;
};

/// Realize: checks the function text, clamps or refuses the chosen size (the clamped index
/// stays selected in the choice), resets and fills the result store, and sets command state 2
/// (realized) or 9 (refused) through the shell. The address choice applies to the structures
/// that have one; a named choice that does not fit the structure, its size or the function
/// (see CheckAddressChoice) is left aside for the automatic one.
RealizeResult Realize(const std::string& functionText, StructureChoice& choice, TermTable& table,
                      ResultStore& store, MessageSink& messages, ShellPort& shell,
                      const AddressChoice& address = {});

/// The number of address inputs the structure's top multiplexer or demultiplexer gets for a
/// function of n variables (the chosen size fitted to the function), 0 for the multiplexer with
/// a demultiplexer.
int TopAddressInputs(const StructureChoice& choice, int n);

/// The realized records of the chosen structure evaluated as a circuit on every assignment of
/// x0..x9: the value of F at each combination number. The verification compares this.
TruthTable CircuitOutput(const StructureChoice& choice, const ResultStore& store);

/// The circuit compared with the function: on every assignment of the function text's own
/// variables (the others held at 0), and, for a canonical function, on its Ones and Zeros.
struct Verification {
  int combinations = 0;  ///< assignments of the text's variables
  int mismatches = 0;    ///< of them, where the circuit differs from the text
  /// A canonical function's Ones (the circuit must give 1) and Zeros (0); none otherwise.
  std::optional<ListCheck> lists;
};
Verification VerifyRealization(const std::string& functionText, const StructureChoice& choice,
                               const ResultStore& store);
/// The same for the current function: its text, and its lists when it is canonical.
Verification VerifyRealization(const FunctionModel& model, const StructureChoice& choice,
                               const ResultStore& store);

}  // namespace kestrel
