#pragma once
// The report skeleton that the pedestrian analyses (and the bus-berth analysis)
// share: narrow frame, general information, input conditions, computation and
// result sections.
#include <functional>
#include <string>

#include "report/BoxReport.h"

namespace verosa::analyses::pedestrian {

struct PedestrianReportParts {
    std::string titleLine;                                     // the whole framed title line
    std::function<void(report::BoxReport&)> inputLines;        // "2. 입력조건" body
    std::function<void(report::BoxReport&)> computationLines;  // "3. 분석과정" body
    std::string level;                                         // the level-of-service letter
};

std::string pedestrianReport(const PedestrianReportParts& parts);

}  // namespace verosa::analyses::pedestrian
