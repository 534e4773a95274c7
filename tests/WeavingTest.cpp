// The weaving analyses: the worked examples of the operational and the design
// analysis, the level bounds, the length search and its limits, the refusals,
// the shared step block, and the weaving window in its two modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "TestSupport.h"
#include "analyses/weaving/Weaving.h"
#include "analyses/weaving/WeavingDesign.h"
#include "analyses/weaving/WeavingForm.h"
#include "analyses/weaving/WeavingReport.h"
#include "numeric/Result.h"
#include "report/BoxReport.h"
#include "report/NumberText.h"

using namespace verosa;
using namespace verosa::analyses::weaving;
using report::format;

namespace {

WeavingInput example2() {  // Ex#2, mainline-to-ramp
    WeavingInput in;
    in.mainVolume = 4000;
    in.enteringVolume = 800;
    in.exitingVolume = 1000;
    in.designSpeed = " 80 ";
    in.PHF = 0.95f;
    in.length = 350;
    in.lanes = 6;
    in.terrain = "평지";
    in.heavyPercent = 20;
    in.typed = {"4000", "800", "1000", "6", "20"};
    return in;
}

WeavingInput example3() {  // Ex#3, ramp-to-ramp
    WeavingInput in;
    in.enteringVolume = 1200;
    in.exitingVolume = 900;
    in.PHF = 0.95f;
    in.length = 200;
    in.terrain = "평지";
    in.heavyPercent = 10;
    in.averageSpeed = 55;
    in.typed = {"", "1200", "900", "", "10"};
    return in;
}

WeavingInput example1() {  // Ex#1, the design example (target D)
    WeavingInput in = example2();
    in.mainVolume = 6200;
    in.enteringVolume = 600;
    in.exitingVolume = 700;
    in.PHF = 0.92f;
    in.length = 400;
    in.lanes = 8;
    in.heavyPercent = 10;
    in.target = "D";
    // The design reads no heavy-vehicle share.
    in.typed = {"6200", "600", "700", "8", ""};
    return in;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the report ends with CR LF";
    return lines;
}

// The refusal a computation throws: its focus, or "" when it does not refuse.
template <class F>
std::string refusalFocus(F&& f) {
    const auto e = test::failureOf(f);
    if (!e) return "";
    if (e->kind != ErrorKind::InputError || e->message.empty()) return "(other)";
    return e->focus.empty() ? "(no focus)" : e->focus;
}

}  // namespace

// ---- worked examples ----

TEST(WeavingOperation, Example2MainlineToRampGivesDensity2144LevelD) {
    const MainlineResult r = analyseMainline(example2());
    const WeavingStep& s = r.step;
    EXPECT_EQ(format(r.fhv, "0.00"), "0.91");
    EXPECT_EQ(r.Vin.value(), 925);
    EXPECT_EQ(r.Vout.value(), 1157);
    EXPECT_EQ(r.Vmain.value(), 4627);
    EXPECT_EQ(s.Vw.value(), 2082);
    EXPECT_EQ(s.Vnw.value(), 3470);
    EXPECT_EQ(s.V.value(), 5552);
    EXPECT_EQ(report::numtext(s.VR), " .38");  // 2082 / 5552 = 0.375 exactly, a half away from zero
    EXPECT_EQ(s.N.value(), 4);
    EXPECT_EQ(s.L.value(), 350);
    EXPECT_EQ(s.S.value(), 80);
    EXPECT_EQ(format(s.Wnw, "0.000"), "0.478");
    EXPECT_EQ(format(s.Ww, "0.000"), "1.234");
    EXPECT_EQ(format(s.Snw, "##.00"), "70.60");
    EXPECT_EQ(format(s.Sw, "##.00"), "56.86");
    EXPECT_EQ(format(s.Sbar, "##.00"), "64.73");
    EXPECT_EQ(format(s.D, "##.00"), "21.44");
    EXPECT_EQ(s.los, 'D');
}

TEST(WeavingOperation, Example3RampToRampGivesDensity2115LevelD) {
    const RampToRampResult r = analyseRampToRamp(example3());
    EXPECT_EQ(format(r.fhv, "0.00"), "0.95");
    EXPECT_EQ(r.Vin.value(), 1330);
    EXPECT_EQ(r.Vout.value(), 997);
    EXPECT_EQ(r.Vp.value(), 2327);
    EXPECT_EQ(r.Sa.value(), 55);
    EXPECT_EQ(format(r.D, "##.00"), "21.15");  // 2327 / (2 x 55)
    EXPECT_EQ(r.los, 'D');
}

