#pragma once
// The project record: the file paths, display names and flags that carry the lifecycle of the
// current project. The function's modified flag lives with the function (FunctionModel::
// functionModified); everything else is here.

#include <string>

namespace kestrel {

struct ProjectRecord {
  /// The file last read or written; the target of "Save function" / "Save project" while the
  /// matching has-file flag is 1. Kept for the whole run once set.
  std::string functionFilePath, projectFilePath;
  /// The names in the save prompts: the full path after a read or write, "" after the reset,
  /// "Untitled" once a prompt was shown for an empty name.
  std::string functionDisplayName, projectDisplayName;
  /// 1 once the design structure dialog was confirmed with OK; 0 after a project save or read.
  int projectModified = 0;
  /// Outcome of the last function or project save: 1 written, 0 the write failed.
  int functionSaveSucceeded = 0, projectSaveSucceeded = 0;
  /// 1 once read from or written to a file: the plain save then writes without asking.
  int functionHasFile = 0, projectHasFile = 0;
};

}  // namespace kestrel
