#include "numeric/Wording.h"

#include <charconv>
#include <cmath>

#include "numeric/Result.h"

namespace verosa {
namespace {

// The code point that ends a UTF-8 text (0 for an empty one).
char32_t lastCodePoint(std::string_view s) {
    if (s.empty()) return 0;
    std::size_t i = s.size() - 1;
    while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
    const auto lead = static_cast<unsigned char>(s[i]);
    char32_t cp = 0;
    int extra = 0;
    if (lead < 0x80) return lead;
    if ((lead & 0xE0) == 0xC0)
        cp = lead & 0x1F, extra = 1;
    else if ((lead & 0xF0) == 0xE0)
        cp = lead & 0x0F, extra = 2;
    else
        cp = lead & 0x07, extra = 3;
    for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < s.size(); ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
    return cp;
}

// Whether the last sound of a word closes with a consonant (batchim).
bool endsInConsonant(std::string_view word) {
    // "중차량비율(%)": the word before a closing parenthesis decides.
    while (!word.empty() && word.back() == ')') {
        const std::size_t open = word.rfind('(');
        if (open == std::string_view::npos) break;
        word = word.substr(0, open);
    }
    while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
    const char32_t c = lastCodePoint(word);
    if (c >= 0xAC00 && c <= 0xD7A3) return (c - 0xAC00) % 28 != 0;
    // Digits as spoken: 영 일 이 삼 사 오 육 칠 팔 구.
    if (c >= '0' && c <= '9') return std::string_view("1101001110")[c - '0'] == '1';
    // Latin letters as spoken: el, em, en, ar close with a consonant.
    switch (c) {
    case 'L':
    case 'l':
    case 'M':
    case 'm':
    case 'N':
    case 'n':
    case 'R':
    case 'r': return true;
    default: return false;
    }
}

}  // namespace

std::string withParticle(std::string_view word, Particle particle) {
    const bool closed = endsInConsonant(word);
    std::string out(word);
    switch (particle) {
    case Particle::Subject: out += closed ? "이" : "가"; break;
    case Particle::Topic: out += closed ? "은" : "는"; break;
    case Particle::Object: out += closed ? "을" : "를"; break;
    }
    return out;
}

std::string messageNumber(double x) {
    if (x == 0) return "0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, res.ptr);
}

std::string boundsSentence(const Bounds& b) {
    const std::string lo = b.min ? messageNumber(*b.min) : std::string();
    const std::string hi = b.max ? messageNumber(*b.max) : std::string();
    const std::string upper = hi + (b.maxIncluded ? " 이하여야 합니다." : "보다 작아야 합니다.");
    if (b.min && b.max) return lo + (b.minIncluded ? " 이상 " : "보다 크고 ") + upper;
    if (b.min) return lo + (b.minIncluded ? " 이상이어야 합니다." : "보다 커야 합니다.");
    if (b.max) return upper;
    return "";
}

std::string rangeMessage(std::string_view subject, const Bounds& bounds) {
    return withParticle(subject, Particle::Topic) + " " + boundsSentence(bounds);
}

std::string tooLargeMessage(std::string_view subject, double largest) {
    return withParticle(subject, Particle::Subject) + " 너무 큽니다. " + messageNumber(largest) + " 이하여야 합니다.";
}

std::string tooSmallMessage(std::string_view subject, double smallest) {
    return withParticle(subject, Particle::Subject) + " 너무 작습니다. " + messageNumber(smallest) +
           " 이상이어야 합니다.";
}

void requireWithin(double x, const Bounds& bounds, std::string_view subject, std::string_view focus) {
    if (!bounds.contains(x)) refuseInput(rangeMessage(subject, bounds), std::string(focus));
}

}  // namespace verosa
