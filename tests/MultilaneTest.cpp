// Multilane highways: the worked examples step by step, the bands of the
// adjustments, both table interpolations at their bounds, the level bounds,
// the refusals, and the window (survey option, examples, report kept on a
// refusal, a missing table).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "analyses/multilane/Multilane.h"
#include "analyses/multilane/MultilaneForm.h"
#include "numeric/Result.h"
#include "report/NumberText.h"
#include "tables/LookupTable.h"

using namespace verosa;
using namespace verosa::analyses::multilane;
using tables::LookupTable;
using tables::LookupTableStore;

namespace {

const MultilaneTables& shippedTables() {
    static const MultilaneTables t = openMultilaneTables(LookupTableStore());
    return t;
}

// A grid as the store gives it: row 0 field names, column 0 empty.
LookupTable grid(const std::string& name, const std::vector<std::vector<std::string>>& records) {
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> head(records.front().size() + 1);
    cells.push_back(head);
    for (const auto& r : records) {
        std::vector<std::string> row{""};
        row.insert(row.end(), r.begin(), r.end());
        cells.push_back(row);
    }
    return LookupTable(name, cells);
}

// The inputs of "Ex#2-A": type I, 35 % heavy vehicles, 0.13 signals per km,
// 900 vph, lane 3.5 m, clearance 1.0 m, PHF 0.93, H 16, G 4, A 1.5, g/C 0.75.
MultilaneInput example2A() {
    MultilaneInput in;
    in.roadType = kTypeI;
    in.roadTypeText = "유형 Ⅰ ";
    in.D = 0.13;
    in.heavyPercent = 35;
    in.heavyPercentText = "35";
    in.volume = 900;
    in.V = Int16::of(900);
    in.laneWidth = 0;
    in.laneWidthText = "3.5m  이상";
    in.clearance = 1;
    in.clearanceText = "1.0m 이상";
    in.PHF = 0.93f;
    in.H = 16;
    in.G = 4;
    in.A = 1.5;
    in.gC = 0.75;
    in.gCText = "0.75";
    return in;
}

MultilaneInput example2B() {
    MultilaneInput in = example2A();
    in.roadType = kTypeII;
    in.roadTypeText = "유형 Ⅱ ";
    in.D = 0.60;
    in.volume = 1325;
    in.V = Int16::of(1325);
    in.H = 9;
    in.G = 3;
    in.A = 3.5;
    return in;
}

MultilaneInput example1() {
    MultilaneInput in;
    in.roadType = kTypeII;
    in.roadTypeText = "유형 Ⅱ ";
    in.D = 0.5;
    in.heavyPercent = 20;
    in.heavyPercentText = "20";
    in.measured = true;
    in.measuredSp1 = Int16::of(85);
    in.measuredSp2 = 61;
    in.measuredSt2 = 57;
    return in;
}

// The refusal of an input, or an empty error where there is none.
Error refusalOf(const MultilaneInput& in) {
    return test::failureOf([&] { analyseMultilane(in, shippedTables()); }).value_or(Error{});
}

std::string text(float x) { return report::numtext(x); }

// ---- the worked examples ----

TEST(MultilaneExamples, Example2AConditionsToLevelD) {
    const MultilaneResult r = analyseMultilane(example2A(), shippedTables());
    EXPECT_EQ(r.BSp.value(), 92);
    EXPECT_EQ(r.Fwc.value(), 1);          // lane 3.5 m, clearance 1.0 m
    EXPECT_EQ(r.Fb.value(), 1);           // H 16, type I
    EXPECT_EQ(r.FhPassenger.value(), 1);  // G 4
    EXPECT_EQ(r.FhHeavy.value(), 3);
    EXPECT_EQ(r.Fa.value(), 1);    // A 1.5
    EXPECT_EQ(r.Sp1.value(), 88);  // 92 - 1 - 1 - 1 - 1
    EXPECT_EQ(r.Vp.value(), 968);  // 900 / 0.93 = 967.74
    // g/C exactly 0.75: the rounded row-2 cells of 6-6, columns 2 and 3 (1 and 1).
    EXPECT_EQ(text(r.FsPassenger), " 1");
    EXPECT_EQ(text(r.FsHeavy), " 1");
    // 6-7a column 4 and 6-7b column 3 at rows 5 (900) and 6 (1000), cells 3 and 4:
    // 4 - (1000 - 968) x (4 - 3) / 100 = 3.68.
    EXPECT_EQ(text(r.FvPassenger), " 3.68");
    EXPECT_EQ(text(r.FvHeavy), " 3.68");
    EXPECT_EQ(report::format(r.Sp2, "#0.00"), "83.32");  // 88 - 1 - 3.68
    EXPECT_EQ(report::format(r.St2, "#0.00"), "70.32");  // 80 - 1 - 3 - 1 - 1 - 3.68
    // S = 0.65 x 83.32 + 0.35 x 70.32 = 54.158 + 24.612 = 78.77; 6-8 column 2
    // (type I, 0.1 < D <= 0.3): 85, 82, 79 are not below it, 74 is: D.
    EXPECT_EQ(report::format(r.S, "#0.00"), "78.77");
    EXPECT_EQ(r.los, 'D');
}

TEST(MultilaneExamples, Example2BConditionsToLevelD) {
    const MultilaneResult r = analyseMultilane(example2B(), shippedTables());
    EXPECT_EQ(r.BSp.value(), 87);
    EXPECT_EQ(r.Fwc.value(), 1);
    EXPECT_EQ(r.Fb.value(), 0);  // H 9
    EXPECT_EQ(r.FhPassenger.value(), 1);
    EXPECT_EQ(r.FhHeavy.value(), 3);
    EXPECT_EQ(r.Fa.value(), 1);
    EXPECT_EQ(r.Sp1.value(), 84);
    EXPECT_EQ(r.Vp.value(), 1425);  // 1325 / 0.93 = 1424.73
    // 6-6 columns 4 and 5 (D <= 0.7), row 2: 4 and 3.
    EXPECT_EQ(text(r.FsPassenger), " 4");
    EXPECT_EQ(text(r.FsHeavy), " 3");
    // 6-7a column 5, rows 10 and 11 (1400, 1500): 12, 16: 16 - 75 x 4 / 100 = 13.
    // 6-7b column 4: 12, 14: 14 - 75 x 2 / 100 = 12.5.
    EXPECT_EQ(text(r.FvPassenger), " 13");
    EXPECT_EQ(text(r.FvHeavy), " 12.5");
    EXPECT_EQ(text(r.Sp2), " 67");    // 84 - 4 - 13
    EXPECT_EQ(text(r.St2), " 59.5");  // 80 - 1 - 3 - 1 - 3 - 12.5
    // S = 0.65 x 67 + 0.35 x 59.5 = 43.55 + 20.825 = 64.375; 6-8 column 4
    // (type II, 0.1 < D <= 0.7): 76, 73, 67 are not below it, 60 is: D.
    EXPECT_EQ(text(r.S), " 64.375");
    EXPECT_EQ(r.los, 'D');
}

TEST(MultilaneExamples, Example1MeasuredSpeedsToLevelD) {
    const MultilaneResult r = analyseMultilane(example1(), shippedTables());
    EXPECT_EQ(text(r.p), " .2");
    // S = 0.8 x 61 + 0.2 x 57 = 48.8 + 11.4 = 60.2; 6-8 column 4: 60 < 60.2: D.
    EXPECT_EQ(text(r.S), " 60.2");
    EXPECT_EQ(r.Sp1.value(), 85);
    EXPECT_EQ(r.los, 'D');
    // Nothing of the conditions is computed.
    EXPECT_EQ(r.Vp.value(), 0);
    EXPECT_EQ(r.BSp.value(), 0);
}

// ---- the adjustment bands ----

TEST(MultilaneBands, CurvatureBandsEndAtTheirBound) {
    EXPECT_EQ(curvatureAdjustment(kTypeI, 10).value(), 0);
    EXPECT_EQ(curvatureAdjustment(kTypeI, 10.5).value(), 1);
    EXPECT_EQ(curvatureAdjustment(kTypeI, 40).value(), 2);
    EXPECT_EQ(curvatureAdjustment(kTypeI, 60).value(), 3);
    EXPECT_EQ(curvatureAdjustment(kTypeI, 80).value(), 4);
    for (int type : {kTypeII, kTypeIII}) {
        EXPECT_EQ(curvatureAdjustment(type, 15).value(), 1);
        EXPECT_EQ(curvatureAdjustment(type, 40).value(), 1);
        EXPECT_EQ(curvatureAdjustment(type, 40.1).value(), 2);
        EXPECT_EQ(curvatureAdjustment(type, 80).value(), 3);
    }
}

TEST(MultilaneBands, GradeBandsForBothVehicleClasses) {
    EXPECT_EQ(gradeAdjustmentPassenger(kTypeI, 2).value(), 0);
    EXPECT_EQ(gradeAdjustmentPassenger(kTypeII, 2).value(), 0);
    EXPECT_EQ(gradeAdjustmentHeavy(2).value(), 0);
    EXPECT_EQ(gradeAdjustmentPassenger(kTypeI, 2.01).value(), 1);
    EXPECT_EQ(gradeAdjustmentHeavy(2.01).value(), 3);
    EXPECT_EQ(gradeAdjustmentPassenger(kTypeI, 40).value(), 9);
    EXPECT_EQ(gradeAdjustmentPassenger(kTypeII, 40).value(), 8);
    EXPECT_EQ(gradeAdjustmentPassenger(kTypeIII, 40).value(), 8);
    EXPECT_EQ(gradeAdjustmentHeavy(40).value(), 19);
    EXPECT_EQ(gradeAdjustmentPassenger(kTypeI, 90).value(), 19);
    EXPECT_EQ(gradeAdjustmentPassenger(kTypeII, 90).value(), 18);
    EXPECT_EQ(gradeAdjustmentHeavy(90).value(), 30);
}

TEST(MultilaneBands, AccessPoints) {
    struct Case {
        double A;
        int Fa;
    };
    for (Case c : {Case{0, 0},
                   {0.5, 1},
                   {4, 1},
                   {-2, 1},
                   {4.01, 2},
                   {8, 2},
                   {12, 3},
                   {16, 4},
                   {16.5, 6},
                   {20, 6},
                   {20.01, 8},
                   {25, 8}})
        EXPECT_EQ(accessAdjustment(c.A).value(), c.Fa) << c.A;
}

TEST(MultilaneBands, DensityClassesChooseTheColumns) {
    EXPECT_EQ(signalColumn(0.3), 2);
    EXPECT_EQ(signalColumn(0.31), 4);
    EXPECT_EQ(signalColumn(0.7), 4);
    EXPECT_EQ(signalColumn(1.0), 6);
    // Density up to 0.1: Sp1 of 87 reads column 2 of 6-7a, 86 column 3.
    EXPECT_EQ(volumeColumnPassenger(0.05, Int16::of(87)), 2);
    EXPECT_EQ(volumeColumnPassenger(0.05, Int16::of(86)), 3);
    EXPECT_EQ(volumeColumnPassenger(0.1, Int16::of(86)), 3);
    EXPECT_EQ(volumeColumnPassenger(0.11, Int16::of(90)), 4);
    EXPECT_EQ(volumeColumnPassenger(1.0, Int16::of(90)), 6);
    EXPECT_EQ(volumeColumnHeavy(0.1), 2);
    EXPECT_EQ(volumeColumnHeavy(0.3), 3);
    EXPECT_EQ(volumeColumnHeavy(0.7), 4);
    EXPECT_EQ(volumeColumnHeavy(1.0), 5);
    EXPECT_EQ(levelColumn(kTypeI, 0.1), 1);
    EXPECT_EQ(levelColumn(kTypeI, 0.3), 2);
    EXPECT_EQ(levelColumn(kTypeI, 0.31), 0);
    EXPECT_EQ(levelColumn(kTypeII, 0.1), 3);
    EXPECT_EQ(levelColumn(kTypeII, 0.7), 4);
    EXPECT_EQ(levelColumn(kTypeII, 1.0), 5);
    EXPECT_EQ(levelColumn(kTypeIII, 0.05), 0);
}

TEST(MultilaneBands, Sp1Of87Or86ChangesTheVolumeAdjustment) {
    // Type I, D 0.05, Vp 968: Sp1 87 reads 6-7a column 2, cells 2 and 3 at
    // rows 5 and 6: 3 - 32 x 1 / 100 = 2.68. Sp1 86 reads column 3, cells 2
    // and 2: 2.
    MultilaneInput in = example2A();
    in.D = 0.05;
    in.H = 10;  // Fb 0
    in.G = 2;   // Fh 0
    in.laneWidth = 2;
    in.clearance = 1;  // Fwc 4: Sp1 = 92 - 4 - 0 - 0 - 1 = 87
    MultilaneResult r = analyseMultilane(in, shippedTables());
    ASSERT_EQ(r.Sp1.value(), 87);
    EXPECT_EQ(text(r.FvPassenger), " 2.68");
    in.clearance = 2;  // Fwc 5: 86
    r = analyseMultilane(in, shippedTables());
    ASSERT_EQ(r.Sp1.value(), 86);
    EXPECT_EQ(text(r.FvPassenger), " 2");
}

// ---- the table interpolations ----

// 6-7a-like table whose cells are not whole numbers, so rounded and unrounded
// reads differ: rows 500 ... 1800, one column.
LookupTable fractionalVolumeTable() {
    std::vector<std::vector<std::string>> rows;
    for (int q = 500; q <= 1800; q += 100) {
        std::string cell = "5";
        if (q == 500) cell = "1.4";    // rounds to 1
        if (q == 600) cell = "2.5";    // rounds to 2 (halves to even)
        if (q == 1700) cell = "18.4";  // 18
        if (q == 1800) cell = "20.6";  // 21
        rows.push_back({std::to_string(q), cell});
    }
    return grid("6-7a", rows);
}

TEST(MultilaneTables, VolumeAdjustmentAtTheFlowBounds) {
    const LookupTable t = fractionalVolumeTable();
    EXPECT_EQ(text(volumeAdjustment(t, Int16::of(500), 2)), " 0");
    // 501: rows 1 and 2, cells rounded to 1 and 2: 2 - (600 - 501) x 1 / 100 = 1.01.
    EXPECT_EQ(text(volumeAdjustment(t, Int16::of(501), 2)), " 1.01");
    EXPECT_EQ(text(volumeAdjustment(t, Int16::of(600), 2)), " 2");
    // 601: rows 2 and 3: 5 - 99 x 3 / 100 = 2.03.
    EXPECT_EQ(text(volumeAdjustment(t, Int16::of(601), 2)), " 2.03");
    // 1800: the rounded cell of row 14; 1801: the cell as it stands.
    EXPECT_EQ(text(volumeAdjustment(t, Int16::of(1800), 2)), " 21");
    EXPECT_EQ(text(volumeAdjustment(t, Int16::of(1750), 2)), " 19.5");  // 21 - 50 x 3 / 100
    EXPECT_EQ(text(volumeAdjustment(t, Int16::of(1801), 2)), " 20.6");
}

TEST(MultilaneTables, VolumeAdjustmentThroughTheAnalysis) {
    // Ex#2-A with the volume set so that Vp is 500, 501, 1800 and 1801
    // (volume = Vp x 0.93; PHF 1 keeps it exact).
    MultilaneInput in = example2A();
    in.PHF = 1;
    auto fv = [&](double volume) {
        in.volume = volume;
        in.V = int16(volume);
        const MultilaneResult r = analyseMultilane(in, shippedTables());
        return text(r.FvPassenger) + "/" + text(r.FvHeavy);
    };
    EXPECT_EQ(fv(500), " 0/ 0");
    // 6-7a column 4, rows 1 and 2: 1, 1: 1. 6-7b column 3: 1, 2: 2 - 99 x 1 / 100.
    EXPECT_EQ(fv(501), " 1/ 1.01");
    in.D = 0.05;                     // Sp1 88: 6-7a column 2, 6-7b column 2
    EXPECT_EQ(fv(1800), " 20/ 10");  // row 14
    EXPECT_EQ(fv(1801), " 20/ 10");
    EXPECT_EQ(fv(1799), " 19.96/ 9.99");  // 20 - 1 x 4 / 100; 10 - 1 x 1 / 100
}

TEST(MultilaneTables, SignalAdjustmentAtTheGreenRatioBounds) {
    // One column whose cells are not whole numbers: 1.4, 2.6, 3.5, 4.5, 5.5.
    const LookupTable t =
        grid("6-6", {{"0.8", "1.4"}, {"0.75", "2.6"}, {"0.7", "3.5"}, {"0.65", "4.5"}, {"0.6", "5.5"}});
    EXPECT_EQ(text(signalAdjustment(t, 0.80, 2)), " 1.4");  // row 1 as it stands
    EXPECT_EQ(text(signalAdjustment(t, 0.95, 2)), " 1.4");
    EXPECT_EQ(text(signalAdjustment(t, 0.75, 2)), " 3");  // rounded row 2
    // 0.775: 3 - (3 - 1) / 0.05 x (0.775 - 0.75) = 2.
    EXPECT_EQ(text(signalAdjustment(t, 0.775, 2)), " 2");
    // 0.70 against the single-precision 0.7 of row 3: the rounded cell 4 (3.5 to
    // even), up to single precision.
    EXPECT_EQ(report::format(signalAdjustment(t, 0.70, 2), "#0.00"), "4.00");
    // 0.60: rows 4 and 5, the rounded row-5 cell 6 (5.5 to even) up to single
    // precision: g/C 0.6 lies 2.4e-8 below the single 0.6 of row 5, so
    // Fs = 6 - (6 - 4) / 0.05 x (-2.4e-8) = 6 + 9.5e-7, two steps of a float above 6.
    EXPECT_EQ(text(signalAdjustment(t, 0.60, 2)), " 6.000001");
    EXPECT_EQ(report::format(signalAdjustment(t, 0.60, 2), "##.00"), "6.00");
    try {
        signalAdjustment(t, 0.59, 2);
        ADD_FAILURE() << "g/C 0.59 accepted";
    } catch (const Failure& f) {
        EXPECT_EQ(f.error().message, kGreenRatioMessage);
        EXPECT_EQ(f.error().focus, "txtGbyC");
    }
}

TEST(MultilaneTables, GreenRatioThroughTheAnalysis) {
    MultilaneInput in = example2B();  // columns 4 and 5
    auto fs = [&](double gC) {
        in.gC = gC;
        const MultilaneResult r = analyseMultilane(in, shippedTables());
        return report::format(r.FsPassenger, "##.00") + "/" + report::format(r.FsHeavy, "##.00");
    };
    EXPECT_EQ(fs(0.80), "2.00/2.00");  // row 1
    EXPECT_EQ(fs(0.75), "4.00/3.00");  // row 2
    EXPECT_EQ(fs(0.72), "4.60/4.20");  // rows 2, 3: 5 - (5 - 4) / 0.05 x 0.02; 5 - (5 - 3) / 0.05 x 0.02
    EXPECT_EQ(fs(0.60), "9.00/8.00");  // row 5
    in.gC = 0.59;
    const Error e = refusalOf(in);
    EXPECT_EQ(e.message, kGreenRatioMessage);
    EXPECT_EQ(e.focus, "txtGbyC");
}

// ---- the level of service ----

TEST(MultilaneLevels, SpeedAtABoundDoesNotReachThatLevel) {
    const LookupTable& t = shippedTables().levels;  // column 4: 76, 73, 67, 60, 51
    EXPECT_EQ(multilaneLevel(t, 4, 76.01f), 'A');
    EXPECT_EQ(multilaneLevel(t, 4, 76.0f), 'B');
    EXPECT_EQ(multilaneLevel(t, 4, 60.0f), 'E');
    EXPECT_EQ(multilaneLevel(t, 4, 51.0f), 'F');
    EXPECT_EQ(multilaneLevel(t, 4, 0.0f), 'F');
    // Measured speeds of exactly 60: S = 60, level E, not D.
    MultilaneInput in = example1();
    in.measuredSp2 = 60;
    in.measuredSt2 = 60;
    const MultilaneResult r = analyseMultilane(in, shippedTables());
    EXPECT_EQ(text(r.S), " 60");
    EXPECT_EQ(r.los, 'E');
}

// ---- refusals ----

TEST(MultilaneRefusals, InputWithoutATableColumnOrBand) {
    struct Case {
        const char* what;
        MultilaneInput in;
        const char* focus;
    };
    auto with = [](MultilaneInput in, auto change) {
        change(in);
        return in;
    };
    const std::vector<Case> cases = {
        {"no road type", with(example2A(), [](auto& in) { in.roadType = -1; }), "cboTermType"},
        {"density above 1.0", with(example2B(), [](auto& in) { in.D = 1.01; }), "txtIntersection"},
        {"type I above 0.3", with(example2A(), [](auto& in) { in.D = 0.31; }), "txtIntersection"},
        {"type III", with(example2B(), [](auto& in) { in.roadType = kTypeIII; }), "cboTermType"},
        {"type III measured", with(example1(), [](auto& in) { in.roadType = kTypeIII; }), "cboTermType"},
        {"density above 1.0 measured", with(example1(), [](auto& in) { in.D = 1.5; }), "txtIntersection"},
        {"share above 100", with(example2A(), [](auto& in) { in.heavyPercent = 101; }), "txtTotalPer"},
        {"negative share", with(example1(), [](auto& in) { in.heavyPercent = -1; }), "txtTotalPer"},
        {"no lane width", with(example2A(), [](auto& in) { in.laneWidth = -1; }), "cboLaneWidth"},
        {"no clearance", with(example2A(), [](auto& in) { in.clearance = -1; }), "cboSideWidth"},
        {"negative volume", with(example2A(), [](auto& in) { in.volume = -1; }), "txtVolume"},
        {"zero PHF", with(example2A(), [](auto& in) { in.PHF = 0; }), "txtPHF"},
        {"negative PHF", with(example2A(), [](auto& in) { in.PHF = -0.9f; }), "txtPHF"},
        {"flow rate beyond 16 bits",
         with(example2A(),
              [](auto& in) {
                  in.volume = 9999;
                  in.PHF = 0.25f;
              }),
         "txtVolume"},
        {"curvature above 80", with(example2A(), [](auto& in) { in.H = 80.5; }), "txtHorizontal"},
        {"grade above 90", with(example2A(), [](auto& in) { in.G = 91; }), "txtVertical"},
    };
    for (const Case& c : cases) {
        const Error e = refusalOf(c.in);
        EXPECT_EQ(e.kind, ErrorKind::InputError) << c.what;
        EXPECT_FALSE(e.message.empty()) << c.what;
        EXPECT_EQ(e.focus, c.focus) << c.what;
    }
    // The bounds themselves are accepted.
    for (const MultilaneInput& in :
         {with(example2A(), [](auto& i) { i.D = 0.3; }), with(example2B(), [](auto& i) { i.D = 1.0; }),
          with(example2A(),
               [](auto& i) {
                   i.H = 80;
                   i.G = 90;
                   i.gC = 0.60;
               }),
          with(example2A(), [](auto& i) { i.heavyPercent = 100; })})
        EXPECT_TRUE(refusalOf(in).message.empty()) << refusalOf(in).message;
}

TEST(MultilaneRefusals, MeasuredSpeedsNeedNoConditions) {
    MultilaneInput in = example1();
    in.PHF = 0;  // never read with measured speeds
    in.laneWidth = -1;
    in.gC = 0;
    EXPECT_TRUE(refusalOf(in).message.empty());
}

// ---- the window ----

class MultilaneFormTest : public ::testing::Test {
protected:
    form::AnalysisIndex index{"manywayoper"};
    LookupTableStore store;
    MultilaneForm form{{&index, &store}};
    void SetUp() override { ASSERT_TRUE(form.open().ok()); }
};

TEST_F(MultilaneFormTest, OpensWithComputedSpeedsChosen) {
    EXPECT_EQ(form.windowName(), "frmManyWay");
    EXPECT_EQ(form.title(), "다차로도로의 운영분석");
    EXPECT_EQ(form.currentPage(), MultilaneForm::kInputPage);
    ASSERT_EQ(form.pages().size(), 2u);
    EXPECT_EQ(form.pages()[0].caption, "입력화면");
    EXPECT_EQ(form.pages()[1].caption, "결과화면");
    EXPECT_TRUE(form.at("optNo").checked);
    EXPECT_FALSE(form.at("optYes").checked);
    EXPECT_TRUE(form.at("fraNo").visible);
    EXPECT_FALSE(form.at("fraYes").visible);
    for (const char* list : {"cboTermType", "cboLaneWidth", "cboSideWidth"}) EXPECT_EQ(form.at(list).index, -1);
    EXPECT_EQ(form.at("cboSideWidth").items.at(3), "0.0m 이상");
}

TEST_F(MultilaneFormTest, SurveyOptionSwitchesTheFrames) {
    form.setChecked("optYes", true);
    EXPECT_TRUE(form.at("fraYes").visible);
    EXPECT_FALSE(form.at("fraNo").visible);
    EXPECT_FALSE(form.at("optNo").checked);
    form.setChecked("optNo", true);
    EXPECT_FALSE(form.at("fraYes").visible);
    EXPECT_TRUE(form.at("fraNo").visible);
    // Examples choose the option too.
    form.press("cmdEx1");
    EXPECT_TRUE(form.at("fraYes").visible);
    form.press("cmdEx2_B");
    EXPECT_TRUE(form.at("fraNo").visible);
    EXPECT_EQ(form.at("cboTermType").index, kTypeII);
    EXPECT_EQ(form.at("txtIntersection").text, "0.60");
    // Fields the example does not name keep their contents.
    EXPECT_EQ(form.at("txtSp1").text, "85");
    // Clearing the chosen button leaves neither: the frames stay, the analysis refuses.
    form.setChecked("optNo", false);
    EXPECT_TRUE(form.at("fraNo").visible);
    auto o = form.press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "optNo");
}

