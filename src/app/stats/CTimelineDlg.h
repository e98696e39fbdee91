#pragma once
// "Verlauf": the own ships lost and destroyed and the asteroids won and lost
// per day or per week, as a chart and as a table; the chart can be saved as a
// PNG picture.

#include "archive/BattleTimeline.h"
#include "archive/Connection.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class CTimelineDlg;
}

namespace skarnwald {

class CTimelineDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTimelineDlg(ConnectionPtr connection, QWidget* parent = nullptr);
    ~CTimelineDlg() override;

    // The periods the chart and the table show.
    const std::vector<TimelinePoint>& Points() const { return points_; }

    void SetStep(TimelineStep step);
    // Asks for a file name and saves the chart there; false when cancelled
    // or not written (told in a message box).
    bool OnSavePng();

private:
    void Reload();
    void ShowChart();
    void ShowTable();

    std::unique_ptr<Ui::CTimelineDlg> ui;
    ConnectionPtr connection_;
    std::string ownCoords_;
    std::vector<BattleFigures> battles_;
    std::vector<TimelinePoint> points_;
};

} // namespace skarnwald
