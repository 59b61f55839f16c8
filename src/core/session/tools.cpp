// The tools beside the program's own commands: the choice of address variables, the comparison
// of structures and the minimum cover, each as an operation on the session's state.

#include "files/sections.h"
#include "function/function_text.h"
#include "session/session.h"

namespace kestrel {

Session::AddressContext Session::CurrentAddressContext() const {
  const int n = CountVariables(model.functionText);
  return {choice.Current(), TopAddressInputs(choice, n), model.functionText};
}

std::string Session::SetAddressChoice(const AddressChoice& newChoice) {
  const AddressContext context = CurrentAddressContext();
  std::string problem =
      CheckAddressChoice(newChoice, context.structure, context.inputs, model.functionText);
  if (!problem.empty()) return problem;
  if (newChoice != address || (newChoice.mode == AddressMode::kNamed && context != addressContext_))
    project.projectModified = 1;
  address = newChoice;
  addressContext_ = context;
  return "";
}

const AddressChoice& Session::AddressForRealization() {
  if (address.mode == AddressMode::kNamed && CurrentAddressContext() != addressContext_)
    address = {};
  return address;
}

std::vector<CompareRow> Session::CompareStructuresNow(AddressMode mode) const {
  return CompareStructures(model.functionText, mode);
}

RealizeResult Session::RealizeComparedRow(const StructureOptions& options, AddressMode mode) {
  if (!commands.Enabled(CommandItem::Realization)) return {};
  choice.OnShow(model.functionText);
  choice.Apply(options);
  if (!ConfirmStructure()) return {};
  if (HasAddressChoice(options.structure) && mode != AddressMode::kNamed)
    SetAddressChoice({mode, {}});
  return RealizeCurrent();
}

namespace {

// The Ones of a literal function over its own variables, numbered as the literal entry numbers
// them (the used variables from the highest index down, the last one bit 0), and their names.
std::vector<InputTerm> LiteralTerms(const std::string& text, std::vector<std::string>& names) {
  TermTable table;
  table.LoadTermTable(text);
  names = table.DropAllDashColumns();
  const int columns = table.ColumnCount();
  std::vector<bool> isOne(size_t{1} << columns, false);
  for (int r = 1; r < table.RowCount(); ++r) {
    int fixed = 0, free = 0;
    for (int c = 0; c < columns; ++c) {
      const int bit = 1 << (columns - 1 - c);
      if (table.Cell(c, r) == "1") fixed |= bit;
      if (table.Cell(c, r) == "-") free |= bit;
    }
    int s = 0;  // every subset of the free variables
    do {
      isOne[static_cast<size_t>(fixed | s)] = true;
      s = (s - free) & free;
    } while (s != 0);
  }
  std::vector<InputTerm> terms;
  const int full = (1 << columns) - 1;
  for (size_t v = 0; v < isOne.size(); ++v)
    if (isOne[v]) terms.push_back({static_cast<int>(v), ~static_cast<int>(v) & full, false});
  return terms;
}

}  // namespace

bool Session::CanCompareCovers() const {
  const std::string& text = model.functionText;
  if (text.empty() || text == "0" || text == "1") return false;
  switch (model.representationFlag) {
    case 1:
      return !model.ones().empty();
    case 2:
      return IsFunctionTextSyntax(text) && CountVariables(text) > 0;
    default:
      return false;
  }
}

std::optional<CoverComparison> Session::CompareCoversNow(double seconds) {
  if (!coverSolver_ || !CanCompareCovers()) return std::nullopt;
  if (model.representationFlag == 1) {
    const int n = model.VariableCount();
    std::vector<int> ones, dontCares;
    for (const std::string& entry : model.ones()) ones.push_back(EntryValue(entry));
    for (const std::string& entry : model.dontCares()) dontCares.push_back(EntryValue(entry));
    return CompareCovers(InputTermsOf(ones, dontCares, n), n, 1, {}, 0, *coverSolver_, seconds);
  }
  std::vector<std::string> names;
  const std::vector<InputTerm> terms = LiteralTerms(model.functionText, names);
  return CompareCovers(terms, static_cast<int>(names.size()), 2, names,
                       static_cast<int>(names.size()), *coverSolver_, seconds);
}

std::optional<RealizeResult> Session::UseMinimumCover(const CoverComparison& covers) {
  if (covers.constant || covers.minimumText.empty()) return std::nullopt;
  const FunctionModel::MinimumCoverNote note{covers.minimumText, covers.minimum.proven};
  if (model.CoverNote() && *model.CoverNote() == note) return std::nullopt;
  model.functionText = covers.minimumText;
  model.minimumCover = note;
  model.functionModified = 1;
  project.projectModified = 1;
  if (commandState == CommandState::kRealized || commandState == CommandState::kRealizationRefused)
    return RealizeCurrent();
  return std::nullopt;
}

}  // namespace kestrel
