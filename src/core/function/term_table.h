#pragma once
// The term table: the engine's working grid of strings.
//
// Row 0 is the header, one variable name per column ("x9" in column 0 down to "x0" in column 9
// when loaded). Every further row is one product: a cell is "1" (the variable occurs plain),
// "0" (negated, also when both occur) or "-" (absent). Ordering puts the most used variables
// first; the leading a columns become the address (select) variables of a multiplexer or
// demultiplexer, column 0 the most significant. After AddAddressColumn the last column, headed
// "Adr.v.", holds each row's address value in decimal, and the columns between are the residual
// columns from which each data input's residue is read.

#include <string>
#include <vector>

#include "function/function_text.h"

namespace kestrel {

class TermTable {
 public:
  TermTable();

  int ColumnCount() const { return columns_; }
  int RowCount() const { return static_cast<int>(grid_.size()); }  ///< header included
  const std::string& Cell(int column, int row) const { return grid_[row][column]; }
  void SetCell(int column, int row, const std::string& text) { grid_[row][column] = text; }
  /// Replaces the whole table (used by the gate tables of the multiplexer-and-demultiplexer).
  void Resize(int columns, int rows);

  void LoadTermTable(const std::string& text);
  void FillTermRow(const std::string& product, int row);
  void SortColumnsByUse();
  void MoveUnusedColumnsRight();
  /// Moves the columns of the given variables (indices 0..9) to the front, in the order given;
  /// the other columns keep their order behind them. A variable without a column is skipped.
  void MoveColumnsFirst(const std::vector<int>& variables);
  void DropUnusedTrailingColumns();
  void ExpandAddressColumns(int a);
  void AddAddressColumn(int a);
  void AbsorbRows(int a);
  std::string ResidueText(int v, int a) const;
  std::string ProductText(int first, int end, int k) const;
  void KeepLastColumns(int k);
  /// Keeps the columns that some product uses; returns their header names, left to right.
  std::vector<std::string> DropAllDashColumns();

  /// The residue of every data input of a multiplexer with a address inputs, with a residue
  /// holding complementary one-literal products replaced by "1" (the table must be prepared).
  std::vector<std::string> Residues(int a) const;
  /// The preparation for a multiplexer with a address inputs: load, order, split, absorb. The
  /// variables given, when any, take the first address inputs in their order (the columns
  /// after them keep the order by use).
  void PrepareForMux(const std::string& text, int a, const std::vector<int>& first = {});

 private:
  int DashCount(int column) const;
  void SwapColumns(int c1, int c2);

  int columns_ = 0;
  std::vector<std::vector<std::string>> grid_;  ///< grid_[row][column]
};

}  // namespace kestrel
