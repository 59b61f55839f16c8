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

}  // namespace kestrel::text
