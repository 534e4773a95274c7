// The worksheet pages. Each value goes into an "@" field in its plain text
// ("0.91", "1450"); a cell a row does not use is blank.
#include "analyses/signalized/Worksheets.h"

#include <string>

#include "report/BoxReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::signalized {

namespace {

using report::at;

// Lines that end in CR LF, as the worksheet view holds them.
class Sheet {
public:
    Sheet& operator<<(const std::string& line) {
        text_ += line;
        text_ += "\r\n";
        return *this;
    }
    std::string text() const { return text_; }

private:
    std::string text_;
};

std::string level(char los) { return los ? std::string(1, los) : std::string(); }

const char* const kMovementRows[3] = {"│  │좌회전│", nullptr, "│  │우회전│"};

std::string throughRowStart(int i) {
    return std::string("│") + kApproachNames[static_cast<std::size_t>(i)] + "│직  전│";
}

}  // namespace

std::string volumeAdjustmentPage(const IntersectionInput& in, const IntersectionResult& r) {
    Sheet s;
    s << "┌──────────────────────────────────┐"
      << "│                  신호 교차로의 분석과정 (교통량 보정)              │"
      << "├─┬───┬───┬───┬───┬───┬───┬────┬───┤"
      << "│구│      │ 시간 │ 첨두 │ 첨두 │      │이동류│        │환 산 │"
      << "│분│이동류│교통량│ 시간 │교통량│차선수│교통량│차선이용│교통량│"
      << "│  │      │(vph) │ 계수 │(vph) │      │(vph) │  계수  │(vph) │"
      << "│  │      │      │(PHF) │      │      │      │        │      │"
      << "├─┼───┼───┼───┼───┼───┼───┼────┼───┤";
    for (int i = 0; i < kApproaches; ++i) {
        const ApproachInput& a = in.approach[static_cast<std::size_t>(i)];
        const ApproachResult& x = r.approach[static_cast<std::size_t>(i)];
        auto row = [&](std::string start, Int16 volume, Int16 peak, Int16 lanes) {
            s << start + at(volume, 6) + "│" + at(a.PHF, 6) + "│" + at(peak, 6) + "│" + at(lanes, 4) + "  │" +
                     at(peak, 6) + "│" + at("1.00", 8) + "│" + at(peak, 6) + "│";
        };
        row(kMovementRows[0], a.VL, x.vL, x.NL);
        s << "│  ├───┼───┼───┼───┼───┼───┼────┼───┤";
        row(throughRowStart(i), a.VT, x.vT, x.NT);
        s << "│  ├───┼───┼───┼───┼───┼───┼────┼───┤";
        row(kMovementRows[2], a.VR, x.vR, x.NR);
        s << (i + 1 < kApproaches ? "├─┼───┼───┼───┼───┼───┼───┼────┼───┤" : "└─┴───┴───┴───┴───┴───┴───┴────┴───┘");
    }
    return s.text();
}

