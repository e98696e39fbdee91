// Normalises arbitrary bytes. The result must be valid UTF-8, normalising it
// again must change nothing, valid UTF-8 must come back as it was (less its
// leading byte-order marks), the in-place form must agree, and any piece cut
// out of the result at byte positions must be UTF-8 once trimmed.

#include "text/Utf8Text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

std::string_view WithoutLeadingMarks(std::string_view text) {
    while (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skarnwald;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = NormaliseText(bytes);
    Require(IsValidUtf8(text));
    Require(NormaliseText(text) == text);
    if (IsValidUtf8(bytes))
        Require(text == WithoutLeadingMarks(bytes));
    else
        Require(text.size() > bytes.size()); // every byte above 0x7F became two or three
    std::string inPlace(bytes);
    NormaliseTextInPlace(inPlace);
    Require(inPlace == text);
    for (std::size_t cut = 1; cut < text.size() && cut < 8; ++cut)
        Require(
            IsValidUtf8(TrimPartialCharacters(std::string_view(text).substr(cut, text.size() - 2 * cut))));
    return 0;
}
