#pragma once
// The realized circuit as a netlist, written as structural Verilog or as BLIF for simulators,
// synthesis and equivalence checkers.
//
// Terms. A cell is one element of the drawing: a multiplexer, the demultiplexer, a gate, or an
// inverter (of an output, or of a variable that enters complemented). A net is a named wire;
// the constants are the nets kNetLow and kNetHigh. Ports are the function's variables, the most
// significant first, and the output F.
//
// The netlist shows what the drawing shows: it is built from the same placed records that
// LayoutDiagram returns (counts and ids clamped, negations of gate inputs moved onto the
// children's outputs, collecting gates as NANDs of the demultiplexer's active-low outputs), never
// from the function. Cells and nets are named after the records: node k of the node list is the
// instance mux<k> (nand<k>, nor<k>, and<k>, or<k>) driving the net n<k>; the output node drives F.

#include <string>
#include <vector>

#include "diagram/diagram.h"
#include "engine/records.h"
#include "function/function_model.h"
#include "structure/structure_choice.h"

namespace kestrel {

namespace text {
inline constexpr const char* kNothingRealized = "nothing is realized, so there is no circuit";
}  // namespace text

enum class CellKind { kMux, kDemux, kAnd, kOr, kNand, kNor, kNot, kBuf };

/// The constants as nets; neither is an identifier, so no net can be named like them.
inline constexpr const char* kNetLow = "0";
inline constexpr const char* kNetHigh = "1";

struct NetlistCell {
  CellKind kind = CellKind::kBuf;
  std::string name;                  ///< the instance name
  std::vector<std::string> address;  ///< multiplexer, demultiplexer: A(n-1) first, A0 last
  /// A multiplexer's data inputs 0..2^n-1; a gate's inputs; a demultiplexer's enable (active
  /// low).
  std::vector<std::string> inputs;
  /// One output; a demultiplexer's active-low outputs 0..2^n-1 ("" for an output left open).
  std::vector<std::string> outputs;
  std::vector<std::string> comment;  ///< what the cell is in the drawing, one line each
};

struct Netlist {
  std::string module;               ///< the module (and BLIF model) name
  std::vector<std::string> inputs;  ///< the variables, the most significant first
  std::string output = "F";
  std::vector<std::string> header;  ///< lines of the header comment
  std::vector<NetlistCell> cells;   ///< in the order they are written
};

/// Everything besides the records that a netlist names.
struct NetlistRequest {
  std::string moduleName;  ///< wanted; made a legal identifier (the header lists the change)
  std::vector<std::string> variables;  ///< the function's variables, the most significant first
  std::string functionText;            ///< shown in the header
  std::string structureCaption;        ///< shown in the header
};

struct NetlistResult {
  Netlist netlist;
  std::string error;  ///< empty when the records form a circuit
  bool ok() const { return error.empty(); }
};

/// The netlist of the structure selected in choice as the records hold it.
NetlistResult BuildNetlist(const ResultStore& results, const StructureChoice& choice,
                           const NetlistRequest& request);
/// The netlist of a placed diagram. Only its records count, never a position, so the exact and
/// the clear style's layouts give the same netlist.
NetlistResult BuildNetlist(const Diagram& placed, const NetlistRequest& request);

/// The request for a netlist written to path: the module is named after the file (its name
/// without folder and extension).
NetlistRequest NetlistRequestFor(const FunctionModel& model, const std::string& designCaption,
                                 const std::string& path);

/// A legal Verilog and BLIF identifier for name: letters, digits and "_", not starting with a
/// digit, not a Verilog keyword; "" becomes fallback.
std::string LegalIdentifier(const std::string& name, const std::string& fallback);

enum class NetlistFormat { kNone, kVerilog, kBlif };

/// .v is Verilog, .blif is BLIF (any case); anything else is kNone.
NetlistFormat NetlistFormatFromExtension(const std::string& path);
const char* NetlistFormatName(NetlistFormat format);

/// Structural Verilog-2001: the module, then one small module per multiplexer and
/// demultiplexer size it uses.
std::string VerilogText(const Netlist& netlist);
/// BLIF: one model, every cell a .names table.
std::string BlifText(const Netlist& netlist);
/// The text in the format ("" for kNone).
std::string NetlistText(const Netlist& netlist, NetlistFormat format);

}  // namespace kestrel
