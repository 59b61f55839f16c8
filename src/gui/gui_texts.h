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

}  // namespace kestrel::text
