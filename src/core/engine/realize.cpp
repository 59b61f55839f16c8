#include "engine/realize.h"

#include <algorithm>

#include "base/limits.h"

namespace kestrel {

namespace {

bool NeedsNetwork(const std::string& residue) {
  return residue != "0" && residue != "1" && !IsSingleLiteral(residue);
}

NodeRecord MuxRecord(const TermTable& table, int a, int level,
                     const std::vector<std::string>& residues) {
  NodeRecord node;
  node.level = level;
  node.addressCount = a;
  node.inputCount = 1 << a;
  node.kind = NodeKind::kMux;
  for (int k = 0; k < 4; ++k)
    node.addressLabels[k] = k < table.ColumnCount() ? table.Cell(k, 0) : std::string();
  for (int v = 0; v < node.inputCount && v < 16; ++v) node.inputLabels[v] = residues[v];
  return node;
}

}  // namespace

int RealizationEngine::BuildMuxTree(const std::string& text, int a, int level) {
  table_.PrepareForMux(text, a);
  const std::vector<std::string> residues = table_.Residues(a);
  NodeRecord node = MuxRecord(table_, a, level, residues);
  for (int v = 0; v < node.inputCount; ++v) {
    const int s = std::clamp(CountVariables(residues[v]) - 1, 1, a);
    if (NeedsNetwork(residues[v])) node.childId[v] = BuildMuxTree(residues[v], s, level + 1);
  }
  return store_.AppendNode(node);
}

int RealizationEngine::CheckSingleMux(const std::string& text, int a, int level) {
  return BuildMuxTree(text, a, level);
}

void RealizationEngine::BuildMuxWithGates(const std::string& text, int a, int maxFanIn,
                                          GateFamily gateFamily) {
  table_.PrepareForMux(text, a);
  const std::vector<std::string> residues = table_.Residues(a);
  NodeRecord node = MuxRecord(table_, a, 0, residues);
  for (int v = 0; v < node.inputCount; ++v)
    if (NeedsNetwork(residues[v]))
      node.childId[v] = BuildGateNetwork(residues[v], 1, maxFanIn, gateFamily);
  store_.AppendNode(node);
}

int RealizationEngine::BuildGateNetwork(const std::string& text, int level, int maxFanIn,
                                        GateFamily gateFamily) {
  if (text == "1") return 0;
  maxFanIn = std::clamp(maxFanIn, 2, 16);
  table_.LoadTermTable(text);
  table_.SortColumnsByUse();
  table_.DropUnusedTrailingColumns();
  const int products = table_.RowCount() - 1;
  const int columns = table_.ColumnCount();

  NodeRecord node;
  node.level = level;
  node.addressCount = 1;
  node.inputCount = maxFanIn;
  node.kind = NodeKind::kAnd;
  // Every product is kept: a sum of more products than the gate has inputs is spread over
  // further OR-type gates below, so nothing is cut off.
  std::vector<std::string> product(products);
  for (int k = 0; k < products; ++k) {
    product[k] = table_.ProductText(0, columns, k);
    if (HasComplementaryLiterals(product[k] + "+")) product[k] = "1";
  }

  if (products == 1) {
    for (int i = 0; i < 16; ++i)
      node.inputLabels[i] = i < columns ? table_.ProductText(i, i + 1, 0) : "1";
    node.inputCount =
        static_cast<int>(std::count_if(node.inputLabels.begin(), node.inputLabels.end(),
                                       [](const std::string& s) { return s != "1"; }));
    switch (gateFamily) {
      case GateFamily::kNand:  // a NAND followed by an inverter
        node.kind = NodeKind::kNand;
        node.outputNegated = 1;
        break;
      case GateFamily::kNor:  // a NOR of the complemented literals
        node.kind = NodeKind::kNor;
        for (auto& label : node.inputLabels) label = NegateLiteral(label);
        break;
      case GateFamily::kAndOrNot:
        break;
    }
    return store_.AppendNode(node);
  }

  std::vector<std::string> in(16);
  for (int k = 0; k < products; ++k) {
    std::string& slot = in[k % maxFanIn];
    slot += slot.empty() ? product[k] : "+" + product[k];
  }
  for (auto& slot : in)
    if (slot.empty()) slot = "0";
  node.kind = NodeKind::kOr;
  switch (gateFamily) {
    case GateFamily::kNand:  // a NAND with negated inputs is an OR
      node.kind = NodeKind::kNand;
      node.inputNegated.fill(1);
      break;
    case GateFamily::kNor:  // a NOR followed by an inverter
      node.kind = NodeKind::kNor;
      node.outputNegated = 1;
      break;
    case GateFamily::kAndOrNot:
      break;
  }
  for (int i = 0; i < 16; ++i) node.inputLabels[i] = in[i];
  for (int i = 0; i < 16; ++i) {
    if (CountVariables(in[i]) == 1) {
      if (gateFamily == GateFamily::kNand) {
        node.inputNegated[i] = 0;
        node.inputLabels[i] = NegateLiteral(in[i]);
      }
    } else if (in[i] != "0") {
      node.childId[i] = BuildGateNetwork(in[i], level + 1, maxFanIn, gateFamily);
    }
  }
  node.inputCount = static_cast<int>(std::count_if(node.inputLabels.begin(), node.inputLabels.end(),
                                                   [](const std::string& s) { return s != "0"; }));
  return store_.AppendNode(node);
}

void RealizationEngine::BuildDemux(const std::string& text, int a) {
  table_.LoadTermTable(text);
  table_.MoveUnusedColumnsRight();
  table_.DropUnusedTrailingColumns();
  table_.ExpandAddressColumns(a);
  table_.AddAddressColumn(a);
  table_.AbsorbRows(a);
  SelectDemuxOutputs(a);
}

void RealizationEngine::SelectDemuxOutputs(int a) {
  const int n = 1 << a;
  const int m = table_.RowCount() - 1;
  const int addressColumn = table_.ColumnCount() - 1;
  DemuxRecord record;
  auto addressOf = [&](int r) {
    int v = 0;
    ParseSmallNumber(table_.Cell(addressColumn, r), &v);
    return v;
  };
  if (m == n) {
    record.outputFlags.fill(1);
    record.polarity = 1;
  } else if (m > n / 2) {
    record.polarity = 0;
    record.outputFlags.fill(1);
    for (int r = 1; r <= m; ++r)
      if (addressOf(r) < 16) record.outputFlags[addressOf(r)] = 0;
  } else {
    record.polarity = 1;
    for (int r = 1; r <= m; ++r)
      if (addressOf(r) < 16) record.outputFlags[addressOf(r)] = 1;
  }
  for (int c = 0; c < a && c < 4; ++c)
    record.addressLabels[c] = c < table_.ColumnCount() ? table_.Cell(c, 0) : std::string();
  record.addressCount = a;
  record.outputCount = n;
  store_.SetDemux(record);
}

void RealizationEngine::BuildMuxAndDemux(const std::string& text, int m, int d) {
  table_.PrepareForMux(text, m);
  const std::vector<std::string> residues = table_.Residues(m);
  MuxDemuxRecord record;
  record.addressCount = m;
  record.inputCount = 1 << m;
  for (int v = 0; v < record.inputCount; ++v) record.inputLabels[v] = residues[v];

  const TermTable grid2 = table_;
  store_.ResetCollectingGates();
  DemuxPart part;
  part.addressCount = d;
  part.outputCount = 1 << d;
  for (int k = 0; k < d && k < 4; ++k)
    part.addressLabels[k] = m + k < grid2.ColumnCount() ? grid2.Cell(m + k, 0) : std::string();
  store_.SetDemuxPart(part);
  for (int c = 0; c < m && c < 4; ++c)
    record.addressLabels[c] = c < grid2.ColumnCount() ? grid2.Cell(c, 0) : std::string();

  const int addressColumn = grid2.ColumnCount() - 1;
  for (int f = 0; f < record.inputCount; ++f) {
    const std::string value = std::to_string(f);
    std::vector<int> rows;
    for (int r = 1; r < grid2.RowCount(); ++r)
      if (grid2.Cell(addressColumn, r) == value) rows.push_back(r);
    const int h = static_cast<int>(rows.size());
    const bool gate = h > 1 || (h == 1 && d == 1) ||
                      (h == 1 && d != 1 && CountVariables(record.inputLabels[f]) > 1);
    if (!gate) continue;
    table_.Resize(d, h + 1);
    for (int k = 0; k < d; ++k) {
      const int c = m + k;
      const bool inside = c < addressColumn;
      table_.SetCell(k, 0, inside ? grid2.Cell(c, 0) : std::string());
      for (int i = 0; i < h; ++i) table_.SetCell(k, i + 1, inside ? grid2.Cell(c, rows[i]) : "-");
    }
    table_.ExpandAddressColumns(d);
    table_.AddAddressColumn(d);
    table_.AbsorbRows(d);
    SelectDemuxOutputs(d);
    record.gateIndex[f] = store_.AppendCollectingGate();
  }
  const int outputs = 1 << d;
  for (int i = 0; i < record.inputCount; ++i) {
    const int g = record.gateIndex[i];
    if (g == 0) continue;
    const auto& flags = store_.collectingGate(g).outputFlags;
    const int on = static_cast<int>(std::count(flags.begin(), flags.begin() + outputs, 1));
    if (on == outputs || on == 0) {
      record.gateIndex[i] = 0;
      record.inputLabels[i] = "1";
    }
  }
  store_.SetMuxDemux(record);
}

bool IsLevelCrowded(const ResultStore& store) {
  const auto& nodes = store.nodes();
  if (nodes.size() <= 5) return false;
  int maxLevel = 0;
  for (size_t i = 0; i + 1 < nodes.size(); ++i) maxLevel = std::max(maxLevel, nodes[i].level);
  for (int level = 0; level <= maxLevel; ++level) {
    const auto count = std::count_if(nodes.begin(), nodes.end(),
                                     [&](const NodeRecord& n) { return n.level == level; });
    if (count > 5) return true;
  }
  return false;
}

namespace {

// Shrinks a size that exceeds the function: index n - 1 when the index allows more address
// inputs than the function has variables.
int Clamp(int& index, int n) {
  if (n < index + 1) index = n - 1;
  return index + 1;
}

}  // namespace

RealizeResult Realize(const std::string& functionText, StructureChoice& choice, TermTable& table,
                      ResultStore& store, MessageSink& messages, ShellPort& shell) {
  RealizeResult result;
  if (functionText.empty()) {
    messages.Show(text::kNoTerms, text::kCaptionInformation, Buttons::Ok, Icon::Warning);
    result.outcome = RealizeOutcome::kNoFunction;
    return result;
  }
  const int n = CountVariables(functionText);
  auto refuse = [&](const std::string& message, const char* caption, Icon icon) {
    messages.Show(message, caption, Buttons::Ok, icon);
    shell.SetCommandState(CommandState::kRealizationRefused);
    result.outcome = RealizeOutcome::kRefused;
    result.commandState = CommandState::kRealizationRefused;
    return result;
  };
  // A constant function has nothing to realize (the command is disabled for it).
  if (n == 0) return result;

  RealizationEngine engine(table, store);
  const Structure structure = choice.Current();
  switch (structure) {
    case Structure::kMuxGates: {
      store.ResetNodes();
      const int a = Clamp(choice.radioMuxSize, n);
      engine.BuildMuxWithGates(functionText, a, kMaxFanIn, choice.radioGates);
      break;
    }
    case Structure::kMux: {
      store.ResetNodes();
      const int a = Clamp(choice.radioMuxSize, n);
      if (engine.CheckSingleMux(functionText, a, 0) >= 2)
        return refuse(text::kAddressInputsShort, text::kCaptionWarningBang, Icon::Warning);
      store.ResetNodes();
      engine.BuildMuxTree(functionText, a, 0);
      break;
    }
    case Structure::kDemux: {
      if (n > choice.radioDmux + 1)
        return refuse(text::kAddressInputsShort, text::kCaptionWarningBang, Icon::Warning);
      const int a = Clamp(choice.radioDmux, n);
      engine.BuildDemux(functionText, a);
      break;
    }
    case Structure::kMuxTree: {
      const int a = Clamp(choice.radioMuxMT, n);
      store.ResetNodes();
      engine.BuildMuxTree(functionText, a, 0);
      break;
    }
    case Structure::kMuxDemux: {
      const int m = choice.MdMuxIndex() + 1;
      const int d = choice.MdDmuxIndex() + 1;
      choice.SelectMdMux(m - 1);
      choice.SelectMdDmux(d - 1);
      // The dialog only accepts pairs whose address counts add up to the function's variables;
      // a pair that does not (confirmed with Enter past the dialog's checks, or read from a
      // file) is refused with the dialog's own messages.
      if (n == 1 || n > 8)
        return refuse(text::kMuxDemuxImpossible, text::kCaptionInformationBang, Icon::Information);
      if (m == 0 && d == 0)
        return refuse(text::kSelectSizes, text::kCaptionWarningBang, Icon::Warning);
      if (!choice.MdPairFits(n))
        return refuse(SizesDoNotFitText(n), text::kCaptionWarningBang, Icon::Warning);
      store.ResetCollectingGates();
      engine.BuildMuxAndDemux(functionText, m, d);
      break;
    }
  }
  if (store.nodeOverflow() || store.gateOverflow()) {
    store.ResetNodes();
    return refuse(text::kTooLargeCircuit, text::kCaptionWarningBang, Icon::Warning);
  }
  result.outcome = RealizeOutcome::kRealized;
  result.designCaption = NamesOf(structure).designCaption;
  result.commandState = CommandState::kRealized;
  shell.SetCommandState(CommandState::kRealized);
  return result;
}

}  // namespace kestrel
