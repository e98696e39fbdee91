#include "archive/BattleTimeline.h"

#include "archive/Query.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <limits>

namespace skarnwald {

namespace {

// A sum taken as floating point and held within 64 bits, so counts no report
// can hold (rows of a file made elsewhere) give a large figure rather than an
// overflow error.
std::string Bounded(std::string_view sum, std::string_view name) {
    return "CAST(MAX(MIN(" + std::string(sum) + ", 9.2e18), -9.2e18) AS INTEGER) AS " + std::string(name);
}

// Parameter 1: the own coordinates.
const std::string& BattleFiguresSql() {
    static const std::string sql =
        "SELECT b.ID AS ID, b.Datum AS Datum, " +
        Bounded("(SELECT TOTAL(s.Shuttle) + TOTAL(s.Fighter) + TOTAL(s.Fregatte) + TOTAL(s.Corvette) + "
                "TOTAL(s.StarCruiser) + TOTAL(s.BattleShip) + TOTAL(s.Doomstar) FROM Statistik s WHERE "
                "s.BattleID = b.ID AND s.Typ = 'Verlust' AND s.Koords = ?1)",
                "Lost") +
        ", " +
        // A combat line's fleet line is the fleet that fired.
        Bounded("(SELECT TOTAL(CAST(d.Anzahl AS INTEGER)) FROM Battle_Details d JOIN Agility a ON a.ID = "
                "d.AgilityID WHERE a.BattleID = b.ID AND d.Tat = 'destroyed' AND a.Koords = ?1)",
                "Destroyed") +
        ", " + Bounded("TOTAL(r.Gewinn)", "RoidsWon") + ", " + Bounded("TOTAL(r.Verlust)", "RoidsLost") +
        " FROM Battles b LEFT JOIN BattleAsteroids r ON r.BattleID = b.ID WHERE b.Datum IS NOT NULL GROUP BY "
        "b.ID ORDER BY b.Datum, b.ID";
    return sql;
}

// `into` + `value`, held at the ends of the 64-bit range.
void AddBounded(std::int64_t& into, std::int64_t value) {
    if (__builtin_add_overflow(into, value, &into))
        into =
            value < 0 ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
}

std::int64_t Number(const CStatement& row, std::string_view column) {
    const std::string text = row.ReadField(column);
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::optional<std::chrono::year_month_day> DayOf(std::string_view datum) {
    int parts[3] = {};
    if (datum.size() < 10 || datum[4] != '-' || datum[7] != '-')
        return std::nullopt;
    for (auto [i, at, length] : {std::tuple{0, 0, 4}, std::tuple{1, 5, 2}, std::tuple{2, 8, 2}}) {
        const char* begin = datum.data() + at;
        const auto [end, ec] = std::from_chars(begin, begin + length, parts[i]);
        if (ec != std::errc{} || end != begin + length)
            return std::nullopt;
    }
    const std::chrono::year_month_day day{std::chrono::year{parts[0]},
                                          std::chrono::month{static_cast<unsigned>(parts[1])},
                                          std::chrono::day{static_cast<unsigned>(parts[2])}};
    if (!day.ok())
        return std::nullopt;
    return day;
}

// ISO 8601 week: weeks start on Monday, and week 1 holds the year's first Thursday.
std::string IsoWeek(std::chrono::sys_days day) {
    using namespace std::chrono;
    const weekday wd{day};
    const sys_days thursday = day - days{(wd.iso_encoding() - 1)} + days{3};
    const year_month_day thursdayDate{thursday};
    const sys_days firstOfYear{thursdayDate.year() / January / 1};
    const int week = static_cast<int>((thursday - firstOfYear).count() / 7) + 1;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-W%02d", static_cast<int>(thursdayDate.year()), week);
    return text;
}

} // namespace

std::optional<std::vector<BattleFigures>> LoadBattleFigures(CConnection& connection,
                                                            std::string_view ownCoords) {
    std::vector<BattleFigures> battles;
    CStatement rows(connection, BattleFiguresSql());
    // Without own coordinates no fleet is the user's.
    rows.Bind({ownCoords.empty() ? SqlValue(nullptr) : SqlValue(ownCoords)});
    while (rows.Step())
        battles.push_back({rows.ReadInt("ID"), rows.ReadStoredText("Datum").value_or(""),
                           Number(rows, "Lost"), Number(rows, "Destroyed"), Number(rows, "RoidsWon"),
                           Number(rows, "RoidsLost")});
    if (rows.Failed())
        return std::nullopt;
    return battles;
}

std::optional<std::string> PeriodOf(std::string_view datum, TimelineStep step) {
    const auto day = DayOf(datum);
    if (!day)
        return std::nullopt;
    if (step == TimelineStep::Week)
        return IsoWeek(std::chrono::sys_days{*day});
    return std::string(datum.substr(0, 10));
}

std::vector<TimelinePoint> SumPerPeriod(const std::vector<BattleFigures>& battles, TimelineStep step) {
    std::vector<TimelinePoint> points;
    for (const BattleFigures& battle : battles) {
        const auto period = PeriodOf(battle.datum, step);
        if (!period)
            continue;
        // Battles come in date order, so a period's battles are adjacent.
        if (points.empty() || points.back().period != *period)
            points.push_back({*period});
        TimelinePoint& point = points.back();
        ++point.battles;
        AddBounded(point.shipsLost, battle.shipsLost);
        AddBounded(point.shipsDestroyed, battle.shipsDestroyed);
        AddBounded(point.roidsWon, battle.roidsWon);
        AddBounded(point.roidsLost, battle.roidsLost);
    }
    return points;
}

} // namespace skarnwald
