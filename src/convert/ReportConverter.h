#pragma once
// One conversion of a battle report into an HTML page: the walk over the
// report's lines, the line converters, the automatic side detection and the
// per-fleet tallies. The desktop view and the command line each own one.

#include "convert/ConversionServices.h"
#include "convert/FleetTally.h"
#include "convert/SideList.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

class CReportConverter {
public:
    // Settings, read before a conversion starts; the switches count as on only
    // when equal to 1.
    std::int32_t storeInDb = 0;
    std::int32_t personalStats = 0;
    std::string ownCoords;

    // Conversion state.
    bool atOwnCoords = false;
    std::int32_t roidGain = 0;
    std::int32_t roidLoss = 0;
    std::string currentFleetName;
    std::string currentFleetCoords;
    std::string targetName;
    std::string targetCoords;
    FleetTallyTree tallyTree;
    SideList sideList;

    void SetStore(IConversionStore* store) { store_ = store; }
    void SetProgress(IProgress* progress) { progress_ = progress; }
    void SetNotifier(INotifier* notifier) { notifier_ = notifier; }

    // Converts `text` and writes the whole page, summary included, to `out`.
    void ConvertReport(std::string_view text, std::ostream& out);
    // How many battle headers the last ConvertReport found.
    std::size_t BattlesInLastReport() const { return battlesInLastReport_; }

    // Line converters. `line` is trimmed. With `prescan` they return empty
    // text and only do the side bookkeeping of the pre-pass.
    std::string ConvertHeaderLine(std::string_view line, bool prescan);
    std::string ConvertFleetLine(std::string_view line, bool prescan);
    std::string ConvertCombatLine(std::string_view line, bool prescan);
    std::string ConvertRoidCaptureLine(std::string_view line);
    std::string ConvertSalvageLine(std::string_view line);

private:
    enum class LineKind : std::uint8_t { Skipped, Header, Fleet, Combat, Salvage, RoidCapture };
    struct Line {
        std::size_t offset;
        std::size_t length;
        LineKind kind;
    };
    // One line that changes state in the pre-pass, with its coordinates interned.
    struct PrescanOp {
        enum class Kind : std::uint8_t { Header, Fleet, Hit } kind;
        SideList::CoordId coords;
        std::size_t line;
    };

    void CutLines(std::string_view text);
    void PlanPrescan(std::string_view text);
    void ConvertHeader(std::size_t lineIndex, std::string& page);
    void PrescanBattle(std::size_t headerLine);
    void ReplayPrescanOps(std::size_t battle, SideList::CoordId shooter);
    void LeaveMembersAsThePrescanDoes(std::size_t headerLine);
    void SeedSidesFromRoidCaptures(std::size_t from);
    void GiveOppositeSides(SideList::CoordId shooter, SideList::CoordId target);
    void StoreStatisticsRows();
    void WriteEndOfReport(std::ostream& out);
    std::string_view LineText(std::size_t index) const;

    IConversionStore* store_ = nullptr;
    IProgress* progress_ = nullptr;
    INotifier* notifier_ = nullptr;

    // Per-conversion tables: the report cut into lines once, the lines that
    // matter to the pre-pass, and where roid captures start.
    std::string_view text_;
    std::vector<Line> lines_;
    std::vector<PrescanOp> prescanOps_;
    std::vector<std::size_t> roidCaptureOffsets_;
    std::vector<bool> roidPieceVisited_;

    // Per battle (in header order): its header line and the coordinates of its
    // last fleet line, if any; the last fleet and hit lines of the pre-pass.
    std::vector<std::size_t> headerLines_;
    std::size_t battlesInLastReport_ = 0;
    std::vector<SideList::CoordId> battleLastFleet_;
    std::size_t lastFleetOpLine_ = SIZE_MAX;
    std::size_t lastHitOpLine_ = SIZE_MAX;
    // What the previous pre-pass leaves for the next one to compare with.
    struct PrescanOutcome {
        bool changedNothing = false;
        std::size_t nextHeader = SIZE_MAX;
        SideList::CoordId shooterAtNextHeader = -1;
    } lastPrescan_;
};

} // namespace skarnwald
