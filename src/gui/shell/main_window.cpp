#include "gui/shell/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <exception>

#include "diagram/diagram.h"
#include "engine/realize.h"
#include "function/function_text.h"
#include "function/texts.h"
#include "gui/function/function_window.h"
#include "gui/gui_texts.h"
#include "gui/platform/qt_messages.h"
#include "gui/platform/settings.h"
#include "gui/shell/about_box.h"
#include "gui/shell/clipboard.h"
#include "gui/shell/diagram_view.h"
#include "gui/shell/live_circuit_bar.h"
#include "gui/shell/output.h"
#include "gui/shell/program.h"
#include "gui/shell/window_util.h"
#include "gui/structure/structure_dialog.h"
#include "gui/tools/address_window.h"
#include "gui/tools/compare_window.h"
#include "gui/tools/cover_window.h"
#include "gui/work/work_window.h"

namespace kestrel::gui {

namespace {

QIcon Picture(const QString& name) {
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

}  // namespace

MainWindow::MainWindow(Program& program) : program_(program) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromStdString(program_.session.caption));
  setWindowIcon(Picture(QStringLiteral("kestrel")));
  BuildMenu();
  BuildToolBar();
  BuildResultPanel();
  BuildAddedMenus();
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(true);
  StatusText = MakeChild<QLabel>(StatusBar1, "StatusText");
  StatusBar1->addWidget(StatusText, 1);
  setStatusBar(StatusBar1);
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(program_.session.kTimer1Interval);
  connect(Timer1, &QTimer::timeout, this, [this] {
    Guard([this] {
      Timer1->setInterval(Session::kTimer1Interval);
      program_.session.Timer1Timer();
      Timer1->stop();
      ShowSessionState();
    });
  });
  Timer1->start();

  setMinimumSize(380, 350);
  resize(408, 350);
  CentreOn(this, nullptr);
  // Where the window was left in the last run, if it was.
  program_.services.settings.RestoreWindow(*this);
  program_.session.SetCommandState(CommandState::kEmpty);
}

MainWindow::~MainWindow() {
  delete printer_;
}

QAction* MainWindow::MakeAction(const char* name, const QString& caption, const QString& icon) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  if (!icon.isEmpty()) action->setIcon(Picture(icon));
  return action;
}

