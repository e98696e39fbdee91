// "Verlauf": the chart and the table show the figures the core sums per day
// or week, and the chart is saved as a PNG picture.

#include "AppTestSupport.h"
#include "app/FileDialogs.h"
#include "app/stats/CTimelineDlg.h"
#include "archive/SettingsStore.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "writers/HtmlWriter.h"

#include <QChart>
#include <QScatterSeries>
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

TEST_F(TimelineDlgTest, ChartsAndTableShowTheSumsPerPeriodOnATimeAxis) {
    CTimelineDlg dialog(connection_);
    const auto battles = LoadBattleFigures(*connection_, "8.8.1").value();
    ASSERT_FALSE(battles.empty());
    for (TimelineStep step : {TimelineStep::Day, TimelineStep::Week}) {
        dialog.SetStep(step);
        const auto expected = SumPerPeriod(battles, step);
        ASSERT_EQ(dialog.Points().size(), expected.size());
        const auto& table = *dialog.findChild<QTableWidget*>("table");
        ASSERT_EQ(table.rowCount(), static_cast<int>(expected.size()));
        auto* destroyed = qobject_cast<QScatterSeries*>(dialog.Chart(1)->series().at(1));
        ASSERT_TRUE(destroyed);
        for (int row = 0; row < table.rowCount(); ++row) {
            const TimelinePoint& point = expected[static_cast<std::size_t>(row)];
            const QDate start = PeriodStart(point.period);
            EXPECT_EQ(table.item(row, 0)->text(), TableLabel(start, step));
            EXPECT_EQ(table.item(row, 2)->text().toLongLong(), point.shipsLost);
            EXPECT_EQ(table.item(row, 3)->text().toLongLong(), point.shipsDestroyed);
            EXPECT_EQ(table.item(row, 4)->text().toLongLong(), point.roidsWon);
            EXPECT_EQ(table.item(row, 5)->text().toLongLong(), point.roidsLost);
            EXPECT_TRUE(destroyed->points().contains(
                QPointF(static_cast<qreal>(start.toJulianDay()), static_cast<qreal>(point.shipsDestroyed))));
            EXPECT_TRUE(
                dialog.HoverText(1, static_cast<qreal>(start.toJulianDay()))
                    .startsWith(TableLabel(start, step) + ": " + QString::number(point.shipsDestroyed)));
        }
    }
    std::int64_t lost = 0;
    for (const BattleFigures& battle : battles)
        lost += battle.shipsLost;
    EXPECT_GT(lost, 0) << "the sample's own fleet loses ships";
}

TEST(TimelineLabels, PeriodsStartOnTheirDayOrMondayAndAreNamedShortly) {
    TestApplication(); // the labels speak German
    struct Case {
        const char* period;
        TimelineStep step;
        QDate start;
        const char* axis;
        const char* table;
    };
    for (const Case& c :
         {Case{"2026-12-09", TimelineStep::Day, QDate(2026, 12, 9), "09.12.", "09.12.2026"},
          Case{"2002-W37", TimelineStep::Week, QDate(2002, 9, 9), "KW 37/2002", "KW 37/2002"},
          Case{"2026-W01", TimelineStep::Week, QDate(2025, 12, 29), "KW 1/2026", "KW 1/2026"},
          Case{"2020-W53", TimelineStep::Week, QDate(2020, 12, 28), "KW 53/2020", "KW 53/2020"}}) {
        EXPECT_EQ(PeriodStart(c.period), c.start) << c.period;
        EXPECT_EQ(AxisLabel(c.start, c.step), c.axis) << c.period;
        EXPECT_EQ(TableLabel(c.start, c.step), c.table) << c.period;
    }
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
