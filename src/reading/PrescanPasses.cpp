#include "reading/PrescanPasses.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>

namespace skarnwald {

namespace {
std::size_t ToIndex(std::uint32_t index) {
    return index == UINT32_MAX ? SIZE_MAX : index;
}
} // namespace

void PrescanPasses::Reset(const std::vector<PrescanOp>* ops) {
    ops_ = ops;
    const std::size_t count = ops->size();
    headerOps_.clear();
    headerLines_.clear();
    lastShooter_.assign(count, -1);
    CoordId shooter = -1;
    for (std::size_t i = 0; i < count; ++i) {
        const PrescanOp& op = (*ops)[i];
        lastShooter_[i] = shooter;
        if (op.kind == PrescanOp::Kind::Header) {
            headerOps_.push_back(i);
            headerLines_.push_back(op.line);
        } else if (op.kind == PrescanOp::Kind::Fleet) {
            shooter = op.coords;
        }
    }
    earlyHits_.assign(headerOps_.size(), false);
    bool hitBeforeFleet = false;
    std::size_t battle = headerOps_.size();
    for (std::size_t i = count; i-- > 0;) {
        const PrescanOp::Kind kind = (*ops)[i].kind;
        if (kind == PrescanOp::Kind::Header)
            earlyHits_[--battle] = hitBeforeFleet;
        else
            hitBeforeFleet = kind == PrescanOp::Kind::Hit;
    }

    indexedEntries_ = SIZE_MAX;
    assignments_.clear();
    havePrevious_ = false;
    previousAddedAfterNext_ = true;
    ClearDifference();
    complemented_ = false;
    journal_.clear();
}

void PrescanPasses::Run(std::size_t battle, CoordId shooter, bool seedsAdded, SideList& sides) {
    const std::size_t ids = sides.IdCount();
    inSet_.resize(ids, 0);
    slot_.resize(ids, 0);
    seen_.resize(ids, 0);
    nextAt_.resize(ids, 0);

    const std::size_t from = headerOps_[battle];
    const std::size_t next = battle + 1 < headerOps_.size() ? headerOps_[battle + 1] : ops_->size();
    const CoordId startShooter = shooter;
    const bool carry = !seedsAdded && CanCarryDifference(battle, startShooter);
    const std::size_t entries = sides.EntryCount();

    journal_.clear();
    sides.SetJournal(&journal_);
    ReplayLiterally(from, next, shooter, sides);
    if (carry && sides.EntryCount() == entries) {
        sides.SetJournal(nullptr);
        CarryDifference(battle, startShooter, sides);
        ApplyDifference(sides);
        // Every later header finds its planet's entry already there.
        sides.AddDuplicates(headerOps_.size() - battle - 1);
        previousAddedAfterNext_ = false;
    } else {
        const std::size_t mark = journal_.size();
        const std::size_t entriesAtNext = sides.EntryCount();
        CoordId restShooter = shooter;
        ReplayLiterally(next, ops_->size(), restShooter, sides);
        sides.SetJournal(nullptr);
        previousAddedAfterNext_ = sides.EntryCount() != entriesAtNext;
        RememberStateAfterLiteralRest(mark, sides);
    }
    havePrevious_ = true;
    previousBattle_ = battle;
    previousShooterAtNext_ = shooter;
}

void PrescanPasses::ReplayLiterally(std::size_t from, std::size_t to, CoordId& shooter, SideList& sides) {
    const std::vector<PrescanOp>& ops = *ops_;
    for (std::size_t i = from; i < to; ++i) {
        const PrescanOp& op = ops[i];
        if (op.kind == PrescanOp::Kind::Header) {
            sides.AddSide(op.coords, kDefendingSide);
        } else if (op.kind == PrescanOp::Kind::Fleet) {
            shooter = op.coords;
        } else {
            sides.GiveOppositeSides(shooter, op.coords);
        }
    }
}

bool PrescanPasses::CanCarryDifference(std::size_t battle, CoordId shooter) const {
    if (!havePrevious_ || previousBattle_ + 1 != battle || previousAddedAfterNext_)
        return false;
    // Hits before the next fleet line shoot with what each pre-pass brings along.
    return !earlyHits_[battle] || shooter == previousShooterAtNext_;
}

void PrescanPasses::IndexAssignments(const SideList& sides) {
    // Entries only ever grow, so an equal count means equal entries.
    if (indexedEntries_ == sides.EntryCount())
        return;
    indexedEntries_ = sides.EntryCount();
    const std::vector<PrescanOp>& ops = *ops_;
    const auto hasEntry = [&](CoordId id) { return id >= 0 && sides.SideOf(id) != SideList::kNoSide; };
    assignments_.clear();
    assignmentsFrom_.assign(ops.size() + 1, 0);
    for (std::size_t i = 0; i < ops.size(); ++i) {
        assignmentsFrom_[i] = assignments_.size();
        if (ops[i].kind == PrescanOp::Kind::Hit && hasEntry(lastShooter_[i]) && hasEntry(ops[i].coords))
            assignments_.push_back({lastShooter_[i], ops[i].coords});
    }
    assignmentsFrom_[ops.size()] = assignments_.size();

    const std::size_t ids = sides.IdCount();
    byCoordStart_.assign(ids + 1, 0);
    for (const Assignment& a : assignments_) {
        ++byCoordStart_[static_cast<std::size_t>(a.shooter) + 1];
        if (a.target != a.shooter)
            ++byCoordStart_[static_cast<std::size_t>(a.target) + 1];
    }
    for (std::size_t id = 0; id < ids; ++id)
        byCoordStart_[id + 1] += byCoordStart_[id];
    byCoord_.resize(byCoordStart_[ids]);
    std::vector<std::uint32_t> fill(byCoordStart_.begin(), byCoordStart_.end() - 1);
    for (std::size_t i = 0; i < assignments_.size(); ++i) {
        const Assignment& a = assignments_[i];
        byCoord_[fill[static_cast<std::size_t>(a.shooter)]++] = static_cast<std::uint32_t>(i);
        if (a.target != a.shooter)
            byCoord_[fill[static_cast<std::size_t>(a.target)]++] = static_cast<std::uint32_t>(i);
    }
    LinkAssignments(ids);
}

void PrescanPasses::LinkAssignments(std::size_t ids) {
    const std::size_t count = assignments_.size();
    nextForShooter_.assign(count, kNone);
    nextForTarget_.assign(count, kNone);
    std::vector<std::uint32_t> nextUse(ids, kNone);
    for (std::size_t i = count; i-- > 0;) {
        const auto shooter = static_cast<std::size_t>(assignments_[i].shooter);
        const auto target = static_cast<std::size_t>(assignments_[i].target);
        nextForShooter_[i] = nextUse[shooter];
        nextForTarget_[i] = nextUse[target];
        nextUse[shooter] = nextUse[target] = static_cast<std::uint32_t>(i);
    }
    lastUses_.clear();
    for (std::size_t id = 0; id < ids; ++id)
        if (const std::uint32_t last = LastUse(static_cast<CoordId>(id)); last != kNone)
            lastUses_.push_back(last);
    std::sort(lastUses_.begin(), lastUses_.end());

    // Jump pointers that skip ahead in powers of two along every chain
    // (the skew-binary scheme: constant space per node, logarithmic climbs).
    chainParent_.assign(count, kNone);
    chainJump_.assign(count, 0);
    chainDepth_.assign(count, 0);
    std::vector<std::uint32_t> lastOn(ids, kNone);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t parent = lastOn[static_cast<std::size_t>(assignments_[i].shooter)];
        chainParent_[i] = parent;
        if (parent == kNone) {
            chainJump_[i] = static_cast<std::uint32_t>(i);
        } else {
            chainDepth_[i] = chainDepth_[parent] + 1;
            const std::uint32_t up = chainJump_[parent];
            const bool evenSteps =
                chainDepth_[parent] - chainDepth_[up] == chainDepth_[up] - chainDepth_[chainJump_[up]];
            chainJump_[i] = evenSteps ? chainJump_[up] : parent;
        }
        lastOn[static_cast<std::size_t>(assignments_[i].target)] = static_cast<std::uint32_t>(i);
    }
    lastHitOn_.clear();
    for (std::size_t id = 0; id < ids; ++id)
        if (lastOn[id] != kNone)
            lastHitOn_.emplace_back(lastOn[id], static_cast<CoordId>(id));
    std::sort(lastHitOn_.begin(), lastHitOn_.end());
}

