#include "analyses/pedestrian/PedestrianForm.h"

#include "analyses/pedestrian/Walkway.h"
#include "numeric/Num.h"

namespace verosa::analyses::pedestrian {

namespace {
const char* const kNotBuiltYet = "이 분석은 아직 제공되지 않습니다.";
}

PedestrianForm::PedestrianForm(form::FormContext context) : Form(context) {
    setWindowName("frmPedestrian");
    if (modeKey() == "pedestrianoper") setTitle("보행자시설의 운영분석");
    setEnterMovesFocus(true);

    addPage("보행자도로");
    addPage("계   단");
    addPage("대기공간");
    addPage("신호횡단보도");
    addPage("결과화면");
    for (int page : {kStairwayPage, kWaitingAreaPage, kCrosswalkPage}) setPageEnabled(page, false, kNotBuiltYet);

    buildWalkwayPage();

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
    onAnalysis("cmdResultPedRoad", [this] { return runWalkway(); }, kResultPage);
}

std::string PedestrianForm::runWalkway() {
    WalkwayInput in;
    in.Wt = readSingle(textOf("txtTotWidth_Road"), "전체도로폭");
    in.Wo = readSingle(textOf("txtTotViolationWidth_Road"), "총 방해폭원");
    in.V15typed = num(textOf("txtPeakPedVolume_Road"));
    in.V15 = Int16::readRounded(in.V15typed, "15분 첨두보행교통량");
    const WalkwayResult r = analyseWalkway(in);
    return walkwayReport(in, r);
}

std::unique_ptr<form::Form> makePedestrianForm(form::FormContext context) {
    return std::make_unique<PedestrianForm>(context);
}

}  // namespace verosa::analyses::pedestrian