std::string rightTurnPage(const IntersectionInput& in, const IntersectionResult& r) {
    const char* const separator = "├──────────────┼──────┼──────┼──────┼──────┤";
    Sheet s;
    s << "┌──────────────────────────────────────────┐"
      << "│                   우회전보정계수(fRT) 계산을 위한 분석 과정표                      │"
      << "├──────────────┬──────┬──────┬──────┬──────┤"
      << "│내용                        │     EB     │     WB     │     NB     │     SB     │" << separator;
    // A row of one value per approach.
    auto values = [&](const char* label, auto value) {
        std::string line = label;
        for (int i = 0; i < kApproaches; ++i) line += value(r.approach[static_cast<std::size_t>(i)], i) + "   │";
        s << line;
    };
    values("│교차도로 차선수             │", [&](const ApproachResult&, int i) {
        const int lanes = in.approach[static_cast<std::size_t>(kExitLeg[static_cast<std::size_t>(i)])].crossLanes;
        return at(static_cast<double>(lanes < 0 ? 0 : lanes), 9);
    });
    values("│우회전 곡선반경             │",
           [&](const ApproachResult&, int i) { return at(in.approach[static_cast<std::size_t>(i)].R, 9); });
    values("│SRT(표3-9)                  │", [](const ApproachResult& x, int) { return at(x.SRT, 9); });
    s << separator;
    values("│ fp(표3-10)                 │", [](const ApproachResult& x, int) { return at(x.fp, 9); });
    s << separator;
    std::string times = "│C / g / gP / gC             │";
    for (const ApproachResult& x : r.approach)
        times += at(in.C, 3) + "/" + at(x.g, 2) + "/" + at(x.gP, 2) + "/" + at(x.gC, 2) + "│";
    s << times << separator;
    s << "│         g - fP ㆍ gP       │            │            │            │            │";
    values("│VR' = ───────────│", [](const ApproachResult& x, int) { return at(x.VRc, 9); });
    s << "│       C - (gC + fP ㆍ gP)  │            │            │            │            │" << separator;
    values("│F = fWㆍfgㆍfbbㆍfpㆍfHV    │", [](const ApproachResult& x, int) { return at(x.F, 9); });
    s << separator;
    values("│DR = SRTㆍ(g-fPㆍgP)÷C×F  │", [](const ApproachResult& x, int) { return at(x.DR, 9); });
    s << "├──────┬───────┼──────┼──────┼──────┼──────┤";
    values("│            │    K1 계산   │", [](const ApproachResult& x, int) { return at(x.K1, 9); });
    values("│            │    K2 계산   │", [](const ApproachResult& x, int) { return at(x.K2, 9); });
    s << "│            ├───────┼──────┼──────┼──────┼──────┤";
    values("│            │    ERT계산   │", [](const ApproachResult& x, int) { return at(x.ERT, 9); });
    values("│            │    fRT계산   │", [](const ApproachResult& x, int) { return at(x.fRT, 9); });
    s << "└──────┴───────┴──────┴──────┴──────┴──────┘";
    return s.text();
}

std::string saturationFlowPage(const IntersectionResult& r) {
    Sheet s;
    s << "┌────────────────────────────────────────┐"
      << "│               신호 교차로의 분석과정 (포화교통류율 보정 과정)                  │"
      << "├─────┬─────┬──┬────────────────────┬────┤"
      << "│          │          │    │           보  정  계  수               │        │"
      << "│          │          │ 차 ├──┬──┬──┬──┬──┬──┬──┤보정포화│"
      << "│ 이 동 류 │기본포화  │ 선 │차  │구  │중  │버스│주  │좌  │우  │교통류율│"
      << "│          │교통류율  │ 수 │선  │    │차  │정류│    │회  │회  │ (vphg) │"
      << "│          │(pcphgpl) │(N) │폭  │배  │량  │ 장 │차  │전  │전  │        │"
      << "│          │          │    │fw  │fg  │fHV │fbb │fP  │fLT │fRT │        │"
      << "├─┬───┼─────┼──┼──┼──┼──┼──┼──┼──┼──┼────┤";
    const std::string blank = at("", 4);
    for (int i = 0; i < kApproaches; ++i) {
        const ApproachResult& x = r.approach[static_cast<std::size_t>(i)];
        // fw, fg, fHV, fbb, fP, fLT, fRT: a factor the row does not use is blank.
        auto row = [&](std::string start, Int16 lanes, const std::array<std::string, 7>& factors, Int16 flow) {
            std::string line = start + at("2200", 6) + "    │" + at(lanes, 4) + "│";
            for (const std::string& f : factors) line += f + "│";
            s << line + at(flow, 8) + "│";
        };
        row(kMovementRows[0], x.NL, {at(x.fwL, 4), blank, blank, blank, blank, at(x.fLT, 4), blank}, x.sL);
        s << "│  ├───┼─────┼──┼──┼──┼──┼──┼──┼──┼──┼────┤";
        row(throughRowStart(i), x.NT,
            {at(x.fwT, 4), at(x.fg, 4), at(x.fHV, 4), at(x.fbb, 4), at(x.fP, 4), blank, blank}, x.sT);
        s << "│  ├───┼─────┼──┼──┼──┼──┼──┼──┼──┼──┼────┤";
        row(kMovementRows[2], x.NR, {at(x.fwR, 4), blank, blank, blank, blank, blank, at(x.fRT, 4)}, x.sR);
        s << (i + 1 < kApproaches ? "├─├───┼─────┼──┼──┼──┼──┼──┼──┼──┼──┼────┤"
                                  : "└─┴───┴─────┴──┴──┴──┴──┴──┴──┴──┴──┴────┘");
    }
    return s.text();
}

