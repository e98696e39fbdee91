#pragma once
// Catalogs compiled into the programs, so a program never depends on finding
// its texts on disk. The build generates the definitions from i18n/<part>/*.json.

#include <span>
#include <string_view>

namespace skarnwald {

struct EmbeddedCatalog {
    std::string_view language;
    std::string_view json;
};

// The core's catalogs (i18n/core).
std::span<const EmbeddedCatalog> EmbeddedCoreCatalogs();

} // namespace skarnwald
