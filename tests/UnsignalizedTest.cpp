// The unsignalized intersection: Ex#2 worked by hand, the rounding of the
// equivalent volumes and conflicting flows, the order of the movements, the
// gap entries of each intersection form, the failures and the refusals,
// through the pure computation and through the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "TestSupport.h"
#include "analyses/unsignalized/Unsignalized.h"
#include "analyses/unsignalized/UnsignalizedForm.h"
#include "report/BoxReport.h"
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
    const int large[kMovements] = {4, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0};
    for (std::size_t m = 0; m < kMovements; ++m) {
        in.small[m] = Int16::of(small[m]);
        in.large[m] = Int16::of(large[m]);
    }
    return in;
}

struct Row {
    const char* label;
    int Vc, cp;
    const char* u;
    const char* p;
};

std::string uText(const YieldingMovement& y) { return report::format(y.u, "##.##"); }
std::string pText(const YieldingMovement& y) { return report::format(y.p, "#.##"); }

void expectRows(const UnsignalizedResult& r, const std::vector<Row>& rows) {
    ASSERT_EQ(r.movements.size(), rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const YieldingMovement& y = r.movements[k];
        SCOPED_TRACE(rows[k].label);
        EXPECT_EQ(movementLabel(y.movement), rows[k].label);
        EXPECT_EQ(y.Vc.value(), rows[k].Vc);
        EXPECT_EQ(y.cp.value(), rows[k].cp);
        EXPECT_EQ(uText(y), rows[k].u);
        EXPECT_EQ(pText(y), rows[k].p);
    }
}

TEST(Unsignalized, Example2WorkedByHand) {
    // Equivalent volumes v = small + 1.8 x large, halves to even:
    //   EB L 29 + 1.8 x 4 = 36.2 -> 36; WB L 57 + 1.8 x 9 = 73.2 -> 73; the rest
    //   carry no large vehicles: EB T 250, R 50; WB T 300, R 100; NB 48 145 60;
    //   SB 12 121 31.
    // Conflicting flows (N1 = N2 = 2):
    //   NB R (8):  vET / N1 + 0.5 vER = 125 + 25 = 150
    //   SB R (11): vWT / N2 + 0.5 vWR = 150 + 50 = 200
    //   WB L (3):  vER + vET = 50 + 250 = 300
    //   EB L (0):  vWR + vWT = 100 + 300 = 400
    //   NB T (7):  125 + 25 + 36 + 100 + 300 + 73 = 659
    //   SB T (10): 0.5 x 100 + 300 + 73 + 50 + 250 + 36 = 759
    //   NB L (6):  vST + vNT + vSR = 121 + 145 + 31 = 297
    // Potential capacity cp = Vc e^(-Vc tc/3600) / (1 - e^(-Vc tf/3600)), form
    // 2 x 1: the right turns tc 4.4, tf 2.8 (entry 4), the others tc 4.9, tf 2.5:
    //   NB R: 150 x .83249 / .11012 = 1134.00 -> 1134
    //   SB R: 200 x .78314 / .14406 = 1087.24 -> 1087
    //   WB L: 300 x .66476 / .18806 = 1060.42 -> 1060
    //   EB L: 400 x .58016 / .24253 =  956.83 ->  957
    //   NB T: 659 x .40780 / .36722 =  731.82 ->  732
    //   SB T: 759 x .35591 / .40968 =  659.39 ->  659
    //   NB L: 297 x .66748 / .18637 = 1063.69 -> 1064
    // Utilization u = v / cp x 100 through "##.##", impedance
    // p = 1 - .0064 u - .000004 u^2 through "#.##":
    //   NB R:  60 / 1134 =  5.291 ->  5.29; 1 - .033856 - .000112 = .96603 -> .97
    //   SB R:  31 / 1087 =  2.852 ->  2.85; 1 - .018240 - .000032 = .98173 -> .98
    //   WB L:  73 / 1060 =  6.887 ->  6.89; 1 - .044096 - .000190 = .95571 -> .96
    //   EB L:  36 /  957 =  3.762 ->  3.76; 1 - .024064 - .000057 = .97588 -> .98
    //   NB T: 145 /  732 = 19.809 -> 19.81; 1 - .126784 - .001570 = .87165 -> .87
    //   SB T: 121 /  659 = 18.361 -> 18.36; 1 - .117504 - .001348 = .88115 -> .88
    //   NB L:  48 / 1064 =  4.511 ->  4.51; 1 - .028864 - .000081 = .97105 -> .97
    const UnsignalizedResult r = analyseUnsignalized(example2());
    const int v[kMovements] = {36, 250, 50, 73, 300, 100, 48, 145, 60, 12, 121, 31};
    for (std::size_t m = 0; m < kMovements; ++m) EXPECT_EQ(r.v[m].value(), v[m]) << m;
    EXPECT_EQ(report::plain(r.entry1.tc), "4.9");
    EXPECT_EQ(report::plain(r.entry1.tf), "2.5");
    EXPECT_EQ(report::plain(r.entry4.tc), "4.4");
    EXPECT_EQ(report::plain(r.entry4.tf), "2.8");
    expectRows(r, {{"NB 우회전", 150, 1134, "5.29", ".97"},
                   {"SB 우회전", 200, 1087, "2.85", ".98"},
                   {"WB 좌회전", 300, 1060, "6.89", ".96"},
                   {"EB 좌회전", 400, 957, "3.76", ".98"},
                   {"NB 직  진", 659, 732, "19.81", ".87"},
                   {"SB 직  진", 759, 659, "18.36", ".88"},
                   {"NB 좌회전", 297, 1064, "4.51", ".97"}});
    // u and p are kept as the single-precision reading of their pattern text.
    EXPECT_EQ(r.movements[4].u, 19.81f);
    EXPECT_EQ(r.movements[4].p, .87f);
}

