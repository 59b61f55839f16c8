// The six file operations through the session: exact files, dialogs, every message of a failed
// read or write, what a read leaves in the model, hostile files, and round trips.

#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "engine/realize.h"
#include "files/sections.h"
#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

const char* kCorrupted = "Unsupported file type or data is corrupted!";
const char* kNotKestrel = "It is not Kestrel file!";
const char* kCannotOpen = "Cannot open the file!      ";
const char* kNoProjectData =
    "The file does not contain project data!\n\rOnly the function definition has been opened.  ";

const std::string kExampleKef =
    "KESTREL\r\nDECIMAL\r\n2\r\n1\r\n3\r\n2\r\n0\r\n2\r\n0\r\nMINIMIZED\r\nx0\r\n-\r\n";

void ExpectMessage(const ShownMessage& m, const std::string& text, const std::string& caption,
                   Icon icon) {
  EXPECT_EQ(m.text, text);
  EXPECT_EQ(m.caption, caption);
  EXPECT_EQ(m.buttons, Buttons::Ok);
  EXPECT_EQ(m.icon, icon);
}

// --- Saving ---

TEST(SaveFunction, CanonicalExampleByteForByte) {
  SessionFixture b;
  b.Canonical({1, 3}, {0, 2});
  ASSERT_EQ(b.model.functionText, "x0");
  const std::string path = b.dir.File("example.kef");
  b.Answer(path);
  ASSERT_TRUE(b.session.SaveFunctionAs());
  EXPECT_EQ(ReadBytes(path), kExampleKef);
  EXPECT_TRUE(b.messages.shown.empty());
  EXPECT_EQ(b.project.functionSaveSucceeded, 1);
  EXPECT_EQ(b.model.functionModified, 0);
  EXPECT_EQ(b.project.functionFilePath, path);
  EXPECT_EQ(b.project.functionDisplayName, path);
  EXPECT_EQ(b.project.functionHasFile, 1);
  EXPECT_EQ(b.session.caption, "Kestrel (example.kef)");
  EXPECT_EQ(b.session.statusText, "File saved!");
}

TEST(SaveFunction, LiteralFunctionFile) {
  SessionFixture b;
  b.Literal("x9~x7x3~x0 + x4~x7");
  b.Answer(b.dir.File("lit.kef"));
  ASSERT_TRUE(b.session.SaveFunctionAs());
  EXPECT_EQ(ReadBytes(b.dir.File("lit.kef")), CrLf({"KESTREL", "LITERAL", "~x7x4+x9~x7x3~x0"}));
}

TEST(SaveFunction, DialogsCarryTheirTitleExtensionFilterAndName) {
  SessionFixture b;
  b.Canonical({1});
  b.ConfirmStructure();
  b.Answer(b.dir.File("a.kef"));
  b.session.SaveFunctionAs();
  b.Answer(b.dir.File("b.kef"));
  b.session.SaveFunctionAs();
  b.Answer(b.dir.File("p.kep"));
  b.session.SaveProjectAs();
  b.CancelDialog();
  b.session.SaveFunctionAs();
  b.CancelDialog();
  b.session.OpenFunction();
  b.CancelDialog();
  b.session.OpenProject();
  ASSERT_EQ(b.dialogs.shown.size(), 6u);
  using K = ScriptedFileDialogs::Kind;
  const auto& d = b.dialogs.shown;
  EXPECT_EQ(d[0].kind, K::Save);
  EXPECT_EQ(d[0].request.title, "Save Function As");
  EXPECT_EQ(d[0].request.defaultExtension, "kef");
  EXPECT_EQ(d[0].request.filter, "Kestrel Function Definition File (*.kef)|*.kef");
  EXPECT_EQ(d[0].request.initialName, "");
  EXPECT_EQ(d[0].request.initialFolder, "");
  EXPECT_EQ(d[1].request.initialName, "a.kef");  // the name last used stays
  EXPECT_EQ(d[1].request.initialFolder, b.dir.path().string());
  EXPECT_EQ(d[2].request.title, "Save Project As");
  EXPECT_EQ(d[2].request.defaultExtension, "kep");
  EXPECT_EQ(d[2].request.filter, "Project files (*.kep) | *.kep");
  EXPECT_EQ(d[2].request.initialName, "");  // emptied for a project
  // A function is never offered the project's name: each kind remembers its own file.
  EXPECT_EQ(d[3].request.initialName, "b.kef");
  EXPECT_EQ(d[4].kind, K::Open);
  EXPECT_EQ(d[4].request.initialName, "b.kef");
  EXPECT_EQ(d[4].request.title, "Open function");
  EXPECT_EQ(d[4].request.defaultExtension, "kef");
  EXPECT_EQ(d[4].request.filter, "Kestrel File (*.kef)|*.kef");
  EXPECT_EQ(d[5].request.title, "Open project");
  EXPECT_EQ(d[5].request.defaultExtension, "kep");
  EXPECT_EQ(d[5].request.filter, "Project files (*.kep) | *.kep");
  EXPECT_EQ(d[5].request.initialName, "p.kep");
}

