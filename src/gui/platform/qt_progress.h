#pragma once
// The progress seam over the progress window: the minimization run writes the window's texts
// and bar through it, and it lets Qt handle pending events so that the window stays responsive
// and a click on "Stop process" reaches the run.

#include <QElapsedTimer>
#include <functional>

#include "ui/progress.h"

namespace kestrel::gui {

class ProgressWindow;

class QtProgress : public ProgressPort {
 public:
  /// The window is created after the session that holds this adapter.
  void Attach(ProgressWindow* window) { window_ = window; }
  /// Called before the window shows: the function definition window hides there, since the
  /// minimization runs after its OK.
  std::function<void()> beforeShow;
  /// Pending events are handled at most this often while the minimization polls.
  int minEventIntervalMs = 15;

  void SetRunning(int value) override;
  int IsRunning() const override;
  void SetTitle(const std::string& text) override;
  void SetTimeText(const std::string& text) override;
  void SetBarMaximum(int maximum) override;
  int BarMaximum() const override;
  void SetBarPosition(int position) override;
  int BarPosition() const override;
  void SetStopEnabled(bool enabled) override;
  void Show() override;
  void Hide() override;
  void Close() override;
  /// Lets Qt handle pending events, at most every few milliseconds so that a fast minimization
  /// stays fast.
  void ProcessEvents() override;

 private:
  ProgressWindow* window_ = nullptr;
  QElapsedTimer sinceEvents_;
};

}  // namespace kestrel::gui
