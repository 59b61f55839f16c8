#pragma once
// The design structure choice: the selected tab, the size radio groups, the gates box and
// family, and the multiplexer-and-demultiplexer size pair with its pairing rule. The dialog
// window shows this state; the realization, the drawing and the project files read it.

#include <optional>
#include <string>

#include "structure/structures.h"
#include "ui/messages.h"

namespace kestrel {

/// A whole choice as the command line (and tests) name it: the structure, the sizes as numbers
/// of data inputs or outputs (2, 4, 8, 16; none leaves the dialog's size as it is, or for the
/// multiplexer-and-demultiplexer pair unselected) and the gate family.
struct StructureOptions {
  Structure structure = Structure::kMux;
  std::optional<int> muxSize, demuxSize;
  GateFamily gates = GateFamily::kNand;
};

/// The radio index of a size: 2 gives 0, 4 gives 1, 8 gives 2, 16 (and anything else) gives 3.
int SizeIndexOf(int size);

struct StructureChoice {
  StructureTab tab = StructureTab::kMux;      ///< PageControl1
  int radioMuxSize = 0;                       ///< RadioMuxSize: 0..3 for 2, 4, 8, 16 data inputs
  bool useGates = false;                      ///< CheckBoxGates
  GateFamily radioGates = GateFamily::kNand;  ///< RadioGates
  int radioDmux = 0;                          ///< RadioDmux
  int radioMuxMT = 0;                         ///< RadioMuxMT
  bool mdMuxOn[4] = {};                       ///< RadioMDMux2b .. RadioMDMux16b
  bool mdDmuxOn[4] = {};                      ///< RadioMDDmux2b .. RadioMDDmux16b
  bool mdMuxEnabled[4] = {true, true, true, true};
  bool mdDmuxEnabled[4] = {true, true, true, true};
  bool radioGatesEnabled = false;
  int enteredGroup = 0;  ///< 1: focus entered the multiplexer group of tab 3; 2: demultiplexer

  /// The structure that Realize builds for this choice.
  Structure Current() const { return StructureOf(tab, useGates); }

  /// The selected size index of tab 3 (the largest button that is on), -1 for none.
  int MdMuxIndex() const;
  int MdDmuxIndex() const;
  /// Turns the button of that index on (0..3; anything else does nothing), the others off.
  void SelectMdMux(int index);
  void SelectMdDmux(int index);
  /// All eight tab-3 buttons off.
  void ClearMdSizes();
  /// Whether both sizes of tab 3 are selected and their address inputs add up to n, the
  /// number of the function's variables.
  bool MdPairFits(int n) const;
  /// The function changed (read from a file, say): a tab-3 selection that does not pair up for
  /// its n variables is cleared, so the dialog never shows a pair it would refuse.
  void ClearUnfittingMdPair(int n);

  /// Showing the dialog: saves the choice for Cancel, enables the gate family with the box, and
  /// applies the pairing rule when tab 3 is selected.
  void OnShow(const std::string& functionText);
  /// The user switches tabs; switching to tab 3 applies the pairing rule.
  void SelectTab(StructureTab newTab, const std::string& functionText);
  /// Enables the tab-3 sizes that can pair up for a function of n variables.
  void ApplyPairingRule(int n);
  void SetUseGates(bool on);
  /// The focus enters a tab-3 group (1 multiplexer, 2 demultiplexer).
  void EnterGroup(int group) { enteredGroup = group; }
  /// A click on a tab-3 size button: turns it on and, when the user is in that group, turns on
  /// the partner size so that the address counts add up to the function's variables.
  void ClickMdMux(int index, const std::string& functionText);
  void ClickMdDmux(int index, const std::string& functionText);
  /// OK's checks; true when the dialog closes with OK (the caller then resets the zoom and
  /// marks the project modified). On tab 3 the function must have 2 to 8 variables, some size
  /// must be selected, and the two sizes must pair up for the function.
  bool Ok(const std::string& functionText, MessageSink& messages);
  /// Cancel and Escape: restores the choice saved when the dialog was shown.
  void Cancel();
  /// Sets the choice as a user clicking in the dialog would: the tab, "use gates" and the
  /// family on the Multiplexer tab, the sizes given (on the last tab the pair is cleared
  /// first). The multiplexer size counts for the Multiplexer tab and the tree alike.
  void Apply(const StructureOptions& options);

 private:
  struct Saved {
    int radioMuxSize = 0, radioDmux = 0, radioMuxMT = 0;
    GateFamily radioGates = GateFamily::kNand;
    StructureTab tab = StructureTab::kMux;
    bool useGates = false;
    int mdMux = -1, mdDmux = -1;
  } saved_;
};

namespace text {
/// The heading above the realized structure's name in the result and the printed text block.
inline constexpr const char* kRealizedIn = "Realized in the structure:";
inline constexpr const char* kMuxDemuxImpossible =
    "Realization impossible in the multiplexer and demultiplexer structure.   ";
inline constexpr const char* kSelectSizes = "Select the size of multiplexer and demultiplexer.   ";
/// A tab-3 selection that does not pair up: head + the number of variables + tail.
inline constexpr const char* kSizesDoNotFitHead =
    "The selected sizes of multiplexer and demultiplexer do not fit the function! \n\r"
    "Their address inputs must add up to ";
inline constexpr const char* kSizesDoNotFitTail = ", the number of its variables.   ";
}  // namespace text

/// The refusal of a tab-3 selection that does not pair up for a function of n variables.
std::string SizesDoNotFitText(int n);

}  // namespace kestrel
