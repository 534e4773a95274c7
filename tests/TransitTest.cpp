// Transit stops: the load on board along a route (its worked example, the
// level bounds of each bus type, the stop grid and its refusals, the load
// profile) and the berth capacity of a bus stop (its worked example, the
// waiting-share bands, the refusals and the report).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "analyses/transit/LoadProfile.h"
#include "analyses/transit/Transit.h"
#include "analyses/transit/TransitForm.h"
#include "form/Form.h"
#include "report/BoxReport.h"
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

std::vector<int> loads(const BusLoadResult& r) {
    std::vector<int> out;
    for (Int16 v : r.onBoard) out.push_back(v.value());
    return out;
}

std::string levels(const BusLoadResult& r) {
    std::string out;
    for (auto l : r.los) out += l ? *l : '-';
    return out;
}

// ---- in-vehicle load: the pure computation ----

TEST(BusLoad, WorkedExampleGivesTheLoadsAndCityBusLevels) {
    const BusLoadResult r = analyseBusLoad(load(BusType::City, {0, 0, 1, 5, 4, 3, 7, 1, 5, 4, 18, 15, 14, 9, 11},
                                                {5, 6, 10, 7, 9, 7, 14, 10, 9, 16, 3, 0, 1, 0, 0}));
    EXPECT_EQ(loads(r), (std::vector<int>{5, 11, 20, 22, 27, 31, 38, 47, 51, 63, 48, 33, 20, 11, 0}));
    EXPECT_EQ(levels(r), "AABBBBCDEFDCBAA");
}

TEST(BusLoad, EachBoundBelongsToTheBetterLevelForEachBusType) {
    struct Case {
        BusType type;
        std::vector<int> bounds;
    };
    for (const Case& c : {Case{BusType::Seat, {22, 34, 45, 57, 70}}, Case{BusType::City, {15, 31, 40, 50, 62}},
                          Case{BusType::Circle, {12, 24, 31, 38, 48}}}) {
        EXPECT_EQ(busLoadBounds(c.type), c.bounds);
        char level = 'A';
        for (int bound : c.bounds) {
            EXPECT_EQ(busLoadLevel(c.type, Int16::of(bound)), level) << busTypeName(c.type) << " " << bound;
            EXPECT_EQ(busLoadLevel(c.type, Int16::of(bound + 1)), level + 1) << busTypeName(c.type) << " " << bound + 1;
            ++level;
        }
        EXPECT_EQ(busLoadLevel(c.type, Int16::of(0)), 'A');
        EXPECT_EQ(busLoadLevel(c.type, Int16::of(32767)), 'F');
        // Through the computation: a load of exactly the C bound, then one more.
        const int cBound = c.bounds[2];
        EXPECT_EQ(levels(analyseBusLoad(load(c.type, {0, 0}, {cBound, 1}))), "CD") << busTypeName(c.type);
    }
}

TEST(BusLoad, WithoutABusTypeOnlyTheLoadsAreGiven) {
    const BusLoadResult r = analyseBusLoad(load(BusType::None, {0, 2}, {70, 0}));
    EXPECT_EQ(loads(r), (std::vector<int>{70, 68}));
    EXPECT_EQ(levels(r), "--");
}

TEST(BusLoad, RefusesLoadsThatCannotBe) {
    auto message = [](const BusLoadInput& in) { return test::expectFailure([&] { analyseBusLoad(in); }).message; };
    // More alight than are on board when the bus arrives: the first such stop is named.
    EXPECT_EQ(message(load(BusType::City, {0, 3, 9}, {2, 0, 0})),
              "2번 정류장에서 내리는 승객(3인)이 도착할 때의 탑승인원(2인)보다 많습니다. 하차승객을 확인하십시오.");
    EXPECT_EQ(message(load(BusType::City, {1}, {5})),
              "1번 정류장에서 내리는 승객(1인)이 도착할 때의 탑승인원(0인)보다 많습니다. 하차승객을 확인하십시오.");
    EXPECT_EQ(message(load(BusType::City, {0, -1}, {5, 0})), "2번 정류장의 하차승객은 0 이상이어야 합니다.");
    EXPECT_EQ(message(load(BusType::City, {0, 0}, {5, -2})), "2번 정류장의 승차승객은 0 이상이어야 합니다.");
    EXPECT_EQ(message(load(BusType::City, {0, 0, 0}, {30000, 2767, 1})),
              "3번 정류장의 탑승인원이 너무 큽니다. 32767 이하여야 합니다.");
    EXPECT_EQ(message(load(BusType::City, {}, {})), "정류장 갯수는 1 이상 200 이하여야 합니다.");
    EXPECT_EQ(test::expectFailure([&] {
                  analyseBusLoad(load(BusType::City, {0, 3, 9}, {2, 0, 0}));
              }).focus,
              "MSFBusCap");
    // Exactly as many as are on board may alight, and the load may reach 32767.
    EXPECT_EQ(loads(analyseBusLoad(load(BusType::City, {0, 30000}, {30000, 0}))), (std::vector<int>{30000, 0}));
    EXPECT_EQ(loads(analyseBusLoad(load(BusType::City, {0, 0}, {30000, 2767}))), (std::vector<int>{30000, 32767}));
}

