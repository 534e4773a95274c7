#pragma once
// Transit stops: the load on board a bus along its route, stop by stop, rated
// by the bus type's level bounds; and the capacity of one berth of a bus stop
// from the waiting share, g/C, the boarding passengers with their fares, the
// standees and the bus bay.
//
// Both are pure: an input record in, a result record out. An input they cannot
// compute with is refused ("입력오류", the focus on the control to mend) before
// anything is computed.
#include <optional>
#include <string>
#include <vector>

#include "numeric/CheckedInt.h"

namespace verosa::analyses::transit {

enum class BusType {
    None,    // no option chosen
    City,    // 도시형 버스
    Seat,    // 좌석형 버스
    Circle,  // 순환버스
};

// "도시형 버스", "좌석형 버스", "순환버스"; empty for none.
std::string busTypeName(BusType type);

// ---- in-vehicle load ----

constexpr int kMaxStops = 200;

struct BusLoadInput {
    BusType busType = BusType::None;
    // Persons per stop, stop 1 first; both as long as the stop count.
    std::vector<Int16> alighting;
    std::vector<Int16> boarding;
    int stopCount() const { return static_cast<int>(alighting.size()); }
};

struct BusLoadResult {
    std::vector<Int16> onBoard;            // persons on board leaving each stop
    std::vector<std::optional<char>> los;  // per stop; none without a bus type
};

// Refuses a stop count outside 1 .. 200, negative passenger counts, a stop
// where more passengers alight than are on board when the bus arrives, and a
// load beyond 16 bits (each naming its stop).
void checkBusLoad(const BusLoadInput& in);
BusLoadResult analyseBusLoad(const BusLoadInput& in);
// Level of a load on board for a bus type; each bound belongs to the better level.
char busLoadLevel(BusType type, Int16 onBoard);
// The upper bounds of levels A to E of a bus type (persons on board); empty for none.
std::vector<int> busLoadBounds(BusType type);

// ---- berth capacity ----

enum class YesNo {
    None = -1,  // no choice in the list
    No = 0,     // 없다
    Yes = 1,    // 있다
};

struct BerthInput {
    double waitShare = 0;      // bus waiting share, %
    float gC = 0;              // g/C; 1 on uninterrupted flow
    Int16 boarding;            // boarding passengers per bus
    Int16 alighting;           // alighting passengers per bus (shown only)
    float cardShare = 0;       // boarding passengers paying by card, %
    float exactFareShare = 0;  // paying the exact fare, %
    float changeShare = 0;     // needing change, %
    YesNo standees = YesNo::None;
    YesNo busBay = YesNo::None;
    BusType busType = BusType::None;
};

struct BerthResult {
    float berthFactor = 0;  // berth use factor of the waiting share
    float td = 0;           // dwell time, s
    float tc = 0;           // berth clearance time, s
    Int16 B;                // buses per hour per berth
};

// The berth use factor of a waiting share; above 50 % the method's own
// refusal ("버스대기비율이 50%를 초과할 수 없습니다. ").
float berthFactorOf(double waitShare);
// Refuses what the berth analysis cannot compute with: the waiting share
// first, then g/C outside (0, 1], negative counts or shares, fare shares not
// adding up to 100 (within 0.01), and a missing bus type, standee or bay choice.
void checkBerth(const BerthInput& in);
BerthResult analyseBerth(const BerthInput& in);
std::string berthReport(const BerthInput& in, const BerthResult& r);

}  // namespace verosa::analyses::transit
