#pragma once
// Form1, the main window: the menu and the tool bar that offer every command, the result panel
// with the minimized function, the structure name and the circuit diagram, and the status bar.
// The project and its rules live in the core's Session; the window runs its commands, shows
// the dialogs and applies the resulting state to its widgets.

#include <QMainWindow>
#include <functional>
#include <string>

#include "engine/realize.h"
#include "engine/simulation.h"
#include "gui/shell/output.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPrinter;
class QScrollArea;
class QSlider;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace kestrel::gui {

class DiagramView;
class LiveCircuitBar;
class Program;
class WorkWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Program& program);
  ~MainWindow() override;

  // --- Menu ---
  QMenu* File1;
  QAction* NewProject;
  QAction* OpenProject;
  QAction* SaveProject;
  QAction* SaveProjectAs;
  QMenu* NewFunction1;
  QAction* NewCanonicalRepresentation;
  QAction* NewLiteralRepresentation;
  QAction* OpenFunction;
  QAction* ChangeFunction;
  QAction* SaveFunction;
  QAction* SaveFunctionAs;
  QAction* ExportDiagram;
  QAction* ExportProject;
  QAction* Print;
  QAction* PrintSetup;
  QAction* Exit;
  QAction* Realization;
  QMenu* Help1;
  QAction* ProgramHelp1;
  QAction* About1;
  /// In the View menu (after the menus above): the live circuit (checkable) and the Work window.
  QAction* LiveCircuit1;
  QAction* ShowWork;

  // --- Tool bar ---
  QToolBar* ToolBar1;
  QToolButton* ButtonNew;
  QToolButton* ButtonOpen;
  QToolButton* ButtonSave;
  QToolButton* ButtonLB;
  QToolButton* ButtonEdit;
  QToolButton* ButtonRealize;
  QToolButton* ButtonZoomIn;
  QToolButton* ButtonZoomOut;
  QToolButton* ButtonPrint;
  QToolButton* ButtonWork;

  // --- Result display ---
  QFrame* Panel3;
  QWidget* Panel1;
  QWidget* Panel2;
  QSlider* TrackBar1;
  QScrollArea* ScrollBox1;
  QWidget* ScrollContent;
  /// The result picture: the diagram under the labels, painted where it is exposed.
  DiagramView* Image1;
  QLabel* Label1Real;
  QLabel* Label1Fun;
  QLabel* Label1;
  QLabel* Label2Design;
  QLabel* Label3Additional;
  /// The live circuit's switches and stepping, above the diagram while the mode is on.
  LiveCircuitBar* LiveBar;

  // --- Added after the program's own menus: Edit, View, Tools, Recent ---
  QMenu* EditMenu;
  QAction* CopyDiagram;
  QAction* CopyFunction;
  QMenu* ViewMenu;
  QAction* ViewZoomIn;
  QAction* ViewZoomOut;
  QAction* FitToWindow;
  QAction* SmoothDrawing;
  QAction* ClearStyle;
  QMenu* ToolsMenu;
  QAction* CompareStructures;
  QAction* AddressInputs;
  QAction* MinimumCover;
  QMenu* RecentMenu;

  QStatusBar* StatusBar1;
  QLabel* StatusText;
  QTimer* Timer1;

  // --- Commands (what the menu items and buttons run) ---
  void NewProjectClick();
  void NewCanonicalRepresentationClick();
  void NewLiteralRepresentationClick();
  void DecimalRepClick();
  void LiteralRepClick();
  void ChangeFunctionClick();
  void OpenFunctionClick();
  void OpenProjectClick();
  void SaveProjectClick();
  void SaveProjectAsClick();
  void ButtonSaveClick();
  void SaveFunctionClick();
  void SaveFunctionAsClick();
  void RealizationClick();
  void ButtonZoomInClick();
  void ButtonZoomOutClick();
  void PrintClick();
  void PrintSetupClick();
  void ExportDiagramClick();
  void ExportProjectClick();
  void ProgramHelpClick();
  void AboutClick();
  /// View > Live circuit: the mode on or off.
  void LiveCircuitClick();
  /// Opens (or brings up) the Work window, which then follows the current function.
  void ShowWorkClick();
  /// The Work window once opened; null before.
  WorkWindow* Work() const { return work_; }
  void CopyDiagramClick();
  void CopyFunctionClick();
  void FitToWindowClick();
  void SmoothDrawingClick();
  void ClearStyleClick();
  /// The layout style the View menu chose: the view, the live circuit, printing, copying and
  /// export use it.
  DiagramStyle Style() const;
  /// Tools > Compare structures: the comparison window; a row chosen there is realized through
  /// the session as the structure dialog's OK would realize it.
  void CompareStructuresClick();
  /// Tools > Address inputs: the address choice of the chosen structure, then the realization.
  void AddressInputsClick();
  /// Tools > Minimum cover: both covers of the function side by side, and the use of the
  /// minimum one.
  void MinimumCoverClick();
  /// A file picked from the Recent menu: the save prompt of its open command, then the file.
  void OpenRecentFile(const QString& path);

  /// Realize: the chosen structure for the current function, then the result on screen.
  void Realize();
  /// Composes the labels and the diagram at the current zoom.
  void ShowResult();
  /// Applies the session's command view, caption and status text to the widgets.
  void ShowSessionState();
  /// Runs a command; an exception escaping it shows the critical-error message.
  void Guard(const std::function<void()>& command);
  /// Opens a file named on the command line, as Open function or Open project would.
  void OpenFileAtStart(const QString& path);

  QPrinter& Printer();
  /// What printing and exporting read from this window.
  OutputInputs PrintInputs() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  /// Ctrl + wheel over the result steps the zoom; the middle button drags it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void BuildAddedMenus();
  void FillRecentMenu();
  /// The added commands' enabled states follow the result on show and the zoom buttons.
  void ShowAddedCommandStates();
  /// Puts the function and project files the last command read or wrote first in the recent
  /// files (those whose path changed).
  void NoteRecentFiles(const std::string& functionBefore, const std::string& projectBefore);
  /// Runs a file command and notes the files it read or wrote.
  void RunFileCommand(const std::function<void()>& command);
  void BuildToolBar();
  void BuildResultPanel();
  void BuildFunctionLabel();
  /// The live circuit's state on the diagram and the bar.
  void ShowLiveState();
  /// Live circuit is offered while a diagram is shown; without one the mode ends.
  void UpdateLiveCircuit();
  /// Shows a realization on screen (and keeps the structure dialog showing its choice).
  void ShowRealization(const RealizeResult& result);
  /// Shows the function definition window modally in its current layout.
  void RunFunctionWindow(bool canonical);
  void SetBusy(bool busy);
  QAction* MakeAction(const char* name, const QString& caption, const QString& icon = {});
  QToolButton* MakeToolButton(const char* name, const QString& hint, const QString& icon,
                              void (MainWindow::*command)());

  Program& program_;
  QPrinter* printer_ = nullptr;
  WorkWindow* work_ = nullptr;
  bool busy_ = false;
  bool firstShow_ = true;
  std::string shownStatus_;
  LiveCircuit live_;
  int wheelSteps_ = 0;  ///< Ctrl + wheel turned short of a whole step (touchpads)
  QPoint panFrom_;      ///< where the middle-button drag started, in screen pixels
  QPoint panScroll_;    ///< the scroll bars' values when it started
  bool panning_ = false;
};

}  // namespace kestrel::gui
