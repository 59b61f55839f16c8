// kestrel-cli: the program's operations from the command line, for scripts and checks.

#include <iostream>

#include "cli/common.h"
#include "cli/compare_command.h"
#include "cli/explain_command.h"
#include "cli/files_commands.h"
#include "cli/realize_command.h"
#include "cli/render_command.h"
#include "cli/simulate_command.h"

namespace {

int Run(int argc, char** argv) {
  using namespace kestrel::cli;
  CLI::App app{"Kestrel: minimize Boolean functions and realize them with multiplexers"};
  app.require_subcommand(1);

  FunctionInputs minimizeInputs;
  bool minimizeJson = false;
  CLI::App* minimize = app.add_subcommand("minimize", "define a function and minimize it");
  AddFunctionOptions(*minimize, minimizeInputs);
  CoverInputs coverInputs;
  AddCoverOptions(*minimize, coverInputs);
  minimize->add_flag("--json", minimizeJson, "print the result as one JSON object");

  RealizeInputs realizeInputs;
  bool realizeJson = false;
  CLI::App* realize =
      app.add_subcommand("realize", "realize a function in a design structure and verify it");
  AddRealizeOptions(*realize, realizeInputs);
  realize->add_flag("--cost", realizeInputs.cost,
                    "also print the circuit's cost: multiplexers and demultiplexers by size, "
                    "gates, gate inputs, levels");
  realize->add_flag("--json", realizeJson, "print the result as one JSON object");
  bool realizeListCheck = false;
  realize->add_flag("--verify-lists", realizeListCheck,
                    "also show the check of the circuit against the Ones and Zeros of a canonical "
                    "function (verification.lists); a mismatch is always shown");

  CompareInputs compareInputs;
  CLI::App* compare = app.add_subcommand(
      "compare", "realize a function in every structure, size and gate family, and compare");
  AddCompareOptions(*compare, compareInputs);

  RenderInputs renderInputs;
  CLI::App* render = app.add_subcommand(
      "render",
      "realize a function and write the picture of its diagram or of the project, or its netlist");
  AddRenderOptions(*render, renderInputs);

  SimulateInputs simulateInputs;
  CLI::App* simulate = app.add_subcommand(
      "simulate", "realize a function and show the circuit's signals for one combination");
  AddSimulateOptions(*simulate, simulateInputs);

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
      std::string problem = ValidateFunctionInputs(minimizeInputs);
      if (problem.empty()) problem = ValidateCoverInputs(coverInputs);
      if (!problem.empty()) {
        std::cerr << "kestrel-cli: " << problem << "\n";
        return kExitUsage;
      }
      return RunMinimize(minimizeInputs, minimizeJson, coverInputs);
    }
    if (compare->parsed()) {
      const std::string problem = ValidateCompareInputs(compareInputs);
      if (!problem.empty()) {
        std::cerr << "kestrel-cli: " << problem << "\n";
        return kExitUsage;
      }
      return RunCompare(compareInputs);
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
    if (simulate->parsed()) {
      const std::string problem = ValidateRealizeInputs(simulateInputs.realize);
      if (!problem.empty()) {
        std::cerr << "kestrel-cli: " << problem << "\n";
        return kExitUsage;
      }
      return RunSimulate(simulateInputs);
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
