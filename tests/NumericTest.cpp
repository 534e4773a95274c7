// Number reading and the checked integers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <type_traits>
#include <utility>

#include "TestSupport.h"
#include "numeric/CheckedInt.h"
#include "numeric/Num.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"

using namespace verosa;

namespace {

// The error a call must throw.
template <class F>
Error errorOf(F&& f) {
    return test::expectFailure(f);
}

}  // namespace

// The original's promotions: an Int16 mixed with a real behaves as a float,
// an integer literal keeps it an Int16, "/" of two integers is a real.
static_assert(std::is_same_v<decltype(std::declval<Int16>() * 1.5f), float>);
static_assert(std::is_same_v<decltype(std::declval<Int16>() * 1.5), double>);
static_assert(std::is_same_v<decltype(1.5f * std::declval<Int16>()), float>);
static_assert(std::is_same_v<decltype(std::declval<Int16>() / std::declval<Int16>()), float>);
static_assert(std::is_same_v<decltype(std::declval<Int16>() * 2), Int16>);
static_assert(std::is_same_v<decltype(2 + std::declval<Int16>()), Int16>);
static_assert(std::is_same_v<decltype(std::declval<Int16>() - std::declval<Int16>()), Int16>);
static_assert(std::is_same_v<decltype(std::declval<Int32>() * 1.5f), double>);
static_assert(std::is_same_v<decltype(std::declval<Int32>() / std::declval<Int32>()), double>);

