#include "analyses/arterial/UrbanHeadlines.h"

namespace verosa::analyses::arterial {

using form::HeadlineValue;

const std::vector<std::string>& urbanHeadlineNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = {"class", "ffs_kph", "speed_kph", "los"};
        for (int i = 1; i <= kMaxSegments; ++i) {
            const std::string seg = "seg" + std::to_string(i);
            for (const char* item : {"_speed_kph", "_los", "_int_delay_s", "_int_los"}) n.push_back(seg + item);
        }
        return n;
    }();
    return names;
}

std::vector<HeadlineValue> urbanHeadlines(const UrbanResult& r) {
    const UrbanTexts t = resultTexts(r);
    std::vector<HeadlineValue> v = {HeadlineValue::number(t.highwayType), HeadlineValue::number(t.freeSpeed),
                                    HeadlineValue::number(t.totalSpeed), HeadlineValue::text(t.totalLos)};
    for (std::size_t i = 0; i < static_cast<std::size_t>(kMaxSegments); ++i) {
        if (i >= t.segment.size()) {
            v.insert(v.end(), 4, HeadlineValue::none());
            continue;
        }
        const SegmentTexts& s = t.segment[i];
        v.push_back(HeadlineValue::number(s.travelSpeed));
        v.push_back(HeadlineValue::text(s.termLos));
        v.push_back(HeadlineValue::number(s.intDelay));
        v.push_back(HeadlineValue::text(s.intLos));
    }
    return v;
}

}  // namespace verosa::analyses::arterial
