#include "app/PageBrowser.h"

#include "app/MessageBoxes.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace skarnwald {
namespace {

bool recording = false;
QStringList opened;

} // namespace

void PageBrowser::Open(QWidget* parent, const QString& file) {
    const QString absolute = QFileInfo(file).absoluteFilePath();
    if (recording) {
        opened << absolute;
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(absolute)))
        MessageBoxes::Inform(parent, QStringLiteral("Die Seite %1 konnte nicht im Browser geöffnet werden: "
                                                    "Es ist kein Browser eingerichtet.")
                                         .arg(absolute));
}

void PageBrowser::RecordInsteadOfOpening() {
    recording = true;
}

QStringList PageBrowser::TakeOpened() {
    return std::exchange(opened, {});
}

} // namespace skarnwald
