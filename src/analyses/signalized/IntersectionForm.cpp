#include "analyses/signalized/IntersectionForm.h"
#include "analyses/Limits.h"
#include "analyses/signalized/SignalizedHeadlines.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "analyses/signalized/Worksheets.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

namespace verosa::analyses::signalized {

namespace {

using form::Align;
using form::ButtonRole;
using form::element;
using form::NumberField;
using verosa::Bounds;

const std::vector<std::string> kGrades = {"-6%이하", "-3%", "0%", "+1%", "+2%", "+3%", "+4%", "+5%", "+6%이상"};
const std::vector<std::string> kParking = {"불허", "0-10", "10-20", "20-30", "30-40", "40이상"};
const std::vector<std::string> kDistances = {"200", "300", "400", "500", "600"};
const std::vector<std::string> kBusBay = {"유", "무"};
const std::vector<std::string> kBusActivity = {"소", "중", "대"};
const std::vector<std::string> kBusStopPlaces = {"30이하", "30-50", "50-75", "75이상"};
const std::vector<std::string> kBusVolumes = {"10-30",   "30-50",   "50-100",  "100-150", "150-200",
                                              "200-250", "250-300", "300-350", "350이상"};
const char* const kDirections[kApproaches] = {"EastBound ", "WestBound ", "NorthBound ", "SouthBound "};
constexpr int kLaneRows = 8;  // MSFLaneWidth shows up to eight lanes

std::vector<std::string> offsets() {
    std::vector<std::string> items;
    for (int p = 0; p < 100; p += 5) items.push_back(std::to_string(p));
    return items;
}

std::vector<std::string> laneCounts() {
    std::vector<std::string> items;
    for (int n = 0; n <= 8; ++n) items.push_back(std::to_string(n));
    return items;
}

NumberField atLeastZero(std::optional<double> whenEmpty = std::nullopt) {
    return NumberField{limits::kAtLeastZero, whenEmpty};
}
NumberField aboveZero() { return NumberField{limits::kAboveZero, std::nullopt}; }
NumberField share() { return NumberField{limits::kShare, std::nullopt}; }

}  // namespace

IntersectionForm::IntersectionForm(form::FormContext context) : TabledForm(context, openSignalizedTables) {
    setWindowName("frmInterSection");
    setTitle("신호교차로 서비스수준분석");
    addPage("교차로기본사항입력");
    addPage("기하구조 및 현시입력");
    addPage("교차로 그리기");
    addPage("결과화면");
    declareVolumePage();
    declareTimingPage();
    declareDrawingPage();
    declareResultPage();

    beginPage(-1);
    for (int n = 1; n <= 5; ++n)
        addButton("cmdEx" + std::to_string(n), "예제" + std::to_string(n), ButtonRole::Example);
    addButton("cmdAnalysis", "분석", ButtonRole::Analysis);
    addButton("cmdPrint", "인쇄");
    addButton("Command2", "종료", ButtonRole::Exit);
    declareExamples();

    onAnalysisCommand(
        "cmdAnalysis",
        [this] {
            // Everything is computed before a page is written: a refusal or a
            // failure keeps the worksheets of the previous analysis.
            const IntersectionInput in = readInput();
            const IntersectionResult result = analyseIntersection(in, tables());
            shownInput_ = in;
            shownResult_ = result;
            analysed_ = true;
            showWorksheets(kResultPage);
        },
        [this] {
            std::string pages;
            for (const std::string& page : worksheetPages()) pages += page;
            return pages;
        });
    declareHeadlines("cmdAnalysis", intersectionHeadlineNames(), [this]() -> std::vector<form::HeadlineValue> {
        if (!analysed_) return {};
        return intersectionHeadlines(shownResult_);
    });
    onPress("cmdPrint", [this] { requestPrint(worksheetPages()); });

    draw();
    for (const auto& c : controls())
        if (c->page == kVolumePage || c->page == kTimingPage) opening_.push_back(*c);
}

// ---- declaration ----

// A frame of one row per field and the four approaches side by side: the
// row's caption in the first column, the approach names over the fields;
// every message names the approach with the field.
void IntersectionForm::approachRow(const std::string& name, const std::string& caption,
                                   const std::function<form::Control&(int)>& add) {
    const int row = nextRow_++;
    place(addLabel("lbl" + name.substr(3), caption), row, 0);
    for (int i = 0; i < kApproaches; ++i) place(add(i), row, i + 1);
}

void IntersectionForm::approachHeadings(const std::string& frame, int row) {
    nextRow_ = row;
    for (int i = 0; i < kApproaches; ++i)
        place(addLabel(element("lblHead" + frame, i), approachName(i)), nextRow_, i + 1);
    ++nextRow_;
}

void IntersectionForm::numberRow(const char* name, const char* caption, const char* subject, form::NumberField field) {
    approachRow(name, caption, [&](int i) -> form::Control& {
        return addNumber(element(name, i), "", field, 6, approachName(i) + " " + subject);
    });
}

void IntersectionForm::listRow(const char* name, const char* caption, const std::vector<std::string>& items,
                               const char* subject) {
    approachRow(name, caption, [&](int i) -> form::Control& {
        form::Control& c = addList(element(name, i), "", items);
        c.subject = approachName(i) + " " + (subject ? subject : caption);
        return c;
    });
}

void IntersectionForm::declareVolumePage() {
    beginPage(kVolumePage);
    beginFrame("fraVolume", "첨두교통량 및 기하구조", kApproaches + 1);
    approachHeadings("Volume");
    // An example leaves the left-turn volume of some approaches blank: no left turns.
    numberRow("txtLtVol", "좌회전 교통량(대/시)", "좌회전 교통량", atLeastZero(0.0));
    numberRow("txtThVol", "직전 교통량(대/시)", "직진 교통량", atLeastZero());
    numberRow("txtRtVol", "우회전 교통량(대/시)", "우회전 교통량", atLeastZero());
    numberRow("txtPhf", "PHF", "PHF", NumberField{limits::kPeakHourFactor, std::nullopt});
    listRow("cboGrade", "구    배(%)", kGrades, "구배");
    numberRow("txtLightPer", "중차량구성비(%) 소", "중차량구성비(소)", share());
    numberRow("txtHeavyPer", "중차량구성비(%) 대", "중차량구성비(대)", share());
    listRow("cboPark", "주차대수(대/시)", kParking, "주차대수");
    numberRow("txtRtRad", "우회전차선 곡선반경(m)", "우회전차선 곡선반경", aboveZero());
    approachRow("txtRtSha", "우회전차선 공유비(%)",
                [&](int i) -> form::Control& { return addText(element("txtRtSha", i), "", 6); });
    endFrame();

    beginFrame("fraSurround", "교차로 주변 상황", kApproaches + 1);
    approachHeadings("Surround");
    listRow("cboOffset", "연동값비(%)", offsets(), "연동값비");
    listRow("cboDis", "상류부교차로와의 거리(M)", kDistances, "상류부교차로와의 거리");
    listRow("cboStop", "버스 정차대 유무", kBusBay);
    listRow("cboStopAct", "승, 하차 활동", kBusActivity);
    listRow("cboStopLoc", "버스정류장위치(M)", kBusStopPlaces, "버스정류장위치");
    listRow("cboStopUnit", "시간당 버스정차대수(대/시)", kBusVolumes, "시간당 버스정차대수");
    endFrame();

    for (int i = 0; i < kApproaches; ++i) {
        onChange(element("cboStopLoc", i), [this, i] {
            // Beyond 75 m the stop has no effect: its other lists are not read.
            const bool near = indexOf(element("cboStopLoc", i)) != kBusStopFar;
            for (const char* name : {"cboStopUnit", "cboStopAct", "cboStop"}) setEnabled(element(name, i), near);
        });
    }
}

void IntersectionForm::declareTimingPage() {
    beginPage(kTimingPage);
    beginFrame("fraCycle", "신호주기", 2);
    place(addNumber("txtCycle", "신호주기(초)", aboveZero(), 6), 0, 0);
    place(addNumber("txtYellowTime", "황색시간(초)", atLeastZero(), 6), 0, 1);
    endFrame();
    beginFrame("fraSignal", "신호시간", kApproaches + 1);
    approachHeadings("Signal");
    numberRow("txtThTime", "직진신호시간 (초)", "직진신호시간", atLeastZero());
    // Blank where an approach has no left-turn phase.
    numberRow("txtLtTime", "좌회전신호시간(초)", "좌회전신호시간", atLeastZero(0.0));
    endFrame();

    beginFrame("fraGeometry", "교차로기하구조", kApproaches + 1);
    approachHeadings("Geometry");
    listRow("cboTotalLane", "차선수", laneCounts());
    listRow("cboCrossTotalLane", "반대방향    차선수", laneCounts(), "반대방향 차선수");
    numberRow("txtCrossTotalWidth", "반대방향    차선폭(m)", "반대방향 차선폭", atLeastZero());
    for (int i = 0; i < kApproaches; ++i) place(addCheck(element("chkCross", i), "횡단보도"), 4, i + 1);
    for (int i = 0; i < kApproaches; ++i) {
        form::Control& c = place(
            addNumber(element("txtWalkPerson", i), "보행량(인/시)", atLeastZero(), 6, approachName(i) + " 보행량"), 5,
            i + 1);
        c.toolTip = "1시간보행량";
        c.visible = false;
    }
    endFrame();

    beginFrame("Frame2", "차선 입력", 6);
    for (int i = 0; i < kApproaches; ++i)
        place(addOption(element("optDirection", i), approachName(i), "direction"), 0, i);
    place(addNumber("txtLaneWidth", "차선폭(m)", aboveZero(), 6, "차선폭"), 1, 0);
    place(addCheck("chkLt", "좌회전"), 1, 1);
    place(addCheck("chkTh", "직진"), 1, 2);
    place(addCheck("chkRt", "우회전"), 1, 3);
    place(addButton("cmdNext", "다음 ▶"), 1, 4);
    endFrame();
    setEnabled("cmdNext", false);

    form::Control& total = addGrid("MSFTotalLane", 2, kApproaches + 1);
    total.grid.defaultAlign = Align::Center;
    total.grid.resize(2, kApproaches + 1);
    total.grid.cells[0] = {"차선수", "EB", "WB", "NB", "SB"};
    form::Control& widths = addGrid("MSFLaneWidth", 2 * kLaneRows + 1, kApproaches + 1);
    widths.grid.defaultAlign = Align::Center;
    widths.grid.resize(2 * kLaneRows + 1, kApproaches + 1);
    widths.grid.cells[0] = {"차선폭", "EB", "WB", "NB", "SB"};
    for (int lane = 1; lane <= kLaneRows; ++lane)
        widths.grid.cells[static_cast<std::size_t>(2 * lane - 1)][0] = std::to_string(lane);
    for (form::Control* grid : {&total, &widths})
        for (auto& rowAlign : grid->grid.align)
            for (Align& a : rowAlign) a = Align::Center;

    for (int i = 0; i < kApproaches; ++i) {
        onChange(element("cboTotalLane", i), [this, i] {
            const int chosen = indexOf(element("cboTotalLane", i));
            entry_.laneCount[static_cast<std::size_t>(i)] = chosen < 0 ? 0 : chosen;
            showLaneCount(i);
            draw();
        });
        onChange(element("cboCrossTotalLane", i), [this] { draw(); });
        onChange(element("chkCross", i), [this, i] {
            const std::string walkers = element("txtWalkPerson", i);
            const bool ticked = isChecked(element("chkCross", i));
            setVisible(walkers, ticked);
            if (ticked) moveFocus(walkers);
            draw();
        });
        onClick(element("optDirection", i), [this, i] { chooseDirection(i); });
    }
    onPress("cmdNext", [this] { storeLane(); });
}

void IntersectionForm::declareDrawingPage() {
    beginPage(kDrawingPage);
    addDrawing("picMain", 300, 300);
    addButton("cmdDraw", "그리기");
    onPress("cmdDraw", [this] { draw(); });
}

void IntersectionForm::declareResultPage() {
    beginPage(kResultPage);
    beginFrame("fraPage", "", 4);
    const char* const captions[kWorksheetPages] = {"교통류보정", "우회전보정계수", "포화교통류율보정",
                                                   "용량 및 서비스수준 분석"};
    std::vector<std::string> choosers;
    for (int p = 0; p < kWorksheetPages; ++p) {
        place(addOption(element("optPage", p), captions[p], "page"), 0, p);
        choosers.push_back(element("optPage", p));
    }
    endFrame();
    addResultView("txtIntersectionResult");
    declareWorksheets(choosers, [this](int page) { return worksheetPage(page, shownInput_, shownResult_); });
}

// ---- lane entry ----

std::string IntersectionForm::entryCaption() const {
    return kDirections[static_cast<std::size_t>(entry_.approach)] + std::to_string(entry_.lane) + "번째 차선";
}

void IntersectionForm::chooseDirection(int approach) {
    entry_.approach = approach;
    entry_.lane = 1;
    setEnabled("cmdNext", true);
    setCaption("Frame2", entryCaption());
    moveFocus("txtLaneWidth");
}

void IntersectionForm::storeLane() {
    // The button is enabled only once an approach is chosen, and never past
    // the fifth lane; a width that is not a positive number is refused.
    if (entry_.approach < 0 || entry_.lane > kLaneSlots) return;
    const float width = singleOf("txtLaneWidth");
    const int i = entry_.approach;
    LaneInput& slot = entry_.slots[static_cast<std::size_t>(i)][static_cast<std::size_t>(entry_.lane - 1)];
    slot.width = width;
    LaneCode code;
    // Left and right without through names no lane: the slot keeps its code.
    if (laneCodeOf(isChecked("chkLt"), isChecked("chkTh"), isChecked("chkRt"), code)) slot.code = code;
    showLaneCell(i, entry_.lane);
    entry_.lane += 1;
    setCaption("Frame2", entryCaption());
    if (entry_.lane == entry_.laneCount[static_cast<std::size_t>(i)] + 1 || entry_.lane > kLaneSlots)
        setEnabled("cmdNext", false);
    tick("chkLt", false);
    tick("chkTh", false);
    tick("chkRt", false);
    set("txtLaneWidth", "");
    moveFocus("txtLaneWidth");
    draw();
}

void IntersectionForm::showLaneCount(int approach) {
    const int chosen = indexOf(element("cboTotalLane", approach));
    writeCell("MSFTotalLane", 1, approach + 1, chosen < 0 ? std::string() : std::to_string(chosen), Align::Center);
}

void IntersectionForm::showLaneCell(int approach, int lane) {
    const LaneInput& slot = entry_.slots[static_cast<std::size_t>(approach)][static_cast<std::size_t>(lane - 1)];
    writeCell("MSFLaneWidth", 2 * lane - 1, approach + 1, report::plain(slot.width) + "m", Align::Center);
    writeCell("MSFLaneWidth", 2 * lane, approach + 1, std::to_string(static_cast<int>(slot.code)), Align::Center);
}

// The lanes of every approach as the slots hold them: the slots filled, the
// others blank.
void IntersectionForm::showLanes() {
    for (int i = 0; i < kApproaches; ++i) {
        for (int lane = 1; lane <= kLaneSlots; ++lane) {
            const LaneInput& slot = entry_.slots[static_cast<std::size_t>(i)][static_cast<std::size_t>(lane - 1)];
            if (slot.code != LaneCode::None || slot.width != 0) {
                showLaneCell(i, lane);
            } else {
                writeCell("MSFLaneWidth", 2 * lane - 1, i + 1, "", Align::Center);
                writeCell("MSFLaneWidth", 2 * lane, i + 1, "", Align::Center);
            }
        }
    }
}

void IntersectionForm::restoreLaneEntry(const LaneEntryState& state) {
    entry_ = state;
    if (entry_.approach >= 0) setCaption("Frame2", entryCaption());
    setEnabled("cmdNext", entry_.approach >= 0 && entry_.lane <= kLaneSlots &&
                              entry_.lane != entry_.laneCount[static_cast<std::size_t>(entry_.approach)] + 1);
    showLanes();
    draw();
}

// ---- the lane entry in a case ----

namespace {

using Json = nlohmann::ordered_json;

[[noreturn]] void stateError(const std::string& where, const std::string& what) {
    throw form::UsageError("state." + where + ": " + what);
}

// A width as the shortest decimal that reads back as the same float: the
// text a user typed ("2.8"), not the float's binary expansion.
Json widthValue(float width) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, width);
    double value = 0;
    std::from_chars(text, written.ptr, value);
    return value;
}

