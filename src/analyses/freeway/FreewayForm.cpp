#include "analyses/freeway/FreewayForm.h"
#include "analyses/freeway/FreewayHeadlines.h"
#include "analyses/freeway/FreewayReport.h"

#include <vector>

#include "numeric/Result.h"
#include "numeric/Wording.h"

namespace verosa::analyses::freeway {

namespace {

using form::ButtonRole;

const char* const kLevelFMessage = "서비스 수준 F로는 설계할 수 없습니다.";

// The six length classes (km) of a grade: one list for grades below 3 %, one
// for 3-4 %, one for 4 % and steeper.
std::vector<std::string> gradeLengths(int grade) {
    if (grade == 2) return {"0.0＜  ≤0.5", "0.5＜  ≤1.0", "1.0＜  ≤1.2", "1.2＜  ≤1.5", "1.5＜  ≤1.8", "＞1.8"};
    if (grade >= 3) return {"0.0＜  ≤0.4", "0.4＜  ≤0.5", "0.5＜  ≤0.8", "0.8＜  ≤1.0", "1.0＜  ≤1.5", "＞1.5"};
    return {"0.0＜  ≤0.5", "0.5＜  ≤1.0", "1.0＜  ≤1.5", "1.5＜  ≤1.8", "1.8＜  ≤2.5", "＞2.5"};
}

}  // namespace

FreewayForm::FreewayForm(form::FormContext context) : TabledForm(context, openFreewayTables) {
    setWindowName("frmHighWay");
    addPage("입력자료");
    addPage("결과화면");
    declareControls();
    declareExamples();
    applyMode();
    applySectionKind();
}

void FreewayForm::declareControls() {
    beginPage(kInputPage);
    place(beginFrameControl("fraRoad", "도로조건"), 0, 0);
    addList("cboTermType", "분석구간종류", {"일반지형", "특정경사구간"});
    addList("cboLandType", "지형", {"평지", "구릉지", "산지"});
    addList("cboGrade", "경사(%)",
            {"＜ 2%", "2% ≤   ＜ 3%", "3% ≤   ＜ 4%", "4% ≤   ＜ 5%", "5% ≤   ＜ 6%", "6% ≤   ＜ 7%", "7% ≤   ＜ 8%",
             "≥ 8%"});
    addList("cboGradeLength", "경사길이(km)", gradeLengths(0));
    addList("cboDesignSpeed", "설계속도(kph)", {"120km/시", "100km/시", " 80km/시"});
    addNumber("txtLane", "차로수(편도)", {limits::kLanes, {}}, 6);
    addList("cboLaneWidth", "차로폭(m)", {"≥3.5", "3.25≤  ＜3.5", "3.00≤  ＜3.25", "2.75≤  ＜3.00"});
    beginFrame("fraSide", "장애물 위치", 2);
    place(addOption("optOneSide", "한쪽", "side"), 0, 0);
    place(addOption("optTwoSide", "양쪽", "side"), 0, 1);
    endFrame();
    addList("cboSideWidth", "장애물거리(m)", {"≥1.5", "1.0≤  ＜1.5", "0.5≤  ＜1.0", "0.0≤  ＜0.5"});
    addLabel("lblSideNote", "양쪽에 장애물이 있을 경우, 장애물까지의 거리는 양 장애물 거리의 평균값으로 한다. ").lines =
        2;
    endFrame();

    place(beginFrameControl("fraTraffic", "교통조건"), 0, 1);
    // The volume is named by its caption, which follows the mode.
    addNumber("txtVolume", "교통량(vph)", {limits::kVolume, {}});
    addNumber("txtLightPer", "중형차량 구성비율(%)", {limits::kShare, {}}, 6);
    addNumber("txtHeavyPer", "대형차량 구성비율(%)", {limits::kShare, {}}, 6);
    addNumber("txtTotalPer", "중차량구성비(%)", {limits::kShare, {}}, 6);
    addNumber("txtPHF", "첨두시간계수(PHF)", {limits::kPHF, {}}, 6);
    addList("cboLOS", "서비스 수준", {"A", "B", "C", "D", "E", "F"});
    endFrame();

    beginPage(kResultPage);
    addResultView();

    // The button row under the tabs.
    beginPage(-1);
    addButton("cmdEx1", "Ex#1", ButtonRole::Example);
    addButton("cmdEx2", "Ex#2", ButtonRole::Example);
    addButton("cmdEx4", "Ex#4", ButtonRole::Example);
    addButton("cmdEx5", "Ex#5", ButtonRole::Example);
    addButton("cmdResult", "분  석(&R)", ButtonRole::Analysis);
    addButton("cmdExit", "종 료(&X)", ButtonRole::Exit);

    // At creation every text is empty and no list has a choice; one-side
    // obstructions are preset.
    control("optOneSide").checked = true;

    onChange("cboTermType", [this] { applySectionKind(); });
    onChange("cboGrade", [this] { rebuildGradeLengths(); });
    onChange("cboLOS", [this] { refuseLevelF(); });
    onAnalysisCommand(
        "cmdResult",
        [this] {
            // The mode is read again: the menu may have switched it since the
            // window was created.
            if (modeKey() == kOperationalKey) {
                writeReport(runOperational(), kResultPage);
            } else if (modeKey() == kDesignKey) {
                writeReport(runDesign(), kResultPage);
            } else {
                goToPage(kResultPage);
            }
        },
        [this] { return resultText(); });
}

void FreewayForm::declareExamples() {
    onPress("cmdEx1", [this] {
        choose("cboTermType", kGeneralTerrain);
        choose("cboLandType", kRolling);
        set("txtVolume", "2000");
        choose("cboDesignSpeed", kSpeed100);
        tick("optTwoSide");
        choose("cboSideWidth", 3);
        set("txtLane", "2");
        choose("cboLaneWidth", 1);
        set("txtLightPer", "0");
        set("txtHeavyPer", "20");
        set("txtPHF", "0.95");
    });
    onPress("cmdEx2", [this] {
        choose("cboTermType", kSpecificGrade);
        choose("cboGrade", 4);  // rebuilds the length list first
        choose("cboGradeLength", 5);
        set("txtVolume", "1800");
        choose("cboDesignSpeed", kSpeed120);
        tick("optOneSide");
        choose("cboSideWidth", 1);
        set("txtLane", "2");
        choose("cboLaneWidth", 0);
        set("txtTotalPer", "30");
        set("txtPHF", "0.95");
    });
    onPress("cmdEx4", [this] {
        choose("cboTermType", kGeneralTerrain);
        choose("cboLandType", kLevel);
        set("txtVolume", "3500");
        choose("cboDesignSpeed", kSpeed100);
        tick("optOneSide");
        choose("cboSideWidth", 0);
        choose("cboLaneWidth", 0);
        set("txtLightPer", "23");
        set("txtHeavyPer", "2");
        set("txtPHF", "0.90");
        choose("cboLOS", 2);
    });
    onPress("cmdEx5", [this] {
        choose("cboTermType", kGeneralTerrain);
        choose("cboLandType", kRolling);
        set("txtVolume", "2700");
        choose("cboDesignSpeed", kSpeed80);
        tick("optOneSide");
        choose("cboSideWidth", 0);
        choose("cboLaneWidth", 0);
        set("txtLightPer", "15");
        set("txtHeavyPer", "0");
        set("txtPHF", "0.95");
        choose("cboLOS", 3);
    });
}

form::Control& FreewayForm::beginFrameControl(const std::string& name, std::string caption) {
    beginFrame(name, std::move(caption));
    return control(name);
}

void FreewayForm::applyMode() {
    const bool operational = modeKey() == kOperationalKey;
    const bool design = modeKey() == kDesignKey;
    if (operational)
        setTitle("고속도로 기본구간의 운영분석");
    else if (design)
        setTitle("고속도로 기본구간의 설계분석");
    else
        setTitle("고속도로 기본구간 분석");
    if (operational) setCaption("txtVolume", "교통량");
    if (design) setCaption("txtVolume", "DDHV(vph)");
    setVisible("txtLane", !design);
    setVisible("cboLOS", !operational);
    declareModeHeadlines();
}

void FreewayForm::declareModeHeadlines() {
    if (modeKey() == kDesignKey)
        declareHeadlines("cmdResult", designHeadlineNames(), lastDesign_, designHeadlines);
    else
        declareHeadlines("cmdResult", operationalHeadlineNames(), lastOperational_, operationalHeadlines);
}

void FreewayForm::applySectionKind() {
    // General terrain until a kind is chosen.
    const bool grade = indexOf("cboTermType") == kSpecificGrade;
    setEnabled("cboLandType", !grade);
    setVisible("txtLightPer", !grade);
    setVisible("txtHeavyPer", !grade);
    setVisible("txtTotalPer", grade);
    setEnabled("cboGrade", grade);
    setEnabled("cboGradeLength", grade);
}

void FreewayForm::rebuildGradeLengths() {
    // The old items go, the new list has no choice until the user picks one.
    setItems("cboGradeLength", gradeLengths(indexOf("cboGrade")));
}

void FreewayForm::refuseLevelF() {
    if (at("cboLOS").listText() != "F") return;
    refuse(kLevelFMessage, "cboLOS");
    choose("cboLOS", 0);
}

FreewayInput FreewayForm::readInput(bool design) const {
    FreewayInput in;
    in.sectionKind = indexOf("cboTermType");
    in.terrain = indexOf("cboLandType");
    in.designSpeed = indexOf("cboDesignSpeed");
    in.laneWidth = indexOf("cboLaneWidth");
    in.sideDistance = indexOf("cboSideWidth");
    in.grade = indexOf("cboGrade");
    in.gradeLength = indexOf("cboGradeLength");
    in.targetLevel = indexOf("cboLOS");

    in.bothSides = isChecked("optTwoSide");
    if (isChecked("optOneSide"))
        in.sideText = "한쪽";
    else if (in.bothSides)
        in.sideText = "양쪽";

    in.designSpeedText = at("cboDesignSpeed").listText();
    in.laneWidthText = at("cboLaneWidth").listText();
    in.sideDistanceText = at("cboSideWidth").listText();
    in.targetLevelText = at("cboLOS").listText();
    // The choices first, then the numbers, each read only where the mode and
    // the section kind use it.
    checkFreewayChoices(in, design);

    in.V = int16Of("txtVolume");
    in.PHF = singleOf("txtPHF");
    if (!design) {
        in.N = int16Of("txtLane");
        in.lanesText = typedNumberOf("txtLane");
    }
    if (in.sectionKind == kSpecificGrade) {
        in.heavyPercent = numberOf("txtTotalPer");
        in.heavyText = typedNumberOf("txtTotalPer");
    } else {
        in.mediumPercent = numberOf("txtLightPer");
        in.largePercent = numberOf("txtHeavyPer");
        // Both are shares of one volume.
        if (in.mediumPercent + in.largePercent > *limits::kShare.max)
            refuseInput(tooLargeMessage("중형차량과 대형차량 구성비율의 합", *limits::kShare.max), "txtHeavyPer");
        in.mediumText = typedNumberOf("txtLightPer");
        in.largeText = typedNumberOf("txtHeavyPer");
    }
    return in;
}

std::string FreewayForm::runOperational() {
    const FreewayInput in = readInput(false);
    const FreewayTables& t = tables();
    const OperationalResult r = analyseOperational(in, t);
    std::string text = operationalReport(in, r);
    lastOperational_ = r;
    return text;
}

std::string FreewayForm::runDesign() {
    const FreewayInput in = readInput(true);
    const FreewayTables& t = tables();
    const DesignResult r = analyseDesign(in, t);
    std::string text = designReport(in, r);
    lastDesign_ = r;
    return text;
}

}  // namespace verosa::analyses::freeway
