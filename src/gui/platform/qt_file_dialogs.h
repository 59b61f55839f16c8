#pragma once
// The file-dialog seam over QFileDialog.

#include <QString>

#include "ui/file_dialogs.h"

namespace kestrel::gui {

/// "Kestrel File (*.kef)|*.kef|All (*.*)|*.*" as a Qt name filter list.
QString QtFilter(const std::string& filter);
/// The extension a Qt name filter stands for: its first pattern's, in lower case and without
/// the dot ("JPEG files (*.jpg)" gives "jpg"); empty when it names none.
QString FilterSuffix(const QString& nameFilter);

class ProgramSettings;

/// The dialogs start in the folder of the last file of their kind (the extension they default
/// to) when the program names none, and the picture export also offers the last name; the
/// chosen file is remembered in the settings.
class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(ProgramSettings* settings = nullptr) : settings_(settings) {}
  std::optional<std::string> Open(const FileDialogRequest& request) override;
  std::optional<std::string> Save(const FileDialogRequest& request) override;
  std::optional<SaveChoice> SaveWithFilter(const FileDialogRequest& request) override;

 private:
  std::optional<SaveChoice> Run(const FileDialogRequest& request, bool save);

  ProgramSettings* settings_;
};

}  // namespace kestrel::gui
