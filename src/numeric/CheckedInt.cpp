// The checked integers: half-to-even conversion, range checks, real quotients.
#include "numeric/CheckedInt.h"

#include <charconv>
#include <cmath>
#include <string>

#include "numeric/Result.h"
#include "numeric/Wording.h"

namespace verosa {
namespace {

std::string integerText(long long v) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string overflowMessage(long long lo, long long hi) {
    return "계산 중 정수 값이 허용 범위(" + integerText(lo) + " 이상 " + integerText(hi) + " 이하)를 넘었습니다.";
}

// x rounded to an integer, halves to the even neighbour, on the exact binary
// value (x - floor(x) is exact for every finite double).
double roundHalfEvenExact(double x) {
    double below = std::floor(x);
    double rest = x - below;
    if (rest > 0.5) return below + 1.0;
    if (rest < 0.5) return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

}  // namespace

template <class Rep, class Real>
CheckedInt<Rep, Real> CheckedInt<Rep, Real>::of(long long v) {
    if (v < kMin || v > kMax) {
        failArithmetic(overflowMessage(kMin, kMax));
    }
    return CheckedInt(static_cast<Rep>(v));
}

template <class Rep, class Real>
bool CheckedInt<Rep, Real>::fits(double x) {
    if (!std::isfinite(x)) return false;
    double r = roundHalfEvenExact(x);
    return r >= static_cast<double>(kMin) && r <= static_cast<double>(kMax);
}

template <class Rep, class Real>
CheckedInt<Rep, Real> CheckedInt<Rep, Real>::round(double x) {
    if (!fits(x)) {
        failArithmetic(overflowMessage(kMin, kMax));
    }
    return CheckedInt(static_cast<Rep>(roundHalfEvenExact(x)));
}

template <class Rep, class Real>
CheckedInt<Rep, Real> CheckedInt<Rep, Real>::readRounded(double x, std::string_view what, std::string_view focus,
                                                         std::string_view hint) {
    if (!fits(x)) {
        const std::string_view name = what.empty() ? std::string_view("입력값") : what;
        std::string message =
            x < 0 ? tooSmallMessage(name, static_cast<double>(kMin)) : tooLargeMessage(name, static_cast<double>(kMax));
        if (!hint.empty()) message += " " + std::string(hint);
        refuseInput(std::move(message), std::string(focus));
    }
    return CheckedInt(static_cast<Rep>(roundHalfEvenExact(x)));
}

template <class Rep, class Real>
Real CheckedInt<Rep, Real>::divide(Rep a, Rep b) {
    return verosa::divide(static_cast<Real>(a), static_cast<Real>(b));
}

template class CheckedInt<std::int16_t, float>;
template class CheckedInt<std::int32_t, double>;

float divide(float a, float b) {
    if (b == 0.0f) failArithmetic("0으로 나눌 수 없습니다.");
    float q = a / b;
    if (!std::isfinite(q)) failArithmetic("계산 중 실수 범위를 넘었습니다.");
    return q;
}

double divide(double a, double b) {
    if (b == 0.0) failArithmetic("0으로 나눌 수 없습니다.");
    double q = a / b;
    if (!std::isfinite(q)) failArithmetic("계산 중 실수 범위를 넘었습니다.");
    return q;
}

}  // namespace verosa
