#pragma once
// Every output of one conversion at once, for callers that want to share a
// battle in several places (the web edition, the desktop's share commands).

#include "convert/Redaction.h"

#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

enum class ShareFormat { Html, BBCode, Discord, Title, Json };

struct SharedConversion {
    std::string html, bbcode, title, json;
    std::vector<std::string> discordMessages;
};

// One walk over the (already UTF-8) report feeding every writer.
SharedConversion ConvertForSharing(std::string_view report, const Redaction& redaction,
                                   std::string_view ownCoords);

// The line the command line prints between two Discord messages. No line of
// a message can equal it.
extern const std::string_view kDiscordMessageSeparator;

} // namespace skarnwald
