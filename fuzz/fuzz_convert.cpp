// Converts arbitrary bytes as a report into a page, with the settings the
// first three bytes pick (ConversionInput.h): storing, personal statistics,
// redaction, the own coordinates, normalising, and a second conversion by the
// same converter. A store that checks the order of its calls traps on any
// call out of place; a redacted conversion must not reach it at all. The page
// must be whole, and UTF-8 when the text was normalised. The side detection
// and the shared formats have targets of their own (fuzz_sides, fuzz_share).

#include "ConversionInput.h"
#include "ConverterInternals.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "text/Utf8Text.h"
#include "writers/HtmlFragments.h"
#include "writers/HtmlWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace skarnwald;
using fuzzing::Require;

class CheckingStore : public IConversionStore {
public:
    CheckingStore(bool storing, bool personal) : storing_(storing), personal_(personal) {}

    void BeginConversion() override {
        Require(!begun_);
        begun_ = true;
    }
    void EndConversion() override {
        Require(begun_ && asteroids_ == 1 && !ended_);
        ended_ = true;
    }
    void StoreBattle(const BattleToStore& battle) override {
        Stored();
        Require(battle.coords && battle.place);
        ++battles_;
    }
    void StoreFleetLine(const FleetLineToStore& line) override {
        Stored();
        // Only a battle's date may be missing; every other value is a text.
        Require(line.agility && line.count && line.shipName && line.shipType && line.coords && line.owner);
        Require(line.side == 0 || line.side == 1 || line.side == kNoSideKampftyp);
    }
    void StoreCombatLine(const CombatLineToStore& line) override {
        Stored();
        Require(line.weapon && line.deed && line.count && line.shipType && line.shipName && line.coords &&
                line.targetOwner && line.targetCoords);
    }
    std::int32_t GetCurrentBattleId() const override { return battles_; }
    void StoreStatisticsRow(std::int32_t, const StatisticsRowToStore& row) override {
        Stored();
        Require(row.sortId >= 1 && row.sortId <= 5);
    }
    void AddAsteroids(std::int32_t, std::int32_t) override {
        Require(begun_ && !ended_);
        ++asteroids_;
    }
    void AddPersonalFleet(const ClassCounts&, const ClassCounts&, const ClassCounts&) override {
        Require(personal_ && asteroids_ == 1 && !ended_ && !personalDone_);
        personalDone_ = true;
    }

    bool Finished() const { return ended_; }

private:
    void Stored() const { Require(storing_ && begun_ && asteroids_ == 0); }

    bool storing_, personal_;
    bool begun_ = false, ended_ = false, personalDone_ = false;
    int asteroids_ = 0;
    std::int32_t battles_ = 0;
};

void ConvertOnce(CReportConverter& converter, const fuzzing::ConversionInput& input) {
    const bool redacted = input.redaction.Any();
    CheckingStore store(input.settings.StoresBattles() && !redacted,
                        input.settings.KeepsRecord() && !redacted);
    CStoringWriter storing(store, input.settings);
    converter.AddWriter(&storing);
    static fuzzing::PageStream page;
    ConvertToPage(converter, input.report, page.Restart());
    converter.ClearWriters();
    Require(store.Finished() != redacted);
    const std::string& html = page.Page();
    Require(html.starts_with(html::kPageStart) && html.ends_with(html::kSummaryEnd));
    Require(!input.utf8 || IsValidUtf8(html));
    Require(ConverterInternals::sideList(converter).empty() &&
            ConverterInternals::tallyTree(converter).empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzzing::ReadConversionInput(data, size);
    if (!input)
        return 0;
    CReportConverter converter;
    fuzzing::SetUp(converter, *input);
    ConvertOnce(converter, *input);
    if (input->twice)
        ConvertOnce(converter, *input);
    return 0;
}
