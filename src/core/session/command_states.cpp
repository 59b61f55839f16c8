#include "session/command_states.h"

namespace kestrel {

namespace {

enum class Cell {
  Keep,                ///< blank: leave as it is
  On,                  ///< enable / show
  Off,                 ///< disable / hide
  OffUnlessCanonical,  ///< off when the representation flag is not 1, else keep
  OffIfCanonical,      ///< off when the representation flag is 1, else keep
};

/// The table's column of a state.
constexpr int Column(CommandState state) {
  switch (state) {
    case CommandState::kEmpty:
      return 0;
    case CommandState::kFunctionDefined:
      return 1;
    case CommandState::kRealized:
      return 2;
    case CommandState::kRealizationRefused:
      return 3;
    case CommandState::kNothingToRealize:
      return 4;
  }
  return 0;
}

struct Row {
  CommandItem item;
  const char* name;
  Cell cells[5];  ///< one per column: 7, 1, 2, 9, 10
};

constexpr Cell K = Cell::Keep, N = Cell::On, F = Cell::Off;

// clang-format off
constexpr Row kTable[kCommandItemCount] = {
    //                                                   7  1  2  9  10
    {CommandItem::OpenProject,    "OpenProject",       {N, K, K, N, N}},
    {CommandItem::OpenFunction,   "OpenFunction",      {N, K, K, K, K}},
    {CommandItem::ChangeFunction, "ChangeFunction",    {F, N, K, K, K}},
    {CommandItem::SaveFunction,   "SaveFunction",      {F, N, N, K, K}},
    {CommandItem::SaveFunctionAs, "SaveFunctionAs",    {F, N, N, K, K}},
    {CommandItem::SaveProject,    "SaveProject",       {F, F, N, F, F}},
    {CommandItem::SaveProjectAs,  "SaveProjectAs",     {F, F, N, F, F}},
    {CommandItem::ExportDiagram,  "ExportDiagram",     {F, F, N, F, F}},
    {CommandItem::ExportProject,  "ExportProject",     {F, F, N, F, F}},
    {CommandItem::Print,          "Print",             {F, F, N, F, F}},
    {CommandItem::PrintSetup,     "PrintSetup",        {F, F, N, F, F}},
    {CommandItem::Realization,    "Realization",       {F, N, N, K, F}},
    {CommandItem::ButtonRealize,  "ButtonRealize",     {F, N, N, K, F}},
    {CommandItem::ButtonLB,       "ButtonLB",          {N, Cell::OffUnlessCanonical, K, K, K}},
    {CommandItem::ButtonEdit,     "ButtonEdit",        {N, Cell::OffIfCanonical, K, K, K}},
    {CommandItem::ButtonSave,     "ButtonSave",        {F, F, N, F, F}},
    {CommandItem::ButtonZoomIn,   "ButtonZoomIn",      {F, F, N, F, F}},
    {CommandItem::ButtonZoomOut,  "ButtonZoomOut",     {F, F, N, F, F}},
    {CommandItem::ButtonPrint,    "ButtonPrint",       {F, F, N, F, F}},
};
constexpr Cell kResultPanel[5] = {F, F, N, F, F};
constexpr Cell kZoomStrip[5] = {K, K, F, F, F};
// clang-format on

constexpr bool TableInItemOrder() {
  for (int i = 0; i < kCommandItemCount; ++i)
    if (static_cast<int>(kTable[i].item) != i) return false;
  return true;
}
static_assert(TableInItemOrder(), "one row per command item, in enum order");

void Apply(bool& flag, Cell cell, int representationFlag) {
  switch (cell) {
    case Cell::Keep:
      break;
    case Cell::On:
      flag = true;
      break;
    case Cell::Off:
      flag = false;
      break;
    case Cell::OffUnlessCanonical:
      if (representationFlag != 1) flag = false;
      break;
    case Cell::OffIfCanonical:
      if (representationFlag == 1) flag = false;
      break;
  }
}

}  // namespace

const char* CommandItemName(CommandItem item) {
  const int i = static_cast<int>(item);
  return i >= 0 && i < kCommandItemCount ? kTable[i].name : "";
}

void ApplyCommandState(CommandView& view, CommandState state, int representationFlag) {
  const int column = Column(state);
  for (int i = 0; i < kCommandItemCount; ++i)
    Apply(view.enabled[static_cast<std::size_t>(i)], kTable[i].cells[column], representationFlag);
  Apply(view.resultPanelVisible, kResultPanel[column], representationFlag);
  Apply(view.zoomStripVisible, kZoomStrip[column], representationFlag);
}

}  // namespace kestrel
