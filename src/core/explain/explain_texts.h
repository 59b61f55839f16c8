#pragma once
// The texts of the explanation's reports (plain text and HTML), defined once.

namespace kestrel::text {

inline constexpr const char* kReportTitle = "Kestrel - the work behind the function";
inline constexpr const char* kFunctionHeading = "Function";
inline constexpr const char* kNoFunction = "(none)";
inline constexpr const char* kVariablesHeading = "Variables";
inline constexpr const char* kTruthTableHeading = "Truth table";
inline constexpr const char* kKarnaughHeading = "Karnaugh map";
inline constexpr const char* kLevelsHeading = "Implicant levels";
inline constexpr const char* kCoverHeading = "Cover selection";
inline constexpr const char* kRealizationHeading = "Realization";
inline constexpr const char* kDemuxOutputsHeading = "Demultiplexer outputs";
inline constexpr const char* kCostHeading = "Cost";
inline constexpr const char* kDiagramHeading = "Diagram";
inline constexpr const char* kNotMinimized =
    "The function was not minimized by the program, so there are no implicant levels.";
inline constexpr const char* kNotRealized = "No circuit is realized.";
inline constexpr const char* kMismatchMark = "*";
inline constexpr const char* kMismatchNote = "* the circuit differs from the function here";

// Column headings.
inline constexpr const char* kColumnCombination = "#";
inline constexpr const char* kColumnFunction = "F";
inline constexpr const char* kColumnCircuit = "Circuit";
inline constexpr const char* kColumnTerm = "Product";
inline constexpr const char* kColumnMinterms = "Combinations";
inline constexpr const char* kColumnMerged = "Merged";
inline constexpr const char* kColumnSelected = "In cover";
inline constexpr const char* kColumnStep = "Step";
inline constexpr const char* kColumnDecision = "Decision";
inline constexpr const char* kColumnOnlyCovers = "Ones only it covers";
inline constexpr const char* kColumnMultiplexer = "Multiplexer";
inline constexpr const char* kColumnInput = "Input";
inline constexpr const char* kColumnAddress = "Address";
inline constexpr const char* kColumnSource = "Fed by";
inline constexpr const char* kColumnLabel = "Residue";
inline constexpr const char* kColumnOutput = "Output";
inline constexpr const char* kColumnCollectingGate = "Collecting gate";
inline constexpr const char* kColumnGoesTo = "Goes to";

inline constexpr const char* kYes = "yes";
inline constexpr const char* kNo = "no";
inline constexpr const char* kKept = "kept";
inline constexpr const char* kDropped = "dropped as redundant";
inline constexpr const char* kLevelWord = "Level";
inline constexpr const char* kImplicantsWord = "implicants";
inline constexpr const char* kMergedWord = "merged";
inline constexpr const char* kInCoverWord = "in the cover";
inline constexpr const char* kMoreRows =
    "more rows not shown (kestrel-cli explain --json lists all)";

// What feeds a multiplexer data input.
inline constexpr const char* kSourceConstant = "constant";
inline constexpr const char* kSourceVariable = "variable";
inline constexpr const char* kSourceComplement = "through an inverter";
inline constexpr const char* kSourceGate = "gate";
inline constexpr const char* kSourceMultiplexer = "multiplexer";
inline constexpr const char* kSourceCollectingGate = "collecting gate";
inline constexpr const char* kSourceDemuxOutput = "demultiplexer output";
inline constexpr const char* kSourceExpression = "label";
inline constexpr const char* kToF = "F";
inline constexpr const char* kWire = "wire";

// Cost lines.
inline constexpr const char* kCostMultiplexers = "Multiplexers";
inline constexpr const char* kCostDemultiplexers = "Demultiplexers";
inline constexpr const char* kCostGates = "Gates (inverters included)";
inline constexpr const char* kCostInverters = "Inverters";
inline constexpr const char* kCostGateInputs = "Gate inputs";
inline constexpr const char* kCostLevels = "Levels from input to F";

}  // namespace kestrel::text
