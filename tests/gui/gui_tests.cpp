// The desktop program's windows, driven through their component names on the offscreen
// platform, with scripted message boxes, file dialogs, help and printer.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <bit>

#include "diagram/diagram.h"
#include "export/picture_export.h"
#include "export/qpainter_canvas.h"
#include "gui/function/function_window.h"
#include "gui/gui_texts.h"
#include "gui/platform/qt_file_dialogs.h"
#include "gui/platform/qt_messages.h"
#include "gui/shell/about_box.h"
#include "gui/shell/diagram_view.h"
#include "gui/shell/live_circuit_bar.h"
#include "gui/shell/progress_window.h"
#include "gui/structure/structure_dialog.h"
#include "gui/tools/address_window.h"
#include "gui/tools/compare_window.h"
#include "gui/tools/cover_window.h"
#include "gui/work/work_window.h"
#include "gui_fixture.h"

using namespace kestrel;
using namespace kestrel::gui;
using kestrel::gui::testing::Fixture;

namespace {

template <typename T>
T* Find(QObject* root, const char* name) {
  T* w = root->findChild<T*>(QString::fromLatin1(name));
  if (!w) qFatal("no widget %s", name);
  return w;
}

bool Enabled(Fixture& f, const char* name) {
  if (auto* a = f.main().findChild<QAction*>(QString::fromLatin1(name))) return a->isEnabled();
  return Find<QToolButton>(&f.main(), name)->isEnabled();
}

QStringList Items(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

/// Types numbers into the canonical entry: each goes into the group given before it.
void AddNumbers(QDialog& d, const QStringList& numbers, const char* group = "RadioOnes") {
  Find<QRadioButton>(&d, group)->setChecked(true);
  for (const QString& n : numbers) {
    Find<QLineEdit>(&d, "Edit1")->setText(n);
    Find<QPushButton>(&d, "Add1")->click();
  }
}

/// Enters a canonical function with Ok.
void EnterCanonical(Fixture& f, const QStringList& ones, const QStringList& dontCares = {}) {
  if (f.session().model.functionModified || f.session().project.projectModified)
    f.messages.answers.push_back(Answer::No);
  f.scripts.emplace_back([=](QDialog& d) {
    AddNumbers(d, ones);
    if (!dontCares.isEmpty()) AddNumbers(d, dontCares, "RadioDontCares");
    Find<QPushButton>(&d, "ButtonLBOK")->click();
  });
  f.main().NewCanonicalRepresentation->trigger();
}

void EnterLiteral(Fixture& f, const QString& text) {
  if (f.session().model.functionModified || f.session().project.projectModified)
    f.messages.answers.push_back(Answer::No);
  f.scripts.emplace_back([=](QDialog& d) {
    Find<QLineEdit>(&d, "Edit2")->setText(text);
    Find<QPushButton>(&d, "ButtonEditOK")->click();
  });
  f.main().NewLiteralRepresentation->trigger();
}

/// Realizes with the dialog set up by choose, confirmed with OK.
void Realize(Fixture& f, const std::function<void(StructureDialog&)>& choose) {
  f.scripts.emplace_back([=](QDialog& d) {
    auto& s = static_cast<StructureDialog&>(d);
    choose(s);
    s.ButtonOK->click();
  });
  f.main().Realization->trigger();
}

void ChooseTab(StructureDialog& s, int tab) {
  s.PageControl1->setCurrentIndex(tab);
}

}  // namespace

class GuiTests : public QObject {
  Q_OBJECT
 private slots:
  void startState();
  void windowsAndCaptions();
  void canonicalAddOrderAndMessages();
  void canonicalSelectAllDeleteClearCancel();
  void canonicalOkMinimizes();
  void canonicalKeyFilter();
  void literalOkCancelAndKeyFilter();
  void structurePairingPartnerAndChecks();
  void structureCancelRestoresAndKeys();
  void realizationClampAndRefusal();
  void zoomStepping();
  void newProjectPrompts();
  void openPrompts();
  void saveOpenProjectAndStatusTimer();
  void closePrompts();
  void exportFormats();
  void exportNetlists();
  void printToPdfAndSetup();
  void stopLongMinimization();
  void progressWindowButtons();
  void criticalErrorHandler();
  void helpFromEveryWindow();
  void aboutBox();
  void platformTexts();
  void refusedLiteralOkKeepsTheFunction();
  void literalWindowIsHiddenDuringTheMinimization();
  void captionsAreTheProgramsOwn();
  void helpOverModalWindowsIsUsableAndOnScreen();
  void closeBoxOfTheFunctionWindowCancels();
  void saveFunctionAsNeverOffersTheProjectsName();
  void muxDemuxPairIsCheckedInTheDialog();
  void pressOnAnEmptyListSelectsIt();
  void largeDiagramIsDrawnWhereItIsSeen();
  void printIsVectorDrawingInTheDiagramsProportions();
  void fileNamedOnTheCommandLine();
  void liveCircuitSwitchesStepsAndLabels();
  void workWindowFollowsTheFunction();
  void addedMenusComeAfterTheProgramsOwn();
  void clipboardHoldsThePicturesAndTheFunction();
  void settingsRoundTrip();
  void fitToWindowWheelAndPan();
  void recentFiles();
  void exportNewerPictureTypes();
  void toolsMenuKeysAndStates();
  void compareStructuresWindow();
  void addressInputsWindow();
  void minimumCoverWindow();
};

void GuiTests::startState() {
  Fixture f;
  QCOMPARE(f.main().windowTitle(), QStringLiteral("Kestrel (Untitled)"));
  for (const char* on : {"OpenProject", "OpenFunction", "ButtonNew", "ButtonOpen", "ButtonLB",
                         "ButtonEdit", "NewProject", "NewCanonicalRepresentation",
                         "NewLiteralRepresentation", "Exit", "ProgramHelp1", "About1"})
    QVERIFY2(Enabled(f, on), on);
  for (const char* off :
       {"ChangeFunction", "SaveFunction", "SaveFunctionAs", "SaveProject", "SaveProjectAs",
        "ExportDiagram", "ExportProject", "Print", "PrintSetup", "Realization", "ButtonRealize",
        "ButtonSave", "ButtonZoomIn", "ButtonZoomOut", "ButtonPrint"})
    QVERIFY2(!Enabled(f, off), off);
  QVERIFY(!f.main().Panel1->isVisible());
  QCOMPARE(f.main().TrackBar1->value(), 17);
  QCOMPARE(Find<QToolButton>(&f.main(), "ButtonRealize")->toolTip(),
           QStringLiteral("Design realization"));
  QCOMPARE(f.main().Exit->statusTip(), QStringLiteral("Close program"));
  for (QAction* a : {f.main().NewProject, f.main().OpenProject, f.main().NewCanonicalRepresentation,
                     f.main().NewLiteralRepresentation, f.main().Print, f.main().SaveProjectAs})
    QVERIFY(!a->icon().isNull());
}

void GuiTests::windowsAndCaptions() {
  Fixture f;
  QCOMPARE(f.program->Form2->objectName(), QStringLiteral("Form2"));
  QCOMPARE(f.program->Form2->windowTitle(), QStringLiteral("Design structure"));
  QCOMPARE(f.program->Form3->windowTitle(), QStringLiteral("Input data"));
  QCOMPARE(f.program->Form6->windowTitle(), QStringLiteral("About Kestrel program"));
  QCOMPARE(f.program->Form7->windowTitle(), QStringLiteral("Progress"));
  QVERIFY(!f.program->Form7->isVisible());
  QVERIFY(f.main().width() >= 408 && f.main().height() >= 350);
  QCOMPARE(f.main().minimumSize(), QSize(380, 350));
}

void GuiTests::canonicalAddOrderAndMessages() {
  Fixture f;
  f.scripts.emplace_back([&](QDialog& d) {
    AddNumbers(d, {"7", "2", "5"});
    QCOMPARE(Items(Find<QListWidget>(&d, "ListBox1")), QStringList({"2", "5", "7"}));
    AddNumbers(d, {"00"});
    QCOMPARE(f.LastMessage()->text, std::string("Remove zero preciding the number! "));
    QCOMPARE(f.LastMessage()->caption, std::string("Warning"));
    QCOMPARE(Find<QLineEdit>(&d, "Edit1")->text(), QStringLiteral("00"));
    AddNumbers(d, {"1024"});
    QCOMPARE(f.LastMessage()->text,
             std::string("Number entered exceeds the range of allowed values! "));
    AddNumbers(d, {"3"}, "RadioZeros");
    AddNumbers(d, {"3"}, "RadioOnes");
    QCOMPARE(f.LastMessage()->text, std::string("Entered value exists in the group of: Zeros!   "));
    QCOMPARE(f.LastMessage()->caption, std::string("Warning!"));
    QCOMPARE(Items(Find<QListWidget>(&d, "ListBox1")), QStringList({"2", "5", "7"}));
    QCOMPARE(Find<QLineEdit>(&d, "Edit1")->text(), QString());
    AddNumbers(d, {"0"});
    QCOMPARE(Items(Find<QListWidget>(&d, "ListBox1")), QStringList({"0", "2", "5", "7"}));
    Find<QPushButton>(&d, "ButtonLBCancel")->click();
  });
  f.main().NewCanonicalRepresentation->trigger();
  QCOMPARE(f.modalShows, 1);
  QCOMPARE(f.program->Form3->size(), QSize(420, 330).expandedTo(f.program->Form3->size()));
  QVERIFY(f.session().model.ones().empty());
}

void GuiTests::canonicalSelectAllDeleteClearCancel() {
  Fixture f;
  EnterCanonical(f, {"1", "2", "3"});
  f.scripts.emplace_back([&](QDialog& d) {
    auto* ones = Find<QListWidget>(&d, "ListBox1");
    QCOMPARE(Items(ones), QStringList({"1", "2", "3"}));
    // A click in the Zeros list makes it the target.
    auto* zeros = Find<QListWidget>(&d, "ListBox2");
    QCOMPARE(Items(zeros), QStringList({"0"}));
    QTest::mouseClick(zeros->viewport(), Qt::LeftButton, {},
                      zeros->visualItemRect(zeros->item(0)).center());
    QVERIFY(Find<QRadioButton>(&d, "RadioZeros")->isChecked());
    Find<QRadioButton>(&d, "RadioOnes")->setChecked(true);
    ones->item(1)->setSelected(true);
    Find<QAction>(&d, "Delete1")->trigger();
    QCOMPARE(Items(ones), QStringList({"1", "3"}));
    Find<QAction>(&d, "SelectAll1")->trigger();
    QCOMPARE(ones->selectedItems().size(), 2);
    Find<QPushButton>(&d, "ClearAll1")->click();
    QCOMPARE(ones->count(), 0);
    QCOMPARE(f.session().model.functionModified, 1);
    Find<QPushButton>(&d, "ButtonLBCancel")->click();
  });
  f.main().ChangeFunction->trigger();
  QCOMPARE(f.session().model.ones(), std::vector<std::string>({"1", "2", "3"}));
  QCOMPARE(f.session().model.zeros(), std::vector<std::string>({"0"}));
}

void GuiTests::canonicalOkMinimizes() {
  Fixture f;
  EnterCanonical(f, {"1", "3", "5", "7"});
  QCOMPARE(f.session().model.functionText, std::string("x0"));
  QVERIFY(!f.program->Form3->isVisible());
  QVERIFY(Enabled(f, "ChangeFunction"));
  QVERIFY(Enabled(f, "Realization"));
  QVERIFY(Enabled(f, "ButtonRealize"));
  QVERIFY(Enabled(f, "ButtonLB"));
  QVERIFY(!Enabled(f, "ButtonEdit"));
  QVERIFY(!Enabled(f, "SaveProject"));
  QVERIFY(Enabled(f, "SaveFunction"));
  // A constant function: nothing to realize.
  EnterCanonical(f, {"0", "1"});
  QCOMPARE(f.session().model.functionText, std::string("1"));
  QCOMPARE(f.LastMessage()->text, std::string("Function minimizes to '1'!\n\rF=1"));
  QVERIFY(!Enabled(f, "Realization"));
}

void GuiTests::canonicalKeyFilter() {
  Fixture f;
  f.scripts.emplace_back([&](QDialog& d) {
    auto* edit = Find<QLineEdit>(&d, "Edit1");
    edit->setFocus();
    QTest::keyClicks(edit, "1a2 b34");
    QCOMPARE(edit->text(), QStringLiteral("1234"));
    QTest::keyClicks(edit, "5");
    QCOMPARE(edit->text(), QStringLiteral("1234"));  // at most four characters
    edit->setText(QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(Items(Find<QListWidget>(&d, "ListBox1")), QStringList({"12"}));
    QCOMPARE(edit->text(), QString());
    QTest::keyClick(edit, Qt::Key_Escape);  // Esc in the box is the canonical Cancel
    QVERIFY(!d.isVisible());
  });
  f.main().NewCanonicalRepresentation->trigger();
  QVERIFY(f.session().model.ones().empty());
}

void GuiTests::literalOkCancelAndKeyFilter() {
  Fixture f;
  f.scripts.emplace_back([&](QDialog& d) {
    QCOMPARE(d.size().width() >= 520, true);
    QVERIFY(Find<QCheckBox>(&d, "CheckBoxEnableMin")->isChecked());
    QVERIFY(!Find<QWidget>(&d, "Panel1")->isVisible());
    auto* edit = Find<QLineEdit>(&d, "Edit2");
    edit->setFocus();
    QTest::keyClicks(edit, "x1 y+~X0;");
    QCOMPARE(edit->text(), QStringLiteral("x1+~X0"));
    edit->setText(QStringLiteral("x1y"));
    Find<QPushButton>(&d, "ButtonEditOK")->click();
    QCOMPARE(f.LastMessage()->text, std::string("Forbidden character \"y\" has been used!!"));
    QVERIFY(d.isVisible());
    Find<QPushButton>(&d, "ButtonEditCancel")->click();
  });
  f.main().NewLiteralRepresentation->trigger();
  QCOMPARE(f.session().model.representationFlag, 0);
  EnterLiteral(f, QStringLiteral("x9~x7x3~x0 + x4~x7"));
  QCOMPARE(f.session().model.functionText, std::string("~x7x4+x9~x7x3~x0"));
  QCOMPARE(f.session().model.representationFlag, 2);
  QVERIFY(!Enabled(f, "ButtonLB") || f.session().model.representationFlag == 1);
  QVERIFY(Enabled(f, "ButtonEdit"));
  // Change function reopens the literal entry; Cancel restores the text.
  f.scripts.emplace_back([&](QDialog& d) {
    Find<QLineEdit>(&d, "Edit2")->setText(QStringLiteral("x1"));
    Find<QPushButton>(&d, "ButtonEditCancel")->click();
  });
  f.main().ChangeFunction->trigger();
  QCOMPARE(f.session().model.functionText, std::string("~x7x4+x9~x7x3~x0"));
  // Without "Minimize" the rewritten text stays.
  f.scripts.emplace_back([&](QDialog& d) {
    Find<QLineEdit>(&d, "Edit2")->setText(QStringLiteral("x1x2+x1x2x3"));
    Find<QCheckBox>(&d, "CheckBoxEnableMin")->setChecked(false);
    Find<QPushButton>(&d, "ButtonEditOK")->click();
  });
  f.main().ChangeFunction->trigger();
  QCOMPARE(f.session().model.functionText, std::string("x2x1+x3x2x1"));
}

void GuiTests::structurePairingPartnerAndChecks() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x5x4x3x2x1x0"));
  f.scripts.emplace_back([&](QDialog& d) {
    auto& s = static_cast<StructureDialog&>(d);
    ChooseTab(s, 3);
    QVERIFY(!s.RadioMDMux2b->isEnabled());
    QVERIFY(!s.RadioMDDmux2b->isEnabled());
    QVERIFY(s.RadioMDMux4b->isEnabled());
    s.ButtonOK->click();  // nothing selected
    QCOMPARE(f.LastMessage()->text,
             std::string("Select the size of multiplexer and demultiplexer.   "));
    QVERIFY(d.isVisible());
    // A click on the button's circle: the focus enters the group, then the click.
    QTest::mouseClick(s.RadioMDMux4b, Qt::LeftButton, {}, QPoint(8, s.RadioMDMux4b->height() / 2));
    QVERIFY(s.RadioMDMux4b->isChecked());
    QVERIFY(s.RadioMDDmux16b->isChecked());
    s.ButtonOK->click();
    QVERIFY(!d.isVisible());
  });
  f.main().Realization->trigger();
  QCOMPARE(f.session().project.projectModified, 1);
  QCOMPARE(f.session().designCaption, std::string("Multiplexer and Demultiplexer"));
  QVERIFY(f.main().Panel1->isVisible());
  QVERIFY(!f.main().Panel2->isVisible());
  QVERIFY(Enabled(f, "SaveProject"));
  // A one-variable function: every pair is disabled and OK refuses.
  EnterLiteral(f, QStringLiteral("x0"));
  f.scripts.emplace_back([&](QDialog& d) {
    auto& s = static_cast<StructureDialog&>(d);
    ChooseTab(s, 3);
    for (QRadioButton* b : {s.RadioMDMux2b, s.RadioMDMux16b, s.RadioMDDmux2b, s.RadioMDDmux16b})
      QVERIFY(!b->isEnabled());
    s.ButtonOK->click();
    QCOMPARE(
        f.LastMessage()->text,
        std::string("Realization impossible in the multiplexer and demultiplexer structure.   "));
    QCOMPARE(f.LastMessage()->caption, std::string("Information!"));
    s.ButtonCANCEL->click();
  });
  f.main().Realization->trigger();
}

void GuiTests::structureCancelRestoresAndKeys() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x2x1+x0"));
  f.scripts.emplace_back([&](QDialog& d) {
    auto& s = static_cast<StructureDialog&>(d);
    QVERIFY(!s.RadioGates->isEnabled());
    s.RadioItem(s.RadioMuxSize, 2)->click();
    s.CheckBoxGates->click();
    QVERIFY(s.RadioGates->isEnabled());
    ChooseTab(s, 1);
    s.ButtonCANCEL->click();
  });
  f.main().Realization->trigger();
  const StructureChoice& c = f.session().choice;
  QCOMPARE(c.tab, StructureTab::kMux);
  QCOMPARE(c.radioMuxSize, 0);
  QVERIFY(!c.useGates);
  QCOMPARE(f.session().commandState, CommandState::kFunctionDefined);
  // Esc acts as Cancel.
  f.scripts.emplace_back([&](QDialog& d) {
    auto& s = static_cast<StructureDialog&>(d);
    ChooseTab(s, 2);
    QTest::keyClick(s.PageControl1, Qt::Key_Escape);
    QVERIFY(!d.isVisible());
  });
  f.main().Realization->trigger();
  QCOMPARE(c.tab, StructureTab::kMux);
  // Enter on a radio button closes with OK without the checks and without the zoom reset.
  f.main().TrackBar1->setValue(21);
  f.scripts.emplace_back([&](QDialog& d) {
    auto& s = static_cast<StructureDialog&>(d);
    ChooseTab(s, 3);
    s.RadioMDMux4b->setFocus();
    QTest::keyClick(s.RadioMDMux4b, Qt::Key_Return);
    QCOMPARE(d.result(), int(QDialog::Accepted));
  });
  f.main().Realization->trigger();
  QCOMPARE(f.main().TrackBar1->value(), 21);
  QCOMPARE(f.session().project.projectModified, 0);
  // Enter on OK presses OK: zoom 17.
  f.scripts.emplace_back([&](QDialog& d) {
    auto& s = static_cast<StructureDialog&>(d);
    ChooseTab(s, 0);
    s.RadioItem(s.RadioMuxSize, 2)->click();
    s.ButtonOK->setFocus();
    QTest::keyClick(s.ButtonOK, Qt::Key_Return);
  });
  f.main().Realization->trigger();
  QCOMPARE(f.main().TrackBar1->value(), 17);
  QCOMPARE(f.session().designCaption, std::string("Multiplexer"));
}

