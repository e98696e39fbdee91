// Conversion speed and memory on generated reports:
//   one   - about 20 MB, one battle of about 200,000 lines;
//   many  - about 5 MB, 1,000 battles in which the same fleets come back;
//   tiny  - about 5 MB of battles of eight lines each (about 8,000 headers);
//   formats - the report of "one" in every output format, each against the page;
//   walk  - the report of "many" converted as the web edition does, the page in
//           memory with its preview, then with every share text and the link's
//           text from the same walk;
//   shared1000, shared2000, shared4000 - about 5, 10 and 20 MB of battles among
//           150 players of three alliances that keep fighting each other, as in
//           the archive of a round: the same coordinates come back in many
//           battles and sides change with the alliances' fronts;
//   flip1000, flip2000, flip4000 - about 5, 10 and 19 MB built so that every
//           pre-pass ends with all sides the other way round from the one
//           before;
//   bystander1000, bystander2000, bystander4000 - the same with one bystander
//           whose side never changes after the first battle, so that no
//           pre-pass ends in the state of the one before it, not even turned
//           round;
//   worst1000, worst2000, worst4000 - the flipping battles where the defender
//           also hits two players of its own in every battle, each seen only
//           there: what differs between one pre-pass and the next never dies
//           out and reaches more coordinates the longer the rest of the
//           report, the worst case of the side detection known so far.
// Each case runs in a child process of its own so that its peak memory is its
// own; every case is converted several times and the medians are printed.
// Usage: skarnwald-convert-bench [case|formats] [runs]
//        skarnwald-convert-bench write CASE FILE   (writes the report only)

#include "reading/ReportConverter.h"
#include "writers/Conversion.h"
#include "writers/HtmlWriter.h"
#include "writers/ShareFormats.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using skarnwald::CReportConverter;
using skarnwald::ShareFormat;

// Counts the page's bytes and throws them away.
class CountingBuffer : public std::streambuf {
public:
    std::size_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += static_cast<std::size_t>(n);
        return n;
    }
    int overflow(int c) override {
        ++bytes;
        return c;
    }
};

const char* const kClasses[] = {"Shuttle",     "Fighter",    "Frigate", "Corvette",
                                "Starcruiser", "Battleship", "Doomstar"};

// One battle at `planet`: each of `fleets` fleets brings a stack and fires
// `shots` times at a fleet of the other side.
void AppendBattle(std::string& report, int battle, int fleets, int shots) {
    const int planet = battle % 13;
    report += "2026-05-" + std::to_string(10 + battle % 20) + " 12:00:00 Uhr Battle at [" +
              std::to_string(planet) + ".4.2] Feld " + std::to_string(battle) + "\n";
    for (int f = 0; f < fleets; ++f) {
        const bool defender = f % 2 == 0;
        const std::string coords =
            defender ? std::to_string(planet) + ".4.2" : std::to_string(20 + f % 17) + ".9.1";
        const std::string name = "Flotte" + std::to_string(f % 41);
        const char* cls = kClasses[f % 7];
        const int stack = 1000 - (battle % 50) * 3;
        report += "Agility " + std::to_string(10 + f % 40) + " Speed 3 [" + std::to_string(stack) + "/" +
                  std::to_string(stack) + "] " + cls + " (Schiff der Flotte " + std::to_string(f) +
                  ") from " + coords + " " + name + "\n";
        for (int s = 0; s < shots; ++s) {
            const int target = (f + 1 + 2 * s) % fleets;
            const std::string targetCoords =
                target % 2 == 0 ? std::to_string(planet) + ".4.2" : std::to_string(20 + target % 17) + ".9.1";
            report += std::string(cls) + " (Schiff " + std::to_string(f) + ") " +
                      (s % 3 ? "destroyed" : "lamed") + " [" + std::to_string(1 + s % 9) + "/" +
                      std::to_string(stack) + "] " + kClasses[target % 7] + " (Zielschiff der Gegner) from " +
                      targetCoords + " Flotte" + std::to_string(target % 41) + "\n";
        }
        if (f % 25 == 0)
            report += std::string(cls) + " (Schiff) causes 1200 Damage (!) but no ships were taken down\n";
    }
    report += "Roid-Capture : [" + std::to_string(20 + battle % 17) + ".9.1] Flotte1 has captured 12 Roids\n";
    report += "SALVAGE-END-REPORT : Your fleet salvaged 3100 Metal !\n";
}