TEST(WeavingDesign, Example1FindsMinimumLength280ForTargetD) {
    const DesignResult r = analyseDesign(example1());
    EXPECT_EQ(r.Vin.value(), 652);
    EXPECT_EQ(r.Vout.value(), 761);
    EXPECT_EQ(r.Vmain.value(), 6739);
    EXPECT_EQ(r.base.Vw.value(), 1413);
    EXPECT_EQ(r.base.Vnw.value(), 5978);
    EXPECT_EQ(r.base.V.value(), 7391);
    EXPECT_EQ(report::numtext(r.base.VR), " .19");
    EXPECT_EQ(r.base.N.value(), 5);
    EXPECT_EQ(r.VperN.value(), 1478);
    EXPECT_EQ(r.Dmax.value(), 22);
    EXPECT_EQ(r.Lstar.value(), 280);

    std::vector<int> lengths;
    std::string letters;
    for (const WeavingStep& b : r.blocks) {
        lengths.push_back(b.L.value());
        letters += b.los;
    }
    EXPECT_EQ(lengths, (std::vector<int>{400, 300, 290, 280, 270}));
    EXPECT_EQ(letters, "DDDDE");  // only L* - 10 is worse than the target
    EXPECT_EQ(format(r.blocks[0].D, "##.00"), "21.48");
    EXPECT_EQ(format(r.blocks[3].D, "##.00"), "22.00");  // exactly the bound: still D
    EXPECT_EQ(format(r.blocks[4].D, "##.00"), "22.06");
}

TEST(WeavingDesign, NoHeavyVehicleFactorInTheDesignFlows) {
    WeavingInput in = example1();
    in.terrain.clear();  // neither read nor needed
    in.heavyPercent = 90;
    EXPECT_EQ(analyseDesign(in).Vin.value(), 652);  // 600 / 0.92
}

// ---- levels and the search ----

TEST(WeavingLevels, EachBoundKeepsTheBetterLevel) {
    struct Case {
        float D;
        char level;
    };
    for (Case c : {Case{0, 'A'},
                   {6, 'A'},
                   {6.01f, 'B'},
                   {12, 'B'},
                   {12.01f, 'C'},
                   {17, 'C'},
                   {17.01f, 'D'},
                   {22, 'D'},
                   {22.01f, 'E'},
                   {27, 'E'},
                   {27.01f, 'F'}})
        EXPECT_EQ(mainlineLevel(c.D), c.level) << c.D;
    for (Case c : {Case{7.5f, 'A'},
                   {7.51f, 'B'},
                   {12.5f, 'B'},
                   {12.51f, 'C'},
                   {17.5f, 'C'},
                   {17.51f, 'D'},
                   {25, 'D'},
                   {25.01f, 'E'},
                   {37.5f, 'E'},
                   {37.51f, 'F'}})
        EXPECT_EQ(rampLevel(c.D), c.level) << c.D;
    // Through the ramp-to-ramp computation: 825 / (2 x 55) = 7.5 exactly.
    WeavingInput in = example3();
    in.PHF = 1;
    in.heavyPercent = 0;
    in.enteringVolume = 425;
    in.exitingVolume = 400;
    EXPECT_EQ(analyseRampToRamp(in).los, 'A');
    in.exitingVolume = 401;
    EXPECT_EQ(analyseRampToRamp(in).los, 'B');
}

TEST(WeavingDesign, DensityAtTheBoundLetsTheSearchGoOn) {
    std::vector<int> evaluated;
    auto density = [&](Int16 L) {
        evaluated.push_back(L.value());
        return L.value() >= 250 ? 22.0f : 22.01f;  // exactly the bound down to 250 m
    };
    const LengthSearch s = searchMinimumLength(Int16::of(300), Int16::of(22), density);
    ASSERT_TRUE(s.found);
    EXPECT_EQ(s.Lstar.value(), 250);
    EXPECT_EQ(evaluated, (std::vector<int>{300, 290, 280, 270, 260, 250, 240}));
}

