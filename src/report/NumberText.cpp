// Number text, plain text, numeric patterns and "@" fields of the reports.
// Every number is turned into decimal digits with std::to_chars (locale-free,
// exact on the binary value) and all rounding after that is done on the digits.
#include "report/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

#include "numeric/Num.h"
#include "numeric/Result.h"
#include "report/BoxReport.h"

namespace verosa::report {
namespace {

// |x| with `significant` digits: the digit string (exactly `significant`
// digits, the first non-zero unless x is 0) and the decimal exponent of the
// first digit, so that |x| = d.ddd x 10^exponent.
struct Scientific {
    std::string digits;
    int exponent = 0;
};

Scientific scientific(double x, int significant) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, significant - 1);
    std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    Scientific s;
    std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.') s.digits.push_back(text[i]);
    }
    std::string_view exp = text.substr(e + 1);
    if (!exp.empty() && exp[0] == '+') exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), s.exponent);
    return s;
}

void requireFinite(double x) {
    if (!std::isfinite(x)) failArithmetic("계산 결과가 실수 범위를 넘었습니다.");
}

// The number text of x rounded to `budget` significant digits.
std::string numberText(double x, int budget) {
    requireFinite(x);
    if (x == 0.0) return " 0";  // -0 as well
    Scientific s = scientific(x, budget);
    while (s.digits.size() > 1 && s.digits.back() == '0') s.digits.pop_back();
    std::string out(1, x < 0 ? '-' : ' ');
    if (s.exponent >= budget) {
        // More integer digits than the budget: d.dddE+XX.
        out += s.digits[0];
        if (s.digits.size() > 1) {
            out += '.';
            out.append(s.digits, 1);
        }
        out += "E+";
        if (s.exponent < 10) out += '0';
        char buf[8];
        auto res = std::to_chars(buf, buf + sizeof buf, s.exponent);
        out.append(buf, res.ptr);
        return out;
    }
    if (s.exponent < 0) {
        out += '.';
        out.append(static_cast<std::size_t>(-s.exponent - 1), '0');
        out += s.digits;
        return out;
    }
    std::size_t intDigits = static_cast<std::size_t>(s.exponent) + 1;
    if (s.digits.size() <= intDigits) {
        out += s.digits;
        out.append(intDigits - s.digits.size(), '0');
    } else {
        out.append(s.digits, 0, intDigits);
        out += '.';
        out.append(s.digits, intDigits);
    }
    return out;
}

std::string plainOf(std::string text) {
    if (text[0] == ' ') text.erase(0, 1);
    if (text[0] == '.') {
        text.insert(0, "0");
    } else if (text.compare(0, 2, "-.") == 0) {
        text.insert(1, "0");
    }
    return text;
}

// |x| as an exact decimal: `digits` (no sign) with `decimals` of them after
// the point, taken from the 15-significant-digit text of x.
struct Decimal {
    std::string digits;
    int decimals = 0;
};

Decimal decimal15(double x) {
    Scientific s = scientific(x, 15);
    Decimal d{s.digits, 14 - s.exponent};
    if (d.decimals < 0) {
        d.digits.append(static_cast<std::size_t>(-d.decimals), '0');
        d.decimals = 0;
    }
    return d;
}

// Adds one unit in the last place to a digit string.
void increment(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(0, "1");
}

enum class Halves { AwayFromZero, ToEven };

// At least one digit in front of the point, so both parts can be cut out.
Decimal padded(Decimal d) {
    std::size_t need = static_cast<std::size_t>(d.decimals) + 1;
    if (d.digits.size() < need) d.digits.insert(0, need - d.digits.size(), '0');
    return d;
}

// Rounds a decimal to `decimals` places after the point.
Decimal roundTo(Decimal d, int decimals, Halves halves) {
    if (d.decimals <= decimals) {
        d.digits.append(static_cast<std::size_t>(decimals - d.decimals), '0');
        d.decimals = decimals;
        return padded(d);
    }
    std::size_t drop = static_cast<std::size_t>(d.decimals - decimals);
    // Keep at least one digit in front of the dropped ones.
    if (d.digits.size() < drop + 1) d.digits.insert(0, drop + 1 - d.digits.size(), '0');
    std::string kept = d.digits.substr(0, d.digits.size() - drop);
    std::string dropped = d.digits.substr(d.digits.size() - drop);
    bool up = false;
    if (dropped[0] > '5') {
        up = true;
    } else if (dropped[0] == '5') {
        bool restZero = dropped.find_first_not_of('0', 1) == std::string::npos;
        if (halves == Halves::AwayFromZero || !restZero) {
            up = true;
        } else {
            up = (kept.back() - '0') % 2 == 1;
        }
    }
    if (up) increment(kept);
    return padded({kept, decimals});
}

