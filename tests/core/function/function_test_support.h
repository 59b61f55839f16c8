#pragma once
// Shared helpers of the function-definition tests: a session wired to recording seams, entry
// helpers that go through the same commands a user would, and a small evaluator of function
// texts that is independent of the code under test.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "session/session.h"

namespace kestrel::function_tests {

/// The headless progress window, remembering every title, bar maximum and bar position the run
/// set. It can also press "Stop process" shortly after a given bar maximum has been set, so a
/// test can stop a run in a chosen phase independently of timing. The press comes with the
/// second round of event processing after that: the first one may still precede the arming of
/// the stop request, which would swallow the press.
class TracingProgress : public HeadlessProgress {
 public:
  std::vector<std::string> titles;
  std::vector<int> maxima;
  std::vector<int> positions;
  int stopWhenMaximumIs = -1;

  void SetTitle(const std::string& text) override {
    titles.push_back(text);
    HeadlessProgress::SetTitle(text);
  }
  void SetBarMaximum(int maximum) override {
    maxima.push_back(maximum);
    HeadlessProgress::SetBarMaximum(maximum);
    if (maximum == stopWhenMaximumIs) stopAfterEvents = eventCalls + 2;
  }
  void SetBarPosition(int position) override {
    positions.push_back(position);
    HeadlessProgress::SetBarPosition(position);
  }
};

/// One program run's worth of function state with recording seams.
struct Bench {
  RecordingMessages messages;
  TracingProgress progress;
  Session session{messages, progress};
  FunctionModel& model = session.model;
  FunctionDefinition& def = session.definition;
};

inline std::vector<std::string> Entries(const std::vector<int>& values) {
  std::vector<std::string> out;
  for (int v : values) out.push_back(std::to_string(v));
  return out;
}

inline std::vector<int> Range(int from, int to) {  // from..to inclusive
  std::vector<int> out;
  for (int v = from; v <= to; ++v) out.push_back(v);
  return out;
}

/// Opens the canonical entry, adds every number to its list with "Add" and presses "Ok".
/// Returns Ok's result; a refused Add is a test failure.
inline bool EnterCanonical(Bench& b, const std::vector<int>& ones,
                           const std::vector<int>& zeros = {},
                           const std::vector<int>& dontCares = {}) {
  b.def.OpenCanonical();
  const std::vector<int>* lists[3] = {&ones, &zeros, &dontCares};
  for (int target = 0; target < 3; ++target)
    for (int v : *lists[target])
      EXPECT_TRUE(b.def.Add(std::to_string(v), target)) << "Add " << v << " to list " << target;
  return b.def.Ok();
}

/// Opens the literal entry, types the text and presses "OK".
inline bool EnterLiteral(Bench& b, const std::string& text, bool minimize = true) {
  b.def.OpenLiteral();
  b.model.functionText = text;
  b.def.minimizeChecked = minimize;
  return b.def.LiteralOk();
}

inline const char* ButtonsName(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return "OK";
    case Buttons::OkCancel:
      return "OK+Cancel";
    case Buttons::YesNoCancel:
      return "Yes+No+Cancel";
  }
  return "?";
}

inline const char* IconName(Icon icon) {
  switch (icon) {
    case Icon::None:
      return "no icon";
    case Icon::Warning:
      return "warning";
    case Icon::Information:
      return "information";
    case Icon::Error:
      return "error";
    case Icon::Question:
      return "question";
  }
  return "?";
}

/// One shown message as a single comparable line: caption, buttons, icon, text.
inline std::string Describe(const std::string& text, const std::string& caption,
                            Buttons buttons = Buttons::Ok, Icon icon = Icon::None) {
  return "[" + caption + " | " + ButtonsName(buttons) + " | " + IconName(icon) + "] " + text;
}

inline std::vector<std::string> Shown(const RecordingMessages& messages) {
  std::vector<std::string> out;
  for (const auto& m : messages.shown)
    out.push_back(Describe(m.text, m.caption, m.buttons, m.icon));
  return out;
}

/// A plain message box: the program title, OK, no icon.
inline std::string Plain(const std::string& text) {
  return Describe(text, "Kestrel");
}

// ---------------------------------------------------------------------------------------------
// Evaluating function texts.

/// One product over named variables: the names that occur plain and negated.
struct Cube {
  std::vector<std::string> plain, negated;
};

/// Reads a function text: products joined by "+", literals "x<d>" or "~x<d>" with one digit.
/// "1" is the product without literals, "0" and "" the empty sum. Nothing else is accepted.
inline std::optional<std::vector<Cube>> ParseSum(const std::string& text) {
  std::vector<Cube> sum;
  if (text == "0" || text.empty()) return sum;
  if (text == "1") return std::vector<Cube>{Cube{}};
  size_t i = 0;
  Cube current;
  bool any = false;
  while (i <= text.size()) {
    if (i == text.size() || text[i] == '+') {
      if (!any) return std::nullopt;  // an empty product inside a minimized text
      sum.push_back(current);
      current = Cube{};
      any = false;
      ++i;
      continue;
    }
    bool neg = false;
    if (text[i] == '~') {
      neg = true;
      ++i;
    }
    if (i + 1 >= text.size() || text[i] != 'x' || text[i + 1] < '0' || text[i + 1] > '9')
      return std::nullopt;
    (neg ? current.negated : current.plain).push_back(text.substr(i, 2));
    any = true;
    i += 2;
  }
  return sum;
}

/// The value of a sum at one assignment; value(name) gives each variable's value.
template <typename ValueOf>
bool Evaluate(const std::vector<Cube>& sum, ValueOf value) {
  for (const Cube& c : sum) {
    bool on = true;
    for (const auto& name : c.plain) on = on && value(name);
    for (const auto& name : c.negated) on = on && !value(name);
    if (on) return true;
  }
  return false;
}

/// The value of a canonical function text at combination v (x<i> is bit i of v).
inline bool EvaluateAt(const std::vector<Cube>& sum, int v) {
  return Evaluate(sum, [v](const std::string& name) { return ((v >> (name[1] - '0')) & 1) != 0; });
}

}  // namespace kestrel::function_tests