TEST(WeavingDesign, DensityBeyondTheBoundAtLmaxStopsAtOnce) {
    int runs = 0;
    const LengthSearch s = searchMinimumLength(Int16::of(400), Int16::of(6), [&](Int16) { return ++runs, 21.48f; });
    ASSERT_TRUE(s.found);
    EXPECT_EQ(s.Lstar.value(), 410);
    EXPECT_EQ(runs, 1);

    // Through the analysis: Ex#1 with target A.
    WeavingInput in = example1();
    in.target = "A";
    const DesignResult r = analyseDesign(in);
    EXPECT_EQ(r.Lstar.value(), 410);
    std::vector<int> lengths;
    for (const WeavingStep& b : r.blocks) lengths.push_back(b.L.value());
    EXPECT_EQ(lengths, (std::vector<int>{400, 430, 420, 410, 400}));
}

TEST(WeavingDesign, SearchNeverEvaluatesALengthOfZeroOrLess) {
    for (int Lmax : {400, 405, 10, 7}) {
        int shortest = 1 << 20;
        const LengthSearch s = searchMinimumLength(Int16::of(Lmax), Int16::of(22), [&](Int16 L) {
            shortest = std::min(shortest, static_cast<int>(L.value()));
            return 0.0f;  // always within the bound
        });
        EXPECT_FALSE(s.found) << Lmax;
        EXPECT_GT(shortest, 0) << Lmax;
        EXPECT_EQ(s.shortest.value(), shortest) << Lmax;
        EXPECT_EQ(shortest, Lmax % 10 == 0 ? 10 : Lmax % 10) << Lmax;
    }
    // Through the analysis: a light flow keeps D at every length, which is said in a refusal.
    WeavingInput in = example1();
    in.mainVolume = 1000;
    in.enteringVolume = 100;
    in.exitingVolume = 100;
    EXPECT_EQ(refusalFocus([&] { analyseDesign(in); }), field::kLength);
}

TEST(WeavingDesign, TargetFAndNoTargetAreRefused) {
    WeavingInput in = example1();
    in.target = "F";
    EXPECT_EQ(refusalFocus([&] { analyseDesign(in); }), field::kTarget);
    in.target.clear();
    EXPECT_EQ(refusalFocus([&] { analyseDesign(in); }), field::kTarget);
    for (const char* t : {"A", "B", "C", "D", "E"}) EXPECT_NO_THROW(densityBound(t)) << t;
}

TEST(WeavingStepModel, LongerSectionsGiveHigherSpeedsAndLowerDensity) {
    WeavingStep s = analyseMainline(example2()).step;
    WeavingStep longer = s;
    longer.L = Int16::of(700);
    runWeavingStep(longer);
    EXPECT_LT(longer.Ww, s.Ww);
    EXPECT_LT(longer.Wnw, s.Wnw);
    EXPECT_GT(longer.Sw, s.Sw);
    EXPECT_GT(longer.Snw, s.Snw);
    EXPECT_LT(longer.D, s.D);
}

TEST(WeavingOperation, HeavyVehicleFactorByTerrain) {
    EXPECT_EQ(format(heavyVehicleFactor(20, "평지"), "0.00"), "0.91");    // 1 / 1.1
    EXPECT_EQ(format(heavyVehicleFactor(20, "구릉지"), "0.00"), "0.71");  // 1 / 1.4
    // 1 / 1.6 = 0.625 on the decimal value of the double share: a half, away from zero.
    EXPECT_EQ(format(heavyVehicleFactor(15, "산지"), "0.00"), "0.63");
    EXPECT_EQ(format(heavyVehicleFactor(0, "산지"), "0.00"), "1.00");
}

