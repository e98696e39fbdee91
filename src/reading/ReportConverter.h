#pragma once
// One conversion of a battle report: the walk over the report's lines, the
// line converters, the automatic side detection and the per-fleet tallies.
// What the walk finds goes as events to the attached writers: the page, the
// share texts and storing are each one of them. The desktop view and the
// command line each own one.

#include "reading/BattleFigures.h"
#include "reading/ConversionServices.h"
#include "reading/FleetTally.h"
#include "reading/PrescanPasses.h"
#include "reading/Redaction.h"
#include "reading/ReportWriter.h"
#include "reading/SideList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

class CReportConverter {
public:
    // The own coordinates (setting Koords), for hiding the own fleets.
    std::string ownCoords;
    // What the outputs hide. A redacted conversion is never stored.
    Redaction redaction;
    // Hidden coordinates as numbered stand-ins rather than "?.?.?", for
    // writing the report back out as text (CReportTextWriter).
    bool standInCoords = false;

    void SetProgress(IProgress* progress) { progress_ = progress; }
    void SetNotifier(INotifier* notifier) { notifier_ = notifier; }

    // Writers that every conversion feeds; not owned.
    void AddWriter(IReportWriter* writer) { writers_.push_back(writer); }
    void RemoveWriter(IReportWriter* writer) { std::erase(writers_, writer); }
    void ClearWriters() { writers_.clear(); }

    // Converts `text` for the attached writers.
    void ConvertReport(std::string_view text);
    // Converts `text` for `first` and then the attached writers.
    void ConvertReport(std::string_view text, IReportWriter& first);
    // How many battle headers the last ConvertReport found.
    std::size_t BattlesInLastReport() const { return battlesInLastReport_; }

private:
    // Tests and fuzz targets drive single lines and look at the walk state
    // through it; no program does.
    friend struct ConverterInternals;

    // Line converters. `line` is trimmed. With `prescan` they only do the
    // side bookkeeping of the pre-pass; otherwise they hand their line to the
    // writers (called on their own: to the attached ones).
    void ConvertHeaderLine(std::string_view line, bool prescan);
    void ConvertFleetLine(std::string_view line, bool prescan);
    void ConvertCombatLine(std::string_view line, bool prescan);
    void ConvertRoidCaptureLine(std::string_view line);
    void ConvertSalvageLine(std::string_view line);

    // Walk state.
    std::string currentFleetName;
    std::string currentFleetCoords;
    std::string targetName;
    std::string targetCoords;
    FleetTallyTree tallyTree;
    SideList sideList;

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
    void CloseBattle(bool reportEnds);
    void EndBattle();
    void NoteBattleFleet(std::string_view name);
    template <typename Event> void Emit(void (IReportWriter::*handler)(const Event&), const Event& event);
    void PrescanBattle(std::size_t headerLine);
    void LeaveMembersAsThePrescanDoes(std::size_t headerLine);
    void SeedSidesFromRoidCaptures(std::size_t from);
    void WriteEndOfReport();
    CombatParts ShownSubject(const CombatParts& parts);
    std::string_view LineText(std::size_t index) const;

    IProgress* progress_ = nullptr;
    INotifier* notifier_ = nullptr;

    std::vector<IReportWriter*> writers_;
    std::vector<IReportWriter*> activeWriters_; // during a walk: its first writer and writers_
    bool walking_ = false;
    bool battleOpen_ = false; // a line was handed over since the last battle end
    bool wantBattleFigures_ = false;
    CBattleFigures battleFigures_;
    CRedactor redactor_;
    std::string shownTitle_, shownCapture_, shownSubject_; // redacted texts of the current line

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
