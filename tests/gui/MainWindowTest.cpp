// The main window: its menu, the facility commands and their mode key, the
// file commands, and the start-up through the notice and the splash.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "GuiSupport.h"
#include "analyses/Registry.h"
#include "shell/AnalysisWindow.h"
#include "shell/MainWindow.h"
#include "shell/ReportViewer.h"
#include "shell/ShellSupport.h"

using verosa::guitest::MessageBoxCatcher;
using verosa::shell::AnalysisWindow;
using verosa::shell::MainWindow;

namespace {

// The menu as "depth name caption" lines, separators as "-".
void walk(const QList<QAction*>& actions, int depth, QStringList& out) {
    for (QAction* a : actions) {
        const QString caption = a->isSeparator() ? QStringLiteral("-") : a->text();
        out << QString(depth, QLatin1Char(' ')) + a->objectName() + QLatin1Char(' ') + caption;
        if (a->menu()) walk(a->menu()->actions(), depth + 1, out);
    }
}

QAction* action(MainWindow& w, const char* name) { return verosa::guitest::menuCommand(w, name); }

int subWindowsNamed(MainWindow& w, const char* name) {
    int n = 0;
    for (QMdiSubWindow* sub : w.mdiArea()->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == QLatin1String(name)) ++n;
    return n;
}

}  // namespace

TEST(MainWindow, TitleAndWholeMenuInOrder) {
    MainWindow w;
    EXPECT_EQ(w.objectName(), "MDI2001QORA");
    EXPECT_EQ(w.windowTitle(), "2001 VEROSA(Ver 1.00)");
    EXPECT_TRUE(w.AnalysisIndex.key.empty());

    QStringList menu;
    walk(w.menuBar()->actions(), 0, menu);
    const QStringList expected = {
        "mnuFile 파일(&F)",
        " mnuOpen 불러오기",
        " mnuSave 저장하기",
        " mnuSepCase -",
        " mnuOpenCase 입력자료 불러오기...",
        " mnuSaveCase 입력자료 저장...",
        " mnuSep1 -",
        " mnuPrint 인쇄",
        " mnuSep2 -",
        " mnuExit 종료",
        "mnuFacility 시설유형(&T)",
        " mnuHighway 고속도로 기본구간",
        "  mnuHighwayServiceLevel 운영분석",
        "  mnuHighwayLaneDesign 설계분석",
        " mnuWeaving 고속도로 엇갈림구간",
        "  mnuWeavingOperation 운영분석",
        "  mnuWeavingDesign 설계분석",
        " mnuRamp 고속도로 연결로 접속부",
        "  mnuConnectorOperation 운영분석",
        " mnuMultilaneRoadway 다차로도로",
        "  mnuManywayOperation 운영분석",
        " mnu2WayRoadway 2차로도로",
        "  mnu2WayRoadwayServiceLevel 운영분석",
        " mnuSignalizedIntersection 신호교차로",
        " mnuUrbanRuralRoadway 도시 및 교외 간선도로",
        " mnuNonSingnalIntersection 비신호교차로",
        " mnuTransit 대중교통시설",
        " mnuPedstrian 보행자시설",
        " mnuBycycle 자전거도로",
        "mnuWindow 창(&W)",
        " mnuCascade 계단식 배열",
        " mnuTile 바둑판식 배열",
        "mnuHelp 도움말(&H)",
        " mnuOnlineHelp 온라인 도움말",
        " mnuTableSources 표 값의 출처",
        " mnuSep3 -",
        " mnuUpdate Update",
        " mnuHomePage1 한국교통연구원 홈페이지",
        " mnuHomePage2 국토교통부 홈페이지",
        " mnuHomePage3 대한교통학회 홈페이지",
        " mnuHomePage4 한국도로공사 홈페이지",
        " mnuAbout 대하여......",
    };
    EXPECT_EQ(menu, expected);
}