TEST(WeavingOperation, RefusesInputItCannotComputeWith) {
    struct Case {
        const char* what;
        void (*change)(WeavingInput&);
        const char* focus;
    };
    const Case cases[] = {
        {"no terrain", [](WeavingInput& in) { in.terrain.clear(); }, field::kTerrain},
        {"no design speed", [](WeavingInput& in) { in.designSpeed.clear(); }, field::kDesignSpeed},
        {"zero PHF", [](WeavingInput& in) { in.PHF = 0; }, field::kPHF},
        {"zero length", [](WeavingInput& in) { in.length = 0; }, field::kLength},
        {"negative length", [](WeavingInput& in) { in.length = -350; }, field::kLength},
        {"length beyond 16 bits", [](WeavingInput& in) { in.length = 40000; }, field::kLength},
        // -1 lanes: N = int16(-0.5 + 1) = int16(0.5) = 0 (half to even).
        {"no lane", [](WeavingInput& in) { in.lanes = -1; }, field::kLanes},
        {"negative lanes", [](WeavingInput& in) { in.lanes = -4; }, field::kLanes},
        {"negative volume", [](WeavingInput& in) { in.enteringVolume = -800; }, field::kEnteringVolume},
        {"flow beyond 16 bits", [](WeavingInput& in) { in.mainVolume = 40000; }, field::kMainVolume},
        {"main below exiting", [](WeavingInput& in) { in.mainVolume = 500; }, field::kMainVolume},
        {"no volume", [](WeavingInput& in) { in.mainVolume = in.enteringVolume = in.exitingVolume = 0; },
         field::kMainVolume},
        {"share above 100 %", [](WeavingInput& in) { in.heavyPercent = 120; }, field::kHeavyPercent},
    };
    for (const Case& c : cases) {
        WeavingInput in = example2();
        c.change(in);
        EXPECT_EQ(refusalFocus([&] { analyseMainline(in); }), c.focus) << c.what;
    }
    WeavingInput in = example3();
    in.averageSpeed = 0;
    EXPECT_EQ(refusalFocus([&] { analyseRampToRamp(in); }), field::kAverageSpeed);
    in.averageSpeed = 0.4;  // a whole km/h at least: the density divides by the rounded speed
    EXPECT_EQ(refusalFocus([&] { analyseRampToRamp(in); }), field::kAverageSpeed);
    in = example3();
    in.length = 0;
    EXPECT_EQ(refusalFocus([&] { analyseRampToRamp(in); }), field::kLength);
    // A two-way count of 0 still gives one lane per direction: N = int16(0 / 2 + 1).
    in = example2();
    in.lanes = 0;
    EXPECT_EQ(refusalFocus([&] { EXPECT_EQ(analyseMainline(in).step.N.value(), 1); }), "");
    // The ramp-to-ramp variant reads no design speed, lanes or main volume.
    in = example3();
    EXPECT_EQ(refusalFocus([&] { analyseRampToRamp(in); }), "");
}

TEST(WeavingOperation, WeavingFlowBeyond16BitsIsAnArithmeticFailure) {
    WeavingInput in = example2();
    in.enteringVolume = in.exitingVolume = 15000;  // 17351 + 17351
    in.mainVolume = 20000;
    try {
        analyseMainline(in);
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.error().kind, ErrorKind::ArithmeticFailure);
    }
}

// ---- the reports ----

TEST(WeavingReports, StepBlockOfExample2AsTheTemplateWritesIt) {
    const MainlineResult r = analyseMainline(example2());
    report::BoxReport b(38);
    writeStepBlock(b, r.step, BlockForm::Operation);
    const std::vector<std::string> expected = {
        "   │                                                                            │",
        "   │  L =  350m일 때                                                            │",
        "   │                                                                            │",
        "   │  Ww = 0.059 × (1 +  .38)^2.2 ×( 5552/ 4)^0.97) /  350^0.8 = 1.234        │",
        "   │  Wnw = 0.00000054 × (1 +  .38)^0.68 ×( 5552/ 4)^2.0) / 350^0.17 = 0.478  │",
        "   │  Sw = 30 + [( 80+ 10) - 30 ] / (1 + 1.234) = 56.86km/h                     │",
        "   │  Snw = 30 + [( 80+ 10) - 30 ] / (1 + 0.478) = 70.60km/h                    │",
        "   │  S =  5552/ [ 2082/56.86 + 3470/70.60] = 64.73km/h                         │",
        "   │  D = [ 5552/ 4] / 64.73 = 21.44pcpkmpl                                     │",
    };
    EXPECT_EQ(linesOf(b.text()), expected);

    report::BoxReport design(38);
    writeStepBlock(design, r.step, BlockForm::Design);
    const auto lines = linesOf(design.text());
    ASSERT_EQ(lines.size(), expected.size());
    EXPECT_EQ(lines.back(), "   │  D = [ 5552/ 4] / 64.73 = 21.44pcpkmpl  ───> 서비스수준 : D             │");
}

