#pragma once
// The texts of the project lifecycle: the window caption, the save prompts and the notice
// before a project save, exactly as shown.

namespace kestrel::sessiontext {

inline constexpr const char* kUntitledCaption = "Kestrel (Untitled)";
inline constexpr const char* kCaptionHead = "Kestrel (";
inline constexpr const char* kCaptionTail = ")";
/// Stands for an empty display name in a save prompt (and stays in the field afterwards).
inline constexpr const char* kUntitled = "Untitled";

// A save prompt is head + '"' + display name + '"' + tail.
inline constexpr const char* kSaveChangesTo = "Save changes to ";
inline constexpr const char* kSaveChangesToProject = "Save changes to the project ";
inline constexpr const char* kSaveChangesToFunction = "Save changes to the function definition ";
inline constexpr const char* kBeforeClosing = " before closing?";
inline constexpr const char* kBeforeClosingPadded = " before closing?   ";

/// Print project's note on a wide multiplexer tree or gate network.
inline constexpr const char* kCrowdedPrint =
    "Printing too big structures due to scaling may lead to illegible printout.\r\n"
    "If you want to obtain clear printout use other graphical editor.";

inline constexpr const char* kSaveProjectNotice =
    "Selected option enables you to save function and design structure definitions only.\r\n"
    "If you want to obtain file in WMF format use the \"Export diagram\" option!";

}  // namespace kestrel::sessiontext
