#include "app/ShareActions.h"

#include "app/FileDialogs.h"
#include "app/PageFiles.h"

#include <QClipboard>
#include <QGuiApplication>

#include <ostream>

namespace skarnwald {

namespace {

void ToClipboard(const std::string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace

CShareActions::CShareActions(CReportConverter& converter) : converter_(converter) {
    for (IReportWriter* writer :
         std::initializer_list<IReportWriter*>{&bbcodeWriter_, &discordWriter_, &titleWriter_, &jsonWriter_})
        converter_.AddWriter(writer);
}

CShareActions::~CShareActions() {
    converter_.ClearWriters();
}

void CShareActions::TakeOutputs() {
    bbcode_ = std::move(bbcodeWriter_.Text());
    discordMessages_ = std::move(discordWriter_.Messages());
    title_ = std::move(titleWriter_.Text());
    json_ = std::move(jsonWriter_.Text());
    nextDiscordMessage_ = 0;
    hasOutputs_ = true;
}

void CShareActions::Discard() {
    bbcode_.clear();
    discordMessages_.clear();
    title_.clear();
    json_.clear();
    nextDiscordMessage_ = 0;
    hasOutputs_ = false;
}

QString CShareActions::CopyBBCode() {
    ToClipboard(bbcode_);
    return tr("Copied as BBCode");
}

QString CShareActions::CopyDiscord() {
    if (discordMessages_.empty())
        return {};
    const std::size_t index = nextDiscordMessage_;
    ToClipboard(discordMessages_[index]);
    nextDiscordMessage_ = (index + 1) % discordMessages_.size();
    if (discordMessages_.size() == 1)
        return tr("Copied for Discord");
    const QString copied = nextDiscordMessage_ == 0
                               ? tr("Discord message %1 of %2 copied – press again for the first")
                               : tr("Discord message %1 of %2 copied – press again for the next");
    return copied.arg(index + 1).arg(discordMessages_.size());
}

QString CShareActions::CopyTitle() {
    std::string title = title_;
    while (!title.empty() && title.back() == '\n')
        title.pop_back();
    ToClipboard(title);
    return tr("Title line copied");
}

QString CShareActions::SaveJson(QWidget* parent, const QString& suggested) {
    QString name = FileDialogs::SaveFileName(parent, FileKind::Json, suggested);
    if (name.isEmpty())
        return {};
    std::filesystem::path target = ToPath(name);
    if (!target.has_extension())
        target += ".json";
    const bool saved = WritePageFile(parent, target, [&](std::ostream& out) {
        out.write(json_.data(), static_cast<std::streamsize>(json_.size()));
        return true;
    });
    return saved ? tr("JSON saved: %1").arg(QString::fromStdString(target.string())) : QString();
}

} // namespace skarnwald
