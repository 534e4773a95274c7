// The generic analysis window over the walkway form: the same actions through
// the widgets, through the form model alone and through verosa-cli give the
// same report; saving writes exactly those bytes; refused input keeps it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "GuiSupport.h"
#include "analyses/Registry.h"
#include "shell/AnalysisWindow.h"
#include "shell/MainWindow.h"
#include "shell/ShellSupport.h"
#include "tables/LookupTable.h"

using verosa::guitest::MessageBoxCatcher;
using verosa::shell::AnalysisWindow;
using verosa::shell::MainWindow;

namespace {

// The walkway window as the menu opens it, driven only through its widgets.
struct WalkwayView {
    MessageBoxCatcher boxes;
    MainWindow main;
    AnalysisWindow* window = nullptr;

    explicit WalkwayView(QSize size = {}) {
        if (size.isValid()) main.resize(size);
        main.show();
        window = main.runFacilityCommand("mnuPedstrian");
    }
    template <class W>
    W* widget(const char* name) {
        W* w = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void showPage(int page) { widget<QTabWidget>("SSTab1")->setCurrentIndex(page); }
    void type(const char* field, const char* text) {
        auto* edit = widget<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }
    void click(const char* button) { QTest::mouseClick(widget<QPushButton>(button), Qt::LeftButton); }
    std::string report() const { return window->reportText(); }
    QString shown() { return widget<QPlainTextEdit>("rtbResult")->toPlainText(); }
};

// The same window model with no view at all.
std::unique_ptr<verosa::form::Form> walkwayModel(verosa::form::AnalysisIndex& index,
                                                 const verosa::tables::LookupTableStore& store) {
    index.key = "pedestrianoper";
    return verosa::analyses::windowFactory("frmPedestrian")({&index, &store});
}

}  // namespace

TEST(AnalysisWindow, ResultViewFontKeepsTheColumns) {
    WalkwayView v;
    ASSERT_NE(v.window, nullptr);
    auto* view = v.widget<QPlainTextEdit>("rtbResult");
    EXPECT_TRUE(view->isReadOnly());
    EXPECT_EQ(view->lineWrapMode(), QPlainTextEdit::NoWrap);
    const QFont font = view->font();
    EXPECT_EQ(QFontInfo(font).family(), "NanumGothicCoding");
    EXPECT_EQ(font.pixelSize() % 2, 0);
    const QFontMetrics fm(font);
    const int ascii = fm.horizontalAdvance(QStringLiteral("a"));
    EXPECT_GT(ascii, 0);
    EXPECT_EQ(fm.horizontalAdvance(QStringLiteral("가")), 2 * ascii);
    for (const char* wide : {"─", "│", "┌", "▷", "㎡", "인/분/m"}) {
        const QString s = QString::fromUtf8(wide);
        int columns = 0;
        for (QChar c : s) columns += c.unicode() < 0x80 ? 1 : 2;
        EXPECT_EQ(fm.horizontalAdvance(s), columns * ascii) << wide;
    }
}

TEST(AnalysisWindow, WindowIsBuiltFromTheModel) {
    WalkwayView v;
    ASSERT_NE(v.window, nullptr);
    EXPECT_EQ(v.window->objectName(), "frmPedestrian");
    auto* tabs = v.widget<QTabWidget>("SSTab1");
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->currentIndex(), 0);
    const auto& pages = v.window->form().pages();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tabs->tabText(i).toStdString(), pages[static_cast<size_t>(i)].caption);
        EXPECT_EQ(tabs->isTabEnabled(i), pages[static_cast<size_t>(i)].enabled);
        EXPECT_EQ(tabs->tabToolTip(i).toStdString(), pages[static_cast<size_t>(i)].toolTip);
    }
    // Every control has its widget, named after it.
    for (const auto& c : v.window->form().controls()) {
        QWidget* w = v.window->widgetFor(c->name);
        ASSERT_NE(w, nullptr) << c->name;
        EXPECT_EQ(w->objectName().toStdString(), c->name);
    }
    EXPECT_EQ(v.widget<QPushButton>("cmdResultPedRoad")->text(), "분  석(&R)");
    EXPECT_EQ(v.widget<QPushButton>("cmdExit")->text(), "종 료(&X)");

    // Centred 400 twips above the middle of the MDI area, where there is room.
    QMdiSubWindow* sub = v.main.mdiArea()->currentSubWindow();
    ASSERT_NE(sub, nullptr);
    const QWidget* viewport = v.main.mdiArea()->viewport();
    const int lift = 400 * viewport->logicalDpiY() / 1440;
    EXPECT_EQ(sub->x(), std::max(0, (viewport->width() - sub->width()) / 2));
    EXPECT_EQ(sub->y(), std::max(0, (viewport->height() - sub->height()) / 2 - lift));
}

