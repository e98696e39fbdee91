#include "text/OwnCoords.h"

#include "text/TextRules.h"

#include <array>

namespace skarnwald {
namespace {

constexpr std::size_t kMostDigits = 4;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// Takes one number off the front of `text`, blanks before it skipped.
std::optional<std::string> TakeNumber(std::string_view& text) {
    text = SkipBlanks(text);
    std::size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits]))
        ++digits;
    if (digits == 0 || digits > kMostDigits)
        return std::nullopt;
    std::string_view number = text.substr(0, digits);
    text.remove_prefix(digits);
    while (number.size() > 1 && number.front() == '0')
        number.remove_prefix(1);
    return std::string(number);
}

bool TakeChar(std::string_view& text, char wanted) {
    text = SkipBlanks(text);
    if (text.empty() || text.front() != wanted)
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

std::optional<std::string> ReadOwnCoordsText(std::string_view typed) {
    std::string_view rest = Trim(typed);
    // Either bracket may be missing, as when a selection caught only one.
    TakeChar(rest, '[');
    std::array<std::string, 3> numbers;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0 && !TakeChar(rest, '.'))
            return std::nullopt;
        std::optional<std::string> number = TakeNumber(rest);
        if (!number)
            return std::nullopt;
        numbers[i] = std::move(*number);
    }
    TakeChar(rest, ']');
    if (!SkipBlanks(rest).empty())
        return std::nullopt;
    return numbers[0] + "." + numbers[1] + "." + numbers[2];
}

} // namespace skarnwald
