// Number reading and report text under the user's locale. The desktop program
// calls setlocale(LC_ALL, ""); CTest runs these under a German (comma) locale,
// where nothing may change.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include "numeric/Num.h"
#include "report/NumberText.h"

using namespace verosa;
using namespace verosa::report;

namespace {

class LocaleNumbers : public ::testing::Test {
protected:
    void SetUp() override {
        const char* active = std::setlocale(LC_ALL, "");
        const char* expected = std::getenv("VEROSA_EXPECT_LOCALE");
        if (expected != nullptr && *expected != '\0') {
            // Missing locale is a failure, never a skip: the test would prove nothing.
            ASSERT_NE(active, nullptr) << "setlocale could not switch to " << expected
                                       << " (create it with: localedef -i de_DE -f UTF-8 de_DE.UTF-8)";
            ASSERT_STREQ(std::localeconv()->decimal_point, ",")
                << "locale " << active << " does not use a decimal comma";
        }
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

}  // namespace

TEST_F(LocaleNumbers, ReadsThePoint) {
    EXPECT_EQ(num("4.3"), 4.3);
    EXPECT_EQ(num("-.5"), -0.5);
    EXPECT_EQ(num("4,3"), 4.0);  // a comma ends the number
    EXPECT_EQ(readWholeNumber("1.5e2").value, 150.0);
}

TEST_F(LocaleNumbers, WritesThePoint) {
    EXPECT_EQ(numtext(4.3), " 4.3");
    EXPECT_EQ(numtext(0.95f), " .95");
    EXPECT_EQ(numtext(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(plain(-0.5), "-0.5");
    EXPECT_EQ(format(2.675, "#0.00"), "2.68");
    EXPECT_EQ(format(1234.5, "###.##"), "1234.5");
    EXPECT_EQ(format(0.25, "##.00"), ".25");
    EXPECT_EQ(roundThrough(0.125, "#.##"), 0.13);
    EXPECT_EQ(roundHalfEven(2.665, 2), 2.66);
}
