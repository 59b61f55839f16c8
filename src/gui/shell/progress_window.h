#pragma once
// Form7, "Progress": shows how far a long minimization has come and lets the user stop it. It
// does no work of its own; the minimization run drives it through QtProgress.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kestrel::gui {

class ProgressWindow : public QDialog {
  Q_OBJECT
 public:
  explicit ProgressWindow(QWidget* mainWindow);

  QLabel* Label1;
  QProgressBar* ProgressBar1;
  QLabel* LabelMinTime;
  QPushButton* BtnStopProcess;
  QPushButton* CloseWindowBtn;
  /// 1 while the minimization may continue; cleared by "Stop process" and by closing.
  int MinimizationRunning = 0;

  /// Centres the window on the main window and shows it without blocking; the bar starts at 0.
  void ShowCentred();
  void BtnStopProcessClick();
  void CloseWindowBtnClick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QWidget* mainWindow_;
};

}  // namespace kestrel::gui