void GuiTests::realizationClampAndRefusal() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x2x1+~x2x0"));
  Realize(f, [](StructureDialog& s) { s.RadioItem(s.RadioMuxSize, 3)->click(); });
  QCOMPARE(f.session().choice.radioMuxSize, 2);
  QVERIFY(f.program->Form2->RadioItem(f.program->Form2->RadioMuxSize, 2)->isChecked());
  QCOMPARE(f.main().Label2Design->text(), QStringLiteral("Multiplexer"));
  QCOMPARE(f.main().Label1Real->text(), QStringLiteral("Function after minimization:"));
  QCOMPARE(f.main().Label1Fun->text(), QStringLiteral("~x2x0 + x2x1"));
  QVERIFY(!f.main().Image1->empty());
  QCOMPARE(f.main().Image1->width(), f.main().Image1->diagram().width);
  Realize(f, [](StructureDialog& s) {
    ChooseTab(s, 1);
    s.RadioItem(s.RadioDmux, 1)->click();
  });
  QCOMPARE(f.LastMessage()->text,
           std::string("Realization impossible! \n\rThe number of supplied address inputs is not "
                       "sufficient!   "));
  QCOMPARE(f.session().commandState, CommandState::kRealizationRefused);
  QVERIFY(!f.main().Panel1->isVisible());
  QVERIFY(!Enabled(f, "SaveProject"));
  Realize(f, [](StructureDialog& s) {
    ChooseTab(s, 1);
    s.RadioItem(s.RadioDmux, 3)->click();
  });
  QCOMPARE(f.session().choice.radioDmux, 2);
  QCOMPARE(f.session().designCaption, std::string("Demultiplexer"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  QCOMPARE(f.session().designCaption, std::string("Multiplexer Tree"));
  Realize(f, [](StructureDialog& s) {
    ChooseTab(s, 0);
    s.CheckBoxGates->click();
    s.RadioItem(s.RadioGates, 2)->click();
  });
  QCOMPARE(f.session().designCaption, std::string("Multiplexer and Gates"));
  QCOMPARE(f.session().commandState, CommandState::kRealized);
}

void GuiTests::zoomStepping() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x3x2+x1x0"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  QToolButton* in = f.main().ButtonZoomIn;
  QToolButton* out = f.main().ButtonZoomOut;
  const int width17 = f.main().Image1->width();
  QList<int> seen;
  for (int i = 0; i < 7; ++i) {
    in->click();
    seen << f.main().TrackBar1->value();
  }
  QCOMPARE(seen, QList<int>({19, 21, 23, 25, 27, 29, 30}));
  QVERIFY(!in->isEnabled());
  QVERIFY(out->isEnabled());
  QVERIFY(f.main().Image1->width() > width17);
  QCOMPARE(f.main().Image1->diagram().zoom, 30);
  out->click();
  QCOMPARE(f.main().TrackBar1->value(), 28);
  QVERIFY(in->isEnabled());
  // OK resets the zoom; then down to 11.
  Realize(f, [](StructureDialog&) {});
  QCOMPARE(f.main().TrackBar1->value(), 17);
  seen.clear();
  for (int i = 0; i < 3; ++i) {
    out->click();
    seen << f.main().TrackBar1->value();
  }
  QCOMPARE(seen, QList<int>({15, 13, 11}));
  QVERIFY(!out->isEnabled());
  QVERIFY(in->isEnabled());
  in->click();
  QCOMPARE(f.main().TrackBar1->value(), 13);
}

void GuiTests::newProjectPrompts() {
  Fixture f;
  // Nothing modified: no question.
  f.main().ButtonNew->click();
  QVERIFY(f.messages.shown.empty());
  EnterLiteral(f, QStringLiteral("x1+x0"));
  // A modified function: the Close prompt; Cancel changes nothing.
  f.messages.answers.push_back(Answer::Cancel);
  f.main().NewProject->trigger();
  QCOMPARE(f.LastMessage()->text,
           std::string("Save changes to the function definition \"Untitled\" before closing?"));
  QCOMPARE(f.LastMessage()->caption, std::string("Close"));
  QCOMPARE(f.session().model.functionText, std::string("x1+x0"));
  // Modified project and function: only the project is offered; No resets.
  Realize(f, [](StructureDialog&) {});
  f.messages.answers.push_back(Answer::No);
  f.main().NewProject->trigger();
  QCOMPARE(f.LastMessage()->text, std::string("Save changes to \"Untitled\" before closing?   "));
  QCOMPARE(f.LastMessage()->caption, std::string("Save"));
  QCOMPARE(f.session().model.functionText, std::string());
  QVERIFY(!f.main().Panel1->isVisible());
  QVERIFY(!Enabled(f, "Realization"));
}

void GuiTests::openPrompts() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x1+x0"));
  // Open function with a modified function: the Save prompt; Cancel shows no file dialog.
  f.messages.answers.push_back(Answer::Cancel);
  f.main().OpenFunction->trigger();
  QCOMPARE(f.LastMessage()->text, std::string("Save changes to \"Untitled\" before closing?"));
  QCOMPARE(f.LastMessage()->caption, std::string("Save"));
  QVERIFY(f.files.shown.empty());
  // Open project with a modified project: "Save project?"; No goes on to the open dialog.
  Realize(f, [](StructureDialog&) {});
  f.messages.answers.push_back(Answer::No);
  f.main().OpenProject->trigger();
  QCOMPARE(f.LastMessage()->text,
           std::string("Save changes to the project \"Untitled\" before closing?"));
  QCOMPARE(f.LastMessage()->caption, std::string("Save project?"));
  QCOMPARE(f.files.shown.size(), size_t(1));
  QCOMPARE(f.session().project.projectModified, 0);
  // New function with a modified project and an unmodified function: Cancel still opens the
  // canonical entry on the current function.
  f.session().model.functionModified = 0;
  f.session().project.projectModified = 1;
  f.messages.answers.push_back(Answer::Cancel);
  const int shows = f.modalShows;
  f.main().NewCanonicalRepresentation->trigger();
  QCOMPARE(f.modalShows, shows + 1);
  QCOMPARE(f.session().model.functionText, std::string("x1+x0"));
}

