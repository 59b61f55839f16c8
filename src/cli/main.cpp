// kestrel-cli: the program's operations from the command line, for scripts and checks.

#include <iostream>

#include "cli/common.h"
#include "cli/explain_command.h"
#include "cli/files_commands.h"
#include "cli/realize_command.h"
#include "cli/render_command.h"

namespace {

int Run(int argc, char** argv) {
  using namespace kestrel::cli;
  CLI::App app{"Kestrel: minimize Boolean functions and realize them with multiplexers"};
  app.require_subcommand(1);

  FunctionInputs minimizeInputs;
  bool minimizeJson = false;
  CLI::App* minimize = app.add_subcommand("minimize", "define a function and minimize it");
  AddFunctionOptions(*minimize, minimizeInputs);
  minimize->add_flag("--json", minimizeJson, "print the result as one JSON object");

  RealizeInputs realizeInputs;
  bool realizeJson = false;
  CLI::App* realize =
      app.add_subcommand("realize", "realize a function in a design structure and verify it");
  AddRealizeOptions(*realize, realizeInputs);
  realize->add_flag("--json", realizeJson, "print the result as one JSON object");
  bool realizeListCheck = false;
  realize->add_flag("--verify-lists", realizeListCheck,
                    "also show the check of the circuit against the Ones and Zeros of a canonical "
                    "function (verification.lists); a mismatch is always shown");

  RenderInputs renderInputs;
  CLI::App* render = app.add_subcommand(
      "render",
      "realize a function and write the picture of its diagram or of the project, or its netlist");
  AddRenderOptions(*render, renderInputs);

  ExplainInputs explainInputs;
  CLI::App* explain = app.add_subcommand(
      "explain",
      "show the work behind a function: truth table, implicant levels, cover selection and, with "
      "--structure, the realization and its cost");
  AddExplainOptions(*explain, explainInputs);

  FileCommands files;
  files.Register(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "kestrel-cli: " << e.what() << "\n";
    return kExitUsage;
  }
  try {
    if (files.Parsed()) return files.Run();
    if (minimize->parsed()) {
      const std::string problem = ValidateFunctionInputs(minimizeInputs);
      if (!problem.empty()) {
        std::cerr << "kestrel-cli: " << problem << "\n";
        return kExitUsage;
      }
      return RunMinimize(minimizeInputs, minimizeJson);
    }
    if (realize->parsed()) {
      const std::string problem = ValidateRealizeInputs(realizeInputs);
      if (!problem.empty()) {
        std::cerr << "kestrel-cli: " << problem << "\n";
        return kExitUsage;
      }
      return RunRealize(realizeInputs, realizeJson, realizeListCheck);
    }
    if (render->parsed()) {
      const std::string problem = ValidateRenderInputs(renderInputs);
      if (!problem.empty()) {
        std::cerr << "kestrel-cli: " << problem << "\n";
        return kExitUsage;
      }
      return RunRender(renderInputs);
    }
    if (explain->parsed()) {
      const std::string problem = ValidateExplainInputs(explainInputs);
      if (!problem.empty()) {
        std::cerr << "kestrel-cli: " << problem << "\n";
        return kExitUsage;
      }
      return RunExplain(explainInputs);
    }
  } catch (const std::exception& e) {
    std::cerr << "kestrel-cli: internal error: " << e.what() << "\n";
    return kExitInternal;
  }
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  // Setting up the options can fail too (out of memory); nothing may leave main uncaught.
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "kestrel-cli: internal error: " << e.what() << "\n";
  } catch (...) {
    std::cerr << "kestrel-cli: internal error\n";
  }
  return kestrel::cli::kExitInternal;
}
