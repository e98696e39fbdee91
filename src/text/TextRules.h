#pragma once
// The byte-level text rules every report parser follows. Texts are bytes and
// positions count bytes; nothing here decodes or re-encodes report text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace skarnwald {

using Pos = std::ptrdiff_t; // a byte position, -1 when a search finds nothing

// Case-sensitive search for `needle` at or after `from` (a negative start
// counts as 0); -1 when absent.
Pos Find(std::string_view text, std::string_view needle, Pos from = 0);

// `count` bytes from `start`: a negative start counts as 0, a count of 0 or
// less gives empty text, a piece running past the end stops there.
std::string_view Take(std::string_view text, Pos start, Pos count);

// Everything from `start` to the end (a negative start counts as 0).
std::string_view TakeFrom(std::string_view text, Pos start);

// White space here is blank, tab, CR, LF, vertical tab and form feed.
bool IsSpace(char c);
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);

// Removes every blank (' '), and only blanks.
std::string RemoveBlanks(std::string_view text);

// Reads like atoi: leading white space, an optional sign, decimal digits up to
// the first other byte, 0 without digits. Saturates at the 32-bit limits
// instead of overflowing.
std::int32_t Atoi(std::string_view text);

// 32-bit counters add and subtract with two's-complement wrap-around.
inline std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// Decimal text of a number, as "%i" writes it.
std::string IntText(std::int64_t value);
void AppendInt(std::string& out, std::int64_t value);

// A number with two decimals and a point, as "%.2f" writes it in the C
// locale, whatever locale the program runs in; empty if it does not fit.
std::string FixedTwoDecimals(double value);
// The decimal value of a text, read like atof: leading blanks, then as much
// of a number as there is; 0 without one. Independent of the locale.
double DecimalValue(std::string_view text);

// Report text placed into a page: '&', '<' and '>' become entities, every other
// byte passes through unchanged, less partial characters at either end
// (TrimPartialCharacters).
void AppendEscaped(std::string& out, std::string_view text);
std::string EscapeHtml(std::string_view text);

} // namespace skarnwald
