#include "analyses/weaving/WeavingDesign.h"

#include "analyses/weaving/Weaving.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

namespace verosa::analyses::weaving {

Int16 densityBound(const std::string& target) {
    if (target == "A") return Int16::of(6);
    if (target == "B") return Int16::of(12);
    if (target == "C") return Int16::of(17);
    if (target == "D") return Int16::of(22);
    if (target == "E") return Int16::of(27);
    if (target == "F") refuseInput("서비스 수준 F로는 설계할 수 없습니다.", field::kTarget);
    refuseInput("서비스수준을 선택하십시오.", field::kTarget);
}

LengthSearch searchMinimumLength(Int16 Lmax, Int16 Dmax, const std::function<float(Int16)>& densityAt) {
    Int16 L = Lmax;
    // The bound is a 16-bit integer compared with the single-precision density.
    while (densityAt(L) <= static_cast<float>(Dmax)) {
        if (L.value() - 10 <= 0) return {false, {}, L};
        L = L - 10;
    }
    return {true, L + 10, {}};
}

DesignResult analyseDesign(const WeavingInput& in) {
    const double main = checkedVolume(in.mainVolume, field::kMainVolume, "본선교통량");
    const double entering = checkedVolume(in.enteringVolume, field::kEnteringVolume, "유입교통량");
    const double exiting = checkedVolume(in.exitingVolume, field::kExitingVolume, "유출교통량");
    const Int16 S = designSpeedOf(in.designSpeed);
    const double lanes = checkedLanes(in.lanes);
    DesignResult r;
    r.PHF = checkedPHF(in.PHF);
    r.Lmax = lengthOf(in.length, "최대 허용 구간길이");
    r.Dmax = densityBound(in.target);
    r.target = in.target;

    // No heavy-vehicle factor in the design analysis.
    r.Vin = peakFlow(entering, r.PHF, field::kEnteringVolume, "유입교통량");
    r.Vout = peakFlow(exiting, r.PHF, field::kExitingVolume, "유출교통량");
    r.Vmain = peakFlow(main, r.PHF, field::kMainVolume, "본선교통량");
    r.base = mainlineState(r.Vin, r.Vout, r.Vmain, lanes, S, r.Lmax);
    r.VperN = int16(r.base.V / r.base.N);

    auto stepAt = [&r](Int16 L) {
        WeavingStep s = r.base;
        s.L = L;
        runWeavingStep(s);
        return s;
    };
    const LengthSearch search = searchMinimumLength(r.Lmax, r.Dmax, [&](Int16 L) { return stepAt(L).D; });
    if (!search.found)
        refuseInput("최대 허용 구간길이 " + report::plain(r.Lmax) + "m에서 " + report::plain(search.shortest) +
                        "m까지 10m씩 줄여도 밀도가 서비스수준 " + r.target + "의 기준(" + report::plain(r.Dmax) +
                        "pcpkmpl) 이내입니다.\n0m 이하의 길이는 계산할 수 없으므로 최소 엇갈림 구간 길이를 "
                        "정할 수 없습니다.",
                    field::kLength);
    r.Lstar = search.Lstar;
    for (Int16 L : {r.Lmax, r.Lstar + 20, r.Lstar + 10, r.Lstar, r.Lstar - 10}) r.blocks.push_back(stepAt(L));
    return r;
}

}  // namespace verosa::analyses::weaving
