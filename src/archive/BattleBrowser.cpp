#include "archive/BattleBrowser.h"

#include "archive/Query.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <tuple>

namespace skarnwald {

namespace {

constexpr std::string_view kColumnGap = "    ";

// Numbered parameters: 1 search text, 2 first day, 3 last day. The search
// function is the connection's own (Connection.cpp).
constexpr std::string_view kFindBattles =
    "SELECT ID, Datum, Koords, Name FROM Battles WHERE "
    "(?1 = '' OR contains_folded(Koords, ?1) OR contains_folded(Name, ?1) OR ID IN "
    "(SELECT BattleID FROM Agility WHERE contains_folded(Koords, ?1) OR contains_folded(Name, ?1))) "
    "AND (?2 = '' OR substr(Datum, 1, 10) >= ?2) AND (?3 = '' OR substr(Datum, 1, 10) <= ?3) ";

std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view* part = parts.begin(); part != parts.end(); ++part) {
        if (part != parts.begin())
            text += kColumnGap;
        text += *part;
    }
    return text;
}

std::string Bracketed(std::string_view coords) {
    return "[ " + std::string(coords) + " ]";
}

BrowserColour ColourOfSide(std::int32_t kampftyp) {
    switch (kampftyp) {
    case 1:
        return BrowserColour::Green;
    case 0:
        return BrowserColour::Red;
    default:
        return BrowserColour::Blue;
    }
}

std::string Field(const CStatement& row, std::string_view name) {
    return row.ReadField(name, DateStyle::Browser);
}

BrowserItem FleetLineItem(const CStatement& row, std::int32_t battleId) {
    return {Joined({Field(row, "Agility"), Field(row, "Anzahl"), Field(row, "Schiffstyp"),
                    Field(row, "Schiffsname"), Bracketed(Field(row, "Koords")), Field(row, "Name")}),
            ColourOfSide(row.ReadInt("Kampftyp")),
            battleId,
            {}};
}

BrowserItem CombatLineItem(const CStatement& row, std::int32_t battleId) {
    std::string weapon = Field(row, "Waffe");
    std::erase(weapon, '|');
    const std::string coords = Field(row, "Koords");
    return {Joined({weapon, Field(row, "Tat"), Field(row, "Anzahl"), Field(row, "Schiffstyp"),
                    Field(row, "Schiffsname"), coords.empty() ? std::string() : Bracketed(coords),
                    Field(row, "Name")}),
            BrowserColour::Default,
            battleId,
            {}};
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// "1.2.3" as numbers for sorting; coordinates that are not three numbers sort
// after every galaxy, by their text.
std::tuple<bool, int, int, int> CoordsKey(std::string_view coords) {
    int parts[3] = {0, 0, 0};
    const char* at = coords.data();
    const char* end = coords.data() + coords.size();
    for (int i = 0; i < 3; ++i) {
        const auto [next, ec] = std::from_chars(at, end, parts[i]);
        const bool lastPart = i == 2;
        if (ec != std::errc{} || (lastPart ? next != end : (next == end || *next != '.')))
            return {true, 0, 0, 0};
        at = next + (lastPart ? 0 : 1);
    }
    return {false, parts[0], parts[1], parts[2]};
}

std::string_view OrderClause(BattleOrder order) {
    switch (order) {
    case BattleOrder::NewestFirst:
        return "ORDER BY Datum DESC, ID DESC";
    case BattleOrder::OldestFirst:
    case BattleOrder::Coords:
        break;
    }
    return "ORDER BY Datum, ID";
}

} // namespace

std::optional<std::vector<StoredBattle>> FindBattles(CConnection& connection, const BattleFilter& filter) {
    const std::string_view search = Trimmed(filter.search);
    CStatement query(connection, std::string(kFindBattles) + std::string(OrderClause(filter.order)));
    query.Bind({search, std::string_view(filter.from), std::string_view(filter.to)});
    std::vector<StoredBattle> battles;
    while (query.Step())
        battles.push_back({query.ReadInt("ID"), query.ReadStoredText("Datum").value_or(""),
                           query.ReadField("Koords"), query.ReadField("Name")});
    if (query.Failed())
        return std::nullopt;
    if (filter.order == BattleOrder::Coords)
        std::stable_sort(battles.begin(), battles.end(), [](const StoredBattle& a, const StoredBattle& b) {
            return std::tuple(CoordsKey(a.coords), std::string_view(a.coords)) <
                   std::tuple(CoordsKey(b.coords), std::string_view(b.coords));
        });
    return battles;
}

bool AnyBattleStored(CConnection& connection) {
    CStatement any(connection, "SELECT 1 FROM Battles LIMIT 1");
    return any.Step();
}

BrowserItem BattleItemOf(const StoredBattle& battle) {
    return {FormatStoredDate(battle.datum, DateStyle::Browser) + " " + Bracketed(battle.coords) + " " +
                battle.name,
            BrowserColour::Default,
            battle.id,
            {}};
}

std::optional<std::vector<BrowserItem>> LoadFleetLines(CConnection& connection, std::int32_t battleId) {
    std::vector<BrowserItem> items;
    CStatement fleetLines(connection, "SELECT * FROM Agility WHERE BattleID = ? ORDER BY ID");
    CStatement combatLines(connection, "SELECT * FROM Battle_Details WHERE AgilityID = ? ORDER BY ID");
    fleetLines.Bind({std::int64_t{battleId}});
    while (fleetLines.Step()) {
        BrowserItem& fleetLine = items.emplace_back(FleetLineItem(fleetLines, battleId));
        combatLines.Bind({fleetLines.StoredValue("ID")});
        while (combatLines.Step())
            fleetLine.children.push_back(CombatLineItem(combatLines, battleId));
        if (combatLines.Failed())
            return std::nullopt;
    }
    if (fleetLines.Failed())
        return std::nullopt;
    return items;
}

DeleteOutcome DeleteBattle(CConnection& connection, std::int32_t battleId) {
    CTransaction transaction(connection);
    if (!transaction.Active())
        return DeleteOutcome::Failed;
    CStatement exists(connection, "SELECT ID FROM Battles WHERE ID = ?");
    exists.Bind({std::int64_t{battleId}});
    if (!exists.Step())
        return exists.Failed() ? DeleteOutcome::Failed : DeleteOutcome::Unknown;
    for (std::string_view sql :
         {"DELETE FROM Battle_Details WHERE AgilityID IN (SELECT ID FROM Agility WHERE BattleID = ?)",
          "DELETE FROM Agility WHERE BattleID = ?", "DELETE FROM Statistik WHERE BattleID = ?",
          "DELETE FROM BattleDigest WHERE BattleID = ?", "DELETE FROM BattleAsteroids WHERE BattleID = ?",
          "DELETE FROM Battles WHERE ID = ?"})
        if (!RunStatement(connection, sql, {std::int64_t{battleId}}))
            return DeleteOutcome::Failed;
    return transaction.Commit() ? DeleteOutcome::Deleted : DeleteOutcome::Failed;
}

bool DeleteAllBattles(CConnection& connection) {
    // All tables empty together or not at all.
    CTransaction transaction(connection);
    if (!transaction.Active())
        return false;
    constexpr std::string_view kEmptyTables[] = {"DELETE FROM Agility",      "DELETE FROM Battle_Details",
                                                 "DELETE FROM Battles",      "DELETE FROM Statistik",
                                                 "DELETE FROM BattleDigest", "DELETE FROM BattleAsteroids"};
    return RunStatements(connection, kEmptyTables) && transaction.Commit();
}

} // namespace skarnwald
