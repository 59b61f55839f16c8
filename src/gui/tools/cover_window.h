#pragma once
// "Minimum cover": the greedy cover the minimization keeps beside a minimum cover of the same
// prime implicants, found by the session's solver in a worker thread within its time limit
// (the window shows a busy bar meanwhile and cannot be closed until the solver is done). It
// shows both counts side by side, whether the minimum is proven, and both texts; "Use the
// minimum cover" makes it the function text, unless it is that already.

#include <QThread>
#include <functional>
#include <optional>

#include "function/exact_cover.h"
#include "gui/tools/tool_dialog.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace kestrel {
class Session;
}

namespace kestrel::gui {

class CoverWindow : public ToolDialog {
  Q_OBJECT
 public:
  CoverWindow(Session& session, QWidget* parent);
  ~CoverWindow() override;

  QLabel* Status;
  QProgressBar* Busy;
  QLabel* Counts;
  QLabel* Proof;
  QLabel* Core;
  QPlainTextEdit* GreedyText;
  QPlainTextEdit* MinimumText;
  QLabel* Reason;
  QLabel* KeptNote;
  QPushButton* ButtonUse;
  QPushButton* ButtonClose;

  /// Starts the comparison of the current function's covers (nothing when the function has
  /// none to compare: the reason is shown).
  void Start();
  bool busy() const { return worker_ != nullptr; }
  const std::optional<CoverComparison>& covers() const { return covers_; }
  /// Use the minimum cover: the session takes it; onUsed then shows the new state.
  void ButtonUseClick();
  std::function<void()> onUsed;

 signals:
  /// The comparison is done (shown).
  void Compared();

 protected:
  void reject() override;

 private:
  void ShowCovers();
  void ShowUseState();

  Session& session_;
  std::optional<CoverComparison> covers_;
  QThread* worker_ = nullptr;
};

}  // namespace kestrel::gui
