// Ramp junctions: the four worked examples through the window, the capacity and
// level bounds, the adjacent-ramp group and report lines, and the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "analyses/ramp/Ramp.h"
#include "analyses/ramp/RampForm.h"
#include "analyses/ramp/RampReport.h"
#include "numeric/Result.h"
#include "report/BoxReport.h"

using namespace verosa;
using namespace verosa::analyses::ramp;
using form::Outcome;

namespace {

using test::linesOf;

bool contains(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

struct Window {
    form::AnalysisIndex index;
    RampForm form{form::FormContext{&index, nullptr}};

    Outcome example(int n) { return form.press("cmdEx" + std::to_string(n)); }
    Outcome analyse() { return form.press("cmdResult"); }
    RampResult result() const { return analyseRamp(form.input()); }
};

int value(Int16 x) { return x.value(); }

}  // namespace

struct ExampleCase {
    int button;
    float fHV_main, fHV_ramp;
    int Vf, Vr;
    float P;
    int V12;
    float density;
    const char* rampKind;
};

class RampExamples : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(RampExamples, ReproduceTheWorkedValues) {
    const ExampleCase& c = GetParam();
    Window w;
    ASSERT_TRUE(w.example(c.button).ok());
    const RampResult r = w.result();
    EXPECT_FLOAT_EQ(r.fHV_main, c.fHV_main);
    EXPECT_FLOAT_EQ(r.fHV_ramp, c.fHV_ramp);
    EXPECT_EQ(value(r.Vf), c.Vf);
    EXPECT_EQ(value(r.Vr), c.Vr);
    EXPECT_FLOAT_EQ(r.P, c.P);
    EXPECT_EQ(value(r.V12), c.V12);
    EXPECT_EQ(r.outcome, CapacityOutcome::Density);
    EXPECT_FLOAT_EQ(r.density, c.density);
    EXPECT_EQ(r.los, 'D');
    EXPECT_EQ(r.rampKind, c.rampKind);

