#include "gui/platform/qt_file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace kestrel::gui {

QString QtFilter(const std::string& filter) {
  // The pieces alternate between a description and its patterns; Qt shows the description,
  // which already names the patterns, and needs them in brackets.
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns = patterns.simplified();
    const int bracket = description.indexOf(QLatin1Char('('));
    if (bracket >= 0) description = description.left(bracket).trimmed();
    out << QStringLiteral("%1 (%2)").arg(description, patterns);
  }
  if (out.isEmpty() && !filter.empty()) out << QString::fromStdString(filter);
  return out.join(QStringLiteral(";;"));
}

namespace {

QFileDialog* MakeDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
  auto* dialog =
      new QFileDialog(QApplication::activeWindow(), QString::fromStdString(request.title));
  dialog->setAcceptMode(mode);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                      : QFileDialog::AnyFile);
  const QString filter = QtFilter(request.filter);
  if (!filter.isEmpty()) dialog->setNameFilters(filter.split(QStringLiteral(";;")));
  dialog->setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  // Pick the filter that names the default extension, as the export dialog starts on WMF.
  if (!request.defaultExtension.empty()) {
    const QString ext = QString::fromStdString(request.defaultExtension).toLower();
    for (const QString& f : dialog->nameFilters())
      if (f.toLower().contains(QStringLiteral("*.") + ext)) {
        dialog->selectNameFilter(f);
        break;
      }
  }
  if (!request.initialName.empty()) dialog->selectFile(QString::fromStdString(request.initialName));
  dialog->setOption(QFileDialog::DontUseNativeDialog, false);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  return dialog;
}

std::optional<std::string> Run(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
  QFileDialog* dialog = MakeDialog(request, mode);
  std::optional<std::string> result;
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
    result = dialog->selectedFiles().first().toStdString();
  delete dialog;
  return result;
}

}  // namespace

std::optional<std::string> QtFileDialogs::Open(const FileDialogRequest& request) {
  return Run(request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtFileDialogs::Save(const FileDialogRequest& request) {
  return Run(request, QFileDialog::AcceptSave);
}

}  // namespace kestrel::gui
