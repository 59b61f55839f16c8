#pragma once
// The structures a function can be realized in and the gate families of the gate networks, as
// tables: each row holds every name the choice goes by (the command line's name, the project
// file's keyword, the caption the program shows). A new structure or family is one new enum
// value and one new row; every switch over the enums has no default, so the compiler lists the
// places it touches.

#include <optional>
#include <string_view>

namespace kestrel {

/// The tabs of the design structure dialog, in their order.
enum class StructureTab { kMux = 0, kDemux = 1, kMuxTree = 2, kMuxDemux = 3 };
inline constexpr int kStructureTabCount = 4;

/// What is realized: the Multiplexer tab without and with "use gates", and the other tabs.
enum class Structure { kMux, kMuxGates, kDemux, kMuxTree, kMuxDemux };

/// "NANDs only", "NORs only", "ANDs + ORs + NOTs": the radio index of the dialog's gate family.
enum class GateFamily { kNand = 0, kNor = 1, kAndOrNot = 2 };

struct StructureNames {
  Structure structure;
  StructureTab tab;
  bool useGates;
  const char* cliName;        ///< kestrel-cli's --structure value
  const char* fileKeyword;    ///< the design section's keyword in a project file
  const char* designCaption;  ///< shown under "Realized in the structure:"
};

// clang-format off
inline constexpr StructureNames kStructureNames[] = {
    {Structure::kMux,      StructureTab::kMux,      false, "mux",       "MUX",       "Multiplexer"},
    {Structure::kMuxGates, StructureTab::kMux,      true,  "mux-gates", "MUX+GATES", "Multiplexer and Gates"},
    {Structure::kDemux,    StructureTab::kDemux,    false, "demux",     "DMUX",      "Demultiplexer"},
    {Structure::kMuxTree,  StructureTab::kMuxTree,  false, "mux-tree",  "MUXTREE",   "Multiplexer Tree"},
    {Structure::kMuxDemux, StructureTab::kMuxDemux, false, "mux-demux", "MUX+DMUX",  "Multiplexer and Demultiplexer"},
};
// clang-format on

struct GateFamilyNames {
  GateFamily family;
  const char* cliName;      ///< kestrel-cli's --gates value
  const char* fileKeyword;  ///< the gate line of a "MUX+GATES" design section
  const char* caption;      ///< the dialog's radio button
};

inline constexpr GateFamilyNames kGateFamilyNames[] = {
    {GateFamily::kNand, "nand", "NAND", "NANDs only"},
    {GateFamily::kNor, "nor", "NOR", "NORs only"},
    {GateFamily::kAndOrNot, "and-or-not", "AND+OR+NOT", "ANDs + ORs + NOTs"},
};

constexpr bool StructureTablesInEnumOrder() {
  for (int i = 0; i < static_cast<int>(std::size(kStructureNames)); ++i)
    if (static_cast<int>(kStructureNames[i].structure) != i) return false;
  for (int i = 0; i < static_cast<int>(std::size(kGateFamilyNames)); ++i)
    if (static_cast<int>(kGateFamilyNames[i].family) != i) return false;
  return true;
}
static_assert(StructureTablesInEnumOrder(), "one row per value, in enum order");

constexpr const StructureNames& NamesOf(Structure s) {
  return kStructureNames[static_cast<int>(s)];
}
constexpr const GateFamilyNames& NamesOf(GateFamily f) {
  return kGateFamilyNames[static_cast<int>(f)];
}

/// The structure of a tab and the "use gates" box (which counts on the Multiplexer tab only).
constexpr Structure StructureOf(StructureTab tab, bool useGates) {
  switch (tab) {
    case StructureTab::kMux:
      return useGates ? Structure::kMuxGates : Structure::kMux;
    case StructureTab::kDemux:
      return Structure::kDemux;
    case StructureTab::kMuxTree:
      return Structure::kMuxTree;
    case StructureTab::kMuxDemux:
      return Structure::kMuxDemux;
  }
  return Structure::kMux;
}

/// The dialog's tab index (0..3) as a tab; nothing for another number.
std::optional<StructureTab> TabFromIndex(int index);
std::optional<Structure> StructureFromCliName(std::string_view name);
std::optional<Structure> StructureFromKeyword(std::string_view keyword);
std::optional<GateFamily> GateFamilyFromCliName(std::string_view name);
std::optional<GateFamily> GateFamilyFromKeyword(std::string_view keyword);

}  // namespace kestrel
