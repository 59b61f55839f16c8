#include "cli/realize_command.h"

#include "files/sections.h"
#include "function/function_text.h"

#include <iostream>

namespace kestrel::cli {

std::vector<std::string> StructureCliNames() {
  std::vector<std::string> names;
  for (const StructureNames& row : kStructureNames) names.emplace_back(row.cliName);
  return names;
}

std::vector<std::string> GateFamilyCliNames() {
  std::vector<std::string> names;
  for (const GateFamilyNames& row : kGateFamilyNames) names.emplace_back(row.cliName);
  return names;
}

StructureOptions RealizeInputs::Options() const {
  StructureOptions o;
  o.structure = StructureFromCliName(structure).value_or(Structure::kMux);
  o.muxSize = muxSize;
  o.demuxSize = demuxSize;
  o.gates = GateFamilyFromCliName(gates).value_or(GateFamily::kNand);
  return o;
}

void AddRealizeOptions(CLI::App& app, RealizeInputs& inputs) {
  AddFunctionOptions(app, inputs.function);
  app.add_option("--function", inputs.functionText,
                 "the minimized function text, e.g. x2~x0+x1 (used as given)");
  app.add_option("--structure", inputs.structure, "mux, mux-gates, demux, mux-tree or mux-demux")
      ->required()
      ->check(CLI::IsMember(StructureCliNames()));
  app.add_option("--mux-size", inputs.muxSize, "data inputs of the multiplexer: 2, 4, 8 or 16")
      ->check(CLI::IsMember({2, 4, 8, 16}));
  app.add_option("--demux-size", inputs.demuxSize, "outputs of the demultiplexer: 2, 4, 8 or 16")
      ->check(CLI::IsMember({2, 4, 8, 16}));
  app.add_option("--gates", inputs.gates, "gate family: nand, nor or and-or-not")
      ->check(CLI::IsMember(GateFamilyCliNames()));
  AddAddressOption(app, inputs);
}

void AddAddressOption(CLI::App& app, RealizeInputs& inputs) {
  app.add_option("--address", inputs.address,
                 "the variables on the address inputs: automatic (the default), best, or names "
                 "most significant first such as x3,x1 (for a tree one list per level, joined "
                 "by /, e.g. x3,x1/x2)");
}

bool IsWellFormedFunctionText(const std::string& text) {
  if (text.empty() || text == "0" || text == "1") return true;
  // The file reader's syntax check, without its empty products: every product has a literal.
  if (text.size() > 100000 || text.front() == '+' || text.back() == '+' ||
      text.find("++") != std::string::npos)
    return false;
  return IsFunctionTextSyntax(text);
}

std::string ValidateRealizeInputs(const RealizeInputs& inputs) {
  if (inputs.functionText && inputs.function.Given())
    return "--function cannot be combined with --ones, --zeros, --dont-cares or --literal";
  if (inputs.functionText && !IsWellFormedFunctionText(*inputs.functionText))
    return "--function must be 0, 1, the empty text or a sum of products such as x3~x1+x2x0 "
           "(literals x0..x9 or ~x0..~x9, products joined by \"+\", no blanks, no product holding "
           "both x<d> and ~x<d>)";
  if (inputs.address) {
    std::string problem;
    if (!ParseAddressChoice(*inputs.address, &problem)) return "--address: " + problem;
    const std::optional<Structure> structure = StructureFromCliName(inputs.structure);
    if (structure && !HasAddressChoice(*structure))
      return "--address: the structure " + inputs.structure +
             " has no choice of address variables (mux, mux-gates, demux and mux-tree have)";
  }
  return ValidateFunctionInputs(inputs.function);
}

std::string ApplyAddressOption(Session& session, const RealizeInputs& inputs) {
  if (!inputs.address) return "";
  const std::optional<AddressChoice> choice = ParseAddressChoice(*inputs.address, nullptr);
  if (!choice) return "--address: not an address choice";
  const std::string problem = session.SetAddressChoice(*choice);
  return problem.empty() ? "" : "--address " + *inputs.address + ": " + problem;
}

namespace {
nlohmann::json SizeJson(int index) {
  return index < 0 ? nlohmann::json(nullptr) : nlohmann::json(2 << index);
}
}  // namespace

RealizeResult DefineAndRealize(Session& session, const RealizeInputs& inputs,
                               std::string& addressProblem) {
  if (inputs.functionText) {
    session.UseFunctionText(*inputs.functionText);
  } else if (!DefineFunction(session, inputs.function)) {
    session.choice.Apply(inputs.Options());
    return {};
  }
  // The Realization command: the dialog is shown (its choice saved, the pairing rule applied),
  // the user picks the structure and presses OK. The structure asked for is reported even
  // when the command is disabled (a constant function), so it is chosen first.
  session.choice.OnShow(session.model.functionText);
  session.choice.Apply(inputs.Options());
  if (!session.commands.Enabled(CommandItem::Realization)) return {};
  if (!session.ConfirmStructure()) return {};
  if (const std::string problem = ApplyAddressOption(session, inputs); !problem.empty()) {
    addressProblem = problem;
    return {};
  }
  return session.RealizeCurrent();
}

nlohmann::json CostJson(const CircuitCost& cost) {
  auto bySize = [](const std::array<int, 4>& counts) {
    nlohmann::json out = nlohmann::json::object();
    for (int a = 0; a < 4; ++a) out[std::to_string(2 << a)] = counts[a];
    return out;
  };
  return {{"multiplexers", bySize(cost.multiplexers)},
          {"demultiplexers", bySize(cost.demultiplexers)},
          {"gates", cost.gates},
          {"inverters", cost.inverters},
          {"gateInputs", cost.gateInputs},
          {"levels", cost.levels},
          {"components", cost.Components()}};
}

std::string CostText(const CircuitCost& cost) {
  auto bySize = [](const std::array<int, 4>& counts, const char* one, const char* many) {
    const int total = counts[0] + counts[1] + counts[2] + counts[3];
    std::string out = std::to_string(total) + " " + (total == 1 ? one : many);
    std::string sizes;
    for (int a = 3; a >= 0; --a) {
      if (counts[a] == 0) continue;
      if (!sizes.empty()) sizes += ", ";
      sizes += std::to_string(counts[a]) + " of " + std::to_string(2 << a);
    }
    return total > 0 ? out + " (" + sizes + ")" : out;
  };
  return bySize(cost.multiplexers, "multiplexer", "multiplexers") + ", " +
         bySize(cost.demultiplexers, "demultiplexer", "demultiplexers") + ", " +
         std::to_string(cost.gates) + (cost.gates == 1 ? " gate" : " gates") + " (" +
         std::to_string(cost.inverters) + (cost.inverters == 1 ? " inverter" : " inverters") +
         "), " + std::to_string(cost.gateInputs) + " gate inputs, " + std::to_string(cost.levels) +
         (cost.levels == 1 ? " level" : " levels");
}

namespace {

template <typename T, size_t N>
nlohmann::json Array(const std::array<T, N>& a) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& x : a) out.push_back(x);
  return out;
}

