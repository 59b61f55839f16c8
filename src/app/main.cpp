// kestrel: the desktop program.

#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>

#include "gui/platform/help.h"
#include "gui/platform/printing.h"
#include "gui/platform/qt_file_dialogs.h"
#include "gui/platform/qt_messages.h"
#include "gui/platform/settings.h"
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
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
      std::fputs(qPrintable(kestrel::gui::CommandLineUsage()), stdout);
      return 0;
    }
  }
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
  kestrel::gui::SetUpApplication();
  const kestrel::gui::CommandLine commandLine =
      kestrel::gui::ParseCommandLine(QCoreApplication::arguments().mid(1));
  if (!commandLine.error.isEmpty()) {
    std::fprintf(stderr, "kestrel: %s\n%s", qPrintable(commandLine.error),
                 qPrintable(kestrel::gui::CommandLineUsage()));
    return 2;
  }

  // Kept between runs in ~/.config/Kestrel/Kestrel.conf.
  QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kestrel"),
                  QStringLiteral("Kestrel"));
  kestrel::gui::ProgramSettings settings(store);
  kestrel::gui::QtMessages messages;
  kestrel::gui::QtFileDialogs files(&settings);
  kestrel::gui::ManualHelp help;
  kestrel::gui::QtPrintDialogs printing;
  kestrel::gui::Program program({messages, files, help, printing, settings});
  app.program = &program;
  kestrel::gui::MainWindow* window = program.Form1;
  window->show();
  // The file is opened once the window is up, so its messages appear over it.
  if (!commandLine.file.isEmpty())
    QTimer::singleShot(0, window, [window, file = commandLine.file] {
      window->Guard([&] { window->OpenFileAtStart(file); });
    });
  return app.exec();
}
