#pragma once
// "Persönliche Statistik": the own kills and losses per ship class with their
// totals and ratios, the asteroids won and lost, and a reset of the record.

#include "archive/Connection.h"
#include "archive/PersonalRecord.h"

#include <QDialog>

#include <memory>

class QLabel;
namespace Ui {
class CPersStatDlg;
}

namespace skarnwald {

class CPersStatDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPersStatDlg(ConnectionPtr connection, QWidget* parent = nullptr);
    ~CPersStatDlg() override;

    // Asks first; zeroes the whole record, asteroids included.
    void OnReset();

private:
    void Show(const PersonalRecordView& record);
    static void ShowRow(const PerClass<QLabel*>& labels, const PerClass<std::string>& values);

    std::unique_ptr<Ui::CPersStatDlg> ui;
    ConnectionPtr connection_;
};

} // namespace skarnwald
