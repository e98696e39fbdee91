#include "writers/ShareFormats.h"

#include "reading/ReportConverter.h"
#include "text/Catalog.h"
#include "text/ReportFiles.h"
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
    return std::nullopt;
}

std::string ShareOutputFileName(std::string_view chosenPath, ShareFormat format) {
    if (format == ShareFormat::Html)
        return OutputFileName(chosenPath);
    std::string name(chosenPath);
    if (std::filesystem::path(name).filename().has_extension())
        return name;
    name += format == ShareFormat::Discord ? ".md" : format == ShareFormat::Json ? ".json" : ".txt";
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
    IReportWriter* const writer = format == ShareFormat::BBCode    ? static_cast<IReportWriter*>(&bbcode)
                                  : format == ShareFormat::Discord ? static_cast<IReportWriter*>(&discord)
                                  : format == ShareFormat::Title   ? static_cast<IReportWriter*>(&title)
                                                                   : static_cast<IReportWriter*>(&json);
    converter.AddWriter(writer);
    converter.ConvertReport(report);
    converter.RemoveWriter(writer);
    const std::string text = format == ShareFormat::BBCode    ? std::move(bbcode.Text())
                             : format == ShareFormat::Discord ? JoinDiscordMessages(discord.Messages())
                             : format == ShareFormat::Title   ? std::move(title.Text())
                                                              : std::move(json.Text());
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
}

namespace {

// One walk feeding the four share writers, and the page when `withPage`.
SharedConversion Share(std::string_view report, const Redaction& redaction, std::string_view ownCoords,
                       IProgress* progress, bool withPage) {
    CReportConverter converter;
    converter.SetProgress(progress);
    converter.redaction = redaction;
    converter.ownCoords = std::string(ownCoords);
    CBBCodeWriter bbcode;
    CDiscordWriter discord;
    CTitleWriter title;
    CJsonWriter json;
    for (IReportWriter* writer : std::initializer_list<IReportWriter*>{&bbcode, &discord, &title, &json})
        converter.AddWriter(writer);

    SharedConversion shared;
    if (withPage) {
        std::ostringstream page;
        ConvertToPage(converter, report, page);
        shared.html = std::move(page).str();
    } else {
        converter.ConvertReport(report);
    }
    shared.bbcode = std::move(bbcode.Text());
    shared.discordMessages = std::move(discord.Messages());
    shared.title = std::move(title.Text());
    shared.json = std::move(json.Text());
    return shared;
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

} // namespace skarnwald
