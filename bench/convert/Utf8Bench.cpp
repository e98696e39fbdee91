// Speed of normalising report text to UTF-8, on about 20 MB each of ASCII,
// UTF-8 with umlauts and Windows-1252 with umlauts: the cost every report file
// and every database row now pays once, in place as report files are
// normalised. Medians of the CPU time over the runs are printed.
// Usage: skarnwald-utf8-bench [runs]

#include "text/Utf8Text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <time.h>
#include <vector>

namespace {

constexpr std::size_t kSize = 20 * 1000 * 1000;

// Report-like lines; `name` is the only part that is not ASCII.
std::string Report(const std::string& name) {
    std::string text;
    text.reserve(kSize + 200);
    for (int i = 0; text.size() < kSize; ++i) {
        text += "Fighter (Schiff ";
        text += std::to_string(i % 97);
        text += ") destroyed [3/1000] Corvette (Ziel) from 20.9.1 ";
        text += name;
        text += '\n';
    }
    return text;
}

// CPU time of this thread: on a shared machine the wall clock mostly measures
// the other programs.
double ThreadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// In place, as a report file is normalised after reading.
double MedianMilliseconds(const std::string& text, int runs, std::size_t& outBytes) {
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        std::string normalised = text;
        const double start = ThreadCpuMilliseconds();
        skarnwald::NormaliseTextInPlace(normalised);
        ms.push_back(ThreadCpuMilliseconds() - start);
        outBytes = normalised.size();
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const struct {
        const char* label;
        std::string text;
    } cases[] = {{"ascii", Report("Flotte")},
                 {"utf8", Report("J\xC3\xB6rg M\xC3\xBCller")},
                 {"cp1252", Report("J\xF6rg M\xFCller")}};
    for (const auto& c : cases) {
        std::size_t outBytes = 0;
        const double ms = MedianMilliseconds(c.text, runs, outBytes);
        std::printf("%-7s %9zu bytes -> %9zu bytes  median %7.2f ms CPU  %7.0f MB/s\n", c.label,
                    c.text.size(), outBytes, ms, static_cast<double>(c.text.size()) / 1e3 / ms);
    }
    return 0;
}
