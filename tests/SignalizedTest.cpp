// The signalized-intersection analysis: the values the manual states for its
// examples, the edge cases of each step, the refusals and the failures that
// name their step, the lane entry as a user does it, and the window's
// examples, pages, printing and drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "TestSupport.h"
#include "analyses/signalized/IntersectionForm.h"
#include "analyses/signalized/Signalized.h"
#include "analyses/signalized/Worksheets.h"
#include "report/NumberText.h"
#include "tables/LookupTable.h"

using namespace verosa;
using namespace verosa::analyses::signalized;
using form::element;

namespace {

const SignalizedTables& manualTables() {
    static const SignalizedTables t = openSignalizedTables(verosa::tables::LookupTableStore());
    return t;
}

// Example 1 of the manual as a record: no left turns, no crosswalks.
IntersectionInput example1() {
    IntersectionInput in;
    in.C = Int16::of(90);
    in.Y = Int16::of(3);
    const int th[] = {800, 1000, 620, 510}, rt[] = {140, 130, 150, 120}, grade[] = {2, 2, 0, 8};
    const float radius[] = {20, 20, 15, 15};
    const int green[] = {47, 47, 37, 37}, cross[] = {3, 3, 2, 2};
    for (int i = 0; i < kApproaches; ++i) {
        ApproachInput& a = in.approach[static_cast<std::size_t>(i)];
        a.VT = Int16::of(th[i]);
        a.VR = Int16::of(rt[i]);
        a.PHF = 0.90f;
        a.grade = grade[i];
        a.Ps = Int16::of(5);
        a.Pl = Int16::of(10);
        a.parking = 0;
        a.R = radius[i];
        a.offset = 12;
        a.distance = 2;
        a.busStopPlace = 3;
        a.g = Int16::of(green[i]);
        a.throughGreen = green[i];
        a.crossLanes = cross[i];
    }
    using K = LaneCode;
    in.approach[0].lanes = {{{2.8f, K::Through}, {2.8f, K::Through}, {3.0f, K::ThroughRight}}};
    in.approach[1].lanes = in.approach[0].lanes;
    in.approach[2].lanes = {{{3.2f, K::Through}, {3.2f, K::ThroughRight}}};
    in.approach[3].lanes = {{{3.2f, K::Through}, {3.3f, K::ThroughRight}}};
    return in;
}

template <class F>
std::string each(const IntersectionResult& r, F value) {
    std::string out;
    for (const ApproachResult& a : r.approach) out += (out.empty() ? "" : " / ") + value(a);
    return out;
}
std::string text(Int16 x) { return report::plain(x); }
std::string text(float x) { return report::format(x, "0.00"); }

}  // namespace

TEST(Signalized, Example1GivesTheValuesOfTheManual) {
    const IntersectionResult r = analyseIntersection(example1(), manualTables());
    EXPECT_EQ(each(r, [](auto& a) { return text(a.vT); }), "889 / 1111 / 689 / 567");
    EXPECT_EQ(each(r, [](auto& a) { return text(a.vR); }), "156 / 144 / 167 / 133");
    EXPECT_EQ(each(r, [](auto& a) { return text(a.NT) + "," + text(a.NR); }), "3,1 / 3,1 / 2,1 / 2,1");
    EXPECT_EQ(each(r, [](auto& a) { return text(a.fwT) + "," + text(a.fwR); }),
              "0.94,1.00 / 0.94,1.00 / 1.00,1.00 / 1.00,1.00");
    EXPECT_EQ(each(r, [](auto& a) { return text(a.fg); }), "1.00 / 1.00 / 1.00 / 0.93");
    EXPECT_EQ(each(r, [](auto& a) { return text(a.fHV) + "," + text(a.fbb) + "," + text(a.fP); }),
              "0.91,1.00,1.00 / 0.91,1.00,1.00 / 0.91,1.00,1.00 / 0.91,1.00,1.00");
    EXPECT_EQ(each(r, [](auto& a) { return text(a.fLT) + "," + text(a.sL); }), "0.00,0 / 0.00,0 / 0.00,0 / 0.00,0");
    EXPECT_EQ(each(r, [](auto& a) { return text(a.sT); }), "5646 / 5646 / 4004 / 3724");
    EXPECT_EQ(each(r, [](auto& a) { return text(a.gC); }), "40 / 40 / 50 / 50");
    EXPECT_EQ(each(r, [](auto& a) { return text(a.VRc); }), "147 / 135 / 154 / 123");
    EXPECT_EQ(each(r, [](auto& a) { return text(a.F); }), "0.91 / 0.91 / 0.91 / 0.85");
    // No left-turn group anywhere: the approach delay is the through delay.
    for (const ApproachResult& a : r.approach) {
        EXPECT_EQ(a.LOSL, 0);
        EXPECT_EQ(a.dA, a.d);
    }
}