void GuiTests::saveOpenProjectAndStatusTimer() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x2x1+~x2x0"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  const std::string path = f.Path("design.kep");
  f.files.answers.emplace_back(path);
  f.main().SaveProjectAs->trigger();
  QCOMPARE(f.messages.shown.front().caption, std::string("Information"));
  QVERIFY(QFileInfo::exists(QString::fromStdString(path)));
  QCOMPARE(f.main().windowTitle(), QStringLiteral("Kestrel (design.kep)"));
  QCOMPARE(f.main().StatusText->text(), QStringLiteral("File saved!"));
  QVERIFY(f.main().Timer1->isActive());
  QCOMPARE(f.main().Timer1->interval(), 3000);
  QMetaObject::invokeMethod(f.main().Timer1, "timeout");
  QCOMPARE(f.main().StatusText->text(), QString());
  QVERIFY(!f.main().Timer1->isActive());
  // The tool button saves without the notice.
  const size_t before = f.messages.shown.size();
  f.files.answers.emplace_back(f.Path("again.kep"));
  f.main().ButtonSave->click();
  QCOMPARE(f.messages.shown.size(), before);
  QVERIFY(QFileInfo::exists(QString::fromStdString(f.Path("again.kep"))));
  // New, then open the project: realized at once.
  f.main().NewProject->trigger();
  QVERIFY(!f.main().Panel1->isVisible());
  f.files.answers.emplace_back(path);
  f.main().OpenProject->trigger();
  QCOMPARE(f.session().model.functionText, std::string("~x2x0+x2x1"));
  QCOMPARE(f.session().commandState, CommandState::kRealized);
  QVERIFY(f.main().Panel1->isVisible());
  QCOMPARE(f.main().Label2Design->text(), QStringLiteral("Multiplexer Tree"));
  // Save and open a function file.
  f.files.answers.emplace_back(f.Path("f.kef"));
  f.main().SaveFunctionAs->trigger();
  QVERIFY(QFileInfo::exists(QString::fromStdString(f.Path("f.kef"))));
  f.main().NewProject->trigger();
  f.files.answers.emplace_back(f.Path("f.kef"));
  f.main().OpenFunction->trigger();
  QCOMPARE(f.session().model.functionText, std::string("~x2x0+x2x1"));
  QVERIFY(Enabled(f, "Realization"));
  QCOMPARE(f.main().windowTitle(), QStringLiteral("Kestrel (f.kef)"));
}

void GuiTests::closePrompts() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x1x0"));
  Realize(f, [](StructureDialog&) {});
  f.messages.answers.push_back(Answer::Cancel);
  QVERIFY(!f.main().close());
  QVERIFY(f.main().isVisible());
  QCOMPARE(f.LastMessage()->text,
           std::string("Save changes to the project \"Untitled\" before closing?"));
  QCOMPARE(f.LastMessage()->caption, std::string("Close"));
  // Yes with a cancelled file dialog keeps the window open.
  f.messages.answers.push_back(Answer::Yes);
  QVERIFY(!f.main().close());
  QVERIFY(f.main().isVisible());
  // Yes with a file: saved and closed.
  f.messages.answers.push_back(Answer::Yes);
  f.files.answers.emplace_back(f.Path("closing.kep"));
  QVERIFY(f.main().close());
  QVERIFY(QFileInfo::exists(QString::fromStdString(f.Path("closing.kep"))));
}

void GuiTests::exportFormats() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x3x2+~x3x1+x0"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  for (const char* name : {"d.wmf", "d.bmp", "d.JPG"}) {
    f.files.answers.emplace_back(f.Path(name));
    f.main().ExportDiagram->trigger();
    QVERIFY2(QFileInfo(QString::fromStdString(f.Path(name))).size() > 0, name);
  }
  QCOMPARE(f.files.shown.back().request.title, std::string("Export diagram to BMP, JPEG or WMF"));
  QCOMPARE(f.files.shown.back().request.defaultExtension, std::string("wmf"));
  for (const char* name : {"p.wmf", "p.bmp", "p.jpg"}) {
    f.files.answers.emplace_back(f.Path(name));
    f.main().ExportProject->trigger();
    QVERIFY2(QFileInfo(QString::fromStdString(f.Path(name))).size() > 0, name);
  }
  QCOMPARE(f.files.shown.back().request.title, std::string("Export project to BMP, JPEG or WMF"));
  f.files.answers.emplace_back(f.Path("p.txt"));
  f.main().ExportProject->trigger();
  QVERIFY(!QFileInfo::exists(QString::fromStdString(f.Path("p.txt"))));
  f.files.answers.emplace_back(f.Path("missing-folder/p.bmp"));
  f.main().ExportDiagram->trigger();
  QVERIFY(
      f.LastMessage()->text.starts_with("File saving error! \n\rThe file has not been saved!  "));
  QCOMPARE(f.LastMessage()->caption, std::string("Warning!"));
  // A name typed without an extension gets the one of the type chosen in the dialog.
  QCOMPARE(f.files.shown.back().request.filterIndex, 3);
  const struct {
    const char* name;
    int filter;
    const char* written;
    QByteArray magic;
  } typed[] = {{"typed1", 1, "typed1.jpg", QByteArray("\xFF\xD8")},
               {"typed2", 2, "typed2.bmp", QByteArray("BM")},
               {"typed3", 3, "typed3.wmf", QByteArray("\xD7\xCD\xC6\x9A")}};
  for (const auto& t : typed) {
    f.files.answers.emplace_back(f.Path(t.name));
    f.files.filterAnswers.push_back(t.filter);
    f.main().ExportProject->trigger();
    QFile written(QString::fromStdString(f.Path(t.written)));
    QVERIFY2(written.open(QIODevice::ReadOnly), t.written);
    QVERIFY2(written.readAll().startsWith(t.magic), t.written);
    QVERIFY(!QFileInfo::exists(QString::fromStdString(f.Path(t.name))));
  }
  // The exported diagram is laid out in the style the view shows.
  const QSize exact(f.main().Image1->diagram().width, f.main().Image1->diagram().height);
  f.main().ClearStyle->trigger();
  const QSize clear(f.main().Image1->diagram().width, f.main().Image1->diagram().height);
  QVERIFY(clear != exact);
  f.files.answers.emplace_back(f.Path("clear.bmp"));
  f.main().ExportDiagram->trigger();
  QCOMPARE(QImage(QString::fromStdString(f.Path("clear.bmp"))).size(), clear);
  QCOMPARE(QImage(QString::fromStdString(f.Path("d.bmp"))).size(), exact);
  f.main().ClearStyle->trigger();
  QCOMPARE(FilterSuffix(QStringLiteral("JPEG files (*.jpg)")), QStringLiteral("jpg"));
  QCOMPARE(FilterSuffix(QStringLiteral("BMP files (*.BMP)")), QStringLiteral("bmp"));
  QCOMPARE(FilterSuffix(QStringLiteral("All files (*)")), QString());
}

void GuiTests::exportNetlists() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x3x2+~x3x1+x0"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  auto read = [&](const char* name) {
    QFile file(QString::fromStdString(f.Path(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  f.files.answers.emplace_back(f.Path("circuit.v"));
  f.main().ExportDiagram->trigger();
  QVERIFY(
      read("circuit.v").startsWith("// circuit: structural Verilog netlist written by Kestrel.\n"));
  QVERIFY(read("circuit.v").contains("module circuit (\n  input x3, x2, x1, x0,\n  output F\n);"));
  // The netlist types follow the first picture types, and the newer picture types follow
  // them; the dialog still starts on WMF.
  QCOMPARE(f.files.shown.back().request.filter,
           std::string("JPEG files (*.jpg) | *.jpg; |BMP files (*.bmp) | *.BMP; |WMF files (*.wmf) "
                       "| *.wmf|Verilog netlist (*.v)|*.v|BLIF netlist (*.blif)|*.blif|"
                       "SVG picture (*.svg)|*.svg|PDF document (*.pdf)|*.pdf|"
                       "PNG picture (*.png)|*.png"));
  QCOMPARE(f.files.shown.back().request.defaultExtension, std::string("wmf"));
  f.files.answers.emplace_back(f.Path("circuit.BLIF"));
  f.main().ExportProject->trigger();
  QVERIFY(read("circuit.BLIF").startsWith("# circuit: BLIF netlist written by Kestrel.\n"));
  QVERIFY(f.messages.shown.empty());
  f.files.answers.emplace_back(f.Path("missing-folder/c.v"));
  f.main().ExportDiagram->trigger();
  QCOMPARE(f.LastMessage()->text,
           std::string("File saving error! \n\rThe file has not been saved!  "));
}

void GuiTests::printToPdfAndSetup() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x3x2+~x3x1+x0"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  f.main().ButtonPrint->click();
  const QString pdf = f.dir.filePath(QStringLiteral("printout.pdf"));
  QVERIFY(QFileInfo(pdf).size() > 0);
  QVERIFY(f.messages.shown.empty());
  f.printing.setupAvailable = false;
  f.main().PrintSetup->trigger();
  QCOMPARE(f.LastMessage()->text, std::string("No printer installed!   "));
  QCOMPARE(f.LastMessage()->caption, std::string("Warning!"));
  f.printing.cancel = true;
  QFile::remove(pdf);
  f.main().Print->trigger();
  QVERIFY(!QFileInfo::exists(pdf));
}

void GuiTests::stopLongMinimization() {
  Fixture f;
  QStringList ones;
  for (int v = 0; v < 1024; v += 3) ones << QString::number(v);
  ProgressWindow* progress = f.program->Form7;
  f.program->progress.minEventIntervalMs = 0;
  // The user presses "Stop process" once the minimization itself runs (after the Zeros list
  // was completed).
  bool sawWindow = false;
  QTimer user;
  user.setInterval(0);
  QObject::connect(&user, &QTimer::timeout, progress, [&] {
    // The minimization's bar counts levels (10 at most); the Zeros' bar counts combinations.
    if (!progress->isVisible() || progress->MinimizationRunning != 1 ||
        progress->ProgressBar1->maximum() != 10 || progress->ProgressBar1->value() < 1)
      return;
    sawWindow = true;
    progress->BtnStopProcess->click();
    user.stop();
  });
  user.start();
  EnterCanonical(f, ones);
  QVERIFY(sawWindow);
  QCOMPARE(f.session().model.functionText, std::string());
  QCOMPARE(f.LastMessage()->text, std::string("Process stopped!"));
  QVERIFY(!progress->isVisible());
  QCOMPARE(progress->MinimizationRunning, 0);
  QVERIFY(!f.program->Form3->isVisible());
  // The program goes on: a small function still minimizes.
  EnterCanonical(f, {"2", "3"});
  QCOMPARE(f.session().model.functionText, std::string("x1"));
}

void GuiTests::progressWindowButtons() {
  Fixture f;
  ProgressWindow* p = f.program->Form7;
  p->ShowCentred();
  p->MinimizationRunning = 1;
  p->ProgressBar1->setMaximum(10);
  p->ProgressBar1->setValue(4);
  p->CloseWindowBtn->click();  // partway: stays
  QVERIFY(p->isVisible());
  p->BtnStopProcess->click();
  QCOMPARE(p->MinimizationRunning, 0);
  QCOMPARE(p->ProgressBar1->value(), 0);
  p->CloseWindowBtn->click();
  QVERIFY(!p->isVisible());
  p->ShowCentred();
  QCOMPARE(p->ProgressBar1->value(), 0);
  p->ProgressBar1->setValue(10);
  p->CloseWindowBtn->click();  // finished: hides
  QVERIFY(!p->isVisible());
  p->ShowCentred();
  p->MinimizationRunning = 1;
  p->close();
  QCOMPARE(p->MinimizationRunning, 0);
}

void GuiTests::criticalErrorHandler() {
  Fixture f;
  f.main().Guard([] { throw std::runtime_error("boom"); });
  QCOMPARE(f.LastMessage()->text,
           std::string("Critical error occured! Application may behave unstable.\r\nSave the "
                       "project and restart the application"));
  QCOMPARE(f.LastMessage()->caption, std::string("Error!"));
  QCOMPARE(f.LastMessage()->icon, Icon::Error);
}

void GuiTests::helpFromEveryWindow() {
  Fixture f;
  f.main().ProgramHelp1->trigger();
  QCOMPARE(f.help.opened, 1);
  QTest::keyClick(&f.main(), Qt::Key_F1);
  QVERIFY(f.help.opened >= 2);
  const int before = f.help.opened;
  QTest::keyClick(f.program->Form6, Qt::Key_F1);
  QTest::keyClick(f.program->Form2, Qt::Key_F1);
  QTest::keyClick(f.program->Form3, Qt::Key_F1);
  QCOMPARE(f.help.opened, before + 3);
  QVERIFY(!ManualContentsPath().isEmpty());
}

void GuiTests::aboutBox() {
  Fixture f;
  f.scripts.emplace_back([&](QDialog& d) {
    QCOMPARE(Find<QLabel>(&d, "Label2")->text(), QStringLiteral("Kestrel"));
    QCOMPARE(Find<QLabel>(&d, "Label1")->text(),
             QStringLiteral("Interactive educational program \nfor computer assisted design \nof "
                            "switching circuits with \nMultiplexers and Demultiplexers"));
    auto* l1 = Find<QLabel>(&d, "Label1");
    QCOMPARE(Find<QLabel>(&d, "Label3")->y(), l1->y() + l1->height() + 10);
    Find<QPushButton>(&d, "OK")->click();
    QVERIFY(!d.isVisible());
  });
  f.main().About1->trigger();
  QCOMPARE(f.modalShows, 1);
}

void GuiTests::platformTexts() {
  QCOMPARE(QtFilter("Kestrel File (*.kef)|*.kef"), QStringLiteral("Kestrel File (*.kef)"));
  QCOMPARE(QtFilter("Project files (*.kep) | *.kep"), QStringLiteral("Project files (*.kep)"));
  QCOMPARE(QtFilter("JPEG files (*.jpg) | *.jpg; |BMP files (*.bmp) | *.BMP; |WMF files (*.wmf) | "
                    "*.wmf"),
           QStringLiteral("JPEG files (*.jpg);;BMP files (*.BMP);;WMF files (*.wmf)"));
  QCOMPARE(DisplayText("a \n\rb\r\nc"), QStringLiteral("a \nb\nc"));
}

void GuiTests::refusedLiteralOkKeepsTheFunction() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x2x1+x0"));
  const std::string function = f.session().model.functionText;
  for (int way = 0; way < 2; ++way) {
    f.scripts.emplace_back([&](QDialog& d) {
      auto* edit = Find<QLineEdit>(&d, "Edit2");
      edit->setText(QStringLiteral("x12"));
      Find<QPushButton>(&d, "ButtonEditOK")->click();
      QCOMPARE(f.LastMessage()->text,
               std::string("The number \"x12\" exceeds the number of variables!\nVariable must "
                           "fit in the range from x0 to x9!"));
      QVERIFY(d.isVisible());
      if (way == 0) {
        Find<QPushButton>(&d, "ButtonEditCancel")->click();
      } else {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Escape);
      }
      QVERIFY(!d.isVisible());
    });
    f.main().ChangeFunction->trigger();
    QCOMPARE(f.session().model.functionText, function);
  }
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  QCOMPARE(f.session().commandState, CommandState::kRealized);
  QCOMPARE(f.main().Label1Fun->text().remove(QLatin1Char(' ')).toStdString(), function);
}

