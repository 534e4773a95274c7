// Two-lane roads: the worked examples step by step, the class bounds of the
// tables, the level bounds for both design-speed groups, the refusals, and the
// window (section kind, examples, the PHF field, a missing table).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "analyses/twolane/TwoLane.h"
#include "analyses/twolane/TwoLaneForm.h"
#include "numeric/Result.h"
#include "report/NumberText.h"
#include "tables/LookupTable.h"

using namespace verosa;
using namespace verosa::analyses::twolane;
using tables::LookupTable;
using tables::LookupTableStore;

namespace {

const TwoLaneTables& shippedTables() {
    static const TwoLaneTables t = openTwoLaneTables(LookupTableStore());
    return t;
}

// A grid as the store gives it: row 0 field names, column 0 empty.
LookupTable grid(const std::string& name, const std::vector<std::vector<std::string>>& records) {
    std::vector<std::vector<std::string>> cells;
    cells.push_back(std::vector<std::string>(records.front().size() + 1));
    for (const auto& r : records) {
        std::vector<std::string> row{""};
        row.insert(row.end(), r.begin(), r.end());
        cells.push_back(row);
    }
    return LookupTable(name, cells);
}

TwoLaneInput example1() {
    TwoLaneInput in;
    in.section = kGeneralTerrain;
    in.volumeText = "1200";
    in.V = Int16::of(1200);
    in.designSpeed = 70;
    in.designSpeedText = "70";
    in.laneWidth = 1;
    in.laneWidthText = "3.25≤  ＜3.5 ";
    in.clearance = 1;
    in.clearanceText = "1.0≤  ＜1.5";
    in.terrain = "평지";
    in.noPassing = 1;
    in.noPassingText = "0＜  ≤20  ";
    in.mediumPercent = 30;
    in.largePercent = 5;
    return in;
}

TwoLaneInput example2() {
    TwoLaneInput in;
    in.section = kSpecificGrade;
    in.volumeText = "1366";
    in.V = Int16::of(1366);
    in.designSpeed = 70;
    in.designSpeedText = "70";
    in.laneWidth = 0;
    in.laneWidthText = "≥3.5         ";
    in.clearance = 1;
    in.clearanceText = "1.0≤  ＜1.5";
    in.grade = 0;
    in.gradeLength = 1;
    in.noPassing = 3;
    in.noPassingText = "40＜  ≤60 ";
    in.split = 3;
    in.splitText = "60/40";
    in.mediumPercent = 35;
    in.largePercent = 10;
    return in;
}

// No heavy vehicles and a typed PHF of 1: Vp equals the volume.
TwoLaneInput plainGrade(int volume, int split) {
    TwoLaneInput in = example2();
    in.volumeText = std::to_string(volume);
    in.V = Int16::of(volume);
    in.split = split;
    in.mediumPercent = 0;
    in.largePercent = 0;
    in.phfFromTable = false;
    in.PHF = 1;
    return in;
}

TwoLaneResult analyse(const TwoLaneInput& in) { return analyseTwoLane(in, shippedTables()); }

Error refusalOf(const TwoLaneInput& in, const TwoLaneTables& t = shippedTables()) {
    return test::failureOf([&] { analyseTwoLane(in, t); }).value_or(Error{});
}

std::string text(float x) { return report::numtext(x); }

// ---- the worked examples ----

TEST(TwolaneExamples, Example1GeneralTerrainToLevelC) {
    const TwoLaneResult r = analyse(example1());
    // V 1200 lies in row 6 of 3-2 (1000 < V <= 1200): PHF 0.91.
    EXPECT_EQ(peakHourFactorRow(Int16::of(1200)), 6);
    EXPECT_EQ(text(r.PHF), " .91");
    // Level terrain: fhv = 1 / (0.5 x 0.3 + 1 + 0.9 x 0.05) = 1 / 1.195 = 0.837 -> 0.84.
    EXPECT_EQ(text(r.fhv), " .84");
    // Vp = 1200 / (0.84 x 0.91) = 1200 / 0.7644 = 1569.9 -> 1570.
    EXPECT_EQ(text(r.Vp), " 1570");
    EXPECT_EQ(r.roadClass, "Ⅱ");
    EXPECT_EQ(text(r.TDRi), " 24.3");  // 0.0155 x 1570 = 24.335
    EXPECT_EQ(text(r.fdlw), " 1.06");  // 3-5 row 2, column 2
    EXPECT_EQ(text(r.fdp), " 1.017");
    // TDR = 1.06 x 24.3 x 1.017 = 26.196 -> 26.2: above 20, up to 30: C.
    EXPECT_EQ(text(r.TDR), " 26.2");
    EXPECT_EQ(r.los, 'C');
}

TEST(TwolaneExamples, Example2SpecificGradeToLevelD) {
    const TwoLaneResult r = analyse(example2());
    EXPECT_EQ(text(r.PHF), " .92");  // V 1366: row 7 of 3-2
    EXPECT_EQ(text(r.PT), " .45");   // 0.35 + 0.10
    EXPECT_EQ(text(r.Vd), " 820");   // 1366 x 6 / 10 = 819.6
    // 3-8 row 7 x 0 + 1 + 1 = 2, column 3 (Vd above 600): 2.3.
    EXPECT_EQ(equivalentColumn(r.Vd), 3);
    EXPECT_EQ(text(r.ET), " 2.3");
    // fhv = 1 / (1.3 x 0.45 + 1) = 1 / 1.585 = 0.631 -> 0.63.
    EXPECT_EQ(text(r.fhv), " .63");
    // Vp = 1366 / (0.63 x 0.92) = 1366 / 0.5796 = 2356.8 -> 2357.
    EXPECT_EQ(text(r.Vp), " 2357");
    EXPECT_EQ(r.roadClass, "Ⅱ");
    EXPECT_EQ(text(r.TDRi), " 36.5");  // 0.0155 x 2357 = 36.53
    EXPECT_EQ(text(r.fdlw), " 1.03");  // 3-5 row 2, column 1
    // 3-7 row: flow class 6 (Vp above 1400) + 6 x 3 = 24, column 4: 1.036.
    EXPECT_EQ(text(r.fdp), " 1.036");
    // TDR = 1.03 x 36.5 x 1.036 = 38.95 -> 38.9: above 30, up to 40: D.
    EXPECT_EQ(text(r.TDR), " 38.9");
    EXPECT_EQ(r.los, 'D');
}

// ---- class bounds of the tables ----

TEST(TwolaneTables, PeakHourFactorRowsAtTheirBounds) {
    EXPECT_EQ(peakHourFactorRow(Int16::of(0)), 1);
    EXPECT_EQ(peakHourFactorRow(Int16::of(200)), 1);
    EXPECT_EQ(peakHourFactorRow(Int16::of(201)), 2);
    EXPECT_EQ(peakHourFactorRow(Int16::of(2400)), 12);
    EXPECT_EQ(peakHourFactorRow(Int16::of(2401)), 13);
    // Through the analysis, with a 3-2 whose rows are told apart: 0.81 ... 0.93.
    TwoLaneTables t = shippedTables();
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= 13; ++i) rows.push_back({"0." + std::to_string(80 + i)});
    t.peakHourFactor = grid("3-2", rows);
    TwoLaneInput in = example1();
    for (auto [V, phf] : {std::pair{200, " .81"}, {201, " .82"}, {2400, " .92"}, {2401, " .93"}}) {
        in.V = Int16::of(V);
        EXPECT_EQ(text(analyseTwoLane(in, t).PHF), phf) << V;
    }
}