TEST_F(MultilaneFormTest, MeasuredSpeedsWithEmptyConditionsGiveTheShortReport) {
    form.press("cmdEx1");
    ASSERT_TRUE(form.at("txtVolume").text.empty());
    auto o = form.press("cmdResult");
    ASSERT_TRUE(o.ok()) << (o.message ? o.message->text : "");
    EXPECT_EQ(form.currentPage(), MultilaneForm::kResultPage);
    const std::string report = form.resultText();
    EXPECT_NE(report.find("( 1 - 0.2) × 61.00 + 0.20 × 57.00 = 60.20kph"), std::string::npos);
    EXPECT_EQ(report.find("첨두시간"), std::string::npos);
}

TEST_F(MultilaneFormTest, GreenRatioRefusalKeepsTheReportAndFocusesTheField) {
    form.press("cmdEx2_A");
    ASSERT_TRUE(form.press("cmdResult").ok());
    const std::string report = form.resultText();
    form.showPage(MultilaneForm::kInputPage);

    form.setText("txtGbyC", "0.59");
    auto o = form.press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    ASSERT_TRUE(o.message);
    EXPECT_EQ(o.message->title, "입력오류");
    EXPECT_EQ(o.message->text, kGreenRatioMessage);
    EXPECT_EQ(o.focus, "txtGbyC");
    EXPECT_FALSE(o.reportWritten);
    EXPECT_EQ(form.resultText(), report);
    EXPECT_EQ(form.currentPage(), MultilaneForm::kInputPage);
}

