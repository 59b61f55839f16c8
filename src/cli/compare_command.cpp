#include "cli/compare_command.h"

#include <iomanip>
#include <iostream>
#include <sstream>

#include "cli/realize_command.h"
#include "function/function_text.h"

namespace kestrel::cli {

void AddCompareOptions(CLI::App& app, CompareInputs& inputs) {
  AddFunctionOptions(app, inputs.function);
  app.add_option("--function", inputs.functionText,
                 "the minimized function text, e.g. x2~x0+x1 (used as given)");
  app.add_option("--address", inputs.address,
                 "the address variables of the structures that have a choice: automatic (the "
                 "default) or best")
      ->check(
          CLI::IsMember({std::string(text::kAddressAutomatic), std::string(text::kAddressBest)}));
  app.add_flag("--json", inputs.json, "print the result as one JSON object");
}

std::string ValidateCompareInputs(const CompareInputs& inputs) {
  RealizeInputs realize;
  realize.function = inputs.function;
  realize.functionText = inputs.functionText;
  return ValidateRealizeInputs(realize);
}

nlohmann::json CompareRowJson(const CompareRow& row) {
  const StructureOptions& o = row.options;
  auto size = [](const std::optional<int>& s) {
    return s ? nlohmann::json(*s) : nlohmann::json(nullptr);
  };
  return {
      {"structure", NamesOf(o.structure).cliName},
      {"muxSize", size(o.muxSize)},
      {"demuxSize", size(o.demuxSize)},
      {"gateFamily", o.structure == Structure::kMuxGates ? nlohmann::json(NamesOf(o.gates).cliName)
                                                         : nlohmann::json(nullptr)},
      {"realized", row.realized},
      {"refusal", row.realized ? nlohmann::json(nullptr) : nlohmann::json(row.refusal)},
      {"cost", row.realized ? CostJson(row.cost) : nlohmann::json(nullptr)},
      {"cheapestByComponents", row.cheapestByComponents},
      {"cheapestByLevels", row.cheapestByLevels}};
}

namespace {

// A message box text on one line: its line breaks and trailing blanks go.
std::string OneLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') continue;
    out += c == '\n' ? ' ' : c;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  size_t twice;
  while ((twice = out.find("  ")) != std::string::npos) out.erase(twice, 1);
  return out;
}

std::string BySize(const std::array<int, 4>& counts) {
  std::string out;
  for (int a = 3; a >= 0; --a) {
    if (counts[a] == 0) continue;
    if (!out.empty()) out += "+";
    out += std::to_string(counts[a]) + "x" + std::to_string(2 << a);
  }
  return out.empty() ? "-" : out;
}

void PrintTable(const std::vector<CompareRow>& rows) {
  std::ostringstream table;
  auto cell = [&](const std::string& text, int width) {
    table << std::left << std::setw(width) << text;
  };
  cell("structure", 11);
  cell("mux", 5);
  cell("demux", 6);
  cell("gates", 11);
  cell("multiplexers", 14);
  cell("demux", 7);
  cell("gates", 6);
  cell("inputs", 7);
  cell("levels", 7);
  table << "\n";
  for (const CompareRow& row : rows) {
    const StructureOptions& o = row.options;
    cell(NamesOf(o.structure).cliName, 11);
    cell(o.muxSize ? std::to_string(*o.muxSize) : "-", 5);
    cell(o.demuxSize ? std::to_string(*o.demuxSize) : "-", 6);
    cell(o.structure == Structure::kMuxGates ? NamesOf(o.gates).cliName : "-", 11);
    if (!row.realized) {
      table << "refused: " << OneLine(row.refusal) << "\n";
      continue;
    }
    const CircuitCost& c = row.cost;
    cell(BySize(c.multiplexers), 14);
    cell(BySize(c.demultiplexers), 7);
    cell(std::to_string(c.gates), 6);
    cell(std::to_string(c.gateInputs), 7);
    cell(std::to_string(c.levels), 7);
    if (row.cheapestByComponents) table << " fewest components";
    if (row.cheapestByLevels) table << " fewest levels";
    table << "\n";
  }
  std::cout << table.str();
}

}  // namespace

int RunCompare(const CompareInputs& inputs) {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  bool defined = true;
  if (inputs.functionText)
    session.UseFunctionText(*inputs.functionText);
  else
    defined = DefineFunction(session, inputs.function);
  const AddressMode mode =
      inputs.address == text::kAddressBest ? AddressMode::kBest : AddressMode::kAutomatic;
  const std::vector<CompareRow> rows =
      defined ? session.CompareStructuresNow(mode) : std::vector<CompareRow>{};
  if (inputs.json) {
    nlohmann::json list = nlohmann::json::array();
    for (const CompareRow& row : rows) list.push_back(CompareRowJson(row));
    std::cout << nlohmann::json{{"function", session.model.functionText},
                                {"variables", CountVariables(session.model.functionText)},
                                {"address", inputs.address},
                                {"messages", MessagesJson(messages)},
                                {"rows", list}}
                     .dump()
              << "\n";
  } else {
    PrintModel(session, messages, false);
    if (rows.empty())
      std::cout << "Nothing to compare: a constant function has no circuit.\n";
    else
      PrintTable(rows);
  }
  return rows.empty() ? kExitRefused : kExitOk;
}

}  // namespace kestrel::cli