void GuiTests::literalWindowIsHiddenDuringTheMinimization() {
  Fixture f;
  std::vector<bool> visible;
  f.messages.onShow = [&](const ShownMessage&) {
    visible.push_back(f.program->Form3->isVisible());
  };
  EnterLiteral(f, QStringLiteral("x1+~x1"));
  QCOMPARE(f.LastMessage()->text, std::string("Function minimizes to '1'!\n\rF=1"));
  QCOMPARE(visible, std::vector<bool>({false}));
  // A refusal is shown over the window, which stays for a correction.
  visible.clear();
  f.messages.answers.push_back(Answer::No);  // the unsaved function is given up
  f.scripts.emplace_back([&](QDialog& d) {
    Find<QLineEdit>(&d, "Edit2")->setText(QStringLiteral("x1y"));
    Find<QPushButton>(&d, "ButtonEditOK")->click();
  });
  f.main().NewLiteralRepresentation->trigger();
  QCOMPARE(f.LastMessage()->text, std::string("Forbidden character \"y\" has been used!!"));
  QCOMPARE(visible, std::vector<bool>({false, true}));  // the save prompt, then the refusal
}

void GuiTests::captionsAreTheProgramsOwn() {
  SetUpApplication();
  // No display name is set, so the platform appends nothing to any caption: the display name
  // follows the application name.
  const QString name = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName(QStringLiteral("probe"));
  QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
  QCoreApplication::setApplicationName(name);
  Fixture f;
  QCOMPARE(f.main().windowTitle(), QStringLiteral("Kestrel (Untitled)"));
  // A message box carries exactly its caption; a plain one the program's name.
  QtMessages messages;
  const struct {
    const char* caption;
    const char* title;
  } boxes[] = {{"Warning!", "Warning!"}, {"Save project?", "Save project?"}, {"", "Kestrel"}};
  for (const auto& b : boxes) {
    QString title;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      title = box->windowTitle();
      box->done(QMessageBox::Ok);
    });
    messages.Show("Data to save cannot be blank!   ", b.caption, Buttons::Ok, Icon::Warning);
    QCOMPARE(title, QString::fromLatin1(b.title));
  }
}

void GuiTests::helpOverModalWindowsIsUsableAndOnScreen() {
  ManualHelp manual;
  Fixture f(&manual);
  EnterLiteral(f, QStringLiteral("x2x1+x0"));
  // In each modal window F1 brings the help up in front of it; the help then takes keys (Tab
  // to a link of the contents and Enter opens it), which a window blocked by the modal one
  // would never get.
  auto check = [&](QDialog& d) {
    QTest::keyClick(&d, Qt::Key_F1);
    QTextBrowser* help = manual.browser();
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    QCOMPARE(help->window()->parentWidget(), d.window());
    const QRect screen = help->screen()->availableGeometry();
    QVERIFY(screen.contains(help->frameGeometry()));
    help->setSource(QUrl::fromLocalFile(ManualContentsPath()));
    const QUrl contents = help->source();
    QTest::keyClick(help->windowHandle(), Qt::Key_Tab);
    QTest::keyClick(help->windowHandle(), Qt::Key_Return);
    QVERIFY2(help->source() != contents, qPrintable(d.objectName()));
  };
  f.scripts.emplace_back(check);
  f.main().ChangeFunction->trigger();
  f.scripts.emplace_back(check);
  f.main().Realization->trigger();
  f.scripts.emplace_back(check);
  f.main().About1->trigger();
  QCOMPARE(f.modalShows, 4);
  // From the main window the help is a window of its own again, also wholly on screen.
  QTest::keyClick(&f.main(), Qt::Key_F1);
  QCOMPARE(manual.browser()->parentWidget(), nullptr);
  QVERIFY(manual.browser()->isVisible());
  QVERIFY(
      manual.browser()->screen()->availableGeometry().contains(manual.browser()->frameGeometry()));
  // A window placed partly off the screen is brought back onto it, shrunk if need be.
  const QRect available(0, 0, 1024, 768);
  QCOMPARE(PlaceOnScreen(QSize(760, 600), QRect(900, 700, 400, 300), available),
           QRect(264, 168, 760, 600));
  QCOMPARE(PlaceOnScreen(QSize(760, 600), QRect(-300, -200, 100, 100), available),
           QRect(0, 0, 760, 600));
  QCOMPARE(PlaceOnScreen(QSize(2000, 600), available, available), QRect(0, 84, 1024, 600));
}

void GuiTests::closeBoxOfTheFunctionWindowCancels() {
  Fixture f;
  EnterCanonical(f, {"1", "3", "5", "7"});
  QCOMPARE(f.session().model.functionText, std::string("x0"));
  f.scripts.emplace_back([&](QDialog& d) {
    Find<QPushButton>(&d, "ClearAll1")->click();
    QCOMPARE(Find<QListWidget>(&d, "ListBox1")->count(), 0);
    QVERIFY(d.close());  // the title bar's close box
  });
  f.main().ChangeFunction->trigger();
  QCOMPARE(f.session().model.ones(), std::vector<std::string>({"1", "3", "5", "7"}));
  QCOMPARE(f.session().model.functionText, std::string("x0"));
  // Saving the function now writes it.
  f.messages.shown.clear();
  f.files.answers.emplace_back(f.Path("kept.kef"));
  f.main().SaveFunctionAs->trigger();
  QVERIFY(f.messages.shown.empty());
  QVERIFY(QFileInfo::exists(QString::fromStdString(f.Path("kept.kef"))));
}

void GuiTests::saveFunctionAsNeverOffersTheProjectsName() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x2x1+~x2x0"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  f.files.answers.emplace_back(f.Path("proj1.kep"));
  f.main().ButtonSave->click();
  f.main().SaveFunctionAs->trigger();  // the dialog is cancelled
  QCOMPARE(f.files.shown.back().request.initialName, std::string("proj1.kef"));
  QCOMPARE(f.files.shown.back().request.initialFolder, f.dir.path().toStdString());
  QCOMPARE(f.files.shown.back().request.defaultExtension, std::string("kef"));
}

void GuiTests::muxDemuxPairIsCheckedInTheDialog() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x3x2+x1x0"));
  Realize(f, [](StructureDialog& s) {
    ChooseTab(s, 3);
    QTest::mouseClick(s.RadioMDMux2b, Qt::LeftButton, {}, QPoint(8, s.RadioMDMux2b->height() / 2));
    QVERIFY(s.RadioMDDmux8b->isChecked());
  });
  QCOMPARE(f.session().commandState, CommandState::kRealized);
  // A five-variable function from a file: the pair chosen for four variables is gone.
  QFile file(QString::fromStdString(f.Path("five.kef")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("KESTREL\r\nLITERAL\r\nx4x3+x2x1x0\r\n");
  file.close();
  f.messages.answers.push_back(Answer::No);
  f.files.answers.emplace_back(f.Path("five.kef"));
  f.main().OpenFunction->trigger();
  QCOMPARE(f.session().model.functionText, std::string("x4x3+x2x1x0"));
  f.scripts.emplace_back([&](QDialog& d) {
    auto& s = static_cast<StructureDialog&>(d);
    QCOMPARE(s.PageControl1->currentIndex(), 3);
    for (QRadioButton* b : {s.RadioMDMux2b, s.RadioMDMux4b, s.RadioMDDmux8b, s.RadioMDDmux16b})
      QVERIFY(!b->isChecked());
    // A pair that does not add up to five address inputs is refused in the dialog.
    f.session().choice.SelectMdMux(1);
    f.session().choice.SelectMdDmux(1);
    s.ShowChoice();
    s.ButtonOK->click();
    QCOMPARE(f.LastMessage()->text, SizesDoNotFitText(5));
    QCOMPARE(f.LastMessage()->caption, std::string("Warning!"));
    QVERIFY(d.isVisible());
    QTest::mouseClick(s.RadioMDMux4b, Qt::LeftButton, {}, QPoint(8, s.RadioMDMux4b->height() / 2));
    QVERIFY(s.RadioMDDmux8b->isChecked());
    s.ButtonOK->click();
    QVERIFY(!d.isVisible());
  });
  f.main().Realization->trigger();
  QCOMPARE(f.session().commandState, CommandState::kRealized);
  QCOMPARE(f.session().designCaption, std::string("Multiplexer and Demultiplexer"));
}

void GuiTests::pressOnAnEmptyListSelectsIt() {
  Fixture f;
  f.scripts.emplace_back([&](QDialog& d) {
    auto* edit = Find<QLineEdit>(&d, "Edit1");
    auto* add = Find<QPushButton>(&d, "Add1");
    const struct {
      const char* list;
      const char* radio;
      const char* number;
    } rows[] = {{"ListBox2", "RadioZeros", "4"},
                {"ListBox3", "RadioDontCares", "5"},
                {"ListBox1", "RadioOnes", "6"},
                {"ListBox2", "RadioZeros", "7"}};
    for (const auto& r : rows) {
      auto* list = Find<QListWidget>(&d, r.list);
      // Below the entries: on the empty list, or under its last entry.
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                        QPoint(10, list->viewport()->height() - 5));
      QVERIFY2(Find<QRadioButton>(&d, r.radio)->isChecked(), r.list);
      edit->setText(QString::fromLatin1(r.number));
      add->click();
    }
    QCOMPARE(Items(Find<QListWidget>(&d, "ListBox1")), QStringList({"6"}));
    QCOMPARE(Items(Find<QListWidget>(&d, "ListBox2")), QStringList({"4", "7"}));
    QCOMPARE(Items(Find<QListWidget>(&d, "ListBox3")), QStringList({"5"}));
    // A press in a list drops the selection of the other two.
    auto* ones = Find<QListWidget>(&d, "ListBox1");
    ones->item(0)->setSelected(true);
    auto* zeros = Find<QListWidget>(&d, "ListBox2");
    QTest::mouseClick(zeros->viewport(), Qt::LeftButton, {},
                      QPoint(10, zeros->viewport()->height() - 5));
    QVERIFY(ones->selectedItems().isEmpty());
    Find<QPushButton>(&d, "ButtonLBCancel")->click();
  });
  f.main().NewCanonicalRepresentation->trigger();
}

