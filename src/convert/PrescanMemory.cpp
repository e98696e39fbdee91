#include "convert/PrescanMemory.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace skarnwald {

void PrescanMemory::Reset(std::size_t battles) {
    battles_ = battles;
    checkpoints_.assign(battles, {});
    validFrom_ = battles;
    history_.clear();
    changedIn_.assign(battles, {});
    liveFrom_ = 0;
    flips_.assign(battles + 1, 0);
    met_ = Meeting::None;
    journal_.clear();
    changes_.clear();
    passCheckpoints_.clear();
    touched_.clear();
    scratch_.clear();
    pass_ = 0;
}

void PrescanMemory::BeginPass(std::size_t first, bool seedsAddedNothing, SideList& sides) {
    // Later pre-passes start further on, so what was remembered for battles
    // before this one is never asked for again.
    for (; liveFrom_ < first; ++liveFrom_) {
        for (CoordId id : changedIn_[liveFrom_]) {
            std::vector<Earlier>& earlier = history_[id];
            while (!earlier.empty() && earlier.back().battle < first)
                earlier.pop_back();
        }
        std::vector<CoordId>().swap(changedIn_[liveFrom_]);
    }
    history_.resize(sides.IdCount());
    scratch_.resize(sides.IdCount());
    ++pass_;
    first_ = first;
    entriesAtStart_ = sides.EntryCount();
    seedsAddedNothing_ = seedsAddedNothing;
    journal_.clear();
    changes_.clear();
    passCheckpoints_.clear();
    touched_.clear();
    sides.SetJournal(&journal_);
}

void PrescanMemory::TakeJournal(std::size_t battle) {
    // Keeps the first change of each coordinate in each battle: the side it had
    // before the battle is all a checkpoint needs.
    for (const SideList::Change& change : journal_) {
        CoordScratch& scratch = scratch_[change.id];
        if (scratch.pass != pass_) {
            scratch.pass = pass_;
            scratch.start = change.before;
            touched_.push_back(change.id);
        } else if (scratch.battle == battle) {
            continue;
        }
        scratch.battle = battle;
        changes_.push_back({battle, change.id, change.before});
    }
    journal_.clear();
}

bool PrescanMemory::Mirrored(std::size_t battle) const {
    std::uint8_t odd = 0;
    for (std::size_t i = battle + 1; i > 0; i -= i & (~i + 1))
        odd ^= flips_[i];
    return odd != 0;
}

void PrescanMemory::MirrorFrom(std::size_t battle) {
    for (std::size_t i = battle + 1; i < flips_.size(); i += i & (~i + 1))
        flips_[i] ^= 1;
}

namespace {
std::int8_t TurnedIf(bool turn, std::int8_t side) {
    return turn && side != SideList::kNoSide ? static_cast<std::int8_t>(1 - side) : side;
}
} // namespace

std::int8_t PrescanMemory::RememberedSide(CoordId id, std::size_t battle, std::int8_t outcome) const {
    // The side before the earliest remembered change at or after `battle`; the
    // outcome when nothing changed it from there on.
    const std::vector<Earlier>& earlier = history_[id];
    const auto after = std::partition_point(earlier.begin(), earlier.end(),
                                            [battle](const Earlier& e) { return e.battle >= battle; });
    if (after == earlier.begin())
        return outcome;
    const Earlier& change = *std::prev(after);
    return TurnedIf(Mirrored(change.battle), change.before);
}

bool PrescanMemory::Matches(std::size_t battle, bool mirrored, const SideList& sides) const {
    // No entry was added since the pass began, so every coordinate this pass
    // has not touched still has its side from the remembered outcome. Of the
    // coordinates that differ from the outcome in the remembered state, count
    // those among the touched ones; for the same state the untouched ones
    // must not differ at all, for the mirror image every one of them must.
    std::size_t differing = 0;
    for (CoordId id : touched_) {
        const std::int8_t outcome = scratch_[id].start;
        const std::int8_t remembered = RememberedSide(id, battle, outcome);
        if (sides.SideOf(id) != TurnedIf(mirrored, remembered))
            return false;
        differing += remembered != outcome;
    }
    const std::size_t untouchedDiffering = mirrored ? sides.EntryCount() - touched_.size() : 0;
    return checkpoints_[battle].differing == differing + untouchedDiffering;
}

