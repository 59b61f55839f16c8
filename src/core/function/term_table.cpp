#include "function/term_table.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace kestrel {

namespace {

// Reads the literals of one product: plain[d] / negated[d] for d in 0..9. Tokens shorter than
// two characters, or whose digits do not form a number 0..9, are ignored.
void ReadProduct(const std::string& product, bool plain[10], bool negated[10]) {
  std::fill(plain, plain + 10, false);
  std::fill(negated, negated + 10, false);
  ForEachLiteralToken(product, [&](std::string_view literal, size_t) {
    if (literal.size() < 2) return true;
    const bool neg = literal[0] == '~';
    int d = 0;
    if (ParseSmallNumber(literal.substr(neg ? 2 : 1), &d) && d <= 9)
      (neg ? negated : plain)[d] = true;
    return true;
  });
}

}  // namespace

TermTable::TermTable() {
  Resize(10, 1);
}

void TermTable::Resize(int columns, int rows) {
  columns_ = columns;
  grid_.assign(rows, std::vector<std::string>(columns));
}

void TermTable::LoadTermTable(const std::string& text) {
  const std::string t = text + "+";
  const int products = static_cast<int>(std::count(t.begin(), t.end(), '+'));
  columns_ = 10;
  grid_.assign(products + 1, std::vector<std::string>(10, "-"));
  for (int c = 0; c < 10; ++c) grid_[0][c] = "x" + std::to_string(9 - c);
  std::string product;
  int k = 1;
  for (char ch : t) {
    if (ch == '+') {
      FillTermRow(product, k++);
      product.clear();
    } else {
      product += ch;
    }
  }
}

void TermTable::FillTermRow(const std::string& product, int row) {
  if (row < 0 || row >= RowCount()) return;
  bool plain[10], negated[10];
  ReadProduct(product, plain, negated);
  for (int d = 0; d < 10; ++d) {
    int c = columns_ - 1 - d;
    if (c < 0 || c >= columns_) continue;
    grid_[row][c] = negated[d] ? "0" : plain[d] ? "1" : "-";
  }
}

int TermTable::DashCount(int column) const {
  int count = 0;
  for (int r = 1; r < RowCount(); ++r)
    if (grid_[r][column] == "-") ++count;
  return count;
}

void TermTable::SwapColumns(int c1, int c2) {
  for (auto& row : grid_) std::swap(row[c1], row[c2]);
}

void TermTable::SortColumnsByUse() {
  const int cols = std::min(columns_, 10);
  std::vector<int> dashes(cols);
  for (int c = 0; c < cols; ++c) dashes[c] = DashCount(c);
  for (int limit = cols - 2; limit >= 0; --limit) {
    bool swapped = false;
    for (int c = 0; c <= limit; ++c) {
      if (dashes[c] > dashes[c + 1]) {
        std::swap(dashes[c], dashes[c + 1]);
        SwapColumns(c, c + 1);
        swapped = true;
      }
    }
    if (!swapped) break;
  }
}

void TermTable::MoveUnusedColumnsRight() {
  const int cols = std::min(columns_, 10);
  const int products = RowCount() - 1;
  std::vector<char> unused(cols);
  for (int c = 0; c < cols; ++c) unused[c] = DashCount(c) == products;
  for (int limit = cols - 2; limit >= 0; --limit) {
    bool swapped = false;
    for (int c = 0; c <= limit; ++c) {
      if (unused[c]) {
        std::swap(unused[c], unused[c + 1]);
        SwapColumns(c, c + 1);
        swapped = true;
      }
    }
    if (!swapped) break;
  }
}

void TermTable::MoveColumnsFirst(const std::vector<int>& variables) {
  int next = 0;
  for (int variable : variables) {
    const std::string name = "x" + std::to_string(variable);
    int at = -1;
    for (int c = next; c < std::min(columns_, 10); ++c)
      if (grid_[0][c] == name) at = c;
    if (at < 0) continue;
    // Rotate the column into place so that the columns it passes keep their order.
    for (int c = at; c > next; --c) SwapColumns(c, c - 1);
    ++next;
  }
}

void TermTable::DropUnusedTrailingColumns() {
  while (columns_ > 0 && DashCount(columns_ - 1) == RowCount() - 1) {
    --columns_;
    for (auto& row : grid_) row.resize(columns_);
  }
}

void TermTable::ExpandAddressColumns(int a) {
  for (int c = 0; c < a; ++c) {
    if (c >= columns_) continue;
    const int rows = RowCount();
    for (int r = 1; r < rows; ++r) {
      if (grid_[r][c] != "-") continue;
      grid_.push_back(grid_[r]);
      grid_[r][c] = "0";
      grid_.back()[c] = "1";
    }
  }
}

