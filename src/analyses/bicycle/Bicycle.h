#pragma once
// Bicycle facilities. Uninterrupted flow (paths and on-street lanes) is rated
// by the conflicts - meetings and passings - a cyclist has per hour;
// interrupted flow by the delay at one signalized intersection, or by the
// average travel speed along an urban street with two to eight of them.
// Each analysis is a pure function from its input record to its result
// record; the reports are plain unframed lines.
#include <array>
#include <string>

#include "numeric/CheckedInt.h"

namespace verosa::analyses::bicycle {

// ---- uninterrupted flow ----

// Path types by their list position.
enum class PathType : int {
    None = -1,
    OneWay = 0,    // 자전거전용도로(일방통행)
    TwoWay = 1,    // 자전거전용도로(양방통행)
    Shared = 2,    // 자전거, 보행자 겸용도로
    OnStreet = 3,  // 노상 자전거도로
};

// Path widths by their list position.
enum class PathWidth : int {
    None = -1,
    TwoMetres = 0,    // "2m"
    ThreeMetres = 1,  // "3m"
};

struct BikePathInput {
    PathType type = PathType::None;
    PathWidth width = PathWidth::None;
    float PHF = 0;
    std::string volumeText;  // the bicycle volume as typed (a number, without the blanks around it)
    double bikeVolume = 0;   // bicycles/h
    float Sb = 0;            // mean bicycle speed, km/h
    float sigma = 0;         // standard deviation of bicycle speed, km/h
    float D = 0;             // share of bicycles in the major direction, % (types 1, 2)
    double pedVolume = 0;    // pedestrians/h (type 2)
    float Sp = 0;            // mean pedestrian speed, km/h (type 2)
    float Dp = 0;            // share of pedestrians in the major direction, % (type 2)
};

struct BikePathResult {
    Int16 Vb;      // bicycle flow rate
    Int16 Vp;      // pedestrian flow rate (type 2)
    double r = 0;  // 2σ / (√3.14 × Sb)
    // One-way path and on-street lane.
    Int16 F;
    char los = 'F';
    // Two-way and shared path: the cyclist's own direction and the opposite one.
    Int16 Fsame;
    Int16 Fopp;
    char losSame = 'F';
    char losOpp = 'F';
};

// Refuses no path type or width, a PHF or mean speed of zero or less, negative
// volumes or deviation, direction shares outside 0 to 100 %, flows or
// conflicts beyond 16 bits and conflicts below zero (pedestrians much faster
// than the bicycles).
BikePathResult analysePath(const BikePathInput& in);
// Its first part, the lists, which the window checks before it reads any
// number: the path type decides which fields are read.
void checkPathChoices(const BikePathInput& in);
// Level of a conflict count; each bound belongs to the better level.
char pathLevel(PathType type, PathWidth width, Int16 F);

// ---- interrupted flow ----

constexpr int kMaxIntersections = 8;

struct BikeStreetInput {
    double PHF = 0;
    double bikeVolume = 0;                             // bicycles/h
    float W = 0;                                       // path width, m
    double runSpeed = 0;                               // running speed, km/h (urban street only)
    int n = 0;                                         // intersections, 1 to 8 (0: none chosen)
    std::array<Int16, kMaxIntersections + 1> cycle{};  // [1..n], s
    std::array<float, kMaxIntersections + 1> gC{};     // [1..n]
    std::array<double, kMaxIntersections + 1> L{};     // [0..n], used as km
};

struct BikeStreetResult {
    Int16 Vb;
    double fw = 0;                                     // width factor
    std::array<Int16, kMaxIntersections + 1> Cbike{};  // [1..n], bicycles/h
    std::array<float, kMaxIntersections + 1> d{};      // [1..n], s, two decimals
    float Dt = 0;                                      // total delay, s (urban street)
    float Lt = 0;                                      // total length (urban street)
    float ATS = 0;                                     // average travel speed, km/h, one decimal (urban street)
    char los = 'F';
};

// Refuses no intersection count, a PHF, width or running speed of zero or
// less, a negative volume or link length, a cycle of zero or less, a g/C
// outside (0, 1], no capacity, a zero delay denominator, no street length,
// and a flow rate beyond 16 bits.
BikeStreetResult analyseStreet(const BikeStreetInput& in);
// Its first part, the intersection count, which the window checks before it
// reads any number: the count decides how many places are read.
void checkIntersectionCount(const BikeStreetInput& in);
double widthFactor(float W);
char delayLevel(float d);
char travelSpeedLevel(float ATS);

}  // namespace verosa::analyses::bicycle
