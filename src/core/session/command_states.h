#pragma once
// The command-enabling states of the main window as data: which commands are enabled and which
// panels are shown in each of the states 7 (empty), 1 (function defined), 2 (realized),
// 9 (realization refused) and 10 (nothing to realize). The main window only applies the view.

#include <array>
#include <cstddef>

#include "ui/shell.h"

namespace kestrel {

/// The menu items and tool buttons whose enabled flag the states switch. "New project", "New
/// function", "Exit", "Help", ButtonNew and ButtonOpen are never switched off.
enum class CommandItem {
  OpenProject,
  OpenFunction,
  ChangeFunction,
  SaveFunction,
  SaveFunctionAs,
  SaveProject,
  SaveProjectAs,
  ExportDiagram,
  ExportProject,
  Print,  ///< "Print project"
  PrintSetup,
  Realization,
  ButtonRealize,
  ButtonLB,
  ButtonEdit,
  ButtonSave,
  ButtonZoomIn,
  ButtonZoomOut,
  ButtonPrint,
};
inline constexpr int kCommandItemCount = static_cast<int>(CommandItem::ButtonPrint) + 1;

/// The component name of an item, as the main window names its menu item or button.
const char* CommandItemName(CommandItem item);

/// What the main window shows: the enabled flag of every item, the result panel (Panel1) and
/// the zoom strip (Panel2). Before the first state is applied everything is on and shown.
struct CommandView {
  std::array<bool, kCommandItemCount> enabled;
  bool resultPanelVisible = true;  ///< Panel1
  bool zoomStripVisible = true;    ///< Panel2

  CommandView() { enabled.fill(true); }
  bool Enabled(CommandItem item) const { return enabled[static_cast<std::size_t>(item)]; }
  void SetEnabled(CommandItem item, bool on) { enabled[static_cast<std::size_t>(item)] = on; }
};

/// SetCommandState's table applied to the view. In state 1 ButtonLB is switched off unless the
/// representation flag is 1 and ButtonEdit off when it is 1.
void ApplyCommandState(CommandView& view, CommandState state, int representationFlag);

}  // namespace kestrel