// ---- in-vehicle load: the window ----

class TransitFormTest : public ::testing::Test {
protected:
    TransitForm form{{nullptr, nullptr}};
    const form::GridData& grid() { return form.at("MSFBusCap").grid; }
    std::string cellText(int r, int c) { return grid().cells[static_cast<size_t>(r)][static_cast<size_t>(c)]; }
    std::string row(int r) {
        std::string out;
        for (int c = 1; c < grid().cols; ++c) out += (c > 1 ? "|" : "") + cellText(r, c);
        return out;
    }
    Outcome analyseLoad() { return form.press("cmdResultPedRoad"); }
    Outcome analyseBerth() { return form.press("cmdResultWaitArea"); }
};

TEST_F(TransitFormTest, OpensOnTheLoadPageWithEmptyInputs) {
    EXPECT_EQ(form.windowName(), "frmTransit");
    EXPECT_EQ(form.title(), "대중교통시설 분석");
    ASSERT_EQ(form.pages().size(), 5u);
    const char* const pages[] = {"차내용량", "운행시격 및 운행시간", "정차면", "정류장 용량", "결과화면"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(form.pages()[i].caption, pages[i]);
    EXPECT_EQ(form.currentPage(), TransitForm::kLoadPage);
    // Each input page has its own bus-type choice, none chosen.
    for (int page = 0; page < 4; ++page)
        for (const char* option : {"optCityBus", "optSeatBus", "optCircleBus"}) {
            const form::Control& c = form.at(form::element(option, page));
            EXPECT_EQ(c.page, page);
            EXPECT_FALSE(c.checked);
        }
    EXPECT_EQ(form.at("cboStand").index, -1);
    EXPECT_EQ(form.at("txtWaitPer").text, "");
    // The row titles, 1260 twips wide; rows 1 and 2 are typed in.
    EXPECT_EQ(grid().rows, 5);
    EXPECT_EQ(grid().cols, 1);
    EXPECT_EQ(cellText(0, 0), "정류장번호");
    EXPECT_EQ(cellText(4, 0), "LOS");
    EXPECT_EQ(grid().columnWidthTwips[0], 1260);
    EXPECT_TRUE(grid().editable);
    EXPECT_EQ(grid().editableRowLimit, 3);
    // The pages without an analysis say so instead of doing nothing.
    EXPECT_FALSE(form.at("cmdResultHeadway").enabled);
    EXPECT_FALSE(form.at("cmdResultStopCapacity").toolTip.empty());
}

TEST_F(TransitFormTest, StopCountSizesTheGridAndKeepsTypedStopsWhenRetyped) {
    form.setText("txtStopNo", "3");
    ASSERT_EQ(grid().cols, 4);
    EXPECT_EQ(row(0), " 1| 2| 3");
    EXPECT_EQ(grid().align[0][3], form::Align::Center);
    EXPECT_EQ(grid().columnWidthTwips[3], 540);
    form.setCell("MSFBusCap", 1, 3, "4");
    form.setCell("MSFBusCap", 2, 3, "9");
    // Retyping the count digit by digit ("1", then "12") must not lose stop 3.
    form.setText("txtStopNo", "");
    EXPECT_EQ(grid().cols, 4);
    form.setText("txtStopNo", "1");
    EXPECT_EQ(grid().cols, 2);
    form.setText("txtStopNo", "12");
    ASSERT_EQ(grid().cols, 13);
    EXPECT_EQ(cellText(0, 12), " 12");
    EXPECT_EQ(cellText(1, 3), "4");
    EXPECT_EQ(cellText(2, 3), "9");
    EXPECT_EQ(cellText(1, 12), "");
    // A count the grid cannot take is refused and leaves the grid.
    for (const char* bad : {"0", "201", "abc"}) {
        Outcome o = form.setText("txtStopNo", bad);
        EXPECT_EQ(o.status, Outcome::Status::Refused) << bad;
        EXPECT_EQ(o.focus, "txtStopNo");
        EXPECT_EQ(grid().cols, 13) << bad;
    }
    EXPECT_EQ(form.setText("txtStopNo", "201").message->text, "정류장 갯수는 1 이상 200 이하여야 합니다.");
    form.setText("txtStopNo", "200");
    EXPECT_EQ(grid().cols, 201);
}

TEST_F(TransitFormTest, WorkedExampleWritesRowsThreeAndFour) {
    form.press("cmdEx2");
    EXPECT_EQ(form.at("txtStopNo").text, "15");
    EXPECT_TRUE(form.at("optCityBus[0]").checked);
    EXPECT_EQ(row(1), "||1|5|4|3|7|1|5|4|18|15|14|9|11");
    EXPECT_EQ(row(2), "5|6|10|7|9|7|14|10|9|16|3||1||");
    EXPECT_EQ(row(3), "||||||||||||||");  // an example only fills inputs
    Outcome o = analyseLoad();
    ASSERT_TRUE(o.ok());
    EXPECT_FALSE(o.reportWritten);
    EXPECT_EQ(form.currentPage(), TransitForm::kLoadPage);  // stays on its page
    EXPECT_EQ(row(3), " 5| 11| 20| 22| 27| 31| 38| 47| 51| 63| 48| 33| 20| 11| 0");
    EXPECT_EQ(row(4), "A|A|B|B|B|B|C|D|E|F|D|C|B|A|A");
    EXPECT_EQ(grid().align[3][10], form::Align::Center);
    EXPECT_EQ(grid().align[4][10], form::Align::Center);

    // Rendered (and saved from this page) as the grid's rows, TAB-separated.
    const std::string rendering = form.renderingOf("cmdResultPedRoad");
    const auto lines = test::linesOf(rendering);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "정류장번호\t 1\t 2\t 3\t 4\t 5\t 6\t 7\t 8\t 9\t 10\t 11\t 12\t 13\t 14\t 15");
    EXPECT_EQ(lines[1], "하차승객(인)\t\t\t1\t5\t4\t3\t7\t1\t5\t4\t18\t15\t14\t9\t11");
    EXPECT_EQ(lines[4], "LOS\tA\tA\tB\tB\tB\tB\tC\tD\tE\tF\tD\tC\tB\tA\tA");
    EXPECT_EQ(form.savedText(), rendering);

    // The example again over typed cells: the cells it leaves empty keep theirs.
    form.setCell("MSFBusCap", 1, 1, "7");
    form.press("cmdEx2");
    EXPECT_EQ(cellText(1, 1), "7");
}

