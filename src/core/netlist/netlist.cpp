// Building the netlist from the placed records: one cell per multiplexer, gate, demultiplexer,
// collecting gate and inverter of the drawing, wired as the drawing wires them.

#include "netlist/netlist.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>

#include "diagram/diagram.h"
#include "function/function_text.h"

namespace kestrel {

namespace {

/// The index d of a label "x<d>", or -1.
int VariableIndex(const std::string& label) {
  if (label.size() == 2 && label[0] == 'x' && IsDigit(label[1])) return label[1] - '0';
  return -1;
}

/// 1st, 2nd, 3rd, 4th, ..., 11th, 12th, 13th, 21st.
std::string Ordinal(int n) {
  const int tens = n % 100, ones = n % 10;
  const char* suffix = "th";
  if (tens < 11 || tens > 13) {
    if (ones == 1) suffix = "st";
    if (ones == 2) suffix = "nd";
    if (ones == 3) suffix = "rd";
  }
  return std::to_string(n) + suffix;
}

/// A residue as a comment shows it: at most 60 characters.
std::string Shortened(const std::string& text) {
  constexpr size_t kMax = 60;
  return text.size() <= kMax ? text : text.substr(0, kMax - 3) + "...";
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : separator) + item;
  return out;
}

/// "A1 A0", the address lines' names inside the symbol, most significant first.
std::string AddressLineNames(int count) {
  std::vector<std::string> names;
  for (int e = count - 1; e >= 0; --e) names.push_back("A" + std::to_string(e));
  return Joined(names, " ");
}

const char* GateName(NodeKind kind) {
  switch (kind) {
    case NodeKind::kMux:
      return "mux";
    case NodeKind::kAnd:
      return "and";
    case NodeKind::kOr:
      return "or";
    case NodeKind::kNand:
      return "nand";
    case NodeKind::kNor:
      return "nor";
  }
  return "";
}

/// The gate's name in the drawing's terms.
const char* GateCaption(NodeKind kind) {
  switch (kind) {
    case NodeKind::kMux:
      return "multiplexer";
    case NodeKind::kAnd:
      return "AND";
    case NodeKind::kOr:
      return "OR";
    case NodeKind::kNand:
      return "NAND";
    case NodeKind::kNor:
      return "NOR";
  }
  return "";
}

CellKind CellKindOf(NodeKind kind) {
  switch (kind) {
    case NodeKind::kMux:
      return CellKind::kMux;
    case NodeKind::kAnd:
      return CellKind::kAnd;
    case NodeKind::kOr:
      return CellKind::kOr;
    case NodeKind::kNand:
      return CellKind::kNand;
    case NodeKind::kNor:
      return CellKind::kNor;
  }
  return CellKind::kBuf;
}

class Builder {
 public:
  explicit Builder(const NetlistRequest& request) : request_(request) {
    for (const std::string& name : request.variables) Port(name);
    declared_ = portOrder_.size();
  }

  void Tree(const Diagram& d);
  void Demux(const Diagram& d);
  void MuxDemux(const Diagram& d);

  bool failed() const { return !error_.empty(); }
  NetlistResult Finish();

 private:
  /// The port of a variable, declared on first use.
  const std::string& Port(const std::string& variable) {
    auto it = ports_.find(variable);
    if (it != ports_.end()) return it->second;
    // The program's variables x<d> are legal as they are; anything else gets "in_" in front,
    // which no internal net or instance begins with.
    std::string legal = variable;
    if (VariableIndex(variable) < 0) {
      legal = "in_" + LegalIdentifier(variable, "");
      while (std::any_of(ports_.begin(), ports_.end(),
                         [&](const auto& entry) { return entry.second == legal; }))
        legal += "_";
      renamed_.push_back("variable \"" + variable + "\" is " + legal);
    }
    portOrder_.push_back(variable);
    return ports_.emplace(variable, legal).first->second;
  }

  /// The net of a label that shows a constant or a literal; "" for any other text.
  std::string LabelNet(const std::string& label) {
    if (label == "0") return kNetLow;
    if (label == "1") return kNetHigh;
    if (VariableIndex(label) >= 0) return Port(label);
    if (label.size() == 3 && label[0] == '~' && VariableIndex(label.substr(1)) >= 0)
      return Complemented(label.substr(1));
    return "";
  }