TEST(Unsignalized, OneByOneFormUsesItsOwnGaps) {
    // Ex#2 as a 1 x 1 intersection: entry 1 tc 4.2, tf 2.5; entry 4 tc 3.7, tf 2.8.
    //   NB R: 150 e^(-150 x 3.7/3600) / (1 - e^(-150 x 2.8/3600))
    //       = 150 x .85720 / .11012 = 1167.6 -> 1168; 60 / 1168 = 5.137 -> 5.14; .97
    //   EB L: 400 x .62688 / .24253 = 1033.9 -> 1034; 36 / 1034 = 3.482 -> 3.48; .98
    UnsignalizedInput in = example2();
    in.intersectionType = kOneByOne;
    const UnsignalizedResult r = analyseUnsignalized(in);
    EXPECT_EQ(report::plain(r.entry1.tc), "4.2");
    EXPECT_EQ(report::plain(r.entry4.tc), "3.7");
    EXPECT_EQ(r.movements[0].cp.value(), 1168);
    EXPECT_EQ(uText(r.movements[0]), "5.14");
    EXPECT_EQ(r.movements[3].cp.value(), 1034);
    EXPECT_EQ(uText(r.movements[3]), "3.48");
    // The gap table keeps entries 2 and 3 of both forms.
    EXPECT_EQ(report::plain(gapEntries(kOneByOne)[1].tc), "4.6");
    EXPECT_EQ(report::plain(gapEntries(kTwoByOne)[2].tc), "5.4");
}

TEST(Unsignalized, EquivalentVolumeCountsLargeVehicles1Point8) {
    UnsignalizedInput in = example2();
    auto v = [&](int small, int large) {
        in.small[kEBL] = Int16::of(small);
        in.large[kEBL] = Int16::of(large);
        return analyseUnsignalized(in).v[kEBL].value();
    };
    EXPECT_EQ(v(29, 4), 36);  // 36.2
    EXPECT_EQ(v(0, 1), 2);    // 1.8
    EXPECT_EQ(v(0, 3), 5);    // 5.4
    EXPECT_EQ(v(1, 7), 14);   // 13.6
    EXPECT_EQ(v(0, 0), 0);
}

