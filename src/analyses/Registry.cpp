#include "analyses/Registry.h"

#include "analyses/bicycle/BicycleForm.h"
#include "analyses/freeway/FreewayForm.h"
#include "analyses/multilane/MultilaneForm.h"
#include "analyses/pedestrian/PedestrianForm.h"
#include "analyses/ramp/RampForm.h"
#include "analyses/twolane/TwoLaneForm.h"
#include "analyses/weaving/WeavingForm.h"

namespace verosa::analyses {

// One line per built window; a facility's folder provides its factory.
const std::vector<WindowEntry>& windows() {
    static const std::vector<WindowEntry> list = {
        {"frmHighWay", freeway::makeFreewayForm},  {"frmManyWay", multilane::makeMultilaneForm},
        {"frm2Roadway", twolane::makeTwoLaneForm}, {"frmPedestrian", pedestrian::makePedestrianForm},
        {"frmWeaving", weaving::makeWeavingForm},  {"frmBike", bicycle::makeBicycleForm},
        {"frmConnector", ramp::makeRampForm},
    };
    return list;
}

// One line per built analysis: name, window, mode key written first, analysis button.
const std::vector<AnalysisEntry>& analyses() {
    static const std::vector<AnalysisEntry> list = {
        {"freeway-oper", "frmHighWay", "highwayoper", "cmdResult"},
        {"freeway-design", "frmHighWay", "highwaydesign", "cmdResult"},
        {"multilane", "frmManyWay", "manywayoper", "cmdResult"},
        {"twolane", "frm2Roadway", "", "cmdResult"},
        {"walkway", "frmPedestrian", "pedestrianoper", "cmdResultPedRoad"},
        {"weaving-oper", "frmWeaving", "weavingoper", "cmdResult"},
        {"weaving-design", "frmWeaving", "weavingdesign", "cmdResult"},
        {"crosswalk", "frmPedestrian", "pedestrianoper", "cmdResultCrossRoad"},
        {"stairway", "frmPedestrian", "pedestrianoper", "cmdResultStairway"},
        {"waitarea", "frmPedestrian", "pedestrianoper", "cmdResultWaitArea"},
        {"bicycle", "frmBike", "", "cmdResult"},
        {"ramp", "frmConnector", "", "cmdResult"},
    };
    return list;
}

const std::vector<std::string>& allAnalysisNames() {
    static const std::vector<std::string> names = {
        "freeway-oper", "freeway-design", "weaving-oper", "weaving-design", "ramp",    "multilane",
        "twolane",      "signalized",     "arterial",     "unsignalized",   "walkway", "crosswalk",
        "stairway",     "waitarea",       "busload",      "berth",          "bicycle"};
    return names;
}

const WindowEntry* findWindow(const std::string& windowName) {
    for (const auto& w : windows())
        if (w.windowName == windowName) return &w;
    return nullptr;
}

const AnalysisEntry* findAnalysis(const std::string& name) {
    for (const auto& a : analyses())
        if (a.name == name) return &a;
    return nullptr;
}

}  // namespace verosa::analyses
