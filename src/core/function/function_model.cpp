#include "function/function_model.h"

#include <algorithm>

#include "base/limits.h"
#include "function/function_text.h"
#include "function/texts.h"

namespace kestrel {

int BitsNeeded(int v) {
  if (v < 0 || v >= 1024) return -1;
  for (int k = 1; k <= 10; ++k)
    if (v < (1 << k)) return k;
  return -1;
}

int ComplementMask(int v, int n) {
  if (n <= 0) return 0;
  return ~v & ((1 << n) - 1);
}

int EntryValue(const std::string& text) {
  if (text.size() > 4) return -1;
  const std::optional<long long> v = ParseDecimal(text, kCombinations - 1);
  return v ? static_cast<int>(*v) : -1;
}

void FunctionModel::ResetVariableNames() {
  variableNames.assign(10, "0");
  variableNameCount = 0;
}

void FunctionModel::AppendVariableName(const std::string& name) {
  if (variableNameCount < 10) variableNames[variableNameCount] = name;
  ++variableNameCount;
}

std::optional<ListKind> ListKindFromIndex(int index) {
  if (index < 0 || index > 2) return std::nullopt;
  return static_cast<ListKind>(index);
}

int FunctionModel::VariableCount() const {
  if (representationFlag == 2) return variableNameCount;
  int n = 0;
  for (const auto& entries : lists)
    if (!entries.empty()) n = std::max(n, BitsNeeded(EntryValue(entries.back())));
  return n;
}

FunctionDefinition::FunctionDefinition(FunctionModel& model, TermTable& table,
                                       MessageSink& messages, ShellPort& shell,
                                       ProgressPort& progress)
    : model_(model), table_(table), messages_(messages), shell_(shell), progress_(progress) {}

void FunctionDefinition::OpenCanonical() {
  minimizeChecked = true;
  layout = EntryLayout::kCanonical;
  for (int l = 0; l < 3; ++l) {
    model_.backupLists[l] = model_.lists[l];
    selection_[l].assign(model_.lists[l].size(), false);
  }
  editText.clear();
  open = true;
}

void FunctionDefinition::OpenLiteral() {
  minimizeChecked = true;
  layout = EntryLayout::kLiteral;
  model_.backupText = model_.functionText;
  open = true;
}

bool FunctionDefinition::CheckNumber(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' ') {
      messages_.Show(text::kOnlyDigits, text::kCaptionWarning, Buttons::Ok, Icon::Warning);
      return false;
    }
  }
  if (text.size() >= 5) {
    messages_.Plain(text::kTooLong);
    return false;
  }
  // A pasted text may hold signs, points and the like: only plain digits make a number here.
  int value = 0;
  if (!ParseSmallNumber(text, &value)) {
    messages_.Show(text::kNotANumber, text::kCaptionWarning, Buttons::Ok, Icon::Warning);
    return false;
  }
  if (value >= kCombinations) {
    messages_.Show(text::kOutOfRange, text::kCaptionWarning, Buttons::Ok, Icon::Warning);
    return false;
  }
  return true;
}

bool FunctionDefinition::CheckLeadingZero(const std::string& text) {
  if (text.size() > 1 && text[0] == '0') {
    messages_.Show(text::kLeadingZero, text::kCaptionWarning, Buttons::Ok, Icon::Warning);
    return false;
  }
  return true;
}

bool FunctionDefinition::Add(const std::string& text, ListKind target) {
  editText = text;
  if (!CheckNumber(text) || !CheckLeadingZero(text)) return false;
  if (model_.ones().size() + model_.dontCares().size() + 1 > kMaxTerms) {
    messages_.Plain(text::kTooManyTerms);
    return false;
  }
  static const char* const kGroupNames[3] = {"Ones", "Zeros", "Don't cares"};
  int found = -1;
  for (int l = 0; l < 3; ++l)
    if (std::find(model_.lists[l].begin(), model_.lists[l].end(), text) != model_.lists[l].end())
      found = l;
  if (found >= 0) {
    messages_.Show(std::string(text::kExistsHead) + kGroupNames[found] + text::kExistsTail,
                   text::kCaptionWarningBang, Buttons::Ok, Icon::Information);
    editText.clear();
    return false;
  }
  const int value = EntryValue(text);
  auto& list = model_.list(target);
  auto& sel = selection_[static_cast<int>(target)];
  sel.resize(list.size(), false);
  size_t at = 0;
  while (at < list.size() && EntryValue(list[at]) < value) ++at;
  list.insert(list.begin() + static_cast<long>(at), text);
  sel.insert(sel.begin() + static_cast<long>(at), false);
  editText.clear();
  return true;
}

bool FunctionDefinition::OkClosesWindow() const {
  return model_.ones().size() + model_.dontCares().size() <= kMaxTerms;
}

bool FunctionDefinition::Ok() {
  model_.functionModified = 1;
  model_.functionText.clear();
  if (!OkClosesWindow()) {
    messages_.Plain(std::string(text::kTooMuchWritten) + std::to_string(kMaxTerms));
    return false;
  }
  model_.representationFlag = 1;
  open = false;
  shell_.SetCommandState(CommandState::kFunctionDefined);
  MinimizeFunction();
  if (model_.functionText == "1" || model_.functionText == "0")
    shell_.SetCommandState(CommandState::kNothingToRealize);
  shell_.ClearMuxDemuxSizes();
  return true;
}

void FunctionDefinition::Cancel() {
  for (int l = 0; l < 3; ++l) {
    model_.lists[l] = model_.backupLists[l];
    selection_[l].assign(model_.lists[l].size(), false);
  }
  open = false;
}

void FunctionDefinition::ClearAll() {
  model_.functionModified = 1;
  for (int l = 0; l < 3; ++l) {
    model_.lists[l].clear();
    selection_[l].clear();
  }
}

void FunctionDefinition::SelectAll(ListKind target) {
  selection_[static_cast<int>(target)].assign(model_.list(target).size(), true);
}

void FunctionDefinition::Select(ListKind target, int index, bool selected) {
  auto& sel = selection_[static_cast<int>(target)];
  sel.resize(model_.list(target).size(), false);
  if (index >= 0 && index < static_cast<int>(sel.size())) sel[index] = selected;
}

void FunctionDefinition::Delete(ListKind target) {
  auto& list = model_.list(target);
  auto& sel = selection_[static_cast<int>(target)];
  sel.resize(list.size(), false);
  std::vector<std::string> kept;
  for (size_t i = 0; i < list.size(); ++i)
    if (!sel[i]) kept.push_back(list[i]);
  list = std::move(kept);
  sel.assign(list.size(), false);
}

void FunctionDefinition::Escape() {
  if (model_.representationFlag == 1) Cancel();
  if (model_.representationFlag == 2) LiteralCancel();
  open = false;
}

void FunctionDefinition::CloseBox() {
  switch (layout) {
    case EntryLayout::kCanonical:
      Cancel();
      break;
    case EntryLayout::kLiteral:
      LiteralCancel();
      break;
  }
}

void FunctionDefinition::ClearWorkLists() {
  for (auto& list : model_.lists) list.clear();
  for (auto& sel : selection_) sel.clear();
  model_.onesMasks.clear();
  model_.dontCareMasks.clear();
}

}  // namespace kestrel
