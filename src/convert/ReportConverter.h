#pragma once
// One conversion of a battle report: the walk over the report's lines, the
// line converters, the automatic side detection and the per-fleet tallies.
// What the walk finds goes as events to the attached writers (the HTML page
// is one of them). The desktop view and the command line each own one.

#include "convert/BattleFigures.h"
#include "convert/ConversionServices.h"
#include "convert/FleetTally.h"
#include "convert/PrescanPasses.h"
#include "convert/Redaction.h"
#include "convert/ReportWriter.h"
#include "convert/SideList.h"
#include "stats/PersonalStats.h"

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
    // What the outputs hide. A redacted conversion is never stored.
    Redaction redaction;

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

    // Writers that every conversion feeds besides its page; not owned.
    void AddWriter(IReportWriter* writer) { writers_.push_back(writer); }
    void ClearWriters() { writers_.clear(); }

    // Converts `text` and writes the whole page, summary included, to `out`;
    // the attached writers get the same walk.
    void ConvertReport(std::string_view text, std::ostream& out);
    // Converts `text` for the attached writers only.
    void ConvertReport(std::string_view text);
    // How many battle headers the last ConvertReport found.
    std::size_t BattlesInLastReport() const { return battlesInLastReport_; }

    // Line converters. `line` is trimmed. With `prescan` they return empty
    // text and only do the side bookkeeping of the pre-pass. During a walk
    // they hand their line to the writers and return empty text; called on
    // their own they return the line's page row.
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

    void CutLines(std::string_view text);
    void PlanPrescan(std::string_view text);
    void Walk(std::string_view text);
    void ConvertHeader(std::size_t lineIndex);
    void EndBattle();
    void NoteBattleFleet(std::string_view name);
    template <typename Event>
    std::string Emit(void (IReportWriter::*handler)(const Event&), const Event& event);
    void PrescanBattle(std::size_t headerLine);
    void LeaveMembersAsThePrescanDoes(std::size_t headerLine);
    void SeedSidesFromRoidCaptures(std::size_t from);
    void StoreStatisticsRows();
    void CloseStoredBattle();
    void WriteEndOfReport();
    std::string_view LineText(std::size_t index) const;

    IConversionStore* store_ = nullptr;
    std::vector<StatisticsRowToStore> statisticsRows_; // of the battle being stored
    // The personal figures when the running battle began, and the share of
    // battles the store found already stored, kept out of the record.
    PersonalFigures battleStartFigures_;
    PersonalFigures alreadyCounted_;
    IProgress* progress_ = nullptr;
    INotifier* notifier_ = nullptr;

    std::vector<IReportWriter*> writers_;
    std::vector<IReportWriter*> activeWriters_; // during a walk: the page and writers_
    bool walking_ = false;
    bool battleOpen_ = false; // a line was handed over since the last battle end
    bool wantBattleFigures_ = false;
    CBattleFigures battleFigures_;
    CRedactor redactor_;
    std::string shownTitle_, shownCapture_; // redacted texts of the current line

    // Per-conversion tables: the report cut into lines once, the lines that
    // matter to the pre-pass, and where roid captures start.
    std::string_view text_;
    std::vector<Line> lines_;
    std::vector<PrescanOp> prescanOps_;
    std::vector<std::size_t> roidCaptureOffsets_;
    std::vector<bool> roidPieceVisited_;

    // The pre-passes over this report, and the last fleet and hit lines they
    // walk.
    PrescanPasses prescanPasses_;
    std::size_t battlesInLastReport_ = 0;
    std::size_t lastFleetOpLine_ = SIZE_MAX;
    std::size_t lastHitOpLine_ = SIZE_MAX;
};

} // namespace skarnwald