void MainWindow::BuildMenu() {
  auto run = [this](QAction* action, void (MainWindow::*command)()) {
    connect(action, &QAction::triggered, this,
            [this, command] { Guard([=, this] { (this->*command)(); }); });
  };
  File1 = menuBar()->addMenu(QStringLiteral("&File"));
  File1->setObjectName(QStringLiteral("File1"));
  NewProject = MakeAction("NewProject", QStringLiteral("New project"), QStringLiteral("new"));
  OpenProject = MakeAction("OpenProject", QStringLiteral("Open project"), QStringLiteral("open"));
  SaveProject = MakeAction("SaveProject", QStringLiteral("Save project"));
  SaveProjectAs =
      MakeAction("SaveProjectAs", QStringLiteral("Save project as..."), QStringLiteral("save_as"));
  NewCanonicalRepresentation =
      MakeAction("NewCanonicalRepresentation", QStringLiteral("Canonical representation"),
                 QStringLiteral("canonical"));
  NewLiteralRepresentation =
      MakeAction("NewLiteralRepresentation", QStringLiteral("Literal representation"),
                 QStringLiteral("literal"));
  OpenFunction = MakeAction("OpenFunction", QStringLiteral("Open function"));
  ChangeFunction = MakeAction("ChangeFunction", QStringLiteral("Change function"));
  SaveFunction = MakeAction("SaveFunction", QStringLiteral("Save function"));
  SaveFunctionAs = MakeAction("SaveFunctionAs", QStringLiteral("Save function as..."));
  ExportDiagram = MakeAction("ExportDiagram", QStringLiteral("Export diagram"));
  ExportProject = MakeAction("ExportProject", QStringLiteral("Export project"));
  Print = MakeAction("Print", QStringLiteral("Print project"), QStringLiteral("print"));
  PrintSetup = MakeAction("PrintSetup", QStringLiteral("Print setup"));
  Exit = MakeAction("Exit", QStringLiteral("Exit"));
  Exit->setStatusTip(QStringLiteral("Close program"));
  Exit->setToolTip(QStringLiteral("Close program"));

  File1->addAction(NewProject);
  File1->addAction(OpenProject);
  File1->addAction(SaveProject);
  File1->addAction(SaveProjectAs);
  File1->addSeparator();
  NewFunction1 = File1->addMenu(QStringLiteral("New function"));
  NewFunction1->setObjectName(QStringLiteral("NewFunction1"));
  NewFunction1->addAction(NewCanonicalRepresentation);
  NewFunction1->addAction(NewLiteralRepresentation);
  File1->addAction(OpenFunction);
  File1->addAction(ChangeFunction);
  File1->addAction(SaveFunction);
  File1->addAction(SaveFunctionAs);
  File1->addSeparator();
  File1->addAction(ExportDiagram);
  File1->addAction(ExportProject);
  File1->addSeparator();
  File1->addAction(Print);
  File1->addAction(PrintSetup);
  File1->addSeparator();
  File1->addAction(Exit);

  Realization = MakeAction("Realization", QStringLiteral("&Realization"));
  menuBar()->addAction(Realization);

  Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
  Help1->setObjectName(QStringLiteral("Help1"));
  ProgramHelp1 = MakeAction("ProgramHelp1", QStringLiteral("Program Help"));
  ProgramHelp1->setShortcut(QKeySequence(Qt::Key_F1));
  ProgramHelp1->setShortcutContext(Qt::WindowShortcut);
  About1 = MakeAction("About1", QStringLiteral("About..."));
  Help1->addAction(ProgramHelp1);
  Help1->addAction(About1);

  // The live circuit and the Work window go into the View menu, which comes after the menus
  // the program has always had (BuildAddedMenus).
  LiveCircuit1 = MakeAction("LiveCircuit1", QString::fromUtf8(text::kLiveCircuit));
  LiveCircuit1->setCheckable(true);
  LiveCircuit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  LiveCircuit1->setEnabled(false);
  LiveCircuit1->setStatusTip(QString::fromUtf8(text::kLiveCircuitHint));
  LiveCircuit1->setToolTip(QString::fromUtf8(text::kLiveCircuitHint));
  ShowWork = MakeAction("ShowWork", QString::fromUtf8(text::kShowWork));
  ShowWork->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));

  run(NewProject, &MainWindow::NewProjectClick);
  run(OpenProject, &MainWindow::OpenProjectClick);
  run(SaveProject, &MainWindow::SaveProjectClick);
  run(SaveProjectAs, &MainWindow::SaveProjectAsClick);
  run(NewCanonicalRepresentation, &MainWindow::NewCanonicalRepresentationClick);
  run(NewLiteralRepresentation, &MainWindow::NewLiteralRepresentationClick);
  run(OpenFunction, &MainWindow::OpenFunctionClick);
  run(ChangeFunction, &MainWindow::ChangeFunctionClick);
  run(SaveFunction, &MainWindow::SaveFunctionClick);
  run(SaveFunctionAs, &MainWindow::SaveFunctionAsClick);
  run(ExportDiagram, &MainWindow::ExportDiagramClick);
  run(ExportProject, &MainWindow::ExportProjectClick);
  run(Print, &MainWindow::PrintClick);
  run(PrintSetup, &MainWindow::PrintSetupClick);
  connect(Exit, &QAction::triggered, this, &QWidget::close);
  run(Realization, &MainWindow::RealizationClick);
  run(ProgramHelp1, &MainWindow::ProgramHelpClick);
  run(About1, &MainWindow::AboutClick);
  run(LiveCircuit1, &MainWindow::LiveCircuitClick);
  run(ShowWork, &MainWindow::ShowWorkClick);
}

