#include "gui/structure/structure_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "gui/shell/window_util.h"
#include "session/session.h"
#include "structure/structure_choice.h"

namespace kestrel::gui {

namespace {
const QStringList kSizes = {QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8"),
                            QStringLiteral("16")};
const int kButtonRows[4] = {22, 53, 84, 115};
}  // namespace

QGroupBox* StructureDialog::MakeRadioGroup(QWidget* parent, const char* name,
                                           const QString& caption, const QStringList& items, int x,
                                           int y, int w, int h) {
  auto* group = MakeChild<QGroupBox>(parent, name, caption);
  group->setGeometry(x, y, w, h);
  const int step = (h - 28) / std::max<int>(1, static_cast<int>(items.size()));
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], group);
    button->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
    button->setGeometry(8, 22 + i * step, w - 16, std::min(step, 24));
    button->installEventFilter(this);
  }
  return group;
}

QRadioButton* StructureDialog::RadioItem(QGroupBox* group, int i) const {
  return group->findChild<QRadioButton*>(QStringLiteral("%1_%2").arg(group->objectName()).arg(i));
}

StructureDialog::StructureDialog(Session& session, QWidget* mainWindow)
    : QDialog(mainWindow), session_(session), choice_(session.choice) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Design structure"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);

  LabelSelect = MakeChild<QLabel>(this, "LabelSelect", "Select design structure:");
  LabelSelect->move(16, 12);
  PageControl1 = MakeChild<QTabWidget>(this, "PageControl1");
  PageControl1->setGeometry(8, 32, 417, 233);
  PageControl1->setDocumentMode(true);  // tabs as flat buttons

  auto* tabMux = new QWidget;
  tabMux->setObjectName(QStringLiteral("TabSheetMux"));
  RadioMuxSize = MakeRadioGroup(tabMux, "RadioMuxSize", QStringLiteral("Multiplexer's size"),
                                kSizes, 32, 16, 121, 145);
  GroupBoxGates = MakeChild<QGroupBox>(tabMux, "GroupBoxGates", "Gates");
  GroupBoxGates->setGeometry(160, 16, 185, 145);
  CheckBoxGates = MakeChild<QCheckBox>(GroupBoxGates, "CheckBoxGates", "use gates");
  CheckBoxGates->setGeometry(8, 16, 169, 22);
  CheckBoxGates->installEventFilter(this);
  QStringList families;
  for (const GateFamilyNames& family : kGateFamilyNames)
    families << QString::fromLatin1(family.caption);
  RadioGates = MakeRadioGroup(GroupBoxGates, "RadioGates", QString(), families, 8, 40, 169, 97);
  RadioGates->setFlat(true);
  PageControl1->addTab(tabMux, QStringLiteral("Multiplexer"));

  auto* tabDmux = new QWidget;
  tabDmux->setObjectName(QStringLiteral("TabSheetDmux"));
  RadioDmux = MakeRadioGroup(tabDmux, "RadioDmux", QStringLiteral("Demultiplexer's size"), kSizes,
                             32, 16, 121, 145);
  PageControl1->addTab(tabDmux, QStringLiteral("Demultiplexer"));

  auto* tabTree = new QWidget;
  tabTree->setObjectName(QStringLiteral("TabSheetMuxTree"));
  RadioMuxMT = MakeRadioGroup(tabTree, "RadioMuxMT", QStringLiteral("Multiplexer's size"), kSizes,
                              32, 16, 121, 145);
  PageControl1->addTab(tabTree, QStringLiteral("Multiplexer Tree"));

  auto* tabMd = new QWidget;
  tabMd->setObjectName(QStringLiteral("TabSheetMuxDmux"));
  GroupBoxMuxMD = MakeChild<QGroupBox>(tabMd, "GroupBoxMuxMD", "Multiplexer's size");
  GroupBoxMuxMD->setGeometry(32, 16, 121, 145);
  GroupBoxDmuxMD = MakeChild<QGroupBox>(tabMd, "GroupBoxDmuxMD", "Demultiplexer's size");
  GroupBoxDmuxMD->setGeometry(216, 16, 137, 145);
  const char* muxNames[4] = {"RadioMDMux2b", "RadioMDMux4b", "RadioMDMux8b", "RadioMDMux16b"};
  const char* dmuxNames[4] = {"RadioMDDmux2b", "RadioMDDmux4b", "RadioMDDmux8b", "RadioMDDmux16b"};
  for (int i = 0; i < 4; ++i) {
    mdMux_[i] = MakeChild<QRadioButton>(GroupBoxMuxMD, muxNames[i], kSizes[i]);
    mdDmux_[i] = MakeChild<QRadioButton>(GroupBoxDmuxMD, dmuxNames[i], kSizes[i]);
    mdMux_[i]->setGeometry(8, kButtonRows[i], 105, 24);
    mdDmux_[i]->setGeometry(8, kButtonRows[i], 121, 24);
    for (QRadioButton* b : {mdMux_[i], mdDmux_[i]}) {
      // The pair is kept by the choice: at most one button per group, possibly none.
      b->setAutoExclusive(false);
      b->installEventFilter(this);
    }
    connect(mdMux_[i], &QRadioButton::pressed, this, [this] { choice_.EnterGroup(1); });
    connect(mdDmux_[i], &QRadioButton::pressed, this, [this] { choice_.EnterGroup(2); });
    connect(mdMux_[i], &QRadioButton::clicked, this, [this, i] {
      if (syncing_) return;
      choice_.ClickMdMux(i, FunctionText());
      ShowChoice();
    });
    connect(mdDmux_[i], &QRadioButton::clicked, this, [this, i] {
      if (syncing_) return;
      choice_.ClickMdDmux(i, FunctionText());
      ShowChoice();
    });
  }
  RadioMDMux2b = mdMux_[0];
  RadioMDMux4b = mdMux_[1];
  RadioMDMux8b = mdMux_[2];
  RadioMDMux16b = mdMux_[3];
  RadioMDDmux2b = mdDmux_[0];
  RadioMDDmux4b = mdDmux_[1];
  RadioMDDmux8b = mdDmux_[2];
  RadioMDDmux16b = mdDmux_[3];
  PageControl1->addTab(tabMd, QStringLiteral("Multiplexer and Demultiplexer"));

  ButtonOK = MakeChild<QPushButton>(this, "ButtonOK", "OK");
  ButtonCANCEL = MakeChild<QPushButton>(this, "ButtonCANCEL", "Cancel");
  for (QPushButton* b : {ButtonOK, ButtonCANCEL}) {
    b->setAutoDefault(false);
    b->installEventFilter(this);
  }
  PageControl1->tabBar()->installEventFilter(this);

  // The tabs' captions decide the width the page control needs; the design is 417 x 233.
  const int tabsWidth = PageControl1->tabBar()->sizeHint().width();
  const int pageW = std::max(417, tabsWidth + 8);
  const int pageH = std::max(233, PageControl1->tabBar()->sizeHint().height() + 16 + 145 + 24);
  PageControl1->setGeometry(8, 32, pageW, pageH);
  const int buttonsY = std::max(256, 32 + pageH + 8);
  const int buttonW = std::max(75, ButtonCANCEL->sizeHint().width());
  const int buttonH = std::max(25, ButtonOK->sizeHint().height());
  const int clientW = pageW + 16;
  // OK and Cancel keep their places relative to the centre of the dialog.
  const int gap = 211 - 96 - 75;
  const int left = (clientW - (2 * buttonW + gap)) / 2;
  ButtonOK->setGeometry(left, buttonsY, buttonW, buttonH);
  ButtonCANCEL->setGeometry(left + buttonW + gap, buttonsY, buttonW, buttonH);
  setFixedSize(clientW, std::max(304, buttonsY + buttonH + 23));

  auto radioGroup = [this](QGroupBox* group, int count, auto setter) {
    for (int i = 0; i < count; ++i)
      connect(RadioItem(group, i), &QRadioButton::clicked, this, [this, i, setter] {
        if (syncing_) return;
        setter(i);
        ShowChoice();
      });
  };
  radioGroup(RadioMuxSize, 4, [this](int i) { choice_.radioMuxSize = i; });
  radioGroup(RadioGates, 3, [this](int i) { choice_.radioGates = static_cast<GateFamily>(i); });
  radioGroup(RadioDmux, 4, [this](int i) { choice_.radioDmux = i; });
  radioGroup(RadioMuxMT, 4, [this](int i) { choice_.radioMuxMT = i; });
  connect(CheckBoxGates, &QCheckBox::clicked, this, [this](bool on) {
    if (syncing_) return;
    choice_.SetUseGates(on);
    ShowChoice();
  });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
    if (syncing_) return;
    if (const std::optional<StructureTab> tab = TabFromIndex(index))
      choice_.SelectTab(*tab, FunctionText());
    ShowChoice();
  });
  connect(ButtonOK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(ButtonCANCEL, &QPushButton::clicked, this, [this] { ButtonCANCELClick(); });
}

