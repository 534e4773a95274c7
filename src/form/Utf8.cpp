#include "form/Utf8.h"

namespace verosa::form {

std::size_t utf8SequenceAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b = byte(i);
    if (b < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) low = 0xA0;   // no overlong form
        if (b == 0xED) high = 0x9F;  // no surrogate
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) low = 0x90;   // no overlong form
        if (b == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return length;
}

std::size_t invalidUtf8At(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceAt(text, i);
        if (length == 0) return i;
        i += length;
    }
    return std::string_view::npos;
}

bool isControlCharacter(std::string_view text, std::size_t i, std::size_t length) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (length == 1) return b < 0x20 || b == 0x7F;
    return length == 2 && b == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

std::string quotedForMessage(std::string_view text, int limit) {
    std::string out = "\"";
    std::size_t i = 0;
    for (int shown = 0; i < text.size() && shown < limit; ++shown) {
        const std::size_t length = utf8SequenceAt(text, i);
        if (length == 0 || isControlCharacter(text, i, length)) {
            out += '?';
            i += length == 0 ? 1 : length;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    if (i < text.size()) out += "...";
    return out + "\"";
}

}  // namespace verosa::form