    const Outcome o = w.analyse();
    ASSERT_TRUE(o.ok());
    EXPECT_TRUE(o.reportWritten);
    EXPECT_EQ(w.form.currentPage(), RampForm::kResultPage);
    EXPECT_TRUE(contains(w.form.resultText(), "서비스 수준 : D"));
}

INSTANTIATE_TEST_SUITE_P(Examples, RampExamples,
                         ::testing::Values(ExampleCase{1, 0.952f, 0.976f, 2918, 626, 1.0f, 2918, 19.44f, "독립"},
                                           ExampleCase{2, 0.952f, 0.976f, 5252, 968, 0.487f, 2558, 18.25f, "한쌍"},
                                           ExampleCase{3, 0.943f, 0.971f, 5302, 915, 0.470f, 2977, 17.23f, "독립"},
                                           ExampleCase{4, 0.943f, 0.971f, 5420, 1030, 0.487f, 3168, 18.22f, "한쌍"}),
                         [](const auto& info) { return "Ex" + std::to_string(info.param.button); });

TEST(RampWindow, ExamplesFillInputsOnlyAndTheOptionPairShowsTheAdjacentGroup) {
    Window w;
    EXPECT_EQ(w.form.at("cboConnectorType").index, -1);
    EXPECT_TRUE(w.form.at("optAlone").checked);
    EXPECT_FALSE(w.form.at("fraOtherConnector").visible);

    ASSERT_TRUE(w.example(1).ok());
    EXPECT_TRUE(w.form.resultText().empty());  // an example never analyses
    ASSERT_TRUE(w.analyse().ok());
    const std::string ex1 = w.form.resultText();

    w.example(2);
    EXPECT_TRUE(w.form.at("fraOtherConnector").visible);
    EXPECT_EQ(w.form.resultText(), ex1);  // nor clears the report
    EXPECT_EQ(w.form.at("txtOtherConnectorLength").text, "300");
    w.form.setChecked("optAlone", true);
    EXPECT_FALSE(w.form.at("fraOtherConnector").visible);
    EXPECT_FALSE(w.form.at("optBoth").checked);
    EXPECT_EQ(w.form.at("txtOtherConnectorLength").text, "300");  // hidden fields keep their values
    w.form.setChecked("optBoth", true);
    EXPECT_TRUE(w.form.at("fraOtherConnector").visible);
    w.example(3);
    EXPECT_FALSE(w.form.at("fraOtherConnector").visible);
}

TEST(RampBounds, CapacitiesByFreeFlowSpeed) {
    EXPECT_EQ(value(laneCapacity(120)), 2300);
    EXPECT_EQ(value(laneCapacity(119.9f)), 2250);
    EXPECT_EQ(value(laneCapacity(110)), 2250);
    EXPECT_EQ(value(laneCapacity(100)), 2200);
    EXPECT_EQ(value(laneCapacity(99.9f)), 2100);
    EXPECT_EQ(value(laneCapacity(90)), 2100);
    EXPECT_EQ(value(laneCapacity(89.9f)), 0);
    // The ramp bounds are strict: a speed on a bound takes the lower capacity.
    EXPECT_EQ(value(rampCapacity(70.5f)), 2000);
    EXPECT_EQ(value(rampCapacity(70)), 1900);
    EXPECT_EQ(value(rampCapacity(60)), 1800);
    EXPECT_EQ(value(rampCapacity(50)), 1700);
    EXPECT_EQ(value(rampCapacity(40.5f)), 1700);
    EXPECT_EQ(value(rampCapacity(40)), 1600);
    EXPECT_EQ(value(rampCapacity(0)), 1600);
}

TEST(RampBounds, CapacityChecksInOrderWithStrictLimits) {
    auto i = [](int v) { return Int16::of(v); };
    const Int16 cap = i(2300), N2 = i(2), ramp = i(1900), Nr1 = i(1);
    // Merge: V12 exactly 4600 passes, one more fails.
    EXPECT_EQ(capacityOutcome(Junction::Merge, i(2300), i(0), i(4600), i(2300), cap, i(4), ramp, Nr1),
              CapacityOutcome::Density);
    EXPECT_EQ(capacityOutcome(Junction::Merge, i(2301), i(0), i(4601), i(2301), cap, i(4), ramp, Nr1),
              CapacityOutcome::InfluenceArea);
    // The downstream flow is checked first, the ramp last.
    EXPECT_EQ(capacityOutcome(Junction::Merge, i(4000), i(2000), i(4700), i(4601), cap, N2, ramp, Nr1),
              CapacityOutcome::MainlineCapacity);
    EXPECT_EQ(capacityOutcome(Junction::Merge, i(2000), i(1901), i(4700), i(3901), cap, N2, ramp, Nr1),
              CapacityOutcome::InfluenceArea);
    EXPECT_EQ(capacityOutcome(Junction::Merge, i(2000), i(1901), i(2000), i(3901), cap, N2, ramp, Nr1),
              CapacityOutcome::RampCapacity);
    EXPECT_EQ(capacityOutcome(Junction::Merge, i(2000), i(1900), i(2000), i(3900), cap, N2, ramp, Nr1),
              CapacityOutcome::Density);
    EXPECT_EQ(capacityOutcome(Junction::Merge, i(2000), i(3800), i(2000), i(5800), cap, i(3), ramp, i(2)),
              CapacityOutcome::Density);
    // Diverge: V12 exactly 4400 passes; the upstream flow alone can fail.
    EXPECT_EQ(capacityOutcome(Junction::Diverge, i(4400), i(800), i(4400), i(3600), cap, N2, ramp, Nr1),
              CapacityOutcome::Density);
    EXPECT_EQ(capacityOutcome(Junction::Diverge, i(4401), i(800), i(4401), i(3601), cap, N2, ramp, Nr1),
              CapacityOutcome::InfluenceArea);
    EXPECT_EQ(capacityOutcome(Junction::Diverge, i(4601), i(800), i(4000), i(3801), cap, N2, ramp, Nr1),
              CapacityOutcome::MainlineCapacity);
    EXPECT_EQ(capacityOutcome(Junction::Diverge, i(4000), i(1901), i(4000), i(2099), cap, N2, ramp, Nr1),
              CapacityOutcome::RampCapacity);
}

TEST(RampBounds, DensityBoundsBelongToTheBetterLevel) {
    EXPECT_EQ(levelOfService(6), 'A');
    EXPECT_EQ(levelOfService(6.01f), 'B');
    EXPECT_EQ(levelOfService(12), 'B');
    EXPECT_EQ(levelOfService(17), 'C');
    EXPECT_EQ(levelOfService(17.01f), 'D');
    EXPECT_EQ(levelOfService(22), 'D');
    EXPECT_EQ(levelOfService(22.01f), 'E');
    EXPECT_EQ(levelOfService(500), 'E');  // density alone never gives F
}

TEST(RampBounds, HeavyVehicleFactorByTerrain) {
    EXPECT_FLOAT_EQ(heavyVehicleFactor(10, 0), 0.952f);
    EXPECT_FLOAT_EQ(heavyVehicleFactor(10, 1), 0.833f);
    EXPECT_FLOAT_EQ(heavyVehicleFactor(10, 2), 0.714f);
    EXPECT_FLOAT_EQ(heavyVehicleFactor(0, 2), 1.0f);
}

TEST(RampCases, TwoAndFourLaneMainLinesIgnoreTheAdjacentRamp) {
    Window w;
    w.example(4);  // diverge with "연속"
    w.form.setIndex("cboMainLaneNO", 2);
    RampResult r = w.result();
    EXPECT_FLOAT_EQ(r.P, 0.453f);
    EXPECT_EQ(r.rampKind, "독립");
    EXPECT_FALSE(r.adjacentUsed);
    EXPECT_EQ(value(r.V12), 3019);  // 1030 + 4390 × 0.453

    w.form.setIndex("cboMainLaneNO", 0);
    // The adjacent ramp is unused here, yet the report shows its distance
    // while "연속" is chosen: it must still be a length of a metre at least.
    w.form.setText("txtOtherConnectorLength", "0");
    EXPECT_TRUE(test::refused([&] { w.result(); }));
    w.form.setText("txtOtherConnectorLength", "1");
    r = w.result();
    EXPECT_FLOAT_EQ(r.P, 1.0f);
    EXPECT_EQ(r.V12, r.Vf);
    EXPECT_EQ(r.rampKind, "독립");

    w.example(1);
    w.form.setChecked("optBoth", true);
    r = w.result();
    EXPECT_EQ(r.V12, r.Vf);
    EXPECT_EQ(r.rampKind, "독립");
}

TEST(RampReport, AdjacentLinesExactlyWhileContinuousIsSelected) {
    const std::string distance = "   │   ▷ 인접연결로까지의 거리 :   300m                                    │";
    const std::string volume = "   │   ▷ 인접연결로 교통량 :   580대/시   ▷ 인접연결로 중차량구성비 : 4%  │";
    Window w;
    w.example(2);
    w.form.setIndex("cboMainLaneNO", 0);  // a case that does not use the adjacent ramp
    ASSERT_TRUE(w.analyse().ok());
    std::vector<std::string> lines = linesOf(w.form.resultText());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), distance), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), volume), 1);

    w.form.setChecked("optAlone", true);
    ASSERT_TRUE(w.analyse().ok());
    lines = linesOf(w.form.resultText());
    EXPECT_FALSE(contains(w.form.resultText(), "인접연결로"));
    // Section 2 then ends with two empty lines before its separator.
    const std::string empty = "   │" + std::string(72, ' ') + "│";
    const auto speed =
        std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return contains(l, "본선구간 자유속도"); });
    ASSERT_TRUE(speed + 3 < lines.end());
    EXPECT_EQ(speed[1], empty);
    EXPECT_EQ(speed[2], empty);
    EXPECT_TRUE(contains(speed[3], "├"));
}