void MainWindow::BuildAddedMenus() {
  const ProgramSettings& settings = program_.services.settings;
  auto add = [this](QMenu* menu, const char* name, const char* caption, const char* tip,
                    const QKeySequence& key, void (MainWindow::*command)()) {
    QAction* action = MakeAction(name, QString::fromLatin1(caption));
    action->setStatusTip(QString::fromLatin1(tip));
    action->setShortcut(key);
    menu->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, command] { Guard([=, this] { (this->*command)(); }); });
    return action;
  };
  EditMenu = menuBar()->addMenu(QString::fromLatin1(text::kEditMenu));
  EditMenu->setObjectName(QStringLiteral("EditMenu"));
  CopyDiagram = add(EditMenu, "CopyDiagram", text::kCopyDiagram, text::kCopyDiagramTip,
                    QKeySequence::Copy, &MainWindow::CopyDiagramClick);
  CopyFunction =
      add(EditMenu, "CopyFunction", text::kCopyFunction, text::kCopyFunctionTip,
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &MainWindow::CopyFunctionClick);

  ViewMenu = menuBar()->addMenu(QString::fromLatin1(text::kViewMenu));
  ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
  ViewMenu->addAction(LiveCircuit1);
  ViewMenu->addAction(ShowWork);
  ViewMenu->addSeparator();
  ViewZoomIn = add(ViewMenu, "ViewZoomIn", text::kViewZoomIn, text::kViewZoomIn,
                   QKeySequence::ZoomIn, &MainWindow::ButtonZoomInClick);
  ViewZoomIn->setIcon(Picture(QStringLiteral("zoom_in")));
  ViewZoomOut = add(ViewMenu, "ViewZoomOut", text::kViewZoomOut, text::kViewZoomOut,
                    QKeySequence::ZoomOut, &MainWindow::ButtonZoomOutClick);
  ViewZoomOut->setIcon(Picture(QStringLiteral("zoom_out")));
  FitToWindow = add(ViewMenu, "FitToWindow", text::kFitToWindow, text::kFitToWindowTip,
                    QKeySequence(Qt::CTRL | Qt::Key_0), &MainWindow::FitToWindowClick);
  ViewMenu->addSeparator();
  SmoothDrawing =
      add(ViewMenu, "SmoothDrawing", text::kSmoothDrawing, text::kSmoothDrawingTip,
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), &MainWindow::SmoothDrawingClick);
  SmoothDrawing->setCheckable(true);
  SmoothDrawing->setChecked(settings.SmoothDrawing());
  Image1->SetDrawing(settings.SmoothDrawing() ? Drawing::kSmooth : Drawing::kExact);
  ClearStyle = add(ViewMenu, "ClearStyle", text::kClearStyle, text::kClearStyleTip,
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), &MainWindow::ClearStyleClick);
  ClearStyle->setCheckable(true);
  ClearStyle->setChecked(settings.ClearStyle());

  // The tools beside the program's own commands, between View and Recent.
  ToolsMenu = menuBar()->addMenu(QString::fromLatin1(text::kToolsMenu));
  ToolsMenu->setObjectName(QStringLiteral("ToolsMenu"));
  CompareStructures =
      add(ToolsMenu, "CompareStructures", text::kCompareStructures, text::kCompareStructuresTip,
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), &MainWindow::CompareStructuresClick);
  AddressInputs =
      add(ToolsMenu, "AddressInputs", text::kAddressInputs, text::kAddressInputsTip,
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), &MainWindow::AddressInputsClick);
  MinimumCover =
      add(ToolsMenu, "MinimumCover", text::kMinimumCover, text::kMinimumCoverTip,
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), &MainWindow::MinimumCoverClick);

  RecentMenu = menuBar()->addMenu(QString::fromLatin1(text::kRecentMenu));
  RecentMenu->setObjectName(QStringLiteral("RecentMenu"));
  FillRecentMenu();

  // The result area's own menu, and Ctrl + wheel and middle-button dragging over it. The
  // scroll area takes its viewport's context menu events as its own, with the viewport's
  // positions.
  QWidget* area = ScrollBox1->viewport();
  ScrollBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ScrollBox1, &QWidget::customContextMenuRequested, this, [this, area](const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("DiagramMenu"));
    menu.addAction(CopyDiagram);
    menu.addAction(CopyFunction);
    menu.addSeparator();
    menu.addAction(ViewZoomIn);
    menu.addAction(ViewZoomOut);
    menu.addAction(FitToWindow);
    menu.addAction(SmoothDrawing);
    menu.exec(area->mapToGlobal(at));
  });
  area->installEventFilter(this);
}

void MainWindow::FillRecentMenu() {
  // The list is rebuilt from one of its own items too (an opened file moves first, Clear):
  // the old items go once their signal has returned.
  for (QAction* old : RecentMenu->actions()) {
    RecentMenu->removeAction(old);
    old->deleteLater();
  }
  const QStringList files = program_.services.settings.RecentFiles();
  for (int i = 0; i < files.size(); ++i) {
    const QString& path = files[i];
    QAction* a =
        RecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    a->setObjectName(QStringLiteral("Recent%1").arg(i + 1));
    a->setStatusTip(path);
    a->setToolTip(path);
    a->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
    connect(a, &QAction::triggered, this,
            [this, path] { Guard([this, path] { OpenRecentFile(path); }); });
  }
  if (files.isEmpty())
    RecentMenu->addAction(QString::fromLatin1(text::kNoRecentFiles))->setEnabled(false);
  RecentMenu->addSeparator();
  QAction* clear = RecentMenu->addAction(QString::fromLatin1(text::kClearRecentFiles));
  clear->setObjectName(QStringLiteral("ClearRecent"));
  clear->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
  clear->setEnabled(!files.isEmpty());
  connect(clear, &QAction::triggered, this, [this] {
    program_.services.settings.ClearRecentFiles();
    FillRecentMenu();
  });
}

void MainWindow::ShowAddedCommandStates() {
  const Session& s = program_.session;
  const bool shown = s.commands.resultPanelVisible && !Image1->empty();
  CopyDiagram->setEnabled(shown);
  FitToWindow->setEnabled(shown);
  CopyFunction->setEnabled(!s.model.functionText.empty());
  ViewZoomIn->setEnabled(shown && s.commands.Enabled(CommandItem::ButtonZoomIn));
  ViewZoomOut->setEnabled(shown && s.commands.Enabled(CommandItem::ButtonZoomOut));
  // The tools need a function that has a circuit (not a constant), as Realization does; the
  // minimum cover needs covers to compare and a solver.
  const bool realizable = s.commands.Enabled(CommandItem::Realization);
  CompareStructures->setEnabled(realizable);
  AddressInputs->setEnabled(realizable);
  MinimumCover->setEnabled(s.HasCoverSolver() && s.CanCompareCovers());
}

void MainWindow::RunFileCommand(const std::function<void()>& command) {
  const std::string function = program_.session.project.functionFilePath;
  const std::string project = program_.session.project.projectFilePath;
  command();
  NoteRecentFiles(function, project);
}

