// The desktop program with its largest diagram: a project file opened at start, as
// `kestrel FILE.kep` opens it, then every zoom step up to 30 and down to 10, scrolling through
// the diagram, the live circuit's switch flips at zoom 17 and 30, and New project. Prints the
// resident memory (now and its peak) after each step and the time each step took, painting
// included. The windows are the program's own; the message boxes and file dialogs are stand-ins
// that answer at once.
//
//   kestrel_large_circuit FILE.kep     (under a display, or with QT_QPA_PLATFORM=offscreen)

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

#include "gui/platform/help.h"
#include "gui/platform/printing.h"
#include "gui/platform/settings.h"
#include "gui/shell/diagram_view.h"
#include "gui/shell/live_circuit_bar.h"
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
  // Settings in a scratch file: a measurement leaves the user's own untouched.
  QTemporaryDir scratch;
  QSettings store(scratch.filePath(QStringLiteral("kestrel.ini")), QSettings::IniFormat);
  kestrel::gui::ProgramSettings settings(store);
  kestrel::gui::Program program({messages, files, help, printing, settings});
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
  // The live circuit: each switch flipped in turn, the visible part of the diagram painted again.
  // Wall time depends on what else the machine runs; the thread's processor time shows what a
  // flip costs the program itself.
  auto cpuMs = [] {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  };
  auto flips = [&](const char* name) {
    double total = 0, worst = 0, cpuTotal = 0, cpuWorst = 0;
    const int count = 40;
    for (int i = 0; i < count; ++i) {
      QToolButton* toggle = w.LiveBar->Switch(i % 10);
      if (!toggle) return;
      const double cpuStart = cpuMs();
      timer.restart();
      toggle->click();
      Settle(w);
      const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
      const double cpu = cpuMs() - cpuStart;
      total += ms;
      worst = std::max(worst, ms);
      cpuTotal += cpu;
      cpuWorst = std::max(cpuWorst, cpu);
    }
    std::printf(
        "%s: %d switch flips, %.2f ms on average, %.2f ms at most (processor time "
        "%.2f ms on average, %.2f ms at most)\n",
        name, count, total / count, worst, cpuTotal / count, cpuWorst);
    Report(name, total / count, w);
  };
  w.LiveCircuit1->trigger();
  Settle(w);
  flips("live circuit, zoom 17");
  step(w.ButtonZoomIn, "zoom in");
  flips("live circuit, zoom 30");
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
