#include "app/db/CDatabaseDlg.h"

#include "app/DisplayText.h"
#include "app/MessageBoxes.h"
#include "app/PageFiles.h"
#include "db/BattleDatabase.h"
#include "ui_CDatabaseDlg.h"

namespace skarnwald {
namespace {

constexpr int kIdColumn = 1;

} // namespace

CDatabaseDlg::CDatabaseDlg(ConnectionPtr connection, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CDatabaseDlg>()), connection_(std::move(connection)) {
    ui->setupUi(this);
    SetUpList();
    LoadTree();
    connect(ui->battleList, &CReportListCtrl::ItemSelected, this, &CDatabaseDlg::SelectBattleOf);
    connect(ui->exportButton, &QPushButton::clicked, this, &CDatabaseDlg::OnExport);
    connect(ui->deleteButton, &QPushButton::clicked, this, &CDatabaseDlg::OnDeleteAll);
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

CDatabaseDlg::~CDatabaseDlg() = default;

void CDatabaseDlg::SetUpList() {
    CReportListCtrl& list = *ui->battleList;
    list.SetStandardPalette();
    list.SetColumns({{QStringLiteral("Battles"), 560}, {QStringLiteral("ID"), 40}});
}

void CDatabaseDlg::LoadTree() {
    // A failed query has been reported; the list then stays empty.
    const std::optional<BattleTree> tree = LoadBattleTree(*connection_);
    if (!tree)
        return;
    InsertItems(tree->battles, nullptr);
    selectedBattleId_ = tree->selectedBattleId;
}

void CDatabaseDlg::InsertItems(const std::vector<BrowserItem>& items, QTreeWidgetItem* parent) {
    CReportListCtrl& list = *ui->battleList;
    for (const BrowserItem& item : items) {
        QTreeWidgetItem* row = list.InsertItem(DisplayText(item.text), static_cast<int>(item.colour), parent);
        list.SetItemText(row, kIdColumn, QString::number(item.battleId));
        InsertItems(item.children, row);
    }
}

// Every row shows its battle's id, so any row selects its battle.
void CDatabaseDlg::SelectBattleOf(QTreeWidgetItem* item) {
    selectedBattleId_ = item->text(kIdColumn).toInt();
}

void CDatabaseDlg::OnExport() {
    const auto target = ChoosePageFile(this);
    if (!target)
        return;
    CBattleDatabase database;
    database.SetConnection(connection_);
    // A failed query has been reported; its page is then abandoned.
    WritePageFile(this, *target,
                  [&](std::ostream& out) { return database.RenderBattle(out, selectedBattleId_); });
}

void CDatabaseDlg::OnDeleteAll() {
    if (!MessageBoxes::AskYesNo(this, QStringLiteral("Alle gespeicherten Battles löschen?")))
        return;
    if (DeleteAllBattles(*connection_))
        ui->battleList->clear();
}

} // namespace skarnwald
