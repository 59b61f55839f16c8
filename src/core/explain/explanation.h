#pragma once
// The work behind the current function, as values a student can read: the truth table (with the
// realized circuit's value on every combination), the implicant levels exactly as the minimizer
// formed them, the cover selection in the order it visited the prime implicants, and for a
// realized circuit what feeds every multiplexer data input, which demultiplexer outputs are used,
// and the cost.
//
// Nothing here is a second algorithm: the levels and the cover steps come from the minimizer
// run on the same input as the minimization run (LevelTable with the cover selection's record),
// the circuit's values from the verification's evaluation of the realization records, the cost
// from CostOf.
//
// Terms used here:
//   combination - a row of the truth table, 0..2^n-1; bit b is the value of the variable named
//                 variableNames[n-1-b] (for a canonical function x<b>; for a literal function the
//                 variables it was minimized over, the most significant first).
//   merged      - an implicant that was combined with another into the next level (it is not
//                 prime); the cover selection never sees it.
//   cover step  - one visit of the cover selection to a prime implicant, kept or dropped.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/cost.h"
#include "engine/records.h"
#include "function/minimizer.h"
#include "structure/structure_choice.h"

namespace kestrel {

struct FunctionModel;

/// The value of the function at one combination.
enum class FunctionValue { kZero, kOne, kDontCare };

/// "0", "1" or "-".
char ValueChar(FunctionValue value);

/// One implicant of a level, in the order the minimizer generated it.
struct LevelImplicant {
  uint16_t p = 0;  ///< variables present plain (bit b: the variable of bit b)
  uint16_t n = 0;  ///< variables present negated
  bool merged = false;
  bool selected = false;
};

/// True when the product (p, n) covers the combination.
inline bool ProductCovers(uint16_t p, uint16_t n, int combination) {
  return (static_cast<unsigned>(combination) & (p | n)) == p;
}

/// Where a multiplexer data input gets its signal from.
enum class InputSource {
  kConstant,        ///< "0" or "1"
  kVariable,        ///< a variable, such as x1
  kComplement,      ///< a complemented variable, such as ~x1 (through an inverter)
  kGate,            ///< the output of a gate of a gate network
  kMultiplexer,     ///< the output of a sub-multiplexer
  kCollectingGate,  ///< a collecting gate on the demultiplexer's outputs
  kDemuxOutput,     ///< one demultiplexer output, through an inverter
  kExpression,      ///< a label naming more than one variable, with nothing drawn to realize it
};

/// One data input of one multiplexer.
struct DataInputUse {
  int multiplexer = 0;  ///< the node number (the single multiplexer of the multiplexer and
                        ///< demultiplexer structure is 1)
  int input = 0;        ///< the data input, whose address value it is
  std::string address;  ///< the address combination, such as "x3x2 = 01"
  InputSource source = InputSource::kConstant;
  int sourceNumber = 0;                  ///< node, collecting gate or demultiplexer output
  NodeKind sourceKind = NodeKind::kMux;  ///< the kind of node of kGate and kMultiplexer
  std::string label;                     ///< the residue the input receives
};

/// One demultiplexer output that is wired somewhere.
struct DemuxOutputUse {
  int output = 0;
  std::string address;        ///< the combination of the demultiplexer's address inputs
  int collectingGate = 0;     ///< 1-based collecting gate it feeds; 0: wired without a gate
  bool gateIsWire = false;    ///< the collecting gate has this one input, so it is drawn as a wire
  int multiplexerInput = -1;  ///< the multiplexer data input it ends in; -1: F
};

struct RealizationTable {
  Structure structure = Structure::kMux;
  std::string designCaption;
  std::vector<DataInputUse> dataInputs;      ///< multiplexer by multiplexer, inputs in order
  std::vector<DemuxOutputUse> demuxOutputs;  ///< by output number, then collecting gate
};

struct Explanation {
  std::string function;                    ///< the current function text, as the program holds it
  int representation = 0;                  ///< 0 none, 1 canonical, 2 literal
  int variables = 0;                       ///< n
  std::vector<std::string> variableNames;  ///< of bit n-1 first, bit 0 last
  std::vector<int> variableIndex;          ///< per bit b: d of the variable x<d> it stands for
  std::vector<FunctionValue> values;       ///< per combination
  std::vector<int8_t> circuit;  ///< per combination the circuit's value; empty when not realized

  bool minimized = false;     ///< the program minimized this function: levels and steps follow
  std::string minimizedText;  ///< the text that minimization gives
  std::vector<std::vector<LevelImplicant>> levels;
  std::vector<CoverStep> coverSteps;

  std::optional<RealizationTable> realization;
  std::optional<CircuitCost> cost;

  /// The product as the minimized text writes it; "1" for the product without literals.
  std::string TermText(uint16_t p, uint16_t n) const;
  std::string TermText(const LevelImplicant& implicant) const {
    return TermText(implicant.p, implicant.n);
  }
  /// The combinations the product covers, ascending.
  std::vector<int> Minterms(uint16_t p, uint16_t n) const;
  /// The selected implicants in the order of the minimized text (top level down, last slot
  /// first), as (level, slot).
  std::vector<std::pair<int, int>> SelectedInTextOrder() const;
  /// The implicants of all levels.
  size_t ImplicantCount() const;
  /// Ones and Zeros on which the circuit differs from the function (0 when not realized).
  int Mismatches() const;
  /// The combination number over x0..x9 that a combination of this table stands for.
  int FullCombination(int combination) const;

  // Kept for TermText: how the minimized text names the variables.
  int termRepresentation = 1;
  std::vector<std::string> termNames;
  int termNameCount = 0;
};

/// A realized circuit: the structure choice, the records and the design caption.
struct RealizedCircuit {
  const StructureChoice* choice = nullptr;
  const ResultStore* results = nullptr;
  std::string designCaption;
};

/// The explanation of the function model, with the circuit when one is realized (pass nothing
/// when the current records do not belong to the function).
Explanation Explain(const FunctionModel& model, const RealizedCircuit* realized = nullptr);

/// The address combination of the value over the labels, the first most significant:
/// "x3x2 = 01".
std::string AddressText(const std::string* labels, int count, int value);

}  // namespace kestrel
