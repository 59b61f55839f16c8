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

}  // namespace kestrel::text