void MainWindow::NoteRecentFiles(const std::string& functionBefore,
                                 const std::string& projectBefore) {
  const ProjectRecord& p = program_.session.project;
  ProgramSettings& settings = program_.services.settings;
  bool changed = false;
  for (const auto& [before, now] : {std::pair{functionBefore, p.functionFilePath},
                                    std::pair{projectBefore, p.projectFilePath}}) {
    if (now.empty() || now == before || !QFileInfo(QString::fromStdString(now)).isFile()) continue;
    settings.AddRecentFile(QString::fromStdString(now));
    changed = true;
  }
  if (changed) FillRecentMenu();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ScrollBox1->viewport()) return QMainWindow::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Wheel: {
      auto* wheel = static_cast<QWheelEvent*>(event);
      if (!(wheel->modifiers() & Qt::ControlModifier)) break;
      // One step per notch (120); a touchpad's small turns add up to one.
      wheelSteps_ += wheel->angleDelta().y();
      while (wheelSteps_ >= 120 || wheelSteps_ <= -120) {
        const bool in = wheelSteps_ > 0;
        wheelSteps_ += in ? -120 : 120;
        QToolButton* button = in ? ButtonZoomIn : ButtonZoomOut;
        if (button->isEnabled() && Panel1->isVisible() && !Image1->empty())
          Guard([this, in] { in ? ButtonZoomInClick() : ButtonZoomOutClick(); });
      }
      return true;
    }
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::MiddleButton) break;
      panning_ = true;
      panFrom_ = mouse->globalPosition().toPoint();
      panScroll_ = {ScrollBox1->horizontalScrollBar()->value(),
                    ScrollBox1->verticalScrollBar()->value()};
      ScrollBox1->viewport()->setCursor(Qt::ClosedHandCursor);
      return true;
    }
    case QEvent::MouseMove: {
      if (!panning_) break;
      const QPoint moved = static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - panFrom_;
      ScrollBox1->horizontalScrollBar()->setValue(panScroll_.x() - moved.x());
      ScrollBox1->verticalScrollBar()->setValue(panScroll_.y() - moved.y());
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (!panning_ || static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton) break;
      panning_ = false;
      ScrollBox1->viewport()->unsetCursor();
      return true;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

QToolButton* MainWindow::MakeToolButton(const char* name, const QString& hint, const QString& icon,
                                        void (MainWindow::*command)()) {
  auto* button = new QToolButton(ToolBar1);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(hint);
  button->setStatusTip(hint);
  button->setIcon(Picture(icon));
  button->setIconSize(QSize(18, 18));
  button->setFixedSize(24, 24);
  button->setAutoRaise(true);
  ToolBar1->addWidget(button);
  connect(button, &QToolButton::clicked, this,
          [this, command] { Guard([=, this] { (this->*command)(); }); });
  return button;
}

void MainWindow::BuildToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setFixedHeight(33);
  ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
  addToolBar(Qt::TopToolBarArea, ToolBar1);
  ButtonNew = MakeToolButton("ButtonNew", QStringLiteral("Start new project"),
                             QStringLiteral("new"), &MainWindow::NewProjectClick);
  ButtonOpen = MakeToolButton("ButtonOpen", QStringLiteral("Open project"), QStringLiteral("open"),
                              &MainWindow::OpenProjectClick);
  ToolBar1->addSeparator();
  ButtonSave = MakeToolButton("ButtonSave", QStringLiteral("Save project"), QStringLiteral("save"),
                              &MainWindow::ButtonSaveClick);
  ToolBar1->addSeparator();
  ButtonLB = MakeToolButton("ButtonLB", QStringLiteral("Canonical representation"),
                            QStringLiteral("canonical"), &MainWindow::DecimalRepClick);
  ButtonEdit = MakeToolButton("ButtonEdit", QStringLiteral("Literal representation"),
                              QStringLiteral("literal"), &MainWindow::LiteralRepClick);
  ToolBar1->addSeparator();
  ButtonRealize = MakeToolButton("ButtonRealize", QStringLiteral("Design realization"),
                                 QStringLiteral("realize"), &MainWindow::RealizationClick);
  ButtonZoomIn = MakeToolButton("ButtonZoomIn", QStringLiteral("Zoom in"),
                                QStringLiteral("zoom_in"), &MainWindow::ButtonZoomInClick);
  ButtonZoomOut = MakeToolButton("ButtonZoomOut", QStringLiteral("Zoom out"),
                                 QStringLiteral("zoom_out"), &MainWindow::ButtonZoomOutClick);
  ButtonPrint = MakeToolButton("ButtonPrint", QStringLiteral("Print project"),
                               QStringLiteral("print"), &MainWindow::PrintClick);
  ToolBar1->addSeparator();
  ButtonWork = MakeToolButton("ButtonWork", QString::fromLatin1(text::kShowWorkHint),
                              QStringLiteral("work"), &MainWindow::ShowWorkClick);
}