TEST(WeavingReports, EveryLineIs83Columns) {
    // The design-speed line's literal is one column short: the frame closes it.
    const auto check = [](const std::string& text) {
        for (const std::string& line : linesOf(text)) EXPECT_EQ(report::columns(line), 83) << line;
    };
    check(mainlineReport(example2(), analyseMainline(example2())));
    check(rampToRampReport(example3(), analyseRampToRamp(example3())));
    const std::string design = designReport(example1(), analyseDesign(example1()));
    check(design);
    EXPECT_NE(design.find("   │   최소 엇갈림 구간 길이 :  280m (서비스수준 : D 유지)                      │\r\n"),
              std::string::npos);
    EXPECT_EQ(linesOf(design).size(), 80u);  // 25 heading lines, five blocks of nine, 10 closing lines
}

// ---- the window ----

class WeavingFormTest : public ::testing::Test {
protected:
    form::AnalysisIndex index{"weavingoper"};
    std::unique_ptr<WeavingForm> open(const std::string& key) {
        index.key = key;
        return std::make_unique<WeavingForm>(form::FormContext{&index, nullptr});
    }
    static std::string label(const form::Form& f, const std::string& name) {
        for (const auto& s : f.at("picDiagram").drawing.shapes)
            if (s.name == name) return s.text;
        ADD_FAILURE() << "no label " << name;
        return {};
    }
};

TEST_F(WeavingFormTest, OperationalLayoutAtCreation) {
    auto f = open("weavingoper");
    EXPECT_EQ(f->windowName(), "frmWeaving");
    EXPECT_EQ(f->title(), "엇갈림 구간의 운영분석");
    EXPECT_TRUE(f->at("fraWeavingForm").visible);
    EXPECT_TRUE(f->at("optLink").checked);
    EXPECT_FALSE(f->at("optSide").checked);
    EXPECT_EQ(f->at("txtLength").caption, "엇갈림 구간의 길이(m)");
    EXPECT_EQ(f->at("cboDesignSpeed").caption, "설계속도(kph)");
    EXPECT_FALSE(f->at("cboLos").visible);
    EXPECT_FALSE(f->at("txtAvgSpeed").visible);
    EXPECT_FALSE(f->at("lblAvgSpeedUnit").visible);
    EXPECT_EQ(f->at("cboLandType").index, -1);
    EXPECT_TRUE(f->at("txtMainVolume").text.empty());
    std::string examples;
    for (const auto* b : f->exampleButtons()) examples += b->caption + " ";
    EXPECT_EQ(examples, "Ex#1 Ex#2 Ex#3 ");
}

TEST_F(WeavingFormTest, OptionPairShowsTheInputsOfEachVariant) {
    auto f = open("weavingoper");
    f->setChecked("optSide", true);
    EXPECT_FALSE(f->at("optLink").checked);
    EXPECT_EQ(f->at("txtLength").caption, "측도 엇갈림구간의 길이");
    for (const char* name : {"txtMainVolume", "lblMainVolumeUnit", "cboDesignSpeed", "txtLane"})
        EXPECT_FALSE(f->at(name).visible) << name;
    EXPECT_TRUE(f->at("txtAvgSpeed").visible);
    EXPECT_EQ(f->at("txtAvgSpeed").caption, "평균공간속도");

    f->setChecked("optLink", true);
    EXPECT_EQ(f->at("txtLength").caption, "엇갈림구간의 길이");
    EXPECT_EQ(f->at("cboDesignSpeed").caption, "설계속도");
    for (const char* name : {"txtMainVolume", "cboDesignSpeed", "txtLane"}) EXPECT_TRUE(f->at(name).visible) << name;
    EXPECT_FALSE(f->at("txtAvgSpeed").visible);
}

TEST_F(WeavingFormTest, DesignLayoutKeepsTheMainlineInputs) {
    auto f = open("weavingdesign");
    EXPECT_EQ(f->title(), "엇갈림 구간의 설계(최소 엇갈림 구간 길이 결정)  ");
    EXPECT_FALSE(f->at("fraWeavingForm").visible);
    EXPECT_TRUE(f->at("cboLos").visible);
    EXPECT_EQ(f->at("txtLength").caption, "최대 허용 구간길이(m)");
    f->press("cmdEx3");  // sets optSide: the design inputs stay
    EXPECT_TRUE(f->at("optSide").checked);
    EXPECT_TRUE(f->at("txtMainVolume").visible);
    EXPECT_FALSE(f->at("txtAvgSpeed").visible);
    EXPECT_EQ(f->at("txtLength").caption, "최대 허용 구간길이(m)");
}

