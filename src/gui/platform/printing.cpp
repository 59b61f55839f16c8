#include "gui/platform/printing.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace kestrel::gui {

bool QtPrintDialogs::ChoosePrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setOptions(QAbstractPrintDialog::PrintToFile);
  return dialog.exec() == QDialog::Accepted;
}

bool QtPrintDialogs::Setup(QPrinter& printer, QWidget* parent) {
  if (!printer.isValid()) return false;
  QPageSetupDialog dialog(&printer, parent);
  dialog.exec();
  return true;
}

bool PdfFilePrinting::ChoosePrinter(QPrinter& printer, QWidget*) {
  ++choices;
  if (cancel) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path_);
  return true;
}

}  // namespace kestrel::gui
