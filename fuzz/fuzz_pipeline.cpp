// The whole pipeline on arbitrary functions: canonical entry, minimization, every structure's
// realization at every size, its drawing, and the circuit check, which must find no mismatch.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "diagram/diagram.h"
#include "diagram/recording_canvas.h"
#include "engine/realize.h"
#include "session/session.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int n = 1 + data[0] % 10;
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  FunctionDefinition& def = session.definition;
  def.OpenCanonical();
  // Two bits per combination: 0 unlisted, 1 One, 2 Zero, 3 Don't care.
  for (int v = 0; v < (1 << n); ++v) {
    const size_t byte = 1 + static_cast<size_t>(v) / 4;
    const int code = byte < size ? (data[byte] >> (2 * (v % 4))) & 3 : 0;
    if (code) def.Add(std::to_string(v), kListKinds[code - 1]);
  }
  def.Ok();
  const std::string text = session.model.functionText;
  const int vars = CountVariables(text);
  if (vars == 0) return 0;
  for (const StructureNames& structure : kStructureNames) {
    for (int family = 0; family < (structure.useGates ? 3 : 1); ++family) {
      for (int index = 0; index < 4; ++index) {
        StructureChoice& c = session.choice;
        c = StructureChoice{};
        c.tab = structure.tab;
        c.SetUseGates(structure.useGates);
        c.radioGates = static_cast<GateFamily>(family);
        c.radioMuxSize = c.radioMuxMT = c.radioDmux = index;
        if (structure.tab == StructureTab::kMuxDemux) {
          if (vars < 2 || vars > 8 || index + 1 >= vars || vars - index - 1 > 4) continue;
          c.SelectMdMux(index);
          c.SelectMdDmux(vars - index - 2);
        }
        const RealizeResult r = Realize(text, c, session.table, session.results, messages, session);
        if (r.outcome != RealizeOutcome::kRealized) continue;
        if (VerifyRealization(text, c, session.results).mismatches != 0) abort();
        RecordingCanvas canvas;
        const int zoom = 10 + (data[size - 1] + index) % 21;
        const PictureSize picture = Redraw(session.results, c, zoom, canvas);
        if (picture.width <= 0 || picture.height <= 0) abort();
      }
    }
  }
  return 0;
}
