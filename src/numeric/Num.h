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

// num(t), refusing a value that is not finite as input (InputError thrown).
double num(std::string_view text);

// Reads a field into single precision, refusing a value beyond a float's range.
// `what` names the field in the refusal message.
float readSingle(std::string_view text, std::string_view what = {});
double readDouble(std::string_view text, std::string_view what = {});
// A 16-bit integer field: read, rounded half to even; beyond 16 bits (or not
// finite) it is refused naming `what`, with the focus on the field `focus`.
Int16 readInt16(std::string_view text, std::string_view what, std::string_view focus = {});

}  // namespace verosa