TEST(Unsignalized, ConflictingFlowsWithAHalfGoToEven) {
    UnsignalizedInput in = example2();
    auto rightTurnFlow = [&](int vER, double N1) {
        in.small[kEBR] = Int16::of(vER);
        in.lanes[kEB] = N1;
        return analyseUnsignalized(in).movements[0].Vc.value();  // NB right
    };
    EXPECT_EQ(rightTurnFlow(51, 2), 150);    // 125 + 25.5 = 150.5
    EXPECT_EQ(rightTurnFlow(53, 2), 152);    // 125 + 26.5 = 151.5
    EXPECT_EQ(rightTurnFlow(50, 3), 108);    // 83.33 + 25
    EXPECT_EQ(rightTurnFlow(50, 1), 275);    // 250 + 25
    EXPECT_EQ(rightTurnFlow(50, 1.5), 192);  // 166.67 + 25 = 191.67
    // The southbound through movement starts with the half of vWR.
    in = example2();
    in.small[kWBR] = Int16::of(101);
    EXPECT_EQ(analyseUnsignalized(in).movements[5].Vc.value(), 760);  // 50.5 + 709 = 759.5
}

TEST(Unsignalized, MovementsInTheirOrderAndTheMajorThroughsGetNoCapacity) {
    const UnsignalizedResult r = analyseUnsignalized(example2());
    std::vector<int> order;
    for (const YieldingMovement& y : r.movements) order.push_back(y.movement);
    EXPECT_EQ(order, (std::vector<int>{8, 11, 3, 0, 7, 10, 6}));
    for (int none : {kEBT, kEBR, kWBT, kWBR, kSBL}) EXPECT_EQ(std::count(order.begin(), order.end(), none), 0) << none;
}

TEST(Unsignalized, ConflictingFlowOfZeroFailsNamingTheMovement) {
    // No traffic anywhere: the first movement computed, NB right, has 0 / 0.
    UnsignalizedInput in = example2();
    in.small.fill(Int16::of(0));
    in.large.fill(Int16::of(0));
    Error e = test::expectFailure([&] { analyseUnsignalized(in); });
    EXPECT_EQ(e.kind, ErrorKind::ArithmeticFailure);
    EXPECT_EQ(e.message, "NB 우회전의 상충교통량(Vc)이 0이어서 잠재용량을 계산할 수 없습니다 (0 / 0).");

    // Only the southbound and northbound through volumes that make up the NB
    // left turn's flow are missing: the six movements before it are computed.
    in = example2();
    in.small[kSBT] = in.small[kNBT] = in.small[kSBR] = Int16::of(0);
    e = test::expectFailure([&] { analyseUnsignalized(in); });
    EXPECT_EQ(e.kind, ErrorKind::ArithmeticFailure);
    EXPECT_NE(e.message.find("NB 좌회전의 상충교통량(Vc)이 0"), std::string::npos) << e.message;
}

TEST(Unsignalized, CapacityOfZeroFailsNamingTheMovement) {
    // NB right: Vc = 20000 / 1 + 25 = 20025, cp = 20025 e^(-24.5) / (1 - e^(-15.6)) < .5.
    UnsignalizedInput in = example2();
    in.small[kEBT] = Int16::of(20000);
    in.lanes[kEB] = 1;
    const Error e = test::expectFailure([&] { analyseUnsignalized(in); });
    EXPECT_EQ(e.kind, ErrorKind::ArithmeticFailure);
    EXPECT_EQ(e.message, "NB 우회전의 잠재용량(cp)이 0이어서 이용률을 계산할 수 없습니다.");
}

