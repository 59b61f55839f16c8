#include "gui/tools/compare_window.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "function/function_text.h"
#include "gui/gui_texts.h"
#include "gui/shell/window_util.h"
#include "session/session.h"

namespace kestrel::gui {

namespace {

constexpr int kResultWidth = 330;  // pixels: the cheapest marks whole, refusals cut

// Counts by size as "1×8 + 2×2" (the largest first); "-" for none.
QString BySize(const std::array<int, 4>& counts) {
  QStringList parts;
  for (int a = 3; a >= 0; --a)
    if (counts[a] > 0) parts << QStringLiteral("%1\u00d7%2").arg(counts[a]).arg(2 << a);
  return parts.isEmpty() ? QString::fromLatin1(text::kNoCell) : parts.join(QStringLiteral(" + "));
}

// A message box text on one line: its line breaks and runs of blanks become one blank.
QString OneLine(const std::string& message) {
  return QString::fromStdString(message).simplified();
}

const char* ResultText(const CompareRow& row) {
  if (row.cheapestByComponents && row.cheapestByLevels) return text::kCheapestBoth;
  if (row.cheapestByComponents) return text::kCheapestComponents;
  if (row.cheapestByLevels) return text::kCheapestLevels;
  return text::kRealized;
}

// The rows of the comparison as a table. Qt::UserRole is the sort key: numbers for the
// numeric columns (a refused row's counts sort after every realized row's), text for the rest.
class CompareModel : public QAbstractTableModel {
 public:
  CompareModel(const std::vector<CompareRow>& rows, QObject* parent)
      : QAbstractTableModel(parent), rows_(rows) {}
  /// New rows; `shown` is the one whose structure the main window shows (-1 for none).
  void Reset(int shown) {
    beginResetModel();
    shown_ = shown;
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : CompareWindow::kColumnCount;
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::ToolTipRole &&
        (section == CompareWindow::kMultiplexers || section == CompareWindow::kDemultiplexers))
      return QString::fromLatin1(text::kBySizeTip);
    if (role != Qt::DisplayRole) return {};
    static constexpr const char* kHeaders[CompareWindow::kColumnCount] = {
        text::kColumnNumber,         text::kColumnStructure,  text::kColumnMuxSize,
        text::kColumnDemuxSize,      text::kColumnGateFamily, text::kColumnMultiplexers,
        text::kColumnDemultiplexers, text::kColumnGates,      text::kColumnGateInputs,
        text::kColumnLevels,         text::kColumnComponents, text::kColumnResult};
    return section >= 0 && section < CompareWindow::kColumnCount
               ? QString::fromLatin1(kHeaders[section])
               : QString();
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const CompareRow& row = rows_[static_cast<size_t>(index.row())];
    const bool cheapest = row.cheapestByComponents || row.cheapestByLevels;
    switch (role) {
      case Qt::DisplayRole:
        return Display(row, index.row(), index.column());
      case Qt::UserRole:
        return SortKey(row, index.row(), index.column());
      case Qt::FontRole: {
        if (!cheapest) return {};
        QFont bold = QApplication::font();
        bold.setBold(true);
        return bold;
      }
      case Qt::BackgroundRole:
        return cheapest ? QVariant(QColor(0xfff4c2)) : QVariant();
      case Qt::ForegroundRole:
        // Dark text on the light mark whatever the colour scheme; refused rows greyed.
        return cheapest       ? QVariant(QColor(Qt::black))
               : row.realized ? QVariant()
                              : QVariant(QColor(0x707070));
      case Qt::ToolTipRole:
        return row.realized ? QVariant() : QVariant(OneLine(row.refusal));
      case Qt::TextAlignmentRole:
        return index.column() == CompareWindow::kStructure ||
                       index.column() == CompareWindow::kGateFamily ||
                       index.column() == CompareWindow::kResult
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignCenter);
      default:
        return {};
    }
  }

 private:
  static QString Size(const std::optional<int>& size) {
    return size ? QString::number(*size) : QString::fromLatin1(text::kNoCell);
  }
  static QString Count(const CompareRow& row, int count) {
    return row.realized ? QString::number(count) : QString::fromLatin1(text::kNoCell);
  }

