// Bicycle facilities: the six worked examples, the level bounds, the width
// factor, the capped degree of saturation, the refusals, the report text and
// the window's option, list and drawing behaviour.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "analyses/bicycle/Bicycle.h"
#include "analyses/bicycle/BicycleForm.h"
#include "analyses/bicycle/BicycleReport.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

using namespace verosa;
using namespace verosa::analyses::bicycle;

namespace {

using test::refused;

BikePathInput path(PathType type, PathWidth width, float sigma, float Sb, float PHF, double volume) {
    BikePathInput in;
    in.type = type;
    in.width = width;
    in.sigma = sigma;
    in.Sb = Sb;
    in.PHF = PHF;
    in.bikeVolume = volume;
    return in;
}

BikePathInput sharedExample() {  // "Ex#3"
    BikePathInput in = path(PathType::Shared, PathWidth::ThreeMetres, 3.0f, 13.5f, 1.0f, 200);
    in.D = 60;
    in.Sp = 4.5f;
    in.Dp = 50;
    in.pedVolume = 50;
    return in;
}

BikeStreetInput oneIntersection(double volume, float W, int cycle, float gC) {  // "Ex#5" shape
    BikeStreetInput in;
    in.n = 1;
    in.PHF = 1;
    in.bikeVolume = volume;
    in.W = W;
    in.cycle[1] = Int16::of(cycle);
    in.gC[1] = gC;
    return in;
}

BikeStreetInput urbanStreet() {  // "Ex#6"
    BikeStreetInput in;
    in.n = 3;
    in.PHF = 1;
    in.bikeVolume = 250;
    in.W = 1.6f;
    in.runSpeed = 14.0;
    const double links[] = {0.25, 0.2, 0.25, 0.3};
    for (int j = 0; j <= 3; ++j) in.L[static_cast<size_t>(j)] = links[j];
    const float greens[] = {0.3f, 0.4f, 0.5f};
    for (int i = 1; i <= 3; ++i) {
        in.cycle[static_cast<size_t>(i)] = Int16::of(100);
        in.gC[static_cast<size_t>(i)] = greens[i - 1];
    }
    return in;
}

// ---- uninterrupted flow ----

TEST(BikePath, OneWayAndOnStreetExamples) {
    const BikePathResult ex1 = analysePath(path(PathType::OneWay, PathWidth::TwoMetres, 3, 12, 0.6f, 90));
    EXPECT_EQ(ex1.Vb.value(), 150);
    EXPECT_EQ(ex1.F.value(), 42);
    EXPECT_EQ(ex1.los, 'B');
    const BikePathResult ex4 = analysePath(path(PathType::OnStreet, PathWidth::TwoMetres, 3, 10, 0.9f, 234));
    EXPECT_EQ(ex4.Vb.value(), 260);
    EXPECT_EQ(ex4.F.value(), 88);
    EXPECT_EQ(ex4.los, 'C');
}

TEST(BikePath, TwoWayAndSharedPathsGiveALevelPerDirection) {
    BikePathInput ex2 = path(PathType::TwoWay, PathWidth::ThreeMetres, 2.5f, 12.5f, 0.9f, 500);
    ex2.D = 70;
    const BikePathResult r2 = analysePath(ex2);
    EXPECT_EQ(r2.Vb.value(), 556);
    EXPECT_EQ(r2.Fsame.value(), 255);
    EXPECT_EQ(r2.losSame, 'D');
    EXPECT_EQ(r2.Fopp.value(), 427);
    EXPECT_EQ(r2.losOpp, 'F');

    const BikePathResult r3 = analysePath(sharedExample());
    EXPECT_EQ(r3.Vp.value(), 50);
    EXPECT_EQ(r3.Fsame.value(), 210);
    EXPECT_EQ(r3.losSame, 'C');
    EXPECT_EQ(r3.Fopp.value(), 240);
    EXPECT_EQ(r3.losOpp, 'D');
}

TEST(BikePath, RootOf314IsNotRootOfPi) {
    // r = 2σ / (√3.14 × Sb); with π the Ex#1 count would still be 42, so check r itself.
    const BikePathResult r = analysePath(path(PathType::OneWay, PathWidth::TwoMetres, 3, 12, 0.6f, 90));
    EXPECT_DOUBLE_EQ(r.r, 6 / (1.772004514666935 * 12));
}

TEST(BikePath, EveryConflictBoundIsInclusive) {
    using T = PathType;
    using W = PathWidth;
    struct Case {
        T type;
        W width;
        int bounds[5];
    };
    for (const Case& c : {Case{T::OneWay, W::TwoMetres, {25, 50, 100, 180, 240}},
                          Case{T::OnStreet, W::ThreeMetres, {75, 145, 295, 500, 735}},
                          Case{T::TwoWay, W::TwoMetres, {40, 60, 100, 150, 195}},
                          Case{T::Shared, W::ThreeMetres, {90, 140, 210, 300, 375}}}) {
        const char levels[] = "ABCDEF";
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(pathLevel(c.type, c.width, Int16::of(c.bounds[k])), levels[k]) << c.bounds[k];
            EXPECT_EQ(pathLevel(c.type, c.width, Int16::of(c.bounds[k] + 1)), levels[k + 1]) << c.bounds[k] + 1;
        }
    }
}

