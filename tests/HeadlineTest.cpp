// Headline results: report number texts as JSON numbers, what a form gives
// before and after its analysis, and every analysis's names valid, unique and
// documented in docs/headlines.md.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "analyses/Registry.h"
#include "cli/Case.h"
#include "form/Headline.h"
#include "tables/LookupTable.h"

namespace verosa {
namespace {

using form::HeadlineValue;

TEST(Headline, ReportNumberTextsBecomeJsonNumbers) {
    const std::pair<const char*, const char*> cases[] = {
        {" .95", "0.95"},    {" 2105", "2105"}, {"-.5", "-0.5"}, {"12.", "12"},      {"05.25", "5.25"},
        {"00.00", "0.00"},   {".", "0"},        {"", "0"},       {"0.950", "0.950"}, {" 1.234568E+07", "1.234568E+07"},
        {"-12.30", "-12.30"}};
    for (const auto& [text, json] : cases) {
        const HeadlineValue v = HeadlineValue::number(text);
        EXPECT_EQ(v.kind(), HeadlineValue::Kind::Number) << text;
        EXPECT_EQ(v.text(), json) << text;
    }
    for (const char* notNumber : {"abc", "1,5", "1.2.3", "--1", "1e"})
        EXPECT_THROW(HeadlineValue::number(notNumber), std::logic_error) << notNumber;
    EXPECT_EQ(HeadlineValue::level('C').text(), "C");
    EXPECT_EQ(HeadlineValue::level(0).kind(), HeadlineValue::Kind::None);
}

TEST(Headline, NamesAreLowerCaseAscii) {
    EXPECT_TRUE(form::isHeadlineName("density_pcpkmpl"));
    EXPECT_TRUE(form::isHeadlineName("seg10_los"));
    for (const char* bad : {"", "Los", "1los", "_los", "los-a", "밀도"}) EXPECT_FALSE(form::isHeadlineName(bad)) << bad;
}

// A form gives its names with no values before its analysis has completed,
// the values of its last completed one after it, and keeps them when a later
// run is refused (as it keeps the report).
TEST(Headline, AFormGivesTheValuesOfItsLastCompletedAnalysis) {
    const analyses::AnalysisRef ref = analyses::findAnalysis("walkway");
    form::AnalysisIndex index{ref.facility->modeKey};
    const tables::LookupTableStore store;
    auto f = ref.facility->create({&index, &store});
    const std::string button = ref.analysis->button;

    auto before = f->headlinesOf(button);
    ASSERT_EQ(before.size(), 3u);
    for (const form::Headline& h : before) EXPECT_EQ(h.value.kind(), HeadlineValue::Kind::None) << h.name;

    ASSERT_TRUE(f->press(f->exampleButton("Ex#1")->name).ok());
    ASSERT_TRUE(f->press(button).ok());
    const auto after = f->headlinesOf(button);
    EXPECT_EQ(after[0].name, "we_m");
    EXPECT_EQ(after[0].value.text(), "2.9");
    EXPECT_EQ(after[2].value.text(), "C");

    f->setText("txtPeakPedVolume_Road", "-1");
    EXPECT_EQ(f->press(button).status, form::Outcome::Status::Refused);
    EXPECT_EQ(f->headlinesOf(button)[1].value, after[1].value);
    // Another page's analysis has run nothing yet.
    EXPECT_EQ(f->headlinesOf("cmdResultStairway")[0].value.kind(), HeadlineValue::Kind::None);
    EXPECT_THROW(f->headlinesOf("cmdEx1"), form::UsageError);
}

// Each documented name, `N` standing for a number and `MV` for a movement.
std::vector<std::regex> documentedNames() {
    std::ifstream file(VEROSA_SOURCE_DIR "/docs/headlines.md");
    EXPECT_TRUE(file) << "docs/headlines.md";
    std::vector<std::regex> names;
    const std::regex row(R"(^\|[^`]*`([A-Za-z0-9_]+)` \|)");
    for (std::string line; std::getline(file, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, row)) continue;
        std::string pattern = std::regex_replace(m[1].str(), std::regex("MV"), "(nbr|sbr|wbl|ebl|nbt|sbt|nbl)");
        pattern = std::regex_replace(pattern, std::regex("N"), "[0-9]+");
        names.emplace_back("^" + pattern + "$");
    }
    return names;
}

TEST(Headline, EveryAnalysisNamesValidUniqueDocumentedHeadlines) {
    const std::vector<std::regex> documented = documentedNames();
    ASSERT_GT(documented.size(), 60u);
    std::vector<bool> used(documented.size());
    for (const std::string& analysis : cli::builtAnalyses()) {
        const std::vector<std::string> names = cli::headlineNamesOf(analysis);
        EXPECT_FALSE(names.empty()) << analysis;
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << analysis;
        for (const std::string& name : names) {
            EXPECT_TRUE(form::isHeadlineName(name)) << analysis << " " << name;
            bool found = false;
            for (std::size_t i = 0; i < documented.size(); ++i)
                if (std::regex_match(name, documented[i])) found = used[i] = true;
            EXPECT_TRUE(found) << analysis << ": " << name << " is not in docs/headlines.md";
        }
        // Every analysis names its outcome: a level of service, a capacity, or
        // for a design the lanes it needs.
        bool rated = false;
        for (const std::string& name : names)
            rated = rated || name.ends_with("los") || name.find("capacity") != std::string::npos ||
                    name.find("_cp_") != std::string::npos || name == "lanes";
        EXPECT_TRUE(rated) << analysis;
    }
    for (std::size_t i = 0; i < used.size(); ++i) EXPECT_TRUE(used[i]) << "documented name " << i << " is not used";
}

}  // namespace
}  // namespace verosa
