#pragma once
// Texts a player reads, by id, in one language. Each program chooses the
// language once (and again when the player switches); the core's own texts
// (page labels, share posts, file names, messages) then come from CoreTexts().
// Catalogs are JSON objects of ids and texts, one file per language; a text
// names its values "{name}", and a text that depends on a count has one id per
// plural category ("battles_one", "battles_other").

#include "text/EmbeddedCatalogs.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skarnwald {

// The plural category ("zero", "one", "two", "few", "many", "other") of a count
// in a language. Programs supply the rule of the chosen language; without one,
// 1 is "one" and every other count "other", which is right for German and
// English.
using PluralRule = std::function<std::string(std::int64_t count)>;

// A value for a "{name}" in a text.
struct TextArg {
    std::string_view name;
    std::string_view value;
};

class CCatalog {
public:
    CCatalog() = default;
    // A catalog from its JSON text; throws std::runtime_error when the text is
    // not an object of strings.
    static CCatalog Parse(std::string_view json, std::string language);

    const std::string& Language() const { return language_; }
    // The text of `id`; the id itself when the catalog lacks it, so a missing
    // text shows rather than vanishing.
    std::string_view Text(std::string_view id) const;
    // The text of `id` with every "{name}" of `args` replaced.
    std::string Format(std::string_view id, std::initializer_list<TextArg> args) const;
    // The text of `id` for `count`: the id with the count's plural category
    // ("id_one"), else "id_other"; "{count}" and `args` replaced.
    std::string Plural(std::string_view id, std::int64_t count,
                       std::initializer_list<TextArg> args = {}) const;

    void SetPluralRule(PluralRule rule) { pluralRule_ = std::move(rule); }
    bool Has(std::string_view id) const { return texts_.find(id) != texts_.end(); }
    // Every id, in no particular order: for checks of a catalog's completeness.
    std::vector<std::string> Ids() const;

private:
    std::string PluralCategory(std::int64_t count) const;

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::string language_;
    std::unordered_map<std::string, std::string, Hash, std::equal_to<>> texts_;
    PluralRule pluralRule_;
};

// "{name}" in `text` replaced by the values of `args`; other braces stay.
std::string FillIn(std::string_view text, std::initializer_list<TextArg> args);

// The languages of `catalogs`, "de" first, the others in alphabetical order.
std::vector<std::string_view> LanguagesOf(std::span<const EmbeddedCatalog> catalogs);
// The catalog of `language` among `catalogs`, parsed; an empty one, which
// shows every id as it is, when there is none.
CCatalog EmbeddedCatalogOf(std::span<const EmbeddedCatalog> catalogs, std::string_view language);
// The language of `languages` a tag names ("de" for "de_DE.UTF-8", "de-AT" or
// "DE"); empty when it names none of them.
std::string_view MatchLanguage(std::string_view tag, std::span<const std::string_view> languages);

// The languages whose core catalogs are built in, "de" first.
std::span<const std::string_view> CoreLanguages();
// The built-in language a tag names, as MatchLanguage reads it.
std::string_view MatchCoreLanguage(std::string_view tag);

// The core's texts in the language chosen last; German until a program
// chooses, so callers that never choose keep today's outputs.
const CCatalog& CoreTexts();
// Chooses the core's language: a built-in one as MatchCoreLanguage reads
// `tag`, English for every other tag. Returns the language chosen.
std::string_view SetCoreLanguage(std::string_view tag, PluralRule rule = {});

} // namespace skarnwald
