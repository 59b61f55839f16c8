#pragma once
// What the function definition needs from the rest of the program: the main window's command
// state and the design structure dialog's pair of sizes.

namespace kestrel {

class ShellPort {
 public:
  virtual ~ShellPort() = default;
  /// The main window's command-enabling state (7, 1, 2, 9 or 10).
  virtual void SetCommandState(int state) = 0;
  /// A newly entered function clears the multiplexer-and-demultiplexer size pair.
  virtual void ClearMuxDemuxSizes() = 0;
};

/// Remembers the last command state; used where no real window exists.
class RecordingShell : public ShellPort {
 public:
  int commandState = 7;
  int sizeClears = 0;
  void SetCommandState(int state) override {
    if (state == 1 || state == 2 || state == 7 || state == 9 || state == 10) commandState = state;
  }
  void ClearMuxDemuxSizes() override { ++sizeClears; }
};

}  // namespace kestrel
