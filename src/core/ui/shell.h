#pragma once
// What the function definition needs from the rest of the program: the main window's command
// state and the design structure dialog's pair of sizes.

namespace kestrel {

/// The main window's command-enabling states, by the numbers the program has always used for
/// them (they appear in the command line's JSON).
enum class CommandState {
  kEmpty = 7,               ///< nothing defined: at start, after New project, before a file read
  kFunctionDefined = 1,     ///< a function was entered or read
  kRealized = 2,            ///< a realization is shown
  kRealizationRefused = 9,  ///< too few address inputs (or a pair that does not fit)
  kNothingToRealize = 10,   ///< the function is constant
};

inline int StateNumber(CommandState state) {
  return static_cast<int>(state);
}

class ShellPort {
 public:
  virtual ~ShellPort() = default;
  /// The main window's command-enabling state.
  virtual void SetCommandState(CommandState state) = 0;
  /// A newly entered function clears the multiplexer-and-demultiplexer size pair.
  virtual void ClearMuxDemuxSizes() = 0;
};

/// Remembers the last command state; used where no real window exists.
class RecordingShell : public ShellPort {
 public:
  CommandState commandState = CommandState::kEmpty;
  int sizeClears = 0;
  void SetCommandState(CommandState state) override { commandState = state; }
  void ClearMuxDemuxSizes() override { ++sizeClears; }
};

}  // namespace kestrel
