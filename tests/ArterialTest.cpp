// Urban arterials: cases worked out by hand from the shipped tables, the
// bounds of every step, the two-decimal cut, the refusals, the window with its
// result window, and the print layout a form may give an analysis.
//
// Shipped values used below:
//   2-4-5 row 3 (0.3 km): 68 57 75 61 82 65 92 71; row 4: 64 55 69 58 75 62 83 66;
//         row 7 (0.7 km) column 7: 72; row 10 (1.0 km) column 2: 49.
//   2-4-8a: 1.54 1.08 .85 .62 .4 / 1.25 .98 .85 .71 .5 / 1.16 .94 .85 .78 .61.
//   2-4-8b row 10 (45 %): 1.12 1.12 1.11 1.1 1.09 | 1.08 1.08 1.08 1.07 1.07 | 1.06 1.06 1.06 1.05 1.05.
//   2-4-9 k = 1: 68 52 38 29 22; k = 4: 55 43 31 23 15.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TestSupport.h"
#include "analyses/arterial/Urban.h"
#include "analyses/arterial/UrbanForm.h"
#include "form/Form.h"
#include "report/BoxReport.h"
#include "tables/LookupTable.h"

using namespace verosa;
using namespace verosa::analyses::arterial;
using form::Outcome;

namespace {

const UrbanTables& shipped() {
    static const UrbanTables t = openUrbanTables(tables::LookupTableStore());
    return t;
}

UrbanSegment segment(int length, int side, float g, float X) { return {length, (length + 1) / 10.0, side, g, X}; }

// Outside the centre, four or more lanes (k = 1), two lanes at the signal
// (c = 1600), a 120 s cycle, actuated signals of arrival type 3.
UrbanInput actuatedTwo() {
    UrbanInput in;
    in.segments = 2;
    in.area = 0;
    in.condition = 0;
    in.lanes = 1;
    in.C = Int16::of(120);
    in.actuated = true;
    in.arrivalType = 2;
    in.segment = {segment(2, 0, 0.5f, 0.5f), segment(9, 1, 0.4f, 0.9f)};
    return in;
}

TEST(Arterial, TwoActuatedSegmentsWorkedByHand) {
    // k = 1, FFS 82; C = 120 gives da = 1.25 dp; PF = .85 in every row of arrival type 3.
    // Segment 1, "0.3", high friction: running time 68 x 3 / 10 = 20.4.
    //   d1 = .38 x 120 x .5² / (1 - .25) = 15.2; d2 = 173 (-.5 + (.25 + 4.5 / 1600)^.5) = .4852;
    //   d = 15.6852; dp = .85 d = 13.3324 (B); da = 16.6655; T = 37.0655;
    //   speed = .3 x 3600 / 37.0655 = 29.1376: at least 29, level D.
    // Segment 2, "1.0이상", low friction: running time 49 x 10 / 10 = 49.
    //   d1 = .38 x 120 x .36 / .64 = 25.65; d2 = 173 (-.1 + (.01 + 8.1 / 1600)^.5) = 3.9322;
    //   d = 29.5822; dp = 25.1449 (D); da = 31.4311; T = 80.4311; speed = 3600 / 80.4311 = 44.759 (C).
    // Arterial: 1.3 x 3600 / 117.4966 = 39.831, at least 38: C.
    const UrbanTexts t = resultTexts(analyseUrban(actuatedTwo(), shipped()));
    ASSERT_EQ(t.segment.size(), 2u);
    const SegmentTexts& a = t.segment[0];
    EXPECT_EQ(a.cruseTime + a.delay + a.PF + a.intDelay + a.intLos, " 20.4 15.68 .85 13.33B");
    EXPECT_EQ(a.totalDelay + a.totalTime + a.travelSpeed + a.termLos, " 16.66 37.06 29.13D");
    const SegmentTexts& b = t.segment[1];
    EXPECT_EQ(b.cruseTime + b.delay + b.PF + b.intDelay + b.intLos, " 49 29.58 .85 25.14D");
    EXPECT_EQ(b.totalDelay + b.totalTime + b.travelSpeed + b.termLos, " 31.43 80.43 44.75C");
    EXPECT_EQ(t.highwayType + t.freeSpeed + t.totalSpeed + t.totalLos, " 1 82 39.83C");
}

TEST(Arterial, PretimedSegmentsWorkedByHand) {
    // Inside the centre, three lanes or fewer: k = 4, FFS 65. One lane: c = 800.
    // C = 80: da = 1.31 dp. Progression ratio 45 %: row 10 of 2-4-8b.
    // Segment 1, "0.4" (offset 3), X = 1.2: block 3 only, column 14: PF 1.05.
    //   Running time 83 x 4 / 10 = 33.2; d = 17.3714 + 74.6150 = 91.9864; dp = 96.5858 (F);
    //   da = 126.527; T = 159.727; speed = 1440 / 159.727 = 9.015, below 15: F.
    // Segment 2, "0.7" (offset 4, as "0.5"), X = .7: halfway between columns 5 and 10,
    //   (.7 - .6) / .2 x (1.07 - 1.09) + 1.09 = 1.08. Running time 72 x 7 / 10 = 50.4;
    //   d = 11.6923 + 2.2230 = 13.9153; dp = 15.0285, just above 15: C.
    // Segment 3, "0.3" low friction, X = .6: block 1, column 3: PF 1.11; running time 71 x 3 / 10 = 21.3;
    //   T = 49.8156; speed = 1080 / 49.8156 = 21.67996, shown cut as 21.67 (E).
    // Arterial: 1.4 x 3600 / 279.63 = 18.02: E.
    UrbanInput in;
    in.segments = 3;
    in.area = 1;
    in.condition = 1;
    in.lanes = 0;
    in.C = Int16::of(80);
    in.pretimed = true;
    in.progression = 9;
    in.segment = {segment(3, 0, 0.6f, 1.2f), segment(6, 0, 0.5f, 0.7f), segment(2, 1, 0.3f, 0.6f)};
    const UrbanTexts t = resultTexts(analyseUrban(in, shipped()));
    ASSERT_EQ(t.segment.size(), 3u);
    auto row = [](const SegmentTexts& s) {
        return s.cruseTime + "|" + s.delay + "|" + s.PF + "|" + s.intDelay + "|" + s.intLos + "|" + s.totalDelay + "|" +
               s.totalTime + "|" + s.travelSpeed + "|" + s.termLos;
    };
    EXPECT_EQ(row(t.segment[0]), " 33.2| 91.98| 1.05| 96.58|F| 126.52| 159.72| 9.01|F");
    EXPECT_EQ(row(t.segment[1]), " 50.4| 13.91| 1.08| 15.02|C| 19.68| 70.08| 35.95|C");
    EXPECT_EQ(row(t.segment[2]), " 21.3| 19.61| 1.11| 21.76|C| 28.51| 49.81| 21.67|E");
    EXPECT_EQ(t.highwayType + t.freeSpeed + t.totalSpeed + t.totalLos, " 4 65 18.02E");
}

TEST(Arterial, CycleBoundsOfTheApproachFactor) {
    EXPECT_EQ(approachFactor(Int16::of(79)), 1.38);
    EXPECT_EQ(approachFactor(Int16::of(80)), 1.31);
    EXPECT_EQ(approachFactor(Int16::of(99)), 1.31);
    EXPECT_EQ(approachFactor(Int16::of(100)), 1.25);
}

TEST(Arterial, IntersectionLevelBoundsBelongToTheBetterLevel) {
    EXPECT_EQ(intersectionLevel(5.0f), 'A');
    EXPECT_EQ(intersectionLevel(5.01f), 'B');
    EXPECT_EQ(intersectionLevel(15.0f), 'B');
    EXPECT_EQ(intersectionLevel(40.0f), 'D');
    EXPECT_EQ(intersectionLevel(60.0f), 'E');
    EXPECT_EQ(intersectionLevel(60.01f), 'F');
}

TEST(Arterial, SpeedAtALevelsBoundReachesIt) {
    const Int16 k1 = Int16::of(1);
    EXPECT_EQ(speedLevel(shipped(), k1, 68.0f), 'A');
    EXPECT_EQ(speedLevel(shipped(), k1, 52.0f), 'B');
    EXPECT_EQ(speedLevel(shipped(), k1, 51.99f), 'C');
    EXPECT_EQ(speedLevel(shipped(), k1, 22.0f), 'E');
    EXPECT_EQ(speedLevel(shipped(), k1, 21.99f), 'F');
    EXPECT_EQ(speedLevel(shipped(), Int16::of(4), 15.0f), 'E');
}

TEST(Arterial, ActuatedProgressionRowByDegreeOfSaturation) {
    // Arrival type 1: 1.54 / 1.25 / 1.16; X above 1.0 keeps the row for 1.0.
    EXPECT_EQ(actuatedPF(shipped(), 0, 0.6f), 1.54f);
    EXPECT_EQ(actuatedPF(shipped(), 0, 0.61f), 1.25f);
    EXPECT_EQ(actuatedPF(shipped(), 0, 0.8f), 1.25f);
    EXPECT_EQ(actuatedPF(shipped(), 0, 0.81f), 1.16f);
    EXPECT_EQ(actuatedPF(shipped(), 0, 1.0f), 1.16f);
    EXPECT_EQ(actuatedPF(shipped(), 0, 1.7f), 1.16f);
}

TEST(Arterial, PretimedProgressionBlocksAndLengthColumns) {
    // Row 10: blocks (1.12 .. 1.09), (1.08 .. 1.07), (1.06 .. 1.05).
    EXPECT_EQ(pretimedPF(shipped(), 9, 0, 0.6f), 1.12f);  // block 1 only
    EXPECT_EQ(pretimedPF(shipped(), 9, 0, 0.8f), 1.08f);  // block 2 only
    EXPECT_EQ(pretimedPF(shipped(), 9, 4, 1.0f), 1.05f);
    EXPECT_EQ(pretimedPF(shipped(), 9, 3, 1.2f), 1.05f);  // block 3 only
    // Halfway: .7 lies between blocks 1 and 2, .9 between 2 and 3 ("0.3": columns 3, 8, 13).
    EXPECT_NEAR(pretimedPF(shipped(), 9, 2, 0.7f), (1.11 + 1.08) / 2, 1e-6);
    EXPECT_NEAR(pretimedPF(shipped(), 9, 2, 0.9f), (1.08 + 1.06) / 2, 1e-6);
    // "0.2" reads the column of "0.1이하"; "0.7" and "1.0이상" that of "0.5"; column 2 is never read.
    EXPECT_EQ(lengthOffset(0), 0);
    EXPECT_EQ(lengthOffset(1), 0);
    EXPECT_EQ(lengthOffset(2), 2);
    EXPECT_EQ(lengthOffset(3), 3);
    for (int length : {4, 6, 9}) EXPECT_EQ(lengthOffset(length), 4);
    for (float X : {0.5f, 0.7f, 0.85f, 1.1f}) {
        EXPECT_EQ(pretimedPF(shipped(), 0, 1, X), pretimedPF(shipped(), 0, 0, X)) << X;
        EXPECT_EQ(pretimedPF(shipped(), 0, 6, X), pretimedPF(shipped(), 0, 4, X)) << X;
    }
}

UrbanInput withSegment(UrbanSegment s) {
    UrbanInput in = actuatedTwo();
    in.segment[1] = s;
    return in;
}

TEST(Arterial, RefusalsFocusTheFieldTheMethodCannotComputeWith) {
    // The messages stand in the golden refusals; here the field each one focuses.
    UrbanInput noCondition = actuatedTwo();
    noCondition.condition = -1;
    UrbanInput noSignal = actuatedTwo();
    noSignal.actuated = false;
    const std::pair<UrbanInput, const char*> cases[] = {
        {noCondition, "cboCondi"},
        {noSignal, "optAct"},
        {withSegment(segment(1, -1, 0.5f, 0.5f)), "cboSide[1]"},
        {withSegment(segment(1, 0, 0, 0.5f)), "txtGbyC[1]"},
        {withSegment(segment(1, 0, 0.9f, 1.2f)), "txtVbyC[1]"},  // 1 - g X below 0: a negative delay
    };
    for (const auto& [in, focus] : cases) {
        const Error e = test::expectFailure([&] { analyseUrban(in, shipped()); });
        EXPECT_EQ(e.kind, ErrorKind::InputError) << focus;
        EXPECT_EQ(e.focus, focus);
    }
    // (A value beyond single precision while computing fails: a golden case.)
}

// ---- the window ----

class UrbanWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<UrbanForm>(form::FormContext{&index, &store});
        ASSERT_TRUE(form->open().ok());
    }
    // The worked case of two actuated segments, typed in.
    void fillTwo() {
        form->setIndex("cboTermUnit", 0);
        form->setIndex("cboArea", 0);
        form->setIndex("cboCondi", 0);
        form->setIndex("cboLane", 1);
        form->setText("txtCycle", "120");
        form->setIndex("cboArr", 2);
        const char* rows[2][4] = {{"2", "0", "0.5", "0.5"}, {"9", "1", "0.4", "0.9"}};
        for (int i = 0; i < 2; ++i) fillRow(i, rows[i][0], rows[i][1], rows[i][2], rows[i][3]);
    }
    void fillRow(int i, const char* length, const char* side, const char* g, const char* X) {
        form->setIndex(form::element("cboLen", i), std::stoi(length));
        form->setIndex(form::element("cboSide", i), std::stoi(side));
        form->setText(form::element("txtGbyC", i), g);
        form->setText(form::element("txtVbyC", i), X);
    }
    bool shown(const std::string& name) const { return form->at(name).visible; }

    form::AnalysisIndex index;
    tables::LookupTableStore store;
    std::unique_ptr<UrbanForm> form;
};

