#include "text/TextRules.h"

#include "text/Utf8Text.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace skarnwald {

Pos Find(std::string_view text, std::string_view needle, Pos from) {
    if (from < 0)
        from = 0;
    if (static_cast<std::size_t>(from) > text.size())
        return -1;
    const std::size_t at = text.find(needle, static_cast<std::size_t>(from));
    return at == std::string_view::npos ? -1 : static_cast<Pos>(at);
}

std::string_view Take(std::string_view text, Pos start, Pos count) {
    if (start < 0)
        start = 0;
    if (count <= 0 || static_cast<std::size_t>(start) >= text.size())
        return {};
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
}

std::string_view TakeFrom(std::string_view text, Pos start) {
    if (start < 0)
        start = 0;
    if (static_cast<std::size_t>(start) >= text.size())
        return {};
    return text.substr(static_cast<std::size_t>(start));
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimLeft(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return text.substr(i);
}

std::string_view TrimRight(std::string_view text) {
    std::size_t n = text.size();
    while (n > 0 && IsSpace(text[n - 1]))
        --n;
    return text.substr(0, n);
}

std::string_view Trim(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

std::string RemoveBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            out.push_back(c);
    return out;
}

std::int32_t Atoi(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit)
            value = limit; // saturate; keep consuming digits
    }
    if (negative)
        return static_cast<std::int32_t>(-value);
    return value >= limit ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(value);
}

void AppendInt(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// The browser build's C++ library has no floating-point to_chars and
// from_chars; its C library has only the C locale, so printf and strtod read
// and write the same texts there.
std::string FixedTwoDecimals(double value) {
    std::array<char, 64> text{};
#ifdef __EMSCRIPTEN__
    const int size = std::snprintf(text.data(), text.size(), "%.2f", value);
    return size > 0 && static_cast<std::size_t>(size) < text.size() ? std::string(text.data(), size)
                                                                    : std::string{};
#else
    auto [end, ec] =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 2);
    return ec == std::errc{} ? std::string(text.data(), end) : std::string{};
#endif
}

double DecimalValue(std::string_view text) {
    text = TrimLeft(text);
    if (text.starts_with('+'))
        text.remove_prefix(1);
#ifdef __EMSCRIPTEN__
    const std::string copy(text); // strtod needs the text to end with a zero byte
    return std::strtod(copy.c_str(), nullptr);
#else
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
#endif
}

std::string IntText(std::int64_t value) {
    std::string out;
    AppendInt(out, value);
    return out;
}

void AppendEscaped(std::string& out, std::string_view text) {
    text = TrimPartialCharacters(text);
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char* entity = c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : nullptr;
        if (!entity)
            continue;
        out.append(text.substr(plain, i - plain));
        out.append(entity);
        plain = i + 1;
    }
    out.append(text.substr(plain));
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    AppendEscaped(out, text);
    return out;
}

} // namespace skarnwald
