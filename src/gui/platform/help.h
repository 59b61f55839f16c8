#pragma once
// The help seam: "Program Help" and F1 open the user manual at its contents.

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTextBrowser>

namespace kestrel::gui {

class HelpPort {
 public:
  virtual ~HelpPort() = default;
  /// Opens the manual at its table of contents.
  virtual void OpenContents() = 0;
};

/// Where the manual's contents page is: installed beside the program
/// (<prefix>/share/kestrel/manual), next to the executable, or in the source tree.
/// Empty when none of them holds it.
QString ManualContentsPath();

/// Where a window of size fits best near anchor (a window's frame, or the screen): centred on
/// it and moved, then shrunk if need be, to lie wholly inside available.
QRect PlaceOnScreen(QSize size, const QRect& anchor, const QRect& available);

/// Shows the HTML manual in a help window of its own. Opened from a modal window (the function
/// definition window, the structure dialog, the About box), the help belongs to that window, so
/// it comes up in front of it and can be read, scrolled and clicked while the modal window
/// waits; it lies wholly on the screen of the window it was opened from.
class ManualHelp : public HelpPort {
 public:
  ~ManualHelp() override;
  void OpenContents() override;
  /// The help window once it was opened (for tests and screenshots).
  QTextBrowser* browser() const { return browser_.data(); }

 private:
  /// Owned by the window the help was last opened from, or by this when that is none; the
  /// pointer clears itself when the owner goes first.
  QPointer<QTextBrowser> browser_;
};

/// Counts the requests; used by tests.
class CountingHelp : public HelpPort {
 public:
  int opened = 0;
  void OpenContents() override { ++opened; }
};

}  // namespace kestrel::gui
