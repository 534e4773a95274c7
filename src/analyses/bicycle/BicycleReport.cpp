// The bicycle reports: plain unframed lines, the first one empty.
#include "analyses/bicycle/BicycleReport.h"
#include "analyses/bicycle/Bicycle.h"
#include "report/BoxReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::bicycle {

using report::numtext;

std::string pathReport(const BikePathInput& in, const BikePathResult& r) {
    report::PlainReport out;
    out.line("");
    switch (in.type) {
    case PathType::OneWay: out.line("  자전거 전용도로(일방통행)의 분석결과는 다음과 같다. "); break;
    case PathType::TwoWay: out.line("  자전거 전용도로(양방통행)의 분석결과는 다음과 같다. "); break;
    case PathType::Shared: out.line("  자전거, 보행자 겸용도로의 분석결과는 다음과 같다. "); break;
    case PathType::OnStreet: out.line("  노상 자전거 도로의 분석결과는 다음과 같다. "); break;
    case PathType::None: break;
    }
    out.line("  자전거 첨두 15분 교통량 = " + in.volumeText + " / " + numtext(in.PHF) + " = " + numtext(r.Vb));
    if (in.type == PathType::OneWay || in.type == PathType::OnStreet) {
        out.line("  상충횟수(F) = " + numtext(r.F));
        out.line("  서비스 수준 = " + std::string(1, r.los));
    } else {
        out.line("  진행방향 상충횟수(F) = " + numtext(r.Fsame));
        out.line("  진행방향 서비스 수준 = " + std::string(1, r.losSame));
        out.line("  반대방향 상충횟수(F) = " + numtext(r.Fopp));
        out.line("  반대방향 서비스 수준 = " + std::string(1, r.losOpp));
    }
    return out.text();
}

std::string streetReport(const BikeStreetInput& in, const BikeStreetResult& r) {
    report::PlainReport out;
    out.line("");
    if (in.n == 1) {
        out.line("  신호교차로의 자전거도로의 분석결과는 다음과 같다. ");
        out.line("  용량 Cbike = " + numtext(r.Cbike[1]) + " 대/시");
        out.line("  지체 d = " + numtext(r.d[1]) + " 초");
        out.line("  서비스 수준 = " + std::string(1, r.los));
        return out.text();
    }
    out.line("  도시가로상의 자전거도로의 분석결과는 다음과 같다. ");
    out.line("");
    for (int i = 1; i <= in.n; ++i)
        out.line("  교차로 " + numtext(Int16::of(i)) + "  용량 Cbike = " + numtext(r.Cbike[i]) + " 대/시");
    out.line("");
    for (int i = 1; i <= in.n; ++i)
        out.line("  교차로 " + numtext(Int16::of(i)) + "  지체 d = " + numtext(r.d[i]) + " 초");
    out.line("");
    out.line("  평균통행속도 = " + numtext(r.ATS) + " km/시");
    out.line("  서비스 수준 = " + std::string(1, r.los));
    return out.text();
}

}  // namespace verosa::analyses::bicycle
