// The literal entry: cleaning and checking a typed sum of products, its rewriting into the
// normal form, and its conversion into the list of minterms that the minimization works on.

#include <algorithm>
#include <chrono>

#include "function/function_model.h"
#include "function/function_text.h"
#include "function/minimizer.h"
#include "function/term_table.h"
#include "function/texts.h"

namespace kestrel {

int FunctionDefinition::CheckLiteral() {
  if (model_.functionText.empty()) return 0;
  ClearWorkLists();
  productList_.clear();
  std::string t;
  for (char c : model_.functionText) {
    if (c == ' ') continue;
    t += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  if (t.empty()) return 0;
  while (t.size() > 1 && t.back() == '+') t.pop_back();
  for (char c : t) {
    if (c != 'x' && c != '~' && c != '+' && !IsDigit(c)) {
      messages_.Plain(std::string(text::kForbiddenHead) + c + text::kForbiddenTail);
      return -1;
    }
  }
  std::string cleaned;
  for (char c : t)
    if (cleaned.empty() || cleaned.back() != c) cleaned += c;
  model_.functionText = cleaned;

  size_t start = 0;
  while (true) {
    const size_t plus = cleaned.find('+', start);
    const std::string piece =
        cleaned.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    if (ParseProduct(piece) == -1) return -1;
    if (plus == std::string::npos) break;
    start = plus + 1;
  }

  std::string rewritten;
  for (size_t i = 0; i < productList_.size(); ++i) {
    if (i > 0) rewritten += "+";
    rewritten += FormatTerm(static_cast<uint16_t>(productList_[i].first),
                            static_cast<uint16_t>(productList_[i].second), 1, {}, 0, nullptr);
  }
  model_.functionText = rewritten;
  return 1;
}

int FunctionDefinition::ParseProduct(const std::string& s) {
  product_ = ProductRecord{};
  const std::string refusal = std::string(text::kVariableHead) + s + text::kVariableTail;
  if (!s.empty() && IsDigit(s[0])) {
    messages_.Plain(refusal);
    return -1;
  }
  const bool read = ForEachLiteralToken(s, [&](std::string_view token, size_t at) {
    // A "~" must be followed by its "x": not by a digit, nor by the end of the product.
    if (token[0] == '~' && (at + 1 >= s.size() || IsDigit(s[at + 1]))) {
      messages_.Plain(refusal);
      return false;
    }
    // A lone "x" is refused only at the end of the product; inside it, it has no effect.
    if (token.size() == 1 && at + 1 == s.size()) {
      messages_.Plain(std::string(text::kVariableHead) + std::string(token) + text::kVariableTail);
      return false;
    }
    return ParseLiteral(std::string(token)) != -1;
  });
  if (!read) return -1;
  int p = 0, n = 0;
  for (int k = 0; k < 10; ++k) {
    if (product_.negated[k]) {
      n |= 1 << k;
    } else if (product_.plain[k]) {
      p |= 1 << k;
    }
  }
  const std::pair<int, int> pair{p, n};
  if (std::find(productList_.begin(), productList_.end(), pair) == productList_.end()) {
    productList_.push_back(pair);
    model_.ones().push_back(std::to_string(p));
    model_.onesMasks.push_back(std::to_string(n));
  }
  return 0;
}

int FunctionDefinition::ParseLiteral(const std::string& token) {
  if (token.size() < 2) return 0;
  const bool negated = token[0] == '~';
  const std::string digits = token.substr(negated ? 2 : 1);
  if (negated && digits.empty()) {
    messages_.Plain(std::string(text::kVariableHead) + token + text::kVariableTailBang);
    return -1;
  }
  int d = 0;
  if (!ParseSmallNumber(digits, &d)) {
    messages_.Plain(text::kNotConvertible);
    return -1;
  }
  if (d > 9) {
    messages_.Plain(std::string(text::kNumberHead) + std::to_string(d) + text::kNumberTail);
    return -1;
  }
  (negated ? product_.negated : product_.plain)[d] = true;
  return 0;
}

bool FunctionDefinition::LiteralOk() {
  if (!LiteralCheck()) return false;
  LiteralAccept();
  return true;
}

bool FunctionDefinition::LiteralCheck() {
  if (CheckLiteral() == -1) return false;
  model_.backupText = model_.functionText;
  return true;
}

void FunctionDefinition::LiteralAccept() {
  // The window is out of the way before the minimization shows its messages and progress.
  open = false;
  ClearWorkLists();
  model_.representationFlag = 2;
  shell_.SetCommandState(CommandState::kFunctionDefined);
  if (minimizeChecked) {
    progress_.SetTitle(text::kTitleMinimization);
    progress_.SetTimeText(text::kTimeLine);
    if (model_.functionText.find('+') != std::string::npos) {
      progress_.SetStopEnabled(true);
      if (LiteralToCanonical(model_.functionText) == 0) MinimizeFunction();
    }
  }
  model_.functionModified = 1;
  if (model_.functionText == "1") shell_.SetCommandState(CommandState::kNothingToRealize);
  shell_.ClearMuxDemuxSizes();
}

void FunctionDefinition::LiteralCancel() {
  model_.functionText = model_.backupText;
  open = false;
}

int FunctionDefinition::LiteralToCanonical(const std::string& t) {
  int maxDigit = 0;
  for (char c : t)
    if (IsDigit(c)) maxDigit = std::max(maxDigit, c - '0');
  table_.LoadTermTable(t);
  table_.KeepLastColumns(maxDigit);
  const std::vector<std::string> names = table_.DropAllDashColumns();
  model_.ResetVariableNames();
  for (const auto& name : names) model_.AppendVariableName(name);

  // Splitting every "-" of a row into a "0" row and a "1" row turns each product into the
  // minterms it covers; they are enumerated here instead of being materialised as rows.
  const int columns = table_.ColumnCount();
  const int products = table_.RowCount() - 1;
  long long rowCount = 1;
  for (int r = 1; r <= products; ++r) {
    int dashes = 0;
    for (int c = 0; c < columns; ++c) dashes += table_.Cell(c, r) == "-";
    rowCount += 1LL << dashes;
  }

  ClearWorkLists();
  const bool showProgress = rowCount > 200;
  if (showProgress) {
    progress_.Show();
    progress_.SetBarPosition(0);
    progress_.SetBarMaximum(static_cast<int>(std::min<long long>(rowCount, 1 << 30)));
    progress_.ProcessEvents();
  }
  progress_.SetRunning(1);

  using Clock = std::chrono::steady_clock;
  auto lastPoll = Clock::time_point{};
  long long done = 0;
  std::vector<bool> isOne(static_cast<size_t>(1) << columns, false);
  for (int r = 1; r <= products; ++r) {
    int fixedValue = 0;
    std::vector<int> dashBits;
    for (int c = 0; c < columns; ++c) {
      const int bit = columns - 1 - c;
      const std::string& cell = table_.Cell(c, r);
      if (cell == "1") fixedValue |= 1 << bit;
      if (cell == "-") dashBits.push_back(bit);
    }
    const int combos = 1 << dashBits.size();
    for (int k = 0; k < combos; ++k) {
      ++done;
      if (Clock::now() - lastPoll > std::chrono::milliseconds(4)) {
        if (showProgress) progress_.SetBarPosition(static_cast<int>(done));
        progress_.ProcessEvents();
        lastPoll = Clock::now();
        if (!progress_.IsRunning()) {
          messages_.Plain(text::kStopped);
          model_.functionText = model_.backupText;
          progress_.Close();
          return 1;
        }
      }
      int value = fixedValue;
      for (size_t b = 0; b < dashBits.size(); ++b)
        if (k & (1 << b)) value |= 1 << dashBits[b];
      isOne[value] = true;
    }
  }
  if (showProgress) progress_.SetBarPosition(static_cast<int>(done));
  for (size_t v = 0; v < isOne.size(); ++v)
    if (isOne[v]) model_.ones().push_back(std::to_string(v));
  return 0;
}

}  // namespace kestrel
