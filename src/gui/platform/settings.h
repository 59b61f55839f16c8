#pragma once
// What the desktop program keeps between runs (QSettings): the main window's geometry and tool
// bar state, the view settings (smooth drawing, the Work window's place, the live circuit's
// play speed), the last folder of each kind of file and the
// last name of the exported pictures, and the recently used functions and projects.

#include <QByteArray>
#include <QString>
#include <QStringList>

class QMainWindow;
class QSettings;

namespace kestrel::gui {

/// The kinds of file whose folder is remembered, by the extension their dialogs default to:
/// "kef" (functions), "kep" (projects), "wmf" (exported pictures and netlists).
class ProgramSettings {
 public:
  /// Reads and writes store, which outlives this object.
  explicit ProgramSettings(QSettings& store);

  void SaveWindow(const QMainWindow& window);
  /// Puts the window where it was left; false when nothing was saved (the window keeps its
  /// first placement).
  bool RestoreWindow(QMainWindow& window) const;

  /// Smooth (antialiased) drawing of the diagram on screen; on unless it was switched off.
  bool SmoothDrawing() const;
  void SetSmoothDrawing(bool on);
  /// The diagram's clear layout style (on screen, printed, copied and exported); off unless it
  /// was switched on.
  bool ClearStyle() const;
  void SetClearStyle(bool on);

  /// The Work window's place and size (QWidget::saveGeometry); empty when never kept.
  QByteArray WorkGeometry() const;
  void SetWorkGeometry(const QByteArray& geometry);
  /// The live circuit's time per combination while playing, as the index of its list; -1 when
  /// never chosen.
  int LivePlaySpeed() const;
  void SetLivePlaySpeed(int index);

  /// The folder of the last file of that kind chosen in a dialog; empty when none.
  QString LastFolder(const QString& kind) const;
  /// The name (without its folder) of that last file; empty when none.
  QString LastName(const QString& kind) const;
  void RememberFile(const QString& kind, const QString& path);

  /// The recently opened or saved functions and projects, newest first, at most
  /// kMaxRecentFiles; files that no longer exist are left out.
  QStringList RecentFiles() const;
  /// Puts path first in the list (absolute, once).
  void AddRecentFile(const QString& path);
  void ClearRecentFiles();

 private:
  QSettings& store_;
};

}  // namespace kestrel::gui
