// The netlist of a realization: golden files, what the cells compute (the netlist evaluated on
// every assignment against the function), names made into identifiers, the formats by
// extension, the function's variables, and records that form no circuit.

#include "netlist/netlist.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "support/function_models.h"
#include "tests/core/diagram/diagram_test_support.h"

namespace kestrel {
namespace {

using testing::Options;
using testing::Realized;

/// The netlist's output F when input j (of size) holds bit size-1-j of k. Every net must be
/// driven before a cell reads it.
bool Evaluate(const Netlist& n, int k) {
  std::map<std::string, bool> v{{kNetLow, false}, {kNetHigh, true}};
  const int size = static_cast<int>(n.inputs.size());
  for (int j = 0; j < size; ++j) v[n.inputs[j]] = ((k >> (size - 1 - j)) & 1) != 0;
  for (const NetlistCell& c : n.cells) {
    int address = 0;
    for (const std::string& a : c.address) address = 2 * address + (v.at(a) ? 1 : 0);
    int ones = 0;
    for (const std::string& in : c.inputs) ones += v.at(in) ? 1 : 0;
    const bool all = ones == static_cast<int>(c.inputs.size()), any = ones > 0;
    switch (c.kind) {
      case CellKind::kMux:
        v[c.outputs[0]] = v.at(c.inputs.at(address));
        break;
      case CellKind::kDemux:
        for (size_t o = 0; o < c.outputs.size(); ++o)
          if (!c.outputs[o].empty())
            v[c.outputs[o]] = v.at(c.inputs[0]) || address != static_cast<int>(o);
        break;
      case CellKind::kAnd:
        v[c.outputs[0]] = all;
        break;
      case CellKind::kOr:
        v[c.outputs[0]] = any;
        break;
      case CellKind::kNand:
        v[c.outputs[0]] = !all;
        break;
      case CellKind::kNor:
        v[c.outputs[0]] = !any;
        break;
      case CellKind::kNot:
        v[c.outputs[0]] = !any;
        break;
      case CellKind::kBuf:
        v[c.outputs[0]] = any;
        break;
    }
  }
  return v.at(n.output);
}

Netlist Build(const Realized& r, const std::string& file = "circuit.v") {
  const NetlistResult result =
      BuildNetlist(r.session.results, r.session.choice,
                   NetlistRequestFor(r.session.model, r.session.designCaption, file));
  EXPECT_TRUE(result.ok()) << result.error;
  return result.netlist;
}

std::vector<std::string> CellNames(const Netlist& n) {
  std::vector<std::string> names;
  for (const NetlistCell& c : n.cells) names.push_back(c.name);
  return names;
}

// --- Golden files ---

struct GoldenCase {
  const char* name;
  const char* text;
  StructureOptions options;
};

const GoldenCase kGolden[] = {
    {"mux4", "x2x1+~x2~x0+x3", Options(Structure::kMux, 4)},
    {"gates_nand", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3",
     Options(Structure::kMuxGates, 2, 0, GateFamily::kNand)},
    {"demux8", "x2x1+~x2~x0", Options(Structure::kDemux, 0, 8)},
    {"tree", "x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2)},
    {"muxdemux", "x3x2x1+~x3x0+x2~x1~x0", Options(Structure::kMuxDemux, 2, 8)},
};

std::string GoldenDir() {
  if (const char* dir = std::getenv("KESTREL_GOLDEN_DIR")) return dir;
  return std::string(KESTREL_TEST_DATA) + "/netlist";
}

void PrintTo(const GoldenCase& k, std::ostream* out) {
  *out << k.name;
}

/// Each golden circuit is a test case of its own, named after its files.
class NetlistGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(NetlistGolden, VerilogAndBlifMatchTheirFiles) {
  const GoldenCase& k = GetParam();
  Realized r;
  ASSERT_TRUE(r.Run(k.text, k.options)) << k.name;
  const Netlist netlist = Build(r, std::string(k.name) + ".v");
  for (const NetlistFormat format : {NetlistFormat::kVerilog, NetlistFormat::kBlif}) {
    const std::string actual = NetlistText(netlist, format);
    const std::string path =
        GoldenDir() + "/" + k.name + (format == NetlistFormat::kVerilog ? ".v" : ".blif");
    if (std::getenv("KESTREL_UPDATE_GOLDEN") != nullptr) {
      std::ofstream(path, std::ios::binary) << actual;
      continue;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing " << path << " (run tests/data/netlist/update_golden.sh)";
    std::stringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(expected.str(), actual) << path;
  }
}

INSTANTIATE_TEST_SUITE_P(Circuits, NetlistGolden, ::testing::ValuesIn(kGolden),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                           return std::string(info.param.name);
                         });

// --- What the cells compute ---

TEST(NetlistProperty, EveryNetlistComputesItsFunction) {
  int checked = 0;
  for (const testing::Case& c : testing::RandomCases(20270117, 200, 8)) {
    Realized r;
    if (!r.Run(c.text, c.options)) continue;
    const Netlist n = Build(r);
    // The clear style's layout holds the same circuit.
    const NetlistResult clear = BuildNetlist(
        LayoutDiagram(r.session.results, r.session.choice, kDefaultZoom, DiagramStyle::kClear),
        NetlistRequestFor(r.session.model, r.session.designCaption, "circuit.v"));
    ASSERT_EQ(NetlistText(clear.netlist, NetlistFormat::kVerilog),
              NetlistText(n, NetlistFormat::kVerilog))
        << c.Describe();
    const auto sum = testing::ParseSum(c.text);
    ASSERT_TRUE(sum.has_value()) << c.Describe();
    const int size = static_cast<int>(n.inputs.size());
    for (int k = 0; k < (1 << size); ++k) {
      const bool expected = testing::Evaluate(*sum, [&](const std::string& name) {
        const auto at = std::find(n.inputs.begin(), n.inputs.end(), name);
        return ((k >> (size - 1 - (at - n.inputs.begin()))) & 1) != 0;
      });
      ASSERT_EQ(Evaluate(n, k), expected) << c.Describe() << " at " << k;
    }
    // Yosys reads no BLIF table of more than 12 inputs.
    std::istringstream blif(BlifText(n));
    for (std::string line; std::getline(blif, line);) {
      if (line.rfind(".names", 0) == 0) {
        EXPECT_LE(std::count(line.begin(), line.end(), ' '), 13) << line;
      }
    }
    ++checked;
  }
  EXPECT_GT(checked, 150);
}

TEST(NetlistProperty, TheEvaluationCatchesAWrongCell) {
  Realized r;
  ASSERT_TRUE(r.Run("x2x1+~x2~x0+x3", Options(Structure::kMux, 4)));
  Netlist n = Build(r);
  ASSERT_EQ(n.cells.back().kind, CellKind::kMux);
  std::swap(n.cells.back().inputs[0], n.cells.back().inputs[3]);
  bool differs = false;
  for (int k = 0; k < 16; ++k) differs = differs || Evaluate(n, k) != Evaluate(Build(r), k);
  EXPECT_TRUE(differs);
}

// --- What the netlist holds ---

TEST(NetlistShape, TreeCellsAreNamedAfterTheNodeList) {
  Realized r;
  ASSERT_TRUE(r.Run("x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2)));
  const Netlist n = Build(r);
  EXPECT_EQ(CellNames(n), (std::vector<std::string>{"inv_x1", "mux1", "mux2", "mux3"}));
  const NetlistCell& mux2 = n.cells[2];
  EXPECT_EQ(mux2.comment.front(), "node 2: 2-input multiplexer at level 1, 2nd from the top");
  EXPECT_EQ(mux2.address, std::vector<std::string>{"x2"});
  EXPECT_EQ(mux2.inputs, (std::vector<std::string>{kNetLow, "x1"}));
  EXPECT_EQ(mux2.outputs, std::vector<std::string>{"n2"});
  const NetlistCell& mux3 = n.cells[3];
  EXPECT_EQ(mux3.address, std::vector<std::string>{"x3"});
  EXPECT_EQ(mux3.inputs, (std::vector<std::string>{"n1", "n2"}));
  EXPECT_EQ(mux3.outputs, std::vector<std::string>{"F"});
}

TEST(NetlistShape, GateFamiliesShowTheDrawnGates) {
  // x2x1+x0 at input 1: NAND-NAND (the negated input moves onto the child), NOR-NOR with an
  // inverter after the OR-type NOR, AND-OR.
  const std::pair<GateFamily, std::vector<std::string>> families[] = {
      {GateFamily::kNand, {"inv_x0", "nand1", "nand2", "mux3"}},
      {GateFamily::kNor, {"inv_x2", "inv_x1", "nor1", "nor2", "inv2", "mux3"}},
      {GateFamily::kAndOrNot, {"and1", "or2", "mux3"}},
  };
  for (const auto& [family, cells] : families) {
    Realized r;
    ASSERT_TRUE(r.Run("x3x2x1+x3x0", Options(Structure::kMuxGates, 2, 0, family)));
    EXPECT_EQ(CellNames(Build(r)), cells) << NamesOf(family).cliName;
  }
}

TEST(NetlistShape, DemuxCollectsItsFlaggedOutputs) {
  {
    // x1x0: the one at address 3, taken through an inverter.
    Realized r;
    ASSERT_TRUE(r.Run("x1x0", Options(Structure::kDemux, 0, 4)));
    const Netlist n = Build(r);
    EXPECT_EQ(CellNames(n), (std::vector<std::string>{"demux", "inv_F"}));
    EXPECT_EQ(n.cells[0].outputs, (std::vector<std::string>{"", "", "", "demux_y3_n"}));
    EXPECT_EQ(n.cells[0].inputs, std::vector<std::string>{kNetLow});
  }
  {
    // x1+x0: 0 only at address 0, whose active-low output is F itself.
    Realized r;
    ASSERT_TRUE(r.Run("x1+x0", Options(Structure::kDemux, 0, 4)));
    const Netlist n = Build(r);
    EXPECT_EQ(CellNames(n), std::vector<std::string>{"demux"});
    EXPECT_EQ(n.cells[0].outputs, (std::vector<std::string>{"F", "", "", ""}));
  }
}

TEST(NetlistShape, MuxDemuxGatesAreTheCollectingGateTable) {
  // x2x1+x2x0 over x2 | x1 x0: input 1 collects the zero at output 0 (the output itself).
  Realized r;
  ASSERT_TRUE(r.Run("x2x1+x2x0", Options(Structure::kMuxDemux, 2, 4)));
  const Netlist n = Build(r);
  EXPECT_EQ(CellNames(n), (std::vector<std::string>{"demux", "mux"}));
  EXPECT_EQ(n.cells[1].inputs, (std::vector<std::string>{kNetLow, "demux_y0_n"}));
}

TEST(NetlistText, VerilogNamesEveryCellAndItsSizeModules) {
  Realized r;
  ASSERT_TRUE(r.Run("x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2)));
  const std::string v = VerilogText(Build(r, "/some/folder/tree.v"));
  for (const char* line :
       {"module tree (\n  input x3, x2, x1,\n  output F\n);\n  wire x1_n, n1, n2;\n",
        "  tree_mux2 mux2 (.a0(x2), .d0(1'b0), .d1(x1), .y(n2));\n",
        "  tree_mux2 mux3 (.a0(x3), .d0(n1), .d1(n2), .y(F));\nendmodule\n",
        "module tree_mux2 (\n  input a0,\n  input d0, d1,\n  output y\n);\n"
        "  assign y = a0 ? d1 : d0;\nendmodule\n"})
    EXPECT_NE(v.find(line), std::string::npos) << line << "\nin\n" << v;
}

TEST(NetlistText, BlifFoldsConstantsIntoTheTables) {
  Realized r;
  ASSERT_TRUE(r.Run("x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2)));
  const std::string b = BlifText(Build(r, "tree.blif"));
  // mux2 selects 0 at x2 = 0 and x1 at x2 = 1: one row.
  EXPECT_NE(b.find(".names x2 x1 n2\n11 1\n"), std::string::npos) << b;
  EXPECT_NE(b.find(".model tree\n.inputs x3 x2 x1\n.outputs F\n"), std::string::npos) << b;
  EXPECT_EQ(b.substr(b.size() - 5), ".end\n");
}

// --- Names ---

TEST(NetlistNames, LegalIdentifiers) {
  const std::pair<const char*, const char*> cases[] = {
      {"adder", "adder"},    {"2-bit adder", "_2_bit_adder"},
      {"module", "module_"}, {"nand", "nand_"},
      {"a$b.c", "a_b_c"},    {"", "circuit"},
      {"_x", "_x"},          {"\xc3\xa9t\xc3\xa9", "__t__"},
      {"x9", "x9"},
  };
  for (const auto& [name, legal] : cases)
    EXPECT_EQ(LegalIdentifier(name, "circuit"), legal) << name;
}

TEST(NetlistNames, TheModuleIsNamedAfterTheFileAndARenameIsListed) {
  Realized r;
  ASSERT_TRUE(r.Run("x2x1+~x2~x0+x3", Options(Structure::kMux, 4)));
  const Netlist n = Build(r, "/work/out/2-bit adder.blif");
  EXPECT_EQ(n.module, "_2_bit_adder");
  EXPECT_EQ(n.header[n.header.size() - 2], "Names changed into legal identifiers:");
  EXPECT_EQ(n.header.back(), "  module \"2-bit adder\" is _2_bit_adder");
  EXPECT_NE(VerilogText(n).find("module _2_bit_adder_mux4 ("), std::string::npos);
  EXPECT_NE(BlifText(n).find("\n.model _2_bit_adder\n"), std::string::npos);
  // A legal name changes nothing and lists nothing.
  const Netlist plain = Build(r, "adder.v");
  EXPECT_EQ(plain.module, "adder");
  for (const std::string& line : plain.header) EXPECT_EQ(line.find("legal"), std::string::npos);
}

TEST(NetlistNames, VariablesOtherThanXdAreMadeIdentifiers) {
  Realized r;
  ASSERT_TRUE(r.Run("x1x0", Options(Structure::kMux, 2)));
  NetlistRequest request;
  request.moduleName = "m";
  request.variables = {"a b", "x1", "in"};
  const NetlistResult result = BuildNetlist(r.session.results, r.session.choice, request);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.netlist.inputs, (std::vector<std::string>{"in_a_b", "x1", "in_in", "x0"}));
  const std::vector<std::string>& h = result.netlist.header;
  EXPECT_NE(std::find(h.begin(), h.end(), "  variable \"a b\" is in_a_b"), h.end());
}

TEST(NetlistFormats, ByExtension) {
  const std::pair<const char*, NetlistFormat> cases[] = {
      {"a.v", NetlistFormat::kVerilog},  {"dir/A.V", NetlistFormat::kVerilog},
      {"a.blif", NetlistFormat::kBlif},  {"a.Blif", NetlistFormat::kBlif},
      {"a.vhd", NetlistFormat::kNone},   {"a.v.png", NetlistFormat::kNone},
      {"dir.v/a", NetlistFormat::kNone}, {"a", NetlistFormat::kNone},
      {"a.blif.", NetlistFormat::kNone},
  };
  for (const auto& [path, format] : cases)
    EXPECT_EQ(NetlistFormatFromExtension(path), format) << path;
}

// --- The function's variables ---

TEST(FunctionVariables, CanonicalFunctionsHaveAllTheirVariables) {
  testing::SessionFixture f;
  // 0..15 with x2 irrelevant: the function names x3 x1 x0 only.
  f.Canonical({1, 5, 9, 13, 11, 15}, {0, 2, 3, 4, 6, 7, 8, 10, 12, 14});
  EXPECT_EQ(FunctionVariables(f.model), (std::vector<std::string>{"x3", "x2", "x1", "x0"}));
}

TEST(FunctionVariables, LiteralFunctionsKeepTheVariablesTheyWereMinimizedOver) {
  testing::SessionFixture f;
  f.Literal("x9~x7x3~x0 + x4~x7");
  EXPECT_EQ(FunctionVariables(f.model), (std::vector<std::string>{"x9", "x7", "x4", "x3", "x0"}));
  f.Literal("x2x1+~x2x1");  // minimizes to x1
  EXPECT_EQ(f.model.functionText, "x1");
  EXPECT_EQ(FunctionVariables(f.model), (std::vector<std::string>{"x2", "x1"}));
  f.Literal("x5~x1", false);  // not minimized: the text's variables
  EXPECT_EQ(FunctionVariables(f.model), (std::vector<std::string>{"x5", "x1"}));
}

// --- Records that form no circuit ---

TEST(NetlistErrors, RecordsThatFormNoCircuitAreRefused) {
  StructureChoice choice;
  ResultStore store;
  EXPECT_EQ(BuildNetlist(store, choice, {}).error, text::kNothingRealized);

  NodeRecord child = testing::MuxNode(1, {"0", "1"}, {"x0"});
  NodeRecord parent = testing::MuxNode(1, {"x1x2", "0"}, {"x1"});
  store.AppendNode(child);
  store.AppendNode(parent);
  EXPECT_EQ(BuildNetlist(store, choice, {}).error,
            "input 0 of node 2 shows \"x1x2\", which no element produces");

  store.mutableNodes()[1].childId[0] = 1;
  EXPECT_TRUE(BuildNetlist(store, choice, {}).ok());
  store.mutableNodes()[0].childId[1] = 2;
  EXPECT_EQ(BuildNetlist(store, choice, {}).error,
            "node 1 is fed by node 2, which does not precede it");
}

}  // namespace
}  // namespace kestrel
