// The desktop program with its largest diagram: a project file opened at start, as
// `kestrel FILE.kep` opens it, then every zoom step up to 30 and down to 10, scrolling through
// the diagram, and New project. Prints the resident memory (now and its peak) after each step and
// the time each step took, painting included. The windows are the program's own; the message
// boxes and file dialogs are stand-ins that answer at once.
//
//   kestrel_large_circuit FILE.kep     (under a display, or with QT_QPA_PLATFORM=offscreen)

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "gui/platform/help.h"
#include "gui/platform/printing.h"
#include "gui/shell/diagram_view.h"
#include "gui/shell/main_window.h"
#include "gui/shell/program.h"
#include "process_status.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"

namespace {

using kestrel::bench::StatusKb;

/// Lets the window system catch up and the exposed part of the window be painted.
void Settle(kestrel::gui::MainWindow& w) {
  QApplication::processEvents();
  w.ScrollBox1->viewport()->repaint();
  QApplication::processEvents();
}

void Report(const char* step, double ms, const kestrel::gui::MainWindow& w) {
  const kestrel::gui::DiagramView& view = *w.Image1;
  std::printf("%-22s %8.1f ms   RSS %6ld MB   peak %6ld MB   picture %6d x %6d\n", step, ms,
              StatusKb("VmRSS:") / 1024, StatusKb("VmHWM:") / 1024, view.width(), view.height());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: kestrel_large_circuit FILE.kep\n");
    return 2;
  }
  kestrel::gui::SetUpApplication();
  kestrel::RecordingMessages messages;
  kestrel::ScriptedFileDialogs files;
  kestrel::gui::CountingHelp help;
  kestrel::gui::PdfFilePrinting printing(QStringLiteral("/dev/null"));
  kestrel::gui::Program program({messages, files, help, printing});
  kestrel::gui::MainWindow& w = *program.Form1;
  w.resize(1024, 768);
  w.show();
  Settle(w);
  std::printf("platform %s, window %d x %d\n", qPrintable(QGuiApplication::platformName()),
              w.width(), w.height());
  Report("start", 0, w);

  QElapsedTimer timer;
  timer.start();
  w.OpenFileAtStart(QString::fromLocal8Bit(argv[1]));
  Settle(w);
  Report("open project (zoom 17)", static_cast<double>(timer.nsecsElapsed()) / 1e6, w);
  for (const auto& m : messages.shown) std::printf("  message: %s\n", m.text.c_str());

  auto step = [&](QToolButton* button, const char* name) {
    while (button->isEnabled()) {
      timer.restart();
      button->click();
      Settle(w);
      const std::string label =
          std::string(name) + " to " + std::to_string(w.Image1->diagram().zoom);
      Report(label.c_str(), static_cast<double>(timer.nsecsElapsed()) / 1e6, w);
    }
  };
  step(w.ButtonZoomIn, "zoom in");
  // Scrolling at zoom 30: a page at a time down through the whole diagram.
  QScrollBar* bar = w.ScrollBox1->verticalScrollBar();
  int pages = 0;
  timer.restart();
  while (bar->value() < bar->maximum()) {
    bar->setValue(bar->value() + bar->pageStep());
    Settle(w);
    ++pages;
  }
  const double perPage = static_cast<double>(timer.nsecsElapsed()) / 1e6 / std::max(1, pages);
  std::printf("scrolled %d pages, %.1f ms a page\n", pages, perPage);
  Report("after scrolling", perPage, w);
  bar->setValue(0);
  step(w.ButtonZoomOut, "zoom out");

  messages.answers.push_back(kestrel::Answer::No);  // the project is not saved
  timer.restart();
  w.NewProjectClick();
  Settle(w);
  Report("new project", static_cast<double>(timer.nsecsElapsed()) / 1e6, w);
  return 0;
}
