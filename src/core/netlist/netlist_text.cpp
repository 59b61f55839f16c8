// The netlist as text: structural Verilog-2001 with one small module per multiplexer and
// demultiplexer size, and BLIF with every cell a .names table (an on-set cover).

#include <algorithm>
#include <set>
#include <string_view>

#include "netlist/netlist.h"

namespace kestrel {

namespace {

// Verilog-2001 reserved words; a name equal to one of them is not an identifier.
constexpr std::string_view kVerilogKeywords[] = {
    "always",
    "and",
    "assign",
    "automatic",
    "begin",
    "buf",
    "bufif0",
    "bufif1",
    "case",
    "casex",
    "casez",
    "cell",
    "cmos",
    "config",
    "deassign",
    "default",
    "defparam",
    "design",
    "disable",
    "edge",
    "else",
    "end",
    "endcase",
    "endconfig",
    "endfunction",
    "endgenerate",
    "endmodule",
    "endprimitive",
    "endspecify",
    "endtable",
    "endtask",
    "event",
    "for",
    "force",
    "forever",
    "fork",
    "function",
    "generate",
    "genvar",
    "highz0",
    "highz1",
    "if",
    "ifnone",
    "incdir",
    "include",
    "initial",
    "inout",
    "input",
    "instance",
    "integer",
    "join",
    "large",
    "liblist",
    "library",
    "localparam",
    "macromodule",
    "medium",
    "module",
    "nand",
    "negedge",
    "nmos",
    "nor",
    "noshowcancelled",
    "not",
    "notif0",
    "notif1",
    "or",
    "output",
    "parameter",
    "pmos",
    "posedge",
    "primitive",
    "pull0",
    "pull1",
    "pulldown",
    "pullup",
    "pulsestyle_ondetect",
    "pulsestyle_onevent",
    "rcmos",
    "real",
    "realtime",
    "reg",
    "release",
    "repeat",
    "rnmos",
    "rpmos",
    "rtran",
    "rtranif0",
    "rtranif1",
    "scalared",
    "showcancelled",
    "signed",
    "small",
    "specify",
    "specparam",
    "strong0",
    "strong1",
    "supply0",
    "supply1",
    "table",
    "task",
    "time",
    "tran",
    "tranif0",
    "tranif1",
    "tri",
    "tri0",
    "tri1",
    "triand",
    "trior",
    "trireg",
    "unsigned",
    "use",
    "uwire",
    "vectored",
    "wait",
    "wand",
    "weak0",
    "weak1",
    "while",
    "wire",
    "wor",
    "xnor",
    "xor",
};

bool IsConstant(const std::string& net) {
  return net == kNetLow || net == kNetHigh;
}

constexpr size_t kLineWidth = 100;

std::string VerilogSignal(const std::string& net) {
  if (net == kNetLow) return "1'b0";
  if (net == kNetHigh) return "1'b1";
  return net;
}

std::string HelperName(const Netlist& n, const char* what, int size) {
  return n.module + "_" + what + std::to_string(size);
}

/// "{a1, a0}" (or "a0" alone): the address as one number.
std::string AddressVector(int count) {
  if (count == 1) return "a0";
  std::string out = "{";
  for (int e = count - 1; e >= 0; --e) out += "a" + std::to_string(e) + (e > 0 ? ", " : "}");
  return out;
}

/// The names prefix<i>suffix for i from from to to (either direction).
std::vector<std::string> Names(const std::string& prefix, int from, int to,
                               const std::string& suffix = "") {
  std::vector<std::string> names;
  const int step = from <= to ? 1 : -1;
  for (int i = from;; i += step) {
    names.push_back(prefix + std::to_string(i));
    names.back() += suffix;
    if (i == to) break;
  }
  return names;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

/// Items on lines of at most kLineWidth characters (an item longer than that has a line of its
/// own): the first line starts with head, the others with indent; separator follows every item
/// but the last, and a blank separates the items on a line.
std::string Wrapped(const std::string& head, const std::string& indent,
                    const std::vector<std::string>& items, const std::string& separator) {
  std::string out, line = head;
  bool fresh = true;  // nothing on the line yet after its head or indent
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string item = items[i] + (i + 1 < items.size() ? separator : "");
    if (!fresh && line.size() + 1 + item.size() > kLineWidth) {
      out += line + "\n";
      line = indent;
      fresh = true;
    }
    line += (fresh ? "" : " ") + item;
    fresh = false;
  }
  return out + line;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

/// Comment lines, broken at blanks to stay within kLineWidth; a line keeps its indentation.
void WriteComment(std::string& out, const std::vector<std::string>& lines,
                  const std::string& prefix) {
  for (const std::string& line : lines) {
    const std::string head = prefix + line.substr(0, line.find_first_not_of(' '));
    out += Wrapped(head, head + "  ", Words(line), "") + "\n";
  }
}

/// One instance: on one line when it fits, else its connections on indented lines.
void WriteInstance(std::string& out, const std::string& head,
                   const std::vector<std::string>& items) {
  std::string line = "  " + head + " (";
  for (size_t i = 0; i < items.size(); ++i) line += (i ? ", " : "") + items[i];
  line += ");";
  if (line.size() <= kLineWidth)
    out += line + "\n";
  else
    out += "  " + head + " (\n" + Wrapped("    ", "    ", items, ",") + ");\n";
}

void WriteVerilogCell(std::string& out, const Netlist& n, const NetlistCell& cell) {
  WriteComment(out, cell.comment, "  // ");
  std::vector<std::string> items;
  const int a = static_cast<int>(cell.address.size());
  auto address = [&] {
    for (int e = 0; e < a; ++e)
      items.push_back(".a" + std::to_string(a - 1 - e) + "(" + VerilogSignal(cell.address[e]) +
                      ")");
  };
  switch (cell.kind) {
    case CellKind::kMux:
      address();
      for (size_t i = 0; i < cell.inputs.size(); ++i)
        items.push_back(".d" + std::to_string(i) + "(" + VerilogSignal(cell.inputs[i]) + ")");
      items.push_back(".y(" + cell.outputs[0] + ")");
      WriteInstance(out, HelperName(n, "mux", 1 << a) + " " + cell.name, items);
      return;
    case CellKind::kDemux:
      items.push_back(".g_n(" + VerilogSignal(cell.inputs[0]) + ")");
      address();
      for (size_t o = 0; o < cell.outputs.size(); ++o)
        items.push_back(".y" + std::to_string(o) + "_n(" + cell.outputs[o] + ")");
      WriteInstance(out, HelperName(n, "demux", 1 << a) + " " + cell.name, items);
      return;
    case CellKind::kAnd:
    case CellKind::kOr:
    case CellKind::kNand:
    case CellKind::kNor:
    case CellKind::kNot:
    case CellKind::kBuf:
      break;
  }
  const char* primitive = "";
  switch (cell.kind) {
    case CellKind::kAnd:
      primitive = "and";
      break;
    case CellKind::kOr:
      primitive = "or";
      break;
    case CellKind::kNand:
      primitive = "nand";
      break;
    case CellKind::kNor:
      primitive = "nor";
      break;
    case CellKind::kNot:
      primitive = "not";
      break;
    case CellKind::kBuf:
    case CellKind::kMux:
    case CellKind::kDemux:
      primitive = "buf";
      break;
  }
  items.push_back(cell.outputs[0]);
  for (const std::string& in : cell.inputs) items.push_back(VerilogSignal(in));
  WriteInstance(out, std::string(primitive) + " " + cell.name, items);
}

/// The data input among d<first>..d<first + 2^bits - 1> that the address lines a<bits-1>..a0
/// select, as a tree of choices by one address line each (nested choices in brackets).
std::string Choice(int bits, int first, bool nested = false) {
  if (bits == 0) return "d" + std::to_string(first);
  const std::string choice = "a" + std::to_string(bits - 1) + " ? " +
                             Choice(bits - 1, first + (1 << (bits - 1)), true) + " : " +
                             Choice(bits - 1, first, true);
  return nested ? "(" + choice + ")" : choice;
}

void WriteMuxModule(std::string& out, const Netlist& n, int a) {
  const int size = 1 << a;
  out += "\n// " + std::to_string(size) +
         "-input multiplexer: y is the data input d<i> whose number i the address " +
         AddressVector(a) + " selects.\n";
  out += "module " + HelperName(n, "mux", size) + " (\n";
  out += "  input " + Joined(Names("a", a - 1, 0)) + ",\n";
  out += Wrapped("  input ", "    ", Names("d", 0, size - 1), ",") + ",\n";
  out += "  output y\n);\n";
  // A tree of two-way choices, the most significant address line at the root; the 16-input
  // multiplexer chooses between its two halves.
  if (a < 4) {
    out += "  assign y = " + Choice(a, 0) + ";\n";
  } else {
    out += "  wire lower =\n      " + Choice(a - 1, 0) + ";\n";
    out += "  wire upper =\n      " + Choice(a - 1, size / 2) + ";\n";
    out += "  assign y = a" + std::to_string(a - 1) + " ? upper : lower;\n";
  }
  out += "endmodule\n";
}

void WriteDemuxModule(std::string& out, const Netlist& n, int a) {
  const int size = 1 << a;
  const std::string width = std::to_string(size);
  out += "\n// " + width +
         "-output demultiplexer with an active-low enable g_n and active-low outputs: y<k>_n is\n"
         "// 0 exactly when g_n is 0 and the address " +
         AddressVector(a) + " is k.\n";
  out += "module " + HelperName(n, "demux", size) + " (\n";
  out += "  input g_n,\n";
  out += "  input " + Joined(Names("a", a - 1, 0)) + ",\n";
  out += Wrapped("  output ", "    ", Names("y", 0, size - 1, "_n"), ",") + "\n);\n";
  for (int k = 0; k < size; ++k)
    out += "  assign y" + std::to_string(k) + "_n = g_n | (" + AddressVector(a) +
           " != " + std::to_string(a) + "'d" + std::to_string(k) + ");\n";
  out += "endmodule\n";
}

// --- BLIF ---

/// One term of a cube: the net must have the value.
struct Literal {
  std::string net;
  bool value;
};
using Cube = std::vector<Literal>;

/// The cell's output o as a sum of cubes over its input nets.
std::vector<Cube> OnSet(const NetlistCell& cell, size_t o) {
  std::vector<Cube> cubes;
  const std::vector<std::string>& in = cell.inputs;
  const int a = static_cast<int>(cell.address.size());
  auto all = [&](bool value) {
    Cube c;
    for (const std::string& net : in) c.push_back({net, value});
    cubes.push_back(c);
  };
  auto each = [&](bool value) {
    for (const std::string& net : in) cubes.push_back({{net, value}});
  };
  switch (cell.kind) {
    case CellKind::kMux:
      for (size_t v = 0; v < in.size(); ++v) {
        Cube c;
        for (int e = 0; e < a; ++e) c.push_back({cell.address[e], ((v >> (a - 1 - e)) & 1) != 0});
        c.push_back({in[v], true});
        cubes.push_back(c);
      }
      break;
    case CellKind::kDemux:
      // Output o is high when the enable is off or some address bit differs from o's.
      cubes.push_back({{in[0], true}});
      for (int e = 0; e < a; ++e)
        cubes.push_back({{cell.address[e], ((o >> (a - 1 - e)) & 1) == 0}});
      break;
    case CellKind::kAnd:
      all(true);
      break;
    case CellKind::kOr:
      each(true);
      break;
    case CellKind::kNand:
      each(false);
      break;
    case CellKind::kNor:
      all(false);
      break;
    case CellKind::kNot:
      each(false);
      break;
    case CellKind::kBuf:
      each(true);
      break;
  }
  return cubes;
}

/// The .names table of one output: constants folded into the cubes, every net one column.
void WriteTable(std::string& out, const std::vector<Cube>& cubes, const std::string& output) {
  std::vector<Cube> kept;
  std::vector<std::string> columns;
  bool always = false;
  for (const Cube& cube : cubes) {
    Cube c;
    bool possible = true;
    for (const Literal& l : cube) {
      if (IsConstant(l.net)) {
        possible = possible && (l.net == kNetHigh) == l.value;
        continue;
      }
      auto same =
          std::find_if(c.begin(), c.end(), [&](const Literal& x) { return x.net == l.net; });
      if (same == c.end())
        c.push_back(l);
      else
        possible = possible && same->value == l.value;
    }
    if (!possible) continue;
    if (c.empty()) always = true;
    for (const Literal& l : c)
      if (std::find(columns.begin(), columns.end(), l.net) == columns.end())
        columns.push_back(l.net);
    kept.push_back(c);
  }
  if (always) {
    out += ".names " + output + "\n1\n";
    return;
  }
  out += ".names";
  for (const std::string& net : columns) out += " " + net;
  out += " " + output + "\n";
  for (const Cube& c : kept) {
    std::string row(columns.size(), '-');
    for (const Literal& l : c) {
      const size_t at =
          static_cast<size_t>(std::find(columns.begin(), columns.end(), l.net) - columns.begin());
      row[at] = l.value ? '1' : '0';
    }
    out += row + " 1\n";
  }
}

/// Yosys reads no table of more than 12 inputs.
constexpr size_t kMaxTableInputs = 12;

size_t DistinctNets(const NetlistCell& cell) {
  std::set<std::string> nets;
  for (const auto* list : {&cell.address, &cell.inputs})
    for (const std::string& net : *list)
      if (!IsConstant(net)) nets.insert(net);
  return nets.size();
}

/// The tables of a cell. A wider cell is split: a 16-input multiplexer into the multiplexers
/// of its two halves and a choice between them by its most significant address line; a gate of
/// more than 12 inputs into partial gates of 8 inputs each and a final one over them.
void WriteTables(std::string& out, const NetlistCell& cell) {
  const bool wide = DistinctNets(cell) > kMaxTableInputs;
  if (wide && cell.kind == CellKind::kMux && cell.address.size() > 1) {
    const std::string& y = cell.outputs[0];
    const auto half = cell.inputs.begin() + static_cast<std::ptrdiff_t>(cell.inputs.size() / 2);
    NetlistCell low{CellKind::kMux,
                    "",
                    {cell.address.begin() + 1, cell.address.end()},
                    {cell.inputs.begin(), half},
                    {y + "_lo"},
                    {}};
    NetlistCell high = low;
    high.inputs.assign(half, cell.inputs.end());
    high.outputs = {y + "_hi"};
    out += "# (" + y + "_lo and " + y + "_hi: the halves of the data inputs, chosen by " +
           cell.address[0] + ")\n";
    WriteTables(out, low);
    WriteTables(out, high);
    WriteTables(out, {CellKind::kMux, "", {cell.address[0]}, {y + "_lo", y + "_hi"}, {y}, {}});
    return;
  }
  const bool gate = cell.kind == CellKind::kAnd || cell.kind == CellKind::kNand ||
                    cell.kind == CellKind::kOr || cell.kind == CellKind::kNor;
  if (wide && gate) {
    const bool andShape = cell.kind == CellKind::kAnd || cell.kind == CellKind::kNand;
    NetlistCell last{cell.kind, "", {}, {}, cell.outputs, {}};
    for (size_t first = 0; first < cell.inputs.size(); first += 8) {
      const std::string partial = cell.outputs[0] + "_p" + std::to_string(first / 8);
      const auto from = cell.inputs.begin() + static_cast<std::ptrdiff_t>(first);
      const auto to = cell.inputs.begin() +
                      static_cast<std::ptrdiff_t>(std::min(first + 8, cell.inputs.size()));
      WriteTables(out,
                  {andShape ? CellKind::kAnd : CellKind::kOr, "", {}, {from, to}, {partial}, {}});
      last.inputs.push_back(partial);
    }
    out +=
        "# (" + Joined(last.inputs) + ": " + (andShape ? "ANDs" : "ORs") + " of 8 inputs each)\n";
    WriteTables(out, last);
    return;
  }
  for (size_t o = 0; o < cell.outputs.size(); ++o)
    if (!cell.outputs[o].empty()) WriteTable(out, OnSet(cell, o), cell.outputs[o]);
}

std::string Header(const Netlist& n, const std::string& kind, const char* prefix) {
  std::string out = prefix + n.module + ": " + kind + " netlist written by Kestrel.\n";
  WriteComment(out, n.header, prefix);
  return out;
}

}  // namespace

std::string LegalIdentifier(const std::string& name, const std::string& fallback) {
  std::string out;
  for (char c : name) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    out += letter || (c >= '0' && c <= '9') || c == '_' ? c : '_';
  }
  if (out.empty()) out = fallback;
  if (!out.empty() && out[0] >= '0' && out[0] <= '9') out = "_" + out;
  if (std::find(std::begin(kVerilogKeywords), std::end(kVerilogKeywords), out) !=
      std::end(kVerilogKeywords))
    out += "_";
  return out;
}

NetlistFormat NetlistFormatFromExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return NetlistFormat::kNone;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (ext == "v") return NetlistFormat::kVerilog;
  if (ext == "blif") return NetlistFormat::kBlif;
  return NetlistFormat::kNone;
}

