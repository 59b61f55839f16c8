#include "cli/realize_command.h"

#include "files/sections.h"
#include "function/function_text.h"

#include <iostream>

namespace kestrel::cli {

void AddRealizeOptions(CLI::App& app, RealizeInputs& inputs) {
  AddFunctionOptions(app, inputs.function);
  app.add_option("--function", inputs.functionText,
                 "the minimized function text, e.g. x2~x0+x1 (used as given)");
  app.add_option("--structure", inputs.structure, "mux, mux-gates, demux, mux-tree or mux-demux")
      ->required()
      ->check(CLI::IsMember({"mux", "mux-gates", "demux", "mux-tree", "mux-demux"}));
  app.add_option("--mux-size", inputs.muxSize, "data inputs of the multiplexer: 2, 4, 8 or 16")
      ->check(CLI::IsMember({2, 4, 8, 16}));
  app.add_option("--demux-size", inputs.demuxSize, "outputs of the demultiplexer: 2, 4, 8 or 16")
      ->check(CLI::IsMember({2, 4, 8, 16}));
  app.add_option("--gates", inputs.gates, "gate family: nand, nor or and-or-not")
      ->check(CLI::IsMember({"nand", "nor", "and-or-not"}));
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
  return ValidateFunctionInputs(inputs.function);
}

namespace {
int SizeIndex(int size) {
  return size == 2 ? 0 : size == 4 ? 1 : size == 8 ? 2 : 3;
}
nlohmann::json SizeJson(int index) {
  return index < 0 ? nlohmann::json(nullptr) : nlohmann::json(2 << index);
}
}  // namespace

void ApplyStructureOptions(StructureChoice& choice, const RealizeInputs& inputs) {
  const std::string& s = inputs.structure;
  if (s == "mux" || s == "mux-gates" || s == "mux-tree") {
    if (inputs.muxSize) choice.radioMuxSize = choice.radioMuxMT = SizeIndex(*inputs.muxSize);
  }
  if (s == "mux" || s == "mux-gates") {
    choice.SelectTab(kTabMux, "");
    choice.SetUseGates(s == "mux-gates");
    choice.radioGates = inputs.gates == "nand" ? 0 : inputs.gates == "nor" ? 1 : 2;
  } else if (s == "demux") {
    choice.tab = kTabDemux;
    if (inputs.demuxSize) choice.radioDmux = SizeIndex(*inputs.demuxSize);
  } else if (s == "mux-tree") {
    choice.tab = kTabMuxTree;
  } else if (s == "mux-demux") {
    choice.tab = kTabMuxDemux;
    choice.ClearMdSizes();
    if (inputs.muxSize) choice.SelectMdMux(SizeIndex(*inputs.muxSize));
    if (inputs.demuxSize) choice.SelectMdDmux(SizeIndex(*inputs.demuxSize));
  }
}

RealizeRun RealizeCurrentFunction(Session& session) {
  RealizeRun run;
  const std::string& text = session.model.functionText;
  if (!text.empty() && CountVariables(text) == 0) return run;  // the command is disabled
  if (!session.choice.Ok(text, session.messages)) return run;
  session.zoom = 17;
  run.realizeCalled = true;
  const RealizeResult result =
      Realize(text, session.choice, session.table, session.results, session.messages, session);
  run.outcome = result.outcome;
  if (result.outcome == RealizeOutcome::kRealized) {
    session.designCaption = result.designCaption;
    session.additionalCaption.clear();
    run.commandState = 2;
  } else if (result.outcome == RealizeOutcome::kRefused) {
    run.commandState = 9;
  }
  return run;
}

RealizeRun DefineAndRealize(Session& session, const RealizeInputs& inputs) {
  if (inputs.functionText) {
    session.model.functionText = *inputs.functionText;
  } else if (!DefineFunction(session, inputs.function)) {
    RealizeRun refused;
    refused.defined = false;
    ApplyStructureOptions(session.choice, inputs);
    return refused;
  }
  // The dialog is shown (its choice saved, the pairing rule applied), then the user picks.
  session.choice.OnShow(session.model.functionText);
  ApplyStructureOptions(session.choice, inputs);
  return RealizeCurrentFunction(session);
}

std::string StructureName(const StructureChoice& choice) {
  switch (choice.tab) {
    case kTabMux:
      return choice.useGates ? "mux-gates" : "mux";
    case kTabDemux:
      return "demux";
    case kTabMuxTree:
      return "mux-tree";
    default:
      return "mux-demux";
  }
}

namespace {

template <typename T, size_t N>
nlohmann::json Array(const std::array<T, N>& a) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& x : a) out.push_back(x);
  return out;
}

nlohmann::json NodeJson(const NodeRecord& n) {
  return {{"level", n.level},
          {"id", n.id},
          {"addressCount", n.addressCount},
          {"inputCount", n.inputCount},
          {"addressLabels", Array(n.addressLabels)},
          {"childId", Array(n.childId)},
          {"inputNegated", Array(n.inputNegated)},
          {"outputNegated", n.outputNegated},
          {"inputLabels", Array(n.inputLabels)},
          {"kind", n.kind}};
}

nlohmann::json FlagsJson(const std::array<uint8_t, 16>& flags) {
  nlohmann::json out = nlohmann::json::array();
  for (uint8_t f : flags) out.push_back(static_cast<int>(f));
  return out;
}

}  // namespace

nlohmann::json RealizeJson(const Session& session, const RecordingMessages& messages,
                           const RealizeRun& run) {
  const StructureChoice& c = session.choice;
  const std::string structure = StructureName(c);
  const bool realized = run.outcome == RealizeOutcome::kRealized;
  nlohmann::json j;
  j["function"] = session.model.functionText;
  j["variables"] = CountVariables(session.model.functionText);
  j["structure"] = structure;
  j["designCaption"] = realized ? nlohmann::json(session.designCaption) : nullptr;
  j["commandState"] = run.commandState ? nlohmann::json(*run.commandState) : nullptr;
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
    const Verification v = VerifyRealization(session.model.functionText, c, r);
    j["verification"] = {{"combinations", v.combinations}, {"mismatches", v.mismatches}};
  }
  return j;
}

namespace {

std::string InputSource(int child, const std::string& label, const char* what) {
  return child ? std::string(what) + " " + std::to_string(child) : "\"" + label + "\"";
}

const char* KindName(int kind) {
  switch (kind) {
    case kMux:
      return "multiplexer";
    case kAnd:
      return "AND gate";
    case kOr:
      return "OR gate";
    case kNand:
      return "NAND gate";
    default:
      return "NOR gate";
  }
}

}  // namespace

void PrintRealizePlain(const Session& session, const RecordingMessages& messages,
                       const RealizeRun& run) {
  const nlohmann::json j = RealizeJson(session, messages, run);
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
      std::cout << "Node " << n.id << ": " << KindName(n.kind) << " at level " << n.level;
      if (n.kind == kMux) {
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
}

int RunRealize(const RealizeInputs& inputs, bool json) {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  const RealizeRun run = DefineAndRealize(session, inputs);
  if (json) {
    std::cout << RealizeJson(session, messages, run).dump() << "\n";
  } else {
    PrintRealizePlain(session, messages, run);
  }
  return run.outcome == RealizeOutcome::kRealized ? kExitOk : kExitRefused;
}

}  // namespace kestrel::cli
