// What the page's worker calls: convert(bytes, options, onProgress) and
// reportText(bytes, options) with the report as a Uint8Array; every output
// comes back as bytes, so the page the browser downloads is exactly what the
// converter wrote.

#include "ArchiveStore.h"
#include "JsValues.h"
#include "WebConversion.h"

#include "archive/BattleDatabase.h"
#include "writers/ReportTextWriter.h"
#include "writers/ShareFormats.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

namespace {

using emscripten::val;
using skarnwald::web::Bytes;
using skarnwald::web::BytesOf;
using skarnwald::web::TextField;

// Passes progress on as a fraction, only when the whole percent changes, so a
// large report does not flood the worker with messages.
class CallbackProgress final : public skarnwald::IProgress {
public:
    explicit CallbackProgress(val callback) : callback_(std::move(callback)) {}
    void SetRange(int lower, int upper) override {
        lower_ = lower;
        upper_ = upper;
    }
    void SetPos(int pos) override {
        if (upper_ <= lower_ || callback_.isUndefined() || callback_.isNull())
            return;
        const int percent = static_cast<int>(100LL * (pos - lower_) / (upper_ - lower_));
        if (percent == lastPercent_)
            return;
        lastPercent_ = percent;
        callback_(percent / 100.0);
    }

private:
    val callback_;
    int lower_ = 0;
    int upper_ = 0;
    int lastPercent_ = -1;
};

bool SwitchOption(const val& options, const char* name) {
    return options[name].isTrue();
}

skarnwald::Redaction RedactionOf(const val& options) {
    return {SwitchOption(options, "hideOwn"), SwitchOption(options, "hideNames"),
            SwitchOption(options, "hideCoords")};
}

// The last cut page stays here until the player downloads or opens it:
// copying tens of megabytes out of the module cost more than writing them.
std::string& KeptPage() {
    static std::string page;
    return page;
}

val BytesArray(const std::vector<std::string>& parts) {
    val array = val::array();
    for (const std::string& part : parts)
        array.call<void>("push", Bytes(part));
    return array;
}

// The share texts: bbcode, title, json and the summary picture card (card,
// SVG) as bytes, discord as an array of messages.
val ShareTexts(const skarnwald::ConversionResult& conversion) {
    val formats = val::object();
    formats.set("bbcode", Bytes(conversion.bbcode));
    formats.set("title", Bytes(conversion.title));
    formats.set("json", Bytes(conversion.json));
    formats.set("card", Bytes(conversion.card));
    formats.set("discord", BytesArray(conversion.discordMessages));
    return formats;
}

val ConversionFacts(skarnwald::ConversionResult&& conversion) {
    val result = val::object();
    const bool cut = !conversion.preview.empty();
    KeptPage() = cut ? std::move(conversion.page) : std::string();
    if (!cut)
        result.set("html", Bytes(conversion.page));
    result.set("preview", Bytes(conversion.preview));
    result.set("battles", static_cast<double>(conversion.battles));
    val first = val::object();
    first.set("coords", conversion.first.coords);
    first.set("place", conversion.first.place);
    first.set("date", conversion.first.date);
    first.set("fileName", skarnwald::PageFileStem(conversion.first.coords, conversion.first.date));
    result.set("first", first);
    result.set("formats", ShareTexts(conversion));
    if (!conversion.reportText.empty())
        result.set("reportText", Bytes(conversion.reportText));
    return result;
}

// What storing did, beside the page's facts.
void SetStoringFacts(val& result, const skarnwald::web::StoredConversion& stored) {
    result.set("storedBattles", stored.storedBattles);
    result.set("keptRecord", stored.keptRecord);
    result.set("skipped", stored.skipped);
    result.set("skippedNote", stored.skipped > 0 ? skarnwald::SkippedBattlesNote(stored.skipped) : "");
}

// options: {ownCoords, hideOwn, hideNames, hideCoords, store, reportText}.
// One walk makes everything the page shows: what the preview shows (preview,
// empty when it is the whole page) and the page (html; missing when the
// preview is cut: wholePage() gives it) as bytes, the number of battles, the
// first battle's coords, place and date as the outputs show them with the
// name its files are offered under (fileName, without an extension), the
// share texts (formats, see ShareTexts) and, with reportText, the report as
// text with what the switches hide replaced (reportText, bytes). With store
// the archive's settings decide what the same walk stores; the result then
// also tells whether the battles were stored (storedBattles), whether the
// personal record's figures changed (keptRecord), and how many battles were
// stored before (skipped) with the note that says so (skippedNote).
val Convert(val array, val options, val onProgress) {
    // This conversion supersedes the last one's page: freed first, the two
    // never take up the module's memory at once.
    std::string().swap(KeptPage());
    std::string bytes = BytesOf(array);
    CallbackProgress progress(std::move(onProgress));
    skarnwald::ConversionOptions conversion = skarnwald::web::PageOptions(
        RedactionOf(options), TextField(options, "ownCoords"), SwitchOption(options, "reportText"));
    conversion.progress = &progress;
    if (!SwitchOption(options, "store"))
        return ConversionFacts(skarnwald::web::ConvertReportBytes(std::move(bytes), conversion));
    auto stored = skarnwald::web::ConvertIntoArchive(std::move(bytes), std::move(conversion));
    val result = ConversionFacts(std::move(stored.conversion));
    SetStoringFacts(result, stored);
    return result;
}

// A shared report taken into the archive as if the player had converted it:
// its battles are stored (each once) and the archive's settings decide what
// the personal record counts. No page is made, so a cut page the player may
// still open stays the one shown. {battles, storedBattles, keptRecord,
// skipped, skippedNote}.
val TakeInReport(val array, std::string ownCoords) {
    skarnwald::ConversionOptions options{.ownCoords = std::move(ownCoords)};
    options.outputs.page = false;
    const auto stored = skarnwald::web::ConvertIntoArchive(BytesOf(array), options, /*storeBattles=*/true);
    val result = val::object();
    result.set("battles", static_cast<double>(stored.conversion.battles));
    SetStoringFacts(result, stored);
    return result;
}

// The report as text with what the switches hide replaced, for share links
// of reports too large to carry one, asked for only when saved instead.
val ReportText(val array, val options) {
    const std::string bytes = BytesOf(array);
    return Bytes(
        skarnwald::web::ShareableReportText(bytes, RedactionOf(options), TextField(options, "ownCoords")));
}

// The whole page of the last conversion whose preview was cut.
val WholePage() {
    return Bytes(KeptPage());
}

std::string StandInOwnCoords() {
    return std::string(skarnwald::kStandInOwnCoords);
}

std::string DiscordSeparator() {
    return skarnwald::DiscordMessageSeparator();
}

} // namespace

EMSCRIPTEN_BINDINGS(skarnwald) {
    emscripten::function("convert", &Convert);
    emscripten::function("takeInReport", &TakeInReport);
    emscripten::function("wholePage", &WholePage);
    emscripten::function("reportText", &ReportText);
    emscripten::function("discordSeparator", &DiscordSeparator);
    emscripten::function("standInOwnCoords", &StandInOwnCoords);
}
