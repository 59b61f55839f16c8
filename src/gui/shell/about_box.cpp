#include "gui/shell/about_box.h"

#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "gui/platform/qt_messages.h"
#include "gui/shell/window_util.h"

namespace kestrel::gui {

AboutBox::AboutBox(QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("Form6"));
  setWindowTitle(QStringLiteral("About Kestrel program"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);

  Bevel1 = MakeChild<QFrame>(this, "Bevel1");
  Bevel1->setFrameShape(QFrame::Box);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Image1 = MakeChild<QLabel>(this, "Image1");
  Image1->setGeometry(12, 25, 77, 105);
  Image1->setPixmap(QIcon(QStringLiteral(":/icons/kestrel.svg")).pixmap(QSize(77, 77)));
  Image1->setAlignment(Qt::AlignCenter);
  Label2 = MakeChild<QLabel>(this, "Label2", "Kestrel");
  QFont big = Label2->font();
  big.setPixelSize(16);
  big.setBold(true);
  Label2->setFont(big);
  Label2->move(104, 17);
  Label2->adjustSize();
  Label1 = MakeChild<QLabel>(this, "Label1", DisplayText(kAboutDescription));
  Label1->move(104, 40);
  Label1->adjustSize();
  Label3 = MakeChild<QLabel>(this, "Label3", kAboutCredit);
  Label3->setWordWrap(true);
  const int textW = std::max(161, Label1->width());
  Label3->setFixedWidth(textW);
  Label3->adjustSize();
  Label3->move(104, Label1->y() + Label1->height() + 10);

  // The design is 285 x 183 with the frame 265 x 137; a wider font grows both.
  const int frameW = std::max(265, 104 + textW + 8 - 8);
  const int frameH = std::max(137, Label3->y() + Label3->height() + 8 - 8);
  Bevel1->setGeometry(8, 8, frameW, frameH);
  OK = MakeChild<QPushButton>(this, "OK", "OK");
  const int okY = std::max(152, 8 + frameH + 7);
  const int clientW = frameW + 20;
  OK->setGeometry((clientW - 65) / 2, okY, 65, std::max(25, OK->sizeHint().height()));
  OK->setDefault(true);
  setFixedSize(clientW, std::max(183, okY + OK->height() + 6));
  connect(OK, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    if (onHelp) onHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kestrel::gui
