// The netlists read by tools Kestrel did not write. Random functions of 1..10 variables, entered
// as the entry windows take them (canonical lists, and literal sums over scattered variables),
// are realized in every structure, size and gate family; then, one process per tool for all
// circuits at once:
//   - Icarus Verilog compiles every Verilog netlist with a generated test bench that applies
//     every combination, and each output must equal the function on every One and Zero;
//   - Yosys reads each Verilog netlist and its BLIF netlist and proves them equivalent (a miter
//     and SAT), and writes the Verilog netlist as BLIF;
//   - ABC reads the BLIF netlists and proves each equivalent to Yosys's (cec).
// Each check is skipped when its tool was not found when the tests were built.

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <sstream>

#include "files/file_io.h"
#include "netlist/netlist.h"
#include "support/cli_runner.h"
#include "support/function_models.h"
#include "support/session_fixture.h"

namespace kestrel {
namespace {

using testing::Options;

struct ToolCase {
  std::string module;
  std::string describe;
  int inputs = 0;                  ///< input j carries bit inputs-1-j of a combination
  std::vector<std::string> ports;  ///< the input port names
  std::vector<int> ones, zeros;
};

/// Every structure, size and gate family the dialog offers for n variables.
std::vector<StructureOptions> Choices(int n) {
  std::vector<StructureOptions> out;
  for (int size : {2, 4, 8, 16}) {
    out.push_back(Options(Structure::kMux, size));
    for (const GateFamilyNames& family : kGateFamilyNames)
      out.push_back(Options(Structure::kMuxGates, size, 0, family.family));
    if (n <= 4) out.push_back(Options(Structure::kDemux, 0, size));
    out.push_back(Options(Structure::kMuxTree, size));
    // The pair's address inputs together are the function's variables.
    for (int demux : {2, 4, 8, 16})
      if (std::countr_zero(static_cast<unsigned>(size * demux)) == n)
        out.push_back(Options(Structure::kMuxDemux, size, demux));
  }
  return out;
}

/// A random sum of products over a random set of the ten variables, as a user would type it.
std::string RandomLiteral(std::mt19937& rng, int n) {
  std::vector<int> vars;
  for (int d = 9; d >= 0; --d) vars.push_back(d);
  std::shuffle(vars.begin(), vars.end(), rng);
  vars.resize(static_cast<size_t>(n));
  std::string text;
  const int products = 1 + static_cast<int>(rng() % 5);
  for (int p = 0; p < products; ++p) {
    if (p > 0) text += "+";
    for (int d : vars)
      if (rng() % 2) text += (rng() % 2 ? "~x" : "x") + std::to_string(d);
    if (text.empty() || text.back() == '+') text += "x" + std::to_string(vars[0]);
  }
  return text;
}

/// The Ones, Zeros and Don't cares of a random function of n variables: each combination drawn
/// on its own (dense), or the combinations a few random products cover (the kind of function one
/// types; above 6 variables a truth table drawn at random has circuits of hundreds of cells).
struct Lists {
  std::vector<int> ones, zeros, dontCares;
};
Lists RandomLists(std::mt19937& rng, int n, bool dense) {
  Lists l;
  const int products = 1 + static_cast<int>(rng() % 6);
  std::vector<std::pair<int, int>> cubes;  // (care mask, values)
  for (int p = 0; p < products; ++p) {
    int care = 0, values = 0;
    for (int d = 0; d < n; ++d)
      if (rng() % 2) {
        care |= 1 << d;
        values |= static_cast<int>(rng() % 2) << d;
      }
    cubes.emplace_back(care, values);
  }
  const int density = 10 + static_cast<int>(rng() % 80);
  for (int v = 0; v < (1 << n); ++v) {
    const int r = static_cast<int>(rng() % 100);
    bool one = r < density;
    if (!dense)
      one = std::any_of(cubes.begin(), cubes.end(),
                        [v](const auto& c) { return (v & c.first) == c.second; });
    (one ? l.ones : r >= 97 ? l.dontCares : l.zeros).push_back(v);
  }
  return l;
}

/// Realizes the function in the structure and writes its netlists into dir as c<i>.v and
/// c<i>.blif; false when the structure refuses the function.
bool AddCircuit(testing::SessionFixture& f, const StructureOptions& options, testing::TempDir& dir,
                std::vector<ToolCase>& cases) {
  Session& s = f.session;
  s.choice.OnShow(f.model.functionText);
  s.choice.Apply(options);
  if (!s.commands.Enabled(CommandItem::Realization) || !s.ConfirmStructure() ||
      s.RealizeCurrent().outcome != RealizeOutcome::kRealized)
    return false;
  ToolCase c;
  c.module = "c" + std::to_string(cases.size());
  const NetlistResult netlist = BuildNetlist(
      s.results, s.choice, NetlistRequestFor(f.model, s.designCaption, c.module + ".v"));
  EXPECT_TRUE(netlist.ok()) << netlist.error;
  std::ostringstream describe;
  describe << c.module << ": " << f.model.functionText << " in "
           << NamesOf(options.structure).cliName << " mux " << options.muxSize.value_or(0)
           << " demux " << options.demuxSize.value_or(0) << " gates "
           << NamesOf(options.gates).cliName;
  c.describe = describe.str();
  c.ports = netlist.netlist.inputs;
  c.inputs = static_cast<int>(c.ports.size());
  if (!f.model.ones().empty()) {
    // The minterms count the function's variables: as many as the netlist has inputs.
    EXPECT_EQ(c.inputs, f.model.VariableCount()) << c.describe;
    for (const std::string& v : f.model.ones()) c.ones.push_back(std::stoi(v));
    for (const std::string& v : f.model.zeros()) c.zeros.push_back(std::stoi(v));
  } else {
    // A single product is taken as typed, without lists: every combination of the text's
    // variables is a One or a Zero.
    const auto sum = testing::ParseSum(f.model.functionText);
    EXPECT_TRUE(sum.has_value()) << c.describe;
    for (int k = 0; sum && k < (1 << c.inputs); ++k) {
      const bool one = testing::Evaluate(*sum, [&](const std::string& name) {
        const auto at = std::find(c.ports.begin(), c.ports.end(), name);
        return ((k >> (c.inputs - 1 - (at - c.ports.begin()))) & 1) != 0;
      });
      (one ? c.ones : c.zeros).push_back(k);
    }
  }
  testing::WriteBytes(dir.File(c.module + ".v"), VerilogText(netlist.netlist));
  testing::WriteBytes(dir.File(c.module + ".blif"), BlifText(netlist.netlist));
  cases.push_back(std::move(c));
  return true;
}

/// One random function per variable count and structure choice, and two dense functions of ten
/// variables for the widest cells (gates of 16 inputs, 16-input multiplexers fed by 16 nodes).
std::vector<ToolCase> WriteRandomCircuits(testing::TempDir& dir) {
  std::mt19937 rng(20270117);
  std::vector<ToolCase> cases;
  auto canonical = [&](testing::SessionFixture& f, int n, bool dense) {
    const Lists l = RandomLists(rng, n, dense);
    f.Canonical(l.ones, l.zeros, l.dontCares);
  };
  for (int n = 1; n <= kMaxVariables; ++n) {
    for (const StructureOptions& options : Choices(n)) {
      testing::SessionFixture f;
      // One function in four is typed as a literal, so its variables are scattered indices.
      if (rng() % 4 == 0)
        f.Literal(RandomLiteral(rng, n));
      else
        canonical(f, n, n <= 6);
      AddCircuit(f, options, dir, cases);
    }
  }
  for (const StructureOptions& options :
       {Options(Structure::kMuxGates, 2, 0, GateFamily::kNand), Options(Structure::kMuxTree, 16)}) {
    testing::SessionFixture f;
    canonical(f, kMaxVariables, true);
    EXPECT_TRUE(AddCircuit(f, options, dir, cases));
  }
  return cases;
}

/// All circuits side by side in one module "circuits", Verilog and BLIF alike: the inputs
/// k[0..9] feed every circuit (circuit i reads the low bits of k, its input j bit inputs-1-j),
/// and circuit i drives the output f[i]. The BLIF file holds the models of all circuits after
/// its own.
void WriteAllCircuits(testing::TempDir& dir, const std::vector<ToolCase>& cases) {
  const std::string last = std::to_string(cases.size() - 1);
  std::string v = "module circuits (input [9:0] k, output [" + last + ":0] f);\n";
  std::string blif = ".model circuits\n.inputs";
  for (int b = 0; b < 10; ++b) blif += " k[" + std::to_string(b) + "]";
  blif += "\n.outputs";
  for (size_t i = 0; i < cases.size(); ++i) blif += " f[" + std::to_string(i) + "]";
  blif += "\n";
  for (size_t i = 0; i < cases.size(); ++i) {
    const ToolCase& c = cases[i];
    v += "  " + c.module + " u" + std::to_string(i) + " (";
    blif += ".subckt " + c.module;
    for (int j = 0; j < c.inputs; ++j) {
      const std::string bit = "k[" + std::to_string(c.inputs - 1 - j) + "]";
      v += "." + c.ports[j] + "(" + bit + "), ";
      blif += " " + c.ports[j] + "=" + bit;
    }
    v += ".F(f[" + std::to_string(i) + "]));\n";
    blif += " F=f[" + std::to_string(i) + "]\n";
  }
  v += "endmodule\n";
  blif += ".end\n";
  for (const ToolCase& c : cases) blif += "\n" + testing::ReadBytes(dir.File(c.module + ".blif"));
  testing::WriteBytes(dir.File("circuits.v"), v);
  testing::WriteBytes(dir.File("circuits.blif"), blif);
}

class NetlistTools : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testing::TempDir;
    cases_ = new std::vector<ToolCase>(WriteRandomCircuits(*dir_));
    WriteAllCircuits(*dir_, *cases_);
  }
  static void TearDownTestSuite() {
    delete cases_;
    delete dir_;
  }
  static std::string File(const std::string& name) { return dir_->File(name); }
  /// The Verilog files: all circuits and every circuit's own.
  static std::vector<std::string> VerilogFiles() {
    std::vector<std::string> files = {File("circuits.v")};
    for (const ToolCase& c : *cases_) files.push_back(File(c.module + ".v"));
    return files;
  }

