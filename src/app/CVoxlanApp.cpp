#include "app/CVoxlanApp.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanDoc.h"
#include "app/CVoxlanView.h"

#include <QCoreApplication>

namespace skarnwald {

CVoxlanApp::CVoxlanApp() {
    // Where QSettings keeps the program's profile.
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Voxlan"));
}

CVoxlanApp::~CVoxlanApp() = default;

bool CVoxlanApp::InitInstance(const std::filesystem::path& databaseFile) {
    auto document = std::make_unique<CVoxlanDoc>();
    if (!document->OnNewDocument(databaseFile))
        return false;
    document_ = std::move(document);
    auto* view = new CVoxlanView(*document_);
    frame_ = std::make_unique<CMainFrame>(view);
    connect(frame_->AboutAction(), &QAction::triggered, this, &CVoxlanApp::OnAppAbout);
    view->OnInitialUpdate();
    frame_->show();
    frame_->setWindowTitle(QStringLiteral("Skarnwald v1.2.3"));
    return true;
}

void CVoxlanApp::OnAppAbout() {
    CAboutDlg dialog(frame_.get());
    dialog.exec();
}

} // namespace skarnwald
