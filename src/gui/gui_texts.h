#pragma once
// The messages only the desktop program shows (printing and its outer error handler), exactly as
// the user sees them. The captions are the message seam's (ui/messages.h).

#include "ui/messages.h"

namespace kestrel::text {

inline constexpr const char* kNoPrinter = "No printer installed!   ";
inline constexpr const char* kNoPrinterInSystem = "No printer installed in the system!   ";
inline constexpr const char* kCriticalError =
    "Critical error occured! Application may behave unstable.\r\nSave the project and restart "
    "the application";

/// The desktop program's command line: its usage and its usage errors.
inline constexpr const char* kCommandLineUsage =
    "Usage: kestrel [FILE]\n"
    "Starts the Kestrel program; FILE, a function file (.kef) or a project file (.kep),\n"
    "is opened at start as \"Open function\" or \"Open project\" would open it.\n";
inline constexpr const char* kUnknownOption = "unknown option ";
inline constexpr const char* kOneFileOnly = "only one file can be opened at start";

/// The live circuit: its menu, its bar and their hints.
inline constexpr const char* kLiveCircuit = "&Live circuit";
inline constexpr const char* kLiveCircuitHint =
    "Set the inputs and watch the values travel through the circuit";
inline constexpr const char* kInputsCaption = "Inputs:";
inline constexpr const char* kSwitchHint =
    "Click to switch %1 (also by clicking its label in the diagram)";
inline constexpr const char* kCombinationCaption = "Combination:";
inline constexpr const char* kPreviousHint = "Previous combination";
inline constexpr const char* kNextHint = "Next combination";
inline constexpr const char* kPlayHint = "Step through all combinations";
inline constexpr const char* kSpeedHint = "Time per combination while playing";
inline constexpr const char* kFunctionValue = "function: %1";
inline constexpr const char* kDontCareValue = "function: - (don't care)";
inline constexpr const char* kDiffersValue = "function: %1 \u2260 F: the circuit differs!";

/// The View menu (the live circuit and the Work window).
inline constexpr const char* kViewMenu = "&View";
inline constexpr const char* kShowWork = "Show the work...";
inline constexpr const char* kShowWorkHint =
    "Show the work: truth table, Karnaugh map, minimization";
inline constexpr const char* kWorkTitle = "Work";
inline constexpr const char* kTabTruthTable = "Truth table";
inline constexpr const char* kTabKarnaugh = "Karnaugh map";
inline constexpr const char* kTabMinimization = "Minimization";
inline constexpr const char* kTabRealization = "Realization";
inline constexpr const char* kSaveReport = "Save report...";
inline constexpr const char* kSaveReportTitle = "Save report";
inline constexpr const char* kReportFilter = "HTML report (*.html)|*.html|PDF report (*.pdf)|*.pdf";
inline constexpr const char* kNoWork = "No function is defined.";
inline constexpr const char* kProductsHint = "Choose a product to see its cells:";
inline constexpr const char* kCoverStepsCaption = "Cover selection (in visiting order):";
inline constexpr const char* kReportNotSaved = "The report has not been saved: ";

/// The menus the desktop program adds after its own (Edit, View, Recent) and their items.
inline constexpr const char* kEditMenu = "&Edit";
inline constexpr const char* kCopyDiagram = "Copy diagram";
inline constexpr const char* kCopyFunction = "Copy function";
inline constexpr const char* kViewZoomIn = "Zoom in";
inline constexpr const char* kViewZoomOut = "Zoom out";
inline constexpr const char* kFitToWindow = "Fit to window";
inline constexpr const char* kSmoothDrawing = "Smooth drawing";
inline constexpr const char* kClearStyle = "Clear layout style";
inline constexpr const char* kRecentMenu = "Re&cent";
inline constexpr const char* kNoRecentFiles = "(no recent files)";
inline constexpr const char* kClearRecentFiles = "Clear the list";
/// The status tips of the added items.
inline constexpr const char* kCopyDiagramTip =
    "Copy the diagram to the clipboard as a PNG and an SVG picture";
inline constexpr const char* kCopyFunctionTip =
    "Copy the minimized function to the clipboard as text";
inline constexpr const char* kFitToWindowTip =
    "The largest zoom at which the whole diagram is seen in the window";
inline constexpr const char* kSmoothDrawingTip =
    "Antialiased lines and text on screen; off: every line on whole pixels";
inline constexpr const char* kClearStyleTip =
    "Lay the diagram out for reading: spaced wires, larger labels and dots, no blank margins; "
    "also printed, copied and exported";

/// The Tools menu, between View and Recent: the comparison of structures, the address inputs and
/// the minimum cover, each a window of its own.
inline constexpr const char* kToolsMenu = "&Tools";
inline constexpr const char* kCompareStructures = "Compare structures...";
inline constexpr const char* kCompareStructuresTip =
    "Every structure, size and gate family for this function, with the cost of each circuit";
inline constexpr const char* kAddressInputs = "Address inputs...";
inline constexpr const char* kAddressInputsTip =
    "Choose the variables that drive the address inputs of the chosen structure";
inline constexpr const char* kMinimumCover = "Minimum cover...";
inline constexpr const char* kMinimumCoverTip =
    "The greedy cover of the minimization beside a minimum cover of the same prime implicants";

/// The Compare structures window.
inline constexpr const char* kCompareTitle = "Compare structures";
inline constexpr const char* kCompareBestAddress =
    "Best address inputs (the fewest components over every choice of address variables)";
inline constexpr const char* kCompareSummary = "%1 variables: %2 circuits realized, %3 refused";
inline constexpr const char* kCompareLegend =
    "Bold rows are the cheapest: by components (then gate inputs) and by levels (then components "
    "and gate inputs); the Result column says which. Click a column heading to sort by it; "
    "double-click a realized row, or choose it and Realize, to realize it. \"shown now\" marks "
    "the structure of the circuit in the main window.";
inline constexpr const char* kCompareRealize = "Realize";
inline constexpr const char* kClose = "Close";
inline constexpr const char* kColumnNumber = "#";
inline constexpr const char* kColumnStructure = "Structure";
inline constexpr const char* kColumnMuxSize = "Mux inputs";
inline constexpr const char* kColumnDemuxSize = "Demux outputs";
inline constexpr const char* kColumnGateFamily = "Gate family";
inline constexpr const char* kColumnMultiplexers = "Multiplexers";
inline constexpr const char* kColumnDemultiplexers = "Demultiplexers";
inline constexpr const char* kColumnGates = "Gates";
inline constexpr const char* kColumnGateInputs = "Gate inputs";
inline constexpr const char* kColumnLevels = "Levels";
inline constexpr const char* kColumnComponents = "Components";
inline constexpr const char* kColumnResult = "Result";
inline constexpr const char* kBySizeTip =
    "How many of each size: 2x4 means two with 4 data inputs (or outputs)";
inline constexpr const char* kRealized = "realized";
inline constexpr const char* kCheapestBoth = "cheapest: components and levels";
inline constexpr const char* kCheapestComponents = "cheapest: components";
inline constexpr const char* kCheapestLevels = "cheapest: levels";
inline constexpr const char* kRefused = "refused: ";
/// Added to the Result of the row whose structure the main window shows.
inline constexpr const char* kShownNow = ", shown now";
inline constexpr const char* kNoCell = "-";

/// The Address inputs window.
inline constexpr const char* kAddressTitle = "Address inputs";
inline constexpr const char* kAddressStructure = "Structure: %1";
/// After the structure: its address inputs ("%1 address input" for one).
inline constexpr const char* kAddressInputCount = " \u2014 %1 address input";
inline constexpr const char* kAddressInputsCount = " \u2014 %1 address inputs";
inline constexpr const char* kAddressOnOutput = " on the output multiplexer";
inline constexpr const char* kAddressVariables = "Variables of the function: %1";
inline constexpr const char* kAddressAutomaticChoice = "Automatic";
inline constexpr const char* kAddressAutomaticHint =
    "The program's own choice: the variables used by the most products first.";
inline constexpr const char* kAddressNamedChoice = "Named, most significant first:";
inline constexpr const char* kAddressBestChoice = "Best";
inline constexpr const char* kAddressBestHint =
    "The fewest components, then the fewest gate inputs, over every possible choice.";
inline constexpr const char* kAddressHintMux =
    "Name %1 variables for the multiplexer's address inputs, e.g. %2.";
inline constexpr const char* kAddressHintDemux =
    "Name all %1 variables in the order of the demultiplexer's address inputs, e.g. %2.";
inline constexpr const char* kAddressHintTree =
    "Name %1 variables for the output multiplexer, e.g. %2; after \"/\" the variables of each "
    "further level, which every multiplexer of that level takes where its part of the function "
    "uses them. Levels not named are automatic.";
inline constexpr const char* kAddressNoChoice =
    "Choose another structure with Realization to choose its address variables.";
inline constexpr const char* kAddressRefusedHead = "This choice does not fit: ";
inline constexpr const char* kAddressKept =
    "The choice is kept in the project file, on two lines after the design that older versions "
    "of the program do not read: they open the project unchanged and realize it with the "
    "automatic choice. A function file does not keep it.";

/// The Minimum cover window.
inline constexpr const char* kCoverTitle = "Minimum cover";
inline constexpr const char* kCoverRunning = "Finding a minimum cover (at most %1 s)...";
inline constexpr const char* kCoverCounts = "greedy: %1 \u2014 minimum: %2";
/// One cover's size in kCoverCounts: "191 products, 1520 literals".
inline constexpr const char* kProduct = "product";
inline constexpr const char* kProducts = "products";
inline constexpr const char* kLiteral = "literal";
inline constexpr const char* kLiterals = "literals";
inline constexpr const char* kCoverProven = "minimum (proven)";
inline constexpr const char* kCoverNotProven = "best found, not proven minimal";
inline constexpr const char* kCoverCore =
    "The prime chart reduced by essential primes and dominance leaves a cyclic core of %1 rows "
    "and %2 columns for the solver.";
inline constexpr const char* kCoverNoCore =
    "Essential primes and dominance alone decide this cover: no cyclic core is left for the "
    "solver.";
inline constexpr const char* kCoverGreedyCaption = "Greedy cover (the minimization's own):";
inline constexpr const char* kCoverMinimumCaption = "Minimum cover:";
inline constexpr const char* kCoverUse = "Use the minimum cover";
inline constexpr const char* kCoverInUse = "The function is this minimum cover already.";
inline constexpr const char* kCoverSame =
    "The greedy cover is a minimum cover already: both have the same products.";
inline constexpr const char* kCoverConstant =
    "The function is constant: there is nothing to cover.";
inline constexpr const char* kCoverCannot =
    "Only a function minimized from its Ones that is not constant has covers to compare.";
inline constexpr const char* kCoverNoSolver = "No solver for the minimum cover is available.";
inline constexpr const char* kCoverKept =
    "Using it marks the function: its files say on a line after the function, which older "
    "versions of the program do not read, that the text is a minimum cover.";

}  // namespace kestrel::text
