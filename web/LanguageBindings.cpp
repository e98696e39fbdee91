// What the page's worker calls to switch the language of everything the core
// writes (page labels, share posts, planning messages): setLanguage(tag) with
// a tag as navigator.languages gives it ("de-AT", "en-US"). It returns the
// language chosen: "de", or "en" for every tag without a catalog.

#include "text/Catalog.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

namespace {

using emscripten::val;

// The browser's plural rule of `language`; where the browser has none, the
// core's own rule ("one" for 1, else "other") stays.
skarnwald::PluralRule BrowserPluralRule(const std::string& language) {
    const val intl = val::global("Intl");
    if (intl.isUndefined() || intl["PluralRules"].isUndefined())
        return {};
    const val rules = intl["PluralRules"].new_(language);
    return
        [rules](std::int64_t count) { return rules.call<std::string>("select", static_cast<double>(count)); };
}

std::string SetLanguage(const std::string& tag) {
    // The rule follows the catalog chosen, not the tag: a tag without a
    // catalog gets the English texts and so English plurals.
    const std::string language(skarnwald::SetCoreLanguage(tag));
    skarnwald::SetCoreLanguage(language, BrowserPluralRule(language));
    return language;
}

// The worker's own messages about the archive, in the chosen language; each
// id is written out so that the catalog check finds it.
std::string ArchiveMessage(const std::string& which, const std::string& reason) {
    const skarnwald::CCatalog& texts = skarnwald::CoreTexts();
    if (which == "storedElsewhere")
        return std::string(texts.Text("web.archiveStoredElsewhere"));
    if (which == "changedElsewhere")
        return std::string(texts.Text("web.archiveChangedElsewhere"));
    if (which == "notOpen")
        return std::string(texts.Text("web.archiveClosed"));
    if (which == "unavailable")
        return texts.Format("web.archiveUnavailable", {{"reason", reason}});
    if (which == "errors")
        return texts.Format("web.archiveErrors", {{"reason", reason}});
    if (which == "noCheckedFile")
        return std::string(texts.Text("web.noCheckedArchive"));
    // A name the worker got wrong shows as itself, never as another message.
    return which;
}

} // namespace

EMSCRIPTEN_BINDINGS(language) {
    emscripten::function("setLanguage", &SetLanguage);
    emscripten::function("archiveMessage", &ArchiveMessage);
}