TEST(TwolaneTables, FlowClassOfTheNoPassingTable) {
    EXPECT_EQ(flowClass(200), 1);
    EXPECT_EQ(flowClass(201), 2);
    EXPECT_EQ(flowClass(800), 4);
    EXPECT_EQ(flowClass(801), 5);
    EXPECT_EQ(flowClass(1400), 5);
    EXPECT_EQ(flowClass(1401), 6);
    // Split 30/70, no-passing position 1: Vp 1400 reads row 5 (1.03), 1401 row 6 (1.011).
    TwoLaneInput in = plainGrade(1400, 0);
    in.noPassing = 1;
    TwoLaneResult r = analyse(in);
    ASSERT_EQ(text(r.Vp), " 1400");
    EXPECT_EQ(text(r.fdp), " 1.03");
    in.V = Int16::of(1401);
    r = analyse(in);
    ASSERT_EQ(text(r.Vp), " 1401");
    EXPECT_EQ(text(r.fdp), " 1.011");
    // Split 60/40 moves 18 rows down: Vp 1400 reads row 23 (1.037).
    in = plainGrade(1400, 3);
    in.noPassing = 1;
    EXPECT_EQ(text(analyse(in).fdp), " 1.037");
}

TEST(TwolaneTables, OneDirectionVolumeChoosesTheEquivalentColumn) {
    EXPECT_EQ(equivalentColumn(300), 1);
    EXPECT_EQ(equivalentColumn(301), 2);
    EXPECT_EQ(equivalentColumn(600), 2);
    EXPECT_EQ(equivalentColumn(601), 3);
    // Grade 3 %, length up to 0.4 km: 3-8 row 1 (2.5, 1.9, 1.5).
    auto grade = [](int volume, int split) {
        TwoLaneInput in = example2();
        in.V = Int16::of(volume);
        in.split = split;
        in.gradeLength = 0;
        return analyse(in);
    };
    TwoLaneResult r = grade(600, 2);  // 600 x 5 / 10 = 300
    EXPECT_EQ(text(r.Vd), " 300");
    EXPECT_EQ(text(r.ET), " 2.5");
    r = grade(602, 2);  // 301
    EXPECT_EQ(text(r.Vd), " 301");
    EXPECT_EQ(text(r.ET), " 1.9");
    // Vd is rounded before its column is chosen: 1001 x 3 / 10 = 300.3 -> 300,
    // 1002 x 3 / 10 = 300.6 -> 301.
    EXPECT_EQ(text(grade(1001, 0).ET), " 2.5");
    EXPECT_EQ(text(grade(1002, 0).ET), " 1.9");
    // Grade 10 %, the longest class: the last row, 56.
    TwoLaneInput in = example2();
    in.grade = 7;
    in.gradeLength = 6;
    EXPECT_EQ(text(analyse(in).ET), " 16.7");
}