TEST_F(WeavingFormTest, TargetFIsRefusedAtChoice) {
    auto f = open("weavingdesign");
    const form::Outcome o = f->setIndex("cboLos", 5);
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.message->title, "입력오류");
    EXPECT_EQ(o.message->text, "서비스 수준 F로는 설계할 수 없습니다.");
    EXPECT_EQ(o.focus, "cboLos");
    EXPECT_EQ(f->at("cboLos").listText(), "A");
}

TEST_F(WeavingFormTest, ExamplesFillInputsAndAnalysisWritesReportAndDiagram) {
    auto f = open("weavingoper");
    f->press("cmdEx2");
    EXPECT_EQ(f->resultText(), "");  // an example never runs the analysis
    EXPECT_EQ(f->at("cboDesignSpeed").listText(), " 80 ");
    EXPECT_EQ(f->at("cboLandType").listText(), "평지");
    const form::Outcome o = f->press("cmdResult");
    ASSERT_TRUE(o.ok()) << (o.message ? o.message->text : "");
    EXPECT_TRUE(o.reportWritten);
    EXPECT_EQ(f->currentPage(), WeavingForm::kResultPage);
    EXPECT_EQ(f->resultText(), mainlineReport(example2(), analyseMainline(example2())));
    EXPECT_EQ(f->at("fraDiagram").caption, "연결로 엇갈림 구간의 상황도");
    EXPECT_EQ(label(*f, "lblMain"), " 4627");
    EXPECT_EQ(label(*f, "lblSt"), " 3470");
    EXPECT_EQ(label(*f, "lblIn"), " 925");
    EXPECT_EQ(label(*f, "lblOut"), " 1157");
    EXPECT_EQ(label(*f, "lblSw"), " 56.86");
    EXPECT_EQ(label(*f, "lblSnw"), " 70.6");
    EXPECT_EQ(label(*f, "lblWeav"), " 2082");

    // Ex#3 keeps the main volume and switches to the ramp-to-ramp variant.
    f->press("cmdEx3");
    EXPECT_EQ(f->at("txtMainVolume").text, "4000");
    ASSERT_TRUE(f->press("cmdResult").ok());
    EXPECT_EQ(f->at("fraDiagram").caption, "측도 엇갈림 구간 상황도");
    EXPECT_EQ(label(*f, "lblIn"), " 1330");
    EXPECT_EQ(label(*f, "lblOut"), " 997");
    EXPECT_EQ(label(*f, "lblWeav"), " 2327");
    EXPECT_EQ(label(*f, "lblMain"), "");  // not left from the mainline run
    bool mainCaptionDimmed = false;
    for (const auto& s : f->at("picDiagram").drawing.shapes)
        if (s.name == "capMain") mainCaptionDimmed = s.dimmed;
    EXPECT_TRUE(mainCaptionDimmed);
}

TEST_F(WeavingFormTest, DesignDiagramShowsLstarAndTheSpeedsOfTheLastRun) {
    auto f = open("weavingdesign");
    f->press("cmdEx1");
    ASSERT_TRUE(f->press("cmdResult").ok());
    EXPECT_EQ(label(*f, "lblLength"), " 280");
    EXPECT_EQ(label(*f, "lblSw"), " 57.7");  // at L* - 10 = 270 m
    EXPECT_EQ(label(*f, "lblSnw"), " 69.66");
    EXPECT_EQ(label(*f, "lblMain"), " 6739");
}

