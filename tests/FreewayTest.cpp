// Basic freeway segments: the worked examples through the window with their
// values worked out by hand from the shipped tables, the level and lane-count
// bounds, the factor rounding, the refusals and the window's behaviour by mode.
//
// Shipped values used below:
//   4-2 v/c at 100 km/h: .27 .45 .61 .8 1; at 120 km/h: .3 .5 .65 .83 1;
//       MSF at 100 km/h level C: 1342; at 80 km/h level D: 1500.
//   4-3 row 2 col 1: .98; row 4 col 6: .79; row 5 col 1: 1; row 8 col 6: .87.
//   4-5 row 12 (grade 2-3 %, > 2.5 km): 3 2.5 2 2 2 2; row 30 (5-6 %, > 1.5 km): 7 5 4.5 4 3.5 3.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "analyses/freeway/Freeway.h"
#include "analyses/freeway/FreewayForm.h"
#include "numeric/Result.h"
#include "report/BoxReport.h"
#include "report/NumberText.h"
#include "tables/LookupTable.h"

using namespace verosa;
using namespace verosa::analyses::freeway;
using form::Outcome;

namespace {

const FreewayTables& shippedTables() {
    static const FreewayTables t = openFreewayTables(tables::LookupTableStore());
    return t;
}

using test::linesOf;

bool hasLine(const std::string& report, const std::string& line) {
    for (const auto& l : linesOf(report))
        if (l == line) return true;
    return false;
}

// A general-terrain input as the window would read it.
FreewayInput general(int terrain, double medium, double large) {
    FreewayInput in;
    in.sectionKind = kGeneralTerrain;
    in.terrain = terrain;
    in.designSpeed = kSpeed100;
    in.laneWidth = 0;
    in.sideDistance = 0;
    in.sideText = "한쪽";
    in.V = Int16::of(2000);
    in.PHF = 1.0f;
    in.N = Int16::of(2);
    in.mediumPercent = medium;
    in.largePercent = large;
    in.targetLevel = 2;
    return in;
}

FreewayInput grade(int g, int length, double heavy) {
    FreewayInput in = general(0, 0, 0);
    in.sectionKind = kSpecificGrade;
    in.terrain = -1;
    in.grade = g;
    in.gradeLength = length;
    in.heavyPercent = heavy;
    return in;
}

Error refusalOf(const FreewayInput& in, bool design) {
    return test::expectFailure([&] {
        if (design)
            analyseDesign(in, shippedTables());
        else
            analyseOperational(in, shippedTables());
    });
}

class FreewayFormTest : public ::testing::Test {
protected:
    void SetUp() override { open(FreewayForm::kOperationalKey); }
    void open(const std::string& key) {
        index.key = key;
        form = std::make_unique<FreewayForm>(form::FormContext{&index, &store});
        ASSERT_TRUE(form->open().ok());
    }
    Outcome run() { return form->press("cmdResult"); }
    std::string example(const std::string& caption) {
        const form::Control* b = form->exampleButton(caption);
        EXPECT_NE(b, nullptr) << caption;
        return b ? b->name : std::string();
    }
    // Runs an example and returns the report.
    std::string report(const std::string& key, const std::string& caption) {
        open(key);
        EXPECT_TRUE(form->press(example(caption)).ok());
        const Outcome o = run();
        EXPECT_TRUE(o.ok()) << (o.message ? o.message->text : "");
        EXPECT_TRUE(o.reportWritten);
        EXPECT_EQ(o.page, FreewayForm::kResultPage);
        return form->resultText();
    }

    form::AnalysisIndex index;
    tables::LookupTableStore store;
    std::unique_ptr<FreewayForm> form;
};

}  // namespace

// ---- the worked examples through the window ----

