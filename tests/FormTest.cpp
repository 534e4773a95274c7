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
        onPress("cmdSheets", [this] { writeSheets({"p1\r\n", "p2\r\n", "p3\r\n"}, 1, 1); });
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
    EXPECT_THROW(f.setIndex("cboGradeLength", 3), std::invalid_argument);
    EXPECT_THROW(f.setText("txtNope", "1"), std::out_of_range);
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

TEST(FormModel, WorksheetPagesPrintOneAfterTheOtherWithOneShown) {
    AnalysisIndex index;
    SampleForm f(&index);
    auto o = f.press("cmdSheets");
    EXPECT_TRUE(o.reportWritten);
    EXPECT_EQ(f.at("rtbResult").text, "p2\r\n");
    EXPECT_EQ(f.resultText(), "p1\r\np2\r\np3\r\n");
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

}  // namespace
