#pragma once
// "Compare structures": the current function in every structure, size and gate family the
// structure dialog allows, as the core's comparison lists them, in a table that sorts by any
// column. The cheapest rows are bold and named in the Result column. A realized row chosen
// with Realize (or a double-click) closes the window with Accepted; the main window then
// realizes it through the session, as the structure dialog's OK would.

#include <vector>

#include "engine/compare.h"
#include "gui/tools/tool_dialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace kestrel {
class Session;
}

namespace kestrel::gui {

class CompareWindow : public ToolDialog {
  Q_OBJECT
 public:
  /// The table's columns, in order.
  enum Column {
    kNumber,
    kStructure,
    kMuxSize,
    kDemuxSize,
    kGateFamily,
    kMultiplexers,
    kDemultiplexers,
    kGates,
    kGateInputs,
    kLevels,
    kComponents,
    kResult,
    kColumnCount
  };

  CompareWindow(const Session& session, QWidget* parent);

  QLabel* Summary;
  QCheckBox* BestAddress;
  QTableView* Table;
  QLabel* Legend;
  QPushButton* ButtonRealize;
  QPushButton* ButtonClose;

  /// The rows as the core computed them, in its order.
  const std::vector<CompareRow>& rows() const { return rows_; }
  /// The address inputs the rows were compared with.
  AddressMode Mode() const;
  /// The row chosen to realize (its index in rows()), -1 before one is chosen.
  int chosen() const { return chosen_; }
  /// The rows' index of the table's current row, -1 for none.
  int CurrentRow() const;

 private:
  void Compare();
  void ShowCurrent();
  void Choose(int row);

  const Session& session_;
  std::vector<CompareRow> rows_;
  QSortFilterProxyModel* sorted_;
  int chosen_ = -1;
};

}  // namespace kestrel::gui
