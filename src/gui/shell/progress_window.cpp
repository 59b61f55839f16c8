#include "gui/shell/progress_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "gui/shell/window_util.h"

namespace kestrel::gui {

ProgressWindow::ProgressWindow(QWidget* mainWindow) : QDialog(mainWindow), mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("Form7"));
  setWindowTitle(QStringLiteral("Progress"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                 Qt::WindowTitleHint);
  setModal(false);

  Label1 = MakeChild<QLabel>(this, "Label1", "Progress of minimization:");
  Label1->move(24, 8);
  ProgressBar1 = MakeChild<QProgressBar>(this, "ProgressBar1");
  ProgressBar1->setGeometry(24, 26, 217, 17);
  ProgressBar1->setRange(0, 1024);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  LabelMinTime = MakeChild<QLabel>(this, "LabelMinTime", "Minimization time:");
  LabelMinTime->move(24, 46);
  BtnStopProcess = MakeChild<QPushButton>(this, "BtnStopProcess", "Stop process");
  CloseWindowBtn = MakeChild<QPushButton>(this, "CloseWindowBtn", "Close window");
  for (QPushButton* b : {BtnStopProcess, CloseWindowBtn}) b->setAutoDefault(false);
  // The labels are written while the window is shown; give them the whole width.
  for (QLabel* l : {Label1, LabelMinTime}) l->resize(240, l->sizeHint().height());

  // The design is 75 x 25 and 97 x 25 at (32, 66) and (128, 66); a wider font widens the
  // buttons and the window with them.
  const int stopW = std::max(75, BtnStopProcess->sizeHint().width());
  const int closeW = std::max(97, CloseWindowBtn->sizeHint().width());
  const int buttonH = std::max(25, BtnStopProcess->sizeHint().height());
  const int y = std::max(68, LabelMinTime->y() + LabelMinTime->height() + 6);
  BtnStopProcess->setGeometry(32, y, stopW, buttonH);
  CloseWindowBtn->setGeometry(std::max(128, 32 + stopW + 16), y, closeW, buttonH);
  setFixedSize(std::max(270, CloseWindowBtn->geometry().right() + 24),
               std::max(103, y + buttonH + 10));

  connect(BtnStopProcess, &QPushButton::clicked, this, [this] { BtnStopProcessClick(); });
  connect(CloseWindowBtn, &QPushButton::clicked, this, [this] { CloseWindowBtnClick(); });
}

void ProgressWindow::ShowCentred() {
  CentreOn(this, mainWindow_);
  ProgressBar1->setValue(0);
  show();
  raise();
}

void ProgressWindow::BtnStopProcessClick() {
  MinimizationRunning = 0;
  ProgressBar1->setValue(0);
  CloseWindowBtn->setEnabled(true);
}

void ProgressWindow::CloseWindowBtnClick() {
  const int position = ProgressBar1->value();
  // While a phase is partway the window stays; it goes once the bar is empty or full.
  if (position != 0 && position != ProgressBar1->maximum()) return;
  hide();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  MinimizationRunning = 0;
  QDialog::closeEvent(event);
}

void ProgressWindow::reject() {
  // Esc closes the window like its close box.
  MinimizationRunning = 0;
  QDialog::reject();
}

}  // namespace kestrel::gui