// ---- the level of service ----

TEST(TwolaneLevels, DesignSpeedChoosesClassRateAndBounds) {
    // EX#1 at 80: class I, TDRi = 0.012 x 1570 = 18.84 -> 18.8,
    // TDR = 1.06 x 18.8 x 1.017 = 20.27 -> 20.3: above 15.2, up to 22.8: C.
    TwoLaneInput in = example1();
    in.designSpeed = 80;
    TwoLaneResult r = analyse(in);
    EXPECT_EQ(r.roadClass, "Ⅰ");
    EXPECT_EQ(text(r.TDRi), " 18.8");
    EXPECT_EQ(text(r.TDR), " 20.3");
    EXPECT_EQ(r.los, 'C');
    // 79.9: class II, 24.3 and 26.2 as in the example, above 20 up to 30: C.
    in.designSpeed = 79.9;
    r = analyse(in);
    EXPECT_EQ(r.roadClass, "Ⅱ");
    EXPECT_EQ(text(r.TDRi), " 24.3");
    EXPECT_EQ(twoLaneLevel(79.9, 20.3f), 'C');
    EXPECT_EQ(twoLaneLevel(80, 20.3f), 'C');
    EXPECT_EQ(twoLaneLevel(80, 15.2f), 'B');
    EXPECT_EQ(twoLaneLevel(79.9, 15.2f), 'B');
    EXPECT_EQ(twoLaneLevel(80, 22.9f), 'D');
    EXPECT_EQ(twoLaneLevel(79.9, 22.9f), 'C');
}

TEST(TwolaneLevels, EachBoundBelongsToTheBetterLevel) {
    struct Case {
        double speed;
        float TDR;
        char level;
    };
    for (Case c : {Case{80, 0, 'A'},
                   {80, 7.6f, 'A'},
                   {80, 7.7f, 'B'},
                   {80, 15.2f, 'B'},
                   {80, 15.3f, 'C'},
                   {80, 22.8f, 'C'},
                   {80, 22.9f, 'D'},
                   {80, 30.4f, 'D'},
                   {80, 30.5f, 'E'},
                   {80, 38.0f, 'E'},
                   {80, 38.1f, 'F'},
                   {79.9, 10, 'A'},
                   {79.9, 10.1f, 'B'},
                   {79.9, 20, 'B'},
                   {79.9, 30, 'C'},
                   {79.9, 40, 'D'},
                   {79.9, 40.1f, 'E'},
                   {79.9, 50.0f, 'E'},
                   {79.9, 50.1f, 'F'}})
        EXPECT_EQ(twoLaneLevel(c.speed, c.TDR), c.level) << c.speed << " " << c.TDR;
}

// ---- refusals ----

