#pragma once
// Urban and suburban arterials: for each of 2 to 10 segments, the running time
// from table 2-4-5, the stopped delay at the segment's signal, the progression
// factor (table 2-4-8a for actuated, 2-4-8b for pretimed signals), the approach
// delay, the segment time, travel speed and level (table 2-4-9); then the travel
// speed and level of the whole arterial.
//
// Data flow: UrbanForm reads its controls into an UrbanInput (list positions as
// they stand, -1 for no choice; the cycle rounded half to even to 16 bits; g/C
// and v/c in single precision); analyseUrban() checks it and turns it with the
// four tables into an UrbanResult; resultTexts() gives the text of every result
// field, which the form writes into its result window; urbanRendering() and
// urbanPrintout() turn those field texts into the saved and the printed table.
#include <array>
#include <string>
#include <vector>

#include "numeric/CheckedInt.h"
#include "tables/LookupTable.h"

namespace verosa::analyses::arterial {

constexpr int kMaxSegments = 10;
constexpr int kMinSegments = 2;

// cboLen positions: "0.1이하", "0.2", … "0.9", "1.0이상".
constexpr int kLengthPositions = 10;

struct UrbanSegment {
    int length = -1;  // cboLen position
    double L = 0;     // the length text read as a decimal, km (0.1 … 1.0)
    int side = -1;    // cboSide position: 0 "대" (high friction), 1 "소" (low)
    float g = 0;      // g/C of the segment's signal
    float X = 0;      // v/c (degree of saturation)
};

struct UrbanInput {
    int segments = -1;   // N (2 … 10); -1 while the count is not chosen
    int area = -1;       // 0 outside the city centre, 1 inside
    int condition = -1;  // 0 links of four or more lanes per direction, 1 three or fewer
    int lanes = -1;      // cboLane position: lanes at the intersections - 1
    Int16 C;             // cycle length, s
    // Signal type: actuated ("감응신호") or pretimed ("고정신호"); neither
    // when both option buttons are off.
    bool actuated = false;
    bool pretimed = false;
    int arrivalType = -1;               // cboArr position (actuated)
    int progression = -1;               // cboOffset position: progression ratio 0, 5, … 95 % (pretimed)
    std::vector<UrbanSegment> segment;  // the first N rows
};

struct SegmentResult {
    float runningTime = 0;  // s
    float d = 0;            // stopped delay, s
    float PF = 0;           // progression factor
    float dp = 0;           // progression-adjusted delay, s
    char intersectionLevel = 'F';
    float da = 0;     // approach delay, s
    float T = 0;      // segment time, s
    float speed = 0;  // kph
    char level = 'F';
};

struct UrbanResult {
    Int16 k;    // arterial class 1 … 4
    Int16 FFS;  // free-flow speed, kph
    std::vector<SegmentResult> segment;
    double sumL = 0;  // km
    float sumT = 0;   // s
    float speed = 0;  // arterial travel speed, kph
    char level = 'F';
};

// The four tables of the window, all in factor.
struct UrbanTables {
    tables::LookupTable runningTime;  // 2-4-5: running time per km by length and class/side friction
    tables::LookupTable actuatedPF;   // 2-4-8a: PF by v/c row and arrival type
    tables::LookupTable pretimedPF;   // 2-4-8b: PF by progression ratio and v/c block/length
    tables::LookupTable speedBounds;  // 2-4-9: lowest speed of levels A to E by class
};

// Opens 2-4-5, 2-4-8a, 2-4-8b and 2-4-9; a missing file or table throws (MissingTable).
UrbanTables openUrbanTables(const tables::LookupTableStore& store);

// Refuses, before any table is read, an input the method cannot compute with:
// a list the analysis reads left without a choice, no signal type, a cycle
// below 1 s, g/C outside (0, 1], v/c below 0, g/C x v/c of 1 or more (the
// stopped-delay denominator 1 - g X would be zero or negative). The window
// asks in the order of its fields: the road lists, the signal settings, then
// row by row the two lists and the two ratios.
void checkUrbanInput(const UrbanInput& in);
void checkUrbanRoad(const UrbanInput& in);               // segment count, area, road condition, lanes
void checkUrbanSignal(const UrbanInput& in);             // cycle, signal type, arrival type or progression ratio
void checkSegmentChoices(const UrbanSegment& s, int i);  // row i: length and side friction
void checkSegment(const UrbanSegment& s, int i);         // row i: its choices, g/C, v/c and 1 - g X

// The steps of the method, each as the analysis uses it.
Int16 arterialClass(int area, int condition);  // k
Int16 freeFlowSpeed(Int16 k);                  // FFS, kph
float runningTime(const UrbanTables& t, Int16 k, const UrbanSegment& s);
float stoppedDelay(Int16 C, Int16 c, float g, float X);
// The 2-4-8b column offset within a v/c block for a length position.
int lengthOffset(int lengthPosition);
float actuatedPF(const UrbanTables& t, int arrivalType, float X);
float pretimedPF(const UrbanTables& t, int progression, int lengthPosition, float X);
char intersectionLevel(float dp);
// The factor from progression-adjusted to approach delay for a cycle length.
double approachFactor(Int16 C);
// A to E by the lowest speeds of table 2-4-9 for class k; F below E's.
char speedLevel(const UrbanTables& t, Int16 k, float speed);

UrbanResult analyseUrban(const UrbanInput& in, const UrbanTables& t);

// The number text of a single-precision value cut down to two decimals: its
// decimal text of 7 significant digits floored at the second decimal, then the
// number-text rule (a PF of 1.05 shows " 1.05", 23.456 shows " 23.45").
std::string cutText(float x);

// The text of every result field, as the result window shows it.
struct SegmentTexts {
    std::string cruseTime, delay, PF, intDelay, intLos, totalDelay, totalTime, travelSpeed, termLos;
    // The nine in the order of the result window's columns.
    std::array<std::string, 9> columns() const {
        return {cruseTime, delay, PF, intDelay, intLos, totalDelay, totalTime, travelSpeed, termLos};
    }
};
struct UrbanTexts {
    std::vector<SegmentTexts> segment;
    std::string highwayType, freeSpeed, totalSpeed, totalLos;
    // The four once-only values, in the order of their captions.
    std::array<std::string, 4> onceValues() const { return {highwayType, freeSpeed, totalSpeed, totalLos}; }
};
UrbanTexts resultTexts(const UrbanResult& r);

// What the result window saves (and verosa-cli prints): a header line, one
// line per segment and four caption lines, fields separated by one TAB, each
// line ending in CR LF; every field exactly the text of its result field.
std::string urbanRendering(const UrbanTexts& texts);
// The same table laid out in columns for the printer (ASCII one column, any
// other character two; headings over two or three lines).
std::string urbanPrintout(const UrbanTexts& texts);

// The captions of the nine per-segment fields, in rendering order.
extern const std::array<const char*, 9> kSegmentCaptions;

}  // namespace verosa::analyses::arterial