namespace {

/// A project of the ten-variable parity function as a tree of 2-input multiplexers: the
/// largest diagram the program draws.
std::string WriteParityProject(Fixture& f) {
  std::string function;
  for (int v = 0; v < 1024; ++v) {
    if (std::popcount(static_cast<unsigned>(v)) % 2 == 0) continue;
    if (!function.empty()) function += "+";
    for (int b = 9; b >= 0; --b) function += ((v >> b) & 1 ? "x" : "~x") + std::to_string(b);
  }
  std::string path = f.Path("parity10.kep");
  QFile file(QString::fromStdString(path));
  file.open(QIODevice::WriteOnly);
  file.write(("KESTREL\r\nLITERAL\r\n" + function + "\r\nMUXTREE\r\n2\r\n").c_str());
  return path;
}

}  // namespace

void GuiTests::largeDiagramIsDrawnWhereItIsSeen() {
  Fixture f;
  f.main().resize(800, 600);
  f.main().OpenFileAtStart(QString::fromStdString(WriteParityProject(f)));
  QCOMPARE(f.session().commandState, CommandState::kRealized);
  DiagramView* view = f.main().Image1;
  const Diagram& d = view->diagram();
  QVERIFY(d.nodes.size() > 500);
  QCOMPARE(view->size(), QSize(d.width, view->top() + d.height));
  QVERIFY(view->height() > 20000);
  // What the view paints of a part of the diagram is that part of the whole drawing, exact
  // or smooth.
  for (const Drawing drawing : {Drawing::kExact, Drawing::kSmooth}) {
    view->SetDrawing(drawing);
    for (const QRect part :
         {QRect(0, view->top(), 300, 200), QRect(d.width / 2, d.height / 2, 257, 311),
          QRect(d.width - 200, view->top() + d.height - 150, 200, 150)}) {
      const QImage painted = view->grab(part).toImage().convertToFormat(QImage::Format_RGB32);
      QImage expected(part.size(), QImage::Format_RGB32);
      expected.fill(Qt::white);
      QPainter painter(&expected);
      painter.translate(-part.x(), view->top() - part.y());
      QPainterCanvas canvas(painter, 0, drawing);
      DrawDiagram(d, canvas);
      painter.end();
      QVERIFY2(painted == expected,
               qPrintable(QStringLiteral("%1,%2").arg(part.x()).arg(part.y())));
    }
  }
  // Zooming lays the diagram out again; the view follows.
  for (int i = 0; i < 7; ++i) f.main().ButtonZoomIn->click();
  QCOMPARE(view->diagram().zoom, 30);
  QCOMPARE(view->size(), QSize(view->diagram().width, view->top() + view->diagram().height));
  // Too large for a raster picture: the export says why and what to do.
  f.files.answers.emplace_back(f.Path("big.bmp"));
  f.main().ExportDiagram->trigger();
  QVERIFY(f.LastMessage()->text.find("is too large for a raster format; choose a smaller zoom or "
                                     "a vector format") != std::string::npos);
  // New project lets the diagram go.
  f.messages.answers.push_back(Answer::No);
  f.main().NewProject->trigger();
  QVERIFY(view->empty());
  QCOMPARE(view->diagram().nodes.capacity(), size_t(0));
}

namespace {

/// What the pages of a PDF draw: the box, in points, around every path stroked in black (the
/// vector drawing), and how many texts and raster pictures there are.
struct PdfDrawing {
  QRectF strokes;
  int texts = 0;
  int pictures = 0;
};

PdfDrawing ReadPdfDrawing(const QByteArray& pdf) {
  PdfDrawing out;
  out.pictures = static_cast<int>(pdf.count("/Subtype /Image") + pdf.count("/Subtype/Image"));
  static const QRegularExpression contentsRef(QStringLiteral("/Contents (\\d+) 0 R"));
  for (const QRegularExpressionMatch& ref : contentsRef.globalMatch(QString::fromLatin1(pdf))) {
    const QByteArray head = "\n" + ref.captured(1).toLatin1() + " 0 obj";
    const qsizetype object = pdf.indexOf(head);
    const qsizetype begin = pdf.indexOf("stream\n", object) + 7;
    const qsizetype end = pdf.indexOf("endstream", begin);
    if (object < 0 || begin < 7 || end < 0) continue;
    // Qt writes page contents with the Flate filter; qUncompress wants the size first, as a
    // hint it doubles until the stream fits.
    const QByteArray content =
        qUncompress(QByteArray("\x00\x01\x00\x00", 4) + pdf.mid(begin, end - begin));
    QList<QTransform> saved;
    QTransform ctm;
    QList<double> operands;
    QList<QPointF> path;
    bool blackPen = true;
    const QList<QByteArray> tokens = content.simplified().split(' ');
    for (qsizetype i = 0; i < tokens.size(); ++i) {
      const QByteArray& t = tokens[i];
      bool number = false;
      const double value = t.toDouble(&number);
      if (number) {
        operands << value;
        continue;
      }
      if (t == "BT") {  // text: counted, not read
        ++out.texts;
        while (i < tokens.size() && tokens[i] != "ET") ++i;
      } else if (t == "q") {
        saved << ctm;
      } else if (t == "Q" && !saved.isEmpty()) {
        ctm = saved.takeLast();
      } else if (t == "cm" && operands.size() >= 6) {
        const auto o = operands.mid(operands.size() - 6);
        ctm = QTransform(o[0], o[1], o[2], o[3], o[4], o[5]) * ctm;
      } else if (t == "SCN") {
        blackPen = operands.size() >= 3 && operands.count(0.0) == operands.size();
      } else if ((t == "m" || t == "l") && operands.size() >= 2) {
        path << ctm.map(QPointF(operands[operands.size() - 2], operands.last()));
      } else if (t == "c" && operands.size() >= 6) {
        for (qsizetype k = operands.size() - 6; k < operands.size(); k += 2)
          path << ctm.map(QPointF(operands[k], operands[k + 1]));
      } else if (t == "re" && operands.size() >= 4) {
        const auto o = operands.mid(operands.size() - 4);
        path << ctm.map(QPointF(o[0], o[1])) << ctm.map(QPointF(o[0] + o[2], o[1] + o[3]));
      } else if (t == "S" || t == "s" || t == "B" || t == "b" || t == "B*" || t == "b*") {
        for (const QPointF& p : path)
          if (blackPen) out.strokes |= QRectF(p, QSizeF(0.001, 0.001));
        path.clear();
      } else if (t == "f" || t == "F" || t == "f*" || t == "n") {
        path.clear();
      }
      operands.clear();
    }
  }
  return out;
}

}  // namespace

