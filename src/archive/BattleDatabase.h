#pragma once
// Storing converted battles, reading the settings and rendering a stored
// battle as a page. The converter reaches it through IConversionStore.

#include "archive/BattleDigest.h"
#include "archive/Connection.h"
#include "archive/ConversionStore.h"
#include "archive/Query.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

class CTransaction;

class CBattleDatabase : public IConversionStore {
public:
    CBattleDatabase();
    ~CBattleDatabase() override;

    void SetConnection(ConnectionPtr connection);
    const ConnectionPtr& Connection() const { return connection_; }

    // The largest value of `column` in `table`, 0 when the table is empty or
    // the query fails (the failure is reported).
    std::int32_t GetMaxId(std::string_view table, std::string_view column);

    // IConversionStore: one conversion runs in one transaction.
    void BeginConversion() override;
    void EndConversion() override;
    void StoreBattle(std::string_view dateText, std::string_view coords, std::string_view name) override;
    void StoreFleetLine(std::string_view agility, std::string_view count, std::string_view shipType,
                        std::string_view shipName, std::string_view spare, std::string_view coords,
                        std::string_view name, std::int32_t side) override;
    void StoreCombatLine(std::string_view weapon, std::string_view deed, std::string_view count,
                         std::string_view secondCount, std::string_view thirdCount, std::string_view shipType,
                         std::string_view shipName, std::string_view targetCoords,
                         std::string_view fleetCoords, std::string_view targetName) override;
    std::int32_t GetCurrentBattleId() const override { return currentBattleId_; }
    bool EndBattle(std::int32_t roidGain, std::int32_t roidLoss) override;
    std::optional<std::string> EndedBattleDigest() const override { return endedBattleDigest_; }
    // Battles of the running or last conversion left out as already stored.
    int SkippedBattles() const { return skippedBattles_; }
    void StoreStatisticsRow(std::int32_t battleId, std::string_view coords, std::string_view typ,
                            std::int32_t sortId, const ClassCounts& values) override;
    void StoreStatisticsRows(std::int32_t battleId, std::span<const StatisticsRowToStore> rows) override;
    bool CountInRecordOnce(std::string_view digest) override;
    void AddAsteroids(std::int32_t gain, std::int32_t loss) override;
    void AddPersonalFleet(const ClassCounts& losses, const ClassCounts& destroyed,
                          const ClassCounts& lamed) override;

    // Settings; a missing row reads as 0 or "".
    std::int32_t ReadStoreSetting();
    std::int32_t ReadPersStatSetting();
    std::string ReadOwnCoords();

    struct BattleRow {
        std::string date; // "%d.%m.%Y %H:%M:%S", "" when unknown
        std::string coords;
        std::string name;
    };
    BattleRow LoadBattleRow(std::int32_t battleId);
    // Writes the page of one stored battle; false when a query failed (reported).
    bool RenderBattle(std::ostream& out, std::int32_t battleId);

private:
    // A combat line's texts: weapon, deed, count, ship type, ship name, the
    // coordinates of the fleet hit (stored), target name, then the firing
    // fleet's coordinates (for the digest only).
    using CombatLineTexts = std::array<std::string, 8>;

    std::optional<std::int32_t> QueryMaxId(std::string_view table, std::string_view column);
    std::optional<std::int32_t> NextId(std::optional<std::int32_t>& last, std::string_view table);
    std::optional<BattleRow> QueryBattleRow(std::int32_t battleId);
    std::string ReadSettingValue(std::string_view name);
    // Outside a conversion every statement commits on its own; inside one
    // only while its transaction is still open.
    bool CanWrite() const;
    bool IsStoredBefore(const std::string& digest);
    void KeepBattle(const std::string& digest, std::int32_t roidGain, std::int32_t roidLoss);
    bool InsertStatisticsRowsAtOnce(std::int32_t battleId, std::span<const StatisticsRowToStore> rows);
    // Before anything else is written: the combat lines kept so far.
    void StorePendingCombatLines();
    bool InsertPendingCombatLinesAtOnce();
    void InsertCombatLine(const CombatLineTexts& line);
    void AddCombatLineToDigest(const CombatLineTexts& line);

    ConnectionPtr connection_;
    std::unique_ptr<CTransaction> transaction_;
    bool inConversion_ = false;
    std::int32_t currentBattleId_ = 0;
    std::int32_t currentFleetLineId_ = 0;
    // The highest fleet line and combat line ids, once read in a conversion.
    std::optional<std::int32_t> lastFleetLineId_;
    std::optional<std::int32_t> lastCombatLineId_;
    // Guards that keep rows from hanging under another conversion's battle or
    // fleet line, or under one whose insert failed.
    bool battleStoredInConversion_ = false;
    bool fleetLineStoredInBattle_ = false;
    // A battle's rows are written under a savepoint until its end shows
    // whether it was stored before; the digest follows every row written.
    bool battleOpen_ = false;
    CBattleDigest digest_;
    std::size_t errorsBeforeBattle_ = 0;
    std::optional<std::string> endedBattleDigest_; // see EndedBattleDigest
    int skippedBattles_ = 0;
    // Combat lines of the current fleet line not yet inserted, and the values
    // of a statement that inserts many rows.
    std::vector<CombatLineTexts> pendingCombatLines_;
    std::vector<SqlValue> rowValues_;
};

// What a user is told after a conversion left battles out as already stored.
std::string SkippedBattlesNote(int skipped);

} // namespace skarnwald
