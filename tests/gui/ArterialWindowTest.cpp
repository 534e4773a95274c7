// The urban arterial window through the main window: its result window shows
// after the analysis, placed over the main window; saving and printing while it
// is current give its table; it closes with its owner. Pictures of both windows
// with 2 and 10 segments and both signal types are saved for review.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "GuiSupport.h"
#include "shell/AnalysisWindow.h"
#include "shell/MainWindow.h"

using verosa::guitest::MessageBoxCatcher;
using verosa::guitest::screenshotFolder;
using verosa::shell::AnalysisWindow;
using verosa::shell::MainWindow;

namespace {

// The arterial window as the menu opens it, driven through its widgets.
struct UrbanView {
    MessageBoxCatcher boxes;
    MainWindow main;
    AnalysisWindow* window = nullptr;

    UrbanView() {
        main.resize(1200, 860);
        main.show();
        window = main.runFacilityCommand("mnuUrbanRuralRoadway");
    }
    QWidget* result() const { return window->ownedWindow("frmUrbanResult"); }
    QMdiSubWindow* resultSub() const { return qobject_cast<QMdiSubWindow*>(result()->parentWidget()); }
    template <class W>
    W* widget(const QString& name) {
        W* w = window->findChild<W*>(name);
        if (!w) w = result()->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void choose(const QString& list, int position) {
        auto* combo = widget<QComboBox>(list);
        combo->setCurrentIndex(position);
        emit combo->activated(position);
    }
    void type(const QString& field, const QString& text) {
        auto* edit = widget<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void click(const QString& button) { QTest::mouseClick(widget<QAbstractButton>(button), Qt::LeftButton); }

    // n segments; the pretimed signal with a 45 % progression ratio, or the
    // actuated signal with arrival type 3.
    void fill(int n, bool pretimed) {
        choose("cboTermUnit", n - 2);
        choose("cboArea", 1);
        choose("cboCondi", 0);
        choose("cboLane", 2);
        type("txtCycle", "90");
        if (pretimed) {
            click("optFix");
            choose("cboOffset", 9);
        } else {
            click("optAct");
            choose("cboArr", 2);
        }
        for (int i = 0; i < n; ++i) {
            const QString row = QStringLiteral("[%1]").arg(i);
            choose("cboLen" + row, i % 10);
            choose("cboSide" + row, i % 2);
            type("txtGbyC" + row, QString::number(0.3 + 0.05 * i));
            type("txtVbyC" + row, QString::number(0.5 + 0.07 * i));
        }
    }
};

}  // namespace

TEST(ArterialWindow, ResultWindowShowsOverTheMainWindowAndClosesWithItsOwner) {
    UrbanView v;
    ASSERT_NE(v.window, nullptr);
    ASSERT_NE(v.result(), nullptr);
    EXPECT_FALSE(v.result()->isVisible());
    v.fill(2, false);
    v.click("Command1");
    EXPECT_TRUE(v.boxes.boxes().empty());
    QMdiSubWindow* sub = v.resultSub();
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(v.main.mdiArea()->currentSubWindow(), sub);
    // Centred on the main window's area, 500 twips above its centre.
    const QWidget* area = v.main.mdiArea()->viewport();
    const int lift = 500 * area->logicalDpiY() / 1440;
    EXPECT_EQ(sub->x(), std::max(0, (area->width() - sub->width()) / 2));
    EXPECT_EQ(sub->y(), std::max(0, (area->height() - sub->height()) / 2 - lift));
    auto* level = v.widget<QLineEdit>("txtTotalLos");
    EXPECT_TRUE(level->isReadOnly());
    EXPECT_FALSE(level->text().isEmpty());
    EXPECT_FALSE(v.widget<QLineEdit>("txtPF[2]")->isVisible());

    // Saving while the result window is current writes its table, as verosa-cli prints it.
    QTemporaryDir dir;
    ASSERT_TRUE(v.main.saveReportTo(dir.filePath("arterial.txt")));
    const std::string saved = verosa::guitest::readBytes(dir.filePath("arterial.txt"));
    EXPECT_EQ(saved, v.window->form().renderingOf("Command1"));
    EXPECT_EQ(v.main.currentPrintText(), v.window->form().printedText());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("arterial.pdf"));
    ASSERT_TRUE(v.main.printReportTo(printer));
    EXPECT_EQ(verosa::guitest::readBytes(dir.filePath("arterial.pdf")).substr(0, 5), "%PDF-");

    // "종  료" closes the window and the result window with it.
    v.main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(v.window->parentWidget()));
    v.click("Command2");
    verosa::guitest::flushDeletes();
    EXPECT_EQ(v.main.findAnalysisWindow("frmUrban"), nullptr);
    EXPECT_TRUE(v.main.mdiArea()->subWindowList().isEmpty());
}

// A window grows when its content needs more room: the rows of a larger count
// in the input window, ten result rows after two.
TEST(ArterialWindow, WindowsGrowToTheRowsTheyShow) {
    UrbanView v;
    ASSERT_NE(v.window, nullptr);
    v.fill(2, false);
    v.click("Command1");
    QCoreApplication::processEvents();
    v.fill(10, false);
    v.click("Command1");
    QCoreApplication::processEvents();
    EXPECT_TRUE(v.boxes.boxes().empty());
    auto inside = [](QWidget* field, QWidget* sub) {
        const QRect shown(field->mapTo(sub, QPoint(0, 0)), field->size());
        return field->isVisible() && sub->rect().contains(shown);
    };
    EXPECT_TRUE(inside(v.widget<QLineEdit>("txtVbyC[9]"), v.window->parentWidget()));
    EXPECT_TRUE(inside(v.widget<QLineEdit>("txtTermLos[9]"), v.resultSub()));
    EXPECT_TRUE(inside(v.widget<QLineEdit>("txtTotalLos"), v.resultSub()));
    // The main window then goes with both windows open, their child windows
    // taken down in whatever order.
}

// Both windows with 2 and 10 segments, actuated and pretimed.
TEST(Screenshot, ArterialInputAndResultWindows) {
    const QString folder = screenshotFolder();
    const std::pair<int, bool> runs[] = {{2, false}, {10, true}, {10, false}, {2, true}};
    for (const auto& [n, pretimed] : runs) {
        UrbanView v;
        ASSERT_NE(v.window, nullptr);
        v.fill(n, pretimed);
        const QString name =
            QStringLiteral("%1/arterial-%2-%3").arg(folder).arg(n).arg(pretimed ? "pretimed" : "actuated");
        QCoreApplication::processEvents();
        EXPECT_TRUE(v.window->parentWidget()->grab().save(name + "-input.png"));
        v.click("Command1");
        QCoreApplication::processEvents();
        EXPECT_TRUE(v.boxes.boxes().empty());
        ASSERT_NE(v.resultSub(), nullptr);
        EXPECT_TRUE(v.resultSub()->grab().save(name + "-result.png"));
        EXPECT_TRUE(v.main.grab().save(name + "-main.png"));
    }
}
