#include "writers/SummaryTables.h"

#include "text/TextRules.h"
#include "writers/HtmlFragments.h"

namespace skarnwald {

namespace {

void AppendHeadingCell(std::string& out, std::string_view open, std::string_view colour) {
    out += open;
    out += colour;
    out += html::kHeadingSize;
}

} // namespace

void AppendValueRow(std::string& out, const html::ValueRowStyle& style, const ClassCounts& values) {
    out += html::kValueRowStart;
    out += style.labelCell;
    std::int32_t sum = 0;
    for (std::int32_t value : values) {
        out += style.valueCellOpen;
        AppendInt(out, value);
        out += html::kCellClose;
        sum = WrapAdd(sum, value);
    }
    out += html::kSumCellOpen;
    AppendInt(out, sum);
    out += html::kValueRowEnd;
}

void AppendSummaryHeading(std::string& out, std::string_view background, std::string_view headingColour,
                          std::string_view title) {
    out += html::kSummaryTableStart;
    out += background;
    out += html::kHeadingRowOpen;
    AppendHeadingCell(out, html::kTitleCellOpen, headingColour);
    AppendEscaped(out, title);
    out += html::kCellClose;
    for (std::string_view heading : kSummaryHeadings) {
        AppendHeadingCell(out, html::kClassHeadingOpen, headingColour);
        out += heading;
        out += html::kCellClose;
    }
    AppendHeadingCell(out, html::kClassHeadingOpen, headingColour);
    out += html::kSumHeading;
    out += html::kCellClose;
    out += html::kHeadingRowEnd;
}

void AppendSummaryTable(std::string& out, std::string_view background, std::string_view headingColour,
                        std::string_view title, const SummaryFigures& figures) {
    AppendSummaryHeading(out, background, headingColour, title);
    ClassCounts rest{};
    for (int k = 0; k < kShipClassCount; ++k)
        rest[k] = WrapSub(figures.ships[k], figures.losses[k]);
    AppendValueRow(out, html::kTotalRow, figures.ships);
    AppendValueRow(out, html::kLamedRow, figures.lamed);
    AppendValueRow(out, html::kDestroyedRow, figures.destroyed);
    AppendValueRow(out, html::kLossesRow, figures.losses);
    AppendValueRow(out, html::kRestRow, rest);
    out += html::kSummaryTableEnd;
}

void AppendSummaryTables(std::string& out, const ReportSummary& summary) {
    std::string title;
    for (const FleetSummary& fleet : summary.fleets) {
        const auto side = fleet.side;
        out += html::kFleetTableGap;
        const bool defending = side == kDefendingSide;
        const std::string_view background = !side       ? html::kNoSideBackground
                                            : defending ? html::kDefendingBackground
                                                        : html::kAttackingBackground;
        // The heading cell holds the coordinates, a line feed and the name.
        title.assign(fleet.coords);
        title += '\n';
        title += fleet.name;
        AppendSummaryTable(out, background,
                           defending ? html::kDefendingHeadingColour : html::kOtherHeadingColour, title,
                           fleet.figures);
    }
    const auto& sideTotals = summary.sides;

    out += html::kSideTablesGap;
    AppendSummaryTable(out, html::kAttackingBackground, html::kOtherHeadingColour, html::kAttackingTitle,
                       sideTotals[kAttackingSide]);
    out += html::kFleetTableGap;
    AppendSummaryTable(out, html::kDefendingBackground, html::kDefendingHeadingColour, html::kDefendingTitle,
                       sideTotals[kDefendingSide]);
}

void WriteSummaryTables(std::string& out, FleetTallyTree& tree, const SideList& sides) {
    tree.foldBattle();
    AppendSummaryTables(out, SummarizeReport(tree, sides, nullptr));
}

} // namespace skarnwald