TEST(Unsignalized, RefusesWhatItCannotComputeWith) {
    struct Case {
        const char* what;
        std::function<void(UnsignalizedInput&)> change;
        const char* focus;
    };
    const std::vector<Case> cases = {
        {"no form", [](UnsignalizedInput& in) { in.intersectionType = -1; }, "cboIntersectionType"},
        {"EB lanes 0", [](UnsignalizedInput& in) { in.lanes[kEB] = 0; }, "txtLaneNo[1]"},
        {"WB lanes negative", [](UnsignalizedInput& in) { in.lanes[kWB] = -2; }, "txtLaneNo[2]"},
        {"negative small", [](UnsignalizedInput& in) { in.small[kNBL] = Int16::of(-1); }, "txtVolume[7]"},
        {"negative large", [](UnsignalizedInput& in) { in.large[kSBR] = Int16::of(-3); }, "txtVolume[24]"},
        // 30000 + 1.8 x 2000 = 33600: the equivalent volume is beyond 16 bits.
        {"equivalent volume",
         [](UnsignalizedInput& in) {
             in.small[kWBT] = Int16::of(30000);
             in.large[kWBT] = Int16::of(2000);
         },
         "txtVolume[17]"},
        // 20000 + 20000: the NB left turn's conflicting flow is beyond 16 bits.
        {"conflicting flow",
         [](UnsignalizedInput& in) {
             in.small[kSBT] = Int16::of(20000);
             in.small[kNBT] = Int16::of(20000);
         },
         ""},
    };
    for (const Case& c : cases) {
        UnsignalizedInput in = example2();
        c.change(in);
        const Error e = test::expectFailure([&] { analyseUnsignalized(in); });
        EXPECT_EQ(e.kind, ErrorKind::InputError) << c.what;
        EXPECT_EQ(e.focus, c.focus) << c.what;
        EXPECT_FALSE(e.message.empty()) << c.what;
    }
    // NB and SB lane counts take no part in the computation.
    UnsignalizedInput in = example2();
    in.lanes[kNB] = in.lanes[kSB] = 0;
    EXPECT_FALSE(test::failureOf([&] { analyseUnsignalized(in); }));
}

// ---- the report ----

TEST(UnsignalizedReport, EveryLineFillsTheFrameAndEachMovementRowStartsWithItsLabel) {
    const UnsignalizedInput in = example2();
    const std::vector<std::string> lines = test::linesOf(unsignalizedReport(in, analyseUnsignalized(in)));
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) EXPECT_EQ(report::columns(line), 79) << line;
    EXPECT_EQ(lines.front(), "   ┌" + report::repeat("─", 36) + "┐");
    EXPECT_EQ(lines.back(), "   └" + report::repeat("─", 36) + "┘");

    // A reader finds each value after the label, in the computation order.
    std::vector<std::string> rows;
    for (const std::string& line : lines) {
        const std::size_t at = line.find("│      ");
        if (at == std::string::npos) continue;
        const std::string body = line.substr(at + std::string("│      ").size());
        for (const char* approach : {"NB ", "SB ", "WB ", "EB "})
            if (body.rfind(approach, 0) == 0) rows.push_back(body.substr(0, body.rfind("│")));
    }
    ASSERT_EQ(rows.size(), 7u);
    const std::pair<const char*, const char*> expected[] = {
        {"NB 우회전", "150 1134 5.29 .97"}, {"SB 우회전", "200 1087 2.85 .98"}, {"WB 좌회전", "300 1060 6.89 .96"},
        {"EB 좌회전", "400 957 3.76 .98"},  {"NB 직  진", "659 732 19.81 .87"}, {"SB 직  진", "759 659 18.36 .88"},
        {"NB 좌회전", "297 1064 4.51 .97"}};
    for (std::size_t k = 0; k < rows.size(); ++k) {
        // The label (its inner spaces kept), then the values separated by spaces.
        const std::string label = expected[k].first;
        ASSERT_EQ(rows[k].substr(0, label.size()), label) << rows[k];
        std::istringstream values(rows[k].substr(label.size()));
        std::string joined, word;
        while (values >> word) joined += (joined.empty() ? "" : " ") + word;
        EXPECT_EQ(joined, expected[k].second) << label;
    }
}

