#include "gui/work/work_window.h"

#include <QAbstractTableModel>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "diagram/diagram.h"
#include "explain/explain_texts.h"
#include "explain/report.h"
#include "export/picture_export.h"
#include "files/file_io.h"
#include "gui/gui_texts.h"
#include "gui/shell/window_util.h"
#include "session/session.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"

namespace kestrel::gui {

namespace {

// A table whose cells are computed when shown: a 59,049-row level costs nothing until scrolled.
class RowsModel : public QAbstractTableModel {
 public:
  using Cell = std::function<QString(int row, int column)>;
  RowsModel(QStringList headers, int rows, Cell cell, QObject* parent)
      : QAbstractTableModel(parent),
        headers_(std::move(headers)),
        rows_(rows),
        cell_(std::move(cell)) {}
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return cell_(index.row(), index.column());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
      return section < headers_.size() ? headers_[section] : QString();
    return section + 1;
  }

 private:
  QStringList headers_;
  int rows_;
  Cell cell_;
};

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QTableView* MakeTable(QWidget* parent, const char* name) {
  auto* view = MakeChild<QTableView>(parent, name);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->verticalHeader()->setVisible(false);
  view->verticalHeader()->setDefaultSectionSize(20);
  view->horizontalHeader()->setStretchLastSection(true);
  view->setWordWrap(false);
  return view;
}

void SetRows(QTableView* view, const QStringList& headers, int rows, RowsModel::Cell cell) {
  QAbstractItemModel* old = view->model();
  view->setModel(new RowsModel(headers, rows, std::move(cell), view));
  delete old;
  // The first column holds a number or a product, the others short words.
  view->resizeColumnsToContents();
  for (int c = 0; c + 1 < headers.size(); ++c)
    view->setColumnWidth(c, std::max(view->columnWidth(c), c == 0 ? 60 : 80));
}

constexpr QRgb kLoopColours[] = {0xd62728, 0x1f77b4, 0x2ca02c, 0xff7f0e,
                                 0x9467bd, 0x8c564b, 0xe377c2, 0x17becf};
constexpr int kCell = 30;     // cell side in pixels
constexpr int kHeader = 36;   // room for the codes along the top and the left of a map
constexpr int kMapGap = 24;   // between the maps of the grid
constexpr int kCaption = 30;  // a map's label above it: two lines

// The runs of consecutive positions (in Gray order) along an axis whose bit values the product
// allows; a run may wrap from the last position to the first, which gives two runs.
std::vector<std::pair<int, int>> Runs(const KarnaughAxis& axis, uint16_t p, uint16_t n) {
  const int size = axis.Size();
  std::vector<bool> in(size);
  for (int i = 0; i < size; ++i) {
    const int bits = axis.Bits(i);
    int mask = 0;
    for (int b : axis.bits) mask |= 1 << b;
    in[i] = (bits & (p | n) & mask) == (p & mask);
  }
  std::vector<std::pair<int, int>> runs;
  for (int i = 0; i < size;) {
    if (!in[i]) {
      ++i;
      continue;
    }
    int j = i;
    while (j + 1 < size && in[j + 1]) ++j;
    runs.emplace_back(i, j);
    i = j + 1;
  }
  return runs;
}

}  // namespace

KarnaughView::KarnaughView(QWidget* parent) : QWidget(parent) {
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
}

void KarnaughView::Show(const Explanation* e) {
  e_ = e;
  layout_ = LayOutKarnaugh(e ? e->variables : 0);
  highlight_.reset();
  resize(sizeHint());
  updateGeometry();
  update();
}

void KarnaughView::Highlight(std::optional<std::pair<uint16_t, uint16_t>> product) {
  highlight_ = product;
  update();
}

