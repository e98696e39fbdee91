#pragma once
// Which coordinates fight on which side: 0 the attacking side, 1 the defending
// side. Only the earliest entry of a coordinate ever answers a lookup, so the
// list is kept as an indexed table of those entries; later duplicates are only
// counted. Coordinates are interned to small ids so that the pre-pass, which
// replays the rest of the report at every battle, works on integers.

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
    void SetSide(CoordId id, std::int32_t side);

    // Entries that a lookup would find again (the pre-pass skips replaying them).
    void AddDuplicates(std::size_t count) { duplicateCount_ += count; }
    // Grows with every change a lookup can see: a new entry or a side overwritten
    // with the other value.
    std::uint64_t Changes() const { return changes_; }

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
    std::uint64_t changes_ = 0;
};

} // namespace skarnwald
