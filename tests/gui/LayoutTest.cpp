// Every window as an engineer meets it: no two visible widgets of a page
// overlap, whatever option or list choice shows or hides a group; Enter moves
// to the next field in every window; the result page is wide enough for its
// report.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "GuiSupport.h"
#include "analyses/Registry.h"
#include "form/Form.h"
#include "shell/AnalysisWindow.h"
#include "shell/MainWindow.h"
#include "shell/ShellSupport.h"

using verosa::form::ControlKind;
using verosa::guitest::MessageBoxCatcher;
using verosa::shell::AnalysisWindow;
using verosa::shell::MainWindow;

namespace {

// Opens the window of every facility command of the menu that opens a built
// one, hands it to `check` with the command's name, and closes it again.
void forEachFacilityWindow(MainWindow& main, const std::function<void(AnalysisWindow*, const std::string&)>& check) {
    QList<QAction*> commands;
    for (QAction* a : main.findChild<QMenu*>("mnuFacility")->actions()) {
        if (a->menu())
            commands += a->menu()->actions();
        else
            commands += a;
    }
    for (QAction* command : commands) {
        if (!command->isEnabled()) continue;
        command->trigger();
        auto* window = qobject_cast<AnalysisWindow*>(main.mdiArea()->currentSubWindow()->widget());
        const std::string name = command->objectName().toStdString();
        EXPECT_NE(window, nullptr) << name;
        if (window) check(window, name);
        main.mdiArea()->currentSubWindow()->close();
        verosa::guitest::flushDeletes();
    }
}

bool isAncestor(const QWidget* a, const QWidget* b) {
    for (const QWidget* p = b->parentWidget(); p; p = p->parentWidget())
        if (p == a) return true;
    return false;
}

// The pairs of visible widgets of the page shown that overlap (a frame and
// what it holds are no pair).
std::vector<std::string> overlaps(QWidget* page) {
    QList<QWidget*> shown;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w);
        if (control && w->isVisibleTo(page) && !w->objectName().startsWith("qt_")) shown += w;
    }
    std::vector<std::string> found;
    for (int i = 0; i < shown.size(); ++i) {
        for (int j = i + 1; j < shown.size(); ++j) {
            QWidget *a = shown[i], *b = shown[j];
            if (isAncestor(a, b) || isAncestor(b, a)) continue;
            const QRect ra(a->mapTo(page, QPoint()), a->size()), rb(b->mapTo(page, QPoint()), b->size());
            if (ra.intersects(rb))
                found.push_back(a->objectName().toStdString() + " [" + qPrintable(a->property("text").toString()) +
                                "] / " + b->objectName().toStdString() + " [" +
                                qPrintable(b->property("text").toString()) + "]");
        }
    }
    return found;
}

void expectNoOverlap(AnalysisWindow* window, const std::string& when) {
    auto* tabs = window->findChild<QTabWidget*>("SSTab1");
    QCoreApplication::processEvents();
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QCoreApplication::processEvents();
        // Squashed below what its layout needs, a page draws its captions over
        // each other: the window grows, or the page scrolls, instead.
        const auto* scroll = qobject_cast<QScrollArea*>(tabs->widget(page));
        ASSERT_NE(scroll, nullptr);
        const QSize need = scroll->widget()->minimumSizeHint(), have = scroll->widget()->size();
        EXPECT_TRUE(have.width() >= need.width() && have.height() >= need.height())
            << window->objectName().toStdString() << " page " << page << " " << when << ": " << have.width() << "x"
            << have.height() << " for " << need.width() << "x" << need.height();
        for (const std::string& pair : overlaps(tabs->widget(page)))
            ADD_FAILURE() << window->objectName().toStdString() << " page " << page << " " << when << ": " << pair;
    }
}

}  // namespace

