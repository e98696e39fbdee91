#include "app/RecentFiles.h"

#include <QSettings>

namespace skarnwald {
namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString Key(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

void Store(const QStringList& files) {
    QSettings settings;
    settings.beginGroup(kGroup);
    for (int i = 0; i < RecentFiles::kMaxEntries; ++i) {
        if (i < files.size())
            settings.setValue(Key(i), files[i]);
        else
            settings.remove(Key(i));
    }
}

} // namespace

QStringList RecentFiles::List() {
    QSettings settings;
    settings.beginGroup(kGroup);
    QStringList files;
    for (int i = 0; i < kMaxEntries; ++i)
        if (const QString file = settings.value(Key(i)).toString(); !file.isEmpty())
            files << file;
    return files;
}

void RecentFiles::Add(const QString& file) {
    QStringList files = List();
    files.removeAll(file);
    files.prepend(file);
    Store(files.mid(0, kMaxEntries));
}

void RecentFiles::Remove(const QString& file) {
    QStringList files = List();
    files.removeAll(file);
    Store(files);
}

} // namespace skarnwald
