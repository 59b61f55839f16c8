#include "gui/shell/program.h"

#include "gui/function/function_window.h"
#include "gui/gui_texts.h"
#include "gui/shell/about_box.h"
#include "gui/shell/main_window.h"
#include "gui/shell/progress_window.h"
#include "gui/structure/structure_dialog.h"

namespace kestrel::gui {

Program::Program(const Services& s)
    : services(s),
      session(s.messages, progress, &s.files),
      runModal([](QDialog& dialog) { return dialog.exec(); }) {
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