TEST(Signalized, LaneCodesFormTheGroups) {
    IntersectionInput in = example1();
    // One lane shared by all movements, then an empty slot with a width.
    in.approach[3].lanes = {{{3.0f, LaneCode::All}, {2.0f, LaneCode::None}}};
    in.approach[3].gL = Int16::of(0);
    const ApproachResult r = analyseIntersection(in, manualTables()).approach[3];
    EXPECT_EQ(r.NL.value(), 1);
    EXPECT_EQ(r.NT.value(), 1);
    EXPECT_EQ(r.NR.value(), 1);
    EXPECT_EQ(r.WL, 3.0f);
    EXPECT_EQ(r.WT, 3.0f);
    EXPECT_EQ(r.WR, 3.0f);
    EXPECT_EQ(r.Wsum, 5.0f);
    EXPECT_EQ(r.leftCodeSum.value(), 11);
    EXPECT_EQ(r.lastLeftCode.value(), 11);
    EXPECT_EQ(r.LOSL, 0);  // left turns in a shared lane: no left-turn group

    LaneCode code = LaneCode::Through;
    EXPECT_FALSE(laneCodeOf(true, false, true, code));
    EXPECT_FALSE(laneCodeOf(false, false, false, code));
    EXPECT_EQ(code, LaneCode::Through);
    EXPECT_TRUE(laneCodeOf(true, true, true, code));
    EXPECT_EQ(code, LaneCode::All);
}

TEST(Signalized, WidthRadiusPedestrianAndLeftTurnBounds) {
    EXPECT_EQ(laneWidthFactor(2.6f), 0.88f);
    EXPECT_EQ(laneWidthFactor(2.9f), 0.94f);
    EXPECT_EQ(laneWidthFactor(2.91f), 1.00f);
    // Two lanes of 2.6 m: a mean of exactly 2.6.
    IntersectionInput in = example1();
    in.approach[2].lanes = {{{2.6f, LaneCode::Through}, {2.6f, LaneCode::ThroughRight}}};
    EXPECT_EQ(analyseIntersection(in, manualTables()).approach[2].fwT, 0.88f);

    struct Radius {
        float R;
        int first, second;
    };
    for (Radius c : {Radius{15, 5, 6},
                     {15.4f, 5, 6},
                     {20, 8, 0},
                     {25, 8, 0},
                     {5, 1, 0},
                     {7.555f, 2, 0},
                     {6.595f, 1, 2},
                     {8.62f, 2, 3},
                     {9.655f, 3, 0}}) {
        const RadiusRows rows = radiusRows(c.R);
        EXPECT_EQ(rows.first, c.first) << c.R;
        EXPECT_EQ(rows.second, c.second) << c.R;
    }
    // The midpoint of rows 5 and 6 for the cross-street count of the exit leg.
    in = example1();
    in.approach[2].R = 15.4f;
    const double low = manualTables().rightTurn.number(5, 3), high = manualTables().rightTurn.number(6, 3);
    EXPECT_EQ(analyseIntersection(in, manualTables()).approach[2].SRT, (high - low) / 2 + low);

    EXPECT_EQ(pedestrianBlocking(500), 0.3f);
    EXPECT_EQ(pedestrianBlocking(501), 0.6f);
    EXPECT_EQ(pedestrianBlocking(3000), 0.9f);
    EXPECT_EQ(pedestrianBlocking(3001), 1.0f);

    // One exclusive lane, two, and one beside a shared lane are golden examples (2, 4 and 3).
    EXPECT_EQ(leftTurnFactor(Int16::of(0)), 0.0f);
    EXPECT_EQ(leftTurnFactor(Int16::of(3)), 1.00f);
    EXPECT_EQ(leftTurnFactor(Int16::of(12)), 0.91f);
}

