#pragma once
// The main window: the menu, the form view in its middle and the status bar
// with the view's messages and the three key indicators. Its size, the split
// between report and preview and whether the preview shows are kept in the
// profile settings. It retranslates itself when the player switches the
// language.

#include <QMainWindow>

#include <utility>
#include <vector>

class QActionGroup;
class QLabel;
class QMenu;

namespace skarnwald {

class CVoxlanView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Takes ownership of `view`.
    explicit CMainFrame(CVoxlanView* view);

    CVoxlanView* View() const { return view_; }
    QAction* AboutAction() const { return aboutAction_; }
    QAction* PreviewAction() const { return previewAction_; }
    QMenu* FileMenu() const { return fileMenu_; }
    QMenu* ShareMenu() const { return shareMenu_; }
    QMenu* LanguageMenu() const { return languageMenu_; }
    // The title says when nothing converted is kept.
    void SetWithoutArchive(bool withoutArchive);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateMenus();
    void CreateLanguageMenu();
    void CreateStatusBar();
    void RestoreLayout();
    void SaveLayout() const;
    void FillRecentFiles();
    void OpenRecentFile(const QString& file);
    // An action whose text (a source text of this class) follows the language.
    QAction* AddAction(QMenu* menu, const char* text);
    QMenu* AddMenu(const char* title);
    QAction* AddViewCommand(QMenu* menu, const char* text, void (CVoxlanView::*command)());
    void Retranslate();

    CVoxlanView* view_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentFilesEnd_ = nullptr; // the separator below the recent files
    QList<QAction*> recentFileActions_;
    QAction* previewAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QMenu* shareMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QAction* systemLanguageAction_ = nullptr;
    std::vector<std::pair<QAction*, const char*>> translatedActions_;
    std::vector<std::pair<QLabel*, const char*>> indicators_;
    QString readyText_; // as shown, until the first message replaces it
    bool withoutArchive_ = false;
};

} // namespace skarnwald
