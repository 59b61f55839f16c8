#pragma once
// The explanation written for reading: as plain text (kestrel-cli explain --text) and as one
// self-contained HTML file (the report to hand in: the function, every table, the Karnaugh map
// and the diagram).

#include <string>

#include "explain/explanation.h"

namespace kestrel {

/// The short name of a source, as the JSON writes it ("constant", "variable", ...).
const char* InputSourceKey(InputSource source);
/// What feeds the data input, for reading: "constant 1", "x2", "NAND gate 3", "multiplexer 2".
std::string SourceText(const DataInputUse& use);
/// Where a demultiplexer output goes: "collecting gate 1 -> input 3", "input 5", "F".
std::string DestinationText(const DemuxOutputUse& use);
/// The cost, one "name: value" line each.
std::string CostText(const CircuitCost& cost);

/// Every table in full, in columns.
std::string ExplanationText(const Explanation& e);

/// A complete HTML document; diagramSvg (an <svg> element, or empty) is placed inline. Long
/// tables are cut at kReportRowsPerTable rows with a count of the rest.
std::string ExplanationHtml(const Explanation& e, const std::string& diagramSvg);

}  // namespace kestrel
