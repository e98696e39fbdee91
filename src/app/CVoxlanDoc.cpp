#include "app/CVoxlanDoc.h"

#include "app/DisplayText.h"
#include "app/MessageBoxes.h"
#include "archive/ArchiveImport.h"

#include <QFile>

namespace skarnwald {

namespace {

QString PathText(const std::filesystem::path& file) {
    return QFile::decodeName(file.c_str());
}

// Takes the battles of `file` into a new archive in its place, the file kept
// beside it; the new archive, or nothing when that failed (told).
ConnectionPtr TakeOver(const std::filesystem::path& file) {
    const ImportResult imported = ImportArchive(file, file, ImportMode::Replace);
    if (!imported.error.empty()) {
        MessageBoxes::Inform(nullptr, DisplayText(imported.error));
        return nullptr;
    }
    MessageBoxes::Inform(nullptr, DisplayText(ImportSummary(imported, file)).trimmed());
    OpenResult opened = CConnection::Open(file);
    if (!opened.connection)
        MessageBoxes::Inform(nullptr, DisplayText(opened.error));
    return opened.connection;
}

} // namespace

CVoxlanDoc::~CVoxlanDoc() {
    // Holders that outlive the document must not report into a dead box.
    if (connection_)
        connection_->SetErrorReporter(nullptr);
}

bool CVoxlanDoc::OnNewDocument(const std::filesystem::path& file) {
    OpenResult opened = CConnection::Open(file);
    if (!opened.connection && !opened.foreignObjects.empty())
        opened = OfferToTakeOver(file, opened.error);
    if (!opened.connection) {
        MessageBoxes::Inform(nullptr, DisplayText(opened.error));
        return false;
    }
    connection_ = std::move(opened.connection);
    connection_->SetErrorReporter(&errorBox_);
    return true;
}

OpenResult CVoxlanDoc::OfferToTakeOver(const std::filesystem::path& file, const std::string& refusal) {
    std::filesystem::path backup = file;
    backup += ".bak";
    const QString question =
        tr("%1\n\nShould its battles now be taken into a new database in its place? The file itself is "
           "kept beside it as %2.\n\nWith “No” Skarnwald goes on without a database: reports are "
           "converted, but not stored.")
            .arg(DisplayText(refusal), PathText(backup));
    if (MessageBoxes::AskYesNo(nullptr, question))
        if (ConnectionPtr taken = TakeOver(file))
            return {std::move(taken), {}, {}};
    // Everything that needs an archive works on one that ends with the program.
    withoutArchive_ = true;
    return CConnection::OpenInMemory();
}

} // namespace skarnwald
