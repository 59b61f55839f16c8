// kestrel-cli open and save as a user runs them: exact files, what open prints for function and
// project files, refusals with their messages and exit codes, and usage errors.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/cli_json.h"
#include "support/cli_runner.h"
#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

using nlohmann::json;

const std::string kExampleKef =
    "KESTREL\r\nDECIMAL\r\n2\r\n1\r\n3\r\n2\r\n0\r\n2\r\n0\r\nMINIMIZED\r\nx0\r\n-\r\n";

TEST(CliFiles, SaveWritesTheCanonicalExampleByteForByte) {
  TempDir dir;
  const std::string path = dir.File("example.kef");
  const CliRun run = RunCli({"save", path, "--ones", "1,3", "--zeros", "0,2"});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("Saved " + path), std::string::npos);
  EXPECT_EQ(ReadBytes(path), kExampleKef);
}

TEST(CliFiles, OpenAFunctionFilePrintsWhatMinimizePrints) {
  TempDir dir;
  const std::string path = dir.File("example.kef");
  WriteBytes(path, kExampleKef);
  const json j = Parse(RunCli({"open", path, "--json"}));
  EXPECT_EQ(j["function"], "x0");
  EXPECT_EQ(j["representation"], 1);
  EXPECT_EQ(j["ones"], json({"1", "3"}));
  EXPECT_EQ(j["zeros"], json({"0", "2"}));
  EXPECT_EQ(j["commandState"], 1);
  EXPECT_EQ(j["messages"], json::array());
  const CliRun plain = RunCli({"open", path});
  EXPECT_EQ(plain.exitCode, 0);
  EXPECT_NE(plain.out.find("Function: x0"), std::string::npos) << plain.out;
}

TEST(CliFiles, AProjectSavedAndOpenedPrintsWhatRealizePrints) {
  TempDir dir;
  const std::string path = dir.File("tree.kep");
  const std::vector<std::string> inputs = {"--ones",   "1,2,5,7",    "--structure",
                                           "mux-tree", "--mux-size", "4"};
  std::vector<std::string> save = {"save", path};
  save.insert(save.end(), inputs.begin(), inputs.end());
  ASSERT_EQ(RunCli(save).exitCode, 0);
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.substr(bytes.size() - 15), "-\r\nMUXTREE\r\n4\r\n");
  std::vector<std::string> realize = {"realize", "--json"};
  realize.insert(realize.end(), inputs.begin(), inputs.end());
  const CliRun opened = RunCli({"open", path, "--json"});
  EXPECT_EQ(opened.exitCode, 0);
  EXPECT_EQ(Parse(opened), Parse(RunCli(realize)));
}

TEST(CliFiles, ACanonicalFunctionIsVerifiedAgainstItsListsToo) {
  TempDir dir;
  const std::string path = dir.File("example.kep");
  ASSERT_EQ(
      RunCli({"save", path, "--ones", "1,3", "--zeros", "0,2", "--structure", "mux"}).exitCode, 0);
  const json text = {{"combinations", 2}, {"mismatches", 0}};
  json both = text;
  both["lists"] = {{"ones", 2}, {"zeros", 2}, {"mismatches", 0}};
  EXPECT_EQ(Parse(RunCli({"open", path, "--json", "--verify-lists"}))["verification"], both);
  EXPECT_EQ(Parse(RunCli({"realize", "--ones", "1,3", "--zeros", "0,2", "--structure", "mux",
                          "--json", "--verify-lists"}))["verification"],
            both);
  // Without the option the output is what it always was (the lists agree, so nothing is added).
  EXPECT_EQ(Parse(RunCli({"open", path, "--json"}))["verification"], text);
  const CliRun plain = RunCli({"open", path, "--verify-lists"});
  EXPECT_NE(plain.out.find("Verification: 0 mismatches in 2 combinations\n"
                           "Verification against the lists: 0 mismatches in 2 Ones and 2 Zeros\n"),
            std::string::npos)
      << plain.out;
  // A function without lists keeps the text check alone.
  EXPECT_EQ(Parse(RunCli(
                {"realize", "--literal", "x1x0", "--structure", "mux", "--json"}))["verification"],
            (json{{"combinations", 4}, {"mismatches", 0}}));
}

