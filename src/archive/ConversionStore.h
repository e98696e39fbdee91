#pragma once
// The archive side of a conversion, as the storing writer reaches it: a small
// interface so storing runs against a recording store in tests.

#include "text/ShipClass.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace skarnwald {

// One row of the Statistik table, as the converter hands it over.
struct StatisticsRowToStore {
    std::string_view coords;
    std::string_view typ;
    std::int32_t sortId;
    ClassCounts values;
};

// The database side of a conversion. Storing calls come only when storing is
// switched on; the asteroid update comes after every stored conversion and
// the personal fleet update when personal statistics are switched on.
class IConversionStore {
public:
    virtual ~IConversionStore() = default;

    // One conversion's database work lies between these two calls.
    virtual void BeginConversion() {}
    virtual void EndConversion() {}

    virtual void StoreBattle(std::string_view dateText, std::string_view coords, std::string_view name) = 0;
    virtual void StoreFleetLine(std::string_view agility, std::string_view count, std::string_view shipType,
                                std::string_view shipName, std::string_view spare, std::string_view coords,
                                std::string_view name, std::int32_t side) = 0;
    virtual void StoreCombatLine(std::string_view weapon, std::string_view deed, std::string_view count,
                                 std::string_view secondCount, std::string_view thirdCount,
                                 std::string_view shipType, std::string_view shipName,
                                 std::string_view targetCoords, std::string_view fleetCoords,
                                 std::string_view targetName) = 0;
    virtual std::int32_t GetCurrentBattleId() const = 0;
    // Closes the battle stored last, after its lines and statistics rows, with
    // the asteroids won and lost in it. True when it equals a battle stored
    // before: it is then not kept, and its figures must not reach the personal
    // record a second time.
    virtual bool EndBattle(std::int32_t /*roidGain*/, std::int32_t /*roidLoss*/) { return false; }
    // The digest of the battle EndBattle closed last, when every row handed
    // over for it went in (so it equals the digest of those rows); nothing
    // otherwise.
    virtual std::optional<std::string> EndedBattleDigest() const { return std::nullopt; }

    // One row of the Statistik table.
    virtual void StoreStatisticsRow(std::int32_t battleId, std::string_view coords, std::string_view typ,
                                    std::int32_t sortId, const ClassCounts& values) = 0;
    // All Statistik rows of a battle, in order; a store may insert them in
    // bulk as long as the outcome is that of one StoreStatisticsRow per row.
    virtual void StoreStatisticsRows(std::int32_t battleId, std::span<const StatisticsRowToStore> rows) {
        for (const StatisticsRowToStore& row : rows)
            StoreStatisticsRow(battleId, row.coords, row.typ, row.sortId, row.values);
    }
    // Remembers that the battle with `digest` reached the personal record;
    // false when it had before, so its figures must not be added again.
    virtual bool CountInRecordOnce(std::string_view /*digest*/) { return true; }
    // Adds the asteroids won and lost in this conversion to the personal record.
    virtual void AddAsteroids(std::int32_t gain, std::int32_t loss) = 0;
    // Adds the own fleet's losses, kills and lamed ships to the personal record.
    virtual void AddPersonalFleet(const ClassCounts& losses, const ClassCounts& destroyed,
                                  const ClassCounts& lamed) = 0;
};

} // namespace skarnwald
