// Reading numbers from field text: the longest decimal prefix, never the locale.
#include "numeric/Num.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "numeric/Result.h"

namespace verosa {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// The longest decimal prefix after the leading blanks; `end` is set to where
// it stops (to 0 when there is no number at all).
static std::optional<double> scanNumber(std::string_view text, std::size_t& end) {
    end = 0;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // Mantissa: digits with at most one point, at least one digit in all.
    std::string mantissa;
    int intDigits = 0;         // integer digits after leading zeros
    int leadingFracZeros = 0;  // zeros after the point before the first other digit
    bool seenNonZero = false;
    bool seenPoint = false;
    int digits = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (isDigit(c)) {
            ++digits;
            mantissa.push_back(c);
            if (c != '0') seenNonZero = true;
            if (!seenPoint && seenNonZero) ++intDigits;
            if (seenPoint && !seenNonZero) ++leadingFracZeros;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            mantissa.push_back(c);
        } else {
            break;
        }
    }
    if (digits == 0) return 0.0;  // "", "abc", "-", ".", "- 3"
    end = i;

    // Exponent: only when at least one digit follows "e" and its sign ("1e" is 1).
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            for (; j < text.size() && isDigit(text[j]); ++j) {
                // Saturate: any exponent this large overflows or underflows anyway.
                if (exponent < 1000000) exponent = exponent * 10 + (text[j] - '0');
            }
            if (expNegative) exponent = -exponent;
            end = j;
        }
    }
    if (!seenNonZero) return negative ? -0.0 : 0.0;

    std::string normal = mantissa;
    if (exponent != 0) {
        char buf[24];
        auto res = std::to_chars(buf, buf + sizeof buf, exponent);
        normal += 'e';
        normal.append(buf, res.ptr);
    }
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value, std::chars_format::general);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Decimal order of the value: too large is not finite, too small is zero.
        long long order = (intDigits > 0 ? intDigits - 1 : -(leadingFracZeros + 1)) + exponent;
        if (order > 0) return std::nullopt;
        value = 0.0;
    } else if (ec != std::errc()) {
        return 0.0;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> tryNum(std::string_view text) {
    std::size_t end = 0;
    return scanNumber(text, end);
}

WholeNumber readWholeNumber(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    std::size_t start = 0;
    while (start < text.size() && blank(text[start])) ++start;
    if (start == text.size()) return {WholeNumber::Kind::Empty, 0.0};
    std::size_t end = 0;
    const std::optional<double> value = scanNumber(text, end);
    if (end != text.size()) return {WholeNumber::Kind::NotANumber, 0.0};
    if (!value) return {WholeNumber::Kind::TooLarge, 0.0};
    return {WholeNumber::Kind::Number, *value};
}

double num(std::string_view text) {
    const std::optional<double> value = tryNum(text);
    if (!value) refuseInput("값이 너무 커서 계산할 수 없습니다.");
    return *value;
}

}  // namespace verosa
