// The unsignalized intersection: Ex#2 worked by hand, halves to even, the
// order of the failures, and a refusal and a failure through the window (the
// reports and the other messages are golden cases).
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "analyses/unsignalized/Unsignalized.h"
#include "analyses/unsignalized/UnsignalizedForm.h"
#include "report/NumberText.h"

using namespace verosa;
using namespace verosa::analyses::unsignalized;

namespace {

// Ex#2: 2 x 1 form, lanes 2 2 1 1, small and large vehicles per movement.
UnsignalizedInput example2() {
    UnsignalizedInput in;
    in.intersectionType = kTwoByOne;
    in.intersectionText = "2 × 1 형태";
    in.lanes = {2, 2, 1, 1};
    const int small[kMovements] = {29, 250, 50, 57, 300, 100, 48, 145, 60, 12, 121, 31};
    for (std::size_t m = 0; m < kMovements; ++m) in.small[m] = Int16::of(small[m]);
    in.large[kEBL] = Int16::of(4);
    in.large[kWBL] = Int16::of(9);
    return in;
}

TEST(Unsignalized, Example2WorkedByHand) {
    // Equivalent volumes v = small + 1.8 x large, halves to even: EB L 29 + 7.2 =
    // 36.2 -> 36, WB L 57 + 16.2 = 73.2 -> 73; the others have no large vehicles.
    // Conflicting flows (N1 = N2 = 2), in the order computed:
    //   NB R (8):  vET / N1 + 0.5 vER = 125 + 25 = 150
    //   SB R (11): vWT / N2 + 0.5 vWR = 150 + 50 = 200
    //   WB L (3):  vER + vET = 50 + 250 = 300
    //   EB L (0):  vWR + vWT = 100 + 300 = 400
    //   NB T (7):  125 + 25 + vEL 36 + vWR 100 + vWT 300 + vWL 73 = 659
    //   SB T (10): 0.5 x 100 + 300 + 73 + vER 50 + vET 250 + vEL 36 = 759
    //   NB L (6):  vST + vNT + vSR = 121 + 145 + 31 = 297
    // cp = Vc e^(-Vc tc/3600) / (1 - e^(-Vc tf/3600)); right turns tc 4.4, tf 2.8
    // (entry 4 of 2 x 1), the others tc 4.9, tf 2.5 (entry 1):
    //   NB R 150 x .83249 / .11012 = 1134.00 -> 1134    SB R 200 x .78314 / .14406 = 1087.24 -> 1087
    //   WB L 300 x .66476 / .18806 = 1060.42 -> 1060    EB L 400 x .58016 / .24253 =  956.83 ->  957
    //   NB T 659 x .40780 / .36722 =  731.82 ->  732    SB T 759 x .35591 / .40968 =  659.39 ->  659
    //   NB L 297 x .66748 / .18637 = 1063.69 -> 1064
    // u = v / cp x 100 through "##.##"; p = 1 - .0064 u - .000004 u^2 through "#.##":
    //   NB R  60 / 1134 =  5.29: 1 - .033856 - .000112 = .96603 -> .97
    //   SB R  31 / 1087 =  2.85: 1 - .018240 - .000032 = .98173 -> .98
    //   WB L  73 / 1060 =  6.89: 1 - .044096 - .000190 = .95571 -> .96
    //   EB L  36 /  957 =  3.76: 1 - .024064 - .000057 = .97588 -> .98
    //   NB T 145 /  732 = 19.81: 1 - .126784 - .001570 = .87165 -> .87
    //   SB T 121 /  659 = 18.36: 1 - .117504 - .001348 = .88115 -> .88
    //   NB L  48 / 1064 =  4.51: 1 - .028864 - .000081 = .97105 -> .97
    const UnsignalizedResult r = analyseUnsignalized(example2());
    EXPECT_EQ(r.v[kEBL].value(), 36);  // 4 large and 29 small vehicles
    EXPECT_EQ(r.v[kWBL].value(), 73);
    EXPECT_EQ(report::plain(r.entry1.tc) + " " + report::plain(r.entry4.tc), "4.9 4.4");
    struct Row {
        const char* label;
        int Vc, cp;
        const char* u;
        const char* p;
    };
    const Row rows[] = {{"NB 우회전", 150, 1134, "5.29", ".97"}, {"SB 우회전", 200, 1087, "2.85", ".98"},
                        {"WB 좌회전", 300, 1060, "6.89", ".96"}, {"EB 좌회전", 400, 957, "3.76", ".98"},
                        {"NB 직  진", 659, 732, "19.81", ".87"}, {"SB 직  진", 759, 659, "18.36", ".88"},
                        {"NB 좌회전", 297, 1064, "4.51", ".97"}};
    for (std::size_t k = 0; k < 7; ++k) {
        const YieldingMovement& y = r.movements[k];
        EXPECT_EQ(movementLabel(y.movement), rows[k].label);
        EXPECT_EQ(y.Vc.value(), rows[k].Vc) << rows[k].label;
        EXPECT_EQ(y.cp.value(), rows[k].cp) << rows[k].label;
        EXPECT_EQ(report::format(y.u, "##.##"), rows[k].u) << rows[k].label;
        EXPECT_EQ(report::format(y.p, "#.##"), rows[k].p) << rows[k].label;
    }
}

TEST(Unsignalized, ZeroConflictingFlowOrCapacityFailsNamingTheMovement) {
    auto failure = [](UnsignalizedInput in) {
        const Error e = test::expectFailure([&] { analyseUnsignalized(in); });
        EXPECT_EQ(e.kind, ErrorKind::ArithmeticFailure);
        return e.message;
    };
    // No traffic, a zero flow of the NB left turn alone and a capacity that
    // rounds to 0 are golden cases. In the computation order: NB right's
    // 0 / 0 comes before NB through's overflow.
    UnsignalizedInput in = example2();
    in.small[kEBT] = in.small[kEBR] = Int16::of(0);
    in.small[kWBT] = Int16::of(20000);
    in.small[kWBL] = Int16::of(15000);
    EXPECT_EQ(failure(in), "NB 우회전의 상충교통량(Vc)이 0이어서 잠재용량을 계산할 수 없습니다 (0 / 0).");
}

TEST(Unsignalized, WindowRefusesAndKeepsThePreviousReport) {
    form::AnalysisIndex index{""};
    UnsignalizedForm form{{&index, nullptr}};
    EXPECT_EQ(form.press("cmdResult").message->text, "교차로형태를 선택하십시오.");
    form.press("cmdEx2");
    ASSERT_TRUE(form.press("cmdResult").ok());
    const UnsignalizedInput in = example2();
    const std::string report = form.resultText();
    ASSERT_EQ(report, unsignalizedReport(in, analyseUnsignalized(in)));
    form.showPage(UnsignalizedForm::kInputPage);
    const std::pair<const char*, const char*> cases[] = {
        {"txtLaneNo[2]=", "WB 차로수를 입력하십시오."},
        {"txtVolume[5]=-4", "WB 직진 소형 교통량은 0 이상이어야 합니다."},
        // Beyond 16 bits while computing: a failure, not a refusal.
        {"txtVolume[17]=18200",
         "WB 직진의 환산교통량이 16비트 정수 범위를 넘어 계산할 수 없습니다. 교통량을 확인하십시오."},
    };
    for (const auto& [set, message] : cases) {
        const std::string assignment = set;
        const std::string field = assignment.substr(0, assignment.find('='));
        form.press("cmdEx2");
        form.setText(field, assignment.substr(assignment.find('=') + 1));
        const form::Outcome o = form.press("cmdResult");
        const bool computing = std::string(message).find("16비트") != std::string::npos;
        EXPECT_EQ(o.status, computing ? form::Outcome::Status::Failed : form::Outcome::Status::Refused) << set;
        ASSERT_TRUE(o.message) << set;
        EXPECT_EQ(o.message->title, computing ? "계산오류" : "입력오류");
        EXPECT_EQ(o.message->text, message);
        EXPECT_EQ(o.focus, computing ? "" : field);
        EXPECT_EQ(form.resultText(), report) << set;
        EXPECT_EQ(form.currentPage(), UnsignalizedForm::kInputPage);
    }
}

}  // namespace
