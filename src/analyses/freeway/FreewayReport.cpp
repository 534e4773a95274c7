// The two reports of the freeway window: literal pieces exactly as the
// worksheet has them, fields through "@" patterns. Numbers in "@" fields are
// number texts (leading space, no zero before the point).
#include <string>

#include "analyses/freeway/Freeway.h"
#include "analyses/freeway/FreewayReport.h"
#include "report/BoxReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::freeway {

namespace {

using report::at;
using report::BoxReport;
using report::numtext;

constexpr int kRun = 36;  // 36 "─": inner width 72 columns

// "▷ 장애물위치" … "▷ 장애물과의거리" and "▷ 차로폭", shared by both reports.
void obstructionLines(BoxReport& b, const FreewayInput& in) {
    b.framed("   │   ▷ 차로폭   :  " + at(in.laneWidthText, 5));
    b.empty();
    b.framed("   │   ▷ 장애물위치 :  " + at(in.sideText, 2) +
             "              ▷ 장애물과의거리 : " + at(in.sideDistanceText, 5));
    b.empty();
}

// The vehicle mix: exactly one of three lines, by section kind and terrain.
void vehicleMixLines(BoxReport& b, const FreewayInput& in) {
    b.framed("   │   ▷ 중차량구성비율");
    if (in.sectionKind == kSpecificGrade) {
        b.framed("   │      ( 소형 : " + at(numtext(100 - in.heavyPercent), 3) + "%, 중·대형 : " + at(in.heavyText, 3) +
                 "% )");
    } else if (in.terrain != kLevel) {
        const double heavy = in.mediumPercent + in.largePercent;
        b.framed("   │      ( 소형 : " + at(numtext(100 - heavy), 3) + "%, 중·대형 : " + at(numtext(heavy), 3) + "% )");
    } else {
        b.framed("   │      ( 소형 : " + at(numtext(100 - (in.mediumPercent + in.largePercent)), 3) +
                 "%, 중형 : " + at(in.mediumText, 3) + "%, 대형 : " + at(in.largeText, 3) + "%     )");
    }
    b.empty();
}

void factorLines(BoxReport& b, const Factors& f) {
    b.framed("   │   ▷ 차로폭 및 측방여유폭 보정계수(fw) = " + at(numtext(f.fw), 4));
    b.empty();
    b.framed("   │   ▷ 중차량보정계수(fhv) =  " + at(numtext(f.fhv), 4));
    b.empty();
}

}  // namespace

std::string operationalReport(const FreewayInput& in, const OperationalResult& r) {
    BoxReport b(kRun);
    b.top();
    b.framed("   │                   고속도로 기본구간의 운영상태 분석");
    b.separator();
    b.framed("   │ 1. 일반사항");
    b.empty();
    b.framed("   │    조사지점 :");
    b.empty();
    b.framed("   │    조사기간 :                           조사자 :");
    b.empty();
    b.separator();

    b.framed("   │ 2. 도로조건");
    b.empty();
    b.framed("   │   ▷ 설계속도 :  " + at(in.designSpeedText, 5) + "               ▷ 차로수 :  " + at(in.lanesText, 1));
    b.empty();
    obstructionLines(b, in);
    b.separator();

    b.framed("   │ 3. 교통조건");
    b.empty();
    b.framed("   │   ▷ 교통량 :   " + at(numtext(in.V), 5) +
             "                   ▷ 첨두시간계수 :  " + at(numtext(in.PHF), 4));
    b.empty();
    vehicleMixLines(b, in);
    b.separator();

    b.framed("   │ 4. 운영상태분석");
    b.empty();
    b.framed("   │   ▷ 첨두시간환산교통류율 Vp = " + at(numtext(r.Vp), 5) + "대/시");
    b.empty();
    factorLines(b, r.factors);
    b.framed("   │   ▷ 서비스수준별 교통량(SFi) 산정");
    b.empty();
    static const char* const kLevelLines[] = {"   │      - LOS A :  ", "   │      - LOS B :  ", "   │      - LOS C :  ",
                                              "   │      - LOS D :  ", "   │      - LOS E :  "};
    for (std::size_t i = 0; i < 5; ++i) b.framed(kLevelLines[i] + at(numtext(r.SF[i]), 5));
    b.separator();

    b.framed("   │ 5. 결   과");
    b.empty();
    b.framed("   │   ▷ 서비스수준 : " + at(std::string(1, r.level), 1));
    b.empty();
    b.bottom();
    return b.text();
}

std::string designReport(const FreewayInput& in, const DesignResult& r) {
    BoxReport b(kRun);
    b.top();
    b.framed("   │                      고속도로 기본구간의 설계분석");
    b.separator();
    b.framed("   │ 1. 일반사항");
    b.empty();
    b.framed("   │    분석지점 :                           분석자 :");
    b.empty();
    b.separator();

    b.framed("   │ 2. 도로조건");
    b.empty();
    b.framed("   │   ▷ 설계속도 :  " + at(in.designSpeedText, 5) +
             "               ▷ 서비스수준 :  " + at(in.targetLevelText, 1));
    b.empty();
    obstructionLines(b, in);
    b.separator();

    b.framed("   │ 3. 교통조건");
    b.empty();
    b.framed("   │   ▷ 중방향 설계시간교통량(DDHV) : " + at(numtext(in.V), 5) + " 대/시");
    b.empty();
    b.framed("   │   ▷ 첨두시간계수 : " + at(numtext(in.PHF), 4));
    b.empty();
    vehicleMixLines(b, in);
    b.separator();

    b.framed("   │ 4. 운영상태분석");
    b.empty();
    b.framed("   │   ▷ 설계 첨두시간 교통량 PDDHV = " + at(numtext(r.PDDHV), 5) + "대/시");
    b.empty();
    b.framed("   │   ▷ 최대 서비스 교통량 검색 MSFi = " + at(numtext(r.MSFi), 5) + "대/시/Lane");
    b.empty();
    factorLines(b, r.factors);
    b.framed("   │   ▷ 공급 서비스 교통량 산정 (SFi) 산정");
    b.empty();
    b.framed("   │      SFi  = MSFi * fw * fhv = " + at(numtext(r.MSFi), 5) + " × " + at(numtext(r.factors.fw), 4) +
             " × " + at(numtext(r.factors.fhv), 4) + " = " + at(numtext(r.SF), 5) + "대/시/Lane");
    b.empty();
    b.separator();

    b.framed("   │ 5. 결   과");
    b.empty();
    b.framed("   │   ▷ 차로수 N = PDDHV / SF = " + at(numtext(r.PDDHV), 4) + " /" + at(numtext(r.SF), 4) + " = " +
             report::format(r.lanesQuotient, "#.##") + " 차로/방향");
    b.empty();
    b.framed("   │   ▷ 편도" + at(numtext(r.N), 1) + "차로가 필요함");
    b.empty();
    b.bottom();
    return b.text();
}

}  // namespace verosa::analyses::freeway
