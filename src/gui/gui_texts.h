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

/// The menus the desktop program adds after its own (Edit, View, Recent) and their items.
inline constexpr const char* kEditMenu = "&Edit";
inline constexpr const char* kCopyDiagram = "Copy diagram";
inline constexpr const char* kCopyFunction = "Copy function";
inline constexpr const char* kViewMenu = "&View";
inline constexpr const char* kViewZoomIn = "Zoom in";
inline constexpr const char* kViewZoomOut = "Zoom out";
inline constexpr const char* kFitToWindow = "Fit to window";
inline constexpr const char* kSmoothDrawing = "Smooth drawing";
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

}  // namespace kestrel::text