TEST(Signalized, RightTurnsThatCannotDischargeGetNoSaturationFlow) {
    IntersectionInput in = example1();
    in.approach[0].VR = Int16::of(900);  // VR' 847 against DR 832
    const ApproachResult r = analyseIntersection(in, manualTables()).approach[0];
    EXPECT_GE(r.VRc, r.DR);
    EXPECT_EQ(r.fRT, 0.0f);
    EXPECT_EQ(r.sR.value(), 0);
    EXPECT_EQ(r.K1, 0.0f);
    EXPECT_EQ(r.ERT, 0.0f);
}

TEST(Signalized, ProgressionDelayAndLevels) {
    const float P06 = 0.58f, P08 = 0.75f, P10 = 0.82f;
    EXPECT_EQ(progressionFactor(0.6f, P06, P08, P10), P06);
    EXPECT_EQ(progressionFactor(0.8f, P06, P08, P10), P08);
    EXPECT_EQ(progressionFactor(1.0f, P06, P08, P10), P10);
    EXPECT_EQ(progressionFactor(1.3f, P06, P08, P10), P10);
    EXPECT_EQ(report::plain(progressionFactor(0.7f, P06, P08, P10)), "0.665");  // halfway
    EXPECT_EQ(report::plain(progressionFactor(0.9f, P06, P08, P10)), "0.785");

    EXPECT_EQ(report::plain(uniformDelay(Int16::of(90), 0.52f, 0.80f)), "13.5");
    EXPECT_EQ(report::plain(randomDelay(0.80f, Int16::of(1500))), "2.7");
    // Beyond X * g/C = 1 the uniform delay would turn negative (and rate level A).
    const Error e = test::expectFailure([] { uniformDelay(Int16::of(100), 0.45f, 2.25f); });
    EXPECT_EQ(e.kind, ErrorKind::ArithmeticFailure);
    // (Through an intersection, naming the step and the approach: a golden case.)

    EXPECT_EQ(delayLevel(5.0f), 'A');
    EXPECT_EQ(delayLevel(15.0f), 'B');
    EXPECT_EQ(delayLevel(15.1f), 'C');
    EXPECT_EQ(delayLevel(60.0f), 'E');
    EXPECT_EQ(delayLevel(60.1f), 'F');
}

TEST(Signalized, RefusesWhatNoStepCanComputeWith) {
    auto refusal = [](IntersectionInput in) {
        return test::expectFailure([&] { analyseIntersection(in, manualTables()); });
    };
    IntersectionInput in = example1();
    in.approach[1].lanes = {{{3.0f, LaneCode::Through}, {3.0f, LaneCode::Through}}};
    Error e = refusal(in);
    EXPECT_EQ(e.kind, ErrorKind::InputError);
    EXPECT_EQ(e.message, "WB 접근로에 우회전 교통이 이용하는 차선이 없습니다. 차선을 입력하십시오.");
    EXPECT_EQ(e.focus, "optDirection[1]");

    in = example1();
    in.approach[0].lanes[0].code = LaneCode::Left;  // an exclusive left lane, left green 0
    e = refusal(in);
    EXPECT_EQ(e.focus, "txtLtTime[0]");
    EXPECT_NE(e.message.find("1초 이상"), std::string::npos);

    in = example1();
    in.approach[3].grade = -1;
    EXPECT_EQ(refusal(in).focus, "cboGrade[3]");

    in = example1();
    in.approach[0].busStopPlace = 1;  // near the stop line: bay, volume and activity are read
    in.approach[0].busBay = 1;
    in.approach[0].busVolume = 2;
    e = refusal(in);
    EXPECT_EQ(e.focus, "cboStopAct[0]");

    in = example1();
    in.approach[0].crossLanes = -1;  // the exit leg of SB
    EXPECT_EQ(refusal(in).focus, "cboCrossTotalLane[0]");

    in = example1();
    in.approach[2].PHF = 0;
    EXPECT_EQ(refusal(in).focus, "txtPhf[2]");

    // A peak flow beyond 16 bits comes from the typed volume and PHF.
    in = example1();
    in.approach[1].VT = Int16::of(30000);
    in.approach[1].PHF = 0.5f;
    e = refusal(in);
    EXPECT_EQ(e.kind, ErrorKind::InputError);
    EXPECT_EQ(e.focus, "txtThVol[1]");
}

