#pragma once
// One run of the program without windows, for the core tests: a Session wired to recording
// messages, a tracing progress window and scripted file dialogs, a private folder for files,
// and helpers that drive the same commands a user would (entry windows, the structure dialog,
// the file dialogs). Also the one-line descriptions of shown messages that tests compare.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "session/session.h"
#include "support/temp_dir.h"

namespace kestrel::testing {

/// The headless progress window, remembering every title, bar maximum and bar position the run
/// set. It can also press "Stop process" shortly after a given bar maximum has been set, so a
/// test can stop a run in a chosen phase independently of timing. The press comes with the
/// second round of event processing after that: the first one may still precede the arming of
/// the stop request, which would swallow the press.
class TracingProgress : public HeadlessProgress {
 public:
  std::vector<std::string> titles;
  std::vector<int> maxima;
  std::vector<int> positions;
  int stopWhenMaximumIs = -1;

  void SetTitle(const std::string& text) override {
    titles.push_back(text);
    HeadlessProgress::SetTitle(text);
  }
  void SetBarMaximum(int maximum) override {
    maxima.push_back(maximum);
    HeadlessProgress::SetBarMaximum(maximum);
    if (maximum == stopWhenMaximumIs) stopAfterEvents = eventCalls + 2;
  }
  void SetBarPosition(int position) override {
    positions.push_back(position);
    HeadlessProgress::SetBarPosition(position);
  }
};

struct SessionFixture {
  RecordingMessages messages;
  TracingProgress progress;
  ScriptedFileDialogs dialogs;
  Session session{messages, progress, &dialogs};
  FunctionModel& model = session.model;
  FunctionDefinition& def = session.definition;
  ProjectRecord& project = session.project;
  TempDir dir;

  // --- The function definition window ---

  /// Opens the canonical entry, adds every number to its list with "Add" and presses "Ok".
  /// Returns Ok's result; a refused Add is a test failure.
  bool EnterCanonical(const std::vector<int>& ones, const std::vector<int>& zeros = {},
                      const std::vector<int>& dontCares = {}) {
    def.OpenCanonical();
    AddAll(ones, zeros, dontCares);
    return def.Ok();
  }
  /// Opens the literal entry, types the text and presses "OK"; returns OK's result.
  bool EnterLiteral(const std::string& text, bool minimize = true) {
    def.OpenLiteral();
    model.functionText = text;
    def.minimizeChecked = minimize;
    return def.LiteralOk();
  }
  /// The canonical entry from the tool button on a cleared window; Ok must accept.
  void Canonical(const std::vector<int>& ones, const std::vector<int>& zeros = {},
                 const std::vector<int>& dontCares = {}) {
    session.DecimalRepClick();
    def.ClearAll();
    AddAll(ones, zeros, dontCares);
    EXPECT_TRUE(def.Ok());
  }
  /// The literal entry with "Minimize" as given; OK must accept.
  void Literal(const std::string& text, bool minimize = true) {
    session.LiteralRepClick();
    EXPECT_TRUE(EnterLiteral(text, minimize));
  }

  // --- The design structure dialog and Realize ---

  /// The design structure dialog confirmed with OK, without its checks: the project becomes
  /// modified and the zoom goes back to 17.
  void ConfirmStructure() {
    session.choice.OnShow(model.functionText);
    session.AcceptStructure();
  }
  /// Realizes the text (taken as the current function) in the structure of the options, past
  /// the dialog; true when it was realized.
  bool Realize(const std::string& text, const StructureOptions& options) {
    model.functionText = text;
    session.choice.Apply(options);
    return session.RealizeCurrent().outcome == RealizeOutcome::kRealized;
  }

  // --- File dialogs ---

  /// The next file dialog answers with this path (or is cancelled).
  void Answer(const std::string& path) { dialogs.answers.emplace_back(path); }
  void CancelDialog() { dialogs.answers.emplace_back(std::nullopt); }
  bool OpenFunctionFile(const std::string& path) {
    Answer(path);
    return session.OpenFunction();
  }
  bool OpenProjectFile(const std::string& path) {
    Answer(path);
    return session.OpenProject().read;
  }

  /// "Add" for every number into its list; a refused Add is a test failure.
  void AddAll(const std::vector<int>& ones, const std::vector<int>& zeros,
              const std::vector<int>& dontCares) {
    const std::vector<int>* lists[3] = {&ones, &zeros, &dontCares};
    for (ListKind target : kListKinds)
      for (int v : *lists[static_cast<int>(target)])
        EXPECT_TRUE(def.Add(std::to_string(v), target))
            << "Add " << v << " to list " << static_cast<int>(target);
  }

  /// The texts of every message shown so far.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages.shown) out.push_back(m.text);
    return out;
  }
};

/// The options of a structure with sizes given as data inputs / outputs (0: not given).
inline StructureOptions Options(Structure structure, int muxSize = 0, int demuxSize = 0,
                                GateFamily gates = GateFamily::kNand) {
  StructureOptions o;
  o.structure = structure;
  if (muxSize) o.muxSize = muxSize;
  if (demuxSize) o.demuxSize = demuxSize;
  o.gates = gates;
  return o;
}

// --- Shown messages as comparable lines ---

inline const char* ButtonsName(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return "OK";
    case Buttons::OkCancel:
      return "OK+Cancel";
    case Buttons::YesNoCancel:
      return "Yes+No+Cancel";
  }
  return "?";
}

inline const char* IconName(Icon icon) {
  switch (icon) {
    case Icon::None:
      return "no icon";
    case Icon::Warning:
      return "warning";
    case Icon::Information:
      return "information";
    case Icon::Error:
      return "error";
    case Icon::Question:
      return "question";
  }
  return "?";
}

/// One shown message as a single comparable line: caption, buttons, icon, text.
inline std::string Describe(const std::string& text, const std::string& caption,
                            Buttons buttons = Buttons::Ok, Icon icon = Icon::None) {
  return "[" + caption + " | " + ButtonsName(buttons) + " | " + IconName(icon) + "] " + text;
}

inline std::vector<std::string> Shown(const RecordingMessages& messages) {
  std::vector<std::string> out;
  for (const auto& m : messages.shown)
    out.push_back(Describe(m.text, m.caption, m.buttons, m.icon));
  return out;
}

/// A plain message box: the program title, OK, no icon.
inline std::string Plain(const std::string& text) {
  return Describe(text, kAppTitle);
}

inline std::vector<std::string> Entries(const std::vector<int>& values) {
  std::vector<std::string> out;
  for (int v : values) out.push_back(std::to_string(v));
  return out;
}

inline std::vector<int> Range(int from, int to) {  // from..to inclusive
  std::vector<int> out;
  for (int v = from; v <= to; ++v) out.push_back(v);
  return out;
}

}  // namespace kestrel::testing
