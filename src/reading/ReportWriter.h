#pragma once
// The outputs of a conversion. The conversion walk reads the report once,
// decides sides and keeps the tallies; it hands what it found to every
// attached writer as typed events, in report order. A writer never reads the
// report text itself.
//
// Every name and coordinate in an event is already in the form it is to be
// shown in: hidden by the redaction when that is switched on. The `parts` of
// a line are the report's own cuts, with the place of a hidden battle and
// hidden fleet names already replaced; ship types, numbers and damage texts
// are never touched.

#include "reading/FleetTally.h"
#include "reading/LineParts.h"
#include "reading/Redaction.h"
#include "reading/ReportSummary.h"

#include <cstdint>
#include <string_view>

namespace skarnwald {

struct ReportStartEvent {
    const Redaction& redaction; // what this conversion hides
    std::size_t reportSize;     // bytes of report text, for writers to reserve room
};

struct HeaderEvent {
    const HeaderParts& parts;
    std::string_view title;  // "Battle at [...] place"
    std::string_view coords; // blanks removed
    std::string_view when;   // the trimmed text before "Battle at", without "Uhr"
};

struct FleetLineEvent {
    const FleetParts& parts;
    std::string_view rawCoords; // as the line writes them
    std::string_view rawOwner;  // as the line writes it, leading blank included
    std::string_view coords;    // blanks removed
    std::string_view name;      // trimmed
    std::int32_t side;          // kAttackingSide, kDefendingSide or kNoSideKampftyp
};

// A "lamed" or "destroyed" line.
struct HitEvent {
    const CombatParts& parts;
    // False for a line that also speaks of damage or an attempt: it counts for
    // nothing and has no target.
    bool counted;
    std::string_view rawTargetCoords, rawTargetOwner;
    std::string_view targetCoords, targetName;   // blanks removed, trimmed
    std::string_view shooterCoords, shooterName; // the fleet of the last fleet line
};

// A "causes" or "attempt" line.
struct NoLossEvent {
    const CombatParts& parts;
};

struct RoidCaptureEvent {
    std::string_view shown;  // the line's text after its marker
    std::string_view coords; // the capturer's, blanks removed
    std::string_view name;   // the capturer's, empty when the line names none
    std::int32_t roids;
};

struct SalvageEvent {
    std::string_view text;
};

// The figures of one battle, handed over before the next header or after the
// last line.
struct BattleEndEvent {
    const BattleSummary& summary;
};

// Where a stretch of lines ends for bookkeeping over whole battles: before
// every header and once after the last line. The running tallies still hold
// the battle just ended, not yet folded into the report's totals.
struct BattleCloseEvent {
    const FleetTallyTree& tallies;
    bool reportEnds; // after the last line
};

// The figures of the whole report: the same ones its summary tables show.
struct ReportEndEvent {
    const ReportSummary& summary;
};

class IReportWriter {
public:
    virtual ~IReportWriter() = default;

    virtual void BeginReport(const ReportStartEvent&) {}
    // The trimmed report line the next line event comes from, unredacted;
    // only for writing the report back out as text.
    virtual void Line(std::string_view) {}
    virtual void Header(const HeaderEvent&) {}
    virtual void FleetLine(const FleetLineEvent&) {}
    virtual void Hit(const HitEvent&) {}
    virtual void NoLoss(const NoLossEvent&) {}
    virtual void RoidCapture(const RoidCaptureEvent&) {}
    virtual void Salvage(const SalvageEvent&) {}
    virtual void BattleEnd(const BattleEndEvent&) {}
    // After the last line, before the report's figures.
    virtual void LinesEnd() {}
    virtual void BattleClose(const BattleCloseEvent&) {}
    virtual void ReportEnd(const ReportEndEvent&) {}

    // Per-battle figures cost a little bookkeeping during the walk; they are
    // kept only when some attached writer asks for them.
    virtual bool WantsBattleSummaries() const { return false; }
};

} // namespace skarnwald