void MainWindow::BuildResultPanel() {
  Panel3 = new QFrame(this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel3->setLineWidth(2);
  Panel3->setAutoFillBackground(true);
  setCentralWidget(Panel3);
  auto* back = new QVBoxLayout(Panel3);
  back->setContentsMargins(2, 2, 2, 2);
  back->setSpacing(0);

  Panel1 = MakeChild<QWidget>(Panel3, "Panel1");
  back->addWidget(Panel1);
  auto* result = new QVBoxLayout(Panel1);
  result->setContentsMargins(0, 0, 0, 0);
  result->setSpacing(0);
  Panel2 = MakeChild<QWidget>(Panel1, "Panel2");
  Panel2->setFixedHeight(33);
  TrackBar1 = MakeChild<QSlider>(Panel2, "TrackBar1");
  TrackBar1->setOrientation(Qt::Horizontal);
  TrackBar1->setRange(kMinZoom, kMaxZoom);
  TrackBar1->setTickInterval(1);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setValue(kDefaultZoom);
  TrackBar1->setGeometry(8, 8, 150, 25);
  connect(TrackBar1, &QSlider::valueChanged, this,
          [this](int value) { program_.session.SetZoom(value); });
  result->addWidget(Panel2);

  LiveBar = new LiveCircuitBar(Panel1);
  LiveBar->hide();
  // The play speed chosen last time, kept whenever it changes.
  if (const int speed = program_.services.settings.LivePlaySpeed();
      speed >= 0 && speed < LiveBar->Speed->count())
    LiveBar->Speed->setCurrentIndex(speed);
  connect(LiveBar->Speed, &QComboBox::currentIndexChanged, this,
          [this](int index) { program_.services.settings.SetLivePlaySpeed(index); });
  result->addWidget(LiveBar);
  auto live = [this](const std::function<void()>& change) {
    Guard([&] {
      change();
      ShowLiveState();
    });
  };
  connect(LiveBar, &LiveCircuitBar::Toggled, this,
          [this, live](int d) { live([&] { live_.Toggle(d); }); });
  connect(LiveBar, &LiveCircuitBar::Stepped, this,
          [this, live](int delta) { live([&] { live_.Step(delta); }); });
  connect(LiveBar, &LiveCircuitBar::CombinationTyped, this,
          [this, live](int k) { live([&] { live_.SetAssignment(k); }); });

  ScrollBox1 = MakeChild<QScrollArea>(Panel1, "ScrollBox1");
  ScrollBox1->setFrameShape(QFrame::NoFrame);
  ScrollBox1->setBackgroundRole(QPalette::Base);
  QPalette white = ScrollBox1->palette();
  white.setColor(QPalette::Base, Qt::white);
  white.setColor(QPalette::Window, Qt::white);
  ScrollBox1->setPalette(white);
  ScrollBox1->setAutoFillBackground(true);
  ScrollBox1->setWidgetResizable(false);
  result->addWidget(ScrollBox1, 1);

  ScrollContent = new QWidget;
  ScrollContent->setObjectName(QStringLiteral("ScrollContent"));
  ScrollContent->setPalette(white);
  ScrollContent->setAutoFillBackground(true);
  Image1 = MakeChild<DiagramView>(ScrollContent, "Image1");
  Image1->move(0, 0);
  connect(Image1, &DiagramView::DiagramClicked, this, [this, live](Point point) {
    if (!LiveCircuit1->isChecked()) return;
    if (const std::optional<int> d = VariableAt(Image1->diagram(), point))
      live([&] { live_.Toggle(*d); });
  });
  Label1Real = MakeChild<QLabel>(ScrollContent, "Label1Real", text::kFunctionAfterMinimization);
  Label1Fun = MakeChild<QLabel>(ScrollContent, "Label1Fun");
  Label1 = MakeChild<QLabel>(ScrollContent, "Label1", text::kRealizedIn);
  Label2Design = MakeChild<QLabel>(ScrollContent, "Label2Design");
  Label3Additional = MakeChild<QLabel>(ScrollContent, "Label3Additional");
  QFont bold = Label1Fun->font();
  bold.setBold(true);
  Label1Fun->setFont(bold);
  Label2Design->setFont(bold);
  Label1Real->move(24, 16);
  Label1Fun->move(24, 32);
  Label1->move(24, 80);
  Label2Design->move(24, 96);
  Label3Additional->move(24, 120);
  for (QLabel* l : {Label1Real, Label1Fun, Label1, Label2Design, Label3Additional}) {
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->adjustSize();
  }
  ScrollContent->resize(1024, 768);
  ScrollBox1->setWidget(ScrollContent);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!firstShow_) return;
  firstShow_ = false;
  Image1->resize(1024, 768);
  program_.session.MainWindowShown();
}

void MainWindow::Guard(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception&) {
    program_.ShowCriticalError();
  } catch (...) {
    program_.ShowCriticalError();
  }
}

