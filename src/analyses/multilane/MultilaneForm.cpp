#include "analyses/multilane/MultilaneForm.h"
#include "analyses/multilane/MultilaneHeadlines.h"
#include "analyses/multilane/MultilaneReport.h"

#include <string>

#include "numeric/Result.h"
#include "tables/LookupTable.h"

namespace verosa::analyses::multilane {

namespace {

const char* const kSideWidthHint = "양쪽에 장애물이 있을 경우, 장애물까지의 거리는 양 장애물 거리의 평균값으로 한다. ";

}  // namespace

MultilaneForm::MultilaneForm(form::FormContext context) : TabledForm(context, openMultilaneTables) {
    setWindowName("frmManyWay");
    if (modeKey() == form::modekey::kManywayOper) setTitle("다차로도로의 운영분석");
    declareControls();
    declareBehaviour();
}

void MultilaneForm::declareControls() {
    addPage("입력화면");
    addPage("결과화면");

    beginPage(kInputPage);
    beginFrame("fraCondition", "도로 및 교통조건", 2);
    place(addList("cboTermType", "유형구분", {"유형 Ⅰ ", "유형 Ⅱ ", "유형 Ⅲ "}), 0, 0);
    place(addNumber("txtIntersection", "신호 밀도(개/km)", {limits::kDensity, {}}), 1, 0);
    place(addNumber("txtTotalPer", "중차량구성비(%)", {limits::kShare, {}}), 2, 0);

    beginFrame("fraSurvey", "현장속도조사 가능여부");
    addOption("optYes", "가능", "survey");
    addOption("optNo", "불가능", "survey").checked = true;
    endFrame();
    place(control("fraSurvey"), 0, 1, 3, 1);

    beginFrame("fraYes", "가능");
    addNumber("txtSp1", "승용차최대평균통행속도(kph)", {limits::kSpeed, {}});
    addNumber("txtSp2", "조사평균통행속도(승용차,kph)", {limits::kSpeed, {}});
    addNumber("txtSt2", "조사평균통행속도(중차량,kph)", {limits::kSpeed, {}});
    endFrame();
    place(control("fraYes"), 3, 0, 1, 2).visible = false;

    beginFrame("fraNo", "불가능", 2);
    place(addNumber("txtVolume", "교통량(vph)", {limits::kVolume, {}}), 0, 0);
    place(addList("cboLaneWidth", "차로폭(m)", {"3.5m  이상", "3.25m 이상", "3.00m 이상"}), 1, 0);
    form::Control& side =
        place(addList("cboSideWidth", "측방여유폭(m)", {"1.5m 이상", "1.0m 이상", "0.5m 이상", "0.0m 이상"}), 2, 0);
    side.toolTip = kSideWidthHint;
    place(addNumber("txtPHF", "첨두시간계수(PHF)", {limits::kPHF, {}}), 3, 0);
    place(addNumber("txtHorizontal", "평면굴곡도(˚/km)", {limits::kCurvature, {}}), 0, 1);
    place(addNumber("txtVertical", "종단경사도(m/km)", {limits::kVertical, {}}), 1, 1);
    place(addNumber("txtInOutPoint", "유출입지점수(개)", {limits::kAccessPoints, {}}), 2, 1);
    place(addNumber("txtGbyC", "g/C 비", {limits::kGreenRatio, {}}), 3, 1);
    endFrame();
    place(control("fraNo"), 4, 0, 1, 2);
    endFrame();

    beginPage(kResultPage);
    addResultView();

    // The window's button row, below the pages.
    beginPage(-1);
    addButton("cmdEx1", "Ex#1", form::ButtonRole::Example);
    addButton("cmdEx2_A", "Ex#2-A", form::ButtonRole::Example);
    addButton("cmdEx2_B", "Ex#2-B", form::ButtonRole::Example);
    addButton("cmdResult", "분  석(&R)", form::ButtonRole::Analysis);
    addButton("cmdExit", "종 료(&X)", form::ButtonRole::Exit);
}

void MultilaneForm::declareBehaviour() {
    onChange("optYes", [this] { showSurveyFrames(); });
    onChange("optNo", [this] { showSurveyFrames(); });

    onPress("cmdEx1", [this] {
        tick("optYes");
        choose("cboTermType", kTypeII);
        set("txtTotalPer", "20");
        set("txtIntersection", "0.5");
        set("txtSp1", "85");
        set("txtSp2", "61");
        set("txtSt2", "57");
    });
    auto conditionsExample = [this](int roadType, const char* density, const char* volume, const char* curvature,
                                    const char* grade, const char* access) {
        tick("optNo");
        choose("cboTermType", roadType);
        set("txtTotalPer", "35");
        set("txtIntersection", density);
        set("txtVolume", volume);
        choose("cboLaneWidth", 0);
        choose("cboSideWidth", 1);
        set("txtPHF", "0.93");
        set("txtHorizontal", curvature);
        set("txtVertical", grade);
        set("txtInOutPoint", access);
        set("txtGbyC", "0.75");
    };
    onPress("cmdEx2_A", [conditionsExample] { conditionsExample(kTypeI, "0.13", "900", "16", "4", "1.5"); });
    onPress("cmdEx2_B", [conditionsExample] { conditionsExample(kTypeII, "0.60", "1325", "9", "3", "3.5"); });

    onAnalysis("cmdResult", kResultPage, [this] { return runAnalysis(); });
    declareHeadlines("cmdResult", multilaneHeadlineNames(), last_,
                     [](const auto& last) { return multilaneHeadlines(last.in, last.r); });
}

// Only the frame of the chosen option shows; clearing a button changes nothing.
void MultilaneForm::showSurveyFrames() {
    if (isChecked("optYes")) {
        setVisible("fraYes", true);
        setVisible("fraNo", false);
    } else if (isChecked("optNo")) {
        setVisible("fraYes", false);
        setVisible("fraNo", true);
    }
}

MultilaneInput MultilaneForm::readInput() const {
    MultilaneInput in;
    in.roadType = indexOf("cboTermType");
    in.roadTypeText = at("cboTermType").listText();
    if (!isChecked("optYes") && !isChecked("optNo"))
        refuseInput("현장속도조사 가능여부(가능 또는 불가능)를 선택하십시오.", "optNo");
    in.measured = isChecked("optYes");
    in.laneWidth = indexOf("cboLaneWidth");
    in.laneWidthText = at("cboLaneWidth").listText();
    in.clearance = indexOf("cboSideWidth");
    in.clearanceText = at("cboSideWidth").listText();
    // The lists first, then the numbers of the way of working chosen.
    checkChoices(in);

    in.D = numberOf("txtIntersection");
    in.heavyPercent = numberOf("txtTotalPer");
    in.heavyPercentText = typedNumberOf("txtTotalPer");
    if (in.measured) {
        in.measuredSp1 = int16Of("txtSp1");
        in.measuredSp2 = singleOf("txtSp2");
        in.measuredSt2 = singleOf("txtSt2");
        return in;
    }
    // The method's own check of g/C comes before the other road conditions.
    in.gC = numberOf("txtGbyC");
    checkGreenRatio(in.gC);
    in.gCText = typedNumberOf("txtGbyC");
    in.volume = numberOf("txtVolume");
    in.V = int16Of("txtVolume");
    in.PHF = singleOf("txtPHF");
    in.H = numberOf("txtHorizontal");
    in.G = numberOf("txtVertical");
    in.A = numberOf("txtInOutPoint");
    return in;
}

std::string MultilaneForm::runAnalysis() {
    const MultilaneTables& t = tables();
    const MultilaneInput in = readInput();
    const MultilaneResult r = analyseMultilane(in, t);
    std::string text = multilaneReport(in, r);
    last_ = Completed{in, r};
    return text;
}

}  // namespace verosa::analyses::multilane
