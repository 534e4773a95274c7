// The generic analysis window over a small form that uses every control
// kind: each widget forwards the user's action to the model and shows what
// the model then holds, whoever changed it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <stdexcept>

#include "GuiSupport.h"
#include "form/Form.h"
#include "shell/AnalysisWindow.h"

using verosa::guitest::MessageBoxCatcher;
using verosa::shell::AnalysisWindow;
namespace form = verosa::form;

namespace {

class SampleForm : public form::Form {
public:
    explicit SampleForm(form::FormContext context) : Form(context) {
        setWindowName("frmSample");
        setTitle("견본 분석");
        addPage("입력");
        addPage("표");
        addPage("결과");
        addPage("준비중");
        setPageEnabled(3, false, "다음에 만듭니다.");

        beginPage(0);
        addList("cboKind", "종류", {"가형", "나형"});
        addList("cboSub", "세부", {});
        beginFrame("fraGroup", "선택", 2);
        addOption("optA", "A안", "plan");
        addOption("optB", "B안", "plan");
        endFrame();
        addCheck("chkMore", "추가 입력");
        addText("txtMore", "추가값");
        setVisible("txtMore", false);
        addLabel("lblEcho", "");
        addButton("cmdBoom", "고장");
        addButton("cmdWarn", "경고");

        beginPage(1);
        form::Control& grid = addGrid("MSFTable", 3, 3);
        grid.grid.editable = true;
        grid.grid.cells[0] = {"", "열1", "열2"};
        addDrawing("picSketch", 200, 100)
            .drawing.shapes.push_back({form::Shape::Kind::Rect, 10, 10, 190, 90, "", true, false, "box", {}, {}});

        beginPage(2);
        addResultView();
        beginPage(-1);
        addButton("cmdRun", "분  석(&R)", form::ButtonRole::Analysis);
        addButton("cmdExit", "종 료(&X)", form::ButtonRole::Exit);

        onChange("cboKind", [this] {
            setItems("cboSub",
                     indexOf("cboKind") == 0 ? std::vector<std::string>{"a1", "a2"} : std::vector<std::string>{"b1"});
        });
        onChange("chkMore", [this] { setVisible("txtMore", isChecked("chkMore")); });
        onChange("txtMore", [this] { setLabel("lblEcho", "입력: " + textOf("txtMore")); });
        onChange("MSFTable", [this] { setLabel("lblEcho", "표: " + at("MSFTable").grid.cells[1][1]); });
        onPress("cmdBoom", [] { throw std::runtime_error("boom"); });
        onPress("cmdWarn", [this] {
            showMessage({"주의", "확인하십시오.", form::MessageIcon::Warning});
            moveFocus("txtMore");
        });
        onAnalysis("cmdRun", 2, [this] { return "결과 " + textOf("txtMore") + "\r\n둘째 줄\r\n"; });
    }
};

struct SampleView {
    MessageBoxCatcher boxes;
    QMdiArea area;
    QPointer<AnalysisWindow> window;

