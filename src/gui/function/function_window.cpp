#include "gui/function/function_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "function/function_model.h"
#include "gui/shell/window_util.h"

namespace kestrel::gui {

namespace {

bool IsDigitKey(const QString& t) {
  return t.size() == 1 && t[0] >= u'0' && t[0] <= u'9';
}
bool IsEnter(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

FunctionWindow::FunctionWindow(FunctionModel& model, FunctionDefinition& definition,
                               QWidget* mainWindow)
    : QDialog(mainWindow), model_(model), definition_(definition), mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("Input data"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);

  // --- Canonical panel ---
  Panel1 = MakeChild<QWidget>(this, "Panel1");
  LabelDefinition = MakeChild<QLabel>(Panel1, "LabelDefinition", "Write function definition:");
  auto* grid = new QGridLayout(Panel1);
  grid->setContentsMargins(10, 8, 10, 10);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  grid->addWidget(LabelDefinition, 0, 0, 1, 4);
  const char* names[3] = {"ListBox1", "ListBox2", "ListBox3"};
  const char* headings[3] = {"Ones", "Zeros", "Don't cares"};
  QListWidget** lists[3] = {&ListBox1, &ListBox2, &ListBox3};
  for (int g = 0; g < 3; ++g) {
    auto* heading =
        MakeChild<QLabel>(Panel1, (std::string("Label") + headings[g]).c_str(), headings[g]);
    heading->setObjectName(QStringLiteral("LabelList%1").arg(g + 1));
    *lists[g] = MakeChild<QListWidget>(Panel1, names[g]);
    QListWidget* list = *lists[g];
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->setMinimumWidth(72);
    list->installEventFilter(this);
    // A press anywhere in the list, on an entry or on the empty space below them, makes it the
    // target of Add, Select All and Delete.
    list->viewport()->installEventFilter(this);
    grid->addWidget(heading, 1, g);
    grid->addWidget(list, 2, g, 6, 1);
    const ListKind kind = kListKinds[g];
    connect(list, &QListWidget::itemSelectionChanged, this, [this, kind] { ReadSelection(kind); });
    connect(list, &QListWidget::customContextMenuRequested, this, [this, kind, list](QPoint at) {
      SetSelectedGroup(kind);
      PopupMenu1->exec(list->viewport()->mapToGlobal(at));
    });
  }
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  SelectAll1 = PopupMenu1->addAction(QStringLiteral("Select All"));
  SelectAll1->setObjectName(QStringLiteral("SelectAll1"));
  Delete1 = PopupMenu1->addAction(QStringLiteral("Delete"));
  Delete1->setObjectName(QStringLiteral("Delete1"));
  connect(SelectAll1, &QAction::triggered, this, [this] { Run([this] { SelectAll1Click(); }); });
  connect(Delete1, &QAction::triggered, this, [this] { Run([this] { Delete1Click(); }); });

  auto* side = new QVBoxLayout;
  side->setSpacing(8);
  auto* addRow = new QHBoxLayout;
  Edit1 = MakeChild<QLineEdit>(Panel1, "Edit1");
  Edit1->setMaxLength(4);
  Edit1->setFixedWidth(72);
  Edit1->installEventFilter(this);
  Add1 = MakeChild<QPushButton>(Panel1, "Add1", "Add");
  addRow->addWidget(Edit1);
  addRow->addWidget(Add1);
  addRow->addStretch();
  side->addLayout(addRow);
  RadioGroup1 = MakeChild<QGroupBox>(Panel1, "RadioGroup1", "Select");
  auto* radios = new QVBoxLayout(RadioGroup1);
  RadioOnes = MakeChild<QRadioButton>(RadioGroup1, "RadioOnes", "Ones");
  RadioZeros = MakeChild<QRadioButton>(RadioGroup1, "RadioZeros", "Zeros");
  RadioDontCares = MakeChild<QRadioButton>(RadioGroup1, "RadioDontCares", "Don't cares");
  for (QRadioButton* r : {RadioOnes, RadioZeros, RadioDontCares}) radios->addWidget(r);
  RadioOnes->setChecked(true);
  side->addWidget(RadioGroup1);
  side->addStretch();
  ButtonLBOK = MakeChild<QPushButton>(Panel1, "ButtonLBOK", "Ok");
  ButtonLBCancel = MakeChild<QPushButton>(Panel1, "ButtonLBCancel", "Cancel");
  ClearAll1 = MakeChild<QPushButton>(Panel1, "ClearAll1", "Clear All");
  auto* okRow = new QHBoxLayout;
  okRow->addWidget(ButtonLBOK);
  okRow->addWidget(ButtonLBCancel);
  side->addLayout(okRow);
  side->addWidget(ClearAll1);
  grid->addLayout(side, 1, 3, 7, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);

  // --- Literal panel ---
  Panel2 = MakeChild<QWidget>(this, "Panel2");
  auto* literal = new QGridLayout(Panel2);
  literal->setContentsMargins(10, 8, 10, 8);
  LabelLiteral = MakeChild<QLabel>(Panel2, "LabelLiteral", "Enter the function in literal form:");
  Edit2 = MakeChild<QLineEdit>(Panel2, "Edit2");
  Edit2->installEventFilter(this);
  ButtonEditOK = MakeChild<QPushButton>(Panel2, "ButtonEditOK", "OK");
  ButtonEditCancel = MakeChild<QPushButton>(Panel2, "ButtonEditCancel", "Cancel");
  CheckBoxEnableMin = MakeChild<QCheckBox>(Panel2, "CheckBoxEnableMin", "Minimize");
  LabelSample = MakeChild<QLabel>(Panel2, "LabelSample", "ex. x9~x7x3~x0 + x4~x7");
  literal->addWidget(LabelLiteral, 0, 0, 1, 3);
  literal->addWidget(Edit2, 1, 0);
  literal->addWidget(ButtonEditOK, 1, 1);
  literal->addWidget(ButtonEditCancel, 1, 2);
  literal->addWidget(LabelSample, 2, 0);
  literal->addWidget(CheckBoxEnableMin, 2, 1, 1, 2);
  literal->setColumnStretch(0, 1);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(Panel1);
  outer->addWidget(Panel2);

  for (QPushButton* b :
       {Add1, ButtonLBOK, ButtonLBCancel, ClearAll1, ButtonEditOK, ButtonEditCancel}) {
    b->setAutoDefault(false);
    b->installEventFilter(this);
  }
  CheckBoxEnableMin->installEventFilter(this);
  for (QRadioButton* r : {RadioOnes, RadioZeros, RadioDontCares}) r->installEventFilter(this);

  connect(Add1, &QPushButton::clicked, this, [this] { Run([this] { Add1Click(); }); });
  connect(ButtonLBOK, &QPushButton::clicked, this, [this] { Run([this] { ButtonLBOKClick(); }); });
  connect(ButtonLBCancel, &QPushButton::clicked, this,
          [this] { Run([this] { ButtonLBCancelClick(); }); });
  connect(ClearAll1, &QPushButton::clicked, this, [this] { Run([this] { ClearAll1Click(); }); });
  connect(ButtonEditOK, &QPushButton::clicked, this,
          [this] { Run([this] { ButtonEditOKClick(); }); });
  connect(ButtonEditCancel, &QPushButton::clicked, this,
          [this] { Run([this] { ButtonEditCancelClick(); }); });
  connect(CheckBoxEnableMin, &QCheckBox::toggled, this,
          [this](bool on) { definition_.minimizeChecked = on; });

  Panel2->hide();
}

void FunctionWindow::Run(const std::function<void()>& command) {
  if (guard) {
    guard(command);
  } else {
    command();
  }
}

QListWidget* FunctionWindow::List(ListKind group) const {
  switch (group) {
    case ListKind::kOnes:
      return ListBox1;
    case ListKind::kZeros:
      return ListBox2;
    case ListKind::kDontCares:
      return ListBox3;
  }
  return ListBox1;
}

ListKind FunctionWindow::SelectedGroup() const {
  return RadioZeros->isChecked()       ? ListKind::kZeros
         : RadioDontCares->isChecked() ? ListKind::kDontCares
                                       : ListKind::kOnes;
}

void FunctionWindow::SetSelectedGroup(ListKind group) {
  switch (group) {
    case ListKind::kOnes:
      RadioOnes->setChecked(true);
      break;
    case ListKind::kZeros:
      RadioZeros->setChecked(true);
      break;
    case ListKind::kDontCares:
      RadioDontCares->setChecked(true);
      break;
  }
}

void FunctionWindow::ShowLists() {
  syncing_ = true;
  for (ListKind g : kListKinds) {
    QListWidget* list = List(g);
    list->clear();
    const auto& entries = model_.list(g);
    QStringList texts;
    texts.reserve(static_cast<int>(entries.size()));
    for (const auto& e : entries) texts << QString::fromStdString(e);
    list->addItems(texts);
    const auto& sel = definition_.Selection(g);
    for (int i = 0; i < list->count() && i < static_cast<int>(sel.size()); ++i)
      if (sel[i]) list->item(i)->setSelected(true);
  }
  syncing_ = false;
}

void FunctionWindow::ReadSelection(ListKind group) {
  if (syncing_) return;
  QListWidget* list = List(group);
  for (int i = 0; i < list->count(); ++i) definition_.Select(group, i, list->item(i)->isSelected());
}

void FunctionWindow::LayoutCanonical() {
  CheckBoxEnableMin->setChecked(true);
  Panel2->hide();
  Panel1->show();
  Edit1->clear();
  ShowLists();
  layout()->activate();
  resize(QSize(420, 330).expandedTo(minimumSizeHint()));
  Edit1->setFocus();
}

void FunctionWindow::LayoutLiteral() {
  CheckBoxEnableMin->setChecked(true);
  Panel1->hide();
  Panel2->show();
  Edit2->setText(QString::fromStdString(model_.functionText));
  layout()->activate();
  const QSize hint = minimumSizeHint();
  setMinimumSize(0, 0);
  resize(QSize(520, 110).expandedTo(hint));
  Edit2->setFocus();
}

void FunctionWindow::Add1Click() {
  definition_.Add(Edit1->text().toStdString(), SelectedGroup());
  Edit1->setText(QString::fromStdString(definition_.editText));
  ShowLists();
  Edit1->setFocus();
}

void FunctionWindow::ButtonLBOKClick() {
  // The window closes before the minimization runs; only the refusal keeps it open.
  if (definition_.OkClosesWindow()) hide();
  if (definition_.Ok()) {
    done(QDialog::Accepted);
  } else {
    ShowLists();
  }
}

void FunctionWindow::ButtonLBCancelClick() {
  definition_.Cancel();
  ShowLists();
  done(QDialog::Rejected);
}

void FunctionWindow::ClearAll1Click() {
  definition_.ClearAll();
  ShowLists();
}

void FunctionWindow::SelectAll1Click() {
  definition_.SelectAll(SelectedGroup());
  ShowLists();
}

void FunctionWindow::Delete1Click() {
  definition_.Delete(SelectedGroup());
  ShowLists();
}

void FunctionWindow::ButtonEditOKClick() {
  definition_.minimizeChecked = CheckBoxEnableMin->isChecked();
  model_.functionText = Edit2->text().toStdString();
  if (!definition_.LiteralCheck()) {
    Edit2->setText(QString::fromStdString(model_.functionText));
    Edit2->setFocus();
    return;
  }
  // Accepted: the window is out of the way before the minimization's messages and progress.
  hide();
  definition_.LiteralAccept();
  done(QDialog::Accepted);
}

void FunctionWindow::ButtonEditCancelClick() {
  definition_.LiteralCancel();
  Edit2->setText(QString::fromStdString(model_.functionText));
  done(QDialog::Rejected);
}

void FunctionWindow::FormEscape() {
  definition_.Escape();
  ShowLists();
  Edit2->setText(QString::fromStdString(model_.functionText));
  done(QDialog::Rejected);
}

void FunctionWindow::ListPressed(ListKind list) {
  if (SelectedGroup() != list) SetSelectedGroup(list);
  for (ListKind other : kListKinds)
    if (other != list) List(other)->clearSelection();
}

void FunctionWindow::reject() {
  // The close box is the Cancel of the layout shown: nothing entered since the window opened
  // stays.
  definition_.CloseBox();
  ShowLists();
  Edit2->setText(QString::fromStdString(model_.functionText));
  QDialog::reject();
}

void FunctionWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    if (onHelp) onHelp();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    Run([this] { FormEscape(); });
    return;
  }
  if (IsEnter(event->key())) return;  // no default button
  QDialog::keyPressEvent(event);
}

