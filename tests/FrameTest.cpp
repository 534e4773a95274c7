// The frame of every framed report closes: over every example of every
// analysis, each content line is exactly the frame's width (or, where its text
// is wider still, ends in one space and the closing bar).
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "analyses/Registry.h"
#include "report/BoxReport.h"
#include "tables/LookupTable.h"

using namespace verosa;

TEST(ReportFrames, EveryExampleOfEveryFramedReportCloses) {
    const tables::LookupTableStore store;
    int framedReports = 0;
    for (const analyses::AnalysisRef& a : analyses::allAnalyses()) {
        if (!a.facility->built()) continue;
        form::AnalysisIndex index{a.facility->modeKey};
        auto probe = a.facility->create({&index, &store});
        for (const form::Control* example : probe->exampleButtons()) {
            auto form = a.facility->create({&index, &store});
            form->open();
            form->press(example->name);
            if (!form->press(a.analysis->button).ok()) continue;  // an example of another analysis of the window
            const std::string where = a.analysis->name + " " + example->caption;
            const std::vector<std::string> lines = test::linesOf(form->renderingOf(a.analysis->button));
            if (lines.empty() || lines.front().rfind("   ┌", 0) != 0) continue;  // worksheets, plain lines, tables
            ++framedReports;
            const int width = report::columns(lines.front());
            for (const std::string& line : lines) {
                if (line.rfind("   │", 0) != 0) continue;
                const int have = report::columns(line);
                EXPECT_TRUE(have == width || (have > width && line.size() > 4 && line.ends_with(" │")))
                    << where << ": " << have << " columns for " << width << "\n"
                    << line;
                EXPECT_TRUE(line.ends_with("│")) << where << "\n" << line;
            }
        }
    }
    EXPECT_GE(framedReports, 20);
}
