#include "text/CaseFold.h"

#include "text/Utf8Text.h"

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

// A letter beyond ASCII, folded.
char32_t FoldLetter(char32_t letter) {
    const auto* run = std::upper_bound(std::begin(kFoldRuns), std::end(kFoldRuns), letter,
                                       [](char32_t value, const FoldRun& r) { return value < r.first; });
    if (run == std::begin(kFoldRuns))
        return letter;
    --run;
    if (letter > run->last || (letter - run->first) % run->step != 0)
        return letter;
    return static_cast<char32_t>(static_cast<std::int32_t>(letter) + run->delta);
}

// The code point of a well-formed sequence of two or three bytes.
char32_t DecodeBmp(std::string_view sequence) {
    char32_t letter = static_cast<unsigned char>(sequence[0]) & (sequence.size() == 2 ? 0x1F : 0x0F);
    for (const char next : sequence.substr(1))
        letter = (letter << 6) | (static_cast<unsigned char>(next) & 0x3F);
    return letter;
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
        const std::size_t length = Utf8SequenceLength(text, at);
        wellFormed = wellFormed && length > 0;
        // Letters beyond the Basic Multilingual Plane have no case to fold.
        if (length == 0 || length == 4) {
            folded.append(text.substr(at, std::max<std::size_t>(length, 1)));
            at += std::max<std::size_t>(length, 1);
            continue;
        }
        AppendCodePoint(folded, FoldLetter(DecodeBmp(text.substr(at, length))));
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
