#pragma once
// Every text of the function and project files: keywords, dialog settings, messages and
// captions, exactly as written and shown.

namespace kestrel::filetext {

// --- Keywords ---
inline constexpr const char* kMagic = "KESTREL";
inline constexpr const char* kDecimal = "DECIMAL";
inline constexpr const char* kLiteral = "LITERAL";
inline constexpr const char* kMinimized = "MINIMIZED";
inline constexpr const char* kEndOfMinimized = "-";
// The design section's keywords are in structure/structures.h, with the structures.
// The trailing lines after the last section, which older versions never read (see sections.h).
inline constexpr const char* kCoverKeyword = "COVER";
inline constexpr const char* kCoverMinimum = "MINIMUM";
inline constexpr const char* kCoverBestFound = "BEST FOUND";
inline constexpr const char* kAddressKeyword = "ADDRESS";

// --- Dialogs ---
inline constexpr const char* kOpenFunctionTitle = "Open function";
inline constexpr const char* kSaveFunctionTitle = "Save Function As";
inline constexpr const char* kOpenProjectTitle = "Open project";
inline constexpr const char* kSaveProjectTitle = "Save Project As";
inline constexpr const char* kFunctionExtension = "kef";
inline constexpr const char* kProjectExtension = "kep";
inline constexpr const char* kOpenFunctionFilter = "Kestrel File (*.kef)|*.kef";
inline constexpr const char* kSaveFunctionFilter = "Kestrel Function Definition File (*.kef)|*.kef";
inline constexpr const char* kProjectFilter = "Project files (*.kep) | *.kep";

// --- Messages ---
inline constexpr const char* kBlankData = "Data to save cannot be blank!   ";
inline constexpr const char* kReadOnly = "File cannot be saved. \n\rFile is read-only!";
inline constexpr const char* kReplaceHead = "File \"";
inline constexpr const char* kReplaceTail = "\" already exists. \n\rDo you want to replace it?";
inline constexpr const char* kSavingError = "File saving error! \n\rThe file cannot been saved!  ";
inline constexpr const char* kCannotOpen = "Cannot open the file!      ";
inline constexpr const char* kCorrupted = "Unsupported file type or data is corrupted!";
inline constexpr const char* kNotKestrelFile = "It is not Kestrel file!";
inline constexpr const char* kNoProjectData =
    "The file does not contain project data!\n\rOnly the function definition has been opened.  ";
inline constexpr const char* kFileSaved = "File saved!";

}  // namespace kestrel::filetext