TEST(BikePath, RefusesWhatItCannotComputeWith) {
    auto refusedWith = [](auto change) {
        BikePathInput in = sharedExample();
        change(in);
        return refused([&] { analysePath(in); });
    };
    EXPECT_TRUE(refusedWith([](BikePathInput& in) { in.type = PathType::None; }));
    EXPECT_TRUE(refusedWith([](BikePathInput& in) { in.width = PathWidth::None; }));
    EXPECT_TRUE(refusedWith([](BikePathInput& in) { in.PHF = 0; }));
    EXPECT_TRUE(refusedWith([](BikePathInput& in) { in.Sb = 0; }));
    EXPECT_TRUE(refusedWith([](BikePathInput& in) { in.Sp = 0; }));
    EXPECT_TRUE(refusedWith([](BikePathInput& in) { in.D = 101; }));
    EXPECT_TRUE(refusedWith([](BikePathInput& in) { in.bikeVolume = 40000; }));  // Vb beyond 16 bits
    EXPECT_TRUE(refusedWith([](BikePathInput& in) { in.pedVolume = 40000; }));   // Vp beyond 16 bits
    EXPECT_TRUE(refusedWith([](BikePathInput& in) {
        in.pedVolume = 30000;
        in.Sp = 0.1f;
    }));  // conflicts
    // The pedestrian speed is not read for a two-way path.
    EXPECT_FALSE(refusedWith([](BikePathInput& in) {
        in.type = PathType::TwoWay;
        in.Sp = 0;
    }));
    // 2 × Vb is a 16-bit product on a one-way path.
    EXPECT_TRUE(refused([] { analysePath(path(PathType::OneWay, PathWidth::ThreeMetres, 0, 12, 1, 20000)); }));
}

TEST(BikePath, ConflictsBelowZeroAreRefused) {
    // Pedestrians at 20 km/h, bicycles at 2 km/h, all pedestrians one way:
    // P(1) = Sb / Sp - 1 = -0.9, and 50 × (-0.9) outweighs the bicycles' part.
    BikePathInput in = sharedExample();
    in.Sb = 2;
    in.Sp = 20;
    in.Dp = 100;
    in.bikeVolume = 20;
    const Error e = test::expectFailure([&] { analysePath(in); });
    EXPECT_EQ(e.kind, ErrorKind::InputError);  // the message is a golden case's
    EXPECT_EQ(e.focus, "txtBikeSpeedAvg");
    // The same speeds with the pedestrians spread over both directions count.
    in.Dp = 50;
    EXPECT_FALSE(refused([&] { analysePath(in); }));
}

// ---- interrupted flow ----

TEST(BikeStreet, OneIntersectionExample) {
    const BikeStreetResult r = analyseStreet(oneIntersection(200, 2.0f, 100, 0.4f));
    EXPECT_EQ(r.Cbike[1].value(), 1044);
    EXPECT_EQ(report::numtext(r.d[1]), " 19.49");
    EXPECT_EQ(r.los, 'C');
}

TEST(BikeStreet, UrbanStreetExample) {
    const BikeStreetResult r = analyseStreet(urbanStreet());
    EXPECT_EQ(r.Cbike[1].value(), 783);
    EXPECT_EQ(r.Cbike[2].value(), 1044);
    EXPECT_EQ(r.Cbike[3].value(), 1305);
    EXPECT_EQ(report::numtext(r.d[1]), " 27.1");
    EXPECT_EQ(report::numtext(r.d[2]), " 19.91");
    EXPECT_EQ(report::numtext(r.d[3]), " 13.82");
    EXPECT_EQ(report::numtext(r.ATS), " 11.3");
    EXPECT_EQ(r.los, 'B');
}