TEST(AnalysisWindow, ViewModelAndCliGiveTheSameWalkwayReport) {
    WalkwayView v;
    ASSERT_NE(v.window, nullptr);
    // Typed inputs first.
    v.type("txtTotWidth_Road", "5");
    v.type("txtTotViolationWidth_Road", "1.5");
    v.type("txtPeakPedVolume_Road", "900");
    EXPECT_EQ(v.window->form().at("txtTotViolationWidth_Road").text, "1.5");
    v.click("cmdResultPedRoad");
    const std::string typed = v.report();
    ASSERT_FALSE(typed.empty());
    EXPECT_EQ(v.widget<QTabWidget>("SSTab1")->currentIndex(), 4);

    // Then the example over them, and the analysis again.
    v.showPage(0);
    v.click("cmdEx1");
    EXPECT_EQ(v.widget<QLineEdit>("txtTotWidth_Road")->text(), "4.3");
    EXPECT_EQ(v.widget<QLineEdit>("txtPeakPedVolume_Road")->text(), "1827");
    EXPECT_EQ(v.report(), typed);  // an example only fills inputs
    v.click("cmdResultPedRoad");
    const std::string example = v.report();
    EXPECT_TRUE(v.boxes.boxes().empty());

    // The form model alone.
    verosa::form::AnalysisIndex index;
    const verosa::tables::LookupTableStore store;
    auto model = walkwayModel(index, store);
    model->setText("txtTotWidth_Road", "5");
    model->setText("txtTotViolationWidth_Road", "1.5");
    model->setText("txtPeakPedVolume_Road", "900");
    model->press("cmdResultPedRoad");
    EXPECT_EQ(model->resultText(), typed);
    model->press("cmdEx1");
    model->press("cmdResultPedRoad");
    EXPECT_EQ(model->resultText(), example);

    // verosa-cli.
    int status = -1;
    EXPECT_EQ(verosa::guitest::runCli({"run", "walkway", "--example", "Ex#1"}, &status), example);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(verosa::guitest::runCli({"run", "walkway", "--set", "txtTotWidth_Road=5", "--set",
                                       "txtTotViolationWidth_Road=1.5", "--set", "txtPeakPedVolume_Road=900"}),
              typed);

    // The example's report is the one the manual's example gives, and the view
    // shows it line for line.
    EXPECT_NE(example.find("2.9"), std::string::npos);
    EXPECT_NE(example.find("서비스수준 : C"), std::string::npos);
    EXPECT_EQ(v.shown(), verosa::shell::reportForView(example));
}

TEST(AnalysisWindow, SaveWritesTheReportBytes) {
    WalkwayView v;
    ASSERT_NE(v.window, nullptr);
    v.click("cmdEx1");
    v.click("cmdResultPedRoad");
    QTemporaryDir dir;
    const QString path = dir.filePath("walkway.txt");
    ASSERT_TRUE(v.main.saveReportTo(path));
    const std::string bytes = verosa::guitest::readBytes(path);
    EXPECT_EQ(bytes, verosa::guitest::runCli({"run", "walkway", "--example", "Ex#1"}));
    // CR LF on every line, the last one too; no bare line feed.
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
        }
    EXPECT_TRUE(v.boxes.boxes().empty());

    // A folder that is not there: said, not claimed as saved.
    EXPECT_FALSE(v.main.saveReportTo(dir.filePath("no/such/folder/walkway.txt")));
    ASSERT_EQ(v.boxes.boxes().size(), 1u);
    EXPECT_EQ(v.boxes.boxes()[0].icon, QMessageBox::Critical);
}

