// The contract fuzzer of verosa-cli: its checker must catch every kind of
// breach (a checker that passes everything proves nothing), its cases must
// repeat from their seed, and what it learns must be the forms' own controls.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "analyses/Registry.h"
#include "fuzz/CliFuzz.h"

namespace {

using verosa::fuzz::AnalysisModel;
using verosa::fuzz::contractBreach;
using verosa::fuzz::Outcome;

const std::vector<std::string> kRun = {"run", "walkway"};
const std::string kReport = "   ┌──┐\r\n   │ 보행자 .95 │\r\n   └──┘\r\n";

std::string breachOf(int status, const std::string& out, const std::string& err = {},
                     const std::vector<std::string>& args = kRun) {
    Outcome o;
    o.status = status;
    o.out = out;
    o.err = err;
    auto breach = contractBreach(args, o);
    return breach ? breach->what : std::string();
}

TEST(CliFuzzChecker, KeepsAWellFormedReportRefusalAndUsageError) {
    EXPECT_EQ(breachOf(0, kReport), "");
    EXPECT_EQ(breachOf(0, "   information only\r\n"), "");     // "inf" inside a word is no number
    EXPECT_EQ(breachOf(0, "구간\t속도\r\n1\t 52.3\r\n"), "");  // TAB-separated renderings
    EXPECT_EQ(breachOf(2, "", "입력오류: 차로수는 1 이상이어야 합니다.\n"), "");
    EXPECT_EQ(breachOf(3, "", "계산오류: 0으로 나누었습니다.\n"), "");
    EXPECT_EQ(breachOf(64, "", "verosa-cli: unknown control: txtNope\nusage: ...\n"), "");
    // `list` prints plain lines, and example captions carry "#".
    EXPECT_EQ(breachOf(0, "walkway Ex#1\n", "", {"list"}), "");
}

TEST(CliFuzzChecker, CatchesEveryBrokenRuleOfASuccess) {
    EXPECT_NE(breachOf(0, ""), "");
    EXPECT_NE(breachOf(0, "   line\n"), "");            // bare LF
    EXPECT_NE(breachOf(0, "   a\rb\r\n"), "");          // bare CR
    EXPECT_NE(breachOf(0, "   a\r\n   b"), "");         // no CR LF at the end
    EXPECT_NE(breachOf(0, "   \xff\r\n"), "");          // not UTF-8
    EXPECT_NE(breachOf(0, "   \xed\xa0\x80\r\n"), "");  // a surrogate
    EXPECT_NE(breachOf(0, "   \xc0\xaf\r\n"), "");      // an overlong form
    EXPECT_NE(breachOf(0, "   \x1b[31mA\r\n"), "");     // a control character
    EXPECT_NE(breachOf(0, std::string("   A\0\r\n", 7)), "");
    EXPECT_NE(breachOf(0, "   x = nan\r\n"), "");
    EXPECT_NE(breachOf(0, "   차로수 : inf\r\n"), "");  // next to Hangul
    EXPECT_NE(breachOf(0, "   x = -Infinity\r\n"), "");
    EXPECT_NE(breachOf(0, "   x = @@@ / .9\r\n"), "");
    EXPECT_NE(breachOf(0, "   x = #.##\r\n"), "");
}

TEST(CliFuzzChecker, CatchesEveryBrokenRuleOfAFailure) {
    EXPECT_NE(breachOf(1, "", "x\n"), "");    // not a status of the contract
    EXPECT_NE(breachOf(139, "", "x\n"), "");  // a crash as a shell reports it
    EXPECT_NE(breachOf(2, "", ""), "");
    EXPECT_NE(breachOf(2, "", "입력오류: \n"), "");  // a heading without a message
    EXPECT_NE(breachOf(2, kReport, "입력오류: x\n"), "");
    EXPECT_NE(breachOf(3, "", "계산오류: 내부 오류 (vector::at)\n"), "");
    EXPECT_NE(breachOf(2, "", "입력오류: \xff\n"), "");
    Outcome escaped;
    escaped.escaped = "std::exception: boom";
    EXPECT_TRUE(contractBreach(kRun, escaped).has_value());
}

TEST(CliFuzzChecker, SaysWhereTheBreachIs) {
    Outcome o;
    o.out = "   a\r\n   b\n";
    auto breach = contractBreach(kRun, o);
    ASSERT_TRUE(breach);
    EXPECT_EQ(breach->at, 10u);
    EXPECT_FALSE(breach->inMessage);
}

TEST(CliFuzzGenerator, ACaseRepeatsFromItsSeedAlone) {
    const auto models = verosa::fuzz::learnAnalyses();
    for (std::uint64_t index : {0u, 7u, 4242u}) {
        verosa::fuzz::Random a(verosa::fuzz::caseSeed(11, index)), b(verosa::fuzz::caseSeed(11, index));
        const auto first = verosa::fuzz::generate(a, models);
        const auto second = verosa::fuzz::generate(b, models);
        EXPECT_EQ(first.args, second.args);
        EXPECT_EQ(first.inputText, second.inputText);
    }
    EXPECT_NE(verosa::fuzz::caseSeed(11, 0), verosa::fuzz::caseSeed(11, 1));
    EXPECT_NE(verosa::fuzz::caseSeed(11, 0), verosa::fuzz::caseSeed(12, 0));
}

const AnalysisModel& model(const std::vector<AnalysisModel>& models, const std::string& name) {
    auto it = std::find_if(models.begin(), models.end(), [&](const AnalysisModel& m) { return m.name == name; });
    if (it == models.end()) throw std::runtime_error("no model of " + name);
    return *it;
}

bool has(const std::vector<std::string>& v, const std::string& x) { return std::count(v.begin(), v.end(), x) > 0; }

TEST(CliFuzzGenerator, LearnsTheControlsFromTheForms) {
    const auto models = verosa::fuzz::learnAnalyses();
    // Every analysis of the facility table.
    EXPECT_EQ(models.size(), verosa::analyses::allAnalyses().size());
    EXPECT_TRUE(model(models, "signalized").built && model(models, "busload").built);
    // The walkway page's fields are near its analysis; the stairway's are not.
    const AnalysisModel& walkway = model(models, "walkway");
    EXPECT_TRUE(has(walkway.near.texts, "txtTotWidth_Road"));
    EXPECT_TRUE(has(walkway.far.texts, "txtPossibleWidth_Stairway"));
    EXPECT_TRUE(has(walkway.nearExamples, "Ex#1"));
    EXPECT_FALSE(has(walkway.nearExamples, "Ex#4"));
    EXPECT_TRUE(has(walkway.near.exits, "cmdExit"));
    EXPECT_FALSE(has(walkway.near.buttons, "cmdExit"));
    EXPECT_EQ(walkway.exampleTexts.at("txtTotWidth_Road"), std::vector<std::string>{"4.3"});
    // Lists with their item counts, option groups, array elements.
    const AnalysisModel& freeway = model(models, "freeway-oper");
    auto grade = std::find_if(freeway.near.lists.begin(), freeway.near.lists.end(),
                              [](const auto& l) { return l.name == "cboGrade"; });
    ASSERT_NE(grade, freeway.near.lists.end());
    EXPECT_EQ(grade->items, 8);
    EXPECT_TRUE(has(freeway.near.options, "optTwoSide"));
    EXPECT_TRUE(has(model(models, "bicycle").near.texts, "txtCycle[8]"));
}

TEST(CliFuzzGenerator, CommandLinesUseTheAnalysesAndOddTexts) {
    const auto models = verosa::fuzz::learnAnalyses();
    int runs = 0, examples = 0, sets = 0, presses = 0, inputs = 0, notUtf8 = 0;
    for (std::uint64_t i = 0; i < 2000; ++i) {
        verosa::fuzz::Random random(verosa::fuzz::caseSeed(5, i));
        const auto fc = verosa::fuzz::generate(random, models);
        runs += fc.args.size() >= 2 && fc.args[0] == "run";
        for (const std::string& a : fc.args) {
            examples += a == "--example";
            sets += a == "--set";
            presses += a == "--press";
            inputs += a == "--input";
            notUtf8 += verosa::fuzz::invalidUtf8(a).has_value();
        }
    }
    EXPECT_GT(runs, 1900);
    EXPECT_GT(examples, 1400);
    EXPECT_GT(sets, 3000);
    EXPECT_GT(presses, 200);
    EXPECT_GT(inputs, 40);
    EXPECT_GT(notUtf8, 30);
}

// The quoted command line gives the shell back the very bytes.
TEST(CliFuzzReport, ShellQuotingRepeatsTheArguments) {
    const std::vector<std::string> args = {"run",        "walkway", "--set", "txtA=1 2", "it's",
                                           "\xff\x01\n", "가\t",    "$HOME", "a\\b",     ""};
    // Through a script file: popen's shell knows no $'...'.
    const std::string script = testing::TempDir() + "verosa-quoting.sh";
    std::ofstream(script) << "printf '%s|' " << verosa::fuzz::shellQuoted(args) << '\n';
    FILE* pipe = ::popen(("bash " + script).c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string got;
    char buf[256];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) got.append(buf, n);
    ASSERT_EQ(::pclose(pipe), 0);
    std::string expected;
    for (const std::string& a : args) expected += a + "|";
    EXPECT_EQ(got, expected);
}

}  // namespace