void MainWindow::ShowSessionState() {
  const Session& s = program_.session;
  setWindowTitle(QString::fromStdString(s.caption));
  for (int i = 0; i < kCommandItemCount; ++i) {
    const auto item = static_cast<CommandItem>(i);
    const QString name = QString::fromLatin1(CommandItemName(item));
    const bool on = s.commands.Enabled(item);
    if (QAction* a = findChild<QAction*>(name, Qt::FindDirectChildrenOnly)) a->setEnabled(on);
    if (QToolButton* b = ToolBar1->findChild<QToolButton*>(name)) b->setEnabled(on);
  }
  if (TrackBar1->value() != s.zoom) TrackBar1->setValue(s.zoom);
  Panel1->setVisible(s.commands.resultPanelVisible);
  // Without a result on show the diagram is let go; the next realization lays it out again.
  if (!s.commands.resultPanelVisible && !Image1->empty()) Image1->Clear();
  Panel2->setVisible(s.commands.zoomStripVisible);
  if (s.statusText != shownStatus_) {
    shownStatus_ = s.statusText;
    StatusText->setText(QString::fromStdString(s.statusText));
    if (!s.statusText.empty() && s.timer1Enabled) {
      Timer1->setInterval(Session::kTimer1Interval);
      Timer1->start();
    }
  }
  UpdateLiveCircuit();
  if (s.commandState == CommandState::kEmpty) {
    // The reset paints the background white.
    QPalette white = Panel3->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel3->setPalette(white);
  }
  ShowAddedCommandStates();
  if (work_ && work_->isVisible()) work_->Follow();
}

void MainWindow::ShowWorkClick() {
  if (!work_) {
    work_ =
        new WorkWindow(program_.session, program_.services.files, program_.session.messages, this);
    work_->SetReportStyle(Style());
    // Where it was left in an earlier run.
    if (const QByteArray geometry = program_.services.settings.WorkGeometry(); !geometry.isEmpty())
      work_->restoreGeometry(geometry);
    // Choosing a row of its truth table shows that combination in the live circuit (turned on
    // when a circuit is shown).
    connect(work_, &WorkWindow::CombinationChosen, this, [this](int k) {
      Guard([&] {
        if (!LiveCircuit1->isEnabled()) return;
        if (!LiveCircuit1->isChecked()) {
          LiveCircuit1->setChecked(true);
          LiveCircuitClick();
        }
        live_.SetAssignment(k);
        ShowLiveState();
      });
    });
  }
  work_->show();
  work_->Follow();
  if (LiveCircuit1->isChecked()) work_->ShowCombination(live_.assignment());
  work_->raise();
  work_->activateWindow();
}

void MainWindow::SetBusy(bool busy) {
  busy_ = busy;
  menuBar()->setEnabled(!busy);
  ToolBar1->setEnabled(!busy);
}

// --- Project lifecycle ---

void MainWindow::NewProjectClick() {
  program_.session.NewProjectClick();
  ShowSessionState();
}

void MainWindow::NewCanonicalRepresentationClick() {
  const bool opened = program_.session.NewCanonicalRepresentationClick();
  ShowSessionState();
  if (opened) RunFunctionWindow(true);
}

void MainWindow::NewLiteralRepresentationClick() {
  const bool opened = program_.session.NewLiteralRepresentationClick();
  ShowSessionState();
  if (opened) RunFunctionWindow(false);
}

void MainWindow::DecimalRepClick() {
  program_.session.DecimalRepClick();
  RunFunctionWindow(true);
}

void MainWindow::LiteralRepClick() {
  program_.session.LiteralRepClick();
  RunFunctionWindow(false);
}

void MainWindow::ChangeFunctionClick() {
  const int flag = program_.session.model.representationFlag;
  program_.session.ChangeFunctionClick();
  if (flag == 1) RunFunctionWindow(true);
  if (flag == 2) RunFunctionWindow(false);
}

void MainWindow::RunFunctionWindow(bool canonical) {
  FunctionWindow& w = *program_.Form3;
  if (canonical) {
    w.LayoutCanonical();
  } else {
    w.LayoutLiteral();
  }
  CentreOn(&w, this);
  SetBusy(true);
  struct Idle {
    MainWindow* window;
    ~Idle() { window->SetBusy(false); }
  } idle{this};
  program_.runModal(w);
  ShowSessionState();
}

void MainWindow::OpenFunctionClick() {
  RunFileCommand([this] { program_.session.OpenFunctionClick(); });
  ShowSessionState();
}

void MainWindow::OpenProjectClick() {
  RunFileCommand([this] { program_.session.OpenProjectClick(); });
  if (program_.session.commandState == CommandState::kRealized) ShowResult();
  ShowSessionState();
}

void MainWindow::OpenFileAtStart(const QString& path) {
  RunFileCommand([&] { program_.session.OpenFileAtStart(path.toStdString()); });
  if (program_.session.commandState == CommandState::kRealized) ShowResult();
  ShowSessionState();
}

void MainWindow::OpenRecentFile(const QString& path) {
  RunFileCommand([&] { program_.session.OpenRecentFile(path.toStdString()); });
  if (program_.session.commandState == CommandState::kRealized) ShowResult();
  ShowSessionState();
}

