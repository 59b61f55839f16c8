#pragma once
// "Address inputs": which variables drive the address inputs of the chosen structure (the
// single multiplexer, the multiplexer with gates, the tree and the demultiplexer): the
// automatic choice, named variables (per level for a tree, as "x3,x1/x2"), or the best one.
// OK hands the choice to the session, which checks it against the structure and the function;
// a choice that does not fit keeps the window open with the reason and changes nothing. Once
// the choice is set the window closes with Accepted and the main window realizes it.

#include "engine/address_choice.h"
#include "gui/tools/tool_dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrel {
class Session;
}

namespace kestrel::gui {

class AddressWindow : public ToolDialog {
  Q_OBJECT
 public:
  AddressWindow(Session& session, QWidget* parent);

  QLabel* StructureLine;
  QLabel* VariablesLine;
  QRadioButton* RadioAutomatic;
  QRadioButton* RadioNamed;
  QLineEdit* Names;
  QLabel* NamesHint;
  QRadioButton* RadioBest;
  QLabel* Reason;
  QLabel* KeptNote;
  QPushButton* ButtonOK;
  QPushButton* ButtonCancel;

  /// The choice the widgets show, or nothing (and the reason) when the names cannot be read.
  std::optional<AddressChoice> ShownChoice(std::string* error) const;
  /// OK: the choice goes to the session; the window closes once it is set.
  void ButtonOKClick();

 private:
  void FitHeight();
  Session& session_;
};

}  // namespace kestrel::gui