TEST(MainWindow, FacilitiesNotBuiltAreDisabledWithATip) {
    MainWindow w;
    const std::pair<const char*, const char*> commands[] = {{"mnuHighwayServiceLevel", "frmHighWay"},
                                                            {"mnuWeavingDesign", "frmWeaving"},
                                                            {"mnuConnectorOperation", "frmConnector"},
                                                            {"mnuManywayOperation", "frmManyWay"},
                                                            {"mnu2WayRoadwayServiceLevel", "frm2Roadway"},
                                                            {"mnuSignalizedIntersection", "frmInterSection"},
                                                            {"mnuUrbanRuralRoadway", "frmUrban"},
                                                            {"mnuNonSingnalIntersection", "frmNoControlIntersection"},
                                                            {"mnuTransit", "frmTransit"},
                                                            {"mnuPedstrian", "frmPedestrian"},
                                                            {"mnuBycycle", "frmBike"}};
    for (const auto& [name, window] : commands) {
        QAction* a = action(w, name);
        ASSERT_NE(a, nullptr) << name;
        const bool built = verosa::analyses::windowFactory(window) != nullptr;
        EXPECT_EQ(a->isEnabled(), built) << name;
        if (!built) {
            EXPECT_EQ(a->toolTip(), "아직 구현되지 않은 분석입니다.") << name;
        }
    }
    EXPECT_TRUE(action(w, "mnuPedstrian")->isEnabled());
    for (QMenu* menu : w.findChildren<QMenu*>())
        EXPECT_TRUE(menu->toolTipsVisible()) << menu->objectName().toStdString();
}

TEST(MainWindow, FacilityCommandWritesItsKeyAndOpensTheWindowOnce) {
    MessageBoxCatcher boxes;
    MainWindow w;
    w.show();
    action(w, "mnuPedstrian")->trigger();
    EXPECT_EQ(w.AnalysisIndex.key, "pedestrianoper");
    AnalysisWindow* first = w.findAnalysisWindow("frmPedestrian");
    ASSERT_NE(first, nullptr);
    // The key was there when the window was made: its title depends on it.
    EXPECT_EQ(first->windowTitle(), "보행자시설의 운영분석");
    EXPECT_EQ(first->form().currentPage(), 0);

    // Another child comes to the front; the same command brings the window back
    // instead of opening a second one, and writes its key again.
    QTemporaryDir dir;
    const QString other = dir.filePath("other.txt");
    {
        QFile f(other);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x\r\n");
    }
    ASSERT_TRUE(w.openReportFile(other));
    EXPECT_NE(w.mdiArea()->currentSubWindow()->widget(), first);
    w.AnalysisIndex.key = "highwaydesign";
    action(w, "mnuPedstrian")->trigger();
    EXPECT_EQ(w.findAnalysisWindow("frmPedestrian"), first);
    EXPECT_EQ(subWindowsNamed(w, "frmPedestrian"), 1);
    EXPECT_EQ(w.mdiArea()->currentSubWindow()->widget(), first);
    EXPECT_EQ(w.AnalysisIndex.key, "pedestrianoper");
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(MainWindow, KeylessCommandKeepsThePreviousKey) {
    MessageBoxCatcher boxes;
    MainWindow w;
    w.show();
    w.runFacilityCommand("mnuPedstrian");
    ASSERT_EQ(w.AnalysisIndex.key, "pedestrianoper");
    for (const char* keyless : {"mnuConnectorOperation", "mnu2WayRoadwayServiceLevel", "mnuSignalizedIntersection",
                                "mnuUrbanRuralRoadway", "mnuNonSingnalIntersection", "mnuTransit", "mnuBycycle"}) {
        w.runFacilityCommand(keyless);
        EXPECT_EQ(w.AnalysisIndex.key, "pedestrianoper") << keyless;
    }
    // A keyed command writes its key even before its window exists.
    w.runFacilityCommand("mnuWeavingDesign");
    EXPECT_EQ(w.AnalysisIndex.key, "weavingdesign");
}

TEST(MainWindow, ClosedWindowIsCreatedAnewWithEmptyInputs) {
    MessageBoxCatcher boxes;
    MainWindow w;
    w.show();
    QPointer<AnalysisWindow> window = w.runFacilityCommand("mnuPedstrian");
    ASSERT_TRUE(window);
    QTest::mouseClick(window->findChild<QPushButton*>("cmdEx1"), Qt::LeftButton);
    EXPECT_EQ(window->form().at("txtTotWidth_Road").text, "4.3");
    QTest::mouseClick(window->findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
    verosa::guitest::flushDeletes();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(subWindowsNamed(w, "frmPedestrian"), 0);

    AnalysisWindow* again = w.runFacilityCommand("mnuPedstrian");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->form().at("txtTotWidth_Road").text, "");
}

TEST(MainWindow, ExitClosesEveryWindow) {
    MainWindow w;
    w.show();
    QPointer<AnalysisWindow> window = w.runFacilityCommand("mnuPedstrian");
    ASSERT_TRUE(window);
    action(w, "mnuExit")->trigger();
    verosa::guitest::flushDeletes();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());
}