TEST_F(FreewayFormTest, Example1RollingTerrainTwoLanesGivesE) {
    // Vp = int16(2000 / .95) = int16(2105.26) = 2105.
    // fw: 2 lanes -> row 3 + 1 = 4, both sides -> column 1 + 5 = 6: .79.
    // fhv = 1 / (1 + 2 (0 + .2)) = .714 -> "#.##" .71.
    // MSF at 100 km/h = int16(2200 v/c): 594 990 1342 1760 2200.
    // SF = int16(MSF x 2 x .79 x .71): 666.35 -> 666, 1110.58 -> 1111,
    //      1505.46 -> 1505, 1974.37 -> 1974, 2467.96 -> 2468.
    // 1974 < 2105 <= 2468: level E.
    const std::string r = report(FreewayForm::kOperationalKey, "Ex#1");
    EXPECT_TRUE(hasLine(r, "   │   ▷ 첨두시간환산교통류율 Vp =  2105대/시                              │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 차로폭 및 측방여유폭 보정계수(fw) =  .79                          │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 중차량보정계수(fhv) =   .71                                       │"));
    EXPECT_TRUE(hasLine(r, "   │      - LOS A :    666                                                  │"));
    EXPECT_TRUE(hasLine(r, "   │      - LOS B :   1111                                                  │"));
    EXPECT_TRUE(hasLine(r, "   │      - LOS E :   2468                                                  │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 서비스수준 : E                                                    │"));
    // The rolling-terrain mix line: small 100 - 20 = 80, medium + large = 20.
    EXPECT_TRUE(hasLine(r, "   │      ( 소형 :  80%, 중·대형 :  20% )                                  │"));
}

TEST_F(FreewayFormTest, Example2SpecificGradeGivesD) {
    // Vp = int16(1800 / .95) = int16(1894.74) = 1895.
    // E: row 4 x 6 + 5 + 1 = 30, P = .30 <= .30 -> column 4: E = 4.
    // fhv = 1 / (1 + 3 x .3) = .526 -> .53; fw: row 1 + 1 = 2, column 0 + 1 = 1: .98.
    // MSF at 120 km/h: 690 1150 1495 1909 2300;
    // SF = int16(MSF x 2 x .98 x .53): 716.77 -> 717, 1194.62 -> 1195, 1553.01 -> 1553,
    //      1983.07 -> 1983, 2389.24 -> 2389. 1553 < 1895 <= 1983: level D.
    const std::string r = report(FreewayForm::kOperationalKey, "Ex#2");
    EXPECT_TRUE(hasLine(r, "   │   ▷ 첨두시간환산교통류율 Vp =  1895대/시                              │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 중차량보정계수(fhv) =   .53                                       │"));
    EXPECT_TRUE(hasLine(r, "   │      - LOS D :   1983                                                  │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 서비스수준 : D                                                    │"));
    EXPECT_TRUE(hasLine(r, "   │      ( 소형 :  70%, 중·대형 :  30% )                                  │"));
}

TEST_F(FreewayFormTest, Example4LevelTerrainTargetCNeedsFourLanes) {
    // PDDHV = int16(3500 / .9) = int16(3888.89) = 3889; MSFi = 4-2 row 3, column 4 = 1342.
    // fw: design uses the three-or-more block, row 0 + 5 = 5, column 1: 1.
    // fhv = 1 / (1 + .5 x .23 + 1.0 x .02) = 1 / 1.135 = .881 -> .88.
    // SF = int16(1342 x 1 x .88) = int16(1180.96) = 1181.
    // N = int16(3889 / 1181 + .5) = int16(3.79) = 4; 3889 / 1181 in "#.##" = 3.29.
    const std::string r = report(FreewayForm::kDesignKey, "Ex#4");
    EXPECT_TRUE(hasLine(r, "   │      SFi  = MSFi * fw * fhv =  1342 ×    1 ×  .88 =  1181대/시/Lane  │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 차로수 N = PDDHV / SF =  3889 / 1181 = 3.29 차로/방향             │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 편도 4차로가 필요함                                               │"));
    // Level terrain shows medium and large apart; "0.90" shows as the number text " .9".
    EXPECT_TRUE(hasLine(r, "   │      ( 소형 :  75%, 중형 :  23%, 대형 :   2%     )                     │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 첨두시간계수 :   .9                                               │"));
}

