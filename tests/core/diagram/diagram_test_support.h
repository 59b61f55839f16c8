#pragma once
// Helpers of the diagram tests: hand-built records, realizations of random functions in every
// structure, and a reader of the recording canvas's display list.

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "diagram/diagram.h"
#include "diagram/recording_canvas.h"
#include "engine/realize.h"
#include "function/minimizer.h"
#include "session/session.h"
#include "support/session_fixture.h"

namespace kestrel::testing {

/// A multiplexer node with the given labels; every input shows its label.
inline NodeRecord MuxNode(int addressCount, const std::vector<std::string>& labels,
                          const std::vector<std::string>& addressLabels = {}) {
  NodeRecord n;
  n.kind = NodeKind::kMux;
  n.addressCount = addressCount;
  n.inputCount = static_cast<int>(labels.size());
  for (size_t i = 0; i < labels.size() && i < 16; ++i) n.inputLabels[i] = labels[i];
  for (size_t i = 0; i < addressLabels.size() && i < 4; ++i) n.addressLabels[i] = addressLabels[i];
  return n;
}

/// A realization held by its own session.
struct Realized : SessionFixture {
  bool ok = false;
  /// Realizes the text in the structure of the options (past the dialog).
  bool Run(const std::string& text, const StructureOptions& options) {
    ok = Realize(text, options);
    return ok;
  }
};

/// One structure choice for a random function.
struct Case {
  std::string text;
  StructureOptions options;
  std::string Describe() const {
    std::ostringstream s;
    s << text << " " << NamesOf(options.structure).cliName << " mux " << options.muxSize.value_or(0)
      << " demux " << options.demuxSize.value_or(0) << " gates " << NamesOf(options.gates).cliName;
    return s.str();
  }
};

/// Random minimized functions of 1..maxVars variables, each with a structure choice that the
/// dialog accepts for it, cycling through all structures.
inline std::vector<Case> RandomCases(unsigned seed, int count, int maxVars = 8) {
  std::mt19937 rng(seed);
  std::vector<Case> cases;
  int attempt = 0;
  while (static_cast<int>(cases.size()) < count && attempt < 50 * count) {
    ++attempt;
    const int n = 1 + static_cast<int>(rng() % maxVars);
    const int density = 10 + static_cast<int>(rng() % 80);
    std::vector<int> ones, dcs;
    for (int v = 0; v < (1 << n); ++v) {
      const int r = static_cast<int>(rng() % 100);
      if (r < density)
        ones.push_back(v);
      else if (r < density + 8)
        dcs.push_back(v);
    }
    Case c;
    c.text = MinimizeTerms(ones, dcs, n);
    const int vars = CountVariables(c.text);
    if (vars == 0) continue;
    const int kind = static_cast<int>(cases.size()) % 7;
    auto size = [](int index) { return 2 << index; };
    if (kind == 0) {  // a single multiplexer as large as the function needs
      rng();          // (drawn and unused, so the sequence of cases stays as it was)
      c.options = Options(Structure::kMux, size(std::min(3, vars - 1)));
    } else if (kind <= 3) {  // a multiplexer with each gate family
      c.options = Options(Structure::kMuxGates, size(static_cast<int>(rng() % 4)), 0,
                          static_cast<GateFamily>(kind - 1));
    } else if (kind == 4) {
      if (vars > 4) continue;
      c.options = Options(Structure::kDemux, 0, size(vars - 1));
    } else if (kind == 5) {
      c.options = Options(Structure::kMuxTree, size(static_cast<int>(rng() % 4)));
    } else {
      if (vars < 2 || vars > 8) continue;
      const int lo = std::max(1, vars - 4), hi = std::min(4, vars - 1);
      const int m = lo + static_cast<int>(rng() % (hi - lo + 1));
      c.options = Options(Structure::kMuxDemux, size(m - 1), size(vars - m - 1));
    }
    cases.push_back(c);
  }
  return cases;
}

/// One operation of a display list: its name and all integers on the line, in order.
struct Op {
  std::string name;
  std::vector<int> v;
  std::string text;  ///< the quoted text of a text operation
  std::string line;
};

inline std::vector<Op> ParseOps(const std::vector<std::string>& lines) {
  std::vector<Op> ops;
  for (const std::string& line : lines) {
    Op op;
    op.line = line;
    op.name = line.substr(0, line.find(' '));
    std::string rest = line.substr(op.name.size());
    const size_t quote = rest.find('"');
    if (quote != std::string::npos) {
      op.text = rest.substr(quote + 1, rest.rfind('"') - quote - 1);
      rest.resize(quote);
    }
    std::string number;
    for (size_t i = 0; i <= rest.size(); ++i) {
      const char ch = i < rest.size() ? rest[i] : ' ';
      if ((ch >= '0' && ch <= '9') || (ch == '-' && number.empty())) {
        number += ch;
      } else {
        if (!number.empty() && number != "-") op.v.push_back(std::stoi(number));
        number.clear();
      }
    }
    ops.push_back(op);
  }
  return ops;
}

inline std::vector<Op> OpsNamed(const std::vector<Op>& ops, const std::string& name) {
  std::vector<Op> out;
  for (const Op& op : ops)
    if (op.name == name) out.push_back(op);
  return out;
}

}  // namespace kestrel::testing
