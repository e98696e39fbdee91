// Normalising text of unknown encoding to UTF-8, and telling well-formed UTF-8
// from everything else.

#include "text/Utf8Text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

namespace skarnwald {
namespace {

// The bytes 0x80 to 0xFF as Windows-1252 text, written out as UTF-8.
constexpr std::string_view kHighHalfAsUtf8 =
    "\xe2\x82\xac\xc2\x81\xe2\x80\x9a\xc6\x92\xe2\x80\x9e\xe2\x80\xa6\xe2\x80\xa0\xe2\x80\xa1\xcb\x86"
    "\xe2\x80\xb0\xc5\xa0\xe2\x80\xb9\xc5\x92\xc2\x8d\xc5\xbd\xc2\x8f\xc2\x90\xe2\x80\x98\xe2\x80\x99"
    "\xe2\x80\x9c\xe2\x80\x9d\xe2\x80\xa2\xe2\x80\x93\xe2\x80\x94\xcb\x9c\xe2\x84\xa2\xc5\xa1\xe2\x80"
    "\xba\xc5\x93\xc2\x9d\xc5\xbe\xc5\xb8\xc2\xa0\xc2\xa1\xc2\xa2\xc2\xa3\xc2\xa4\xc2\xa5\xc2\xa6\xc2"
    "\xa7\xc2\xa8\xc2\xa9\xc2\xaa\xc2\xab\xc2\xac\xc2\xad\xc2\xae\xc2\xaf\xc2\xb0\xc2\xb1\xc2\xb2\xc2"
    "\xb3\xc2\xb4\xc2\xb5\xc2\xb6\xc2\xb7\xc2\xb8\xc2\xb9\xc2\xba\xc2\xbb\xc2\xbc\xc2\xbd\xc2\xbe\xc2"
    "\xbf\xc3\x80\xc3\x81\xc3\x82\xc3\x83\xc3\x84\xc3\x85\xc3\x86\xc3\x87\xc3\x88\xc3\x89\xc3\x8a\xc3"
    "\x8b\xc3\x8c\xc3\x8d\xc3\x8e\xc3\x8f\xc3\x90\xc3\x91\xc3\x92\xc3\x93\xc3\x94\xc3\x95\xc3\x96\xc3"
    "\x97\xc3\x98\xc3\x99\xc3\x9a\xc3\x9b\xc3\x9c\xc3\x9d\xc3\x9e\xc3\x9f\xc3\xa0\xc3\xa1\xc3\xa2\xc3"
    "\xa3\xc3\xa4\xc3\xa5\xc3\xa6\xc3\xa7\xc3\xa8\xc3\xa9\xc3\xaa\xc3\xab\xc3\xac\xc3\xad\xc3\xae\xc3"
    "\xaf\xc3\xb0\xc3\xb1\xc3\xb2\xc3\xb3\xc3\xb4\xc3\xb5\xc3\xb6\xc3\xb7\xc3\xb8\xc3\xb9\xc3\xba\xc3"
    "\xbb\xc3\xbc\xc3\xbd\xc3\xbe\xc3\xbf";

std::string HighHalf() {
    std::string bytes;
    for (int c = 0x80; c <= 0xFF; ++c)
        bytes += static_cast<char>(c);
    return bytes;
}

// The UTF-8 encoding of `cp` written by plain arithmetic, with no check of
// the range.
std::string Encode(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

TEST(IsValidUtf8, AcceptsEveryScalarValueAndNoSurrogate) {
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
        std::string text = "a";
        text += Encode(cp);
        text += 'b';
        ASSERT_EQ(IsValidUtf8(text), !surrogate) << std::hex << static_cast<std::uint32_t>(cp);
    }
}

TEST(IsValidUtf8, RejectsOverlongTruncatedStrayAndOutOfRangeSequences) {
    const std::string_view overlong[] = {"\xC0\x80",     "\xC1\xBF",         "\xE0\x80\x80",
                                         "\xE0\x9F\xBF", "\xF0\x80\x80\x80", "\xF0\x8F\xBF\xBF"};
    const std::string_view tooLarge[] = {"\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF8\x88\x80\x80\x80",
                                         "\xFE", "\xFF"};
    const std::string_view stray[] = {"\x80", "\xBF", "a\x80z"};
    const std::string_view truncated[] = {"\xC3", "\xE2\x82", "\xF0\x9F\x98", "\xE2\x82\x61", "\xC3\xC3\xA4"};
    using Group = std::span<const std::string_view>;
    for (Group group : {Group(overlong), Group(tooLarge), Group(stray), Group(truncated)})
        for (std::string_view bad : group)
            EXPECT_FALSE(IsValidUtf8(bad)) << testing::PrintToString(bad);
    // A bad sequence after a long ASCII run, past the steps of the ASCII scan.
    std::string lateBadByte(1001, 'x');
    lateBadByte.append("\xE4").append(7, 'y');
    EXPECT_FALSE(IsValidUtf8(lateBadByte));
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8(std::string("\0\x7F", 2)));
}

TEST(NormaliseText, KeepsUtf8AndDropsLeadingByteOrderMarks) {
    const std::string utf8 = "K\xC3\xA4mpfer \xE2\x82\xAC \xF0\x9F\x9A\x80";
    EXPECT_EQ(NormaliseText(utf8), utf8);
    EXPECT_EQ(NormaliseText("\xEF\xBB\xBF" + utf8), utf8);
    EXPECT_EQ(NormaliseText("\xEF\xBB\xBF\xEF\xBB\xBF" + utf8), utf8);
    EXPECT_EQ(NormaliseText("\xEF\xBB\xBF"), "");
    // Only at the start: a mark inside the text is text.
    EXPECT_EQ(NormaliseText("a\xEF\xBB\xBF"), "a\xEF\xBB\xBF");
    const std::string ascii(100000, 'q');
    EXPECT_EQ(NormaliseText(ascii), ascii);
}

TEST(NormaliseText, ReadsAnythingElseAsWindows1252AsAWhole) {
    EXPECT_EQ(NormaliseText(HighHalf()), kHighHalfAsUtf8);
    // One stray byte makes the whole text Windows-1252, even the parts that
    // would have been UTF-8 alone.
    EXPECT_EQ(NormaliseText("\xC3\xA4 M\xFC"
                            "ller"),
              "\xC3\x83\xC2\xA4 M\xC3\xBC"
              "ller");
    // A mark before invalid text is three Windows-1252 letters.
    EXPECT_EQ(NormaliseText("\xEF\xBB\xBF\xE4"), "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xA4");
    EXPECT_EQ(NormaliseText(std::string("\0\xE4\0", 3)), std::string("\0\xC3\xA4\0", 4));
}

TEST(NormaliseText, GivesValidUtf8ThatNormalisingAgainLeavesAlone) {
    std::string mixed;
    for (int i = 0; i < 3000; ++i)
        mixed += static_cast<char>((i * 7919) % 256);
    for (const std::string& input : {mixed, HighHalf(),
                                     std::string("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                 "x")}) {
        const std::string once = NormaliseText(input);
        EXPECT_TRUE(IsValidUtf8(once));
        EXPECT_EQ(NormaliseText(once), once);
    }
    std::string inPlace = HighHalf();
    NormaliseTextInPlace(inPlace);
    EXPECT_EQ(inPlace, kHighHalfAsUtf8);
}

TEST(TrimPartialCharacters, DropsOnlyThePartsOfCharactersACutLeftAtTheEnds) {
    const std::string_view text = "\xE2\x80\x94M\xC3\xBCller\xF0\x9F\x9A\x80";
    EXPECT_EQ(TrimPartialCharacters(text), text);
    EXPECT_EQ(TrimPartialCharacters(text.substr(1)), "M\xC3\xBCller\xF0\x9F\x9A\x80");
    EXPECT_EQ(TrimPartialCharacters(text.substr(2, 10)), "M\xC3\xBCller");
    EXPECT_EQ(TrimPartialCharacters(text.substr(0, 5)), "\xE2\x80\x94M");
    EXPECT_EQ(TrimPartialCharacters("\x80"), "");
    EXPECT_EQ(TrimPartialCharacters("\xC3"), "");
    // Every cut of the text leaves whole characters.
    for (std::size_t from = 0; from < text.size(); ++from)
        for (std::size_t length = 0; from + length <= text.size(); ++length)
            EXPECT_TRUE(IsValidUtf8(TrimPartialCharacters(text.substr(from, length))))
                << from << "+" << length;
}

} // namespace
} // namespace skarnwald