TEST(AnalysisWindow, PrintWritesThePdfTheDialogOffers) {
    WalkwayView v;
    ASSERT_NE(v.window, nullptr);
    v.click("cmdEx1");
    v.click("cmdResultPedRoad");
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("walkway.pdf"));
    ASSERT_TRUE(v.main.printReportTo(printer));
    const std::string pdf = verosa::guitest::readBytes(dir.filePath("walkway.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_GT(pdf.size(), 1000u);
}

TEST(AnalysisWindow, RefusedInputShowsTheErrorBoxAndKeepsTheReport) {
    WalkwayView v;
    ASSERT_NE(v.window, nullptr);
    v.click("cmdEx1");
    v.click("cmdResultPedRoad");
    const std::string before = v.report();
    const QString shownBefore = v.shown();
    ASSERT_FALSE(before.empty());

    v.showPage(0);
    v.type("txtTotWidth_Road", "1.4");
    v.type("txtTotViolationWidth_Road", "4.3");  // Wo >= Wt
    v.click("cmdResultPedRoad");
    ASSERT_EQ(v.boxes.boxes().size(), 1u);
    EXPECT_EQ(v.boxes.boxes()[0].title, "입력오류");
    EXPECT_EQ(v.boxes.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_FALSE(v.boxes.boxes()[0].text.isEmpty());
    EXPECT_EQ(v.report(), before);
    EXPECT_EQ(v.shown(), shownBefore);
    // The inputs stay as typed, for the user to mend.
    EXPECT_EQ(v.widget<QLineEdit>("txtTotViolationWidth_Road")->text(), "4.3");
}

TEST(AnalysisWindow, TypingKeepsTheCaretAndEnterMovesToTheNextField) {
    WalkwayView v;
    ASSERT_NE(v.window, nullptr);
    v.main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&v.main));
    auto* width = v.widget<QLineEdit>("txtTotWidth_Road");
    width->setFocus();
    QTest::keyClicks(width, "43");
    width->setCursorPosition(1);
    QTest::keyClick(width, Qt::Key_Period);
    EXPECT_EQ(width->text(), "4.3");
    EXPECT_EQ(width->cursorPosition(), 2);
    EXPECT_EQ(v.window->form().at("txtTotWidth_Road").text, "4.3");

    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), v.widget<QLineEdit>("txtTotViolationWidth_Road"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), v.widget<QLineEdit>("txtPeakPedVolume_Road"));
}

// Pictures for review: the main window with the walkway inputs and report,
// the report view alone, the notice and the splash.
TEST(Screenshot, MainWindowWithTheWalkwayReport) {
    QString folder = qEnvironmentVariable("VEROSA_SCREENSHOT_DIR");
    if (folder.isEmpty()) folder = QStringLiteral(VEROSA_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));

    WalkwayView v(QSize(1200, 860));
    ASSERT_NE(v.window, nullptr);
    v.click("cmdEx1");
    QCoreApplication::processEvents();
    EXPECT_TRUE(v.main.grab().save(folder + "/main-walkway-input.png"));
    v.click("cmdResultPedRoad");
    QCoreApplication::processEvents();
    const QPixmap shot = v.main.grab();
    EXPECT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(folder + "/main-walkway.png"));
    EXPECT_TRUE(v.widget<QPlainTextEdit>("rtbResult")->grab().save(folder + "/walkway-report.png"));

    v.main.showNotice();
    QWidget* notice = verosa::guitest::topLevel("frmDialog");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->grab().save(folder + "/notice.png"));
    QTest::mouseClick(notice->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    QWidget* splash = verosa::guitest::topLevel("frmSplash");
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->grab().save(folder + "/splash.png"));
}

// Every enabled facility command of the menu opens its window without a
// message (its tables are there); each page is saved as a picture for review.
TEST(Screenshot, EveryBuiltWindowOpensFromTheMenu) {
    QString folder = qEnvironmentVariable("VEROSA_SCREENSHOT_DIR");
    if (folder.isEmpty()) folder = QStringLiteral(VEROSA_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    MessageBoxCatcher boxes;
    MainWindow main;
    main.resize(1200, 860);
    main.show();
    QMenu* facilities = main.findChild<QMenu*>("mnuFacility");
    ASSERT_NE(facilities, nullptr);
    QList<QAction*> commands;
    for (QAction* a : facilities->actions()) {
        if (a->menu())
            commands += a->menu()->actions();
        else
            commands += a;
    }
    int opened = 0;
    for (QAction* command : commands) {
        if (!command->isEnabled()) continue;
        command->trigger();
        QMdiSubWindow* sub = main.mdiArea()->currentSubWindow();
        ASSERT_NE(sub, nullptr) << command->objectName().toStdString();
        auto* window = qobject_cast<AnalysisWindow*>(sub->widget());
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(boxes.boxes().empty())
            << command->objectName().toStdString() << ": " << boxes.boxes().front().text.toStdString();
        boxes.clear();
        auto* tabs = window->findChild<QTabWidget*>("SSTab1");
        ASSERT_NE(tabs, nullptr);
        for (int page = 0; page < tabs->count(); ++page) {
            if (!tabs->isTabEnabled(page)) continue;
            tabs->setCurrentIndex(page);
            QCoreApplication::processEvents();
            sub->grab().save(QStringLiteral("%1/%2-%3-page%4.png")
                                 .arg(folder, window->objectName(), command->objectName())
                                 .arg(page));
        }
        sub->close();
        verosa::guitest::flushDeletes();
        ++opened;
    }
    EXPECT_GE(opened, 1);
}
