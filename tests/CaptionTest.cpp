// Captions carry the unit the method computes in: a length the method uses as
// kilometres is captioned in km, speeds in kph, and so on.
#include <gtest/gtest.h>

#include <string>

#include "analyses/Registry.h"
#include "tables/LookupTable.h"

using namespace verosa;

TEST(Captions, CarryTheUnitTheMethodComputesIn) {
    struct Case {
        const char* command;  // the menu command that opens the window
        const char* control;
        const char* caption;
    } cases[] = {
        {"mnuBycycle", "txtLinkLength[0]", "링크길이(km)"},
        {"mnuBycycle", "txtBikeSpeedStdErr", "자전거속도(표준편차,kph)"},
        {"mnuBycycle", "txtPedSpeedAvg", "보행자속도(평균,kph)"},
        {"mnuHighwayServiceLevel", "cboGradeLength", "경사길이(km)"},
        {"mnu2WayRoadwayServiceLevel", "cboGradeLength", "경사길이(km)"},
        {"mnuSignalizedIntersection", "lblLtVol", "좌회전 교통량(대/시)"},
        {"mnuSignalizedIntersection", "txtWalkPerson[2]", "보행량(인/시)"},
        {"mnuSignalizedIntersection", "txtLaneWidth", "차선폭(m)"},
        {"mnuUrbanRuralRoadway", "txtTotalSpeed", "구간총통행속도(kph)"},
    };
    const tables::LookupTableStore store;
    for (const Case& c : cases) {
        const analyses::Facility* facility = analyses::findCommand(c.command);
        ASSERT_NE(facility, nullptr) << c.command;
        form::AnalysisIndex index{facility->modeKey};
        auto form = facility->create({&index, &store});
        const form::Control& control = form->at(c.control);
        // A label's caption is its text.
        const std::string& shown = control.kind == form::ControlKind::Label ? control.text : control.caption;
        EXPECT_EQ(shown, c.caption) << c.command << " " << c.control;
    }
}
