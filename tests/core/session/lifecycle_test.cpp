// The project lifecycle without a window: reset, new project, new function, open and save with
// every answer to the save prompts, the notice before a project save, and close.

#include <gtest/gtest.h>

#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

const char* kProjectPromptNew = "Save changes to \"Untitled\" before closing?   ";
const char* kFunctionPromptClose =
    "Save changes to the function definition \"Untitled\" before closing?";

/// A defined function whose structure dialog was confirmed: both flags are 1.
void BothModified(SessionFixture& b) {
  b.Canonical({1, 3});
  b.ConfirmStructure();
  ASSERT_EQ(b.model.functionModified, 1);
  ASSERT_EQ(b.project.projectModified, 1);
}

void ExpectPrompt(const ShownMessage& m, const std::string& text, const std::string& caption) {
  EXPECT_EQ(m.text, text);
  EXPECT_EQ(m.caption, caption);
  EXPECT_EQ(m.buttons, Buttons::YesNoCancel);
  EXPECT_EQ(m.icon, Icon::Question);
}

bool WasReset(SessionFixture& b) {
  return b.session.commandState == CommandState::kEmpty && b.model.ones().empty() &&
         b.model.functionText.empty() && b.model.functionModified == 0 &&
         b.project.projectModified == 0;
}

TEST(Lifecycle, StartsUntitledAndEmpty) {
  SessionFixture b;
  EXPECT_EQ(b.session.caption, "Kestrel (Untitled)");
  EXPECT_EQ(b.session.commandState, CommandState::kEmpty);
  EXPECT_EQ(b.project.functionFilePath, "");
  EXPECT_EQ(b.project.projectHasFile, 0);
  EXPECT_EQ(b.model.functionModified, 0);
  EXPECT_TRUE(b.session.timer1Enabled);
  EXPECT_EQ(b.session.statusText, "");
}

TEST(Lifecycle, ResetEmptiesTheProjectButKeepsPathsAndRepresentation) {
  SessionFixture b;
  b.Canonical({1, 3});
  b.Answer(b.dir.File("f.kef"));
  ASSERT_TRUE(b.session.SaveFunctionAs());
  ASSERT_FALSE(b.model.onesMasks.empty());
  b.session.ResetForm1();
  EXPECT_EQ(b.session.commandState, CommandState::kEmpty);
  EXPECT_TRUE(b.model.ones().empty() && b.model.zeros().empty() && b.model.dontCares().empty());
  EXPECT_TRUE(b.model.onesMasks.empty() && b.model.dontCareMasks.empty());
  EXPECT_EQ(b.model.functionText, "");
  EXPECT_EQ(b.session.caption, "Kestrel (Untitled)");
  EXPECT_EQ(b.project.functionDisplayName, "");
  EXPECT_EQ(b.project.functionHasFile, 0);
  EXPECT_EQ(b.project.functionFilePath, b.dir.File("f.kef"));
  EXPECT_EQ(b.model.representationFlag, 1);
}

TEST(Lifecycle, NewProjectWithNothingModifiedResetsWithoutAQuestion) {
  SessionFixture b;
  b.Canonical({1, 3});
  b.model.functionModified = 0;
  b.session.NewProjectClick();
  EXPECT_TRUE(b.messages.shown.empty());
  EXPECT_TRUE(WasReset(b));
}

