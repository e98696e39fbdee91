#include "app/CMainFrame.h"

#include "app/CVoxlanView.h"
#include "app/attorga/CAttOrgaDlg.h"
#include "app/attorga/CFleetMovesDlg.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace skarnwald {

CMainFrame::CMainFrame(CVoxlanView* view) : view_(view) {
    setCentralWidget(view_);
    CreateMenus();
    CreateStatusBar();
}

QAction* CMainFrame::AddViewCommand(QMenu* menu, const QString& text, void (CVoxlanView::*command)()) {
    QAction* action = menu->addAction(text);
    connect(action, &QAction::triggered, view_, command);
    return action;
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
    // The text after the tab is the shortcut as the menu shows it.
    AddViewCommand(file, QStringLiteral("Ö&ffnen...\tStrg+O"), &CVoxlanView::OnFileOpen)
        ->setShortcut(QKeySequence::Open);
    AddViewCommand(file, QStringLiteral("Datenbank anzeigen"), &CVoxlanView::OnDatabase);
    AddViewCommand(file, QStringLiteral("Persönliche Stats"), &CVoxlanView::OnPersStat);
    AddViewCommand(file, QStringLiteral("Einstellungen"), &CVoxlanView::OnSettings);
    AddViewCommand(file, QStringLiteral("Ausrüstung"), &CVoxlanView::OnEquipment);
    connect(file->addAction(QStringLiteral("Att - Orga")), &QAction::triggered, this,
            [this] { CAttOrgaDlg(this).exec(); });
    connect(file->addAction(QStringLiteral("Flottenbewegungen")), &QAction::triggered, this,
            [this] { CFleetMovesDlg(this).exec(); });
    file->addSeparator();
    connect(file->addAction(QStringLiteral("&Beenden")), &QAction::triggered, this, &QWidget::close);

    // Usable once a conversion has made the texts to share.
    shareMenu_ = menuBar()->addMenu(QStringLiteral("&Teilen"));
    AddViewCommand(shareMenu_, QStringLiteral("Als BBCode kopieren"), &CVoxlanView::OnCopyBBCode);
    AddViewCommand(shareMenu_, QStringLiteral("Für Discord kopieren"), &CVoxlanView::OnCopyDiscord);
    AddViewCommand(shareMenu_, QStringLiteral("Titelzeile kopieren"), &CVoxlanView::OnCopyTitle);
    AddViewCommand(shareMenu_, QStringLiteral("Als JSON speichern…"), &CVoxlanView::OnSaveJson);
    for (QAction* action : shareMenu_->actions())
        action->setEnabled(false);
    connect(view_, &CVoxlanView::ShareAvailable, this, [this](bool available) {
        for (QAction* action : shareMenu_->actions())
            action->setEnabled(available);
    });

    QMenu* statistics = menuBar()->addMenu(QStringLiteral("&Statistik"));
    AddViewCommand(statistics, QStringLiteral("&Verlauf…"), &CVoxlanView::OnTimeline);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    AddViewCommand(help, QStringLiteral("Changelog"), &CVoxlanView::OnChangeLog);
    aboutAction_ = help->addAction(QStringLiteral("Inf&o über Voxlan..."));
}

void CMainFrame::CreateStatusBar() {
    statusBar()->showMessage(QStringLiteral("Bereit"));
    // Caps, num and scroll lock: the toolkit cannot read the lock states on
    // every platform, so the indicators stand greyed as in an idle frame.
    for (const char* indicator : {"UF", "NUM", "RF"}) {
        auto* label = new QLabel(QLatin1String(indicator), this);
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
    }
}

} // namespace skarnwald
