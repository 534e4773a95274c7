// Transit stops: the load on board along a route (the worked example, the
// level bounds of each bus type, the stop grid, refusals, the load profile) and
// the berth capacity of a bus stop (the worked example, the waiting-share
// bands, the times by bus type, standees and bay, the refusals). The CLI
// outputs of both are golden cases under tests/golden/transit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "analyses/transit/LoadProfile.h"
#include "analyses/transit/Transit.h"
#include "analyses/transit/TransitForm.h"
#include "report/NumberText.h"

using namespace verosa;
using namespace verosa::analyses::transit;
using form::Outcome;

namespace {

BusLoadInput load(BusType type, std::vector<int> alighting, std::vector<int> boarding) {
    BusLoadInput in;
    in.busType = type;
    for (int v : alighting) in.alighting.push_back(Int16::of(v));
    for (int v : boarding) in.boarding.push_back(Int16::of(v));
    return in;
}

TEST(BusLoad, EachBoundBelongsToTheBetterLevelForEachBusType) {
    struct Case {
        BusType type;
        std::vector<int> bounds;
    };
    for (const Case& c : {Case{BusType::Seat, {22, 34, 45, 57, 70}}, Case{BusType::City, {15, 31, 40, 50, 62}},
                          Case{BusType::Circle, {12, 24, 31, 38, 48}}}) {
        char level = 'A';
        for (int bound : c.bounds) {
            EXPECT_EQ(busLoadLevel(c.type, Int16::of(bound)), level) << busTypeName(c.type) << " " << bound;
            EXPECT_EQ(busLoadLevel(c.type, Int16::of(bound + 1)), level + 1) << busTypeName(c.type) << " " << bound;
            ++level;
        }
    }
}

TEST(BusLoad, RefusesLoadsThatCannotBe) {
    auto message = [](const BusLoadInput& in) { return test::expectFailure([&] { analyseBusLoad(in); }).message; };
    // The bus reaches stop 1 empty; the first stop where too many alight is named.
    EXPECT_EQ(message(load(BusType::City, {1}, {5})),
              "1번 정류장에서 내리는 승객(1인)이 도착할 때의 탑승인원(0인)보다 많습니다. 하차승객을 확인하십시오.");
    // Everyone on board may alight, and the load may reach 32767.
    const BusLoadResult r = analyseBusLoad(load(BusType::None, {0, 30000, 0}, {30000, 0, 32767}));
    EXPECT_EQ(r.onBoard[1].value(), 0);
    EXPECT_EQ(r.onBoard[2].value(), 32767);
    EXPECT_FALSE(r.los[2]);
}

class TransitFormTest : public ::testing::Test {
protected:
    TransitForm form{{nullptr, nullptr}};
    const form::GridData& grid() { return form.at("MSFBusCap").grid; }
    std::string row(int r) {
        std::string out;
        for (int c = 1; c < grid().cols; ++c) out += (c > 1 ? "|" : "") + grid().cells[size_t(r)][size_t(c)];
        return out;
    }
    Outcome analyseLoad() { return form.press("cmdResultPedRoad"); }
    Outcome analyseBerth() { return form.press("cmdResultWaitArea"); }
};

TEST_F(TransitFormTest, StopCountSizesTheGridAndRetypingItLosesNoStop) {
    form.setText("txtStopNo", "3");
    EXPECT_EQ(row(0), " 1| 2| 3");
    form.setCell("MSFBusCap", 1, 3, "4");
    // Retyping the count digit by digit ("", "1", "12") gives stop 3 back.
    for (const char* typed : {"", "1", "12"}) form.setText("txtStopNo", typed);
    ASSERT_EQ(grid().cols, 13);
    EXPECT_EQ(grid().cells[0][12], " 12");
    EXPECT_EQ(grid().cells[1][3], "4");
    // A count the grid cannot take is refused and leaves it.
    for (const char* bad : {"0", "201", "abc"}) {
        Outcome o = form.setText("txtStopNo", bad);
        EXPECT_EQ(o.status, Outcome::Status::Refused) << bad;
        EXPECT_EQ(o.focus, "txtStopNo");
        EXPECT_EQ(grid().cols, 13) << bad;
    }
}

TEST_F(TransitFormTest, AnExampleFillsInputsAndTheLoadAnalysisKeepsItsPage) {
    form.press("cmdEx2");
    EXPECT_EQ(row(3), "||||||||||||||");  // an example only fills inputs
    Outcome o = analyseLoad();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(form.currentPage(), TransitForm::kLoadPage);  // no report, the page stays
    // (The rows, as verosa-cli prints them, are the golden case busload-ex2.)
    EXPECT_EQ(grid().align[3][10], form::Align::Center);
    EXPECT_EQ(form.savedText(), form.renderingOf("cmdResultPedRoad"));
    // The example again: the cells it leaves empty keep what they hold.
    form.setCell("MSFBusCap", 1, 1, "7");
    form.press("cmdEx2");
    EXPECT_EQ(grid().cells[1][1], "7");
}

TEST_F(TransitFormTest, EmptyCellsCountZeroAndOnlyThisPagesBusTypeRates) {
    form.setText("txtStopNo", "3");
    form.setCell("MSFBusCap", 2, 1, "16");
    form.setCell("MSFBusCap", 2, 3, "2.5");  // half to even: 2
    form.setChecked("optSeatBus[2]", true);  // the berth page's choice
    ASSERT_TRUE(analyseLoad().ok());
    EXPECT_EQ(row(3), " 16| 16| 18");
    EXPECT_EQ(row(4), "||");
    form.setChecked("optCircleBus[0]", true);
    ASSERT_TRUE(analyseLoad().ok());
    EXPECT_EQ(row(4), "B|B|B");
    // Levels written before go when the bus type is taken away.
    form.setChecked("optCircleBus[0]", false);
    ASSERT_TRUE(analyseLoad().ok());
    EXPECT_EQ(row(4), "||");
}

TEST_F(TransitFormTest, RefusedLoadLeavesTheRowsAndFocusesTheGrid) {
    form.press("cmdEx2");
    ASSERT_TRUE(analyseLoad().ok());
    const std::string before = form.renderingOf("cmdResultPedRoad");
    for (const char* text : {"1OO", "40", "-1", "40000"}) {
        form.setCell("MSFBusCap", 1, 5, text);
        Outcome o = analyseLoad();
        EXPECT_EQ(o.status, Outcome::Status::Refused) << text;
        EXPECT_EQ(o.focus, "MSFBusCap");
        EXPECT_NE(o.message->text.find("5번 정류장"), std::string::npos) << o.message->text;
    }
    form.setCell("MSFBusCap", 1, 5, "4");
    EXPECT_EQ(form.renderingOf("cmdResultPedRoad"), before);
}

TEST_F(TransitFormTest, ProfileDrawsABarPerStopByLevelAndTheBounds) {
    EXPECT_EQ(form.at("picLoadProfile").drawing.shapes.size(), emptyLoadProfile().shapes.size());
    form.press("cmdEx2");
    ASSERT_TRUE(analyseLoad().ok());
    form::DrawingData d = form.at("picLoadProfile").drawing;
    ASSERT_NE(d.find("bar15"), nullptr);
    EXPECT_EQ(d.find("bar16"), nullptr);
    EXPECT_EQ(d.find("bar1")->fill, levelColour('A'));
    EXPECT_EQ(d.find("bar9")->fill, levelColour('E'));
    EXPECT_EQ(d.find("bar10")->fill, levelColour('F'));
    // Heights in proportion to the loads (5 at stop 1, 63 at stop 10), and the
    // city-bus bounds at theirs: the F bar rises above the E bound, the E bar not.
    const double base = d.find("axisX")->y1;
    auto height = [&](const char* name) { return base - d.find(name)->y1; };
    EXPECT_NEAR(height("bar10") / height("bar1"), 63.0 / 5, 1e-9);
    EXPECT_NEAR(height("boundE") / height("bar1"), 62.0 / 5, 1e-9);
    EXPECT_NEAR(height("boundA") / height("bar1"), 15.0 / 5, 1e-9);
    EXPECT_GT(height("bar10"), height("boundE"));
    EXPECT_LT(height("bar9"), height("boundE"));
    EXPECT_DOUBLE_EQ(height("bar15"), 0);
    for (const form::Shape& s : d.shapes)
        EXPECT_TRUE(s.x1 >= 0 && s.x2 <= d.width && s.y1 >= 0 && s.y2 <= d.height) << s.name << s.text;
    // Without a bus type: no bounds, bars in the neutral colour.
    form.setChecked("optCityBus[0]", false);
    ASSERT_TRUE(analyseLoad().ok());
    d = form.at("picLoadProfile").drawing;
    EXPECT_EQ(d.find("boundA"), nullptr);
    EXPECT_EQ(d.find("bar1")->fill, levelColour(std::nullopt));
}

// ---- berth capacity ----

BerthInput example4() {
    BerthInput in;
    in.busType = BusType::City;
    in.gC = 0.55f;
    in.boarding = Int16::of(10);
    in.cardShare = 70;
    in.exactFareShare = 20;
    in.changeShare = 10;
    in.alighting = Int16::of(5);
    in.standees = YesNo::Yes;
    in.busBay = YesNo::No;
    in.waitShare = 30;
    return in;
}

TEST(Berth, WorkedExampleGivesFactorDwellClearanceAndCapacity) {
    const BerthResult r = analyseBerth(example4());
    EXPECT_EQ(report::plain(r.berthFactor), "0.91");
    EXPECT_EQ(report::plain(r.td), "45.4");  // 10 × (4.2 × 0.7 + 4.0 × 0.2 + 5.0 × 0.1) + 3.0
    EXPECT_EQ(report::plain(r.tc), "16");
    EXPECT_EQ(r.B.value(), 44);  // 0.91 × 3600 × 0.55 / (0.55 × 45.4 + 16) = 43.98
}

TEST(Berth, FactorBandsIncludeTheirUpperBoundAndStopAboveFifty) {
    const double shares[] = {0, 1, 1.01, 2.5, 2.51, 5, 7.5, 7.51, 10, 15, 20, 25, 25.01, 30, 30.01, 50};
    const float factors[] = {0.682f, 0.682f, 0.718f, 0.718f, 0.752f, 0.752f, 0.776f, 0.81f,
                             0.81f,  0.84f,  0.87f,  0.89f,  0.91f,  0.91f,  0.95f,  0.95f};
    for (size_t i = 0; i < std::size(shares); ++i) EXPECT_EQ(berthFactorOf(shares[i]), factors[i]) << shares[i];
    const Error e = test::expectFailure([] { berthFactorOf(50.01); });
    EXPECT_EQ(e.message, "버스대기비율이 50%를 초과할 수 없습니다. ");
    EXPECT_EQ(e.focus, "txtWaitPer");
}

TEST(Berth, TimesFollowStandeesBusTypeAndBay) {
    // One card passenger, g/C 1: td = card time + door time.
    BerthInput in = example4();
    in.gC = 1;
    in.boarding = Int16::of(1);
    in.cardShare = 100;
    in.exactFareShare = in.changeShare = 0;
    struct Case {
        BusType type;
        YesNo standees, bay;
        float td, tc;
    };
    for (const Case& c : {Case{BusType::City, YesNo::No, YesNo::No, 3.2f + 3.0f, 16.0f},
                          Case{BusType::Circle, YesNo::Yes, YesNo::Yes, 4.2f + 3.0f, 16.5f},
                          Case{BusType::Seat, YesNo::No, YesNo::No, 3.2f + 3.2f, 15.0f},
                          Case{BusType::Seat, YesNo::Yes, YesNo::Yes, 4.2f + 3.2f, 16.0f}}) {
        in.busType = c.type;
        in.standees = c.standees;
        in.busBay = c.bay;
        const BerthResult r = analyseBerth(in);
        EXPECT_EQ(r.td, c.td) << busTypeName(c.type);
        EXPECT_EQ(r.tc, c.tc) << busTypeName(c.type);
    }
    in.cardShare = 0;
    in.changeShare = 100;
    EXPECT_EQ(analyseBerth(in).td, 5.0f + 3.2f);
}

TEST(Berth, RefusesWhatItCannotComputeWith) {
    using Change = void (*)(BerthInput&);
    auto focusOf = [](Change change) {
        BerthInput in = example4();
        change(in);
        return test::expectFailure([&] { analyseBerth(in); }).focus;
    };
    EXPECT_EQ(focusOf([](BerthInput& in) { in.gC = 1.01f; }), "txtGbyC");
    EXPECT_EQ(focusOf([](BerthInput& in) { in.boarding = Int16::of(-1); }), "txtInPed");
    EXPECT_EQ(focusOf([](BerthInput& in) { in.cardShare = -10, in.exactFareShare = 100; }), "txtBusCardPer");
    EXPECT_EQ(focusOf([](BerthInput& in) { in.changeShare = 9.98f; }), "txtBusCardPer");   // 99.98
    EXPECT_EQ(focusOf([](BerthInput& in) { in.changeShare = 10.02f; }), "txtBusCardPer");  // 100.02
    EXPECT_EQ(focusOf([](BerthInput& in) { in.busBay = YesNo::None; }), "cboBusBay");
    // Within 0.01 of 100 the shares stand.
    for (float change : {9.99f, 10.01f}) {
        BerthInput in = example4();
        in.changeShare = change;
        EXPECT_FALSE(test::failureOf([&] { analyseBerth(in); })) << change;
    }
}

TEST_F(TransitFormTest, WaitingShareFiftyIsTheLastAccepted) {
    form.press("Command1");
    form.setText("txtWaitPer", "50");
    ASSERT_TRUE(analyseBerth().ok());
    EXPECT_EQ(form.currentPage(), TransitForm::kResultPage);
    const std::string report = form.resultText();
    EXPECT_NE(report.find("▷ 정차면 이용 보정계수 = 0.95 "), std::string::npos);
    // Saved from the result page: the report shown there, not the stop grid.
    EXPECT_EQ(form.savedText(), report);

    form.showPage(TransitForm::kBerthPage);
    form.setText("txtWaitPer", "50.01");
    Outcome o = analyseBerth();
    EXPECT_EQ(o.status, Outcome::Status::Refused);
    EXPECT_EQ(o.focus, "txtWaitPer");
    EXPECT_EQ(form.resultText(), report);
    EXPECT_EQ(form.currentPage(), TransitForm::kBerthPage);
}

TEST_F(TransitFormTest, BerthFieldsAreReadStrictlyAndAnEmptyShareIsNone) {
    form.press("Command1");
    form.setText("txtOutPed", "5명");
    EXPECT_EQ(analyseBerth().message->text, "하차 승객수는 숫자로 입력하십시오. (입력된 값: \"5명\")");
    form.setText("txtOutPed", "5");
    form.setText("txtGbyC", "");
    EXPECT_EQ(analyseBerth().message->text, "g/C 비를 입력하십시오.");
    form.setText("txtGbyC", "0.55");
    form.setText("txtChangePer", "");
    EXPECT_EQ(analyseBerth().focus, "txtBusCardPer");  // 90 %
    form.setText("txtBusCardPer", "80");
    ASSERT_TRUE(analyseBerth().ok());
    EXPECT_NE(form.resultText().find("- 거스름 있음   : 0% "), std::string::npos);
}

}  // namespace
