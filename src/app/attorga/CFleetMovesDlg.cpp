#include "app/attorga/CFleetMovesDlg.h"

#include "app/DisplayText.h"
#include "app/MessageBoxes.h"
#include "app/attorga/PlanningLists.h"
#include "planning/FleetMoves.h"

#include "ui_CFleetMovesDlg.h"

namespace skarnwald {

namespace {

void AddItem(CReportListCtrl& list, const MoveRow& row) {
    QTreeWidgetItem* item = list.InsertItem(QString());
    ShowRowCells(list, *item, row.cells, row.backgroundSlot);
    list.SetItemTextColour(item, row.textSlot);
}

} // namespace

CFleetMovesDlg::CFleetMovesDlg(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CFleetMovesDlg>()) {
    ui->setupUi(this);
    ui->movesList->SetStandardPalette();
    ui->movesList->SetColumns({{tr("Count"), 150}, {tr("From"), 200}, {tr("ETA"), 560}});
    connect(ui->enterButton, &QPushButton::clicked, this, &CFleetMovesDlg::EnterMoves);
    connect(ui->clearButton, &QPushButton::clicked, ui->movesList, &QTreeWidget::clear);
    connect(ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

CFleetMovesDlg::~CFleetMovesDlg() = default;

void CFleetMovesDlg::EnterMoves() {
    const FleetMoves moves = GroupFleetMoves(CoreText(ui->pasteEdit->toPlainText()));
    for (const MoveRow& row : moves.rows)
        AddItem(*ui->movesList, row);
    ui->pasteEdit->clear();
    if (!moves.refused.empty())
        MessageBoxes::Inform(this, DisplayText(RefusedMovesMessage(moves.refused)));
}

} // namespace skarnwald
