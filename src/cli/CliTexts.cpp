#include "cli/CliTexts.h"

#include <memory>
#include <vector>

namespace skarnwald::cli {

namespace {

std::unique_ptr<CCatalog>& Current() {
    static std::unique_ptr<CCatalog> current =
        std::make_unique<CCatalog>(EmbeddedCatalogOf(EmbeddedCliCatalogs(), "de"));
    return current;
}

} // namespace

std::span<const std::string_view> CliLanguages() {
    static const std::vector<std::string_view> languages = LanguagesOf(EmbeddedCliCatalogs());
    return languages;
}

void SetCliLanguage(std::string_view language, PluralRule rule) {
    auto catalog = std::make_unique<CCatalog>(EmbeddedCatalogOf(EmbeddedCliCatalogs(), language));
    catalog->SetPluralRule(std::move(rule));
    Current() = std::move(catalog);
}

std::string_view CliText(std::string_view id) {
    return Current()->Text(id);
}

std::string CliFormat(std::string_view id, std::initializer_list<TextArg> args) {
    return Current()->Format(id, args);
}

std::string CliPlural(std::string_view id, std::int64_t count, std::initializer_list<TextArg> args) {
    return Current()->Plural(id, count, args);
}

} // namespace skarnwald::cli
