#include "gui/platform/help.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <algorithm>

#include "gui/platform/qt_messages.h"

namespace kestrel::gui {

QString ManualContentsPath() {
  const QString dir = QCoreApplication::applicationDirPath();
  const QStringList candidates = {
      dir + QStringLiteral("/../share/kestrel/manual/index.html"),
      dir + QStringLiteral("/manual/index.html"),
      QStringLiteral(KESTREL_SOURCE_MANUAL "/index.html"),
  };
  for (const QString& c : candidates)
    if (QFileInfo::exists(c)) return QDir::cleanPath(QFileInfo(c).absoluteFilePath());
  return {};
}

ManualHelp::~ManualHelp() {
  delete browser_;
}

QRect PlaceOnScreen(QSize size, const QRect& anchor, const QRect& available) {
  size = size.boundedTo(available.size());
  QRect r(QPoint(0, 0), size);
  r.moveCenter(anchor.center());
  r.moveLeft(std::clamp(r.left(), available.left(), available.right() + 1 - r.width()));
  r.moveTop(std::clamp(r.top(), available.top(), available.bottom() + 1 - r.height()));
  return r;
}

void ManualHelp::OpenContents() {
  const QString path = ManualContentsPath();
  // A modal window (the request came from it) blocks every window that is not its own.
  QWidget* modal = QApplication::activeModalWidget();
  if (!browser_) {
    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("HelpWindow"));
    browser_->setWindowTitle(QStringLiteral("Kestrel Help"));
    browser_->setWindowIcon(QIcon(QStringLiteral(":/icons/kestrel.svg")));
    browser_->setOpenExternalLinks(true);
  }
  if (path.isEmpty()) {
    browser_->setHtml(QStringLiteral(
        "<h1>Kestrel Help</h1><p>The user manual was not found. It is installed with the "
        "program under <code>share/kestrel/manual</code>.</p>"));
  } else {
    browser_->setSource(QUrl::fromLocalFile(path));
  }
  // Over a modal window the help window belongs to it: in front of it, and usable while it
  // waits. Otherwise it is a window of its own.
  QWidget* owner = modal && modal != browser_ ? modal->window() : nullptr;
  const bool shown = browser_->isVisible();
  if (browser_->parentWidget() != owner) {
    // A new owner hides the window; an open help window keeps its place.
    const QRect geometry = browser_->geometry();
    browser_->setParent(owner, Qt::Window);
    if (shown) browser_->setGeometry(geometry);
  }
  if (!shown) {
    // Frame and title bar of the window manager, which the geometry below does not count.
    constexpr int kFrame = 8, kTitle = 32;
    QWidget* near = owner ? owner : QApplication::activeWindow();
    QScreen* screen = near ? near->screen() : QGuiApplication::primaryScreen();
    const QRect available =
        screen ? screen->availableGeometry().adjusted(kFrame, kTitle, -kFrame, -kFrame)
               : QRect(0, 0, 760, 600);
    const QRect anchor = near ? near->frameGeometry() : available;
    browser_->setGeometry(PlaceOnScreen(QSize(760, 600), anchor, available));
  }
  browser_->show();
  browser_->raise();
  browser_->activateWindow();
}

}  // namespace kestrel::gui
