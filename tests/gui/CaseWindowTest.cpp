// Case files in the desktop program: the file menu's commands through their
// dialogs, a bad file that changes no window, an open window replaced in its
// place (asking first when its inputs were not saved), and a case named on
// the command line opened after the start-up.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <optional>

#include "GuiSupport.h"
#include "form/Case.h"
#include "shell/AnalysisWindow.h"
#include "shell/MainWindow.h"

using verosa::guitest::menuCommand;
using verosa::guitest::MessageBoxCatcher;
using verosa::shell::AnalysisWindow;
using verosa::shell::MainWindow;

namespace {

// Answers the next file dialog with a path, as a user types it and accepts.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(QString path) : path_(std::move(path)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                if (dialog && dialog->isVisible()) {
                    filter_ = dialog->selectedNameFilter();
                    dialog->selectFile(path_);
                    QMetaObject::invokeMethod(dialog, "accept");
                    answered_ = true;
                }
            }
        });
        timer_.start();
    }
    bool answered() const { return answered_; }
    const QString& filter() const { return filter_; }

private:
    QString path_;
    QString filter_;
    bool answered_ = false;
    QTimer timer_;
};

// Answers every question box "예".
class YesAnswer {
public:
    YesAnswer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box && box->isVisible() && box->button(QMessageBox::Yes)) {
                    ++asked;
                    box->button(QMessageBox::Yes)->click();
                }
            }
        });
        timer_.start();
    }
    int asked = 0;

private:
    QTimer timer_;
};

void click(AnalysisWindow* window, const char* button) {
    if (auto* b = verosa::guitest::child<QPushButton>(window, button)) QTest::mouseClick(b, Qt::LeftButton);
    QCoreApplication::processEvents();
}

void type(AnalysisWindow* window, const char* field, const QString& text) {
    auto* edit = verosa::guitest::child<QLineEdit>(window, field);
    edit->clear();
    QTest::keyClicks(edit, text);
    QCoreApplication::processEvents();
}

std::string inputsOf(const AnalysisWindow* window) {
    return verosa::form::caseText(verosa::form::caseOf(window->form(), {}));
}

void write(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

}  // namespace

