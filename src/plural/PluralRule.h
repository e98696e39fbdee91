#pragma once
// The plural categories of a language as the Unicode CLDR defines them, read
// from ICU, for the catalogs' plural texts ("battles_one", "battles_few").
// Programs hand the rule to the core when they choose a language; it needs no
// Qt, so the command line can use it as well as the desktop program.

#include "text/Catalog.h"

#include <string_view>

namespace skarnwald {

// The rule of the language `tag` names ("pl", "de_AT", "pt-BR"). For a
// language it does not know ICU gives its root rule, "other" for every count;
// the rule is empty only when ICU fails, and the catalogs then read 1 as "one"
// and the rest as "other".
PluralRule IcuPluralRule(std::string_view tag);

} // namespace skarnwald
