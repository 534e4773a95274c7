#include "analyses/pedestrian/PedestrianForm.h"
#include "analyses/pedestrian/PedestrianHeadlines.h"

#include <cmath>
#include <optional>

#include "analyses/pedestrian/PedestrianReport.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"

namespace verosa::analyses::pedestrian {

namespace {

using form::NumberField;

// A number field from `min` up to `max` (both included; none: open); an
// empty field is refused.
NumberField field(double min, std::optional<double> max) {
    return NumberField{Bounds{min, max, true, true}, std::nullopt};
}

// The values each number field allows. Widths, lengths and areas start at a
// tenth (of a metre, of a square metre), cycles at a second: what the reports
// print in their few places. Volumes and counts are 16-bit where the method
// says so (the reader refuses what lies beyond); per-cycle volumes are checked
// by the computation.
const NumberField kWidth = field(0.1, 100);
const NumberField kObstruction = field(0, 100);
const NumberField kVolume = field(0, std::nullopt);
const NumberField kArea = field(0.1, 10000);
const NumberField kCycle = field(1, 300);
const NumberField kGreen = field(0, 300);
const NumberField kWalkSpeed = field(0.1, 5);

// The smallest value other than 0 of a field whose range starts at 0 and
// whose value a report prints in its plain form: 1e-45 would print as a run
// of zeros.
constexpr double kFinest = 0.01;

}  // namespace

PedestrianForm::PedestrianForm(form::FormContext context) : Form(context) {
    setWindowName("frmPedestrian");
    if (modeKey() == form::modekey::kPedestrianOper) setTitle("보행자시설의 운영분석");

    addPage("보행자도로");
    addPage("계   단");
    addPage("대기공간");
    addPage("신호횡단보도");
    addPage("결과화면");

    buildWalkwayPage();
    buildStairwayPage();
    buildWaitAreaPage();
    buildCrosswalkPage();
    declarePedestrianHeadlines();

    beginPage(kResultPage);
    addResultView();

    beginPage(-1);
    addButton("cmdExit", "종 료(&X)", form::ButtonRole::Exit);
}

void PedestrianForm::buildWalkwayPage() {
    beginPage(kWalkwayPage);
    beginFrame("fraRoad", "도로 및 교통조건");
    addNumber("txtTotWidth_Road", "전체도로폭(m)", kWidth);
    addNumber("txtTotViolationWidth_Road", "총 방해폭원(m)", kObstruction);
    addNumber("txtPeakPedVolume_Road", "15분 첨두보행교통량 (인/15분)", kVolume);
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

void PedestrianForm::declarePedestrianHeadlines() {
    declareHeadlines("cmdResultPedRoad", walkwayHeadlineNames(), lastWalkway_, walkwayHeadlines);
    declareHeadlines("cmdResultStairway", stairwayHeadlineNames(), lastStairway_, stairwayHeadlines);
    declareHeadlines("cmdResultWaitArea", waitAreaHeadlineNames(), lastWaitArea_, waitAreaHeadlines);
    declareHeadlines("cmdResultCrossRoad", crosswalkHeadlineNames(), lastCrosswalk_,
                     [](const auto& last) { return crosswalkHeadlines(last.first, last.second); });
}

std::string PedestrianForm::runWalkway() {
    WalkwayInput in;
    in.Wt = singleOf("txtTotWidth_Road");
    in.Wo = static_cast<float>(printedOf("txtTotViolationWidth_Road"));
    in.V15typed = printedOf("txtPeakPedVolume_Road");
    in.V15 = int16Of("txtPeakPedVolume_Road");
    const WalkwayResult r = analyseWalkway(in);
    std::string text = walkwayReport(in, r);
    lastWalkway_ = r;
    return text;
}

void PedestrianForm::buildStairwayPage() {
    beginPage(kStairwayPage);
    beginFrame("fraStairway", "도로 및 교통조건");
    addNumber("txtPossibleWidth_Stairway", "보행가능폭원(m)", kWidth);
    addNumber("txtPeakPedVolume_Stairway", "15분 첨두보행교통량 (인/15분)", kVolume);
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
    addNumber("txtSize_WaitArea", "대기공간의 총면적(㎡)", kArea);
    addNumber("txtPedVolume_WaitArea", "최대 관측 보행자수(인)", kVolume);
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
    addNumber("txtTotCycle", "총 주기(초)", kCycle);
    addNumber("txtTotGreenTime", "보행자 녹색시간(초)", kGreen);
    endFrame();
    beginFrame("fraAreaUse", "보행자 점유공간을 이용한 방법");
    addNumber("txtCrossRoadLength", "횡단보도 길이(m)", kWidth);
    addNumber("txtCrossRoadWidth", "횡단보도 폭(m)", kWidth);
    addNumber("txtCrossRoadInVolume", "횡단보도 진입보행량(인/15-분)", kVolume);
    addNumber("txtCrossRoadOutVolume", "횡단보도 진출보행량 (인/15-분)", kVolume);
    addNumber("txtWalkSpeed", "보행자 속도(m/초)", kWalkSpeed);
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
    // The flow type first (the non-platoon option is read first), then the numbers.
    if (isChecked("optNonPlatoon"))
        in.flow = StairwayFlow::NonPlatoon;
    else if (isChecked("optPlatoon"))
        in.flow = StairwayFlow::Platoon;
    checkStairwayFlow(in);
    in.We = singleOf("txtPossibleWidth_Stairway");
    in.V15 = int16Of("txtPeakPedVolume_Stairway");
    const StairwayResult r = analyseStairway(in);
    std::string text = stairwayReport(in, r);
    lastStairway_ = r;
    return text;
}

std::string PedestrianForm::runWaitArea() {
    WaitAreaInput in;
    in.A = singleOf("txtSize_WaitArea");
    in.P = int16Of("txtPedVolume_WaitArea");
    const WaitAreaResult r = analyseWaitArea(in);
    std::string text = waitAreaReport(in, r);
    lastWaitArea_ = r;
    return text;
}

std::string PedestrianForm::runCrosswalk() {
    CrosswalkInput in;
    if (isChecked("optDelayUse"))
        in.method = CrosswalkMethod::Delay;
    else if (isChecked("optAreaUse"))
        in.method = CrosswalkMethod::Area;
    checkCrosswalkMethod(in);
    in.C = singleOf("txtTotCycle");
    in.G = static_cast<float>(printedOf("txtTotGreenTime"));
    if (in.method == CrosswalkMethod::Area) {
        in.L = singleOf("txtCrossRoadLength");
        in.W = singleOf("txtCrossRoadWidth");
        in.entering = printedOf("txtCrossRoadInVolume");
        in.leaving = printedOf("txtCrossRoadOutVolume");
        in.S = singleOf("txtWalkSpeed");
    }
    const CrosswalkResult r = analyseCrosswalk(in);
    std::string text = crosswalkReport(in, r);
    lastCrosswalk_ = std::pair(in.method, r);
    return text;
}

double PedestrianForm::printedOf(const std::string& name) const {
    const double value = numberOf(name);
    const Bounds& bounds = at(name).number->bounds;
    if (value != 0 && std::fabs(value) < kFinest)
        refuseInput(withParticle(subjectOf(name), Particle::Topic) + " 0이거나 " +
                        boundsSentence(Bounds{kFinest, bounds.max, true, bounds.maxIncluded}),
                    name);
    return value;
}

}  // namespace verosa::analyses::pedestrian
