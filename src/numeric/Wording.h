#pragma once
// How input messages word a field and its allowed values in Korean: the
// particle that follows a word (이/가, 은/는, 을/를 by its last syllable) and
// one sentence for the range of a value.
#include <optional>
#include <string>
#include <string_view>

namespace verosa {

enum class Particle {
    Subject,  // 이 / 가
    Topic,    // 은 / 는
    Object,   // 을 / 를
};

// The word followed by the particle its last sound takes: "교통량은",
// "첨두시간계수는". A trailing parenthesis ("중차량비율(%)") is passed over:
// the word before it decides. Digits and Latin letters are read as spoken.
std::string withParticle(std::string_view word, Particle particle);

// A number as a message shows it: "32767", "0.5", "-3".
std::string messageNumber(double x);

// The allowed values of a field, as a sentence ending the message:
// "0 이상 100 이하여야 합니다.", "0보다 크고 1 이하여야 합니다.",
// "1 이상이어야 합니다.". An absent bound is open.
struct Bounds {
    std::optional<double> min, max;
    bool minIncluded = true, maxIncluded = true;
    // Whether x lies within the bounds (a NaN never does).
    bool contains(double x) const {
        const bool aboveMin = !min || (minIncluded ? x >= *min : x > *min);
        const bool belowMax = !max || (maxIncluded ? x <= *max : x < *max);
        return aboveMin && belowMax;
    }
};
std::string boundsSentence(const Bounds& bounds);

// "{subject}는 0 이상 100 이하여야 합니다." (or, for a value beyond the 16-bit
// range, "{subject}가 너무 큽니다. 32767 이하여야 합니다.")
std::string rangeMessage(std::string_view subject, const Bounds& bounds);
std::string tooLargeMessage(std::string_view subject, double largest);
std::string tooSmallMessage(std::string_view subject, double smallest);

// Refuses as input a value outside the bounds with the range message, the
// focus on `focus`: what a computation checks of a value its window already
// declares, when it is called directly.
void requireWithin(double x, const Bounds& bounds, std::string_view subject, std::string_view focus);

}  // namespace verosa
