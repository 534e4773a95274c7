// The pedestrian reports: walkway, stairway, waiting area and crosswalk, each
// in the narrow report skeleton the pedestrian facilities share.
#include "analyses/pedestrian/PedestrianReport.h"

#include "report/NarrowReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::pedestrian {

using report::at;
using report::format;

std::string walkwayReport(const WalkwayInput& in, const WalkwayResult& r) {
    report::PedestrianReportParts parts;
    parts.titleLine = "   │                      보행자도로의 운영분석";
    parts.inputLines = [&](report::BoxReport& b) {
        b.framed("   │   ▷ 총보도폭 :  " + at(in.Wt, 4) + "m            ▷ 총방해폭원 :  " + at(in.Wo, 4) + "m");
        b.empty();
        b.framed("   │   ▷ 첨두 15분 보행교통량 :  " + at(in.V15typed, 4) + "인/15분");
        b.empty();
    };
    parts.computationLines = [&](report::BoxReport& b) {
        b.framed("   │   ▷ 유효보도폭 계산").empty();
        b.framed("   │      We = Wt - Wo = " + at(in.Wt, 4) + " - " + at(in.Wo, 4) + " = " + at(r.We, 4) + "m");
        b.empty();
        b.framed("   │   ▷ 보행교통류율(인/분/m) 환산").empty();
        b.framed("   │      Vp = V15 / (15 * We) = " + at(in.V15, 4) + " / ( 15 * " + at(r.We, 4) +
                 ") = " + at(r.Vp, 3) + "인/분/m");
        b.empty();
    };
    parts.level = std::string(1, r.los);
    return report::pedestrianReport(parts);
}

std::string stairwayReport(const StairwayInput& in, const StairwayResult& r) {
    report::PedestrianReportParts parts;
    parts.titleLine = "   │                        계단의 운영분석";
    parts.inputLines = [&](report::BoxReport& b) {
        b.framed("   │   ▷ 보행군형태 :  " + at(r.flowWord, 5) + "     ▷ 보행가능폭 :  " + format(in.We, "##.00") +
                 "m");
        b.empty();
        b.framed("   │   ▷ 첨두 15분 보행교통량 :  " + at(in.V15, 4) + "인/15분");
        b.empty();
    };
    parts.computationLines = [&](report::BoxReport& b) {
        b.framed("   │   ▷ 첨두 15분 보행교통류율(인/분/m) 환산").empty();
        b.framed("   │      Vp = V15 / (15 * We) = " + at(in.V15, 4) + " / ( 15 * " + at(in.We, 4) +
                 ") = " + at(r.Vp, 3) + "인/분/m");
        b.empty();
    };
    parts.level = std::string(1, r.los);
    return report::pedestrianReport(parts);
}

std::string waitAreaReport(const WaitAreaInput& in, const WaitAreaResult& r) {
    report::PedestrianReportParts parts;
    parts.titleLine = "   │                       대기공간의 운영분석";
    parts.inputLines = [&](report::BoxReport& b) {
        b.framed("   │   ▷ 대기공간 면적 :  " + at(in.A, 4) + "㎡    ▷ 최대 관측 보행자수 : " + at(in.P, 4) + "인");
        b.empty();
    };
    parts.computationLines = [&](report::BoxReport& b) {
        // M in its plain text form (up to seven significant digits, not rounded).
        b.framed("   │   ▷ 1인당 대기공간 면적 = " + at(in.A, 4) + "㎡ / " + at(in.P, 4) + "인 = " + at(r.M, 4) +
                 "㎡/인");
        b.empty();
    };
    parts.level = std::string(1, r.los);
    return report::pedestrianReport(parts);
}

std::string crosswalkReport(const CrosswalkInput& in, const CrosswalkResult& r) {
    const bool delay = in.method == CrosswalkMethod::Delay;
    const std::string cycleLine =
        "   │   ▷ 총 주기 :  " + at(in.C, 3) + "초            ▷ 보행자 녹색시간 :  " + at(in.G, 3) + "초";
    report::PedestrianReportParts parts;
    parts.level = std::string(1, r.los);
    if (delay) {
        parts.titleLine = "   │              횡단보도의 운영분석(보행자 지체를 이용)";
        parts.inputLines = [&](report::BoxReport& b) { b.framed(cycleLine).empty(); };
        parts.computationLines = [&](report::BoxReport& b) {
            b.framed("   │   ▷ 보행자들의 평균지체 시간 계산").empty();
            b.framed("   │      dp = (C - G)²/ 2C = (" + at(in.C, 3) + " - " + at(in.G, 3) + ")²/ (2 * " + at(in.C, 3) +
                     ") = " + format(r.dp, "###.##") + "초");
            b.empty();
        };
        return report::pedestrianReport(parts);
    }

    parts.titleLine = "   │               횡단보도의 운영분석(점유공간을 이용)";
    parts.inputLines = [&](report::BoxReport& b) {
        b.framed(cycleLine).empty();
        b.framed("   │   ▷ 횡단보도 길이 : " + at(in.L, 3) + "m        ▷ 횡단보도 폭 : " + at(in.W, 4) + "m");
        b.empty();
        b.framed("   │   ▷ 진입보행량 : " + at(in.entering, 4) + "인/15-분   ▷ 진출보행량 :" + at(in.leaving, 4) +
                 "인/15-분");
        b.empty();
        b.framed("   │   ▷ 보행자속도 : " + at(in.S, 4) + "m/초");
        b.empty();
    };
    parts.computationLines = [&](report::BoxReport& b) {
        const std::string perCycleUnit = "인/주기";
        b.framed("   │   ▷ 보행량을 주기 당 보행자수로 환산").empty();
        b.framed("   │      Vi = " + at(r.Vi, 4) + perCycleUnit);
        b.framed("   │      Vo = " + at(r.Vo, 4) + perCycleUnit);
        b.empty();
        b.framed("   │   ▷ 보행자 녹색시간이 시작될 때 대기중이던 보행자수 계산").empty();
        b.framed("   │      N = " + format(r.N, "##.##") + "인/주기");
        b.empty();
        b.framed("   │   ▷ 위의 보행자가 횡단하는데 필요한 시간 계산").empty();
        b.framed("   │      t = " + format(r.t, "##.##") + "초");
        b.empty();
        b.framed("   │   ▷ 횡단보도에서 제공되는 총 여유공간 계산").empty();
        b.framed("   │      TS = " + format(r.TS, "####.##") + "㎡-초");
        b.empty();
        b.framed("   │   ▷ 보행자가 횡단하는데 필요한 총 필요시간 계산").empty();
        b.framed("   │      T = " + format(r.T, "####.##") + "인-초");
        b.empty();
        b.framed("   │   ▷ 보행자 1인당 점유공간").empty();
        b.framed("   │      M = " + format(r.M, "#0.##") + "㎡/인");
    };
    return report::pedestrianReport(parts);
}

}  // namespace verosa::analyses::pedestrian