  /// The net of a variable entering complemented: one shared inverter per variable.
  std::string Complemented(const std::string& variable) {
    const std::string port = Port(variable);
    std::string net = port + "_n";
    if (std::find(complemented_.begin(), complemented_.end(), variable) == complemented_.end())
      complemented_.push_back(variable);
    return net;
  }

  /// An address line: a variable, or a constant 0 for a label that names none (as verification
  /// reads it).
  std::string AddressNet(const std::string& label) {
    return VariableIndex(label) >= 0 ? Port(label) : std::string(kNetLow);
  }

  std::vector<std::string> AddressNets(const std::array<std::string, 4>& labels, int count) {
    std::vector<std::string> nets;
    nets.reserve(static_cast<size_t>(count));
    for (int e = 0; e < count; ++e) nets.push_back(AddressNet(labels[e]));
    return nets;
  }

  void Fail(const std::string& why) {
    if (error_.empty()) error_ = why;
  }

  void Add(NetlistCell cell) { cells_.push_back(std::move(cell)); }

  /// An inverter named name from in to out.
  void Inverter(const std::string& name, const std::string& in, const std::string& out,
                std::vector<std::string> comment = {}) {
    Add({CellKind::kNot, name, {}, {in}, {out}, std::move(comment)});
  }

  /// The demultiplexer of a structure, with the outputs that anything uses connected. Returns
  /// the nets of its active-low outputs.
  std::vector<std::string> DemuxCell(const std::array<std::string, 4>& labels, int addressCount,
                                     const std::vector<bool>& used, std::string comment);

  /// A collecting gate over the flagged active-low outputs: a NAND (with an inverter when the
  /// function is 0 at the flagged outputs), or, for a single flagged output, the output itself
  /// (through an inverter when the function is 1 there). Returns the net of its result, which
  /// is out unless the result is a demultiplexer output itself.
  std::string CollectingGateCell(const std::string& name, const std::string& out, int polarity,
                                 const std::vector<int>& flagged,
                                 const std::vector<std::string>& outputs,
                                 std::vector<std::string> comment);

