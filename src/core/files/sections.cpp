#include "files/sections.h"

#include <algorithm>
#include <bitset>

#include "base/limits.h"
#include "files/file_io.h"
#include "files/file_texts.h"
#include "function/function_text.h"
#include "function/truth_table.h"

namespace kestrel {

namespace ft = filetext;

int FromBitsToIdx(int size) {
  switch (size) {
    case 4:
      return 1;
    case 8:
      return 2;
    case 16:
      return 3;
    default:
      return 0;
  }
}

int IdxToBits(int index) {
  return index >= 0 && index <= 3 ? 1 << (index + 1) : 1;
}

std::optional<long long> ParseFileInteger(const std::string& line) {
  const bool negative = !line.empty() && line[0] == '-';
  const std::string_view digits = std::string_view(line).substr(negative ? 1 : 0);
  if (digits.size() > 10) return std::nullopt;
  const std::optional<long long> value = ParseDecimal(digits, 9999999999LL);
  if (!value) return std::nullopt;
  return negative ? -*value : *value;
}

void ResetFunction(FunctionModel& model) {
  model.functionText.clear();
  model.minimumCover.reset();
  for (auto& list : model.lists) list.clear();
}

bool WriteFunctionSection(LineBuffer& buffer, const FunctionModel& model, MessageSink& messages) {
  buffer.Clear();
  buffer.Add(ft::kMagic);
  const bool blank =
      model.representationFlag == 1
          ? model.ones().empty() && model.zeros().empty() && model.dontCares().empty()
          : model.functionText.empty();
  // Without a function (representation flag 0) the file would hold the first line alone and
  // could never be read back; that is refused like blank data.
  if (blank || (model.representationFlag != 1 && model.representationFlag != 2)) {
    messages.Show(ft::kBlankData, text::kCaptionError, Buttons::Ok, Icon::Error);
    return false;
  }
  if (model.representationFlag == 1) {
    buffer.Add(ft::kDecimal);
    for (const auto& list : model.lists) {
      buffer.Add(std::to_string(list.size()));
      for (const std::string& entry : list) buffer.Add(entry);
    }
    buffer.Add(ft::kMinimized);
    buffer.Add(model.functionText);
    buffer.Add(ft::kEndOfMinimized);
  } else {
    buffer.Add(ft::kLiteral);
    buffer.Add(model.functionText);
  }
  return true;
}

void WriteDesignSection(LineBuffer& buffer, const StructureChoice& choice) {
  auto size = [](int index) { return std::to_string(IdxToBits(index)); };
  const Structure structure = choice.Current();
  buffer.Add(NamesOf(structure).fileKeyword);
  switch (structure) {
    case Structure::kMux:
      buffer.Add(size(choice.radioMuxSize));
      break;
    case Structure::kMuxGates:
      buffer.Add(size(choice.radioMuxSize));
      buffer.Add(NamesOf(choice.radioGates).fileKeyword);
      break;
    case Structure::kDemux:
      buffer.Add(size(choice.radioDmux));
      break;
    case Structure::kMuxTree:
      buffer.Add(size(choice.radioMuxMT));
      break;
    case Structure::kMuxDemux:
      buffer.Add(size(choice.MdMuxIndex()));
      buffer.Add(size(choice.MdDmuxIndex()));
      break;
  }
}

int ReadFunctionSection(const LineBuffer& buffer, int start, FunctionModel& model,
                        ShellPort& shell) {
  int i = start;
  auto next = [&]() { return buffer.Line(i++); };
  const std::string t = next();
  if (t == ft::kDecimal) {
    model.representationFlag = 1;
    shell.SetCommandState(CommandState::kFunctionDefined);
    std::bitset<kCombinations> seen;
    for (auto& list : model.lists) {
      const std::optional<long long> count = ParseFileInteger(next());
      // No list holds more than the 1024 combinations, and a count may not run past the end.
      if (!count || *count < 0 || *count > kCombinations || *count > buffer.Count() - i)
        return kSectionCorrupt;
      list.clear();
      std::vector<std::string> entries;
      entries.reserve(static_cast<size_t>(*count));
      for (long long k = 0; k < *count; ++k) {
        std::string entry = next();
        const int value = EntryValue(entry);
        if (value < 0 || entry != std::to_string(value) || seen[static_cast<size_t>(value)])
          return kSectionCorrupt;
        seen[static_cast<size_t>(value)] = true;
        entries.push_back(std::move(entry));
      }
      std::stable_sort(
          entries.begin(), entries.end(),
          [](const std::string& a, const std::string& b) { return EntryValue(a) < EntryValue(b); });
      list = std::move(entries);
    }
    // Distinct numbers of 0..1023 keep Ones plus Don't cares within 1024 by themselves.
    if (next() == ft::kMinimized) {
      std::string joined;
      while (true) {
        if (i >= buffer.Count()) return kSectionInvalid;
        const std::string_view line = buffer.LineView(i++);
        if (line == ft::kEndOfMinimized) break;
        joined += line;
      }
      if (!IsFunctionTextSyntax(joined)) return kSectionCorrupt;
      // The text was minimized from these lists, so it gives 1 on every One and 0 on every
      // Zero; one that does not belongs to another function. An empty text (saved after a
      // constant function was read) has nothing to disagree with.
      if (!joined.empty() && CheckLists(EvaluateFunctionText(joined), model).mismatches > 0)
        return kSectionCorrupt;
      if (joined == "1" || joined == "0") {
        model.functionText.clear();
        shell.SetCommandState(CommandState::kNothingToRealize);
      } else {
        model.functionText = joined;
        shell.SetCommandState(CommandState::kFunctionDefined);
      }
    }
    return i;
  }
  if (t == ft::kLiteral) {
    model.representationFlag = 2;
    shell.SetCommandState(CommandState::kFunctionDefined);
    std::string text = next();
    if (!IsFunctionTextSyntax(text)) return kSectionCorrupt;
    model.functionText = std::move(text);
    return i;
  }
  return kSectionInvalid;
}

DesignRead ReadDesignSection(const LineBuffer& buffer, int start, StructureChoice& choice) {
  int i = start;
  auto next = [&]() { return buffer.Line(i++); };
  auto nextSize = [&]() { return ParseFileInteger(next()); };
  auto index = [](long long size) {
    return FromBitsToIdx(size >= -16 && size <= 16 ? static_cast<int>(size) : 0);
  };
  // Every line is read and checked before the choice changes, so a corrupt design section
  // leaves the structure as it was.
  const std::optional<Structure> structure = StructureFromKeyword(next());
  if (!structure) return DesignRead::kNoDesign;
  switch (*structure) {
    case Structure::kMux:
    case Structure::kMuxGates: {
      const auto size = nextSize();
      if (!size) return DesignRead::kCorrupt;
      const bool gates = *structure == Structure::kMuxGates;
      // Any gate line other than "NAND" and "NOR" reads as the third family.
      const GateFamily family =
          gates ? GateFamilyFromKeyword(next()).value_or(GateFamily::kAndOrNot) : choice.radioGates;
      choice.tab = StructureTab::kMux;
      choice.radioMuxSize = index(*size);
      choice.radioGates = family;
      choice.SetUseGates(gates);
      return DesignRead::kRead;
    }
    case Structure::kDemux:
    case Structure::kMuxTree: {
      const auto size = nextSize();
      if (!size) return DesignRead::kCorrupt;
      if (*structure == Structure::kDemux) {
        choice.tab = StructureTab::kDemux;
        choice.radioDmux = index(*size);
      } else {
        choice.tab = StructureTab::kMuxTree;
        choice.radioMuxMT = index(*size);
      }
      return DesignRead::kRead;
    }
    case Structure::kMuxDemux: {
      const auto muxSize = nextSize();
      const auto dmuxSize = nextSize();
      if (!muxSize || !dmuxSize) return DesignRead::kCorrupt;
      choice.tab = StructureTab::kMuxDemux;
      // A group without a selected size is written as 1; it comes back unselected.
      if (*muxSize == 1)
        std::fill(std::begin(choice.mdMuxOn), std::end(choice.mdMuxOn), false);
      else
        choice.SelectMdMux(index(*muxSize));
      if (*dmuxSize == 1)
        std::fill(std::begin(choice.mdDmuxOn), std::end(choice.mdDmuxOn), false);
      else
        choice.SelectMdDmux(index(*dmuxSize));
      return DesignRead::kRead;
    }
  }
  return DesignRead::kNoDesign;
}

void WriteTrailingLines(LineBuffer& buffer, const FunctionModel& model,
                        const AddressChoice* address) {
  if (const FunctionModel::MinimumCoverNote* note = model.CoverNote()) {
    buffer.Add(ft::kCoverKeyword);
    buffer.Add(note->proven ? ft::kCoverMinimum : ft::kCoverBestFound);
  }
  if (address && address->mode != AddressMode::kAutomatic) {
    buffer.Add(ft::kAddressKeyword);
    buffer.Add(FormatAddressChoice(*address));
  }
}

void ReadTrailingLines(const LineBuffer& buffer, int start, FunctionModel& model,
                       AddressChoice* address) {
  model.minimumCover.reset();
  if (address) *address = {};
  for (int i = std::max(start, 0); i + 1 < buffer.Count(); ++i) {
    const std::string keyword = buffer.Line(i);
    const std::string value = buffer.Line(i + 1);
    if (keyword == ft::kCoverKeyword && !model.functionText.empty() &&
        (value == ft::kCoverMinimum || value == ft::kCoverBestFound)) {
      model.minimumCover =
          FunctionModel::MinimumCoverNote{model.functionText, value == ft::kCoverMinimum};
      ++i;
    } else if (keyword == ft::kAddressKeyword && address) {
      *address = ParseAddressChoice(value, nullptr).value_or(AddressChoice{});
      ++i;
    }
  }
}

bool CheckReadOnly(const std::string& path, MessageSink& messages) {
  if (!IsReadOnlyFile(path)) return true;
  messages.Show(ft::kReadOnly, text::kCaptionWarning, Buttons::Ok, Icon::Error);
  return false;
}

bool ConfirmReplace(const std::string& path, MessageSink& messages) {
  if (!PathExists(path)) return true;
  const Answer answer = messages.Show(std::string(ft::kReplaceHead) + path + ft::kReplaceTail,
                                      text::kCaptionWarning, Buttons::OkCancel, Icon::Warning);
  return answer == Answer::Ok;
}

}  // namespace kestrel
