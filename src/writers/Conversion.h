#pragma once
// One conversion as a program asks for it: the report text and the options
// in, and from a single walk of the report everything the program shows or
// saves out: the page or its preview cut, the share texts, the report as
// shareable text, the name its files are offered under. The walk itself and
// its state stay inside.
//
// Storing is one more writer of the same walk, but it belongs to the archive
// above this layer: a program that stores hands its storing writer in, and
// asks its store what was stored and skipped.

#include "reading/ConversionServices.h"
#include "reading/Redaction.h"
#include "writers/PageFileName.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

class IReportWriter;

// What a conversion makes; each output costs its writer's work in the walk.
struct ConversionOutputs {
    bool page = true;
    // Besides the page, its cut for laying out at once (see PreviewPage).
    bool preview = false;
    bool bbcode = false, discord = false, title = false, json = false;
    bool card = false;           // the summary picture card (SVG)
    bool cardEachBattle = false; // and one card per battle
    bool reportText = false;     // the report written back for a share link

    // Every share text and the summary card.
    static ConversionOutputs ShareTexts(bool withPage);
};

struct ConversionOptions {
    Redaction redaction;
    std::string ownCoords; // Koords, for hiding the own fleets
    ConversionOutputs outputs{};
    // Where the page goes as it is written, so a large one never sits whole
    // in memory; without it the result holds the page.
    std::ostream* pageOut = nullptr;
    IProgress* progress = nullptr;
    // Attached for the walk when given; not owned.
    IReportWriter* storing = nullptr;
};

struct ConversionResult {
    std::size_t battles = 0;
    std::string page;    // empty when written to pageOut or not asked for
    std::string preview; // empty when the page is small enough to show whole
    std::string bbcode, title, json;
    std::vector<std::string> discordMessages;
    std::string card;                     // the summary card
    std::vector<std::string> battleCards; // one per battle, when asked for
    std::string reportText;
    FirstBattle first;
    std::string fileName; // the page's, "Kampf 11.7.8 2026-12-09.htm" in German
    // The storing writer took part: a battle was found and nothing hidden.
    bool storingRan = false;
};

// Converts `report` (UTF-8, as the readers deliver it) as `options` say.
ConversionResult Convert(std::string_view report, const ConversionOptions& options);

// A large page cut down for laying out at once: the first battles, the first
// fleets' summary tables and both sides' tables, with a note where it was
// cut. `rowsEnd` is where the table of the battle rows ends (npos when the
// page has none). A page that small already comes back empty.
std::string PreviewPage(std::string_view page, std::size_t rowsEnd);

} // namespace skarnwald
