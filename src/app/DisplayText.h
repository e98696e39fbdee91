#pragma once
// Texts of the core are bytes. Stored texts came from reports of either
// encoding, so they show as UTF-8 when they are valid UTF-8 and as
// Windows-1252 otherwise; texts typed into the program go to the core in the
// local 8-bit encoding.

#include <QString>

#include <string>
#include <string_view>

namespace skarnwald {

QString DisplayText(std::string_view bytes);
std::string LocalBytes(const QString& text);

} // namespace skarnwald
