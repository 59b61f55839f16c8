#include "cli/files_commands.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>

#include "ui/file_dialogs.h"

namespace kestrel::cli {

namespace {

/// Records what the user would see, but answers the replace question itself: the command was
/// asked to replace the file.
class SaveMessages : public RecordingMessages {
 public:
  Answer Show(const std::string& text, const std::string& caption, Buttons buttons,
              Icon icon) override {
    if (buttons == Buttons::OkCancel) return Answer::Ok;
    return RecordingMessages::Show(text, caption, buttons, icon);
  }
};

}  // namespace

bool IsProjectPath(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".kep";
}

int RunOpen(const std::string& path, bool json, bool listCheck) {
  RecordingMessages messages;
  HeadlessProgress progress;
  ScriptedFileDialogs dialogs;
  dialogs.answers.emplace_back(path);
  Session session(messages, progress, &dialogs);
  if (!IsProjectPath(path)) {
    const bool read = session.OpenFunction();
    PrintModel(session, messages, json);
    return read ? kExitOk : kExitRefused;
  }
  const RealizeResult run = session.OpenProject().realization.value_or(RealizeResult{});
  if (json)
    std::cout << RealizeJson(session, messages, run, listCheck).dump() << "\n";
  else
    PrintRealizePlain(session, messages, run, listCheck);
  return run.outcome == RealizeOutcome::kRealized ? kExitOk : kExitRefused;
}

int RunSave(const std::string& path, const RealizeInputs& inputs, bool json) {
  SaveMessages messages;
  HeadlessProgress progress;
  ScriptedFileDialogs dialogs;
  dialogs.answers.emplace_back(path);
  Session session(messages, progress, &dialogs);
  const bool project = IsProjectPath(path);
  bool defined = true;
  if (inputs.functionText) {
    // A function text given as is counts as a literal function that was not minimized.
    session.UseFunctionText(*inputs.functionText);
  } else {
    defined = DefineFunction(session, inputs.function);
  }
  bool saved = false;
  if (defined) {
    if (project) {
      // The design structure dialog, confirmed with the choice from the options.
      session.choice.OnShow(session.model.functionText);
      session.choice.Apply(inputs.Options());
      session.AcceptStructure();
      if (const std::string problem = ApplyAddressOption(session, inputs); !problem.empty()) {
        std::cerr << "kestrel-cli: " << problem << "\n";
        return kExitUsage;
      }
      saved = session.SaveProjectAs();
    } else {
      saved = session.SaveFunctionAs();
    }
  }
  if (json) {
    std::cout << nlohmann::json{{"file", path},
                                {"saved", saved},
                                {"messages", MessagesJson(messages)}}
                     .dump()
              << "\n";
  } else {
    if (saved) std::cout << "Saved " << path << "\n";
    PrintMessagesPlain(messages);
  }
  return saved ? kExitOk : kExitRefused;
}

void FileCommands::Register(CLI::App& app) {
  open = app.add_subcommand(
      "open", "open a function file (.kef) or a project file (.kep, realized at once)");
  open->add_option("file", openPath, "the .kef or .kep file")->required();
  open->add_flag("--json", openJson, "print the result as one JSON object");
  open->add_flag("--verify-lists", openListCheck,
                 "also show the check of the circuit against the Ones and Zeros of a canonical "
                 "function (verification.lists); a mismatch is always shown");

  save = app.add_subcommand(
      "save", "define a function (and for a .kep file its structure) and save it to a file");
  save->add_option("file", savePath, "the .kef or .kep file to write (replaced if it exists)")
      ->required();
  AddFunctionOptions(*save, saveInputs.function);
  save->add_option("--function", saveInputs.functionText,
                   "a project's function as a sum of products, e.g. x2~x0+x1 (used as given)");
  save->add_option("--structure", saveInputs.structure,
                   "for a project: mux, mux-gates, demux, mux-tree or mux-demux")
      ->check(CLI::IsMember(StructureCliNames()));
  save->add_option("--mux-size", saveInputs.muxSize,
                   "for a project: data inputs of the multiplexer: 2, 4, 8 or 16")
      ->check(CLI::IsMember({2, 4, 8, 16}));
  save->add_option("--demux-size", saveInputs.demuxSize,
                   "for a project: outputs of the demultiplexer: 2, 4, 8 or 16")
      ->check(CLI::IsMember({2, 4, 8, 16}));
  save->add_option("--gates", saveInputs.gates, "for a project: nand, nor or and-or-not")
      ->check(CLI::IsMember(GateFamilyCliNames()));
  AddAddressOption(*save, saveInputs);
  save->add_flag("--json", saveJson, "print the result as one JSON object");
}

int FileCommands::Run() const {
  if (open && open->parsed()) return RunOpen(openPath, openJson, openListCheck);
  std::string problem;
  if (IsProjectPath(savePath)) {
    if (saveInputs.structure.empty()) problem = "saving a project (.kep) needs --structure";
  } else if (saveInputs.functionText || !saveInputs.structure.empty() || saveInputs.muxSize ||
             saveInputs.demuxSize || save->count("--gates") > 0 || saveInputs.address) {
    problem =
        "a function file (.kef) takes the inputs of minimize only; --function, --structure, "
        "--mux-size, --demux-size, --gates and --address are for a project (.kep)";
  }
  if (problem.empty()) problem = ValidateRealizeInputs(saveInputs);
  if (!problem.empty()) {
    std::cerr << "kestrel-cli: " << problem << "\n";
    return kExitUsage;
  }
  return RunSave(savePath, saveInputs, saveJson);
}

}  // namespace kestrel::cli