QSize KarnaughView::sizeHint() const {
  const int mapW = kHeader + layout_.columns.Size() * kCell;
  const int mapH = kCaption + kHeader + layout_.rows.Size() * kCell;
  return {layout_.gridColumns.Size() * (mapW + kMapGap) + kMapGap,
          layout_.gridRows.Size() * (mapH + kMapGap) + kMapGap};
}

QRect KarnaughView::CellRect(int gridRow, int gridColumn, int row, int column) const {
  const int mapW = kHeader + layout_.columns.Size() * kCell;
  const int mapH = kCaption + kHeader + layout_.rows.Size() * kCell;
  const int x = kMapGap + gridColumn * (mapW + kMapGap) + kHeader + column * kCell;
  const int y = kMapGap + gridRow * (mapH + kMapGap) + kCaption + kHeader + row * kCell;
  return {x, y, kCell, kCell};
}

void KarnaughView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!e_ || e_->variables == 0 || e_->values.empty()) return;
  const KarnaughLayout& k = layout_;
  const std::vector<std::string>& names = e_->variableNames;
  std::vector<std::pair<uint16_t, uint16_t>> loops;
  if (e_->variables <= 6)
    for (auto [level, slot] : e_->SelectedInTextOrder())
      loops.emplace_back(e_->levels[level][slot].p, e_->levels[level][slot].n);
  const QString axes =
      Q(AxisNames(k.rows, names)) + QStringLiteral(" \\ ") + Q(AxisNames(k.columns, names));
  for (int gr = 0; gr < k.gridRows.Size(); ++gr)
    for (int gc = 0; gc < k.gridColumns.Size(); ++gc) {
      const QRect first = CellRect(gr, gc, 0, 0);
      painter.setPen(palette().color(QPalette::Text));
      if (k.Maps() > 1) {
        QString label;
        if (!k.gridRows.bits.empty())
          label += Q(AxisNames(k.gridRows, names)) + " = " + Q(k.gridRows.Code(gr));
        if (!k.gridColumns.bits.empty())
          label += (label.isEmpty() ? "" : "\n") + Q(AxisNames(k.gridColumns, names)) + " = " +
                   Q(k.gridColumns.Code(gc));
        painter.drawText(
            QRect(first.left() - kHeader, first.top() - kHeader - kCaption, 400, kCaption),
            Qt::AlignLeft | Qt::AlignVCenter, label);
      }
      painter.drawText(
          QRect(first.left() - kHeader, first.top() - kHeader, kHeader + 80, kHeader / 2),
          Qt::AlignLeft | Qt::AlignVCenter, axes);
      for (int c = 0; c < k.columns.Size(); ++c) {
        const QRect cell = CellRect(gr, gc, 0, c);
        painter.drawText(QRect(cell.left(), cell.top() - kHeader / 2 - 2, kCell, kHeader / 2),
                         Qt::AlignCenter, Q(k.columns.Code(c)));
      }
      for (int r = 0; r < k.rows.Size(); ++r)
        painter.drawText(
            CellRect(gr, gc, r, 0).translated(-kHeader, 0).adjusted(0, 0, kHeader - kCell - 4, 0),
            Qt::AlignRight | Qt::AlignVCenter, Q(k.rows.Code(r)));
      for (int r = 0; r < k.rows.Size(); ++r)
        for (int c = 0; c < k.columns.Size(); ++c) {
          const QRect cell = CellRect(gr, gc, r, c);
          const int i = k.Combination(gr, gc, r, c);
          if (highlight_ && ProductCovers(highlight_->first, highlight_->second, i))
            painter.fillRect(cell, QColor(255, 230, 120));
          painter.setPen(palette().color(QPalette::Mid));
          painter.drawRect(cell);
          painter.setPen(palette().color(QPalette::Text));
          painter.drawText(cell, Qt::AlignCenter, QString(QChar(ValueChar(e_->values[i]))));
        }
      // The loops: one rounded frame per run of rows and columns, inset by the loop's number
      // so that overlapping loops stay apart.
      painter.setRenderHint(QPainter::Antialiasing);
      for (size_t l = 0; l < loops.size(); ++l) {
        // Only the maps the product reaches.
        const int gridBits = k.gridRows.Bits(gr) | k.gridColumns.Bits(gc);
        int gridMask = 0;
        for (int b : k.gridRows.bits) gridMask |= 1 << b;
        for (int b : k.gridColumns.bits) gridMask |= 1 << b;
        const auto [p, n] = loops[l];
        if ((gridBits & (p | n) & gridMask) != (p & gridMask)) continue;
        painter.setPen(QPen(QColor(kLoopColours[l % std::size(kLoopColours)]), 2));
        const int inset = 2 + static_cast<int>(l % 4) * 2;
        for (auto [r0, r1] : Runs(k.rows, p, n))
          for (auto [c0, c1] : Runs(k.columns, p, n)) {
            const QRect box = CellRect(gr, gc, r0, c0).united(CellRect(gr, gc, r1, c1));
            painter.drawRoundedRect(box.adjusted(inset, inset, -inset, -inset), 8, 8);
          }
      }
      painter.setRenderHint(QPainter::Antialiasing, false);
    }
}