// (A division by zero naming its step and approach is a golden case.)
TEST(Signalized, ATableCellThatIsNoNumberFailsNamingTheStepApproachAndTable) {
    SignalizedTables broken = manualTables();
    std::vector<std::vector<std::string>> cells;
    for (int r = 0; r < broken.busStop.rows(); ++r) {
        cells.emplace_back();
        for (int c = 0; c < broken.busStop.cols(); ++c) cells.back().push_back(broken.busStop.cell(r, c));
    }
    cells[4][1] = "x";
    broken.busStop = tables::LookupTable("2-3-13", cells);
    IntersectionInput in = example1();
    in.approach[1].busStopPlace = 0;
    in.approach[1].busBay = 1;
    in.approach[1].busActivity = 0;
    in.approach[1].busVolume = 1;
    const Error e = test::expectFailure([&] { analyseIntersection(in, broken); });
    EXPECT_EQ(e.kind, ErrorKind::ArithmeticFailure);
    EXPECT_NE(e.message.find("버스정류장 보정계수 계산 중 오류 (WB 접근로)"), std::string::npos) << e.message;
    EXPECT_NE(e.message.find("2-3-13"), std::string::npos);
}

class IntersectionFormTest : public ::testing::Test {
protected:
    form::AnalysisIndex index;
    IntersectionForm form{{&index, nullptr}};
    void SetUp() override { ASSERT_TRUE(form.open().ok()); }
    const std::string& cellText(const char* grid, int r, int c) {
        return form.at(grid).grid.cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
    }
    std::string rendering() { return form.renderingOf("cmdAnalysis"); }
};

