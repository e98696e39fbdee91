#include "text/Catalog.h"

#include "text/EmbeddedCatalogs.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace skarnwald {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

CCatalog BuiltIn(std::string_view language) {
    return EmbeddedCatalogOf(EmbeddedCoreCatalogs(), language);
}

std::unique_ptr<CCatalog>& Current() {
    static std::unique_ptr<CCatalog> current = std::make_unique<CCatalog>(BuiltIn("de"));
    return current;
}

} // namespace

CCatalog CCatalog::Parse(std::string_view json, std::string language) {
    const nlohmann::json parsed = nlohmann::json::parse(json, nullptr, false);
    if (!parsed.is_object())
        throw std::runtime_error("catalog '" + language + "' is not a JSON object");
    CCatalog catalog;
    catalog.language_ = std::move(language);
    for (const auto& [id, text] : parsed.items()) {
        if (!text.is_string())
            throw std::runtime_error("catalog '" + catalog.language_ + "': '" + id + "' is not a text");
        catalog.texts_.emplace(id, text.get<std::string>());
    }
    return catalog;
}

std::string_view CCatalog::Text(std::string_view id) const {
    const auto found = texts_.find(id);
    return found == texts_.end() ? id : std::string_view(found->second);
}

std::string CCatalog::Format(std::string_view id, std::initializer_list<TextArg> args) const {
    return FillIn(Text(id), args);
}

std::string CCatalog::PluralCategory(std::int64_t count) const {
    if (pluralRule_)
        return pluralRule_(count);
    return count == 1 ? "one" : "other";
}

std::string CCatalog::Plural(std::string_view id, std::int64_t count,
                             std::initializer_list<TextArg> args) const {
    std::string key(id);
    key += '_';
    key += PluralCategory(count);
    if (!Has(key)) {
        key.assign(id);
        key += "_other";
    }
    const std::string number = std::to_string(count);
    std::string text = FillIn(Text(key), {{"count", number}});
    return FillIn(text, args);
}

std::vector<std::string> CCatalog::Ids() const {
    std::vector<std::string> ids;
    ids.reserve(texts_.size());
    for (const auto& entry : texts_)
        ids.push_back(entry.first);
    return ids;
}

std::string FillIn(std::string_view text, std::initializer_list<TextArg> args) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('{', at);
        if (open == std::string_view::npos)
            break;
        const std::size_t close = text.find('}', open + 1);
        if (close == std::string_view::npos)
            break;
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const auto arg =
            std::find_if(args.begin(), args.end(), [&](const TextArg& a) { return a.name == name; });
        out.append(text.substr(at, open - at));
        if (arg == args.end())
            out.append(text.substr(open, close + 1 - open));
        else
            out.append(arg->value);
        at = close + 1;
    }
    out.append(text.substr(at));
    return out;
}

std::vector<std::string_view> LanguagesOf(std::span<const EmbeddedCatalog> catalogs) {
    std::vector<std::string_view> found;
    for (const EmbeddedCatalog& catalog : catalogs)
        found.push_back(catalog.language);
    // std::sort rather than std::ranges::sort, which the browser build's
    // standard library lacks.
    std::sort(found.begin(), found.end(), [](std::string_view a, std::string_view b) {
        return (a == "de") != (b == "de") ? a == "de" : a < b;
    });
    return found;
}

CCatalog EmbeddedCatalogOf(std::span<const EmbeddedCatalog> catalogs, std::string_view language) {
    for (const EmbeddedCatalog& catalog : catalogs)
        if (catalog.language == language)
            return CCatalog::Parse(catalog.json, std::string(language));
    return CCatalog::Parse("{}", std::string(language));
}

std::string_view MatchLanguage(std::string_view tag, std::span<const std::string_view> languages) {
    std::string primary;
    for (char c : tag) {
        if (c == '_' || c == '-' || c == '.' || c == '@')
            break;
        primary += LowerAscii(c);
    }
    for (std::string_view language : languages)
        if (language == primary)
            return language;
    return {};
}

std::span<const std::string_view> CoreLanguages() {
    static const std::vector<std::string_view> languages = LanguagesOf(EmbeddedCoreCatalogs());
    return languages;
}

std::string_view MatchCoreLanguage(std::string_view tag) {
    return MatchLanguage(tag, CoreLanguages());
}

const CCatalog& CoreTexts() {
    return *Current();
}

std::string_view SetCoreLanguage(std::string_view tag, PluralRule rule) {
    std::string_view language = MatchCoreLanguage(tag);
    if (language.empty())
        language = "en";
    auto catalog = std::make_unique<CCatalog>(BuiltIn(language));
    catalog->SetPluralRule(std::move(rule));
    Current() = std::move(catalog);
    return language;
}

} // namespace skarnwald
