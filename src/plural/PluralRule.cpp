#include "plural/PluralRule.h"

#include <unicode/locid.h>
#include <unicode/plurrule.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

namespace skarnwald {

PluralRule IcuPluralRule(std::string_view tag) {
    // ICU names locales with underscores; "de-AT" and "de_AT.UTF-8" both mean de_AT.
    std::string name(tag.substr(0, tag.find('.')));
    std::replace(name.begin(), name.end(), '-', '_');
    UErrorCode status = U_ZERO_ERROR;
    // Shared, so the std::function holding it can be copied.
    std::shared_ptr<const icu::PluralRules> rules(
        icu::PluralRules::forLocale(icu::Locale(name.c_str()), status));
    if (U_FAILURE(status) || !rules)
        return {};
    return [rules](std::int64_t count) {
        // Counts beyond 32 bits go through ICU's double overload, exact up to 2^53.
        const icu::UnicodeString category =
            count >= std::numeric_limits<int32_t>::min() && count <= std::numeric_limits<int32_t>::max()
                ? rules->select(static_cast<int32_t>(count))
                : rules->select(static_cast<double>(count));
        std::string text;
        category.toUTF8String(text);
        return text;
    };
}

} // namespace skarnwald
