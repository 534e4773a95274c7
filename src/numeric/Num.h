#pragma once
// Reading numbers from the text of an input field, locale-independent.
#include <optional>
#include <string_view>

#include "numeric/CheckedInt.h"

namespace verosa {

// num(t): skips leading spaces and tabs and reads the longest prefix that is a
// decimal number (optional sign, digits with at most one ".", ".5" and "5."
// accepted, an exponent only when digits follow it); no number reads as 0.
// Returns nullopt where the number is not finite (it overflows a double).
std::optional<double> tryNum(std::string_view text);

// A field that must hold a number and nothing else: spaces and tabs around
// it are allowed, an exponent too ("1e3"); "abc", "1OO", "1,5", "12abc", "inf"
// and "nan" are not numbers.
struct WholeNumber {
    enum class Kind {
        Empty,       // nothing but blanks
        Number,      // `value` holds it
        NotANumber,  // anything else
        TooLarge,    // a number beyond a double's range
    } kind = Kind::Empty;
    double value = 0;
};
WholeNumber readWholeNumber(std::string_view text);

// num(t), refusing a value that is not finite as input (InputError thrown):
// the reading of table cells and of grid cells a method reads as 0 when
// empty. Number fields are read by the form's strict readers.
double num(std::string_view text);

}  // namespace verosa
