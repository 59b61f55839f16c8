#pragma once
// What the windows of the Tools menu share: F1 opens the program's help over them, as in every
// other window of the program.

#include <QDialog>
#include <QKeyEvent>
#include <functional>

namespace kestrel::gui {

class ToolDialog : public QDialog {
 public:
  using QDialog::QDialog;
  std::function<void()> onHelp;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_F1 && onHelp) {
      onHelp();
      return;
    }
    QDialog::keyPressEvent(event);
  }
};

}  // namespace kestrel::gui
