#include "function/truth_table.h"

#include "function/function_model.h"

namespace kestrel {

TruthTable TruthTable::Constant(bool one) {
  TruthTable t;
  t.words_.fill(one ? ~uint64_t{0} : 0);
  return t;
}

const TruthTable& TruthTable::Variable(int d) {
  static const std::array<TruthTable, kMaxVariables> variables = [] {
    std::array<TruthTable, kMaxVariables> v;
    for (int b = 0; b < kMaxVariables; ++b)
      for (int k = 0; k < kCombinations; ++k)
        if ((k >> b) & 1) v[b].words_[k / 64] |= uint64_t{1} << (k % 64);
    return v;
  }();
  return variables[d];
}

TruthTable TruthTable::operator~() const {
  TruthTable t = *this;
  for (auto& w : t.words_) w = ~w;
  return t;
}

TruthTable& TruthTable::operator&=(const TruthTable& other) {
  for (size_t i = 0; i < words_.size(); ++i) words_[i] &= other.words_[i];
  return *this;
}

TruthTable& TruthTable::operator|=(const TruthTable& other) {
  for (size_t i = 0; i < words_.size(); ++i) words_[i] |= other.words_[i];
  return *this;
}

TruthTable EvaluateFunctionText(std::string_view text) {
  TruthTable sum = TruthTable::Constant(false);
  if (text.empty() || text == "0") return sum;
  size_t start = 0;
  while (start <= text.size()) {
    size_t plus = text.find('+', start);
    if (plus == std::string_view::npos) plus = text.size();
    const std::string_view product = text.substr(start, plus - start);
    TruthTable value = TruthTable::Constant(product != "0");
    for (size_t i = 0; i + 1 < product.size(); ++i) {
      if (product[i] != 'x') continue;
      const int d = product[i + 1] - '0';
      if (d < 0 || d > 9) continue;
      const bool negated = i > 0 && product[i - 1] == '~';
      value &= negated ? ~TruthTable::Variable(d) : TruthTable::Variable(d);
    }
    sum |= value;
    start = plus + 1;
  }
  return sum;
}

ListCheck CheckLists(const TruthTable& table, const FunctionModel& model) {
  ListCheck check;
  auto count = [&](const std::vector<std::string>& list, bool expected, int& checked) {
    for (const std::string& entry : list) {
      ++checked;
      const int v = EntryValue(entry);
      if (v < 0 || table.At(v) != expected) ++check.mismatches;
    }
  };
  count(model.ones(), true, check.ones);
  count(model.zeros(), false, check.zeros);
  return check;
}

}  // namespace kestrel
