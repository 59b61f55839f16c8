// Feeds arbitrary texts to the literal entry's OK (minimized and not) and checks that an accepted
// function is well formed and, when minimized, equal to the typed sum of products.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "function/function_model.h"
#include "session/session.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  const bool minimize = size > 0 && (data[0] & 1);
  std::string text(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0),
                   size > 0 ? size - 1 : 0);
  RecordingMessages messages;
  HeadlessProgress progress;
  Session session(messages, progress);
  FunctionDefinition& def = session.definition;
  def.OpenLiteral();
  session.model.functionText = text;
  def.minimizeChecked = minimize;
  const bool accepted = def.LiteralOk();
  const std::string& f = session.model.functionText;
  if (accepted && session.model.representationFlag != 2) abort();
  // A text of blanks only is left as typed: there is nothing to check in it.
  const bool blank = f.find_first_not_of(' ') == std::string::npos;
  if (accepted && minimize && !blank && f.find('+') == std::string::npos && f != "1") {
    for (char c : f)
      if (c != 'x' && c != '~' && (c < '0' || c > '9')) abort();
  }
  if (session.model.variableNameCount > 10) abort();
  return 0;
}
