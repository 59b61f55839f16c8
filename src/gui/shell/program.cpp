#include "gui/shell/program.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include "gui/function/function_window.h"
#include "gui/gui_texts.h"
#include "gui/shell/about_box.h"
#include "gui/shell/main_window.h"
#include "gui/shell/progress_window.h"
#include "gui/structure/structure_dialog.h"

namespace kestrel::gui {

void SetUpApplication() {
  QApplication::setApplicationName(QStringLiteral("Kestrel"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kestrel.svg")));
  QGuiApplication::setDesktopFileName(QStringLiteral("kestrel"));
}

QString CommandLineUsage() {
  return QString::fromLatin1(text::kCommandLineUsage);
}

CommandLine ParseCommandLine(const QStringList& arguments) {
  CommandLine out;
  bool optionsEnd = false;
  for (const QString& a : arguments) {
    if (!optionsEnd && a == QStringLiteral("--")) {
      optionsEnd = true;
    } else if (!optionsEnd && (a == QStringLiteral("-h") || a == QStringLiteral("--help"))) {
      out.help = true;
    } else if (!optionsEnd && a.startsWith(QLatin1Char('-')) && a.size() > 1) {
      out.error = QString::fromLatin1(text::kUnknownOption) + a;
    } else if (!out.file.isEmpty()) {
      out.error = QString::fromLatin1(text::kOneFileOnly);
    } else {
      out.file = QFileInfo(a).absoluteFilePath();
    }
  }
  return out;
}

Program::Program(const Services& s)
    : services(s),
      session(s.messages, progress, &s.files),
      runModal([](QDialog& dialog) { return dialog.exec(); }) {
  session.SetCoverSolver(coverSolver);
  mainWindow_ = std::make_unique<MainWindow>(*this);
  Form1 = mainWindow_.get();
  Form2 = new StructureDialog(session, Form1);
  Form3 = new FunctionWindow(session.model, session.definition, Form1);
  Form6 = new AboutBox(Form1);
  Form7 = new ProgressWindow(Form1);
  progress.Attach(Form7);

  auto help = [this] { services.help.OpenContents(); };
  Form2->onHelp = help;
  Form3->onHelp = help;
  Form6->onHelp = help;
  auto guard = [this](const std::function<void()>& command) { Form1->Guard(command); };
  Form3->guard = guard;
  // The minimization runs after the function window's OK: the window is out of the way first.
  progress.beforeShow = [this] {
    if (Form3->isVisible()) Form3->hide();
  };
  Form1->ShowSessionState();
}

Program::~Program() = default;

void Program::ShowCriticalError() {
  services.messages.Show(text::kCriticalError, text::kCaptionErrorBang, Buttons::Ok, Icon::Error);
}

}  // namespace kestrel::gui