float widthOf(const Json& v, const std::string& where) {
    if (!v.is_number()) stateError(where, "값이 차선폭(수)이어야 합니다.");
    const double value = v.get<double>();
    if (!std::isfinite(value) || value < 0) stateError(where, "차선폭은 0 이상이어야 합니다.");
    // Read as a float from the shortest decimal of the double, so "2.82" is
    // the float a user's "2.82" is.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    float width = 0;
    const auto read = std::from_chars(text, written.ptr, width);
    if (read.ec != std::errc() || !std::isfinite(width)) stateError(where, "차선폭이 너무 큽니다.");
    return width;
}

int integerOf(const Json& v, const std::string& where, int least, int most) {
    if (!v.is_number_integer() || v.get<std::int64_t>() < least || v.get<std::int64_t>() > most)
        stateError(where, "값이 " + std::to_string(least) + "부터 " + std::to_string(most) + "까지의 정수여야 합니다.");
    return v.get<int>();
}

const Json& member(const Json& object, const std::string& prefix, const char* key) {
    if (!object.contains(key)) stateError(prefix + key, "없습니다.");
    return object[key];
}

const Json& arrayOf(const Json& v, const std::string& where, std::size_t size) {
    if (!v.is_array() || v.size() != size)
        stateError(where, "값이 " + std::to_string(size) + "개의 배열이어야 합니다.");
    return v;
}

}  // namespace

