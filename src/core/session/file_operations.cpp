// The six file operations: saving and opening function files (kef) and project files (kep),
// with their dialogs, checks and messages, and the realization that follows a project read.

#include <cctype>
#include <filesystem>

#include "engine/realize.h"
#include "files/file_io.h"
#include "files/file_texts.h"
#include "files/sections.h"
#include "function/function_text.h"
#include "session/session.h"

namespace kestrel {

namespace ft = filetext;

namespace {

void ShowCorrupted(MessageSink& messages) {
  messages.Show(ft::kCorrupted, text::kCaptionError, Buttons::Ok, Icon::Error);
}

void ShowCannotOpen(MessageSink& messages) {
  messages.Show(ft::kCannotOpen, text::kCaptionWarningBang, Buttons::Ok, Icon::Warning);
}

/// Whether the first line of a file's contents (or of its first bytes) is the magic word.
bool StartsWithMagic(const std::string& bytes) {
  return LineBuffer::FromBytes(bytes.substr(0, 64)).Line(0) == ft::kMagic;
}

}  // namespace

void Session::SetFileCaption(const std::string& path) {
  caption = std::string(sessiontext::kCaptionHead) +
            std::filesystem::path(path).filename().string() + sessiontext::kCaptionTail;
}

FileDialogRequest Session::DialogRequest(FileKind kind, const char* title, const char* filter,
                                         DialogName name) const {
  const bool function = kind == FileKind::kFunction;
  FileDialogRequest request;
  request.title = title;
  request.defaultExtension = function ? ft::kFunctionExtension : ft::kProjectExtension;
  request.filter = filter;
  // These saves ask "already exists" themselves (ConfirmReplace); the dialog must not ask too.
  request.confirmOverwrite = false;
  const std::filesystem::path own = lastFile_[static_cast<int>(kind)];
  const std::filesystem::path other = lastFile_[function ? 1 : 0];
  if (!own.empty()) {
    request.initialFolder = own.parent_path().string();
    if (name != DialogName::kEmpty) request.initialName = own.filename().string();
  } else if (!other.empty()) {
    request.initialFolder = other.parent_path().string();
    if (name == DialogName::kSave)
      request.initialName = other.stem().string() + "." + request.defaultExtension;
  }
  return request;
}

std::optional<std::string> Session::ChooseSaveTarget(FileKind kind, const char* title,
                                                     const char* filter, DialogName name) {
  std::optional<std::string> chosen = fileDialogs_->Save(DialogRequest(kind, title, filter, name));
  if (!chosen) return std::nullopt;
  LastFile(kind) = *chosen;
  if (!CheckReadOnly(*chosen, messages) || !ConfirmReplace(*chosen, messages)) return std::nullopt;
  return chosen;
}

std::optional<LoadedFile> Session::LoadChosen(FileKind kind, const std::string& path) {
  // The current function is given up only once a file has been chosen: a cancelled dialog
  // leaves everything as it was.
  LastFile(kind) = path;
  ResetFunction(model);
  buffer_.Clear();
  SetCommandState(CommandState::kEmpty);
  LoadedFile file = LoadFile(path);
  if (file.status == LoadStatus::kCannotOpen) {
    ShowCannotOpen(messages);
    return std::nullopt;
  }
  return file;
}

void Session::FunctionReplaced() {
  choice.ClearUnfittingMdPair(CountVariables(model.functionText));
}

bool Session::WriteBuffer(const std::string& path, int& saveSucceeded) {
  if (WriteFileAtomically(path, buffer_.ToBytes())) return true;
  saveSucceeded = 0;
  messages.Show(ft::kSavingError, text::kCaptionWarningBang, Buttons::Ok, Icon::Warning);
  return false;
}

bool Session::SaveFunction() {
  if (project.functionHasFile == 0) return SaveFunctionAs();
  const std::string path = project.functionFilePath;
  if (!CheckReadOnly(path, messages)) return false;
  if (!WriteFunctionSection(buffer_, model, messages)) return false;
  if (!WriteBuffer(path, project.functionSaveSucceeded)) return false;
  statusText = ft::kFileSaved;
  timer1Enabled = true;
  project.functionSaveSucceeded = 1;
  model.functionModified = 0;
  return true;
}

bool Session::SaveFunctionAs() {
  const std::optional<std::string> chosen = ChooseSaveTarget(
      FileKind::kFunction, ft::kSaveFunctionTitle, ft::kSaveFunctionFilter, DialogName::kSave);
  if (!chosen) return false;
  const std::string& path = *chosen;
  if (!WriteFunctionSection(buffer_, model, messages)) return false;
  if (!WriteBuffer(path, project.functionSaveSucceeded)) return false;
  timer1Enabled = true;
  project.functionSaveSucceeded = 1;
  model.functionModified = 0;
  project.functionFilePath = path;
  project.functionDisplayName = path;
  SetFileCaption(path);
  project.functionHasFile = 1;
  statusText = ft::kFileSaved;
  return true;
}

bool Session::SaveProject() {
  if (project.projectHasFile == 0) return SaveProjectAs();
  const std::string path = project.projectFilePath;
  if (!CheckReadOnly(path, messages)) return false;
  if (!WriteFunctionSection(buffer_, model, messages)) return false;
  WriteDesignSection(buffer_, choice);
  if (!WriteBuffer(path, project.projectSaveSucceeded)) return false;
  statusText = ft::kFileSaved;
  timer1Enabled = true;
  project.projectSaveSucceeded = 1;
  project.projectModified = 0;
  return true;
}

bool Session::SaveProjectAs() {
  // "Save project as" starts with an empty name, in the folder of the last project.
  const std::optional<std::string> chosen = ChooseSaveTarget(
      FileKind::kProject, ft::kSaveProjectTitle, ft::kProjectFilter, DialogName::kEmpty);
  if (!chosen) return false;
  const std::string& path = *chosen;
  if (!WriteFunctionSection(buffer_, model, messages)) return false;
  WriteDesignSection(buffer_, choice);
  if (!WriteBuffer(path, project.projectSaveSucceeded)) return false;
  statusText = ft::kFileSaved;
  timer1Enabled = true;
  project.projectSaveSucceeded = 1;
  project.projectModified = 0;
  model.functionModified = 0;
  project.projectFilePath = path;
  project.projectDisplayName = path;
  SetFileCaption(path);
  project.projectHasFile = 1;
  return true;
}

bool Session::OpenFunction() {
  const std::optional<std::string> chosen = fileDialogs_->Open(DialogRequest(
      FileKind::kFunction, ft::kOpenFunctionTitle, ft::kOpenFunctionFilter, DialogName::kOpen));
  return chosen && OpenFunctionFile(*chosen);
}

bool Session::OpenFunctionFile(const std::string& path) {
  std::optional<LoadedFile> file = LoadChosen(FileKind::kFunction, path);
  if (!file) return false;
  if (file->status == LoadStatus::kTooLarge) {
    ShowCorrupted(messages);
    return false;
  }
  buffer_ = LineBuffer::FromBytes(std::move(file->bytes));
  if (buffer_.Line(0) != ft::kMagic) {
    ShowCorrupted(messages);
    return false;
  }
  const int r = ReadFunctionSection(buffer_, 1, model, *this);
  FunctionReplaced();
  if (r == kSectionCorrupt) {
    ShowCorrupted(messages);
    return false;
  }
  model.functionModified = 0;
  project.functionDisplayName = path;
  SetFileCaption(path);
  project.functionHasFile = 1;
  project.functionFilePath = path;
  if (r == kSectionInvalid) {
    ShowCorrupted(messages);
    return false;
  }
  return true;
}

Session::OpenProjectResult Session::OpenProject() {
  const std::optional<std::string> chosen = fileDialogs_->Open(DialogRequest(
      FileKind::kProject, ft::kOpenProjectTitle, ft::kProjectFilter, DialogName::kOpen));
  if (!chosen) return {};
  return OpenProjectFile(*chosen);
}

Session::OpenProjectResult Session::OpenProjectFile(const std::string& path) {
  OpenProjectResult result;
  std::optional<LoadedFile> file = LoadChosen(FileKind::kProject, path);
  if (!file) return result;
  if (file->status == LoadStatus::kTooLarge) {
    // Far too big for a project; its first line tells which of the two refusals fits.
    if (StartsWithMagic(file->bytes))
      ShowCorrupted(messages);
    else
      messages.Show(ft::kNotKestrelFile, text::kCaptionError, Buttons::Ok, Icon::Error);
    return result;
  }
  buffer_ = LineBuffer::FromBytes(std::move(file->bytes));
  if (buffer_.Line(0) != ft::kMagic) {
    messages.Show(ft::kNotKestrelFile, text::kCaptionError, Buttons::Ok, Icon::Error);
    return result;
  }
  const int i = ReadFunctionSection(buffer_, 1, model, *this);
  FunctionReplaced();
  if (i < 0) {
    ShowCorrupted(messages);
    return result;
  }
  const DesignRead design = ReadDesignSection(buffer_, i, choice);
  if (design == DesignRead::kCorrupt) {
    ShowCorrupted(messages);
    return result;
  }
  if (design == DesignRead::kNoDesign)
    messages.Show(ft::kNoProjectData, text::kCaptionWarning, Buttons::Ok, Icon::Warning);
  project.projectModified = 0;
  project.projectDisplayName = path;
  SetFileCaption(path);
  project.projectHasFile = 1;
  project.projectFilePath = path;
  if (design == DesignRead::kNoDesign) return result;
  result.read = true;
  result.realization = RealizeCurrent();
  return result;
}

void Session::OpenFileAtStart(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == std::string(".") + ft::kFunctionExtension)
    OpenFunctionFile(path);
  else
    OpenProjectFile(path);
}

}  // namespace kestrel