TEST(BikeStreet, WidthBoundsTakeTheSmallerFactor) {
    EXPECT_EQ(widthFactor(1.5f), 0.8);
    EXPECT_EQ(widthFactor(1.51f), 0.87);
    EXPECT_EQ(widthFactor(2.0f), 0.87);
    EXPECT_EQ(widthFactor(2.01f), 0.92);
    EXPECT_EQ(widthFactor(2.5f), 0.92);
    EXPECT_EQ(widthFactor(2.51f), 1.0);
    EXPECT_EQ(analyseStreet(oneIntersection(200, 1.5f, 100, 0.4f)).Cbike[1].value(), 960);
    EXPECT_EQ(analyseStreet(oneIntersection(200, 2.5f, 100, 0.4f)).Cbike[1].value(), 1104);
}

TEST(BikeStreet, DemandAtOrAboveCapacityUsesXOfOne) {
    // Vb = Cbike = 1044: d = 0.5 × 100 × 0.6² / (1 - 0.4) = 30.
    EXPECT_EQ(report::numtext(analyseStreet(oneIntersection(1044, 2.0f, 100, 0.4f)).d[1]), " 30");
    EXPECT_EQ(report::numtext(analyseStreet(oneIntersection(5000, 2.0f, 100, 0.4f)).d[1]), " 30");
}

TEST(BikeStreet, DelayAndSpeedBoundsAreInclusive) {
    struct Case {
        float value;
        char level;
    };
    for (Case c : {Case{8, 'A'}, {8.01f, 'B'}, {12, 'B'}, {25, 'C'}, {40, 'D'}, {55, 'E'}, {55.01f, 'F'}})
        EXPECT_EQ(delayLevel(c.value), c.level) << c.value;
    for (Case c : {Case{12, 'A'}, {11.9f, 'B'}, {10, 'B'}, {8, 'C'}, {7, 'D'}, {6, 'E'}, {5.9f, 'F'}})
        EXPECT_EQ(travelSpeedLevel(c.value), c.level) << c.value;
}

TEST(BikeStreet, RefusesWhatItCannotComputeWith) {
    auto refusedWith = [](auto change) {
        BikeStreetInput in = urbanStreet();
        change(in);
        return refused([&] { analyseStreet(in); });
    };
    EXPECT_TRUE(refusedWith([](BikeStreetInput& in) { in.n = 0; }));
    EXPECT_TRUE(refusedWith([](BikeStreetInput& in) { in.PHF = 0; }));
    EXPECT_TRUE(refusedWith([](BikeStreetInput& in) { in.runSpeed = 0; }));
    EXPECT_TRUE(refusedWith([](BikeStreetInput& in) { in.gC[2] = 0; }));
    EXPECT_TRUE(refusedWith([](BikeStreetInput& in) { in.gC[2] = 0.0001f; }));  // no capacity
    EXPECT_TRUE(refusedWith([](BikeStreetInput& in) { in.L = {}; }));           // no street length
    EXPECT_TRUE(refusedWith([](BikeStreetInput& in) { in.bikeVolume = 40000; }));
    // g/C 1 at capacity: the delay denominator 1 - X × g/C is zero.
    EXPECT_TRUE(refused([] { analyseStreet(oneIntersection(3000, 3.0f, 100, 1.0f)); }));
    // A single intersection reads no run speed.
    EXPECT_FALSE(refusedWith([](BikeStreetInput& in) {
        in.n = 1;
        in.runSpeed = 0;
    }));
}

// ---- reports ----

TEST(BicycleReport, PlainLinesWithNumberText) {
    BikePathInput in = path(PathType::OneWay, PathWidth::TwoMetres, 3, 12, 0.6f, 90);
    in.volumeText = "90";
    EXPECT_EQ(pathReport(in, analysePath(in)),
              "\r\n"
              "  자전거 전용도로(일방통행)의 분석결과는 다음과 같다. \r\n"
              "  자전거 첨두 15분 교통량 = 90 /  .6 =  150\r\n"
              "  상충횟수(F) =  42\r\n"
              "  서비스 수준 = B\r\n");
    const BikeStreetInput street = oneIntersection(200, 2.0f, 100, 0.4f);
    EXPECT_EQ(streetReport(street, analyseStreet(street)),
              "\r\n"
              "  신호교차로의 자전거도로의 분석결과는 다음과 같다. \r\n"
              "  용량 Cbike =  1044 대/시\r\n"
              "  지체 d =  19.49 초\r\n"
              "  서비스 수준 = C\r\n");
}

// ---- the window ----

