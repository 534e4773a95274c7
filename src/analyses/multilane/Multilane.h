#pragma once
// Multilane highways, one direction of a section: the average travel speeds of
// passenger cars (Sp2) and heavy vehicles (St2), either computed from the road
// and traffic conditions (base speed less the adjustments for lane width and
// clearance, curvature, grade and access points, then less the signal and
// volume adjustments of tables 6-6, 6-7a and 6-7b) or measured in a speed
// survey; their mean S weighted by the heavy-vehicle share, and the level of
// service from the lower speed bounds of table 6-8.
//
// Data flow: the form reads its fields into a MultilaneInput, analyseMultilane()
// refuses what it cannot compute with and returns a MultilaneResult, and
// multilaneReport() writes the report. Nothing is written before everything is
// computed.
#include <string>

#include "analyses/Limits.h"
#include "numeric/CheckedInt.h"
#include "numeric/Wording.h"
#include "tables/LookupTable.h"

namespace verosa::analyses::multilane {

// The values the window's number fields admit. The form declares them on its
// fields; checkManyWay refuses the density, share, volume, PHF, curvature,
// vertical alignment and g/C outside them where it is called without the form.
namespace limits {
// Signals per km: the density classes of tables 6-6 to 6-8 end at 1.0.
inline constexpr Bounds kDensity{0.0, 1.0};
inline constexpr Bounds kShare = analyses::limits::kShare;  // heavy vehicles
// Speeds measured in a survey (km/h).
inline constexpr Bounds kSpeed{0.0, 150.0, false, true};
// One direction's hourly volume (veh/h): four digits fill the report's field,
// more than a multilane direction carries.
inline constexpr Bounds kVolume{0.0, 9999.0};
inline constexpr Bounds kPHF = analyses::limits::kPeakHourFactor;
// Curvature (˚/km) and vertical alignment (m/km): the bands of the
// adjustments end at 80 and 90.
inline constexpr Bounds kCurvature{0.0, 80.0};
inline constexpr Bounds kVertical{0.0, 90.0};
inline constexpr Bounds kAccessPoints{0.0, 100.0};  // per km
// g/C is a ratio of 1 at most; below 0.6 the method's own message refuses it.
inline constexpr Bounds kGreenRatio{std::nullopt, 1.0};
}  // namespace limits

// The four tables of the window, opened when it opens.
struct MultilaneTables {
    tables::LookupTable signal;           // 6-6: Fs by g/C (rows) and signal density
    tables::LookupTable volumePassenger;  // 6-7a: Fv of passenger cars by flow rate
    tables::LookupTable volumeHeavy;      // 6-7b: Fv of heavy vehicles by flow rate
    tables::LookupTable levels;           // 6-8: lower speed bound of levels A to E
};

// Opens the window's tables from the table file; a missing one throws MissingTable.
MultilaneTables openMultilaneTables(const tables::LookupTableStore& store);

// Road types by list position.
constexpr int kTypeI = 0;
constexpr int kTypeII = 1;
constexpr int kTypeIII = 2;

struct MultilaneInput {
    // Both ways of working.
    int roadType = -1;             // cboTermType position; -1 none chosen
    std::string roadTypeText;      // its list text ("유형 Ⅱ "), shown in the report
    double D = 0;                  // signal density, signals per km
    double heavyPercent = 0;       // heavy-vehicle share, %
    std::string heavyPercentText;  // the share as typed (once read as a number, without blanks around)
    bool measured = false;         // optYes: the speeds come from a survey

    // Measured speeds (option "가능").
    Int16 measuredSp1;
    float measuredSp2 = 0;
    float measuredSt2 = 0;

    // Road and traffic conditions (option "불가능").
    double volume = 0;   // one-direction hourly volume as read
    Int16 V;             // the volume rounded half to even
    int laneWidth = -1;  // cboLaneWidth position
    std::string laneWidthText;
    int clearance = -1;  // cboSideWidth position
    std::string clearanceText;
    float PHF = 0;
    double H = 0;        // horizontal curvature, degrees per km
    double G = 0;        // vertical alignment, m of rise and fall per km
    double A = 0;        // access points per km
    double gC = 0;       // mean green ratio of the signals
    std::string gCText;  // g/C as typed (once read as a number, without blanks around)
};

struct MultilaneResult {
    Int16 BSp, Fwc, Fb, FhPassenger, FhHeavy, Fa, Vp, Sp1;
    float FsPassenger = 0, FsHeavy = 0;
    float FvPassenger = 0, FvHeavy = 0;
    float Sp2 = 0, St2 = 0;
    float p = 0;
    float S = 0;
    char los = 'F';
};

// The message of the green-ratio check, as the window shows it.
extern const char* const kGreenRatioMessage;

// Refuses input the method cannot compute with (each refusal names the field to
// focus); analyseMultilane() runs it first.
void checkManyWay(const MultilaneInput& in);
// The lists alone: a road type, one with a column in table 6-8, and for the
// computed speeds the lane width and clearance (the form asks this before it
// reads its numbers).
void checkChoices(const MultilaneInput& in);
// The method's own check: a g/C below 0.6 is refused with its message.
void checkGreenRatio(double gC);
MultilaneResult analyseMultilane(const MultilaneInput& in, const MultilaneTables& tables);

// ---- the steps, for the tests ----

// Fwc by lane-width and clearance positions.
Int16 laneClearanceAdjustment(int laneWidth, int clearance);
// Fb by road type and curvature H (0 above the last band).
Int16 curvatureAdjustment(int roadType, double H);
// Fh of passenger cars by road type, and of heavy vehicles, from G.
Int16 gradeAdjustmentPassenger(int roadType, double G);
Int16 gradeAdjustmentHeavy(double G);
// Fa by access points.
Int16 accessAdjustment(double A);

// Columns of the tables by density class (and Sp1 for 6-7a).
int signalColumn(double D);                      // 6-6, passenger cars (heavy: +1)
int volumeColumnPassenger(double D, Int16 Sp1);  // 6-7a
int volumeColumnHeavy(double D);                 // 6-7b
// 6-8 by road type and density; 0 where the table has no column.
int levelColumn(int roadType, double D);

// Fs from table 6-6 at g/C (>= 0.60) in `column`.
float signalAdjustment(const tables::LookupTable& t, double gC, int column);
// Fv from table 6-7a or 6-7b at flow rate Vp in `column` (0 up to 500).
float volumeAdjustment(const tables::LookupTable& t, Int16 Vp, int column);
// The level of S in `column` of table 6-8: the first level whose bound is
// below S; F when none is.
char multilaneLevel(const tables::LookupTable& t, int column, float S);

}  // namespace verosa::analyses::multilane