TEST_F(FreewayFormTest, Example5RollingTerrainTargetDNeedsThreeLanes) {
    // PDDHV = int16(2700 / .95) = int16(2842.1) = 2842; MSFi = 4-2 row 4, column 6 = 1500.
    // fw = 1; fhv = 1 / (1 + 2 x .15) = .769 -> .77; SF = int16(1500 x .77) = 1155.
    // N = int16(2842 / 1155 + .5) = int16(2.96) = 3; quotient 2.46.
    const std::string r = report(FreewayForm::kDesignKey, "Ex#5");
    EXPECT_TRUE(hasLine(r, "   │   ▷ 설계 첨두시간 교통량 PDDHV =  2842대/시                           │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 최대 서비스 교통량 검색 MSFi =  1500대/시/Lane                    │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 차로수 N = PDDHV / SF =  2842 / 1155 = 2.46 차로/방향             │"));
    EXPECT_TRUE(hasLine(r, "   │   ▷ 편도 3차로가 필요함                                               │"));
}

TEST_F(FreewayFormTest, ReportLinesFollowTheTemplate) {
    // The design report of Ex#5 line by line against the template: frame of
    // 36 "─", fixed literal pieces, fields in their "@" widths.
    const std::vector<std::string> lines = linesOf(report(FreewayForm::kDesignKey, "Ex#5"));
    ASSERT_EQ(lines.size(), 49u);
    std::string bar;
    for (int i = 0; i < 36; ++i) bar += "─";
    EXPECT_EQ(lines[0], "   ┌" + bar + "┐");
    EXPECT_EQ(lines[1], "   │                      고속도로 기본구간의 설계분석                      │");
    EXPECT_EQ(lines[2], "   ├" + bar + "┤");
    EXPECT_EQ(lines[4], "   │" + std::string(72, ' ') + "│");
    EXPECT_EQ(lines[10], "   │   ▷ 설계속도 :   80km/시               ▷ 서비스수준 :  D             │");
    // The literal pieces of this line leave it short; the frame closes it.
    EXPECT_EQ(lines[14], "   │   ▷ 장애물위치 :  한쪽              ▷ 장애물과의거리 :  ≥1.5        │");
    EXPECT_EQ(lines[19], "   │   ▷ 중방향 설계시간교통량(DDHV) :  2700 대/시                         │");
    EXPECT_EQ(lines[24], "   │      ( 소형 :  85%, 중·대형 :  15% )                                  │");
    EXPECT_EQ(lines[48], "   └" + bar + "┘");
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(report::columns(lines[i]), 79) << lines[i];
}

// ---- the bounds the method names ----

TEST(Freeway, AVolumeEqualToAServiceFlowKeepsThatLevel) {
    const std::array<Int16, 5> SF{Int16::of(666), Int16::of(1111), Int16::of(1505), Int16::of(1974), Int16::of(2468)};
    EXPECT_EQ(freewayLevel(SF, Int16::of(0)), 'A');
    EXPECT_EQ(freewayLevel(SF, Int16::of(666)), 'A');
    EXPECT_EQ(freewayLevel(SF, Int16::of(667)), 'B');
    EXPECT_EQ(freewayLevel(SF, Int16::of(1974)), 'D');
    EXPECT_EQ(freewayLevel(SF, Int16::of(2468)), 'E');
    EXPECT_EQ(freewayLevel(SF, Int16::of(2469)), 'F');  // SF(5) < Vp
}

TEST_F(FreewayFormTest, VolumeAtServiceFlowBoundsThroughTheAnalysis) {
    // Ex#1 with PHF 1: Vp = V. SF(D) = 1974, SF(E) = 2468 as in Example 1.
    form->press(example("Ex#1"));
    form->setText("txtPHF", "1");
    auto level = [&](const char* volume) {
        form->setText("txtVolume", volume);
        EXPECT_TRUE(run().ok());
        const auto lines = linesOf(form->resultText());
        return lines[lines.size() - 3];
    };
    EXPECT_EQ(level("1974"), "   │   ▷ 서비스수준 : D                                                    │");
    EXPECT_EQ(level("1975"), "   │   ▷ 서비스수준 : E                                                    │");
    EXPECT_EQ(level("2468"), "   │   ▷ 서비스수준 : E                                                    │");
    EXPECT_EQ(level("2469"), "   │   ▷ 서비스수준 : F                                                    │");
}