class BicycleFormTest : public ::testing::Test {
protected:
    form::AnalysisIndex index{"pedestrianoper"};  // the bicycle command writes no key
    BicycleForm form{{&index, nullptr}};
};

TEST_F(BicycleFormTest, OpensOnUninterruptedFlowWithEmptyInputs) {
    EXPECT_EQ(form.windowName(), "frmBike");
    EXPECT_TRUE(form.at("optConti").checked);
    EXPECT_TRUE(form.at("fraBikeConti").visible);
    EXPECT_FALSE(form.at("fraBikeDiscon").visible);
    EXPECT_EQ(form.title(), "연속류 자전거 도로의 서비스 수준 분석");
    EXPECT_EQ(form.at("cboBikeType").index, -1);
    EXPECT_EQ(form.at("cboIntersectionNo").index, -1);
    EXPECT_TRUE(form.at("txtContiPHF").text.empty());
    EXPECT_EQ(form.currentPage(), BicycleForm::kInputPage);
}

TEST_F(BicycleFormTest, FlowOptionSwapsTheGroupsAndTheCaption) {
    form.setChecked("optDiscon", true);
    EXPECT_FALSE(form.at("optConti").checked);
    EXPECT_FALSE(form.at("fraBikeConti").visible);
    EXPECT_TRUE(form.at("fraBikeDiscon").visible);
    EXPECT_EQ(form.title(), "단속류 자전거 도로의 서비스 수준 분석");
    form.setChecked("optConti", true);
    EXPECT_TRUE(form.at("fraBikeConti").visible);
    EXPECT_EQ(form.title(), "연속류 자전거 도로의 서비스 수준 분석");
}

TEST_F(BicycleFormTest, PathTypeEnablesItsOwnFieldsOnly) {
    auto enabled = [&](const char* name) { return form.at(name).enabled; };
    EXPECT_FALSE(enabled("txtBikeDirectionRatio"));
    EXPECT_FALSE(enabled("txtPedVolume"));
    form.setIndex("cboBikeType", 1);
    EXPECT_TRUE(enabled("txtBikeDirectionRatio"));
    EXPECT_FALSE(enabled("txtPedSpeedAvg"));
    form.setIndex("cboBikeType", 0);
    EXPECT_FALSE(enabled("txtBikeDirectionRatio"));
    form.setIndex("cboBikeType", 2);  // the shared path uses D as well
    for (const char* name : {"txtBikeDirectionRatio", "txtPedVolume", "txtPedSpeedAvg", "txtPedDirectionRatio"})
        EXPECT_TRUE(enabled(name)) << name;
    form.setIndex("cboBikeType", 1);  // disables nothing
    EXPECT_TRUE(enabled("txtPedVolume"));
    form.setIndex("cboBikeType", 3);
    for (const char* name : {"txtBikeDirectionRatio", "txtPedVolume", "txtPedSpeedAvg", "txtPedDirectionRatio"})
        EXPECT_FALSE(enabled(name)) << name;
}

TEST_F(BicycleFormTest, IntersectionCountFramesEnablesAndDimsThePlaces) {
    auto place = [&](int i) {
        for (const form::Shape& s : form.at("picIntersection").drawing.shapes)
            if (s.name == "place" + std::to_string(i)) return s;
        ADD_FAILURE() << "no place " << i;
        return form::Shape{};
    };
    auto field = [&](const std::string& name, int i) { return form.at(name + "[" + std::to_string(i) + "]"); };
    form.setIndex("cboIntersectionNo", 2);  // three intersections
    for (int i = 1; i <= 8; ++i) {
        const bool used = i <= 3;
        EXPECT_EQ(place(i).framed, used) << i;
        EXPECT_EQ(place(i).dimmed, !used) << i;
        EXPECT_EQ(field("txtCycle", i).enabled, used) << i;
        EXPECT_EQ(field("txtGbyC", i).dimmed, !used) << i;
    }
    for (int j = 0; j <= 8; ++j) {
        EXPECT_EQ(field("txtLinkLength", j).enabled, j <= 3) << j;
        EXPECT_EQ(field("txtLinkLength", j).dimmed, j > 3) << j;
    }
    EXPECT_TRUE(form.at("txtBikeSpeed").visible);

    form.setIndex("cboIntersectionNo", 0);  // one intersection: no links, no run speed
    EXPECT_TRUE(place(1).framed);
    EXPECT_FALSE(place(2).framed);
    EXPECT_FALSE(field("txtLinkLength", 0).enabled);
    EXPECT_FALSE(field("txtLinkLength", 1).enabled);
    EXPECT_FALSE(field("txtLinkLength", 1).dimmed);
    EXPECT_TRUE(field("txtLinkLength", 2).dimmed);
    EXPECT_TRUE(field("txtCycle", 1).enabled);
    EXPECT_FALSE(field("txtCycle", 1).dimmed);
    EXPECT_FALSE(form.at("txtBikeSpeed").visible);
}