void PrescanPasses::CarryDifference(std::size_t battle, CoordId shooter, const SideList& sides) {
    IndexAssignments(sides);
    std::size_t at = assignmentsFrom_[CarryEarlyHits(headerOps_[battle], shooter, sides)];
    const std::size_t end = assignments_.size();
    // Coordinates no later line takes part in keep their difference as it is;
    // carry whichever of the set and its complement has fewer that still move.
    inert_ = CountInert(at);
    const auto usedLater =
        static_cast<std::size_t>(lastUses_.end() - std::lower_bound(lastUses_.begin(), lastUses_.end(),
                                                                    static_cast<std::uint32_t>(at)));
    if (LiveMembers() * 2 > usedLater) {
        ComplementDifference(sides);
        inert_ = CountInert(at);
    }
    const auto hitLater = static_cast<std::size_t>(lastHitOn_.end() - LastHitsFrom(at));
    workLeft_ = tuning_.chainCost * hitLater + tuning_.leastWork;
    while (LiveMembers() > 0 && at < end) {
        if (workLeft_ == 0 || workLeft_ < tuning_.stepCost) {
            SettleAlongChains(at);
            return;
        }
        at = LiveMembers() > tuning_.fewMembers ? CarryLineByLine(at) : CarryAlongCoordinates(at);
    }
}

