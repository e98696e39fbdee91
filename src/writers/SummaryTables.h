#pragma once
// The summary after the converted battles: one table per fleet in name order,
// then the attacking ("ATTER") and defending ("DEFFER") side tables.

#include "reading/ReportSummary.h"
#include "writers/HtmlFragments.h"

#include <string>
#include <string_view>

namespace skarnwald {

// The ship classes' headings in the core's language, in class order.
PerClass<std::string> ClassHeadings();

// The words of the summary tables in the core's language, looked up once per
// page rather than per table.
struct SummaryWords {
    PerClass<std::string> classes;
    std::string sum, attackers, defenders;
    std::string total, losses, remaining; // labels of the value rows
};
SummaryWords CurrentSummaryWords();

// The fleet tables and then the side tables of a summary.
void AppendSummaryTables(std::string& out, const ReportSummary& summary);
// Folds the last battle into the totals, then appends the tables to `out`.
void WriteSummaryTables(std::string& out, FleetTallyTree& tree, const SideList& sides);
void AppendSummaryTable(std::string& out, const SummaryWords& words, std::string_view background,
                        std::string_view headingColour, std::string_view title,
                        const SummaryFigures& figures);

// The pieces of a summary table, for pages that build their rows themselves:
// the table start with its heading row, and one value row with its sum cell.
void AppendSummaryHeading(std::string& out, const SummaryWords& words, std::string_view background,
                          std::string_view headingColour, std::string_view title);
void AppendValueRow(std::string& out, const html::ValueRowStyle& style, std::string_view label,
                    const ClassCounts& values);

} // namespace skarnwald
