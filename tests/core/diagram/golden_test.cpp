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

struct GoldenCase {
  const char* name;
  const char* text;
  int tab, gates, index, second, zoom;
  bool project = false;
};

const GoldenCase kCases[] = {
    {"mux2_z17", "x1x0+~x1~x0", kTabMux, 0, 0, -1, 17},
    {"mux4_z17", "x2x1+~x2~x0+x3", kTabMux, 0, 1, -1, 17},
    {"tree_z13", "x3x2x1+~x3~x2~x1", kTabMuxTree, 0, 0, -1, 13},
    {"nand_z17", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3", kTabMux, 1, 0, -1, 17},
    {"nor_z21", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3", kTabMux, 2, 0, -1, 21},
    {"andornot_z10", "x3x2x1+~x3~x2~x1+x0x1~x2+x4~x3", kTabMux, 3, 1, -1, 10},
    {"demux16_z17", "x2x1+~x2~x0+x3x0", kTabDemux, 0, 3, -1, 17},
    {"demux4_single_z12", "x1x0", kTabDemux, 0, 1, -1, 12},
    {"muxdemux_z17", "x6~x3x2~x1+x5x4x0", kTabMuxDemux, 0, 2, 3, 17},
    {"muxdemux_d2_z30", "x9x6x5+x6x5+x0+x9~x6~x5", kTabMuxDemux, 0, 2, 0, 30},
    {"project_tree_z17", "x3x2x1+~x3~x2~x1", kTabMuxTree, 0, 0, -1, 17, true},
};

std::string GoldenDir() {
  if (const char* dir = std::getenv("KESTREL_GOLDEN_DIR")) return dir;
  return std::string(KESTREL_TEST_DATA) + "/diagram";
}

std::string Render(const GoldenCase& k) {
  testing::Realized r;
  EXPECT_TRUE(r.Run(k.text, k.tab, k.gates, k.index, k.second)) << k.name;
  const Diagram d = LayoutDiagram(r.session.results, r.session.choice, k.zoom);
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

TEST(DiagramGolden, DisplayListsMatchTheirFiles) {
  const bool update = std::getenv("KESTREL_UPDATE_GOLDEN") != nullptr;
  for (const GoldenCase& k : kCases) {
    const std::string actual = Render(k);
    const std::string path = GoldenDir() + "/" + k.name + ".txt";
    if (update) {
      std::ofstream(path, std::ios::binary) << actual;
      continue;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing " << path << " (run tests/data/diagram/update_golden.sh)";
    std::stringstream expected;
    expected << in.rdbuf();
    if (expected.str() == actual) continue;
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
}

}  // namespace
}  // namespace kestrel
