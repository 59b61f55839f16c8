#include "gui/platform/qt_file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include "export/picture_export.h"
#include "gui/platform/settings.h"

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

QString FilterSuffix(const QString& nameFilter) {
  const int open = nameFilter.indexOf(QLatin1Char('('));
  const int close = nameFilter.indexOf(QLatin1Char(')'), open);
  if (open < 0 || close < 0) return {};
  const QString first = nameFilter.mid(open + 1, close - open - 1).split(QLatin1Char(' ')).first();
  if (!first.startsWith(QStringLiteral("*.")) || first.size() < 3) return {};
  return first.mid(2).toLower();
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
  // Start on the filter the request selects; a name typed without an extension then gets the
  // extension of the filter selected when the dialog is confirmed.
  const QStringList filters = dialog->nameFilters();
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
    dialog->selectNameFilter(filters[request.filterIndex - 1]);
  if (filters.size() > 1) {
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& f) {
      const QString suffix = FilterSuffix(f);
      if (!suffix.isEmpty()) dialog->setDefaultSuffix(suffix);
    });
    const QString suffix = FilterSuffix(dialog->selectedNameFilter());
    if (!suffix.isEmpty()) dialog->setDefaultSuffix(suffix);
  }
  if (!request.initialFolder.empty())
    dialog->setDirectory(QString::fromStdString(request.initialFolder));
  if (!request.initialName.empty()) dialog->selectFile(QString::fromStdString(request.initialName));
  dialog->setOption(QFileDialog::DontUseNativeDialog, false);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  return dialog;
}

std::optional<SaveChoice> RunDialog(const FileDialogRequest& request,
                                    QFileDialog::AcceptMode mode) {
  QFileDialog* dialog = MakeDialog(request, mode);
  std::optional<SaveChoice> result;
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
    const int index = static_cast<int>(dialog->nameFilters().indexOf(dialog->selectedNameFilter()));
    result = SaveChoice{dialog->selectedFiles().first().toStdString(),
                        index >= 0 ? index + 1 : request.filterIndex};
  }
  delete dialog;
  return result;
}

}  // namespace

std::optional<SaveChoice> QtFileDialogs::Run(const FileDialogRequest& request, bool save) {
  if (!settings_)
    return RunDialog(request, save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  const QString kind = QString::fromStdString(request.defaultExtension);
  FileDialogRequest remembered = request;
  if (remembered.initialFolder.empty() && remembered.initialName.empty()) {
    remembered.initialFolder = settings_->LastFolder(kind).toStdString();
    // Function and project names follow the program's own rules; an exported picture's name
    // is offered again.
    if (request.defaultExtension == text::kExportDefaultExtension)
      remembered.initialName = settings_->LastName(kind).toStdString();
  }
  std::optional<SaveChoice> choice =
      RunDialog(remembered, save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (choice) settings_->RememberFile(kind, QString::fromStdString(choice->path));
  return choice;
}

std::optional<std::string> QtFileDialogs::Open(const FileDialogRequest& request) {
  const std::optional<SaveChoice> choice = Run(request, false);
  if (!choice) return std::nullopt;
  return choice->path;
}

std::optional<std::string> QtFileDialogs::Save(const FileDialogRequest& request) {
  const std::optional<SaveChoice> choice = Run(request, true);
  if (!choice) return std::nullopt;
  return choice->path;
}

std::optional<SaveChoice> QtFileDialogs::SaveWithFilter(const FileDialogRequest& request) {
  return Run(request, true);
}

}  // namespace kestrel::gui
