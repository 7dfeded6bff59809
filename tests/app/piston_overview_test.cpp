// The piston overview dock of the main window: its rows, how they follow the configuration,
// the filter, and the selection it shares with the piston buttons.

#include "app/mainwindow/main_window.h"
#include "app/mainwindow/manual_panel.h"
#include "app/mainwindow/piston_overview.h"
#include "app_test_support.h"
#include "model/example_organ.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace zkt {
namespace {

using Column = PistonOverviewModel::Column;

class PistonOverviewTest : public ::testing::Test {
protected:
    PistonOverviewTest() {
        window.show();
        window.refreshManualPanels();
    }
    QTableView& table() const { return *window.findChild<QTableView*>(QStringLiteral("grdPistonOverview")); }
    int rows() const { return table().model()->rowCount(); }
    QModelIndex cell(int row, Column column) const { return table().model()->index(row, column); }
    QString shown(int row, Column column) const { return cell(row, column).data().toString(); }
    int pistonOfRow(int row) const {
        return cell(row, Column::manualColumn).data(PistonOverviewModel::pistonIndexRole).toInt();
    }
    bool ringed(int pistonIndex) const {
        return window.panel(pistonIndex / pistonsPerManual)
            ->isPistonHighlighted(pistonIndex % pistonsPerManual);
    }
    void showConfiguration(const ConfigModel& replacement) {
        model = replacement;
        window.refreshManualPanels();
    }

    ConfigModel model = exampleOrgan(3);
    MainWindow window{model};
};

TEST_F(PistonOverviewTest, ShowsEachPistonOfTheConfiguredManualsWithItsDescriptionAndDetail) {
    model.pistons[pistonIndexOf(0, 5)] = pistonInfo{};
    window.refreshManualPanels();
    ASSERT_EQ(rows(), 3 * pistonsPerManual);
    struct Row {
        int row;
        const char* manual;
        const char* piston;
        const char* function;
        const char* detail;
    };
    for (const Row& r :
         {Row{0, "1", "1", "Ahlborn SET on MIDI Channel 1", ""}, Row{5, "1", "6", "Unassigned", ""},
          Row{32, "2", "13", "Bank Select on MIDI Channel 7", "MSB 0, LSB 2, program 7"},
          Row{54, "3", "15", "Note On/Off # 64 on MIDI Channel 3", "note 63 (D#3)"},
          Row{59, "3", "20", "Ahlborn Cancel on MIDI Channel 3", "General Cancel"}}) {
        EXPECT_EQ(shown(r.row, Column::manualColumn), QLatin1String(r.manual)) << r.row;
        EXPECT_EQ(shown(r.row, Column::pistonColumn), QLatin1String(r.piston)) << r.row;
        EXPECT_EQ(shown(r.row, Column::functionColumn), QLatin1String(r.function)) << r.row;
        EXPECT_EQ(shown(r.row, Column::detailColumn), QLatin1String(r.detail)) << r.row;
    }
    EXPECT_EQ(table().model()->headerData(Column::functionColumn, Qt::Horizontal).toString(),
              QStringLiteral("Function"));
}

TEST_F(PistonOverviewTest, FollowsEveryChangeOfTheConfigurationAndKeepsTheSelection) {
    const ConfigModel before = model;
    table().selectRow(24);
    model.pistons[24] = pistonInfo{};
    window.updatePistonButton(24); // what an editor's Save does
    EXPECT_EQ(shown(24, Column::functionColumn), QStringLiteral("Unassigned"));
    showConfiguration(before); // what an undo does
    EXPECT_EQ(shown(24, Column::functionColumn), QStringLiteral("Ahlborn General on MIDI Channel 2"));
    EXPECT_EQ(pistonOfRow(table().selectionModel()->selectedRows().value(0).row()), 24);
    EXPECT_TRUE(ringed(24));

    showConfiguration(exampleOrgan(5)); // a load with more manuals
    EXPECT_EQ(rows(), 5 * pistonsPerManual);
    EXPECT_EQ(shown(99, Column::functionColumn), QStringLiteral("Ahlborn Cancel on MIDI Channel 5"));
    EXPECT_TRUE(ringed(24));
    ConfigModel fewer = exampleOrgan(1);
    showConfiguration(fewer); // the selected piston's manual is gone
    EXPECT_EQ(rows(), pistonsPerManual);
    EXPECT_FALSE(ringed(24));
    EXPECT_EQ(window.pistonOverview().selectedPiston(), -1);
}

TEST_F(PistonOverviewTest, TheFilterKeepsRowsThatMentionItsTextInAnyCase) {
    model.names.pistonLabels[pistonIndexOf(1, 10)] = "Sw to Gt";
    window.refreshManualPanels();
    auto* filter = window.findChild<QLineEdit*>(QStringLiteral("txtOverviewFilter"));
    struct Case {
        const char* text;
        int rows;
        Column column; // where each remaining row mentions it
        const char* mention;
    };
    for (const Case& c : {Case{"COUPLER", 3, Column::functionColumn, "Coupler"},
                          Case{"note 6", 3, Column::detailColumn, "note 6"},
                          Case{"sw TO", 1, Column::labelColumn, "Sw to Gt"},
                          Case{"nothing like it", 0, Column::detailColumn, ""}}) {
        filter->clear();
        QTest::keyClicks(filter, QLatin1String(c.text));
        ASSERT_EQ(rows(), c.rows) << c.text;
        for (int row = 0; row < rows(); ++row)
            EXPECT_TRUE(shown(row, c.column).contains(QLatin1String(c.mention))) << c.text;
    }
    filter->clear();
    EXPECT_EQ(rows(), 3 * pistonsPerManual);
}

TEST_F(PistonOverviewTest, ARowAndItsPistonButtonAreSelectedTogether) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    table().selectRow(45);
    EXPECT_TRUE(ringed(45));
    EXPECT_TRUE(window.findChild<QWidget*>(QStringLiteral("shpPistonSelection_2"))->isVisible());

