// kestrel-cli fed hostile command lines: random mixes of every command and option with values a
// script could pass by mistake (huge or negative numbers, empty lists, bytes that are not text,
// unsafe literals, paths to folders, devices and missing folders). Whatever comes in, the program
// answers with exit 0, 1 (refused, with the program's message) or 2 (usage), never crashes, never
// reports an internal error, and writes a picture only where it was asked to.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "support/cli_runner.h"
#include "support/session_fixture.h"

namespace kestrel::testing {
namespace {

std::string Shown(const std::vector<std::string>& args) {
  std::string shown;
  for (const auto& a : args) shown += " '" + (a.size() > 60 ? a.substr(0, 60) + "..." : a) + "'";
  return shown;
}

int ExpectControlledAnswer(const std::vector<std::string>& args) {
  const CliRun run = RunCli(args);
  EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1 || run.exitCode == 2)
      << "exit " << run.exitCode << " for" << Shown(args) << "\n"
      << run.err;
  EXPECT_EQ(run.err.find("internal error"), std::string::npos) << Shown(args) << "\n" << run.err;
  if (run.exitCode == 2) {
    EXPECT_FALSE(run.err.empty()) << Shown(args);
  }
  return run.exitCode;
}

TEST(CliRobustness, HandPickedHostileArguments) {
  TempDir dir;
  const std::string longLiteral = [] {
    std::string s;
    for (int i = 0; i < 3000; ++i) s += "x" + std::to_string(i % 10) + (i % 3 ? "~x1+" : "+");
    return s + "x0";
  }();
  std::string everyNumber;
  for (int v = 0; v < 1024; ++v) everyNumber += (v ? "," : "") + std::to_string(v);
  std::ofstream(dir.File("garbage.kep"), std::ios::binary) << std::string("\0\xff\r\r\n", 5);
  // Pipes stand for devices: nothing may be written into them or put in their place.
  ASSERT_EQ(::mkfifo(dir.File("pipe.png").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(dir.File("pipe.kef").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(dir.File("pipe.v").c_str(), 0600), 0);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"minimize", "--ones", "99999999999999999999999"},
           {"minimize", "--ones", "-1"},
           {"minimize", "--ones", "1e3"},
           {"minimize", "--ones", ",,,"},
           {"minimize", "--ones", ""},
           {"minimize", "--ones", "\xff\xfe\x80"},
           {"minimize", "--ones", everyNumber, "--dont-cares", "0"},
           {"minimize", "--ones", everyNumber + ",1024"},
           {"minimize", "--literal", longLiteral, "--json"},
           {"minimize", "--literal", longLiteral, "--no-minimize"},
           {"minimize", "--literal", "x10+~~x1"},
           {"minimize", "--literal", "%s%n%x"},
           {"realize", "--function", longLiteral, "--structure", "mux-tree", "--mux-size", "2"},
           {"realize", "--function", "x9x0~x9", "--structure", "mux"},
           {"realize", "--function", "+", "--structure", "mux"},
           {"realize", "--ones", "1", "--structure", "mux", "--mux-size", "2147483648"},
           {"realize", "--ones", "1", "--structure", "mux-demux", "--mux-size", "16",
            "--demux-size", "16"},
           {"render", "--ones", "1,2", "--structure", "mux", "-o", dir.path().string()},
           {"render", "--ones", "1,2", "--structure", "mux", "-o", dir.File("pipe.png")},
           {"render", "--ones", "1,2", "--structure", "mux", "-o", dir.File("none/x.png")},
           {"render", "--ones", "1,2", "--structure", "mux", "-o", dir.File("x.txt")},
           {"render", "--ones", "1,2", "--structure", "mux", "-o", dir.File("pipe.v")},
           {"render", "--ones", "1,2", "--structure", "mux", "-o", dir.File("none/x.blif")},
           {"render", "--ones", "1,2", "--structure", "mux", "--what", "project", "-o",
            dir.File("x.v")},
           {"render", "--ones", "1,2", "--structure", "mux", "--zoom", "-17", "-o",
            dir.File("x.png")},
           {"render", "--project", dir.File("garbage.kep"), "-o", dir.File("g.png")},
           {"render", "--project", "/dev/zero", "-o", dir.File("z.png")},
           {"open", dir.path().string()},
           {"open", "/dev/zero"},
           {"open", dir.File("garbage.kep"), "--json"},
           {"save", dir.File("pipe.kef"), "--ones", "1"},
           {"open", dir.File("pipe.kef")},
           {"save", dir.File("missing/f.kef"), "--ones", "1"},
       }) {
    ExpectControlledAnswer(args);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("g.png")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("z.png")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("none")));
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe.png")));
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe.kef")));
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe.v")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.v")));
}

