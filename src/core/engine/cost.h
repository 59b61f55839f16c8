#pragma once
// What a realized circuit costs, counted from the realization records the way the diagram draws
// them. Used by the comparison of structures and by the choice of address variables.
//
//   multiplexers    - by size: how many with 2, 4, 8 and 16 data inputs
//   demultiplexers  - by size: how many with 2, 4, 8 and 16 outputs
//   gates           - every gate symbol drawn: the gate nodes of a gate network (AND, OR, NAND,
//                     NOR), the collecting gates that combine two or more demultiplexer outputs,
//                     and the inverters. An inverter is drawn, and counted as a gate of one
//                     input, for:
//                       - a negated literal on a multiplexer's data inputs (one per distinct
//                         label of one multiplexer, as the label columns are drawn);
//                       - a gate whose output stays negated once the negations on its output
//                         and on the input it feeds have cancelled (so NAND-NAND and NOR-NOR
//                         networks draw none inside, only where a negation is left over);
//                       - a demultiplexer output or collecting gate whose polarity needs one
//                         (the outputs are active low).
//                     A negated literal written at a gate's input is a label, not an inverter.
//   gate inputs     - the inputs of all those gates (an inverter has one)
//   levels          - the most components a signal passes on its way from a variable to F
//   components      - multiplexers, demultiplexers and gates together

#include <array>

#include "engine/records.h"
#include "structure/structures.h"

namespace kestrel {

struct CircuitCost {
  std::array<int, 4> multiplexers{};    ///< by address inputs - 1: 2, 4, 8, 16 data inputs
  std::array<int, 4> demultiplexers{};  ///< by address inputs - 1: 2, 4, 8, 16 outputs
  int gates = 0;                        ///< inverters included
  int inverters = 0;
  int gateInputs = 0;
  int levels = 0;

  int Multiplexers() const { return Sum(multiplexers); }
  int Demultiplexers() const { return Sum(demultiplexers); }
  int Components() const { return Multiplexers() + Demultiplexers() + gates; }
  bool operator==(const CircuitCost&) const = default;

 private:
  static int Sum(const std::array<int, 4>& counts) {
    return counts[0] + counts[1] + counts[2] + counts[3];
  }
};

/// The cost of the circuit of a structure as the store holds it after a realization.
CircuitCost MeasureCircuit(Structure structure, const ResultStore& store);

/// Cheaper in components, then in gate inputs.
bool FewerComponents(const CircuitCost& a, const CircuitCost& b);

}  // namespace kestrel
