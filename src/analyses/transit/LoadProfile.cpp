#include "analyses/transit/LoadProfile.h"

#include <algorithm>
#include <string>

namespace verosa::analyses::transit {

namespace {

// The plot area within the drawing; the bound labels stand right of it.
constexpr double kLeft = 34;
constexpr double kRight = 370;
constexpr double kTop = 18;
constexpr double kBottom = 178;

const char* const kAxisColour = "#404040";
const char* const kBoundColour = "#707070";
const char* const kNoLevelColour = "#5b7fa6";

using form::lineShape;
using form::rectShape;
using form::textShape;

void axes(form::DrawingData& d) {
    d.shapes.push_back(textShape(kLeft + 4, 0, "정류장별 탑승인원(인)"));
    d.shapes.push_back(lineShape(kLeft, kTop, kLeft, kBottom, kAxisColour, "axisY"));
    d.shapes.push_back(lineShape(kLeft, kBottom, kRight, kBottom, kAxisColour, "axisX"));
    d.shapes.push_back(textShape(kLeft - 12, kBottom - 7, "0"));
}

// The top of the scale: the highest load or the last bound with room above
// it, rounded up to tens.
int scaleTop(const BusLoadResult& r, const std::vector<int>& bounds) {
    int top = 10;
    for (Int16 load : r.onBoard) top = std::max(top, static_cast<int>(load.value()));
    if (!bounds.empty()) top = std::max(top, bounds.back() + 8);
    return (top + 9) / 10 * 10;
}

}  // namespace

std::string levelColour(std::optional<char> level) {
    if (!level) return kNoLevelColour;
    switch (*level) {
    case 'A': return "#2e7d32";
    case 'B': return "#7cb342";
    case 'C': return "#f9a825";
    case 'D': return "#ef6c00";
    case 'E': return "#d32f2f";
    default: return "#6a1b1b";
    }
}

form::DrawingData emptyLoadProfile() {
    form::DrawingData d;
    d.width = kProfileWidth;
    d.height = kProfileHeight;
    axes(d);
    d.shapes.push_back(
        textShape(kLeft + 20, (kTop + kBottom) / 2 - 8, "분석하면 정류장별 탑승인원이 표시됩니다.", kBoundColour));
    return d;
}

form::DrawingData loadProfile(BusType type, const BusLoadResult& r) {
    form::DrawingData d;
    d.width = kProfileWidth;
    d.height = kProfileHeight;
    axes(d);
    const std::vector<int> bounds = busLoadBounds(type);
    const int top = scaleTop(r, bounds);
    auto yOf = [top](double load) { return kBottom - load / top * (kBottom - kTop); };
    d.shapes.push_back(
        textShape(kLeft - 4 - 7.0 * static_cast<double>(std::to_string(top).size()), kTop - 7, std::to_string(top)));

    // The bars, and every k-th stop number under them (at most about fifteen).
    const int n = static_cast<int>(r.onBoard.size());
    const double slot = (kRight - kLeft) / std::max(1, n);
    const int every = std::max(1, (n + 14) / 15);
    for (int i = 1; i <= n; ++i) {
        const auto k = static_cast<size_t>(i - 1);
        const std::string fill = levelColour(r.los[k]);
        d.shapes.push_back(rectShape(kLeft + (i - 1) * slot + slot * 0.15, yOf(r.onBoard[k].value()),
                                     kLeft + i * slot - slot * 0.15, kBottom, fill, fill, "bar" + std::to_string(i)));
        if (i % every == 0 || i == 1) {
            const std::string number = std::to_string(i);
            d.shapes.push_back(
                textShape(kLeft + (i - 0.5) * slot - 3.5 * static_cast<double>(number.size()), kBottom + 3, number));
        }
    }

    // The level bounds, each labelled with the level it closes, in its colour;
    // F above the last.
    char level = 'A';
    for (int bound : bounds) {
        const double y = yOf(bound);
        const std::string letter(1, level);
        d.shapes.push_back(lineShape(kLeft, y, kRight, y, kBoundColour, "bound" + letter));
        d.shapes.push_back(textShape(kRight + 4, y - 7, letter + " ≤" + std::to_string(bound), levelColour(level)));
        ++level;
    }
    if (!bounds.empty()) d.shapes.push_back(textShape(kRight + 4, kTop - 7, "F", levelColour('F')));
    return d;
}

}  // namespace verosa::analyses::transit
