#include "app/ArchiveChoice.h"

#include "app/DisplayText.h"
#include "app/MessageBoxes.h"

#include <QCoreApplication>
#include <QFile>

namespace skarnwald {

namespace {

QString PathText(const std::filesystem::path& file) {
    return QFile::decodeName(file.c_str());
}

// Asks whether to move the archive of an earlier version; the file to use.
std::filesystem::path OfferToMove(const std::filesystem::path& earlier, const std::filesystem::path& target) {
    const QString question =
        QCoreApplication::translate(
            "ArchiveChoice",
            "The home folder holds the database of an earlier version:\n%1\n\n"
            "Should it be moved into the data folder?\n%2\n\n"
            "There Skarnwald and skarnwald-cli find it, from whichever folder they are started. "
            "With “No” it stays where it is and is still used.")
            .arg(PathText(earlier), PathText(target));
    if (!MessageBoxes::AskYesNo(nullptr, question))
        return earlier;
    const OperationResult moved = MoveArchive(earlier, target);
    if (moved.Succeeded())
        return target;
    MessageBoxes::Inform(nullptr, DisplayText(moved.error));
    return earlier;
}

} // namespace

std::optional<std::filesystem::path> ChooseArchive(const ArchiveSearch& search) {
    const ArchiveLocation location = LocateArchive(search);
    if (location.source == ArchiveSource::HomeFolder)
        return OfferToMove(location.file, UserArchiveFile(search));
    if (const OperationResult made = MakeArchiveFolder(location); !made.Succeeded()) {
        MessageBoxes::Inform(nullptr, DisplayText(made.error));
        return std::nullopt;
    }
    return location.file;
}

QString ArchiveFileText(const CConnection& connection) {
    return PathText(ArchiveFileOf(connection));
}

} // namespace skarnwald
