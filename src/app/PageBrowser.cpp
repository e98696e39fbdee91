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
        MessageBoxes::Inform(
            parent,
            tr("The page %1 could not be opened in the browser: No browser is set up.").arg(absolute));
}

void PageBrowser::RecordInsteadOfOpening() {
    recording = true;
}

QStringList PageBrowser::TakeOpened() {
    return std::exchange(opened, {});
}

} // namespace skarnwald