TEST(MainWindow, UpdateSaysTheVersionAndWhereNewVersionsAre) {
    MessageBoxCatcher boxes;
    MainWindow w;
    w.show();
    action(w, "mnuUpdate")->trigger();
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(boxes.boxes().front().text.contains("1.00"));
    EXPECT_TRUE(boxes.boxes().front().text.contains("이슈 게시판"));
    EXPECT_EQ(action(w, "mnuOpen")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(action(w, "mnuSave")->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(action(w, "mnuPrint")->shortcut(), QKeySequence(QKeySequence::Print));
}

TEST(MainWindow, SavedReportGetsTheTextSuffixOnlyWhenItHasNone) {
    const QString text = "Text File(*.txt)", all = "All Files (*)";
    EXPECT_EQ(MainWindow::withReportSuffix("/tmp/a/report", text), "/tmp/a/report.txt");
    EXPECT_EQ(MainWindow::withReportSuffix("/tmp/a/report.txt", text), "/tmp/a/report.txt");
    EXPECT_EQ(MainWindow::withReportSuffix("/tmp/a/report.rpt", text), "/tmp/a/report.rpt");
    EXPECT_EQ(MainWindow::withReportSuffix("/tmp/a/report", all), "/tmp/a/report");
}

TEST(MainWindow, NewWindowsCascadeAndTheWindowMenuListsThem) {
    MainWindow w;
    w.resize(1200, 860);
    w.show();
    w.runFacilityCommand("mnuPedstrian");
    w.runFacilityCommand("mnuBycycle");
    const QList<QMdiSubWindow*> open = w.mdiArea()->subWindowList();
    ASSERT_EQ(open.size(), 2);
    EXPECT_NE(open[0]->pos(), open[1]->pos());
    QMenu* windows = w.findChild<QMenu*>("mnuWindow");
    ASSERT_NE(windows, nullptr);
    emit windows->aboutToShow();
    QStringList entries;
    for (QAction* a : windows->actions())
        if (!a->isSeparator()) entries << a->text();
    EXPECT_EQ(entries.size(), 4) << entries.join(" | ").toStdString();
}

TEST(MainWindow, NoReportToSaveOrPrintIsSaid) {
    MessageBoxCatcher boxes;
    MainWindow w;
    w.show();
    QTemporaryDir dir;
    const QString path = dir.filePath("report.txt");

    // No window at all, then a window without a report yet.
    action(w, "mnuSave")->trigger();
    w.runFacilityCommand("mnuPedstrian");
    EXPECT_FALSE(w.saveReportTo(path));
    action(w, "mnuPrint")->trigger();
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].text, "저장할 분석 결과가 없습니다.");
    EXPECT_EQ(boxes.boxes()[1].text, "저장할 분석 결과가 없습니다.");
    EXPECT_EQ(boxes.boxes()[2].text, "인쇄할 분석 결과가 없습니다.");
    EXPECT_FALSE(QFile::exists(path));
}

TEST(MainWindow, OpenedFileIsShownReadOnlyAndSavedBackUnchanged) {
    MessageBoxCatcher boxes;
    MainWindow w;
    w.show();
    QTemporaryDir dir;
    const std::string text = "   ┌──┐\r\n   │가a │\r\n   └──┘\r\n";
    const QString path = dir.filePath("saved.txt");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
    }
    ASSERT_TRUE(w.openReportFile(path));
    auto* viewer = qobject_cast<verosa::shell::ReportViewer*>(w.mdiArea()->currentSubWindow()->widget());
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->windowTitle(), "saved.txt");
    auto* view = viewer->findChild<QPlainTextEdit*>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isReadOnly());
    EXPECT_EQ(view->toPlainText(), QString::fromUtf8("   ┌──┐\n   │가a │\n   └──┘"));

    const QString copy = dir.filePath("copy.txt");
    ASSERT_TRUE(w.saveReportTo(copy));
    EXPECT_EQ(verosa::guitest::readBytes(copy), text);

    // What is not a text file, or not there, is refused with a message.
    const QString binary = dir.filePath("binary.bin");
    {
        QFile f(binary);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("ab\0cd", 5));
    }
    const auto windows = w.mdiArea()->subWindowList().size();
    EXPECT_FALSE(w.openReportFile(binary));
    EXPECT_FALSE(w.openReportFile(dir.filePath("missing.txt")));
    // A device that never ends and a pipe that nobody writes are not read.
    EXPECT_FALSE(w.openReportFile(QStringLiteral("/dev/zero")));
    const QString fifo = dir.filePath("pipe.txt");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(w.openReportFile(fifo));
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), windows);
    ASSERT_EQ(boxes.boxes().size(), 4u);
    EXPECT_EQ(boxes.boxes()[0].title, "불러오기");
}

