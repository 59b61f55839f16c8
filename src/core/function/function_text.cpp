#include "function/function_text.h"

#include <algorithm>
#include <limits>

namespace kestrel {

std::optional<long long> ParseDecimal(std::string_view digits, long long limit) {
  if (digits.empty()) return std::nullopt;
  long long v = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    v = v * 10 + (c - '0');
    if (v > limit) return std::nullopt;
  }
  return v;
}

bool ParseSmallNumber(std::string_view digits, int* value) {
  const std::optional<long long> v = ParseDecimal(digits, std::numeric_limits<int>::max());
  if (!v) return false;
  *value = static_cast<int>(*v);
  return true;
}

int CountVariables(std::string_view text) {
  bool seen[10] = {};
  for (size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == 'x' && IsDigit(text[i + 1])) seen[text[i + 1] - '0'] = true;
  return static_cast<int>(std::count(seen, seen + 10, true));
}

bool HasComplementaryLiterals(std::string_view text) {
  bool plain[10] = {}, negated[10] = {};
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '+') continue;
    const std::string_view product = text.substr(start, i - start);
    start = i + 1;
    if (product.size() == 2 && product[0] == 'x' && IsDigit(product[1]))
      plain[product[1] - '0'] = true;
    if (product.size() == 3 && product[0] == '~' && product[1] == 'x' && IsDigit(product[2]))
      negated[product[2] - '0'] = true;
  }
  for (int d = 0; d < 10; ++d)
    if (plain[d] && negated[d]) return true;
  return false;
}

bool IsSingleLiteral(std::string_view text) {
  if (text.size() == 2) return text[0] == 'x' && IsDigit(text[1]);
  if (text.size() == 3) return text[0] == '~' && text[1] == 'x' && IsDigit(text[2]);
  return false;
}

std::string NegateLiteral(const std::string& text) {
  if (text == "0") return "1";
  if (text == "1") return "0";
  if (text.find('~') != std::string::npos) return text.substr(1);
  return "~" + text;
}

std::vector<FunctionLine> FunctionLines(std::string_view text) {
  constexpr int kBreakAfter = 50;
  std::vector<FunctionLine> lines(1);
  int counter = 1;
  for (char c : text) {
    lines.back().text += c;
    if (counter > kBreakAfter && c == '+') {
      lines.back().broken = true;
      lines.emplace_back();
      counter -= kBreakAfter;
    }
    ++counter;
  }
  return lines;
}

std::string FunctionLabelText(std::string_view text) {
  std::string out;
  for (const FunctionLine& line : FunctionLines(text)) {
    const size_t inner = line.text.size() - (line.broken ? 1 : 0);
    for (size_t i = 0; i < inner; ++i)
      out += line.text[i] == '+' ? " + " : std::string(1, line.text[i]);
    if (line.broken) out += "+\n\r";
  }
  return out;
}

bool IsFunctionTextSyntax(std::string_view text) {
  if (text == "0" || text == "1") return true;
  const size_t n = text.size();
  int plain = 0, negated = 0;
  for (size_t i = 0; i < n;) {
    if (text[i] == '+') {
      plain = negated = 0;
      ++i;
      continue;
    }
    const bool isNegated = text[i] == '~';
    if (isNegated) ++i;
    if (i + 1 >= n || text[i] != 'x' || !IsDigit(text[i + 1])) return false;
    const int bit = 1 << (text[i + 1] - '0');
    (isNegated ? negated : plain) |= bit;
    if (plain & negated) return false;
    i += 2;
  }
  return true;
}

}  // namespace kestrel
