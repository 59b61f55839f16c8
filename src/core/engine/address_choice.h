#pragma once
// The choice of the variables that drive the address (select) inputs.
//
// Terms used here:
//   automatic  - the term table's own order: the variables used by the most products first for
//                a multiplexer, the used variables from x9 down for the demultiplexer. The
//                default, and exactly the circuits the program has always built.
//   named      - the user names the address variables, most significant first. For the single
//                multiplexer and the multiplexer with gates, one list of as many names as the
//                multiplexer has address inputs; for the demultiplexer, every variable of the
//                function in the order of the address inputs; for the tree, one list per level
//                of the tree, the first for the output multiplexer (as many names as it has
//                address inputs), each further one for every multiplexer of that level: such a
//                multiplexer takes the variables of its level's list that its residue uses, in
//                the list's order, and fills any address inputs left over in the automatic
//                order. Levels beyond the lists given are automatic.
//   best       - the choice with the fewest components, then the fewest gate inputs (as
//                CircuitCost counts them), over every possible choice: every set of address
//                variables of the multiplexer (and every order of them where the order changes
//                the gate networks), and for the tree every multiplexer's own set, which the
//                search finds multiplexer by multiplexer since a subtree's cost depends only on
//                its residue. Among equally cheap choices the automatic one is kept.
//
// The structure of a multiplexer with a demultiplexer has no choice: its split follows the
// pairing of sizes.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cost.h"
#include "structure/structures.h"

namespace kestrel {

enum class AddressMode { kAutomatic, kNamed, kBest };

struct AddressChoice {
  AddressMode mode = AddressMode::kAutomatic;
  /// Named: per level, the variables (0..9), most significant address input first.
  std::vector<std::vector<int>> levels;
  bool operator==(const AddressChoice&) const = default;
};

/// Whether the structure lets the address variables be chosen.
bool HasAddressChoice(Structure structure);

/// The choice as the command line and the project file write it: "automatic", "best", or the
/// names of each level joined by "," with the levels joined by "/" (for example "x3,x1/x2").
std::string FormatAddressChoice(const AddressChoice& choice);
/// Reads what FormatAddressChoice writes; nothing (and the reason in error) for anything else.
std::optional<AddressChoice> ParseAddressChoice(std::string_view text, std::string* error);

/// Checks a named choice against the structure, its number of address inputs (after the size
/// was fitted to the function) and the function: the reason it does not fit, or "".
std::string CheckAddressChoice(const AddressChoice& choice, Structure structure, int addressInputs,
                               const std::string& functionText);

/// Decides the address variables of each multiplexer or demultiplexer as the engine builds it.
class AddressPlan {
 public:
  virtual ~AddressPlan() = default;
  /// The variables for the first address inputs of the node that realizes text at that tree
  /// level with a address inputs, most significant first; the rest follow the automatic order.
  virtual std::vector<int> Choose(const std::string& text, int level, int a) const = 0;
};

/// The plan of a choice for a structure realizing the function with a address inputs at the
/// top (after fitting the size); nothing for the automatic choice or a structure without one.
std::unique_ptr<AddressPlan> PlanAddress(const AddressChoice& choice, Structure structure,
                                         const std::string& functionText, int a, GateFamily family);

/// What the search for the best choice predicts, for tests and measurements.
struct BestAddress {
  int components = 0, gateInputs = 0;  ///< as MeasureCircuit will count them
  std::vector<int> top;                ///< the address variables of the output node
  bool realizable = true;              ///< false for a single multiplexer that no choice makes do
};
BestAddress SearchBestAddress(Structure structure, const std::string& functionText, int a,
                              GateFamily family);

namespace text {
inline constexpr const char* kAddressAutomatic = "automatic";
inline constexpr const char* kAddressBest = "best";
}  // namespace text

}  // namespace kestrel
