#pragma once
// The summary after the converted battles: one table per fleet in name order,
// then the attacking ("ATTER") and defending ("DEFFER") side tables.

#include "reading/ReportSummary.h"
#include "writers/HtmlFragments.h"

#include <string>
#include <string_view>

namespace skarnwald {

// The fleet tables and then the side tables of a summary.
void AppendSummaryTables(std::string& out, const ReportSummary& summary);
// Folds the last battle into the totals, then appends the tables to `out`.
void WriteSummaryTables(std::string& out, FleetTallyTree& tree, const SideList& sides);
void AppendSummaryTable(std::string& out, std::string_view background, std::string_view headingColour,
                        std::string_view title, const SummaryFigures& figures);

// The pieces of a summary table, for pages that build their rows themselves:
// the table start with its heading row, and one value row with its sum cell.
void AppendSummaryHeading(std::string& out, std::string_view background, std::string_view headingColour,
                          std::string_view title);
void AppendValueRow(std::string& out, const html::ValueRowStyle& style, const ClassCounts& values);

} // namespace skarnwald
