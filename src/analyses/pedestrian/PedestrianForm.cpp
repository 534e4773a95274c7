#include "analyses/pedestrian/PedestrianForm.h"

#include "analyses/pedestrian/PedestrianReport.h"
#include "numeric/Num.h"

namespace verosa::analyses::pedestrian {

PedestrianForm::PedestrianForm(form::FormContext context) : Form(context) {
    setWindowName("frmPedestrian");
    if (modeKey() == form::modekey::kPedestrianOper) setTitle("보행자시설의 운영분석");
    setEnterMovesFocus(true);

    addPage("보행자도로");
    addPage("계   단");
    addPage("대기공간");
    addPage("신호횡단보도");
    addPage("결과화면");

    buildWalkwayPage();
    buildStairwayPage();
    buildWaitAreaPage();
    buildCrosswalkPage();

    beginPage(kResultPage);
    addResultView();

    beginPage(-1);
    addButton("cmdExit", "종 료(&X)", form::ButtonRole::Exit);
}

void PedestrianForm::buildWalkwayPage() {
    beginPage(kWalkwayPage);
    beginFrame("fraRoad", "도로 및 교통조건");
    addText("txtTotWidth_Road", "전체도로폭(m)");
    addText("txtTotViolationWidth_Road", "총 방해폭원(m)");
    addText("txtPeakPedVolume_Road", "15분 첨두보행교통량 (인/15분)");
    endFrame();
    addButton("cmdEx1", "Ex#1", form::ButtonRole::Example);
    addButton("cmdResultPedRoad", "분  석(&R)", form::ButtonRole::Analysis);

    onPress("cmdEx1", [this] {
        set("txtTotWidth_Road", "4.3");
        set("txtTotViolationWidth_Road", "1.4");
        set("txtPeakPedVolume_Road", "1827");
    });
    onAnalysis("cmdResultPedRoad", kResultPage, [this] { return runWalkway(); });
}

std::string PedestrianForm::runWalkway() {
    WalkwayInput in;
    in.Wt = readSingle(textOf("txtTotWidth_Road"), "전체도로폭");
    in.Wo = readSingle(textOf("txtTotViolationWidth_Road"), "총 방해폭원");
    in.V15typed = num(textOf("txtPeakPedVolume_Road"));
    in.V15 = Int16::readRounded(in.V15typed, "15분 첨두보행교통량", "txtPeakPedVolume_Road");
    const WalkwayResult r = analyseWalkway(in);
    return walkwayReport(in, r);
}

void PedestrianForm::buildStairwayPage() {
    beginPage(kStairwayPage);
    beginFrame("fraStairway", "도로 및 교통조건");
    addText("txtPossibleWidth_Stairway", "보행가능폭원(m)");
    addText("txtPeakPedVolume_Stairway", "15분 첨두보행교통량 (인/15분)");
    endFrame();
    beginFrame("fraPlatoon", "보행군형태");
    addOption("optPlatoon", "보행군일 경우", "platoon");
    addOption("optNonPlatoon", "비보행군일 경우", "platoon");
    endFrame();
    addButton("cmdEx31", "Ex#3-1", form::ButtonRole::Example);
    addButton("cmdEx32", "Ex#3-2", form::ButtonRole::Example);
    addButton("cmdResultStairway", "분  석(&R)", form::ButtonRole::Analysis);

    onPress("cmdEx31", [this] {
        tick("optNonPlatoon");
        set("txtPossibleWidth_Stairway", "3");
        set("txtPeakPedVolume_Stairway", "1011");
    });
    onPress("cmdEx32", [this] {
        tick("optPlatoon");
        set("txtPossibleWidth_Stairway", "2.25");
        set("txtPeakPedVolume_Stairway", "1630");
    });
    onAnalysis("cmdResultStairway", kResultPage, [this] { return runStairway(); });
}

void PedestrianForm::buildWaitAreaPage() {
    beginPage(kWaitingAreaPage);
    beginFrame("fraWaitArea", "도로 및 교통조건");
    addText("txtSize_WaitArea", "대기공간의 총면적(㎡)");
    addText("txtPedVolume_WaitArea", "최대 관측 보행자수(인)");
    endFrame();
    addButton("cmdEx4", "Ex#4", form::ButtonRole::Example);
    addButton("cmdResultWaitArea", "분  석(&R)", form::ButtonRole::Analysis);

    onPress("cmdEx4", [this] {
        set("txtSize_WaitArea", "8");
        set("txtPedVolume_WaitArea", "40");
    });
    onAnalysis("cmdResultWaitArea", kResultPage, [this] { return runWaitArea(); });
}

void PedestrianForm::buildCrosswalkPage() {
    beginPage(kCrosswalkPage);
    beginFrame("fraMethod", "분석방법");
    addOption("optDelayUse", "보행자 지체를 이용", "method");
    addOption("optAreaUse", "보행자 공간을 이용", "method");
    endFrame();
    beginFrame("fraDelayUse", "보행자 지체를 이용한 방법");
    addText("txtTotCycle", "총 주기(초)");
    addText("txtTotGreenTime", "보행자 녹색시간(초)");
    endFrame();
    beginFrame("fraAreaUse", "보행자 점유공간을 이용한 방법");
    addText("txtCrossRoadLength", "횡단보도 길이(m)");
    addText("txtCrossRoadWidth", "횡단보도 폭(m)");
    addText("txtCrossRoadInVolume", "횡단보도 진입보행량(인/15-분)");
    addText("txtCrossRoadOutVolume", "횡단보도 진출보행량 (인/15-분)");
    addText("txtWalkSpeed", "보행자 속도(m/초)");
    endFrame();
    setVisible("fraAreaUse", false);
    addButton("cmdEx21", "Ex#2-1", form::ButtonRole::Example);
    addButton("cmdEx22", "Ex#2-2", form::ButtonRole::Example);
    addButton("cmdResultCrossRoad", "분  석(&R)", form::ButtonRole::Analysis);

    // The method only changes which inputs show; C and G serve both.
    onChange("optAreaUse", [this] {
        if (isChecked("optAreaUse")) setVisible("fraAreaUse", true);
    });
    onChange("optDelayUse", [this] {
        if (isChecked("optDelayUse")) setVisible("fraAreaUse", false);
    });
    onPress("cmdEx21", [this] {
        tick("optDelayUse");
        set("txtTotCycle", "120");
        set("txtTotGreenTime", "25");
    });
    onPress("cmdEx22", [this] {
        tick("optAreaUse");
        set("txtTotCycle", "120");
        set("txtTotGreenTime", "25");
        set("txtCrossRoadLength", "14.0");
        set("txtCrossRoadWidth", "5.0");
        set("txtCrossRoadInVolume", "450");
        set("txtCrossRoadOutVolume", "240");
        set("txtWalkSpeed", "1.2");
    });
    onAnalysis("cmdResultCrossRoad", kResultPage, [this] { return runCrosswalk(); });
}

std::string PedestrianForm::runStairway() {
    StairwayInput in;
    in.We = readSingle(textOf("txtPossibleWidth_Stairway"), "보행가능폭원");
    in.V15 = Int16::readRounded(num(textOf("txtPeakPedVolume_Stairway")), "15분 첨두보행교통량");
    // The non-platoon option is read first.
    if (isChecked("optNonPlatoon"))
        in.flow = StairwayFlow::NonPlatoon;
    else if (isChecked("optPlatoon"))
        in.flow = StairwayFlow::Platoon;
    const StairwayResult r = analyseStairway(in);
    return stairwayReport(in, r);
}

std::string PedestrianForm::runWaitArea() {
    WaitAreaInput in;
    in.A = readSingle(textOf("txtSize_WaitArea"), "대기공간의 총면적");
    in.P = Int16::readRounded(num(textOf("txtPedVolume_WaitArea")), "최대 관측 보행자수");
    const WaitAreaResult r = analyseWaitArea(in);
    return waitAreaReport(in, r);
}

std::string PedestrianForm::runCrosswalk() {
    CrosswalkInput in;
    if (isChecked("optDelayUse"))
        in.method = CrosswalkMethod::Delay;
    else if (isChecked("optAreaUse"))
        in.method = CrosswalkMethod::Area;
    in.C = readSingle(textOf("txtTotCycle"), "총 주기");
    in.G = readSingle(textOf("txtTotGreenTime"), "보행자 녹색시간");
    if (in.method == CrosswalkMethod::Area) {
        in.L = readSingle(textOf("txtCrossRoadLength"), "횡단보도 길이");
        in.W = readSingle(textOf("txtCrossRoadWidth"), "횡단보도 폭");
        in.entering = readDouble(textOf("txtCrossRoadInVolume"), "횡단보도 진입보행량");
        in.leaving = readDouble(textOf("txtCrossRoadOutVolume"), "횡단보도 진출보행량");
        in.S = readSingle(textOf("txtWalkSpeed"), "보행자 속도");
    }
    const CrosswalkResult r = analyseCrosswalk(in);
    return crosswalkReport(in, r);
}

}  // namespace verosa::analyses::pedestrian
