// The unsignalized intersection window opened from the menu: its volume table
// laid out row by row, Ex#2 filled in by the example button, the report the
// view shows equal to verosa-cli's; the input page and the report saved as
// pictures for review.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "GuiSupport.h"
#include "shell/AnalysisWindow.h"
#include "shell/MainWindow.h"

using verosa::guitest::child;
using verosa::guitest::MessageBoxCatcher;
using verosa::guitest::screenshotFolder;
using verosa::shell::AnalysisWindow;
using verosa::shell::MainWindow;

TEST(UnsignalizedWindow, MenuOpensTheTableAndTheReportMatchesTheCli) {
    MessageBoxCatcher boxes;
    MainWindow main;
    main.resize(1300, 1150);
    main.show();
    AnalysisWindow* window = main.runFacilityCommand("mnuNonSingnalIntersection");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), "frmNoControlIntersection");
    QMdiSubWindow* sub = main.mdiArea()->currentSubWindow();
    ASSERT_NE(sub, nullptr);
    auto* tabs = child<QTabWidget>(window, "SSTab1");

    // The table: a movement's small and large fields side by side on one line,
    // the next movement below, the large column right of the small one.
    QTest::mouseClick(child<QPushButton>(window, "cmdEx2"), Qt::LeftButton);
    QCoreApplication::processEvents();
    auto* small1 = child<QLineEdit>(window, "txtVolume[1]");
    auto* large1 = child<QLineEdit>(window, "txtVolume[13]");
    auto* small2 = child<QLineEdit>(window, "txtVolume[2]");
    auto* small12 = child<QLineEdit>(window, "txtVolume[12]");
    EXPECT_EQ(small1->text(), "29");
    EXPECT_EQ(large1->text(), "4");
    const auto top = [&](QWidget* w) { return w->mapTo(window, QPoint(0, 0)); };
    EXPECT_EQ(top(small1).y(), top(large1).y());
    EXPECT_GT(top(large1).x(), top(small1).x() + small1->width() - 1);
    EXPECT_GT(top(small2).y(), top(small1).y());
    EXPECT_EQ(top(small2).x(), top(small1).x());
    EXPECT_GT(top(small12).y(), top(small2).y());
    EXPECT_EQ(child<QComboBox>(window, "cboIntersectionType")->currentText(), "2 × 1 형태");

    const QString folder = screenshotFolder();
    EXPECT_TRUE(sub->grab().save(folder + "/unsignalized-input.png"));

    QTest::mouseClick(child<QPushButton>(window, "cmdResult"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(tabs->currentIndex(), 1);
    const std::string report = window->reportText();
    EXPECT_EQ(report, verosa::guitest::runCli({"run", "unsignalized", "--example", "Ex#2"}));
    EXPECT_NE(child<QPlainTextEdit>(window, "rtbResult")->toPlainText().indexOf("NB 우회전"), -1);
    // Room for the whole report in the pictures.
    sub->resize(900, 1040);
    QCoreApplication::processEvents();
    EXPECT_TRUE(main.grab().save(folder + "/main-unsignalized.png"));
    EXPECT_TRUE(child<QPlainTextEdit>(window, "rtbResult")->grab().save(folder + "/unsignalized-report.png"));
}