bool FunctionWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (ListKind kind : kListKinds)
      if (watched == List(kind)->viewport()) ListPressed(kind);
    return QDialog::eventFilter(watched, event);
  }
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const int k = key->key();
  if (k == Qt::Key_F1) {
    if (onHelp) onHelp();
    return true;
  }
  if (watched == Edit1) {
    if (k == Qt::Key_Escape) {
      Run([this] { ButtonLBCancelClick(); });
      return true;
    }
    if (IsEnter(k)) {
      Run([this] { Add1Click(); });
      return true;
    }
    if (k == Qt::Key_Backspace || key->matches(QKeySequence::Paste) ||
        key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut))
      return false;
    const QString t = key->text();
    // Only digits reach the number box; other characters are dropped.
    if (!t.isEmpty() && t[0].isPrint() && !IsDigitKey(t)) return true;
    return false;
  }
  if (watched == Edit2) {
    if (k == Qt::Key_Escape) {
      Run([this] {
        definition_.Escape();
        ButtonEditCancelClick();
      });
      return true;
    }
    if (IsEnter(k)) {
      Run([this] { ButtonEditOKClick(); });
      return true;
    }
    if (k == Qt::Key_Backspace || key->matches(QKeySequence::Paste) ||
        key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut))
      return false;
    const QString t = key->text();
    if (t.isEmpty() || !t[0].isPrint()) return false;  // navigation keys
    const QChar c = t[0];
    const bool allowed = c == u'x' || c == u'X' || c == u'+' || c == u'~' || IsDigitKey(t);
    return !allowed;
  }
  if (watched == ListBox1 || watched == ListBox2 || watched == ListBox3) {
    if (k == Qt::Key_Escape) {
      Run([this] { ButtonLBCancelClick(); });
      return true;
    }
    if (k == Qt::Key_Delete) {
      // The Delete key acts on the list named by "Select", like the context menu.
      Run([this] { Delete1Click(); });
      return true;
    }
    return false;
  }
  // The buttons, the radio buttons and the check box: Esc is the window's Esc.
  if (k == Qt::Key_Escape) {
    Run([this] { FormEscape(); });
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kestrel::gui