std::string OneBigBattle() {
    std::string report;
    AppendBattle(report, 0, 10500, 19); // ~200,000 lines
    return report;
}

std::string ManyBattles() {
    std::string report;
    for (int battle = 0; battle < 1000; ++battle)
        AppendBattle(report, battle, 8, 6);
    return report;
}

std::string TinyBattles() {
    std::string report;
    for (int battle = 0; report.size() < 5000000; ++battle)
        AppendBattle(report, battle, 2, 1);
    return report;
}

// Deterministic pseudo-random numbers, the same on every machine.
class Lcg {
public:
    unsigned Next(unsigned n) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<unsigned>(state_ >> 33) % n;
    }

private:
    unsigned long long state_ = 20261208;
};

std::string PlayerCoords(unsigned player) {
    return std::to_string(1 + player / 10) + "." + std::to_string(1 + player % 10) + "." +
           std::to_string(1 + player * 7 % 13);
}

struct Fleet {
    unsigned player;
    const char* cls;
};

void AppendFleetLine(std::string& report, const Fleet& fleet, int stack) {
    report += "Agility 25 Speed 3 [" + std::to_string(stack) + "/" + std::to_string(stack) + "] " +
              fleet.cls + " (Schiff der Flotte) from " + PlayerCoords(fleet.player) + " Spieler" +
              std::to_string(fleet.player) + "\n";
}

void AppendShot(std::string& report, const Fleet& shooter, const Fleet& target, int shot) {
    report += std::string(shooter.cls) + " (Schiff) " + (shot % 3 ? "destroyed" : "lamed") + " [" +
              std::to_string(1 + shot % 9) + "/500] " + target.cls + " (Zielschiff der Gegner) from " +
              PlayerCoords(target.player) + " Spieler" + std::to_string(target.player) + "\n";
}

void AppendHeader(std::string& report, int battle, unsigned planet) {
    report += "2026-05-" + std::to_string(10 + battle % 20) + " 12:00:00 Uhr Battle at [" +
              PlayerCoords(planet) + "] Feld " + std::to_string(battle) + "\n";
}

// 150 players in three alliances; in each battle one alliance attacks a planet
// of another, three defenders against four attackers, two stacks each, and
// every stack fires three times at the other side.
std::string SharedCoordinateBattles(int battles) {
    constexpr unsigned kPlayers = 150;
    Lcg random;
    const auto member = [&](unsigned alliance) { return alliance + 3 * random.Next(kPlayers / 3); };
    std::string report = "Kampfberichte der Runde 12\n";
    for (int battle = 0; battle < battles; ++battle) {
        const unsigned defending = random.Next(3);
        const unsigned attacking = (defending + 1 + random.Next(2)) % 3;
        const unsigned planet = member(defending);
        AppendHeader(report, battle, planet);
        std::vector<Fleet> sides[2];
        for (int f = 0; f < 3; ++f)
            for (int c = 0; c < 2; ++c)
                sides[0].push_back({f == 0 ? planet : member(defending), kClasses[random.Next(7)]});
        for (int f = 0; f < 4; ++f)
            for (int c = 0; c < 2; ++c)
                sides[1].push_back({member(attacking), kClasses[random.Next(7)]});
        for (int side = 0; side < 2; ++side) {
            for (const Fleet& fleet : sides[side]) {
                AppendFleetLine(report, fleet, 500);
                for (int shot = 0; shot < 3; ++shot) {
                    const std::vector<Fleet>& enemies = sides[1 - side];
                    AppendShot(report, fleet, enemies[random.Next(static_cast<unsigned>(enemies.size()))],
                               shot);
                }
            }
        }
        report += "Roid-Capture : [" + PlayerCoords(sides[1][0].player) + "] Spieler has captured 12 Roids\n";
        report += "SALVAGE-END-REPORT : Your fleet salvaged 3100 Metal !\n";
    }
    return report;
}