// The printout draws the diagram as vectors (no raster picture), scaled alike in both
// directions: its drawing has the proportions of the diagram exported alone.
void GuiTests::printIsVectorDrawingInTheDiagramsProportions() {
  Fixture f;
  for (const bool wide : {false, true}) {
    EnterLiteral(f, wide ? QStringLiteral("x5x4~x3+~x5x2x1+x3~x1x0+x4x2~x0")
                         : QStringLiteral("x3x2+~x3x1+x0"));
    Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
    f.main().ButtonPrint->click();
    QFile file(f.dir.filePath(QStringLiteral("printout.pdf")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const PdfDrawing printed = ReadPdfDrawing(file.readAll());
    const Diagram& d = f.main().Image1->diagram();
    const EncodedPicture alone =
        EncodePicture(d, PictureContent::kDiagram, {}, PictureFormat::kPdf);
    const PdfDrawing exported =
        ReadPdfDrawing(QByteArray(reinterpret_cast<const char*>(alone.bytes.data()),
                                  static_cast<qsizetype>(alone.bytes.size())));
    QCOMPARE(printed.pictures, 0);
    QVERIFY(printed.texts > 0);  // the text block
    QVERIFY(!printed.strokes.isEmpty());
    QVERIFY(!exported.strokes.isEmpty());
    const double printedRatio = printed.strokes.width() / printed.strokes.height();
    const double ownRatio = exported.strokes.width() / exported.strokes.height();
    QVERIFY2(std::abs(printedRatio / ownRatio - 1) < 0.01,
             qPrintable(QStringLiteral("%1 vs %2").arg(printedRatio).arg(ownRatio)));
    // On the page, and scaled to a good part of it (an A4 page is 595 x 842 points).
    QVERIFY(QRectF(0, 0, 595, 842).contains(printed.strokes));
    QVERIFY(printed.strokes.width() > 595 / 2.0);
  }
}

void GuiTests::fileNamedOnTheCommandLine() {
  QCOMPARE(ParseCommandLine({}).file, QString());
  QCOMPARE(ParseCommandLine({}).error, QString());
  QCOMPARE(ParseCommandLine({QStringLiteral("a.kep")}).file,
           QDir::current().absoluteFilePath(QStringLiteral("a.kep")));
  QCOMPARE(ParseCommandLine({QStringLiteral("--"), QStringLiteral("-b.kef")}).file,
           QDir::current().absoluteFilePath(QStringLiteral("-b.kef")));
  QVERIFY(ParseCommandLine({QStringLiteral("--help")}).help);
  QVERIFY(!ParseCommandLine({QStringLiteral("a.kep"), QStringLiteral("b.kef")}).error.isEmpty());
  QVERIFY(!ParseCommandLine({QStringLiteral("--zoom=3")}).error.isEmpty());
  // The program itself: the usage on --help, a usage error (status 2) for two files.
  QProcess program;
  program.start(QStringLiteral(KESTREL_APP_PATH), {QStringLiteral("--help")});
  QVERIFY(program.waitForFinished(20000));
  QCOMPARE(program.exitCode(), 0);
  QVERIFY(program.readAllStandardOutput().startsWith("Usage: kestrel [FILE]"));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(KESTREL_APP_PATH),
                {QStringLiteral("a.kep"), QStringLiteral("b.kef")});
  QVERIFY(program.waitForFinished(20000));
  QCOMPARE(program.exitCode(), 2);
  QVERIFY(program.readAllStandardError().contains("only one file"));
  // A project named at start is read and realized at once, as Open project does.
  Fixture f;
  EnterLiteral(f, QStringLiteral("x3x2+~x1x0"));
  Realize(f, [](StructureDialog& s) {
    ChooseTab(s, 1);
    s.RadioItem(s.RadioDmux, 3)->click();
  });
  f.files.answers.emplace_back(f.Path("start.kep"));
  f.main().ButtonSave->click();
  Fixture g;
  g.main().OpenFileAtStart(QString::fromStdString(f.Path("start.kep")));
  QCOMPARE(g.session().commandState, CommandState::kRealized);
  QVERIFY(g.main().Panel1->isVisible());
  QCOMPARE(g.main().Label2Design->text(), QStringLiteral("Demultiplexer"));
  QCOMPARE(g.main().windowTitle(), QStringLiteral("Kestrel (start.kep)"));
  QVERIFY(g.messages.shown.empty());
  // A missing file: the usual message and an empty program.
  Fixture h;
  h.main().OpenFileAtStart(QString::fromStdString(h.Path("missing.kep")));
  QVERIFY(h.LastMessage());
  QCOMPARE(h.LastMessage()->text, std::string("Cannot open the file!      "));
  QCOMPARE(h.session().commandState, CommandState::kEmpty);
  QVERIFY(!h.main().Panel1->isVisible());
  QCOMPARE(h.main().windowTitle(), QStringLiteral("Kestrel (Untitled)"));
}

void GuiTests::liveCircuitSwitchesStepsAndLabels() {
  Fixture f;
  MainWindow& w = f.main();
  // The View menu comes after the program's own menus, which keep their places.
  QStringList menus;
  for (QAction* a : w.menuBar()->actions()) menus << a->text();
  QCOMPARE(menus,
           (QStringList{"&File", "&Realization", "&Help", "&Edit", "&View", "&Tools", "Re&cent"}));
  QCOMPARE(w.ViewMenu->actions().mid(0, 2), (QList<QAction*>{w.LiveCircuit1, w.ShowWork}));
  QVERIFY(!w.LiveCircuit1->isEnabled());
  EnterLiteral(f, QStringLiteral("x2~x0+x1"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  QVERIFY(w.LiveCircuit1->isEnabled());
  QVERIFY(!w.LiveBar->isVisible());
  QVERIFY(!w.Image1->diagram().state);

  w.LiveCircuit1->trigger();
  LiveCircuitBar& bar = *w.LiveBar;
  QVERIFY(bar.isVisible());
  auto shown = [&] {
    return w.Image1->diagram().state ? w.Image1->diagram().state->assignment : -1;
  };
  QCOMPARE(shown(), 0);
  QCOMPARE(bar.Output->text(), QStringLiteral("F = 0"));
  QVERIFY(bar.Switch(2) && !bar.Switch(3));
  bar.Switch(2)->click();
  QCOMPARE(shown(), 4);
  QCOMPARE(bar.Combination->value(), 4);
  QCOMPARE(bar.Switch(2)->text(), QStringLiteral("x2=1"));
  QCOMPARE(bar.Output->text(), QStringLiteral("F = 1"));
  QCOMPARE(bar.Expected->text(), QStringLiteral("function: 1"));
  bar.Next->click();
  QCOMPARE(shown(), 5);
  QCOMPARE(bar.Output->text(), QStringLiteral("F = 0"));
  bar.Previous->click();
  bar.Previous->click();
  QCOMPARE(shown(), 3);
  bar.Combination->setValue(7);
  QCOMPARE(shown(), 7);
  bar.Next->click();
  QCOMPARE(shown(), 0);  // around to the first combination
  // Play steps through the combinations at the chosen speed until stopped.
  bar.Speed->setCurrentIndex(0);
  bar.Play->click();
  QTRY_VERIFY_WITH_TIMEOUT(shown() >= 2, 3000);
  bar.Play->click();
  QVERIFY(!bar.PlayTimer->isActive());

  // A click on a variable's label in the diagram flips its switch.
  bar.Combination->setValue(0);
  const Diagram& d = w.Image1->diagram();
  const std::vector<LabelBox> boxes = TreeLabelBoxes(d);
  const auto x1 =
      std::find_if(boxes.begin(), boxes.end(), [](const LabelBox& b) { return b.label == "x1"; });
  QVERIFY(x1 != boxes.end());
  const QPoint at((x1->x1 + x1->x2) / 2, w.Image1->top() + (x1->y1 + x1->y2) / 2);
  w.ScrollBox1->ensureVisible(at.x(), at.y());
  QTest::mouseClick(w.Image1, Qt::LeftButton, {}, at);
  QCOMPARE(shown(), 2);
  QTest::mouseClick(w.Image1, Qt::LeftButton, {}, QPoint(1, w.Image1->top() + 1));
  QCOMPARE(shown(), 2);

  // Zooming keeps the combination; turning the mode off shows the plain diagram.
  w.ButtonZoomIn->click();
  QCOMPARE(shown(), 2);
  // The Work window's truth table follows the combination, and a row chosen there sets it.
  w.ShowWork->trigger();
  auto* truth = Find<QTableView>(w.Work(), "TruthTable");
  QCOMPARE(truth->currentIndex().row(), 2);
  bar.Next->click();
  QCOMPARE(truth->currentIndex().row(), 3);
  const QModelIndex six = truth->model()->index(6, 0);
  truth->scrollTo(six);
  QTest::mouseClick(truth->viewport(), Qt::LeftButton, {}, truth->visualRect(six).center());
  QCOMPARE(shown(), 6);
  QCOMPARE(bar.Combination->value(), 6);
  w.Work()->close();
  w.LiveCircuit1->trigger();
  QVERIFY(!w.Image1->diagram().state);
  QVERIFY(!bar.isVisible());
  // Without a diagram the mode ends and is not offered.
  w.LiveCircuit1->trigger();
  QVERIFY(bar.isVisible());
  f.messages.answers.push_back(Answer::No);
  w.NewProject->trigger();
  QVERIFY(!w.LiveCircuit1->isEnabled());
  QVERIFY(!w.LiveCircuit1->isChecked());
  QVERIFY(!bar.isVisible());
}

// The Work window: after the menus, it follows the function as soon as it is minimized, gains
// the circuit's column with the realization, saves its report, and takes a 10-variable function
// with every implicant.
void GuiTests::workWindowFollowsTheFunction() {
  Fixture f;
  QStringList menus;
  for (QAction* a : f.main().menuBar()->actions()) menus << a->text();
  f.main().ShowWork->trigger();
  WorkWindow* work = f.main().Work();
  QVERIFY(work && work->isVisible());
  auto* truth = Find<QTableView>(work, "TruthTable");
  QCOMPARE(truth->model()->rowCount(), 0);
  EnterCanonical(f, {"0", "2", "5", "7", "8", "10", "13", "15", "4"}, {"6"});
  QCOMPARE(truth->model()->rowCount(), 16);
  QCOMPARE(truth->model()->columnCount(), 3);
  QCOMPARE(truth->model()->index(6, 2).data().toString(), QStringLiteral("-"));
  QCOMPARE(Find<QListWidget>(work, "Levels")->count(), 3);
  QCOMPARE(Find<QListWidget>(work, "SelectedProducts")->count(), 3);
  QCOMPARE(Find<QTableView>(work, "CoverSteps")->model()->rowCount(), 4);

  Realize(f, [](StructureDialog& s) { s.RadioItem(s.RadioMuxSize, 1)->click(); });
  QCOMPARE(f.main().Label2Design->text(), QStringLiteral("Multiplexer"));
  QCOMPARE(truth->model()->columnCount(), 4);
  QCOMPARE(truth->model()->index(6, 3).data().toString(), QStringLiteral("1"));
  QCOMPARE(Find<QTableView>(work, "DataInputs")->model()->rowCount(), 4);
  QVERIFY(Find<QLabel>(work, "Cost")->text().contains(QStringLiteral("Multiplexers: 1")));

  for (const char* name : {"report.html", "report.pdf"}) {
    f.files.answers.emplace_back(f.Path(name));
    Find<QPushButton>(work, "SaveReport")->click();
    QFile file(QString::fromStdString(f.Path(name)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(16);
    QVERIFY2(head.startsWith("<!DOCTYPE html>") || head.startsWith("%PDF"), name);
  }
  QVERIFY(f.messages.shown.empty() || f.LastMessage()->text.find("report") == std::string::npos);
  // The report's diagram follows the view's layout style.
  f.main().ClearStyle->trigger();
  f.files.answers.emplace_back(f.Path("clear.html"));
  Find<QPushButton>(work, "SaveReport")->click();
  f.main().ClearStyle->trigger();
  QFile exact(QString::fromStdString(f.Path("report.html")));
  QFile clear(QString::fromStdString(f.Path("clear.html")));
  QVERIFY(exact.open(QIODevice::ReadOnly) && clear.open(QIODevice::ReadOnly));
  const QByteArray exactHtml = exact.readAll();
  const QByteArray clearHtml = clear.readAll();
  QVERIFY(exactHtml.contains("crispEdges"));
  QVERIFY(!clearHtml.contains("crispEdges"));

  // Every combination a One: 59,049 implicants, shown a level at a time.
  FunctionDefinition& def = f.session().definition;
  def.OpenCanonical();
  def.ClearAll();
  for (int v = 0; v < 1024; ++v) QVERIFY(def.Add(std::to_string(v), ListKind::kOnes));
  QVERIFY(def.Ok());
  f.main().ShowSessionState();
  QCOMPARE(work->explanation().ImplicantCount(), size_t{59049});
  QCOMPARE(truth->model()->rowCount(), 1024);
  auto* levels = Find<QListWidget>(work, "Levels");
  QCOMPARE(levels->count(), 11);
  levels->setCurrentRow(5);
  QCOMPARE(Find<QTableView>(work, "LevelTable")->model()->rowCount(), 8064);
}

void GuiTests::addedMenusComeAfterTheProgramsOwn() {
  Fixture f;
  QStringList bar;
  for (QAction* a : f.main().menuBar()->actions()) bar << a->text();
  QCOMPARE(bar,
           QStringList({"&File", "&Realization", "&Help", "&Edit", "&View", "&Tools", "Re&cent"}));
  QStringList file;
  for (QAction* a : f.main().File1->actions())
    file << (a->isSeparator() ? QStringLiteral("-") : a->text());
  QCOMPARE(file, QStringList({"New project", "Open project", "Save project", "Save project as...",
                              "-", "New function", "Open function", "Change function",
                              "Save function", "Save function as...", "-", "Export diagram",
                              "Export project", "-", "Print project", "Print setup", "-", "Exit"}));
  QStringList added;
  for (QMenu* menu : {f.main().EditMenu, f.main().ViewMenu})
    for (QAction* a : menu->actions()) {
      if (a->isSeparator()) continue;
      added << a->text();
      QVERIFY2(!a->shortcut().isEmpty(), qPrintable(a->text()));
    }
  QCOMPARE(added, QStringList({"Copy diagram", "Copy function", "&Live circuit", "Show the work...",
                               "Zoom in", "Zoom out", "Fit to window", "Smooth drawing",
                               "Clear layout style"}));
  QCOMPARE(f.main().ClearStyle->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
  QVERIFY(f.main().ClearStyle->isCheckable());
  QVERIFY(!f.main().ClearStyle->isChecked());
  QCOMPARE(f.main().CopyDiagram->shortcut(), QKeySequence(QKeySequence::Copy));
  // Nothing to copy or fit before a result is shown; smooth drawing is on at first.
  for (QAction* a : {f.main().CopyDiagram, f.main().CopyFunction, f.main().FitToWindow,
                     f.main().ViewZoomIn, f.main().ViewZoomOut})
    QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
  QVERIFY(f.main().SmoothDrawing->isChecked());
  QCOMPARE(f.main().Image1->drawing(), Drawing::kSmooth);
  EnterLiteral(f, QStringLiteral("x2x1+~x2x0"));
  QVERIFY(f.main().CopyFunction->isEnabled());
  QVERIFY(!f.main().CopyDiagram->isEnabled());
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  for (QAction* a : {f.main().CopyDiagram, f.main().CopyFunction, f.main().FitToWindow,
                     f.main().ViewZoomIn, f.main().ViewZoomOut})
    QVERIFY2(a->isEnabled(), qPrintable(a->text()));
  // The diagram's context menu offers the copy and view commands.
  QStringList offered;
  QTimer::singleShot(0, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (QAction* a : menu->actions())
        if (!a->isSeparator()) offered << a->text();
      menu->close();
    }
  });
  const QPoint at(40, f.main().Image1->top() + 20);
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, f.main().Image1->mapToGlobal(at));
  QApplication::sendEvent(f.main().Image1, &click);
  QCOMPARE(offered, QStringList({"Copy diagram", "Copy function", "Zoom in", "Zoom out",
                                 "Fit to window", "Smooth drawing"}));
  // The View menu's zoom steps as the buttons do.
  f.main().ViewZoomIn->trigger();
  QCOMPARE(f.session().zoom, 19);
  f.main().ViewZoomOut->trigger();
  f.main().ViewZoomOut->trigger();
  QCOMPARE(f.session().zoom, 15);
  f.main().SmoothDrawing->trigger();
  QCOMPARE(f.main().Image1->drawing(), Drawing::kExact);
  QVERIFY(!f.settings.SmoothDrawing());
  // The clear layout style: the view lays the diagram out again at the same zoom, and the
  // choice is kept.
  QCOMPARE(f.main().Image1->diagram().style, DiagramStyle::kExact);
  const int exactWidth = f.main().Image1->diagram().width;
  f.main().ClearStyle->trigger();
  QCOMPARE(f.main().Image1->diagram().style, DiagramStyle::kClear);
  QCOMPARE(f.main().Image1->diagram().zoom, 15);
  QVERIFY(f.main().Image1->diagram().width != exactWidth);
  QVERIFY(f.settings.ClearStyle());
  f.main().ClearStyle->trigger();
  QCOMPARE(f.main().Image1->diagram().style, DiagramStyle::kExact);
  QCOMPARE(f.main().Image1->diagram().width, exactWidth);
  QVERIFY(!f.settings.ClearStyle());
}

void GuiTests::clipboardHoldsThePicturesAndTheFunction() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x3x2+~x3x1+x0"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  const Diagram& d = f.main().Image1->diagram();
  QClipboard* clipboard = QGuiApplication::clipboard();
  f.main().CopyDiagram->trigger();
  const QMimeData* data = clipboard->mimeData();
  QVERIFY(data);
  QVERIFY(data->hasFormat(QStringLiteral("image/png")));
  QVERIFY(data->hasFormat(QStringLiteral("image/svg+xml")));
  QVERIFY(data->hasImage());
  QVERIFY(!data->hasText());
  const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
  QCOMPARE(png.size(), QSize(d.width, d.height));
  // The picture as the screen draws it (smooth at first).
  QCOMPARE(png.convertToFormat(QImage::Format_RGB32),
           RenderImage(d, PictureContent::kDiagram, {}, Drawing::kSmooth));
  const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
  QVERIFY(svg.startsWith("<?xml"));
  QVERIFY(svg.contains("<svg"));
  QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), png.size());
  f.main().CopyFunction->trigger();
  QCOMPARE(clipboard->text(), QString::fromStdString(f.session().model.functionText));
  QCOMPARE(clipboard->text(), QStringLiteral("x0+~x3x1+x3x2"));
  QVERIFY(!clipboard->mimeData()->hasImage());
}