TEST_F(UrbanWindow, CountShowsItsRowsAndSignalTypeItsList) {
    EXPECT_EQ(form->title(), "도시 및 교외 간선도로 분석");
    EXPECT_TRUE(form->at("optAct").checked);
    EXPECT_TRUE(shown("cboArr"));
    EXPECT_FALSE(shown("cboOffset"));
    EXPECT_FALSE(shown("cboLen[0]"));
    form->setIndex("cboTermUnit", 1);  // "3개"
    for (const char* name : {"lblTerm[2]", "cboLen[2]", "cboSide[2]", "txtGbyC[2]", "txtVbyC[2]"})
        EXPECT_TRUE(shown(name)) << name;
    EXPECT_FALSE(shown("txtVbyC[3]"));
    form->setIndex("cboTermUnit", 8);  // "10개"
    EXPECT_TRUE(shown("txtVbyC[9]"));
    form->setChecked("optFix", true);
    EXPECT_FALSE(form->at("optAct").checked);
    EXPECT_FALSE(shown("cboArr"));
    EXPECT_TRUE(shown("cboOffset"));
}

TEST_F(UrbanWindow, AnalysisFillsTheResultWindowAndRendersItsFields) {
    fillTwo();
    // Rows beyond the count are not read, whatever they hold.
    form->setText("txtGbyC[2]", "abc");
    const Outcome o = form->press("Command1");
    ASSERT_TRUE(o.ok()) << (o.message ? o.message->text : "");
    EXPECT_EQ(o.showWindow, "frmUrbanResult");
    EXPECT_EQ(form->at("txtTermLos[0]").window, "frmUrbanResult");
    EXPECT_EQ(form->at("txtTotalSpeed").text, " 39.83");  // the rendering is the golden case two-actuated
    EXPECT_EQ(form->savedText(), form->renderingOf("Command1"));
    // The user cannot type into a result field.
    EXPECT_THROW(form->setText("txtPF[0]", "1"), form::UsageError);
    EXPECT_TRUE(form->press("Command2").close);
}

