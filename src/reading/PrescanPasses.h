#pragma once
// The pre-pass that runs at every battle header over the whole rest of the
// report, done without walking that rest again each time.
//
// With no entry added, a pre-pass only ever does "side of target := other
// side of shooter" on the table. Two pre-passes that run over the same lines
// with the same shooters therefore differ afterwards exactly where the
// difference of their tables at the start was carried: at every such step the
// target takes over whether the shooter differed. The pre-pass of battle h
// runs over the same lines from header h on as that of battle h - 1 did after
// its first battle, and it starts from the table that one ended with. So it
// only has to carry the difference between its own start and the state the
// previous one had at header h, which is usually a handful of coordinates and
// soon none: it follows just the lines of those coordinates, and stops when
// nothing differs any more. Only its own first battle is replayed line by
// line, to learn the state at the next header for the next pre-pass.
//
// A difference covering most coordinates is carried as the set of those that
// do not differ (the rule is the same), so sides that flip in every pre-pass
// cost little too. A difference that lingers is settled the other way round:
// each coordinate still hit later ends with the difference of the shooter at
// the start of its chain of hits (the last hit on it, the last hit on that
// one's shooter before, and so on), found by jump pointers along that chain.
// Where the two pre-passes would not do the same (an entry is added, or hits
// before the first fleet line meet another shooter) the rest is replayed line
// by line.

#include "reading/SideList.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace skarnwald {

// One line that changes state in the pre-pass, with its coordinates interned.
struct PrescanOp {
    enum class Kind : std::uint8_t { Header, Fleet, Hit } kind;
    SideList::CoordId coords;
    std::size_t line;
};

// When the passes change strategy, in work units: a line walked costs one.
struct PrescanTuning {
    // Above this many differing coordinates, following each one's own lines
    // costs more than walking all lines; below half of it the walk goes back.
    std::size_t fewMembers = 32;
    // A step along one coordinate's lines, and settling one coordinate along
    // its chain.
    std::size_t stepCost = 4;
    std::size_t chainCost = 16;
    // Work always allowed before settling along the chains.
    std::size_t leastWork = 256;
};

class PrescanPasses {
public:
    using CoordId = SideList::CoordId;

    explicit PrescanPasses(PrescanTuning tuning = {}) : tuning_(tuning) {}

    // A new report: its pre-pass lines in order (kept by the caller for the
    // lifetime of the passes).
    void Reset(const std::vector<PrescanOp>* ops);

    // The header line of every battle, in order.
    const std::vector<std::size_t>& HeaderLines() const { return headerLines_; }

    // Runs the pre-pass from battle `battle` to the end of the report with
    // `shooter` as the fleet that shoots before any fleet line. `seedsAdded`
    // tells whether the roid captures walked just before added entries.
    void Run(std::size_t battle, CoordId shooter, bool seedsAdded, SideList& sides);

private:
    // A hit whose shooter and target both have an entry: in every pre-pass
    // that reaches it with the same entries it gives the target the side
    // opposite to the shooter's.
    struct Assignment {
        CoordId shooter;
        CoordId target;
    };
    // Coordinates with the last assignment that hits them, by that assignment.
    using LastHits = std::vector<std::pair<std::uint32_t, CoordId>>;

    void ReplayLiterally(std::size_t from, std::size_t to, CoordId& shooter, SideList& sides);
    bool CanCarryDifference(std::size_t battle, CoordId shooter) const;
    void IndexAssignments(const SideList& sides);
    void LinkAssignments(std::size_t ids);
    void CarryDifference(std::size_t battle, CoordId shooter, const SideList& sides);
    std::size_t CarryEarlyHits(std::size_t from, CoordId shooter, const SideList& sides);
    std::size_t CarryLineByLine(std::size_t from);
    std::size_t CarryAlongCoordinates(std::size_t from);
    void SettleAlongChains(std::size_t from);
    std::size_t ChainStart(std::size_t assignment, std::size_t from) const;
    LastHits::const_iterator LastHitsFrom(std::size_t from) const;
    std::size_t NextAssignmentOf(CoordId id, std::size_t from) const;
    std::uint32_t LastUse(CoordId id) const;
    bool UsedFrom(CoordId id, std::size_t from) const;
    std::size_t CountInert(std::size_t from) const;
    std::size_t LiveMembers() const { return members_.size() - inert_; }
    void ApplyDifference(SideList& sides);
    void RememberStateAfterLiteralRest(std::size_t journalMark, const SideList& sides);

    // The differing set: membership and members.
    void Include(CoordId id);
    void Exclude(CoordId id);
    void SetMember(CoordId id, bool member) { member ? Include(id) : Exclude(id); }
    void ClearDifference();
    void ComplementDifference(const SideList& sides);

    PrescanTuning tuning_;
    const std::vector<PrescanOp>* ops_ = nullptr;
    std::vector<std::size_t> headerOps_;   // per battle: index of its header op
    std::vector<std::size_t> headerLines_; // per battle: its header line
    std::vector<bool> earlyHits_;          // per battle: a hit comes before the next fleet op
    std::vector<CoordId> lastShooter_;     // per op: the coordinates of the last fleet op before it

    // Assignments from one entry count on: in op order, per coordinate the
    // indices of those it takes part in, and per assignment the next one its
    // shooter and its target take part in.
    std::size_t indexedEntries_ = SIZE_MAX;
    std::vector<Assignment> assignments_;
    std::vector<std::size_t> assignmentsFrom_; // per op: first assignment at or after it
    std::vector<std::uint32_t> byCoordStart_;
    std::vector<std::uint32_t> byCoord_;
    std::vector<std::uint32_t> nextForShooter_;
    std::vector<std::uint32_t> nextForTarget_;
    // The last assignment of every coordinate that takes part in any, in order.
    std::vector<std::uint32_t> lastUses_;
    // The chains of hits: per assignment the last earlier one on its shooter
    // (kNone when there is none), a jump pointer further up and the depth;
    // and the coordinates by the last assignment on them, in that order.
    static constexpr std::uint32_t kNone = UINT32_MAX;
    std::vector<std::uint32_t> chainParent_;
    std::vector<std::uint32_t> chainJump_;
    std::vector<std::uint32_t> chainDepth_;
    LastHits lastHitOn_;
    // Work left before a lingering difference is settled along the chains, and
    // how many differing coordinates take part in no line left to carry.
    std::size_t workLeft_ = 0;
    std::size_t inert_ = 0;
    std::vector<std::pair<CoordId, bool>> settled_;

    // What the previous pre-pass left for this one: its battle, its shooter at
    // the next header, whether it added entries after that header, and where
    // its state there differs from the table it ended with (the differing set,
    // or every entry outside it when `complemented_`).
    bool havePrevious_ = false;
    std::size_t previousBattle_ = 0;
    CoordId previousShooterAtNext_ = -1;
    bool previousAddedAfterNext_ = true;
    std::vector<std::uint8_t> inSet_;
    std::vector<std::uint32_t> slot_;
    std::vector<CoordId> members_;
    bool complemented_ = false;

    std::vector<SideList::Change> journal_;
    std::vector<std::uint32_t> seen_; // per coordinate: stamp of the last journal scan
    std::uint32_t stamp_ = 0;
    std::vector<std::size_t> nextAt_; // per coordinate: its queued assignment
};

} // namespace skarnwald