  const NetlistRequest& request_;
  std::map<std::string, std::string> ports_;  ///< variable -> port name
  std::vector<std::string> portOrder_;        ///< variables in the order they were first named
  size_t declared_ = 0;                       ///< how many of them the request named
  std::vector<std::string> complemented_;
  std::vector<std::string> renamed_;
  std::vector<std::string> structureNotes_;
  std::vector<NetlistCell> cells_;
  std::string error_;
};

void Builder::Tree(const Diagram& d) {
  const std::vector<NodeRecord>& nodes = d.nodes;
  const int count = static_cast<int>(nodes.size());
  auto outNet = [&](int id) { return id == count ? std::string("F") : "n" + std::to_string(id); };
  for (const NodeRecord& node : nodes) {
    const int k = node.id;
    const bool mux = node.kind == NodeKind::kMux;
    NetlistCell cell;
    cell.kind = CellKindOf(node.kind);
    cell.name = GateName(node.kind) + std::to_string(k);
    const std::string out = outNet(k);
    const bool inverted = node.outputNegated == 1;
    cell.outputs = {inverted ? "n" + std::to_string(k) + "_pre" : out};

    const std::string what =
        mux ? std::to_string(1 << node.addressCount) + "-input multiplexer"
            : std::to_string(node.inputCount) + "-input " + GateCaption(node.kind) + " gate";
    std::string line = "node " + std::to_string(k) + ": " + what + " at level " +
                       std::to_string(node.level) + ", " + Ordinal(node.order + 1) +
                       " from the top";
    if (inverted) line += ", followed by an inverter";
    if (k == count) line += "; its output is F";
    cell.comment.push_back(line);

    if (mux) {
      if (node.addressCount < 1) {
        Fail("node " + std::to_string(k) + " is a multiplexer without address inputs");
        return;
      }
      cell.address = AddressNets(node.addressLabels, node.addressCount);
      std::vector<std::string> labels(node.addressLabels.begin(),
                                      node.addressLabels.begin() + node.addressCount);
      cell.comment.push_back("address inputs " + Joined(labels, " ") + " (" +
                             AddressLineNames(node.addressCount) + ")");
    }
    // A multiplexer has all its data inputs (those it does not draw get 0); a gate has the
    // inputs it draws, or one input holding its neutral constant when it draws none.
    const int inputs = mux ? 1 << node.addressCount : node.inputCount;
    for (int j = 0; j < inputs; ++j) {
      if (j >= node.inputCount) {
        cell.inputs.emplace_back(kNetLow);
        continue;
      }
      const int child = node.childId[j];
      if (child != 0) {
        if (child >= k) {
          Fail("node " + std::to_string(k) + " is fed by node " + std::to_string(child) +
               ", which does not precede it");
          return;
        }
        cell.inputs.push_back(outNet(child));
        cell.comment.push_back("input " + std::to_string(j) + ": node " + std::to_string(child) +
                               ", built for " + Shortened(node.inputLabels[j]));
        continue;
      }
      const std::string net = LabelNet(node.inputLabels[j]);
      if (net.empty()) {
        Fail("input " + std::to_string(j) + " of node " + std::to_string(k) + " shows \"" +
             Shortened(node.inputLabels[j]) + "\", which no element produces");
        return;
      }
      cell.inputs.push_back(net);
    }
    if (cell.inputs.empty())
      cell.inputs.emplace_back(
          node.kind == NodeKind::kAnd || node.kind == NodeKind::kNand ? kNetHigh : kNetLow);
    Add(std::move(cell));
    if (inverted)
      Inverter("inv" + std::to_string(k), "n" + std::to_string(k) + "_pre", out,
               {"the output inverter of node " + std::to_string(k)});
  }
  structureNotes_ = {
      "Node k of the realization is the instance mux<k> (nand<k>, nor<k>, and<k>, or<k>) with",
      "the output n<k>. Level 0 is the output node, in the drawing's rightmost column; level 1",
      "is the column left of it, and so on; each column is counted from the top."};
}

std::vector<std::string> Builder::DemuxCell(const std::array<std::string, 4>& labels,
                                            int addressCount, const std::vector<bool>& used,
                                            std::string comment) {
  NetlistCell cell;
  cell.kind = CellKind::kDemux;
  cell.name = "demux";
  cell.address = AddressNets(labels, addressCount);
  cell.inputs = {kNetLow};
  std::vector<std::string> outputs;
  for (int o = 0; o < (1 << addressCount); ++o) {
    outputs.push_back("demux_y" + std::to_string(o) + "_n");
    cell.outputs.push_back(o < static_cast<int>(used.size()) && used[o] ? outputs.back() : "");
  }
  std::vector<std::string> names(labels.begin(), labels.begin() + addressCount);
  cell.comment = {std::move(comment), "address inputs " + Joined(names, " ") + " (" +
                                          AddressLineNames(addressCount) +
                                          "); enable tied active (low); outputs active low"};
  Add(std::move(cell));
  return outputs;
}

std::string Builder::CollectingGateCell(const std::string& name, const std::string& out,
                                        int polarity, const std::vector<int>& flagged,
                                        const std::vector<std::string>& outputs,
                                        std::vector<std::string> comment) {
  std::vector<std::string> numbers;
  numbers.reserve(flagged.size());
  for (int o : flagged) numbers.push_back(std::to_string(o));
  const std::string value = polarity == 1 ? "1" : "0";
  if (flagged.empty()) {
    // Nothing flagged: the result is 0 where the flags mark the 1s, else 1.
    comment.push_back("no output flagged: constant " + std::string(polarity == 1 ? "0" : "1"));
    Add({CellKind::kBuf, name, {}, {polarity == 1 ? kNetLow : kNetHigh}, {out}, comment});
    return out;
  }
  if (flagged.size() == 1) {
    comment.push_back("the demultiplexer's output " + numbers[0] +
                      (polarity == 1 ? " through an inverter" : " as it is") + ": " + value +
                      " exactly at address " + numbers[0]);
    if (polarity == 0) {
      // The active-low output alone is the result; the demultiplexer's comment says so.
      for (NetlistCell& cell : cells_)
        if (cell.kind == CellKind::kDemux)
          cell.comment.insert(cell.comment.end(), comment.begin(), comment.end());
      return outputs[flagged[0]];
    }
    Inverter("inv_" + out, outputs[flagged[0]], out, std::move(comment));
    return out;
  }
  comment.push_back("NAND of the demultiplexer's outputs " + Joined(numbers, ", ") +
                    (polarity == 0 ? " and an inverter" : "") + ": " + value +
                    " exactly at those addresses");
  NetlistCell gate{CellKind::kNand, name, {}, {}, {polarity == 1 ? out : out + "_pre"}, comment};
  for (int o : flagged) gate.inputs.push_back(outputs[o]);
  Add(std::move(gate));
  if (polarity == 0) Inverter("inv_" + out, out + "_pre", out);
  return out;
}

void Builder::Demux(const Diagram& d) {
  const DemuxRecord& r = d.demux;
  if (r.addressCount < 1) {
    Fail("the demultiplexer has no address inputs");
    return;
  }
  const int n = std::min(r.outputCount, 1 << r.addressCount);
  std::vector<int> flagged;
  for (int o = 0; o < n; ++o)
    if (r.outputFlags[o] == 1) flagged.push_back(o);
  std::vector<bool> used(static_cast<size_t>(1) << r.addressCount, false);
  for (int o : flagged) used[o] = true;
  // A single output that is the function itself drives F directly.
  const bool direct = flagged.size() == 1 && r.polarity == 0;
  std::vector<std::string> outputs =
      DemuxCell(r.addressLabels, r.addressCount, used, "the demultiplexer");
  if (direct) {
    outputs[flagged[0]] = "F";
    cells_.back().outputs[flagged[0]] = "F";
  }
  CollectingGateCell("collect", "F", r.polarity, flagged, outputs,
                     {"the collecting gate; its output is F"});
  structureNotes_ = {"The demultiplexer's output k is active (low) when its address is k."};
}

void Builder::MuxDemux(const Diagram& d) {
  const MuxDemuxRecord& md = d.muxDemux;
  const DemuxPart& part = d.demuxPart;
  if (md.addressCount < 1 || part.addressCount < 1) {
    Fail("the multiplexer or the demultiplexer has no address inputs");
    return;
  }
  const int dN = std::min(part.outputCount, 1 << part.addressCount);
  auto flaggedOf = [&](const CollectingGate& gate) {
    std::vector<int> flagged;
    for (int o = 0; o < dN; ++o)
      if (gate.outputFlags[o] == 1) flagged.push_back(o);
    return flagged;
  };

  // What feeds each data input: a collecting gate, a label, or (a label naming a minterm of the
  // demultiplexer's variables) the inverted demultiplexer output of that minterm.
  std::vector<bool> used(static_cast<size_t>(1) << part.addressCount, false);
  std::vector<int> minterm(16, -1);
  for (int i = 0; i < md.inputCount; ++i) {
    const int g = md.gateIndex[i];
    if (g != 0) {
      for (int o : flaggedOf(d.gates[g - 1])) used[o] = true;
    } else if (CountVariables(md.inputLabels[i]) > 1) {
      minterm[i] = std::clamp(F2Dec(md.inputLabels[i]), 0, std::max(0, dN - 1));
      used[minterm[i]] = true;
    }
  }
  const std::vector<std::string> outputs =
      DemuxCell(part.addressLabels, part.addressCount, used,
                "the demultiplexer, shared by the collecting gates");

  NetlistCell mux;
  mux.kind = CellKind::kMux;
  mux.name = "mux";
  mux.outputs = {"F"};
  mux.address = AddressNets(md.addressLabels, md.addressCount);
  std::vector<std::string> names(md.addressLabels.begin(),
                                 md.addressLabels.begin() + md.addressCount);
  mux.comment = {"the multiplexer; its output is F", "address inputs " + Joined(names, " ") + " (" +
                                                         AddressLineNames(md.addressCount) + ")"};
  std::vector<std::string> gateNets(d.gates.size() + 1);
  std::vector<bool> mintermBuilt(16, false);
  for (int i = 0; i < (1 << md.addressCount); ++i) {
    if (i >= md.inputCount) {
      mux.inputs.emplace_back(kNetLow);
      continue;
    }
    const int g = md.gateIndex[i];
    const std::string input = "input " + std::to_string(i);
    if (g != 0) {
      if (gateNets[g].empty()) {
        const CollectingGate& gate = d.gates[g - 1];
        const std::string t = std::to_string(g);
        std::string what = "collecting gate " + t;
        what += ", for the multiplexer's " + input;
        what += ": " + Shortened(md.inputLabels[i]);
        gateNets[g] = CollectingGateCell("collect" + t, "c" + t, gate.polarity, flaggedOf(gate),
                                         outputs, {what});
      }
      mux.inputs.push_back(gateNets[g]);
      mux.comment.push_back(input + ": collecting gate " + std::to_string(g));
    } else if (minterm[i] >= 0) {
      const int r = minterm[i];
      const std::string net = "demux_y" + std::to_string(r);
      if (!mintermBuilt[r])
        Inverter("inv_y" + std::to_string(r), outputs[r], net,
                 {"the demultiplexer's output " + std::to_string(r) +
                  " inverted: " + Shortened(md.inputLabels[i])});
      mintermBuilt[r] = true;
      mux.inputs.push_back(net);
      mux.comment.push_back(input + ": the minterm " + Shortened(md.inputLabels[i]));
    } else {
      const std::string net = LabelNet(md.inputLabels[i]);
      if (net.empty()) {
        Fail(input + " of the multiplexer shows \"" + Shortened(md.inputLabels[i]) +
             "\", which no element produces");
        return;
      }
      mux.inputs.push_back(net);
    }
  }
  Add(std::move(mux));
  structureNotes_ = {
      "Collecting gate t is entry t of the realization's collecting-gate table, with the",
      "output c<t>; the demultiplexer's output k is active (low) when its address is k."};
}

NetlistResult Builder::Finish() {
  NetlistResult result;
  if (failed()) {
    result.error = error_;
    return result;
  }
  Netlist& n = result.netlist;
  n.module = LegalIdentifier(request_.moduleName, "circuit");
  if (n.module != request_.moduleName)
    renamed_.insert(renamed_.begin(), "module \"" + request_.moduleName + "\" is " + n.module);

  // Ports: the variables asked for in their order, then any other the records name, the
  // higher index first.
  const auto declaredEnd = portOrder_.begin() + static_cast<std::ptrdiff_t>(declared_);
  std::vector<std::string> order(portOrder_.begin(), declaredEnd);
  std::vector<std::string> extra(declaredEnd, portOrder_.end());
  std::sort(extra.begin(), extra.end(), std::greater<>());
  order.insert(order.end(), extra.begin(), extra.end());
  for (const std::string& v : order) n.inputs.push_back(ports_.at(v));

  // The complemented variables first, in port order, then the circuit.
  for (const std::string& v : order) {
    if (std::find(complemented_.begin(), complemented_.end(), v) == complemented_.end()) continue;
    const std::string& port = ports_.at(v);
    n.cells.push_back({CellKind::kNot, "inv_" + port, {}, {port}, {port + "_n"}, {}});
  }
  if (!n.cells.empty()) n.cells.front().comment = {"the variables that enter complemented"};
  n.cells.insert(n.cells.end(), cells_.begin(), cells_.end());

  if (!request_.functionText.empty()) {
    // The function, broken after a "+" so that no line grows much beyond 90 characters.
    std::string line = "F = ";
    size_t start = 0;
    const std::string& text = request_.functionText;
    while (start < text.size()) {
      size_t plus = text.find('+', start);
      plus = plus == std::string::npos ? text.size() : plus + 1;
      if (line.size() > 4 && line.size() + (plus - start) > 90) {
        n.header.push_back(line);
        line = "    ";
      }
      line += text.substr(start, plus - start);
      start = plus;
    }
    n.header.push_back(line);
  }
  if (!request_.structureCaption.empty())
    n.header.push_back("Realized in the structure: " + request_.structureCaption);
  n.header.push_back("Inputs: " + Joined(n.inputs, " ") +
                     ", the function's variables, the most significant first; output: F.");
  n.header.insert(n.header.end(), structureNotes_.begin(), structureNotes_.end());
  if (!renamed_.empty()) {
    n.header.emplace_back("Names changed into legal identifiers:");
    for (const std::string& r : renamed_) n.header.push_back("  " + r);
  }
  return result;
}

}  // namespace

NetlistResult BuildNetlist(const ResultStore& results, const StructureChoice& choice,
                           const NetlistRequest& request) {
  return BuildNetlist(LayoutDiagram(results, choice, kDefaultZoom), request);
}

NetlistResult BuildNetlist(const Diagram& d, const NetlistRequest& request) {
  Builder b(request);
  switch (d.kind) {
    case DiagramKind::kEmpty: {
      NetlistResult nothing;
      nothing.error = text::kNothingRealized;
      return nothing;
    }
    case DiagramKind::kTree:
      b.Tree(d);
      break;
    case DiagramKind::kDemux:
      b.Demux(d);
      break;
    case DiagramKind::kMuxDemux:
      b.MuxDemux(d);
      break;
  }
  return b.Finish();
}

NetlistRequest NetlistRequestFor(const FunctionModel& model, const std::string& designCaption,
                                 const std::string& path) {
  NetlistRequest request;
  request.moduleName = std::filesystem::path(path).stem().string();
  request.variables = FunctionVariables(model);
  request.functionText = model.functionText;
  request.structureCaption = designCaption;
  return request;
}

}  // namespace kestrel