void StructureDialog::ShowChoice() {
  syncing_ = true;
  PageControl1->setCurrentIndex(static_cast<int>(choice_.tab));
  auto show = [this](QGroupBox* group, int count, int index) {
    for (int i = 0; i < count; ++i) RadioItem(group, i)->setChecked(i == index);
  };
  show(RadioMuxSize, 4, choice_.radioMuxSize);
  show(RadioGates, 3, static_cast<int>(choice_.radioGates));
  show(RadioDmux, 4, choice_.radioDmux);
  show(RadioMuxMT, 4, choice_.radioMuxMT);
  CheckBoxGates->setChecked(choice_.useGates);
  RadioGates->setEnabled(choice_.radioGatesEnabled);
  for (int i = 0; i < 4; ++i) {
    mdMux_[i]->setChecked(choice_.mdMuxOn[i]);
    mdDmux_[i]->setChecked(choice_.mdDmuxOn[i]);
    mdMux_[i]->setEnabled(choice_.mdMuxEnabled[i]);
    mdDmux_[i]->setEnabled(choice_.mdDmuxEnabled[i]);
  }
  syncing_ = false;
}

void StructureDialog::PrepareShow() {
  choice_.OnShow(FunctionText());
  ShowChoice();
  ButtonOK->setFocus();
}

