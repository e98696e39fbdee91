// Converts arbitrary bytes as a report. The first three bytes pick the
// settings: storing, personal statistics, redaction and the own coordinates,
// and whether the text is first normalised to UTF-8 as every front end does;
// the page of normalised text must be UTF-8 too. A store that checks the order
// of its calls traps on any call out of place; a redacted conversion must not
// reach it at all. On short reports the sides must be exactly those of the
// literal pre-pass. Then every shared format is made from the same report: the
// JSON must parse as valid UTF-8, no Discord message may pass the limit and
// none may part a battle's heading or a table from what they belong to.

#include "LiteralPrescan.h"
#include "archive/StoringWriter.h"
#include "reading/LineParts.h"
#include "reading/ReportConverter.h"
#include "text/OperaJoin.h"
#include "text/Utf8Text.h"
#include "writers/HtmlFragments.h"
#include "writers/HtmlWriter.h"
#include "writers/ShareFormats.h"
#include "writers/ShareText.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using namespace skarnwald;

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

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

std::string OwnCoords(std::uint8_t choice, std::string_view report) {
    switch (choice % 4) {
    case 0:
        return {};
    case 1:
        return "1.1.1";
    case 2:
        return BracketCoords(report); // the first battle's planet, when there is one
    default:
        return RemoveBlanks(CutAfterFrom(report).coords);
    }
}

// The literal pre-pass walks the rest of the report at every header, so only
// short reports are checked against it.
constexpr std::size_t kLiteralCheckLimit = 4096;

void ConvertOnce(CReportConverter& converter, const StoringSettings& settings, std::string_view report,
                 bool utf8) {
    // The literal pre-pass starts from the members a previous conversion left.
    CReportConverter literal;
    literal.currentFleetName = converter.currentFleetName;
    literal.currentFleetCoords = converter.currentFleetCoords;
    const bool redacted = converter.redaction.Any();
    CheckingStore store(settings.StoresBattles() && !redacted, settings.KeepsRecord() && !redacted);
    CStoringWriter storing(store, settings);
    converter.AddWriter(&storing);
    test::SideTableRecorder sides(converter);
    converter.AddWriter(&sides);
    std::ostringstream page;
    ConvertToPage(converter, report, page);
    converter.ClearWriters();
    Require(store.Finished() != redacted);
    const std::string html = page.str();
    Require(html.starts_with(html::kPageStart) && html.ends_with(html::kSummaryEnd));
    Require(!utf8 || IsValidUtf8(html));
    Require(converter.sideList.empty() && converter.tallyTree.empty());
    if (report.size() <= kLiteralCheckLimit) {
        std::vector<std::string> literalSides;
        Require(test::FleetRowColours(html) == test::ReferenceFleetColours(literal, report, &literalSides));
        Require(sides.tables == literalSides);
    }
}

void ShareOnce(std::string_view report, const Redaction& redaction, std::string_view ownCoords) {
    const SharedConversion shared = ConvertForSharing(NormaliseText(report), redaction, ownCoords);
    Require(IsValidUtf8(shared.json) && nlohmann::json::accept(shared.json));
    Require(!shared.discordMessages.empty());
    const auto& messages = shared.discordMessages;
    const std::string separator = DiscordMessageSeparator();
    for (std::size_t m = 0; m < messages.size(); ++m) {
        Require(CodePoints(messages[m]) <= kDiscordMessageLimit &&
                messages[m].find(separator) == std::string::npos);
        if (m == 0)
            continue;
        // A table never opens a message, and a heading ends one only when its
        // battle holds nothing more.
        const std::string_view previous = messages[m - 1];
        const std::string_view lastLine = previous.substr(previous.rfind('\n') + 1);
        Require(!messages[m].starts_with("```"));
        Require(!lastLine.starts_with("**Kampf ") || messages[m].starts_with("**Kampf "));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const std::uint8_t flags = data[0];
    std::string report(reinterpret_cast<const char*>(data) + 3, size - 3);
    const bool utf8 = !(flags & 0x40);
    if (utf8)
        NormaliseTextInPlace(report);
    if (flags & 0x10)
        report = PrepareCopiedReport(std::move(report));

    CReportConverter converter;
    const StoringSettings settings{flags & 0x03, data[1] & 0x03, OwnCoords(data[2], report)};
    converter.ownCoords = settings.ownCoords;
    converter.redaction = {(data[1] & 0x04) != 0, (data[1] & 0x08) != 0, (data[1] & 0x10) != 0};
    ConvertOnce(converter, settings, report, utf8);
    // A second conversion with the same converter must not see the first one's state.
    if (flags & 0x20)
        ConvertOnce(converter, settings, report, utf8);
    ShareOnce(report, converter.redaction, converter.ownCoords);
    return 0;
}