// Each kind of file remembers its own last file; without one of its own a dialog starts in the
// other kind's folder and, for a save, offers that name with its own extension.
TEST(SaveFunction, EachFileKindRemembersItsOwnNameAndFolder) {
  SessionFixture b;
  b.Canonical({1});
  b.ConfirmStructure();
  fs::create_directories(b.dir.File("projects"));
  fs::create_directories(b.dir.File("functions"));
  const std::string project = b.dir.File("projects/proj1.kep");
  b.Answer(project);
  ASSERT_TRUE(b.session.SaveProjectAs());
  b.CancelDialog();
  b.session.SaveFunctionAs();
  b.CancelDialog();
  b.session.OpenFunction();
  const auto& d = b.dialogs.shown;
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[1].request.initialFolder, b.dir.File("projects"));
  EXPECT_EQ(d[1].request.initialName, "proj1.kef");
  EXPECT_EQ(d[2].request.initialFolder, b.dir.File("projects"));
  EXPECT_EQ(d[2].request.initialName, "");  // nothing to open of its own kind yet
  // Two Enters in "Save function as" write a function file beside the project, which stays.
  const std::string projectBytes = ReadBytes(project);
  b.Answer(b.dir.File("projects/proj1.kef"));
  ASSERT_TRUE(b.session.SaveFunctionAs());
  EXPECT_EQ(ReadBytes(project), projectBytes);
  // A function file read elsewhere becomes the function dialogs' file; the project's stay.
  const std::string elsewhere = b.dir.File("functions/f.kef");
  WriteBytes(elsewhere, kExampleKef);
  ASSERT_TRUE(b.OpenFunctionFile(elsewhere));
  b.CancelDialog();
  b.session.SaveFunctionAs();
  b.CancelDialog();
  b.session.SaveProjectAs();
  b.CancelDialog();
  b.session.OpenProject();
  EXPECT_EQ(d[5].request.initialFolder, b.dir.File("functions"));
  EXPECT_EQ(d[5].request.initialName, "f.kef");
  EXPECT_EQ(d[6].request.initialFolder, b.dir.File("projects"));
  EXPECT_EQ(d[6].request.initialName, "");
  EXPECT_EQ(d[7].request.initialFolder, b.dir.File("projects"));
  EXPECT_EQ(d[7].request.initialName, "proj1.kep");
  for (const auto& shown : d) {
    const std::string& name = shown.request.initialName;
    if (name.empty()) continue;
    EXPECT_EQ(fs::path(name).extension().string(), "." + shown.request.defaultExtension) << name;
  }
}