TEST(UnsignalizedReport, ZeroUtilizationShowsThePatternTexts) {
    // No NB left-turning vehicles: u = 0 ("##.##" gives a lone point), p = 1 ("1.").
    UnsignalizedInput in = example2();
    in.small[kNBL] = Int16::of(0);
    const UnsignalizedResult r = analyseUnsignalized(in);
    EXPECT_EQ(uText(r.movements[6]), ".");
    EXPECT_EQ(pText(r.movements[6]), "1.");
    EXPECT_NE(unsignalizedReport(in, r).find("NB 좌회전             297         1064            .          1."),
              std::string::npos);
}

// ---- the window ----

class UnsignalizedFormTest : public ::testing::Test {
protected:
    form::AnalysisIndex index{""};
    UnsignalizedForm form{{&index, nullptr}};
};

TEST_F(UnsignalizedFormTest, OpensOnTheInputPageWithTheVolumeTable) {
    EXPECT_EQ(form.windowName(), "frmNoControlIntersection");
    EXPECT_EQ(form.title(), "비신호교차로");
    ASSERT_EQ(form.pages().size(), 2u);
    EXPECT_EQ(form.pages()[0].caption, "입력화면");
    EXPECT_EQ(form.pages()[1].caption, "결과화면");
    EXPECT_EQ(form.currentPage(), 0);
    EXPECT_EQ(form.at("cboIntersectionType").items, (std::vector<std::string>{"1 × 1 형태", "2 × 1 형태"}));
    EXPECT_EQ(form.at("cboIntersectionType").index, -1);
    EXPECT_EQ(form.at("cmdResult").caption, "분석");
    EXPECT_EQ(form.at("cmdExit").caption, "종 료(&X)");
    EXPECT_EQ(form.at("fraVolume").caption, "교통량");
    // Small volumes in one column, large ones in the next, on the row of their movement.
    for (int m = 0; m < kMovements; ++m) {
        const form::Control& label = form.at(form::element("lblMovement", m + 1));
        const form::Control& small = form.at(form::element("txtVolume", m + 1));
        const form::Control& large = form.at(form::element("txtVolume", m + 13));
        EXPECT_EQ(small.parent, "fraVolume");
        EXPECT_EQ(small.row, label.row);
        EXPECT_EQ(large.row, label.row);
        EXPECT_EQ(small.col, form.at("lblSmallHeading").col);
        EXPECT_EQ(large.col, form.at("lblLargeHeading").col);
    }
    EXPECT_EQ(form.at("lblMovement[8]").text, "직   진");
    EXPECT_EQ(form.at("txtLaneNo[3]").row, form.at("lblApproach[3]").row);
    EXPECT_EQ(form.at("lblApproach[3]").text, "NB");
}

TEST_F(UnsignalizedFormTest, ExampleOnlyFillsAndTheAnalysisWritesTheReport) {
    form.press("cmdEx2");
    EXPECT_EQ(form.at("cboIntersectionType").index, 1);
    EXPECT_EQ(form.at("txtLaneNo[3]").text, "1");
    EXPECT_EQ(form.at("txtVolume[1]").text, "29");
    EXPECT_EQ(form.at("txtVolume[13]").text, "4");
    EXPECT_EQ(form.at("txtVolume[16]").text, "9");
    EXPECT_EQ(form.at("txtVolume[24]").text, "0");
    EXPECT_TRUE(form.resultText().empty());

    const form::Outcome o = form.press("cmdResult");
    ASSERT_TRUE(o.ok()) << (o.message ? o.message->text : "");
    EXPECT_TRUE(o.reportWritten);
    EXPECT_EQ(form.currentPage(), UnsignalizedForm::kResultPage);
    const UnsignalizedInput in = example2();
    EXPECT_EQ(form.resultText(), unsignalizedReport(in, analyseUnsignalized(in)));

    form.setText("txtVolume[1]", "300");
    form.press("cmdEx2");
    EXPECT_EQ(form.at("txtVolume[1]").text, "29");
    EXPECT_EQ(form.resultText(), unsignalizedReport(in, analyseUnsignalized(in)));
}

