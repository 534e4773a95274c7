#pragma once
// The pedestrian facility window: walkway, stairway, waiting-area and
// crosswalk pages, each with its own analysis button, and one result page.
#include <memory>
#include <optional>

#include "analyses/pedestrian/Crosswalk.h"
#include "analyses/pedestrian/Stairway.h"
#include "analyses/pedestrian/Walkway.h"
#include "form/Form.h"

namespace verosa::analyses::pedestrian {

class PedestrianForm : public form::Form {
public:
    explicit PedestrianForm(form::FormContext context);

    // Page indexes, in the window's order.
    static constexpr int kWalkwayPage = 0;
    static constexpr int kStairwayPage = 1;
    static constexpr int kWaitingAreaPage = 2;
    static constexpr int kCrosswalkPage = 3;
    static constexpr int kResultPage = 4;

private:
    void buildWalkwayPage();
    void buildStairwayPage();
    void buildWaitAreaPage();
    void buildCrosswalkPage();
    std::string runWalkway();
    std::string runStairway();
    std::string runWaitArea();
    std::string runCrosswalk();
    // A field whose range starts at 0 and whose value a report prints: 0, or
    // at least the finest value the report shows in its few places.
    double printedOf(const std::string& name) const;
    void declarePedestrianHeadlines();

    // The last completed analysis of each page, for its headlines.
    std::optional<WalkwayResult> lastWalkway_;
    std::optional<StairwayResult> lastStairway_;
    std::optional<WaitAreaResult> lastWaitArea_;
    std::optional<std::pair<CrosswalkMethod, CrosswalkResult>> lastCrosswalk_;
};

}  // namespace verosa::analyses::pedestrian
