// What a window's text can hold, and how a refusal quotes what the user typed:
// a message shows well-formed UTF-8 only, never a control character.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "form/Form.h"
#include "form/Utf8.h"

namespace {

using verosa::form::invalidUtf8At;
using verosa::form::isControlCharacter;
using verosa::form::utf8SequenceAt;

constexpr std::size_t kNone = std::string::npos;

TEST(TypedText, WellFormedUtf8Only) {
    EXPECT_EQ(invalidUtf8At("4.3 차로 ≤ ㎡ 😀"), kNone);
    EXPECT_EQ(utf8SequenceAt("가", 0), 3u);
    EXPECT_EQ(utf8SequenceAt("😀", 0), 4u);
    EXPECT_EQ(invalidUtf8At("ab\xff"), 2u);
    EXPECT_EQ(invalidUtf8At("\xc0\xaf"), 0u);          // overlong "/"
    EXPECT_EQ(invalidUtf8At("\xe0\x80\xaf"), 0u);      // overlong, three bytes
    EXPECT_EQ(invalidUtf8At("\xf0\x80\x80\xaf"), 0u);  // overlong, four bytes
    EXPECT_EQ(invalidUtf8At("a\xed\xa0\x80"), 1u);     // a surrogate
    EXPECT_EQ(invalidUtf8At("\xf4\x90\x80\x80"), 0u);  // beyond U+10FFFF
    EXPECT_EQ(invalidUtf8At("\xf5\x80\x80\x80"), 0u);
    EXPECT_EQ(invalidUtf8At("가\xea\xb0"), 3u);    // cut short
    EXPECT_EQ(invalidUtf8At("\xea\x41\x80"), 0u);  // a continuation byte missing
}

TEST(TypedText, ControlCharacters) {
    EXPECT_TRUE(isControlCharacter("\x01", 0, 1));
    EXPECT_TRUE(isControlCharacter("\t", 0, 1));
    EXPECT_TRUE(isControlCharacter("\x7f", 0, 1));
    EXPECT_TRUE(isControlCharacter("\xc2\x85", 0, 2));   // NEL
    EXPECT_FALSE(isControlCharacter("\xc2\xa0", 0, 2));  // no-break space
    EXPECT_FALSE(isControlCharacter(" ", 0, 1));
    EXPECT_FALSE(isControlCharacter("가", 0, 3));
}

class OneFieldForm : public verosa::form::Form {
public:
    OneFieldForm() : Form({nullptr, nullptr}) { addNumber("txtLane", "차로수", {{1.0, 8.0}, std::nullopt}); }
    double lanes() const { return numberOf("txtLane"); }
};

std::string refusalOf(const std::string& typed) {
    OneFieldForm f;
    f.setText("txtLane", typed);
    try {
        f.lanes();
    } catch (const verosa::Failure& failure) {
        return failure.error().message;
    }
    return "accepted";
}

TEST(TypedText, ARefusalQuotesOnlyWhatAWindowCouldShow) {
    const std::string prefix = "차로수는 숫자로 입력하십시오. (입력된 값: ";
    EXPECT_EQ(refusalOf("2차로"), prefix + "\"2차로\")");
    EXPECT_EQ(refusalOf("\xed\xa0\x80"), prefix + "\"???\")");    // a surrogate, byte by byte
    EXPECT_EQ(refusalOf("1\xe0\x80\xaf"), prefix + "\"1???\")");  // an overlong form
    EXPECT_EQ(refusalOf("\xf5\x80"), prefix + "\"??\")");
    EXPECT_EQ(refusalOf("1\xc2\x85"), prefix + "\"1?\")");  // NEL is one character
    EXPECT_EQ(refusalOf("1\r\n"), prefix + "\"1??\")");
    // At most 24 characters, then "...".
    EXPECT_EQ(refusalOf(std::string(24, 'x')), prefix + "\"" + std::string(24, 'x') + "\")");
    EXPECT_EQ(refusalOf(std::string(30, 'x')), prefix + "\"" + std::string(24, 'x') + "...\")");
    EXPECT_EQ(refusalOf(std::string(24, 'x') + "가"), prefix + "\"" + std::string(24, 'x') + "...\")");
}

}  // namespace
