#pragma once
// The 16- and 32-bit integers of the original arithmetic. Conversion from a real
// rounds half to even; + - * are checked and a result out of range is an
// arithmetic failure; "/" between integers gives a real quotient, never integer
// division. Mixed with a real, an Int16 behaves as a float and an Int32 as a
// double (the original's promotions), through the implicit conversion.
#include <concepts>
#include <cstdint>
#include <limits>
#include <string_view>

namespace verosa {

template <class Rep, class Real>
class CheckedInt {
public:
    using rep = Rep;
    static constexpr long long kMin = std::numeric_limits<Rep>::min();
    static constexpr long long kMax = std::numeric_limits<Rep>::max();

    constexpr CheckedInt() = default;
    // From an integer: checked.
    static CheckedInt of(long long v);
    // From a real: rounded half to even (the exact binary value), checked.
    static CheckedInt round(double x);
    // As round(), but a value beyond the range (or not finite) is refused as
    // input: "{what}가 너무 큽니다. 32767 이하여야 합니다." and the `hint`,
    // with the focus on the field `focus`. The one way a value typed or
    // derived from typed values becomes a 16-bit integer or is refused.
    static CheckedInt readRounded(double x, std::string_view what, std::string_view focus = {},
                                  std::string_view hint = {});
    // True when round(x) would succeed.
    static bool fits(double x);

    constexpr Rep value() const { return v_; }
    constexpr operator Real() const { return static_cast<Real>(v_); }

    friend CheckedInt operator+(CheckedInt a, CheckedInt b) { return of((long long)a.v_ + b.v_); }
    friend CheckedInt operator-(CheckedInt a, CheckedInt b) { return of((long long)a.v_ - b.v_); }
    friend CheckedInt operator*(CheckedInt a, CheckedInt b) { return of((long long)a.v_ * b.v_); }
    // An integer literal counts as an integer of the same width (checked);
    // templates, so that a real operand takes the real path instead.
    template <std::integral I>
    friend CheckedInt operator+(CheckedInt a, I b) {
        return of((long long)a.v_ + (long long)b);
    }
    template <std::integral I>
    friend CheckedInt operator-(CheckedInt a, I b) {
        return of((long long)a.v_ - (long long)b);
    }
    template <std::integral I>
    friend CheckedInt operator*(CheckedInt a, I b) {
        return of((long long)a.v_ * (long long)b);
    }
    template <std::integral I>
    friend CheckedInt operator+(I a, CheckedInt b) {
        return of((long long)a + (long long)b.v_);
    }
    template <std::integral I>
    friend CheckedInt operator-(I a, CheckedInt b) {
        return of((long long)a - (long long)b.v_);
    }
    template <std::integral I>
    friend CheckedInt operator*(I a, CheckedInt b) {
        return of((long long)a * (long long)b.v_);
    }
    // The original's "/" of two integers: a real quotient; a zero divisor fails.
    friend Real operator/(CheckedInt a, CheckedInt b) { return divide(a.v_, b.v_); }
    friend constexpr bool operator==(CheckedInt a, CheckedInt b) { return a.v_ == b.v_; }
    friend constexpr auto operator<=>(CheckedInt a, CheckedInt b) { return a.v_ <=> b.v_; }

private:
    constexpr explicit CheckedInt(Rep v) : v_(v) {}
    static Real divide(Rep a, Rep b);
    Rep v_ = 0;
};

using Int16 = CheckedInt<std::int16_t, float>;
using Int32 = CheckedInt<std::int32_t, double>;

extern template class CheckedInt<std::int16_t, float>;
extern template class CheckedInt<std::int32_t, double>;

// int16(x) / int32(x) of the method texts.
inline Int16 int16(double x) { return Int16::round(x); }
inline Int32 int32(double x) { return Int32::round(x); }

// Checked real division: a zero divisor is an arithmetic failure, not an infinity.
float divide(float a, float b);
double divide(double a, double b);

}  // namespace verosa