nlohmann::ordered_json IntersectionForm::keptState() const {
    Json counts = Json::array();
    Json slots = Json::array();
    for (std::size_t i = 0; i < kApproaches; ++i) {
        counts.push_back(entry_.laneCount[i]);
        Json lanes = Json::array();
        for (const LaneInput& slot : entry_.slots[i])
            lanes.push_back(Json{{"width", widthValue(slot.width)}, {"code", static_cast<int>(slot.code)}});
        slots.push_back(std::move(lanes));
    }
    return Json{{"laneCount", std::move(counts)},
                {"slots", std::move(slots)},
                {"approach", entry_.approach},
                {"lane", entry_.lane}};
}

void IntersectionForm::onRestoreKeptState(const nlohmann::ordered_json& state) {
    if (!state.is_object()) throw form::UsageError("state: 값이 차선 입력(객체)이어야 합니다.");
    for (auto it = state.begin(); it != state.end(); ++it)
        if (it.key() != "laneCount" && it.key() != "slots" && it.key() != "approach" && it.key() != "lane")
            stateError(it.key(), "신호교차로 차선 입력에 없는 항목입니다.");
    LaneEntryState restored;
    const Json& counts = arrayOf(member(state, "", "laneCount"), "laneCount", kApproaches);
    const Json& slots = arrayOf(member(state, "", "slots"), "slots", kApproaches);
    for (std::size_t i = 0; i < kApproaches; ++i) {
        const std::string countAt = form::element("laneCount", static_cast<int>(i));
        const int count = integerOf(counts[i], countAt, 0, 8);
        // The count is the lane-count list's choice, which the case has set.
        const int chosen = indexOf(element("cboTotalLane", static_cast<int>(i)));
        if (count != (chosen < 0 ? 0 : chosen))
            stateError(countAt, withParticle("차선수 " + std::to_string(count), Particle::Subject) + " " +
                                    element("cboTotalLane", static_cast<int>(i)) + "의 선택과 다릅니다.");
        restored.laneCount[i] = count;
        const std::string slotsAt = form::element("slots", static_cast<int>(i));
        const Json& lanes = arrayOf(slots[i], slotsAt, kLaneSlots);
        for (std::size_t n = 0; n < kLaneSlots; ++n) {
            const std::string where = form::element(slotsAt, static_cast<int>(n));
            const Json& slot = lanes[n];
            if (!slot.is_object()) stateError(where, "값이 차선(객체)이어야 합니다.");
            for (auto it = slot.begin(); it != slot.end(); ++it)
                if (it.key() != "width" && it.key() != "code")
                    stateError(where + "." + it.key(), "차선에 없는 항목입니다.");
            LaneInput& lane = restored.slots[i][n];
            lane.width = widthOf(member(slot, where + ".", "width"), where + ".width");
            const Json& code = member(slot, where + ".", "code");
            bool known = code.is_number_integer();
            if (known) {
                switch (code.get<std::int64_t>()) {
                case 0:
                case 1:
                case 3:
                case 5:
                case 7:
                case 9:
                case 11: break;
                default: known = false;
                }
            }
            if (!known) stateError(where + ".code", "차선 코드는 0, 1, 3, 5, 7, 9, 11 중 하나여야 합니다.");
            lane.code = static_cast<LaneCode>(code.get<int>());
        }
    }
    restored.approach = integerOf(member(state, "", "approach"), "approach", -1, kApproaches - 1);
    restored.lane = integerOf(member(state, "", "lane"), "lane", 1, kLaneSlots + 1);
    restoreLaneEntry(restored);
}

