#pragma once
// Texts of the core are UTF-8 bytes. Qt strings become core text through
// CoreText, the desktop's one way in.

#include <QString>

#include <string>
#include <string_view>

namespace skarnwald {

// Core text for a widget. Text that somehow is not UTF-8 still shows, read
// as Windows-1252 like every other such text.
QString DisplayText(std::string_view bytes);
// Typed, pasted or clipboard text as core text: UTF-8 without a leading
// byte-order mark.
std::string CoreText(const QString& text);

} // namespace skarnwald
