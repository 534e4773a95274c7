// The form model's contract: change handling, option groups, nested outcomes,
// refusals and the rule that a report is replaced only after it is computed.
#include <gtest/gtest.h>

#include "form/Form.h"
#include "numeric/Result.h"

using namespace verosa;
using namespace verosa::form;

namespace {

// A small window with the mechanisms the real windows use.
class SampleForm : public Form {
public:
    int gradeChanges = 0;
    int lengthChanges = 0;
    int sideClicks = 0;
    int analysed = 0;
    explicit SampleForm(AnalysisIndex* index) : Form({index, nullptr}) {
        setWindowName("frmSample");
        addPage("입력");
        addPage("결과");
        beginPage(0);
        addList("cboGrade", "경사", {"＜ 2%", "2% ≤   ＜ 3%", "3% ≤   ＜ 4%"});
        addList("cboGradeLength", "경사길이", {"a", "b"});
        addList("cboLOS", "서비스 수준", {"A", "B", "F"});
        addOption("optOneSide", "한쪽", "side");
        addOption("optTwoSide", "양쪽", "side");
        addText("txtVolume", "교통량");
        addButton("cmdEx1", "Ex#1", ButtonRole::Example);
        addButton("cmdResult", "분  석(&R)", ButtonRole::Analysis);
        addButton("cmdSheets", "분석", ButtonRole::Analysis);
        beginPage(1);
        addOption("optPage[0]", "첫째", "page");
        addOption("optPage[1]", "둘째", "page");
        addResultView();
        tick("optOneSide");

        onChange("cboGrade", [this] {
            ++gradeChanges;
            setItems("cboGradeLength", indexOf("cboGrade") == 2 ? std::vector<std::string>{"x", "y", "z"}
                                                                : std::vector<std::string>{"a", "b"});
        });
        onChange("cboGradeLength", [this] { ++lengthChanges; });
        onClick("optTwoSide", [this] { ++sideClicks; });
        onChange("cboLOS", [this] {
            if (at("cboLOS").listText() == "F") {
                refuse("서비스 수준 F로는 설계할 수 없습니다.", "cboLOS");
                choose("cboLOS", 0);
            }
        });
        // Page 1 reads the grade list when it is written, not when analysed.
        declareWorksheets({"optPage[0]", "optPage[1]"}, [this](int page) {
            return page == 0 ? "V=" + std::to_string(analysed) + "\r\n" : "grade " + at("cboGrade").listText() + "\r\n";
        });
        onAnalysisCommand(
            "cmdSheets",
            [this] {
                analysed = static_cast<int>(numberOf("txtVolume"));
                showWorksheets(1);
            },
            [this] {
                std::string all;
                for (const auto& page : worksheetPages()) all += page;
                return all;
            });
        onPress("cmdEx1", [this] {
            choose("cboGrade", 2);
            choose("cboGradeLength", 1);
            set("txtVolume", "2000");
        });
        onAnalysis("cmdResult", 1, [this] {
            if (textOf("txtVolume") == "boom") failArithmetic("0으로 나눌 수 없습니다.");
            if (textOf("txtVolume") == "quiet") failArithmetic("");
            if (textOf("txtVolume").empty()) refuseInput("교통량을 입력하십시오.", "txtVolume");
            return "V=" + textOf("txtVolume") + "\r\n";
        });
    }
};

TEST(FormModel, HandlerRunsOnChangeOnlyAndListRebuildRunsNothing) {
    AnalysisIndex index;
    SampleForm f(&index);
    f.setIndex("cboGrade", 1);
    f.setIndex("cboGrade", 1);  // the value it already has: nothing runs
    EXPECT_EQ(f.gradeChanges, 1);
    f.setIndex("cboGradeLength", 0);
    EXPECT_EQ(f.lengthChanges, 1);
    f.setIndex("cboGrade", 2);  // rebuilds the length list to no choice without its handler
    EXPECT_EQ(f.lengthChanges, 1);
    EXPECT_EQ(f.at("cboGradeLength").index, -1);
    EXPECT_EQ(f.at("cboGradeLength").items.size(), 3u);
    EXPECT_THROW(f.setIndex("cboGradeLength", 3), UsageError);
    EXPECT_THROW(f.setText("txtNope", "1"), UsageError);
}

TEST(FormModel, ExampleRunsTheSameChangeHandlingAsTheUser) {
    AnalysisIndex index;
    SampleForm f(&index);
    auto o = f.press("cmdEx1");
    EXPECT_TRUE(o.ok());
    EXPECT_EQ(f.gradeChanges, 1);
    EXPECT_EQ(f.at("cboGradeLength").listText(), "y");
    EXPECT_EQ(f.lengthChanges, 1);
    EXPECT_TRUE(f.resultText().empty());
}

TEST(FormModel, OptionButtonsAreExclusiveWithinTheirGroup) {
    AnalysisIndex index;
    SampleForm f(&index);
    EXPECT_TRUE(f.at("optOneSide").checked);
    f.setChecked("optTwoSide", true);
    EXPECT_FALSE(f.at("optOneSide").checked);
    EXPECT_TRUE(f.at("optTwoSide").checked);
    f.setChecked("optTwoSide", false);  // clears only that button
    EXPECT_FALSE(f.at("optOneSide").checked);
}

TEST(FormModel, HandlerRefusalResetsTheChoiceAndFocusesTheList) {
    AnalysisIndex index;
    SampleForm f(&index);
    auto o = f.setIndex("cboLOS", 2);
    EXPECT_EQ(o.status, Outcome::Status::Refused);
    ASSERT_TRUE(o.message);
    EXPECT_EQ(o.message->title, "입력오류");
    EXPECT_EQ(o.message->text, "서비스 수준 F로는 설계할 수 없습니다.");
    EXPECT_EQ(o.focus, "cboLOS");
    EXPECT_EQ(f.at("cboLOS").index, 0);
}

TEST(FormModel, ClickHandlerRunsOnEveryUserChoiceButNotOnExampleSets) {
    AnalysisIndex index;
    SampleForm f(&index);
    f.setChecked("optTwoSide", true);
    f.setChecked("optTwoSide", true);  // chosen again: no change, but a click
    EXPECT_EQ(f.sideClicks, 2);
    f.setChecked("optTwoSide", false);  // clearing is no click
    EXPECT_EQ(f.sideClicks, 2);
}

TEST(FormModel, SilentFailureKeepsTheReportAndShowsNoMessage) {
    AnalysisIndex index;
    SampleForm f(&index);
    f.setText("txtVolume", "2000");
    f.press("cmdResult");
    f.setText("txtVolume", "quiet");
    auto o = f.press("cmdResult");
    EXPECT_EQ(o.status, Outcome::Status::Failed);
    EXPECT_FALSE(o.message);
    EXPECT_EQ(f.resultText(), "V=2000\r\n");
}

TEST(FormModel, WorksheetPagesAreWrittenAnewWhenChosen) {
    AnalysisIndex index;
    SampleForm f(&index);
    f.setText("txtVolume", "2000");
    auto o = f.press("cmdSheets");
    EXPECT_TRUE(o.reportWritten);
    EXPECT_EQ(o.page, 1);
    EXPECT_TRUE(f.at("optPage[0]").checked);
    EXPECT_EQ(f.resultText(), "V=2000\r\n");
    f.setIndex("cboGrade", 1);  // an input changed after the analysis
    f.setChecked("optPage[1]", true);
    EXPECT_EQ(f.resultText(), "grade 2% ≤   ＜ 3%\r\n");
    EXPECT_EQ(f.renderingOf("cmdSheets"), "V=2000\r\ngrade 2% ≤   ＜ 3%\r\n");
    f.setChecked("optPage[0]", true);
    EXPECT_EQ(f.resultText(), "V=2000\r\n");
    EXPECT_EQ(f.renderingOf("cmdResult"), f.resultText());
}

TEST(FormModel, ReportIsReplacedOnlyAfterEverythingIsComputed) {
    AnalysisIndex index;
    SampleForm f(&index);
    int notified = 0;
    f.setObserver([&] { ++notified; });
    f.setText("txtVolume", "2000");
    auto ok = f.press("cmdResult");
    EXPECT_TRUE(ok.reportWritten);
    EXPECT_EQ(ok.page, 1);
    EXPECT_EQ(f.resultText(), "V=2000\r\n");
    f.showPage(0);

    f.setText("txtVolume", "boom");
    auto failed = f.press("cmdResult");
    EXPECT_EQ(failed.status, Outcome::Status::Failed);
    EXPECT_EQ(failed.message->title, "계산오류");
    EXPECT_EQ(f.resultText(), "V=2000\r\n");
    EXPECT_EQ(f.currentPage(), 0);

    f.setText("txtVolume", "");
    auto refused = f.press("cmdResult");
    EXPECT_EQ(refused.status, Outcome::Status::Refused);
    EXPECT_EQ(refused.focus, "txtVolume");
    EXPECT_EQ(f.resultText(), "V=2000\r\n");
    EXPECT_EQ(notified, 7);  // one notice per outermost action
}

// A window with two analyses on two pages: one writes a grid, one fills a
// window of fields; number fields with their ranges.
class TwoAnalysesForm : public Form {
public:
    explicit TwoAnalysesForm() : Form({nullptr, nullptr}) {
        addPage("승객");
        addPage("구간");
        beginPage(0);
        addNumber("txtStopNo", "정류장 갯수", {{1.0, 200.0}, std::nullopt});
        addNumber("txtPHF", "첨두시간계수", {{0.0, 1.0, false, true}, 1.0}, 8, "PHF");
        addGrid("MSFLoad", 2, 1);
        addButton("cmdLoad", "분  석(&R)", ButtonRole::Analysis);
        beginPage(1);
        addButton("cmdSpeed", "확  인", ButtonRole::Analysis);
        addButton("cmdOff", "끔");
        setEnabled("cmdOff", false);
        beginWindow("frmSpeedResult", "결과");
        for (int i = 0; i < 2; ++i) addText(element("txtSpeed", i), "속도");
        endWindow();

        onChange("txtStopNo", [this] {
            const int n = static_cast<int>(numberOf("txtStopNo"));
            control("MSFLoad").grid.resize(2, n + 1);
            for (int c = 1; c <= n; ++c) writeCell("MSFLoad", 0, c, " " + std::to_string(c), Align::Center);
        });
        onAnalysisCommand(
            "cmdLoad", [this] { writeCell("MSFLoad", 1, 1, numberOf("txtPHF") == 1 ? "A" : "B", Align::Center); },
            [this] { return at("MSFLoad").grid.cells[1][1] + "\r\n"; });
        onAnalysisCommand(
            "cmdSpeed",
            [this] {
                for (int i = 0; i < 2; ++i) set(element("txtSpeed", i), " " + std::to_string(40 + i));
                showWindow("frmSpeedResult");
            },
            [this] { return textOf("txtSpeed[0]") + "\t" + textOf("txtSpeed[1]") + "\r\n"; });
    }
};

TEST(FormModel, EachAnalysisRendersItsOwnResults) {
    TwoAnalysesForm f;
    f.setText("txtStopNo", "12");
    EXPECT_EQ(f.at("MSFLoad").grid.cols, 13);
    EXPECT_EQ(f.at("MSFLoad").grid.cells[0][12], " 12");
    EXPECT_EQ(f.at("MSFLoad").grid.align[0][12], Align::Center);
    EXPECT_TRUE(f.press("cmdLoad").ok());  // an empty PHF reads as 1
    EXPECT_EQ(f.renderingOf("cmdLoad"), "A\r\n");
    auto o = f.press("cmdSpeed");
    EXPECT_EQ(o.showWindow, "frmSpeedResult");
    EXPECT_EQ(f.at("txtSpeed[1]").window, "frmSpeedResult");
    EXPECT_EQ(f.renderingOf("cmdSpeed"), " 40\t 41\r\n");
    EXPECT_EQ(f.savedText(), "A\r\n");  // page 0 holds the load analysis
    f.showPage(1);
    EXPECT_EQ(f.savedText(), " 40\t 41\r\n");
    EXPECT_THROW(f.press("cmdOff"), UsageError);
    EXPECT_THROW(f.setCell("MSFLoad", 0, 1, "9"), UsageError);  // nobody types into a heading
}

TEST(FormModel, NumberFieldsHoldNumbersWithinTheirRange) {
    TwoAnalysesForm f;
    f.setText("txtStopNo", "1");
    struct Case {
        const char* text;
        const char* message;  // empty: accepted
    } cases[] = {
        {" 0.85 ", ""},
        {"1e0", ""},
        {"1OO", "PHF는 숫자로 입력하십시오. (입력된 값: \"1OO\")"},
        {"1,5", "PHF는 숫자로 입력하십시오. (입력된 값: \"1,5\")"},
        {"inf", "PHF는 숫자로 입력하십시오. (입력된 값: \"inf\")"},
        {"\xff\x01", "PHF는 숫자로 입력하십시오. (입력된 값: \"??\")"},
        {"0", "PHF는 0보다 크고 1 이하여야 합니다."},
        {"1.01", "PHF는 0보다 크고 1 이하여야 합니다."},
        {"1e400", "PHF가 너무 큽니다."},
        {"3e38", "PHF는 0보다 크고 1 이하여야 합니다."},
    };
    for (const Case& c : cases) {
        f.setText("txtPHF", c.text);
        auto o = f.press("cmdLoad");
        if (!*c.message) {
            EXPECT_TRUE(o.ok()) << c.text;
            continue;
        }
        EXPECT_EQ(o.status, Outcome::Status::Refused) << c.text;
        ASSERT_TRUE(o.message) << c.text;
        EXPECT_EQ(o.message->text, c.message);
        EXPECT_EQ(o.focus, "txtPHF");
    }
    auto o = f.setText("txtStopNo", "");  // no empty meaning declared
    EXPECT_EQ(o.message->text, "정류장 갯수를 입력하십시오.");
    o = f.setText("txtStopNo", "201");
    EXPECT_EQ(o.message->text, "정류장 갯수는 1 이상 200 이하여야 합니다.");
}

}  // namespace