TEST(Freeway, LaneCountRoundsHalfToEven) {
    // Ex#5's SF = 1155 with PHF 1: PDDHV = DDHV. Quotients of exactly 1, 2, 3
    // plus .5 give 1.5 -> 2, 2.5 -> 2, 3.5 -> 4; 2.4 plus .5 gives 3.
    FreewayInput in = general(kRolling, 15, 0);
    in.designSpeed = kSpeed80;
    in.targetLevel = 3;
    struct Case {
        int DDHV;
        int N;
    };
    for (Case c : {Case{1155, 2}, {2310, 2}, {3465, 4}, {2772, 3}}) {
        in.V = Int16::of(c.DDHV);
        const DesignResult r = analyseDesign(in, shippedTables());
        EXPECT_EQ(r.SF.value(), 1155);
        EXPECT_EQ(r.N.value(), c.N) << c.DDHV;
    }
}

TEST(Freeway, HeavyVehicleFactorIsRoundedThroughTwoDecimals) {
    auto fhv = [](const FreewayInput& in) {
        Factors f;
        heavyVehicleFactor(in, shippedTables(), f);
        return report::numtext(f.fhv);
    };
    // 1 / (1 + 2 x .3) = 1 / 1.6 = .625: the pattern rounds the half away from zero.
    EXPECT_EQ(fhv(general(kRolling, 30, 0)), " .63");
    // 1 / (1 + 4 x (.1 + .05)) = .625 likewise.
    EXPECT_EQ(fhv(general(kMountainous, 10, 5)), " .63");
    // 1 / (1 + .5 x .23 + .02) = .881 -> .88; no heavy vehicles -> 1.
    EXPECT_EQ(fhv(general(kLevel, 23, 2)), " .88");
    EXPECT_EQ(fhv(general(kLevel, 0, 0)), " 1");
    // Level terrain weighs medium vehicles by .5 and large by 1: 1 / 1.2 = .833 -> .83.
    EXPECT_EQ(fhv(general(kLevel, 40, 0)), " .83");
    EXPECT_EQ(fhv(general(kLevel, 0, 20)), " .83");
}

TEST(Freeway, GradeBelowTwoPercentUsesEOfOneAndAHalf) {
    // E = 1.5 without a table read (the 4-5 grid below is empty, so a read
    // would fail): fhv = 1 / (1 + .5 x .3) = .87; a share above 50 % is fine here.
    FreewayTables noPce = shippedTables();
    noPce.pce = tables::LookupTable();
    Factors f;
    heavyVehicleFactor(grade(0, -1, 30), noPce, f);
    EXPECT_EQ(f.E, 1.5f);
    EXPECT_EQ(report::numtext(f.fhv), " .87");
    heavyVehicleFactor(grade(0, -1, 80), noPce, f);  // 1 / 1.4 = .714
    EXPECT_EQ(report::numtext(f.fhv), " .71");
    EXPECT_NO_THROW(analyseOperational(grade(0, -1, 80), noPce));
}

TEST(Freeway, GradeEquivalentColumnsByShareWithInclusiveBounds) {
    // Grade 2-3 % (index 1), longest class (index 5): row 1 x 6 + 5 + 1 = 12,
    // columns 3 2.5 2 2 2 2.
    struct Case {
        double heavy;
        float E;
    };
    for (Case c : {Case{0, 3}, {5, 3}, {5.5, 2.5f}, {10, 2.5f}, {10.5, 2}, {50, 2}}) {
        Factors f;
        heavyVehicleFactor(grade(1, 5, c.heavy), shippedTables(), f);
        EXPECT_EQ(f.E, c.E) << c.heavy;
    }
    // Example 2's row 30 at 30 %: E = 4.
    Factors f;
    heavyVehicleFactor(grade(4, 5, 30), shippedTables(), f);
    EXPECT_EQ(f.E, 4.0f);
}

TEST(Freeway, LaneWidthFactorBlockByLanesAndColumnBySide) {
    FreewayInput in = general(kLevel, 0, 0);
    in.sideDistance = 3;
    in.laneWidth = 1;
    in.bothSides = true;
    EXPECT_EQ(laneWidthFactor(in, shippedTables(), false), 0.79f);  // row 4, column 6
    EXPECT_EQ(laneWidthFactor(in, shippedTables(), true), 0.87f);   // row 8, column 6
    in.bothSides = false;
    in.sideDistance = 1;
    in.laneWidth = 0;
    EXPECT_EQ(laneWidthFactor(in, shippedTables(), false), 0.98f);  // row 2, column 1
    // The operational block follows N: 2 lanes the first block, 3 the second.
    in = general(kLevel, 0, 0);
    in.sideDistance = 3;
    in.N = Int16::of(2);
    EXPECT_EQ(analyseOperational(in, shippedTables()).factors.fw, 0.9f);
    in.N = Int16::of(3);
    EXPECT_EQ(analyseOperational(in, shippedTables()).factors.fw, 0.94f);
}

