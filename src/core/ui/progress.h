#pragma once
// The progress seam: the minimization run drives the progress window through this interface and
// reads the user's stop request from it.

#include <string>

namespace kestrel {

class ProgressPort {
 public:
  virtual ~ProgressPort() = default;
  virtual void SetRunning(int value) = 0;
  virtual int IsRunning() const = 0;
  virtual void SetTitle(const std::string& text) = 0;
  virtual void SetTimeText(const std::string& text) = 0;
  virtual void SetBarMaximum(int maximum) = 0;
  virtual int BarMaximum() const = 0;
  virtual void SetBarPosition(int position) = 0;
  virtual int BarPosition() const = 0;
  virtual void SetStopEnabled(bool enabled) = 0;
  /// Centres the window on the main window and shows it without blocking; the bar starts at 0.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  /// Closes the window; this also clears the running flag.
  virtual void Close() = 0;
  /// Lets the user interface handle pending events (clicks on "Stop process" arrive here).
  virtual void ProcessEvents() = 0;
};

/// The progress window's state without a window: used by the CLI and by tests. A test can ask it
/// to request a stop after a number of event-processing calls.
class HeadlessProgress : public ProgressPort {
 public:
  int running = 0;
  std::string title = "Progress of minimization:";
  std::string timeText = "Minimization time:";
  int barMaximum = 1024;
  int barPosition = 0;
  bool stopEnabled = true;
  bool visible = false;
  int shows = 0;
  long eventCalls = 0;
  long stopAfterEvents = -1;  ///< < 0: never press "Stop process"

  void SetRunning(int value) override { running = value; }
  int IsRunning() const override { return running; }
  void SetTitle(const std::string& text) override { title = text; }
  void SetTimeText(const std::string& text) override { timeText = text; }
  void SetBarMaximum(int maximum) override { barMaximum = maximum; }
  int BarMaximum() const override { return barMaximum; }
  void SetBarPosition(int position) override { barPosition = position; }
  int BarPosition() const override { return barPosition; }
  void SetStopEnabled(bool enabled) override { stopEnabled = enabled; }
  void Show() override {
    visible = true;
    ++shows;
    barPosition = 0;
  }
  void Hide() override { visible = false; }
  void Close() override {
    visible = false;
    running = 0;
  }
  void ProcessEvents() override {
    ++eventCalls;
    if (stopAfterEvents >= 0 && eventCalls >= stopAfterEvents && running) {
      // The user pressed "Stop process".
      running = 0;
      barPosition = 0;
      stopAfterEvents = -1;
    }
  }
};

}  // namespace kestrel
