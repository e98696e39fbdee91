#include "convert/SideList.h"

#include <utility>

namespace skarnwald {

namespace {
constexpr std::int8_t kNoEntry = SideList::kNoSide;

// A well-mixed 64-bit value for one entry; the table's hash is the exclusive
// or of those of its entries, so it follows every change in constant time.
std::uint64_t EntryHash(SideList::CoordId id, std::int8_t side) {
    std::uint64_t x =
        static_cast<std::uint64_t>(id) * 2 + static_cast<std::uint64_t>(side) + 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}
} // namespace

void SideList::Added(CoordId id) {
    hash_ ^= EntryHash(id, sideOf_[id]);
    flippedHash_ ^= EntryHash(id, static_cast<std::int8_t>(1 - sideOf_[id]));
    if (journal_)
        journal_->push_back({id, kNoEntry});
}

SideList::CoordId SideList::Intern(std::string_view coords) {
    if (const auto it = ids_.find(coords); it != ids_.end())
        return it->second;
    const CoordId id = static_cast<CoordId>(coordsOf_.size());
    coordsOf_.emplace_back(coords);
    sideOf_.push_back(kNoEntry);
    turnKey_.push_back(EntryHash(id, 0) ^ EntryHash(id, 1));
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
    Added(id);
}

void SideList::AddSide(std::string_view coords, std::int32_t side) {
    AddSide(Intern(coords), side);
}

void SideList::FlipAll() {
    for (CoordId id : firstEntries_)
        sideOf_[id] = static_cast<std::int8_t>(1 - sideOf_[id]);
    std::swap(hash_, flippedHash_);
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
    turnKey_.clear();
    firstEntries_.clear();
    duplicateCount_ = 0;
    hash_ = 0;
    flippedHash_ = 0;
}

} // namespace skarnwald