// ---- examples ----

void IntersectionForm::returnToOpeningState() {
    for (const form::Control& c : opening_) {
        form::Control& now = control(c.name);
        now.text = c.text;
        now.index = c.index;
        now.checked = c.checked;
        now.visible = c.visible;
        now.enabled = c.enabled;
        now.caption = c.caption;
        now.grid = c.grid;
    }
    entry_ = LaneEntryState{};
}

void IntersectionForm::declareExamples() {
    for (int n = 1; n <= 5; ++n) onPress("cmdEx" + std::to_string(n), [this, n] { loadExample(n); });
}

void IntersectionForm::loadExample(int example) {
    returnToOpeningState();
    struct Lane {
        float width;
        LaneCode code;
    };
    struct Example {
        std::array<const char*, 4> lt, th, rt;
        std::array<int, 4> grade;
        std::array<const char*, 4> light, heavy, phf, radius, share;
        const char* offset;
        std::array<int, 4> distance, stopPlace;
        int stopBay, stopActivity, stopVolume;  // WB only, where given
        const char *cycle, *yellow;
        std::array<const char*, 4> green, leftGreen;
        std::array<int, 4> lanes, crossLanes;
        std::array<const char*, 4> crossWidth;
        std::array<bool, 4> crosswalk;
        std::array<const char*, 4> walkers;
        std::array<std::vector<Lane>, 4> slots;
    };
    constexpr LaneCode L = LaneCode::Left, LT = LaneCode::LeftThrough, T = LaneCode::Through,
                       TR = LaneCode::ThroughRight, A = LaneCode::All;
    const char* const none = nullptr;
    static const Example examples[5] = {
        {{none, none, none, none},
         {"800", "1000", "620", "510"},
         {"140", "130", "150", "120"},
         {2, 2, 0, 8},
         {"5", "5", "5", "5"},
         {"10", "10", "10", "10"},
         {"0.90", "0.90", "0.90", "0.90"},
         {"20", "20", "15", "15"},
         {"28", "28", "23", "31"},
         "60",
         {2, 2, 2, 2},
         {3, 3, 3, 3},
         -1,
         -1,
         -1,
         "90",
         "3",
         {"47", "47", "37", "37"},
         {"0", "0", "0", "0"},
         {3, 3, 2, 2},
         {3, 3, 2, 2},
         {"7.6", "7.6", "6.4", "6.4"},
         {false, false, false, false},
         {none, none, none, none},
         {{{{2.8f, T}, {2.8f, T}, {3.0f, TR}},
           {{2.8f, T}, {2.8f, T}, {3.0f, TR}},
           {{3.2f, T}, {3.2f, TR}},
           {{3.2f, T}, {3.3f, TR}}}}},
        {{"150", "130", none, none},
         {"1900", "2100", "1600", "1400"},
         {"140", "70", "80", "120"},
         {2, 2, 2, 2},
         {"7", "7", "2", "2"},
         {"7", "7", "2", "2"},
         {"0.95", "0.95", "0.95", "0.95"},
         {"20", "20", "15", "15"},
         {"18", "10", "14", "24"},
         "45",
         {4, 4, 4, 4},
         {3, 3, 3, 3},
         -1,
         -1,
         -1,
         "100",
         "3",
         {"42", "42", "34", "34"},
         {"15", "15", none, none},
         {4, 4, 3, 3},
         {3, 3, 3, 3},
         {"12.3", "12.3", "9.0", "9.0"},
         {false, false, true, true},
         {none, none, "1000", "1000"},
         {{{{2.8f, L}, {3.0f, T}, {3.0f, T}, {3.5f, TR}},
           {{2.8f, L}, {3.0f, T}, {3.0f, T}, {3.5f, TR}},
           {{3.0f, T}, {3.0f, T}, {3.0f, TR}},
           {{3.0f, T}, {3.0f, T}, {3.0f, TR}}}}},
        {{"600", "500", "0", "0"},
         {"1000", "760", "750", "500"},
         {"130", "90", "80", "150"},
         {5, 1, 2, 2},
         {"7", "7", "7", "7"},
         {"7", "7", "7", "7"},
         {"0.95", "0.95", "0.95", "0.95"},
         {"20", "20", "15", "15"},
         {"30", "30", "30", "30"},
         "30",
         {2, 2, 0, 0},
         {3, 3, 3, 3},
         -1,
         -1,
         -1,
         "130",
         "3",
         {"32", "25", "37", "24"},
         {"32", "25", "37", "24"},
         {4, 4, 2, 2},
         {3, 3, 2, 2},
         {"12.2", "12.2", "6.2", "6.2"},
         {false, false, true, true},
         {none, none, "1000", "1000"},
         {{{{3.0f, L}, {3.0f, LT}, {3.0f, T}, {3.2f, TR}},
           {{3.0f, L}, {3.0f, LT}, {3.0f, T}, {3.2f, TR}},
           {{3.0f, T}, {3.2f, TR}},
           {{3.0f, T}, {3.2f, TR}}}}},
        {{"300", "400", "150", "200"},
         {"600", "800", "800", "800"},
         {"70", "150", "50", "180"},
         {2, 2, 2, 2},
         {"5", "5", "5", "5"},
         {"10", "10", "10", "10"},
         {"0.90", "0.90", "0.90", "0.90"},
         {"15", "15", "15", "15"},
         {"20", "20", "25", "25"},
         "40",
         {2, 2, 4, 4},
         {3, 3, 3, 3},
         -1,
         -1,
         -1,
         "120",
         "3",
         {"37", "37", "27", "27"},
         {"27", "27", "17", "17"},
         {5, 5, 4, 4},
         {4, 4, 4, 4},
         {"15.4", "15.4", "12.2", "12.4"},
         {false, false, false, false},
         {none, none, none, none},
         {{{{3.0f, L}, {3.0f, L}, {3.0f, T}, {3.0f, T}, {3.4f, TR}},
           {{3.0f, L}, {3.0f, L}, {3.0f, T}, {3.0f, T}, {3.4f, TR}},
           {{3.0f, L}, {3.0f, T}, {3.0f, T}, {3.4f, TR}},
           {{3.0f, L}, {3.0f, T}, {3.0f, T}, {3.2f, TR}}}}},
        {{"112", "88", "173", "118"},
         {"2331", "1594", "106", "124"},
         {"317", "65", "60", "62"},
         {2, 2, 2, 2},
         {"9.38", "13.17", "35.69", "12.5"},
         {"8.73", "7.78", "2.06", "1.32"},
         {"0.96", "0.95", "0.92", "0.89"},
         {"6.595", "8.62", "9.655", "7.555"},
         {"31", "10", "45", "18"},
         "40",
         {2, 2, 0, 0},
         {3, 0, 3, 3},
         1,
         0,
         1,
         "150",
         "3",
         {"85", "90", "25", "25"},
         {"10", "15", "25", "25"},
         {4, 4, 2, 1},
         {3, 3, 2, 1},
         {"10.41", "10.56", "6.62", "2.60"},
         {true, true, true, true},
         {"89", "321", "73", "84"},
         {{{{2.82f, L}, {2.94f, T}, {3.35f, T}, {3.58f, TR}},
           {{2.82f, L}, {2.79f, T}, {3.5f, T}, {3.4f, TR}},
           {{3.34f, LT}, {3.34f, TR}},
           {{2.76f, A}}}}},
    };
    const Example& e = examples[example - 1];
    auto text = [&](const char* name, const std::array<const char*, 4>& values) {
        for (int i = 0; i < kApproaches; ++i)
            if (values[static_cast<std::size_t>(i)]) set(element(name, i), values[static_cast<std::size_t>(i)]);
    };
    auto lists = [&](const char* name, const std::array<int, 4>& positions) {
        for (int i = 0; i < kApproaches; ++i) choose(element(name, i), positions[static_cast<std::size_t>(i)]);
    };
    text("txtLtVol", e.lt);
    text("txtThVol", e.th);
    text("txtRtVol", e.rt);
    lists("cboGrade", e.grade);
    text("txtLightPer", e.light);
    text("txtHeavyPer", e.heavy);
    lists("cboPark", {0, 0, 0, 0});
    text("txtPhf", e.phf);
    text("txtRtRad", e.radius);
    text("txtRtSha", e.share);
    // The offset list is set by the text of its item.
    const std::vector<std::string> offsetItems = offsets();
    int offset = 0;
    while (offsetItems[static_cast<std::size_t>(offset)] != e.offset) ++offset;
    lists("cboOffset", {offset, offset, offset, offset});
    lists("cboDis", e.distance);
    lists("cboStopLoc", e.stopPlace);
    if (e.stopBay >= 0) {
        choose(element("cboStop", 1), e.stopBay);
        choose(element("cboStopAct", 1), e.stopActivity);
        choose(element("cboStopUnit", 1), e.stopVolume);
    }
    set("txtCycle", e.cycle);
    set("txtYellowTime", e.yellow);
    text("txtThTime", e.green);
    text("txtLtTime", e.leftGreen);
    lists("cboTotalLane", e.lanes);
    lists("cboCrossTotalLane", e.crossLanes);
    text("txtCrossTotalWidth", e.crossWidth);
    for (int i = 0; i < kApproaches; ++i)
        if (e.crosswalk[static_cast<std::size_t>(i)]) tick(element("chkCross", i));
    text("txtWalkPerson", e.walkers);

    // The lane arrangement, lane 1 (the innermost) first.
    for (int i = 0; i < kApproaches; ++i) {
        const auto& lanes = e.slots[static_cast<std::size_t>(i)];
        for (std::size_t n = 0; n < lanes.size(); ++n)
            entry_.slots[static_cast<std::size_t>(i)][n] = LaneInput{lanes[n].width, lanes[n].code};
    }
    showLanes();
    draw();
}