nlohmann::json NodeJson(const NodeRecord& n) {
  // The JSON shows the kind by its number: 0 multiplexer, 1 AND, 2 OR, 3 NAND, 4 NOR.
  return {{"level", n.level},
          {"id", n.id},
          {"addressCount", n.addressCount},
          {"inputCount", n.inputCount},
          {"addressLabels", Array(n.addressLabels)},
          {"childId", Array(n.childId)},
          {"inputNegated", Array(n.inputNegated)},
          {"outputNegated", n.outputNegated},
          {"inputLabels", Array(n.inputLabels)},
          {"kind", static_cast<int>(n.kind)}};
}

nlohmann::json FlagsJson(const std::array<uint8_t, 16>& flags) {
  nlohmann::json out = nlohmann::json::array();
  for (uint8_t f : flags) out.push_back(static_cast<int>(f));
  return out;
}

}  // namespace

nlohmann::json RealizeJson(const Session& session, const RecordingMessages& messages,
                           const RealizeResult& run, bool listCheck) {
  const StructureChoice& c = session.choice;
  const std::string structure = NamesOf(c.Current()).cliName;
  const bool realized = run.outcome == RealizeOutcome::kRealized;
  nlohmann::json j;
  j["function"] = session.model.functionText;
  j["variables"] = CountVariables(session.model.functionText);
  j["structure"] = structure;
  j["designCaption"] = realized ? nlohmann::json(session.designCaption) : nullptr;
  j["commandState"] =
      run.commandState ? nlohmann::json(StateNumber(*run.commandState)) : nlohmann::json(nullptr);
  j["muxSize"] = nullptr;
  j["demuxSize"] = nullptr;
  if (structure == "mux" || structure == "mux-gates") j["muxSize"] = SizeJson(c.radioMuxSize);
  if (structure == "mux-tree") j["muxSize"] = SizeJson(c.radioMuxMT);
  if (structure == "demux") j["demuxSize"] = SizeJson(c.radioDmux);
  if (structure == "mux-demux") {
    j["muxSize"] = SizeJson(c.MdMuxIndex());
    j["demuxSize"] = SizeJson(c.MdDmuxIndex());
  }
  j["messages"] = MessagesJson(messages);
  const ResultStore& r = session.results;
  if (structure == "demux") {
    j["demux"] = nullptr;
    if (realized) {
      const DemuxRecord& d = r.demux();
      j["demux"] = {{"polarity", d.polarity},
                    {"addressCount", d.addressCount},
                    {"outputCount", d.outputCount},
                    {"addressLabels", Array(d.addressLabels)},
                    {"outputFlags", FlagsJson(d.outputFlags)}};
    }
  } else if (structure == "mux-demux") {
    j["muxDemux"] = nullptr;
    j["demuxPart"] = nullptr;
    j["collectingGates"] = nlohmann::json::array();
    if (realized) {
      const MuxDemuxRecord& m = r.muxDemux();
      j["muxDemux"] = {{"addressCount", m.addressCount},
                       {"inputCount", m.inputCount},
                       {"gateIndex", Array(m.gateIndex)},
                       {"inputLabels", Array(m.inputLabels)},
                       {"addressLabels", Array(m.addressLabels)}};
      const DemuxPart& p = r.demuxPart();
      j["demuxPart"] = {{"addressCount", p.addressCount},
                        {"outputCount", p.outputCount},
                        {"addressLabels", Array(p.addressLabels)}};
      for (const CollectingGate& g : r.collectingGates())
        j["collectingGates"].push_back(
            {{"polarity", g.polarity}, {"outputFlags", FlagsJson(g.outputFlags)}});
    }
  } else {
    j["nodes"] = nlohmann::json::array();
    if (realized)
      for (const NodeRecord& n : r.nodes()) j["nodes"].push_back(NodeJson(n));
  }
  j["verification"] = nullptr;
  if (realized) {
    const Verification v = VerifyRealization(session.model, c, r);
    j["verification"] = {{"combinations", v.combinations}, {"mismatches", v.mismatches}};
    // Only a canonical function has lists. A disagreement is never hidden.
    if (v.lists && (listCheck || v.lists->mismatches > 0))
      j["verification"]["lists"] = {
          {"ones", v.lists->ones}, {"zeros", v.lists->zeros}, {"mismatches", v.lists->mismatches}};
  }
  return j;
}

