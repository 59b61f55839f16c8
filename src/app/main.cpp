// kestrel: the desktop program.

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <exception>

#include "gui/platform/help.h"
#include "gui/platform/printing.h"
#include "gui/platform/qt_file_dialogs.h"
#include "gui/platform/qt_messages.h"
#include "gui/shell/main_window.h"
#include "gui/shell/program.h"

namespace {

/// Any exception that escapes an event handler ends here: the critical-error message, and the
/// program carries on.
class KestrelApplication : public QApplication {
 public:
  using QApplication::QApplication;
  kestrel::gui::Program* program = nullptr;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (...) {
      if (program) program->ShowCriticalError();
      return false;
    }
  }
};

bool HasDisplay() {
  const QString platform = QGuiApplication::platformName();
  return !platform.isEmpty();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    std::fprintf(stderr,
                 "kestrel: no display found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                 "Start it on a desktop, or without one under a virtual display:\n"
                 "  xvfb-run -a kestrel\n");
    return 2;
  }
  KestrelApplication app(argc, argv);
  if (!HasDisplay()) return 2;
  QApplication::setApplicationName(QStringLiteral("Kestrel"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kestrel"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kestrel.svg")));
  QGuiApplication::setDesktopFileName(QStringLiteral("kestrel"));

  kestrel::gui::QtMessages messages;
  kestrel::gui::QtFileDialogs files;
  kestrel::gui::ManualHelp help;
  kestrel::gui::QtPrintDialogs printing;
  kestrel::gui::Program program({messages, files, help, printing});
  app.program = &program;
  program.Form1->show();
  return app.exec();
}