TEST(Lifecycle, NewProjectWithAModifiedProject) {
  {  // Yes: the project is saved under a new name, then reset.
    SessionFixture b;
    BothModified(b);
    b.Answer(b.dir.File("p.kep"));
    b.session.NewProjectClick();
    ASSERT_EQ(b.messages.shown.size(), 1u);  // only the project is asked about
    ExpectPrompt(b.messages.shown[0], kProjectPromptNew, "Save");
    ASSERT_EQ(b.dialogs.shown.size(), 1u);
    EXPECT_EQ(b.dialogs.shown[0].request.title, "Save Project As");
    EXPECT_TRUE(PathExists(b.dir.File("p.kep")));
    EXPECT_TRUE(WasReset(b));
    EXPECT_EQ(b.project.projectDisplayName, "");
  }
  {  // Yes, but the dialog is cancelled: nothing happens.
    SessionFixture b;
    BothModified(b);
    b.CancelDialog();
    b.session.NewProjectClick();
    EXPECT_EQ(b.model.ones(), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(b.project.projectModified, 1);
    EXPECT_EQ(b.project.projectDisplayName, "Untitled");  // the replacement stays
  }
  {  // Yes, but the file cannot be written: nothing happens.
    SessionFixture b;
    BothModified(b);
    b.Answer(b.dir.File("missing/p.kep"));
    b.session.NewProjectClick();
    EXPECT_EQ(b.messages.shown.back().text, "File saving error! \n\rThe file cannot been saved!  ");
    EXPECT_EQ(b.project.projectSaveSucceeded, 0);
    EXPECT_EQ(b.model.ones(), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  }
  {  // No: reset without saving.
    SessionFixture b;
    BothModified(b);
    b.messages.answers = {Answer::No};
    b.session.NewProjectClick();
    EXPECT_TRUE(b.dialogs.shown.empty());
    EXPECT_TRUE(WasReset(b));
  }
  {  // Cancel: nothing.
    SessionFixture b;
    BothModified(b);
    b.messages.answers = {Answer::Cancel};
    b.session.NewProjectClick();
    EXPECT_TRUE(b.dialogs.shown.empty());
    EXPECT_EQ(b.model.ones(), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(b.project.projectModified, 1);
    EXPECT_EQ(b.model.functionModified, 1);
  }
}

TEST(Lifecycle, NewProjectWithAModifiedFunction) {
  {
    SessionFixture b;
    b.Canonical({1, 3});
    b.Answer(b.dir.File("f.kef"));
    b.session.NewProjectClick();
    ASSERT_EQ(b.messages.shown.size(), 1u);
    ExpectPrompt(b.messages.shown[0], kFunctionPromptClose, "Close");
    ASSERT_EQ(b.dialogs.shown.size(), 1u);
    EXPECT_EQ(b.dialogs.shown[0].request.title, "Save Function As");
    EXPECT_TRUE(PathExists(b.dir.File("f.kef")));
    EXPECT_TRUE(WasReset(b));
  }
  {
    SessionFixture b;
    b.Canonical({1, 3});
    b.CancelDialog();
    b.session.NewProjectClick();
    EXPECT_EQ(b.model.functionModified, 1);
    EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
    EXPECT_EQ(b.project.functionDisplayName, "Untitled");
  }
  {
    SessionFixture b;
    b.Canonical({1, 3});
    b.messages.answers = {Answer::No};
    b.session.NewProjectClick();
    EXPECT_TRUE(WasReset(b));
  }
  {
    SessionFixture b;
    b.Canonical({1, 3});
    b.messages.answers = {Answer::Cancel};
    b.session.NewProjectClick();
    EXPECT_EQ(b.model.functionModified, 1);
    EXPECT_EQ(b.model.functionText, "x0");
  }
}

TEST(Lifecycle, NewFunctionOpensTheEntryUnlessTheFunctionIsStillUnsaved) {
  {  // A modified project, an unmodified function, Cancel: the entry still opens.
    SessionFixture b;
    b.Canonical({1, 3});
    b.model.functionModified = 0;
    b.project.projectModified = 1;
    b.messages.answers = {Answer::Cancel};
    EXPECT_TRUE(b.session.NewCanonicalRepresentationClick());
    EXPECT_TRUE(b.session.definition.open);
    EXPECT_EQ(b.model.backupList(ListKind::kOnes), (std::vector<std::string>{"1", "3"}));
  }
  {  // A modified function and Cancel: no entry.
    SessionFixture b;
    b.Canonical({1, 3});
    b.messages.answers = {Answer::Cancel};
    EXPECT_FALSE(b.session.NewLiteralRepresentationClick());
    EXPECT_FALSE(b.session.definition.open);
  }
  {  // Nothing modified: reset, then the literal entry on the empty function.
    SessionFixture b;
    EXPECT_TRUE(b.session.NewLiteralRepresentationClick());
    EXPECT_TRUE(b.session.definition.open);
    EXPECT_TRUE(b.session.definition.minimizeChecked);
    EXPECT_EQ(b.model.backupText, "");
  }
}

TEST(Lifecycle, ChangeFunctionOpensTheCurrentRepresentation) {
  SessionFixture b;
  b.session.ChangeFunctionClick();
  EXPECT_FALSE(b.session.definition.open);
  b.Literal("x1x0");
  b.session.ChangeFunctionClick();
  EXPECT_TRUE(b.session.definition.open);
  EXPECT_EQ(b.model.backupText, "x1x0");
  b.session.definition.LiteralCancel();
  b.Canonical({1});
  b.session.ChangeFunctionClick();
  EXPECT_TRUE(b.session.definition.open);
  EXPECT_EQ(b.model.backupList(ListKind::kOnes), (std::vector<std::string>{"1"}));
}

TEST(Lifecycle, BothModifiedAsksOnlyAboutTheProject) {
  SessionFixture b;
  BothModified(b);
  b.messages.answers = {Answer::Cancel};
  EXPECT_FALSE(b.session.CloseQuery());
  ASSERT_EQ(b.messages.shown.size(), 1u);
  ExpectPrompt(b.messages.shown[0], "Save changes to the project \"Untitled\" before closing?",
               "Close");
}

TEST(Lifecycle, CloseWithAModifiedProject) {
  {
    SessionFixture b;
    BothModified(b);
    b.Answer(b.dir.File("p.kep"));
    EXPECT_TRUE(b.session.CloseQuery());
    EXPECT_EQ(b.model.functionModified, 0);
  }
  {
    SessionFixture b;
    BothModified(b);
    b.CancelDialog();
    EXPECT_FALSE(b.session.CloseQuery());
  }
  {
    SessionFixture b;
    BothModified(b);
    b.Answer(b.dir.File("missing/p.kep"));
    EXPECT_FALSE(b.session.CloseQuery());
  }
  {
    SessionFixture b;
    BothModified(b);
    b.messages.answers = {Answer::No};
    EXPECT_TRUE(b.session.CloseQuery());
    EXPECT_TRUE(b.dialogs.shown.empty());
  }
}

TEST(Lifecycle, CloseWithAModifiedFunction) {
  {
    SessionFixture b;
    b.Canonical({1, 3});
    b.Answer(b.dir.File("f.kef"));
    EXPECT_TRUE(b.session.CloseQuery());
    ExpectPrompt(b.messages.shown[0], kFunctionPromptClose, "Close");
  }
  {
    SessionFixture b;
    b.Canonical({1, 3});
    b.CancelDialog();
    EXPECT_FALSE(b.session.CloseQuery());
  }
  {
    SessionFixture b;
    b.Canonical({1, 3});
    b.messages.answers = {Answer::No};
    EXPECT_TRUE(b.session.CloseQuery());
  }
  {
    SessionFixture b;
    b.Canonical({1, 3});
    b.messages.answers = {Answer::Cancel};
    EXPECT_FALSE(b.session.CloseQuery());
    EXPECT_EQ(b.model.functionModified, 1);
  }
  {  // Nothing modified: closes without a question.
    SessionFixture b;
    EXPECT_TRUE(b.session.CloseQuery());
    EXPECT_TRUE(b.messages.shown.empty());
  }
}

TEST(Lifecycle, SaveProjectKeepsFunctionModifiedAndSaveProjectAsClearsIt) {
  SessionFixture b;
  BothModified(b);
  b.Answer(b.dir.File("p.kep"));
  b.session.SaveProjectAsClick();
  ASSERT_EQ(b.messages.shown.size(), 1u);
  EXPECT_EQ(b.messages.shown[0].text,
            "Selected option enables you to save function and design structure definitions "
            "only.\r\nIf you want to obtain file in WMF format use the \"Export diagram\" "
            "option!");
  EXPECT_EQ(b.messages.shown[0].caption, "Information");
  EXPECT_EQ(b.messages.shown[0].buttons, Buttons::Ok);
  EXPECT_EQ(b.messages.shown[0].icon, Icon::None);
  EXPECT_EQ(b.model.functionModified, 0);
  EXPECT_EQ(b.project.projectModified, 0);
  EXPECT_EQ(b.project.projectHasFile, 1);
  EXPECT_EQ(b.project.projectDisplayName, b.dir.File("p.kep"));
  EXPECT_EQ(b.session.caption, "Kestrel (p.kep)");

  // The function is edited and the structure confirmed again; "Save project" writes to the
  // known file without a dialog and leaves the function modified.
  b.Canonical({1, 2, 3});
  b.ConfirmStructure();
  b.session.SaveProjectClick();
  EXPECT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.project.projectModified, 0);
  EXPECT_EQ(b.model.functionModified, 1);
  EXPECT_NE(ReadBytes(b.dir.File("p.kep")).find("\r\n3\r\n1\r\n2\r\n3\r\n"), std::string::npos);
  // So a close now asks about the function definition.
  b.messages.shown.clear();
  b.messages.answers = {Answer::Cancel};
  EXPECT_FALSE(b.session.CloseQuery());
  ASSERT_EQ(b.messages.shown.size(), 1u);
  ExpectPrompt(b.messages.shown[0], kFunctionPromptClose, "Close");
}

TEST(Lifecycle, ButtonSaveSavesTheProjectAsWithoutTheNotice) {
  SessionFixture b;
  BothModified(b);
  b.Answer(b.dir.File("p.kep"));
  b.session.ButtonSaveClick();
  EXPECT_TRUE(b.messages.shown.empty());
  EXPECT_TRUE(PathExists(b.dir.File("p.kep")));
}

TEST(Lifecycle, OpenFunctionWithAModifiedFunction) {
  SessionFixture b;
  WriteBytes(b.dir.File("other.kef"), CrLf({"KESTREL", "LITERAL", "x2"}));
  b.Canonical({1, 3});
  b.Answer(b.dir.File("mine.kef"));
  ASSERT_TRUE(b.session.SaveFunctionAs());
  b.Canonical({1, 2, 3});
  {  // Cancel: nothing.
    b.messages.answers = {Answer::Cancel};
    b.session.OpenFunctionClick();
    ExpectPrompt(b.messages.shown.back(),
                 "Save changes to \"" + b.dir.File("mine.kef") + "\" before closing?", "Save");
    EXPECT_EQ(b.model.ones().size(), 3u);
    EXPECT_EQ(b.dialogs.shown.size(), 1u);
  }
  {  // Yes: saved to its file without a dialog, then the open dialog.
    b.Answer(b.dir.File("other.kef"));
    b.session.OpenFunctionClick();
    ASSERT_EQ(b.dialogs.shown.size(), 2u);
    EXPECT_EQ(b.dialogs.shown[1].request.title, "Open function");
    EXPECT_NE(ReadBytes(b.dir.File("mine.kef")).find("\r\n3\r\n1\r\n2\r\n3\r\n"),
              std::string::npos);
    EXPECT_EQ(b.model.functionText, "x2");
    EXPECT_EQ(b.model.functionModified, 0);
    EXPECT_EQ(b.session.caption, "Kestrel (other.kef)");
  }
  {  // No: the edit is dropped and the file read.
    b.Literal("x1");
    b.messages.answers = {Answer::No};
    b.Answer(b.dir.File("other.kef"));
    b.session.OpenFunctionClick();
    EXPECT_EQ(b.model.functionText, "x2");
  }
  {  // Nothing modified: no question.
    const size_t shown = b.messages.shown.size();
    b.Answer(b.dir.File("other.kef"));
    b.session.OpenFunctionClick();
    EXPECT_EQ(b.messages.shown.size(), shown);
    EXPECT_EQ(b.dialogs.shown.back().request.title, "Open function");
  }
}

TEST(Lifecycle, OpenFunctionPromptYesThatFailsToSaveDoesNotRead) {
  SessionFixture b;
  b.Canonical({1, 3});
  b.CancelDialog();  // the save dialog (the function has no file yet)
  b.session.OpenFunctionClick();
  ASSERT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.dialogs.shown[0].request.title, "Save Function As");
  EXPECT_EQ(b.model.ones(), (std::vector<std::string>{"1", "3"}));
}

TEST(Lifecycle, OpenProjectWithAModifiedProject) {
  {  // Yes: "Save project" asks for a name because the project lost its file at the start.
    SessionFixture b;
    WriteBytes(b.dir.File("other.kep"), CrLf({"KESTREL", "LITERAL", "x2x1", "MUXTREE", "2"}));
    BothModified(b);
    b.Answer(b.dir.File("mine.kep"));
    ASSERT_TRUE(b.session.SaveProjectAs());
    b.ConfirmStructure();
    b.Answer(b.dir.File("mine2.kep"));
    b.Answer(b.dir.File("other.kep"));
    b.session.OpenProjectClick();
    ExpectPrompt(b.messages.shown.back(),
                 "Save changes to the project \"" + b.dir.File("mine.kep") + "\" before closing?",
                 "Save project?");
    ASSERT_EQ(b.dialogs.shown.size(), 3u);
    EXPECT_EQ(b.dialogs.shown[1].request.title, "Save Project As");
    EXPECT_EQ(b.dialogs.shown[2].request.title, "Open project");
    EXPECT_TRUE(PathExists(b.dir.File("mine2.kep")));
    EXPECT_EQ(b.model.functionText, "x2x1");
    EXPECT_EQ(b.session.commandState, CommandState::kRealized);
  }
  {  // No: the project counts as unmodified and the file is read.
    SessionFixture b;
    WriteBytes(b.dir.File("other.kep"), CrLf({"KESTREL", "LITERAL", "x2x1", "MUXTREE", "2"}));
    BothModified(b);
    b.messages.answers = {Answer::No};
    b.Answer(b.dir.File("other.kep"));
    b.session.OpenProjectClick();
    EXPECT_EQ(b.dialogs.shown.size(), 1u);
    EXPECT_EQ(b.model.functionText, "x2x1");
    EXPECT_EQ(b.project.projectModified, 0);
  }
  {  // Cancel: nothing read, but the project has lost its file.
    SessionFixture b;
    BothModified(b);
    b.Answer(b.dir.File("mine.kep"));
    ASSERT_TRUE(b.session.SaveProjectAs());
    b.ConfirmStructure();
    b.messages.answers = {Answer::Cancel};
    b.session.OpenProjectClick();
    EXPECT_EQ(b.dialogs.shown.size(), 1u);
    EXPECT_EQ(b.project.projectHasFile, 0);
    EXPECT_EQ(b.project.projectModified, 1);
    EXPECT_EQ(b.model.ones(), (std::vector<std::string>{"1", "3"}));
  }
}

TEST(Lifecycle, WithoutFileDialogsEveryDialogIsCancelled) {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  session.definition.OpenCanonical();
  ASSERT_TRUE(session.definition.Add("1", ListKind::kOnes));
  ASSERT_TRUE(session.definition.Ok());
  EXPECT_FALSE(session.SaveFunctionAs());
  EXPECT_FALSE(session.OpenFunction());
  EXPECT_FALSE(session.OpenProject().read);
  EXPECT_EQ(session.model.functionText, "x0");
  EXPECT_EQ(session.model.functionModified, 1);
}

TEST(Lifecycle, AnEmptyDisplayNameIsShownAsUntitledAndStaysSo) {
  SessionFixture b;
  b.Canonical({1});
  b.messages.answers = {Answer::Cancel};
  b.session.OpenFunctionClick();
  EXPECT_EQ(b.messages.shown[0].text, "Save changes to \"Untitled\" before closing?");
  EXPECT_EQ(b.project.functionDisplayName, "Untitled");
}

TEST(Lifecycle, StatusBarShowsFileSavedUntilTimer1Ticks) {
  SessionFixture b;
  b.Canonical({1});
  b.session.Timer1Timer();
  EXPECT_FALSE(b.session.timer1Enabled);
  b.Answer(b.dir.File("f.kef"));
  b.session.SaveFunctionAsClick();
  EXPECT_EQ(b.session.statusText, "File saved!");
  EXPECT_TRUE(b.session.timer1Enabled);
  EXPECT_EQ(Session::kTimer1Interval, 3000);
  b.session.Timer1Timer();
  EXPECT_EQ(b.session.statusText, "");
  EXPECT_FALSE(b.session.timer1Enabled);
  b.session.SaveFunctionClick();  // to the known file
  EXPECT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(b.session.statusText, "File saved!");
}

}  // namespace
}  // namespace kestrel::testing
