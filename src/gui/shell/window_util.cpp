#include "gui/shell/window_util.h"

#include <QGuiApplication>
#include <QScreen>

namespace kestrel::gui {

void CentreOn(QWidget* window, QWidget* owner) {
  QRect area;
  if (owner && owner->isVisible()) {
    area = owner->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  } else {
    return;
  }
  const QSize size = window->frameGeometry().size();
  window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

}  // namespace kestrel::gui