WorkWindow::WorkWindow(const Session& session, FileDialogs& files, MessageSink& messages,
                       QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), files_(files), messages_(messages) {
  setObjectName(QStringLiteral("WorkWindow"));
  setWindowTitle(QString::fromLatin1(text::kWorkTitle));
  auto* layout = new QVBoxLayout(this);
  // A long function (hundreds of products) scrolls in its field instead of widening the window.
  auto* headingRow = new QHBoxLayout;
  function_ = MakeChild<QLineEdit>(this, "WorkFunction");
  function_->setReadOnly(true);
  heading_ = MakeChild<QLabel>(this, "WorkHeading");
  headingRow->addWidget(function_, 1);
  headingRow->addWidget(heading_);
  layout->addLayout(headingRow);
  tabs_ = MakeChild<QTabWidget>(this, "WorkTabs");
  layout->addWidget(tabs_, 1);

  truth_ = MakeTable(tabs_, "TruthTable");
  // A row chosen in the truth table sets the live circuit's combination (rows are in
  // combination order).
  connect(truth_, &QTableView::clicked, this,
          [this](const QModelIndex& index) { emit CombinationChosen(index.row()); });
  connect(truth_, &QTableView::activated, this,
          [this](const QModelIndex& index) { emit CombinationChosen(index.row()); });
  tabs_->addTab(truth_, QString::fromLatin1(text::kTabTruthTable));

  auto* mapPage = MakeChild<QSplitter>(tabs_, "KarnaughPage");
  auto* mapScroll = MakeChild<QScrollArea>(mapPage, "KarnaughScroll");
  karnaugh_ = new KarnaughView(mapScroll);
  karnaugh_->setObjectName(QStringLiteral("KarnaughMap"));
  mapScroll->setWidget(karnaugh_);
  auto* productsBox = MakeChild<QWidget>(mapPage, "ProductsBox");
  auto* productsLayout = new QVBoxLayout(productsBox);
  productsLayout->addWidget(
      MakeChild<QLabel>(productsBox, "ProductsHint", QString::fromLatin1(text::kProductsHint)));
  products_ = MakeChild<QListWidget>(productsBox, "SelectedProducts");
  productsLayout->addWidget(products_);
  mapPage->addWidget(mapScroll);
  mapPage->addWidget(productsBox);
  mapPage->setStretchFactor(0, 4);
  tabs_->addTab(mapPage, QString::fromLatin1(text::kTabKarnaugh));

  auto* minimization = MakeChild<QSplitter>(tabs_, "MinimizationPage");
  auto* tablesBox = MakeChild<QWidget>(minimization, "LevelTables");
  auto* tables = new QVBoxLayout(tablesBox);
  auto* levelsRow = new QHBoxLayout;
  levelList_ = MakeChild<QListWidget>(tablesBox, "Levels");
  levelList_->setMaximumWidth(150);
  level_ = MakeTable(tablesBox, "LevelTable");
  levelsRow->addWidget(levelList_);
  levelsRow->addWidget(level_, 1);
  tables->addLayout(levelsRow, 3);
  tables->addWidget(MakeChild<QLabel>(tablesBox, "CoverStepsCaption",
                                      QString::fromLatin1(text::kCoverStepsCaption)));
  steps_ = MakeTable(tablesBox, "CoverSteps");
  tables->addWidget(steps_, 2);
  auto* smallScroll = MakeChild<QScrollArea>(minimization, "MinimizationMapScroll");
  minimizationMap_ = new KarnaughView(smallScroll);
  minimizationMap_->setObjectName(QStringLiteral("MinimizationMap"));
  smallScroll->setWidget(minimizationMap_);
  minimization->addWidget(tablesBox);
  minimization->addWidget(smallScroll);
  minimization->setSizes({520, 300});
  tabs_->addTab(minimization, QString::fromLatin1(text::kTabMinimization));

  auto* realization = MakeChild<QWidget>(tabs_, "RealizationPage");
  auto* realizationLayout = new QVBoxLayout(realization);
  inputs_ = MakeTable(realization, "DataInputs");
  outputs_ = MakeTable(realization, "DemuxOutputs");
  cost_ = MakeChild<QLabel>(realization, "Cost");
  cost_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  realizationLayout->addWidget(inputs_, 3);
  realizationLayout->addWidget(outputs_, 2);
  realizationLayout->addWidget(cost_);
  tabs_->addTab(realization, QString::fromLatin1(text::kTabRealization));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* save = MakeChild<QPushButton>(this, "SaveReport", QString::fromLatin1(text::kSaveReport));
  buttons->addWidget(save);
  layout->addLayout(buttons);
  connect(save, &QPushButton::clicked, this, &WorkWindow::SaveReport);

  connect(levelList_, &QListWidget::currentRowChanged, this, &WorkWindow::ShowLevel);
  connect(products_, &QListWidget::currentRowChanged, this, [this](int row) {
    const auto selected = e_.SelectedInTextOrder();
    if (row < 0 || row >= static_cast<int>(selected.size())) return karnaugh_->Highlight({});
    const LevelImplicant& imp = e_.levels[selected[row].first][selected[row].second];
    karnaugh_->Highlight(std::make_pair(imp.p, imp.n));
  });
  resize(820, 560);
}

