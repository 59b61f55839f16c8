#pragma once
// The help seam: "Program Help" and F1 open the user manual at its contents.

#include <QString>

class QTextBrowser;

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

/// Shows the HTML manual in a help window of its own.
class ManualHelp : public HelpPort {
 public:
  ~ManualHelp() override;
  void OpenContents() override;
  /// The help window once it was opened (for tests and screenshots).
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};

/// Counts the requests; used by tests.
class CountingHelp : public HelpPort {
 public:
  int opened = 0;
  void OpenContents() override { ++opened; }
};

}  // namespace kestrel::gui
