#include "structure/structures.h"

namespace kestrel {

std::optional<StructureTab> TabFromIndex(int index) {
  if (index < 0 || index >= kStructureTabCount) return std::nullopt;
  return static_cast<StructureTab>(index);
}

std::optional<Structure> StructureFromCliName(std::string_view name) {
  for (const StructureNames& row : kStructureNames)
    if (name == row.cliName) return row.structure;
  return std::nullopt;
}

std::optional<Structure> StructureFromKeyword(std::string_view keyword) {
  for (const StructureNames& row : kStructureNames)
    if (keyword == row.fileKeyword) return row.structure;
  return std::nullopt;
}

std::optional<GateFamily> GateFamilyFromCliName(std::string_view name) {
  for (const GateFamilyNames& row : kGateFamilyNames)
    if (name == row.cliName) return row.family;
  return std::nullopt;
}

std::optional<GateFamily> GateFamilyFromKeyword(std::string_view keyword) {
  for (const GateFamilyNames& row : kGateFamilyNames)
    if (keyword == row.fileKeyword) return row.family;
  return std::nullopt;
}

}  // namespace kestrel