TEST(TwolaneRefusals, ListsWithoutAChoiceAndValuesItCannotUse) {
    struct Case {
        const char* what;
        TwoLaneInput in;
        const char* focus;
    };
    auto with = [](TwoLaneInput in, auto change) {
        change(in);
        return in;
    };
    const std::vector<Case> cases = {
        {"no section", with(example1(), [](auto& in) { in.section = -1; }), "cboTermType"},
        {"no lane width", with(example1(), [](auto& in) { in.laneWidth = -1; }), "cboLaneWidth"},
        {"no clearance", with(example2(), [](auto& in) { in.clearance = -1; }), "cboSideWidth"},
        {"no no-passing share", with(example2(), [](auto& in) { in.noPassing = -1; }), "cboGradePercent"},
        {"no terrain", with(example1(), [](auto& in) { in.terrain = ""; }), "cboLandType"},
        {"no grade", with(example2(), [](auto& in) { in.grade = -1; }), "cboGrade"},
        {"no grade length", with(example2(), [](auto& in) { in.gradeLength = -1; }), "cboGradeLength"},
        {"no split", with(example2(), [](auto& in) { in.split = -1; }), "cboDirectionPercentSpecial"},
        {"zero PHF",
         with(example1(),
              [](auto& in) {
                  in.phfFromTable = false;
                  in.PHF = 0;
              }),
         "txtPHF"},
        {"negative PHF",
         with(example1(),
              [](auto& in) {
                  in.phfFromTable = false;
                  in.PHF = -1;
              }),
         "txtPHF"},
        {"negative volume", with(example1(), [](auto& in) { in.V = Int16::of(-5); }), "txtBothVolume"},
        {"share above 100", with(example1(), [](auto& in) { in.mediumPercent = 101; }), "txtMiddlePer"},
        {"negative share", with(example1(), [](auto& in) { in.largePercent = -1; }), "txtLargePer"},
        {"shares above 100 together", with(example2(), [](auto& in) { in.largePercent = 70; }), "txtLargePer"},
        {"V x (3 + split) beyond 16 bits", with(example2(), [](auto& in) { in.V = Int16::of(5462); }), "txtBothVolume"},
    };
    for (const Case& c : cases) {
        const Error e = refusalOf(c.in);
        EXPECT_EQ(e.kind, ErrorKind::InputError) << c.what;
        EXPECT_FALSE(e.message.empty()) << c.what;
        EXPECT_EQ(e.focus, c.focus) << c.what;
    }
    // Lists the section does not use may stay unchosen; the products up to 32767 pass.
    EXPECT_TRUE(
        refusalOf(with(example1(), [](auto& in) { in.grade = in.gradeLength = in.split = -1; })).message.empty());
    EXPECT_TRUE(refusalOf(with(example2(), [](auto& in) { in.terrain = ""; })).message.empty());
    EXPECT_TRUE(refusalOf(with(example2(), [](auto& in) { in.V = Int16::of(5461); })).message.empty());
}

TEST(TwolaneRefusals, HeavyVehicleFactorOfZero) {
    // An equivalent of 1000: fhv = 1 / (999 x 0.45 + 1) = 0.0022, which rounds to 0.00.
    TwoLaneTables t = shippedTables();
    std::vector<std::vector<std::string>> rows(56, {"1000", "1000", "1000"});
    t.equivalent = grid("3-8", rows);
    const Error e = refusalOf(example2(), t);
    EXPECT_EQ(e.kind, ErrorKind::InputError);
    EXPECT_EQ(e.focus, "txtMiddlePer");
}

// ---- the window ----

class TwolaneFormTest : public ::testing::Test {
protected:
    form::AnalysisIndex index{"pedestrianoper"};  // the window ignores the key
    LookupTableStore store;
    TwoLaneForm form{{&index, &store}};
    void SetUp() override { ASSERT_TRUE(form.open().ok()); }
};

TEST_F(TwolaneFormTest, OpensOnTheInputPageWithItsOwnTitle) {
    EXPECT_EQ(form.windowName(), "frm2Roadway");
    EXPECT_EQ(form.title(), "2차로 도로의 서비스수준 평가");
    EXPECT_EQ(form.currentPage(), TwoLaneForm::kInputPage);
    for (const char* list : {"cboTermType", "cboLaneWidth", "cboSideWidth", "cboGradePercent", "cboLandType",
                             "cboGrade", "cboGradeLength", "cboDirectionPercentSpecial"})
        EXPECT_EQ(form.at(list).index, -1) << list;
    EXPECT_EQ(form.at("cboLaneWidth").items.at(0), "≥3.5         ");
    EXPECT_EQ(form.at("cboGradePercent").items.at(5), "80＜  ≤100");
}

