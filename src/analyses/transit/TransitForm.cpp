#include "analyses/transit/TransitForm.h"
#include "analyses/transit/TransitHeadlines.h"

#include <stdexcept>

#include "analyses/Limits.h"
#include "analyses/transit/LoadProfile.h"
#include "numeric/Num.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"
#include "report/NumberText.h"

namespace verosa::analyses::transit {

namespace {

using form::Align;
using form::ButtonRole;
using form::element;

const char* const kGrid = "MSFBusCap";
const char* const kProfile = "picLoadProfile";
constexpr int kGridRows = 5;
constexpr int kTitleColumnTwips = 1260;
constexpr int kStopColumnTwips = 540;

const char* const kNoAnalysisTip = "이 페이지의 분석은 제공되지 않습니다.";

}  // namespace

TransitForm::TransitForm(form::FormContext context) : Form(context) {
    setWindowName("frmTransit");
    setTitle("대중교통시설 분석");

    addPage("차내용량");
    addPage("운행시격 및 운행시간");
    addPage("정차면");
    addPage("정류장 용량");
    addPage("결과화면");

    buildLoadPage();
    buildBusTypeOnlyPage(kHeadwayPage, "cmdResultHeadway");
    buildBerthPage();
    buildBusTypeOnlyPage(kStopCapacityPage, "cmdResultStopCapacity");

    beginPage(kResultPage);
    addResultView();

    beginPage(-1);
    addButton("cmdExit", "종 료(&X)", ButtonRole::Exit);
}

// Each input page has its own bus-type choice: element `page` of the three
// option arrays, in a group of that page.
void TransitForm::addBusTypes(int page) {
    beginFrame(element("fraBusType", page), "버스형태", 3);
    const std::string group = "busType" + std::to_string(page);
    place(addOption(element("optCityBus", page), "도시형 버스", group), 0, 0);
    place(addOption(element("optSeatBus", page), "좌석형 버스", group), 0, 1);
    place(addOption(element("optCircleBus", page), "순환버스", group), 0, 2);
    endFrame();
}

BusType TransitForm::busTypeOn(int page) const {
    // Seat bus first, then city bus, then circle bus.
    if (isChecked(element("optSeatBus", page))) return BusType::Seat;
    if (isChecked(element("optCityBus", page))) return BusType::City;
    if (isChecked(element("optCircleBus", page))) return BusType::Circle;
    return BusType::None;
}

// ---- in-vehicle load ----

void TransitForm::buildLoadPage() {
    beginPage(kLoadPage);
    addBusTypes(kLoadPage);
    addNumber("txtStopNo", "정류장 갯수", {{1.0, double(kMaxStops)}, std::nullopt}, 6);

    form::Control& grid = addGrid(kGrid, kGridRows, 1);
    grid.grid.fixedRows = 1;
    grid.grid.fixedCols = 1;
    grid.grid.editable = true;
    grid.grid.editableRowLimit = kOnBoardRow;  // rows 1 and 2 are typed; 3 and 4 are the results
    grid.grid.defaultAlign = Align::Center;
    grid.grid.columnWidthTwips = {kTitleColumnTwips};
    const char* const titles[kGridRows] = {"정류장번호", "하차승객(인)", "승차승객(인)", "탑승인원(인)", "LOS"};
    for (int r = 0; r < kGridRows; ++r) grid.grid.cells[static_cast<size_t>(r)][0] = titles[r];

    addDrawing(kProfile, kProfileWidth, kProfileHeight).drawing = emptyLoadProfile();

    addButton("cmdEx2", "Ex#2", ButtonRole::Example);
    addButton("cmdResultPedRoad", "분  석(&R)", ButtonRole::Analysis);

    onChange("txtStopNo", [this] { resizeGrid(); });
    onPress("cmdEx2", [this] {
        set("txtStopNo", "15");
        tick(element("optCityBus", kLoadPage));
        // Cells the example leaves empty keep what they hold.
        const char* const alighting[16] = {"",  "",  "",  "1",  "5",  "4",  "3", "7",
                                           "1", "5", "4", "18", "15", "14", "9", "11"};
        const char* const boarding[16] = {"",   "5", "6",  "10", "7", "9", "7", "14",
                                          "10", "9", "16", "3",  "",  "1", "",  ""};
        for (int stop = 1; stop <= 15; ++stop) {
            if (*alighting[stop]) writeCell(kGrid, kAlightingRow, stop, alighting[stop], Align::Center);
            if (*boarding[stop]) writeCell(kGrid, kBoardingRow, stop, boarding[stop], Align::Center);
        }
    });
    onAnalysisCommand(
        "cmdResultPedRoad", [this] { runBusLoad(); }, [this] { return busLoadRendering(); });
    declareHeadlines("cmdResultPedRoad", busLoadHeadlineNames(), lastBusLoad_, busLoadHeadlines);
}

// The grid follows the stop count: a column per stop, numbered in row 0. An
// emptied field is being retyped and leaves the grid as it is.
void TransitForm::resizeGrid() {
    if (readWholeNumber(textOf("txtStopNo")).kind == WholeNumber::Kind::Empty) return;
    const int stops = int16Of("txtStopNo").value();  // refuses what is not a count from 1 to 200
    form::GridData& grid = control(kGrid).grid;
    const int before = grid.cols - 1;
    for (int c = stops + 1; c <= before; ++c) {
        const auto col = static_cast<size_t>(c);
        kept_[c] = {grid.cells[kAlightingRow][col], grid.cells[kBoardingRow][col]};
    }
    grid.resize(kGridRows, stops + 1);
    for (int c = before + 1; c <= stops; ++c) {
        auto it = kept_.find(c);
        if (it == kept_.end()) continue;
        const auto col = static_cast<size_t>(c);
        grid.cells[kAlightingRow][col] = it->second[0];
        grid.cells[kBoardingRow][col] = it->second[1];
        kept_.erase(it);
    }
    for (int c = 1; c <= stops; ++c) {
        grid.columnWidthTwips[static_cast<size_t>(c)] = kStopColumnTwips;
        writeCell(kGrid, kStopRow, c, " " + std::to_string(c), Align::Center);
    }
}

// The persons typed into a cell: empty counts 0; otherwise a number, rounded
// half to even to 16 bits.
Int16 TransitForm::passengers(int row, int stop) const {
    const std::string& text = at(kGrid).grid.cells[static_cast<size_t>(row)][static_cast<size_t>(stop)];
    const std::string subject =
        std::to_string(stop) + "번 정류장의 " + (row == kAlightingRow ? "하차승객" : "승차승객");
    const WholeNumber read = readWholeNumber(text);
    switch (read.kind) {
    case WholeNumber::Kind::Empty: return Int16::of(0);
    case WholeNumber::Kind::Number: break;
    case WholeNumber::Kind::NotANumber:
        refuseInput(withParticle(subject, Particle::Topic) + " 숫자로 입력하십시오.", kGrid);
    case WholeNumber::Kind::TooLarge: refuseInput(tooLargeMessage(subject, double(Int16::kMax)), kGrid);
    }
    return Int16::readRounded(read.value, subject, kGrid);
}

void TransitForm::runBusLoad() {
    BusLoadInput in;
    const int stops = int16Of("txtStopNo").value();
    if (at(kGrid).grid.cols != stops + 1) throw std::logic_error("the stop grid does not follow the stop count");
    in.busType = busTypeOn(kLoadPage);
    for (int stop = 1; stop <= stops; ++stop) {
        in.alighting.push_back(passengers(kAlightingRow, stop));
        in.boarding.push_back(passengers(kBoardingRow, stop));
    }
    const BusLoadResult r = analyseBusLoad(in);

    // Everything is computed: rows 3 and 4, then the profile.
    for (int stop = 1; stop <= stops; ++stop) {
        const auto k = static_cast<size_t>(stop - 1);
        writeCell(kGrid, kOnBoardRow, stop, report::numtext(r.onBoard[k]), Align::Center);
        writeCell(kGrid, kLevelRow, stop, r.los[k] ? std::string(1, *r.los[k]) : std::string(), Align::Center);
    }
    control(kProfile).drawing = loadProfile(in.busType, r);
    lastBusLoad_ = r;
}

// The grid's rows, one line each, the cells separated by TABs.
std::string TransitForm::busLoadRendering() const {
    const form::GridData& grid = at(kGrid).grid;
    std::string out;
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.cols; ++c) {
            if (c > 0) out += '\t';
            out += grid.cells[static_cast<size_t>(r)][static_cast<size_t>(c)];
        }
        out += "\r\n";
    }
    return out;
}

