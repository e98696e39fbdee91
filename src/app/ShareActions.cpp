#include "app/ShareActions.h"

#include "app/FileDialogs.h"
#include "app/PageFiles.h"

#include <QBuffer>
#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <ostream>

namespace skarnwald {

namespace {

void ToClipboard(const std::string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// The card's font, from the program's resources, so a card looks the same
// whatever fonts the system has.
void AddCardFonts() {
    static const bool added = [] {
        for (const char* file : {":/fonts/DejaVuSans.ttf", ":/fonts/DejaVuSans-Bold.ttf"})
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        return true;
    }();
    (void)added;
}

// Asks for a file name, offering `suggested`, and writes `bytes` there (a
// name without extension gets `extension`); the file written, or an empty
// text when the user cancelled or the file could not be written (the user
// was told).
QString SaveAs(QWidget* parent, FileKind kind, const QString& suggested, const char* extension,
               std::string_view bytes) {
    const QString name = FileDialogs::SaveFileName(parent, kind, suggested);
    if (name.isEmpty())
        return {};
    std::filesystem::path target = ToPath(name);
    if (!target.has_extension())
        target += extension;
    const bool saved = WritePageFile(parent, target, [&](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return true;
    });
    return saved ? QString::fromStdString(target.string()) : QString();
}

} // namespace

QImage CardImage(const std::string& svg, int scale) {
    AddCardFonts();
    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    if (!renderer.isValid())
        return {};
    QImage image(renderer.defaultSize() * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    renderer.render(&painter);
    return image;
}

QString CShareActions::CopyBBCode() {
    ToClipboard(Texts().bbcode);
    return tr("Copied as BBCode");
}

QString CShareActions::CopyDiscord() {
    const std::vector<std::string>& messages = Texts().discordMessages;
    if (messages.empty())
        return {};
    const std::size_t index = nextDiscordMessage_ % messages.size();
    ToClipboard(messages[index]);
    nextDiscordMessage_ = (index + 1) % messages.size();
    if (messages.size() == 1)
        return tr("Copied for Discord");
    const QString copied = nextDiscordMessage_ == 0
                               ? tr("Discord message %1 of %2 copied – press again for the first")
                               : tr("Discord message %1 of %2 copied – press again for the next");
    return copied.arg(index + 1).arg(messages.size());
}

QString CShareActions::CopyTitle() {
    std::string title = Texts().title;
    while (!title.empty() && title.back() == '\n')
        title.pop_back();
    ToClipboard(title);
    return tr("Title line copied");
}

QString CShareActions::SaveJson(QWidget* parent, const QString& suggested) {
    const QString saved = SaveAs(parent, FileKind::Json, suggested, ".json", Texts().json);
    return saved.isEmpty() ? saved : tr("JSON saved: %1").arg(saved);
}

QString CShareActions::CopyCardImage() {
    QGuiApplication::clipboard()->setImage(CardImage(Texts().card));
    return tr("Picture copied");
}

QString CShareActions::SaveCardImage(QWidget* parent, const QString& suggested) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    CardImage(Texts().card).save(&buffer, "PNG");
    const QString saved =
        SaveAs(parent, FileKind::Png, suggested, ".png", std::string_view(png.constData(), png.size()));
    return saved.isEmpty() ? saved : tr("Picture saved: %1").arg(saved);
}

} // namespace skarnwald