TEST(CaseWindow, MenuCommandsSaveCloseOpenAndAnalyseTheSameReport) {
    MessageBoxCatcher boxes;
    QTemporaryDir folder;
    MainWindow main;
    main.resize(1400, 1000);
    main.show();
    EXPECT_EQ(menuCommand(main, "mnuSaveCase")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    EXPECT_EQ(menuCommand(main, "mnuOpenCase")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+O")));

    AnalysisWindow* window = main.runFacilityCommand("mnuSignalizedIntersection");
    ASSERT_NE(window, nullptr);
    click(window, "cmdEx5");
    click(window, "cmdAnalysis");
    const std::string report = window->form().renderingOf("cmdAnalysis");
    ASSERT_FALSE(report.empty());

    {
        // A name typed without its suffix gets it.
        FileDialogAnswer answer(folder.filePath(QStringLiteral("교차로 예제")));
        menuCommand(main, "mnuSaveCase")->trigger();
        EXPECT_TRUE(answer.answered());
        EXPECT_EQ(answer.filter(), "Verosa case (*.vcase)");
    }
    const QString path = folder.filePath(QStringLiteral("교차로 예제.vcase"));
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(verosa::guitest::readBytes(path),
              verosa::form::caseText(verosa::form::caseOf(window->form(), "signalized")));
    EXPECT_EQ(window->windowTitle(), "신호교차로 서비스수준분석 - 교차로 예제.vcase");

    qobject_cast<QMdiSubWindow*>(window->parentWidget())->close();
    verosa::guitest::flushDeletes();
    ASSERT_TRUE(main.mdiArea()->subWindowList().isEmpty());
    main.AnalysisIndex.key = "pedestrianoper";

    {
        FileDialogAnswer answer(path);
        menuCommand(main, "mnuOpenCase")->trigger();
        EXPECT_TRUE(answer.answered());
    }
    window = main.findAnalysisWindow("frmInterSection");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(main.AnalysisIndex.key, "pedestrianoper") << "the signalized command writes no key";
    EXPECT_EQ(window->windowTitle(), "신호교차로 서비스수준분석 - 교차로 예제.vcase");
    EXPECT_EQ(qobject_cast<QMdiSubWindow*>(window->parentWidget())->windowTitle(), window->windowTitle());
    click(window, "cmdAnalysis");
    EXPECT_EQ(window->form().renderingOf("cmdAnalysis"), report);
    EXPECT_TRUE(boxes.boxes().empty());

    const QString shots = verosa::guitest::screenshotFolder();
    EXPECT_TRUE(main.grab().save(shots + QStringLiteral("/case-signalized-reopened.png")));
    auto* file = main.findChild<QMenu*>(QStringLiteral("mnuFile"));
    ASSERT_NE(file, nullptr);
    file->popup(main.mapToGlobal(QPoint(0, 20)));
    QCoreApplication::processEvents();
    EXPECT_TRUE(file->grab().save(shots + QStringLiteral("/case-file-menu.png")));
    file->close();
}

TEST(CaseWindow, ABadCaseFileIsRefusedSayingWhatAndWhereAndChangesNoWindow) {
    MessageBoxCatcher boxes;
    QTemporaryDir folder;
    MainWindow main;
    main.show();
    AnalysisWindow* window = main.runFacilityCommand("mnuHighwayLaneDesign");
    ASSERT_NE(window, nullptr);
    click(window, "cmdEx4");
    click(window, "cmdResult");
    const std::string inputs = inputsOf(window);
    const std::string report = window->form().resultText();
    const QString title = window->windowTitle();
    ASSERT_FALSE(report.empty()) << (boxes.boxes().empty() ? std::string() : boxes.boxes()[0].text.toStdString());

    // A good case of the other mode, spoiled one way at each step of opening
    // (the messages of every way are checked in CaseTest).
    const std::string good = verosa::guitest::runCli({"save-case", "freeway-oper", "--example", "Ex#2"});
    auto spoiled = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    struct Bad {
        const char* name;
        std::string bytes;
        const char* says;
    };
    const std::vector<Bad> bad = {
        {"report.vcase", "   ┌──────┐\r\n", "JSON 형식이 아닙니다 (1행 4열)"},
        {"analysis.vcase", spoiled("\"freeway-oper\"", "\"freeway-ops\""),
         "알 수 없는 분석입니다 (입력된 값: \"freeway-ops\")"},
        {"control.vcase", spoiled("\"txtPHF\"", "\"txtPhf\""), "컨트롤 \"txtPhf\": 이 분석 창에 없는 컨트롤입니다."},
        {"large.vcase", good + std::string(verosa::form::kMaxCaseBytes, ' '), "1 MiB"},
    };
    std::vector<QString> paths;
    for (const Bad& b : bad) {
        paths.push_back(folder.filePath(QString::fromUtf8(b.name)));
        write(paths.back(), b.bytes);
    }
    paths.push_back(folder.path());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        SCOPED_TRACE(paths[i].toStdString());
        boxes.clear();
        EXPECT_EQ(main.openCaseFile(paths[i]), nullptr);
        QCoreApplication::processEvents();
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].title, "입력자료 불러오기");
        const QString says = i < bad.size() ? QString::fromUtf8(bad[i].says) : QStringLiteral("폴더입니다");
        EXPECT_TRUE(boxes.boxes()[0].text.contains(says)) << boxes.boxes()[0].text.toStdString();
        EXPECT_TRUE(boxes.boxes()[0].text.contains(paths[i]));
        // Nothing changed: the same window, inputs, report, title and mode key.
        ASSERT_EQ(main.mdiArea()->subWindowList().size(), 1);
        EXPECT_EQ(main.findAnalysisWindow("frmHighWay"), window);
        EXPECT_EQ(inputsOf(window), inputs);
        EXPECT_EQ(window->form().resultText(), report);
        EXPECT_EQ(window->windowTitle(), title);
        EXPECT_EQ(main.AnalysisIndex.key, "highwaydesign");
    }

    // A good case would replace the window, whose example inputs were never
    // saved: the user is asked first, and keeping them changes nothing.
    const QString goodPath = folder.filePath(QStringLiteral("good.vcase"));
    write(goodPath, good);
    boxes.clear();
    EXPECT_EQ(main.openCaseFile(goodPath), nullptr);
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(boxes.boxes()[0].text.contains("입력자료가 저장되지 않았습니다"))
        << boxes.boxes()[0].text.toStdString();
    EXPECT_EQ(main.findAnalysisWindow("frmHighWay"), window);
    EXPECT_EQ(inputsOf(window), inputs);
    EXPECT_EQ(window->form().resultText(), report);
    EXPECT_EQ(main.AnalysisIndex.key, "highwaydesign");
}