namespace {

// What realize adds with its own options: the address choice used, the circuit's cost.
void AddRealizeExtras(nlohmann::json& j, const Session& session, const RealizeInputs& inputs,
                      const RealizeResult& run) {
  const bool realized = run.outcome == RealizeOutcome::kRealized;
  if (inputs.address) j["address"] = FormatAddressChoice(session.address);
  if (inputs.cost)
    j["cost"] = realized ? CostJson(MeasureCircuit(session.choice.Current(), session.results))
                         : nlohmann::json(nullptr);
}

}  // namespace

namespace {

std::string InputSource(int child, const std::string& label, const char* what) {
  return child ? std::string(what) + " " + std::to_string(child) : "\"" + label + "\"";
}

}  // namespace

void PrintRealizePlain(const Session& session, const RecordingMessages& messages,
                       const RealizeResult& run, bool listCheck) {
  const nlohmann::json j = RealizeJson(session, messages, run, listCheck);
  std::cout << "Function: "
            << (session.model.functionText.empty() ? "(none)" : session.model.functionText) << "\n";
  std::cout << "Structure: " << j["structure"].get<std::string>();
  if (!j["muxSize"].is_null()) std::cout << ", multiplexer size " << j["muxSize"];
  if (!j["demuxSize"].is_null()) std::cout << ", demultiplexer size " << j["demuxSize"];
  std::cout << "\n";
  PrintMessagesPlain(messages);
  if (run.outcome != RealizeOutcome::kRealized) {
    std::cout << "Nothing was realized.\n";
    return;
  }
  std::cout << "Realized in the structure: " << session.designCaption << "\n";
  const ResultStore& r = session.results;
  const std::string structure = j["structure"];
  if (structure == "demux") {
    const DemuxRecord& d = r.demux();
    std::cout << "Demultiplexer with " << d.outputCount << " outputs, address inputs";
    for (int i = 0; i < d.addressCount; ++i) std::cout << " " << d.addressLabels[i];
    std::cout << "\nCollecting gate over outputs";
    for (int o = 0; o < d.outputCount; ++o)
      if (d.outputFlags[o]) std::cout << " " << o;
    std::cout << (d.polarity ? " (F is 1 there)\n" : " (F is 0 there)\n");
  } else if (structure == "mux-demux") {
    const MuxDemuxRecord& m = r.muxDemux();
    std::cout << "Multiplexer with " << m.inputCount << " data inputs, address inputs";
    for (int i = 0; i < m.addressCount; ++i) std::cout << " " << m.addressLabels[i];
    std::cout << "\n";
    for (int i = 0; i < m.inputCount; ++i)
      std::cout << "  input " << i << ": "
                << InputSource(m.gateIndex[i], m.inputLabels[i], "collecting gate") << " ("
                << m.inputLabels[i] << ")\n";
    const DemuxPart& p = r.demuxPart();
    std::cout << "Demultiplexer with " << p.outputCount << " outputs, address inputs";
    for (int i = 0; i < p.addressCount; ++i) std::cout << " " << p.addressLabels[i];
    std::cout << "\n";
  } else {
    for (const NodeRecord& n : r.nodes()) {
      std::cout << "Node " << n.id << ": " << NodeKindName(n.kind) << " at level " << n.level;
      if (n.kind == NodeKind::kMux) {
        std::cout << ", address inputs";
        for (int i = 0; i < n.addressCount; ++i) std::cout << " " << n.addressLabels[i];
      }
      if (n.outputNegated) std::cout << ", output inverted";
      std::cout << "\n";
      for (int i = 0; i < n.inputCount && i < 16; ++i)
        std::cout << "  input " << i << ": " << (n.inputNegated[i] ? "not " : "")
                  << InputSource(n.childId[i], n.inputLabels[i], "node") << "\n";
    }
  }
  std::cout << "Verification: " << j["verification"]["mismatches"] << " mismatches in "
            << j["verification"]["combinations"] << " combinations\n";
  if (j["verification"].contains("lists")) {
    const nlohmann::json& lists = j["verification"]["lists"];
    std::cout << "Verification against the lists: " << lists["mismatches"] << " mismatches in "
              << lists["ones"] << " Ones and " << lists["zeros"] << " Zeros\n";
  }
}

int RunRealize(const RealizeInputs& inputs, bool json, bool listCheck) {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  std::string addressProblem;
  const RealizeResult run = DefineAndRealize(session, inputs, addressProblem);
  if (!addressProblem.empty()) {
    std::cerr << "kestrel-cli: " << addressProblem << "\n";
    return kExitUsage;
  }
  if (json) {
    nlohmann::json j = RealizeJson(session, messages, run, listCheck);
    AddRealizeExtras(j, session, inputs, run);
    std::cout << j.dump() << "\n";
  } else {
    PrintRealizePlain(session, messages, run, listCheck);
    if (run.outcome == RealizeOutcome::kRealized) {
      if (inputs.address)
        std::cout << "Address inputs: " << FormatAddressChoice(session.address) << "\n";
      if (inputs.cost)
        std::cout << "Cost: " << CostText(MeasureCircuit(session.choice.Current(), session.results))
                  << "\n";
    }
  }
  return run.outcome == RealizeOutcome::kRealized ? kExitOk : kExitRefused;
}

}  // namespace kestrel::cli