    window.findChild<QPushButton*>(QStringLiteral("cmdPiston_7"))->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(pistonOfRow(table().selectionModel()->selectedRows().value(0).row()), 7);
    EXPECT_TRUE(ringed(7));
    EXPECT_FALSE(ringed(45));
    EXPECT_FALSE(window.findChild<QWidget*>(QStringLiteral("shpPistonSelection_2"))->isVisible());
}

TEST_F(PistonOverviewTest, DoubleClickAndEnterOpenTheEditorOfTheRowsPiston) {
    QSignalSpy opened(&window, &MainWindow::pistonClicked);
    // Sorted otherwise, a row is still its own piston.
    table().sortByColumn(Column::functionColumn, Qt::DescendingOrder);
    const QPoint first = table().visualRect(cell(0, Column::functionColumn)).center();
    // A double click is a click and then the double-click event, as the window system sends it.
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(table().viewport(), Qt::LeftButton, {}, first);
    table().setCurrentIndex(cell(1, Column::detailColumn));
    QTest::keyClick(&table(), Qt::Key_Return);
    ASSERT_EQ(opened.count(), 2);
    EXPECT_EQ(opened.at(0).at(0).toInt(), pistonOfRow(0));
    EXPECT_EQ(opened.at(1).at(0).toInt(), pistonOfRow(1));
    EXPECT_NE(pistonOfRow(0), 0);
}

// Manual and piston sort as numbers, with the piston's place deciding among equals, whatever the
// filter and the edits did to the rows before.
TEST_F(PistonOverviewTest, ManualAndPistonSortAsNumbersInEveryFilterAndEditState) {
    auto* filter = window.findChild<QLineEdit*>(QStringLiteral("txtOverviewFilter"));
    const auto byManual = [](int a, int b) { return a < b; };
    const auto byPiston = [](int a, int b) {
        return std::pair(a % pistonsPerManual, a / pistonsPerManual) <
               std::pair(b % pistonsPerManual, b / pistonsPerManual);
    };
    for (const auto& [column, sorted] :
         {std::pair(Column::manualColumn, +byManual), std::pair(Column::pistonColumn, +byPiston)}) {
        showConfiguration(exampleOrgan(3));
        table().sortByColumn(column, Qt::AscendingOrder);
        // Rows that come back when a filter goes, and rows whose texts change, are placed by the
        // sort as it stands, not sorted afresh.
        for (const char* text : {"Program", "", "General", "Coupler", ""}) {
            SCOPED_TRACE(text);
            filter->setText(QLatin1String(text));
            model.pistons[8].functionGroup = static_cast<std::int16_t>(model.pistons[8].functionGroup == 7 ? 1 : 7);
            window.updatePistonButton(8);
            std::vector<int> order;
            for (int row = 0; row < rows(); ++row)
                order.push_back(pistonOfRow(row));
            EXPECT_TRUE(std::is_sorted(order.begin(), order.end(), sorted)) << column;
        }
    }
}

TEST_F(PistonOverviewTest, TabAndShiftTabLeaveTheTable) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const Qt::KeyboardModifiers direction : {Qt::NoModifier, Qt::ShiftModifier}) {
        table().setFocus(Qt::TabFocusReason);
        table().setCurrentIndex(cell(3, Column::functionColumn));
        QTest::keyClick(&table(), direction == Qt::NoModifier ? Qt::Key_Tab : Qt::Key_Backtab, direction);
        EXPECT_FALSE(table().hasFocus()) << (direction == Qt::NoModifier ? "Tab" : "Shift+Tab");
    }
}

} // namespace
} // namespace zkt
