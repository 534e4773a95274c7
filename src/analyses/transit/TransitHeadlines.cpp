#include "analyses/transit/TransitHeadlines.h"

#include "report/NumberText.h"

namespace verosa::analyses::transit {

using form::HeadlineValue;
using report::plain;

const std::vector<std::string>& busLoadHeadlineNames() {
    static const std::vector<std::string> names = {"stops", "peak_load_persons", "peak_stop", "los"};
    return names;
}

std::vector<HeadlineValue> busLoadHeadlines(const BusLoadResult& r) {
    std::size_t peak = 0;
    for (std::size_t k = 1; k < r.onBoard.size(); ++k)
        if (r.onBoard[k].value() > r.onBoard[peak].value()) peak = k;
    if (r.onBoard.empty()) return {};
    const std::optional<char> level = r.los[peak];
    return {HeadlineValue::number(std::to_string(r.onBoard.size())), HeadlineValue::number(plain(r.onBoard[peak])),
            HeadlineValue::number(std::to_string(peak + 1)),
            level ? HeadlineValue::level(*level) : HeadlineValue::none()};
}

const std::vector<std::string>& berthHeadlineNames() {
    static const std::vector<std::string> names = {"berth_factor", "td_s", "tc_s", "capacity_bph"};
    return names;
}

std::vector<HeadlineValue> berthHeadlines(const BerthResult& r) {
    return {HeadlineValue::number(plain(r.berthFactor)), HeadlineValue::number(plain(r.td)),
            HeadlineValue::number(plain(r.tc)), HeadlineValue::number(plain(r.B))};
}

}  // namespace verosa::analyses::transit
