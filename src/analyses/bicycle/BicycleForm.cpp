#include "analyses/bicycle/BicycleForm.h"
#include "analyses/Limits.h"
#include "analyses/bicycle/BicycleHeadlines.h"

#include <optional>
#include <vector>

#include "analyses/bicycle/Bicycle.h"
#include "analyses/bicycle/BicycleReport.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"

namespace verosa::analyses::bicycle {

namespace {

using form::NumberField;

// A number field from `min` (included unless said otherwise) up to `max`
// (included; none: open); an empty field is refused.
NumberField field(double min, std::optional<double> max, bool minIncluded = true) {
    return NumberField{Bounds{min, max, minIncluded, true}, std::nullopt};
}

// The values each number field allows. Volumes have no bound of their own:
// their flow rates are 16-bit and the computation refuses what lies beyond.
// Link lengths are used as kilometres.
const NumberField kPeakHourFactor{limits::kPeakHourFactor, std::nullopt};
const NumberField kVolume = field(0, std::nullopt);
const NumberField kBikeSpeed = field(0, 100, false);
const NumberField kSpeedDeviation = field(0, 100);
const NumberField kShare = field(0, 100);
const NumberField kWalkSpeed = field(0, 20, false);
const NumberField kPathWidth = field(0, 20, false);
const NumberField kCycle = field(1, 300);
const NumberField kGreenRatio = field(0, 1, false);
const NumberField kLinkLength = field(0, 10);

const char* const kContiTitle = "연속류 자전거 도로의 서비스 수준 분석";
const char* const kDisconTitle = "단속류 자전거 도로의 서비스 수준 분석";

// "txtCycle[3]": element i of a control array.
using form::element;
std::string digit(int i) { return std::to_string(i); }

// The intersection drawing, in its own units: a street across eight places.
constexpr double kDrawingWidth = 400;
constexpr double kDrawingHeight = 80;
constexpr double kStreetY = 44;
double placeX(int i) { return 40 + (i - 1) * 45; }  // centre of place i (1..8)

}  // namespace

BicycleForm::BicycleForm(form::FormContext context) : AnalysisForm(context) {
    setWindowName("frmBike");
    addPage("입력화면");
    addPage("결과화면");

    beginPage(kInputPage);
    beginFrame("fraFlowType", "자전거도로 분석 유형", 2);
    place(addOption("optConti", "연속류", "flow"), 0, 0);
    place(addOption("optDiscon", "단속류", "flow"), 0, 1);
    endFrame();
    buildPathFrame();
    buildStreetFrame();

    beginPage(kResultPage);
    addResultView();

    beginPage(-1);
    buildExamples();
    addButton("cmdResult", "분석", form::ButtonRole::Analysis);
    addButton("cmdExit", "종료", form::ButtonRole::Exit);

    // Uninterrupted flow is chosen at first.
    tick("optConti");
    showFlowType();
    showIntersections();

    onChange("optConti", [this] { showFlowType(); });
    onChange("optDiscon", [this] { showFlowType(); });
    onChange("cboBikeType", [this] { enablePathFields(); });
    onChange("cboIntersectionNo", [this] { showIntersections(); });
    onAnalysis("cmdResult", kResultPage, [this] { return runAnalysis(); });
    declareHeadlines("cmdResult", bicycleHeadlineNames(), [this] { return lastHeadlines_; });
}

void BicycleForm::buildPathFrame() {
    beginFrame("fraBikeConti", kContiTitle);
    addList("cboBikeType", "자전거도로의 유형",
            {"자전거전용도로(일방통행)", "자전거전용도로(양방통행)", "자전거, 보행자 겸용도로", "노상 자전거도로"});
    addList("cboWidth", "자전거도로폭(m)", {"2m", "3m"});
    addNumber("txtContiPHF", "첨두시간계수(PHF)", kPeakHourFactor);
    addNumber("txtBikeContiVolume", "자전거교통량(대/시)", kVolume);
    addNumber("txtBikeSpeedAvg", "자전거속도(평균,kph)", kBikeSpeed);
    addNumber("txtBikeSpeedStdErr", "자전거속도(표준편차,kph)", kSpeedDeviation);
    addNumber("txtBikeDirectionRatio", "중방향자전거교통량비율(%)", kShare);
    addNumber("txtPedVolume", "보행자교통량(인/시)", kVolume);
    addNumber("txtPedSpeedAvg", "보행자속도(평균,kph)", kWalkSpeed);
    addNumber("txtPedDirectionRatio", "중방향보행자교통량비율(%)", kShare);
    endFrame();
    // The direction and pedestrian fields wait for a path type that uses them.
    for (const char* name : {"txtBikeDirectionRatio", "txtPedVolume", "txtPedSpeedAvg", "txtPedDirectionRatio"})
        setEnabled(name, false);
}

void BicycleForm::buildStreetFrame() {
    beginFrame("fraBikeDiscon", kDisconTitle, 4);
    place(addNumber("txtDisconPHF", "첨두시간계수(PHF)", kPeakHourFactor), 0, 0);
    place(addNumber("txtBikeDisconVolume", "자전거교통량(대/시)", kVolume), 1, 0);
    place(addNumber("txtWidth", "자전거도로폭(m)", kPathWidth), 2, 0);
    place(addNumber("txtBikeSpeed", "자전거순행속도(kph)", kBikeSpeed), 3, 0);
    std::vector<std::string> counts;
    for (int n = 1; n <= kMaxIntersections; ++n) counts.push_back(digit(n) + "개");
    place(addList("cboIntersectionNo", "교차로개수", counts), 4, 0);

    // The drawing: the street, a cross street and a box at each place "#1" ... "#8",
    // and the link names between them.
    form::Control& picture = place(addDrawing("picIntersection", kDrawingWidth, kDrawingHeight), 0, 1, 5, 3);
    auto& shapes = picture.drawing.shapes;
    shapes.push_back(form::lineShape(4, kStreetY, kDrawingWidth - 4, kStreetY, {}, "street"));
    for (int i = 1; i <= kMaxIntersections; ++i) {
        const double x = placeX(i);
        shapes.push_back(form::lineShape(x, 16, x, 72, {}, "cross" + digit(i)));
        form::Shape place = form::rectShape(x - 13, kStreetY - 12, x + 13, kStreetY + 12, {}, {}, "place" + digit(i));
        place.framed = false;
        place.dimmed = true;
        shapes.push_back(place);
        shapes.push_back(form::textShape(x - 9, 0, "#" + digit(i), {}, "label" + digit(i)));
    }
    for (int j = 0; j <= kMaxIntersections; ++j) {
        const double x = j == 0 ? 8 : placeX(j) + 16;
        shapes.push_back(form::textShape(x, kStreetY + 8, "L" + digit(j), {}, "link" + digit(j)));
    }

    // One row per place: its cycle, its g/C and the link after it; link 0 above.
    // Messages name the place or the link of the drawing ("교차로 #2 g/C").
    beginFrame("fraIntersections", "교차로별 신호 및 링크", 4);
    place(control("fraIntersections"), 5, 0, 1, 4);
    auto addLink = [this](int j) -> form::Control& {
        return addNumber(element("txtLinkLength", j), "링크길이(km)", kLinkLength, 6, "링크 L" + digit(j) + " 길이");
    };
    place(addLink(0), 0, 3);
    for (int i = 1; i <= kMaxIntersections; ++i) {
        const std::string intersection = "교차로 #" + digit(i);
        place(addLabel(element("lblPlace", i), "#" + digit(i)), i, 0);
        place(addNumber(element("txtCycle", i), "주기(초)", kCycle, 6, intersection + " 주기(초)"), i, 1);
        place(addNumber(element("txtGbyC", i), "g/C", kGreenRatio, 6, intersection + " g/C"), i, 2);
        place(addLink(i), i, 3);
    }
    endFrame();
    endFrame();
}

void BicycleForm::buildExamples() {
    const char* const captions[] = {"Ex#1", "Ex#2", "Ex#3", "Ex#4", "Ex#5", "Ex#6"};
    for (int k = 1; k <= 6; ++k) addButton("cmdEx" + digit(k), captions[k - 1], form::ButtonRole::Example);

    // The examples fill inputs only; they do not choose the flow type.
    onPress("cmdEx1", [this] {
        choose("cboBikeType", 0);
        choose("cboWidth", 0);
        set("txtBikeSpeedStdErr", "3");
        set("txtBikeSpeedAvg", "12");
        set("txtContiPHF", "0.6");
        set("txtBikeContiVolume", "90");
    });
    onPress("cmdEx2", [this] {
        choose("cboBikeType", 1);
        choose("cboWidth", 1);
        set("txtBikeSpeedStdErr", "2.5");
        set("txtBikeSpeedAvg", "12.5");
        set("txtContiPHF", "0.9");
        set("txtBikeContiVolume", "500");
        set("txtBikeDirectionRatio", "70");
    });
    onPress("cmdEx3", [this] {
        choose("cboBikeType", 2);
        choose("cboWidth", 1);
        set("txtBikeSpeedStdErr", "3.0");
        set("txtBikeSpeedAvg", "13.5");
        set("txtContiPHF", "1.0");
        set("txtBikeContiVolume", "200");
        set("txtBikeDirectionRatio", "60");
        set("txtPedSpeedAvg", "4.5");
        set("txtPedDirectionRatio", "50");
        set("txtPedVolume", "50");
    });
    onPress("cmdEx4", [this] {
        choose("cboBikeType", 3);
        choose("cboWidth", 0);
        set("txtBikeSpeedStdErr", "3");
        set("txtBikeSpeedAvg", "10");
        set("txtContiPHF", "0.9");
        set("txtBikeContiVolume", "234");
    });
    onPress("cmdEx5", [this] {
        choose("cboIntersectionNo", 0);
        set("txtBikeDisconVolume", "200");
        set("txtDisconPHF", "1");
        set("txtWidth", "2.0");
        set("txtCycle[1]", "100");
        set("txtGbyC[1]", "0.4");
    });
    onPress("cmdEx6", [this] {
        choose("cboIntersectionNo", 2);
        set("txtBikeDisconVolume", "250");
        set("txtDisconPHF", "1");
        set("txtWidth", "1.6");
        set("txtBikeSpeed", "14.0");
        const char* const links[] = {"0.25", "0.2", "0.25", "0.3"};
        for (int j = 0; j <= 3; ++j) set(element("txtLinkLength", j), links[j]);
        const char* const greens[] = {"0.3", "0.4", "0.5"};
        for (int i = 1; i <= 3; ++i) {
            set(element("txtCycle", i), "100");
            set(element("txtGbyC", i), greens[i - 1]);
        }
    });
}

void BicycleForm::showFlowType() {
    if (isChecked("optConti")) {
        setVisible("fraBikeConti", true);
        setVisible("fraBikeDiscon", false);
        setTitle(kContiTitle);
    } else if (isChecked("optDiscon")) {
        setVisible("fraBikeConti", false);
        setVisible("fraBikeDiscon", true);
        setTitle(kDisconTitle);
    }
}

void BicycleForm::enablePathFields() {
    // A choice enables its own fields and disables nothing else; the one-way
    // path and the on-street lane disable all four.
    switch (static_cast<PathType>(indexOf("cboBikeType"))) {
    case PathType::TwoWay: setEnabled("txtBikeDirectionRatio", true); break;
    case PathType::Shared:
        // The shared path uses the bicycle direction share as well.
        setEnabled("txtBikeDirectionRatio", true);
        setEnabled("txtPedVolume", true);
        setEnabled("txtPedSpeedAvg", true);
        setEnabled("txtPedDirectionRatio", true);
        break;
    case PathType::OneWay:
    case PathType::OnStreet:
        for (const char* name : {"txtBikeDirectionRatio", "txtPedVolume", "txtPedSpeedAvg", "txtPedDirectionRatio"})
            setEnabled(name, false);
        break;
    case PathType::None: break;
    }
}

void BicycleForm::showIntersections() {
    const int n = indexOf("cboIntersectionNo") + 1;  // 0: no count chosen
    auto& drawing = control("picIntersection").drawing;
    for (int i = 1; i <= kMaxIntersections; ++i) {
        const bool used = i <= n;
        form::Shape* box = drawing.find("place" + digit(i));
        box->framed = used;
        box->dimmed = !used;
        for (const std::string& name : {element("txtCycle", i), element("txtGbyC", i)}) {
            setEnabled(name, used);
            control(name).dimmed = !used;
        }
        setEnabled(element("lblPlace", i), used);
    }
    // Links 0 ... n serve an urban street; a single intersection has none.
    for (int j = 0; j <= kMaxIntersections; ++j) {
        const std::string name = element("txtLinkLength", j);
        setEnabled(name, n >= 2 && j <= n);
        control(name).dimmed = j > n || n == 0;
    }
    setVisible("txtBikeSpeed", n >= 2);
}

std::string BicycleForm::runAnalysis() {
    if (isChecked("optConti")) return runPath();
    if (isChecked("optDiscon")) return runStreet();
    refuseInput("자전거도로 분석 유형(연속류 / 단속류)을 선택하십시오.", "optConti");
}

std::string BicycleForm::runPath() {
    BikePathInput in;
    // The lists first: the path type decides which fields are read.
    in.type = static_cast<PathType>(indexOf("cboBikeType"));
    in.width = static_cast<PathWidth>(indexOf("cboWidth"));
    checkPathChoices(in);
    in.PHF = singleOf("txtContiPHF");
    in.bikeVolume = numberOf("txtBikeContiVolume");
    in.volumeText = typedNumberOf("txtBikeContiVolume");
    in.Sb = singleOf("txtBikeSpeedAvg");
    in.sigma = singleOf("txtBikeSpeedStdErr");
    if (in.type == PathType::TwoWay || in.type == PathType::Shared) in.D = singleOf("txtBikeDirectionRatio");
    if (in.type == PathType::Shared) {
        in.pedVolume = numberOf("txtPedVolume");
        in.Sp = singleOf("txtPedSpeedAvg");
        in.Dp = singleOf("txtPedDirectionRatio");
    }
    const BikePathResult r = analysePath(in);
    std::string text = pathReport(in, r);
    lastHeadlines_ = bicycleHeadlines(in, r);
    return text;
}

std::string BicycleForm::runStreet() {
    BikeStreetInput in;
    // The intersection count first: it decides how many places are read.
    in.n = indexOf("cboIntersectionNo") + 1;
    checkIntersectionCount(in);
    in.PHF = numberOf("txtDisconPHF");
    in.bikeVolume = numberOf("txtBikeDisconVolume");
    in.W = singleOf("txtWidth");
    if (in.n >= 2) in.runSpeed = numberOf("txtBikeSpeed");
    for (int i = 1; i <= in.n; ++i) {
        in.cycle[i] = int16Of(element("txtCycle", i));
        in.gC[i] = singleOf(element("txtGbyC", i));
    }
    if (in.n >= 2)
        for (int j = 0; j <= in.n; ++j) in.L[j] = numberOf(element("txtLinkLength", j));
    const BikeStreetResult r = analyseStreet(in);
    std::string text = streetReport(in, r);
    lastHeadlines_ = bicycleHeadlines(in, r);
    return text;
}

}  // namespace verosa::analyses::bicycle
