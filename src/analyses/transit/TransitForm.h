#pragma once
// The transit stop window: the load on board along a route, typed stop by
// stop into an editable grid and rated per stop (with its load profile), and
// the capacity of a bus stop's berth with its report.
#include <array>
#include <map>
#include <optional>
#include <string>

#include "analyses/transit/Transit.h"
#include "form/Form.h"

namespace verosa::analyses::transit {

class TransitForm : public form::Form {
public:
    explicit TransitForm(form::FormContext context);

    // Page indexes, in the window's order.
    static constexpr int kLoadPage = 0;
    static constexpr int kHeadwayPage = 1;
    static constexpr int kBerthPage = 2;
    static constexpr int kStopCapacityPage = 3;
    static constexpr int kResultPage = 4;

    // Rows of the stop grid.
    static constexpr int kStopRow = 0;
    static constexpr int kAlightingRow = 1;
    static constexpr int kBoardingRow = 2;
    static constexpr int kOnBoardRow = 3;
    static constexpr int kLevelRow = 4;

private:
    void buildLoadPage();
    void buildBusTypeOnlyPage(int page, const char* button);
    void buildBerthPage();
    void addBusTypes(int page);
    BusType busTypeOn(int page) const;

    void resizeGrid();
    Int16 passengers(int row, int stop) const;
    void runBusLoad();
    std::string busLoadRendering() const;
    std::string runBerth();

    // The typed rows of stop columns the grid gave up when the stop count
    // went down, given back when it goes up again.
    std::map<int, std::array<std::string, 2>> kept_;

    // The last completed analysis of each page, for its headlines.
    std::optional<BusLoadResult> lastBusLoad_;
    std::optional<BerthResult> lastBerth_;
};

}  // namespace verosa::analyses::transit