TEST_F(BicycleFormTest, ExamplesFillInputsButNotTheFlowOption) {
    form.press("cmdEx6");
    EXPECT_TRUE(form.at("optConti").checked);
    EXPECT_EQ(form.at("cboIntersectionNo").index, 2);
    EXPECT_EQ(form.at("txtLinkLength[3]").text, "0.3");
    EXPECT_EQ(form.at("txtGbyC[3]").text, "0.5");
    EXPECT_TRUE(form.at("txtBikeSpeed").visible);
    EXPECT_TRUE(form.resultText().empty());
    form.press("cmdEx3");
    EXPECT_EQ(form.at("cboBikeType").index, 2);
    EXPECT_TRUE(form.at("txtPedSpeedAvg").enabled);
}

TEST_F(BicycleFormTest, AnalysisRunsTheChosenFlowTypeAndARefusalKeepsTheReport) {
    form.press("cmdEx1");
    form.press("cmdEx6");
    ASSERT_TRUE(form.press("cmdResult").ok());
    EXPECT_NE(form.resultText().find("상충횟수(F) =  42"), std::string::npos);
    EXPECT_EQ(form.currentPage(), BicycleForm::kResultPage);
    form.setChecked("optDiscon", true);
    ASSERT_TRUE(form.press("cmdResult").ok());
    EXPECT_NE(form.resultText().find("평균통행속도 =  11.3 km/시"), std::string::npos);
    const std::string report = form.resultText();

    form.setIndex("cboIntersectionNo", -1);
    auto o = form.press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "cboIntersectionNo");
    form.setChecked("optDiscon", false);
    o = form.press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(form.resultText(), report);
}

// A number field of each group: what is not a number, below or above its
// range is refused naming the field (array elements by their place), the
// focus on it, the report kept; the golden refusals check the other fields'
// messages.
TEST_F(BicycleFormTest, NumberFieldsRefuseWhatIsNotAPhysicalValue) {
    form.press("cmdEx3");
    form.press("cmdEx6");
    ASSERT_TRUE(form.press("cmdResult").ok());
    struct Case {
        bool street;
        const char* field;
        const char* text;
        const char* message;
    } cases[] = {
        {false, "txtBikeContiVolume", "@@@", "자전거교통량(대/시)은 숫자로 입력하십시오. (입력된 값: \"@@@\")"},
        {false, "txtPedSpeedAvg", "25", "보행자속도(평균,kph)는 0보다 크고 20 이하여야 합니다."},
        {true, "txtCycle[3]", "0", "교차로 #3 주기(초)는 1 이상 300 이하여야 합니다."},
        {true, "txtGbyC[1]", "1.5", "교차로 #1 g/C는 0보다 크고 1 이하여야 합니다."},
    };
    for (const Case& c : cases) {
        form.setChecked(c.street ? "optDiscon" : "optConti", true);
        test::expectFieldRefused(form, "cmdResult", c.field, c.text, c.message);
    }
    // Only the fields of the chosen path type and intersection count are read.
    form.setText("txtCycle[4]", "x");
    form.setChecked("optDiscon", true);
    EXPECT_TRUE(form.press("cmdResult").ok());
    form.setIndex("cboBikeType", 0);
    form.setText("txtPedVolume", "x");
    form.setChecked("optConti", true);
    EXPECT_TRUE(form.press("cmdResult").ok());
    // The lists are asked for before any number.
    form.setIndex("cboBikeType", -1);
    form.setText("txtContiPHF", "x");
    EXPECT_EQ(form.press("cmdResult").focus, "cboBikeType");
}

// (The blanks around a typed volume are left out: a golden case.)
TEST_F(BicycleFormTest, VolumeLineEchoesOnlyATypedNumber) {
    form.press("cmdEx1");
    form.setText("txtBikeContiVolume", "9e1");
    ASSERT_TRUE(form.press("cmdResult").ok());
    EXPECT_NE(form.resultText().find("\r\n  자전거 첨두 15분 교통량 = 9e1 /  .6 =  150\r\n"), std::string::npos);
    form.setText("txtBikeContiVolume", "90\r\n");
    EXPECT_EQ(form.press("cmdResult").status, form::Outcome::Status::Refused);
}

}  // namespace
