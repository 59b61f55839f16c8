#include "gui/platform/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QTextBrowser>
#include <QUrl>

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

void ManualHelp::OpenContents() {
  const QString path = ManualContentsPath();
  if (!browser_) {
    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("HelpWindow"));
    browser_->setWindowTitle(QStringLiteral("Kestrel Help"));
    browser_->setWindowIcon(QIcon(QStringLiteral(":/icons/kestrel.svg")));
    browser_->setOpenExternalLinks(true);
    browser_->resize(760, 600);
  }
  if (path.isEmpty()) {
    browser_->setHtml(QStringLiteral(
        "<h1>Kestrel Help</h1><p>The user manual was not found. It is installed with the "
        "program under <code>share/kestrel/manual</code>.</p>"));
  } else {
    browser_->setSource(QUrl::fromLocalFile(path));
  }
  browser_->show();
  browser_->raise();
  browser_->activateWindow();
}

}  // namespace kestrel::gui
