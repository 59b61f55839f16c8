// Opens arbitrary bytes as a function file and as a project file. Whatever the file holds, the
// model must stay well formed, and a project that was realized must compute its function.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "engine/realize.h"
#include "session/session.h"
#include "ui/file_dialogs.h"

using namespace kestrel;

namespace {

void CheckModel(const FunctionModel& model) {
  std::set<int> seen;
  for (const auto& list : model.lists)
    for (const auto& entry : list) {
      const int v = EntryValue(entry);
      if (v < 0 || !seen.insert(v).second) abort();
    }
  if (model.ones().size() + model.dontCares().size() > 1024) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/kestrel-fuzz-" + std::to_string(getpid()) + ".kep";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  for (int project = 0; project < 2; ++project) {
    RecordingMessages messages;
    HeadlessProgress progress;
    ScriptedFileDialogs dialogs;
    dialogs.answers.emplace_back(path);
    Session session(messages, progress, &dialogs);
    if (project) {
      session.OpenProject();
      if (session.commandState == CommandState::kRealized) {
        // The circuit of a file that was read agrees with its text and with its own lists.
        const Verification v = VerifyRealization(session.model, session.choice, session.results);
        if (v.mismatches != 0 || (v.lists && v.lists->mismatches != 0)) abort();
      }
    } else {
      session.OpenFunction();
    }
    CheckModel(session.model);
  }
  std::remove(path.c_str());  // leave nothing behind in /tmp
  return 0;
}
