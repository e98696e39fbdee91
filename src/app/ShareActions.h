#pragma once
// The main window's share commands. A copy takes the texts of the session's
// last conversion and never converts again.

#include "app/ConversionSession.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>

#include <string>

class QWidget;

namespace skarnwald {

class CShareActions {
    Q_DECLARE_TR_FUNCTIONS(CShareActions)

public:
    explicit CShareActions(const CConversionSession& session) : session_(session) {}

    // A new conversion's texts: Discord starts again at its first message.
    void Restart() { nextDiscordMessage_ = 0; }
    bool HasOutputs() const { return session_.HasShareTexts(); }

    // Each puts text on the clipboard and returns what the status bar says.
    QString CopyBBCode();
    // One message per press: the first, then the next, round again after the last.
    QString CopyDiscord();
    QString CopyTitle();
    // Asks for a file name, offering `suggested`; an empty text when the user
    // cancelled or the file could not be written (the user was told).
    QString SaveJson(QWidget* parent, const QString& suggested);
    // The summary card as a picture: on the clipboard, or saved as PNG.
    QString CopyCardImage();
    QString SaveCardImage(QWidget* parent, const QString& suggested);

private:
    const ConversionResult& Texts() const { return session_.Last(); }

    const CConversionSession& session_;
    std::size_t nextDiscordMessage_ = 0;
};

// An SVG card drawn at `scale` times its size in the card's own font, which
// the program brings along; a null image when it cannot be drawn.
QImage CardImage(const std::string& svg, int scale = 2);

} // namespace skarnwald
