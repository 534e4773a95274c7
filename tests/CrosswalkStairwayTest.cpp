// Crosswalks, stairways and waiting areas: the worked examples, every level
// bound, the refusals, and the three pages of the pedestrian form.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestSupport.h"
#include "analyses/pedestrian/Crosswalk.h"
#include "analyses/pedestrian/PedestrianForm.h"
#include "analyses/pedestrian/Stairway.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

using namespace verosa;
using namespace verosa::analyses::pedestrian;
using report::format;

namespace {

using test::refused;

CrosswalkInput delayCrosswalk(float C, float G) {
    CrosswalkInput in;
    in.method = CrosswalkMethod::Delay;
    in.C = C;
    in.G = G;
    return in;
}

CrosswalkInput areaCrosswalk() {  // "Ex#2-2"
    CrosswalkInput in;
    in.method = CrosswalkMethod::Area;
    in.C = 120;
    in.G = 25;
    in.L = 14.0f;
    in.W = 5.0f;
    in.entering = 450;
    in.leaving = 240;
    in.S = 1.2f;
    return in;
}

StairwayInput stairway(StairwayFlow flow, float We, int V15) {
    StairwayInput in;
    in.flow = flow;
    in.We = We;
    in.V15 = Int16::of(V15);
    return in;
}

WaitAreaInput waitArea(float A, int P) {
    WaitAreaInput in;
    in.A = A;
    in.P = Int16::of(P);
    return in;
}

// ---- crosswalk ----

TEST(Crosswalk, DelayExampleGives37Point6SecondsLevelC) {
    const CrosswalkResult r = analyseCrosswalk(delayCrosswalk(120, 25));
    EXPECT_EQ(format(r.dp, "###.##"), "37.6");  // 95² / 240
    EXPECT_EQ(r.los, 'C');
}

TEST(Crosswalk, DelayBoundOfAIsStrictTheOthersBelongToTheBetterLevel) {
    struct Case {
        float dp;
        char level;
    };
    for (Case c : {Case{0, 'A'},
                   {14.99f, 'A'},
                   {15, 'B'},
                   {30, 'B'},
                   {30.01f, 'C'},
                   {45, 'C'},
                   {45.01f, 'D'},
                   {60, 'D'},
                   {60.01f, 'E'},
                   {90, 'E'},
                   {90.01f, 'F'}})
        EXPECT_EQ(crosswalkDelayLevel(c.dp), c.level) << c.dp;
    // Through the computation: C 120, G 60 gives exactly 60² / 240 = 15.
    const CrosswalkResult r = analyseCrosswalk(delayCrosswalk(120, 60));
    EXPECT_EQ(r.dp, 15.0f);
    EXPECT_EQ(r.los, 'B');
}

TEST(Crosswalk, AreaExampleReproducesEveryStep) {
    const CrosswalkResult r = analyseCrosswalk(areaCrosswalk());
    EXPECT_EQ(r.Vi.value(), 60);
    EXPECT_EQ(r.Vo.value(), 32);
    EXPECT_EQ(format(r.N, "##.##"), "25.33");
    EXPECT_EQ(format(r.t, "##.##"), "18.97");
    EXPECT_EQ(format(r.TS, "####.##"), "1341.67");
    EXPECT_EQ(format(r.T, "####.##"), "1745.3");
    EXPECT_EQ(format(r.M, "#0.##"), "0.77");
    EXPECT_EQ(r.los, 'E');
}

TEST(Crosswalk, PerCycleVolumesRoundHalfToEven) {
    CrosswalkInput in = areaCrosswalk();
    in.C = 60;            // a fifteenth of the 15-minute volume per cycle
    in.entering = 937.5;  // 62.5 -> 62
    in.leaving = 952.5;   // 63.5 -> 64
    const CrosswalkResult r = analyseCrosswalk(in);
    EXPECT_EQ(r.Vi.value(), 62);
    EXPECT_EQ(r.Vo.value(), 64);
}

TEST(Crosswalk, SpaceBoundsAreSingleConstantsOfTheBetterLevel) {
    struct Case {
        float M;
        char level;
    };
    for (Case c : {Case{3.3f, 'A'}, {2.0f, 'B'}, {1.4f, 'C'}, {0.9f, 'D'}, {0.38f, 'E'}, {0.0f, 'F'}, {-1.0f, 'F'}})
        EXPECT_EQ(crosswalkSpaceLevel(c.M), c.level) << c.M;
    // Just below each bound falls to the next level.
    EXPECT_EQ(crosswalkSpaceLevel(std::nextafter(3.3f, 0.0f)), 'B');
    EXPECT_EQ(crosswalkSpaceLevel(std::nextafter(2.0f, 0.0f)), 'C');
    EXPECT_EQ(crosswalkSpaceLevel(std::nextafter(1.4f, 0.0f)), 'D');
    EXPECT_EQ(crosswalkSpaceLevel(std::nextafter(0.9f, 0.0f)), 'E');
    EXPECT_EQ(crosswalkSpaceLevel(std::nextafter(0.38f, 0.0f)), 'F');
}

TEST(Crosswalk, RefusesWhatItCannotComputeWith) {
    EXPECT_TRUE(refused([] { analyseCrosswalk(CrosswalkInput{}); }));        // no method chosen
    EXPECT_TRUE(refused([] { analyseCrosswalk(delayCrosswalk(0, 0)); }));    // C = 0
    EXPECT_TRUE(refused([] { analyseCrosswalk(delayCrosswalk(60, 90)); }));  // green beyond the cycle
    EXPECT_TRUE(refused([] { analyseCrosswalk(delayCrosswalk(60, -5)); }));
    auto area = [](auto change) {
        CrosswalkInput in = areaCrosswalk();
        change(in);
        return refused([&] { analyseCrosswalk(in); });
    };
    EXPECT_TRUE(area([](CrosswalkInput& in) { in.S = 0; }));
    EXPECT_TRUE(area([](CrosswalkInput& in) { in.W = 0; }));
    EXPECT_TRUE(area([](CrosswalkInput& in) { in.entering = in.leaving = 0; }));       // T = 0
    EXPECT_TRUE(area([](CrosswalkInput& in) { in.entering = 300000; }));               // Vi 40000
    EXPECT_TRUE(area([](CrosswalkInput& in) { in.entering = in.leaving = 240000; }));  // Vi + Vo beyond 16 bits
    EXPECT_TRUE(area([](CrosswalkInput& in) { in.leaving = -15; }));
    // One pedestrian each way is enough to compute.
    EXPECT_FALSE(area([](CrosswalkInput& in) {
        in.entering = 7.5;
        in.leaving = 0;
    }));
}

// ---- stairway ----

TEST(Stairway, ExamplesGive22CAnd48B) {
    const StairwayResult nonPlatoon = analyseStairway(stairway(StairwayFlow::NonPlatoon, 3, 1011));
    EXPECT_EQ(nonPlatoon.Vp.value(), 22);
    EXPECT_EQ(nonPlatoon.los, 'C');
    EXPECT_EQ(nonPlatoon.flowWord, "비보행군");
    const StairwayResult platoon = analyseStairway(stairway(StairwayFlow::Platoon, 2.25f, 1630));
    EXPECT_EQ(platoon.Vp.value(), 48);
    EXPECT_EQ(platoon.los, 'B');
    EXPECT_EQ(platoon.flowWord, "   보행군");
}

TEST(Stairway, EachBoundIsInclusiveForBothFlowTypes) {
    struct Case {
        StairwayFlow flow;
        int Vp;
        char level;
    };
    const StairwayFlow N = StairwayFlow::NonPlatoon, P = StairwayFlow::Platoon;
    for (Case c : {Case{N, 18, 'A'}, {N, 19, 'B'}, {N, 20, 'B'}, {N, 21, 'C'}, {N, 25, 'C'}, {N, 26, 'D'}, {N, 32, 'D'},
                   {N, 33, 'E'},     {N, 52, 'E'}, {N, 53, 'F'}, {P, 43, 'A'}, {P, 44, 'B'}, {P, 50, 'B'}, {P, 51, 'C'},
                   {P, 65, 'C'},     {P, 66, 'D'}, {P, 69, 'D'}, {P, 70, 'E'}, {P, 74, 'E'}, {P, 75, 'F'}})
        EXPECT_EQ(stairwayLevel(c.flow, Int16::of(c.Vp)), c.level) << c.Vp;
    // Through the computation: 1 m wide, 270 and 645 per 15 minutes are 18 and 43.
    EXPECT_EQ(analyseStairway(stairway(N, 1, 270)).los, 'A');
    EXPECT_EQ(analyseStairway(stairway(P, 1, 645)).los, 'A');
}

TEST(Stairway, RefusesNoFlowTypeNoWidthAndFlowsBeyond16Bits) {
    EXPECT_TRUE(refused([] { analyseStairway(stairway(StairwayFlow::None, 3, 1011)); }));
    EXPECT_TRUE(refused([] { analyseStairway(stairway(StairwayFlow::Platoon, 0, 1011)); }));
    EXPECT_TRUE(refused([] { analyseStairway(stairway(StairwayFlow::Platoon, -1, 1011)); }));
    EXPECT_TRUE(refused([] { analyseStairway(stairway(StairwayFlow::Platoon, 3, -1)); }));
    EXPECT_TRUE(refused([] { analyseStairway(stairway(StairwayFlow::Platoon, 0.01f, 30000)); }));
}

// ---- waiting area ----

TEST(WaitArea, ExactlyPoint2SquareMetresIsE) {
    const WaitAreaResult r = analyseWaitArea(waitArea(8, 40));
    EXPECT_EQ(report::plain(r.M), "0.2");
    EXPECT_EQ(r.los, 'E');
}

TEST(WaitArea, BoundsBelongToTheBetterLevel) {
    struct Case {
        float M;
        char level;
    };
    for (Case c : {Case{1.0f, 'A'}, {0.8f, 'B'}, {0.6f, 'C'}, {0.4f, 'D'}, {0.2f, 'E'}, {0.19999f, 'F'}, {0, 'F'}})
        EXPECT_EQ(waitAreaLevel(c.M), c.level) << c.M;
    EXPECT_EQ(waitAreaLevel(std::nextafter(0.8f, 0.0f)), 'C');
    EXPECT_EQ(analyseWaitArea(waitArea(4, 5)).los, 'B');  // 0.8
}

TEST(WaitArea, RefusesNoPedestriansAndANegativeArea) {
    EXPECT_TRUE(refused([] { analyseWaitArea(waitArea(8, 0)); }));
    EXPECT_TRUE(refused([] { analyseWaitArea(waitArea(8, -4)); }));
    EXPECT_TRUE(refused([] { analyseWaitArea(waitArea(-8, 40)); }));
}

// ---- the pages of the form ----

class PedestrianPagesTest : public ::testing::Test {
protected:
    form::AnalysisIndex index{"pedestrianoper"};
    PedestrianForm form{{&index, nullptr}};
};

TEST_F(PedestrianPagesTest, EveryPageIsEnabledAndStartsEmpty) {
    for (const auto& page : form.pages()) EXPECT_TRUE(page.enabled) << page.caption;
    for (const char* name : {"optPlatoon", "optNonPlatoon", "optDelayUse", "optAreaUse"})
        EXPECT_FALSE(form.at(name).checked) << name;
    for (const char* name : {"txtPossibleWidth_Stairway", "txtSize_WaitArea", "txtTotCycle", "txtWalkSpeed"})
        EXPECT_TRUE(form.at(name).text.empty()) << name;
}

TEST_F(PedestrianPagesTest, MethodChoiceOnlyShowsOrHidesTheAreaInputs) {
    EXPECT_TRUE(form.at("fraDelayUse").visible);
    EXPECT_FALSE(form.at("fraAreaUse").visible);
    form.setChecked("optAreaUse", true);
    EXPECT_TRUE(form.at("fraAreaUse").visible);
    EXPECT_TRUE(form.at("fraDelayUse").visible);
    form.setChecked("optDelayUse", true);
    EXPECT_FALSE(form.at("fraAreaUse").visible);
    EXPECT_FALSE(form.at("optAreaUse").checked);
}

TEST_F(PedestrianPagesTest, ExamplesChooseTheMethodOrFlowTypeAndFillOnly) {
    form.press("cmdEx22");
    EXPECT_TRUE(form.at("optAreaUse").checked);
    EXPECT_TRUE(form.at("fraAreaUse").visible);
    EXPECT_EQ(form.at("txtCrossRoadInVolume").text, "450");
    form.press("cmdEx21");
    EXPECT_TRUE(form.at("optDelayUse").checked);
    EXPECT_FALSE(form.at("fraAreaUse").visible);
    EXPECT_EQ(form.at("txtCrossRoadInVolume").text, "450");  // not mentioned: kept
    form.press("cmdEx31");
    EXPECT_TRUE(form.at("optNonPlatoon").checked);
    form.press("cmdEx32");
    EXPECT_TRUE(form.at("optPlatoon").checked);
    EXPECT_FALSE(form.at("optNonPlatoon").checked);
    form.press("cmdEx4");
    EXPECT_EQ(form.at("txtPedVolume_WaitArea").text, "40");
    EXPECT_TRUE(form.resultText().empty());
}

TEST_F(PedestrianPagesTest, EachButtonRunsItsOwnPageAndShowsTheResultPage) {
    form.press("cmdEx31");
    form.press("cmdEx4");
    form.press("cmdEx21");
    ASSERT_TRUE(form.press("cmdResultWaitArea").ok());
    EXPECT_NE(form.resultText().find("대기공간의 운영분석"), std::string::npos);
    EXPECT_EQ(form.currentPage(), PedestrianForm::kResultPage);
    ASSERT_TRUE(form.press("cmdResultStairway").ok());
    EXPECT_NE(form.resultText().find("1011 / ( 15 *    3) =  22인/분/m"), std::string::npos);
    ASSERT_TRUE(form.press("cmdResultCrossRoad").ok());
    EXPECT_NE(form.resultText().find("= 37.6초"), std::string::npos);
}

TEST_F(PedestrianPagesTest, NoChoiceIsRefusedAndTheReportStays) {
    form.press("cmdEx4");
    ASSERT_TRUE(form.press("cmdResultWaitArea").ok());
    const std::string report = form.resultText();
    form.setText("txtTotCycle", "120");
    form.setText("txtTotGreenTime", "25");
    auto o = form.press("cmdResultCrossRoad");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "optDelayUse");
    form.setText("txtPossibleWidth_Stairway", "3");
    o = form.press("cmdResultStairway");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "optPlatoon");
    EXPECT_EQ(form.resultText(), report);
}

