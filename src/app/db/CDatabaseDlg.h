#pragma once
// "Datenbank": the stored battles as a tree (battles, their fleet lines in
// side colours, the combat lines of each fleet line). The selected battle can
// be written as an HTML page, and the battle tables can be emptied.

#include "db/BattleBrowser.h"
#include "db/Connection.h"

#include <QDialog>

#include <cstdint>
#include <memory>

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

    // The battle "HTML erstellen" writes.
    std::int32_t SelectedBattleId() const { return selectedBattleId_; }

    void OnExport();
    void OnDeleteAll();

private:
    void SetUpList();
    void LoadTree();
    void InsertItems(const std::vector<BrowserItem>& items, QTreeWidgetItem* parent);
    void SelectBattleOf(QTreeWidgetItem* item);

    std::unique_ptr<Ui::CDatabaseDlg> ui;
    ConnectionPtr connection_;
    std::int32_t selectedBattleId_ = 0;
};

} // namespace skarnwald
