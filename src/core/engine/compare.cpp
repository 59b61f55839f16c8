#include "engine/compare.h"

#include <algorithm>
#include <bit>
#include <tuple>

#include "engine/realize.h"
#include "function/function_text.h"
#include "function/term_table.h"
#include "ui/messages.h"
#include "ui/shell.h"

namespace kestrel {

namespace {

std::vector<StructureOptions> RowsFor(int n) {
  std::vector<StructureOptions> rows;
  const int largest = std::min(n, kMaxAddressInputs);
  auto size = [](int a) { return 1 << a; };
  for (int a = 1; a <= largest; ++a) rows.push_back({Structure::kMux, size(a), {}, {}});
  for (int a = 1; a <= largest; ++a)
    for (const GateFamilyNames& family : kGateFamilyNames)
      rows.push_back({Structure::kMuxGates, size(a), {}, family.family});
  for (int a = 1; a <= largest; ++a) rows.push_back({Structure::kDemux, {}, size(a), {}});
  for (int a = 1; a <= largest; ++a) rows.push_back({Structure::kMuxTree, size(a), {}, {}});
  bool pair = false;
  for (int m = 1; m <= kMaxAddressInputs; ++m) {
    const int d = n - m;
    if (d < 1 || d > kMaxAddressInputs || n > 8) continue;
    rows.push_back({Structure::kMuxDemux, size(m), size(d), {}});
    pair = true;
  }
  // The pairing rule offers nothing: one row says why.
  if (!pair) rows.push_back({Structure::kMuxDemux, {}, {}, {}});
  return rows;
}

CompareRow RealizeRow(const std::string& functionText, const StructureOptions& options,
                      AddressMode address) {
  CompareRow row;
  row.options = options;
  StructureChoice choice;
  choice.OnShow(functionText);
  choice.Apply(options);
  TermTable table;
  ResultStore store;
  RecordingMessages messages;
  RecordingShell shell;
  const RealizeResult result =
      Realize(functionText, choice, table, store, messages, shell, AddressChoice{address, {}});
  row.realized = result.outcome == RealizeOutcome::kRealized;
  if (row.realized)
    row.cost = MeasureCircuit(options.structure, store);
  else if (!messages.shown.empty())
    row.refusal = messages.shown.back().text;
  return row;
}

}  // namespace

std::vector<CompareRow> CompareStructures(const std::string& functionText, AddressMode address) {
  std::vector<CompareRow> rows;
  const int n = CountVariables(functionText);
  if (functionText.empty() || n == 0) return rows;
  for (const StructureOptions& options : RowsFor(n))
    rows.push_back(RealizeRow(functionText, options, address));

  auto byComponents = [](const CircuitCost& c) {
    return std::make_tuple(c.Components(), c.gateInputs);
  };
  auto byLevels = [](const CircuitCost& c) {
    return std::make_tuple(c.levels, c.Components(), c.gateInputs);
  };
  const CompareRow* fewest = nullptr;
  const CompareRow* shallowest = nullptr;
  for (const CompareRow& row : rows) {
    if (!row.realized) continue;
    if (!fewest || byComponents(row.cost) < byComponents(fewest->cost)) fewest = &row;
    if (!shallowest || byLevels(row.cost) < byLevels(shallowest->cost)) shallowest = &row;
  }
  for (CompareRow& row : rows) {
    if (!row.realized) continue;
    row.cheapestByComponents = byComponents(row.cost) == byComponents(fewest->cost);
    row.cheapestByLevels = byLevels(row.cost) == byLevels(shallowest->cost);
  }
  return rows;
}

bool ChoiceBuildsRow(const StructureChoice& choice, const StructureOptions& row, int n) {
  if (choice.Current() != row.structure) return false;
  // Sizes are powers of two: their address inputs; none for a size not given.
  auto inputs = [](const std::optional<int>& size) {
    return size ? std::countr_zero(static_cast<unsigned>(*size)) : 0;
  };
  switch (row.structure) {
    case Structure::kMuxGates:
      return choice.radioGates == row.gates && TopAddressInputs(choice, n) == inputs(row.muxSize);
    case Structure::kMux:
    case Structure::kMuxTree:
      return TopAddressInputs(choice, n) == inputs(row.muxSize);
    case Structure::kDemux:
      return TopAddressInputs(choice, n) == inputs(row.demuxSize);
    case Structure::kMuxDemux:
      return choice.MdMuxIndex() + 1 == inputs(row.muxSize) &&
             choice.MdDmuxIndex() + 1 == inputs(row.demuxSize);
  }
  return false;
}

}  // namespace kestrel