TEST(RampReport, OutcomeLinesAndFrame) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> sets;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{{"txtMainVolume", "4000"}}, "   │   ▷  최대 상류/하류 본선 교통량이 용량을 초과하여 서비스 수준 : F     │"},
        {{{"cboMainLaneNO", "2"},
          {"txtMainVolume", "2301"},
          {"txtMainSpeed", "120"},
          {"txtMainHeavyPer", "0"},
          {"txtConnectorVolume", "0"},
          {"txtConnectorSpeed", "50"},
          {"txtPHF", "1"},
          {"txtLaneLength", "1898"}},
         "   │   ▷  최대 유입 교통량이 영향권 용량을 초과하여 서비스 수준 : F        │"},
        {{{"txtMainSpeed", "120"}, {"txtConnectorVolume", "1901"}, {"txtConnectorHeavyPer", "0"}, {"txtPHF", "1"}},
         "   │   ▷  연결로의 교통량이 용량을 초과하여 서비스 수준 : F                │"},
    };
    for (size_t k = 0; k < cases.size(); ++k) {
        Window w;
        w.example(1);
        for (const auto& [name, text] : cases[k].sets) {
            if (name[0] == 'c')
                w.form.setIndex(name, std::stoi(text));
            else
                w.form.setText(name, text);
        }
        EXPECT_EQ(static_cast<int>(w.result().outcome), static_cast<int>(k + 1));
        ASSERT_TRUE(w.analyse().ok());
        const std::vector<std::string> lines = linesOf(w.form.resultText());
        ASSERT_GE(lines.size(), 5u);
        EXPECT_EQ(lines[lines.size() - 3], cases[k].message);
        EXPECT_TRUE(contains(lines[lines.size() - 5], "5. 결   과"));
        EXPECT_FALSE(contains(w.form.resultText(), "밀도"));
        for (const auto& l : lines) EXPECT_EQ(report::columns(l), 79) << l;
    }
}

