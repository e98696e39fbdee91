// Makes every shared format of arbitrary bytes as a report (ConversionInput.h),
// normalised to UTF-8 as the share commands get it: every text must be UTF-8,
// the JSON must parse, no Discord message may pass the limit or hold the separator
// line, and none may part a battle's heading or a table from what they
// belong to.

#include "ConversionInput.h"
#include "text/Utf8Text.h"
#include "writers/ShareFormats.h"
#include "writers/ShareText.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace skarnwald;
using fuzzing::Require;

void CheckDiscordMessages(const std::vector<std::string>& messages) {
    Require(!messages.empty());
    for (std::size_t m = 0; m < messages.size(); ++m) {
        Require(IsValidUtf8(messages[m]) && CodePoints(messages[m]) <= kDiscordMessageLimit &&
                messages[m].find(DiscordMessageSeparator()) == std::string::npos);
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
    const auto input = fuzzing::ReadConversionInput(data, size);
    if (!input)
        return 0;
    const SharedConversion shared =
        ConvertForSharing(NormaliseText(input->report), input->redaction, input->settings.ownCoords);
    for (const std::string* text : {&shared.html, &shared.bbcode, &shared.title, &shared.json})
        Require(IsValidUtf8(*text));
    Require(nlohmann::json::accept(shared.json));
    CheckDiscordMessages(shared.discordMessages);
    return 0;
}
