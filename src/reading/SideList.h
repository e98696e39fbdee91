#pragma once
// Which coordinates fight on which side: 0 the attacking side, 1 the defending
// side. Only the earliest entry of a coordinate ever answers a lookup, so the
// list is kept as an indexed table of those entries; later duplicates are only
// counted. Coordinates are interned to small ids so that the pre-pass, which
// runs at every battle, works on integers; a journal of the changes lets it
// see what one stretch of lines did.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skarnwald {

inline constexpr int kAttackingSide = 0;
inline constexpr int kDefendingSide = 1;

struct SideEntry {
    std::string coords;
    std::int32_t side;
};

class SideList {
public:
    using CoordId = int;

    // Stable id of a coordinate text for the lifetime of the list's contents.
    CoordId Intern(std::string_view coords);

    std::optional<std::int32_t> FindSide(std::string_view coords) const;
    void AddSide(std::string_view coords, std::int32_t side);

    std::optional<std::int32_t> FindSide(CoordId id) const;
    void AddSide(CoordId id, std::int32_t side);
    // Overwrites the side of the entry that lookups find; the entry must exist.
    // Inline: the pre-pass does little else.
    void SetSide(CoordId id, std::int32_t side) {
        const auto bit = static_cast<std::int8_t>(side != 0);
        const std::int8_t before = sideOf_[id];
        if (before == bit)
            return;
        sideOf_[id] = bit;
        if (journal_)
            journal_->push_back({id, before});
    }

    // The side of an id's entry, or kNoSide.
    static constexpr std::int8_t kNoSide = -1;
    std::int8_t SideOf(CoordId id) const { return sideOf_[id]; }
    std::size_t IdCount() const { return coordsOf_.size(); }

    // A hit in the pre-pass: the target gets the side opposite to the shooter's;
    // when only one of them has an entry, the other gets one opposite to it.
    void GiveOppositeSides(CoordId shooter, CoordId target);

    // Entries that a lookup would find again (the pre-pass skips replaying them).
    void AddDuplicates(std::size_t count) { duplicateCount_ += count; }

    // Every change a lookup can see (a new entry, or a side overwritten with the
    // other value) is appended to `journal` with the side it had before, until
    // the journal is set to null.
    struct Change {
        CoordId id;
        std::int8_t before;
    };
    void SetJournal(std::vector<Change>* journal) { journal_ = journal; }
    // Turns every side the other way.
    void FlipAll();
    std::size_t EntryCount() const { return firstEntries_.size(); }
    // The ids of the entries that answer lookups, in the order they were added.
    const std::vector<CoordId>& EntryIds() const { return firstEntries_; }

    // All entries in the order they were added, duplicates included.
    std::size_t size() const { return firstEntries_.size() + duplicateCount_; }
    bool empty() const { return size() == 0; }
    // The entries that answer lookups, in the order they were added.
    std::vector<SideEntry> Entries() const;
    void clear();

private:
    struct StringHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, CoordId, StringHash, std::equal_to<>> ids_;
    std::vector<std::string> coordsOf_;
    std::vector<std::int8_t> sideOf_; // -1: no entry
    std::vector<CoordId> firstEntries_;
    std::size_t duplicateCount_ = 0;
    std::vector<Change>* journal_ = nullptr;
};

} // namespace skarnwald
