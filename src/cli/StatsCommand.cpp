// The personal record as a table: kills and losses per class with totals and
// ratios, and the asteroids won and lost.

#include "cli/Cli.h"
#include "cli/CliTexts.h"
#include "cli/CommandLine.h"

#include "archive/BattleTimeline.h"
#include "archive/PersonalRecord.h"
#include "archive/SettingsStore.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace skarnwald::cli {

namespace {

constexpr OptionSpec kStatsOptions[] = {{"--reset", "", false}, {"--by", "", true}};

constexpr std::size_t kLabelWidth = 19;
constexpr std::size_t kValueWidth = 13;
constexpr std::size_t kPeriodWidth = 12;

std::array<std::string_view, 5> TimelineHeadings() {
    return {CliText("stats.timeline.battles"), CliText("stats.timeline.lost"),
            CliText("stats.timeline.destroyed"), CliText("stats.timeline.roidsWon"),
            CliText("stats.timeline.roidsLost")};
}

PerClass<std::string_view> ClassHeadings() {
    return {CliText("stats.class.shuttle"),     CliText("stats.class.fighter"),
            CliText("stats.class.frigate"),     CliText("stats.class.corvette"),
            CliText("stats.class.starcruiser"), CliText("stats.class.battleship"),
            CliText("stats.class.doomstar")};
}

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
    for (std::string_view heading : ClassHeadings())
        Padded(out, heading, kValueWidth, true);
    Padded(out, CliText("stats.total"), kValueWidth, true);
    out += '\n';
    AppendClassRow(out, CliText("stats.kills"), record.kills, record.killsTotal);
    AppendClassRow(out, CliText("stats.losses"), record.losses, record.lossesTotal);
    AppendClassRow(out, CliText("stats.killRatio"), record.ratios, record.totalRatio);
    out += '\n';
    AppendValueLine(out, CliText("stats.roidGain"), record.roidGain);
    AppendValueLine(out, CliText("stats.roidLoss"), record.roidLoss);
    AppendValueLine(out, CliText("stats.roidRatio"), record.roidRatio);
    return out;
}

std::string TimelineTable(const std::vector<TimelinePoint>& points) {
    std::string out;
    Padded(out, CliText("stats.timeline.period"), kPeriodWidth, false);
    for (std::string_view heading : TimelineHeadings())
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
        streams.err << "skarnwald-cli stats: " << CliText("stats.by") << "\n" << CliText("usage.stats");
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
    const auto parsed = ParseArgs(args, kStatsOptions, 0, "stats", CliText("usage.stats"), streams, exitCode);
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
