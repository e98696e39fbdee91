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
    void StoreBattle(std::string_view, std::string_view, std::string_view) override {
        Stored();
        ++battles_;
    }
    void StoreFleetLine(std::string_view, std::string_view, std::string_view, std::string_view,
                        std::string_view, std::string_view, std::string_view, std::int32_t side) override {
        Stored();
        Require(side == 0 || side == 1 || side == kNoSideKampftyp);
    }
    void StoreCombatLine(std::string_view, std::string_view, std::string_view, std::string_view,
                         std::string_view, std::string_view, std::string_view, std::string_view,
                         std::string_view, std::string_view) override {
        Stored();
    }
    std::int32_t GetCurrentBattleId() const override { return battles_; }
    void StoreStatisticsRow(std::int32_t, std::string_view, std::string_view, std::int32_t sortId,
                            const ClassCounts&) override {
        Stored();
        Require(sortId >= 1 && sortId <= 5);
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