TEST_F(WeavingFormTest, RefusalLeavesThePreviousReportAndDiagram) {
    auto f = open("weavingoper");
    f->press("cmdEx2");
    ASSERT_TRUE(f->press("cmdResult").ok());
    const std::string before = f->resultText();
    f->showPage(WeavingForm::kInputPage);
    f->setText("txtPHF", "0");
    const form::Outcome o = f->press("cmdResult");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "txtPHF");
    EXPECT_FALSE(o.reportWritten);
    EXPECT_EQ(f->resultText(), before);
    EXPECT_EQ(f->currentPage(), WeavingForm::kInputPage);
    EXPECT_EQ(label(*f, "lblMain"), " 4627");

    f->setText("txtPHF", "0.95");
    f->setChecked("optLink", false);  // neither weaving form
    const form::Outcome none = f->press("cmdResult");
    EXPECT_EQ(none.status, form::Outcome::Status::Refused);
    EXPECT_EQ(f->resultText(), before);
}

TEST_F(WeavingFormTest, AnalysisReadsTheModeKeyAgain) {
    auto f = open("weavingoper");
    f->press("cmdEx1");           // fills the target as well
    index.key = "weavingdesign";  // the menu's design command while the window is open
    ASSERT_TRUE(f->press("cmdResult").ok());
    EXPECT_EQ(f->layout(), WeavingForm::Mode::Design);
    EXPECT_EQ(f->title(), "엇갈림 구간의 설계(최소 엇갈림 구간 길이 결정)  ");
    EXPECT_TRUE(f->at("cboLos").visible);
    EXPECT_EQ(f->resultText(), designReport(example1(), analyseDesign(example1())));

    index.key = "pedestrianoper";  // another window's key: the window's own analysis runs
    ASSERT_TRUE(f->press("cmdResult").ok());
    EXPECT_EQ(f->layout(), WeavingForm::Mode::Design);

    index.key = "weavingoper";
    ASSERT_TRUE(f->press("cmdResult").ok());
    EXPECT_EQ(f->title(), "엇갈림 구간의 운영분석");
    EXPECT_FALSE(f->at("cboLos").visible);
    EXPECT_EQ(f->at("txtLength").caption, "엇갈림구간의 길이");  // optLink is on
    EXPECT_NE(f->resultText().find("연결로 엇갈림 구간의 운영분석"), std::string::npos);
}

// ---- number fields ----

// One text of each kind of field beyond the ones the golden refusals check:
// a volume above 16 bits, an empty PHF, a number beyond a double, the lower
// bound of the lanes, and an average speed that rounds to 0 km/h.
TEST_F(WeavingFormTest, NumberFieldsRefuseTextsThatAreNotValuesOfTheirRange) {
    struct Case {
        const char* example;
        const char* field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"cmdEx3", "txtOutVolume", "32768", "유출교통량은 0 이상 32767 이하여야 합니다."},
        {"cmdEx2", "txtPHF", "", "첨두시간계수(PHF)를 입력하십시오."},
        {"cmdEx2", "txtPHF", "1e999", "첨두시간계수(PHF)가 너무 큽니다."},
        {"cmdEx2", "txtLane", "1", "차로수(양방향)는 2 이상 16 이하여야 합니다."},
        {"cmdEx3", "txtAvgSpeed", "0.4", "평균공간속도는 1 이상 150 이하여야 합니다."},
    };
    for (const Case& c : cases) {
        auto f = open("weavingoper");
        f->press(c.example);
        ASSERT_TRUE(f->press("cmdResult").ok()) << c.example;
        test::expectFieldRefused(*f, "cmdResult", c.field, c.text, c.message);
    }
}

TEST_F(WeavingFormTest, OnlyTheFieldsOfTheAnalysisAreRead) {
    // (Ramp-to-ramp reading no main volume or lanes is a golden case.)
    auto f = open("weavingoper");
    f->press("cmdEx2");  // mainline-to-ramp: no average speed
    f->setText("txtAvgSpeed", "abc");
    EXPECT_TRUE(f->press("cmdResult").ok());
    f = open("weavingdesign");
    f->press("cmdEx1");  // the design: no heavy-vehicle share
    f->setText("txtHeavyPer", "abc");
    EXPECT_TRUE(f->press("cmdResult").ok());
}

TEST_F(WeavingFormTest, TypedNumbersShowWithoutTheBlanksAroundThem) {
    auto f = open("weavingoper");
    f->press("cmdEx2");
    f->setText("txtMainVolume", " 4000\t");
    f->setText("txtHeavyPer", "\t20");
    ASSERT_TRUE(f->press("cmdResult").ok());
    EXPECT_EQ(f->resultText(), mainlineReport(example2(), analyseMainline(example2())));
}
