// "Verlauf": the chart and the table show the figures the core sums per day
// or week, and the chart is saved as a PNG picture.

#include "AppTestSupport.h"
#include "app/FileDialogs.h"
#include "app/stats/CTimelineDlg.h"
#include "archive/SettingsStore.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "writers/HtmlWriter.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QTableWidget>

namespace skarnwald::testing {
namespace {

class TimelineDlgTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        EnsureSettingsRows(*connection_);
        WriteOwnCoords(*connection_, "8.8.1");
        CReportConverter converter;
        converter.ownCoords = "8.8.1";
        CStoringWriter storing(database_, {1, 1, converter.ownCoords});
        converter.AddWriter(&storing);
        std::ostringstream page;
        ConvertToPage(converter, SampleReport("own-planet.txt"), page);
    }
};

TEST_F(TimelineDlgTest, ChartAndTableShowTheSumsPerPeriod) {
    CTimelineDlg dialog(connection_);
    const auto battles = LoadBattleFigures(*connection_, "8.8.1").value();
    ASSERT_FALSE(battles.empty());
    for (TimelineStep step : {TimelineStep::Day, TimelineStep::Week}) {
        dialog.SetStep(step);
        const auto expected = SumPerPeriod(battles, step);
        ASSERT_EQ(dialog.Points().size(), expected.size());
        const auto& table = *dialog.findChild<QTableWidget*>("table");
        ASSERT_EQ(table.rowCount(), static_cast<int>(expected.size()));
        QChart* chart = dialog.findChild<QChartView*>("chartView")->chart();
        auto* bars = qobject_cast<QBarSeries*>(chart->series().at(0));
        ASSERT_TRUE(bars);
        for (int row = 0; row < table.rowCount(); ++row) {
            const TimelinePoint& point = expected[static_cast<std::size_t>(row)];
            EXPECT_EQ(table.item(row, 0)->text().toStdString(), point.period);
            EXPECT_EQ(table.item(row, 2)->text().toLongLong(), point.shipsLost);
            EXPECT_EQ(table.item(row, 3)->text().toLongLong(), point.shipsDestroyed);
            EXPECT_EQ(table.item(row, 4)->text().toLongLong(), point.roidsWon);
            EXPECT_EQ(table.item(row, 5)->text().toLongLong(), point.roidsLost);
            EXPECT_EQ(bars->barSets().at(0)->at(row), static_cast<qreal>(point.shipsLost));
            EXPECT_EQ(bars->barSets().at(1)->at(row), static_cast<qreal>(point.shipsDestroyed));
        }
    }
    std::int64_t lost = 0;
    for (const BattleFigures& battle : battles)
        lost += battle.shipsLost;
    EXPECT_GT(lost, 0) << "the sample's own fleet loses ships";
}

TEST_F(TimelineDlgTest, TheChartIsSavedAsPng) {
    CTimelineDlg dialog(connection_);
    dialog.resize(800, 600);
    FileDialogs::SetNextFileName(QString::fromStdString(Here("verlauf").string()));
    EXPECT_TRUE(dialog.OnSavePng());
    EXPECT_TRUE(FileBytes(Here("verlauf.png")).starts_with("\x89PNG"));
    FileDialogs::SetNextFileName(QString());
    EXPECT_FALSE(dialog.OnSavePng());
}

} // namespace
} // namespace skarnwald::testing
