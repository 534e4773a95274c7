#include "analyses/ramp/RampForm.h"
#include "analyses/ramp/RampHeadlines.h"

#include "analyses/ramp/RampReport.h"
#include "numeric/Result.h"

namespace verosa::analyses::ramp {

namespace {

const char* const kOtherFrame = "fraOtherConnector";

}  // namespace

RampForm::RampForm(form::FormContext context) : AnalysisForm(context) {
    setWindowName("frmConnector");
    setTitle("연결로 접속부의 운영분석");

    addPage("입력화면");
    addPage("결과화면");
    buildInputPage();

    beginPage(kResultPage);
    addResultView();

    // The window's button row, below the tabs.
    beginPage(-1);
    for (int i = 1; i <= 4; ++i) {
        const std::string n = std::to_string(i);
        place(addButton("cmdEx" + n, "Ex#" + n, form::ButtonRole::Example), 0, i - 1);
    }
    place(addButton("cmdResult", "분석", form::ButtonRole::Analysis), 0, 4);
    place(addButton("cmdExit", "종료", form::ButtonRole::Exit), 0, 5);

    declareExamples();

    // The adjacent-ramp group shows only while "연속" is selected.
    onChange("optAlone", [this] {
        if (isChecked("optAlone")) setVisible(kOtherFrame, false);
    });
    onChange("optBoth", [this] {
        if (isChecked("optBoth")) setVisible(kOtherFrame, true);
    });
    onAnalysis("cmdResult", kResultPage, [this] {
        const RampInput in = input();
        const RampResult r = analyseRamp(in);
        std::string text = rampReport(in, r);
        last_ = r;
        return text;
    });
    declareHeadlines("cmdResult", rampHeadlineNames(), last_, rampHeadlines);
}

void RampForm::buildInputPage() {
    beginPage(kInputPage);
    place(addList("cboConnectorType", "접속형태", connectorTypeItems()), 0, 0);
    place(addList("cboLandType", "지형", landTypeItems()), 0, 1);

    place(beginFrameControl("fraMain", "본선구간", 2), 1, 0, 1, 2);
    // The main line's, the ramp's and the adjacent ramp's fields share their
    // captions; messages name them by their group.
    place(addNumber("txtMainVolume", "교통량(vph)", {limits::kVolume, {}}, 8, "본선구간 교통량"), 0, 0);
    place(addNumber("txtMainSpeed", "자유속도(kph)", {limits::kMainSpeed, {}}, 8, "본선구간 자유속도"), 0, 1);
    place(addNumber("txtMainHeavyPer", "중차량비율(%)", {limits::kShare, {}}, 8, "본선구간 중차량비율"), 1, 0);
    place(addList("cboMainLaneNO", "차로수", mainLaneItems()), 1, 1);
    endFrame();

    place(beginFrameControl("fraConnector", "연결로", 3), 2, 0, 1, 2);
    place(addLabel("lblConnectorForm", "연결로형태"), 0, 0);
    form::Control& alone = place(addOption("optAlone", "독립", "connectorForm"), 0, 1);
    alone.checked = true;
    place(addOption("optBoth", "연속", "connectorForm"), 0, 2);
    place(addList("cboConnectorLaneNO", "차로수", connectorLaneItems()), 1, 0);
    place(addNumber("txtConnectorSpeed", "자유속도(kph)", {limits::kRampSpeed, {}}, 8, "연결로 자유속도"), 1, 1);
    place(addNumber("txtConnectorVolume", "교통량(vph)", {limits::kVolume, {}}, 8, "연결로 교통량"), 2, 0);
    place(addNumber("txtConnectorHeavyPer", "중차량비율(%)", {limits::kShare, {}}, 8, "연결로 중차량비율"), 2, 1);
    endFrame();

    place(addNumber("txtPHF", "첨두시간계수(PHF)", {limits::kPHF, {}}), 3, 0);
    place(addNumber("txtLaneLength", "감,가속차로길이(m)", {limits::kLaneLength, {}}), 3, 1);
    place(addList("cboLaneWidth", "차로폭(m)", laneWidthItems()), 4, 0).width = 14;
    place(addList("cboSideWidth", "측방여유폭(m)", sideWidthItems()), 4, 1).width = 13;
    form::Control& note =
        place(addLabel("lblSideWidthNote",
                       "양쪽에 장애물이 있을 경우, 장애물까지의 거리는 양 장애물 거리의 평균값으로 한다. "),
              5, 0, 1, 2);
    note.lines = 2;

    form::Control& other = place(beginFrameControl(kOtherFrame, "인접연결로", 3), 6, 0, 1, 2);
    other.visible = false;  // "독립" is selected at first
    place(addNumber("txtOtherConnectorLength", "인접연결로거리(m)", {limits::kDistance, {}}), 0, 0);
    place(addNumber("txtOtherConnectorVolume", "교통량(vph)", {limits::kVolume, {}}, 8, "인접연결로 교통량"), 0, 1);
    place(addNumber("txtOtherConnectorHeavyPer", "중차량구성비(%)", {limits::kShare, {}}, 8, "인접연결로 중차량구성비"),
          0, 2);
    endFrame();
}

form::Control& RampForm::beginFrameControl(const std::string& name, std::string caption, int columns) {
    beginFrame(name, std::move(caption), columns);
    return control(name);
}

void RampForm::example(int type, int mainLanes, const char* mainVolume, const char* mainSpeed, const char* mainHeavy,
                       const char* rampVolume, const char* rampSpeed, const char* rampHeavy, bool adjacent,
                       const char* laneLength) {
    choose("cboConnectorType", type);
    choose("cboLandType", 0);
    choose("cboMainLaneNO", mainLanes);
    set("txtMainVolume", mainVolume);
    set("txtMainSpeed", mainSpeed);
    set("txtMainHeavyPer", mainHeavy);
    choose("cboConnectorLaneNO", 0);
    set("txtConnectorVolume", rampVolume);
    set("txtConnectorSpeed", rampSpeed);
    set("txtConnectorHeavyPer", rampHeavy);
    tick(adjacent ? "optBoth" : "optAlone");
    set("txtLaneLength", laneLength);
    choose("cboLaneWidth", 0);
    choose("cboSideWidth", 0);
    set("txtPHF", "0.90");
}

void RampForm::declareExamples() {
    onPress("cmdEx1", [this] { example(0, 0, "2500", "100", "10", "550", "70", "5", false, "225"); });
    onPress("cmdEx2", [this] {
        example(0, 1, "4500", "100", "10", "850", "70", "5", true, "355");
        set("txtOtherConnectorVolume", "580");
        set("txtOtherConnectorLength", "300");
        set("txtOtherConnectorHeavyPer", "4");
    });
    onPress("cmdEx3", [this] { example(1, 1, "4500", "100", "12", "800", "60", "6", false, "190"); });
    onPress("cmdEx4", [this] {
        example(1, 1, "4600", "100", "12", "900", "60", "6", true, "220");
        set("txtOtherConnectorVolume", "1250");
        set("txtOtherConnectorLength", "360");
        set("txtOtherConnectorHeavyPer", "3");
    });
}

RampInput RampForm::input() const {
    RampInput in;
    RampTexts& t = in.texts;
    in.connectorType = indexOf("cboConnectorType");
    in.landType = indexOf("cboLandType");
    in.mainLaneNO = indexOf("cboMainLaneNO");
    in.adjacentRamp = isChecked("optBoth");
    in.connectorLaneNO = indexOf("cboConnectorLaneNO");
    in.laneWidth = indexOf("cboLaneWidth");
    in.sideWidth = indexOf("cboSideWidth");
    checkChoices(in);

    in.mainVolume = int16Of("txtMainVolume");
    t.mainVolume = typedNumberOf("txtMainVolume");
    in.mainSpeed = singleOf("txtMainSpeed");
    t.mainSpeed = typedNumberOf("txtMainSpeed");
    in.mainHeavyPercent = singleOf("txtMainHeavyPer");
    t.mainHeavyPercent = typedNumberOf("txtMainHeavyPer");
    in.connectorSpeed = singleOf("txtConnectorSpeed");
    t.connectorSpeed = typedNumberOf("txtConnectorSpeed");
    in.connectorVolume = int16Of("txtConnectorVolume");
    t.connectorVolume = typedNumberOf("txtConnectorVolume");
    in.connectorHeavyPercent = singleOf("txtConnectorHeavyPer");
    t.connectorHeavyPercent = typedNumberOf("txtConnectorHeavyPer");
    in.PHF = singleOf("txtPHF");
    t.PHF = typedNumberOf("txtPHF");
    in.laneLength = int16Of("txtLaneLength");
    t.laneLength = typedNumberOf("txtLaneLength");
    // The adjacent ramp's group is read while it is shown (the report shows
    // it then, whether or not the lane share uses it).
    if (in.adjacentRamp) {
        in.otherLength = numberOf("txtOtherConnectorLength");
        t.otherLength = typedNumberOf("txtOtherConnectorLength");
        in.otherVolume = numberOf("txtOtherConnectorVolume");
        t.otherVolume = typedNumberOf("txtOtherConnectorVolume");
        in.otherHeavyPercent = singleOf("txtOtherConnectorHeavyPer");
        t.otherHeavyPercent = typedNumberOf("txtOtherConnectorHeavyPer");
    }
    return in;
}

}  // namespace verosa::analyses::ramp
