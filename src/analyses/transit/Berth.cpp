#include <algorithm>
#include <cmath>
#include <iterator>

#include "analyses/Limits.h"
#include "analyses/transit/Transit.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"
#include "report/NarrowReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::transit {

namespace {

// The controls the refusals focus.
const char* const kWaitShare = "txtWaitPer";
const char* const kGbyC = "txtGbyC";
const char* const kBoarding = "txtInPed";
const char* const kAlighting = "txtOutPed";
const char* const kCardShare = "txtBusCardPer";
const char* const kExactFareShare = "txtNoChangePer";
const char* const kChangeShare = "txtChangePer";
const char* const kStandees = "cboStand";
const char* const kBusBay = "cboBusBay";
const char* const kBusTypeOption = "optCityBus[2]";

// The fare shares may miss 100 by this much (their decimal values, typed to
// two decimals; the rest is the noise of single precision).
constexpr double kShareSumTolerance = 0.01 + 1e-5;

void refuseNegative(double value, const char* subject, const char* focus) {
    requireWithin(value, limits::kAtLeastZero, subject, focus);
}

void refuseShare(float share, const char* subject, const char* focus) {
    requireWithin(share, limits::kShare, subject, focus);
}

}  // namespace

float berthFactorOf(double waitShare) {
    if (waitShare > 50) refuseInput("버스대기비율이 50%를 초과할 수 없습니다. ", kWaitShare);
    struct Band {
        double upTo;
        float factor;
    };
    static constexpr Band bands[] = {{1, 0.682f}, {2.5, 0.718f}, {5, 0.752f}, {7.5, 0.776f}, {10, 0.81f},
                                     {15, 0.84f}, {20, 0.87f},   {25, 0.89f}, {30, 0.91f},   {50, 0.95f}};
    for (const Band& band : bands)
        if (waitShare <= band.upTo) return band.factor;
    return bands[std::size(bands) - 1].factor;  // not reached: above 50 is refused
}

void checkBerth(const BerthInput& in) {
    berthFactorOf(in.waitShare);
    refuseNegative(in.waitShare, "버스대기율", kWaitShare);
    requireWithin(in.gC, limits::kRatio, "g/C 비", kGbyC);
    refuseNegative(in.boarding, "승차 승객수", kBoarding);
    refuseNegative(in.alighting, "하차 승객수", kAlighting);
    refuseShare(in.cardShare, "버스카드 승객 비율", kCardShare);
    refuseShare(in.exactFareShare, "거스름 없음 비율", kExactFareShare);
    refuseShare(in.changeShare, "거스름 있음 비율", kChangeShare);
    const double sum = double(in.cardShare) + double(in.exactFareShare) + double(in.changeShare);
    if (std::fabs(sum - 100) > kShareSumTolerance)
        refuseInput("승차승객 분포(버스카드 승객, 거스름 없음, 거스름 있음)의 합은 100%여야 합니다. (입력된 합: " +
                        report::plain(static_cast<float>(sum)) + "%)",
                    kCardShare);
    if (in.standees == YesNo::None) refuseInput("입석승객 유무를 선택하십시오.", kStandees);
    if (in.busBay == YesNo::None) refuseInput("버스베이 유무를 선택하십시오.", kBusBay);
    if (in.busType == BusType::None)
        refuseInput("버스형태(도시형 버스, 좌석형 버스, 순환버스)를 선택하십시오.", kBusTypeOption);
}

BerthResult analyseBerth(const BerthInput& in) {
    checkBerth(in);
    BerthResult r;
    r.berthFactor = berthFactorOf(in.waitShare);

    // Boarding time per passenger by fare, longer with standees on board.
    const bool standees = in.standees == YesNo::Yes;
    const float cardTime = standees ? 4.2f : 3.2f;
    const float exactFareTime = standees ? 4.0f : 3.0f;
    const float changeTime = 5.0f;

    // Clearance time: a bay takes longer to leave.
    const bool seat = in.busType == BusType::Seat;
    const float reentry = in.busBay == YesNo::Yes ? (seat ? 9.0f : 9.5f) : (seat ? 8.0f : 9.0f);
    r.tc = 7.0f + reentry;

    const float doorTime = seat ? 3.2f : 3.0f;

    // Single precision throughout, in the method's order.
    const float cardShare = in.cardShare / 100.0f;
    const float exactFareShare = in.exactFareShare / 100.0f;
    const float changeShare = in.changeShare / 100.0f;
    r.td = in.boarding * (cardTime * cardShare + exactFareTime * exactFareShare + changeTime * changeShare) + doorTime;

    const float perHour = r.berthFactor * 3600 * in.gC;
    r.B = int16(divide(perHour, in.gC * r.td + r.tc));
    return r;
}

namespace {

// Where the second item of a line starts, as "분석자 :" does above it.
constexpr int kSecondItemColumn = 39;

std::string item(const std::string& label, const std::string& value) { return "▷ " + label + " : " + value; }

// A content line of one or two items.
std::string itemLine(const std::string& left, const std::string& right = {}) {
    std::string line = "   │   " + left;
    if (!right.empty()) line += report::blanks(std::max(2, kSecondItemColumn - report::columns(line))) + right;
    return line;
}

std::string yesNo(YesNo v) { return v == YesNo::Yes ? "있다" : v == YesNo::No ? "없다" : ""; }

}  // namespace

std::string berthReport(const BerthInput& in, const BerthResult& r) {
    using report::plain;
    const std::string title = "   │                 대중교통시설의 정차면 용량 분석";
    auto inputs = [&](report::BoxReport& b) {
        b.framed(itemLine(item("버스형태", busTypeName(in.busType)))).empty();
        b.framed(itemLine(item("버스대기율", plain(in.waitShare) + "%"), item("g/C 비", plain(in.gC)))).empty();
        b.framed(
             itemLine(item("승차 승객수", plain(in.boarding) + "명"), item("하차 승객수", plain(in.alighting) + "명")))
            .empty();
        b.framed(itemLine("▷ 승차승객 분포"));
        b.framed("   │      - 버스카드 승객 : " + plain(in.cardShare) + "%");
        b.framed("   │      - 거스름 없음   : " + plain(in.exactFareShare) + "%");
        b.framed("   │      - 거스름 있음   : " + plain(in.changeShare) + "%").empty();
        b.framed(itemLine(item("입석승객 유무", yesNo(in.standees)), item("버스베이 유무", yesNo(in.busBay)))).empty();
    };
    auto results = [&](report::BoxReport& b) {
        b.framed("   │   ▷ 정차면 이용 보정계수 = " + plain(r.berthFactor)).empty();
        b.framed("   │   ▷ 정차시간 td = " + plain(r.td) + "초").empty();
        b.framed("   │   ▷ 정차면 소거시간 tc = " + plain(r.tc) + "초").empty();
        b.framed("   │   ▷ 정차면 용량 B = " + plain(r.B) + "대/시").empty();
    };
    return report::narrowReport(title, {{"2. 입력조건", inputs}, {"3. 분석결과", results}});
}

}  // namespace verosa::analyses::transit