    SampleView() {
        window = new AnalysisWindow(std::make_unique<SampleForm>(form::FormContext{}));
        area.addSubWindow(window)->setAttribute(Qt::WA_DeleteOnClose);
        area.resize(900, 700);
        area.show();
    }
    template <class W>
    W* widget(const char* name) {
        W* w = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    const form::Control& model(const char* name) { return window->form().at(name); }
};

}  // namespace

TEST(GenericView, PagesTitleAndButtonRow) {
    SampleView v;
    EXPECT_EQ(v.window->windowTitle(), "견본 분석");
    auto* tabs = v.widget<QTabWidget>("SSTab1");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_FALSE(tabs->isTabEnabled(3));
    EXPECT_EQ(tabs->tabToolTip(3), "다음에 만듭니다.");
    // The buttons outside the tabs sit below them, not on a page.
    auto* exit = v.widget<QPushButton>("cmdExit");
    EXPECT_EQ(exit->parentWidget(), v.window.data());
    EXPECT_NE(v.widget<QPushButton>("cmdWarn")->parentWidget(), v.window.data());
    EXPECT_EQ(v.widget<QGroupBox>("fraGroup")->title(), "선택");
    EXPECT_EQ(v.widget<QRadioButton>("optA")->parentWidget(), v.widget<QGroupBox>("fraGroup"));
}

TEST(GenericView, ListChoiceRebuildsTheDependentList) {
    SampleView v;
    auto* kind = v.widget<QComboBox>("cboKind");
    auto* sub = v.widget<QComboBox>("cboSub");
    EXPECT_EQ(kind->currentIndex(), -1);
    EXPECT_EQ(sub->count(), 0);
    emit kind->activated(1);  // as a user's choice reports it
    EXPECT_EQ(v.model("cboKind").index, 1);
    ASSERT_EQ(sub->count(), 1);
    EXPECT_EQ(sub->itemText(0), "b1");
    EXPECT_EQ(sub->currentIndex(), -1);
    emit kind->activated(0);
    ASSERT_EQ(sub->count(), 2);
    EXPECT_EQ(sub->itemText(1), "a2");
}

TEST(GenericView, OptionsFollowTheModelsGroup) {
    SampleView v;
    auto* a = v.widget<QRadioButton>("optA");
    auto* b = v.widget<QRadioButton>("optB");
    QTest::mouseClick(a, Qt::LeftButton);
    EXPECT_TRUE(a->isChecked());
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_FALSE(a->isChecked());
    EXPECT_TRUE(b->isChecked());
    EXPECT_FALSE(v.model("optA").checked);
    // A second click does not turn an option off.
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_TRUE(b->isChecked());
    EXPECT_TRUE(v.model("optB").checked);
}

TEST(GenericView, HandlersShowAndFillOtherControls) {
    SampleView v;
    auto* more = v.widget<QLineEdit>("txtMore");
    EXPECT_FALSE(more->isVisibleTo(v.window));
    QTest::mouseClick(v.widget<QCheckBox>("chkMore"), Qt::LeftButton);
    EXPECT_TRUE(v.model("chkMore").checked);
    EXPECT_TRUE(more->isVisibleTo(v.window));
    QTest::keyClicks(more, "12");
    EXPECT_EQ(v.widget<QLabel>("lblEcho")->text(), "입력: 12");
    QTest::mouseClick(v.widget<QCheckBox>("chkMore"), Qt::LeftButton);
    EXPECT_FALSE(more->isVisibleTo(v.window));
    EXPECT_EQ(v.model("txtMore").text, "12");  // hidden, not forgotten
}

TEST(GenericView, GridCellsAreTypedIntoTheModel) {
    SampleView v;
    auto* table = v.widget<QTableWidget>("MSFTable");
    ASSERT_EQ(table->rowCount(), 3);
    ASSERT_EQ(table->columnCount(), 3);
    EXPECT_EQ(table->item(0, 1)->text(), "열1");
    EXPECT_FALSE(table->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(table->item(1, 0)->flags() & Qt::ItemIsEditable);
    ASSERT_TRUE(table->item(1, 1)->flags() & Qt::ItemIsEditable);
    table->item(1, 1)->setText("7");  // what the cell editor does on commit
    EXPECT_EQ(v.model("MSFTable").grid.cells[1][1], "7");
    EXPECT_EQ(v.widget<QLabel>("lblEcho")->text(), "표: 7");
    EXPECT_EQ(v.window->widgetFor("picSketch")->sizeHint(), QSize(202, 102));
}

TEST(GenericView, ThrownErrorsBecomeMessagesAndMessagesMoveTheFocus) {
    SampleView v;
    QTest::mouseClick(v.widget<QPushButton>("cmdBoom"), Qt::LeftButton);
    ASSERT_EQ(v.boxes.boxes().size(), 1u);
    EXPECT_EQ(v.boxes.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(v.boxes.boxes()[0].text.contains("boom"));
    EXPECT_TRUE(v.window);

    QTest::mouseClick(v.widget<QCheckBox>("chkMore"), Qt::LeftButton);
    QTest::mouseClick(v.widget<QPushButton>("cmdWarn"), Qt::LeftButton);
    ASSERT_EQ(v.boxes.boxes().size(), 2u);
    EXPECT_EQ(v.boxes.boxes()[1].title, "주의");
    EXPECT_EQ(v.boxes.boxes()[1].icon, QMessageBox::Warning);
    // The window's focus field (it takes the keyboard once the window is
    // active again after the box).
    EXPECT_EQ(v.window->focusWidget(), v.widget<QLineEdit>("txtMore"));
}

TEST(GenericView, AnalysisShowsTheResultPageAndExitCloses) {
    SampleView v;
    QTest::mouseClick(v.widget<QPushButton>("cmdRun"), Qt::LeftButton);
    EXPECT_EQ(v.widget<QTabWidget>("SSTab1")->currentIndex(), 2);
    EXPECT_EQ(v.window->reportText(), "결과 \r\n둘째 줄\r\n");
    // The user's tab choice goes to the model as well.
    v.widget<QTabWidget>("SSTab1")->setCurrentIndex(0);
    EXPECT_EQ(v.window->form().currentPage(), 0);

    QTest::mouseClick(v.widget<QPushButton>("cmdExit"), Qt::LeftButton);
    verosa::guitest::flushDeletes();
    EXPECT_TRUE(v.window.isNull());
    EXPECT_TRUE(v.area.subWindowList().isEmpty());
}
