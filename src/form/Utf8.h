#pragma once
// What a window's text can hold: well-formed UTF-8 (no overlong forms, no
// surrogates, nothing beyond U+10FFFF) and, in a single-line field, no control
// character. Text from the command line or a case file is checked against it
// before it is set or echoed.
#include <cstddef>
#include <string>
#include <string_view>

namespace verosa::form {

// The length of the well-formed UTF-8 sequence at text[i], 0 where there is none.
std::size_t utf8SequenceAt(std::string_view text, std::size_t i);
// The offset of the first byte that is not well-formed UTF-8, npos for none.
std::size_t invalidUtf8At(std::string_view text);
// Whether the sequence of `length` bytes at text[i] is a C0 or C1 control
// character or DEL.
bool isControlCharacter(std::string_view text, std::size_t i, std::size_t length);

// A text as a message may quote it: in double quotes, each byte of a broken
// sequence and each control character shown as "?", at most `limit`
// characters, "..." after a cut.
std::string quotedForMessage(std::string_view text, int limit);

}  // namespace verosa::form
