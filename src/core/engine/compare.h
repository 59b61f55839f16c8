#pragma once
// The comparison of structures: the current function realized in every structure, size and
// gate family that the structure dialog allows for it, off to the side (on a term table, a
// result store and a structure choice of its own), with each circuit's cost.
//
// The rows, in this order: the single multiplexer, the multiplexer with gates (each gate family
// per size), the demultiplexer, the tree, each by size from 2 inputs up to the size that gives
// every variable an address input (a larger size is fitted to the function and gives the same
// circuit); then every multiplexer-and-demultiplexer pair whose address inputs add up to the
// function's variables (a single row when the structure cannot take the function). A row is
// realized or refused, and then holds the refusal's text.

#include <string>
#include <vector>

#include "engine/address_choice.h"
#include "engine/cost.h"
#include "structure/structure_choice.h"

namespace kestrel {

struct CompareRow {
  StructureOptions options;  ///< the structure, its sizes (as numbers of inputs) and gate family
  bool realized = false;
  std::string refusal;                ///< the message of a refused row, exactly as shown
  CircuitCost cost;                   ///< of a realized row
  bool cheapestByComponents = false;  ///< fewest components, then fewest gate inputs
  bool cheapestByLevels = false;      ///< fewest levels, then fewest components and gate inputs
};

/// Every row for the function text; none for a constant function. The address choice (only
/// automatic or best make sense across structures) applies where a structure has one.
std::vector<CompareRow> CompareStructures(const std::string& functionText,
                                          AddressMode address = AddressMode::kAutomatic);

/// Whether the structure dialog's choice builds the row's circuit for a function of n
/// variables: the same structure and gate family, and the same sizes once fitted to the
/// function (a size larger than the function needs is realized at the function's size).
bool ChoiceBuildsRow(const StructureChoice& choice, const StructureOptions& row, int n);

}  // namespace kestrel
