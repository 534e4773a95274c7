// Number text, numeric patterns, "@" fields, the column model and the frame.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "numeric/CheckedInt.h"
#include "numeric/Result.h"
#include "report/BoxReport.h"
#include "report/NumberText.h"

using namespace verosa;
using namespace verosa::report;

TEST(NumberText, SingleAndDoublePrecision) {
    volatile float a = 4.3f, b = 1.4f;  // keep the float subtraction at run time
    float difference = a - b;
    EXPECT_EQ(numtext(0.95f), " .95");
    EXPECT_EQ(numtext(0.97f), " .97");
    EXPECT_EQ(numtext(-0.5), "-.5");
    EXPECT_EQ(numtext(0.0), " 0");
    EXPECT_EQ(numtext(-0.0), " 0");
    EXPECT_EQ(numtext(-0.0f), " 0");
    EXPECT_EQ(numtext(2300.0), " 2300");
    EXPECT_EQ(numtext(2300.0f), " 2300");
    EXPECT_EQ(numtext(difference), " 2.9");  // 2.8999999 in binary
    EXPECT_EQ(numtext(0.1 + 0.2), " .3");    // not .30000000000000004
    EXPECT_EQ(numtext(1 / 3.0f), " .3333333");
    EXPECT_EQ(numtext(1 / 3.0), " .333333333333333");
    EXPECT_EQ(numtext(2 / 3.0f), " .6666667");
    EXPECT_EQ(numtext(-1827.25f), "-1827.25");
    EXPECT_EQ(numtext(0.001f), " .001");
    EXPECT_EQ(numtext(Int16::of(-12)), "-12");
}

