#include <span>
#include <stdexcept>
#include <string>

#include "analyses/LevelOfService.h"
#include "analyses/Limits.h"
#include "analyses/transit/Transit.h"
#include "numeric/Result.h"
#include "numeric/Wording.h"

namespace verosa::analyses::transit {

namespace {
const char* const kStopCountField = "txtStopNo";
const char* const kGrid = "MSFBusCap";

std::string stop(int i) { return std::to_string(i) + "번 정류장"; }
}  // namespace

std::string busTypeName(BusType type) {
    switch (type) {
    case BusType::City: return "도시형 버스";
    case BusType::Seat: return "좌석형 버스";
    case BusType::Circle: return "순환버스";
    case BusType::None: break;
    }
    return {};
}

std::vector<int> busLoadBounds(BusType type) {
    switch (type) {
    case BusType::Seat: return {22, 34, 45, 57, 70};
    case BusType::City: return {15, 31, 40, 50, 62};
    case BusType::Circle: return {12, 24, 31, 38, 48};
    case BusType::None: break;
    }
    return {};
}

char busLoadLevel(BusType type, Int16 onBoard) {
    const std::vector<int> bounds = busLoadBounds(type);
    return levelFromUpperBounds(static_cast<int>(onBoard.value()), std::span<const int>(bounds));
}

void checkBusLoad(const BusLoadInput& in) {
    const int n = in.stopCount();
    if (n < 1 || n > kMaxStops) refuseInput(rangeMessage("정류장 갯수", {1.0, double(kMaxStops)}), kStopCountField);
    if (in.boarding.size() != in.alighting.size())
        throw std::logic_error("bus load: boarding and alighting of different lengths");
    // The load is followed in a wider integer, so that each fault is named at
    // its stop before the 16-bit arithmetic meets it.
    long load = 0;
    for (int i = 1; i <= n; ++i) {
        const long off = in.alighting[static_cast<size_t>(i - 1)].value();
        const long on = in.boarding[static_cast<size_t>(i - 1)].value();
        requireWithin(static_cast<double>(off), limits::kAtLeastZero, stop(i) + "의 하차승객", kGrid);
        requireWithin(static_cast<double>(on), limits::kAtLeastZero, stop(i) + "의 승차승객", kGrid);
        if (off > load)
            refuseInput(stop(i) + "에서 내리는 승객(" + std::to_string(off) + "인)이 도착할 때의 탑승인원(" +
                            std::to_string(load) + "인)보다 많습니다. 하차승객을 확인하십시오.",
                        kGrid);
        load = load - off + on;
        if (load > Int16::kMax) refuseInput(tooLargeMessage(stop(i) + "의 탑승인원", double(Int16::kMax)), kGrid);
    }
}

BusLoadResult analyseBusLoad(const BusLoadInput& in) {
    checkBusLoad(in);
    BusLoadResult r;
    const int n = in.stopCount();
    r.onBoard.reserve(static_cast<size_t>(n));
    r.los.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<size_t>(i);
        // 16-bit arithmetic: the load leaving the previous stop, less those
        // who alight, plus those who board.
        const Int16 load =
            i == 0 ? in.boarding[k] - in.alighting[k] : r.onBoard[k - 1] - in.alighting[k] + in.boarding[k];
        r.onBoard.push_back(load);
        if (in.busType == BusType::None)
            r.los.push_back(std::nullopt);
        else
            r.los.push_back(busLoadLevel(in.busType, load));
    }
    return r;
}

}  // namespace verosa::analyses::transit
