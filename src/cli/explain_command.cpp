#include "cli/explain_command.h"

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <optional>

#include "diagram/diagram.h"
#include "explain/report.h"
#include "export/picture_export.h"
#include "files/file_io.h"

namespace kestrel::cli {

void AddExplainOptions(CLI::App& app, ExplainInputs& inputs) {
  AddRealizeOptions(app, inputs.realize);
  // Without a structure the function is explained up to its minimization.
  app.get_option("--structure")->required(false);
  app.add_flag("--json", inputs.json, "print the explanation as one JSON object");
  app.add_flag("--text", inputs.text, "print the explanation as text (the default)");
  app.add_flag("--html", inputs.html,
               "write the explanation as one HTML report with the diagram (needs -o)");
  app.add_option("-o,--output", inputs.output, "the file to write instead of the standard output");
}

std::string ValidateExplainInputs(const ExplainInputs& inputs) {
  if (int(inputs.json) + int(inputs.text) + int(inputs.html) > 1)
    return "--json, --text and --html cannot be combined";
  if (inputs.html && inputs.output.empty()) return "--html needs -o FILE";
  const RealizeInputs& r = inputs.realize;
  if (r.structure.empty() && (r.muxSize || r.demuxSize))
    return "--mux-size and --demux-size need --structure";
  return ValidateRealizeInputs(r);
}

nlohmann::json ExplanationJson(const Explanation& e) {
  using nlohmann::json;
  json truth = json::array();
  for (size_t i = 0; i < e.values.size(); ++i)
    truth.push_back({{"index", i},
                     {"value", std::string(1, ValueChar(e.values[i]))},
                     {"circuit", e.circuit.empty() ? json(nullptr) : json(int{e.circuit[i]})}});
  json levels = json::array();
  for (const auto& level : e.levels) {
    json items = json::array();
    for (const auto& imp : level)
      items.push_back({{"term", e.TermText(imp)},
                       {"minterms", e.Minterms(imp.p, imp.n)},
                       {"merged", imp.merged},
                       {"selected", imp.selected}});
    levels.push_back(std::move(items));
  }
  json steps = json::array();
  for (const auto& step : e.coverSteps)
    steps.push_back({{"term", e.TermText(e.levels[step.level][step.index])},
                     {"kept", step.kept},
                     {"onlyCovers", step.onlyCovers}});
  json out = {{"function", e.function},           {"variables", e.variables},
              {"variableNames", e.variableNames}, {"minimized", e.minimized},
              {"truthTable", std::move(truth)},   {"levels", std::move(levels)},
              {"coverSteps", std::move(steps)}};
  if (e.realization) {
    json inputs = json::array();
    for (const auto& u : e.realization->dataInputs)
      inputs.push_back({{"multiplexer", u.multiplexer},
                        {"input", u.input},
                        {"address", u.address},
                        {"source", InputSourceKey(u.source)},
                        {"sourceNumber", u.sourceNumber},
                        {"label", u.label},
                        {"text", SourceText(u)}});
    json outputs = json::array();
    for (const auto& u : e.realization->demuxOutputs)
      outputs.push_back({{"output", u.output},
                         {"address", u.address},
                         {"collectingGate", u.collectingGate},
                         {"gateIsWire", u.gateIsWire},
                         {"multiplexerInput",
                          u.multiplexerInput < 0 ? json(nullptr) : json(u.multiplexerInput)}});
    out["realization"] = {{"structure", NamesOf(e.realization->structure).cliName},
                          {"design", e.realization->designCaption},
                          {"dataInputs", std::move(inputs)},
                          {"demuxOutputs", std::move(outputs)}};
  }
  if (e.cost) {
    const CircuitCost& c = *e.cost;
    auto bySize = [](const std::array<int, 4>& counts) {
      json sizes = json::object();
      for (int s = 0; s < 4; ++s) sizes[std::to_string(2 << s)] = counts[s];
      return sizes;
    };
    out["cost"] = {{"multiplexers", c.Multiplexers()},
                   {"multiplexersBySize", bySize(c.multiplexers)},
                   {"demultiplexers", c.Demultiplexers()},
                   {"demultiplexersBySize", bySize(c.demultiplexers)},
                   {"gates", c.gates},
                   {"inverters", c.inverters},
                   {"gateInputs", c.gateInputs},
                   {"levels", c.levels},
                   {"components", c.Components()}};
  }
  return out;
}

namespace {

// The diagram of the realized circuit as an SVG document (empty when there is none).
std::string DiagramSvg(const Session& session) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "kestrel-cli";
  static char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  const Diagram diagram = LayoutDiagram(session.results, session.choice, kDefaultZoom);
  const EncodedPicture svg =
      EncodePicture(diagram, PictureContent::kDiagram,
                    {session.model.functionText, session.designCaption}, PictureFormat::kSvg);
  return svg.ok() ? std::string(svg.bytes.begin(), svg.bytes.end()) : std::string();
}

}  // namespace

int RunExplain(const ExplainInputs& inputs) {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  const RealizeInputs& r = inputs.realize;
  bool accepted = true;
  bool realized = false;
  if (!r.structure.empty()) {
    std::string addressProblem;
    const RealizeResult run = DefineAndRealize(session, r, addressProblem);
    if (!addressProblem.empty()) {
      std::cerr << "kestrel-cli: " << addressProblem << "\n";
      return kExitUsage;
    }
    realized = run.outcome == RealizeOutcome::kRealized;
    accepted = realized;
  } else if (r.functionText) {
    session.UseFunctionText(*r.functionText);
  } else {
    accepted = DefineFunction(session, r.function);
  }
  const RealizedCircuit circuit{&session.choice, &session.results, session.designCaption};
  const Explanation e = Explain(session.model, realized ? &circuit : nullptr);

  std::string body;
  if (inputs.json) {
    nlohmann::json json = ExplanationJson(e);
    if (!r.structure.empty() && !realized) {
      json["realization"] = nullptr;
      json["cost"] = nullptr;
    }
    json["messages"] = MessagesJson(messages);
    body = json.dump() + "\n";
  } else if (inputs.html) {
    body = ExplanationHtml(e, realized ? DiagramSvg(session) : std::string());
  } else {
    body = ExplanationText(e);
  }
  if (inputs.output.empty()) {
    std::cout << body;
  } else {
    std::string error;
    if (!WriteFileAtomically(inputs.output, body, &error)) {
      std::cerr << "kestrel-cli: the explanation was not written to " << inputs.output << ": "
                << error << "\n";
      return kExitRefused;
    }
    std::cout << "Wrote the explanation to " << inputs.output << "\n";
  }
  if (!inputs.json) PrintMessagesPlain(messages);
  return accepted ? kExitOk : kExitRefused;
}

}  // namespace kestrel::cli