std::size_t PrescanPasses::CountInert(std::size_t from) const {
    return static_cast<std::size_t>(
        std::count_if(members_.begin(), members_.end(), [&](CoordId id) { return !UsedFrom(id, from); }));
}

std::uint32_t PrescanPasses::LastUse(CoordId id) const {
    // The last of the coordinate's assignments in the per-coordinate index.
    const auto index = static_cast<std::size_t>(id);
    if (index + 1 >= byCoordStart_.size() || byCoordStart_[index] == byCoordStart_[index + 1])
        return kNone;
    return byCoord_[byCoordStart_[index + 1] - 1];
}

bool PrescanPasses::UsedFrom(CoordId id, std::size_t from) const {
    const std::uint32_t last = LastUse(id);
    return last != kNone && last >= from;
}

PrescanPasses::LastHits::const_iterator PrescanPasses::LastHitsFrom(std::size_t from) const {
    return std::lower_bound(lastHitOn_.begin(), lastHitOn_.end(),
                            LastHits::value_type(static_cast<std::uint32_t>(from), -1));
}

std::size_t PrescanPasses::ChainStart(std::size_t assignment, std::size_t from) const {
    // The earliest assignment at or after `from` on the chain that ends in
    // `assignment`: its shooter's difference there is what the chain carries.
    auto at = static_cast<std::uint32_t>(assignment);
    while (chainParent_[at] != kNone && chainParent_[at] >= from) {
        const std::uint32_t jump = chainJump_[at];
        at = jump >= from ? jump : chainParent_[at];
    }
    return at;
}

void PrescanPasses::SettleAlongChains(std::size_t from) {
    // Coordinates not hit from here on keep their difference; every other one
    // ends with that of the shooter its chain starts from.
    settled_.clear();
    for (auto it = LastHitsFrom(from); it != lastHitOn_.end(); ++it) {
        const CoordId shooter = assignments_[ChainStart(it->first, from)].shooter;
        settled_.emplace_back(it->second, inSet_[static_cast<std::size_t>(shooter)] != 0);
    }
    for (const auto& [id, member] : settled_)
        SetMember(id, member);
}

std::size_t PrescanPasses::CarryEarlyHits(std::size_t from, CoordId shooter, const SideList& sides) {
    const std::vector<PrescanOp>& ops = *ops_;
    std::size_t i = from;
    for (; i < ops.size() && ops[i].kind != PrescanOp::Kind::Fleet; ++i) {
        const PrescanOp& op = ops[i];
        if (op.kind == PrescanOp::Kind::Hit && sides.SideOf(shooter) != SideList::kNoSide &&
            sides.SideOf(op.coords) != SideList::kNoSide)
            SetMember(op.coords, inSet_[static_cast<std::size_t>(shooter)] != 0);
    }
    return i;
}

std::size_t PrescanPasses::CarryLineByLine(std::size_t from) {
    const std::size_t end = assignments_.size();
    for (std::size_t a = from; a < end; ++a, --workLeft_) {
        if (workLeft_ == 0)
            return a;
        const Assignment& x = assignments_[a];
        const std::uint8_t member = inSet_[static_cast<std::size_t>(x.shooter)];
        if (inSet_[static_cast<std::size_t>(x.target)] == member)
            continue;
        SetMember(x.target, member != 0);
        if (LiveMembers() <= tuning_.fewMembers / 2)
            return a + 1;
    }
    return end;
}

std::size_t PrescanPasses::NextAssignmentOf(CoordId id, std::size_t from) const {
    const auto index = static_cast<std::size_t>(id);
    if (index + 1 >= byCoordStart_.size())
        return assignments_.size();
    const auto first = byCoord_.begin() + byCoordStart_[index];
    const auto last = byCoord_.begin() + byCoordStart_[index + 1];
    const auto it = std::lower_bound(first, last, from);
    return it == last ? assignments_.size() : *it;
}

