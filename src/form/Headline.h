#pragma once
// Headline results: the few values of an analysis that an engineer compares
// across cases (a level of service and the measure it rests on, flows,
// capacities, delays, speeds, lanes needed), each under a short ASCII name and
// as its report shows it: the report's rounding, a number as a number, a level
// as its letter. Every analysis command of a form may declare its own list of
// names, fixed and in order, so that a table of many cases has one column per
// name (docs/headlines.md lists them all with their units).
#include <string>
#include <string_view>
#include <vector>

namespace verosa::form {

class HeadlineValue {
public:
    enum class Kind {
        None,    // no such value in this case (a density where a capacity check decided the level)
        Number,  // text() is a JSON number ("0.95", "1827", "1.234568E+07")
        Text,    // text() is a text shown as it stands (a level's letter)
    };

    HeadlineValue() = default;
    // A number as a report shows it (" .95", "12.", "05.25", "."): blanks
    // dropped, a zero put before a leading point, a trailing point and
    // leading zeros of the integer part dropped, "#" of 0 ("" or ".") read as 0.
    // Anything else than such a number text is a fault of the caller
    // (std::logic_error).
    static HeadlineValue number(std::string_view reportText);
    // A level of service; the letter 0 (a level the analysis did not decide) is none.
    static HeadlineValue level(char letter);
    static HeadlineValue text(std::string text);
    static HeadlineValue none() { return {}; }

    Kind kind() const { return kind_; }
    const std::string& text() const { return text_; }
    friend bool operator==(const HeadlineValue&, const HeadlineValue&) = default;

private:
    HeadlineValue(Kind kind, std::string text) : kind_(kind), text_(std::move(text)) {}
    Kind kind_ = Kind::None;
    std::string text_;
};

struct Headline {
    std::string name;
    HeadlineValue value;
};

// A headline name: a lower-case ASCII letter, then lower-case letters, digits and "_".
bool isHeadlineName(std::string_view name);

}  // namespace verosa::form