TEST(RampReport, MendedLinesShowWhatIsComputed) {
    Window w;
    w.example(1);
    ASSERT_TRUE(w.analyse().ok());
    // The merge inflow line shows V12, the value checked against 4600.
    EXPECT_TRUE(contains(w.form.resultText(),
                         "   │   ▷ 영향권의 최대 유입교통량 확인                                     │\r\n"
                         "   │      Vr12 =  2918pcph                                                  │\r\n"));
    w.example(3);
    ASSERT_TRUE(w.analyse().ok());
    EXPECT_TRUE(contains(w.form.resultText(),
                         "   │      Dr = 0.5108+0.00589 × 2977 - 0.0043 × 190                       │\r\n"
                         "   │         = 17.23 pcpkmpl                                                │\r\n"));
}

struct RefusalCase {
    const char* name;
    int example;
    std::vector<std::pair<const char*, const char*>> sets;
    const char* focus;
};

class RampRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RampRefusals, KeepThePreviousReport) {
    const RefusalCase& c = GetParam();
    Window w;
    w.example(c.example);
    ASSERT_TRUE(w.analyse().ok());
    const std::string before = w.form.resultText();
    w.form.showPage(RampForm::kInputPage);
    for (const auto& [name, text] : c.sets) {
        if (name[0] == 'c')
            w.form.setIndex(name, std::stoi(text));
        else
            w.form.setText(name, text);
    }
    const Outcome o = w.analyse();
    EXPECT_EQ(o.status, Outcome::Status::Refused);
    ASSERT_TRUE(o.message.has_value());
    EXPECT_EQ(o.message->title, "입력오류");
    EXPECT_EQ(o.focus, c.focus);
    EXPECT_FALSE(o.reportWritten);
    EXPECT_EQ(w.form.resultText(), before);
    EXPECT_EQ(w.form.currentPage(), RampForm::kInputPage);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RampRefusals,
    ::testing::Values(
        RefusalCase{"NoJunctionType", 1, {{"cboConnectorType", "-1"}}, "cboConnectorType"},
        RefusalCase{"NoTerrain", 1, {{"cboLandType", "-1"}}, "cboLandType"},
        RefusalCase{"NoMainLanes", 1, {{"cboMainLaneNO", "-1"}}, "cboMainLaneNO"},
        RefusalCase{"NoRampLanes", 1, {{"cboConnectorLaneNO", "-1"}}, "cboConnectorLaneNO"},
        RefusalCase{"ZeroPHF", 1, {{"txtPHF", ""}}, "txtPHF"},
        RefusalCase{"MainSpeedBelow90", 3, {{"txtMainSpeed", "89.9"}}, "txtMainSpeed"},
        RefusalCase{"ZeroAdjacentDistance", 2, {{"txtOtherConnectorLength", "0.4"}}, "txtOtherConnectorLength"},
        RefusalCase{
            "ZeroRampSpeedFourLaneMerge", 1, {{"cboMainLaneNO", "2"}, {"txtConnectorSpeed", "0"}}, "txtConnectorSpeed"},
        RefusalCase{"VolumeBeyond16Bits", 1, {{"txtConnectorVolume", "32767.5"}}, "txtConnectorVolume"},
        RefusalCase{"FlowRateBeyond16Bits", 3, {{"txtMainVolume", "30000"}}, "txtMainVolume"},
        RefusalCase{"SumOfFlowsBeyond16Bits",
                    1,
                    {{"txtMainVolume", "20000"}, {"txtConnectorVolume", "20000"}},
                    "txtMainVolume"},
        RefusalCase{"AdjacentFlowBeyond16Bits", 4, {{"txtOtherConnectorVolume", "40000"}}, "txtOtherConnectorVolume"},
        RefusalCase{"NegativeVolume", 1, {{"txtMainVolume", "-1"}}, "txtMainVolume"},
        RefusalCase{"HeavyShareOver100", 3, {{"txtConnectorHeavyPer", "100.5"}}, "txtConnectorHeavyPer"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RampRefusals, FourLaneMergeNeedsTheRampSpeedOnlyThere) {
    Window w;
    w.example(1);
    // A speed of 0 is no speed, whatever the case; the smallest positive one
    // passes where the lane share does not divide by it.
    w.form.setText("txtConnectorSpeed", "0");
    EXPECT_EQ(w.analyse().status, Outcome::Status::Refused);
    w.form.setText("txtConnectorSpeed", "0.1");
    EXPECT_TRUE(w.analyse().ok());  // two lanes: no division by the ramp speed
    EXPECT_EQ(value(w.result().rampCapacity), 1600);
}

// ---- number fields ----

// One text of each kind of field beyond the ones the golden refusals check:
// a volume below 0, a speed that must be above 0, an empty PHF, a length above
// its bound, and a field of the adjacent group.
TEST(RampNumberFields, RefuseTextsThatAreNotValuesOfTheirRange) {
    struct Case {
        int example;
        const char* field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {1, "txtConnectorVolume", "-1", "연결로 교통량은 0 이상 32767 이하여야 합니다."},
        {1, "txtConnectorSpeed", "-70", "연결로 자유속도는 0보다 크고 150 이하여야 합니다."},
        {1, "txtPHF", "", "첨두시간계수(PHF)를 입력하십시오."},
        {1, "txtLaneLength", "2001", "감,가속차로길이(m)는 1 이상 2000 이하여야 합니다."},
        {2, "txtOtherConnectorLength", "-300", "인접연결로거리(m)는 1 이상 9999 이하여야 합니다."},
    };
    for (const Case& c : cases) {
        Window w;
        w.example(c.example);
        ASSERT_TRUE(w.analyse().ok());
        test::expectFieldRefused(w.form, "cmdResult", c.field, c.text, c.message);
    }
}

TEST(RampNumberFields, TheAdjacentGroupIsReadWhileItIsShown) {
    // (While it is hidden it is not read: a golden case.)
    Window w;
    w.example(1);
    w.form.setText("txtOtherConnectorVolume", "abc");
    w.form.setChecked("optBoth", true);
    const Outcome o = w.analyse();
    EXPECT_EQ(o.status, Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "txtOtherConnectorLength");  // empty, the first of the group
    EXPECT_EQ(o.message->text, "인접연결로거리(m)를 입력하십시오.");
}

TEST(RampNumberFields, TypedNumbersShowWithoutTheBlanksAroundThem) {
    Window w;
    w.example(1);
    ASSERT_TRUE(w.analyse().ok());
    const std::string ex1 = w.form.resultText();
    w.form.setText("txtPHF", " 0.90 ");
    w.form.setText("txtMainVolume", "2500\t");
    ASSERT_TRUE(w.analyse().ok());
    EXPECT_EQ(w.form.resultText(), ex1);
    EXPECT_TRUE(contains(ex1, "▷ 첨두시간계수 :  0.90 "));  // as typed, not as the number text " .9"
}

TEST(RampNumberFields, TheAnalysisRefusesTheSameRangesWhenCalledDirectly) {
    Window w;
    w.example(2);
    const RampInput ex2 = w.form.input();
    struct Case {
        const char* focus;
        void (*change)(RampInput&);
    };
    const Case cases[] = {
        {"txtMainVolume", [](RampInput& in) { in.mainVolume = Int16::of(-1); }},
        {"txtMainSpeed", [](RampInput& in) { in.mainSpeed = 89.9f; }},
        {"txtConnectorSpeed", [](RampInput& in) { in.connectorSpeed = 0; }},
        {"txtConnectorHeavyPer", [](RampInput& in) { in.connectorHeavyPercent = 101; }},
        {"txtPHF", [](RampInput& in) { in.PHF = 1.5f; }},
        {"txtLaneLength", [](RampInput& in) { in.laneLength = Int16::of(0); }},
        {"txtOtherConnectorLength", [](RampInput& in) { in.otherLength = 0.4; }},
        {"txtOtherConnectorVolume", [](RampInput& in) { in.otherVolume = -580; }},
    };
    for (const Case& c : cases) {
        RampInput in = ex2;
        c.change(in);
        const auto e = test::failureOf([&] { analyseRamp(in); });
        ASSERT_TRUE(e.has_value()) << c.focus;
        EXPECT_EQ(e->kind, ErrorKind::InputError) << c.focus;
        EXPECT_EQ(e->focus, c.focus);
    }
}
