// Feeds arbitrary texts to the canonical entry's number box, as typed or pasted, and checks that
// the lists keep their invariants: decimal texts 0..1023 without leading zeros, ascending, no
// number twice, at most 1024 Ones + Don't cares.

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "function/function_model.h"
#include "session/session.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  FunctionDefinition& def = session.definition;
  def.OpenCanonical();
  // Each line is one entry; its first byte picks the target list.
  std::string entry;
  int target = 0;
  bool first = true;
  auto add = [&]() {
    def.Add(entry, kListKinds[target]);
    entry.clear();
    first = true;
  };
  for (size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\n') {
      add();
    } else if (first) {
      target = static_cast<unsigned char>(c) % 3;
      first = false;
    } else {
      entry += c;
    }
  }
  add();
  std::set<int> seen;
  for (const auto& list : session.model.lists) {
    int last = -1;
    for (const auto& e : list) {
      const int v = EntryValue(e);
      if (v < 0 || std::to_string(v) != e || v <= last || !seen.insert(v).second) abort();
      last = v;
    }
  }
  if (session.model.ones().size() + session.model.dontCares().size() > 1024) abort();
  if (size % 7 == 0) def.Ok();
  return 0;
}
