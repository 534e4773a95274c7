// The drawing page: the four legs with the lanes of each approach as the lane
// slots hold them, each lane marked with arrows for the movements of its
// code, the opposite-direction lanes of each leg, and the crosswalks ticked.
// Traffic keeps to the right: EB arrives on the west leg south of its centre
// line, WB on the east leg north of it, NB on the south leg east of it, SB on
// the north leg west of it; lane 1 lies next to the centre line.
#include <algorithm>
#include <string>

#include "analyses/signalized/IntersectionForm.h"

namespace verosa::analyses::signalized {

namespace {

using form::Shape;

constexpr double kSize = 300;
constexpr double kMid = kSize / 2;
constexpr double kLane = 16;            // drawn width of a lane
constexpr double kBox = 5 * kLane;      // half the intersection box
constexpr double kLeg = kMid - kBox;    // length of a leg up to the box
constexpr int kDrawnOppositeLanes = 5;  // at most this many departing lanes fit

const char* const kRoad = "#8c8c8c";
const char* const kApproachLane = "#d9d9d9";
const char* const kOppositeLane = "#efefef";
const char* const kCentreLine = "#d4a017";
const char* const kArrow = "#1f4e9c";

// The arrows of left, through and right for traffic heading east, west, north, south.
struct Arrows {
    const char* left;
    const char* through;
    const char* right;
};
constexpr Arrows kArrows[kApproaches] = {{"↑", "→", "↓"}, {"↓", "←", "↑"}, {"←", "↑", "→"}, {"→", "↓", "←"}};

std::string arrowsOf(LaneCode code, int approach, bool stacked) {
    const Arrows& a = kArrows[approach];
    std::string out;
    auto add = [&](const char* arrow) {
        if (!out.empty() && stacked) out += "\n";
        out += arrow;
    };
    if (servesLeft(code)) add(a.left);
    if (servesThrough(code)) add(a.through);
    if (servesRight(code)) add(a.right);
    return out;
}

Shape rect(double x1, double y1, double x2, double y2, const char* fill, std::string name = {}) {
    return form::rectShape(x1, y1, x2, y2, fill, kRoad, std::move(name));
}

using form::lineShape;
using form::textShape;

// The band of lane n (1 = next to the centre line) of an approach, across its
// leg: as the offsets from the centre line, signed towards the approach's side.
struct Band {
    double from, to;
};
Band approachBand(int n) { return {(n - 1) * kLane, n * kLane}; }
Band oppositeBand(int n) { return {-n * kLane, -(n - 1) * kLane}; }

// A rectangle on the leg of approach i for a band across it.
Shape onLeg(int i, Band b, const char* fill, std::string name = {}) {
    switch (i) {
    case 0: return rect(0, kMid + b.from, kLeg, kMid + b.to, fill, std::move(name));  // west, south of centre
    case 1: return rect(kSize - kLeg, kMid - b.to, kSize, kMid - b.from, fill, std::move(name));  // east, north
    case 2: return rect(kMid + b.from, kSize - kLeg, kMid + b.to, kSize, fill, std::move(name));  // south, east
    default: return rect(kMid - b.to, 0, kMid - b.from, kLeg, fill, std::move(name));             // north, west
    }
}

}  // namespace

void IntersectionForm::draw() {
    form::DrawingData& d = control("picMain").drawing;
    d.width = kSize;
    d.height = kSize;
    d.shapes.clear();
    d.shapes.push_back(rect(kMid - kBox, kMid - kBox, kMid + kBox, kMid + kBox, "#c8c8c8", "box"));
    for (int i = 0; i < kApproaches; ++i) {
        const auto& slots = entry_.slots[static_cast<std::size_t>(i)];
        // The departing lanes of this leg.
        const int opposite = std::clamp(indexOf(form::element("cboCrossTotalLane", i)), 0, kDrawnOppositeLanes);
        for (int n = 1; n <= opposite; ++n)
            d.shapes.push_back(
                onLeg(i, oppositeBand(n), kOppositeLane, "opposite" + std::to_string(i) + "_" + std::to_string(n)));
        // The approach lanes as stored, each with its movements.
        int drawn = 0;
        for (int n = 1; n <= kLaneSlots; ++n) {
            const LaneInput& slot = slots[static_cast<std::size_t>(n - 1)];
            if (slot.code == LaneCode::None && slot.width == 0) continue;
            drawn = n;
            const std::string name = "lane" + std::to_string(i) + "_" + std::to_string(n);
            Shape lane = onLeg(i, approachBand(n), kApproachLane, name);
            d.shapes.push_back(lane);
            const bool vertical = i >= 2;
            const std::string arrows = arrowsOf(slot.code, i, vertical);
            if (arrows.empty()) continue;
            double x = 0, y = 0;
            // Beside the crosswalk, on the side away from the box.
            const double lines = static_cast<double>(std::count(arrows.begin(), arrows.end(), '\n') + 1);
            switch (i) {
            case 0: x = kLeg - 44, y = lane.y1 + 1; break;
            case 1: x = kSize - kLeg + 20, y = lane.y1 + 1; break;
            case 2: x = lane.x1 + 3, y = kSize - kLeg + 20; break;
            default: x = lane.x1 + 3, y = kLeg - 20 - 15.0 * lines; break;
            }
            d.shapes.push_back(textShape(x, y, arrows, kArrow, "arrows" + std::to_string(i) + "_" + std::to_string(n)));
        }
        // The centre line of the leg.
        switch (i) {
        case 0: d.shapes.push_back(lineShape(0, kMid, kLeg, kMid, kCentreLine)); break;
        case 1: d.shapes.push_back(lineShape(kSize - kLeg, kMid, kSize, kMid, kCentreLine)); break;
        case 2: d.shapes.push_back(lineShape(kMid, kSize - kLeg, kMid, kSize, kCentreLine)); break;
        default: d.shapes.push_back(lineShape(kMid, 0, kMid, kLeg, kCentreLine)); break;
        }
        // The crosswalk across the leg, over its drawn lanes.
        if (isChecked(form::element("chkCross", i))) {
            const double near = std::max(1, drawn) * kLane, far = std::max(1, opposite) * kLane;
            const std::string name = "crosswalk" + std::to_string(i);
            const double a = kLeg - 16, b = kLeg - 4;  // the walk's depth along the leg
            Shape walk;
            switch (i) {
            case 0: walk = rect(a, kMid - far, b, kMid + near, "#ffffff", name); break;
            case 1: walk = rect(kSize - b, kMid - near, kSize - a, kMid + far, "#ffffff", name); break;
            case 2: walk = rect(kMid - far, kSize - b, kMid + near, kSize - a, "#ffffff", name); break;
            default: walk = rect(kMid - near, a, kMid + far, b, "#ffffff", name); break;
            }
            d.shapes.push_back(walk);
            // Zebra stripes across the walk.
            const bool across = i < 2;  // stripes run along the leg, spaced across it
            for (double s = 4; s < (across ? walk.y2 - walk.y1 : walk.x2 - walk.x1); s += 6) {
                if (across)
                    d.shapes.push_back(lineShape(walk.x1 + 1, walk.y1 + s, walk.x2 - 1, walk.y1 + s, kRoad));
                else
                    d.shapes.push_back(lineShape(walk.x1 + s, walk.y1 + 1, walk.x1 + s, walk.y2 - 1, kRoad));
            }
        }
    }
    d.shapes.push_back(textShape(6, kMid + kBox + 8, "E  B", {}, "labelEB"));
    d.shapes.push_back(textShape(kSize - kLeg + 30, kMid - kBox - 24, "W  B", {}, "labelWB"));
    d.shapes.push_back(textShape(kMid + kBox + 8, kSize - 22, "N  B", {}, "labelNB"));
    d.shapes.push_back(textShape(kMid - kBox - 42, 6, "S  B", {}, "labelSB"));
}

}  // namespace verosa::analyses::signalized