WorkWindow::~WorkWindow() = default;

void WorkWindow::Follow() {
  const Session& s = session_;
  const FunctionModel& m = s.model;
  // What the explanation is computed from: the function, its lists and the realized circuit.
  std::string key = m.functionText + '|' + std::to_string(m.representationFlag) + '|' +
                    std::to_string(m.ones().size()) + ',' + std::to_string(m.zeros().size()) + ',' +
                    std::to_string(m.dontCares().size()) + '|' +
                    std::to_string(StateNumber(s.commandState));
  for (const auto& list : m.lists)
    for (const auto& entry : list) key += entry + ',';
  if (s.commandState == CommandState::kRealized)
    key += '|' + s.designCaption + '|' + std::to_string(s.results.nodes().size()) + '|' +
           std::to_string(static_cast<int>(s.choice.Current()));
  if (key == shownKey_) return;
  shownKey_ = key;
  const RealizedCircuit circuit{&s.choice, &s.results, s.designCaption};
  e_ = Explain(m, s.commandState == CommandState::kRealized ? &circuit : nullptr);
  Rebuild();
}

void WorkWindow::ShowCombination(int k) {
  const QAbstractItemModel* model = truth_->model();
  if (!model || k < 0 || k >= model->rowCount()) return;
  const QModelIndex index = model->index(k, 0);
  truth_->setCurrentIndex(index);
  truth_->scrollTo(index);
}

