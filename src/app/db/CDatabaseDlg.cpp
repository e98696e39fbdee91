#include "app/db/CDatabaseDlg.h"

#include "app/ArchiveChoice.h"
#include "app/DisplayText.h"
#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "app/PageFiles.h"
#include "archive/ArchiveExport.h"
#include "archive/ArchiveImport.h"
#include "archive/StoredBattlePage.h"
#include "ui_CDatabaseDlg.h"
#include "writers/PageFileName.h"

#include <QDir>
#include <QKeyEvent>
#include <QMenu>

#include <algorithm>

namespace skarnwald {
namespace {

constexpr int kIdColumn = 1;
// Set on a battle's row once its fleet lines have been read.
constexpr int kChildrenLoadedRole = Qt::UserRole + 1;
// The name a battle's page is offered under, on its row.
constexpr int kPageNameRole = Qt::UserRole + 2;

constexpr BattleOrder kOrders[] = {BattleOrder::OldestFirst, BattleOrder::NewestFirst, BattleOrder::Coords};

std::string DayText(const QDate& date) {
    return date.toString(Qt::ISODate).toStdString();
}

QString CsvTableTitle(CsvTable table) {
    switch (table) {
    case CsvTable::FleetLines:
        return CDatabaseDlg::tr("Fleet lines only…");
    case CsvTable::CombatLines:
        return CDatabaseDlg::tr("Combat lines only…");
    case CsvTable::Battles:
        break;
    }
    return CDatabaseDlg::tr("Battles only…");
}

} // namespace

CDatabaseDlg::CDatabaseDlg(ConnectionPtr connection, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CDatabaseDlg>()), connection_(std::move(connection)) {
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("%1 – %2").arg(windowTitle(), ArchiveFileText(*connection_)));
    SetUpList();
    SetUpFilter();
    SetUpCsvMenu();
    SetUpMoreMenu();
    Reload();
    connect(ui->battleList, &CReportListCtrl::ItemSelected, this, &CDatabaseDlg::SelectBattleOf);
    connect(ui->battleList, &QTreeWidget::itemExpanded, this, &CDatabaseDlg::LoadChildren);
    connect(ui->exportButton, &QPushButton::clicked, this, &CDatabaseDlg::OnExport);
    connect(ui->deleteBattleButton, &QPushButton::clicked, this, &CDatabaseDlg::OnDeleteBattle);
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

CDatabaseDlg::~CDatabaseDlg() = default;

void CDatabaseDlg::SetUpList() {
    CReportListCtrl& list = *ui->battleList;
    list.SetStandardPalette();
    list.SetColumns({{tr("Battles"), 560}, {tr("ID"), 40}});
    list.setUniformRowHeights(true);
    // Several battles can be chosen to pass on as an archive; the one
    // clicked last is the one HTML and deleting act on.
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Enter opens the selected battle and Entf deletes it, rather than the
    // dialog taking Enter for its default button.
    list.installEventFilter(this);
}

void CDatabaseDlg::SetUpFilter() {
    const QDate today = QDate::currentDate();
    ui->fromDate->setDate(today.addMonths(-1));
    ui->toDate->setDate(today);
    // Enter in the search field searches; it must not close the dialog.
    ui->searchEdit->installEventFilter(this);
    connect(ui->searchEdit, &QLineEdit::textChanged, this, &CDatabaseDlg::Reload);
    for (auto [check, date] : {std::pair{ui->fromCheck, ui->fromDate}, std::pair{ui->toCheck, ui->toDate}}) {
        connect(check, &QCheckBox::toggled, date, &QWidget::setEnabled);
        connect(check, &QCheckBox::toggled, this, &CDatabaseDlg::Reload);
        connect(date, &QDateEdit::dateChanged, this, &CDatabaseDlg::Reload);
    }
    connect(ui->sortCombo, &QComboBox::currentIndexChanged, this, &CDatabaseDlg::Reload);
}

// Emptying the whole archive sits in a menu of its own, away from the button
// that deletes one battle.
void CDatabaseDlg::SetUpMoreMenu() {
    auto* menu = new QMenu(ui->moreButton);
    menu->addAction(tr("Merge archive…"), this, &CDatabaseDlg::OnMergeArchive);
    menu->addAction(tr("Save selection as archive…"), this, &CDatabaseDlg::OnSaveSelectionAsArchive);
    menu->addSeparator();
    menu->addAction(tr("Empty the database…"), this, &CDatabaseDlg::OnDeleteAll);
    ui->moreButton->setMenu(menu);
}

void CDatabaseDlg::SetUpCsvMenu() {
    auto* menu = new QMenu(ui->csvButton);
    menu->addAction(tr("All three tables into a folder…"), this, [this] { OnExportCsv(std::nullopt); });
    for (CsvTable table : kAllCsvTables)
        menu->addAction(CsvTableTitle(table), this, [this, table] { OnExportCsv(table); });
    ui->csvButton->setMenu(menu);
}

bool CDatabaseDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == ui->searchEdit && enter)
        return true;
    if (watched == ui->battleList && enter) {
        OpenSelectedBattle();
        return true;
    }
    if (watched == ui->battleList && key == Qt::Key_Delete) {
        OnDeleteBattle();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Opens the current row, or closes it when it is open, as a double-click does.
void CDatabaseDlg::OpenSelectedBattle() {
    if (QTreeWidgetItem* row = ui->battleList->currentItem())
        row->setExpanded(!row->isExpanded());
}

BattleFilter CDatabaseDlg::CurrentFilter() const {
    BattleFilter filter;
    filter.search = ui->searchEdit->text().toStdString();
    if (ui->fromCheck->isChecked())
        filter.from = DayText(ui->fromDate->date());
    if (ui->toCheck->isChecked())
        filter.to = DayText(ui->toDate->date());
    filter.order = kOrders[std::max(0, ui->sortCombo->currentIndex())];
    return filter;
}

void CDatabaseDlg::Reload() {
    CReportListCtrl& list = *ui->battleList;
    list.clear();
    shownIds_.clear();
    SetSelectedBattle(std::nullopt);
    // A failed query has been reported; the list then stays empty.
    const auto battles = FindBattles(*connection_, CurrentFilter());
    if (battles) {
        // One insertion for all rows: far quicker than row by row.
        QList<QTreeWidgetItem*> rows;
        rows.reserve(static_cast<qsizetype>(battles->size()));
        for (const StoredBattle& battle : *battles) {
            auto* row =
                new QTreeWidgetItem({DisplayText(BattleItemOf(battle).text), QString::number(battle.id)});
            const std::string_view day =
                std::string_view(battle.datum).substr(0, 10); // of "YYYY-MM-DD HH:MM:SS"
            row->setData(0, kPageNameRole, QString::fromStdString(SuggestedPageFileName(battle.coords, day)));
            row->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
            rows.append(row);
            shownIds_.push_back(battle.id);
        }
        list.addTopLevelItems(rows);
    }
    ShowCount();
}

void CDatabaseDlg::LoadChildren(QTreeWidgetItem* battle) {
    if (battle->parent() || battle->data(0, kChildrenLoadedRole).toBool())
        return;
    battle->setData(0, kChildrenLoadedRole, true);
    battle->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    if (const auto children = LoadFleetLines(*connection_, battle->text(kIdColumn).toInt()))
        InsertItems(*children, battle);
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
    SetSelectedBattle(item->text(kIdColumn).toInt());
    QTreeWidgetItem* battle = item;
    while (battle->parent())
        battle = battle->parent();
    selectedPageName_ = battle->data(0, kPageNameRole).toString();
}

void CDatabaseDlg::SetSelectedBattle(std::optional<std::int32_t> battleId) {
    selectedBattleId_ = battleId;
    selectedPageName_.clear();
    ui->exportButton->setEnabled(battleId.has_value());
    ui->deleteBattleButton->setEnabled(battleId.has_value());
}

void CDatabaseDlg::ShowCount() {
    const auto shown = static_cast<int>(shownIds_.size());
    ui->countLabel->setText(tr("%n battle(s) shown", nullptr, shown));
}

void CDatabaseDlg::ShowStatus(const QString& text) {
    ui->statusLabel->setText(text);
}

void CDatabaseDlg::OnExport() {
    if (!selectedBattleId_)
        return;
    const auto target = ChoosePageFile(this, selectedPageName_);
    if (!target)
        return;
    const std::int32_t battleId = *selectedBattleId_;
    // A failed query has been reported; its page is then abandoned.
    if (WritePageFile(this, *target,
                      [&](std::ostream& out) { return RenderStoredBattle(*connection_, out, battleId); }))
        ShowStatus(tr("Page written: %1")
                       .arg(QDir::toNativeSeparators(
                           QString::fromStdString(std::filesystem::absolute(*target).string()))));
}

void CDatabaseDlg::OnDeleteBattle() {
    if (!selectedBattleId_)
        return;
    const std::int32_t battleId = *selectedBattleId_;
    if (!MessageBoxes::AskYesNo(
            this, tr("Delete battle %1 with its fleet, combat and statistics lines?").arg(battleId)))
        return;
    // A failed delete has been reported and changed nothing.
    if (DeleteBattle(*connection_, battleId) == DeleteOutcome::Failed)
        return;
    Reload();
    ShowStatus(tr("Battle %1 deleted.").arg(battleId));
}

void CDatabaseDlg::OnDeleteAll() {
    const auto stored = FindBattles(*connection_, BattleFilter{});
    if (!stored)
        return;
    if (stored->empty()) {
        ShowStatus(tr("The database holds no battles."));
        return;
    }
    if (!MessageBoxes::AskYesNo(this, tr("Empty the database: %n stored battle(s) with all their fleet, "
                                         "combat and statistics lines? This cannot be undone.",
                                         nullptr, static_cast<int>(stored->size()))))
        return;
    if (DeleteAllBattles(*connection_))
        Reload();
}

void CDatabaseDlg::OnExportCsv(std::optional<CsvTable> onlyTable) {
    const QString chosen =
        onlyTable ? FileDialogs::SaveFileName(
                        this, FileKind::Csv,
                        QString::fromUtf8(CsvFileName(*onlyTable).data(),
                                          static_cast<qsizetype>(CsvFileName(*onlyTable).size())))
                  : FileDialogs::FolderName(this, QStringLiteral("CSV"));
    if (chosen.isEmpty())
        return;
    std::string error;
    QString written = QDir::toNativeSeparators(chosen);
    const CsvOptions options{ui->csvSeparatorBox->currentIndex() == 1 ? ';' : ','};
    if (onlyTable) {
        if (!written.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
            written += QStringLiteral(".csv");
        error = ExportTableAsCsv(*connection_, shownIds_, *onlyTable, ToPath(written), options).error;
    } else {
        error = ExportBattlesAsCsv(*connection_, shownIds_, ToPath(chosen), kAllCsvTables, options).error;
    }
    if (!error.empty()) {
        MessageBoxes::Inform(this, QString::fromStdString(error));
        return;
    }
    ShowStatus(
        tr("%n battle(s) written as CSV: %1", nullptr, static_cast<int>(shownIds_.size())).arg(written));
}

std::vector<std::int32_t> CDatabaseDlg::ChosenBattleIds() const {
    const QList<QTreeWidgetItem*> selected = ui->battleList->selectedItems();
    if (selected.isEmpty())
        return shownIds_;
    // Every row shows its battle's id, so a fleet or combat line chooses its battle.
    std::vector<std::int32_t> ids;
    for (const QTreeWidgetItem* row : selected)
        ids.push_back(row->text(kIdColumn).toInt());
    std::ranges::sort(ids);
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

void CDatabaseDlg::OnSaveSelectionAsArchive() {
    const std::vector<std::int32_t> ids = ChosenBattleIds();
    if (ids.empty()) {
        ShowStatus(tr("No battle to save."));
        return;
    }
    const QString chosen = FileDialogs::SaveFileName(this, FileKind::Archive, tr("Battles.dat"));
    if (chosen.isEmpty())
        return;
    const ArchiveExportResult result = ExportBattlesAsArchive(*connection_, ids, ToPath(chosen));
    if (!result.error.empty()) {
        MessageBoxes::Inform(this, DisplayText(result.error));
        return;
    }
    ShowStatus(tr("%n battle(s) saved as archive: %1", nullptr, result.battles)
                   .arg(QDir::toNativeSeparators(chosen)));
}

void CDatabaseDlg::OnMergeArchive() {
    const QString chosen = FileDialogs::OpenFileName(this, FileKind::Archive);
    if (chosen.isEmpty())
        return;
    // The import reads the chosen file only and adds its new battles to the
    // archive's file; settings and the personal record stay as they are.
    const std::filesystem::path target = ArchiveFileOf(*connection_);
    const ImportResult result = ImportArchive(ToPath(chosen), target, ImportMode::Merge);
    if (!result.error.empty()) {
        MessageBoxes::Inform(this, DisplayText(result.error));
        return;
    }
    Reload();
    ShowStatus(tr("%n battle(s) added", nullptr, result.battles) + QStringLiteral(", ") +
               tr("%n already there.", nullptr, result.skipped));
    MessageBoxes::Inform(this, DisplayText(ImportSummary(result, target)).trimmed());
}

} // namespace skarnwald