void GuiTests::settingsRoundTrip() {
  QTemporaryDir dir;
  const QString ini = dir.filePath(QStringLiteral("kestrel.ini"));
  const QString folder = dir.filePath(QStringLiteral("work"));
  QVERIFY(QDir().mkpath(folder));
  QStringList files;
  for (int i = 0; i < 10; ++i) {
    files << QDir(folder).filePath(QStringLiteral("f%1.%2").arg(i).arg(i % 2 ? "kep" : "kef"));
    QFile file(files.back());
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  QMainWindow first;
  first.setGeometry(120, 90, 640, 480);
  {
    QSettings store(ini, QSettings::IniFormat);
    ProgramSettings settings(store);
    QVERIFY(settings.SmoothDrawing());
    QVERIFY(!settings.ClearStyle());
    QVERIFY(settings.RecentFiles().isEmpty());
    QVERIFY(!settings.RestoreWindow(first));
    settings.SetSmoothDrawing(false);
    settings.SetClearStyle(true);
    settings.RememberFile(QStringLiteral("wmf"), files[3]);
    for (const QString& file : files) settings.AddRecentFile(file);
    settings.AddRecentFile(files[5]);  // again: first, and only once
    settings.SaveWindow(first);
  }
  QVERIFY(QFile::remove(files[8]));
  QSettings store(ini, QSettings::IniFormat);
  ProgramSettings settings(store);
  QVERIFY(!settings.SmoothDrawing());
  QVERIFY(settings.ClearStyle());
  QCOMPARE(settings.LastFolder(QStringLiteral("wmf")), folder);
  QCOMPARE(settings.LastName(QStringLiteral("wmf")), QStringLiteral("f3.kep"));
  QCOMPARE(settings.LastFolder(QStringLiteral("kef")), QString());
  // Newest first, at most eight, a file that is gone left out.
  QCOMPARE(settings.RecentFiles(),
           QStringList({files[5], files[9], files[7], files[6], files[4], files[3], files[2]}));
  QMainWindow second;
  QVERIFY(settings.RestoreWindow(second));
  QCOMPARE(second.size(), QSize(640, 480));
  settings.ClearRecentFiles();
  QVERIFY(settings.RecentFiles().isEmpty());
  // The main window comes back as it was left, and its view setting with it.
  Fixture f;
  f.main().resize(720, 520);
  f.main().SmoothDrawing->trigger();
  f.main().ClearStyle->trigger();
  f.main().LiveBar->Speed->setCurrentIndex(0);
  f.main().ShowWork->trigger();
  f.main().Work()->resize(610, 430);
  f.main().close();
  Fixture g;
  g.store.clear();
  for (const QString& key : f.store.allKeys()) g.store.setValue(key, f.store.value(key));
  QMainWindow restored;
  QVERIFY(g.settings.RestoreWindow(restored));
  QCOMPARE(restored.size(), QSize(720, 520));
  QVERIFY(!g.settings.SmoothDrawing());
  QVERIFY(g.settings.ClearStyle());
  QCOMPARE(g.settings.LivePlaySpeed(), 0);
  QWidget work;
  QVERIFY(work.restoreGeometry(g.settings.WorkGeometry()));
  QCOMPARE(work.size(), QSize(610, 430));
}

void GuiTests::fitToWindowWheelAndPan() {
  Fixture f;
  f.main().resize(900, 700);
  EnterLiteral(f, QStringLiteral("x5x4x3+~x5x2x1+x4~x3x0+~x2~x1~x0"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  QScrollArea* box = f.main().ScrollBox1;
  for (const QSize window : {QSize(900, 700), QSize(500, 420), QSize(1500, 1000)}) {
    f.main().resize(window);
    QCoreApplication::processEvents();
    f.main().FitToWindow->trigger();
    const QSize room =
        box->maximumViewportSize() - QSize(box->verticalScrollBar()->sizeHint().width(),
                                           box->horizontalScrollBar()->sizeHint().height());
    const int z = f.session().zoom;
    QCOMPARE(z, FitZoom(f.session().results, f.session().choice, room.width(), room.height()));
    const Diagram& d = f.main().Image1->diagram();
    QCOMPARE(d.zoom, z);
    if (z > kMinZoom) QVERIFY(d.width <= room.width() && d.height <= room.height());
    QCOMPARE(f.main().ButtonZoomIn->isEnabled(), z < kMaxZoom);
    QCOMPARE(box->verticalScrollBar()->value(),
             std::min(f.main().Image1->top(), box->verticalScrollBar()->maximum()));
  }
  // Ctrl + wheel steps as the buttons do; without Ctrl the wheel scrolls.
  f.main().resize(600, 500);
  f.session().ZoomTo(17);
  f.main().ShowSessionState();
  f.main().ShowResult();
  QWidget* area = box->viewport();
  auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(50, 50), area->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(area, &event);
  };
  wheel(120, Qt::ControlModifier);
  QCOMPARE(f.session().zoom, 19);
  wheel(-240, Qt::ControlModifier);
  QCOMPARE(f.session().zoom, 15);
  wheel(60, Qt::ControlModifier);  // half a notch: nothing yet
  QCOMPARE(f.session().zoom, 15);
  wheel(60, Qt::ControlModifier);
  QCOMPARE(f.session().zoom, 17);
  QCOMPARE(f.main().TrackBar1->value(), 17);
  wheel(-120, Qt::NoModifier);
  QCOMPARE(f.session().zoom, 17);
  // Dragging with the middle button moves the picture with the mouse.
  box->horizontalScrollBar()->setValue(0);
  box->verticalScrollBar()->setValue(60);
  auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), area->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(area, &event);
  };
  mouse(QEvent::MouseButtonPress, {200, 200}, Qt::MiddleButton, Qt::MiddleButton);
  mouse(QEvent::MouseMove, {170, 160}, Qt::NoButton, Qt::MiddleButton);
  QCOMPARE(box->verticalScrollBar()->value(), 100);
  QCOMPARE(box->horizontalScrollBar()->value(),
           std::min(30, box->horizontalScrollBar()->maximum()));
  mouse(QEvent::MouseButtonRelease, {170, 160}, Qt::MiddleButton, Qt::NoButton);
  mouse(QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::NoButton);
  QCOMPARE(box->verticalScrollBar()->value(), 100);
}

void GuiTests::recentFiles() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x2x1+~x2x0"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  f.files.answers.emplace_back(f.Path("first.kep"));
  f.main().ButtonSave->click();
  f.files.answers.emplace_back(f.Path("second.kef"));
  f.main().SaveFunctionAs->trigger();
  QCOMPARE(f.settings.RecentFiles(), QStringList({QString::fromStdString(f.Path("second.kef")),
                                                  QString::fromStdString(f.Path("first.kep"))}));
  QStringList items;
  for (QAction* a : f.main().RecentMenu->actions())
    if (!a->isSeparator()) items << a->text();
  QCOMPARE(items, QStringList({"&1 second.kef", "&2 first.kep", "Clear the list"}));
  QAction* project = f.main().RecentMenu->actions()[1];
  QCOMPARE(project->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_2));
  // A new project, then the recent project: it is read and realized.
  f.main().NewProject->trigger();
  QCOMPARE(f.session().commandState, CommandState::kEmpty);
  project->trigger();
  QCOMPARE(f.session().commandState, CommandState::kRealized);
  QCOMPARE(f.main().windowTitle(), QStringLiteral("Kestrel (first.kep)"));
  QVERIFY(f.main().Panel1->isVisible());
  QCOMPARE(f.settings.RecentFiles().first(), QString::fromStdString(f.Path("second.kef")));
  // Clear the list, from the list itself.
  f.main().RecentMenu->actions().last()->trigger();
  QCoreApplication::processEvents();
  QVERIFY(f.settings.RecentFiles().isEmpty());
  items.clear();
  for (QAction* a : f.main().RecentMenu->actions())
    if (!a->isSeparator()) items << a->text();
  QCOMPARE(items, QStringList({"(no recent files)", "Clear the list"}));
  QVERIFY(!f.main().RecentMenu->actions().last()->isEnabled());
}

void GuiTests::exportNewerPictureTypes() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x3x2+~x3x1+x0"));
  Realize(f, [](StructureDialog& s) { ChooseTab(s, 2); });
  const struct {
    const char* name;
    int filter;
    const char* written;
    QByteArray magic;
  } typed[] = {{"t1", 6, "t1.svg", QByteArray("<?xml")},
               {"t2", 7, "t2.pdf", QByteArray("%PDF-")},
               {"t3", 8, "t3.png", QByteArray("\x89PNG")},
               {"named.PNG", 1, "named.PNG", QByteArray("\x89PNG")}};
  for (const auto& t : typed) {
    f.files.answers.emplace_back(f.Path(t.name));
    f.files.filterAnswers.push_back(t.filter);
    f.main().ExportDiagram->trigger();
    QFile written(QString::fromStdString(f.Path(t.written)));
    QVERIFY2(written.open(QIODevice::ReadOnly), t.written);
    QVERIFY2(written.readAll().startsWith(t.magic), t.written);
  }
  QVERIFY(f.messages.shown.empty());
  // The exported PNG is the exact drawing whatever the screen shows.
  QCOMPARE(QImage(QString::fromStdString(f.Path("t3.png"))).convertToFormat(QImage::Format_RGB32),
           RenderImage(f.main().Image1->diagram(), PictureContent::kDiagram, {}));
}

// A function of four variables whose greedy cover keeps 5 products where 4 do.
const QStringList kCyclicOnes = {"1", "3", "4", "7", "8", "9", "12", "13", "15"};

