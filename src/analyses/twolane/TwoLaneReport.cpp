// The two-lane report: road and traffic conditions, the peak flow rate, the
// delay rate under base conditions, the small table of the total delay rate,
// and the level.
#include <string>

#include "analyses/twolane/TwoLane.h"
#include "analyses/twolane/TwoLaneReport.h"
#include "report/BoxReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::twolane {

namespace {

using report::at;
using report::blanks;
using report::numtext;

// A frame line of the small table: its four cells of 6, 7, 7 and 7 bars.
std::string tableRule(const char* left, const char* join, const char* right) {
    return "   │   " + report::rule(left, {6, 7, 7, 7}, join, right);
}

}  // namespace

std::string twoLaneReport(const TwoLaneInput& in, const TwoLaneResult& r) {
    const bool general = in.section == kGeneralTerrain;
    report::BoxReport b(36);
    b.top();
    if (general)
        b.framed("   │" + blanks(19) + "2차로도로 일반지형의 운영상태 분석" + blanks(19));
    else
        b.framed("   │" + blanks(16) + "2차로도로 특정경사구간의 운영상태 분석" + blanks(18));
    b.separator();

    b.framed("   │ 1. 일반사항" + blanks(60)).empty();
    b.framed("   │    조사지점 :" + blanks(58)).empty();
    b.framed("   │    조사기간 :" + blanks(27) + "조사자 :" + blanks(23)).empty();
    b.separator();

    b.framed("   │ 2. 도로조건" + blanks(60)).empty();
    b.framed("   │   ▷ 측방여유폭(m):    " + at(in.clearanceText, 4) +
             "     ▷ 설계속도 :   " + at(in.designSpeedText, 5) + "km/시")
        .empty();
    b.framed("   │   ▷ 차로폭(m)    :    " + at(in.laneWidthText, 4) + "   ▷ 도로유형구분 :  " + at(r.roadClass, 5))
        .empty();
    b.framed("   │   ▷ 추월금지구간백분율(%) : " + at(in.noPassingText, general ? 5 : 3) + blanks(31));
    if (general) b.empty();

    b.separator();
    b.framed("   │ 3. 교통조건" + blanks(60)).empty();
    if (general)
        b.framed("   │   ▷ 교통량(양방향) :  " + at(in.volumeText, 5) + " 대/시" + blanks(37));
    else
        b.framed("   │   ▷ 교통량(양방향) :  " + at(in.volumeText, 5) +
                 " 대/시      ▷ 방향별 분포 :  " + at(in.splitText, 6));
    b.empty();
    if (general) {
        b.framed("   │   ▷ 첨두시간계수 :    " + at(numtext(r.PHF), 5) + blanks(12) + "▷ 차량구성비율(%)" + blanks(13));
        b.framed("   │" + blanks(40) + "(트럭·버스:" + at(numtext(r.Pm * 100), 1) +
                 "%, 트레일러:" + at(numtext(r.Pl * 100), 2) + "%)");
    } else {
        b.framed("   │   ▷ 첨두시간계수 :    " + at(numtext(r.PHF), 5) + blanks(12) + "▷ 중차량구성비율(%)" +
                 blanks(11));
        b.framed("   │" + blanks(40) + "(트럭·버스·트레일러:" + at(numtext(r.PT * 100), 2) + "%)");
    }
    b.framed("   │   ▷ 첨두시간 최대 환산교통류율" + blanks(40));
    b.framed("   │      = 교통량/(첨두시간계수<표7-2>×중차량보정계수<표7-3><식7-2>");
    b.framed("   │      " + at(numtext(r.Vp), 5) + "  =  " + at(in.volumeText, 5) + "  / ( " + at(numtext(r.PHF), 5) +
             " × " + at(numtext(r.fhv), 5) + "  )" + blanks(28));
    b.empty();

    b.separator();
    b.framed("   │ 4. 서비스수준분석" + blanks(54)).empty();
    b.framed("   │   ▷ 기본적인 조건에서의 지체율([그림 7-2]) :  " + at(numtext(r.TDRi), 5) + blanks(19)).empty();
    b.framed("   │   ▷ 총지체율 산정" + blanks(53)).empty();
    b.framed(tableRule("┌", "┬", "┐"));
    b.framed("   │   │    TDRi    │     fdlw     │     fdp      │     TDR      │");
    b.framed(tableRule("├", "┼", "┤"));
    // The value cells stand under the heading cells: 12, 14, 14 and 14 columns.
    b.framed("   │   │   " + at(numtext(r.TDRi), 5) + "    │    " + at(numtext(r.fdlw), 5) + "     │    " +
             report::formatText(numtext(r.fdp), "#.000") + "     │    " + at(numtext(r.TDR), 5) + "     │");
    b.framed(tableRule("└", "┴", "┘"));

    b.separator();
    b.framed("   │ 5. 결   과" + blanks(61)).empty();
    b.framed("   │   ▷ 총지체율 : " + at(numtext(r.TDR), 5) + blanks(19) +
             "▷ 서비스수준 :  " + at(std::string(1, r.los), 5) + blanks(9))
        .empty();
    b.bottom();
    return b.text();
}

}  // namespace verosa::analyses::twolane