TEST(NumRead, LongestDecimalPrefix) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"4.3", 4.3}, {"12abc", 12}, {"abc", 0},        {"", 0},        {"  7", 7},       {"\t\t 8.5", 8.5}, {"+3", 3},
        {"- 3", 0},   {"-3", -3},    {".5", 0.5},       {"5.", 5},      {"-.25", -0.25},  {"1e", 1},         {"1e+", 1},
        {"1e-", 1},   {"2E3", 2000}, {"2.5e-1x", 0.25}, {"1.2.3", 1.2}, {".", 0},         {"-", 0},          {"1,5", 1},
        {"007", 7},   {"1e-999", 0}, {"3 4", 3},        {"0.1", 0.1},   {"1800대", 1800},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(num(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(NumRead, NegativeZeroAndExactDigits) {
    EXPECT_TRUE(std::signbit(num("-0")));
    // Correctly rounded, not accumulated digit by digit.
    EXPECT_EQ(num("0.30000000000000004"), 0.30000000000000004);
    EXPECT_EQ(num("123456789012345678"), 123456789012345678.0);
}

TEST(NumRead, NonFiniteIsRefusedAsInput) {
    EXPECT_FALSE(tryNum("1e999").has_value());
    EXPECT_FALSE(tryNum("-1e400").has_value());
    EXPECT_FALSE(tryNum("1000e99999999999999").has_value());
    EXPECT_EQ(errorOf([] { num("1e999"); }).kind, ErrorKind::InputError);
    EXPECT_FALSE(errorOf([] { num("1e999"); }).message.empty());
}

TEST(NumRead, AWholeNumberFieldHoldsANumberAndNothingElse) {
    EXPECT_EQ(readWholeNumber(" 4.3\t").value, 4.3);
    EXPECT_EQ(readWholeNumber("1e3").value, 1000.0);
    EXPECT_EQ(readWholeNumber(" \t").kind, WholeNumber::Kind::Empty);
    for (const char* text : {"1OO", "1,5", "12abc", "inf", "nan", "- 3", "1e", "."})
        EXPECT_EQ(readWholeNumber(text).kind, WholeNumber::Kind::NotANumber) << text;
    EXPECT_EQ(readWholeNumber("9e400").kind, WholeNumber::Kind::TooLarge);
}

TEST(Int16Conversion, HalvesGoToEven) {
    struct Case {
        double x;
        int expected;
    };
    const Case cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {0.5, 0},
        {1.5, 2},
        {2.4999999, 2},
        {2.5000001, 3},
        {-0.5, 0},
        {32767.4, 32767},
        {-32768.5, -32768},
        {32766.5, 32766},
        {-32767.6, -32768},
        // A hair above the half is not a half: the exact binary value decides.
        {2.5 + 1e-15, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(int16(c.x).value(), c.expected) << c.x;
    }
}

TEST(Int16Conversion, OutOfRangeFails) {
    for (double x : {32767.5, -32768.6, 40000.0, -1e10, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(Int16::fits(x)) << x;
        Error e = errorOf([x] { int16(x); });
        EXPECT_EQ(e.kind, ErrorKind::ArithmeticFailure) << x;
        EXPECT_NE(e.message.find("32767 이하"), std::string::npos) << e.message;
    }
    EXPECT_TRUE(Int16::fits(32767.4));
    EXPECT_TRUE(Int16::fits(-32768.5));
    Error e = errorOf([] { Int16::readRounded(50000, "주기", "txtCycle", "주기를 확인하십시오."); });
    EXPECT_EQ(e.kind, ErrorKind::InputError);
    EXPECT_EQ(e.message, "주기가 너무 큽니다. 32767 이하여야 합니다. 주기를 확인하십시오.");
    EXPECT_EQ(e.focus, "txtCycle");
    EXPECT_EQ(errorOf([] { Int16::readRounded(-40000, "교통량"); }).message,
              "교통량이 너무 작습니다. -32768 이상이어야 합니다.");
    EXPECT_EQ(Int16::readRounded(120.5, "주기").value(), 120);
}

TEST(Int16Arithmetic, CheckedOperators) {
    Int16 big = Int16::of(30000);
    Int16 three = Int16::of(3);
    EXPECT_EQ((big + Int16::of(2767)).value(), 32767);
    EXPECT_EQ((Int16::of(-30000) - Int16::of(2768)).value(), -32768);
    EXPECT_EQ((three * 4).value(), 12);
    EXPECT_EQ((5 - three).value(), 2);

    const std::pair<const char*, void (*)()> overflows[] = {
        {"+", [] { (void)(Int16::of(30000) + Int16::of(2768)); }},
        {"- ", [] { (void)(Int16::of(-30000) - Int16::of(2769)); }},
        {"*", [] { (void)(Int16::of(200) * Int16::of(200)); }},
        {"* literal", [] { (void)(Int16::of(20000) * 2); }},
        {"literal -", [] { (void)(0 - Int16::of(-32768)); }},
        {"of", [] { (void)Int16::of(32768); }},
    };
    for (const auto& [what, op] : overflows) {
        EXPECT_EQ(errorOf(op).kind, ErrorKind::ArithmeticFailure) << what;
    }
}

TEST(Int16Arithmetic, DivisionIsARealQuotient) {
    float q = Int16::of(7) / Int16::of(2);
    EXPECT_EQ(q, 3.5f);
    EXPECT_EQ(Int16::of(1) / Int16::of(3), 1.0f / 3.0f);
    EXPECT_EQ(Int16::of(-7) / Int16::of(2), -3.5f);
    Error e = errorOf([] { (void)(Int16::of(7) / Int16::of(0)); });
    EXPECT_EQ(e.kind, ErrorKind::ArithmeticFailure);
    EXPECT_NE(e.message.find("0으로"), std::string::npos) << e.message;
}

TEST(Int16Arithmetic, MixedWithRealsTakesTheRealPath) {
    Int16 n = Int16::of(3);
    // 3 * 0.1f in float, not in double.
    EXPECT_EQ(n * 0.1f, 3.0f * 0.1f);
    EXPECT_EQ(n * 0.1, 3.0 * 0.1);
    EXPECT_EQ(n * 40000.0f, 120000.0f);  // no 16-bit check on a real product
}

TEST(Int32Arithmetic, RangeAndQuotient) {
    EXPECT_EQ(int32(2147483647.4).value(), 2147483647);
    EXPECT_EQ(int32(-2.5).value(), -2);
    EXPECT_EQ(errorOf([] { int32(2147483647.5); }).kind, ErrorKind::ArithmeticFailure);
    EXPECT_EQ(errorOf([] { (void)(Int32::of(2147483647) + 1); }).kind, ErrorKind::ArithmeticFailure);
    double q = Int32::of(1) / Int32::of(3);
    EXPECT_EQ(q, 1.0 / 3.0);
    EXPECT_EQ(errorOf([] { (void)(Int32::of(1) / Int32::of(0)); }).kind, ErrorKind::ArithmeticFailure);
}

TEST(RealDivision, ZeroDivisorAndOverflowFail) {
    EXPECT_EQ(divide(1.0f, 4.0f), 0.25f);
    EXPECT_EQ(divide(1.0, 4.0), 0.25);
    EXPECT_EQ(errorOf([] { divide(1.0f, 0.0f); }).kind, ErrorKind::ArithmeticFailure);
    EXPECT_EQ(errorOf([] { divide(0.0, -0.0); }).kind, ErrorKind::ArithmeticFailure);
    EXPECT_EQ(errorOf([] { divide(1e30f, 1e-30f); }).kind, ErrorKind::ArithmeticFailure);
}

TEST(Wording, ParticlesFollowTheLastSoundAndRangesReadAsSentences) {
    EXPECT_EQ(withParticle("교통량", Particle::Topic), "교통량은");
    EXPECT_EQ(withParticle("첨두시간계수", Particle::Topic), "첨두시간계수는");
    EXPECT_EQ(withParticle("중차량구성비(%)", Particle::Subject), "중차량구성비(%)가");
    EXPECT_EQ(withParticle("차로폭(m)", Particle::Subject), "차로폭(m)이");
    EXPECT_EQ(withParticle("PHF", Particle::Topic), "PHF는");
    EXPECT_EQ(withParticle("V12", Particle::Subject), "V12가");
    EXPECT_EQ(withParticle("Vc", Particle::Object), "Vc를");
    EXPECT_EQ(rangeMessage("중차량구성비(%)", {0.0, 100.0}), "중차량구성비(%)는 0 이상 100 이하여야 합니다.");
    EXPECT_EQ(rangeMessage("PHF", {0.0, 1.0, false, true}), "PHF는 0보다 크고 1 이하여야 합니다.");
    EXPECT_EQ(rangeMessage("차로수", {1.0, std::nullopt}), "차로수는 1 이상이어야 합니다.");
    EXPECT_EQ(rangeMessage("주기", {0.0, std::nullopt, false}), "주기는 0보다 커야 합니다.");
    EXPECT_EQ(rangeMessage("g/C", {std::nullopt, 0.5, true, false}), "g/C는 0.5보다 작아야 합니다.");
}