// Battles between two players whose hits keep both sides as they are, and a
// last battle in which a third player closes an odd ring of hits: replaying
// it turns every side round, so every pre-pass ends the other way round from
// the one before. A bystander hit in the first battle only keeps its side;
// with `freshTargets` the defender also hits that many players of its own in
// every battle, new ones each time.
std::string FlippingBattles(int battles, bool bystander, unsigned freshTargets = 0) {
    const Fleet defender{0, "Fighter"}, attacker{1, "Corvette"}, third{2, "Frigate"}, other{3, "Shuttle"};
    std::string report = "Kampfberichte der Runde 12\n";
    unsigned fresh = 4;
    for (int battle = 0; battle < battles; ++battle) {
        AppendHeader(report, battle, defender.player);
        if (battle == 0 && bystander) {
            AppendFleetLine(report, defender, 500);
            AppendShot(report, defender, other, 0);
        }
        for (int round = 0; round < 7; ++round) {
            AppendFleetLine(report, defender, 500);
            for (int shot = 0; shot < 3; ++shot)
                AppendShot(report, defender, attacker, shot);
            AppendFleetLine(report, attacker, 500);
            for (int shot = 0; shot < 3; ++shot)
                AppendShot(report, attacker, defender, shot);
        }
        if (freshTargets > 0) {
            AppendFleetLine(report, defender, 500);
            for (unsigned t = 0; t < freshTargets; ++t)
                AppendShot(report, defender, {fresh++, "Shuttle"}, static_cast<int>(t));
        }
    }
    AppendFleetLine(report, third, 500);
    AppendShot(report, third, defender, 0);
    AppendFleetLine(report, defender, 500);
    AppendShot(report, defender, attacker, 0);
    AppendFleetLine(report, attacker, 500);
    AppendShot(report, attacker, third, 0);
    return report;
}