bool isZero(const std::string& digits) { return digits.find_first_not_of('0') == std::string::npos; }

// Integer digits of a decimal without leading zeros (empty for none).
std::string integerDigits(const Decimal& d) {
    std::string whole = d.digits.substr(0, d.digits.size() - static_cast<std::size_t>(d.decimals));
    std::size_t first = whole.find_first_not_of('0');
    return first == std::string::npos ? std::string() : whole.substr(first);
}

std::string fractionDigits(const Decimal& d) {
    return d.digits.substr(d.digits.size() - static_cast<std::size_t>(d.decimals));
}

}  // namespace

std::string numtext(float x) { return numberText(static_cast<double>(x), 7); }
std::string numtext(double x) { return numberText(x, 15); }

std::string plain(float x) { return plainOf(numtext(x)); }
std::string plain(double x) { return plainOf(numtext(x)); }

std::string format(double x, std::string_view pattern) {
    std::size_t point = pattern.find('.');
    std::string_view intPattern = pattern.substr(0, point);
    std::string_view fracPattern = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    for (char c : pattern) {
        if (c != '#' && c != '0' && c != '.') {
            throw std::invalid_argument("unsupported numeric pattern");
        }
    }
    if (fracPattern.find('.') != std::string_view::npos) {
        throw std::invalid_argument("unsupported numeric pattern");
    }
    requireFinite(x);

    int decimals = static_cast<int>(fracPattern.size());
    Decimal d = roundTo(decimal15(x), decimals, Halves::AwayFromZero);
    bool negative = x < 0 && !isZero(d.digits);

    std::string integer = integerDigits(d);
    std::size_t minIntDigits = 0;
    for (char c : intPattern) {
        if (c == '0') ++minIntDigits;
    }
    if (integer.size() < minIntDigits) integer.insert(0, minIntDigits - integer.size(), '0');

    std::string fraction = fractionDigits(d);
    // "#" places drop their trailing zeros, from the right up to the first "0" place.
    while (!fraction.empty() && fracPattern[fraction.size() - 1] == '#' && fraction.back() == '0') {
        fraction.pop_back();
    }

    std::string out;
    if (negative) out += '-';
    out += integer;
    if (point != std::string_view::npos) {
        out += '.';
        out += fraction;
    }
    return out;
}

std::string formatText(std::string_view text, std::string_view pattern) { return format(num(text), pattern); }

double roundThrough(double x, std::string_view pattern) { return num(format(x, pattern)); }

double roundHalfEven(double x, int decimals) {
    if (decimals < 0) throw std::invalid_argument("negative number of decimals");
    requireFinite(x);
    Decimal d = roundTo(decimal15(x), decimals, Halves::ToEven);
    if (isZero(d.digits)) return 0.0;
    std::string text = x < 0 ? "-" : "";
    std::string integer = integerDigits(d);
    text += integer.empty() ? "0" : integer;
    text += '.';
    text += fractionDigits(d);
    return num(text);
}

float floorDecimals(float x, int decimals) {
    if (decimals < 0) throw std::invalid_argument("negative number of decimals");
    requireFinite(x);
    if (x == 0) return 0.0f;
    const Scientific s = scientific(static_cast<double>(x), 7);
    Decimal d = padded({s.digits, std::max(0, 6 - s.exponent)});
    if (6 - s.exponent < 0) d.digits.append(static_cast<std::size_t>(s.exponent - 6), '0');
    if (d.decimals > decimals) {
        const std::size_t drop = static_cast<std::size_t>(d.decimals - decimals);
        std::string kept = d.digits.substr(0, d.digits.size() - drop);
        // Flooring moves a negative value with anything cut one unit down.
        if (x < 0 && !isZero(d.digits.substr(d.digits.size() - drop))) increment(kept);
        d = padded({kept, decimals});
    }
    std::string text = x < 0 ? "-" : "";
    const std::string integer = integerDigits(d);
    text += integer.empty() ? "0" : integer;
    text += '.';
    text += fractionDigits(d);
    return static_cast<float>(num(text));
}

std::string at(std::string_view text, int n) {
    int k = characters(text);
    std::string out;
    if (k < n) out.append(static_cast<std::size_t>(n - k), ' ');
    out += text;
    return out;
}

}  // namespace verosa::report