// ---- pages without an analysis ----

void TransitForm::buildBusTypeOnlyPage(int page, const char* button) {
    beginPage(page);
    addBusTypes(page);
    form::Control& b = addButton(button, "분  석(&R)");
    b.enabled = false;
    b.toolTip = kNoAnalysisTip;
}

// ---- berth capacity ----

void TransitForm::buildBerthPage() {
    beginPage(kBerthPage);
    addBusTypes(kBerthPage);

    beginFrame("fraRoad", "도로 및 교통조건", 2);
    const Bounds atLeastZero = limits::kAtLeastZero;
    const Bounds share = limits::kShare;
    // Above 50 % the analysis gives its own message; below 0 is no share.
    place(addNumber("txtWaitPer", "버스대기율(%)", {atLeastZero, std::nullopt}, 8, "버스대기율"), 0, 0);
    form::Control& waitNote =
        place(addLabel("lblWaitPerNote", "설계시 적용하는 권장치는 도시지역 10%내외, 외곽지역 5%내외"), 0, 1);
    waitNote.lines = 2;
    waitNote.width = 34;
    place(addNumber("txtGbyC", "g/C 비", {{0.0, 1.0, false, true}, std::nullopt}), 1, 0);
    form::Control& gcNote = place(
        addLabel("lblGbyCNote", "g/C 비가 1이면 연속류 분석이고, 1보다 작은 수는 단속류상의 정차면 분석이다. "), 1, 1);
    gcNote.lines = 2;
    gcNote.width = 34;
    place(addNumber("txtInPed", "승차 승객수(명)", {atLeastZero, std::nullopt}, 8, "승차 승객수"), 2, 0);
    place(addNumber("txtOutPed", "하차 승객수(명)", {atLeastZero, std::nullopt}, 8, "하차 승객수"), 3, 0);
    beginFrame("fraFare", "승차승객 분포");
    place(control("fraFare"), 4, 0, 1, 2);
    // A share left empty is none of the boarding passengers; the three must
    // still add up to 100.
    addNumber("txtBusCardPer", "버스카드 승객(%)", {share, 0.0}, 8, "버스카드 승객 비율");
    addNumber("txtNoChangePer", "거스름 없음(%)", {share, 0.0}, 8, "거스름 없음 비율");
    addNumber("txtChangePer", "거스름 있음(%)", {share, 0.0}, 8, "거스름 있음 비율");
    endFrame();
    place(addList("cboStand", "입석승객 유무", {"없다", "있다"}), 5, 0);
    place(addList("cboBusBay", "버스베이 유무", {"없다", "있다"}), 6, 0);
    endFrame();

    addButton("Command1", "Ex#4", ButtonRole::Example);
    addButton("cmdResultWaitArea", "분  석(&R)", ButtonRole::Analysis);

    onPress("Command1", [this] {
        tick(element("optCityBus", kBerthPage));
        set("txtGbyC", "0.55");
        set("txtInPed", "10");
        set("txtBusCardPer", "70");
        set("txtNoChangePer", "20");
        set("txtChangePer", "10");
        set("txtOutPed", "5");
        choose("cboStand", 1);
        choose("cboBusBay", 0);
        set("txtWaitPer", "30");
    });
    onAnalysis("cmdResultWaitArea", kResultPage, [this] { return runBerth(); });
    declareHeadlines("cmdResultWaitArea", berthHeadlineNames(), lastBerth_, berthHeadlines);
}

std::string TransitForm::runBerth() {
    BerthInput in;
    // The waiting share is tested before anything else is read.
    in.waitShare = numberOf("txtWaitPer");
    berthFactorOf(in.waitShare);
    in.gC = singleOf("txtGbyC");
    in.boarding = int16Of("txtInPed");
    in.alighting = int16Of("txtOutPed");
    in.cardShare = singleOf("txtBusCardPer");
    in.exactFareShare = singleOf("txtNoChangePer");
    in.changeShare = singleOf("txtChangePer");
    in.standees = static_cast<YesNo>(indexOf("cboStand"));
    in.busBay = static_cast<YesNo>(indexOf("cboBusBay"));
    in.busType = busTypeOn(kBerthPage);
    const BerthResult r = analyseBerth(in);
    std::string text = berthReport(in, r);
    lastBerth_ = r;
    return text;
}

}  // namespace verosa::analyses::transit