// ---- refusals ----

TEST(Freeway, RefusesWhatTheMethodCannotComputeWith) {
    struct Case {
        const char* what;
        FreewayInput in;
        bool design;
        std::string focus;
    };
    std::vector<Case> cases;
    auto with = [](FreewayInput in, auto change) {
        change(in);
        return in;
    };
    const FreewayInput base = general(kLevel, 10, 5);
    cases.push_back({"no section kind", with(base, [](auto& i) { i.sectionKind = -1; }), false, "cboTermType"});
    cases.push_back({"no terrain", with(base, [](auto& i) { i.terrain = -1; }), false, "cboLandType"});
    cases.push_back({"no speed", with(base, [](auto& i) { i.designSpeed = -1; }), true, "cboDesignSpeed"});
    cases.push_back({"no lane width", with(base, [](auto& i) { i.laneWidth = -1; }), false, "cboLaneWidth"});
    cases.push_back({"no distance", with(base, [](auto& i) { i.sideDistance = -1; }), false, "cboSideWidth"});
    cases.push_back({"no side", with(base, [](auto& i) { i.sideText.clear(); }), false, "optOneSide"});
    cases.push_back({"no target", with(base, [](auto& i) { i.targetLevel = -1; }), true, "cboLOS"});
    cases.push_back({"target F", with(base, [](auto& i) { i.targetLevel = 5; }), true, "cboLOS"});
    cases.push_back({"no grade", grade(-1, 0, 10), false, "cboGrade"});
    cases.push_back({"no grade length", grade(3, -1, 10), false, "cboGradeLength"});
    cases.push_back({"share above 50 %", grade(3, 2, 50.5), false, "txtTotalPer"});
    cases.push_back({"zero PHF", with(base, [](auto& i) { i.PHF = 0; }), false, "txtPHF"});
    cases.push_back({"negative PHF", with(base, [](auto& i) { i.PHF = -0.9f; }), true, "txtPHF"});
    // 32767 / .5 = 65534 beyond 16 bits.
    cases.push_back({"Vp range",
                     with(base,
                          [](auto& i) {
                              i.V = Int16::of(32767);
                              i.PHF = 0.5f;
                          }),
                     false, "txtVolume"});
    // MSF(E) x N = 2200 x 15 = 33000.
    cases.push_back({"lanes range", with(base, [](auto& i) { i.N = Int16::of(15); }), false, "txtLane"});
    for (const Case& c : cases) {
        const Error e = refusalOf(c.in, c.design);
        EXPECT_EQ(e.kind, ErrorKind::InputError) << c.what;
        EXPECT_EQ(e.focus, c.focus) << c.what;
        EXPECT_FALSE(e.message.empty()) << c.what;
    }
    // 14 lanes still fit: 2200 x 14 = 30800.
    FreewayInput fourteen = base;
    fourteen.N = Int16::of(14);
    EXPECT_NO_THROW(analyseOperational(fourteen, shippedTables()));
}

TEST(Freeway, RefusesAZeroServiceFlowInDesign) {
    // Mountainous, 5000 % medium vehicles: fhv = 1 / (1 + 4 x 50) = .004975,
    // "#.##" gives "." (zero), so SF = 0 and there is no lane count.
    FreewayInput in = general(kMountainous, 5000, 0);
    in.designSpeed = kSpeed80;
    in.targetLevel = 3;
    const Error e = refusalOf(in, true);
    EXPECT_EQ(e.kind, ErrorKind::InputError);
    EXPECT_NE(e.message.find("SF"), std::string::npos) << e.message;
    // 2475 %: fhv = 1 / (1 + 4 x 24.75) = .01 and SF = int16(1500 x .01) = 15.
    in.mediumPercent = 2475;
    EXPECT_EQ(analyseDesign(in, shippedTables()).SF.value(), 15);
}

