#pragma once
// Form2, "Design structure": the user chooses the structure, the sizes of its multiplexers and
// demultiplexers and the gate family. The choice itself is the core's StructureChoice; the
// dialog shows it and forwards the user's clicks.

#include <QDialog>
#include <functional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace kestrel {
class MessageSink;
class Session;
struct StructureChoice;
}  // namespace kestrel

namespace kestrel::gui {

class StructureDialog : public QDialog {
  Q_OBJECT
 public:
  StructureDialog(Session& session, QWidget* mainWindow);

  QLabel* LabelSelect;
  QTabWidget* PageControl1;
  QGroupBox* RadioMuxSize;
  QGroupBox* GroupBoxGates;
  QCheckBox* CheckBoxGates;
  QGroupBox* RadioGates;
  QGroupBox* RadioDmux;
  QGroupBox* RadioMuxMT;
  QGroupBox* GroupBoxMuxMD;
  QGroupBox* GroupBoxDmuxMD;
  QRadioButton* RadioMDMux2b;
  QRadioButton* RadioMDMux4b;
  QRadioButton* RadioMDMux8b;
  QRadioButton* RadioMDMux16b;
  QRadioButton* RadioMDDmux2b;
  QRadioButton* RadioMDDmux4b;
  QRadioButton* RadioMDDmux8b;
  QRadioButton* RadioMDDmux16b;
  QPushButton* ButtonOK;
  QPushButton* ButtonCANCEL;

  std::function<void()> onHelp;

  /// Prepares one showing: saves the choice for Cancel and shows it.
  void PrepareShow();
  /// Shows the choice in the widgets.
  void ShowChoice();
  void ButtonOKClick();
  void ButtonCANCELClick();

  /// The radio button of index i (0..3 or 0..2) of a radio group.
  QRadioButton* RadioItem(QGroupBox* group, int i) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  QGroupBox* MakeRadioGroup(QWidget* parent, const char* name, const QString& caption,
                            const QStringList& items, int x, int y, int w, int h);
  /// target: the widget that received the key (the dialog itself for keys nobody took).
  bool HandleKey(QObject* target, QKeyEvent* event);

  /// The function the dialog is shown for (its variables decide the pairs of tab 3).
  const std::string& FunctionText() const;

  Session& session_;
  StructureChoice& choice_;
  QRadioButton* mdMux_[4];
  QRadioButton* mdDmux_[4];
  bool syncing_ = false;
};

}  // namespace kestrel::gui
