// The signalized-intersection window through the main window: an example run
// with the widgets, every page, the four worksheet pages, the drawing and a
// refusal, saved as pictures for review; the worksheet shown is the model's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "GuiSupport.h"
#include "shell/AnalysisWindow.h"
#include "shell/MainWindow.h"

using verosa::guitest::child;
using verosa::guitest::screenshotFolder;
using verosa::shell::AnalysisWindow;
using verosa::shell::MainWindow;

TEST(SignalizedWindow, ExampleRunPagesDrawingAndRefusal) {
    const QString folder = screenshotFolder();
    MainWindow main;
    main.resize(1400, 1000);
    main.show();
    AnalysisWindow* window = main.runFacilityCommand("mnuSignalizedIntersection");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), "frmInterSection");
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    ASSERT_NE(sub, nullptr);
    sub->showMaximized();
    auto* tabs = child<QTabWidget>(window, "SSTab1");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 4);

    QTest::mouseClick(child<QPushButton>(window, "cmdEx5"), Qt::LeftButton);
    QCoreApplication::processEvents();
    for (int page = 0; page < 3; ++page) {
        tabs->setCurrentIndex(page);
        QCoreApplication::processEvents();
        EXPECT_TRUE(sub->grab().save(QStringLiteral("%1/signalized-ex5-page%2.png").arg(folder).arg(page)));
    }
    QTest::mouseClick(child<QPushButton>(window, "cmdAnalysis"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(tabs->currentIndex(), 3);
    const std::string cli = verosa::guitest::runCli({"run", "signalized", "--example", "예제5"});
    auto* view = child<QPlainTextEdit>(window, "txtIntersectionResult");
    for (int page = 0; page < 4; ++page) {
        const std::string name = "optPage[" + std::to_string(page) + "]";
        QTest::mouseClick(child<QRadioButton>(window, name.c_str()), Qt::LeftButton);
        QCoreApplication::processEvents();
        // The page shown is one the CLI prints, in its order.
        const QString shown = view->toPlainText();
        EXPECT_TRUE(shown.startsWith(QString::fromUtf8(page == 0 ? "┌─────────────────" : "┌"))) << page;
        EXPECT_TRUE(QString::fromStdString(cli).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).contains(shown))
            << page;
        EXPECT_TRUE(sub->grab().save(QStringLiteral("%1/signalized-ex5-worksheet%2.png").arg(folder).arg(page)));
    }

    // A refusal: the message names the approach and the field, the focus goes there.
    tabs->setCurrentIndex(0);
    auto* phf = child<QLineEdit>(window, "txtPhf[3]");
    phf->selectAll();
    QTest::keyClicks(phf, QStringLiteral("0"));
    QString boxText;
    QTimer::singleShot(50, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible()) continue;
            boxText = box->text();
            box->grab().save(folder + "/signalized-refusal-box.png");
            main.grab().save(folder + "/signalized-refusal.png");
            box->done(QMessageBox::Ok);
        }
    });
    const QString before = view->toPlainText();
    QTest::mouseClick(child<QPushButton>(window, "cmdAnalysis"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxText, QStringLiteral("SB PHF는 0.25 이상 1 이하여야 합니다."));
    EXPECT_EQ(window->focusWidget(), phf);  // the window may be inactive right after the box
    EXPECT_EQ(view->toPlainText(), before);
    EXPECT_EQ(window->reportText(), cli);  // what saving writes: the four pages
}

TEST(SignalizedWindow, LaneEntryDrawsAsItGoes) {
    const QString folder = screenshotFolder();
    verosa::guitest::MessageBoxCatcher boxes;
    MainWindow main;
    main.resize(1400, 1000);
    main.show();
    AnalysisWindow* window = main.runFacilityCommand("mnuSignalizedIntersection");
    ASSERT_NE(window, nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    sub->showMaximized();
    QTest::mouseClick(child<QPushButton>(window, "cmdEx3"), Qt::LeftButton);
    auto* tabs = child<QTabWidget>(window, "SSTab1");
    tabs->setCurrentIndex(1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(child<QPushButton>(window, "cmdNext")->isEnabled());
    QTest::mouseClick(child<QRadioButton>(window, "optDirection[2]"), Qt::LeftButton);
    EXPECT_TRUE(child<QPushButton>(window, "cmdNext")->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(window, "txtLaneWidth"));
    QTest::keyClicks(child<QLineEdit>(window, "txtLaneWidth"), QStringLiteral("3.1"));
    QTest::mouseClick(child<QWidget>(window, "chkLt"), Qt::LeftButton);
    QTest::mouseClick(child<QWidget>(window, "chkTh"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(window, "cmdNext"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(sub->grab().save(folder + "/signalized-lane-entry.png"));
    tabs->setCurrentIndex(2);
    QTest::mouseClick(child<QPushButton>(window, "cmdDraw"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(sub->grab().save(folder + "/signalized-ex3-drawing.png"));
}
