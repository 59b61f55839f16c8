#include "explain/report.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "base/limits.h"
#include "explain/explain_texts.h"
#include "explain/karnaugh.h"

namespace kestrel {

namespace {

using Row = std::vector<std::string>;

std::string JoinNumbers(const std::vector<int>& numbers, size_t limit) {
  std::string out;
  for (size_t i = 0; i < numbers.size() && i < limit; ++i)
    out += (i ? ", " : "") + std::to_string(numbers[i]);
  if (numbers.size() > limit) out += ", ... (" + std::to_string(numbers.size()) + " in all)";
  return out;
}

std::string Combination(const Explanation& e, int i) {
  std::string code;
  for (int b = e.variables - 1; b >= 0; --b) code += ((i >> b) & 1) ? '1' : '0';
  return code;
}

std::string NamesRun(const Explanation& e, const char* separator) {
  std::string out;
  for (size_t i = 0; i < e.variableNames.size(); ++i)
    out += (i ? separator : "") + e.variableNames[i];
  return out;
}

bool Mismatch(const Explanation& e, size_t i) {
  return i < e.circuit.size() && e.values[i] != FunctionValue::kDontCare &&
         (e.values[i] == FunctionValue::kOne) != (e.circuit[i] == 1);
}

// The rows of the tables, shared by the text and the HTML.
Row TruthHeader(const Explanation& e) {
  Row h{text::kColumnCombination, NamesRun(e, ""), text::kColumnFunction};
  if (!e.circuit.empty()) h.emplace_back(text::kColumnCircuit);
  return h;
}

Row TruthRow(const Explanation& e, size_t i) {
  Row r{std::to_string(i), Combination(e, static_cast<int>(i)),
        std::string(1, ValueChar(e.values[i]))};
  if (!e.circuit.empty())
    r.push_back(std::to_string(e.circuit[i]) + (Mismatch(e, i) ? text::kMismatchMark : ""));
  return r;
}

Row LevelHeader() {
  return {text::kColumnTerm, text::kColumnMerged, text::kColumnSelected, text::kColumnMinterms};
}

Row LevelRow(const Explanation& e, const LevelImplicant& imp, size_t numberLimit) {
  return {e.TermText(imp), imp.merged ? text::kYes : text::kNo,
          imp.selected ? text::kYes : text::kNo,
          JoinNumbers(e.Minterms(imp.p, imp.n), numberLimit)};
}

std::string LevelTitle(const Explanation& e, size_t k) {
  const auto& level = e.levels[k];
  const auto merged =
      std::count_if(level.begin(), level.end(), [](const auto& x) { return x.merged; });
  const auto selected =
      std::count_if(level.begin(), level.end(), [](const auto& x) { return x.selected; });
  return std::string(text::kLevelWord) + " " + std::to_string(k) + ": " +
         std::to_string(level.size()) + " " + text::kImplicantsWord + " (" +
         std::to_string(merged) + " " + text::kMergedWord + ", " + std::to_string(selected) + " " +
         text::kInCoverWord + ")";
}

Row StepHeader() {
  return {text::kColumnStep, text::kColumnTerm, text::kColumnDecision, text::kColumnOnlyCovers};
}

Row StepRow(const Explanation& e, size_t s, size_t numberLimit) {
  const CoverStep& step = e.coverSteps[s];
  return {std::to_string(s + 1), e.TermText(e.levels[step.level][step.index]),
          step.kept ? text::kKept : text::kDropped, JoinNumbers(step.onlyCovers, numberLimit)};
}

Row InputHeader() {
  return {text::kColumnMultiplexer, text::kColumnInput, text::kColumnAddress, text::kColumnSource,
          text::kColumnLabel};
}

Row InputRow(const DataInputUse& u) {
  return {std::to_string(u.multiplexer), std::to_string(u.input), u.address, SourceText(u),
          u.label};
}

Row OutputHeader() {
  return {text::kColumnOutput, text::kColumnAddress, text::kColumnCollectingGate,
          text::kColumnGoesTo};
}

Row OutputRow(const DemuxOutputUse& u) {
  std::string gate = u.collectingGate == 0 ? "-" : std::to_string(u.collectingGate);
  if (u.collectingGate != 0 && u.gateIsWire) gate += std::string(" (") + text::kWire + ")";
  return {std::to_string(u.output), u.address, gate, DestinationText(u)};
}

std::vector<std::pair<std::string, std::string>> CostLines(const CircuitCost& c) {
  auto bySize = [](int total, const std::array<int, 4>& counts, const char* unit) {
    std::string out = std::to_string(total);
    std::string parts;
    for (int s = 0; s < 4; ++s)
      if (counts[s] > 0)
        parts += (parts.empty() ? "" : ", ") + std::to_string(counts[s]) + " with " +
                 std::to_string(2 << s) + " " + unit;
    return parts.empty() ? out : out + " (" + parts + ")";
  };
  return {{text::kCostMultiplexers, bySize(c.Multiplexers(), c.multiplexers, "data inputs")},
          {text::kCostDemultiplexers, bySize(c.Demultiplexers(), c.demultiplexers, "outputs")},
          {text::kCostGates, std::to_string(c.gates)},
          {text::kCostInverters, std::to_string(c.inverters)},
          {text::kCostGateInputs, std::to_string(c.gateInputs)},
          {text::kCostLevels, std::to_string(c.levels)}};
}

// ---- Plain text ----

void Columns(std::string& out, const Row& header, const std::vector<Row>& rows) {
  std::vector<size_t> width(header.size(), 0);
  auto measure = [&](const Row& r) {
    for (size_t c = 0; c < r.size() && c < width.size(); ++c)
      width[c] = std::max(width[c], r[c].size());
  };
  measure(header);
  for (const Row& r : rows) measure(r);
  auto line = [&](const Row& r) {
    std::string l = " ";
    for (size_t c = 0; c < r.size(); ++c) {
      l += " " + r[c];
      if (c + 1 < r.size()) l += std::string(width[c] - r[c].size(), ' ') + " ";
    }
    l.erase(l.find_last_not_of(' ') + 1);
    out += l + "\n";
  };
  line(header);
  for (const Row& r : rows) line(r);
}

// ---- HTML ----

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void HtmlTable(std::string& out, const char* id, const Row& header, size_t rowCount,
               const std::function<Row(size_t)>& row) {
  out += "<table";
  if (id) out += std::string(" id=\"") + id + "\"";
  out += "><thead><tr>";
  for (const auto& h : header) out += "<th>" + Escape(h) + "</th>";
  out += "</tr></thead><tbody>\n";
  const size_t shown = std::min(rowCount, static_cast<size_t>(kReportRowsPerTable));
  for (size_t i = 0; i < shown; ++i) {
    out += "<tr>";
    for (const auto& cell : row(i)) out += "<td>" + Escape(cell) + "</td>";
    out += "</tr>\n";
  }
  out += "</tbody></table>\n";
  if (rowCount > shown)
    out +=
        "<p class=\"more\">" + std::to_string(rowCount - shown) + " " + text::kMoreRows + "</p>\n";
}

constexpr std::array<const char*, 8> kLoopColours = {"#d62728", "#1f77b4", "#2ca02c", "#ff7f0e",
                                                     "#9467bd", "#8c564b", "#e377c2", "#17becf"};

// The maps marked with the selected products up to 6 variables (as coloured marks in the cells
// each product covers, with a legend); beyond, the values alone.
void HtmlKarnaugh(std::string& out, const Explanation& e) {
  if (e.variables == 0 || e.values.empty()) return;
  const KarnaughLayout k = LayOutKarnaugh(e.variables);
  std::vector<std::pair<uint16_t, uint16_t>> loops;
  if (e.variables <= 6)
    for (auto [level, slot] : e.SelectedInTextOrder())
      loops.emplace_back(e.levels[level][slot].p, e.levels[level][slot].n);
  out += "<h2>" + std::string(text::kKarnaughHeading) + "</h2>\n";
  if (!loops.empty()) {
    out += "<p class=\"legend\">";
    for (size_t l = 0; l < loops.size(); ++l)
      out += std::string("<span class=\"mark\" style=\"background:") +
             kLoopColours[l % kLoopColours.size()] + "\"></span> " +
             Escape(e.TermText(loops[l].first, loops[l].second)) + " &#160; ";
    out += "</p>\n";
  }
  const std::string rowNames = AxisNames(k.rows, e.variableNames);
  const std::string columnNames = AxisNames(k.columns, e.variableNames);
  out += "<table class=\"grid\"><tbody>\n";
  for (int gr = 0; gr < k.gridRows.Size(); ++gr) {
    out += "<tr>";
    for (int gc = 0; gc < k.gridColumns.Size(); ++gc) {
      out += "<td><table class=\"kmap\">";
      if (k.Maps() > 1) {
        std::string label;
        if (!k.gridRows.bits.empty())
          label += AxisNames(k.gridRows, e.variableNames) + " = " + k.gridRows.Code(gr);
        if (!k.gridColumns.bits.empty())
          label += (label.empty() ? "" : ", ") + AxisNames(k.gridColumns, e.variableNames) + " = " +
                   k.gridColumns.Code(gc);
        out += "<caption>" + Escape(label) + "</caption>";
      }
      out += "<tr><th>" + Escape(rowNames) + " \\ " + Escape(columnNames) + "</th>";
      for (int c = 0; c < k.columns.Size(); ++c) out += "<th>" + k.columns.Code(c) + "</th>";
      out += "</tr>";
      for (int r = 0; r < k.rows.Size(); ++r) {
        out += "<tr><th>" + k.rows.Code(r) + "</th>";
        for (int c = 0; c < k.columns.Size(); ++c) {
          const int i = k.Combination(gr, gc, r, c);
          out += "<td title=\"" + std::to_string(i) + "\">" + ValueChar(e.values[i]);
          for (size_t l = 0; l < loops.size(); ++l)
            if (ProductCovers(loops[l].first, loops[l].second, i))
              out += std::string("<span class=\"mark\" style=\"background:") +
                     kLoopColours[l % kLoopColours.size()] + "\"></span>";
          out += "</td>";
        }
        out += "</tr>";
      }
      out += "</table></td>";
    }
    out += "</tr>\n";
  }
  out += "</tbody></table>\n";
}

}  // namespace

const char* InputSourceKey(InputSource source) {
  switch (source) {
    case InputSource::kConstant:
      return "constant";
    case InputSource::kVariable:
      return "variable";
    case InputSource::kComplement:
      return "complement";
    case InputSource::kGate:
      return "gate";
    case InputSource::kMultiplexer:
      return "multiplexer";
    case InputSource::kCollectingGate:
      return "collectingGate";
    case InputSource::kDemuxOutput:
      return "demuxOutput";
    case InputSource::kExpression:
      return "expression";
  }
  return "constant";
}

std::string SourceText(const DataInputUse& use) {
  switch (use.source) {
    case InputSource::kConstant:
      return std::string(text::kSourceConstant) + " " + use.label;
    case InputSource::kVariable:
      return use.label;
    case InputSource::kComplement:
      return use.label + " (" + text::kSourceComplement + ")";
    case InputSource::kGate:
      return std::string(NodeKindName(use.sourceKind)) + " " + std::to_string(use.sourceNumber);
    case InputSource::kMultiplexer:
      return std::string(text::kSourceMultiplexer) + " " + std::to_string(use.sourceNumber);
    case InputSource::kCollectingGate:
      return std::string(text::kSourceCollectingGate) + " " + std::to_string(use.sourceNumber);
    case InputSource::kDemuxOutput:
      return std::string(text::kSourceDemuxOutput) + " " + std::to_string(use.sourceNumber) + " (" +
             text::kSourceComplement + ")";
    case InputSource::kExpression:
      return std::string(text::kSourceExpression) + " " + use.label;
  }
  return use.label;
}

std::string DestinationText(const DemuxOutputUse& use) {
  std::string target = use.multiplexerInput < 0
                           ? std::string(text::kToF)
                           : "multiplexer input " + std::to_string(use.multiplexerInput);
  if (use.collectingGate == 0) return target;
  return std::string(text::kSourceCollectingGate) + " " + std::to_string(use.collectingGate) +
         " -> " + target;
}

std::string CostText(const CircuitCost& cost) {
  std::string out;
  for (const auto& [name, value] : CostLines(cost)) {
    out += "  ";
    out += name;
    out += ": ";
    out += value;
    out += "\n";
  }
  return out;
}

std::string ExplanationText(const Explanation& e) {
  std::string out;
  out += std::string(text::kFunctionHeading) + ": " +
         (e.function.empty() ? text::kNoFunction : e.function) + "\n";
  out += std::string(text::kVariablesHeading) + ": " + std::to_string(e.variables);
  if (e.variables > 0) out += " (" + NamesRun(e, " ") + ")";
  out += "\n";
  if (!e.values.empty()) {
    out += std::string("\n") + text::kTruthTableHeading + "\n";
    std::vector<Row> rows;
    for (size_t i = 0; i < e.values.size(); ++i) rows.push_back(TruthRow(e, i));
    Columns(out, TruthHeader(e), rows);
    if (e.Mismatches() > 0) out += std::string("  ") + text::kMismatchNote + "\n";
  }
  out += std::string("\n") + text::kLevelsHeading + "\n";
  if (!e.minimized) out += std::string("  ") + text::kNotMinimized + "\n";
  for (size_t k = 0; k < e.levels.size(); ++k) {
    out += LevelTitle(e, k) + "\n";
    std::vector<Row> rows;
    for (const auto& imp : e.levels[k]) rows.push_back(LevelRow(e, imp, SIZE_MAX));
    Columns(out, LevelHeader(), rows);
  }
  if (e.minimized) {
    out += std::string("\n") + text::kCoverHeading + "\n";
    std::vector<Row> rows;
    for (size_t s = 0; s < e.coverSteps.size(); ++s) rows.push_back(StepRow(e, s, SIZE_MAX));
    Columns(out, StepHeader(), rows);
  }
  out += std::string("\n") + text::kRealizationHeading;
  if (!e.realization) return out + "\n  " + text::kNotRealized + "\n";
  out += ": " + e.realization->designCaption + "\n";
  if (!e.realization->dataInputs.empty()) {
    std::vector<Row> rows;
    for (const auto& u : e.realization->dataInputs) rows.push_back(InputRow(u));
    Columns(out, InputHeader(), rows);
  }
  if (!e.realization->demuxOutputs.empty()) {
    out += std::string("\n") + text::kDemuxOutputsHeading + "\n";
    std::vector<Row> rows;
    for (const auto& u : e.realization->demuxOutputs) rows.push_back(OutputRow(u));
    Columns(out, OutputHeader(), rows);
  }
  if (e.cost) out += std::string("\n") + text::kCostHeading + "\n" + CostText(*e.cost);
  return out;
}

std::string ExplanationHtml(const Explanation& e, const std::string& diagramSvg) {
  const size_t cell = kReportNumbersPerCell;
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" +
      Escape(text::kReportTitle) +
      "</title>\n<style>\n"
      "body{font-family:sans-serif;margin:2em;color:#222}\n"
      "table{border-collapse:collapse;margin:0.5em 0}\n"
      "th,td{border:1px solid #bbb;padding:2px 8px;text-align:left;vertical-align:top}\n"
      "th{background:#eee}\n"
      ".function{font-family:monospace;font-size:1.2em}\n"
      "table.grid>tbody>tr>td{border:none;padding:4px}\n"
      "table.kmap td{text-align:center;min-width:2.5em;font-family:monospace}\n"
      "table.kmap caption{font-size:0.9em}\n"
      ".mark{display:inline-block;width:0.6em;height:0.6em;margin-left:1px;border-radius:2px}\n"
      ".more{color:#666;font-style:italic}\n"
      "@media print{h2{break-after:avoid}}\n"
      "</style>\n</head>\n<body>\n<h1>" +
      Escape(text::kReportTitle) + "</h1>\n";
  out += "<h2>" + std::string(text::kFunctionHeading) +
         "</h2>\n<p class=\"function\" id=\"function\">F = " +
         Escape(e.function.empty() ? text::kNoFunction : e.function) + "</p>\n";
  out += "<p>" + std::string(text::kVariablesHeading) + ": " + std::to_string(e.variables);
  if (e.variables > 0) out += " (" + Escape(NamesRun(e, ", ")) + ")";
  out += "</p>\n";
  if (!e.values.empty()) {
    out += "<h2>" + std::string(text::kTruthTableHeading) + "</h2>\n";
    HtmlTable(out, "truth-table", TruthHeader(e), e.values.size(),
              [&](size_t i) { return TruthRow(e, i); });
    if (e.Mismatches() > 0) out += "<p>" + Escape(text::kMismatchNote) + "</p>\n";
  }
  HtmlKarnaugh(out, e);
  out += "<h2>" + std::string(text::kLevelsHeading) + "</h2>\n";
  if (!e.minimized) out += "<p>" + Escape(text::kNotMinimized) + "</p>\n";
  for (size_t k = 0; k < e.levels.size(); ++k) {
    out += "<h3>" + Escape(LevelTitle(e, k)) + "</h3>\n";
    const std::string id = "level-" + std::to_string(k);
    HtmlTable(out, id.c_str(), LevelHeader(), e.levels[k].size(),
              [&](size_t j) { return LevelRow(e, e.levels[k][j], cell); });
  }
  if (e.minimized) {
    out += "<h2>" + std::string(text::kCoverHeading) + "</h2>\n";
    HtmlTable(out, "cover-steps", StepHeader(), e.coverSteps.size(),
              [&](size_t s) { return StepRow(e, s, cell); });
  }
  out += "<h2>" + std::string(text::kRealizationHeading) + "</h2>\n";
  if (!e.realization) {
    out += "<p>" + Escape(text::kNotRealized) + "</p>\n";
  } else {
    out += "<p>" + Escape(e.realization->designCaption) + "</p>\n";
    const auto& inputs = e.realization->dataInputs;
    if (!inputs.empty())
      HtmlTable(out, "data-inputs", InputHeader(), inputs.size(),
                [&](size_t i) { return InputRow(inputs[i]); });
    const auto& outputs = e.realization->demuxOutputs;
    if (!outputs.empty()) {
      out += "<h3>" + std::string(text::kDemuxOutputsHeading) + "</h3>\n";
      HtmlTable(out, "demux-outputs", OutputHeader(), outputs.size(),
                [&](size_t i) { return OutputRow(outputs[i]); });
    }
    if (e.cost) {
      out += "<h3>" + std::string(text::kCostHeading) + "</h3>\n<table id=\"cost\"><tbody>\n";
      for (const auto& [name, value] : CostLines(*e.cost))
        out += "<tr><th>" + Escape(name) + "</th><td>" + Escape(value) + "</td></tr>\n";
      out += "</tbody></table>\n";
    }
  }
  if (!diagramSvg.empty()) {
    out += "<h2>" + std::string(text::kDiagramHeading) + "</h2>\n<div class=\"diagram\">\n";
    // The picture's own XML declaration does not belong inside the page.
    const size_t svg = diagramSvg.find("<svg");
    out += svg == std::string::npos ? diagramSvg : diagramSvg.substr(svg);
    out += "\n</div>\n";
  }
  return out + "</body>\n</html>\n";
}

}  // namespace kestrel
