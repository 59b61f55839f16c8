// Whole pictures as display lists, compared with the files under tests/data/diagram. After an
// intended change of the drawing, tests/data/diagram/update_golden.sh rewrites them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "diagram/diagram.h"
#include "diagram/recording_canvas.h"
#include "diagram/text_block.h"
#include "tests/core/diagram/diagram_test_support.h"

namespace kestrel {
namespace {

using testing::Options;

struct GoldenCase {
  const char* name;
  const char* text;
  StructureOptions options;
  int zoom;
  bool project = false;
  int assign = -1;  ///< the live circuit's combination drawn over the diagram; -1: none
  DiagramStyle style = DiagramStyle::kExact;
};

const GoldenCase kCases[] = {
    {"mux2_z17", "x1x0+~x1~x0", Options(Structure::kMux, 2), 17},
    {"mux4_z17", "x2x1+~x2~x0+x3", Options(Structure::kMux, 4), 17},
    {"tree_z13", "x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2), 13},
    {"nand_z17", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3",
     Options(Structure::kMuxGates, 2, 0, GateFamily::kNand), 17},
    {"nor_z21", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3",
     Options(Structure::kMuxGates, 2, 0, GateFamily::kNor), 21},
    {"andornot_z10", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3",
     Options(Structure::kMuxGates, 4, 0, GateFamily::kAndOrNot), 10},
    {"demux16_z17", "x2x1+~x2~x0+x3x0", Options(Structure::kDemux, 0, 16), 17},
    {"demux4_single_z12", "x1x0", Options(Structure::kDemux, 0, 4), 12},
    {"muxdemux_z17", "x6~x3x2~x1+x5x4x0", Options(Structure::kMuxDemux, 8, 16), 17},
    {"muxdemux_d2_z30", "x9x6x5+x6x5+x0+x9~x6~x5", Options(Structure::kMuxDemux, 8, 2), 30},
    {"tree4_crowded_z10", testing::kCrowdedTreeText, Options(Structure::kMuxTree, 4), 10},
    {"mux2_z10", "x1x0+~x1~x0", Options(Structure::kMux, 2), 10},
    {"mux16_z10", "x4x3~x1+~x4x2x0+x3~x2~x0", Options(Structure::kMux, 16), 10},
    {"demux2_z10", "x0", Options(Structure::kDemux, 0, 2), 10},
    {"muxdemux_z10", "x3~x2~x1+x4x2x0+~x3x1", Options(Structure::kMuxDemux, 4, 8), 10},
    {"project_tree_z17", "x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2), 17, true},
    // The live circuit over a few small circuits.
    {"live_tree_z17", "x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2), 17, false, 14},
    {"live_nand_z17", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3",
     Options(Structure::kMuxGates, 2, 0, GateFamily::kNand), 17, false, 19},
    {"live_demux8_z13", "x2x1+~x2~x0", Options(Structure::kDemux, 0, 8), 13, false, 6},
    {"live_muxdemux_z17", "x6~x3x2~x1+x5x4x0", Options(Structure::kMuxDemux, 8, 16), 17, false,
     0b1001110},
    // The clear style.
    {"clear_mux16_z10", "x4x3~x1+~x4x2x0+x3~x2~x0", Options(Structure::kMux, 16), 10, false, -1,
     DiagramStyle::kClear},
    {"clear_nand_z17", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3",
     Options(Structure::kMuxGates, 2, 0, GateFamily::kNand), 17, false, -1, DiagramStyle::kClear},
    {"clear_tree_z30", "x3x2x1+~x3~x2~x1", Options(Structure::kMuxTree, 2), 30, false, -1,
     DiagramStyle::kClear},
    {"clear_demux16_z17", "x2x1+~x2~x0+x3x0", Options(Structure::kDemux, 0, 16), 17, false, -1,
     DiagramStyle::kClear},
    {"clear_muxdemux_z13", "x6~x3x2~x1+x5x4x0", Options(Structure::kMuxDemux, 8, 16), 13, false, -1,
     DiagramStyle::kClear},
    {"clear_live_nor_z23", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3",
     Options(Structure::kMuxGates, 2, 0, GateFamily::kNor), 23, false, 19, DiagramStyle::kClear},
};

std::string GoldenDir() {
  if (const char* dir = std::getenv("KESTREL_GOLDEN_DIR")) return dir;
  return std::string(KESTREL_TEST_DATA) + "/diagram";
}

std::string Render(const GoldenCase& k) {
  testing::Realized r;
  EXPECT_TRUE(r.Run(k.text, k.options)) << k.name;
  Diagram d = LayoutDiagram(r.session.results, r.session.choice, k.zoom, k.style);
  if (k.assign >= 0)
    d.state = StateAt(EvaluateCircuit(r.session.choice, r.session.results),
                      FunctionValuesOf(r.session.model), k.assign);
  RecordingCanvas c;
  std::ostringstream head;
  if (k.project) {
    const ProjectLayout layout =
        LayoutProject(c, d, r.session.model.functionText, r.session.designCaption);
    head << "picture " << layout.width << "x" << layout.height << "\n";
    DrawProject(c, layout, d, r.session.model.functionText, r.session.designCaption);
  } else {
    head << "picture " << d.width << "x" << d.height << "\n";
    DrawDiagram(d, c);
  }
  return head.str() + c.Text();
}

void PrintTo(const GoldenCase& k, std::ostream* out) {
  *out << k.name;
}

/// Each golden picture is a test case of its own, named after its file.
class DiagramGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(DiagramGolden, DisplayListMatchesItsFile) {
  const GoldenCase& k = GetParam();
  const std::string actual = Render(k);
  const std::string path = GoldenDir() + "/" + k.name + ".txt";
  if (std::getenv("KESTREL_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << path << " (run tests/data/diagram/update_golden.sh)";
  std::stringstream expected;
  expected << in.rdbuf();
  if (expected.str() == actual) return;
  // Report the first line that differs.
  std::istringstream a(actual), e(expected.str());
  std::string la, le;
  int line = 0;
  while (true) {
    ++line;
    const bool ga = static_cast<bool>(std::getline(a, la));
    const bool ge = static_cast<bool>(std::getline(e, le));
    if (!ga && !ge) break;
    if (la != le || ga != ge) {
      ADD_FAILURE() << k.name << " line " << line << ": expected \"" << le << "\", drawn \"" << la
                    << "\"";
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, DiagramGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace kestrel
