#pragma once
// The main window: the menu, the form view in its middle and the status bar
// with the view's messages and the three key indicators. Its size, the split
// between report and preview and whether the preview shows are kept in the
// profile settings.

#include <QMainWindow>

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateStatusBar();
    void RestoreLayout();
    void SaveLayout() const;
    void FillRecentFiles();
    void OpenRecentFile(const QString& file);
    QAction* AddViewCommand(QMenu* menu, const QString& text, void (CVoxlanView::*command)());

    CVoxlanView* view_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentFilesEnd_ = nullptr; // the separator below the recent files
    QList<QAction*> recentFileActions_;
    QAction* previewAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QMenu* shareMenu_ = nullptr;
};

} // namespace skarnwald
