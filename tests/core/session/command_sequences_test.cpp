// Sequences of commands on one session, as a user runs them one after the other: after every
// step the modified marks, the caption, the command state, the function and the save question
// asked are checked, so that what one command leaves for the next (a save that succeeded
// earlier, the project's file given up by Open project, an answer to an earlier question) is
// seen. Each step scripts the answers to its questions and file dialogs; all must be used.

#include <gtest/gtest.h>

#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

enum class Command {
  kDefine,          ///< the canonical entry with the step's Ones, then Ok
  kConfirm,         ///< the design structure dialog closed with OK
  kRealize,         ///< Realize on the current choice
  kNewProject,      ///< "New project"
  kOpenProject,     ///< "Open project"
  kOpenFunction,    ///< "Open function"
  kSaveProject,     ///< "Save project" (after its notice)
  kSaveProjectAs,   ///< "Save project as..." (after its notice)
  kSaveFunctionAs,  ///< "Save function as..."
  kClose,           ///< "Exit": true when the window may close
};

/// A file dialog's answer: a name in the session's folder, or nullptr for Cancel.
using File = const char*;

struct Expect {
  int projectModified;
  int functionModified;
  const char* caption;  ///< the name in "Kestrel (...)"
  CommandState state;
  const char* function;  ///< the function text the session holds
  const char* asked;     ///< the captions of the save questions asked, or ""
  bool closes = false;   ///< for kClose: whether the window may close
};

struct Step {
  Command command;
  std::vector<Answer> answers;  ///< to the save questions
  std::vector<File> files;      ///< to the file dialogs
  Expect expect;
  std::vector<int> ones = {};  ///< for kDefine
};

struct Scenario {
  const char* name;
  std::vector<Step> steps;
};

constexpr CommandState kEmpty = CommandState::kEmpty;
constexpr CommandState kDefined = CommandState::kFunctionDefined;
constexpr CommandState kRealized = CommandState::kRealized;

Step Define(std::vector<int> ones, Expect expect) {
  return {Command::kDefine, {}, {}, expect, std::move(ones)};
}

const Scenario kScenarios[] = {
    {"a saved project modified again keeps its work when its save is cancelled or fails",
     {
         Define({1, 3}, {0, 1, "Untitled", kDefined, "x0", ""}),
         {Command::kConfirm, {}, {}, {1, 1, "Untitled", kDefined, "x0", ""}},
         {Command::kRealize, {}, {}, {1, 1, "Untitled", kRealized, "x0", ""}},
         {Command::kSaveProjectAs, {}, {"p.kep"}, {0, 0, "p.kep", kRealized, "x0", ""}},
         {Command::kConfirm, {}, {}, {1, 0, "p.kep", kRealized, "x0", ""}},
         {Command::kNewProject, {Answer::Yes}, {nullptr}, {1, 0, "p.kep", kRealized, "x0", "Save"}},
         {Command::kNewProject,
          {Answer::Yes},
          {"missing/q.kep"},
          {1, 0, "p.kep", kRealized, "x0", "Save"}},
         {Command::kClose, {Answer::Yes}, {nullptr}, {1, 0, "p.kep", kRealized, "x0", "Close"}},
         {Command::kClose, {Answer::Cancel}, {}, {1, 0, "p.kep", kRealized, "x0", "Close"}},
         {Command::kNewProject, {Answer::No}, {}, {0, 0, "Untitled", kEmpty, "", "Save"}},
     }},
    {"No before Open project clears the project's mark even when no file is opened",
     {
         Define({1, 3}, {0, 1, "Untitled", kDefined, "x0", ""}),
         {Command::kConfirm, {}, {}, {1, 1, "Untitled", kDefined, "x0", ""}},
         {Command::kRealize, {}, {}, {1, 1, "Untitled", kRealized, "x0", ""}},
         {Command::kOpenProject,
          {Answer::No},
          {nullptr},
          {0, 1, "Untitled", kRealized, "x0", "Save project?"}},
         // Only the function is left to ask about.
         {Command::kNewProject, {Answer::Cancel}, {}, {0, 1, "Untitled", kRealized, "x0", "Close"}},
         // Reading a project leaves the function's mark as it was.
         {Command::kOpenProject, {}, {"other.kep"}, {0, 1, "other.kep", kRealized, "x2x1", ""}},
         {Command::kClose, {Answer::No}, {}, {0, 1, "other.kep", kRealized, "x2x1", "Close", true}},
     }},
    {"Open project gives the project's file up, so its save asks for a name",
     {
         Define({1, 3}, {0, 1, "Untitled", kDefined, "x0", ""}),
         {Command::kConfirm, {}, {}, {1, 1, "Untitled", kDefined, "x0", ""}},
         {Command::kSaveProjectAs, {}, {"p.kep"}, {0, 0, "p.kep", kDefined, "x0", ""}},
         {Command::kConfirm, {}, {}, {1, 0, "p.kep", kDefined, "x0", ""}},
         {Command::kOpenProject,
          {Answer::Yes},
          {nullptr},
          {1, 0, "p.kep", kDefined, "x0", "Save project?"}},
         {Command::kSaveProject, {}, {"p2.kep"}, {0, 0, "p2.kep", kDefined, "x0", ""}},
         {Command::kOpenProject, {}, {"other.kep"}, {0, 0, "other.kep", kRealized, "x2x1", ""}},
         {Command::kConfirm, {}, {}, {1, 0, "other.kep", kRealized, "x2x1", ""}},
         // Cancel at the question: nothing is read, and the file stays given up.
         {Command::kOpenProject,
          {Answer::Cancel},
          {},
          {1, 0, "other.kep", kRealized, "x2x1", "Save project?"}},
         {Command::kSaveProject, {}, {"p3.kep"}, {0, 0, "p3.kep", kRealized, "x2x1", ""}},
     }},
    {"a saved function edited again keeps its edit when its save is cancelled",
     {
         Define({1, 3}, {0, 1, "Untitled", kDefined, "x0", ""}),
         {Command::kSaveFunctionAs, {}, {"f.kef"}, {0, 0, "f.kef", kDefined, "x0", ""}},
         Define({1, 2, 3}, {0, 1, "f.kef", kDefined, "x1+x0", ""}),
         {Command::kNewProject,
          {Answer::Yes},
          {nullptr},
          {0, 1, "f.kef", kDefined, "x1+x0", "Close"}},
         {Command::kClose, {Answer::Yes}, {nullptr}, {0, 1, "f.kef", kDefined, "x1+x0", "Close"}},
         // Yes before Open function saves to the function's file without a dialog.
         {Command::kOpenFunction,
          {Answer::Yes},
          {nullptr},
          {0, 0, "f.kef", kDefined, "x1+x0", "Save"}},
         {Command::kOpenFunction, {}, {"f.kef"}, {0, 0, "f.kef", kDefined, "x1+x0", ""}},
         {Command::kOpenFunction, {}, {"other.kef"}, {0, 0, "other.kef", kDefined, "x2", ""}},
     }},
    {"New project forgets the files: the next saves ask for names",
     {
         Define({1, 3}, {0, 1, "Untitled", kDefined, "x0", ""}),
         {Command::kConfirm, {}, {}, {1, 1, "Untitled", kDefined, "x0", ""}},
         {Command::kSaveProjectAs, {}, {"p.kep"}, {0, 0, "p.kep", kDefined, "x0", ""}},
         {Command::kNewProject, {}, {}, {0, 0, "Untitled", kEmpty, "", ""}},
         Define({1}, {0, 1, "Untitled", kDefined, "x0", ""}),
         {Command::kConfirm, {}, {}, {1, 1, "Untitled", kDefined, "x0", ""}},
         {Command::kSaveProject, {}, {"p4.kep"}, {0, 0, "p4.kep", kDefined, "x0", ""}},
         {Command::kClose, {}, {}, {0, 0, "p4.kep", kDefined, "x0", "", true}},
     }},
};