// ---- the window ----

TEST_F(FreewayFormTest, OperationalModeShowsLanesAndHidesTheTargetLevel) {
    EXPECT_EQ(form->windowName(), "frmHighWay");
    EXPECT_EQ(form->title(), "고속도로 기본구간의 운영분석");
    EXPECT_TRUE(form->at("txtLane").visible);
    EXPECT_FALSE(form->at("cboLOS").visible);
    EXPECT_EQ(form->at("txtVolume").caption, "교통량");
    EXPECT_EQ(form->currentPage(), FreewayForm::kInputPage);
    // Initial state: texts empty, no list chosen, one-side obstructions.
    EXPECT_TRUE(form->at("txtVolume").text.empty());
    for (const char* list : {"cboTermType", "cboLandType", "cboDesignSpeed", "cboLaneWidth", "cboSideWidth", "cboGrade",
                             "cboGradeLength", "cboLOS"})
        EXPECT_EQ(form->at(list).index, -1) << list;
    EXPECT_TRUE(form->at("optOneSide").checked);
    EXPECT_FALSE(form->at("optTwoSide").checked);
    std::vector<std::string> examples;
    for (const auto* b : form->exampleButtons()) examples.push_back(b->caption);
    EXPECT_EQ(examples, (std::vector<std::string>{"Ex#1", "Ex#2", "Ex#4", "Ex#5"}));
}

TEST_F(FreewayFormTest, DesignModeShowsTheTargetLevelAndHidesLanes) {
    open(FreewayForm::kDesignKey);
    EXPECT_EQ(form->title(), "고속도로 기본구간의 설계분석");
    EXPECT_FALSE(form->at("txtLane").visible);
    EXPECT_TRUE(form->at("cboLOS").visible);
    EXPECT_EQ(form->at("txtVolume").caption, "DDHV(vph)");
}

TEST_F(FreewayFormTest, SectionKindSwitchesTheVehicleFieldsAndGradeLists) {
    form->setIndex("cboTermType", kSpecificGrade);
    EXPECT_FALSE(form->at("cboLandType").enabled);
    EXPECT_FALSE(form->at("txtLightPer").visible);
    EXPECT_FALSE(form->at("txtHeavyPer").visible);
    EXPECT_TRUE(form->at("txtTotalPer").visible);
    EXPECT_TRUE(form->at("cboGrade").enabled);
    EXPECT_TRUE(form->at("cboGradeLength").enabled);
    form->setIndex("cboTermType", kGeneralTerrain);
    EXPECT_TRUE(form->at("cboLandType").enabled);
    EXPECT_TRUE(form->at("txtLightPer").visible);
    EXPECT_TRUE(form->at("txtHeavyPer").visible);
    EXPECT_FALSE(form->at("txtTotalPer").visible);
    EXPECT_FALSE(form->at("cboGrade").enabled);
    EXPECT_FALSE(form->at("cboGradeLength").enabled);
}

TEST_F(FreewayFormTest, GradeLengthListIsRebuiltOnEveryGradeChange) {
    const auto& lengths = form->at("cboGradeLength");
    EXPECT_EQ(lengths.items.back(), "＞2.5");  // the list at creation
    form->setIndex("cboGrade", 2);
    EXPECT_EQ(lengths.items, (std::vector<std::string>{"0.0＜  ≤0.5", "0.5＜  ≤1.0", "1.0＜  ≤1.2", "1.2＜  ≤1.5",
                                                       "1.5＜  ≤1.8", "＞1.8"}));
    form->setIndex("cboGradeLength", 4);
    form->setIndex("cboGrade", 7);
    EXPECT_EQ(lengths.items, (std::vector<std::string>{"0.0＜  ≤0.4", "0.4＜  ≤0.5", "0.5＜  ≤0.8", "0.8＜  ≤1.0",
                                                       "1.0＜  ≤1.5", "＞1.5"}));
    EXPECT_EQ(lengths.index, -1);
    form->setIndex("cboGradeLength", 5);
    form->setIndex("cboGrade", 3);  // the same list again, still rebuilt without a choice
    EXPECT_EQ(lengths.index, -1);
    form->setIndex("cboGrade", 1);
    EXPECT_EQ(lengths.items.front(), "0.0＜  ≤0.5");
    EXPECT_EQ(lengths.items.back(), "＞2.5");
}

