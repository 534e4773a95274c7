#pragma once
// How numbers become report text: the number text of a value, the plain text an
// "@" pattern shows, the numeric patterns ("#0.00", "#.##", ...) and rounding a
// value through a pattern. All locale-independent and exact on the decimal value.
#include <string>
#include <string_view>

#include "numeric/CheckedInt.h"

namespace verosa::report {

// numtext(x): a leading space for zero or more ("-" otherwise), at most 7
// significant digits for a float and 15 for a double, no trailing zeros, no zero
// before the point (" .95", "-.5", " 0", " 2300"); the exponent form
// (" 1.234568E+07") only where the integer part has more digits than that.
std::string numtext(float x);
std::string numtext(double x);
inline std::string numtext(Int16 x) { return numtext(static_cast<double>(x.value())); }
inline std::string numtext(Int32 x) { return numtext(static_cast<double>(x.value())); }

// The plain text of a number: numtext without the leading space and with the
// zero before the point ("0.5", "-0.5", "2.9", "1827").
std::string plain(float x);
std::string plain(double x);
inline std::string plain(Int16 x) { return plain(static_cast<double>(x.value())); }
inline std::string plain(Int32 x) { return plain(static_cast<double>(x.value())); }

// A numeric pattern applied to a value: the value is written with 15 significant
// digits (a float widened first), then rounded on that decimal text, half away
// from zero, to the pattern's decimals. "0" placeholders always print a digit,
// "#" only where there is one; every integer digit prints; the point prints
// whenever the pattern has one ("#.##" of 0 is "."); a value that rounds to zero
// has no sign. `pattern` must be one of the patterns the reports use (or any of
// their kind: "#"/"0" placeholders with at most one point).
std::string format(double x, std::string_view pattern);
inline std::string format(float x, std::string_view pattern) { return format(static_cast<double>(x), pattern); }
inline std::string format(Int16 x, std::string_view pattern) { return format(static_cast<double>(x.value()), pattern); }
// A text that holds a number is read as that number first (num), then formatted.
std::string formatText(std::string_view text, std::string_view pattern);

// Rounds through a pattern and reads the text back: the fhv of "#.##".
double roundThrough(double x, std::string_view pattern);

// "Rounded to n decimals" with halves to the even neighbour, on the decimal
// value (15 significant digits), read back as a double.
double roundHalfEven(double x, int decimals);

// "Cut to n decimals" of a single value: its decimal text (the 7 significant
// digits its number text shows) floored to n places, read back as a float
// (23.456 gives 23.45; 1.05 stays 1.05, where flooring the binary value
// would give 1.04).
float floorDecimals(float x, int decimals);

// An "@" pattern of n placeholders: text shorter than n characters (code
// points, not bytes or columns) is right-aligned with spaces; longer text is
// returned whole.
std::string at(std::string_view text, int n);
// A number given to an "@" pattern shows its plain text.
inline std::string at(double x, int n) { return at(plain(x), n); }
inline std::string at(float x, int n) { return at(plain(x), n); }
inline std::string at(Int16 x, int n) { return at(plain(x), n); }

// The number text of a value placed in an "@" pattern of n places: what the
// reports write most (" 1827" in "@@@@@").
template <class T>
std::string numAt(T x, int n) {
    return at(numtext(x), n);
}

// The number text of a value in a numeric pattern: the value is first written
// as its number text (7 significant digits for a float) and that text is
// formatted, as where the method formats a value it has already turned into text.
template <class T>
std::string numPattern(T x, std::string_view pattern) {
    return formatText(numtext(x), pattern);
}

// n spaces: the padding between the fixed pieces of a line.
inline std::string blanks(int n) { return std::string(static_cast<std::size_t>(n < 0 ? 0 : n), ' '); }

}  // namespace verosa::report