TEST(CaseWindow, AnOpenWindowIsReplacedInItsPlaceAskingOnlyForUnsavedInputs) {
    std::optional<MessageBoxCatcher> boxes(std::in_place);
    QTemporaryDir folder;
    MainWindow main;
    main.resize(1400, 1000);
    main.show();
    const QString path = folder.filePath(QStringLiteral("crosswalk.vcase"));
    write(path, verosa::guitest::runCli({"save-case", "crosswalk", "--example", "Ex#2-2"}));

    // A window just opened by its command holds nothing to lose.
    AnalysisWindow* window = main.runFacilityCommand("mnuPedstrian");
    ASSERT_NE(window, nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    sub->setGeometry(10, 20, 900, 700);
    AnalysisWindow* opened = main.openCaseFile(path);
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(boxes->boxes().empty());
    // In the same child window, in its place; it only grows to what its pages need.
    EXPECT_EQ(opened->parentWidget(), sub);
    EXPECT_EQ(sub->pos(), QPoint(10, 20));
    EXPECT_EQ(sub->windowTitle(), "보행자시설의 운영분석 - crosswalk.vcase");
    EXPECT_GE(sub->width(), 900);
    EXPECT_GE(sub->height(), 700);
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(opened->caseFile(), path);
    // The crosswalk analysis shows its own page.
    EXPECT_EQ(opened->form().currentPage(), opened->form().at("cmdResultCrossRoad").page);
    window = opened;

    // Changed since it was opened: asked, and kept when the answer is no ...
    type(window, "txtTotCycle", QStringLiteral("95"));
    const std::string changed = inputsOf(window);
    EXPECT_EQ(main.openCaseFile(path), nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes->boxes().size(), 1u);
    EXPECT_EQ(main.findAnalysisWindow("frmPedestrian"), window);
    EXPECT_EQ(inputsOf(window), changed);
    // ... replaced when it is yes.
    boxes.reset();  // the next question is answered yes
    {
        YesAnswer yes;
        opened = main.openCaseFile(path);
        EXPECT_EQ(yes.asked, 1);
    }
    ASSERT_NE(opened, nullptr);
    EXPECT_NE(opened, window);
    const auto saved = nlohmann::ordered_json::parse(verosa::guitest::readBytes(path));
    EXPECT_EQ(opened->form().at("txtTotCycle").text, saved["controls"]["txtTotCycle"].get<std::string>());
    EXPECT_NE(inputsOf(opened), changed);
    window = opened;

    boxes.emplace();

    // Saved after a change: nothing to lose, no question.
    type(window, "txtTotCycle", QStringLiteral("95"));
    ASSERT_TRUE(main.saveCaseTo(folder.filePath(QStringLiteral("changed.vcase"))));
    EXPECT_EQ(window->windowTitle(), "보행자시설의 운영분석 - changed.vcase");
    boxes->clear();
    opened = main.openCaseFile(path);
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(boxes->boxes().empty());
    EXPECT_EQ(opened->windowTitle(), "보행자시설의 운영분석 - crosswalk.vcase");
}

TEST(CaseWindow, ReplacingAWindowTakesItsResultWindowWithIt) {
    MessageBoxCatcher boxes;
    QTemporaryDir folder;
    MainWindow main;
    main.resize(1400, 1000);
    main.show();
    const QString path = folder.filePath(QStringLiteral("arterial.vcase"));
    write(path,
          verosa::guitest::runCli({"save-case", "arterial",      "--set", "cboTermUnit=0",  "--set", "cboArea=0",
                                   "--set",     "cboCondi=0",    "--set", "cboLane=1",      "--set", "txtCycle=120",
                                   "--set",     "optAct=1",      "--set", "cboArr=2",       "--set", "cboLen[0]=2",
                                   "--set",     "cboSide[0]=0",  "--set", "txtGbyC[0]=0.5", "--set", "txtVbyC[0]=0.5",
                                   "--set",     "cboLen[1]=9",   "--set", "cboSide[1]=1",   "--set", "txtGbyC[1]=0.4",
                                   "--set",     "txtVbyC[1]=0.9"}));
    AnalysisWindow* window = main.openCaseFile(path);
    ASSERT_NE(window, nullptr);
    click(window, "Command1");
    ASSERT_EQ(main.mdiArea()->subWindowList().size(), 2) << "the result window is shown";
    const std::string result = window->form().renderingOf("Command1");

    AnalysisWindow* again = main.openCaseFile(path);  // unchanged since opened: no question
    ASSERT_NE(again, nullptr);
    verosa::guitest::flushDeletes();
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
    click(again, "Command1");
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(again->form().renderingOf("Command1"), result);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(CaseWindow, SavingNeedsAnAnalysisWindowAndAFileItCanWrite) {
    MessageBoxCatcher boxes;
    MainWindow main;
    main.show();
    EXPECT_FALSE(main.saveCaseTo(QDir::temp().filePath(QStringLiteral("nothing.vcase"))));
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(boxes.boxes()[0].text.contains("저장할 입력자료가 없습니다"));

    AnalysisWindow* window = main.runFacilityCommand("mnuBycycle");
    ASSERT_NE(window, nullptr);
    boxes.clear();
    EXPECT_FALSE(main.saveCaseTo(QStringLiteral("/nonexistent-folder/case.vcase")));
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(boxes.boxes()[0].text.contains("파일에 저장할 수 없습니다"));
    EXPECT_TRUE(window->caseFile().isEmpty());
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(window->form().title()));

    EXPECT_EQ(MainWindow::withCaseSuffix("/tmp/a/case"), "/tmp/a/case.vcase");
    EXPECT_EQ(MainWindow::withCaseSuffix("/tmp/a.b/case"), "/tmp/a.b/case.vcase");
    EXPECT_EQ(MainWindow::withCaseSuffix("/tmp/a/case.vcase"), "/tmp/a/case.vcase");
    EXPECT_EQ(MainWindow::withCaseSuffix("/tmp/a/case.json"), "/tmp/a/case.json");
}

TEST(CaseWindow, ACaseNamedOnTheCommandLineOpensAfterTheStartUp) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("ramp.vcase"));
    write(path, verosa::guitest::runCli({"save-case", "ramp", "--example", "Ex#3"}));
    MainWindow main;
    main.openAfterStartUp({path});
    main.startUp();
    QCoreApplication::processEvents();
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty()) << "not before the start-up has ended";
    QWidget* notice = verosa::guitest::topLevel("frmDialog");
    ASSERT_NE(notice, nullptr);
    QTest::mouseClick(notice->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    verosa::guitest::flushDeletes();
    QWidget* splash = verosa::guitest::topLevel("frmSplash");
    ASSERT_NE(splash, nullptr);
    QTest::keyClick(splash, Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.findAnalysisWindow("frmConnector") != nullptr; }, 5000));
    AnalysisWindow* window = main.findAnalysisWindow("frmConnector");
    EXPECT_EQ(window->caseFile(), path);
    click(window, "cmdResult");
    EXPECT_EQ(window->form().renderingOf("cmdResult"), verosa::guitest::runCli({"run", "ramp", "--example", "Ex#3"}));
}
