#pragma once
// The main window: the menu, the form view in its middle and the status bar
// with the idle message and the three key indicators.

#include <QMainWindow>

namespace skarnwald {

class CVoxlanView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Takes ownership of `view`.
    explicit CMainFrame(CVoxlanView* view);

    CVoxlanView* View() const { return view_; }
    QAction* AboutAction() const { return aboutAction_; }
    QMenu* ShareMenu() const { return shareMenu_; }

private:
    void CreateMenus();
    void CreateStatusBar();
    QAction* AddViewCommand(QMenu* menu, const QString& text, void (CVoxlanView::*command)());

    CVoxlanView* view_;
    QAction* aboutAction_ = nullptr;
    QMenu* shareMenu_ = nullptr;
};

} // namespace skarnwald
