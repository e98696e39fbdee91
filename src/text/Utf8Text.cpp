#include "text/Utf8Text.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace skarnwald {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Windows-1252 code points of the bytes 0x80 to 0x9F; the five bytes the code
// page leaves unassigned keep their own value.
constexpr std::array<char16_t, 32> kCodePage1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Position of the first byte at or above 0x80 from `from`, or the size. Reports
// are almost all ASCII, so 32 and then 8 bytes are tested at a time.
std::size_t FirstNonAscii(std::string_view bytes, std::size_t from) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t i = from;
    for (; i + 32 <= bytes.size(); i += 32) {
        std::uint64_t words[4];
        std::memcpy(words, bytes.data() + i, sizeof words);
        if ((words[0] | words[1] | words[2] | words[3]) & kHighBits)
            break;
    }
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (word & kHighBits)
            break;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    return i;
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

} // namespace

// The allowed second bytes exclude overlong forms, surrogates and code points
// above U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
    const std::size_t left = bytes.size() - i;
    const unsigned char lead = at(0);
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && IsContinuation(at(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !IsContinuation(at(2)))
            return 0;
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return at(1) >= low && at(1) <= high ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !IsContinuation(at(2)) || !IsContinuation(at(3)))
            return 0;
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return at(1) >= low && at(1) <= high ? 4 : 0;
    }
    return 0;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

bool IsValidUtf8From(std::string_view bytes, std::size_t i) {
    while ((i = FirstNonAscii(bytes, i)) < bytes.size()) {
        const std::size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string FromCodePage1252(std::string_view bytes, std::size_t firstHigh) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    out.append(bytes.substr(0, firstHigh));
    for (std::size_t i = firstHigh; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0xA0)
            AppendCodePoint(out, kCodePage1252High[c - 0x80]);
        else
            AppendCodePoint(out, c); // 0xA0 to 0xFF are Latin-1
    }
    return out;
}

// Bytes a sequence starting with `lead` takes; 1 for ASCII and stray bytes.
std::size_t ExpectedLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

} // namespace

std::string_view TrimPartialCharacters(std::string_view piece) {
    // Almost every field begins and ends in ASCII, which no cut splits; the
    // database binds every text through here.
    if (piece.empty() ||
        (static_cast<unsigned char>(piece.front()) < 0x80 && static_cast<unsigned char>(piece.back()) < 0x80))
        return piece;
    std::size_t start = 0;
    while (start < piece.size() && start < 3 && IsContinuation(static_cast<unsigned char>(piece[start])))
        ++start;
    piece.remove_prefix(start);
    // The last lead byte within a character's reach of the end.
    for (std::size_t back = 1; back <= 4 && back <= piece.size(); ++back) {
        const auto c = static_cast<unsigned char>(piece[piece.size() - back]);
        if (IsContinuation(c))
            continue;
        if (ExpectedLength(c) > back)
            piece.remove_suffix(back);
        break;
    }
    return piece;
}

bool IsValidUtf8(std::string_view bytes) {
    return IsValidUtf8From(bytes, 0);
}

void NormaliseTextInPlace(std::string& text) {
    const std::size_t firstHigh = FirstNonAscii(text, 0);
    if (firstHigh == text.size())
        return;
    if (IsValidUtf8From(text, firstHigh)) {
        // Marks doubled by tools that add one to a file that had one already
        // go too, so normalising twice changes nothing.
        std::size_t marks = 0;
        while (std::string_view(text).substr(marks).starts_with(kByteOrderMark))
            marks += kByteOrderMark.size();
        text.erase(0, marks);
        return;
    }
    text = FromCodePage1252(text, firstHigh);
}

std::string NormaliseText(std::string_view bytes) {
    std::string text(bytes);
    NormaliseTextInPlace(text);
    return text;
}

} // namespace skarnwald