TEST_F(IntersectionFormTest, LaneEntryAsAUserDoesIt) {
    // Nothing to store before an approach is chosen.
    EXPECT_FALSE(form.at("cmdNext").enabled);
    EXPECT_THROW(form.press("cmdNext"), form::UsageError);

    form.setIndex(element("cboTotalLane", 1), 3);
    EXPECT_EQ(cellText("MSFTotalLane", 1, 2), "3");
    form::Outcome o = form.setChecked(element("optDirection", 1), true);
    EXPECT_EQ(form.at("Frame2").caption, "WestBound 1번째 차선");
    EXPECT_EQ(o.focus, "txtLaneWidth");
    EXPECT_TRUE(form.at("cmdNext").enabled);

    form.setText("txtLaneWidth", "3.2");
    form.setChecked("chkTh", true);
    form.setChecked("chkRt", true);
    o = form.press("cmdNext");
    EXPECT_EQ(cellText("MSFLaneWidth", 1, 2), "3.2m");
    EXPECT_EQ(cellText("MSFLaneWidth", 2, 2), "7");
    EXPECT_EQ(form.at("Frame2").caption, "WestBound 2번째 차선");
    EXPECT_EQ(form.at("txtLaneWidth").text, "");
    EXPECT_FALSE(form.at("chkTh").checked || form.at("chkRt").checked);
    EXPECT_EQ(o.focus, "txtLaneWidth");

    // Left and right without through: the width is stored, the code kept.
    form.setText("txtLaneWidth", "2.9");
    form.setChecked("chkLt", true);
    form.setChecked("chkRt", true);
    form.press("cmdNext");
    EXPECT_EQ(form.laneEntry().slots[1][1].width, 2.9f);
    EXPECT_EQ(form.laneEntry().slots[1][1].code, LaneCode::None);
    EXPECT_TRUE(form.at("cmdNext").enabled);

    // A width that is no positive number is refused and stores nothing.
    form.setText("txtLaneWidth", "-3");
    o = form.press("cmdNext");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "txtLaneWidth");
    EXPECT_EQ(form.at("Frame2").caption, "WestBound 3번째 차선");

    // The third lane of three disables the button.
    form.setText("txtLaneWidth", "3");
    form.setChecked("chkLt", true);
    form.press("cmdNext");
    EXPECT_EQ(form.laneEntry().slots[1][2].code, LaneCode::Left);
    EXPECT_FALSE(form.at("cmdNext").enabled);

    // Choosing the approach again restarts at lane 1 and overwrites from there.
    form.setChecked(element("optDirection", 1), true);
    EXPECT_EQ(form.at("Frame2").caption, "WestBound 1번째 차선");
    EXPECT_TRUE(form.at("cmdNext").enabled);
}

TEST_F(IntersectionFormTest, NeverStoresASixthLane) {
    form.setIndex(element("cboTotalLane", 2), 8);
    form.setChecked(element("optDirection", 2), true);
    for (int lane = 1; lane <= 5; ++lane) {
        ASSERT_TRUE(form.at("cmdNext").enabled) << lane;
        form.setText("txtLaneWidth", "3");
        form.setChecked("chkTh", true);
        form.press("cmdNext");
    }
    EXPECT_FALSE(form.at("cmdNext").enabled);
    EXPECT_THROW(form.press("cmdNext"), form::UsageError);
}

TEST_F(IntersectionFormTest, CrosswalkAndBusStopHandling) {
    EXPECT_FALSE(form.at("txtWalkPerson[2]").visible);
    form::Outcome o = form.setChecked("chkCross[2]", true);
    EXPECT_TRUE(form.at("txtWalkPerson[2]").visible);
    EXPECT_EQ(o.focus, "txtWalkPerson[2]");
    form.setText("txtWalkPerson[2]", "700");
    form.setChecked("chkCross[2]", false);
    EXPECT_FALSE(form.at("txtWalkPerson[2]").visible);
    EXPECT_EQ(form.at("txtWalkPerson[2]").text, "700");

    form.setIndex("cboStopLoc[1]", 3);
    for (const char* name : {"cboStop[1]", "cboStopAct[1]", "cboStopUnit[1]"}) EXPECT_FALSE(form.at(name).enabled);
    EXPECT_TRUE(form.at("cboStop[0]").enabled);
    form.setIndex("cboStopLoc[1]", 0);
    for (const char* name : {"cboStop[1]", "cboStopAct[1]", "cboStopUnit[1]"}) EXPECT_TRUE(form.at(name).enabled);
}

TEST_F(IntersectionFormTest, AnExampleStartsFromTheOpeningState) {
    form.press("cmdEx1");
    form.press("cmdAnalysis");
    const std::string alone = rendering();
    const LaneEntryState lanes = form.laneEntry();
    // Example 4 has left turns, five lanes and more; example 1 after it is example 1.
    form.press("cmdEx4");
    form.setChecked(element("optDirection", 0), true);
    form.press("cmdEx1");
    EXPECT_EQ(form.laneEntry(), lanes);
    EXPECT_EQ(form.at("txtLtVol[0]").text, "");
    EXPECT_FALSE(form.at("cmdNext").enabled);
    EXPECT_EQ(cellText("MSFLaneWidth", 7, 1), "");  // lane 4 of example 4 is gone
    EXPECT_EQ(cellText("MSFLaneWidth", 5, 1), "3m");
    EXPECT_EQ(cellText("MSFLaneWidth", 6, 1), "7");
    form.press("cmdAnalysis");
    EXPECT_EQ(rendering(), alone);
}

