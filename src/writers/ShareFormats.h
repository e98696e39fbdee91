#pragma once
// Every output of one conversion at once, for callers that want to share a
// battle in several places (the web edition, the desktop's share commands).

#include "reading/ConversionServices.h"
#include "reading/Redaction.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

class CReportConverter;

enum class ShareFormat { Html, BBCode, Discord, Title, Json };

struct SharedConversion {
    std::string html, bbcode, title, json;
    std::vector<std::string> discordMessages;
};

// One walk over the (already UTF-8) report feeding every writer; `progress`,
// when given, follows the walk.
SharedConversion ConvertForSharing(std::string_view report, const Redaction& redaction,
                                   std::string_view ownCoords, IProgress* progress = nullptr);
// The same walk for the share texts alone, without the page (html stays empty).
SharedConversion ConvertShareTexts(std::string_view report, const Redaction& redaction,
                                   std::string_view ownCoords);

// The most characters (code points) Discord takes in one message.
inline constexpr std::size_t kDiscordMessageLimit = 2000;

// The line the command line prints between two Discord messages, in the
// core's language. No line of a message can equal it.
std::string DiscordMessageSeparator();

// "html", "bbcode", "discord", "title", "json".
std::optional<ShareFormat> ShareFormatNamed(std::string_view name);
// The file name for a chosen output path: pages as ever (".htm" unless the
// path ends in "htm" or "html"); the other formats get ".txt", ".md" or
// ".json" when the path's file name has no extension.
std::string ShareOutputFileName(std::string_view chosenPath, ShareFormat format);
// Discord messages as one text, with the separator line between them.
std::string JoinDiscordMessages(const std::vector<std::string>& messages);

// One conversion by `converter` (its settings, store and redaction apply)
// into one format, written to `out`. Only that format's writer runs.
void ConvertToFormat(CReportConverter& converter, std::string_view report, ShareFormat format,
                     std::ostream& out);

} // namespace skarnwald