void MainWindow::SaveProjectClick() {
  RunFileCommand([this] { program_.session.SaveProjectClick(); });
  ShowSessionState();
}

void MainWindow::SaveProjectAsClick() {
  RunFileCommand([this] { program_.session.SaveProjectAsClick(); });
  ShowSessionState();
}

void MainWindow::ButtonSaveClick() {
  RunFileCommand([this] { program_.session.ButtonSaveClick(); });
  ShowSessionState();
}

void MainWindow::SaveFunctionClick() {
  RunFileCommand([this] { program_.session.SaveFunctionClick(); });
  ShowSessionState();
}

void MainWindow::SaveFunctionAsClick() {
  RunFileCommand([this] { program_.session.SaveFunctionAsClick(); });
  ShowSessionState();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (busy_) {
    // A minimization is running; it is stopped from the progress window first.
    event->ignore();
    return;
  }
  bool close = false;
  Guard([&] { close = program_.session.CloseQuery(); });
  ShowSessionState();
  if (close) {
    program_.services.settings.SaveWindow(*this);
    if (work_) program_.services.settings.SetWorkGeometry(work_->saveGeometry());
    event->accept();
    QApplication::closeAllWindows();
  } else {
    event->ignore();
  }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    Guard([this] { ProgramHelpClick(); });
    return;
  }
  QMainWindow::keyPressEvent(event);
}

// --- Realization and result ---

void MainWindow::RealizationClick() {
  StructureDialog& d = *program_.Form2;
  d.PrepareShow();
  CentreOn(&d, this);
  if (program_.runModal(d) == QDialog::Accepted) Realize();
  ShowSessionState();
}

void MainWindow::Realize() {
  ShowRealization(program_.session.RealizeCurrent());
}

void MainWindow::ShowRealization(const RealizeResult& result) {
  program_.Form2->ShowChoice();  // a clamped size stays selected in the dialog
  ShowSessionState();
  if (result.outcome == RealizeOutcome::kRealized) ShowResult();
}

// --- Tools ---

void MainWindow::CompareStructuresClick() {
  Session& s = program_.session;
  if (!s.commands.Enabled(CommandItem::Realization)) return;
  CompareWindow window(s, this);
  window.onHelp = [this] { ProgramHelpClick(); };
  CentreOn(&window, this);
  if (program_.runModal(window) != QDialog::Accepted || window.chosen() < 0) return;
  const CompareRow& row = window.rows()[static_cast<size_t>(window.chosen())];
  ShowRealization(s.RealizeComparedRow(row.options, window.Mode()));
}

void MainWindow::AddressInputsClick() {
  if (!program_.session.commands.Enabled(CommandItem::Realization)) return;
  AddressWindow window(program_.session, this);
  window.onHelp = [this] { ProgramHelpClick(); };
  CentreOn(&window, this);
  if (program_.runModal(window) == QDialog::Accepted) Realize();
  ShowSessionState();
}

void MainWindow::MinimumCoverClick() {
  Session& s = program_.session;
  if (!s.HasCoverSolver() || !s.CanCompareCovers()) return;
  CoverWindow window(s, this);
  window.onHelp = [this] { ProgramHelpClick(); };
  // The new function text on show at once; a circuit on show was realized again for it.
  window.onUsed = [this] {
    ShowSessionState();
    if (program_.session.commandState == CommandState::kRealized) ShowResult();
  };
  CentreOn(&window, this);
  window.Start();
  program_.runModal(window);
  ShowSessionState();
}

void MainWindow::BuildFunctionLabel() {
  const Session& s = program_.session;
  Label1Fun->setText(DisplayText(FunctionLabelText(s.model.functionText)));
  Label1Fun->adjustSize();
  Label1Real->setText(QString::fromStdString(s.FunctionHeading()));
  Label1Real->adjustSize();
  Label1->move(Label1->x(), Label1Fun->y() + Label1Fun->height() + 10);
  Label2Design->move(Label2Design->x(), Label1->y() + Label1->height());
  Label3Additional->move(Label3Additional->x(), Label2Design->y() + Label2Design->height() + 5);
  Label3Additional->setText(QString::fromStdString(s.additionalCaption));
  Label2Design->setText(QString::fromStdString(s.designCaption));
  Label2Design->adjustSize();
  Label3Additional->adjustSize();
}

void MainWindow::ShowResult() {
  const Session& s = program_.session;
  BuildFunctionLabel();
  // The diagram starts 20 pixels below the last label, in the scrolled content.
  const int top = Label3Additional->y() + 20;
  Image1->SetDiagram(LayoutDiagram(s.results, s.choice, s.zoom, Style()), top);
  int right = Image1->width();
  for (QLabel* l : {Label1Real, Label1Fun, Label1, Label2Design, Label3Additional})
    right = std::max(right, l->x() + l->width() + 24);
  ScrollContent->resize(right, Image1->height());
  UpdateLiveCircuit();
  if (LiveCircuit1->isChecked()) {
    live_.Load(s.choice, s.results, s.model);
    ShowLiveState();
  }
}