// ---- start-up ----

namespace {

struct StartUp {
    MainWindow w;
    QWidget* notice = nullptr;
    QWidget* splash = nullptr;

    void toSplash() {
        notice = verosa::guitest::topLevel("frmDialog");
        ASSERT_NE(notice, nullptr);
        QTest::mouseClick(notice->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        verosa::guitest::flushDeletes();
        EXPECT_EQ(verosa::guitest::topLevel("frmDialog"), nullptr);
        splash = verosa::guitest::topLevel("frmSplash");
        ASSERT_NE(splash, nullptr);
    }
    void expectMainWindowShown() {
        verosa::guitest::flushDeletes();
        EXPECT_EQ(verosa::guitest::topLevel("frmSplash"), nullptr);
        EXPECT_TRUE(w.isVisible());
    }
};

}  // namespace

TEST(StartUp, NoticeThenSplashThenMainWindowOnAKey) {
    StartUp s;
    s.w.startUp();
    EXPECT_FALSE(s.w.isVisible());
    QWidget* notice = verosa::guitest::topLevel("frmDialog");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->windowTitle(), "안내");
    EXPECT_EQ(notice->findChild<QLabel*>("Label1")->text(), "프로그램 작성 일자 : 2001.10 ");
    EXPECT_EQ(notice->findChild<QPushButton*>("OKButton")->text(), "닫기");

    // Four numbered paragraphs, one empty line between them; no file path: the
    // table sources are shown by a command of the help menu.
    const QString info = notice->findChild<QLabel*>("lblInfo")->text();
    const QStringList paragraphs = info.split("\n\n");
    ASSERT_EQ(paragraphs.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(paragraphs[i].startsWith(QString::number(i + 1) + ". ")) << i;
        EXPECT_FALSE(paragraphs[i].contains('\n')) << i;
    }
    EXPECT_TRUE(paragraphs[0].contains("도로용량편람"));
    EXPECT_TRUE(paragraphs[0].contains("표 값의 출처"));
    EXPECT_TRUE(paragraphs[1].contains("Update"));
    EXPECT_TRUE(paragraphs[2].contains("www."));
    EXPECT_FALSE(info.contains("/"));

    ASSERT_NO_FATAL_FAILURE(s.toSplash());
    EXPECT_FALSE(s.w.isVisible());
    auto* timer = s.splash->findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 8000);
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(s.splash->windowFlags() & Qt::FramelessWindowHint);

    QTest::keyClick(s.splash, Qt::Key_Space);
    s.expectMainWindowShown();
    EXPECT_TRUE(s.w.AnalysisIndex.key.empty());
    EXPECT_TRUE(s.w.mdiArea()->subWindowList().isEmpty());
}

TEST(StartUp, SplashTimerLeadsToTheMainWindow) {
    StartUp s;
    s.w.startUp();
    ASSERT_NO_FATAL_FAILURE(s.toSplash());
    // The same timer, made short: no key, no mouse.
    s.splash->findChild<QTimer*>("Timer1")->setInterval(20);
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.w.isVisible(); }, 5000));
    s.expectMainWindowShown();
}

TEST(StartUp, NoticeClosedOtherwiseStillLeadsOnAndMouseEndsTheSplash) {
    StartUp s;
    s.w.startUp();
    auto* notice = qobject_cast<QDialog*>(verosa::guitest::topLevel("frmDialog"));
    ASSERT_NE(notice, nullptr);
    notice->reject();  // Esc or the title bar
    verosa::guitest::flushDeletes();
    QWidget* splash = verosa::guitest::topLevel("frmSplash");
    ASSERT_NE(splash, nullptr);
    QTest::mouseClick(splash, Qt::LeftButton);
    s.expectMainWindowShown();
}

TEST(StartUp, AboutShowsTheNoticeAgainAndLeadsBackToTheMainWindow) {
    StartUp s;
    s.w.show();
    s.w.runFacilityCommand("mnuPedstrian");
    action(s.w, "mnuAbout")->trigger();
    ASSERT_NO_FATAL_FAILURE(s.toSplash());
    QTest::mouseClick(s.splash, Qt::LeftButton);
    s.expectMainWindowShown();
    // Nothing of the main window changed on the way.
    EXPECT_NE(s.w.findAnalysisWindow("frmPedestrian"), nullptr);
    EXPECT_EQ(s.w.AnalysisIndex.key, "pedestrianoper");
}

TEST(MainWindow, QtDialogsSpeakKorean) {
    ASSERT_TRUE(verosa::shell::installKoreanTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "취소");
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
}
