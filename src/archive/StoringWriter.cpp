#include "archive/StoringWriter.h"

#include "archive/BattleDatabase.h"
#include "reading/ReportConverter.h"
#include "text/TextRules.h"

namespace skarnwald {

CStoringWriter::CStoringWriter(IConversionStore& store, StoringSettings settings)
    : store_(store), settings_(std::move(settings)) {}

void CStoringWriter::BeginReport(const ReportStartEvent& event) {
    active_ = !event.redaction.Any();
    atOwnCoords_ = false;
    roidGain_ = 0;
    roidLoss_ = 0;
    battleStartFigures_ = {};
    alreadyCounted_ = {};
    if (active_)
        store_.BeginConversion();
}

void CStoringWriter::Header(const HeaderEvent& event) {
    atOwnCoords_ = event.parts.coords == settings_.ownCoords;
    if (StoresBattles())
        store_.StoreBattle(event.parts.date, event.parts.coords, event.parts.place);
}

void CStoringWriter::FleetLine(const FleetLineEvent& event) {
    if (StoresBattles())
        store_.StoreFleetLine(event.parts.agility, event.parts.count, event.parts.shipType,
                              event.parts.shipName, {}, event.coords, event.rawOwner, event.side);
}

void CStoringWriter::Hit(const HitEvent& event) {
    if (!StoresBattles() || !event.counted)
        return;
    const CombatParts& parts = event.parts;
    store_.StoreCombatLine(parts.subject, parts.kind == CombatKind::Lamed ? "lamed" : "destroyed",
                           IntText(parts.n1), IntText(parts.n2), IntText(parts.n3), parts.classText,
                           parts.shipName, event.targetCoords, event.shooterCoords, event.rawTargetOwner);
}

void CStoringWriter::NoLoss(const NoLossEvent& event) {
    if (!StoresBattles())
        return;
    const CombatParts& parts = event.parts;
    const bool causes = parts.kind == CombatKind::Causes;
    store_.StoreCombatLine(parts.subject, causes ? "causes" : "attempt", parts.detail, {}, {},
                           causes ? "but no ships were taken down" : "but none succeeded", {}, {}, {}, {});
}

void CStoringWriter::RoidCapture(const RoidCaptureEvent& event) {
    if (!KeepsRecord())
        return;
    if (event.coords == settings_.ownCoords)
        roidGain_ = WrapAdd(roidGain_, event.roids);
    if (atOwnCoords_)
        roidLoss_ = WrapAdd(roidLoss_, event.roids);
}

void CStoringWriter::BattleClose(const BattleCloseEvent& event) {
    if (!active_)
        return;
    if (StoresBattles() && (event.reportEnds || !event.tallies.empty()))
        StoreStatisticsRows(event.tallies);
    CloseStoredBattle(event.tallies);
    if (event.reportEnds)
        EndConversion(event.tallies);
}

void CStoringWriter::StoreStatisticsRows(const FleetTallyTree& tallies) {
    statisticsRows_.clear();
    tallies.visitInOrder([&](const FleetTally& tally) {
        for (const StatisticsRow& row : StatisticsRowsOf(tally))
            statisticsRows_.push_back({tally.coords, row.typ, row.sortId, row.values});
    });
    store_.StoreStatisticsRows(store_.GetCurrentBattleId(), statisticsRows_);
}

void CStoringWriter::CloseStoredBattle(const FleetTallyTree& tallies) {
    if (!StoresBattles())
        return;
    const PersonalFigures now = PersonalFiguresSoFar(tallies, settings_.ownCoords, roidGain_, roidLoss_);
    PersonalFigures battle = now;
    battle -= battleStartFigures_;
    if (store_.EndBattle(battle.roidGain, battle.roidLoss))
        alreadyCounted_ += battle;
    battleStartFigures_ = now;
}

void CStoringWriter::EndConversion(const FleetTallyTree& tallies) {
    store_.AddAsteroids(WrapSub(roidGain_, alreadyCounted_.roidGain),
                        WrapSub(roidLoss_, alreadyCounted_.roidLoss));
    if (KeepsRecord())
        AddOwnFleetToPersonalRecord(tallies, settings_.ownCoords, store_, alreadyCounted_);
    store_.EndConversion();
}

StoringSettings ReadStoringSettings(CBattleDatabase& database) {
    return {database.ReadStoreSetting(), database.ReadPersStatSetting(), database.ReadOwnCoords()};
}

void AttachStoring(CReportConverter& converter, CStoringWriter& writer) {
    converter.RemoveWriter(&writer);
    if (writer.Settings().Any())
        converter.AddWriter(&writer);
}

} // namespace skarnwald
