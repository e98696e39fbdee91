#include "app/CVoxlanApp.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanDoc.h"
#include "app/CVoxlanView.h"
#include "app/ProgramName.h"

#include <QCoreApplication>
#include <QSettings>

namespace skarnwald {
namespace {

// Earlier versions kept the profile (window layout, recent files) under the
// generic names their project template gave.
void TakeOverOldSettings() {
    QSettings settings;
    if (!settings.allKeys().isEmpty())
        return;
    const QSettings old(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("Voxlan"));
    for (const QString& key : old.allKeys())
        settings.setValue(key, old.value(key));
}

} // namespace

CVoxlanApp::CVoxlanApp() {
    // Where QSettings keeps the program's profile: ~/.config/Skarnwald/Skarnwald.conf.
    QCoreApplication::setOrganizationName(kProgramName);
    QCoreApplication::setApplicationName(kProgramName);
    TakeOverOldSettings();
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
    frame_->SetWithoutArchive(document_->WithoutArchive());
    frame_->show();
    return true;
}

void CVoxlanApp::OnAppAbout() {
    CAboutDlg dialog(frame_.get());
    dialog.exec();
}

} // namespace skarnwald
