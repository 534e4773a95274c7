// The walkway analysis: the worked example, the level bounds and the refusals,
// through the pure computation and through the pedestrian form.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "analyses/pedestrian/PedestrianForm.h"
#include "analyses/pedestrian/Walkway.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

using namespace verosa;
using namespace verosa::analyses::pedestrian;

namespace {

WalkwayInput walkway(float Wt, float Wo, double V15) {
    WalkwayInput in;
    in.Wt = Wt;
    in.Wo = Wo;
    in.V15typed = V15;
    in.V15 = Int16::round(V15);
    return in;
}

TEST(Walkway, WorkedExampleGivesCWithFlowRate42) {
    // We = 4.3 - 1.4 = 2.9 (single); Vp = 1827 / (2.9 * 15) = 1827 / 43.5 = 42.
    const WalkwayResult r = analyseWalkway(walkway(4.3f, 1.4f, 1827));
    EXPECT_EQ(report::plain(r.We), "2.9");
    EXPECT_EQ(r.Vp.value(), 42);
    EXPECT_EQ(r.los, 'C');
}

TEST(Walkway, EachBoundBelongsToTheBetterLevel) {
    struct Case {
        int Vp;
        char level;
    };
    for (Case c : {Case{0, 'A'},
                   {20, 'A'},
                   {21, 'B'},
                   {32, 'B'},
                   {33, 'C'},
                   {46, 'C'},
                   {47, 'D'},
                   {70, 'D'},
                   {71, 'E'},
                   {106, 'E'},
                   {107, 'F'},
                   {32767, 'F'}})
        EXPECT_EQ(walkwayLevel(Int16::of(c.Vp)), c.level) << c.Vp;
    // Through the computation: 2 m, 600 per 15 minutes is exactly 20 per minute per metre.
    EXPECT_EQ(analyseWalkway(walkway(2, 0, 600)).los, 'A');
    EXPECT_EQ(analyseWalkway(walkway(2, 0, 630)).los, 'B');  // 21
}

TEST(Walkway, FlowRateRoundsHalfToEven) {
    // 1 m: V15 / 15. 37.5 -> 38 (even), 22.5 -> 22 (even).
    EXPECT_EQ(analyseWalkway(walkway(1, 0, 562.5)).Vp.value(), 37);  // V15 562 (even); 562 / 15 = 37.47
    EXPECT_EQ(analyseWalkway(walkway(2, 0, 1125)).Vp.value(), 38);   // 37.5
    EXPECT_EQ(analyseWalkway(walkway(2, 0, 675)).Vp.value(), 22);    // 22.5
}

TEST(Walkway, RefusesInputItCannotComputeWith) {
    auto refused = [](WalkwayInput in) { return test::refused([&] { analyseWalkway(in); }); };
    EXPECT_TRUE(refused(walkway(4.3f, 4.3f, 1827)));     // no effective width
    EXPECT_TRUE(refused(walkway(1.0f, 1.4f, 1827)));     // negative effective width
    EXPECT_TRUE(refused(walkway(-4.3f, -5.0f, 1827)));   // negative widths
    EXPECT_TRUE(refused(walkway(4.3f, 1.4f, -1)));       // negative volume
    EXPECT_TRUE(refused(walkway(1.0f, 0.999f, 30000)));  // flow rate beyond 16 bits
    EXPECT_FALSE(refused(walkway(4.3f, 0.0f, 0)));       // no pedestrians is a valid A
}

class PedestrianFormTest : public ::testing::Test {
protected:
    form::AnalysisIndex index{"pedestrianoper"};
    PedestrianForm form{{&index, nullptr}};
};

TEST_F(PedestrianFormTest, OpensOnTheWalkwayPageWithTheModeTitle) {
    EXPECT_EQ(form.title(), "보행자시설의 운영분석");
    EXPECT_EQ(form.currentPage(), PedestrianForm::kWalkwayPage);
    ASSERT_EQ(form.pages().size(), 5u);
    EXPECT_EQ(form.pages()[1].caption, "계   단");
    EXPECT_EQ(form.pages()[4].caption, "결과화면");
    EXPECT_TRUE(form.at("txtTotWidth_Road").text.empty());
}

TEST_F(PedestrianFormTest, ExampleOnlyFillsInputsAndKeepsTheReport) {
    form.press("cmdEx1");
    EXPECT_EQ(form.at("txtTotWidth_Road").text, "4.3");
    EXPECT_EQ(form.at("txtTotViolationWidth_Road").text, "1.4");
    EXPECT_EQ(form.at("txtPeakPedVolume_Road").text, "1827");
    EXPECT_TRUE(form.resultText().empty());

    auto o = form.press("cmdResultPedRoad");
    ASSERT_TRUE(o.ok());
    EXPECT_TRUE(o.reportWritten);
    EXPECT_EQ(form.currentPage(), PedestrianForm::kResultPage);
    const std::string report = form.resultText();
    EXPECT_NE(report.find("=  42인/분/m"), std::string::npos);

    // Another example press leaves that report in place.
    form.setText("txtTotWidth_Road", "9");
    form.press("cmdEx1");
    EXPECT_EQ(form.resultText(), report);
}

TEST_F(PedestrianFormTest, LevelBoundsThroughTheWindow) {
    // 2 m wide, no obstruction: Vp = V15 / 30.
    form.setText("txtTotWidth_Road", "2");
    form.setText("txtTotViolationWidth_Road", "0");
    struct Case {
        const char* V15;
        const char* line;
    };
    for (Case c :
         {Case{"600", "=  20인/분/m"}, {"630", "=  21인/분/m"}, {"3180", "= 106인/분/m"}, {"3210", "= 107인/분/m"}}) {
        form.setText("txtPeakPedVolume_Road", c.V15);
        ASSERT_TRUE(form.press("cmdResultPedRoad").ok()) << c.V15;
        EXPECT_NE(form.resultText().find(c.line), std::string::npos) << c.V15;
    }
    EXPECT_NE(form.resultText().find("서비스수준 : F"), std::string::npos);
    form.setText("txtPeakPedVolume_Road", "600");
    form.press("cmdResultPedRoad");
    EXPECT_NE(form.resultText().find("서비스수준 : A"), std::string::npos);
}

TEST_F(PedestrianFormTest, RefusalKeepsThePreviousReportAndFocusesTheField) {
    form.press("cmdEx1");
    form.press("cmdResultPedRoad");
    const std::string report = form.resultText();
    form.showPage(PedestrianForm::kWalkwayPage);

    form.setText("txtTotViolationWidth_Road", "4.3");
    auto o = form.press("cmdResultPedRoad");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    ASSERT_TRUE(o.message);
    EXPECT_EQ(o.message->title, "입력오류");
    EXPECT_EQ(o.focus, "txtTotViolationWidth_Road");
    EXPECT_FALSE(o.reportWritten);
    EXPECT_EQ(form.resultText(), report);
    EXPECT_EQ(form.currentPage(), PedestrianForm::kWalkwayPage);
}

TEST_F(PedestrianFormTest, FieldsReadByTheNumberRule) {
    // Blanks around a number are allowed; a unit after it is not.
    form.setText("txtTotWidth_Road", "  4.3 ");
    form.setText("txtTotViolationWidth_Road", "1.4\t");
    form.setText("txtPeakPedVolume_Road", "1827");
    ASSERT_TRUE(form.press("cmdResultPedRoad").ok());
    const std::string report = form.resultText();
    EXPECT_NE(report.find("1827 / ( 15 *  2.9) =  42"), std::string::npos);
    form.setText("txtTotWidth_Road", "4.3m");
    auto o = form.press("cmdResultPedRoad");
    EXPECT_EQ(o.status, form::Outcome::Status::Refused);
    EXPECT_EQ(o.message->text, "전체도로폭(m)은 숫자로 입력하십시오. (입력된 값: \"4.3m\")");
    EXPECT_EQ(o.focus, "txtTotWidth_Road");
    // An empty volume is not 0: it is asked for.
    form.setText("txtTotWidth_Road", "4.3");
    form.setText("txtPeakPedVolume_Road", "");
    o = form.press("cmdResultPedRoad");
    EXPECT_EQ(o.message->text, "15분 첨두보행교통량 (인/15분)을 입력하십시오.");
    EXPECT_EQ(form.resultText(), report);
}

TEST_F(PedestrianFormTest, WalkwayFieldsRefuseWhatIsNotAPhysicalValue) {
    form.press("cmdEx1");
    ASSERT_TRUE(form.press("cmdResultPedRoad").ok());
    struct Case {
        const char* field;
        const char* text;
        const char* message;
    } cases[] = {
        {"txtTotWidth_Road", "0", "전체도로폭(m)은 0.1 이상 100 이하여야 합니다."},
        {"txtTotViolationWidth_Road", "1e-45", "총 방해폭원(m)은 0이거나 0.01 이상 100 이하여야 합니다."},
        {"txtPeakPedVolume_Road", "@@@", "15분 첨두보행교통량 (인/15분)은 숫자로 입력하십시오. (입력된 값: \"@@@\")"},
    };
    for (const Case& c : cases) {
        test::expectFieldRefused(form, "cmdResultPedRoad", c.field, c.text, c.message);
    }
    // No obstruction and no pedestrians are values like any other.
    form.setText("txtTotViolationWidth_Road", "0");
    form.setText("txtPeakPedVolume_Road", "0");
    ASSERT_TRUE(form.press("cmdResultPedRoad").ok());
    EXPECT_NE(form.resultText().find("Vp = V15 / (15 * We) =    0 / ( 15 *  4.3) =   0인/분/m"), std::string::npos);
}

}  // namespace
