// The page of one stored battle: the converter's page frame, header, fleet and
// combat rows, and one statistics table per fleet, built from stored rows.

#include "archive/StoredBattlePage.h"

#include "archive/Query.h"
#include "text/TextRules.h"
#include "writers/HtmlFragments.h"
#include "writers/SummaryTables.h"

#include <ostream>

namespace skarnwald {

namespace {

void AppendHeader(std::string& page, const StoredBattleHeading& battle) {
    page += html::kPageStart;
    page += html::kTableStart;
    page += html::kHeaderStart;
    page += html::kHeaderDateOpen;
    AppendEscaped(page, battle.date);
    page += html::kHeaderDateClose;
    page += html::kHeaderTitleOpen;
    AppendEscaped(page, battle.coords);
    page += ' ';
    AppendEscaped(page, battle.name);
    page += html::kHeaderTitleClose;
}

void AppendFleetRow(std::string& page, const CStatement& row) {
    page += html::FleetRowStart(row.ReadInt("Kampftyp"));
    AppendEscaped(page, row.ReadField("Agility"));
    page += html::kFleetEmptyCells;
    html::AppendCell(page, html::kCell50, row.ReadField("Anzahl"));
    html::AppendCell(page, html::kCell40, row.ReadField("Schiffstyp"));
    html::AppendCell(page, html::kCell80, row.ReadField("Schiffsname"));
    page += html::kFromCell;
    page += html::kCell60;
    page += html::kStoredFleetCoordsOpen;
    AppendEscaped(page, row.ReadField("Koords"));
    page += html::kStoredCoordsClose;
    page += html::kCellClose;
    html::AppendCell(page, html::kCell150, row.ReadField("Name"));
    page += html::kFleetRowEnd;
}

void AppendHitRow(std::string& page, const CStatement& row, bool lamed) {
    page += html::kHitRowStart;
    AppendEscaped(page, row.ReadField("Waffe"));
    page += html::kCellClose;
    page += lamed ? html::kLamedCell : html::kDestroyedCell;
    html::AppendCell(page, html::kCell50, row.ReadField("Anzahl"));
    html::AppendCell(page, html::kCell40, row.ReadField("Schiffstyp"));
    html::AppendCell(page, html::kCell80, row.ReadField("Schiffsname"));
    page += html::kFromCell;
    page += html::kCell60;
    if (const std::string coords = row.ReadField("Koords"); !coords.empty()) {
        page += html::kStoredHitCoordsOpen;
        AppendEscaped(page, coords);
        page += html::kStoredCoordsClose;
    }
    page += html::kCellClose;
    page += html::kCell150;
    AppendEscaped(page, row.ReadField("Name"));
    page += html::kHitRowEnd;
}

void AppendNoLossRow(std::string& page, const CStatement& row, bool causes) {
    page += html::kNoLossRowStart;
    AppendEscaped(page, row.ReadField("Waffe"));
    page += causes ? html::kCausesCells : html::kAttemptCells;
    AppendEscaped(page, row.ReadField("Anzahl"));
    page += causes ? html::kCausesRowEnd : html::kAttemptRowEnd;
}

void AppendCombatRow(std::string& page, const CStatement& row) {
    const std::string deed = row.ReadField("Tat");
    if (deed == "lamed" || deed == "destroyed")
        AppendHitRow(page, row, deed == "lamed");
    else if (deed == "causes" || deed == "attempt")
        AppendNoLossRow(page, row, deed == "causes");
}

struct ValueRow {
    const html::ValueRowStyle* style;
    std::string_view label;
};

// The value row a statistics row's Typ stands for; no style for a Typ the
// page does not show.
ValueRow ValueRowOf(std::string_view typ, const SummaryWords& words) {
    if (typ == "Gesamt")
        return {&html::kTotalRow, words.total};
    if (typ == "Lamed")
        return {&html::kLamedRow, html::kLamedLabel};
    if (typ == "Destroyed")
        return {&html::kDestroyedRow, html::kDestroyedLabel};
    if (typ == "Verlust")
        return {&html::kLossesRow, words.losses};
    if (typ == "Rest")
        return {&html::kRestRow, words.remaining};
    return {nullptr, {}};
}

void AppendStatisticsRow(std::string& page, const CStatement& row, const SummaryWords& words) {
    const ValueRow valueRow = ValueRowOf(row.ReadField("Typ"), words);
    if (!valueRow.style)
        return;
    ClassCounts counts{};
    for (int k = 0; k < kShipClassCount; ++k)
        counts[k] = row.ReadInt(kPersStatColumns[k]);
    AppendValueRow(page, *valueRow.style, valueRow.label, counts);
}

} // namespace

std::optional<StoredBattleHeading> ReadStoredBattleHeading(CConnection& connection, std::int32_t battleId) {
    CStatement read(connection, "SELECT * FROM Battles WHERE ID = ?");
    read.Bind({std::int64_t{battleId}});
    if (!read.Step())
        return read.Failed() ? std::nullopt : std::optional<StoredBattleHeading>(StoredBattleHeading{});
    return StoredBattleHeading{read.ReadField("Datum", DateStyle::DateTime), read.ReadField("Koords"),
                               read.ReadField("Name")};
}

bool RenderStoredBattle(CConnection& connection, std::ostream& out, std::int32_t battleId) {
    const auto battle = ReadStoredBattleHeading(connection, battleId);
    if (!battle)
        return false;
    const SqlValue id = std::int64_t{battleId};
    std::string page;
    AppendHeader(page, *battle);

    CStatement fleetLines(connection, "SELECT * FROM Agility WHERE BattleID = ? ORDER BY ID");
    CStatement combatLines(connection, "SELECT * FROM Battle_Details WHERE AgilityID = ? ORDER BY ID");
    fleetLines.Bind({id});
    while (fleetLines.Step()) {
        AppendFleetRow(page, fleetLines);
        combatLines.Bind({fleetLines.StoredValue("ID")});
        while (combatLines.Step())
            AppendCombatRow(page, combatLines);
        if (combatLines.Failed())
            return false;
    }
    if (fleetLines.Failed())
        return false;

    CStatement fleets(connection,
                      "SELECT DISTINCT(Koords) FROM Statistik WHERE BattleID = ? ORDER BY Koords");
    CStatement statistics(connection,
                          "SELECT * FROM Statistik WHERE BattleID = ? AND Koords = ? ORDER BY SortierID");
    fleets.Bind({id});
    const SummaryWords words = CurrentSummaryWords();
    while (fleets.Step()) {
        const std::string coords = fleets.ReadField("Koords");
        page += html::kFleetTableGap;
        AppendSummaryHeading(page, words, html::kNoSideBackground, html::kOtherHeadingColour, coords);
        statistics.Bind({id, std::string_view(coords)});
        while (statistics.Step())
            AppendStatisticsRow(page, statistics, words);
        if (statistics.Failed())
            return false;
        page += html::kSummaryTableEnd;
    }
    if (fleets.Failed())
        return false;

    page += html::kTableEnd;
    page += html::kPageEnd;
    out.write(page.data(), static_cast<std::streamsize>(page.size()));
    return static_cast<bool>(out);
}

} // namespace skarnwald
