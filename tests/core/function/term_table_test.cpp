// The term table: loading products, ordering and trimming columns, splitting over the address
// variables, absorption and the residue of every data input; and the small text tests used on
// residues.

#include "function/term_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kestrel {
namespace {

using Strs = std::vector<std::string>;

Strs Header(const TermTable& t) {
  Strs out;
  for (int c = 0; c < t.ColumnCount(); ++c) out.push_back(t.Cell(c, 0));
  return out;
}

/// Row r as one string of its cells, e.g. "1-0-".
std::string Row(const TermTable& t, int r, int columns = -1) {
  std::string out;
  const int n = columns < 0 ? t.ColumnCount() : columns;
  for (int c = 0; c < n; ++c) out += t.Cell(c, r);
  return out;
}

TEST(TermTable, LoadWritesOneRowPerProductUnderTheHeaderX9ToX0) {
  TermTable t;
  t.LoadTermTable("x9~x7x3~x0+x4~x7");
  EXPECT_EQ(t.ColumnCount(), 10);
  EXPECT_EQ(t.RowCount(), 3);
  EXPECT_EQ(Header(t), Strs({"x9", "x8", "x7", "x6", "x5", "x4", "x3", "x2", "x1", "x0"}));
  EXPECT_EQ(Row(t, 1), "1-0---1--0");
  EXPECT_EQ(Row(t, 2), "--0--1----");
}

TEST(TermTable, ColumnsAreOrderedByUseThenUnusedOnesDropped) {
  TermTable t;
  t.LoadTermTable("x9~x7x3~x0+x4~x7");
  t.SortColumnsByUse();
  EXPECT_EQ(Header(t), Strs({"x7", "x9", "x4", "x3", "x0", "x8", "x6", "x5", "x2", "x1"}));
  EXPECT_EQ(Row(t, 1), "01-10-----");
  EXPECT_EQ(Row(t, 2), "0-1-------");
  t.DropUnusedTrailingColumns();
  EXPECT_EQ(Header(t), Strs({"x7", "x9", "x4", "x3", "x0"}));
}

TEST(TermTable, UnusedColumnsMoveRightKeepingTheLoadOrderOfUsedOnes) {
  TermTable t;
  t.LoadTermTable("x9~x7x3~x0+x4~x7");
  t.MoveUnusedColumnsRight();
  const Strs header = Header(t);
  EXPECT_EQ(Strs(header.begin(), header.begin() + 5), Strs({"x9", "x7", "x4", "x3", "x0"}));
  Strs unused(header.begin() + 5, header.end());
  std::sort(unused.begin(), unused.end());
  EXPECT_EQ(unused, Strs({"x1", "x2", "x5", "x6", "x8"}));
  t.DropUnusedTrailingColumns();
  EXPECT_EQ(t.ColumnCount(), 5);
}

TEST(TermTable, OneAddressVariableOnTheSampleFunction) {
  TermTable t;
  t.PrepareForMux("x9~x7x3~x0+x4~x7", 1);
  EXPECT_EQ(t.Cell(t.ColumnCount() - 1, 0), "Adr.v.");
  EXPECT_EQ(t.ResidueText(0, 1), "x9x3~x0+x4");
  EXPECT_EQ(t.ResidueText(1, 1), "0");
  EXPECT_EQ(t.Residues(1), Strs({"x9x3~x0+x4", "0"}));
}

TEST(TermTable, TwoAddressVariablesOnEquivalence) {
  TermTable t;
  t.PrepareForMux("x1x0+~x1~x0", 2);
  EXPECT_EQ(Header(t), Strs({"x1", "x0", "Adr.v."}));
  EXPECT_EQ(t.Residues(2), Strs({"1", "0", "0", "1"}));
}

TEST(TermTable, SplittingAppendsCopiesAndAddressSortIsStable) {
  TermTable t;
  t.LoadTermTable("x1+x0");
  t.SortColumnsByUse();
  t.DropUnusedTrailingColumns();
  ASSERT_EQ(Header(t), Strs({"x1", "x0"}));
  t.ExpandAddressColumns(2);
  ASSERT_EQ(t.RowCount(), 5);
  EXPECT_EQ(Strs({Row(t, 1), Row(t, 2), Row(t, 3), Row(t, 4)}), Strs({"10", "01", "11", "11"}));
  t.AddAddressColumn(2);
  EXPECT_EQ(Strs({Row(t, 1), Row(t, 2), Row(t, 3), Row(t, 4)}), Strs({"011", "102", "113", "113"}));
  t.AbsorbRows(2);
  EXPECT_EQ(t.RowCount(), 4);
  EXPECT_EQ(t.Residues(2), Strs({"0", "1", "1", "1"}));
}

TEST(TermTable, SplittingPassesOverMissingColumns) {
  TermTable t;
  t.LoadTermTable("x0");
  t.KeepLastColumns(0);
  ASSERT_EQ(t.ColumnCount(), 1);
  t.ExpandAddressColumns(3);
  EXPECT_EQ(t.RowCount(), 2);
}

TEST(TermTable, VariablePlainAndNegatedGivesZero) {
  TermTable t;
  t.LoadTermTable("x3~x3x1");
  EXPECT_EQ(t.Cell(6, 1), "0");
  EXPECT_EQ(t.Cell(8, 1), "1");
}

TEST(TermTable, NumberAboveNineIsIgnored) {
  TermTable t;
  t.LoadTermTable("x12x1+~x10");
  EXPECT_EQ(Row(t, 1), "--------1-");
  EXPECT_EQ(Row(t, 2), "----------");
}

TEST(TermTable, IdenticalProductsCollapseIntoOneRow) {
  TermTable t;
  t.PrepareForMux("x4x3+x2+x4x3", 1);
  // x4 and x3 are used twice: x4 (higher index) is the address.
  ASSERT_EQ(t.Cell(0, 0), "x4");
  EXPECT_EQ(t.RowCount(), 4);  // x2 split over x4 twice, x4x3 once
  EXPECT_EQ(t.Residues(1), Strs({"x2", "x3+x2"}));
}

TEST(TermTable, ProductContainingAnotherIsAbsorbed) {
  TermTable t;
  t.PrepareForMux("x4x3+x4", 1);
  ASSERT_EQ(t.Cell(0, 0), "x4");
  EXPECT_EQ(t.RowCount(), 2);
  EXPECT_EQ(t.ResidueText(1, 1), "1");
  EXPECT_EQ(t.ResidueText(0, 1), "0");
}

TEST(TermTable, AbsorptionOnlyWithinOneAddress) {
  TermTable t;
  t.PrepareForMux("x5x2+~x5x2x1", 1);
  EXPECT_EQ(t.Residues(1), Strs({"x2x1", "x2"}));
}

TEST(TermTable, ComplementaryOneLiteralResidueBecomesOne) {
  TermTable t;
  t.PrepareForMux("x3x2+x3~x2+x3x1", 1);
  EXPECT_EQ(t.ResidueText(1, 1), "x2+~x2+x1");
  EXPECT_EQ(t.Residues(1), Strs({"0", "1"}));
}

TEST(TermTable, ProductTextOverAColumnRange) {
  TermTable t;
  t.LoadTermTable("x9~x7x3~x0+x4~x7");
  EXPECT_EQ(t.ProductText(0, 10, 0), "x9~x7x3~x0");
  EXPECT_EQ(t.ProductText(0, 5, 0), "x9~x7");
  EXPECT_EQ(t.ProductText(3, 5, 0), "0");
  EXPECT_EQ(t.ProductText(0, 10, 1), "~x7x4");
}

TEST(TermTable, KeepLastColumnsAndDropAllDashColumns) {
  TermTable t;
  t.LoadTermTable("x3~x1+~x3");
  t.KeepLastColumns(3);
  EXPECT_EQ(Header(t), Strs({"x3", "x2", "x1", "x0"}));
  EXPECT_EQ(t.DropAllDashColumns(), Strs({"x3", "x1"}));
  EXPECT_EQ(Header(t), Strs({"x3", "x1"}));
  EXPECT_EQ(Row(t, 1), "10");
  EXPECT_EQ(Row(t, 2), "0-");
  t.LoadTermTable("x9");
  t.KeepLastColumns(9);  // nothing to cut
  EXPECT_EQ(t.ColumnCount(), 10);
}

TEST(TextTests, CountVariables) {
  EXPECT_EQ(CountVariables("~x3x3+x1"), 2);
  EXPECT_EQ(CountVariables("1"), 0);
  EXPECT_EQ(CountVariables("0"), 0);
  EXPECT_EQ(CountVariables("x9~x7x3~x0+x4~x7"), 5);
  EXPECT_EQ(CountVariables("x"), 0);
}

TEST(TextTests, HasComplementaryLiterals) {
  EXPECT_TRUE(HasComplementaryLiterals("x2+~x2+x1+"));
  EXPECT_TRUE(HasComplementaryLiterals("~x0+x5+x0+"));
  EXPECT_FALSE(HasComplementaryLiterals("x2x1+~x2+"));
  EXPECT_FALSE(HasComplementaryLiterals("x2+~x3+"));
  // Only products followed by "+" are examined.
  EXPECT_FALSE(HasComplementaryLiterals("x2+~x2"));
  EXPECT_FALSE(HasComplementaryLiterals("x2~x2+"));
}

TEST(TextTests, IsSingleLiteral) {
  EXPECT_TRUE(IsSingleLiteral("x3"));
  EXPECT_TRUE(IsSingleLiteral("~x0"));
  EXPECT_TRUE(IsSingleLiteral("x9"));
  EXPECT_FALSE(IsSingleLiteral("x10"));
  EXPECT_FALSE(IsSingleLiteral("x"));
  EXPECT_FALSE(IsSingleLiteral("~x"));
  EXPECT_FALSE(IsSingleLiteral("x3x2"));
  EXPECT_FALSE(IsSingleLiteral("1"));
  EXPECT_FALSE(IsSingleLiteral("y3"));
  EXPECT_FALSE(IsSingleLiteral("-x3"));
}

TEST(TextTests, NegateLiteral) {
  EXPECT_EQ(NegateLiteral("x5"), "~x5");
  EXPECT_EQ(NegateLiteral("~x5"), "x5");
  EXPECT_EQ(NegateLiteral("0"), "1");
  EXPECT_EQ(NegateLiteral("1"), "0");
  // A longer text with "~" simply loses its first character.
  EXPECT_EQ(NegateLiteral("x5~x3"), "5~x3");
  EXPECT_EQ(NegateLiteral("x2x1"), "~x2x1");
}

}  // namespace
}  // namespace kestrel