TEST_F(UrbanWindow, ALongerRunsRowsAreClearedByAShorterOne) {
    form->setIndex("cboTermUnit", 8);
    fillTwo();  // sets the count back to 2 ...
    form->setIndex("cboTermUnit", 8);
    for (int i = 2; i < 10; ++i) fillRow(i, "4", "0", "0.45", "0.8");
    // (The rendering of a shorter run after a longer one is a golden case.)
    ASSERT_TRUE(form->press("Command1").ok());
    EXPECT_TRUE(shown("txtTermLos[9]"));
    form->setIndex("cboTermUnit", 0);
    ASSERT_TRUE(form->press("Command1").ok());
    EXPECT_EQ(form->at("txtTotalTime[9]").text, "");
    EXPECT_FALSE(shown("txtTotalTime[9]"));
    EXPECT_FALSE(shown("lblResultTerm[2]"));
}

TEST_F(UrbanWindow, RefusalsFocusTheFieldAndKeepThePreviousResult) {
    fillTwo();
    ASSERT_TRUE(form->press("Command1").ok());
    const std::string before = form->renderingOf("Command1");
    struct Case {
        const char* field;
        const char* text;
        const char* message;
    } cases[] = {
        {"txtCycle", "0.4", "주기길이(초)는 반올림하여 1초 이상이어야 합니다."},
        {"txtGbyC[1]", "1OO", "2구간의 g/C 비는 숫자로 입력하십시오. (입력된 값: \"1OO\")"},
        {"txtVbyC[0]", "", "1구간의 v/c 비를 입력하십시오."},
    };
    for (const Case& c : cases) test::expectFieldRefused(*form, "Command1", c.field, c.text, c.message);
    EXPECT_EQ(form->renderingOf("Command1"), before);
    // Lists: the arrival type with actuated signals, the progression ratio with pretimed ones.
    form->setIndex("cboArr", -1);
    const Outcome o = form->press("Command1");
    EXPECT_EQ(o.focus, "cboArr");
    EXPECT_TRUE(o.showWindow.empty());  // no result window for a refusal
    form->setChecked("optFix", true);
    EXPECT_EQ(form->press("Command1").message->text, "연동비(%)를 선택하십시오.");
    form->setIndex("cboOffset", 0);
    EXPECT_TRUE(form->press("Command1").ok());
    form->setIndex("cboTermUnit", 2);  // a third row left empty
    EXPECT_EQ(form->press("Command1").focus, "cboLen[2]");
}

