#pragma once
// The fleet movement overview: pasted movement lines (or an outgoing-fleet
// list) become groups per target with their attacking and defending totals;
// lines it cannot read are named. Each press of "Eintragen" appends below
// the rows already shown.

#include <QDialog>

#include <memory>

namespace Ui {
class CFleetMovesDlg;
}

namespace skarnwald {

class CFleetMovesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFleetMovesDlg(QWidget* parent = nullptr);
    ~CFleetMovesDlg() override;

private:
    void EnterMoves();

    std::unique_ptr<Ui::CFleetMovesDlg> ui;
};

} // namespace skarnwald
