#pragma once
// The running program: the session that owns the project, and the windows created once in
// their fixed order (main window, design structure dialog, function definition window, About
// box, progress window). The realization worker and the diagram surface of the design are not
// windows here: the core's engine and diagram do their work.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "gui/platform/help.h"
#include "gui/platform/printing.h"
#include "gui/platform/qt_progress.h"
#include "gui/platform/settings.h"
#include "session/session.h"
#include "solver/cbc_cover_solver.h"

namespace kestrel::gui {

class AboutBox;
class FunctionWindow;
class MainWindow;
class ProgressWindow;
class StructureDialog;

/// The platform services the windows use; the desktop program passes the real dialogs, tests
/// pass scripted stand-ins.
struct Services {
  MessageSink& messages;
  FileDialogs& files;
  HelpPort& help;
  PrintPort& printing;
  /// What is kept between runs (tests keep it in a scratch file).
  ProgramSettings& settings;
};

/// The application-wide settings of the desktop program: its name, icon and desktop entry.
/// Window and message captions are the program's own texts, exactly: no application name is
/// appended to them.
void SetUpApplication();

/// The desktop program's command line, "kestrel [FILE]": one optional function or project file
/// to open at start.
struct CommandLine {
  QString file;   ///< absolute path of the file to open; empty for none
  QString error;  ///< a usage error (the program then exits with status 2)
  bool help = false;
};
/// Reads the arguments after the program name (Qt's own options already taken out).
CommandLine ParseCommandLine(const QStringList& arguments);
/// The usage text that --help and a usage error print.
QString CommandLineUsage();

class Program {
 public:
  explicit Program(const Services& services);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Services services;
  QtProgress progress;
  /// The minimum cover's solver (declared before the session, which keeps a reference).
  CbcCoverSolver coverSolver;
  Session session;

  MainWindow* Form1 = nullptr;
  StructureDialog* Form2 = nullptr;
  FunctionWindow* Form3 = nullptr;
  AboutBox* Form6 = nullptr;
  ProgressWindow* Form7 = nullptr;

  /// Shows a dialog modally and returns its result; tests replace it to drive the dialog.
  std::function<int(QDialog&)> runModal;
  /// Shows the critical-error message (the desktop program's outer handler uses it too).
  void ShowCriticalError();

 private:
  std::unique_ptr<MainWindow> mainWindow_;
};

}  // namespace kestrel::gui
