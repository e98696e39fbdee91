#include "db/BattleBrowser.h"

#include "db/Query.h"

#include <algorithm>
#include <initializer_list>

namespace skarnwald {

namespace {

constexpr std::string_view kColumnGap = "    ";

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

BrowserItem BattleItem(const CStatement& row, std::int32_t battleId) {
    return {Field(row, "Datum") + " " + Bracketed(Field(row, "Koords")) + " " + Field(row, "Name"),
            BrowserColour::Default,
            battleId,
            {}};
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

} // namespace

std::optional<BattleTree> LoadBattleTree(CConnection& connection) {
    BattleTree tree;
    CStatement battles(connection, "SELECT * FROM Battles ORDER BY ID");
    CStatement fleetLines(connection, "SELECT * FROM Agility WHERE BattleID = ? ORDER BY ID");
    CStatement combatLines(connection, "SELECT * FROM Battle_Details WHERE AgilityID = ? ORDER BY ID");
    while (battles.Step()) {
        const std::int32_t battleId = battles.ReadInt("ID");
        BrowserItem& battle = tree.battles.emplace_back(BattleItem(battles, battleId));
        fleetLines.Bind({std::int64_t{battleId}});
        while (fleetLines.Step()) {
            BrowserItem& fleetLine = battle.children.emplace_back(FleetLineItem(fleetLines, battleId));
            tree.selectedBattleId = battleId;
            combatLines.Bind({std::int64_t{fleetLines.ReadInt("ID")}});
            while (combatLines.Step())
                fleetLine.children.push_back(CombatLineItem(combatLines, battleId));
            if (combatLines.Failed())
                return std::nullopt;
        }
        if (fleetLines.Failed())
            return std::nullopt;
    }
    if (battles.Failed())
        return std::nullopt;
    return tree;
}

bool DeleteAllBattles(CConnection& connection) {
    // All four tables empty together or not at all.
    CTransaction transaction(connection);
    if (!transaction.Active())
        return false;
    for (std::string_view sql : {"DELETE FROM Agility", "DELETE FROM Battle_Details", "DELETE FROM Battles",
                                 "DELETE FROM Statistik"})
        if (!RunStatement(connection, sql))
            return false;
    return transaction.Commit();
}

} // namespace skarnwald
