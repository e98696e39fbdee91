#include "writers/ShareFormats.h"

#include "reading/ReportConverter.h"
#include "text/Catalog.h"
#include "text/ReportFiles.h"
#include "writers/BattleCard.h"
#include "writers/Conversion.h"
#include "writers/HtmlWriter.h"
#include "writers/ShareWriters.h"

#include <filesystem>
#include <ostream>
#include <sstream>

namespace skarnwald {

std::string DiscordMessageSeparator() {
    // A message line always begins with something the writer chose (a heading,
    // a side name, a code fence, a table row, a capture or salvage line), never
    // with these scissors, so the line cannot stand inside a message whatever
    // the language's words between them.
    return "-----8<----- " + std::string(CoreTexts().Text("share.nextMessage")) + " -----8<-----";
}

std::optional<ShareFormat> ShareFormatNamed(std::string_view name) {
    if (name == "html")
        return ShareFormat::Html;
    if (name == "bbcode")
        return ShareFormat::BBCode;
    if (name == "discord")
        return ShareFormat::Discord;
    if (name == "title")
        return ShareFormat::Title;
    if (name == "json")
        return ShareFormat::Json;
    if (name == "svg")
        return ShareFormat::Svg;
    return std::nullopt;
}

std::string ShareOutputFileName(std::string_view chosenPath, ShareFormat format) {
    if (format == ShareFormat::Html)
        return OutputFileName(chosenPath);
    std::string name(chosenPath);
    if (std::filesystem::path(name).filename().has_extension())
        return name;
    name += format == ShareFormat::Discord ? ".md"
            : format == ShareFormat::Json  ? ".json"
            : format == ShareFormat::Svg   ? ".svg"
                                           : ".txt";
    return name;
}

std::string JoinDiscordMessages(const std::vector<std::string>& messages) {
    const std::string separator = DiscordMessageSeparator();
    std::string joined;
    for (const std::string& message : messages) {
        if (!joined.empty()) {
            joined += separator;
            joined += '\n';
        }
        joined += message;
        joined += '\n';
    }
    return joined;
}

void ConvertToFormat(CReportConverter& converter, std::string_view report, ShareFormat format,
                     std::ostream& out) {
    if (format == ShareFormat::Html) {
        ConvertToPage(converter, report, out);
        return;
    }
    CBBCodeWriter bbcode;
    CDiscordWriter discord;
    CTitleWriter title;
    CJsonWriter json;
    CCardWriter card;
    IReportWriter* const writer = format == ShareFormat::BBCode    ? static_cast<IReportWriter*>(&bbcode)
                                  : format == ShareFormat::Discord ? static_cast<IReportWriter*>(&discord)
                                  : format == ShareFormat::Title   ? static_cast<IReportWriter*>(&title)
                                  : format == ShareFormat::Svg     ? static_cast<IReportWriter*>(&card)
                                                                   : static_cast<IReportWriter*>(&json);
    converter.AddWriter(writer);
    converter.ConvertReport(report);
    converter.RemoveWriter(writer);
    const std::string text = format == ShareFormat::BBCode    ? std::move(bbcode.Text())
                             : format == ShareFormat::Discord ? JoinDiscordMessages(discord.Messages())
                             : format == ShareFormat::Title   ? std::move(title.Text())
                             : format == ShareFormat::Svg     ? std::move(card.Cards().summary)
                                                              : std::move(json.Text());
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
}

namespace {

SharedConversion Share(std::string_view report, const Redaction& redaction, std::string_view ownCoords,
                       IProgress* progress, bool withPage) {
    ConversionResult converted = Convert(report, {.redaction = redaction,
                                                  .ownCoords = std::string(ownCoords),
                                                  .outputs = ConversionOutputs::ShareTexts(withPage),
                                                  .progress = progress});
    return {.html = std::move(converted.page),
            .bbcode = std::move(converted.bbcode),
            .title = std::move(converted.title),
            .json = std::move(converted.json),
            .discordMessages = std::move(converted.discordMessages),
            .card = std::move(converted.card)};
}

} // namespace

SharedConversion ConvertForSharing(std::string_view report, const Redaction& redaction,
                                   std::string_view ownCoords, IProgress* progress) {
    return Share(report, redaction, ownCoords, progress, true);
}

SharedConversion ConvertShareTexts(std::string_view report, const Redaction& redaction,
                                   std::string_view ownCoords) {
    return Share(report, redaction, ownCoords, nullptr, false);
}

BattleCards ConvertToCards(CReportConverter& converter, std::string_view report, bool eachBattle) {
    CCardWriter card(eachBattle);
    converter.AddWriter(&card);
    converter.ConvertReport(report);
    converter.RemoveWriter(&card);
    return std::move(card.Cards());
}

BattleCards ConvertToCards(std::string_view report, const Redaction& redaction, std::string_view ownCoords,
                           bool eachBattle) {
    ConversionOutputs outputs{.page = false, .card = true, .cardEachBattle = eachBattle};
    ConversionResult converted =
        Convert(report, {.redaction = redaction, .ownCoords = std::string(ownCoords), .outputs = outputs});
    return {.summary = std::move(converted.card), .battles = std::move(converted.battleCards)};
}

} // namespace skarnwald
