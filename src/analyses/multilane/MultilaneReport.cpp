// The multilane report: road and traffic conditions, the three speeds with
// their adjustments (or as measured), the mean speed and the level.
#include <string>

#include "analyses/multilane/Multilane.h"
#include "analyses/multilane/MultilaneReport.h"
#include "report/BoxReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::multilane {

namespace {

using report::at;
using report::numAt;
using report::numPattern;

using report::blanks;

void roadTypeLine(report::BoxReport& b, const MultilaneInput& in) {
    b.framed("   │   ▷ 도로유형 :  " + at(in.roadTypeText, 4) + blanks(46)).empty();
}

void densityLine(report::BoxReport& b, const MultilaneInput& in) {
    b.framed("   │   ▷ 평균신호등밀도 :  " + at(in.D, 4) + "개/km" + blanks(39)).empty();
}

void heavyShareLine(report::BoxReport& b, const MultilaneInput& in) {
    b.framed("   │   ▷ 중차량구성비율 : " + at(in.heavyPercentText, 3) + "%" + blanks(45)).empty();
}

// The mean speed; the measured form closes its line one blank further out.
void meanSpeedBlock(report::BoxReport& b, const MultilaneResult& r, int closingBlanks) {
    b.framed("   │   ▷ 평균통행속도(S) 산출" + blanks(46));
    b.framed("   │      S = (1-p) × Sp2 + p × St2" + blanks(39));
    b.framed("   │          = ( 1 - " + numPattern(r.p, "0.##") + ") × " + numPattern(r.Sp2, "#0.00") + " + " +
             numPattern(r.p, "0.00") + " × " + numPattern(r.St2, "#0.00") + " = " + numPattern(r.S, "#0.00") + "kph" +
             blanks(closingBlanks));
    b.empty();
}

}  // namespace

std::string multilaneReport(const MultilaneInput& in, const MultilaneResult& r) {
    report::BoxReport b(36);
    b.top();
    b.framed("   │                         다차로도로의 운영분석");
    b.separator();

    b.framed("   │ 1. 일반사항" + blanks(60)).empty();
    b.framed("   │    분석지점 :                           분석자 :").empty();
    b.separator();

    b.framed("   │ 2. 도로조건" + blanks(60)).empty();
    roadTypeLine(b, in);
    if (!in.measured) {
        b.framed("   │   ▷ 측방여유폭 : " + at(in.clearanceText, 7) + blanks(12) +
                 "▷ 차로폭 : " + at(in.laneWidthText, 7) + blanks(10))
            .empty();
        b.framed("   │   ▷ 평균유출입지점수 : " + at(in.A, 5) + "개" + blanks(40)).empty();
        b.framed("   │   ▷ 평면선형굴곡도 : " + at(in.H, 5) + "º/km" + blanks(7) + "▷ 종단선형굴곡도 : " + at(in.G, 5) +
                 "m/km")
            .empty();
    }
    densityLine(b, in);

    b.separator();
    b.framed("   │ 3. 교통조건" + blanks(60)).empty();
    if (!in.measured) {
        b.framed("   │   ▷ 교통량(일방향) : " + numAt(in.V, 5) + " 대/시" + blanks(38)).empty();
        b.framed("   │   ▷ 첨두시간계수 : " + numAt(in.PHF, 4) + blanks(47)).empty();
    }
    heavyShareLine(b, in);
    if (!in.measured) b.framed("   │   ▷ 평균 g/C 비 :  " + at(in.gCText, 3) + blanks(47)).empty();

    b.separator();
    b.framed("   │ 4. 운영상태분석" + blanks(56)).empty();
    if (in.measured) {
        b.framed("   │   ▷ 승용차의 최대 평균통행속도(Sp1) : " + numAt(r.Sp1, 3) + "kph" + blanks(26)).empty();
        b.framed("   │   ▷ 승용차의 평균통행속도(Sp2) :  " + numPattern(r.Sp2, "#0.00") + "kph" + blanks(28)).empty();
        b.framed("   │   ▷ 중차량의 평균통행속도(St2) :  " + numPattern(r.St2, "##.00") + "kph" + blanks(28)).empty();
        meanSpeedBlock(b, r, 14);
    } else {
        b.framed("   │   ▷ 첨두시간 환산 교통량 = " + numAt(r.Vp, 5) + "대/시" + blanks(33)).empty();

        b.framed("   │   ▷ 승용차의 최대 평균통행속도(Sp1) 산출" + blanks(30));
        b.framed("   │      Sp1 = BSp - Fwc - Fb - Fh - Fa" + blanks(36));
        b.framed("   │          = " + numAt(r.BSp, 2) + " - " + numAt(r.Fwc, 2) + " - " + numAt(r.Fb, 2) + " - " +
                 numPattern(r.FhPassenger, "##") + " - " + numAt(r.Fa, 2) + " = " + numAt(r.Sp1, 3) + "kph" +
                 blanks(29));
        b.empty();

        b.framed("   │   ▷ 승용차의 평균통행속도(Sp2) 산출" + blanks(35));
        b.framed("   │      Sp2 = Sp1 - Fs - Fv" + blanks(47));
        b.framed("   │          = " + numAt(r.Sp1, 2) + " - " + numPattern(r.FsPassenger, "##.00") + " - " +
                 numPattern(r.FvPassenger, "00.00") + " = " + numPattern(r.Sp2, "#0.00") + "kph" + blanks(31));
        b.empty();

        b.framed("   │   ▷ 중차량의 평균통행속도(St2) 산출" + blanks(35));
        b.framed("   │      St2 = 80 - Fwc - Fh - Fa - Fs - Fv" + blanks(32));
        b.framed("   │          = 80 - " + numAt(r.Fwc, 2) + " - " + numAt(r.FhHeavy, 2) + " - " + numAt(r.Fa, 2) +
                 " - " + numPattern(r.FsHeavy, "##.00") + " - " + numPattern(r.FvHeavy, "#0.##") + " = " +
                 numPattern(r.St2, "##.00") + "kph" + blanks(18));
        b.empty();

        meanSpeedBlock(b, r, 13);
    }

    b.separator();
    b.framed("   │ 5. 결   과" + blanks(61)).empty();
    b.framed("   │   ▷ 서비스 수준 : " + std::string(1, r.los) + blanks(51)).empty();
    b.bottom();
    return b.text();
}

}  // namespace verosa::analyses::multilane