TEST(CliRobustness, RandomCommandLines) {
  TempDir dir;
  std::ofstream(dir.File("f.kef"), std::ios::binary)
      << "KESTREL\r\nDECIMAL\r\n2\r\n1\r\n3\r\n2\r\n0\r\n2\r\n0\r\nMINIMIZED\r\nx0\r\n-\r\n";
  std::ofstream(dir.File("junk.kef"), std::ios::binary) << "KESTREL\r\nDECIMAL\r\n99999\r\n";
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  const std::vector<std::string> commands = {"minimize", "realize", "render",
                                             "open",     "save",    "frobnicate"};
  const std::vector<std::string> options = {"--ones",
                                            "--zeros",
                                            "--dont-cares",
                                            "--literal",
                                            "--no-minimize",
                                            "--function",
                                            "--structure",
                                            "--mux-size",
                                            "--demux-size",
                                            "--gates",
                                            "--json",
                                            "--zoom",
                                            "--what",
                                            "-o",
                                            "--project",
                                            "--help",
                                            "--",
                                            "-"};
  const std::vector<std::string> values = {
      "0",          "1",         "3",         "1023",
      "1024",       "-5",        "2,3,5,7",   "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15",
      "1,1",        "01",        "",          "x2~x0+x1",
      "x9~x8",      "~x0",       "x0~x0",     "x1++x2",
      "x 1",        "mux",       "mux-gates", "demux",
      "mux-tree",   "mux-demux", "nand",      "nor",
      "and-or-not", "cube",      "2",         "4",
      "8",          "16",        "10",        "30",
      "31",         "diagram",   "project",   "\t",
      "\xc3\xa9",   "--ones",    "1e9",       "0x10"};
  const std::vector<std::string> paths = {
      dir.File("out.png"),  dir.File("out.svg"),         dir.File("out.wmf"), dir.File("out.bmp"),
      dir.File("out.jpg"),  dir.File("out.kep"),         dir.File("out.kef"), dir.File("f.kef"),
      dir.File("junk.kef"), dir.File("nowhere/out.png"), dir.path().string(), dir.File("pipe")};
  std::mt19937 rng(20261208);
  auto pick = [&rng](const std::vector<std::string>& from) { return from[rng() % from.size()]; };
  std::map<int, int> exits;
  for (int round = 0; round < 150; ++round) {
    std::vector<std::string> args{pick(commands)};
    const int count = static_cast<int>(rng() % 7);
    for (int i = 0; i < count; ++i) {
      const std::string option = pick(options);
      args.push_back(option);
      if (option == "-o" || option == "--project") {
        args.push_back(pick(paths));
      } else if (rng() % 5) {
        args.push_back(pick(values));
      }
    }
    if (rng() % 3 == 0) args.push_back(pick(paths));
    ++exits[ExpectControlledAnswer(args)];
  }
  // The mix reaches the work itself, not only the option checks.
  EXPECT_GT(exits[0], 5);
  EXPECT_GT(exits[1], 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("nowhere")));
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("pipe")));
}

}  // namespace
}  // namespace kestrel::testing
