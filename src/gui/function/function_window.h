#pragma once
// Form3, "Input data": the function definition window. Its canonical panel edits the three
// lists of combination numbers, its literal panel the sum-of-products text. The model and the
// rules live in the core's FunctionDefinition; this window shows them and forwards the user's
// actions.

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;

#include "function/function_model.h"

namespace kestrel::gui {

class FunctionWindow : public QDialog {
  Q_OBJECT
 public:
  FunctionWindow(FunctionModel& model, FunctionDefinition& definition, QWidget* mainWindow);

  // --- Canonical panel ---
  QWidget* Panel1;
  QLabel* LabelDefinition;
  QListWidget* ListBox1;  ///< Ones
  QListWidget* ListBox2;  ///< Zeros
  QListWidget* ListBox3;  ///< Don't cares
  QLineEdit* Edit1;
  QPushButton* Add1;
  QGroupBox* RadioGroup1;
  QRadioButton* RadioOnes;
  QRadioButton* RadioZeros;
  QRadioButton* RadioDontCares;
  QPushButton* ButtonLBOK;
  QPushButton* ButtonLBCancel;
  QPushButton* ClearAll1;
  QMenu* PopupMenu1;
  QAction* SelectAll1;
  QAction* Delete1;

  // --- Literal panel ---
  QWidget* Panel2;
  QLabel* LabelLiteral;
  QLineEdit* Edit2;
  QPushButton* ButtonEditOK;
  QPushButton* ButtonEditCancel;
  QCheckBox* CheckBoxEnableMin;
  QLabel* LabelSample;

  /// Lays the window out for canonical or literal entry on the current function (the
  /// definition was opened in that mode).
  void LayoutCanonical();
  void LayoutLiteral();

  /// The list named by "Select".
  ListKind SelectedGroup() const;
  void SetSelectedGroup(ListKind group);

  // The commands, as the buttons, keys and context menu run them.
  void Add1Click();
  void ButtonLBOKClick();
  void ButtonLBCancelClick();
  void ClearAll1Click();
  void SelectAll1Click();
  void Delete1Click();
  void ButtonEditOKClick();
  void ButtonEditCancelClick();
  /// Esc on the window: the Cancel of the current representation, then close.
  void FormEscape();

  /// F1 anywhere in the window.
  std::function<void()> onHelp;
  /// Runs a command with the program's critical-error handler around it.
  std::function<void(const std::function<void()>&)> guard;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  void ShowLists();
  void ReadSelection(ListKind group);
  /// A mouse press in a list: it becomes the list named by "Select", and the other two lists
  /// lose their selection.
  void ListPressed(ListKind list);
  QListWidget* List(ListKind group) const;
  void Run(const std::function<void()>& command);

  FunctionModel& model_;
  FunctionDefinition& definition_;
  QWidget* mainWindow_;
  bool syncing_ = false;
};

}  // namespace kestrel::gui
