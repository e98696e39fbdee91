#pragma once
// The application: profile settings, the document with its database, the
// main window with its form, and the About command.

#include <QObject>

#include <filesystem>
#include <memory>

namespace skarnwald {

class CMainFrame;
class CVoxlanDoc;

class CVoxlanApp : public QObject {
    Q_OBJECT
public:
    CVoxlanApp();
    ~CVoxlanApp() override;

    // Opens the database and shows the main window; false when the database
    // cannot be used (the reason has been shown) and the program must end. A
    // foreign archive does not end it (CVoxlanDoc::OnNewDocument).
    bool InitInstance(const std::filesystem::path& databaseFile);

    CMainFrame* MainFrame() const { return frame_.get(); }
    void OnAppAbout();

private:
    std::unique_ptr<CVoxlanDoc> document_;
    // Declared after the document: the form's database users go first.
    std::unique_ptr<CMainFrame> frame_;
};

} // namespace skarnwald
