#pragma once
// What the latest pre-pass went through at each battle header, so that the
// next one need not walk the rest of the report again.
//
// From any line on, a pre-pass depends on nothing but the side table and the
// shooting fleet it has there. A pre-pass that reaches a header in the state
// the remembered one had at that header would therefore repeat it line for
// line: it ends in the remembered outcome, which is the table the pre-pass
// began with, since that is what the remembered pre-pass left behind. When
// instead every side there is the other way round and no entry is added any
// more, each line does the mirror image of what it did before (a hit gives the
// target the side opposite to the shooter's either way), so the pre-pass ends
// in the remembered outcome with every side turned round. The states are
// compared by the table's running hashes first and then exactly.
//
// The remembered pre-pass is kept as, per header, the hash, the shooter and
// how many coordinates differ from the outcome, and per coordinate the side it
// had before each battle that changed it. A pre-pass that stops early keeps
// the older record from the header where it stopped on, because from there on
// it is its own record too, or its mirror image: a polarity per header says
// whether the record there is to be read the other way round.

#include "convert/SideList.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skarnwald {

class PrescanMemory {
public:
    using CoordId = SideList::CoordId;
    // The shooter at a header whose next fleet line comes before any hit.
    static constexpr CoordId kAnyShooter = -2;

    // Forgets everything; the report has `battles` headers.
    void Reset(std::size_t battles);

    // A pre-pass starts at header `first`; `seedsAddedNothing` tells whether
    // the roid captures it began with left the table as the last one ended.
    void BeginPass(std::size_t first, bool seedsAddedNothing, SideList& sides);
    // The pre-pass reaches header `battle` (before the header line's own entry)
    // with `shooter`. True when that is the remembered state there or its mirror
    // image: the pass can stop and end with EndPass(battle).
    bool Reached(std::size_t battle, CoordId shooter, const SideList& sides);
    // The pre-pass ends at header `end`, or at the end of the report when `end`
    // is the number of battles. A pass that stopped early gets the table it
    // began with, turned round when it met the mirror image.
    void EndPass(std::size_t end, SideList& sides);

private:
    enum class Meeting : std::uint8_t { None, Same, Mirrored };
    struct Checkpoint {
        std::uint64_t hash = 0;
        std::uint64_t flippedHash = 0;
        CoordId shooter = 0;
        // Coordinates whose side here is not the one they end the pre-pass with.
        std::size_t differing = 0;
    };
    struct Earlier {
        std::size_t battle;
        std::int8_t before;
    };
    struct PassChange {
        std::size_t battle;
        CoordId id;
        std::int8_t before;
    };
    struct CoordScratch {
        std::uint32_t pass = 0;  // the pass that last touched it
        std::size_t battle = 0;  // the battle it last changed in
        std::int8_t start = 0;   // its side when the pass began
        std::int8_t current = 0; // used while walking the pass backwards
        std::int8_t outcome = 0; // its side when the pass ends
    };

    void TakeJournal(std::size_t battle);
    bool Matches(std::size_t battle, bool mirrored, const SideList& sides) const;
    std::int8_t RememberedSide(CoordId id, std::size_t battle, std::int8_t outcome) const;
    bool Mirrored(std::size_t battle) const;
    void MirrorFrom(std::size_t battle);
    void CountDiffering(std::size_t end, std::size_t differingAtEnd);
    void Remember(std::size_t end);

    std::size_t battles_ = 0;
    // The remembered pre-pass: checkpoints for battles from validFrom_ on, and
    // per coordinate the side it had before each battle that changed it, latest
    // battle first; changedIn_ lists per battle the coordinates that hold such
    // an entry for it.
    std::vector<Checkpoint> checkpoints_;
    std::size_t validFrom_ = 0;
    std::vector<std::vector<Earlier>> history_;
    std::vector<std::vector<CoordId>> changedIn_;
    std::size_t liveFrom_ = 0;
    // Binary indexed tree of polarity flips: a header's record is mirrored when
    // the flips at or before it are odd in number.
    std::vector<std::uint8_t> flips_;

    // The pre-pass under way.
    std::uint32_t pass_ = 0;
    std::size_t first_ = 0;
    std::size_t entriesAtStart_ = 0;
    bool seedsAddedNothing_ = false;
    Meeting met_ = Meeting::None;
    std::vector<SideList::Change> journal_;
    std::vector<PassChange> changes_;
    std::vector<Checkpoint> passCheckpoints_;
    std::vector<CoordId> touched_;
    std::vector<CoordScratch> scratch_;
};

} // namespace skarnwald
