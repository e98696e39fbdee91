#include "reading/SideList.h"

#include <utility>

namespace skarnwald {

namespace {
constexpr std::int8_t kNoEntry = SideList::kNoSide;
} // namespace

SideList::CoordId SideList::Intern(std::string_view coords) {
    if (const auto it = ids_.find(coords); it != ids_.end())
        return it->second;
    const CoordId id = static_cast<CoordId>(coordsOf_.size());
    coordsOf_.emplace_back(coords);
    sideOf_.push_back(kNoEntry);
    ids_.emplace(coordsOf_.back(), id);
    return id;
}

std::optional<std::int32_t> SideList::FindSide(CoordId id) const {
    if (id < 0 || static_cast<std::size_t>(id) >= sideOf_.size() || sideOf_[id] == kNoEntry)
        return std::nullopt;
    return sideOf_[id];
}

std::optional<std::int32_t> SideList::FindSide(std::string_view coords) const {
    const auto it = ids_.find(coords);
    return it == ids_.end() ? std::nullopt : FindSide(it->second);
}

void SideList::AddSide(CoordId id, std::int32_t side) {
    if (sideOf_[id] != kNoEntry) {
        ++duplicateCount_;
        return;
    }
    // Sides are 0 or 1 everywhere in the program; keep whatever bit was given.
    sideOf_[id] = static_cast<std::int8_t>(side != 0);
    firstEntries_.push_back(id);
    if (journal_)
        journal_->push_back({id, kNoEntry});
}

void SideList::AddSide(std::string_view coords, std::int32_t side) {
    AddSide(Intern(coords), side);
}

void SideList::FlipAll() {
    for (CoordId id : firstEntries_)
        sideOf_[id] = static_cast<std::int8_t>(1 - sideOf_[id]);
}

void SideList::GiveOppositeSides(CoordId shooter, CoordId target) {
    // Sides spread outward from the seeds (battle planets and roid captures)
    // along the order of the lines; the shooter's own entry never changes.
    const std::int8_t shooterSide = sideOf_[shooter];
    const std::int8_t targetSide = sideOf_[target];
    if (shooterSide != kNoEntry) {
        if (targetSide != kNoEntry)
            SetSide(target, 1 - shooterSide);
        else
            AddSide(target, 1 - shooterSide);
    } else if (targetSide != kNoEntry) {
        AddSide(shooter, 1 - targetSide);
    }
}

std::vector<SideEntry> SideList::Entries() const {
    std::vector<SideEntry> entries;
    entries.reserve(firstEntries_.size());
    for (CoordId id : firstEntries_)
        entries.push_back({coordsOf_[id], sideOf_[id]});
    return entries;
}

void SideList::clear() {
    ids_.clear();
    coordsOf_.clear();
    sideOf_.clear();
    firstEntries_.clear();
    duplicateCount_ = 0;
}

} // namespace skarnwald