  QVariant Display(const CompareRow& row, int r, int column) const {
    const StructureOptions& o = row.options;
    const CircuitCost& c = row.cost;
    const QString none = QString::fromLatin1(text::kNoCell);
    switch (static_cast<CompareWindow::Column>(column)) {
      case CompareWindow::kNumber:
        return r + 1;
      case CompareWindow::kStructure:
        return QString::fromLatin1(NamesOf(o.structure).designCaption);
      case CompareWindow::kMuxSize:
        return Size(o.muxSize);
      case CompareWindow::kDemuxSize:
        return Size(o.demuxSize);
      case CompareWindow::kGateFamily:
        return o.structure == Structure::kMuxGates ? QString::fromLatin1(NamesOf(o.gates).caption)
                                                   : none;
      case CompareWindow::kMultiplexers:
        return row.realized ? BySize(c.multiplexers) : none;
      case CompareWindow::kDemultiplexers:
        return row.realized ? BySize(c.demultiplexers) : none;
      case CompareWindow::kGates:
        return Count(row, c.gates);
      case CompareWindow::kGateInputs:
        return Count(row, c.gateInputs);
      case CompareWindow::kLevels:
        return Count(row, c.levels);
      case CompareWindow::kComponents:
        return Count(row, c.Components());
      case CompareWindow::kResult:
        if (!row.realized) return QString::fromLatin1(text::kRefused) + OneLine(row.refusal);
        return QString::fromLatin1(ResultText(row)) +
               (r == shown_ ? QString::fromLatin1(text::kShownNow) : QString());
      case CompareWindow::kColumnCount:
        break;
    }
    return {};
  }

  QVariant SortKey(const CompareRow& row, int r, int column) const {
    const CircuitCost& c = row.cost;
    auto number = [&](int value) { return row.realized ? value : INT_MAX; };
    switch (static_cast<CompareWindow::Column>(column)) {
      case CompareWindow::kNumber:
        return r;
      case CompareWindow::kMuxSize:
        return row.options.muxSize.value_or(0);
      case CompareWindow::kDemuxSize:
        return row.options.demuxSize.value_or(0);
      case CompareWindow::kMultiplexers:
        return number(c.Multiplexers());
      case CompareWindow::kDemultiplexers:
        return number(c.Demultiplexers());
      case CompareWindow::kGates:
        return number(c.gates);
      case CompareWindow::kGateInputs:
        return number(c.gateInputs);
      case CompareWindow::kLevels:
        return number(c.levels);
      case CompareWindow::kComponents:
        return number(c.Components());
      case CompareWindow::kResult:
        // The cheapest first, then the other realized rows, the refused ones last.
        return !row.realized ? 3 : row.cheapestByComponents ? 0 : row.cheapestByLevels ? 1 : 2;
      case CompareWindow::kStructure:
      case CompareWindow::kGateFamily:
      case CompareWindow::kColumnCount:
        break;
    }
    return Display(row, r, column);
  }

  const std::vector<CompareRow>& rows_;
  int shown_ = -1;
};

}  // namespace

