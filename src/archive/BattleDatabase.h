#pragma once
// Storing converted battles in the archive, as the storing writer hands them
// over through IConversionStore. Reading the settings (SettingsStore.h) and
// rendering a stored battle (StoredBattlePage.h) live beside it.

#include "archive/BattleDigest.h"
#include "archive/Connection.h"
#include "archive/ConversionStore.h"
#include "archive/Query.h"

#include <cstdint>
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

    // IConversionStore: one conversion runs in one transaction.
    void BeginConversion() override;
    void EndConversion() override;
    void StoreBattle(const BattleToStore& battle) override;
    void StoreFleetLine(const FleetLineToStore& line) override;
    void StoreCombatLine(const CombatLineToStore& line) override;
    std::int32_t GetCurrentBattleId() const override { return currentBattleId_; }
    bool EndBattle(std::int32_t roidGain, std::int32_t roidLoss) override;
    std::optional<std::string> EndedBattleDigest() const override { return endedBattleDigest_; }
    // Battles of the running or last conversion left out as already stored.
    int SkippedBattles() const { return skippedBattles_; }
    void StoreStatisticsRow(std::int32_t battleId, const StatisticsRowToStore& row) override;
    void StoreStatisticsRows(std::int32_t battleId, std::span<const StatisticsRowToStore> rows) override;
    bool CountInRecordOnce(std::string_view digest) override;
    void AddAsteroids(std::int32_t gain, std::int32_t loss) override;
    void AddPersonalFleet(const ClassCounts& losses, const ClassCounts& destroyed,
                          const ClassCounts& lamed) override;

private:
    // A combat line kept until its fleet line's lines end, owning its texts.
    struct KeptCombatLine {
        std::optional<std::string> weapon, deed, count, shipType, shipName, fleetCoords, targetOwner,
            targetCoords;
        explicit KeptCombatLine(const CombatLineToStore& line);
        CombatLineToStore Row() const;
    };

    std::optional<std::int32_t> NextId(std::optional<std::int32_t>& last, std::string_view table);
    // Outside a conversion every statement commits on its own; inside one
    // only while its transaction is still open.
    bool CanWrite() const;
    bool IsStoredBefore(const std::string& digest);
    // The running battle's digest and whether a battle with it is stored,
    // worked out once its statistics rows or its end show all its lines in.
    const std::string& BattleDigest();
    bool IsBattleStoredBefore();
    void KeepBattle(const std::string& digest, std::int32_t roidGain, std::int32_t roidLoss);
    bool InsertStatisticsRowsAtOnce(std::int32_t battleId, std::span<const StatisticsRowToStore> rows);
    // Before anything else is written: the combat lines kept so far.
    void StorePendingCombatLines();
    bool InsertPendingCombatLinesAtOnce();
    void InsertCombatLine(const CombatLineToStore& line);

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
    std::optional<std::string> battleDigest_;
    std::optional<bool> storedBefore_;
    std::size_t errorsBeforeBattle_ = 0;
    std::optional<std::string> endedBattleDigest_; // see EndedBattleDigest
    int skippedBattles_ = 0;
    // Combat lines of the current fleet line not yet inserted, and the values
    // of a statement that inserts many rows.
    std::vector<KeptCombatLine> pendingCombatLines_;
    std::vector<SqlValue> rowValues_;
};

// What a user is told after a conversion left battles out as already stored.
std::string SkippedBattlesNote(int skipped);

} // namespace skarnwald
