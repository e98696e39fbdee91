// The personal record as a table: kills and losses per class with totals and
// ratios, and the asteroids won and lost.

#include "cli/Cli.h"
#include "cli/CommandLine.h"

#include "archive/BattleTimeline.h"
#include "archive/PersonalRecord.h"
#include "archive/SettingsStore.h"

#include <algorithm>
#include <ostream>

namespace skarnwald::cli {

namespace {

constexpr std::string_view kStatsUsage =
    "Aufruf: skarnwald-cli stats [--reset] [--by day|week] [--db DATEI]\n"
    "\n"
    "Zeigt die persönliche Statistik: Abschüsse, Verluste, ihre Summen und\n"
    "Verhältnisse, Roid-Gewinne und -Verluste. --reset setzt alles auf 0.\n"
    "\n"
    "Mit --by day oder --by week den Verlauf aus den gespeicherten Kämpfen, je Tag\n"
    "oder Kalenderwoche: Kämpfe, eigene verlorene und zerstörte feindliche Schiffe\n"
    "(Flotten mit den eigenen Koordinaten), gewonnene und verlorene Roids.\n";

constexpr OptionSpec kStatsOptions[] = {{"--reset", "", false}, {"--by", "", true}};

constexpr std::size_t kLabelWidth = 19;
constexpr std::size_t kValueWidth = 13;
constexpr std::size_t kPeriodWidth = 12;

constexpr std::string_view kTimelineHeadings[] = {"Kämpfe", "Verloren", "Zerstört", "Roids gew.",
                                                  "Roids verl."};

constexpr PerClass<std::string_view> kClassHeadings = {"Shuttle",     "Fighter",     "Fregatten", "Corvetten",
                                                       "Starcruiser", "Battleships", "Doomstars"};

// Characters on screen of UTF-8 text: every byte but continuation bytes.
std::size_t ShownWidth(std::string_view text) {
    return static_cast<std::size_t>(
        std::ranges::count_if(text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void Padded(std::string& out, std::string_view text, std::size_t width, bool right) {
    const std::size_t shown = ShownWidth(text);
    const std::string fill(shown < width ? width - shown : 0, ' ');
    out += right ? fill : std::string{};
    out += text;
    out += right ? std::string{} : fill;
}

void AppendClassRow(std::string& out, std::string_view label, const PerClass<std::string>& values,
                    std::string_view total) {
    Padded(out, label, kLabelWidth, false);
    for (const std::string& value : values)
        Padded(out, value, kValueWidth, true);
    Padded(out, total, kValueWidth, true);
    out += '\n';
}

void AppendValueLine(std::string& out, std::string_view label, std::string_view value) {
    Padded(out, label, kLabelWidth, false);
    out += value;
    out += '\n';
}

std::string RecordTable(const PersonalRecordView& record) {
    std::string out(kLabelWidth, ' ');
    for (std::string_view heading : kClassHeadings)
        Padded(out, heading, kValueWidth, true);
    Padded(out, "Gesamt", kValueWidth, true);
    out += '\n';
    AppendClassRow(out, "Abschüsse:", record.kills, record.killsTotal);
    AppendClassRow(out, "Verluste:", record.losses, record.lossesTotal);
    AppendClassRow(out, "Absch. / Verl.:", record.ratios, record.totalRatio);
    out += '\n';
    AppendValueLine(out, "Roid-Gewinne:", record.roidGain);
    AppendValueLine(out, "Roid-Verluste:", record.roidLoss);
    AppendValueLine(out, "R-Gew. / R-Verl.:", record.roidRatio);
    return out;
}

std::string TimelineTable(const std::vector<TimelinePoint>& points) {
    std::string out;
    Padded(out, "Zeitraum", kPeriodWidth, false);
    for (std::string_view heading : kTimelineHeadings)
        Padded(out, heading, kValueWidth, true);
    out += '\n';
    for (const TimelinePoint& point : points) {
        Padded(out, point.period, kPeriodWidth, false);
        for (std::int64_t value : {std::int64_t{point.battles}, point.shipsLost, point.shipsDestroyed,
                                   point.roidsWon, point.roidsLost})
            Padded(out, std::to_string(value), kValueWidth, true);
        out += '\n';
    }
    return out;
}

int PrintTimeline(const ParsedArgs& args, Streams streams) {
    const std::string& by = *args.Value("--by");
    if (by != "day" && by != "week") {
        streams.err << "skarnwald-cli stats: --by nimmt day oder week\n" << kStatsUsage;
        return 2;
    }
    const CommandDatabase connection(args, "stats", streams);
    if (!connection)
        return 1;
    const auto battles = LoadBattleFigures(*connection, ReadSetting(*connection, kOwnCoordsSetting));
    if (!battles)
        return 1;
    streams.out << TimelineTable(
        SumPerPeriod(*battles, by == "day" ? TimelineStep::Day : TimelineStep::Week));
    return connection.ExitCode();
}

} // namespace

int RunStats(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed = ParseArgs(args, kStatsOptions, 0, "stats", kStatsUsage, streams, exitCode);
    if (!parsed)
        return exitCode;
    if (parsed->Has("--by"))
        return PrintTimeline(*parsed, streams);
    const CommandDatabase connection(*parsed, "stats", streams);
    if (!connection)
        return 1;

    std::optional<PersonalRecordView> record;
    if (parsed->Has("--reset")) {
        if (ResetPersonalRecord(*connection))
            record = ZeroedPersonalRecord();
    } else {
        record = LoadPersonalRecord(*connection);
    }
    if (!record)
        return 1;
    streams.out << RecordTable(*record);
    return connection.ExitCode();
}

} // namespace skarnwald::cli
