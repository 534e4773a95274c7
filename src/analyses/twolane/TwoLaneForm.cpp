#include "analyses/twolane/TwoLaneForm.h"
#include "analyses/Limits.h"
#include "analyses/twolane/TwoLaneHeadlines.h"
#include "analyses/twolane/TwoLaneReport.h"

#include <cmath>
#include <optional>
#include <string>

#include "numeric/Num.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"
#include "tables/LookupTable.h"

namespace verosa::analyses::twolane {

namespace {

using form::NumberField;

// A number field from `min` (included unless said otherwise) up to `max`
// (included; none: open); an empty field is refused.
NumberField field(double min, std::optional<double> max, bool minIncluded = true) {
    return NumberField{Bounds{min, max, minIncluded, true}, std::nullopt};
}

// The values each number field allows. The volume is a 16-bit integer (the
// reader refuses what lies beyond); design
// speeds go up to the 120 km/h of the road standards.
const NumberField kVolume = field(0, std::nullopt);
const NumberField kPeakHourFactor{limits::kPeakHourFactor, std::nullopt};
const NumberField kShare = field(0, 100);
const NumberField kDesignSpeed = field(0, 120, false);

// The smallest share other than 0 the report prints (as a number text in a
// one- or two-place field): 1e-30 % would print as a run of zeros.
constexpr double kFinestShare = 0.01;

}  // namespace

TwoLaneForm::TwoLaneForm(form::FormContext context) : TabledForm(context, openTwoLaneTables) {
    setWindowName("frm2Roadway");
    setTitle("2차로 도로의 서비스수준 평가");  // the same for every mode key
    declareControls();
    declareBehaviour();
}

void TwoLaneForm::declareControls() {
    addPage("입력화면");
    addPage("결과화면");

    beginPage(kInputPage);
    beginFrame("fraCondition", "도로 및 교통조건", 2);
    place(addList("cboTermType", "분석구간종류", {"일반지형", "특정경사구간"}), 0, 0);
    place(addNumber("txtBothVolume", "양방향교통류율(vph)", kVolume), 1, 0);
    // Empty (or blank): the peak-hour factor of table 3-2.
    place(addNumber("txtPHF", "첨두시간계수(PHF)", kPeakHourFactor), 2, 0).placeholder = "비우면 표의 값";
    place(addNumber("txtMiddlePer", "중형차량 구성비율(%)", kShare), 3, 0);
    place(addNumber("txtLargePer", "대형차량 구성비율(%)", kShare), 4, 0);
    place(addNumber("txtDesignSpeed", "설계속도(kph)", kDesignSpeed), 5, 0);
    place(addList("cboLaneWidth", "차로폭(m)", {"≥3.5         ", "3.25≤  ＜3.5 ", "3.00≤  ＜3.25", "2.75≤  ＜3.00"}), 6,
          0);
    place(addList("cboSideWidth", "측방여유폭(m)", {"≥1.5       ", "1.0≤  ＜1.5", "0.5≤  ＜1.0"}), 0, 1);
    place(addList("cboGradePercent", "추월 금지구간 백분율(%)",
                  {"0          ", "0＜  ≤20  ", "20＜  ≤40 ", "40＜  ≤60 ", "60＜  ≤80 ", "80＜  ≤100"}),
          1, 1);
    place(addList("cboLandType", "지형", {"평지", "구릉지"}), 2, 1);
    place(addList("cboGrade", "경사도(%)", {"3", "4", "5", "6", "7", "8", "9", "10"}), 3, 1);
    place(addList("cboGradeLength", "경사길이(km)",
                  {"≤ 0.4", "0.4＜  ≤ 0.8", "0.8＜  ≤ 1.2", "1.2＜  ≤ 1.6", "1.6＜  ≤ 2.4", "2.4＜  ≤ 3.2",
                   "3.2＜  ≤ 6.4"}),
          4, 1);
    place(addList("cboDirectionPercentSpecial", "방향별 교통량분포",
                  {"30/70", "40/60", "50/50", "60/40", "70/30", "80/20"}),
          5, 1);
    endFrame();

    beginPage(kResultPage);
    addResultView();

    // The window's button row, below the pages.
    beginPage(-1);
    addButton("cmdEx1", "EX#1", form::ButtonRole::Example);
    addButton("cmdEx2", "EX#2", form::ButtonRole::Example);
    addButton("cmdResult", "분  석(&R)", form::ButtonRole::Analysis);
    addButton("cmdExit", "종 료(&X)", form::ButtonRole::Exit);
}

void TwoLaneForm::declareBehaviour() {
    onChange("cboTermType", [this] { enableSectionFields(); });

    // The examples leave the PHF field alone: empty, it takes PHF from table 3-2.
    onPress("cmdEx1", [this] {
        choose("cboTermType", kGeneralTerrain);
        set("txtBothVolume", "1200");
        set("txtDesignSpeed", "70");
        choose("cboLaneWidth", 1);
        choose("cboSideWidth", 1);
        choose("cboLandType", 0);
        choose("cboGradePercent", 1);
        set("txtMiddlePer", "30");
        set("txtLargePer", "5");
    });
    onPress("cmdEx2", [this] {
        choose("cboTermType", kSpecificGrade);
        set("txtBothVolume", "1366");
        set("txtDesignSpeed", "70");
        choose("cboLaneWidth", 0);
        choose("cboSideWidth", 1);
        choose("cboGrade", 0);
        choose("cboGradeLength", 1);
        choose("cboGradePercent", 3);
        choose("cboDirectionPercentSpecial", 3);
        set("txtMiddlePer", "35");
        set("txtLargePer", "10");
    });

    onAnalysis("cmdResult", kResultPage, [this] { return runAnalysis(); });
    declareHeadlines("cmdResult", twoLaneHeadlineNames(), last_, twoLaneHeadlines);
}

// General terrain uses the terrain list, a specific grade the three grade lists.
void TwoLaneForm::enableSectionFields() {
    const int section = indexOf("cboTermType");
    if (section < 0) return;
    const bool general = section == kGeneralTerrain;
    setEnabled("cboLandType", general);
    setEnabled("cboGrade", !general);
    setEnabled("cboGradeLength", !general);
    setEnabled("cboDirectionPercentSpecial", !general);
}

TwoLaneInput TwoLaneForm::readInput() const {
    TwoLaneInput in;
    // The lists first: the section kind decides which of them are read.
    in.section = indexOf("cboTermType");
    in.laneWidth = indexOf("cboLaneWidth");
    in.laneWidthText = at("cboLaneWidth").listText();
    in.clearance = indexOf("cboSideWidth");
    in.clearanceText = at("cboSideWidth").listText();
    in.noPassing = indexOf("cboGradePercent");
    in.noPassingText = at("cboGradePercent").listText();
    in.terrain = at("cboLandType").listText();
    in.grade = indexOf("cboGrade");
    in.gradeLength = indexOf("cboGradeLength");
    in.split = indexOf("cboDirectionPercentSpecial");
    in.splitText = at("cboDirectionPercentSpecial").listText();
    checkTwoLaneChoices(in);

    in.V = int16Of("txtBothVolume");
    in.volumeText = typedNumberOf("txtBothVolume");
    in.phfFromTable = readWholeNumber(textOf("txtPHF")).kind == WholeNumber::Kind::Empty;
    if (!in.phfFromTable) {
        try {
            in.PHF = singleOf("txtPHF");
        } catch (const Failure& refusal) {
            refuseInput(refusal.error().message + " 표의 값을 쓰려면 칸을 비워 두십시오.", "txtPHF");
        }
    }
    in.mediumPercent = shareOf("txtMiddlePer");
    in.largePercent = shareOf("txtLargePer");
    in.designSpeed = numberOf("txtDesignSpeed");
    in.designSpeedText = typedNumberOf("txtDesignSpeed");
    return in;
}

double TwoLaneForm::shareOf(const std::string& name) const {
    const double share = numberOf(name);
    if (share != 0 && std::fabs(share) < kFinestShare)
        refuseInput(withParticle(subjectOf(name), Particle::Topic) + " 0이거나 " +
                        boundsSentence(Bounds{kFinestShare, kShare.bounds.max, true, true}),
                    name);
    return share;
}

std::string TwoLaneForm::runAnalysis() {
    const TwoLaneTables& t = tables();
    const TwoLaneInput in = readInput();
    const TwoLaneResult r = analyseTwoLane(in, t);
    std::string text = twoLaneReport(in, r);
    last_ = r;
    return text;
}

}  // namespace verosa::analyses::twolane
