#pragma once
// The narrow framed report (32 "─") that the pedestrian and bus-stop analyses
// share: the title, "1. 일반사항" with the blanks an engineer fills in by hand
// on the printout, then numbered sections, each a heading and its lines.
#include <functional>
#include <string>
#include <vector>

#include "report/BoxReport.h"

namespace verosa::report {

struct NarrowSection {
    std::string heading;                     // "2. 입력조건"
    std::function<void(BoxReport&)> lines;  // the section's body, after its heading and an empty line
};

// `titleLine` is the whole framed title line. Sections are separated by frame
// separators; the last is followed by the bottom line.
std::string narrowReport(const std::string& titleLine, const std::vector<NarrowSection>& sections);

// The pedestrian form of it: "2. 입력조건", "3. 분석과정" and "4. 분석결과"
// with the level-of-service line.
struct PedestrianReportParts {
    std::string titleLine;
    std::function<void(BoxReport&)> inputLines;
    std::function<void(BoxReport&)> computationLines;
    std::string level;  // the level-of-service letter
};
std::string pedestrianReport(const PedestrianReportParts& parts);

}  // namespace verosa::report