TEST_F(FreewayFormTest, TargetLevelFIsRefusedWhenChosen) {
    open(FreewayForm::kDesignKey);
    EXPECT_TRUE(form->setIndex("cboLOS", 3).ok());
    const Outcome o = form->setIndex("cboLOS", 5);
    EXPECT_EQ(o.status, Outcome::Status::Refused);
    ASSERT_TRUE(o.message.has_value());
    EXPECT_EQ(o.message->title, "입력오류");
    EXPECT_EQ(o.message->text, "서비스 수준 F로는 설계할 수 없습니다.");
    EXPECT_EQ(o.message->icon, form::MessageIcon::Error);
    EXPECT_EQ(o.focus, "cboLOS");
    EXPECT_EQ(form->at("cboLOS").index, 0);
}

TEST_F(FreewayFormTest, ExamplesFillInputsOnlyAndLeaveTheReport) {
    const std::string first = report(FreewayForm::kOperationalKey, "Ex#1");
    const Outcome o = form->press(example("Ex#2"));
    EXPECT_TRUE(o.ok());
    EXPECT_FALSE(o.reportWritten);
    EXPECT_EQ(form->resultText(), first);
    // Ex#2 set the grade before its length, so the rebuilt list keeps the length.
    EXPECT_EQ(form->at("cboGrade").index, 4);
    EXPECT_EQ(form->at("cboGradeLength").index, 5);
    EXPECT_EQ(form->at("optOneSide").checked, true);
    // Ex#4 leaves the lanes alone.
    form->press(example("Ex#4"));
    EXPECT_EQ(form->at("txtLane").text, "2");
    EXPECT_EQ(form->at("cboLOS").index, 2);
}

TEST_F(FreewayFormTest, ARefusedAnalysisKeepsThePreviousReport) {
    const std::string first = report(FreewayForm::kOperationalKey, "Ex#1");
    form->setText("txtPHF", "0");
    const Outcome o = run();
    EXPECT_EQ(o.status, Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "txtPHF");
    EXPECT_FALSE(o.reportWritten);
    EXPECT_EQ(form->resultText(), first);
    form->setText("txtPHF", "0.95");
    form->setText("txtVolume", "40000");  // beyond 16 bits
    EXPECT_EQ(run().status, Outcome::Status::Refused);
    EXPECT_EQ(form->resultText(), first);
}

TEST_F(FreewayFormTest, TheModeIsReadAgainWhenTheAnalysisRuns) {
    form->press(example("Ex#5"));
    form->setIndex("cboLOS", 3);
    // The menu switches to the design command while the window stays open.
    index.key = FreewayForm::kDesignKey;
    EXPECT_TRUE(run().ok());
    EXPECT_NE(form->resultText().find("고속도로 기본구간의 설계분석"), std::string::npos);
    EXPECT_EQ(form->title(), "고속도로 기본구간의 운영분석");  // the layout stays
    // Another facility's key: the button only shows the result page.
    const std::string kept = form->resultText();
    form->showPage(FreewayForm::kInputPage);
    index.key = "weavingoper";
    const Outcome o = run();
    EXPECT_TRUE(o.ok());
    EXPECT_FALSE(o.reportWritten);
    EXPECT_EQ(o.page, FreewayForm::kResultPage);
    EXPECT_EQ(form->resultText(), kept);
}

TEST(FreewayWindow, AMissingTableIsNamedAndTheAnalysisRefuses) {
    const std::filesystem::path empty = std::filesystem::temp_directory_path() / "verosa-freeway-no-tables";
    std::filesystem::create_directories(empty);
    const tables::LookupTableStore store(empty);
    form::AnalysisIndex index{FreewayForm::kOperationalKey};
    FreewayForm form({&index, &store});
    const Outcome opened = form.open();
    EXPECT_EQ(opened.status, Outcome::Status::MissingTable);
    ASSERT_TRUE(opened.message.has_value());
    EXPECT_NE(opened.message->text.find("2001QORA.sqlite"), std::string::npos);
    EXPECT_NE(opened.message->text.find("4-2"), std::string::npos);
    form.press("cmdEx1");
    const Outcome o = form.press("cmdResult");
    EXPECT_EQ(o.status, Outcome::Status::MissingTable);
    EXPECT_FALSE(o.reportWritten);
    EXPECT_TRUE(form.resultText().empty());
    std::filesystem::remove_all(empty);
}

