#include "gui/platform/qt_progress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "gui/shell/progress_window.h"

namespace kestrel::gui {

void QtProgress::SetRunning(int value) {
  if (window_) window_->MinimizationRunning = value;
}
int QtProgress::IsRunning() const {
  return window_ ? window_->MinimizationRunning : 0;
}
void QtProgress::SetTitle(const std::string& text) {
  if (window_) window_->Label1->setText(QString::fromStdString(text));
}
void QtProgress::SetTimeText(const std::string& text) {
  if (window_) window_->LabelMinTime->setText(QString::fromStdString(text));
}
void QtProgress::SetBarMaximum(int maximum) {
  if (window_) window_->ProgressBar1->setMaximum(maximum);
}
int QtProgress::BarMaximum() const {
  return window_ ? window_->ProgressBar1->maximum() : 0;
}
void QtProgress::SetBarPosition(int position) {
  if (window_) window_->ProgressBar1->setValue(position);
}
int QtProgress::BarPosition() const {
  return window_ ? window_->ProgressBar1->value() : 0;
}
void QtProgress::SetStopEnabled(bool enabled) {
  if (window_) window_->BtnStopProcess->setEnabled(enabled);
}
void QtProgress::Show() {
  if (!window_) return;
  if (beforeShow) beforeShow();
  window_->ShowCentred();
  QCoreApplication::processEvents();
  sinceEvents_.start();
}
void QtProgress::Hide() {
  if (window_) window_->hide();
}
void QtProgress::Close() {
  if (!window_) return;
  window_->close();
  window_->MinimizationRunning = 0;
}
void QtProgress::ProcessEvents() {
  if (sinceEvents_.isValid() && sinceEvents_.elapsed() < minEventIntervalMs) return;
  QCoreApplication::processEvents();
  sinceEvents_.start();
}

}  // namespace kestrel::gui
