#pragma once
// A running program with scripted stand-ins for the message boxes, file dialogs, help and the
// print dialog, and a modal runner that plays a script on each dialog instead of blocking.

#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

#include "gui/platform/help.h"
#include "gui/platform/printing.h"
#include "gui/shell/main_window.h"
#include "gui/shell/program.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"

namespace kestrel::gui::testing {

struct Fixture {
  QTemporaryDir dir;
  RecordingMessages messages;
  ScriptedFileDialogs files;
  CountingHelp help;
  PdfFilePrinting printing{dir.filePath(QStringLiteral("printout.pdf"))};
  /// Settings in the scratch folder: each fixture starts as a first run.
  QSettings store{dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
  ProgramSettings settings{store};
  std::unique_ptr<Program> program;
  /// One script per modal showing, in order; a dialog still open after its script is
  /// cancelled (rejected).
  std::deque<std::function<void(QDialog&)>> scripts;
  int modalShows = 0;

  /// A test may give the program another help (the real help window, say).
  explicit Fixture(HelpPort* otherHelp = nullptr) {
    program = std::make_unique<Program>(
        Services{messages, files, otherHelp ? *otherHelp : help, printing, settings});
    program->runModal = [this](QDialog& dialog) {
      ++modalShows;
      dialog.setResult(QDialog::Rejected);
      dialog.show();
      if (!scripts.empty()) {
        auto script = scripts.front();
        scripts.pop_front();
        script(dialog);
      }
      if (dialog.isVisible()) dialog.reject();
      return dialog.result();
    };
    program->Form1->show();
  }

  MainWindow& main() { return *program->Form1; }
  Session& session() { return program->session; }
  std::string Path(const char* name) const {
    return dir.filePath(QString::fromLatin1(name)).toStdString();
  }
  const ShownMessage* LastMessage() const {
    return messages.shown.empty() ? nullptr : &messages.shown.back();
  }
};

}  // namespace kestrel::gui::testing