CompareWindow::CompareWindow(const Session& session, QWidget* parent)
    : ToolDialog(parent), session_(session) {
  setObjectName(QStringLiteral("CompareWindow"));
  setWindowTitle(QString::fromLatin1(text::kCompareTitle));
  auto* layout = new QVBoxLayout(this);
  // The function on one line that scrolls, however long it is.
  auto* function = MakeChild<QLineEdit>(this, "CompareFunction");
  function->setReadOnly(true);
  function->setFrame(false);
  function->setText(QStringLiteral("F = ") + QString::fromStdString(session.model.functionText));
  function->setCursorPosition(0);
  QFont bold = function->font();
  bold.setBold(true);
  function->setFont(bold);
  layout->addWidget(function);
  Summary = MakeChild<QLabel>(this, "Summary");
  layout->addWidget(Summary);
  BestAddress =
      MakeChild<QCheckBox>(this, "BestAddress", QString::fromLatin1(text::kCompareBestAddress));
  layout->addWidget(BestAddress);

  Table = MakeChild<QTableView>(this, "CompareTable");
  auto* model = new CompareModel(rows_, this);
  sorted_ = new QSortFilterProxyModel(this);
  sorted_->setSourceModel(model);
  sorted_->setSortRole(Qt::UserRole);
  Table->setModel(sorted_);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->setSelectionMode(QAbstractItemView::SingleSelection);
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->verticalHeader()->setVisible(false);
  Table->verticalHeader()->setDefaultSectionSize(22);
  Table->horizontalHeader()->setStretchLastSection(true);
  Table->setWordWrap(false);
  // The core's order first (no column sorted); a click on a heading sorts by it.
  Table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  Table->setSortingEnabled(true);
  layout->addWidget(Table, 1);

  Legend = MakeChild<QLabel>(this, "Legend", QString::fromLatin1(text::kCompareLegend));
  Legend->setWordWrap(true);
  layout->addWidget(Legend);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  ButtonRealize =
      MakeChild<QPushButton>(this, "ButtonRealize", QString::fromLatin1(text::kCompareRealize));
  ButtonRealize->setDefault(true);
  ButtonClose = MakeChild<QPushButton>(this, "ButtonClose", QString::fromLatin1(text::kClose));
  buttons->addWidget(ButtonRealize);
  buttons->addWidget(ButtonClose);
  layout->addLayout(buttons);

  connect(BestAddress, &QCheckBox::toggled, this, [this] { Compare(); });
  connect(Table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { ShowCurrent(); });
  connect(Table, &QTableView::doubleClicked, this, [this] { Choose(CurrentRow()); });
  connect(ButtonRealize, &QPushButton::clicked, this, [this] { Choose(CurrentRow()); });
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);
  Compare();
  // Every column in view, and every row of a function of few variables.
  int width = 2 * Table->frameWidth() + Table->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < kColumnCount; ++c) width += Table->columnWidth(c);
  width += layout->contentsMargins().left() + layout->contentsMargins().right();
  if (const QScreen* screen = parent ? parent->screen() : nullptr)
    width = std::min(width, screen->availableGeometry().width() - 40);
  resize(width, 680);
}

AddressMode CompareWindow::Mode() const {
  return BestAddress->isChecked() ? AddressMode::kBest : AddressMode::kAutomatic;
}

int CompareWindow::CurrentRow() const {
  const QModelIndex current = Table->currentIndex();
  return current.isValid() ? sorted_->mapToSource(current).row() : -1;
}

void CompareWindow::Compare() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  rows_ = session_.CompareStructuresNow(Mode());
  QApplication::restoreOverrideCursor();
  // The row of the circuit the main window shows, when one is shown.
  int shown = -1;
  if (session_.commandState == CommandState::kRealized) {
    const int n = CountVariables(session_.model.functionText);
    for (size_t r = 0; r < rows_.size() && shown < 0; ++r)
      if (rows_[r].realized && ChoiceBuildsRow(session_.choice, rows_[r].options, n))
        shown = static_cast<int>(r);
  }
  static_cast<CompareModel*>(sorted_->sourceModel())->Reset(shown);
  int realized = 0;
  for (const CompareRow& row : rows_) realized += row.realized ? 1 : 0;
  Summary->setText(QString::fromLatin1(text::kCompareSummary)
                       .arg(CountVariables(session_.model.functionText))
                       .arg(realized)
                       .arg(static_cast<int>(rows_.size()) - realized));
  Table->resizeColumnsToContents();
  // A refusal's long text is cut in its cell (its tooltip holds it whole).
  Table->setColumnWidth(kResult, std::min(Table->columnWidth(kResult), kResultWidth));
  // The cheapest row by components is the one offered first.
  for (int r = 0; r < sorted_->rowCount(); ++r)
    if (rows_[static_cast<size_t>(sorted_->mapToSource(sorted_->index(r, 0)).row())]
            .cheapestByComponents) {
      Table->setCurrentIndex(sorted_->index(r, 0));
      break;
    }
  ShowCurrent();
}

void CompareWindow::ShowCurrent() {
  const int row = CurrentRow();
  ButtonRealize->setEnabled(row >= 0 && rows_[static_cast<size_t>(row)].realized);
}

void CompareWindow::Choose(int row) {
  if (row < 0 || !rows_[static_cast<size_t>(row)].realized) return;
  chosen_ = row;
  accept();
}

}  // namespace kestrel::gui