const std::string& StructureDialog::FunctionText() const {
  return session_.model.functionText;
}

void StructureDialog::ButtonOKClick() {
  if (session_.ConfirmStructure()) done(QDialog::Accepted);
}

void StructureDialog::ButtonCANCELClick() {
  choice_.Cancel();
  ShowChoice();
  QApplication::processEvents();
  done(QDialog::Rejected);
}

void StructureDialog::reject() {
  // The close box and Esc both roll the showing back.
  choice_.Cancel();
  ShowChoice();
  QDialog::reject();
}

bool StructureDialog::HandleKey(QObject* target, QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_F1:
      if (onHelp) onHelp();
      return true;
    case Qt::Key_Escape:
      ButtonCANCELClick();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      QObject* focus = target == this ? QApplication::focusWidget() : target;
      if (focus == ButtonOK) {
        ButtonOKClick();
      } else if (focus == ButtonCANCEL) {
        ButtonCANCELClick();
      } else {
        // Enter elsewhere closes the dialog with OK at once, without the checks.
        done(QDialog::Accepted);
      }
      return true;
    }
    default:
      return false;
  }
}

void StructureDialog::keyPressEvent(QKeyEvent* event) {
  if (!HandleKey(this, event)) QDialog::keyPressEvent(event);
}

bool StructureDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && HandleKey(watched, static_cast<QKeyEvent*>(event)))
    return true;
  if (event->type() == QEvent::FocusIn) {
    for (int i = 0; i < 4; ++i) {
      if (watched == mdMux_[i]) choice_.EnterGroup(1);
      if (watched == mdDmux_[i]) choice_.EnterGroup(2);
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kestrel::gui
