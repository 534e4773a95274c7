#pragma once
// Two-lane two-way roads, over a general-terrain section or a specific grade:
// the peak flow rate Vp = V / (fhv x PHF), the delay rate under base conditions
// TDRi from Vp and the road class, the total delay rate
// TDR = fdlw x TDRi x fdp with the lane-width and clearance factor (table 3-5)
// and the no-passing factor (a constant on general terrain, table 3-7 on a
// grade), and the level of service from TDR and the design speed.
//
// Data flow: the form reads its fields into a TwoLaneInput, analyseTwoLane()
// refuses what it cannot compute with and returns a TwoLaneResult, and
// twoLaneReport() writes the report.
#include <string>

#include "numeric/CheckedInt.h"
#include "tables/LookupTable.h"

namespace verosa::analyses::twolane {

struct TwoLaneTables {
    tables::LookupTable peakHourFactor;  // 3-2: PHF by two-way volume
    tables::LookupTable laneClearance;   // 3-5: fdlw by clearance (rows) and lane width
    tables::LookupTable noPassing;       // 3-7: fdp on a grade by flow class and split
    tables::LookupTable equivalent;      // 3-8: ET by grade and length (rows) and Vd
};

// Opens the window's tables from the table file; a missing one throws MissingTable.
TwoLaneTables openTwoLaneTables(const tables::LookupTableStore& store);

// Section kinds by list position.
constexpr int kGeneralTerrain = 0;
constexpr int kSpecificGrade = 1;

struct TwoLaneInput {
    int section = -1;          // cboTermType position
    std::string volumeText;    // two-way volume as typed (a number, without the blanks around it)
    Int16 V;                   // the volume rounded half to even
    bool phfFromTable = true;  // the PHF field is empty (or blank)
    float PHF = 0;             // the typed PHF otherwise
    double mediumPercent = 0;  // trucks and buses, %
    double largePercent = 0;   // trailers, %
    double designSpeed = 0;
    std::string designSpeedText;  // as typed (a number, without the blanks around it)
    int laneWidth = -1;           // cboLaneWidth position
    std::string laneWidthText;
    int clearance = -1;  // cboSideWidth position
    std::string clearanceText;
    int noPassing = -1;  // cboGradePercent position
    std::string noPassingText;
    std::string terrain;   // cboLandType text: "평지" or "구릉지" (general terrain)
    int grade = -1;        // cboGrade position (specific grade)
    int gradeLength = -1;  // cboGradeLength position (specific grade)
    int split = -1;        // cboDirectionPercentSpecial position (specific grade)
    std::string splitText;
};

struct TwoLaneResult {
    float PHF = 0;
    float Pm = 0, Pl = 0, PT = 0;
    float Em = 0, El = 0;   // general terrain
    float ET = 0;           // specific grade
    float Vd = 0;           // one-direction volume, whole (specific grade)
    float fhv = 0;          // two decimals
    float Vp = 0;           // whole
    std::string roadClass;  // "Ⅰ" or "Ⅱ"
    float TDRi = 0;         // one decimal
    float fdlw = 0;
    float fdp = 0;
    float TDR = 0;  // one decimal
    char los = 'F';
};

// Refuses input the method cannot compute with (each refusal names the field
// to focus); analyseTwoLane() runs it first. checkTwoLaneChoices() is its part
// for the lists, which the window checks before it reads any number: the
// section kind decides which lists are read.
void checkTwoLaneChoices(const TwoLaneInput& in);
void checkTwoLane(const TwoLaneInput& in);
TwoLaneResult analyseTwoLane(const TwoLaneInput& in, const TwoLaneTables& tables);

// ---- the steps, for the tests ----

// Row of table 3-2 for the two-way volume V (1 up to 200 ... 13 above 2400).
int peakHourFactorRow(Int16 V);
// Flow class of Vp for table 3-7 (1 up to 200 ... 6 above 1400).
int flowClass(float Vp);
// Column of table 3-8 for the one-direction volume Vd.
int equivalentColumn(float Vd);
// The level of TDR for the design speed.
char twoLaneLevel(double designSpeed, float TDR);

}  // namespace verosa::analyses::twolane
