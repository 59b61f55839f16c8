#pragma once
// The Work window: the explanation of the current function (truth table, Karnaugh map, the
// minimization's levels and cover steps, the realization's data inputs and cost), shown beside
// the main window and following it. Every table is a model over the core's Explanation value,
// so a 10-variable function with tens of thousands of implicants opens at once.

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "diagram/diagram_style.h"
#include "explain/explanation.h"
#include "explain/karnaugh.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTableView;

namespace kestrel {
class FileDialogs;
class MessageSink;
class Session;
}  // namespace kestrel

namespace kestrel::gui {

/// The Karnaugh map (or the grid of maps) of an explanation: 1/0/- in the cells, the selected
/// products as coloured loops up to 6 variables, and one highlighted product.
class KarnaughView : public QWidget {
  Q_OBJECT
 public:
  explicit KarnaughView(QWidget* parent);
  void Show(const Explanation* e);
  /// Highlights the cells of the product (nothing for nullopt).
  void Highlight(std::optional<std::pair<uint16_t, uint16_t>> product);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect CellRect(int gridRow, int gridColumn, int row, int column) const;
  const Explanation* e_ = nullptr;
  KarnaughLayout layout_;
  std::optional<std::pair<uint16_t, uint16_t>> highlight_;
};

class WorkWindow : public QWidget {
  Q_OBJECT
 public:
  WorkWindow(const Session& session, FileDialogs& files, MessageSink& messages, QWidget* parent);
  ~WorkWindow() override;

  /// Recomputes the explanation when the function or the circuit changed since the last call.
  void Follow();
  const Explanation& explanation() const { return e_; }
  /// Save report...: asks for a file and writes the HTML (or PDF) report.
  void SaveReport();
  /// The layout style of the report's diagram: the one the main window's view shows.
  void SetReportStyle(DiagramStyle style) { reportStyle_ = style; }
  /// Makes the truth table's row of combination k the current one (the live circuit's
  /// combination), without reporting it as chosen.
  void ShowCombination(int k);

 signals:
  /// A row of the truth table was clicked or activated: its combination.
  void CombinationChosen(int k);

 private:
  void Rebuild();
  void ShowLevel(int level);

  const Session& session_;
  FileDialogs& files_;
  MessageSink& messages_;
  std::string shownKey_;
  DiagramStyle reportStyle_ = DiagramStyle::kExact;
  Explanation e_;
  QLineEdit* function_;
  QLabel* heading_;
  QTabWidget* tabs_;
  QTableView* truth_;
  KarnaughView* karnaugh_;
  QListWidget* products_;
  QListWidget* levelList_;
  QTableView* level_;
  QTableView* steps_;
  KarnaughView* minimizationMap_;
  QTableView* inputs_;
  QTableView* outputs_;
  QLabel* cost_;
  std::vector<std::unique_ptr<QObject>> models_;
};

}  // namespace kestrel::gui