// ---- analysis ----

IntersectionInput IntersectionForm::readInput() const {
    IntersectionInput in;
    auto each = [](auto read) {
        for (int i = 0; i < kApproaches; ++i) read(i);
    };
    auto& A = in.approach;
    auto a = [&A](int i) -> ApproachInput& { return A[static_cast<std::size_t>(i)]; };
    each([&](int i) { a(i).VL = int16Of(element("txtLtVol", i)); });
    each([&](int i) { a(i).VT = int16Of(element("txtThVol", i)); });
    each([&](int i) { a(i).VR = int16Of(element("txtRtVol", i)); });
    each([&](int i) { a(i).PHF = singleOf(element("txtPhf", i)); });
    each([&](int i) { a(i).grade = indexOf(element("cboGrade", i)); });
    each([&](int i) { a(i).Ps = int16Of(element("txtLightPer", i)); });
    each([&](int i) { a(i).Pl = int16Of(element("txtHeavyPer", i)); });
    each([&](int i) { a(i).parking = indexOf(element("cboPark", i)); });
    each([&](int i) { a(i).R = singleOf(element("txtRtRad", i)); });
    each([&](int i) { a(i).rightShareText = textOf(element("txtRtSha", i)); });
    each([&](int i) {
        a(i).offset = indexOf(element("cboOffset", i));
        a(i).distance = indexOf(element("cboDis", i));
        a(i).busBay = indexOf(element("cboStop", i));
        a(i).busActivity = indexOf(element("cboStopAct", i));
        a(i).busStopPlace = indexOf(element("cboStopLoc", i));
        a(i).busVolume = indexOf(element("cboStopUnit", i));
    });
    in.C = int16Of("txtCycle");
    in.Y = int16Of("txtYellowTime");
    each([&](int i) {
        a(i).g = int16Of(element("txtThTime", i));
        a(i).throughGreen = numberOf(element("txtThTime", i));
    });
    each([&](int i) { a(i).gL = int16Of(element("txtLtTime", i)); });
    each([&](int i) {
        a(i).laneCount = entry_.laneCount[static_cast<std::size_t>(i)];
        a(i).crossLanes = indexOf(element("cboCrossTotalLane", i));
        a(i).crosswalk = isChecked(element("chkCross", i));
        // The width and the pedestrians of a leg count only where a crosswalk crosses it.
        if (a(i).crosswalk) {
            a(i).crossWidth = numberOf(element("txtCrossTotalWidth", i));
            a(i).pedestrians = numberOf(element("txtWalkPerson", i));
        }
        a(i).lanes = entry_.slots[static_cast<std::size_t>(i)];
    });
    return in;
}

}  // namespace verosa::analyses::signalized