TEST_F(IntersectionFormTest, Example5ReadsSharesHalfToEven) {
    form.press("cmdEx5");
    ASSERT_TRUE(form.press("cmdAnalysis").ok());
    const IntersectionInput& in = form.analysedInput();
    EXPECT_EQ(in.approach[0].Ps.value(), 9);   // 9.38
    EXPECT_EQ(in.approach[0].Pl.value(), 9);   // 8.73
    EXPECT_EQ(in.approach[3].Ps.value(), 12);  // 12.5, half to even
}

TEST_F(IntersectionFormTest, PagesPrintingAndRefusalsKeepThePreviousWorksheets) {
    // Before the first analysis the pages show zeros.
    EXPECT_NE(form.worksheetPages()[3].find("│  │직  전│    0 │    0 │     0│"), std::string::npos);
    form.press("cmdEx2");
    form::Outcome o = form.press("cmdAnalysis");
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.page, IntersectionForm::kResultPage);
    EXPECT_TRUE(form.at("optPage[0]").checked);
    const std::vector<std::string> pages = form.worksheetPages();
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(form.resultText(), pages[0]);
    form.setChecked("optPage[2]", true);
    EXPECT_EQ(form.resultText(), pages[2]);

    o = form.press("cmdPrint");
    EXPECT_EQ(o.print, pages);

    // Refused: the message names the approach and the field, the pages stay.
    form.setText("txtPhf[3]", "0");
    o = form.press("cmdAnalysis");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "txtPhf[3]");
    EXPECT_EQ(o.message->text, "SB PHF는 0.25 이상 1 이하여야 합니다.");
    form.setText("txtPhf[3]", "0.95");
    // Failed while computing: the step and the approach are named, the pages stay.
    form.setText("txtThTime[0]", "94");  // EB green + yellow = the cycle: NB's right turns have no time
    form.setText("txtCycle", "97");
    o = form.press("cmdAnalysis");
    EXPECT_EQ(o.status, form::Outcome::Status::Failed);
    ASSERT_TRUE(o.message);
    EXPECT_NE(o.message->text.find("우회전 환산교통량(VR') 계산 중 오류 (NB 접근로)"), std::string::npos)
        << o.message->text;
    EXPECT_EQ(form.resultText(), pages[2]);
    EXPECT_EQ(form.worksheetPages(), pages);
}

TEST_F(IntersectionFormTest, TheDrawingShowsTheLanesAsEntered) {
    auto find = [&](const std::string& name) -> const form::Shape* {
        for (const form::Shape& s : form.at("picMain").drawing.shapes)
            if (s.name == name) return &s;
        return nullptr;
    };
    form.press("cmdEx5");
    for (int i = 0; i < kApproaches; ++i) EXPECT_NE(find("crosswalk" + std::to_string(i)), nullptr) << i;
    ASSERT_NE(find("arrows3_1"), nullptr);
    EXPECT_EQ(find("arrows3_1")->text, "→\n↓\n←");  // SB: one lane for all movements
    EXPECT_EQ(find("arrows0_1")->text, "↑");        // EB: exclusive left
    EXPECT_EQ(find("arrows0_4")->text, "→↓");       // EB: through and right
    EXPECT_EQ(find("lane3_2"), nullptr);

    form.press("cmdEx1");
    EXPECT_EQ(find("crosswalk2"), nullptr);
    EXPECT_EQ(find("arrows0_4"), nullptr);
    // Every stored lane shows at once.
    form.setChecked(element("optDirection", 0), true);
    form.setText("txtLaneWidth", "3.5");
    form.setChecked("chkRt", true);
    form.press("cmdNext");
    EXPECT_EQ(find("arrows0_1")->text, "↓");
}