std::size_t PrescanPasses::CarryAlongCoordinates(std::size_t from) {
    // Visits, in order, only the assignments a differing coordinate takes part in.
    const std::size_t end = assignments_.size();
    using Queued = std::pair<std::size_t, CoordId>;
    std::priority_queue<Queued, std::vector<Queued>, std::greater<>> queue;
    const auto enqueue = [&](CoordId id, std::size_t next) {
        nextAt_[static_cast<std::size_t>(id)] = next;
        if (next < end)
            queue.emplace(next, id);
    };
    for (CoordId id : members_)
        if (UsedFrom(id, from))
            enqueue(id, NextAssignmentOf(id, from));
    std::size_t done = SIZE_MAX;
    while (!queue.empty()) {
        const auto [at, id] = queue.top();
        if (workLeft_ < tuning_.stepCost)
            return at == done ? at + 1 : at;
        workLeft_ -= tuning_.stepCost;
        queue.pop();
        if (!inSet_[static_cast<std::size_t>(id)] || nextAt_[static_cast<std::size_t>(id)] != at)
            continue;
        const Assignment& x = assignments_[at];
        if (at != done) {
            done = at;
            const bool member = inSet_[static_cast<std::size_t>(x.shooter)] != 0;
            if ((inSet_[static_cast<std::size_t>(x.target)] != 0) != member) {
                SetMember(x.target, member);
                if (LiveMembers() == 0)
                    return end;
                if (member) {
                    if (LiveMembers() > tuning_.fewMembers)
                        return at + 1;
                    enqueue(x.target, ToIndex(nextForTarget_[at]));
                }
            }
        }
        if (inSet_[static_cast<std::size_t>(id)] && nextAt_[static_cast<std::size_t>(id)] == at)
            enqueue(id, ToIndex(id == x.shooter ? nextForShooter_[at] : nextForTarget_[at]));
    }
    return end;
}

void PrescanPasses::ApplyDifference(SideList& sides) {
    // The table holds the state after this pre-pass's first battle. Note where
    // that differs from the table the pre-pass began with, go back to that
    // table and turn round what differs from the previous outcome.
    ++stamp_;
    std::vector<CoordId> changed;
    for (const SideList::Change& change : journal_) {
        const auto id = static_cast<std::size_t>(change.id);
        if (seen_[id] == stamp_)
            continue;
        seen_[id] = stamp_;
        if (sides.SideOf(change.id) != change.before)
            changed.push_back(change.id);
    }
    for (auto change = journal_.rbegin(); change != journal_.rend(); ++change)
        sides.SetSide(change->id, change->before);
    if (complemented_)
        sides.FlipAll();
    for (CoordId id : members_)
        sides.SetSide(id, 1 - sides.SideOf(id));
    // The next pre-pass starts from here; its predecessor's state at the next
    // header is the first battle's outcome.
    for (CoordId id : changed)
        SetMember(id, inSet_[static_cast<std::size_t>(id)] == 0);
}

void PrescanPasses::RememberStateAfterLiteralRest(std::size_t journalMark, const SideList& sides) {
    ClearDifference();
    complemented_ = false;
    ++stamp_;
    for (std::size_t i = journalMark; i < journal_.size(); ++i) {
        const SideList::Change& change = journal_[i];
        const auto id = static_cast<std::size_t>(change.id);
        if (seen_[id] == stamp_)
            continue;
        seen_[id] = stamp_;
        if (sides.SideOf(change.id) != change.before)
            Include(change.id);
    }
}

void PrescanPasses::Include(CoordId id) {
    const auto index = static_cast<std::size_t>(id);
    if (inSet_[index])
        return;
    inSet_[index] = 1;
    slot_[index] = static_cast<std::uint32_t>(members_.size());
    members_.push_back(id);
}

void PrescanPasses::Exclude(CoordId id) {
    const auto index = static_cast<std::size_t>(id);
    if (!inSet_[index])
        return;
    inSet_[index] = 0;
    const CoordId last = members_.back();
    members_[slot_[index]] = last;
    slot_[static_cast<std::size_t>(last)] = slot_[index];
    members_.pop_back();
}

void PrescanPasses::ClearDifference() {
    for (CoordId id : members_)
        inSet_[static_cast<std::size_t>(id)] = 0;
    members_.clear();
}

void PrescanPasses::ComplementDifference(const SideList& sides) {
    std::vector<CoordId> others;
    for (CoordId id : sides.EntryIds())
        if (!inSet_[static_cast<std::size_t>(id)])
            others.push_back(id);
    ClearDifference();
    for (CoordId id : others)
        Include(id);
    complemented_ = !complemented_;
}

} // namespace skarnwald