void GuiTests::toolsMenuKeysAndStates() {
  Fixture f;
  MainWindow& m = f.main();
  QStringList items;
  for (QAction* a : m.ToolsMenu->actions()) items << a->text();
  QCOMPARE(items, QStringList({"Compare structures...", "Address inputs...", "Minimum cover..."}));
  QCOMPARE(m.CompareStructures->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+R")));
  QCOMPARE(m.AddressInputs->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+A")));
  QCOMPARE(m.MinimumCover->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+M")));
  // No key of the window is taken twice.
  QList<QKeySequence> keys;
  for (QAction* a : m.findChildren<QAction*>())
    if (!a->shortcut().isEmpty()) {
      QVERIFY2(!keys.contains(a->shortcut()), qPrintable(a->shortcut().toString()));
      keys << a->shortcut();
    }
  struct Case {
    const char* name;
    std::function<void(Fixture&)> enter;
    bool compare, cover;
  };
  const Case cases[] = {
      {"no function", [](Fixture&) {}, false, false},
      {"canonical", [](Fixture& g) { EnterCanonical(g, kCyclicOnes); }, true, true},
      {"constant",
       [](Fixture& g) {
         EnterCanonical(g, {"0", "1"}, {});
       },
       false, false},
      {"literal", [](Fixture& g) { EnterLiteral(g, QStringLiteral("x2x1+~x2x0")); }, true, true},
  };
  for (const Case& c : cases) {
    Fixture g;
    c.enter(g);
    QCOMPARE(g.main().CompareStructures->isEnabled(), c.compare);
    QCOMPARE(g.main().AddressInputs->isEnabled(), c.compare);
    QVERIFY2(g.main().MinimumCover->isEnabled() == c.cover, c.name);
  }
  // F1 opens the help over each of the windows.
  EnterCanonical(f, kCyclicOnes);
  for (QAction* tool : {m.CompareStructures, m.AddressInputs, m.MinimumCover}) {
    const int before = f.help.opened;
    f.scripts.emplace_back([](QDialog& d) {
      QTest::keyClick(&d, Qt::Key_F1);
      if (auto* cover = qobject_cast<CoverWindow*>(&d))
        QTRY_VERIFY_WITH_TIMEOUT(!cover->busy(), 20000);
    });
    tool->trigger();
    QCOMPARE(f.help.opened, before + 1);
  }
}

void GuiTests::compareStructuresWindow() {
  Fixture f;
  EnterCanonical(f, kCyclicOnes);
  const std::vector<CompareRow> expected = f.session().CompareStructuresNow();
  QCOMPARE(expected.size(), size_t{27});
  int chosen = -1;
  f.scripts.emplace_back([&](QDialog& d) {
    auto& w = static_cast<CompareWindow&>(d);
    QCOMPARE(w.rows().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      const CompareRow &a = w.rows()[i], &b = expected[i];
      QVERIFY(a.options.structure == b.options.structure &&
              a.options.muxSize == b.options.muxSize &&
              a.options.demuxSize == b.options.demuxSize && a.options.gates == b.options.gates &&
              a.realized == b.realized && a.refusal == b.refusal && a.cost == b.cost &&
              a.cheapestByComponents == b.cheapestByComponents &&
              a.cheapestByLevels == b.cheapestByLevels);
    }
    const QAbstractItemModel* t = w.Table->model();
    QCOMPARE(t->rowCount(), 27);
    auto cells = [&](int row) {
      QStringList out;
      for (int c = 0; c < CompareWindow::kColumnCount; ++c)
        out << t->index(row, c).data().toString();
      return out;
    };
    // The core's order at first; the offered row is the first cheapest one.
    const QString refused = QStringLiteral(
        "refused: Realization impossible! The number of supplied address inputs is not "
        "sufficient!");
    QCOMPARE(cells(0), QStringList({"1", "Multiplexer", "2", "-", "-", "-", "-", "-", "-", "-", "-",
                                    refused}));
    QCOMPARE(cells(21), QStringList({"22", "Multiplexer Tree", "4", "-", "-", "1\u00d74 + 3\u00d72",
                                     "-", "1", "1", "3", "5", "realized"}));
    QCOMPARE(cells(3).last(), QStringLiteral("cheapest: components and levels"));
    QCOMPARE(w.CurrentRow(), 3);
    QVERIFY(w.ButtonRealize->isEnabled());
    // The cheapest rows, and only they, are bold.
    for (int r = 0; r < 27; ++r) {
      const CompareRow& row = expected[static_cast<size_t>(r)];
      const bool cheapest = row.cheapestByComponents || row.cheapestByLevels;
      QCOMPARE(t->index(r, 1).data(Qt::FontRole).value<QFont>().bold(), cheapest);
      QCOMPARE(t->index(r, CompareWindow::kResult).data().toString().startsWith("cheapest"),
               cheapest);
    }
    // Sorted by gate inputs: numbers in numeric order, the refused rows last.
    w.Table->sortByColumn(CompareWindow::kGateInputs, Qt::AscendingOrder);
    QList<int> inputs;
    for (int r = 0; r < 27; ++r) {
      const QString cell = t->index(r, CompareWindow::kGateInputs).data().toString();
      inputs << (cell == QStringLiteral("-") ? 1000 : cell.toInt());
    }
    QVERIFY(std::is_sorted(inputs.begin(), inputs.end()));
    QCOMPARE(inputs.first(), 0);
    QCOMPARE(inputs.mid(19, 3), QList<int>({14, 14, 16}));  // not after 1, as text would sort
    QCOMPARE(inputs.count(1000), 5);
    // A refused row cannot be realized; the tree of 4-input multiplexers can.
    auto select = [&](Structure structure, int size) {
      for (int r = 0; r < 27; ++r) {
        const CompareRow& row =
            expected[static_cast<size_t>(static_cast<QSortFilterProxyModel*>(w.Table->model())
                                             ->mapToSource(t->index(r, 0))
                                             .row())];
        if (row.options.structure == structure && row.options.muxSize.value_or(0) == size) {
          w.Table->setCurrentIndex(t->index(r, 0));
          return;
        }
      }
    };
    select(Structure::kMux, 2);
    QVERIFY(!w.ButtonRealize->isEnabled());
    select(Structure::kMuxTree, 4);
    QVERIFY(w.ButtonRealize->isEnabled());
    chosen = w.CurrentRow();
    w.ButtonRealize->click();
  });
  f.main().CompareStructures->trigger();
  QCOMPARE(chosen, 21);
  QCOMPARE(f.main().Label2Design->text(), QStringLiteral("Multiplexer Tree"));
  QCOMPARE(f.session().choice.Current(), Structure::kMuxTree);
  QCOMPARE(f.session().zoom, kDefaultZoom);
  QCOMPARE(f.session().project.projectModified, 1);
  const QImage compared = RenderImage(f.main().Image1->diagram(), PictureContent::kDiagram, {});
  // The structure dialog gives the same circuit for the same choice.
  Realize(f, [](StructureDialog& s) {
    ChooseTab(s, 0);
    s.RadioItem(s.RadioMuxSize, 3)->click();
  });
  QCOMPARE(f.main().Label2Design->text(), QStringLiteral("Multiplexer"));
  Realize(f, [](StructureDialog& s) {
    ChooseTab(s, 2);
    s.RadioItem(s.RadioMuxMT, 1)->click();
  });
  QCOMPARE(RenderImage(f.main().Image1->diagram(), PictureContent::kDiagram, {}), compared);
  // The structure shown is marked; closing the window changes nothing.
  f.scripts.emplace_back([](QDialog& d) {
    const QAbstractItemModel* t = static_cast<CompareWindow&>(d).Table->model();
    for (int r = 0; r < t->rowCount(); ++r)
      QCOMPARE(t->index(r, CompareWindow::kResult).data().toString().endsWith(", shown now"),
               r == 21);
    QCOMPARE(t->index(21, CompareWindow::kResult).data().toString(),
             QStringLiteral("realized, shown now"));
    d.reject();
  });
  f.main().CompareStructures->trigger();
  QCOMPARE(f.main().Label2Design->text(), QStringLiteral("Multiplexer Tree"));
  // With the best address inputs: the core's rows for them, and a row realized with them.
  const std::vector<CompareRow> best = f.session().CompareStructuresNow(AddressMode::kBest);
  f.scripts.emplace_back([&](QDialog& d) {
    auto& w = static_cast<CompareWindow&>(d);
    w.BestAddress->click();
    QCOMPARE(w.Mode(), AddressMode::kBest);
    QCOMPARE(w.rows().size(), best.size());
    for (size_t i = 0; i < best.size(); ++i) QVERIFY(w.rows()[i].cost == best[i].cost);
    QCOMPARE(w.Table->model()->index(21, CompareWindow::kGates).data().toString(),
             QString::number(best[21].cost.gates));
    w.Table->setCurrentIndex(w.Table->model()->index(21, 0));
    w.ButtonRealize->click();
  });
  f.main().CompareStructures->trigger();
  QCOMPARE(f.session().address.mode, AddressMode::kBest);
  QCOMPARE(MeasureCircuit(Structure::kMuxTree, f.session().results), best[21].cost);
  QCOMPARE(VerifyRealization(f.session().model, f.session().choice, f.session().results).mismatches,
           0);
}

void GuiTests::addressInputsWindow() {
  Fixture f;
  EnterLiteral(f, QStringLiteral("x3x2~x1+~x3x2x0+x3x1x0+~x3~x2~x0"));
  Realize(f, [](StructureDialog& s) { s.RadioItem(s.RadioMuxSize, 2)->click(); });
  auto topLabels = [&] {
    QStringList labels;
    for (const NodeRecord& node : f.session().results.nodes())
      if (node.level == 0)
        for (int k = 0; k < node.addressCount; ++k)
          labels << QString::fromStdString(node.addressLabels[static_cast<size_t>(k)]);
    return labels.join(',');
  };
  const QString automatic = topLabels();
  f.session().project.projectModified = 0;
  // A choice that does not fit: the reason, and nothing changes.
  f.scripts.emplace_back([&](QDialog& d) {
    auto& w = static_cast<AddressWindow&>(d);
    QCOMPARE(w.StructureLine->text(),
             QStringLiteral("Structure: Multiplexer \u2014 3 address inputs"));
    QVERIFY(w.RadioAutomatic->isChecked());
    QCOMPARE(w.Names->text(), automatic);
    w.RadioNamed->click();
    w.Names->setText(QStringLiteral("x0,x7"));
    w.ButtonOK->click();
    QVERIFY(w.isVisible());
    QCOMPARE(w.Reason->text(),
             QStringLiteral("This choice does not fit: the function has no variable x7"));
    w.Names->setText(QStringLiteral("x0"));
    w.ButtonOK->click();
    QCOMPARE(w.Reason->text(), QStringLiteral("This choice does not fit: the multiplexer has 3 "
                                              "address inputs: name 3 variables"));
    w.Names->setText(QStringLiteral("x0;x1"));
    w.ButtonOK->click();
    QVERIFY(w.Reason->text().startsWith(
        "This choice does not fit: \"x0;x1\" is not an address choice"));
  });
  f.main().AddressInputs->trigger();
  QCOMPARE(f.session().address, AddressChoice{});
  QCOMPARE(f.session().project.projectModified, 0);
  QCOMPARE(topLabels(), automatic);
  // Named variables: realized with them, and the circuit verifies.
  for (const QString& names : {QStringLiteral("x0,x1,x2"), QStringLiteral("x2,x0,x3")}) {
    f.scripts.emplace_back([&](QDialog& d) {
      auto& w = static_cast<AddressWindow&>(d);
      w.Names->setText(names);
      w.RadioNamed->click();
      w.ButtonOK->click();
      QVERIFY(!w.isVisible());
    });
    f.main().AddressInputs->trigger();
    QCOMPARE(topLabels(), names);
    QCOMPARE(QString::fromStdString(FormatAddressChoice(f.session().address)), names);
    QCOMPARE(f.session().project.projectModified, 1);
    const Verification v =
        VerifyRealization(f.session().model, f.session().choice, f.session().results);
    QCOMPARE(v.mismatches, 0);
  }
  // The window shows the choice in force; best realizes too.
  f.scripts.emplace_back([&](QDialog& d) {
    auto& w = static_cast<AddressWindow&>(d);
    QVERIFY(w.RadioNamed->isChecked());
    QCOMPARE(w.Names->text(), QStringLiteral("x2,x0,x3"));
    w.RadioBest->click();
    w.ButtonOK->click();
  });
  f.main().AddressInputs->trigger();
  QCOMPARE(f.session().address.mode, AddressMode::kBest);
  QCOMPARE(VerifyRealization(f.session().model, f.session().choice, f.session().results).mismatches,
           0);
  // The structure of a multiplexer and a demultiplexer has no choice: only automatic is offered.
  Realize(f, [](StructureDialog& s) {
    ChooseTab(s, 3);
    s.RadioMDMux8b->setFocus();
    s.RadioMDMux8b->click();
  });
  f.scripts.emplace_back([&](QDialog& d) {
    auto& w = static_cast<AddressWindow&>(d);
    QVERIFY(!w.RadioNamed->isEnabled() && !w.RadioBest->isEnabled());
    QVERIFY(w.NamesHint->text().contains("has no choice of address variables"));
  });
  f.main().AddressInputs->trigger();
}

void GuiTests::minimumCoverWindow() {
  Fixture f;
  EnterCanonical(f, kCyclicOnes);
  const std::string greedy = f.session().model.functionText;
  QCOMPARE(greedy, std::string("x3~x1+x2~x1~x0+~x2~x1x0+~x3x1x0+x3x2x0"));
  Realize(f, [](StructureDialog& s) { s.RadioItem(s.RadioMuxSize, 2)->click(); });
  f.session().project.projectModified = 0;
  f.scripts.emplace_back([&](QDialog& d) {
    auto& w = static_cast<CoverWindow&>(d);
    QTRY_VERIFY_WITH_TIMEOUT(!w.busy(), 20000);
    QCOMPARE(
        w.Counts->text(),
        QStringLiteral("greedy: 5 products, 14 literals \u2014 minimum: 4 products, 11 literals"));
    QCOMPARE(w.Proof->text(), QStringLiteral("minimum (proven)"));
    QCOMPARE(w.GreedyText->toPlainText().remove(' ').toStdString(), greedy);
    QCOMPARE(w.MinimumText->toPlainText(), QStringLiteral("x3~x1 + x2~x1~x0 + ~x3~x2x0 + x2x1x0"));
    QVERIFY(w.ButtonUse->isEnabled());
    w.ButtonUse->click();
    QVERIFY(!w.ButtonUse->isEnabled());
    QCOMPARE(w.Reason->text(), QStringLiteral("The function is this minimum cover already."));
  });
  f.main().MinimumCover->trigger();
  QCOMPARE(f.session().model.functionText, std::string("x3~x1+x2~x1~x0+~x3~x2x0+x2x1x0"));
  QCOMPARE(f.session().project.projectModified, 1);
  QCOMPARE(f.session().model.functionModified, 1);
  // The result on show follows: the new text under its heading, the circuit realized again.
  QCOMPARE(f.main().Label1Real->text(),
           QStringLiteral("Function after minimization (minimum cover):"));
  QCOMPARE(f.main().Label1Fun->text().remove('\n'),
           QStringLiteral("x3~x1 + x2~x1~x0 + ~x3~x2x0 + x2x1x0"));
  QCOMPARE(VerifyRealization(f.session().model, f.session().choice, f.session().results).mismatches,
           0);
  // Opened again it offers nothing to use.
  f.scripts.emplace_back([&](QDialog& d) {
    auto& w = static_cast<CoverWindow&>(d);
    QTRY_VERIFY_WITH_TIMEOUT(!w.busy(), 20000);
    QVERIFY(!w.ButtonUse->isEnabled());
    QVERIFY(!w.Reason->text().isEmpty());
  });
  f.main().MinimumCover->trigger();
  // Without covers to compare the window says why and offers nothing.
  f.messages.answers = {Answer::No, Answer::No};
  f.main().NewProject->trigger();
  QVERIFY(f.session().model.functionText.empty());
  CoverWindow empty(f.session(), &f.main());
  empty.Start();
  QVERIFY(!empty.busy());
  QVERIFY(!empty.ButtonUse->isEnabled());
  QCOMPARE(empty.Reason->text(), QString::fromLatin1(text::kCoverCannot));
}

QTEST_MAIN(GuiTests)
#include "gui_tests.moc"