TEST_F(TransitFormTest, EmptyAndRoundedCellsAndTheBusTypeOfThePage) {
    form.setText("txtStopNo", "3");
    form.setCell("MSFBusCap", 2, 1, " 16 ");
    form.setCell("MSFBusCap", 2, 3, "2.5");  // half to even: 2
    // Stop 2 is left empty: nobody alights or boards.
    ASSERT_TRUE(analyseLoad().ok());
    EXPECT_EQ(row(3), " 16| 16| 18");
    EXPECT_EQ(row(4), "||");  // no bus type: no levels
    // The bus type of another page does not count here.
    form.setChecked("optSeatBus[2]", true);
    ASSERT_TRUE(analyseLoad().ok());
    EXPECT_EQ(row(4), "||");
    form.setChecked("optCircleBus[0]", true);
    ASSERT_TRUE(analyseLoad().ok());
    EXPECT_EQ(row(4), "B|B|B");
    form.setChecked("optSeatBus[0]", true);
    ASSERT_TRUE(analyseLoad().ok());
    EXPECT_EQ(row(4), "A|A|A");
    // Levels written before are cleared when the bus type is taken away.
    form.setChecked("optSeatBus[0]", false);
    ASSERT_TRUE(analyseLoad().ok());
    EXPECT_EQ(row(4), "||");
}

