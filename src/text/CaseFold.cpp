#include "text/CaseFold.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace skarnwald {

namespace {

struct FoldRun {
    char32_t first, last;
    std::int32_t delta;
    std::uint8_t step;
};

constexpr FoldRun kFoldRuns[] = {
#include "text/CaseFoldTable.inc"
};

char32_t FoldLetter(char32_t letter) {
    if (letter < 0x80)
        return letter >= 'A' && letter <= 'Z' ? letter + ('a' - 'A') : letter;
    const auto* run = std::upper_bound(std::begin(kFoldRuns), std::end(kFoldRuns), letter,
                                       [](char32_t value, const FoldRun& r) { return value < r.first; });
    if (run == std::begin(kFoldRuns))
        return letter;
    --run;
    if (letter > run->last || (letter - run->first) % run->step != 0)
        return letter;
    return static_cast<char32_t>(static_cast<std::int32_t>(letter) + run->delta);
}

// The length of the well-formed UTF-8 sequence at `at` and its code point;
// 0 when the bytes there are no such sequence.
std::size_t DecodeAt(std::string_view text, std::size_t at, char32_t& letter) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size())
        return 0;
    letter = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        letter = (letter << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && letter < 0x800) || (length == 4 && letter < 0x10000);
    const bool outside = letter > 0x10FFFF || (letter >= 0xD800 && letter < 0xE000);
    return overlong || outside ? 0 : length;
}

void Encode(char32_t letter, std::string& out) {
    if (letter < 0x80) {
        out += static_cast<char>(letter);
    } else if (letter < 0x800) {
        out += static_cast<char>(0xC0 | (letter >> 6));
        out += static_cast<char>(0x80 | (letter & 0x3F));
    } else if (letter < 0x10000) {
        out += static_cast<char>(0xE0 | (letter >> 12));
        out += static_cast<char>(0x80 | ((letter >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (letter & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (letter >> 18));
        out += static_cast<char>(0x80 | ((letter >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((letter >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (letter & 0x3F));
    }
}

} // namespace

bool FoldCaseInto(std::string_view text, std::string& folded) {
    folded.clear();
    bool wellFormed = true;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            folded += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte);
            ++at;
            continue;
        }
        char32_t letter = 0;
        const std::size_t length = DecodeAt(text, at, letter);
        if (length == 0) {
            folded += text[at++];
            wellFormed = false;
            continue;
        }
        Encode(FoldLetter(letter), folded);
        at += length;
    }
    return wellFormed;
}

std::string FoldCase(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    FoldCaseInto(text, folded);
    return folded;
}

} // namespace skarnwald
