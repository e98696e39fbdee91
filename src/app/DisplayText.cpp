#include "app/DisplayText.h"

#include "text/Utf8Text.h"

namespace skarnwald {

QString DisplayText(std::string_view bytes) {
    const std::string text = NormaliseText(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string CoreText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    std::string bytes(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    NormaliseTextInPlace(bytes);
    return bytes;
}

} // namespace skarnwald
