// Speed of normalising report text to UTF-8, on about 20 MB each of ASCII,
// UTF-8 with umlauts and Windows-1252 with umlauts: the cost every report file
// and every database row now pays once. Medians over the runs are printed.
// Usage: skarnwald-utf8-bench [runs]

#include "convert/Utf8Text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
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

double MedianMilliseconds(const std::string& text, int runs, std::size_t& outBytes) {
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::string normalised = skarnwald::NormaliseText(text);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
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
        std::printf("%-7s %9zu bytes -> %9zu bytes  median %7.2f ms  %7.0f MB/s\n", c.label, c.text.size(),
                    outBytes, ms, static_cast<double>(c.text.size()) / 1e3 / ms);
    }
    return 0;
}