TEST_F(TransitFormTest, RefusedLoadKeepsTheRowsAndNamesTheCell) {
    form.press("cmdEx2");
    ASSERT_TRUE(analyseLoad().ok());
    const std::string before = form.renderingOf("cmdResultPedRoad");
    struct Case {
        int row, col;
        const char* text;
        const char* message;
    } cases[] = {
        {1, 5, "40",
         "5번 정류장에서 내리는 승객(40인)이 도착할 때의 탑승인원(22인)보다 많습니다. 하차승객을 확인하십시오."},
        {1, 2, "1OO", "2번 정류장의 하차승객은 숫자로 입력하십시오."},
        {2, 4, "-3", "4번 정류장의 승차승객은 0 이상이어야 합니다."},
        {2, 4, "40000", "4번 정류장의 승차승객이 너무 큽니다. 32767 이하여야 합니다."},
        {2, 4, "32767", "4번 정류장의 탑승인원이 너무 큽니다. 32767 이하여야 합니다."},
    };
    for (const Case& c : cases) {
        const std::string old = cellText(c.row, c.col);
        form.setCell("MSFBusCap", c.row, c.col, c.text);
        Outcome o = analyseLoad();
        EXPECT_EQ(o.status, Outcome::Status::Refused) << c.text;
        ASSERT_TRUE(o.message) << c.text;
        EXPECT_EQ(o.message->title, "입력오류");
        EXPECT_EQ(o.message->text, c.message);
        EXPECT_EQ(o.focus, "MSFBusCap");
        form.setCell("MSFBusCap", c.row, c.col, old);
        EXPECT_EQ(form.renderingOf("cmdResultPedRoad"), before) << c.text;
    }
    form.setText("txtStopNo", "");
    Outcome o = analyseLoad();
    EXPECT_EQ(o.status, Outcome::Status::Refused);
    EXPECT_EQ(o.message->text, "정류장 갯수를 입력하십시오.");
    EXPECT_EQ(o.focus, "txtStopNo");
}

TEST_F(TransitFormTest, ProfileShowsABarPerStopAndTheBusTypesBounds) {
    form::DrawingData d = form.at("picLoadProfile").drawing;
    EXPECT_EQ(d.width, kProfileWidth);
    EXPECT_EQ(d.find("bar1"), nullptr);
    EXPECT_NE(d.find("axisX"), nullptr);

    form.press("cmdEx2");
    ASSERT_TRUE(analyseLoad().ok());
    d = form.at("picLoadProfile").drawing;
    for (int stop = 1; stop <= 15; ++stop) ASSERT_NE(d.find("bar" + std::to_string(stop)), nullptr) << stop;
    EXPECT_EQ(d.find("bar16"), nullptr);
    // Coloured by level: stop 1 is A, stop 10 is F, stop 9 is E.
    EXPECT_EQ(d.find("bar1")->fill, levelColour('A'));
    EXPECT_EQ(d.find("bar10")->fill, levelColour('F'));
    EXPECT_EQ(d.find("bar9")->fill, levelColour('E'));
    EXPECT_NE(levelColour('A'), levelColour('F'));
    // Heights in proportion to the loads: 63 at stop 10, none at stop 15.
    const form::Shape& axis = *d.find("axisX");
    const double h10 = axis.y1 - d.find("bar10")->y1;
    const double h1 = axis.y1 - d.find("bar1")->y1;
    EXPECT_NEAR(h10 / h1, 63.0 / 5.0, 1e-9);
    EXPECT_DOUBLE_EQ(d.find("bar15")->y1, axis.y1);
    // The city bus bounds, each at its height; the E bound lies just under the F bar.
    for (const char* bound : {"boundA", "boundB", "boundC", "boundD", "boundE"}) ASSERT_NE(d.find(bound), nullptr);
    EXPECT_NEAR((axis.y1 - d.find("boundE")->y1) / h1, 62.0 / 5.0, 1e-9);
    EXPECT_NEAR((axis.y1 - d.find("boundA")->y1) / h1, 15.0 / 5.0, 1e-9);
    EXPECT_LT(d.find("bar10")->y1, d.find("boundE")->y1);
    EXPECT_GT(d.find("bar9")->y1, d.find("boundE")->y1);
    // Everything lies within the drawing.
    for (const form::Shape& s : d.shapes) {
        const bool text = s.kind == form::Shape::Kind::Text;
        for (double x : {s.x1, text ? s.x1 : s.x2}) EXPECT_TRUE(x >= 0 && x <= d.width) << s.name << s.text;
        for (double y : {s.y1, text ? s.y1 : s.y2}) EXPECT_TRUE(y >= 0 && y <= d.height) << s.name << s.text;
    }

    // Without a bus type: bars in the neutral colour, no bounds.
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
    // td = 10 × (4.2 × 0.7 + 4.0 × 0.2 + 5.0 × 0.1) + 3.0 in single precision.
    EXPECT_EQ(report::plain(r.td), "45.4");
    EXPECT_EQ(r.td, 10 * (4.2f * (70 / 100.0f) + 4.0f * (20 / 100.0f) + 5.0f * (10 / 100.0f)) + 3.0f);
    EXPECT_EQ(report::plain(r.tc), "16");
    EXPECT_EQ(r.B.value(), 44);  // 0.91 × 3600 × 0.55 / (0.55 × 45.4 + 16) = 43.98
}

