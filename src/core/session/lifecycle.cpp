// The project lifecycle of the main window: reset, new project and new function, opening the
// function definition window, the open and save commands with their save prompts, and close.

#include <cctype>
#include <filesystem>

#include "files/file_texts.h"
#include "session/session.h"

namespace kestrel {

namespace ft = filetext;
namespace st = sessiontext;

Answer Session::AskToSave(const char* head, std::string& displayName, const char* tail,
                          const char* caption) {
  if (displayName.empty()) displayName = st::kUntitled;
  return messages.Show(std::string(head) + "\"" + displayName + "\"" + tail, caption,
                       Buttons::YesNoCancel, Icon::Question);
}

void Session::ResetForm1() {
  SetCommandState(CommandState::kEmpty);
  for (auto& list : model.lists) list.clear();
  model.onesMasks.clear();
  model.dontCareMasks.clear();
  model.functionText.clear();
  model.minimumCover.reset();
  address = {};
  caption = st::kUntitledCaption;
  project.projectDisplayName.clear();
  project.functionDisplayName.clear();
  project.projectHasFile = 0;
  project.functionHasFile = 0;
  project.projectModified = 0;
  model.functionModified = 0;
}

void Session::MainWindowShown() {
  if (mainWindowShown_) return;
  mainWindowShown_ = true;
  project.functionFilePath.clear();
  project.projectFilePath.clear();
  project.functionDisplayName.clear();
  project.projectDisplayName.clear();
}

bool Session::MayGiveUpProject(Answer answer, bool (Session::*save)()) {
  if (answer == Answer::No) return true;
  if (answer != Answer::Yes) return false;
  (this->*save)();
  return project.projectSaveSucceeded == 1 && project.projectModified == 0;
}

bool Session::MayGiveUpFunction(Answer answer, bool (Session::*save)()) {
  if (answer == Answer::No) return true;
  if (answer != Answer::Yes) return false;
  (this->*save)();
  return project.functionSaveSucceeded == 1 && model.functionModified == 0;
}

void Session::NewProjectClick() {
  if (project.projectModified == 1) {
    if (MayGiveUpProject(AskToSave(st::kSaveChangesTo, project.projectDisplayName,
                                   st::kBeforeClosingPadded, text::kCaptionSave),
                         &Session::SaveProjectAs))
      ResetForm1();
    return;
  }
  if (model.functionModified != 1 ||
      MayGiveUpFunction(AskToSave(st::kSaveChangesToFunction, project.functionDisplayName,
                                  st::kBeforeClosing, text::kCaptionClose),
                        &Session::SaveFunctionAs))
    ResetForm1();
}

bool Session::NewCanonicalRepresentationClick() {
  NewProjectClick();
  if (model.functionModified != 0) return false;
  DecimalRepClick();
  return true;
}

bool Session::NewLiteralRepresentationClick() {
  NewProjectClick();
  if (model.functionModified != 0) return false;
  LiteralRepClick();
  return true;
}

void Session::DecimalRepClick() {
  definition.OpenCanonical();
}

void Session::LiteralRepClick() {
  definition.OpenLiteral();
}

void Session::ChangeFunctionClick() {
  if (model.representationFlag == 1) DecimalRepClick();
  if (model.representationFlag == 2) LiteralRepClick();
}

void Session::OpenFunctionClick() {
  if (model.functionModified != 1) {
    OpenFunction();
    return;
  }
  if (MayGiveUpFunction(AskToSave(st::kSaveChangesTo, project.functionDisplayName,
                                  st::kBeforeClosing, text::kCaptionSave),
                        &Session::SaveFunction))
    OpenFunction();
}

void Session::OpenProjectClick() {
  project.projectHasFile = 0;
  if (project.projectModified != 1) {
    OpenProject();
    return;
  }
  const Answer answer = AskToSave(st::kSaveChangesToProject, project.projectDisplayName,
                                  st::kBeforeClosing, text::kCaptionSaveProject);
  if (answer == Answer::No) project.projectModified = 0;
  if (MayGiveUpProject(answer, &Session::SaveProject)) OpenProject();
}

void Session::OpenRecentFile(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == std::string(".") + ft::kFunctionExtension) {
    if (model.functionModified == 1 &&
        !MayGiveUpFunction(AskToSave(st::kSaveChangesTo, project.functionDisplayName,
                                     st::kBeforeClosing, text::kCaptionSave),
                           &Session::SaveFunction))
      return;
    OpenFunctionFile(path);
    return;
  }
  project.projectHasFile = 0;
  if (project.projectModified == 1) {
    const Answer answer = AskToSave(st::kSaveChangesToProject, project.projectDisplayName,
                                    st::kBeforeClosing, text::kCaptionSaveProject);
    if (answer == Answer::No) project.projectModified = 0;
    if (!MayGiveUpProject(answer, &Session::SaveProject)) return;
  }
  OpenProjectFile(path);
}

void Session::SaveProjectClick() {
  messages.Show(st::kSaveProjectNotice, text::kCaptionInformation, Buttons::Ok, Icon::None);
  SaveProject();
}

void Session::SaveProjectAsClick() {
  messages.Show(st::kSaveProjectNotice, text::kCaptionInformation, Buttons::Ok, Icon::None);
  SaveProjectAs();
}

void Session::ButtonSaveClick() {
  SaveProjectAs();
}

void Session::SaveFunctionClick() {
  SaveFunction();
}

void Session::SaveFunctionAsClick() {
  SaveFunctionAs();
}

bool Session::CloseQuery() {
  if (project.projectModified == 1)
    return MayGiveUpProject(AskToSave(st::kSaveChangesToProject, project.projectDisplayName,
                                      st::kBeforeClosing, text::kCaptionClose),
                            &Session::SaveProjectAs);
  if (model.functionModified != 1) return true;
  return MayGiveUpFunction(AskToSave(st::kSaveChangesToFunction, project.functionDisplayName,
                                     st::kBeforeClosing, text::kCaptionClose),
                           &Session::SaveFunctionAs);
}

void Session::Timer1Timer() {
  statusText.clear();
  timer1Enabled = false;
}

}  // namespace kestrel
