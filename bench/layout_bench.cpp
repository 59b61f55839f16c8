// Layout time of the largest diagram, the ten-variable parity function realized as a tree of
// 2-input multiplexers (511 multiplexers), in the exact and the clear style at zooms 10, 17 and
// 30. The clear style orders the channels of every column and measures the drawing's extent.
//
//   kestrel_layout_bench      (a Release build: cmake -DCMAKE_BUILD_TYPE=Release)

#include <benchmark/benchmark.h>

#include <string>

#include "diagram/diagram.h"
#include "session/session.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"
#include "ui/progress.h"

namespace {

using kestrel::DiagramStyle;

/// The session with the parity tree realized.
struct ParityTree {
  kestrel::RecordingMessages messages;
  kestrel::HeadlessProgress progress;
  kestrel::ScriptedFileDialogs dialogs;
  kestrel::Session session{messages, progress, &dialogs};

  ParityTree() {
    std::string text;
    for (int v = 0; v < 1024; ++v) {
      if (__builtin_popcount(static_cast<unsigned>(v)) % 2 == 0) continue;
      if (!text.empty()) text += "+";
      for (int bit = 9; bit >= 0; --bit)
        text += ((v >> bit) & 1) != 0 ? "x" + std::to_string(bit) : "~x" + std::to_string(bit);
    }
    session.model.functionText = text;
    kestrel::StructureOptions options;
    options.structure = kestrel::Structure::kMuxTree;
    options.muxSize = 2;
    session.choice.Apply(options);
    session.RealizeCurrent();
  }
};

const ParityTree& Tree() {
  static const ParityTree tree;
  return tree;
}

void BM_LayoutParityTree(benchmark::State& state) {
  const ParityTree& tree = Tree();
  const auto style = static_cast<DiagramStyle>(state.range(0));
  const int zoom = static_cast<int>(state.range(1));
  int nodes = 0;
  for (auto _ : state) {
    const kestrel::Diagram d =
        kestrel::LayoutDiagram(tree.session.results, tree.session.choice, zoom, style);
    nodes = static_cast<int>(d.nodes.size());
    benchmark::DoNotOptimize(d.width);
  }
  state.counters["nodes"] = nodes;
  state.SetLabel(kestrel::DiagramStyleName(style));
}
BENCHMARK(BM_LayoutParityTree)
    ->ArgsProduct({{static_cast<int>(DiagramStyle::kExact), static_cast<int>(DiagramStyle::kClear)},
                   {10, 17, 30}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