TEST_F(TwolaneFormTest, SectionKindEnablesItsFields) {
    form.setIndex("cboTermType", kSpecificGrade);
    EXPECT_FALSE(form.at("cboLandType").enabled);
    EXPECT_TRUE(form.at("cboGrade").enabled);
    EXPECT_TRUE(form.at("cboGradeLength").enabled);
    EXPECT_TRUE(form.at("cboDirectionPercentSpecial").enabled);
    // An example sets the kind with the same handling.
    form.press("cmdEx1");
    EXPECT_TRUE(form.at("cboLandType").enabled);
    EXPECT_FALSE(form.at("cboGrade").enabled);
    EXPECT_FALSE(form.at("cboGradeLength").enabled);
    EXPECT_FALSE(form.at("cboDirectionPercentSpecial").enabled);
    form.press("cmdEx2");
    EXPECT_FALSE(form.at("cboLandType").enabled);
    EXPECT_TRUE(form.at("cboGrade").enabled);
    // The terrain EX#1 chose stays.
    EXPECT_EQ(form.at("cboLandType").index, 0);
}

TEST_F(TwolaneFormTest, EmptyOrBlankPhfFieldTakesTheTable) {
    form.press("cmdEx1");
    EXPECT_TRUE(form.at("txtPHF").text.empty());
    ASSERT_TRUE(form.press("cmdResult").ok());
    const std::string report = form.resultText();
    EXPECT_NE(report.find("1570  =   1200  / (   .91 ×   .84  )"), std::string::npos);
    EXPECT_EQ(form.currentPage(), TwoLaneForm::kResultPage);

    // Blanks alone are empty too: the same report.
    form.setText("txtPHF", " \t ");
    ASSERT_TRUE(form.press("cmdResult").ok());
    EXPECT_EQ(form.resultText(), report);

    form.setText("txtPHF", "0.95");
    ASSERT_TRUE(form.press("cmdResult").ok());
    EXPECT_NE(form.resultText().find("1504  =   1200  / (   .95 ×   .84  )"), std::string::npos);
}

// Number fields: what is not a number, below or above its range is refused
// naming the field, the focus on it, the report kept; zero is refused where
// the field needs more. The golden refusals check the other texts.
TEST_F(TwolaneFormTest, NumberFieldsRefuseWhatIsNotAPhysicalValue) {
    form.press("cmdEx1");
    ASSERT_TRUE(form.press("cmdResult").ok());
    const std::string phfHint = " 표의 값을 쓰려면 칸을 비워 두십시오.";
    struct Case {
        const char* field;
        const char* text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"txtBothVolume", "1OO", "양방향교통류율(vph)은 숫자로 입력하십시오. (입력된 값: \"1OO\")"},
        {"txtPHF", "1e30", "첨두시간계수(PHF)는 0.25 이상 1 이하여야 합니다." + phfHint},
        {"txtMiddlePer", "-40", "중형차량 구성비율(%)은 0 이상 100 이하여야 합니다."},
        {"txtDesignSpeed", "0", "설계속도(kph)는 0보다 크고 120 이하여야 합니다."},
    };
    for (const Case& c : cases) {
        test::expectFieldRefused(form, "cmdResult", c.field, c.text, c.message);
    }
    // Zero is a volume and a share like any other.
    form.setText("txtBothVolume", "0");
    form.setText("txtLargePer", "0");
    EXPECT_TRUE(form.press("cmdResult").ok());
}

// A number is echoed as typed (the blanks around it left out: a golden
// case): "80.0" is class I as 80 is.
TEST_F(TwolaneFormTest, ReportEchoesTheTypedNumbers) {
    form.press("cmdEx1");
    form.setText("txtDesignSpeed", "80.0");
    ASSERT_TRUE(form.press("cmdResult").ok());
    EXPECT_NE(form.resultText().find("▷ 설계속도 :    80.0km/시"), std::string::npos);
    EXPECT_NE(form.resultText().find("▷ 도로유형구분 :      Ⅰ"), std::string::npos);
}

TEST_F(TwolaneFormTest, VolumeBeyondSixteenBitsIsRefused) {
    form.press("cmdEx1");
    form.setText("txtBothVolume", "32768");
    auto o = form.press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "txtBothVolume");
    EXPECT_TRUE(form.resultText().empty());
}

TEST(TwolaneForm, MissingTableIsShownAndRefusedByTheAnalysis) {
    const auto empty = std::filesystem::temp_directory_path() / "verosa-twolane-no-tables";
    std::filesystem::create_directories(empty);
    form::AnalysisIndex index;
    const LookupTableStore store(empty);
    TwoLaneForm form({&index, &store});
    EXPECT_EQ(form.open().status, form::Outcome::Status::MissingTable);
    form.press("cmdEx2");
    auto o = form.press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::MissingTable);
    ASSERT_TRUE(o.message);
    EXPECT_NE(o.message->text.find("3-2"), std::string::npos);
    EXPECT_TRUE(form.resultText().empty());
}

}  // namespace