void WorkWindow::Rebuild() {
  const Explanation& e = e_;
  function_->setText(e.function.empty() ? QString::fromLatin1(text::kNoWork)
                                        : QStringLiteral("F = ") + Q(e.function));
  function_->setCursorPosition(0);
  heading_->setText(
      e.variables > 0
          ? QStringLiteral("%1 variables, %2 implicants").arg(e.variables).arg(e.ImplicantCount())
          : QString());

  QStringList truthHeaders{text::kColumnCombination, QString(), text::kColumnFunction};
  for (const auto& name : e.variableNames) truthHeaders[1] += Q(name);
  if (!e.circuit.empty()) truthHeaders << text::kColumnCircuit;
  SetRows(truth_, truthHeaders, static_cast<int>(e.values.size()), [this](int i, int c) -> QString {
    switch (c) {
      case 0:
        return QString::number(i);
      case 1: {
        QString code;
        for (int b = e_.variables - 1; b >= 0; --b) code += ((i >> b) & 1) ? '1' : '0';
        return code;
      }
      case 2:
        return QString(QChar(ValueChar(e_.values[i])));
      default: {
        const bool differs = e_.values[i] != FunctionValue::kDontCare &&
                             (e_.values[i] == FunctionValue::kOne) != (e_.circuit[i] == 1);
        return QString::number(e_.circuit[i]) + (differs ? text::kMismatchMark : "");
      }
    }
  });

  karnaugh_->Show(&e_);
  minimizationMap_->Show(&e_);
  products_->clear();
  for (auto [k, j] : e.SelectedInTextOrder()) products_->addItem(Q(e.TermText(e.levels[k][j])));

  levelList_->clear();
  for (size_t k = 0; k < e.levels.size(); ++k)
    levelList_->addItem(QStringLiteral("Level %1: %2").arg(k).arg(e.levels[k].size()));
  if (!e.levels.empty()) {
    levelList_->setCurrentRow(0);
  } else {
    ShowLevel(-1);
  }
  SetRows(steps_,
          {text::kColumnStep, text::kColumnTerm, text::kColumnDecision, text::kColumnOnlyCovers},
          static_cast<int>(e.coverSteps.size()), [this](int s, int c) -> QString {
            const CoverStep& step = e_.coverSteps[s];
            switch (c) {
              case 0:
                return QString::number(s + 1);
              case 1:
                return Q(e_.TermText(e_.levels[step.level][step.index]));
              case 2:
                return QString::fromLatin1(step.kept ? text::kKept : text::kDropped);
              default: {
                QStringList numbers;
                for (int m : step.onlyCovers) numbers << QString::number(m);
                return numbers.join(QStringLiteral(", "));
              }
            }
          });
  connect(steps_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!current.isValid()) return;
            const CoverStep& step = e_.coverSteps[current.row()];
            const LevelImplicant& imp = e_.levels[step.level][step.index];
            minimizationMap_->Highlight(std::make_pair(imp.p, imp.n));
          });

  const int inputs = e.realization ? static_cast<int>(e.realization->dataInputs.size()) : 0;
  SetRows(inputs_,
          {text::kColumnMultiplexer, text::kColumnInput, text::kColumnAddress, text::kColumnSource,
           text::kColumnLabel},
          inputs, [this](int i, int c) -> QString {
            const DataInputUse& u = e_.realization->dataInputs[i];
            switch (c) {
              case 0:
                return QString::number(u.multiplexer);
              case 1:
                return QString::number(u.input);
              case 2:
                return Q(u.address);
              case 3:
                return Q(SourceText(u));
              default:
                return Q(u.label);
            }
          });
  const int outputs = e.realization ? static_cast<int>(e.realization->demuxOutputs.size()) : 0;
  SetRows(
      outputs_,
      {text::kColumnOutput, text::kColumnAddress, text::kColumnCollectingGate, text::kColumnGoesTo},
      outputs, [this](int i, int c) -> QString {
        const DemuxOutputUse& u = e_.realization->demuxOutputs[i];
        switch (c) {
          case 0:
            return QString::number(u.output);
          case 1:
            return Q(u.address);
          case 2:
            return u.collectingGate == 0 ? QStringLiteral("-") : QString::number(u.collectingGate);
          default:
            return Q(DestinationText(u));
        }
      });
  outputs_->setVisible(outputs > 0);
  cost_->setText(e.cost ? Q(e.realization->designCaption + "\n" + CostText(*e.cost))
                        : QString::fromLatin1(text::kNotRealized));
}

