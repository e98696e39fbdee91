#pragma once
// The main window's share commands. Its writers ride along on every
// conversion of the view, so a copy takes the texts of the last conversion
// and never converts again.

#include "reading/ReportConverter.h"
#include "writers/ShareWriters.h"

#include <QCoreApplication>
#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace skarnwald {

class CShareActions {
    Q_DECLARE_TR_FUNCTIONS(CShareActions)

public:
    // Attaches the writers to `converter` for as long as this object lives.
    explicit CShareActions(CReportConverter& converter);
    ~CShareActions();
    CShareActions(const CShareActions&) = delete;
    CShareActions& operator=(const CShareActions&) = delete;

    // Keeps what the writers made of the conversion that just ended.
    void TakeOutputs();
    // Forgets the texts, so nothing stale can be shared.
    void Discard();
    bool HasOutputs() const { return hasOutputs_; }

    // Each puts text on the clipboard and returns what the status bar says.
    QString CopyBBCode();
    // One message per press: the first, then the next, round again after the last.
    QString CopyDiscord();
    QString CopyTitle();
    // Asks for a file name, offering `suggested`; an empty text when the user
    // cancelled or the file could not be written (the user was told).
    QString SaveJson(QWidget* parent, const QString& suggested);

private:
    CReportConverter& converter_;
    CBBCodeWriter bbcodeWriter_;
    CDiscordWriter discordWriter_;
    CTitleWriter titleWriter_;
    CJsonWriter jsonWriter_;

    bool hasOutputs_ = false;
    std::string bbcode_, title_, json_;
    std::vector<std::string> discordMessages_;
    std::size_t nextDiscordMessage_ = 0;
};

} // namespace skarnwald
