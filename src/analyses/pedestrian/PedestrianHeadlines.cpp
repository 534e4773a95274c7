#include "analyses/pedestrian/PedestrianHeadlines.h"

#include "report/NumberText.h"

namespace verosa::analyses::pedestrian {

using form::HeadlineValue;
using report::format;
using report::plain;

const std::vector<std::string>& walkwayHeadlineNames() {
    static const std::vector<std::string> names = {"we_m", "vp_ppmpm", "los"};
    return names;
}

std::vector<HeadlineValue> walkwayHeadlines(const WalkwayResult& r) {
    return {HeadlineValue::number(plain(r.We)), HeadlineValue::number(plain(r.Vp)), HeadlineValue::level(r.los)};
}

const std::vector<std::string>& stairwayHeadlineNames() {
    static const std::vector<std::string> names = {"vp_ppmpm", "los"};
    return names;
}

std::vector<HeadlineValue> stairwayHeadlines(const StairwayResult& r) {
    return {HeadlineValue::number(plain(r.Vp)), HeadlineValue::level(r.los)};
}

const std::vector<std::string>& waitAreaHeadlineNames() {
    static const std::vector<std::string> names = {"space_m2pp", "los"};
    return names;
}

std::vector<HeadlineValue> waitAreaHeadlines(const WaitAreaResult& r) {
    return {HeadlineValue::number(plain(r.M)), HeadlineValue::level(r.los)};
}

const std::vector<std::string>& crosswalkHeadlineNames() {
    static const std::vector<std::string> names = {"delay_s", "space_m2pp", "los"};
    return names;
}

std::vector<HeadlineValue> crosswalkHeadlines(CrosswalkMethod method, const CrosswalkResult& r) {
    const bool delay = method == CrosswalkMethod::Delay;
    return {delay ? HeadlineValue::number(format(r.dp, "###.##")) : HeadlineValue::none(),
            delay ? HeadlineValue::none() : HeadlineValue::number(format(r.M, "#0.##")), HeadlineValue::level(r.los)};
}

}  // namespace verosa::analyses::pedestrian