// A form whose analysis lays its printout out apart from what it saves.
class PrintedForm : public form::Form {
public:
    PrintedForm() : Form({nullptr, nullptr}) {
        addPage("입력");
        addPage("표");
        beginPage(0);
        addButton("cmdPlain", "분석", form::ButtonRole::Analysis);
        beginPage(1);
        addButton("cmdTable", "확  인", form::ButtonRole::Analysis);
        beginWindow("frmTableResult", "결과", 500);
        addText("txtValue", "값").readOnly = true;
        endWindow();
        onAnalysisCommand(
            "cmdPlain", [] {}, [] { return "plain\r\n"; });
        onAnalysisCommand(
            "cmdTable", [this] { set("txtValue", " 1"); }, [this] { return "v\t" + textOf("txtValue"); },
            [this] { return "v  " + textOf("txtValue"); });
    }
};

TEST(FormModel, PrintLayoutOwnedWindowPlacementAndReadOnlyFields) {
    PrintedForm f;
    ASSERT_TRUE(f.press("cmdTable").ok());
    // The analysis of the page shown saves and prints; without a print layout it prints what it saves.
    EXPECT_EQ(f.savedText(), "plain\r\n");
    EXPECT_EQ(f.printedText(), "plain\r\n");
    f.showPage(1);
    EXPECT_EQ(f.savedText(), "v\t 1");
    EXPECT_EQ(f.printedText(), "v   1");
    EXPECT_EQ(f.ownedWindows().at(0).liftTwips, 500);
    // A result field is written by the analysis only.
    EXPECT_THROW(f.setText("txtValue", "2"), form::UsageError);
    EXPECT_EQ(f.at("txtValue").text, " 1");
}