  static testing::TempDir* dir_;
  static std::vector<ToolCase>* cases_;
};
testing::TempDir* NetlistTools::dir_ = nullptr;
std::vector<ToolCase>* NetlistTools::cases_ = nullptr;

TEST_F(NetlistTools, IcarusSimulationEqualsTheFunctionOnEveryOneAndZero) {
  if (std::string(KESTREL_IVERILOG).empty() || std::string(KESTREL_VVP).empty())
    GTEST_SKIP() << "Icarus Verilog was not found when the tests were built";
  const std::vector<ToolCase>& cases = *cases_;
  ASSERT_GT(cases.size(), 150u);
  // The test bench applies k = 0..1023 and prints f, circuit 0 last.
  testing::WriteBytes(File("tb.v"),
                      "module tb;\n  reg [9:0] k;\n  wire [" + std::to_string(cases.size() - 1) +
                          ":0] f;\n  integer i;\n  circuits all (.k(k), .f(f));\n"
                          "  initial\n    for (i = 0; i < 1024; i = i + 1) begin\n      k = i;\n"
                          "      #1 $display(\"%b\", f);\n    end\nendmodule\n");
  std::vector<std::string> args = {"-g2001", "-Wall", "-o", File("tb.vvp"), File("tb.v")};
  for (const std::string& file : VerilogFiles()) args.push_back(file);
  const testing::CliRun compile = testing::RunProgram(KESTREL_IVERILOG, args);
  ASSERT_EQ(compile.exitCode, 0) << compile.err;
  EXPECT_EQ(compile.err, "");  // -Wall: not one warning
  const testing::CliRun run = testing::RunProgram(KESTREL_VVP, {"-n", File("tb.vvp")});
  ASSERT_EQ(run.exitCode, 0) << run.err;

  std::vector<std::string> lines;
  std::istringstream out(run.out);
  for (std::string line; std::getline(out, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 1024u) << run.out.substr(0, 2000);
  int compared = 0;
  for (size_t i = 0; i < cases.size(); ++i) {
    const ToolCase& c = cases[i];
    const size_t column = cases.size() - 1 - i;
    for (const auto& [list, value] : {std::pair{&c.ones, '1'}, std::pair{&c.zeros, '0'}})
      for (int k : *list) {
        ASSERT_LT(k, 1 << c.inputs) << c.describe;
        ASSERT_EQ(lines[k].size(), cases.size());
        EXPECT_EQ(lines[k][column], value) << c.describe << " at " << k;
        ++compared;
      }
  }
  RecordProperty("circuits", static_cast<int>(cases.size()));
  RecordProperty("comparisons", compared);
}

/// The circuit named by ABC's report of a failed output f[i].
std::string FailedCircuit(const std::string& abcOutput, const std::vector<ToolCase>& cases) {
  const size_t at = abcOutput.find("Output f[");
  if (at == std::string::npos) return "";
  const size_t i = std::stoul(abcOutput.substr(at + 9));
  return i < cases.size() ? cases[i].describe : "";
}

TEST_F(NetlistTools, YosysReadsBothNetlistsAndAbcProvesThemEquivalent) {
  if (std::string(KESTREL_YOSYS).empty() || std::string(KESTREL_YOSYS_ABC).empty())
    GTEST_SKIP() << "Yosys or its ABC was not found when the tests were built";
  const std::vector<ToolCase>& cases = *cases_;
  // Yosys reads the Verilog and the BLIF netlists and writes what it read as flat BLIF; ABC
  // proves the two equivalent, and the Verilog equivalent to the BLIF netlists as ABC reads them.
  std::string verilog;
  for (const std::string& file : VerilogFiles()) verilog += " " + file;
  testing::WriteBytes(File("read.ys"),
                      "read_verilog" + verilog +
                          "\nhierarchy -check -top circuits\nproc\nflatten\ntechmap\nopt_clean\n"
                          "write_blif " +
                          File("from_verilog.blif") + "\ndesign -reset\nread_blif " +
                          File("circuits.blif") +
                          "\nhierarchy -check -top circuits\nflatten\nopt_clean\nwrite_blif " +
                          File("from_blif.blif") + "\n");
  const testing::CliRun yosys = testing::RunProgram(KESTREL_YOSYS, {"-q", "-s", File("read.ys")});
  ASSERT_EQ(yosys.exitCode, 0) << yosys.out << yosys.err;
  EXPECT_EQ(yosys.out + yosys.err, "");  // not one warning

  auto cec = [&](const std::string& blif) {
    return testing::RunProgram(KESTREL_YOSYS_ABC,
                               {"-c", "cec " + File("from_verilog.blif") + " " + File(blif)});
  };
  for (const char* blif : {"from_blif.blif", "circuits.blif"}) {
    const testing::CliRun run = cec(blif);
    EXPECT_NE(run.out.find("Networks are equivalent"), std::string::npos)
        << blif << "\n"
        << FailedCircuit(run.out, cases) << "\n"
        << run.out << run.err;
  }

  // The check fails where a circuit differs: one inverter of the BLIF netlists turned into a
  // buffer.
  std::string broken = testing::ReadBytes(File("circuits.blif"));
  const size_t inverter = broken.find("\n0 1\n");
  ASSERT_NE(inverter, std::string::npos);
  broken[inverter + 1] = '1';
  testing::WriteBytes(File("broken.blif"), broken);
  const testing::CliRun run = cec("broken.blif");
  EXPECT_NE(run.out.find("Networks are NOT EQUIVALENT"), std::string::npos) << run.out;
  EXPECT_NE(FailedCircuit(run.out, cases), "") << run.out;
}

}  // namespace
}  // namespace kestrel