TEST(NumberText, ExponentOnlyBeyondTheDigitBudget) {
    EXPECT_EQ(numtext(1234567.0f), " 1234567");
    EXPECT_EQ(numtext(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(numtext(-10000000.0f), "-1E+07");
    EXPECT_EQ(numtext(99999992.0f), " 9.999999E+07");
    EXPECT_EQ(numtext(12345678.0), " 12345678");
    EXPECT_EQ(numtext(123456789012345.0), " 123456789012345");
    EXPECT_EQ(numtext(1234567890123456.0), " 1.23456789012346E+15");
    EXPECT_EQ(numtext(3e200), " 3E+200");
}

TEST(NumberText, PlainForm) {
    volatile float a = 4.3f, b = 1.4f;
    EXPECT_EQ(plain(0.5), "0.5");
    EXPECT_EQ(plain(-0.5), "-0.5");
    EXPECT_EQ(plain(a - b), "2.9");
    EXPECT_EQ(plain(1827.0f), "1827");
    EXPECT_EQ(plain(0.0), "0");
    EXPECT_EQ(plain(-0.0), "0");
    EXPECT_EQ(plain(Int16::of(-7)), "-7");
}

TEST(NumberText, NonFiniteIsAFailure) {
    volatile float huge = 3e38f;
    float inf = huge * 10.0f;
    EXPECT_THROW(numtext(inf), Failure);
    EXPECT_THROW(format(static_cast<double>(inf), "#0.00"), Failure);
}

TEST(AtPattern, RightAlignsByCharactersNeverCuts) {
    EXPECT_EQ(at(numtext(2339.0f), 5), " 2339");
    EXPECT_EQ(at(numtext(23390.0f), 5), " 23390");
    EXPECT_EQ(at(numtext(0.97f), 4), " .97");
    EXPECT_EQ(at("ab", 4), "  ab");
    EXPECT_EQ(at("abcdef", 3), "abcdef");
    EXPECT_EQ(at("서비스", 5), "  서비스");  // three characters, not six columns
    EXPECT_EQ(at("A", 1), "A");
    EXPECT_EQ(at(0.5, 5), "  0.5");  // a number shows its plain text
    EXPECT_EQ(at(Int16::of(12), 4), "  12");
}

struct PatternCase {
    const char* pattern;
    double value;
    const char* expected;
};

// Each pattern at zero, below one, at a decimal half, negative and with more
// integer digits than it has places.
TEST(NumericPattern, EveryPatternOfTheReports) {
    const PatternCase cases[] = {
        {"#0.##", 0, "0."},
        {"#0.##", 0.5, "0.5"},
        {"#0.##", 2.675, "2.68"},
        {"#0.##", -1.005, "-1.01"},
        {"#0.##", 1234.5, "1234.5"},
        {"#0.00", 0, "0.00"},
        {"#0.00", 0.25, "0.25"},
        {"#0.00", 2.675, "2.68"},
        {"#0.00", -3.1, "-3.10"},
        {"#0.00", 12345.678, "12345.68"},
        {"#0.###", 0, "0."},
        {"#0.###", 0.0625, "0.063"},
        {"#0.###", 1.0005, "1.001"},
        {"#0.###", -0.1, "-0.1"},
        {"#0.###", 1234.5, "1234.5"},
        {"0.00", 0, "0.00"},
        {"0.00", 0.125, "0.13"},
        {"0.00", 1.005, "1.01"},
        {"0.00", -0.5, "-0.50"},
        {"0.00", 123.456, "123.46"},
        {"0.000", 0, "0.000"},
        {"0.000", 0.0005, "0.001"},
        {"0.000", 1.0005, "1.001"},
        {"0.000", -2.5, "-2.500"},
        {"0.000", 12.3456, "12.346"},
        {"##.00", 0, ".00"},
        {"##.00", 0.25, ".25"},
        {"##.00", 0.125, ".13"},
        {"##.00", -0.25, "-.25"},
        {"##.00", 1234.5, "1234.50"},
        {"####", 0, ""},
        {"####", 0.4, ""},
        {"####", 2.5, "3"},
        {"####", -2.5, "-3"},
        {"####", 123456, "123456"},
        {"##0.00", 0, "0.00"},
        {"##0.00", 0.5, "0.50"},
        {"##0.00", 0.045, "0.05"},
        {"##0.00", -1.5, "-1.50"},
        {"##0.00", 1234.567, "1234.57"},
        {"00.00", 0, "00.00"},
        {"00.00", 5.5, "05.50"},
        {"00.00", 0.125, "00.13"},
        {"00.00", -5.5, "-05.50"},
        {"00.00", 123.4, "123.40"},
        {"#####", 0, ""},
        {"#####", 0.5, "1"},
        {"#####", 1234.5, "1235"},
        {"#####", -0.5, "-1"},
        {"#####", 1234567, "1234567"},
        {"#0.0", 0, "0.0"},
        {"#0.0", 0.05, "0.1"},
        {"#0.0", 0.25, "0.3"},
        {"#0.0", -0.25, "-0.3"},
        {"#0.0", 123.456, "123.5"},
        {"##0.0", 0, "0.0"},
        {"##0.0", 0.45, "0.5"},
        {"##0.0", 2.25, "2.3"},
        {"##0.0", -9.95, "-10.0"},
        {"##0.0", 12345.65, "12345.7"},
        {"##.0", 0, ".0"},
        {"##.0", 0.35, ".4"},
        {"##.0", 0.96, "1.0"},
        {"##.0", -0.35, "-.4"},
        {"##.0", 1234.55, "1234.6"},
        {"#.##", 0, "."},
        {"#.##", 1, "1."},
        {"#.##", 0.125, ".13"},
        {"#.##", -0.5, "-.5"},
        {"#.##", 123.456, "123.46"},
        {"#.##", 0.995, "1."},
        {"#.000", 0, ".000"},
        {"#.000", 0.5, ".500"},
        {"#.000", 0.0625, ".063"},
        {"#.000", -1.2345, "-1.235"},
        {"#.000", 12.3, "12.300"},
        {"##.##", 0, "."},
        {"##.##", 0.1, ".1"},
        {"##.##", 0.285, ".29"},
        {"##.##", -10.5, "-10.5"},
        {"##.##", 1234.567, "1234.57"},
        {"##.#", 0, "."},
        {"##.#", 0.04, "."},
        {"##.#", 0.15, ".2"},
        {"##.#", -2.05, "-2.1"},
        {"##.#", 123.45, "123.5"},
        {"#.###", 0, "."},
        {"#.###", 0.1, ".1"},
        {"#.###", 0.0005, ".001"},
        {"#.###", -0.0625, "-.063"},
        {"#.###", 12.3456, "12.346"},
        {"0.###", 0, "0."},
        {"0.###", 0.5, "0.5"},
        {"0.###", 0.0625, "0.063"},
        {"0.###", -1.25, "-1.25"},
        {"0.###", 12.3456, "12.346"},
        {"00", 0, "00"},
        {"00", 0.5, "01"},
        {"00", 2.5, "03"},
        {"00", -2.5, "-03"},
        {"00", 123, "123"},
        {"#0", 0, "0"},
        {"#0", 0.4, "0"},
        {"#0", 0.5, "1"},
        {"#0", -7.5, "-8"},
        {"#0", 1234, "1234"},
        {"#", 0, ""},
        {"#", 0.49, ""},
        {"#", 1.5, "2"},
        {"#", -1.5, "-2"},
        {"#", 123, "123"},
        {"##", 0, ""},
        {"##", 0.5, "1"},
        {"##", 10.5, "11"},
        {"##", -3, "-3"},
        {"##", 999.5, "1000"},
        {"0.##", 0, "0."},
        {"0.##", 0.125, "0.13"},
        {"0.##", 1.005, "1.01"},
        {"0.##", -0.1, "-0.1"},
        {"0.##", 123.456, "123.46"},
        {"###.##", 0, "."},
        {"###.##", 0.125, ".13"},
        {"###.##", 2.675, "2.68"},
        {"###.##", -0.5, "-.5"},
        {"###.##", 12345.678, "12345.68"},
        {"####.##", 0, "."},
        {"####.##", 0.75, ".75"},
        {"####.##", 8.345, "8.35"},
        {"####.##", -1.1, "-1.1"},
        {"####.##", 123456.789, "123456.79"},
    };
    for (const PatternCase& c : cases) {
        EXPECT_EQ(format(c.value, c.pattern), c.expected) << c.pattern << " of " << c.value;
    }
}

TEST(NumericPattern, RoundsTheFifteenDigitDecimalNotTheBinaryValue) {
    // Each of these lies just below the half in binary; as decimals they are halves.
    EXPECT_EQ(format(1.005, "#0.00"), "1.01");
    EXPECT_EQ(format(0.285, "#0.00"), "0.29");
    EXPECT_EQ(format(1.0005, "0.000"), "1.001");
    // Float values are widened first: 0.3f is 0.300000011920929 as 15 digits.
    EXPECT_EQ(format(2.675f, "#0.00"), "2.67");  // 2.67499995231628 as 15 digits
    EXPECT_EQ(format(0.125f, "#.##"), ".13");
    EXPECT_EQ(format(0.1f + 0.2f, "#.##"), ".3");
    // Noise beyond 15 digits does not count as a half.
    EXPECT_EQ(format(0.1 + 0.2, "#.#"), ".3");
    EXPECT_EQ(format(0.4999999999999999, "#"), "1");  // 15 digits: .500000000000000
}

TEST(NumericPattern, ValuesRoundingToZeroHaveNoSign) {
    EXPECT_EQ(format(-0.001, "0.00"), "0.00");
    EXPECT_EQ(format(-0.004, "#.##"), ".");
    EXPECT_EQ(format(-0.4, "#"), "");
    EXPECT_EQ(format(-0.0, "#0.0"), "0.0");
    EXPECT_EQ(format(-0.005, "0.00"), "-0.01");
}

TEST(NumericPattern, IntegerAndTextInputs) {
    EXPECT_EQ(format(Int16::of(-5), "00.00"), "-05.00");
    EXPECT_EQ(format(0.5f, "#.##"), ".5");
    EXPECT_EQ(formatText(" 2.675", "#0.00"), "2.68");
    EXPECT_EQ(formatText(numtext(0.95f), "#0.0"), "1.0");
    EXPECT_EQ(formatText("abc", "0.0"), "0.0");
    EXPECT_THROW(format(1.0, "#,##0"), std::invalid_argument);
}

TEST(RoundingHelpers, ThroughAPatternAndHalfToEven) {
    // The heavy-vehicle factor: "#.##" and read back.
    EXPECT_EQ(roundThrough(0.9523809523809523, "#.##"), 0.95);
    EXPECT_EQ(roundThrough(0.125, "#.##"), 0.13);
    EXPECT_EQ(roundThrough(0.0, "#.##"), 0.0);
    EXPECT_EQ(roundThrough(0.2, "#"), 0.0);
    EXPECT_EQ(roundThrough(-2.675, "#0.00"), -2.68);

    struct Case {
        double x;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {2.5, 0, 2},      {3.5, 0, 4},         {-2.5, 0, -2},      {0.125, 2, 0.12},   {0.135, 2, 0.14},
        {2.675, 2, 2.68}, {2.665, 2, 2.66},    {1.0051, 2, 1.01},  {-0.125, 2, -0.12}, {0.0004, 3, 0.0},
        {9.995, 2, 10.0}, {123.456, 1, 123.5}, {1e-20, 20, 1e-20}, {7.0, 3, 7.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(roundHalfEven(c.x, c.decimals), c.expected) << c.x << " to " << c.decimals;
    }
    EXPECT_FALSE(std::signbit(roundHalfEven(-0.001, 2)));
}

TEST(Columns, AsciiOneEverythingElseTwo) {
    struct Case {
        const char* text;
        int columns;
        int characters;
    };
    const Case cases[] = {
        {"a", 1, 1}, {"가", 2, 1}, {"│", 2, 1}, {"▷", 2, 1}, {"＜", 2, 1},           {"×", 2, 1},
        {"²", 2, 1}, {"㎡", 2, 1}, {"·", 2, 1}, {"", 0, 0},  {"▷ 교통량 : ", 12, 8}, {"대/시/Lane", 10, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(columns(c.text), c.columns) << c.text;
        EXPECT_EQ(characters(c.text), c.characters) << c.text;
    }
}

namespace {

using test::linesOf;

}  // namespace

TEST(BoxFrame, LinesOfARun) {
    BoxReport box(32);
    box.top().empty().separator().framed("   │ ▷ 보행자 수 : 12").line("   │ 끝").bottom();
    const std::string& text = box.text();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    std::vector<std::string> lines = linesOf(text);
    ASSERT_EQ(lines.size(), 6u);

    std::string run;
    for (int i = 0; i < 32; ++i) run += "─";
    EXPECT_EQ(lines[0], "   ┌" + run + "┐");
    EXPECT_EQ(columns(lines[0]), 71);
    EXPECT_EQ(lines[1], "   │" + std::string(64, ' ') + "│");
    EXPECT_EQ(lines[2], "   ├" + run + "┤");
    // 3 + 2 + " ▷ 보행자 수 : 12" (1 + 2 + 1 + 6 + 1 + 2 + 1 + 1 + 1 + 2) fills to 69.
    EXPECT_EQ(lines[3], "   │ ▷ 보행자 수 : 12" + std::string(64 - 18, ' ') + "│");
    EXPECT_EQ(columns(lines[3]), 71);
    EXPECT_EQ(lines[4], "   │ 끝");
    EXPECT_EQ(lines[5], "   └" + run + "┘");
}

TEST(BoxFrame, FrameRuleTrimsPadsSqueezesThenOverflows) {
    BoxReport box(4);               // inner width 8 columns
    box.framed("   │가나   ")       // trailing spaces dropped, then padded
        .framed("   │a  b   cd e")  // 11 wide: the longest run first, then the leftmost
        .framed("   │ab  cd  ef")   // 10 wide: the leftmost of equal runs goes first
        .framed("   │가나다라마");  // no run left: one space and the bar
    EXPECT_EQ(box.text(),
              "   │가나    │\r\n"
              "   │a b cd e│\r\n"
              "   │ab cd ef│\r\n"
              "   │가나다라마 │\r\n");
    EXPECT_EQ(BoxReport(36).innerColumns(), 72);
}

TEST(BoxFrame, RulesAcrossColumnsAndMargins) {
    EXPECT_EQ(rule("├", {1, 3, 3}, "┼", "┤"), "├─┼───┼───┤");
    BoxReport sheet(2, 0);
    sheet.top().empty();
    EXPECT_EQ(sheet.text(), "┌──┐\r\n│    │\r\n");
}

TEST(PlainLines, EndInCrLf) {
    PlainReport report;
    report.line("A").line("").line("교차로");
    EXPECT_EQ(report.text(), "A\r\n\r\n교차로\r\n");
}

TEST(NumberPatterns, CutToDecimalsFloorsTheSevenDigitText) {
    EXPECT_EQ(numtext(floorDecimals(23.456f, 2)), " 23.45");
    EXPECT_EQ(numtext(floorDecimals(23.45999f, 2)), " 23.45");
    EXPECT_EQ(numtext(floorDecimals(23.459999f, 2)), " 23.46");  // its seven digits are 23.46000
    EXPECT_EQ(numtext(floorDecimals(29.999999f, 2)), " 30");     // seven digits: 30.00000
    EXPECT_EQ(numtext(floorDecimals(1.05f, 2)), " 1.05");        // the binary value lies below 1.05
    EXPECT_EQ(numtext(floorDecimals(20.4f, 2)), " 20.4");
    EXPECT_EQ(numtext(floorDecimals(-1.234f, 2)), "-1.24");  // floored, not truncated
    EXPECT_EQ(numtext(floorDecimals(0.004f, 2)), " 0");
    EXPECT_EQ(numtext(floorDecimals(123456789.0f, 2)), " 1.234568E+08");
}