std::string capacityPage(const IntersectionResult& r) {
    const char* const heading = "│          │      │      │      │      │      │      │      │      │      │";
    Sheet s;
    s << "┌─────────────────────────────────────────┐"
      << "│                        신호 교차로의 분석과정 (용량분석 과정)                    │"
      << "├─────┬───┬───┬───┬───┬───┬───┬───┬───┬───┤" << heading
      << "│          │      │      │      │      │      │      │ 연동 │이동류│이동류│"
      << "│ 이 동 류 │v/s비 │g/C비 │이동류│v/c비 │ 균일 │ 임의 │ 보정 │ 평균 │서비스│"
      << "│          │      │      │ 용량 │      │ 지체 │ 지체 │ 계수 │ 정지 │ 수준 │"
      << "│          │      │      │      │(vph) │      │      │ (PF) │ 지체 │      │" << heading
      << "├─┬───┼───┼───┼───┼───┼───┼───┼───┼───┼───┤";
    auto row = [&](std::string start, float vs, float gc, Int16 c, float X, float d1, float d2, float PF, float d,
                   char los) {
        s << start + at(vs, 5) + " │" + at(gc, 5) + " │" + at(c, 6) + "│" + at(X, 6) + "│" + at(d1, 6) + "│" +
                 at(d2, 6) + "│" + at(PF, 6) + "│" + at(d, 6) + "│" + at(level(los), 3) + "   │";
    };
    for (int i = 0; i < kApproaches; ++i) {
        const ApproachResult& x = r.approach[static_cast<std::size_t>(i)];
        row(kMovementRows[0], x.vOverSL, x.gOverCL, x.cL, x.XL, x.d1L, x.d2L, x.PFL, x.dL, x.LOSL);
        s << std::string("│") + kApproachNames[static_cast<std::size_t>(i)] +
                 "├───┼───┼───┼───┼───┼───┼───┼───┼───┼───┤";
        row("│  │직  전│", x.vOverS, x.gOverC, x.c, x.X, x.d1, x.d2, x.PF, x.d, x.LOS);
        s << (i + 1 < kApproaches ? "├─┼───┼───┼───┼───┼───┼───┼───┼───┼───┼───┤"
                                  : "└─┴───┴───┴───┴───┴───┴───┴───┴───┴───┴───┘");
    }
    s << "  ┌─────┬───┬───┬───┬───┐"
      << "  │          │  EB  │  WB  │  NB  │  SB  │"
      << "  ├─────┼───┼───┼───┼───┤   교차로 지체 =    " + at(r.dI, 5) + " 초";
    std::string delays = "  │접근로지체│ ";
    for (const ApproachResult& x : r.approach) delays += at(x.dA, 4) + " │ ";
    s << delays << "  ├─────┼───┼───┼───┼───┤ ";
    std::string levels = "  │서비스수준│";
    for (int i = 0; i < kApproaches; ++i) {
        levels += at(level(r.approach[static_cast<std::size_t>(i)].LOSA), 4);
        levels += i + 1 < kApproaches ? "  │" : "  │   교차로 서비스 수준 = ";
    }
    s << levels + at(level(r.LOSI), 2) << "  └─────┴───┴───┴───┴───┘";
    return s.text();
}

std::string worksheetPage(int page, const IntersectionInput& in, const IntersectionResult& r) {
    switch (page) {
    case 0: return volumeAdjustmentPage(in, r);
    case 1: return rightTurnPage(in, r);
    case 2: return saturationFlowPage(r);
    default: return capacityPage(r);
    }
}

}  // namespace verosa::analyses::signalized
