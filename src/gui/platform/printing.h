#pragma once
// The printer seam: the print dialog that chooses a printer (or a PDF file) and the page setup
// dialog. Tests answer with a PDF file and no dialog.

#include <QString>

class QPrinter;
class QWidget;

namespace kestrel::gui {

class PrintPort {
 public:
  virtual ~PrintPort() = default;
  /// Shows the print dialog for printer; false when the user cancelled it.
  virtual bool ChoosePrinter(QPrinter& printer, QWidget* parent) = 0;
  /// Shows the page setup; false when it cannot be shown (no printer to set up).
  virtual bool Setup(QPrinter& printer, QWidget* parent) = 0;
};

/// Qt's print and page setup dialogs. Without any printer the print dialog still offers printing
/// to a PDF file.
class QtPrintDialogs : public PrintPort {
 public:
  bool ChoosePrinter(QPrinter& printer, QWidget* parent) override;
  bool Setup(QPrinter& printer, QWidget* parent) override;
};

/// Prints into a PDF file without asking; used by tests.
class PdfFilePrinting : public PrintPort {
 public:
  explicit PdfFilePrinting(QString path) : path_(std::move(path)) {}
  bool ChoosePrinter(QPrinter& printer, QWidget* parent) override;
  bool Setup(QPrinter&, QWidget*) override {
    ++setups;
    return setupAvailable;
  }
  int choices = 0;
  int setups = 0;
  bool cancel = false;
  bool setupAvailable = true;

 private:
  QString path_;
};

}  // namespace kestrel::gui
