#pragma once
// Form6, "About Kestrel program": names the program and describes its purpose.

#include <QDialog>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace kestrel::gui {

/// The description, four lines ending in a blank and a line break each.
inline constexpr const char* kAboutDescription =
    "Interactive educational program \n\r"
    "for computer assisted design \n\r"
    "of switching circuits with \n\r"
    "Multiplexers and Demultiplexers";
inline constexpr const char* kAboutCredit = "Version 0.1 - free software for students";

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit AboutBox(QWidget* mainWindow);

  QFrame* Bevel1;
  QLabel* Image1;
  QLabel* Label2;
  QLabel* Label1;
  QLabel* Label3;
  QPushButton* OK;
  std::function<void()> onHelp;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kestrel::gui