TEST(Layout, NoVisibleWidgetsOverlapAfterAnyOptionOrListChange) {
    MessageBoxCatcher boxes;
    MainWindow main;
    main.resize(1280, 900);
    main.show();
    forEachFacilityWindow(main, [](AnalysisWindow* window, const std::string& name) {
        expectNoOverlap(window, name + " opened");
        // Each option on, each list choice made, as a user would.
        std::vector<std::pair<std::string, ControlKind>> choices;
        for (const auto& c : window->form().controls())
            if (c->kind == ControlKind::Option || c->kind == ControlKind::List) choices.push_back({c->name, c->kind});
        for (const auto& [control, kind] : choices) {
            if (kind == ControlKind::Option) {
                window->form().setChecked(control, true);
                expectNoOverlap(window, name + " after " + control);
            } else {
                const int items = static_cast<int>(window->form().at(control).items.size());
                for (int i = 0; i < items; ++i) window->form().setIndex(control, i);
                if (items > 0) expectNoOverlap(window, name + " after " + control);
            }
        }
    });
}

TEST(Layout, TheMenuLaysAnOpenWindowOutForTheOtherModeAtOnce) {
    MessageBoxCatcher boxes;
    MainWindow main;
    main.show();
    AnalysisWindow* freeway = main.runFacilityCommand("mnuHighwayServiceLevel");
    ASSERT_NE(freeway, nullptr);
    EXPECT_FALSE(freeway->form().at("cboLOS").visible);
    EXPECT_EQ(main.runFacilityCommand("mnuHighwayLaneDesign"), freeway);
    EXPECT_TRUE(freeway->form().at("cboLOS").visible);
    EXPECT_FALSE(freeway->form().at("txtLane").visible);
    EXPECT_EQ(freeway->windowTitle(), "고속도로 기본구간의 설계분석");

    AnalysisWindow* weaving = main.runFacilityCommand("mnuWeavingDesign");
    ASSERT_NE(weaving, nullptr);
    EXPECT_FALSE(weaving->form().at("fraWeavingForm").visible);
    EXPECT_EQ(main.runFacilityCommand("mnuWeavingOperation"), weaving);
    EXPECT_TRUE(weaving->form().at("fraWeavingForm").visible);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(Layout, EnterMovesToTheNextFieldInEveryWindow) {
    MessageBoxCatcher boxes;
    MainWindow main;
    main.resize(1280, 900);
    main.show();
    forEachFacilityWindow(main, [&main](AnalysisWindow* window, const std::string& name) {
        // The first enabled text field shown on the opening page.
        QLineEdit* first = nullptr;
        for (const auto& c : window->form().controls()) {
            auto* edit = qobject_cast<QLineEdit*>(window->widgetFor(c->name));
            if (edit && edit->isVisible() && edit->isEnabled() && !edit->isReadOnly()) {
                first = edit;
                break;
            }
        }
        ASSERT_NE(first, nullptr) << name;
        main.activateWindow();
        first->setFocus();
        QCoreApplication::processEvents();
        ASSERT_TRUE(first->hasFocus()) << name;
        QTest::keyClicks(first, "25");
        QTest::keyClick(first, Qt::Key_Return);
        EXPECT_FALSE(first->hasFocus()) << name;
        EXPECT_EQ(first->text(), "25");
    });
}

TEST(Layout, TheResultPageShowsWholeReportLinesWithoutScrollingSideways) {
    MessageBoxCatcher boxes;
    MainWindow main;
    main.resize(1280, 900);
    main.show();
    for (const auto& a : verosa::analyses::allAnalyses()) {
        if (!a.facility->built()) continue;
        AnalysisWindow* window = main.runFacilityCommand(QString::fromStdString(a.facility->command));
        ASSERT_NE(window, nullptr);
        for (const verosa::form::Control* example : window->form().exampleButtons()) {
            window->form().press(example->name);
            if (!window->form().press(a.analysis->button).ok()) continue;
            QCoreApplication::processEvents();
            auto* view = window->findChild<QPlainTextEdit*>();
            if (!view || !view->isVisible()) continue;
            EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0) << a.analysis->name << " " << example->caption;
        }
        main.mdiArea()->currentSubWindow()->close();
        verosa::guitest::flushDeletes();
    }
}
