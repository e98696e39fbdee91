#include "app/CVoxlanDoc.h"

#include "app/DisplayText.h"
#include "app/MessageBoxes.h"

namespace skarnwald {

CVoxlanDoc::~CVoxlanDoc() {
    // Holders that outlive the document must not report into a dead box.
    if (connection_)
        connection_->SetErrorReporter(nullptr);
}

bool CVoxlanDoc::OnNewDocument(const std::filesystem::path& file) {
    OpenResult opened = CConnection::Open(file);
    if (!opened.connection) {
        MessageBoxes::Inform(nullptr, DisplayText(opened.error));
        return false;
    }
    connection_ = std::move(opened.connection);
    connection_->SetErrorReporter(&errorBox_);
    return true;
}

} // namespace skarnwald