TEST_F(MultilaneFormTest, FieldsBeyondSixteenBitsAreRefused) {
    form.press("cmdEx2_A");
    form.setText("txtVolume", "40000");
    auto o = form.press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "txtVolume");
    form.press("cmdEx1");
    form.setText("txtSp1", "32768");
    o = form.press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "txtSp1");
    // A PHF field of blanks holds no number.
    form.press("cmdEx2_A");
    form.setText("txtPHF", "  ");
    o = form.press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "txtPHF");
}

// ---- number fields ----

// One text of each kind of field beyond the ones the golden refusals check:
// a share, a speed of the survey, the PHF, a bound of the curvature, and a
// negative g/C, which gets the method's own message as a g/C below 0.6 does.
TEST_F(MultilaneFormTest, NumberFieldsRefuseTextsThatAreNotValuesOfTheirRange) {
    struct Case {
        const char* example;
        const char* field;
        const char* text;
        std::string message;
    };
    const Case cases[] = {
        {"cmdEx2_B", "txtTotalPer", "-35", "중차량구성비(%)는 0 이상 100 이하여야 합니다."},
        {"cmdEx1", "txtSt2", "151", "조사평균통행속도(중차량,kph)는 0보다 크고 150 이하여야 합니다."},
        {"cmdEx2_A", "txtPHF", "0", "첨두시간계수(PHF)는 0.25 이상 1 이하여야 합니다."},
        {"cmdEx2_A", "txtHorizontal", "80.5", "평면굴곡도(˚/km)는 0 이상 80 이하여야 합니다."},
        {"cmdEx2_A", "txtGbyC", "-0.75", kGreenRatioMessage},
    };
    for (const Case& c : cases) {
        form.press(c.example);
        ASSERT_TRUE(form.press("cmdResult").ok()) << c.example;
        test::expectFieldRefused(form, "cmdResult", c.field, c.text, c.message);
    }
}

