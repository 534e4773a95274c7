#include "analyses/weaving/WeavingReport.h"

#include "report/NumberText.h"

namespace verosa::analyses::weaving {

namespace {

using report::at;
using report::BoxReport;
using report::format;
using report::numtext;

using report::numAt;

std::string letter(char los) { return std::string(1, los); }

void writeHeading(BoxReport& b, const char* title) {
    b.top();
    b.framed(title);
    b.separator();
    b.framed("   │ 1. 일반사항");
    b.empty();
    b.framed("   │    분석지점 :                           분석자 :");
    b.separator();
    b.framed("   │ 2. 도로조건");
    b.empty();
}

void writeLevel(BoxReport& b, char los) {
    b.separator();
    b.framed("   │ 5. 서비스 수준 판정");
    b.empty();
    b.framed("   │   ▷ 서비스 수준 : " + at(letter(los), 1));
    b.bottom();
}

const char* const kOperationTitle = "   │                          연결로 엇갈림 구간의 운영분석";

}  // namespace

void writeStepBlock(BoxReport& b, const WeavingStep& s, BlockForm form) {
    b.empty();
    b.framed("   │  L = " + numtext(s.L) + "m일 때");
    b.empty();
    b.framed("   │  Ww = 0.059 × (1 + " + numAt(s.VR, 1) + ")^2.2 ×(" + numAt(s.V, 5) + "/" + numtext(s.N) +
             ")^0.97) / " + numAt(s.L, 4) + "^0.8 = " + format(s.Ww, "0.000"));
    b.framed("   │  Wnw = 0.00000054 × (1 + " + numAt(s.VR, 1) + ")^0.68 ×(" + numAt(s.V, 5) + "/" + numtext(s.N) +
             ")^2.0) /" + numAt(s.L, 4) + "^0.17 = " + format(s.Wnw, "0.000"));
    b.framed("   │  Sw = 30 + [(" + numAt(s.S, 2) + "+ 10) - 30 ] / (1 + " + format(s.Ww, "0.000") +
             ") = " + format(s.Sw, "##.00") + "km/h");
    b.framed("   │  Snw = 30 + [(" + numAt(s.S, 2) + "+ 10) - 30 ] / (1 + " + format(s.Wnw, "0.000") +
             ") = " + format(s.Snw, "##.00") + "km/h");
    b.framed("   │  S = " + numAt(s.V, 3) + "/ [" + numAt(s.Vw, 3) + "/" + format(s.Sw, "##.00") + " + " +
             format(s.Vnw, "####") + "/" + format(s.Snw, "##.00") + "] = " + format(s.Sbar, "##.00") + "km/h");
    const std::string density = "   │  D = [" + numAt(s.V, 3) + "/" + numAt(s.N, 1) + "] / " + format(s.Sbar, "##.00") +
                                " = " + format(s.D, "##.00") + "pcpkmpl";
    if (form == BlockForm::Operation)
        b.framed(density);
    else
        b.framed(density + "  ───> 서비스수준 : " + at(letter(s.los), 1));
}

std::string mainlineReport(const WeavingInput& in, const MainlineResult& r) {
    const WeavingStep& s = r.step;
    BoxReport b(38);
    writeHeading(b, kOperationTitle);
    b.framed("   │   ▷ 설계속도 :  " + at(in.designSpeed, 3) + "km/시");
    b.empty();
    b.framed("   │   ▷ 본선차로수(양방향) :  " + at(in.typed.lanes, 2) +
             "차로     ▷ 엇갈림구간의 길이 :  " + numAt(s.L, 3) + "m");
    b.separator();
    b.framed("   │ 3. 교통조건");
    b.empty();
    b.framed("   │   ▷ 본선 교통량 : " + at(in.typed.mainVolume, 5) +
             " 대/시        ▷ 첨두시간계수 : " + numAt(r.PHF, 4));
    b.empty();
    b.framed("   │   ▷ 유입 교통량 : " + at(in.typed.enteringVolume, 5) +
             " 대/시        ▷ 유출 교통량 : " + at(in.typed.exitingVolume, 5) + " 대/시");
    b.empty();
    b.framed("   │   ▷ 중차량 구성비 : " + at(in.typed.heavyPercent, 2) + "%");
    b.separator();
    b.framed("   │ 4. 운영분석");
    b.empty();
    b.framed("   │   ▷ 중차량보정계수 : " + format(r.fhv, "0.00"));
    b.empty();
    b.framed("   │   ▷ 비엇갈림 교통량 Vnw = " + numAt(s.Vnw, 5) + "대/시 ▷ 엇갈림 교통량  Vw  = " + numAt(s.Vw, 5) +
             "대/시");
    b.empty();
    b.framed("   │   ▷ Vp = " + numAt(s.V, 5) + "대/시                  ▷ 차로수 = " + numAt(s.N, 1) + "차로");
    b.empty();
    b.framed("   │   ▷ VR = " + numAt(s.Vw, 5) + " / " + numAt(s.V, 5) + " = " + format(s.VR, "0.00"));
    b.empty();
    writeStepBlock(b, s, BlockForm::Operation);
    writeLevel(b, s.los);
    return b.text();
}

std::string rampToRampReport(const WeavingInput& in, const RampToRampResult& r) {
    BoxReport b(38);
    writeHeading(b, kOperationTitle);
    b.framed("   │   ▷ 분석구간 평균 공간 속도 :  " + numAt(r.Sa, 3) + "km/시");
    b.empty();
    b.framed("   │   ▷ 엇갈림구간의 길이 :  " + numAt(r.L, 3) + "m");
    b.separator();
    b.framed("   │ 3. 교통조건");
    b.empty();
    b.framed("   │   ▷ 유입 교통량 : " + at(in.typed.enteringVolume, 5) +
             " 대/시        ▷ 유출 교통량 : " + at(in.typed.exitingVolume, 5) + " 대/시");
    b.empty();
    b.framed("   │   ▷ 중차량 구성비 : " + at(in.typed.heavyPercent, 2) +
             "%              ▷ 첨두시간계수 : " + numAt(r.PHF, 4));
    b.separator();
    b.framed("   │ 4. 운영분석");
    b.empty();
    b.framed("   │   ▷ 중차량보정계수 : " + format(r.fhv, "0.00"));
    b.empty();
    b.framed("   │   ▷ 첨두시간 승용차 환산교통량(유출) = " + at(in.typed.exitingVolume, 5) + " / ( " +
             format(r.PHF, "0.00") + " × " + format(r.fhv, "0.00") + ") = " + numAt(r.Vout, 5) + "pcph");
    b.empty();
    b.framed("   │   ▷ 첨두시간 승용차 환산교통량(유입) = " + at(in.typed.enteringVolume, 5) + " / ( " +
             format(r.PHF, "0.00") + " × " + format(r.fhv, "0.00") + ") = " + numAt(r.Vin, 5) + "pcph");
    b.empty();
    b.framed("   │   ▷ 엇갈림 교통량  Vp  = " + numAt(r.Vp, 5) + "대/시");
    b.empty();
    // The line shows Sa while the density uses 2 x Sa.
    b.framed("   │   ▷ 밀도 D = " + numAt(r.Vp, 5) + " / " + numAt(r.Sa, 3) + " = " + format(r.D, "00.00") + "pcpkmpl");
    writeLevel(b, r.los);
    return b.text();
}

std::string designReport(const WeavingInput& in, const DesignResult& r) {
    const WeavingStep& s = r.base;
    BoxReport b(38);
    writeHeading(b, "   │                          엇갈림 구간의 설계분석");
    b.framed("   │   ▷ 설계속도 :  " + numAt(s.S, 3) + "km/시              ▷ 서비스수준 :  " + at(r.target, 1));
    b.empty();
    b.framed("   │   ▷ 본선차로수(양방향)   :  " + at(in.typed.lanes, 2) + "차로");
    b.empty();
    b.framed("   │   ▷ 최대 허용 엇갈림구간의 길이 :  " + numAt(r.Lmax, 3) + "m");
    b.separator();
    b.framed("   │ 3. 교통조건");
    b.empty();
    b.framed("   │   ▷ 본선 교통량 : " + at(in.typed.mainVolume, 5) +
             " 대/시          ▷ 첨두시간계수 : " + numAt(r.PHF, 4));
    b.empty();
    b.framed("   │   ▷ 유입 교통량 : " + at(in.typed.enteringVolume, 5) +
             " 대/시          ▷ 유출 교통량 : " + at(in.typed.exitingVolume, 5) + " 대/시");
    b.separator();
    b.framed("   │ 4. 계획 분석");
    b.empty();
    b.framed("   │   ▷ 비엇갈림 교통량 Vnw = " + numAt(s.Vnw, 5) + "대/시");
    b.empty();
    b.framed("   │   ▷ 엇갈림 교통량   Vw  = " + numAt(s.Vw, 5) + "대/시");
    b.empty();
    b.framed("   │   ▷ 교통량 비 VR = " + numAt(s.VR, 4) + "                ▷ V / N = " + numAt(s.V, 4) + " / " +
             numAt(s.N, 1) + " = " + numAt(r.VperN, 4));
    b.separator();
    b.framed("   │ 5. 엇갈림 구간길이에 따른 서비스수준판단(최대허용엇갈림길이에서 10m씩 감소)");
    for (const WeavingStep& block : r.blocks) writeStepBlock(b, block, BlockForm::Design);
    b.separator();
    b.framed("   │ 6. 적정 엇갈림 구간 길이 결정");
    b.empty();
    b.framed("   │   최소 엇갈림 구간 길이 : " + numAt(r.Lstar, 3) + "m (서비스수준 : " + at(r.target, 1) + " 유지)");
    b.bottom();
    return b.text();
}

}  // namespace verosa::analyses::weaving