TEST(CliFiles, UpperCaseExtensionsAreTheirLowerCaseForms) {
  TempDir dir;
  const std::vector<std::string> project = {"--ones", "1,2", "--structure", "mux-tree"};
  const std::vector<std::string> function = {"--ones", "1,3", "--zeros", "0,2"};
  const std::pair<const char*, bool> names[] = {{"p.kep", true},  {"P.KEP", true},
                                                {"q.Kep", true},  {"f.kef", false},
                                                {"F.KEF", false}, {"g.kEf", false}};
  for (const auto& [name, isProject] : names) {
    const std::string path = dir.File(name);
    std::vector<std::string> save = {"save", path};
    save.insert(save.end(), isProject ? project.begin() : function.begin(),
                isProject ? project.end() : function.end());
    ASSERT_EQ(RunCli(save).exitCode, 0) << name;
    EXPECT_EQ(ReadBytes(path), ReadBytes(dir.File(isProject ? "p.kep" : "f.kef"))) << name;
    const CliRun opened = RunCli({"open", path, "--json"});
    EXPECT_EQ(opened.exitCode, 0) << name;
    EXPECT_EQ(Parse(opened)["commandState"], isProject ? 2 : 1) << name;
    // The inputs of the other kind of file are a usage error, as for the lower-case name.
    std::vector<std::string> wrong = {"save", path};
    wrong.insert(wrong.end(), isProject ? function.begin() : project.begin(),
                 isProject ? function.end() : project.end());
    EXPECT_EQ(RunCli(wrong).exitCode, 2) << name;
  }
  EXPECT_EQ(ReadBytes(dir.File("F.KEF")), kExampleKef);
}

TEST(CliFiles, EveryStructureRoundTripsThroughAProjectFile) {
  TempDir dir;
  const std::vector<std::vector<std::string>> structures = {
      {"--structure", "mux", "--mux-size", "8"},
      {"--structure", "mux-gates", "--mux-size", "4", "--gates", "nor"},
      {"--structure", "demux", "--demux-size", "16"},
      {"--structure", "mux-tree", "--mux-size", "2"},
      {"--structure", "mux-demux", "--mux-size", "4", "--demux-size", "4"},
  };
  int i = 0;
  for (const auto& structure : structures) {
    const std::string path = dir.File("s" + std::to_string(i++) + ".kep");
    std::vector<std::string> save = {"save", path, "--literal", "x3x2+~x1x0+x3~x0"};
    save.insert(save.end(), structure.begin(), structure.end());
    ASSERT_EQ(RunCli(save).exitCode, 0) << structure[1];
    const json j = Parse(RunCli({"open", path, "--json"}));
    EXPECT_EQ(j["structure"], structure[1]);
    EXPECT_EQ(j["commandState"], 2) << structure[1];
    EXPECT_EQ(j["verification"]["mismatches"], 0) << structure[1];
  }
}