TEST_F(MultilaneFormTest, TheGreenRatioMessageComesBeforeTheOtherConditions) {
    form.press("cmdEx2_A");
    form.setText("txtGbyC", "0.5");
    form.setText("txtVolume", "abc");
    form.setText("txtHorizontal", "90");
    const form::Outcome o = form.press("cmdResult");
    ASSERT_TRUE(o.message.has_value());
    EXPECT_EQ(o.message->text, kGreenRatioMessage);
    EXPECT_EQ(o.focus, "txtGbyC");
}

// (Measured speeds reading no conditions is a golden case.)
TEST_F(MultilaneFormTest, ComputedSpeedsReadNoSurvey) {
    form.press("cmdEx2_A");
    form.setText("txtSp1", "abc");
    EXPECT_TRUE(form.press("cmdResult").ok());
}

TEST_F(MultilaneFormTest, TypedNumbersShowWithoutTheBlanksAroundThem) {
    form.press("cmdEx2_A");
    ASSERT_TRUE(form.press("cmdResult").ok());
    const std::string ex2A = form.resultText();
    form.setText("txtGbyC", " 0.75 ");
    form.setText("txtTotalPer", "35\t");
    ASSERT_TRUE(form.press("cmdResult").ok());
    EXPECT_EQ(form.resultText(), ex2A);
}

TEST(MultilaneForm, MissingTableIsShownAndRefusedByTheAnalysis) {
    const auto empty = std::filesystem::temp_directory_path() / "verosa-multilane-no-tables";
    std::filesystem::create_directories(empty);
    form::AnalysisIndex index{"manywayoper"};
    const LookupTableStore store(empty);
    MultilaneForm form({&index, &store});
    auto opened = form.open();
    EXPECT_EQ(opened.status, form::Outcome::Status::MissingTable);
    form.press("cmdEx1");
    auto o = form.press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::MissingTable);
    ASSERT_TRUE(o.message);
    EXPECT_NE(o.message->text.find("6-6"), std::string::npos);
    EXPECT_TRUE(form.resultText().empty());
}

}  // namespace
