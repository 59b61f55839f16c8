#include "gui/platform/settings.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QSettings>

#include "base/limits.h"

namespace kestrel::gui {

namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kState = QStringLiteral("window/state");
const QString kSmooth = QStringLiteral("view/smooth");
const QString kClearStyle = QStringLiteral("view/clearStyle");
const QString kRecent = QStringLiteral("files/recent");

QString FolderKey(const QString& kind) {
  return QStringLiteral("files/%1/folder").arg(kind);
}
QString NameKey(const QString& kind) {
  return QStringLiteral("files/%1/name").arg(kind);
}

}  // namespace

ProgramSettings::ProgramSettings(QSettings& store) : store_(store) {}

void ProgramSettings::SaveWindow(const QMainWindow& window) {
  store_.setValue(kGeometry, window.saveGeometry());
  store_.setValue(kState, window.saveState());
}

bool ProgramSettings::RestoreWindow(QMainWindow& window) const {
  const QByteArray geometry = store_.value(kGeometry).toByteArray();
  if (geometry.isEmpty() || !window.restoreGeometry(geometry)) return false;
  window.restoreState(store_.value(kState).toByteArray());
  return true;
}

bool ProgramSettings::SmoothDrawing() const {
  return store_.value(kSmooth, true).toBool();
}

void ProgramSettings::SetSmoothDrawing(bool on) {
  store_.setValue(kSmooth, on);
}

bool ProgramSettings::ClearStyle() const {
  return store_.value(kClearStyle, false).toBool();
}

void ProgramSettings::SetClearStyle(bool on) {
  store_.setValue(kClearStyle, on);
}

QByteArray ProgramSettings::WorkGeometry() const {
  return store_.value(QStringLiteral("work/geometry")).toByteArray();
}

void ProgramSettings::SetWorkGeometry(const QByteArray& geometry) {
  store_.setValue(QStringLiteral("work/geometry"), geometry);
}

int ProgramSettings::LivePlaySpeed() const {
  return store_.value(QStringLiteral("live/playSpeed"), -1).toInt();
}

void ProgramSettings::SetLivePlaySpeed(int index) {
  store_.setValue(QStringLiteral("live/playSpeed"), index);
}

QString ProgramSettings::LastFolder(const QString& kind) const {
  return store_.value(FolderKey(kind)).toString();
}

QString ProgramSettings::LastName(const QString& kind) const {
  return store_.value(NameKey(kind)).toString();
}

void ProgramSettings::RememberFile(const QString& kind, const QString& path) {
  const QFileInfo file(path);
  store_.setValue(FolderKey(kind), file.absolutePath());
  store_.setValue(NameKey(kind), file.fileName());
}

QStringList ProgramSettings::RecentFiles() const {
  QStringList out;
  for (const QString& path : store_.value(kRecent).toStringList()) {
    if (out.size() == kMaxRecentFiles) break;
    if (QFileInfo(path).isFile() && !out.contains(path)) out << path;
  }
  return out;
}

void ProgramSettings::AddRecentFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList list = store_.value(kRecent).toStringList();
  list.removeAll(absolute);
  list.prepend(absolute);
  // Missing files are dropped when the list is written, so they do not take places.
  QStringList kept;
  for (const QString& p : list)
    if (kept.size() < kMaxRecentFiles && QFileInfo(p).isFile()) kept << p;
  store_.setValue(kRecent, kept);
}

void ProgramSettings::ClearRecentFiles() {
  store_.remove(kRecent);
}

}  // namespace kestrel::gui
