#pragma once
// kestrel-cli open and save: function files (.kef) and project files (.kep), read and written
// exactly as the program's Open function / Open project and Save function as / Save project as.

#include <string>

#include "cli/common.h"
#include "cli/realize_command.h"

namespace kestrel::cli {

/// Whether a path names a project file (extension .kep, in any case); all else is a function.
bool IsProjectPath(const std::string& path);

/// Opens a function file as Open function does and prints what minimize prints, or a project
/// file as Open project does (realizing it at once) and prints what realize prints. Exit 1 when
/// the file was refused or, for a project, nothing was realized.
int RunOpen(const std::string& path, bool json, bool listCheck = false);

/// Defines the function (and for a project the structure) from the inputs and writes the file
/// as Save function as / Save project as would, replacing an existing file. Exit 1 with the
/// message when the inputs were refused or the file could not be written.
int RunSave(const std::string& path, const RealizeInputs& inputs, bool json);

/// The two subcommands with their options; main registers them and runs the one parsed.
struct FileCommands {
  CLI::App* open = nullptr;
  CLI::App* save = nullptr;
  std::string openPath, savePath;
  bool openJson = false, saveJson = false, openListCheck = false;
  RealizeInputs saveInputs;

  void Register(CLI::App& app);
  bool Parsed() const { return (open && open->parsed()) || (save && save->parsed()); }
  /// Runs the parsed subcommand; usage errors go to standard error with exit 2.
  int Run() const;
};

}  // namespace kestrel::cli