TEST(SaveFunction, ReplacingAnExistingFileAsksFirst) {
  SessionFixture b;
  b.Canonical({1, 3});
  const std::string path = b.dir.File("old.kef");
  WriteBytes(path, "previous");
  b.Answer(path);
  b.messages.answers = {Answer::Cancel};
  EXPECT_FALSE(b.session.SaveFunctionAs());
  ASSERT_EQ(b.messages.shown.size(), 1u);
  EXPECT_EQ(b.messages.shown[0].text,
            "File \"" + path + "\" already exists. \n\rDo you want to replace it?");
  EXPECT_EQ(b.messages.shown[0].caption, "Warning");
  EXPECT_EQ(b.messages.shown[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(b.messages.shown[0].icon, Icon::Warning);
  EXPECT_EQ(ReadBytes(path), "previous");
  EXPECT_EQ(b.model.functionModified, 1);
  EXPECT_EQ(b.project.functionHasFile, 0);
  EXPECT_EQ(b.project.functionSaveSucceeded, 0);
  EXPECT_EQ(b.session.caption, "Kestrel (Untitled)");

  b.Answer(path);
  b.messages.answers = {Answer::Ok};
  EXPECT_TRUE(b.session.SaveFunctionAs());
  EXPECT_EQ(ReadBytes(path).substr(0, 9), "KESTREL\r\n");
}

TEST(SaveFunction, ReadOnlyTargetIsRefused) {
  SessionFixture b;
  b.Canonical({1, 3});
  const std::string path = b.dir.File("ro.kef");
  WriteBytes(path, "previous");
  fs::permissions(path, fs::perms::owner_read);
  b.Answer(path);
  EXPECT_FALSE(b.session.SaveFunctionAs());
  ASSERT_EQ(b.messages.shown.size(), 1u);
  ExpectMessage(b.messages.shown[0], "File cannot be saved. \n\rFile is read-only!", "Warning",
                Icon::Error);
  EXPECT_EQ(ReadBytes(path), "previous");
  EXPECT_EQ(b.model.functionModified, 1);

  // The plain save to a known file that became read-only.
  fs::permissions(path, fs::perms::owner_all);
  b.Answer(path);
  b.messages.answers = {Answer::Ok};
  ASSERT_TRUE(b.session.SaveFunctionAs());
  fs::permissions(path, fs::perms::owner_read);
  b.Canonical({1});
  EXPECT_FALSE(b.session.SaveFunction());
  EXPECT_EQ(b.messages.shown.back().text, "File cannot be saved. \n\rFile is read-only!");
  EXPECT_EQ(b.model.functionModified, 1);
}

TEST(SaveFunction, BlankDataIsNotWritten) {
  SessionFixture b;
  b.Canonical({});  // three empty lists: Ok completes Zeros with "0"
  b.session.definition.ClearAll();
  const std::string path = b.dir.File("blank.kef");
  b.Answer(path);
  b.project.functionSaveSucceeded = 1;
  EXPECT_FALSE(b.session.SaveFunctionAs());
  ExpectMessage(b.messages.shown.back(), "Data to save cannot be blank!   ", "Error", Icon::Error);
  EXPECT_FALSE(PathExists(path));
  EXPECT_EQ(b.project.functionSaveSucceeded, 1);  // unchanged
}

TEST(SaveFunction, AFileThatCannotBeWrittenClearsSaveSucceeded) {
  SessionFixture b;
  b.Canonical({1, 3});
  b.Answer(b.dir.File("good.kef"));
  ASSERT_TRUE(b.session.SaveFunctionAs());
  ASSERT_EQ(b.project.functionSaveSucceeded, 1);
  b.Canonical({1});
  // A folder stands where the file should go.
  fs::create_directory(b.dir.File("folder.kef"));
  b.Answer(b.dir.File("folder.kef"));
  b.messages.answers = {Answer::Ok};  // replace it
  EXPECT_FALSE(b.session.SaveFunctionAs());
  ExpectMessage(b.messages.shown.back(), "File saving error! \n\rThe file cannot been saved!  ",
                "Warning!", Icon::Warning);
  EXPECT_EQ(b.project.functionSaveSucceeded, 0);
  EXPECT_EQ(b.model.functionModified, 1);
  EXPECT_EQ(b.project.functionFilePath, b.dir.File("good.kef"));
  EXPECT_TRUE(fs::is_directory(b.dir.File("folder.kef")));
}

TEST(SaveProject, WritesTheFunctionAndTheDesignSection) {
  SessionFixture b;
  b.Canonical({1, 3}, {0, 2});
  b.session.choice.tab = StructureTab::kMux;
  b.session.choice.SetUseGates(true);
  b.session.choice.radioMuxSize = 1;
  b.session.choice.radioGates = GateFamily::kAndOrNot;
  b.ConfirmStructure();
  b.Answer(b.dir.File("p.kep"));
  ASSERT_TRUE(b.session.SaveProject());  // no file yet: asks for a name
  EXPECT_EQ(ReadBytes(b.dir.File("p.kep")), kExampleKef + CrLf({"MUX+GATES", "4", "AND+OR+NOT"}));
  EXPECT_EQ(b.project.projectSaveSucceeded, 1);
  EXPECT_EQ(b.project.projectFilePath, b.dir.File("p.kep"));
  EXPECT_EQ(b.session.caption, "Kestrel (p.kep)");
  EXPECT_EQ(b.session.statusText, "File saved!");
}

// --- Opening a function ---

TEST(OpenFunction, ReadsTheCanonicalExample) {
  SessionFixture b;
  const std::string path = b.dir.File("example.kef");
  WriteBytes(path, kExampleKef);
  b.model.functionModified = 1;
  EXPECT_TRUE(b.OpenFunctionFile(path));
  EXPECT_TRUE(b.messages.shown.empty());
  EXPECT_EQ(b.model.representationFlag, 1);
  EXPECT_EQ(b.model.ones(), (V{"1", "3"}));
  EXPECT_EQ(b.model.zeros(), (V{"0", "2"}));
  EXPECT_EQ(b.model.functionText, "x0");
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  EXPECT_EQ(b.model.functionModified, 0);
  EXPECT_EQ(b.project.functionDisplayName, path);
  EXPECT_EQ(b.project.functionHasFile, 1);
  EXPECT_EQ(b.project.functionFilePath, path);
  EXPECT_EQ(b.session.caption, "Kestrel (example.kef)");
  // Save function now writes to it without a dialog.
  EXPECT_TRUE(b.session.SaveFunction());
  EXPECT_EQ(b.dialogs.shown.size(), 1u);
  EXPECT_EQ(ReadBytes(path), kExampleKef);
}

TEST(OpenFunction, OtherLineEndsReadTheSame) {
  for (const char* end : {"\n", "\r"}) {
    SessionFixture b;
    std::string bytes;
    for (const char* l :
         {"KESTREL", "DECIMAL", "2", "1", "3", "2", "0", "2", "0", "MINIMIZED", "x0", "-"})
      bytes += std::string(l) + end;
    WriteBytes(b.dir.File("e.kef"), bytes);
    EXPECT_TRUE(b.OpenFunctionFile(b.dir.File("e.kef")));
    EXPECT_EQ(b.model.ones(), (V{"1", "3"}));
    EXPECT_EQ(b.model.functionText, "x0");
  }
}

TEST(OpenFunction, SplitMinimizedTextIsJoined) {
  SessionFixture b;
  WriteBytes(b.dir.File("s.kef"), CrLf({"KESTREL", "DECIMAL", "3", "1", "3", "4", "0", "0",
                                        "MINIMIZED", "x2~x1~x0+", "~x2x0", "-"}));
  EXPECT_TRUE(b.OpenFunctionFile(b.dir.File("s.kef")));
  EXPECT_EQ(b.model.functionText, "x2~x1~x0+~x2x0");
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
}

TEST(OpenFunction, ConstantFunctionReadsBackEmptyWithStateTen) {
  SessionFixture b;
  b.Canonical({0, 1});
  ASSERT_EQ(b.model.functionText, "1");
  b.Answer(b.dir.File("one.kef"));
  ASSERT_TRUE(b.session.SaveFunctionAs());
  SessionFixture r;
  EXPECT_TRUE(r.OpenFunctionFile(b.dir.File("one.kef")));
  EXPECT_EQ(r.model.functionText, "");
  EXPECT_EQ(r.session.commandState, CommandState::kNothingToRealize);
  EXPECT_EQ(r.model.ones(), (V{"0", "1"}));
  // Saved again: an empty line after MINIMIZED, and state 1 when read.
  r.Answer(b.dir.File("again.kef"));
  ASSERT_TRUE(r.session.SaveFunctionAs());
  EXPECT_EQ(ReadBytes(b.dir.File("again.kef")),
            CrLf({"KESTREL", "DECIMAL", "2", "0", "1", "0", "0", "MINIMIZED", "", "-"}));
  SessionFixture r2;
  EXPECT_TRUE(r2.OpenFunctionFile(b.dir.File("again.kef")));
  EXPECT_EQ(r2.session.commandState, CommandState::kFunctionDefined);
}

TEST(OpenFunction, LowerCaseMagicIsRejected) {
  SessionFixture b;
  b.Canonical({1, 3});
  WriteBytes(b.dir.File("lower.kef"),
             CrLf({"kestrel", "DECIMAL", "1", "1", "0", "0", "MINIMIZED", "x0", "-"}));
  EXPECT_FALSE(b.OpenFunctionFile(b.dir.File("lower.kef")));
  ASSERT_EQ(b.messages.shown.size(), 1u);
  ExpectMessage(b.messages.shown[0], kCorrupted, "Error", Icon::Error);
  EXPECT_EQ(b.session.commandState, CommandState::kEmpty);
  EXPECT_TRUE(b.model.ones().empty());
  EXPECT_EQ(b.model.functionText, "");
  EXPECT_EQ(b.session.caption, "Kestrel (Untitled)");
  EXPECT_EQ(b.project.functionHasFile, 0);
}

TEST(OpenFunction, ACancelledDialogLeavesTheFunctionAsItWas) {
  SessionFixture b;
  b.Canonical({1, 3});
  b.CancelDialog();
  EXPECT_FALSE(b.session.OpenFunction());
  EXPECT_EQ(b.model.ones(), (V{"1", "3"}));
  EXPECT_EQ(b.model.functionText, "x0");
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  EXPECT_TRUE(b.messages.shown.empty());
}

TEST(OpenFunction, AFileThatCannotBeOpened) {
  SessionFixture b;
  b.Canonical({1, 3});
  EXPECT_FALSE(b.OpenFunctionFile(b.dir.File("missing.kef")));
  ASSERT_EQ(b.messages.shown.size(), 1u);
  ExpectMessage(b.messages.shown[0], kCannotOpen, "Warning!", Icon::Warning);
  EXPECT_TRUE(b.model.ones().empty());
  EXPECT_EQ(b.session.commandState, CommandState::kEmpty);
  EXPECT_EQ(b.project.functionHasFile, 0);
  // A folder cannot be opened either.
  EXPECT_FALSE(b.OpenFunctionFile(b.dir.path().string()));
  EXPECT_EQ(b.messages.shown.back().text, kCannotOpen);
}

TEST(OpenFunction, AnInvalidSectionStillNamesTheFile) {
  SessionFixture b;
  b.model.functionModified = 1;
  const std::string path = b.dir.File("nodash.kef");
  WriteBytes(path, CrLf({"KESTREL", "DECIMAL", "1", "1", "0", "0", "MINIMIZED", "x0"}));
  EXPECT_FALSE(b.OpenFunctionFile(path));
  ASSERT_EQ(b.messages.shown.size(), 1u);
  ExpectMessage(b.messages.shown[0], kCorrupted, "Error", Icon::Error);
  EXPECT_EQ(b.model.ones(), V{"1"});
  EXPECT_EQ(b.model.functionText, "");
  EXPECT_EQ(b.model.functionModified, 0);
  EXPECT_EQ(b.project.functionHasFile, 1);
  EXPECT_EQ(b.session.caption, "Kestrel (nodash.kef)");
  // An unknown section keyword: state 7 with the names set as well.
  SessionFixture u;
  WriteBytes(u.dir.File("u.kef"), CrLf({"KESTREL", "BINARY", "101"}));
  EXPECT_FALSE(u.OpenFunctionFile(u.dir.File("u.kef")));
  EXPECT_EQ(u.messages.shown.back().text, kCorrupted);
  EXPECT_EQ(u.session.commandState, CommandState::kEmpty);
  EXPECT_EQ(u.project.functionHasFile, 1);
}

TEST(OpenFunction, ACorruptCountStopsBeforeTheFileIsNamed) {
  SessionFixture b;
  b.model.functionModified = 1;
  WriteBytes(b.dir.File("bad.kef"), CrLf({"KESTREL", "DECIMAL", "2", "1", "3", "two", "0", "2", "0",
                                          "MINIMIZED", "x0", "-"}));
  EXPECT_FALSE(b.OpenFunctionFile(b.dir.File("bad.kef")));
  ASSERT_EQ(b.messages.shown.size(), 1u);
  ExpectMessage(b.messages.shown[0], kCorrupted, "Error", Icon::Error);
  EXPECT_EQ(b.model.ones(), (V{"1", "3"}));  // the lists read so far stay
  EXPECT_TRUE(b.model.zeros().empty());
  EXPECT_EQ(b.model.representationFlag, 1);
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  EXPECT_EQ(b.model.functionModified, 1);
  EXPECT_EQ(b.project.functionHasFile, 0);
  EXPECT_EQ(b.session.caption, "Kestrel (Untitled)");
}

// --- Opening a project ---

void WriteProject(const std::string& path, const V& function, const V& design) {
  V lines = function;
  lines.insert(lines.end(), design.begin(), design.end());
  WriteBytes(path, CrLf(lines));
}

const V kThreeVariables = {"KESTREL", "LITERAL", "x2x1+~x2x0"};

TEST(OpenProject, ReadsTheRadioIndicesBackAndRealizesAtOnce) {
  {
    SessionFixture b;
    WriteProject(b.dir.File("d.kep"), {"KESTREL", "LITERAL", "x1~x0"}, {"DMUX", "4"});
    EXPECT_TRUE(b.OpenProjectFile(b.dir.File("d.kep")));
    EXPECT_EQ(b.session.choice.tab, StructureTab::kDemux);
    EXPECT_EQ(b.session.choice.radioDmux, 1);
    EXPECT_EQ(b.session.commandState, CommandState::kRealized);
    EXPECT_EQ(b.session.designCaption, "Demultiplexer");
    EXPECT_TRUE(b.messages.shown.empty());
  }
  {
    SessionFixture b;
    WriteProject(b.dir.File("t.kep"), kThreeVariables, {"MUXTREE", "8"});
    EXPECT_TRUE(b.OpenProjectFile(b.dir.File("t.kep")));
    EXPECT_EQ(b.session.choice.tab, StructureTab::kMuxTree);
    EXPECT_EQ(b.session.choice.radioMuxMT, 2);
    EXPECT_EQ(b.session.commandState, CommandState::kRealized);
    EXPECT_EQ(b.session.designCaption, "Multiplexer Tree");
    EXPECT_EQ(b.project.projectHasFile, 1);
    EXPECT_EQ(b.project.projectFilePath, b.dir.File("t.kep"));
    EXPECT_EQ(b.project.projectDisplayName, b.dir.File("t.kep"));
    EXPECT_EQ(b.session.caption, "Kestrel (t.kep)");
  }
}

TEST(OpenProject, MuxClearsUseGatesSoThePlainMultiplexerIsRealized) {
  SessionFixture b;
  b.session.choice.SetUseGates(true);
  WriteProject(b.dir.File("m.kep"), kThreeVariables, {"MUX", "8"});
  EXPECT_TRUE(b.OpenProjectFile(b.dir.File("m.kep")));
  EXPECT_FALSE(b.session.choice.useGates);
  EXPECT_EQ(b.session.commandState, CommandState::kRealized);
  EXPECT_EQ(b.session.designCaption, "Multiplexer");
}

// A multiplexer-and-demultiplexer pair chosen for an earlier function goes when a function
// it does not fit is read; a pair that still fits stays.
TEST(OpenFunction, APairThatNoLongerFitsIsCleared) {
  SessionFixture b;
  WriteBytes(b.dir.File("five.kef"), CrLf({"KESTREL", "LITERAL", "x4x3+x2x1x0"}));
  WriteBytes(b.dir.File("four.kef"), CrLf({"KESTREL", "LITERAL", "x3x2+x1x0"}));
  b.session.choice.tab = StructureTab::kMuxDemux;
  b.session.choice.SelectMdMux(0);
  b.session.choice.SelectMdDmux(2);  // 2 + 8: one and three address inputs
  ASSERT_TRUE(b.OpenFunctionFile(b.dir.File("four.kef")));
  EXPECT_EQ(b.session.choice.MdMuxIndex(), 0);
  EXPECT_EQ(b.session.choice.MdDmuxIndex(), 2);
  ASSERT_TRUE(b.OpenFunctionFile(b.dir.File("five.kef")));
  EXPECT_EQ(b.session.choice.MdMuxIndex(), -1);
  EXPECT_EQ(b.session.choice.MdDmuxIndex(), -1);
  // The dialog then asks for sizes instead of refusing a pair it shows.
  b.session.choice.OnShow(b.model.functionText);
  EXPECT_FALSE(b.session.ConfirmStructure());
  EXPECT_EQ(b.messages.shown.back().text, "Select the size of multiplexer and demultiplexer.   ");
  // A project's own pair is judged by Realize, with the message that says why.
  WriteProject(b.dir.File("p.kep"), {"KESTREL", "LITERAL", "x4x3+x2x1x0"}, {"MUX+DMUX", "2", "8"});
  EXPECT_TRUE(b.OpenProjectFile(b.dir.File("p.kep")));
  EXPECT_EQ(b.session.commandState, CommandState::kRealizationRefused);
  EXPECT_EQ(b.messages.shown.back().text, SizesDoNotFitText(5));
}

// A file named when the program starts is read as the open commands read a chosen file.
TEST(OpenFileAtStart, FunctionsByExtensionEverythingElseAsAProject) {
  {
    SessionFixture b;
    WriteBytes(b.dir.File("f.KEF"), kExampleKef);
    b.session.OpenFileAtStart(b.dir.File("f.KEF"));
    EXPECT_EQ(b.model.functionText, "x0");
    EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
    EXPECT_EQ(b.session.caption, "Kestrel (f.KEF)");
    EXPECT_EQ(b.project.functionFilePath, b.dir.File("f.KEF"));
    EXPECT_TRUE(b.messages.shown.empty());
    EXPECT_TRUE(b.dialogs.shown.empty());
  }
  {
    SessionFixture b;
    WriteProject(b.dir.File("t.kep"), kThreeVariables, {"MUXTREE", "8"});
    b.session.OpenFileAtStart(b.dir.File("t.kep"));
    EXPECT_EQ(b.session.commandState, CommandState::kRealized);
    EXPECT_EQ(b.session.designCaption, "Multiplexer Tree");
    EXPECT_EQ(b.project.projectFilePath, b.dir.File("t.kep"));
    EXPECT_EQ(b.session.caption, "Kestrel (t.kep)");
    // The dialogs then start from that file.
    b.CancelDialog();
    b.session.OpenProject();
    EXPECT_EQ(b.dialogs.shown.back().request.initialName, "t.kep");
  }
  {
    SessionFixture b;  // a function file under another name opens with the project's notice
    WriteBytes(b.dir.File("f.txt"), kExampleKef);
    b.session.OpenFileAtStart(b.dir.File("f.txt"));
    EXPECT_EQ(b.model.functionText, "x0");
    ASSERT_EQ(b.messages.shown.size(), 1u);
    ExpectMessage(b.messages.shown[0], kNoProjectData, "Warning", Icon::Warning);
  }
  const struct {
    const char* name;
    const char* bytes;  // nullptr: no such file
    const char* message;
  } failures[] = {{"missing.kep", nullptr, kCannotOpen},
                  {"missing.kef", nullptr, kCannotOpen},
                  {"junk.kep", "PK\x03\x04 not a project", kNotKestrel},
                  {"junk.kef", "KESTREL\r\nNONSENSE\r\n", kCorrupted}};
  for (const auto& failure : failures) {
    SessionFixture b;
    if (failure.bytes) WriteBytes(b.dir.File(failure.name), failure.bytes);
    b.session.OpenFileAtStart(b.dir.File(failure.name));
    ASSERT_EQ(b.messages.shown.size(), 1u) << failure.name;
    EXPECT_EQ(b.messages.shown[0].text, failure.message) << failure.name;
    EXPECT_EQ(b.session.commandState, CommandState::kEmpty) << failure.name;
    EXPECT_EQ(b.model.functionText, "") << failure.name;
    EXPECT_EQ(b.project.projectHasFile, 0) << failure.name;
  }
}

// A recent file is opened after its open command's save prompt: Cancel keeps everything, No
// gives the changes up and reads the file.
TEST(OpenRecentFile, AsksToSaveFirstThenReadsTheFile) {
  for (const bool project : {false, true}) {
    SessionFixture b;
    const std::string file = b.dir.File(project ? "t.kep" : "f.kef");
    if (project)
      WriteProject(file, kThreeVariables, {"MUXTREE", "8"});
    else
      WriteBytes(file, kExampleKef);
    b.Literal("x2x1");
    b.model.functionModified = 1;
    b.project.projectModified = 1;
    b.messages.answers.assign({Answer::Cancel});
    b.session.OpenRecentFile(file);
    ASSERT_EQ(b.messages.shown.size(), 1u) << project;
    EXPECT_EQ(b.messages.shown[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(b.model.functionText, "x2x1") << project;
    b.messages.answers.assign({Answer::No});
    b.session.OpenRecentFile(file);
    EXPECT_EQ(b.messages.shown.size(), 2u) << project;
    EXPECT_EQ(b.model.functionText, project ? "x2x1+~x2x0" : "x0") << project;
    EXPECT_EQ(b.session.commandState,
              project ? CommandState::kRealized : CommandState::kFunctionDefined);
    EXPECT_TRUE(b.dialogs.shown.empty());
  }
}

TEST(OpenProject, MuxDemuxReadsBothSizesAndIsRealized) {
  SessionFixture b;
  WriteProject(b.dir.File("md.kep"), {"KESTREL", "LITERAL", "x3x2+~x1x0+x3~x0"},
               {"MUX+DMUX", "4", "4"});
  EXPECT_TRUE(b.OpenProjectFile(b.dir.File("md.kep")));
  EXPECT_EQ(b.session.choice.tab, StructureTab::kMuxDemux);
  EXPECT_EQ(b.session.choice.MdMuxIndex(), 1);
  EXPECT_EQ(b.session.choice.MdDmuxIndex(), 1);
  EXPECT_EQ(b.session.commandState, CommandState::kRealized);
  EXPECT_EQ(b.session.designCaption, "Multiplexer and Demultiplexer");
  EXPECT_EQ(VerifyRealization(b.model.functionText, b.session.choice, b.session.results).mismatches,
            0);
}

TEST(OpenProject, AConstantFunctionIsNotRealized) {
  SessionFixture b;
  WriteProject(b.dir.File("c.kep"),
               {"KESTREL", "DECIMAL", "2", "0", "1", "0", "0", "MINIMIZED", "1", "-"},
               {"MUX", "2"});
  EXPECT_TRUE(b.OpenProjectFile(b.dir.File("c.kep")));
  EXPECT_EQ(b.model.functionText, "");
  ASSERT_EQ(b.messages.shown.size(), 1u);
  EXPECT_EQ(b.messages.shown[0].text, "No terms entered!   ");
  EXPECT_EQ(b.session.commandState, CommandState::kNothingToRealize);
}

TEST(OpenProject, AFileWithoutADesignOpensTheFunctionOnly) {
  SessionFixture b;
  b.project.projectModified = 1;
  b.model.functionModified = 1;
  WriteProject(b.dir.File("f.kep"), kThreeVariables, {});
  EXPECT_FALSE(b.OpenProjectFile(b.dir.File("f.kep")));
  ASSERT_EQ(b.messages.shown.size(), 1u);
  ExpectMessage(b.messages.shown[0], kNoProjectData, "Warning", Icon::Warning);
  EXPECT_EQ(b.model.functionText, "x2x1+~x2x0");
  EXPECT_EQ(b.session.commandState, CommandState::kFunctionDefined);
  EXPECT_EQ(b.project.projectModified, 0);
  EXPECT_EQ(b.project.projectHasFile, 1);
  EXPECT_EQ(b.model.functionModified, 1);  // a project read leaves it as it was
  EXPECT_EQ(b.session.caption, "Kestrel (f.kep)");
}

TEST(OpenProject, LowerCaseMagicIsNotAKestrelFile) {
  SessionFixture b;
  WriteProject(b.dir.File("l.kep"), {"kestrel", "LITERAL", "x1"}, {"MUX", "2"});
  EXPECT_FALSE(b.OpenProjectFile(b.dir.File("l.kep")));
  ASSERT_EQ(b.messages.shown.size(), 1u);
  ExpectMessage(b.messages.shown[0], kNotKestrel, "Error", Icon::Error);
  EXPECT_EQ(b.session.commandState, CommandState::kEmpty);
  EXPECT_EQ(b.project.projectHasFile, 0);
}

TEST(OpenProject, ACorruptSectionStopsBeforeTheFileIsNamed) {
  const std::vector<std::pair<V, V>> files = {
      {{"KESTREL", "DECIMAL", "1", "1", "0", "0", "MINIMIZED", "x0"}, {}},  // no "-"
      {{"KESTREL", "DECIMAL", "x"}, {"MUX", "2"}},
      {{"KESTREL", "BINARY"}, {"MUX", "2"}},
      {kThreeVariables, {"MUXTREE", "eight"}},
      {kThreeVariables, {"MUX+DMUX", "4"}},
  };
  for (const auto& [function, design] : files) {
    SessionFixture b;
    b.session.choice.tab = StructureTab::kDemux;
    WriteProject(b.dir.File("bad.kep"), function, design);
    EXPECT_FALSE(b.OpenProjectFile(b.dir.File("bad.kep")));
    ASSERT_EQ(b.messages.shown.size(), 1u) << function[1];
    ExpectMessage(b.messages.shown[0], kCorrupted, "Error", Icon::Error);
    EXPECT_EQ(b.project.projectHasFile, 0);
    EXPECT_EQ(b.session.caption, "Kestrel (Untitled)");
    EXPECT_EQ(b.session.choice.tab, StructureTab::kDemux);
    EXPECT_NE(b.session.commandState, CommandState::kRealized);
  }
}

TEST(OpenProject, ACancelledDialogLeavesTheProjectAsItWas) {
  SessionFixture b;
  WriteProject(b.dir.File("t.kep"), kThreeVariables, {"MUXTREE", "2"});
  ASSERT_TRUE(b.OpenProjectFile(b.dir.File("t.kep")));
  b.CancelDialog();
  EXPECT_FALSE(b.session.OpenProject().read);
  EXPECT_EQ(b.model.functionText, "x2x1+~x2x0");
  EXPECT_EQ(b.session.commandState, CommandState::kRealized);
}

// --- Hostile files ---

/// What every read must leave behind, whatever the file held.
void ExpectSaneModel(const SessionFixture& b, const std::string& what) {
  std::set<int> seen;
  for (const auto& list : b.model.lists) {
    int last = -1;
    for (const auto& e : list) {
      const int v = EntryValue(e);
      ASSERT_GE(v, 0) << what;
      ASSERT_EQ(e, std::to_string(v)) << what;
      ASSERT_GT(v, last) << what;
      ASSERT_TRUE(seen.insert(v).second) << what;
      last = v;
    }
  }
  EXPECT_TRUE(IsFunctionTextSyntax(b.model.functionText)) << what;
  const int s = StateNumber(b.session.commandState);
  EXPECT_TRUE(s == 1 || s == 2 || s == 7 || s == 9 || s == 10) << what;
}

/// A refused read shows exactly one of the refusals.
void ExpectRefusalMessage(const SessionFixture& b, bool project, const std::string& what) {
  std::set<std::string> allowed = {kCorrupted, kCannotOpen};
  if (project) allowed.insert({kNotKestrel, kNoProjectData});
  ASSERT_FALSE(b.messages.shown.empty()) << what;
  EXPECT_TRUE(allowed.count(b.messages.shown[0].text)) << what << ": " << b.messages.shown[0].text;
}

TEST(HostileFiles, RandomBytes) {
  TempDir dir;
  std::mt19937 rng(12345);
  const std::string alphabet = "KESTRELDCIMAXUG+-~x0123456789\r\n \t";
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const int size = static_cast<int>(rng() % 200);
    const bool text = round % 2 == 0;
    for (int i = 0; i < size; ++i)
      bytes += text ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng() & 0xff);
    if (round % 3 == 0) bytes = "KESTREL\r\n" + bytes;
    for (bool project : {false, true}) {
      SessionFixture b;
      // A new name each time: rewriting one file in place is slow on some file systems.
      const std::string path = dir.File(std::to_string(round) + (project ? ".kep" : ".kef"));
      WriteBytes(path, bytes);
      const bool read = project ? b.OpenProjectFile(path) : b.OpenFunctionFile(path);
      const std::string what = "round " + std::to_string(round);
      ExpectSaneModel(b, what);
      if (!read && b.session.commandState != CommandState::kRealizationRefused)
        ExpectRefusalMessage(b, project, what);
    }
  }
}

TEST(HostileFiles, EveryTruncationOfAValidProject) {
  SessionFixture source;
  source.Canonical({1, 2, 5, 7}, {}, {3});
  source.session.choice.tab = StructureTab::kMuxDemux;
  source.session.choice.SelectMdMux(0);
  source.session.choice.SelectMdDmux(1);
  source.ConfirmStructure();
  const std::string whole = source.dir.File("whole.kep");
  source.Answer(whole);
  ASSERT_TRUE(source.session.SaveProjectAs());
  const std::string bytes = ReadBytes(whole);
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    for (bool project : {false, true}) {
      SessionFixture b;
      const std::string path =
          source.dir.File("cut" + std::to_string(cut) + (project ? ".kep" : ".kef"));
      WriteBytes(path, bytes.substr(0, cut));
      const bool read = project ? b.OpenProjectFile(path) : b.OpenFunctionFile(path);
      const std::string what = "cut at " + std::to_string(cut);
      ExpectSaneModel(b, what);
      if (!read && b.session.commandState != CommandState::kRealizationRefused)
        ExpectRefusalMessage(b, project, what);
    }
  }
}

TEST(HostileFiles, HugeCountsAreRefusedAtOnce) {
  for (const char* count : {"2000000000", "2147483647", "99999", "1025", "-5"}) {
    SessionFixture b;
    WriteBytes(b.dir.File("h.kef"), CrLf({"KESTREL", "DECIMAL", count, "1"}));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(b.OpenFunctionFile(b.dir.File("h.kef")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    ASSERT_EQ(b.messages.shown.size(), 1u);
    EXPECT_EQ(b.messages.shown[0].text, kCorrupted);
    EXPECT_TRUE(b.model.ones().empty());
    EXPECT_EQ(b.project.functionHasFile, 0);
  }
}

TEST(HostileFiles, AHundredMegabyteFileIsRefusedWithoutReadingIt) {
  SessionFixture b;
  const std::string path = b.dir.File("huge.kep");
  WriteBytes(path, "KESTREL\r\nDECIMAL\r\n");
  fs::resize_file(path, 100u << 20);  // sparse: nothing is written to disk
  const std::string other = b.dir.File("huge.bin");
  WriteBytes(other, "MZ");
  fs::resize_file(other, 100u << 20);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(b.OpenFunctionFile(path));
  EXPECT_EQ(b.messages.shown.back().text, kCorrupted);
  EXPECT_FALSE(b.OpenProjectFile(path));
  EXPECT_EQ(b.messages.shown.back().text, kCorrupted);
  EXPECT_FALSE(b.OpenProjectFile(other));
  EXPECT_EQ(b.messages.shown.back().text, kNotKestrel);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_EQ(b.session.commandState, CommandState::kEmpty);
  EXPECT_EQ(b.project.projectHasFile, 0);
}

TEST(HostileFiles, ManyEmptyLinesWithinTheCapAreHandled) {
  SessionFixture b;
  std::string bytes = "KESTREL\r\nDECIMAL\r\n0\r\n0\r\n0\r\nMINIMIZED\r\n";
  bytes += std::string(kMaxKestrelFileBytes - bytes.size(), '\n');
  WriteBytes(b.dir.File("lines.kef"), bytes);
  EXPECT_FALSE(b.OpenFunctionFile(b.dir.File("lines.kef")));  // no "-" in a million lines
  EXPECT_EQ(b.messages.shown.back().text, kCorrupted);
}

// --- Round trips ---

struct RandomFunction {
  std::vector<int> ones, zeros, dontCares;
};

RandomFunction MakeFunction(std::mt19937& rng) {
  const int n = 1 + static_cast<int>(rng() % 6);
  RandomFunction f;
  for (int v = 0; v < (1 << n); ++v) {
    const unsigned r = rng() % 10;
    if (r < 4)
      f.ones.push_back(v);
    else if (r < 5)
      f.dontCares.push_back(v);
    else if (r < 7)
      f.zeros.push_back(v);
  }
  return f;
}

TEST(RoundTrip, RandomCanonicalFunctionsThroughTheFunctionSection) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    const RandomFunction f = MakeFunction(rng);
    SessionFixture b;
    b.Canonical(f.ones, f.zeros, f.dontCares);
    LineBuffer out;
    ASSERT_TRUE(WriteFunctionSection(out, b.model, b.messages)) << round;
    const std::string bytes = out.ToBytes();
    FunctionModel back;
    RecordingShell shell;
    const LineBuffer in = LineBuffer::FromBytes(bytes);
    ASSERT_EQ(ReadFunctionSection(in, 1, back, shell), in.Count()) << round;
    for (int l = 0; l < 3; ++l) EXPECT_EQ(back.lists[l], b.model.lists[l]) << round;
    EXPECT_EQ(back.representationFlag, 1);
    const bool constant = b.model.functionText == "0" || b.model.functionText == "1";
    EXPECT_EQ(back.functionText, constant ? "" : b.model.functionText) << round;
    EXPECT_EQ(shell.commandState,
              constant ? CommandState::kNothingToRealize : CommandState::kFunctionDefined)
        << round;
    // Writing what was read gives the same bytes again, unless a constant lost its text.
    LineBuffer again;
    ASSERT_TRUE(WriteFunctionSection(again, back, b.messages));
    if (!constant) {
      EXPECT_EQ(again.ToBytes(), bytes) << round;
    }
  }
}

TEST(RoundTrip, RandomCanonicalFunctionsThroughFunctionFiles) {
  std::mt19937 rng(8);
  for (int round = 0; round < 8; ++round) {
    const RandomFunction f = MakeFunction(rng);
    SessionFixture b;
    b.Canonical(f.ones, f.zeros, f.dontCares);
    const std::string path = b.dir.File("f.kef");
    b.Answer(path);
    ASSERT_TRUE(b.session.SaveFunctionAs()) << round;
    SessionFixture r;
    ASSERT_TRUE(r.OpenFunctionFile(path)) << round;
    for (int l = 0; l < 3; ++l) EXPECT_EQ(r.model.lists[l], b.model.lists[l]) << round;
    const bool constant = b.model.functionText == "0" || b.model.functionText == "1";
    EXPECT_EQ(r.model.functionText, constant ? "" : b.model.functionText) << round;
    EXPECT_EQ(r.session.commandState,
              constant ? CommandState::kNothingToRealize : CommandState::kFunctionDefined)
        << round;
    EXPECT_TRUE(r.messages.shown.empty());
  }
}

TEST(RoundTrip, LiteralFunctionsThroughFunctionFiles) {
  for (const char* typed : {"x9~x7x3~x0 + x4~x7", "x1", "~x1x0+~x1~x0", "+x1", "x3x1+x3~x1"}) {
    for (bool minimize : {true, false}) {
      SessionFixture b;
      b.Literal(typed, minimize);
      b.Answer(b.dir.File("l.kef"));
      ASSERT_TRUE(b.session.SaveFunctionAs()) << typed;
      SessionFixture r;
      ASSERT_TRUE(r.OpenFunctionFile(b.dir.File("l.kef"))) << typed;
      EXPECT_EQ(r.model.representationFlag, 2);
      EXPECT_EQ(r.model.functionText, b.model.functionText) << typed;
      EXPECT_EQ(r.session.commandState, CommandState::kFunctionDefined);
    }
  }
}

TEST(RoundTrip, RandomFunctionsAndEveryStructureThroughProjectFiles) {
  std::mt19937 rng(2024);
  int realized = 0;
  for (int round = 0; round < 32; ++round) {
    const RandomFunction f = MakeFunction(rng);
    SessionFixture b;
    b.Canonical(f.ones, f.zeros, f.dontCares);
    StructureChoice& c = b.session.choice;
    c.tab = *TabFromIndex(round % 4);
    c.radioMuxSize = static_cast<int>(rng() % 4);
    c.SetUseGates(rng() % 2 == 0);
    c.radioGates = static_cast<GateFamily>(rng() % 3);
    c.radioDmux = static_cast<int>(rng() % 4);
    c.radioMuxMT = static_cast<int>(rng() % 4);
    const int n = CountVariables(b.model.functionText);
    if (c.tab == StructureTab::kMuxDemux && n >= 2) {
      // A pair as the dialog's automatic partner makes it: the address counts add up to n.
      const int m = 1 + static_cast<int>(rng() % std::min(4, n - 1));
      c.SelectMdMux(m - 1);
      if (n - m <= 4) c.SelectMdDmux(n - m - 1);
    }
    b.ConfirmStructure();
    const StructureChoice saved = c;
    const std::string path = b.dir.File("p.kep");
    b.Answer(path);
    ASSERT_TRUE(b.session.SaveProjectAs()) << round;

    SessionFixture r;
    ASSERT_TRUE(r.OpenProjectFile(path)) << round;
    for (int l = 0; l < 3; ++l) EXPECT_EQ(r.model.lists[l], b.model.lists[l]) << round;
    const bool constant = b.model.functionText == "0" || b.model.functionText == "1";
    EXPECT_EQ(r.model.functionText, constant ? "" : b.model.functionText) << round;
    // The design read back, before the realization clamped anything.
    StructureChoice back;
    const LineBuffer file = LineBuffer::FromBytes(ReadBytes(path));
    FunctionModel scratch;
    RecordingShell shell;
    const int design = ReadFunctionSection(file, 1, scratch, shell);
    ASSERT_GT(design, 0);
    ASSERT_EQ(ReadDesignSection(file, design, back), DesignRead::kRead);
    EXPECT_EQ(back.tab, saved.tab);
    if (saved.tab == StructureTab::kMux) {
      EXPECT_EQ(back.radioMuxSize, saved.radioMuxSize);
      EXPECT_EQ(back.useGates, saved.useGates);
      if (saved.useGates) {
        EXPECT_EQ(back.radioGates, saved.radioGates);
      }
    }
    if (saved.tab == StructureTab::kDemux) {
      EXPECT_EQ(back.radioDmux, saved.radioDmux);
    }
    if (saved.tab == StructureTab::kMuxTree) {
      EXPECT_EQ(back.radioMuxMT, saved.radioMuxMT);
    }
    if (saved.tab == StructureTab::kMuxDemux) {
      EXPECT_EQ(back.MdMuxIndex(), saved.MdMuxIndex());
      EXPECT_EQ(back.MdDmuxIndex(), saved.MdDmuxIndex());
    }
    // The project was realized at once; what was realized computes the function.
    if (r.session.commandState == CommandState::kRealized) {
      ++realized;
      const Verification v =
          VerifyRealization(b.model.functionText, r.session.choice, r.session.results);
      EXPECT_EQ(v.mismatches, 0) << round << " " << b.model.functionText;
    }
  }
  EXPECT_GE(realized, 12);
}

}  // namespace
}  // namespace kestrel::testing