TEST_F(UrbanWindow, PrintoutLaysTheFieldsOutInColumns) {
    fillTwo();
    EXPECT_EQ(form->printedText(), "");  // nothing before the first analysis
    ASSERT_TRUE(form->press("Command1").ok());
    const std::vector<std::string> lines = test::linesOf(form->printedText());
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "도시 및 교외 간선도로 분석결과");
    // Each column as wide as its widest heading piece or field, two blanks apart, right-aligned.
    EXPECT_EQ(lines[2], "       순행  교차로          연동  교차로  교차로            구간    구간");
    EXPECT_EQ(lines[3], "       시간    정지  연동    보정  서비스  총접근    구간    통행  서비스");
    EXPECT_EQ(lines[4], "구간  (sec)    지체  계수    지체    수준    지체  총시간    속도    수준");
    EXPECT_EQ(lines[5], std::string(73, '-'));
    EXPECT_EQ(lines[6], "   1   20.4   15.68   .85   13.33       B   16.66   37.06   29.13       D");
    EXPECT_EQ(lines[7], "   2     49   29.58   .85   25.14       D   31.43   80.43   44.75       C");
    EXPECT_EQ(lines[9], "간선도로유형             1");
    EXPECT_EQ(lines[11], "구간총통행속도       39.83");
    EXPECT_EQ(lines[12], "전체구간서비스수준       C");
    for (const std::string& line : lines) EXPECT_LE(report::columns(line), 80) << line;
}

}  // namespace
