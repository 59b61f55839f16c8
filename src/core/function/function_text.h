#pragma once
// The function text: products joined by "+" without blanks, each product a sequence of
// literals "x<d>" or "~x<d>" (d one digit, the variable's index), "0" and "1" the constant
// functions, the empty text no function. Residues of the realization use the same syntax.
// These are the small readers every part of the program shares: the digit test, the one
// number parser, the literal scanner, and the tests the engine makes on residues.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

/// The one reader of decimal numbers: a text made only of digits (no sign, no blank, not empty)
/// whose value is at most limit; nothing otherwise.
std::optional<long long> ParseDecimal(std::string_view digits, long long limit);
/// ParseDecimal within int range.
bool ParseSmallNumber(std::string_view digits, int* value);

/// Splits one product into literal tokens the way both the literal entry and the term table
/// read it: a token starts at every "x" and every "~" (the character after a "~" is taken as
/// its "x", so the token reads "~x"), and runs up to the next such start. Whatever precedes the
/// first start is a token of its own. Calls fn(token, index of the token's first character in
/// the product) for each non-empty token in order; stops and returns false when fn does.
template <typename Fn>
bool ForEachLiteralToken(std::string_view product, Fn&& fn) {
  std::string token;
  size_t start = 0;
  for (size_t i = 0; i < product.size(); ++i) {
    const char c = product[i];
    if (c != 'x' && c != '~') {
      token += c;
      continue;
    }
    if (!token.empty() && !fn(std::string_view(token), start)) return false;
    start = i;
    if (c == 'x') {
      token = "x";
    } else {
      token = "~x";
      ++i;  // the "x" after the "~"
    }
  }
  return token.empty() || fn(std::string_view(token), start);
}

/// The number of d in 0..9 for which "x" followed by d occurs in the text; 0 for "0" and "1".
int CountVariables(std::string_view text);
/// True when the text ("...+" form) has one-literal products x<d> and ~x<d> for the same d.
bool HasComplementaryLiterals(std::string_view text);
/// True when the text is exactly x<d> or ~x<d> with d in 0..9.
bool IsSingleLiteral(std::string_view text);
/// "0" <-> "1"; a text with "~" loses its first character; any other text gets "~" in front.
std::string NegateLiteral(const std::string& text);

/// One line of the function as the result and the printed text block show it: the text is
/// broken only after a "+", once more than 50 characters were read since the previous break
/// (counted from the excess over 50, not from zero), and the "+" stays at the end of the line.
struct FunctionLine {
  std::string text;     ///< the characters of the function on this line, a break's "+" included
  bool broken = false;  ///< the line ends at a break: its last character is that "+"
};
std::vector<FunctionLine> FunctionLines(std::string_view text);
/// The function label's text: lines joined by a line feed and a carriage return, every "+"
/// inside a line written " + ".
std::string FunctionLabelText(std::string_view text);

/// True when the text is "0", "1", or products of literals x<d> / ~x<d> joined by "+" (products
/// may be empty, as a literal function kept unminimized can hold "+x1"), none of them holding
/// a variable both plain and negated.
bool IsFunctionTextSyntax(std::string_view text);

}  // namespace kestrel