// --- Live circuit ---

void MainWindow::UpdateLiveCircuit() {
  const bool shown = !Image1->empty() && program_.session.commands.resultPanelVisible;
  LiveCircuit1->setEnabled(shown);
  if (shown || !LiveCircuit1->isChecked()) return;
  LiveCircuit1->setChecked(false);
  LiveBar->Stop();
  LiveBar->hide();
}

void MainWindow::LiveCircuitClick() {
  const Session& s = program_.session;
  if (LiveCircuit1->isChecked() && !Image1->empty()) {
    live_.Load(s.choice, s.results, s.model);
    LiveBar->show();
    ShowLiveState();
  } else {
    LiveCircuit1->setChecked(false);
    LiveBar->Stop();
    LiveBar->hide();
    Image1->SetState(std::nullopt);
  }
}

void MainWindow::ShowLiveState() {
  const CircuitState state = live_.State();
  LiveBar->Show(live_, state);
  Image1->SetState(state);
  if (work_ && work_->isVisible()) work_->ShowCombination(state.assignment);
}

void MainWindow::ButtonZoomInClick() {
  program_.session.ZoomIn();
  ShowSessionState();
  ShowResult();
}

void MainWindow::ButtonZoomOutClick() {
  program_.session.ZoomOut();
  ShowSessionState();
  ShowResult();
}

// --- Output ---

QPrinter& MainWindow::Printer() {
  if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
  return *printer_;
}

void MainWindow::PrintSetupClick() {
  if (!program_.services.printing.Setup(Printer(), this))
    program_.session.messages.Show(text::kNoPrinter, text::kCaptionWarningBang, Buttons::Ok,
                                   Icon::Warning);
}

void MainWindow::PrintClick() {
  Session& s = program_.session;
  s.ShowPrintNote();
  if (!program_.services.printing.ChoosePrinter(Printer(), this)) return;
  if (!PrintResult(Printer(), PrintInputs()))
    s.messages.Show(text::kNoPrinterInSystem, text::kCaptionWarningBang, Buttons::Ok,
                    Icon::Warning);
}

OutputInputs MainWindow::PrintInputs() const {
  const Session& s = program_.session;
  OutputInputs in;
  in.functionText = s.model.functionText;
  in.designCaption = s.designCaption;
  in.top = Image1->top();
  in.halveScale = s.PrintChoicesNow().halveScale;
  in.results = &s.results;
  in.choice = &s.choice;
  in.zoom = s.zoom;
  in.style = Style();
  in.model = &s.model;
  return in;
}

void MainWindow::ExportDiagramClick() {
  ExportPicture(false, PrintInputs(), program_.services.files, program_.session.messages);
}

void MainWindow::ExportProjectClick() {
  ExportPicture(true, PrintInputs(), program_.services.files, program_.session.messages);
}

void MainWindow::CopyDiagramClick() {
  if (Image1->empty()) return;
  QGuiApplication::clipboard()->setMimeData(
      DiagramMimeData(Image1->diagram(), Image1->drawing()).release());
}

void MainWindow::CopyFunctionClick() {
  const std::string& function = program_.session.model.functionText;
  if (function.empty()) return;
  QGuiApplication::clipboard()->setMimeData(FunctionMimeData(function).release());
}

void MainWindow::FitToWindowClick() {
  if (Image1->empty()) return;
  const Session& s = program_.session;
  // The room the viewport has while both scroll bars show (the labels above the diagram make
  // the content taller than the window anyway).
  const QSize room = ScrollBox1->maximumViewportSize() -
                     QSize(ScrollBox1->verticalScrollBar()->sizeHint().width(),
                           ScrollBox1->horizontalScrollBar()->sizeHint().height());
  program_.session.ZoomTo(FitZoom(s.results, s.choice, room.width(), room.height(), Style()));
  ShowSessionState();
  ShowResult();
  ScrollBox1->horizontalScrollBar()->setValue(0);
  ScrollBox1->verticalScrollBar()->setValue(Image1->top());
}

void MainWindow::SmoothDrawingClick() {
  const bool smooth = SmoothDrawing->isChecked();
  program_.services.settings.SetSmoothDrawing(smooth);
  Image1->SetDrawing(smooth ? Drawing::kSmooth : Drawing::kExact);
}

void MainWindow::ClearStyleClick() {
  program_.services.settings.SetClearStyle(ClearStyle->isChecked());
  if (work_) work_->SetReportStyle(Style());
  if (!Image1->empty()) ShowResult();
}

DiagramStyle MainWindow::Style() const {
  return ClearStyle->isChecked() ? DiagramStyle::kClear : DiagramStyle::kExact;
}

void MainWindow::ProgramHelpClick() {
  program_.services.help.OpenContents();
}

void MainWindow::AboutClick() {
  CentreOn(program_.Form6, this);
  program_.runModal(*program_.Form6);
}

}  // namespace kestrel::gui