std::string MakeReport(const std::string& name) {
    if (name == "one")
        return OneBigBattle();
    if (name == "many")
        return ManyBattles();
    if (name == "tiny")
        return TinyBattles();
    if (name.starts_with("shared"))
        return SharedCoordinateBattles(std::atoi(name.c_str() + 6));
    if (name.starts_with("flip"))
        return FlippingBattles(std::atoi(name.c_str() + 4), false);
    if (name.starts_with("bystander"))
        return FlippingBattles(std::atoi(name.c_str() + 9), true);
    if (name.starts_with("worst"))
        return FlippingBattles(std::atoi(name.c_str() + 5), false, 2);
    std::fprintf(stderr, "unknown case %s\n", name.c_str());
    std::exit(2);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Every format of the same report, one walk each, as the command line runs
// them; then all writers on one walk, as the desktop and the web edition do.
int RunFormats(int runs) {
    const std::string report = OneBigBattle();
    const std::pair<const char*, ShareFormat> formats[] = {{"html", ShareFormat::Html},
                                                           {"bbcode", ShareFormat::BBCode},
                                                           {"discord", ShareFormat::Discord},
                                                           {"title", ShareFormat::Title},
                                                           {"json", ShareFormat::Json}};
    double htmlMedian = 0;
    const auto print = [&](const char* name, const std::vector<double>& cpu, std::size_t bytes) {
        const double median = Median(cpu);
        if (htmlMedian == 0)
            htmlMedian = median;
        std::printf("%-8s input %.1f MB, output %.1f MB, %d runs: median CPU %.3f s, %.2f x html\n", name,
                    static_cast<double>(report.size()) / 1e6, static_cast<double>(bytes) / 1e6, runs, median,
                    median / htmlMedian);
    };
    for (const auto& [name, format] : formats) {
        std::vector<double> cpuSeconds;
        std::size_t bytes = 0;
        for (int run = 0; run < runs; ++run) {
            CountingBuffer sink;
            std::ostream out(&sink);
            CReportConverter converter;
            const std::clock_t cpuStart = std::clock();
            skarnwald::ConvertToFormat(converter, report, format, out);
            cpuSeconds.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
            bytes = sink.bytes;
        }
        print(name, cpuSeconds, bytes);
    }
    std::vector<double> cpuSeconds;
    std::size_t bytes = 0;
    for (int run = 0; run < runs; ++run) {
        const std::clock_t cpuStart = std::clock();
        const auto shared = skarnwald::ConvertForSharing(report, {}, "");
        cpuSeconds.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        bytes = shared.html.size() + shared.bbcode.size() + shared.title.size() + shared.json.size();
    }
    print("all", cpuSeconds, bytes);
    return 0;
}

// The web edition's conversion: the page in memory and its preview, alone
// and with everything else the result section shows from the same walk.
int RunWalk(int runs) {
    const std::string report = ManyBattles();
    using skarnwald::ConversionOptions, skarnwald::ConversionOutputs, skarnwald::ConversionResult;
    ConversionOptions pageOnly;
    pageOnly.outputs.preview = true;
    ConversionOptions everything = pageOnly;
    everything.outputs = ConversionOutputs::ShareTexts(true);
    everything.outputs.preview = everything.outputs.reportText = true;
    double pageMedian = 0;
    for (const auto& [name, options] : {std::pair{"page", pageOnly}, std::pair{"all", everything}}) {
        std::vector<double> cpuSeconds;
        for (int run = 0; run < runs; ++run) {
            const std::clock_t cpuStart = std::clock();
            const ConversionResult result = skarnwald::Convert(report, options);
            cpuSeconds.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        }
        const double median = Median(cpuSeconds);
        if (pageMedian == 0)
            pageMedian = median;
        std::printf("walk %-4s input %.1f MB, %d runs: median CPU %.3f s, %.2f x page\n", name,
                    static_cast<double>(report.size()) / 1e6, runs, median, median / pageMedian);
    }
    return 0;
}

int RunCase(const std::string& name, int runs) {
    if (name == "formats")
        return RunFormats(runs);
    if (name == "walk")
        return RunWalk(runs);
    const std::string report = MakeReport(name);
    std::vector<double> seconds, cpuSeconds; // wall clock, and CPU time (less shaken by other load)
    std::size_t pageBytes = 0;
    std::size_t lines = static_cast<std::size_t>(std::count(report.begin(), report.end(), '\n'));
    for (int run = 0; run < runs; ++run) {
        CountingBuffer sink;
        std::ostream out(&sink);
        CReportConverter converter;
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        ConvertToPage(converter, report, out);
        cpuSeconds.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        pageBytes = sink.bytes;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double inputMb = static_cast<double>(report.size()) / 1e6;
    const double median = Median(seconds);
    const double peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    const double boundMb = 4.0 * static_cast<double>(report.size() + pageBytes) / (1024.0 * 1024.0);
    const double cpuMedian = Median(cpuSeconds);
    std::printf("%-5s input %.1f MB (%zu lines), page %.1f MB, %d runs: median %.3f s, %.1f MB/s "
                "(CPU %.3f s, %.1f MB/s), peak RSS %.1f MiB (4 x (input + page) = %.1f MiB)\n",
                name.c_str(), inputMb, lines, static_cast<double>(pageBytes) / 1e6, runs, median,
                inputMb / median, cpuMedian, inputMb / cpuMedian, peakMb, boundMb);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "write") {
        std::FILE* file = std::fopen(argv[3], "wb");
        const std::string report = MakeReport(argv[2]);
        if (!file || std::fwrite(report.data(), 1, report.size(), file) != report.size() ||
            std::fclose(file) != 0)
            return 1;
        return 0;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::vector<std::string> cases = {
        "one",       "many",      "tiny",      "shared1000",    "shared2000",    "shared4000",
        "flip1000",  "flip2000",  "flip4000",  "bystander1000", "bystander2000", "bystander4000",
        "worst1000", "worst2000", "worst4000", "formats",       "walk"};
    if (argc > 1)
        cases = {argv[1]};
    for (const std::string& name : cases) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0)
            std::exit(RunCase(name, runs));
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return 1;
    }
    return 0;
}
