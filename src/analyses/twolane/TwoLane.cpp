#include "analyses/twolane/TwoLane.h"

#include <cmath>

#include "analyses/LevelOfService.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"
#include "report/NumberText.h"

namespace verosa::analyses::twolane {

using report::roundThrough;

int peakHourFactorRow(Int16 V) {
    if (V.value() > 2400) return 13;
    int row = 1;
    while (V.value() > 200 * row) ++row;
    return row;
}

int flowClass(float Vp) {
    if (Vp <= 200) return 1;
    if (Vp <= 400) return 2;
    if (Vp <= 600) return 3;
    if (Vp <= 800) return 4;
    if (Vp <= 1400) return 5;
    return 6;
}

int equivalentColumn(float Vd) {
    if (Vd <= 300) return 1;
    if (Vd <= 600) return 2;
    return 3;
}

char twoLaneLevel(double designSpeed, float TDR) {
    if (designSpeed >= 80) return levelFromUpperBounds(TDR, {7.6f, 15.2f, 22.8f, 30.4f, 38.0f});
    return levelFromUpperBounds(TDR, {10, 20, 30, 40, 50});
}

void checkTwoLaneChoices(const TwoLaneInput& in) {
    if (in.section < 0) refuseInput("분석구간종류(일반지형 또는 특정경사구간)를 선택하십시오.", "cboTermType");
    if (in.laneWidth < 0) refuseInput("차로폭을 선택하십시오.", "cboLaneWidth");
    if (in.clearance < 0) refuseInput("측방여유폭을 선택하십시오.", "cboSideWidth");
    if (in.noPassing < 0 || in.noPassing > 5) refuseInput("추월 금지구간 백분율을 선택하십시오.", "cboGradePercent");
    if (in.section == kGeneralTerrain) {
        if (in.terrain != "평지" && in.terrain != "구릉지") refuseInput("지형을 선택하십시오.", "cboLandType");
        return;
    }
    if (in.grade < 0) refuseInput("경사도를 선택하십시오.", "cboGrade");
    if (in.gradeLength < 0) refuseInput("경사길이를 선택하십시오.", "cboGradeLength");
    if (in.split < 0) refuseInput("방향별 교통량분포를 선택하십시오.", "cboDirectionPercentSpecial");
}

void checkTwoLane(const TwoLaneInput& in) {
    checkTwoLaneChoices(in);
    if (in.V.value() < 0) refuseInput("양방향교통류율은 0 이상이어야 합니다.", "txtBothVolume");
    if (!in.phfFromTable && !(in.PHF > 0))
        refuseInput("첨두시간계수(PHF)는 0보다 커야 합니다. 표의 값을 쓰려면 칸을 비워 두십시오.", "txtPHF");
    if (in.mediumPercent < 0 || in.mediumPercent > 100)
        refuseInput("중형차량 구성비율은 0에서 100% 사이여야 합니다.", "txtMiddlePer");
    if (in.largePercent < 0 || in.largePercent > 100)
        refuseInput("대형차량 구성비율은 0에서 100% 사이여야 합니다.", "txtLargePer");
    if (in.mediumPercent + in.largePercent > 100)
        refuseInput("중형차량과 대형차량 구성비율의 합은 100%를 넘을 수 없습니다.", "txtLargePer");
    if (in.section == kGeneralTerrain) return;
    // The directional volumes are V × (3 + split) / 10, computed in 16 bits.
    const int weight = 3 + in.split;
    if (!Int16::fits(static_cast<double>(in.V.value()) * weight))
        refuseInput(tooLargeMessage("양방향교통류율", std::floor(static_cast<double>(Int16::kMax) / weight)),
                    "txtBothVolume");
}

TwoLaneResult analyseTwoLane(const TwoLaneInput& in, const TwoLaneTables& tables) {
    checkTwoLane(in);
    const bool general = in.section == kGeneralTerrain;
    TwoLaneResult r;
    r.PHF = in.phfFromTable ? static_cast<float>(tables.peakHourFactor.number(peakHourFactorRow(in.V), 1)) : in.PHF;
    r.Pm = static_cast<float>(in.mediumPercent / 100);
    r.Pl = static_cast<float>(in.largePercent / 100);

    // The heavy-vehicle factor, rounded to two decimals.
    if (general) {
        if (in.terrain == "평지") {
            r.Em = 1.5f;
            r.El = 1.9f;
        } else {
            r.Em = 2.4f;
            r.El = 2.4f;
        }
        r.fhv = static_cast<float>(roundThrough(divide(1.0f, (r.Em - 1) * r.Pm + 1 + (r.El - 1) * r.Pl), "#0.00"));
    } else {
        r.PT = r.Pm + r.Pl;
        // The first share of the split applied to the two-way volume.
        const Int16 shares = in.V * (3 + in.split);
        r.Vd = static_cast<float>(roundThrough(shares / 10, "#####"));
        r.ET = static_cast<float>(tables.equivalent.number(7 * in.grade + in.gradeLength + 1, equivalentColumn(r.Vd)));
        r.fhv = static_cast<float>(roundThrough(divide(1.0f, (r.ET - 1) * r.PT + 1), "#0.00"));
    }
    if (!(r.fhv > 0))
        refuseInput("중차량보정계수(fhv)가 0이 되어 교통류율을 계산할 수 없습니다. 차량 구성비율을 확인하십시오.",
                    "txtMiddlePer");

    r.Vp = static_cast<float>(roundThrough(divide(static_cast<float>(in.V), r.fhv * r.PHF), "#####"));
    const char* tenths = general ? "#0.0" : "##.0";
    if (in.designSpeed >= 80) {
        r.roadClass = "Ⅰ";
        r.TDRi = static_cast<float>(roundThrough(0.012 * r.Vp, tenths));
    } else {
        r.roadClass = "Ⅱ";
        r.TDRi = static_cast<float>(roundThrough(0.0155 * r.Vp, tenths));
    }
    r.fdlw = static_cast<float>(tables.laneClearance.number(in.clearance + 1, in.laneWidth + 1));
    if (general) {
        static constexpr float kNoPassing[6] = {1.0f, 1.017f, 1.034f, 1.051f, 1.068f, 1.085f};
        r.fdp = kNoPassing[in.noPassing];
    } else {
        r.fdp = static_cast<float>(tables.noPassing.number(flowClass(r.Vp) + 6 * in.split, in.noPassing + 1));
    }
    r.TDR = static_cast<float>(roundThrough(r.fdlw * r.TDRi * r.fdp, "##0.0"));
    r.los = twoLaneLevel(in.designSpeed, r.TDR);
    return r;
}

TwoLaneTables openTwoLaneTables(const tables::LookupTableStore& store) {
    TwoLaneTables t;
    t.peakHourFactor = store.open(tables::LookupTableStore::kQoraFile, "3-2");
    t.laneClearance = store.open(tables::LookupTableStore::kQoraFile, "3-5");
    t.noPassing = store.open(tables::LookupTableStore::kQoraFile, "3-7");
    t.equivalent = store.open(tables::LookupTableStore::kQoraFile, "3-8");
    return t;
}

}  // namespace verosa::analyses::twolane
