#include "analyses/bicycle/BicycleHeadlines.h"

#include "report/NumberText.h"

namespace verosa::analyses::bicycle {

using form::HeadlineValue;
using report::numtext;

namespace {

// Positions in the list.
constexpr std::size_t kVb = 0;
constexpr std::size_t kConflicts = 1;
constexpr std::size_t kSameConflicts = 2;
constexpr std::size_t kSameLevel = 3;
constexpr std::size_t kOppConflicts = 4;
constexpr std::size_t kOppLevel = 5;
constexpr std::size_t kFirstIntersection = 6;  // capacity and delay of each, 1 to 8
constexpr std::size_t kAts = kFirstIntersection + 2 * kMaxIntersections;
constexpr std::size_t kLevel = kAts + 1;

HeadlineValue number(const std::string& text) { return HeadlineValue::number(text); }

}  // namespace

const std::vector<std::string>& bicycleHeadlineNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n = {"vb_bph",   "conflicts_ph",     "same_conflicts_ph",
                                      "same_los", "opp_conflicts_ph", "opp_los"};
        for (int i = 1; i <= kMaxIntersections; ++i) {
            n.push_back("x" + std::to_string(i) + "_capacity_bph");
            n.push_back("x" + std::to_string(i) + "_delay_s");
        }
        n.push_back("ats_kph");
        n.push_back("los");
        return n;
    }();
    return names;
}

std::vector<HeadlineValue> bicycleHeadlines(const BikePathInput& in, const BikePathResult& r) {
    std::vector<HeadlineValue> v(bicycleHeadlineNames().size());
    v[kVb] = number(numtext(r.Vb));
    if (in.type == PathType::OneWay || in.type == PathType::OnStreet) {
        v[kConflicts] = number(numtext(r.F));
        v[kLevel] = HeadlineValue::level(r.los);
    } else {
        v[kSameConflicts] = number(numtext(r.Fsame));
        v[kSameLevel] = HeadlineValue::level(r.losSame);
        v[kOppConflicts] = number(numtext(r.Fopp));
        v[kOppLevel] = HeadlineValue::level(r.losOpp);
    }
    return v;
}

std::vector<HeadlineValue> bicycleHeadlines(const BikeStreetInput& in, const BikeStreetResult& r) {
    std::vector<HeadlineValue> v(bicycleHeadlineNames().size());
    for (int i = 1; i <= in.n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        v[kFirstIntersection + 2 * (k - 1)] = number(numtext(r.Cbike[k]));
        v[kFirstIntersection + 2 * (k - 1) + 1] = number(numtext(r.d[k]));
    }
    if (in.n >= 2) v[kAts] = number(numtext(r.ATS));
    v[kLevel] = HeadlineValue::level(r.los);
    return v;
}

}  // namespace verosa::analyses::bicycle
