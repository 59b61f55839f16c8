#pragma once
// The Karnaugh map of an n-variable function as a value: which combination each cell shows.
//
// Terms used here:
//   map       - at most 4 variables: rows by the high ones, columns by the low ones, both in
//               reflected Gray code order (00, 01, 11, 10), so neighbouring cells differ in one
//               variable, and so do the first and the last row or column (the map wraps).
//   grid      - a function of 5 to 10 variables is a grid of such maps, one per combination of
//               the remaining variables; the grid's rows and columns are in Gray code order too,
//               so that neighbouring maps also differ in one variable.
//   bit       - combination bit b (the explanation's bit numbering: bit 0 is the last variable).

#include <string>
#include <vector>

namespace kestrel {

/// One axis of a map or of the grid: its bits (most significant first) and the values along it.
struct KarnaughAxis {
  std::vector<int> bits;    ///< combination bits, the first most significant
  std::vector<int> values;  ///< the axis's values in Gray code order (1 value when no bit)

  int Size() const { return static_cast<int>(values.size()); }
  /// The combination bits that position i along the axis sets.
  int Bits(int i) const;
  /// The binary code of position i, such as "01" ("" when the axis has no bit).
  std::string Code(int i) const;
};

struct KarnaughLayout {
  int variables = 0;
  KarnaughAxis rows, columns;          ///< inside one map
  KarnaughAxis gridRows, gridColumns;  ///< of the maps (empty bits up to 4 variables)

  int Maps() const { return gridRows.Size() * gridColumns.Size(); }
  /// The combination of cell (row, column) of map (gridRow, gridColumn).
  int Combination(int gridRow, int gridColumn, int row, int column) const {
    return gridRows.Bits(gridRow) | gridColumns.Bits(gridColumn) | rows.Bits(row) |
           columns.Bits(column);
  }
};

/// The layout for n variables (0..10): the map takes the low min(n, 4) bits, columns the lower
/// half (rounded up), and the grid the bits above.
KarnaughLayout LayOutKarnaugh(int variables);

/// The names along an axis joined, such as "x1x0", from the names of bits n-1..0.
std::string AxisNames(const KarnaughAxis& axis, const std::vector<std::string>& variableNames);

}  // namespace kestrel
