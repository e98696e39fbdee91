#pragma once
// The archive side of a conversion, as the storing writer reaches it: a small
// interface so storing runs against a recording store in tests.

#include "archive/BattleDigest.h"
#include "text/ShipClass.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace skarnwald {

// The rows a conversion hands to the archive. Each is built on its row's
// identity, so the values stored are the values that make two battles the
// same; a row adds only what is stored but left out of the identity.

// A battle: its date as stored ("YYYY-MM-DD HH:MM:SS", missing when the
// report's was unreadable), coordinates and place.
using BattleToStore = BattleRowIdentity;

// A fleet line and the side its fleet fought on.
struct FleetLineToStore : FleetLineIdentity {
    std::int32_t side = 0;
};

// A combat line. Its identity holds the coordinates of the fleet that fired;
// what it stores is those of the fleet hit, empty for a line that hits none.
struct CombatLineToStore : CombatLineIdentity {
    DigestValue targetCoords;
};

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

    virtual void StoreBattle(const BattleToStore& battle) = 0;
    virtual void StoreFleetLine(const FleetLineToStore& line) = 0;
    virtual void StoreCombatLine(const CombatLineToStore& line) = 0;
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
    virtual void StoreStatisticsRow(std::int32_t battleId, const StatisticsRowToStore& row) = 0;
    // All Statistik rows of a battle, in order; a store may insert them in
    // bulk as long as the outcome is that of one StoreStatisticsRow per row.
    // They come after the battle's lines, right before EndBattle, so the
    // battle's rows are complete here.
    virtual void StoreStatisticsRows(std::int32_t battleId, std::span<const StatisticsRowToStore> rows) {
        for (const StatisticsRowToStore& row : rows)
            StoreStatisticsRow(battleId, row);
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