void TermTable::AddAddressColumn(int a) {
  ++columns_;
  for (auto& row : grid_) row.resize(columns_);
  grid_[0][columns_ - 1] = "Adr.v.";
  std::vector<int> value(RowCount(), 0);
  for (int r = 1; r < RowCount(); ++r) {
    int v = 0;
    for (int l = 0; l < a; ++l) {
      int c = a - 1 - l;
      if (c < 0 || c >= columns_ - 1) continue;
      if (grid_[r][c] == "1") v += 1 << l;
    }
    value[r] = v;
    grid_[r][columns_ - 1] = std::to_string(v);
  }
  // A stable sort by address value: the same order as the adjacent-pair passes.
  std::vector<int> order(RowCount() - 1);
  std::iota(order.begin(), order.end(), 1);
  std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return value[x] < value[y]; });
  std::vector<std::vector<std::string>> sorted;
  sorted.reserve(grid_.size());
  sorted.push_back(std::move(grid_[0]));
  for (int r : order) sorted.push_back(std::move(grid_[r]));
  grid_ = std::move(sorted);
}

void TermTable::AbsorbRows(int a) {
  // Repeatedly deleting the first absorbed row (in scan order) leaves exactly the rows whose
  // literal set contains no other row's set of the same address, and of equal rows the earliest;
  // the rows keep their order. That is computed here directly.
  const int rows = RowCount();
  if (rows <= 2 || columns_ < 1) return;
  const int addressColumn = columns_ - 1;
  std::vector<uint16_t> plain(rows, 0), negated(rows, 0);
  for (int r = 1; r < rows; ++r) {
    for (int c = a; c <= columns_ - 2; ++c) {
      const int bit = c - a;
      if (bit >= 16) break;
      if (grid_[r][c] == "1") plain[r] |= 1u << bit;
      if (grid_[r][c] == "0") negated[r] |= 1u << bit;
    }
  }
  auto absorbs = [&](int i, int j) {  // row i's literals are all in row j
    return grid_[i][addressColumn] == grid_[j][addressColumn] && (plain[i] & ~plain[j]) == 0 &&
           (negated[i] & ~negated[j]) == 0;
  };
  std::vector<bool> keep(rows, true);
  for (int j = 1; j < rows; ++j) {
    for (int i = 1; i < rows && keep[j]; ++i) {
      if (i == j || !absorbs(i, j)) continue;
      const bool equal = absorbs(j, i);
      if (!equal || i < j) keep[j] = false;
    }
  }
  std::vector<std::vector<std::string>> kept;
  kept.push_back(std::move(grid_[0]));
  for (int r = 1; r < rows; ++r)
    if (keep[r]) kept.push_back(std::move(grid_[r]));
  grid_ = std::move(kept);
}

std::string TermTable::ResidueText(int v, int a) const {
  const std::string value = std::to_string(v);
  std::string residue;
  bool any = false;
  for (int r = 1; r < RowCount(); ++r) {
    if (grid_[r][columns_ - 1] != value) continue;
    std::string product;
    for (int c = a; c <= columns_ - 2; ++c) {
      if (grid_[r][c] == "1") product += grid_[0][c];
      if (grid_[r][c] == "0") product += "~" + grid_[0][c];
    }
    if (product.empty()) product = "1";
    if (any) residue += "+";
    residue += product;
    any = true;
  }
  return any ? residue : "0";
}

std::string TermTable::ProductText(int first, int end, int k) const {
  std::string out;
  const int r = k + 1;
  if (r < 1 || r >= RowCount()) return "0";
  for (int c = std::max(first, 0); c < end && c < columns_; ++c) {
    if (grid_[r][c] == "0") out += "~" + grid_[0][c];
    if (grid_[r][c] == "1") out += grid_[0][c];
  }
  return out.empty() ? "0" : out;
}

void TermTable::KeepLastColumns(int k) {
  const int s = columns_ - k - 1;
  if (s <= 0) return;
  for (auto& row : grid_) row.erase(row.begin(), row.begin() + s);
  columns_ = k + 1;
}

std::vector<std::string> TermTable::DropAllDashColumns() {
  std::vector<int> keep;
  for (int c = 0; c < columns_; ++c)
    if (DashCount(c) < RowCount() - 1) keep.push_back(c);
  std::vector<std::vector<std::string>> scratch(RowCount());
  for (int r = 0; r < RowCount(); ++r)
    for (int c : keep) scratch[r].push_back(grid_[r][c]);
  grid_ = std::move(scratch);
  columns_ = static_cast<int>(keep.size());
  return grid_[0];
}

std::vector<std::string> TermTable::Residues(int a) const {
  const int n = 1 << a;
  std::vector<std::string> residues(n);
  for (int v = 0; v < n; ++v) {
    residues[v] = ResidueText(v, a);
    if (HasComplementaryLiterals(residues[v] + "+")) residues[v] = "1";
  }
  return residues;
}

void TermTable::PrepareForMux(const std::string& text, int a, const std::vector<int>& first) {
  LoadTermTable(text);
  SortColumnsByUse();
  if (!first.empty()) MoveColumnsFirst(first);
  DropUnusedTrailingColumns();
  ExpandAddressColumns(a);
  AddAddressColumn(a);
  AbsorbRows(a);
}

}  // namespace kestrel
