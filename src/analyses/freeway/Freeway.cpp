#include "analyses/freeway/Freeway.h"

#include "analyses/LevelOfService.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

namespace verosa::analyses::freeway {

namespace {

// Table 4-5 holds six grade-length rows for each grade class (after row 0
// of field names): grade class g, length class l are row 6 g + l + 1.
constexpr int kGradeLengthsPerGrade = 6;
int pceRow(int grade, int gradeLength) { return grade * kGradeLengthsPerGrade + gradeLength + 1; }

// Heavy-vehicle share on a specific grade as a fraction.
float heavyShare(const FreewayInput& in) { return static_cast<float>(in.heavyPercent / 100); }

// Column of table 4-5 by the heavy-vehicle share (bounds inclusive, single
// precision); 0 above 50 %, where the table has no column.
int pceColumn(float P) {
    if (P <= 0.05f) return 1;
    if (P <= 0.10f) return 2;
    if (P <= 0.20f) return 3;
    if (P <= 0.30f) return 4;
    if (P <= 0.40f) return 5;
    if (P <= 0.50f) return 6;
    return 0;
}

// A specific grade other than "＜ 2%" reads its equivalent from table 4-5.
bool readsPceTable(const FreewayInput& in) { return in.sectionKind == kSpecificGrade && in.grade > 0; }

// A list the analysis reads must have a choice.
void requireChoice(int index, const char* message, const char* control) {
    if (index < 0) refuseInput(message, control);
}

// Capacity (pcphpl) of the design speed.
Int16 capacityOf(int designSpeed) {
    switch (designSpeed) {
    case kSpeed120: return Int16::of(2300);
    case kSpeed100: return Int16::of(2200);
    default: return Int16::of(2000);
    }
}

}  // namespace

FreewayTables openFreewayTables(const tables::LookupTableStore& store) {
    const char* file = tables::LookupTableStore::kQoraFile;
    return {store.open(file, "4-2"), store.open(file, "4-3"), store.open(file, "4-5")};
}

void checkFreewayChoices(const FreewayInput& in, bool design) {
    requireChoice(in.sectionKind, "분석구간종류를 선택하십시오.", "cboTermType");
    if (in.sectionKind == kGeneralTerrain) {
        requireChoice(in.terrain, "지형을 선택하십시오.", "cboLandType");
    } else {
        requireChoice(in.grade, "경사를 선택하십시오.", "cboGrade");
        // Grade "＜ 2%" takes E = 1.5 without a table read, so its length is not needed.
        if (in.grade > 0) requireChoice(in.gradeLength, "경사길이를 선택하십시오.", "cboGradeLength");
    }
    requireChoice(in.designSpeed, "설계속도를 선택하십시오.", "cboDesignSpeed");
    requireChoice(in.laneWidth, "차로폭을 선택하십시오.", "cboLaneWidth");
    requireChoice(in.sideDistance, "장애물거리를 선택하십시오.", "cboSideWidth");
    if (in.sideText.empty()) refuseInput("장애물 위치(한쪽 또는 양쪽)를 선택하십시오.", "optOneSide");
    if (design) {
        requireChoice(in.targetLevel, "서비스 수준을 선택하십시오.", "cboLOS");
        if (in.targetLevel > 4) refuseInput("서비스 수준 F로는 설계할 수 없습니다.", "cboLOS");
    }
}

void checkFreewayInput(const FreewayInput& in, bool design) {
    checkFreewayChoices(in, design);
    requireWithin(in.PHF, limits::kPHF, "첨두시간계수(PHF)", "txtPHF");
    if (readsPceTable(in) && pceColumn(heavyShare(in)) == 0)
        refuseInput(
            "중차량구성비가 50%를 넘으면 경사구간의 승용차환산계수(표 4-5)를 정할 수 없습니다. "
            "50% 이하로 입력하십시오.",
            "txtTotalPer");
}

void heavyVehicleFactor(const FreewayInput& in, const FreewayTables& t, Factors& f) {
    float fhv = 0;
    if (in.sectionKind == kSpecificGrade) {
        const float P = heavyShare(in);
        if (in.grade == 0) {
            f.E = 1.5f;
        } else {
            const int row = pceRow(in.grade, in.gradeLength);
            f.E = static_cast<float>(t.pce.number(row, pceColumn(P)));
        }
        fhv = divide(1.0f, 1 + (f.E - 1) * P);
    } else {
        const float Pm = static_cast<float>(in.mediumPercent / 100);
        const float Pl = static_cast<float>(in.largePercent / 100);
        switch (in.terrain) {
        case kLevel:
            // The decimal coefficients make this sum double precision.
            fhv = static_cast<float>(divide(1.0, 1 + 0.5 * Pm + 1.0 * Pl));
            break;
        case kRolling: fhv = divide(1.0f, 1 + 2 * (Pm + Pl)); break;
        default: fhv = divide(1.0f, 1 + 4 * (Pm + Pl)); break;
        }
    }
    f.fhv = static_cast<float>(report::roundThrough(fhv, "#.##"));
}

float laneWidthFactor(const FreewayInput& in, const FreewayTables& t, bool threeOrMoreLanes) {
    const int row = in.sideDistance + (threeOrMoreLanes ? 5 : 1);
    const int col = in.laneWidth + (in.bothSides ? 5 : 1);
    return static_cast<float>(t.fw.number(row, col));
}

char freewayLevel(const std::array<Int16, 5>& SF, Int16 Vp) {
    // SF[i] is the most a lane group carries at level A + i.
    return levelFromUpperBounds(Vp, std::span<const Int16>(SF));
}

OperationalResult analyseOperational(const FreewayInput& in, const FreewayTables& t) {
    checkFreewayInput(in, false);
    OperationalResult r;
    r.Vp = Int16::readRounded(in.V / in.PHF, "첨두시간환산교통류율(Vp = V / PHF)", "txtVolume",
                              "교통량과 첨두시간계수를 확인하십시오.");
    r.factors.fw = laneWidthFactor(in, t, in.N > Int16::of(2));
    heavyVehicleFactor(in, t, r.factors);

    const Int16 c = capacityOf(in.designSpeed);
    const int vcColumn = 3 + 2 * in.designSpeed;  // 120, 100, 80 km/h: columns 3, 5, 7
    for (std::size_t i = 0; i < 5; ++i) {
        const float vc = static_cast<float>(t.msf.number(static_cast<int>(i) + 1, vcColumn));
        r.MSF[i] = int16(c * vc);
        const Int16 MSFxN =
            Int16::readRounded(static_cast<double>(r.MSF[i].value()) * in.N.value(),
                               "최대서비스교통량과 차로수의 곱(MSF × N)", "txtLane", "차로수를 확인하십시오.");
        r.SF[i] = Int16::readRounded(MSFxN * r.factors.fw * r.factors.fhv, "서비스수준별 교통량(SFi)", "txtLane",
                                     "차로수와 중차량 구성비율을 확인하십시오.");
    }
    r.level = freewayLevel(r.SF, r.Vp);
    return r;
}

DesignResult analyseDesign(const FreewayInput& in, const FreewayTables& t) {
    checkFreewayInput(in, true);
    DesignResult r;
    r.PDDHV = Int16::readRounded(in.V / in.PHF, "설계 첨두시간 교통량(PDDHV = DDHV / PHF)", "txtVolume",
                                 "DDHV와 첨두시간계수를 확인하십시오.");
    const int msfColumn = 2 + 2 * in.designSpeed;  // 120, 100, 80 km/h: columns 2, 4, 6
    r.MSFi = int16(t.msf.number(in.targetLevel + 1, msfColumn));
    r.factors.fw = laneWidthFactor(in, t, true);
    heavyVehicleFactor(in, t, r.factors);
    r.SF = Int16::readRounded(r.MSFi * r.factors.fw * r.factors.fhv, "공급 서비스 교통량(SF)", {},
                              "중차량 구성비율을 확인하십시오.");
    if (r.SF <= Int16::of(0))
        refuseInput(
            "공급 서비스 교통량(SF)이 0 이하이므로 차로수(N = PDDHV / SF)를 구할 수 없습니다. "
            "중차량 구성비율을 확인하십시오.");
    r.lanesQuotient = r.PDDHV / r.SF;
    // Halves go to the even neighbour: quotients of exactly 1, 2, 3 give 2, 2, 4.
    r.N = Int16::readRounded(r.lanesQuotient + 0.5, "차로수(N)", "txtVolume", "DDHV와 첨두시간계수를 확인하십시오.");
    return r;
}

}  // namespace verosa::analyses::freeway