// ---- number fields ----

// One text of each kind per mode: not a number, beyond a bound (the typed
// value, not the rounded one), a share; the messages of the others are
// checked by the golden refusals, the rule itself in FormTest.
TEST_F(FreewayFormTest, NumberFieldsRefuseTextsThatAreNotValuesOfTheirRange) {
    struct Case {
        const char* key;
        const char* example;
        const char* field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {FreewayForm::kOperationalKey, "Ex#1", "txtVolume", "1OO",
         "교통량은 숫자로 입력하십시오. (입력된 값: \"1OO\")"},
        {FreewayForm::kOperationalKey, "Ex#1", "txtVolume", "32767.4", "교통량은 0 이상 32767 이하여야 합니다."},
        {FreewayForm::kOperationalKey, "Ex#1", "txtLane", "10", "차로수(편도)는 1 이상 9 이하여야 합니다."},
        {FreewayForm::kOperationalKey, "Ex#2", "txtTotalPer", "100.5", "중차량구성비(%)는 0 이상 100 이하여야 합니다."},
        {FreewayForm::kDesignKey, "Ex#5", "txtPHF", "0", "첨두시간계수(PHF)는 0.25 이상 1 이하여야 합니다."},
    };
    for (const Case& c : cases) {
        report(c.key, c.example);
        form->showPage(FreewayForm::kInputPage);
        test::expectFieldRefused(*form, "cmdResult", c.field, c.text, c.message);
    }
}

TEST_F(FreewayFormTest, MediumAndLargeSharesTogetherAreAtMostTheWholeVolume) {
    form->press(example("Ex#1"));  // large 20 %
    form->setText("txtLightPer", "80");
    EXPECT_TRUE(run().ok());
    form->setText("txtLightPer", "80.5");
    const Outcome o = run();
    EXPECT_EQ(o.status, Outcome::Status::Refused);
    EXPECT_EQ(o.message->text, "중형차량과 대형차량 구성비율의 합이 너무 큽니다. 100 이하여야 합니다.");
    EXPECT_EQ(o.focus, "txtHeavyPer");
}

TEST_F(FreewayFormTest, TheBoundsThemselvesAreAccepted) {
    form->press(example("Ex#1"));
    for (auto [field, text] : std::vector<std::pair<const char*, const char*>>{
             {"txtLane", "1"}, {"txtLane", "9"}, {"txtPHF", "1"}, {"txtVolume", "0"}, {"txtVolume", "32767"}}) {
        form->setText(field, text);
        const Outcome o = run();
        EXPECT_TRUE(o.ok()) << field << " " << text << ": " << (o.message ? o.message->text : "");
    }
    open(FreewayForm::kOperationalKey);
    form->press(example("Ex#2"));
    for (const char* share : {"0", "50"}) {
        form->setText("txtTotalPer", share);
        EXPECT_TRUE(run().ok()) << share;
    }
}

TEST_F(FreewayFormTest, OnlyTheFieldsTheAnalysisUsesAreRead) {
    // The design reads no lanes; a specific grade no medium or large share,
    // general terrain no heavy-vehicle share.
    open(FreewayForm::kDesignKey);
    form->press(example("Ex#4"));
    form->setText("txtLane", "abc");
    form->setText("txtTotalPer", "abc");
    EXPECT_TRUE(run().ok());
    open(FreewayForm::kOperationalKey);
    form->press(example("Ex#2"));
    form->setText("txtLightPer", "abc");
    form->setText("txtHeavyPer", "-1");
    EXPECT_TRUE(run().ok());
}

TEST_F(FreewayFormTest, TypedNumbersShowWithoutTheBlanksAroundThem) {
    const std::string ex1 = report(FreewayForm::kOperationalKey, "Ex#1");
    form->setText("txtLane", " 2\t");
    form->setText("txtHeavyPer", "20 ");
    ASSERT_TRUE(run().ok());
    EXPECT_EQ(form->resultText(), ex1);
}
