#pragma once
// Storing a conversion: one more writer of the walk. It puts each battle, its
// fleet and combat lines and its Statistik rows into the archive, and the own
// fleet's losses, kills and asteroids into the personal record. The record
// counts each battle once, whether it is stored or not: it remembers the
// digests of the battles it counted. A conversion that hides anything is made
// for sharing and is never stored.

#include "archive/BattleDigest.h"
#include "archive/ConversionStore.h"
#include "archive/PersonalStats.h"
#include "archive/SettingsStore.h"
#include "archive/StatisticsRows.h"
#include "reading/ReportWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skarnwald {

class CReportConverter;

class CStoringWriter : public IReportWriter {
public:
    explicit CStoringWriter(IConversionStore& store, StoringSettings settings = {});

    void SetSettings(StoringSettings settings) { settings_ = std::move(settings); }
    const StoringSettings& Settings() const { return settings_; }

    // Asteroids won and lost by the own fleet so far in this conversion.
    std::int32_t RoidGain() const { return roidGain_; }
    std::int32_t RoidLoss() const { return roidLoss_; }

    void BeginReport(const ReportStartEvent& event) override;
    void Header(const HeaderEvent& event) override;
    void FleetLine(const FleetLineEvent& event) override;
    void Hit(const HitEvent& event) override;
    void NoLoss(const NoLossEvent& event) override;
    void RoidCapture(const RoidCaptureEvent& event) override;
    void BattleClose(const BattleCloseEvent& event) override;

private:
    bool StoresBattles() const { return active_ && settings_.StoresBattles(); }
    bool KeepsRecord() const { return active_ && settings_.KeepsRecord(); }
    void StoreFleetLine(const FleetLineToStore& line);
    void StoreCombatLine(const CombatLineToStore& line);
    void StoreStatisticsRows(const FleetTallyTree& tallies);
    // A battle stored before keeps nothing in the archive; one the record
    // counted before adds nothing to it.
    void CloseBattle(const FleetTallyTree& tallies);
    bool CountBattleInRecord();
    void NoteCoords(std::string_view coords);
    void EndConversion(const FleetTallyTree& tallies);

    IConversionStore& store_;
    StoringSettings settings_;
    // False during a conversion that hides anything.
    bool active_ = true;
    bool atOwnCoords_ = false; // the running battle is at the own planet
    // The own fleet took part in the running battle: only then does the
    // record remember it as counted, so a battle converted with wrong
    // Koords counts once they are right.
    bool ownFleetInBattle_ = false;
    // The running battle's rows as the archive would hold them, for the
    // record's memory; combat lines count from the battle's first fleet line.
    // Hashed only when the store cannot tell the same digest.
    CBattleDigest recordDigest_{true};
    bool battleInRecord_ = false;
    bool fleetLineInBattle_ = false;
    std::int32_t roidGain_ = 0;
    std::int32_t roidLoss_ = 0;
    // The personal figures when the running battle began, and the share of
    // battles the store found already stored, kept out of the record.
    PersonalFigures battleStartFigures_;
    PersonalFigures alreadyCounted_;
    std::vector<StatisticsRowToStore> statisticsRows_; // of the battle being stored
};

// Attaches `writer` to `converter` when its settings store anything, and
// detaches it otherwise.
void AttachStoring(CReportConverter& converter, CStoringWriter& writer);

} // namespace skarnwald
