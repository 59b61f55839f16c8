#pragma once
// The file-dialog seam: the function and project files are chosen through FileDialogs, so the
// desktop program shows the platform's open and save dialogs while tests and the CLI answer
// from a script.

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

/// What one showing of a file dialog asks for.
struct FileDialogRequest {
  std::string title;             ///< e.g. "Open function"
  std::string defaultExtension;  ///< without the dot: "kef" or "kep"
  std::string filter;            ///< "description|pattern", e.g. "Kestrel File (*.kef)|*.kef"
  std::string initialFolder;     ///< the folder the dialog opens in; empty: the platform's
  std::string initialName;       ///< the file name field when the dialog opens (no folder)
  /// The filter selected when the dialog opens, counted from 1 in the order of filter.
  int filterIndex = 1;
  /// Whether a save dialog itself asks before an existing file is replaced. The function and
  /// project saves ask on their own (with their own message), so their dialog must not.
  bool confirmOverwrite = true;
};

/// A save dialog's answer: the path and the filter selected when the user confirmed it.
struct SaveChoice {
  std::string path;
  int filterIndex = 1;  ///< counted from 1, as FileDialogRequest::filterIndex
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  /// The path of an existing file the user chose, or nothing when the dialog was cancelled.
  virtual std::optional<std::string> Open(const FileDialogRequest& request) = 0;
  /// The path the user chose to write, or nothing when the dialog was cancelled.
  virtual std::optional<std::string> Save(const FileDialogRequest& request) = 0;
  /// Save, also telling which filter was selected. A dialog without filters of its own reports
  /// the one the request selects.
  virtual std::optional<SaveChoice> SaveWithFilter(const FileDialogRequest& request) {
    std::optional<std::string> path = Save(request);
    if (!path) return std::nullopt;
    return SaveChoice{*path, request.filterIndex};
  }
};

/// A dialog the user always cancels; used where no dialog can be shown.
class NoFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> Open(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> Save(const FileDialogRequest&) override { return std::nullopt; }
};

/// Records every request and answers from a queue; an empty queue cancels.
class ScriptedFileDialogs : public FileDialogs {
 public:
  enum class Kind { Open, Save };
  struct Shown {
    Kind kind;
    FileDialogRequest request;
  };
  std::vector<Shown> shown;
  std::deque<std::optional<std::string>> answers;
  /// The filter the user selects in the next save dialogs; when empty, the request's own.
  std::deque<int> filterAnswers;

  std::optional<std::string> Open(const FileDialogRequest& request) override {
    return Answer(Kind::Open, request);
  }
  std::optional<std::string> Save(const FileDialogRequest& request) override {
    return Answer(Kind::Save, request);
  }
  std::optional<SaveChoice> SaveWithFilter(const FileDialogRequest& request) override {
    std::optional<std::string> path = Answer(Kind::Save, request);
    int filter = request.filterIndex;
    if (!filterAnswers.empty()) {
      filter = filterAnswers.front();
      filterAnswers.pop_front();
    }
    if (!path) return std::nullopt;
    return SaveChoice{*path, filter};
  }

 private:
  std::optional<std::string> Answer(Kind kind, const FileDialogRequest& request) {
    shown.push_back({kind, request});
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace kestrel