TEST(Berth, FactorBandsIncludeTheirUpperBound) {
    struct Case {
        double waitShare;
        float factor;
    };
    for (Case c : {Case{0, 0.682f},
                   {1, 0.682f},
                   {1.01, 0.718f},
                   {2.5, 0.718f},
                   {2.51, 0.752f},
                   {5, 0.752f},
                   {7.5, 0.776f},
                   {7.51, 0.81f},
                   {10, 0.81f},
                   {15, 0.84f},
                   {20, 0.87f},
                   {25, 0.89f},
                   {25.01, 0.91f},
                   {30, 0.91f},
                   {30.01, 0.95f},
                   {50, 0.95f}})
        EXPECT_EQ(berthFactorOf(c.waitShare), c.factor) << c.waitShare;
    const Error e = test::expectFailure([] { berthFactorOf(50.01); });
    EXPECT_EQ(e.kind, ErrorKind::InputError);
    EXPECT_EQ(e.message, "버스대기비율이 50%를 초과할 수 없습니다. ");
    EXPECT_EQ(e.focus, "txtWaitPer");
}

TEST(Berth, TimesFollowStandeesBusTypeAndBay) {
    // One card passenger on a green-only approach: td = card time + door time.
    BerthInput in = example4();
    in.gC = 1;
    in.boarding = Int16::of(1);
    in.cardShare = 100;
    in.exactFareShare = 0;
    in.changeShare = 0;
    struct Case {
        BusType type;
        YesNo standees, bay;
        float td, tc;
    };
    for (const Case& c : {Case{BusType::City, YesNo::No, YesNo::No, 3.2f + 3.0f, 16.0f},
                          Case{BusType::City, YesNo::Yes, YesNo::Yes, 4.2f + 3.0f, 16.5f},
                          Case{BusType::Seat, YesNo::No, YesNo::No, 3.2f + 3.2f, 15.0f},
                          Case{BusType::Seat, YesNo::Yes, YesNo::Yes, 4.2f + 3.2f, 16.0f},
                          Case{BusType::Circle, YesNo::No, YesNo::No, 3.2f + 3.0f, 16.0f},
                          Case{BusType::Circle, YesNo::No, YesNo::Yes, 3.2f + 3.0f, 16.5f}}) {
        in.busType = c.type;
        in.standees = c.standees;
        in.busBay = c.bay;
        const BerthResult r = analyseBerth(in);
        EXPECT_EQ(r.td, c.td) << busTypeName(c.type);
        EXPECT_EQ(r.tc, c.tc) << busTypeName(c.type);
        // B = 0.91 × 3600 / (td + tc), halves to even.
        EXPECT_EQ(r.B, int16(0.91f * 3600 * 1.0f / (1.0f * c.td + c.tc))) << busTypeName(c.type);
    }
    // Exact fare and change times without standees.
    in.busType = BusType::City;
    in.standees = YesNo::No;
    in.cardShare = 0;
    in.exactFareShare = 100;
    EXPECT_EQ(analyseBerth(in).td, 3.0f + 3.0f);
    in.exactFareShare = 0;
    in.changeShare = 100;
    EXPECT_EQ(analyseBerth(in).td, 5.0f + 3.0f);
}

