// Circuit verification: the realized records evaluated as a circuit (EvaluateCircuit, the same
// evaluation the live circuit reads its states from) and compared with the function text on
// every assignment of its variables, and for a canonical function also with its Ones and Zeros.

#include <bit>

#include "engine/realize.h"
#include "engine/simulation.h"
#include "function/function_model.h"

namespace kestrel {

TruthTable CircuitOutput(const StructureChoice& choice, const ResultStore& store) {
  return EvaluateCircuit(choice, store).output;
}

Verification VerifyRealization(const std::string& functionText, const StructureChoice& choice,
                               const ResultStore& store) {
  int used = 0;
  for (int d = 0; d < kMaxVariables; ++d)
    if (functionText.find("x" + std::to_string(d)) != std::string::npos) used |= 1 << d;
  const TruthTable circuit = EvaluateCircuit(choice, store).output;
  // Compare on the assignments of the function's own variables (the others held at 0).
  const TruthTable function = EvaluateFunctionText(functionText);
  Verification result;
  result.combinations = 1 << std::popcount(static_cast<unsigned>(used));
  for (int k = 0; k < kCombinations; ++k)
    if ((k & ~used) == 0 && function.At(k) != circuit.At(k)) ++result.mismatches;
  return result;
}

Verification VerifyRealization(const FunctionModel& model, const StructureChoice& choice,
                               const ResultStore& store) {
  Verification result = VerifyRealization(model.functionText, choice, store);
  // The text of a canonical function was minimized from its lists; the circuit must also agree
  // with them, or a text that no longer matches its lists would pass unnoticed.
  if (model.representationFlag == 1)
    result.lists = CheckLists(EvaluateCircuit(choice, store).output, model);
  return result;
}

}  // namespace kestrel
