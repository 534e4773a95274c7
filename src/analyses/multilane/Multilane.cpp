#include "analyses/multilane/Multilane.h"

#include <array>
#include <cstddef>

#include "analyses/LevelOfService.h"
#include "numeric/Result.h"

namespace verosa::analyses::multilane {

const char* const kGreenRatioMessage =
    "g/C값은 0.6이상을 입력해야 합니다. g/C값이 0.6미만의 신호교차로의 경우 독립 신호교차로로 간주하여 "
    "별도의 지체를 고려해야 한다. ";

// ---- the adjustments of the road conditions ----

Int16 laneClearanceAdjustment(int laneWidth, int clearance) {
    // Rows: lane width 3.5 m, 3.25 m, 3.00 m and more; columns: clearance
    // 1.5 m, 1.0 m, 0.5 m, 0.0 m and more.
    static constexpr int kFwc[3][4] = {{0, 1, 2, 3}, {1, 2, 3, 4}, {3, 4, 5, 6}};
    if (laneWidth < 0 || laneWidth > 2 || clearance < 0 || clearance > 3) return Int16::of(0);
    return Int16::of(kFwc[laneWidth][clearance]);
}

Int16 curvatureAdjustment(int roadType, double H) {
    // A band holds the curvatures above the bound before it, up to its own.
    static constexpr std::array<double, 5> kUpTo = {10, 20, 40, 60, 80};
    static constexpr std::array<int, 5> kTypeIFb = {0, 1, 2, 3, 4};
    static constexpr std::array<int, 5> kOtherFb = {0, 1, 1, 2, 3};
    for (std::size_t i = 0; i < kUpTo.size(); ++i)
        if (H <= kUpTo[i]) return Int16::of(roadType == kTypeI ? kTypeIFb[i] : kOtherFb[i]);
    return Int16::of(0);
}

namespace {
constexpr std::array<double, 11> kGradeUpTo = {2, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90};
}

Int16 gradeAdjustmentPassenger(int roadType, double G) {
    static constexpr std::array<int, 11> kTypeIFh = {0, 1, 2, 4, 6, 9, 11, 13, 15, 17, 19};
    static constexpr std::array<int, 11> kOtherFh = {0, 1, 2, 4, 6, 8, 10, 12, 14, 16, 18};
    for (std::size_t i = 0; i < kGradeUpTo.size(); ++i)
        if (G <= kGradeUpTo[i]) return Int16::of(roadType == kTypeI ? kTypeIFh[i] : kOtherFh[i]);
    return Int16::of(0);
}

Int16 gradeAdjustmentHeavy(double G) {
    static constexpr std::array<int, 11> kHeavyFh = {0, 3, 5, 10, 15, 19, 22, 25, 27, 28, 30};
    for (std::size_t i = 0; i < kGradeUpTo.size(); ++i)
        if (G <= kGradeUpTo[i]) return Int16::of(kHeavyFh[i]);
    return Int16::of(0);
}

Int16 accessAdjustment(double A) {
    if (A == 0) return Int16::of(0);
    if (A <= 4) return Int16::of(1);  // negative counts too
    if (A <= 8) return Int16::of(2);
    if (A <= 12) return Int16::of(3);
    if (A <= 16) return Int16::of(4);
    if (A <= 20) return Int16::of(6);
    return Int16::of(8);
}

// ---- table columns by density class ----

int signalColumn(double D) {
    if (D <= 0.3) return 2;
    if (D <= 0.7) return 4;
    if (D <= 1.0) return 6;
    return 0;
}

int volumeColumnPassenger(double D, Int16 Sp1) {
    if (D <= 0.1) return Sp1.value() >= 87 ? 2 : 3;
    if (D <= 0.3) return 4;
    if (D <= 0.7) return 5;
    if (D <= 1.0) return 6;
    return 0;
}

int volumeColumnHeavy(double D) {
    if (D <= 0.1) return 2;
    if (D <= 0.3) return 3;
    if (D <= 0.7) return 4;
    if (D <= 1.0) return 5;
    return 0;
}

int levelColumn(int roadType, double D) {
    if (roadType == kTypeI) {
        if (D <= 0.1) return 1;
        if (D <= 0.3) return 2;
        return 0;
    }
    if (roadType == kTypeII) {
        if (D <= 0.1) return 3;
        if (D <= 0.7) return 4;
        if (D <= 1.0) return 5;
    }
    return 0;
}

// ---- the table lookups ----

float signalAdjustment(const tables::LookupTable& t, double gC, int column) {
    if (gC >= 0.80) return static_cast<float>(t.number(1, column));
    int u = 0;
    if (gC >= 0.75) {
        u = 1;
    } else if (gC >= 0.70) {
        u = 2;
    } else if (gC >= 0.65) {
        u = 3;
    } else if (gC >= 0.60) {
        u = 4;
    } else {
        refuseInput(kGreenRatioMessage, "txtGbyC");
    }
    const int l = u + 1;
    // The two cells rounded to integers; the lower row's g/C in single precision.
    const Int16 Fu = int16(t.number(u, column));
    const Int16 Fl = int16(t.number(l, column));
    const float gl = static_cast<float>(t.number(l, 1));
    return static_cast<float>(Fl - (Fl - Fu) / 0.05 * (gC - gl));
}

// The flow-rate rows of the volume adjustment: row k holds Vp = 400 + 100 k
// (500 to 1800 pcph); below the first row's flow there is no adjustment, above
// the last the last row's value holds.
constexpr int kFirstFlowRow = 1;
constexpr int kLastFlowRow = 14;
constexpr int flowOfRow(int row) { return 400 + 100 * row; }

float volumeAdjustment(const tables::LookupTable& t, Int16 Vp, int column) {
    if (Vp.value() <= flowOfRow(kFirstFlowRow)) return 0;
    if (Vp.value() > flowOfRow(kLastFlowRow)) return static_cast<float>(t.number(kLastFlowRow, column));
    // Rows lo and hi = lo + 1 with flowOfRow(lo) < Vp <= flowOfRow(hi).
    int lo = kFirstFlowRow;
    while (Vp.value() > flowOfRow(lo + 1)) ++lo;
    const int hi = lo + 1;
    const Int16 Flo = int16(t.number(lo, column));
    const Int16 Fhi = int16(t.number(hi, column));
    const float qhi = static_cast<float>(t.number(hi, 1));
    return Fhi - (qhi - Vp) * (Fhi - Flo) / 100;
}

char multilaneLevel(const tables::LookupTable& t, int column, float S) {
    // Rows 1 to 5 of the column hold the lowest speeds of A to E; a speed
    // equal to a row's value already belongs to the next level.
    std::array<float, 5> lowest{};
    for (int row = 1; row <= 5; ++row)
        lowest[static_cast<std::size_t>(row - 1)] = static_cast<float>(t.number(row, column));
    return levelFromLowerBounds(S, std::span<const float>(lowest), AtBound::Worse);
}

// ---- the analysis ----

void checkChoices(const MultilaneInput& in) {
    if (in.roadType < 0) refuseInput("도로 유형구분을 선택하십시오.", "cboTermType");
    if (in.roadType == kTypeIII)
        refuseInput("유형 Ⅲ 도로에는 서비스수준 기준(표 6-8)이 없어 분석할 수 없습니다.", "cboTermType");
    if (in.measured) return;
    if (in.laneWidth < 0) refuseInput("차로폭을 선택하십시오.", "cboLaneWidth");
    if (in.clearance < 0) refuseInput("측방여유폭을 선택하십시오.", "cboSideWidth");
}

void checkGreenRatio(double gC) {
    if (!(gC >= 0.60)) refuseInput(kGreenRatioMessage, "txtGbyC");
}

void checkManyWay(const MultilaneInput& in) {
    checkChoices(in);
    requireWithin(in.D, limits::kDensity, "신호 밀도(개/km)", "txtIntersection");
    if (in.roadType == kTypeI && in.D > 0.3)
        refuseInput(
            "유형 Ⅰ 도로의 신호 밀도는 0.3개/km 이하여야 합니다. 서비스수준 기준(표 6-8)에 "
            "그보다 높은 신호 밀도가 없습니다.",
            "txtIntersection");
    requireWithin(in.heavyPercent, limits::kShare, "중차량구성비(%)", "txtTotalPer");
    if (in.measured) return;

    // The method's own check comes first among the numbers of the road
    // conditions, so its message is the one shown whatever else is wrong.
    checkGreenRatio(in.gC);
    requireWithin(in.gC, limits::kGreenRatio, "g/C 비", "txtGbyC");
    requireWithin(in.volume, limits::kVolume, "교통량(vph)", "txtVolume");
    requireWithin(in.PHF, limits::kPHF, "첨두시간계수(PHF)", "txtPHF");
    Int16::readRounded(in.volume / in.PHF, "첨두시간 환산 교통량(교통량 / PHF)", "txtVolume",
                       "교통량과 첨두시간계수를 확인하십시오.");
    requireWithin(in.H, limits::kCurvature, "평면굴곡도(˚/km)", "txtHorizontal");
    requireWithin(in.G, limits::kVertical, "종단경사도(m/km)", "txtVertical");
}

MultilaneResult analyseMultilane(const MultilaneInput& in, const MultilaneTables& tables) {
    checkManyWay(in);
    MultilaneResult r;
    if (in.measured) {
        r.Sp1 = in.measuredSp1;
        r.Sp2 = in.measuredSp2;
        r.St2 = in.measuredSt2;
    } else {
        r.BSp = Int16::of(in.roadType == kTypeI ? 92 : 87);
        // The volume as read, not V, over PHF.
        r.Vp = int16(in.volume / in.PHF);
        r.Fwc = laneClearanceAdjustment(in.laneWidth, in.clearance);
        r.Fb = curvatureAdjustment(in.roadType, in.H);
        r.FhPassenger = gradeAdjustmentPassenger(in.roadType, in.G);
        r.FhHeavy = gradeAdjustmentHeavy(in.G);
        r.Fa = accessAdjustment(in.A);
        r.Sp1 = r.BSp - r.Fwc - r.Fb - r.FhPassenger - r.Fa;

        const int fsColumn = signalColumn(in.D);
        r.FsPassenger = signalAdjustment(tables.signal, in.gC, fsColumn);
        r.FsHeavy = signalAdjustment(tables.signal, in.gC, fsColumn + 1);
        r.FvPassenger = volumeAdjustment(tables.volumePassenger, r.Vp, volumeColumnPassenger(in.D, r.Sp1));
        r.FvHeavy = volumeAdjustment(tables.volumeHeavy, r.Vp, volumeColumnHeavy(in.D));

        r.Sp2 = r.Sp1 - r.FsPassenger - r.FvPassenger;
        // 80 - Fwc - Fh - Fa in 16-bit integers, the rest in single precision.
        r.St2 = 80 - r.Fwc - r.FhHeavy - r.Fa - r.FsHeavy - r.FvHeavy;
    }
    r.p = static_cast<float>(in.heavyPercent / 100);
    r.S = (1 - r.p) * r.Sp2 + r.p * r.St2;
    r.los = multilaneLevel(tables.levels, levelColumn(in.roadType, in.D), r.S);
    return r;
}

MultilaneTables openMultilaneTables(const tables::LookupTableStore& store) {
    MultilaneTables t;
    t.signal = store.open(tables::LookupTableStore::kQoraFile, "6-6");
    t.volumePassenger = store.open(tables::LookupTableStore::kQoraFile, "6-7a");
    t.volumeHeavy = store.open(tables::LookupTableStore::kQoraFile, "6-7b");
    t.levels = store.open(tables::LookupTableStore::kQoraFile, "6-8");
    return t;
}

}  // namespace verosa::analyses::multilane