/// Runs one step; the result of Close, true for the other commands.
bool RunStep(SessionFixture& b, const Step& step) {
  b.messages.answers.assign(step.answers.begin(), step.answers.end());
  for (File file : step.files) {
    if (file)
      b.Answer(b.dir.File(file));
    else
      b.CancelDialog();
  }
  Session& s = b.session;
  switch (step.command) {
    case Command::kDefine:
      b.Canonical(step.ones);
      return true;
    case Command::kConfirm:
      b.ConfirmStructure();
      return true;
    case Command::kRealize:
      s.RealizeCurrent();
      return true;
    case Command::kNewProject:
      s.NewProjectClick();
      return true;
    case Command::kOpenProject:
      s.OpenProjectClick();
      return true;
    case Command::kOpenFunction:
      s.OpenFunctionClick();
      return true;
    case Command::kSaveProject:
      s.SaveProjectClick();
      return true;
    case Command::kSaveProjectAs:
      s.SaveProjectAsClick();
      return true;
    case Command::kSaveFunctionAs:
      s.SaveFunctionAsClick();
      return true;
    case Command::kClose:
      return s.CloseQuery();
  }
  return true;
}

TEST(CommandSequences, EachStepLeavesTheExpectedProject) {
  for (const Scenario& scenario : kScenarios) {
    SessionFixture b;
    WriteBytes(b.dir.File("other.kep"), CrLf({"KESTREL", "LITERAL", "x2x1", "MUXTREE", "2"}));
    WriteBytes(b.dir.File("other.kef"), CrLf({"KESTREL", "LITERAL", "x2"}));
    int number = 0;
    for (const Step& step : scenario.steps) {
      SCOPED_TRACE(std::string(scenario.name) + ", step " + std::to_string(++number));
      const size_t shownBefore = b.messages.shown.size();
      const bool result = RunStep(b, step);
      const Expect& e = step.expect;
      EXPECT_TRUE(b.messages.answers.empty()) << "a question was not asked";
      EXPECT_TRUE(b.dialogs.answers.empty()) << "a file dialog was not shown";
      std::string asked;
      for (size_t i = shownBefore; i < b.messages.shown.size(); ++i)
        if (b.messages.shown[i].buttons == Buttons::YesNoCancel)
          asked += (asked.empty() ? "" : ", ") + b.messages.shown[i].caption;
      EXPECT_EQ(asked, e.asked);
      EXPECT_EQ(b.project.projectModified, e.projectModified);
      EXPECT_EQ(b.model.functionModified, e.functionModified);
      EXPECT_EQ(b.session.caption, std::string("Kestrel (") + e.caption + ")");
      EXPECT_EQ(b.session.commandState, e.state);
      EXPECT_EQ(b.model.functionText, e.function);
      if (step.command == Command::kClose) {
        EXPECT_EQ(result, e.closes);
      }
    }
  }
}

}  // namespace
}  // namespace kestrel::testing