bool PrescanMemory::Reached(std::size_t battle, CoordId shooter, const SideList& sides) {
    if (battle > first_)
        TakeJournal(battle - 1);
    // A pass that added an entry has a table the remembered one never had at
    // any header from here on (tables only grow, and the remembered pass ended
    // with the table this one began with).
    const bool comparable =
        seedsAddedNothing_ && sides.EntryCount() == entriesAtStart_ && battle >= validFrom_;
    if (comparable && checkpoints_[battle].shooter == shooter) {
        const bool turned = Mirrored(battle);
        const std::uint64_t same = turned ? checkpoints_[battle].flippedHash : checkpoints_[battle].hash;
        const std::uint64_t mirror = turned ? checkpoints_[battle].hash : checkpoints_[battle].flippedHash;
        if (sides.Hash() == same && Matches(battle, false, sides))
            met_ = Meeting::Same;
        else if (sides.Hash() == mirror && Matches(battle, true, sides))
            met_ = Meeting::Mirrored;
        if (met_ != Meeting::None)
            return true;
    }
    passCheckpoints_.push_back({sides.Hash(), sides.FlippedHash(), shooter, 0});
    return false;
}

void PrescanMemory::CountDiffering(std::size_t end, std::size_t differingAtEnd) {
    // Walks this pass's changes backwards from `end`, where the table is the
    // live one, counting at every header the coordinates off their outcome.
    std::size_t differing = differingAtEnd;
    std::size_t next = changes_.size();
    for (std::size_t battle = end; battle-- > first_;) {
        for (; next > 0 && changes_[next - 1].battle == battle; --next) {
            const PassChange& change = changes_[next - 1];
            CoordScratch& scratch = scratch_[change.id];
            differing -= scratch.current != scratch.outcome;
            scratch.current = change.before;
            differing += scratch.current != scratch.outcome;
        }
        passCheckpoints_[battle - first_].differing = differing;
    }
}

void PrescanMemory::Remember(std::size_t end) {
    for (std::size_t battle = first_; battle < end; ++battle) {
        for (CoordId id : changedIn_[battle]) {
            std::vector<Earlier>& earlier = history_[id];
            while (!earlier.empty() && earlier.back().battle < end)
                earlier.pop_back();
        }
        changedIn_[battle].clear();
        Checkpoint checkpoint = passCheckpoints_[battle - first_];
        if (Mirrored(battle))
            std::swap(checkpoint.hash, checkpoint.flippedHash);
        checkpoints_[battle] = checkpoint;
    }
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) {
        history_[change->id].push_back({change->battle, TurnedIf(Mirrored(change->battle), change->before)});
        changedIn_[change->battle].push_back(change->id);
    }
    validFrom_ = first_;
}

void PrescanMemory::EndPass(std::size_t end, SideList& sides) {
    const bool stoppedEarly = end < battles_;
    if (!stoppedEarly && end > first_)
        TakeJournal(end - 1);
    sides.SetJournal(nullptr);
    for (CoordId id : touched_) {
        CoordScratch& scratch = scratch_[id];
        scratch.current = sides.SideOf(id);
        scratch.outcome = !stoppedEarly           ? scratch.current
                          : met_ == Meeting::Same ? scratch.start
                                                  : TurnedIf(true, scratch.start);
    }
    CountDiffering(end, stoppedEarly ? checkpoints_[end].differing : 0);
    Remember(end);
    if (stoppedEarly) {
        // No entry was added, so every touched coordinate had one to go back to.
        for (CoordId id : touched_)
            sides.SetSide(id, scratch_[id].start);
        if (met_ == Meeting::Mirrored) {
            sides.FlipAll();
            MirrorFrom(end);
        }
    }
    met_ = Meeting::None;
}

} // namespace skarnwald