TEST(Berth, RefusesWhatItCannotComputeWith) {
    auto refusal = [](auto change) {
        BerthInput in = example4();
        change(in);
        return test::expectFailure([&] { analyseBerth(in); });
    };
    // The waiting share is tested first, whatever else is wrong.
    Error e = refusal([](BerthInput& in) {
        in.waitShare = 51;
        in.gC = 0;
        in.busType = BusType::None;
    });
    EXPECT_EQ(e.message, "버스대기비율이 50%를 초과할 수 없습니다. ");
    struct Case {
        void (*change)(BerthInput&);
        const char* focus;
    } cases[] = {
        {[](BerthInput& in) { in.waitShare = -1; }, "txtWaitPer"},
        {[](BerthInput& in) { in.gC = 0; }, "txtGbyC"},
        {[](BerthInput& in) { in.gC = -0.5f; }, "txtGbyC"},
        {[](BerthInput& in) { in.gC = 1.01f; }, "txtGbyC"},
        {[](BerthInput& in) { in.boarding = Int16::of(-1); }, "txtInPed"},
        {[](BerthInput& in) { in.alighting = Int16::of(-1); }, "txtOutPed"},
        {[](BerthInput& in) { in.cardShare = -10, in.exactFareShare = 100, in.changeShare = 10; }, "txtBusCardPer"},
        {[](BerthInput& in) { in.changeShare = 10.02f; }, "txtBusCardPer"},  // 100.02
        {[](BerthInput& in) { in.changeShare = 9.98f; }, "txtBusCardPer"},   // 99.98
        {[](BerthInput& in) { in.standees = YesNo::None; }, "cboStand"},
        {[](BerthInput& in) { in.busBay = YesNo::None; }, "cboBusBay"},
        {[](BerthInput& in) { in.busType = BusType::None; }, "optCityBus[2]"},
    };
    for (const Case& c : cases) {
        e = refusal(c.change);
        EXPECT_EQ(e.kind, ErrorKind::InputError);
        EXPECT_FALSE(e.message.empty());
        EXPECT_EQ(e.focus, c.focus) << e.message;
    }
    EXPECT_EQ(refusal([](BerthInput& in) { in.changeShare = 9.5f; }).message,
              "승차승객 분포(버스카드 승객, 거스름 없음, 거스름 있음)의 합은 100%여야 합니다. (입력된 합: 99.5%)");
    // Within 0.01 of 100 the shares are taken as they are; g/C 1 is uninterrupted flow.
    for (float change : {9.99f, 10.01f}) {
        BerthInput in = example4();
        in.changeShare = change;
        EXPECT_FALSE(test::failureOf([&] { analyseBerth(in); })) << change;
    }
    BerthInput uninterrupted = example4();
    uninterrupted.gC = 1;
    EXPECT_FALSE(test::failureOf([&] { analyseBerth(uninterrupted); }));
}

TEST_F(TransitFormTest, BerthExampleReportsItsResults) {
    form.press("Command1");
    EXPECT_TRUE(form.at("optCityBus[2]").checked);
    EXPECT_FALSE(form.at("optCityBus[0]").checked);  // the load page's choice is its own
    EXPECT_EQ(form.at("cboStand").index, 1);
    EXPECT_EQ(form.at("cboBusBay").index, 0);
    EXPECT_TRUE(form.resultText().empty());
    Outcome o = analyseBerth();
    ASSERT_TRUE(o.ok());
    EXPECT_TRUE(o.reportWritten);
    EXPECT_EQ(form.currentPage(), TransitForm::kResultPage);
    const auto lines = test::linesOf(form.resultText());
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines[1], "   │                 대중교통시설의 정차면 용량 분석                │");
    EXPECT_EQ(lines[10], "   │ 2. 입력조건                                                    │");
    EXPECT_EQ(lines[28], "   │   ▷ 정차면 이용 보정계수 = 0.91                               │");
    EXPECT_EQ(lines[30], "   │   ▷ 정차시간 td = 45.4초                                      │");
    EXPECT_EQ(lines[32], "   │   ▷ 정차면 소거시간 tc = 16초                                 │");
    EXPECT_EQ(lines[34], "   │   ▷ 정차면 용량 B = 44대/시                                   │");
    for (size_t i = 1; i + 1 < lines.size(); ++i) EXPECT_EQ(report::columns(lines[i]), 3 + 2 + 64 + 2) << lines[i];
    EXPECT_EQ(form.renderingOf("cmdResultWaitArea"), form.resultText());
    // Saved from the result page: the report shown there, not the stop grid.
    EXPECT_EQ(form.savedText(), form.resultText());
    form.showPage(TransitForm::kLoadPage);
    EXPECT_EQ(form.savedText(), form.renderingOf("cmdResultPedRoad"));
}

