#pragma once
// "Datenbank": the stored battles a search, a date range and an order choose,
// each opening to its fleet lines in side colours and the combat lines of
// each fleet line (read when a battle is opened). The selected battle can be
// written as an HTML page or deleted; the battles shown can be written as CSV
// files; the battle tables can be emptied. Battles go between players as
// archives: the selected ones (or those shown) are saved as a small
// Data.dat, and another Data.dat's battles are merged in.

#include "archive/BattleBrowser.h"
#include "archive/Connection.h"
#include "archive/CsvExport.h"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QTreeWidgetItem;
namespace Ui {
class CDatabaseDlg;
}

namespace skarnwald {

class CDatabaseDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDatabaseDlg(ConnectionPtr connection, QWidget* parent = nullptr);
    ~CDatabaseDlg() override;

    // The battle "HTML erstellen" and "Kampf löschen" act on, if one is selected.
    std::optional<std::int32_t> SelectedBattleId() const { return selectedBattleId_; }
    // The battles the list shows, in its order.
    const std::vector<std::int32_t>& ShownBattleIds() const { return shownIds_; }

    void OnExport();
    void OnDeleteBattle();
    void OnDeleteAll();
    // The shown battles as CSV: every table into a chosen folder, or one
    // table into a chosen file.
    void OnExportCsv(std::optional<CsvTable> onlyTable);
    // Adds the battles of a chosen archive that are not stored yet, and
    // tells how many were added and how many were there already.
    void OnMergeArchive();
    // Saves the selected battles, or the shown ones when none is selected,
    // as an archive of their own.
    void OnSaveSelectionAsArchive();
    // The battles of the selected rows, or the shown ones when none is selected.
    std::vector<std::int32_t> ChosenBattleIds() const;
    // Lists the battles the filter fields choose.
    void Reload();

protected:
    // Enter in the search field stays there; Enter and Entf in the list act
    // on the selected battle.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpList();
    void SetUpFilter();
    void SetUpCsvMenu();
    void SetUpMoreMenu();
    BattleFilter CurrentFilter() const;
    void LoadChildren(QTreeWidgetItem* battle);
    void InsertItems(const std::vector<BrowserItem>& items, QTreeWidgetItem* parent);
    void SelectBattleOf(QTreeWidgetItem* item);
    void OpenSelectedBattle();
    void SetSelectedBattle(std::optional<std::int32_t> battleId);
    void ShowCount();
    void ShowStatus(const QString& text);

    std::unique_ptr<Ui::CDatabaseDlg> ui;
    ConnectionPtr connection_;
    std::optional<std::int32_t> selectedBattleId_;
    QString selectedPageName_;
    std::vector<std::int32_t> shownIds_;
};

} // namespace skarnwald