TEST(CliFiles, AnOpenedProjectPrintsItsCircuitInPlainText) {
  struct Case {
    std::vector<std::string> design;
    const char* printed;
  };
  const Case cases[] = {
      {{"--function", "x3x2x1+~x3x0", "--structure", "mux-gates", "--mux-size", "2", "--gates",
        "nand"},
       "Function: x3x2x1+~x3x0\n"
       "Structure: mux-gates, multiplexer size 2\n"
       "Realized in the structure: Multiplexer and Gates\n"
       "Node 1: NAND gate at level 1, output inverted\n"
       "  input 0: \"x2\"\n"
       "  input 1: \"x1\"\n"
       "Node 2: multiplexer at level 0, address inputs x3\n"
       "  input 0: \"x0\"\n"
       "  input 1: node 1\n"
       "Verification: 0 mismatches in 16 combinations\n"},
      {{"--function", "x3x2x1+x3~x2x0+~x3x1", "--structure", "mux-gates", "--mux-size", "2",
        "--gates", "and-or-not"},
       "Function: x3x2x1+x3~x2x0+~x3x1\n"
       "Structure: mux-gates, multiplexer size 2\n"
       "Realized in the structure: Multiplexer and Gates\n"
       "Node 1: AND gate at level 2\n"
       "  input 0: \"x2\"\n"
       "  input 1: \"x1\"\n"
       "Node 2: AND gate at level 2\n"
       "  input 0: \"~x2\"\n"
       "  input 1: \"x0\"\n"
       "Node 3: OR gate at level 1\n"
       "  input 0: node 1\n"
       "  input 1: node 2\n"
       "Node 4: multiplexer at level 0, address inputs x3\n"
       "  input 0: \"x1\"\n"
       "  input 1: node 3\n"
       "Verification: 0 mismatches in 16 combinations\n"},
      {{"--function", "x2x1+~x2x0", "--structure", "demux", "--demux-size", "8"},
       "Function: x2x1+~x2x0\n"
       "Structure: demux, demultiplexer size 8\n"
       "Realized in the structure: Demultiplexer\n"
       "Demultiplexer with 8 outputs, address inputs x2 x1 x0\n"
       "Collecting gate over outputs 1 3 6 7 (F is 1 there)\n"
       "Verification: 0 mismatches in 8 combinations\n"},
      {{"--function", "x2x1+x2x0", "--structure", "mux-demux", "--mux-size", "2", "--demux-size",
        "4"},
       "Function: x2x1+x2x0\n"
       "Structure: mux-demux, multiplexer size 2, demultiplexer size 4\n"
       "Realized in the structure: Multiplexer and Demultiplexer\n"
       "Multiplexer with 2 data inputs, address inputs x2\n"
       "  input 0: \"0\" (0)\n"
       "  input 1: collecting gate 1 (x1+x0)\n"
       "Demultiplexer with 4 outputs, address inputs x1 x0\n"
       "Verification: 0 mismatches in 8 combinations\n"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    std::vector<std::string> save = {"save", dir.File("p.kep")};
    save.insert(save.end(), c.design.begin(), c.design.end());
    ASSERT_EQ(RunCli(save).exitCode, 0) << c.design[3];
    const CliRun run = RunCli({"open", dir.File("p.kep")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, c.printed);
  }
}

TEST(CliFiles, SaveReplacesAnExistingFileWithoutAsking) {
  TempDir dir;
  const std::string path = dir.File("old.kef");
  WriteBytes(path, "previous");
  const CliRun run = RunCli({"save", path, "--literal", "x1x0", "--json"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Parse(run), (json{{"file", path}, {"saved", true}, {"messages", json::array()}}));
  EXPECT_EQ(ReadBytes(path), "KESTREL\r\nLITERAL\r\nx1x0\r\n");
}

TEST(CliFiles, SaveRefusalsExitOneWithTheMessage) {
  TempDir dir;
  {  // a refused entry: nothing is written
    const CliRun run = RunCli({"save", dir.File("r.kef"), "--ones", "1,00"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("Remove zero preciding the number!"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.kef")));
  }
  {  // blank data
    const CliRun run = RunCli({"save", dir.File("b.kef"), "--literal", ""});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("Data to save cannot be blank!   "), std::string::npos);
  }
  {  // a read-only file stays as it was
    const std::string path = dir.File("ro.kep");
    WriteBytes(path, "previous");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    const CliRun run = RunCli({"save", path, "--literal", "x1", "--structure", "mux", "--json"});
    EXPECT_EQ(run.exitCode, 1);
    const json j = Parse(run);
    EXPECT_EQ(j["saved"], false);
    EXPECT_EQ(j["messages"][0]["text"], "File cannot be saved. \n\rFile is read-only!");
    EXPECT_EQ(ReadBytes(path), "previous");
  }
  {  // a folder that does not exist
    const CliRun run = RunCli({"save", dir.File("no/such.kef"), "--literal", "x1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("File saving error!"), std::string::npos);
  }
}

TEST(CliFiles, OpenRefusalsExitOneWithTheFileMessages) {
  TempDir dir;
  {
    const json j = Parse(RunCli({"open", dir.File("missing.kef"), "--json"}));
    EXPECT_EQ(j["messages"][0]["text"], "Cannot open the file!      ");
    EXPECT_EQ(j["messages"][0]["caption"], "Warning!");
    EXPECT_EQ(j["commandState"], 7);
  }
  {
    WriteBytes(dir.File("lower.kep"), "kestrel\r\nLITERAL\r\nx1\r\nMUX\r\n2\r\n");
    const CliRun run = RunCli({"open", dir.File("lower.kep"), "--json"});
    EXPECT_EQ(run.exitCode, 1);
    const json j = Parse(run);
    EXPECT_EQ(j["messages"][0]["text"], "It is not Kestrel file!");
    EXPECT_EQ(j["designCaption"], nullptr);
  }
  {
    WriteBytes(dir.File("bad.kef"), "KESTREL\r\nDECIMAL\r\n2000000000\r\n");
    const CliRun run = RunCli({"open", dir.File("bad.kef")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("Unsupported file type or data is corrupted!"), std::string::npos);
  }
  {  // a minimized text that is not the function of its own lists (Ones 1, 3 but x1)
    WriteBytes(dir.File("altered.kep"),
               "KESTREL\r\nDECIMAL\r\n2\r\n1\r\n3\r\n2\r\n0\r\n2\r\n0\r\nMINIMIZED\r\nx1\r\n-\r\n"
               "MUX\r\n2\r\n");
    const CliRun run = RunCli({"open", dir.File("altered.kep"), "--json"});
    EXPECT_EQ(run.exitCode, 1);
    const json j = Parse(run);
    EXPECT_EQ(j["messages"], json::array({{{"text", "Unsupported file type or data is corrupted!"},
                                           {"caption", "Error"}}}));
    EXPECT_EQ(j["verification"], nullptr);
  }
  {  // a constant function: read, but nothing to realize
    WriteBytes(
        dir.File("one.kep"),
        "KESTREL\r\nDECIMAL\r\n2\r\n0\r\n1\r\n0\r\n0\r\nMINIMIZED\r\n1\r\n-\r\nMUX\r\n2\r\n");
    const CliRun run = RunCli({"open", dir.File("one.kep"), "--json"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(Parse(run)["messages"][0]["text"], "No terms entered!   ");
  }
  {  // no design section
    WriteBytes(dir.File("fn.kep"), "KESTREL\r\nLITERAL\r\nx1\r\n");
    const CliRun run = RunCli({"open", dir.File("fn.kep"), "--json"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(Parse(run)["messages"][0]["text"],
              "The file does not contain project data!\n\rOnly the function definition has been "
              "opened.  ");
  }
}

TEST(CliFiles, UsageErrors) {
  TempDir dir;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"open"},
           {"save"},
           {"save", dir.File("p.kep"), "--ones", "1"},
           {"save", dir.File("f.kef"), "--ones", "1", "--structure", "mux"},
           {"save", dir.File("f.kef"), "--function", "x1"},
           {"save", dir.File("f.kep"), "--function", "x1 + y", "--structure", "mux"},
           {"save", dir.File("f.kep"), "--ones", "1", "--structure", "cube"},
           {"realize", "--function", "x1", "--ones", "1", "--structure", "mux"},
           {"realize", "--function", "x1++x0", "--structure", "mux"},
           {"realize", "--function", "+x1", "--structure", "mux"},
           {"realize", "--function", "x1+", "--structure", "mux"},
           {"realize", "--function", "x1~x1", "--structure", "mux"},
           {"save", dir.File("f.kep"), "--function", "x1++x0", "--structure", "mux"},
       }) {
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.exitCode, 2) << (args.size() > 2 ? args[2] : args[0]);
    EXPECT_FALSE(run.err.empty());
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace kestrel::testing
