#include "cli/common.h"

#include <algorithm>
#include <iostream>

#include "solver/cbc_cover_solver.h"

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

void AddCoverOptions(CLI::App& app, CoverInputs& inputs) {
  app.add_option("--cover", inputs.cover,
                 "greedy: the procedure's cover (the default); exact: the fewest products, then "
                 "the fewest literals, with the same prime implicants")
      ->check(CLI::IsMember({"greedy", "exact"}));
  app.add_option("--time-limit", inputs.timeLimit,
                 "with --cover exact: seconds the solver may take (default " +
                     std::to_string(static_cast<int>(kDefaultCoverSeconds)) + ")");
}

std::string ValidateCoverInputs(const CoverInputs& inputs) {
  if (inputs.timeLimit && inputs.cover != "exact") return "--time-limit needs --cover exact";
  if (inputs.timeLimit && !(*inputs.timeLimit > 0 && *inputs.timeLimit <= kMaxCoverSeconds))
    return "--time-limit must be a number of seconds above 0 and at most " +
           std::to_string(static_cast<int>(kMaxCoverSeconds));
  return "";
}

namespace {

struct TextCount {
  int products = 0, literals = 0;
};

// The products and literals of a function text ("0", "1" and "" have none).
TextCount CountText(const std::string& text) {
  TextCount count;
  if (text.empty() || text == "0" || text == "1") return count;
  count.products = 1 + static_cast<int>(std::count(text.begin(), text.end(), '+'));
  count.literals = static_cast<int>(std::count(text.begin(), text.end(), 'x'));
  return count;
}

}  // namespace

int RunMinimize(const FunctionInputs& inputs, bool json, const CoverInputs& cover) {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  CbcCoverSolver solver;
  session.SetCoverSolver(solver);
  const bool accepted = DefineFunction(session, inputs);
  if (cover.cover.empty()) {
    PrintModel(session, messages, json);
    return accepted ? kExitOk : kExitRefused;
  }
  const bool exact = cover.cover == "exact";
  // A constant function has nothing to cover; its one cover is minimal.
  bool proven = !session.CanCompareCovers();
  std::optional<CoverComparison> covers;
  if (accepted && exact) {
    covers = session.CompareCoversNow(cover.timeLimit.value_or(kDefaultCoverSeconds));
    if (covers) {
      session.UseMinimumCover(*covers);
      proven = covers->minimum.proven;
    }
  }
  if (!exact) proven = false;
  const TextCount count = CountText(session.model.functionText);
  if (json) {
    nlohmann::json j = ModelJson(session, messages);
    j["cover"] = cover.cover;
    j["proven"] = proven;
    j["products"] = count.products;
    j["literals"] = count.literals;
    if (covers) j["greedyProducts"] = covers->greedyProducts;
    std::cout << j.dump() << "\n";
  } else {
    PrintModel(session, messages, false);
    std::cout << "Cover: "
              << (exact ? (proven ? "minimum (proven)" : "best found, not proven minimal")
                        : "greedy")
              << ", " << count.products << " products, " << count.literals << " literals";
    if (covers)
      std::cout << "; the greedy cover has " << covers->greedyProducts << " products, "
                << covers->greedyLiterals << " literals";
    std::cout << "\n";
  }
  return accepted ? kExitOk : kExitRefused;
}

}  // namespace kestrel::cli
