// kestrel-cli render with a netlist file: the extension picks Verilog or BLIF, the module is
// named after the file, a project file brings its own circuit, and every refusal has its exit
// code and message with no file left behind.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_runner.h"
#include "support/temp_dir.h"

namespace kestrel::testing {
namespace {

std::vector<std::string> Tree(const std::string& out) {
  return {"render", "--function", "x3x2x1+~x3~x2~x1", "--structure", "mux-tree", "--mux-size", "2",
          "-o",     out};
}

TEST(CliNetlist, TheExtensionPicksVerilogOrBlif) {
  TempDir dir;
  const std::pair<const char*, const char*> files[] = {
      {"tree.v", "// tree: structural Verilog netlist written by Kestrel.\n"},
      {"tree.BLIF", "# tree: BLIF netlist written by Kestrel.\n"}};
  for (const auto& [name, head] : files) {
    const CliRun run = RunCli(Tree(dir.File(name)));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, std::string("Wrote ") + (name[5] == 'v' ? "Verilog" : "BLIF") +
                           " netlist of the module tree to " + dir.File(name) + "\n");
    EXPECT_EQ(ReadBytes(dir.File(name)).rfind(head, 0), 0u) << name;
  }
  EXPECT_NE(
      ReadBytes(dir.File("tree.v")).find("  tree_mux2 mux3 (.a0(x3), .d0(n1), .d1(n2), .y(F));\n"),
      std::string::npos);
}

TEST(CliNetlist, TheModuleIsNamedAfterTheFile) {
  TempDir dir;
  const CliRun run = RunCli(Tree(dir.File("2-bit adder.v")));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("netlist of the module _2_bit_adder to"), std::string::npos);
  const std::string v = ReadBytes(dir.File("2-bit adder.v"));
  EXPECT_NE(v.find("\nmodule _2_bit_adder (\n"), std::string::npos);
  EXPECT_NE(v.find("//   module \"2-bit adder\" is _2_bit_adder\n"), std::string::npos);
}

TEST(CliNetlist, AProjectFileBringsItsCircuitAndVariables) {
  TempDir dir;
  // A literal function minimized over x9 x7 x4 x3 x0, saved with its structure.
  const std::string project = dir.File("p.kep");
  ASSERT_EQ(RunCli({"save", project, "--literal", "x9~x7x3~x0 + x4~x7", "--structure", "mux-tree",
                    "--mux-size", "4"})
                .exitCode,
            0);
  const CliRun tree = RunCli({"render", "--project", project, "-o", dir.File("p.v")});
  EXPECT_EQ(tree.exitCode, 0) << tree.err;
  // Opened from its file, the literal function names the variables of its text.
  EXPECT_NE(ReadBytes(dir.File("p.v")).find("module p (\n  input x9, x7, x4, x3, x0,\n"),
            std::string::npos);
}

TEST(CliNetlist, RefusalsLeaveNoFile) {
  TempDir dir;
  struct Refusal {
    std::vector<std::string> args;
    int exitCode;
    std::string error;
  };
  std::vector<std::string> project = Tree(dir.File("a.v"));
  project.insert(project.end(), {"--what", "project"});
  const Refusal refusals[] = {
      {project, 2,
       "kestrel-cli: --what project draws a picture; a netlist (.v, .blif) holds the circuit "
       "alone\n"},
      {Tree(dir.File("a.vhd")), 2,
       "kestrel-cli: cannot tell the picture format of \"" + dir.File("a.vhd") +
           "\": the file name must end in .svg, .png, .pdf, .wmf, .bmp or .jpg (a picture), or "
           "in .v or .blif (a netlist)\n"},
      {Tree(dir.File("missing/a.blif")), 1, "kestrel-cli: the netlist was not written to "},
      {{"render", "--function", "1", "--structure", "mux", "-o", dir.File("a.v")},
       1,
       "kestrel-cli: nothing was realized, so there is no diagram to render\n"},
  };
  for (const Refusal& r : refusals) {
    const CliRun run = RunCli(r.args);
    EXPECT_EQ(run.exitCode, r.exitCode) << r.error;
    EXPECT_EQ(run.err.rfind(r.error, 0), 0u) << run.err;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace kestrel::testing
