#pragma once
// The single owner of everything one run of the program works on, and of every command rule:
// the function model, the term table, the structure choice, the realization results, the
// project record and the command-enabling state, and the operations that change them. The
// windows and kestrel-cli translate events into these operations and show the state; they
// never change a field whose invariants are kept here.

#include <optional>
#include <string>

#include "base/limits.h"
#include "engine/address_choice.h"
#include "engine/compare.h"
#include "engine/realize.h"
#include "engine/records.h"
#include "files/file_io.h"
#include "files/line_buffer.h"
#include "function/exact_cover.h"
#include "function/function_model.h"
#include "function/term_table.h"
#include "session/command_states.h"
#include "session/project_record.h"
#include "session/session_texts.h"
#include "structure/structure_choice.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"
#include "ui/progress.h"
#include "ui/shell.h"

namespace kestrel {

class Session : public ShellPort {
 public:
  /// The file dialogs may be given later with SetFileDialogs; until then every dialog is
  /// cancelled.
  Session(MessageSink& messages, ProgressPort& progress, FileDialogs* fileDialogs = nullptr)
      : messages(messages),
        progress(progress),
        definition(model, table, messages, *this, progress),
        fileDialogs_(fileDialogs ? fileDialogs : &noFileDialogs_) {
    ApplyCommandState(commands, commandState, model.representationFlag);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  MessageSink& messages;
  ProgressPort& progress;
  FunctionModel model;
  TermTable table;
  FunctionDefinition definition;
  StructureChoice choice;
  ResultStore results;
  /// The structure name shown in bold under "Realized in the structure:", and the line below.
  std::string designCaption, additionalCaption;
  /// The zoom of the diagram: 10..30, 17 at start and after every OK of the structure dialog.
  int zoom = kDefaultZoom;

  /// The main window's command-enabling state: empty at start.
  CommandState commandState = CommandState::kEmpty;

  /// What the command state enables and shows; the main window applies it to its widgets.
  CommandView commands;

  void SetCommandState(CommandState state) override {
    ApplyCommandState(commands, state, model.representationFlag);
    commandState = state;
  }
  void ClearMuxDemuxSizes() override { choice.ClearMdSizes(); }

  // --- Function (session/realization.cpp) ---
  /// A function text taken as given, as a literal function that was not minimized (the command
  /// line's --function): it becomes the function, modified, in the state of a defined function
  /// (nothing to realize for "0" and "1").
  void UseFunctionText(const std::string& text);
  /// The heading above the function in the result: "Function after minimization:" when the
  /// function definition's "Minimize" box is set, else "Function:".
  std::string FunctionHeading() const;

  // --- Realization (session/realization.cpp) ---
  /// OK of the design structure dialog: its checks, then (when they pass) AcceptStructure.
  /// True when the dialog closes with OK.
  bool ConfirmStructure();
  /// What OK does once its checks passed: the zoom goes back to 17 and the project counts as
  /// modified.
  void AcceptStructure();
  /// Realize: the chosen structure for the current function (with the refusals and the
  /// clamping of sizes); when realized, the design caption is the structure's name and the
  /// additional caption is cleared. The result says what happened and which command state
  /// the realization set.
  RealizeResult RealizeCurrent();
  /// The Realization command after the dialog closed with OK: nothing while the command is
  /// disabled (a constant function), else RealizeCurrent.
  RealizeResult RealizationAccepted();

  // --- Address inputs (session/tools.cpp) ---
  /// The choice of the variables that drive the address inputs; automatic unless the user
  /// chose. A named choice belongs to the structure, size and function it was made for: once
  /// one of them changes, the realizations return to the automatic choice.
  AddressChoice address;
  /// Makes the choice the current structure's (checked against it, its size fitted to the
  /// function, and the function): the reason it does not fit, or "" once it is set. A change
  /// counts as a change of the project.
  std::string SetAddressChoice(const AddressChoice& choice);
  /// The choice the next realization uses: a named choice that no longer fits is dropped.
  const AddressChoice& AddressForRealization();

  // --- Comparison of structures (session/tools.cpp) ---
  /// The current function in every structure, off to the side: the current project, its
  /// choice and its results stay as they are.
  std::vector<CompareRow> CompareStructuresNow(AddressMode mode = AddressMode::kAutomatic) const;
  /// A row chosen from the comparison: the structure dialog takes the row's choice and is
  /// confirmed as with OK (zoom 17, project modified), then the realization follows; with the
  /// best address inputs the row was compared with, they become the address choice.
  RealizeResult RealizeComparedRow(const StructureOptions& options, AddressMode mode);

  // --- Minimum cover (session/tools.cpp) ---
  /// The solver of the minimum cover's cyclic core (kestrel_solver provides one); without it
  /// the minimum cover is not available.
  void SetCoverSolver(CoverSolver& solver) { coverSolver_ = &solver; }
  bool HasCoverSolver() const { return coverSolver_ != nullptr; }
  /// Whether the current function has covers to compare: a function minimized from its Ones
  /// (canonical, or literal) that is not constant.
  bool CanCompareCovers() const;
  /// Both covers of the current function: the greedy one the minimization keeps and the
  /// minimum one, the solver given at most `seconds`. Nothing when CanCompareCovers() is false
  /// or no solver is set.
  std::optional<CoverComparison> CompareCoversNow(double seconds = kDefaultCoverSeconds);
  /// The function text becomes the comparison's minimum cover (noted as such, so the heading,
  /// the files and the cover window say which cover it is); the function and the project count
  /// as modified. A realization that was shown (or refused) is made again for the new text.
  /// Nothing happens when the minimum cover is the current text already.
  std::optional<RealizeResult> UseMinimumCover(const CoverComparison& covers);

  // --- Zoom (session/realization.cpp) ---
  /// The zoom strip's track bar moved (it is visible before the first realization).
  void SetZoom(int value);
  /// The zoom buttons: a step of 2 within 10..30, then the buttons' enabled states (zoom in is
  /// off at 30; zoom out is off at 10 and 11). The caller redraws at the new zoom.
  void ZoomIn();
  void ZoomOut();
  /// A zoom chosen at once (fit to window, the zoom a user set before): the zoom within
  /// 10..30, then the zoom buttons' enabled states as the steps would leave them there.
  void ZoomTo(int value);

  // --- Printing (session/realization.cpp) ---
  struct PrintChoices {
    /// A wide multiplexer tree or gate network: the print will be hard to read.
    bool crowdingNote = false;
    /// A single multiplexer or a demultiplexer is printed at half the scale.
    bool halveScale = false;
  };
  PrintChoices PrintChoicesNow() const;
  /// Print project's first step: the note on crowded trees, when it applies.
  void ShowPrintNote();

  // --- Project lifecycle (session/lifecycle.cpp) ---
  ProjectRecord project;
  /// The main window's caption: "Kestrel (Untitled)", or "Kestrel (" + file name + ")".
  std::string caption = sessiontext::kUntitledCaption;
  /// The status bar text ("File saved!" after a save) and Timer1, which clears it.
  std::string statusText;
  bool timer1Enabled = true;
  static constexpr int kTimer1Interval = 3000;  ///< milliseconds

  void SetFileDialogs(FileDialogs& dialogs) { fileDialogs_ = &dialogs; }

  /// Empties the project: command state 7, function and complement lists, captions, names and
  /// flags. The file paths and the representation flag stay.
  void ResetForm1();
  /// The main window is shown for the first time: the file paths and display names start
  /// empty. Later showings change nothing.
  void MainWindowShown();
  /// "New project": the save prompts, then the reset.
  void NewProjectClick();
  /// "New function" > "Canonical representation" / "Literal representation": New project, then
  /// the entry opens unless the function is still unsaved. True when the entry window opened.
  bool NewCanonicalRepresentationClick();
  bool NewLiteralRepresentationClick();
  /// Opens the function definition window in its canonical / literal layout on the current
  /// function (ButtonLB, ButtonEdit).
  void DecimalRepClick();
  void LiteralRepClick();
  /// "Change function": the layout of the current representation; nothing without a function.
  void ChangeFunctionClick();
  /// "Open function" / "Open project": the save prompt, then the file is read.
  void OpenFunctionClick();
  void OpenProjectClick();
  /// The menu items "Save project" / "Save project as...": a notice, then the save.
  void SaveProjectClick();
  void SaveProjectAsClick();
  /// ButtonSave: "Save project as" without the notice.
  void ButtonSaveClick();
  void SaveFunctionClick();
  void SaveFunctionAsClick();
  /// The close request ("Exit" or the close box) with its save prompts; true when the main
  /// window may close.
  bool CloseQuery();
  /// Timer1's tick: clears the status bar and stops the timer.
  void Timer1Timer();

  // --- Function and project files (session/file_operations.cpp) ---
  // Each reports through the project record, the caption, the command state and the status bar;
  // the result says whether the file was written, or read without a complaint.
  bool SaveFunction();
  bool SaveFunctionAs();
  bool OpenFunction();
  bool SaveProject();
  bool SaveProjectAs();
  /// What reading a project did.
  struct OpenProjectResult {
    bool read = false;  ///< the file was read, design section included, without a complaint
    /// The realization that followed the read (only when the file held a design).
    std::optional<RealizeResult> realization;
  };
  /// Reads a project and, when it holds a design, realizes it at once.
  OpenProjectResult OpenProject();
  /// The same reads for a path given without a dialog (the desktop program's command line).
  bool OpenFunctionFile(const std::string& path);
  OpenProjectResult OpenProjectFile(const std::string& path);
  /// A file named when the program starts: a ".kef" file (any case) is read as Open function
  /// reads it, anything else as Open project does (a function file under another name then
  /// opens with the notice that it holds no design). A missing or unreadable file gets the
  /// usual message and leaves the program empty.
  void OpenFileAtStart(const std::string& path);
  /// A file picked from the desktop program's recent files: the save prompt of Open function
  /// (a ".kef" file) or Open project (anything else), then the file is read as at start.
  void OpenRecentFile(const std::string& path);

 private:
  Answer AskToSave(const char* head, std::string& displayName, const char* tail,
                   const char* caption);
  /// After a save prompt: No gives the project (function) up, Yes gives it up once the save
  /// succeeded and cleared the modified flag, Cancel keeps it.
  bool MayGiveUpProject(Answer answer, bool (Session::*save)());
  bool MayGiveUpFunction(Answer answer, bool (Session::*save)());
  void SetFileCaption(const std::string& path);
  /// The two kinds of file. Each kind's dialogs remember the last file of that kind chosen,
  /// read or written, so a name is never offered with the other kind's extension.
  enum class FileKind { kFunction, kProject };
  /// What a dialog offers: the folder of the last file of its kind (else of the other kind),
  /// and for opening that file's name, for saving also the other kind's name with this kind's
  /// extension; a "save as" that starts with an empty name offers the folder only.
  enum class DialogName { kOpen, kSave, kEmpty };
  FileDialogRequest DialogRequest(FileKind kind, const char* title, const char* filter,
                                  DialogName name) const;
  std::string& LastFile(FileKind kind) { return lastFile_[static_cast<int>(kind)]; }
  /// The save dialog, then the read-only and "already exists" checks; the chosen path, or
  /// nothing when the user stopped.
  std::optional<std::string> ChooseSaveTarget(FileKind kind, const char* title, const char* filter,
                                              DialogName name);
  /// Gives the current function up and loads the file; nothing when it could not be opened
  /// (said).
  std::optional<LoadedFile> LoadChosen(FileKind kind, const std::string& path);
  /// The function was replaced without the entry window: a multiplexer-and-demultiplexer pair
  /// that does not fit it is dropped.
  void FunctionReplaced();
  bool WriteBuffer(const std::string& path, int& saveSucceeded);

  NoFileDialogs noFileDialogs_;
  FileDialogs* fileDialogs_;
  CoverSolver* coverSolver_ = nullptr;
  /// What a named address choice was made for: the structure, its address inputs and the
  /// function text.
  struct AddressContext {
    Structure structure = Structure::kMux;
    int inputs = 0;
    std::string function;
    bool operator==(const AddressContext&) const = default;
  } addressContext_;
  AddressContext CurrentAddressContext() const;
  /// The file code's scratch lines (the hidden memo of the function definition window).
  LineBuffer buffer_;
  /// The last function file and the last project file the dialogs dealt with.
  std::string lastFile_[2];
  bool mainWindowShown_ = false;
};

}  // namespace kestrel
