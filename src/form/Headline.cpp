#include "form/Headline.h"

#include <stdexcept>

namespace verosa::form {

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

// The JSON number grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
bool isJsonNumber(std::string_view t) {
    std::size_t i = 0;
    if (i < t.size() && t[i] == '-') ++i;
    if (i >= t.size() || !digit(t[i])) return false;
    if (t[i] == '0' && i + 1 < t.size() && digit(t[i + 1])) return false;
    while (i < t.size() && digit(t[i])) ++i;
    if (i < t.size() && t[i] == '.') {
        ++i;
        if (i >= t.size() || !digit(t[i])) return false;
        while (i < t.size() && digit(t[i])) ++i;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (i >= t.size() || !digit(t[i])) return false;
        while (i < t.size() && digit(t[i])) ++i;
    }
    return i == t.size();
}

}  // namespace

HeadlineValue HeadlineValue::number(std::string_view reportText) {
    std::string_view t = reportText;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    std::string sign;
    if (!t.empty() && t.front() == '-') {
        sign = "-";
        t.remove_prefix(1);
    }
    // The exponent stays as it is.
    const std::size_t e = t.find_first_of("eE");
    std::string_view mantissa = t.substr(0, e);
    const std::string_view exponent = e == std::string_view::npos ? std::string_view() : t.substr(e);
    const std::size_t point = mantissa.find('.');
    std::string_view whole = mantissa.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
    std::string out = sign + (whole.empty() ? std::string("0") : std::string(whole));
    if (!fraction.empty()) out += "." + std::string(fraction);
    out += exponent;
    if (out == "-0" && fraction.empty() && whole.empty()) out = "0";
    if (!isJsonNumber(out)) throw std::logic_error("not a number text: \"" + std::string(reportText) + "\"");
    return {Kind::Number, std::move(out)};
}

HeadlineValue HeadlineValue::level(char letter) {
    if (letter == 0) return {};
    return {Kind::Text, std::string(1, letter)};
}

HeadlineValue HeadlineValue::text(std::string text) { return {Kind::Text, std::move(text)}; }

bool isHeadlineName(std::string_view name) {
    if (name.empty() || name.front() < 'a' || name.front() > 'z') return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || digit(c) || c == '_')) return false;
    return true;
}

}  // namespace verosa::form