TEST_F(PedestrianPagesTest, CycleAndGreenAreReadForTheAreaMethodToo) {
    form.press("cmdEx22");
    form.setText("txtTotCycle", "60");  // halves the pedestrians per cycle
    ASSERT_TRUE(form.press("cmdResultCrossRoad").ok());
    EXPECT_NE(form.resultText().find("Vi =   30인/주기"), std::string::npos);
    EXPECT_NE(form.resultText().find("Vo =   16인/주기"), std::string::npos);
}

// Number fields of the three pages: what is not a number, below or above its
// range is refused naming the field, the focus on it, the report kept (the
// golden refusals check the other texts). The method or flow type is asked
// for before any number.
TEST_F(PedestrianPagesTest, NumberFieldsRefuseWhatIsNotAPhysicalValue) {
    form.press("cmdEx31");
    form.press("cmdEx4");
    form.press("cmdEx22");
    ASSERT_TRUE(form.press("cmdResultWaitArea").ok());
    struct Case {
        const char* button;
        const char* field;
        const char* text;
        const char* message;
    } cases[] = {
        {"cmdResultStairway", "txtPossibleWidth_Stairway", "3m",
         "보행가능폭원(m)은 숫자로 입력하십시오. (입력된 값: \"3m\")"},
        {"cmdResultWaitArea", "txtPedVolume_WaitArea", "0",
         "최대 관측 보행자수는 0보다 커야 합니다 (1인당 면적 = 총면적 / 보행자수)."},
        {"cmdResultCrossRoad", "txtTotGreenTime", "130", "보행자 녹색시간은 총 주기보다 길 수 없습니다."},
        {"cmdResultCrossRoad", "txtCrossRoadLength", "14,0",
         "횡단보도 길이(m)는 숫자로 입력하십시오. (입력된 값: \"14,0\")"},
        {"cmdResultCrossRoad", "txtCrossRoadInVolume", "-450", "횡단보도 진입보행량(인/15-분)은 0 이상이어야 합니다."},
    };
    for (const Case& c : cases) {
        test::expectFieldRefused(form, c.button, c.field, c.text, c.message);
    }
    // The area fields are not read by the delay method; the method and the
    // flow type are asked for before the numbers.
    form.setText("txtWalkSpeed", "fast");
    form.setChecked("optDelayUse", true);
    EXPECT_TRUE(form.press("cmdResultCrossRoad").ok());
    form.setChecked("optDelayUse", false);
    form.setText("txtTotCycle", "x");
    EXPECT_EQ(form.press("cmdResultCrossRoad").focus, "optDelayUse");
    form.setChecked("optNonPlatoon", false);
    form.setText("txtPossibleWidth_Stairway", "x");
    EXPECT_EQ(form.press("cmdResultStairway").focus, "optPlatoon");
}

}  // namespace
