#include "gui/platform/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

namespace kestrel::gui {

QString DisplayText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.remove(QLatin1Char('\r'));
  return s;
}

Answer QtMessages::Show(const std::string& text, const std::string& caption, Buttons buttons,
                        Icon icon) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromStdString(caption.empty() ? std::string(kAppTitle) : caption));
  box.setText(DisplayText(text));
  switch (icon) {
    case Icon::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case Icon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case Icon::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case Icon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case Icon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  switch (buttons) {
    case Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Yes);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::Ok;
  }
}

}  // namespace kestrel::gui
