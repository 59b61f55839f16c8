#include "cli/common.h"

#include <iostream>

namespace kestrel::cli {

void AddFunctionOptions(CLI::App& app, FunctionInputs& inputs) {
  app.add_option("--ones", inputs.ones, "Ones: combination numbers separated by \",\"");
  app.add_option("--zeros", inputs.zeros, "Zeros: combination numbers separated by \",\"");
  app.add_option("--dont-cares", inputs.dontCares,
                 "Don't cares: combination numbers separated by \",\"");
  app.add_option("--literal", inputs.literal, "the function as a sum of products, e.g. x2~x0+x1");
  app.add_flag("--no-minimize", inputs.noMinimize, "keep the literal function as typed");
}

std::string ValidateFunctionInputs(const FunctionInputs& inputs) {
  if (inputs.literal && (inputs.ones || inputs.zeros || inputs.dontCares))
    return "--literal cannot be combined with --ones, --zeros or --dont-cares";
  if (inputs.noMinimize && !inputs.literal) return "--no-minimize needs --literal";
  return "";
}

namespace {

std::vector<std::string> SplitList(const std::string& value) {
  std::vector<std::string> entries;
  if (value.empty()) return entries;
  size_t start = 0;
  while (true) {
    const size_t comma = value.find(',', start);
    entries.push_back(value.substr(start, comma == std::string::npos ? comma : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return entries;
}

}  // namespace

bool DefineFunction(Session& session, const FunctionInputs& inputs) {
  FunctionDefinition& def = session.definition;
  if (inputs.literal) {
    def.OpenLiteral();
    session.model.functionText = *inputs.literal;
    def.minimizeChecked = !inputs.noMinimize;
    return def.LiteralOk();
  }
  def.OpenCanonical();
  const std::optional<std::string>* lists[3] = {&inputs.ones, &inputs.zeros, &inputs.dontCares};
  for (ListKind target : kListKinds) {
    const std::optional<std::string>& given = *lists[static_cast<int>(target)];
    if (!given) continue;
    for (const std::string& entry : SplitList(*given))
      if (!def.Add(entry, target)) return false;
  }
  return def.Ok();
}

nlohmann::json MessagesJson(const RecordingMessages& messages) {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& m : messages.shown) list.push_back({{"text", m.text}, {"caption", m.caption}});
  return list;
}

nlohmann::json ModelJson(const Session& session, const RecordingMessages& messages) {
  const FunctionModel& m = session.model;
  nlohmann::json names = nlohmann::json::array();
  for (int i = 0; i < m.variableNameCount && i < 10; ++i) names.push_back(m.variableNames[i]);
  return {{"function", m.functionText},
          {"representation", m.representationFlag},
          {"ones", m.ones()},
          {"zeros", m.zeros()},
          {"dontCares", m.dontCares()},
          {"onesMasks", m.onesMasks},
          {"dontCareMasks", m.dontCareMasks},
          {"variableNames", names},
          {"commandState", session.commandState},
          {"messages", MessagesJson(messages)}};
}

void PrintMessagesPlain(const RecordingMessages& messages) {
  for (const auto& m : messages.shown) {
    std::string text = m.text;
    // Message boxes break lines with "\n\r" or "\r\n"; a terminal wants plain line feeds.
    std::string clean;
    for (char c : text)
      if (c != '\r') clean += c;
    std::cout << "Message (" << m.caption << "): " << clean << "\n";
  }
}

void PrintModel(const Session& session, const RecordingMessages& messages, bool json) {
  if (json) {
    std::cout << ModelJson(session, messages).dump() << "\n";
  } else {
    const std::string& f = session.model.functionText;
    std::cout << "Function: " << (f.empty() ? "(none)" : f) << "\n";
    PrintMessagesPlain(messages);
  }
}

int RunMinimize(const FunctionInputs& inputs, bool json) {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  const bool accepted = DefineFunction(session, inputs);
  PrintModel(session, messages, json);
  return accepted ? kExitOk : kExitRefused;
}

}  // namespace kestrel::cli
