// The transit window through its widgets: the stop grid typed in place (a
// typed key, a double click, Enter; rows 0, 3 and 4 never open an editor),
// and pictures of the load page with its profile and of the berth report.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "GuiSupport.h"
#include "shell/AnalysisWindow.h"
#include "shell/MainWindow.h"

using verosa::guitest::MessageBoxCatcher;
using verosa::guitest::screenshotFolder;
using verosa::shell::AnalysisWindow;
using verosa::shell::MainWindow;

namespace {

struct TransitView {
    MessageBoxCatcher boxes;
    MainWindow main;
    AnalysisWindow* window = nullptr;

    explicit TransitView(QSize size = {1200, 860}) {
        main.resize(size);
        main.show();
        window = main.runFacilityCommand("mnuTransit");
    }
    template <class W>
    W* widget(const char* name) {
        return verosa::guitest::child<W>(window, name);
    }
    QTableWidget* grid() { return widget<QTableWidget>("MSFBusCap"); }
    std::string cell(int r, int c) {
        return window->form().at("MSFBusCap").grid.cells[static_cast<size_t>(r)][static_cast<size_t>(c)];
    }
    void click(const char* button) { QTest::mouseClick(widget<QPushButton>(button), Qt::LeftButton); }
    void showPage(int page) { widget<QTabWidget>("SSTab1")->setCurrentIndex(page); }
    // The cell editor open on a cell, or null.
    QLineEdit* editor(int r, int c) {
        return qobject_cast<QLineEdit*>(grid()->indexWidget(grid()->model()->index(r, c)));
    }
    void doubleClick(int r, int c) {
        QTableWidget* t = grid();
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(t->item(r, c)).center());
    }
    // Enter in the editor: the text is stored once the event loop runs.
    void enterIn(QLineEdit* e) {
        QTest::keyClick(e, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

}  // namespace

TEST(TransitWindow, GridIsTypedInPlaceOnlyInItsInputRows) {
    TransitView v;
    ASSERT_NE(v.window, nullptr);
    v.main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v.main));
    QTest::keyClicks(v.widget<QLineEdit>("txtStopNo"), "4");
    QTableWidget* t = v.grid();
    ASSERT_EQ(t->columnCount(), 5);
    EXPECT_EQ(t->item(0, 4)->text(), " 4");
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(bool(t->item(r, c)->flags() & Qt::ItemIsEditable), (r == 1 || r == 2) && c > 0) << r << "," << c;

    // A typed key opens the editor with that key alone.
    t->setFocus();
    t->setCurrentCell(1, 2);
    QTest::keyClick(t, Qt::Key_7);
    QLineEdit* e = v.editor(1, 2);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text(), "7");
    EXPECT_EQ(e->cursorPosition(), 1);
    // Enter stores it and gives the focus back to the grid.
    v.enterIn(e);
    EXPECT_EQ(v.cell(1, 2), "7");
    EXPECT_EQ(v.editor(1, 2), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), t);

    // Enter on the grid edits the cell's own text, the caret at its end.
    QTest::keyClick(t, Qt::Key_Return);
    e = v.editor(1, 2);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text(), "7");
    EXPECT_FALSE(e->hasSelectedText());
    EXPECT_EQ(e->cursorPosition(), 1);
    QTest::keyClicks(e, "5");
    v.enterIn(e);
    EXPECT_EQ(v.cell(1, 2), "75");

    // A double click does the same.
    v.window->form().setCell("MSFBusCap", 2, 1, "12");
    v.doubleClick(2, 1);
    e = v.editor(2, 1);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text(), "12");
    EXPECT_FALSE(e->hasSelectedText());
    EXPECT_EQ(e->cursorPosition(), 2);
    QTest::keyClicks(e, "3");
    v.enterIn(e);
    EXPECT_EQ(v.cell(2, 1), "123");

    // Leaving the cell stores what the editor holds.
    t->setCurrentCell(1, 3);
    QTest::keyClick(t, Qt::Key_4);
    ASSERT_NE(v.editor(1, 3), nullptr);
    t->setCurrentCell(2, 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(v.cell(1, 3), "4");
    EXPECT_EQ(v.editor(1, 3), nullptr);

    // The stop numbers, the loads and the levels open no editor, by key or by mouse.
    QTest::mouseClick(v.widget<QPushButton>("cmdResultPedRoad"), Qt::LeftButton);
    ASSERT_TRUE(v.boxes.boxes().empty());
    const std::string load = v.cell(3, 1);
    EXPECT_EQ(load, " 123");
    for (int r : {0, 3, 4}) {
        t->setCurrentCell(r, 1);
        QTest::keyClick(t, Qt::Key_9);
        QTest::keyClick(t, Qt::Key_Return);
        v.doubleClick(r, 1);
        EXPECT_EQ(v.editor(r, 1), nullptr) << r;
    }
    EXPECT_EQ(v.cell(0, 1), " 1");
    EXPECT_EQ(v.cell(3, 1), load);
    EXPECT_EQ(v.cell(4, 1), "");
}

// Pictures for review: the load page with the example's grid and profile, the
// berth page and the berth report.
TEST(Screenshot, TransitLoadProfileAndBerthReport) {
    const QString folder = screenshotFolder();
    TransitView v;
    ASSERT_NE(v.window, nullptr);
    QMdiSubWindow* sub = v.main.mdiArea()->currentSubWindow();
    ASSERT_NE(sub, nullptr);
    v.click("cmdEx2");
    v.click("cmdResultPedRoad");
    QCoreApplication::processEvents();
    EXPECT_TRUE(sub->grab().save(folder + "/transit-load.png"));
    EXPECT_TRUE(v.widget<QWidget>("picLoadProfile")->grab().save(folder + "/transit-load-profile.png"));

    v.showPage(2);
    v.click("Command1");
    QCoreApplication::processEvents();
    EXPECT_TRUE(sub->grab().save(folder + "/transit-berth-input.png"));
    v.click("cmdResultWaitArea");
    QCoreApplication::processEvents();
    EXPECT_TRUE(sub->grab().save(folder + "/transit-berth.png"));
    EXPECT_TRUE(v.widget<QPlainTextEdit>("rtbResult")->grab().save(folder + "/transit-berth-report.png"));
    EXPECT_TRUE(v.boxes.boxes().empty());
}
