#include "writers/SummaryTables.h"

#include "text/Catalog.h"
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

PerClass<std::string> ClassHeadings() {
    const CCatalog& texts = CoreTexts();
    return {std::string(texts.Text("class.shuttle")),     std::string(texts.Text("class.fighter")),
            std::string(texts.Text("class.frigate")),     std::string(texts.Text("class.corvette")),
            std::string(texts.Text("class.starcruiser")), std::string(texts.Text("class.battleship")),
            std::string(texts.Text("class.doomstar"))};
}

SummaryWords CurrentSummaryWords() {
    const CCatalog& texts = CoreTexts();
    return {ClassHeadings(),
            std::string(texts.Text("summary.sum")),
            std::string(texts.Text("summary.attackers")),
            std::string(texts.Text("summary.defenders")),
            std::string(texts.Text("summary.total")),
            std::string(texts.Text("summary.losses")),
            std::string(texts.Text("summary.remaining"))};
}

void AppendValueRow(std::string& out, const html::ValueRowStyle& style, std::string_view label,
                    const ClassCounts& values) {
    out += html::kValueRowStart;
    out += style.labelCellOpen;
    AppendEscaped(out, label);
    out += html::kCellClose;
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

void AppendSummaryHeading(std::string& out, const SummaryWords& words, std::string_view background,
                          std::string_view headingColour, std::string_view title) {
    out += html::kSummaryTableStart;
    out += background;
    out += html::kHeadingRowOpen;
    AppendHeadingCell(out, html::kTitleCellOpen, headingColour);
    AppendEscaped(out, title);
    out += html::kCellClose;
    for (const std::string& heading : words.classes) {
        AppendHeadingCell(out, html::kClassHeadingOpen, headingColour);
        AppendEscaped(out, heading);
        out += html::kCellClose;
    }
    AppendHeadingCell(out, html::kClassHeadingOpen, headingColour);
    AppendEscaped(out, words.sum);
    out += html::kCellClose;
    out += html::kHeadingRowEnd;
}

void AppendSummaryTable(std::string& out, const SummaryWords& words, std::string_view background,
                        std::string_view headingColour, std::string_view title,
                        const SummaryFigures& figures) {
    AppendSummaryHeading(out, words, background, headingColour, title);
    ClassCounts rest{};
    for (int k = 0; k < kShipClassCount; ++k)
        rest[k] = WrapSub(figures.ships[k], figures.losses[k]);
    AppendValueRow(out, html::kTotalRow, words.total, figures.ships);
    AppendValueRow(out, html::kLamedRow, html::kLamedLabel, figures.lamed);
    AppendValueRow(out, html::kDestroyedRow, html::kDestroyedLabel, figures.destroyed);
    AppendValueRow(out, html::kLossesRow, words.losses, figures.losses);
    AppendValueRow(out, html::kRestRow, words.remaining, rest);
    out += html::kSummaryTableEnd;
}

void AppendSummaryTables(std::string& out, const ReportSummary& summary) {
    const SummaryWords words = CurrentSummaryWords();
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
        AppendSummaryTable(out, words, background,
                           defending ? html::kDefendingHeadingColour : html::kOtherHeadingColour, title,
                           fleet.figures);
    }
    const auto& sideTotals = summary.sides;

    out += html::kSideTablesGap;
    AppendSummaryTable(out, words, html::kAttackingBackground, html::kOtherHeadingColour, words.attackers,
                       sideTotals[kAttackingSide]);
    out += html::kFleetTableGap;
    AppendSummaryTable(out, words, html::kDefendingBackground, html::kDefendingHeadingColour, words.defenders,
                       sideTotals[kDefendingSide]);
}

void WriteSummaryTables(std::string& out, FleetTallyTree& tree, const SideList& sides) {
    tree.foldBattle();
    AppendSummaryTables(out, SummarizeReport(tree, sides, nullptr));
}

} // namespace skarnwald
