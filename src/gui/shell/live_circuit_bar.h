#pragma once
// The live circuit's bar above the diagram: a switch for each of the function's variables (the
// most significant on the left, as the combination number reads), the combination number to
// type, previous and next, play with its speed, and F with the function's value beside it. The
// bar shows a LiveCircuit's state and reports what the student does; the main window changes
// the state and shows it again.

#include <QWidget>
#include <vector>

#include "engine/simulation.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QTimer;
class QToolButton;

namespace kestrel::gui {

class LiveCircuitBar : public QWidget {
  Q_OBJECT
 public:
  explicit LiveCircuitBar(QWidget* parent = nullptr);

  /// Shows the switches of the circuit's variables and the state.
  void Show(const LiveCircuit& live, const CircuitState& state);
  /// Stops playing.
  void Stop();

  /// The switch of x<d>; null for a variable the function does not have.
  QToolButton* Switch(int d) const;

  QSpinBox* Combination;
  QToolButton* Previous;
  QToolButton* Next;
  QToolButton* Play;
  QComboBox* Speed;
  QLabel* Output;
  QLabel* Expected;
  QTimer* PlayTimer;

 signals:
  void Toggled(int d);
  void CombinationTyped(int assignment);
  void Stepped(int delta);

 private:
  QWidget* switchBox_;
  std::vector<QToolButton*> switches_;  ///< index d: the switch of x<d>
  std::vector<int> shownValues_;        ///< what each switch shows; -1 before the first showing
  bool showing_ = false;                ///< the widgets are being set: no signals
};

}  // namespace kestrel::gui
