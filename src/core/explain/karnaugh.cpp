#include "explain/karnaugh.h"

#include <algorithm>

namespace kestrel {

namespace {

// The `count` bits from `low` up, the most significant first,, with their Gray code values.
KarnaughAxis Axis(int low, int count) {
  KarnaughAxis axis;
  for (int b = low + count - 1; b >= low; --b) axis.bits.push_back(b);
  for (int i = 0; i < (1 << count); ++i) axis.values.push_back(i ^ (i >> 1));
  return axis;
}

}  // namespace

int KarnaughAxis::Bits(int i) const {
  const int value = values[i];
  const int count = static_cast<int>(bits.size());
  int out = 0;
  for (int e = 0; e < count; ++e)
    if ((value >> (count - 1 - e)) & 1) out |= 1 << bits[e];
  return out;
}

std::string KarnaughAxis::Code(int i) const {
  std::string code;
  const int count = static_cast<int>(bits.size());
  for (int e = 0; e < count; ++e) code += ((values[i] >> (count - 1 - e)) & 1) ? '1' : '0';
  return code;
}

KarnaughLayout LayOutKarnaugh(int variables) {
  KarnaughLayout k;
  k.variables = std::clamp(variables, 0, 10);
  const int inner = std::min(k.variables, 4);
  const int outer = k.variables - inner;
  const int columns = (inner + 1) / 2;
  const int gridColumns = (outer + 1) / 2;
  k.columns = Axis(0, columns);
  k.rows = Axis(columns, inner - columns);
  k.gridColumns = Axis(inner, gridColumns);
  k.gridRows = Axis(inner + gridColumns, outer - gridColumns);
  return k;
}

std::string AxisNames(const KarnaughAxis& axis, const std::vector<std::string>& variableNames) {
  const int n = static_cast<int>(variableNames.size());
  std::string out;
  for (int b : axis.bits)
    if (b >= 0 && b < n) out += variableNames[n - 1 - b];
  return out;
}

}  // namespace kestrel