TEST_F(TransitFormTest, WaitingShareFiftyIsTheLastAccepted) {
    form.press("Command1");
    form.setText("txtWaitPer", "50");
    ASSERT_TRUE(analyseBerth().ok());
    const std::string report = form.resultText();
    EXPECT_NE(report.find("▷ 정차면 이용 보정계수 = 0.95 "), std::string::npos);
    EXPECT_NE(report.find("▷ 버스대기율 : 50% "), std::string::npos);

    form.showPage(TransitForm::kBerthPage);
    form.setText("txtWaitPer", "50.01");
    form.setText("txtGbyC", "abc");  // not even read
    Outcome o = analyseBerth();
    EXPECT_EQ(o.status, Outcome::Status::Refused);
    ASSERT_TRUE(o.message);
    EXPECT_EQ(o.message->title, "입력오류");
    EXPECT_EQ(o.message->icon, form::MessageIcon::Error);
    EXPECT_EQ(o.message->text, "버스대기비율이 50%를 초과할 수 없습니다. ");
    EXPECT_EQ(o.focus, "txtWaitPer");
    EXPECT_FALSE(o.reportWritten);
    EXPECT_EQ(form.resultText(), report);
    EXPECT_EQ(form.currentPage(), TransitForm::kBerthPage);
}

TEST_F(TransitFormTest, BerthFieldsAreReadStrictly) {
    form.press("Command1");
    struct Case {
        const char* field;
        const char* text;
        const char* message;
    } cases[] = {
        {"txtGbyC", "0", "g/C 비는 0보다 크고 1 이하여야 합니다."},
        {"txtGbyC", "1.2", "g/C 비는 0보다 크고 1 이하여야 합니다."},
        {"txtGbyC", "", "g/C 비를 입력하십시오."},
        {"txtInPed", "-1", "승차 승객수는 0 이상이어야 합니다."},
        {"txtInPed", "40000", "승차 승객수가 너무 큽니다. 32767 이하여야 합니다."},
        {"txtOutPed", "5명", "하차 승객수는 숫자로 입력하십시오. (입력된 값: \"5명\")"},
        {"txtBusCardPer", "101", "버스카드 승객 비율은 0 이상 100 이하여야 합니다."},
        {"txtWaitPer", "-5", "버스대기율은 0 이상이어야 합니다."},
    };
    for (const Case& c : cases) {
        const std::string old = form.at(c.field).text;
        form.setText(c.field, c.text);
        Outcome o = analyseBerth();
        EXPECT_EQ(o.status, Outcome::Status::Refused) << c.field << " " << c.text;
        ASSERT_TRUE(o.message);
        EXPECT_EQ(o.message->text, c.message);
        EXPECT_EQ(o.focus, c.field);
        form.setText(c.field, old);
    }
    // An empty fare share is none of the passengers, so long as the rest make 100.
    form.setText("txtChangePer", "");
    EXPECT_EQ(analyseBerth().focus, "txtBusCardPer");
    form.setText("txtBusCardPer", "80");
    ASSERT_TRUE(analyseBerth().ok());
    EXPECT_NE(form.resultText().find("- 거스름 있음   : 0% "), std::string::npos);
    // No choice of standees.
    form.setIndex("cboStand", -1);
    EXPECT_EQ(analyseBerth().message->text, "입석승객 유무를 선택하십시오.");
}

}  // namespace