const char* NetlistFormatName(NetlistFormat format) {
  switch (format) {
    case NetlistFormat::kNone:
      return "";
    case NetlistFormat::kVerilog:
      return "Verilog";
    case NetlistFormat::kBlif:
      return "BLIF";
  }
  return "";
}

std::string VerilogText(const Netlist& n) {
  std::string out = Header(n, "structural Verilog", "// ");
  out += "\nmodule " + n.module + " (\n";
  if (!n.inputs.empty()) out += Wrapped("  input ", "        ", n.inputs, ",") + ",\n";
  out += "  output " + n.output + "\n);\n";

  // Every net a cell drives, declared before use.
  std::vector<std::string> wires;
  for (const NetlistCell& cell : n.cells)
    for (const std::string& net : cell.outputs)
      if (!net.empty() && net != n.output) wires.push_back(net);
  if (!wires.empty()) out += Wrapped("  wire ", "       ", wires, ",") + ";\n";

  std::set<int> muxSizes, demuxSizes;
  for (const NetlistCell& cell : n.cells) {
    // A blank line before every commented cell; cells without a comment follow their group.
    if (!cell.comment.empty()) out += "\n";
    WriteVerilogCell(out, n, cell);
    const int a = static_cast<int>(cell.address.size());
    if (cell.kind == CellKind::kMux) muxSizes.insert(a);
    if (cell.kind == CellKind::kDemux) demuxSizes.insert(a);
  }
  out += "endmodule\n";
  for (int a : muxSizes) WriteMuxModule(out, n, a);
  for (int a : demuxSizes) WriteDemuxModule(out, n, a);
  return out;
}

std::string BlifText(const Netlist& n) {
  std::string out = Header(n, "BLIF", "# ");
  out += "\n.model " + n.module + "\n.inputs";
  for (const std::string& in : n.inputs) out += " " + in;
  out += "\n.outputs " + n.output + "\n";
  for (const NetlistCell& cell : n.cells) {
    // BLIF has no instances: the cell's name heads its tables.
    out += "\n# " + cell.name + "\n";
    WriteComment(out, cell.comment, "# ");
    if (cell.kind == CellKind::kMux) {
      // The tables fold the constants away; the data inputs as the drawing numbers them.
      std::string line = "data inputs:";
      for (size_t i = 0; i < cell.inputs.size(); ++i)
        line += " d" + std::to_string(i) + "=" + cell.inputs[i];
      WriteComment(out, {line}, "# ");
    }
    WriteTables(out, cell);
  }
  out += ".end\n";
  return out;
}

std::string NetlistText(const Netlist& netlist, NetlistFormat format) {
  switch (format) {
    case NetlistFormat::kNone:
      return "";
    case NetlistFormat::kVerilog:
      return VerilogText(netlist);
    case NetlistFormat::kBlif:
      return BlifText(netlist);
  }
  return "";
}

}  // namespace kestrel