void WorkWindow::ShowLevel(int level) {
  const int count = level >= 0 && level < static_cast<int>(e_.levels.size())
                        ? static_cast<int>(e_.levels[level].size())
                        : 0;
  SetRows(level_,
          {text::kColumnTerm, text::kColumnMerged, text::kColumnSelected, text::kColumnMinterms},
          count, [this, level](int j, int c) -> QString {
            const LevelImplicant& imp = e_.levels[level][j];
            switch (c) {
              case 0:
                return Q(e_.TermText(imp));
              case 1:
                return QString::fromLatin1(imp.merged ? text::kYes : text::kNo);
              case 2:
                return QString::fromLatin1(imp.selected ? text::kYes : text::kNo);
              default: {
                const std::vector<int> minterms = e_.Minterms(imp.p, imp.n);
                QStringList numbers;
                for (size_t m = 0; m < minterms.size() && m < size_t{kReportNumbersPerCell}; ++m)
                  numbers << QString::number(minterms[m]);
                if (minterms.size() > size_t{kReportNumbersPerCell})
                  numbers << QStringLiteral("... (%1 in all)").arg(minterms.size());
                return numbers.join(QStringLiteral(", "));
              }
            }
          });
  connect(level_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this, level](const QModelIndex& current) {
            if (!current.isValid()) return;
            const LevelImplicant& imp = e_.levels[level][current.row()];
            minimizationMap_->Highlight(std::make_pair(imp.p, imp.n));
          });
}

void WorkWindow::SaveReport() {
  FileDialogRequest request;
  request.title = text::kSaveReportTitle;
  request.defaultExtension = "html";
  request.filter = text::kReportFilter;
  request.initialName = "report.html";
  const std::optional<SaveChoice> choice = files_.SaveWithFilter(request);
  if (!choice) return;
  const QString path = Q(choice->path);
  const bool pdf =
      QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
  const bool realized = e_.realization.has_value();
  const Diagram diagram =
      LayoutDiagram(session_.results, session_.choice, kDefaultZoom, reportStyle_);
  const ProjectText project{session_.model.functionText, session_.designCaption};
  std::string error;
  if (!pdf) {
    std::string svg;
    if (realized) {
      const EncodedPicture picture =
          EncodePicture(diagram, PictureContent::kDiagram, project, PictureFormat::kSvg);
      svg.assign(picture.bytes.begin(), picture.bytes.end());
    }
    WriteFileAtomically(choice->path, ExplanationHtml(e_, svg), &error);
  } else {
    // The same report laid out by Qt's rich text, with the diagram as a picture.
    QTextDocument document;
    if (realized)
      document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("diagram.png")),
                           RenderImage(diagram, PictureContent::kDiagram, project));
    document.setHtml(Q(ExplanationHtml(e_, realized ? "<img src=\"diagram.png\"/>" : "")));
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(QString::fromLatin1(text::kReportTitle));
    document.print(&writer);
    if (!QFileInfo::exists(path)) error = "the PDF could not be written";
  }
  if (!error.empty())
    messages_.Show(text::kReportNotSaved + error, text::kCaptionError, Buttons::Ok, Icon::Error);
}

}  // namespace kestrel::gui
