#include "archive/StoringWriter.h"

#include "archive/Query.h"
#include "reading/ReportConverter.h"
#include "text/TextRules.h"

#include <utility>

namespace skarnwald {

CStoringWriter::CStoringWriter(IConversionStore& store, StoringSettings settings)
    : store_(store), settings_(std::move(settings)) {}

void CStoringWriter::BeginReport(const ReportStartEvent& event) {
    active_ = !event.redaction.Any();
    atOwnCoords_ = false;
    ownFleetInBattle_ = false;
    battleInRecord_ = false;
    fleetLineInBattle_ = false;
    roidGain_ = 0;
    roidLoss_ = 0;
    battleStartFigures_ = {};
    alreadyCounted_ = {};
    if (active_)
        store_.BeginConversion();
}

void CStoringWriter::Header(const HeaderEvent& event) {
    const HeaderParts& parts = event.parts;
    atOwnCoords_ = parts.coords == settings_.ownCoords;
    ownFleetInBattle_ = atOwnCoords_;
    if (!StoresBattles() && !KeepsRecord())
        return;
    // An unreadable date is stored as NULL so the battle row still exists for
    // its fleet lines, combat lines and statistics.
    const auto datum = ParseReportDate(parts.date);
    const BattleToStore battle{datum ? DigestValue(*datum) : std::nullopt, parts.coords, parts.place};
    if (StoresBattles())
        store_.StoreBattle(battle);
    if (!KeepsRecord())
        return;
    recordDigest_.Reset();
    recordDigest_.Add(battle);
    battleInRecord_ = true;
    fleetLineInBattle_ = false;
}

void CStoringWriter::NoteCoords(std::string_view coords) {
    ownFleetInBattle_ = ownFleetInBattle_ || coords == settings_.ownCoords;
}

void CStoringWriter::FleetLine(const FleetLineEvent& event) {
    NoteCoords(event.coords);
    const FleetParts& parts = event.parts;
    StoreFleetLine(
        {{parts.agility, parts.count, parts.shipName, parts.shipType, event.coords, event.rawOwner},
         event.side});
}

void CStoringWriter::Hit(const HitEvent& event) {
    if (!event.counted)
        return;
    NoteCoords(event.targetCoords);
    NoteCoords(event.shooterCoords);
    const CombatParts& parts = event.parts;
    const std::string count = IntText(parts.n1);
    StoreCombatLine({{parts.subject, parts.kind == CombatKind::Lamed ? "lamed" : "destroyed", count,
                      parts.classText, parts.shipName, event.shooterCoords, event.rawTargetOwner},
                     event.targetCoords});
}

void CStoringWriter::NoLoss(const NoLossEvent& event) {
    const CombatParts& parts = event.parts;
    const bool causes = parts.kind == CombatKind::Causes;
    // A line that hits no fleet stores empty texts, not NULLs, where a hit
    // names ship and fleet.
    constexpr std::string_view none;
    StoreCombatLine({{parts.subject, causes ? "causes" : "attempt", parts.detail,
                      causes ? "but no ships were taken down" : "but none succeeded", none, none, none},
                     none});
}

void CStoringWriter::StoreFleetLine(const FleetLineToStore& line) {
    if (StoresBattles())
        store_.StoreFleetLine(line);
    if (KeepsRecord() && battleInRecord_) {
        recordDigest_.Add(line);
        fleetLineInBattle_ = true;
    }
}

void CStoringWriter::StoreCombatLine(const CombatLineToStore& line) {
    if (StoresBattles())
        store_.StoreCombatLine(line);
    if (KeepsRecord() && fleetLineInBattle_)
        recordDigest_.Add(line);
}

void CStoringWriter::RoidCapture(const RoidCaptureEvent& event) {
    if (!KeepsRecord())
        return;
    NoteCoords(event.coords);
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
    CloseBattle(event.tallies);
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

void CStoringWriter::CloseBattle(const FleetTallyTree& tallies) {
    if (!StoresBattles() && !KeepsRecord())
        return;
    const PersonalFigures now = PersonalFiguresSoFar(tallies, settings_.ownCoords, roidGain_, roidLoss_);
    PersonalFigures battle = now;
    battle -= battleStartFigures_;
    battleStartFigures_ = now;
    if (StoresBattles())
        store_.EndBattle(battle.roidGain, battle.roidLoss);
    if (KeepsRecord() && !CountBattleInRecord())
        alreadyCounted_ += battle;
}

bool CStoringWriter::CountBattleInRecord() {
    // Lines before the first header belong to no battle and count as ever.
    if (!battleInRecord_)
        return true;
    battleInRecord_ = false;
    // Without the own fleet the battle adds nothing now; it is not
    // remembered, so it counts when converted again with the right Koords.
    if (!std::exchange(ownFleetInBattle_, false))
        return true;
    const std::optional<std::string> stored = StoresBattles() ? store_.EndedBattleDigest() : std::nullopt;
    return store_.CountInRecordOnce(stored ? *stored : recordDigest_.Finish());
}

void CStoringWriter::EndConversion(const FleetTallyTree& tallies) {
    store_.AddAsteroids(WrapSub(roidGain_, alreadyCounted_.roidGain),
                        WrapSub(roidLoss_, alreadyCounted_.roidLoss));
    if (KeepsRecord())
        AddOwnFleetToPersonalRecord(tallies, settings_.ownCoords, store_, alreadyCounted_);
    store_.EndConversion();
}

void AttachStoring(CReportConverter& converter, CStoringWriter& writer) {
    converter.RemoveWriter(&writer);
    if (writer.Settings().Any())
        converter.AddWriter(&writer);
}

} // namespace skarnwald