TEST_F(UnsignalizedFormTest, BlankVolumesCarryNoTraffic) {
    form.press("cmdEx2");
    for (int i = 13; i <= 24; ++i) form.setText(form::element("txtVolume", i), "");
    ASSERT_TRUE(form.press("cmdResult").ok());
    // EB left without its 4 large vehicles: 29; its row in the volume table.
    EXPECT_NE(form.resultText().find("EB     좌회전        29         0           29"), std::string::npos);
}

TEST_F(UnsignalizedFormTest, RefusalsAndFailuresKeepThePreviousReport) {
    form.press("cmdEx2");
    ASSERT_TRUE(form.press("cmdResult").ok());
    const std::string report = form.resultText();
    form.showPage(UnsignalizedForm::kInputPage);

    struct Case {
        const char* field;
        const char* text;
        form::Outcome::Status status;
        const char* message;
        const char* focus;
    };
    using S = form::Outcome::Status;
    const Case cases[] = {
        {"txtLaneNo[1]", "0", S::Refused, "EB 차로수는 1 이상이어야 합니다.", "txtLaneNo[1]"},
        {"txtLaneNo[2]", "-1", S::Refused, "WB 차로수는 1 이상이어야 합니다.", "txtLaneNo[2]"},
        {"txtLaneNo[1]", "two", S::Refused, "EB 차로수는 숫자로 입력하십시오. (입력된 값: \"two\")", "txtLaneNo[1]"},
        {"txtLaneNo[2]", "", S::Refused, "WB 차로수를 입력하십시오.", "txtLaneNo[2]"},
        {"txtVolume[5]", "-4", S::Refused, "WB 직진 소형 교통량은 0 이상이어야 합니다.", "txtVolume[5]"},
        {"txtVolume[14]", "40000", S::Refused, "EB 직진 대형 교통량이 너무 큽니다. 32767 이하여야 합니다.",
         "txtVolume[14]"},
        {"txtVolume[17]", "18200", S::Refused,
         "WB 직진의 환산교통량이 너무 큽니다. 32767 이하여야 합니다. 소형·대형 교통량을 확인하십시오.",
         "txtVolume[17]"},
        {"txtVolume[11]", "32700", S::Refused,
         "NB 좌회전의 상충교통량이 너무 큽니다. 32767 이하여야 합니다. 교통량을 확인하십시오.", ""},
        {"txtVolume[2]", "20000", S::Failed, "NB 우회전의 잠재용량(cp)이 0이어서 이용률을 계산할 수 없습니다.", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + std::string("=") + c.text);
        form.press("cmdEx2");
        form.setText(c.field, c.text);
        const form::Outcome o = form.press("cmdResult");
        EXPECT_EQ(o.status, c.status);
        ASSERT_TRUE(o.message);
        EXPECT_EQ(o.message->text, c.message);
        if (c.status == S::Refused) {
            EXPECT_EQ(o.message->title, "입력오류");
        }
        EXPECT_EQ(o.focus, c.focus);
        EXPECT_FALSE(o.reportWritten);
        EXPECT_EQ(form.resultText(), report);
        EXPECT_EQ(form.currentPage(), UnsignalizedForm::kInputPage);
    }

    // No intersection form: the list is refused before the fields are read.
    UnsignalizedForm fresh{{&index, nullptr}};
    fresh.setText("txtLaneNo[1]", "abc");
    const form::Outcome o = fresh.press("cmdResult");
    EXPECT_EQ(o.status, S::Refused);
    ASSERT_TRUE(o.message);
    EXPECT_EQ(o.message->text, "교차로형태를 선택하십시오.");
    EXPECT_EQ(o.focus, "cboIntersectionType");
}

}  // namespace
