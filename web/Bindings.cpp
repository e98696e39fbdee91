// What the page's worker calls: convert(bytes, options, onProgress) with the
// report as a Uint8Array; every output comes back as bytes, so the page the
// browser downloads is exactly what the converter wrote.

#include "WebConversion.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

namespace {

using emscripten::val;

// Passes progress on as a fraction, only when the whole percent changes, so a
// large report does not flood the worker with messages.
class CallbackProgress final : public skarnwald::IProgress {
public:
    explicit CallbackProgress(val callback) : callback_(std::move(callback)) {}
    void SetRange(int lower, int upper) override {
        lower_ = lower;
        upper_ = upper;
    }
    void SetPos(int pos) override {
        if (upper_ <= lower_ || callback_.isUndefined() || callback_.isNull())
            return;
        const int percent = static_cast<int>(100LL * (pos - lower_) / (upper_ - lower_));
        if (percent == lastPercent_)
            return;
        lastPercent_ = percent;
        callback_(percent / 100.0);
    }

private:
    val callback_;
    int lower_ = 0;
    int upper_ = 0;
    int lastPercent_ = -1;
};

val Bytes(const std::string& text) {
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    // A copy: the view points into memory that is freed when this call returns.
    return val::global("Uint8Array").new_(emscripten::typed_memory_view(text.size(), data));
}

std::string StringOption(const val& options, const char* name) {
    const val value = options[name];
    return value.isString() ? value.as<std::string>() : std::string();
}

bool SwitchOption(const val& options, const char* name) {
    return options[name].isTrue();
}

// options: {ownCoords, hideOwn, hideNames, hideCoords}; the result holds
// html, bbcode, title and json as bytes and discord as an array of messages.
val Convert(const std::string& bytes, val options, val onProgress) {
    CallbackProgress progress(std::move(onProgress));
    const skarnwald::Redaction redaction{SwitchOption(options, "hideOwn"), SwitchOption(options, "hideNames"),
                                         SwitchOption(options, "hideCoords")};
    const auto shared =
        skarnwald::web::ConvertReportBytes(bytes, redaction, StringOption(options, "ownCoords"), &progress);
    val result = val::object();
    result.set("html", Bytes(shared.html));
    result.set("bbcode", Bytes(shared.bbcode));
    result.set("title", Bytes(shared.title));
    result.set("json", Bytes(shared.json));
    val discord = val::array();
    for (const std::string& message : shared.discordMessages)
        discord.call<void>("push", Bytes(message));
    result.set("discord", discord);
    return result;
}

std::string DiscordSeparator() {
    return std::string(skarnwald::kDiscordMessageSeparator);
}

} // namespace

EMSCRIPTEN_BINDINGS(skarnwald) {
    emscripten::function("convert", &Convert);
    emscripten::function("discordSeparator", &DiscordSeparator);
}
