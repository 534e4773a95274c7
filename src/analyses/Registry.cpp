#include "analyses/Registry.h"

#include "analyses/arterial/UrbanForm.h"
#include "analyses/bicycle/BicycleForm.h"
#include "analyses/freeway/FreewayForm.h"
#include "analyses/multilane/MultilaneForm.h"
#include "analyses/pedestrian/PedestrianForm.h"
#include "analyses/ramp/RampForm.h"
#include "analyses/signalized/IntersectionForm.h"
#include "analyses/transit/TransitForm.h"
#include "analyses/twolane/TwoLaneForm.h"
#include "analyses/unsignalized/UnsignalizedForm.h"
#include "analyses/weaving/WeavingForm.h"

namespace verosa::analyses {

namespace {

template <class F>
std::unique_ptr<form::Form> make(form::FormContext context) {
    return std::make_unique<F>(context);
}

namespace key = form::modekey;

}  // namespace

const std::vector<Facility>& facilities() {
    static const std::vector<Facility> table = {
        {"mnuHighway",
         "고속도로 기본구간",
         "mnuHighwayServiceLevel",
         "운영분석",
         "frmHighWay",
         key::kHighwayOper,
         make<freeway::FreewayForm>,
         {{"freeway-oper", "cmdResult"}}},
        {"mnuHighway",
         "고속도로 기본구간",
         "mnuHighwayLaneDesign",
         "설계분석",
         "frmHighWay",
         key::kHighwayDesign,
         make<freeway::FreewayForm>,
         {{"freeway-design", "cmdResult"}}},
        {"mnuWeaving",
         "고속도로 엇갈림구간",
         "mnuWeavingOperation",
         "운영분석",
         "frmWeaving",
         key::kWeavingOper,
         make<weaving::WeavingForm>,
         {{"weaving-oper", "cmdResult"}}},
        {"mnuWeaving",
         "고속도로 엇갈림구간",
         "mnuWeavingDesign",
         "설계분석",
         "frmWeaving",
         key::kWeavingDesign,
         make<weaving::WeavingForm>,
         {{"weaving-design", "cmdResult"}}},
        {"mnuRamp",
         "고속도로 연결로 접속부",
         "mnuConnectorOperation",
         "운영분석",
         "frmConnector",
         "",
         make<ramp::RampForm>,
         {{"ramp", "cmdResult"}}},
        {"mnuMultilaneRoadway",
         "다차로도로",
         "mnuManywayOperation",
         "운영분석",
         "frmManyWay",
         key::kManywayOper,
         make<multilane::MultilaneForm>,
         {{"multilane", "cmdResult"}}},
        {"mnu2WayRoadway",
         "2차로도로",
         "mnu2WayRoadwayServiceLevel",
         "운영분석",
         "frm2Roadway",
         "",
         make<twolane::TwoLaneForm>,
         {{"twolane", "cmdResult"}}},
        {"",
         "",
         "mnuSignalizedIntersection",
         "신호교차로",
         "frmInterSection",
         "",
         make<signalized::IntersectionForm>,
         {{"signalized", "cmdAnalysis"}}},
        {"",
         "",
         "mnuUrbanRuralRoadway",
         "도시 및 교외 간선도로",
         "frmUrban",
         "",
         make<arterial::UrbanForm>,
         {{"arterial", "Command1"}}},
        {"",
         "",
         "mnuNonSingnalIntersection",
         "비신호교차로",
         "frmNoControlIntersection",
         "",
         make<unsignalized::UnsignalizedForm>,
         {{"unsignalized", "cmdResult"}}},
        {"",
         "",
         "mnuTransit",
         "대중교통시설",
         "frmTransit",
         "",
         make<transit::TransitForm>,
         {{"busload", "cmdResultPedRoad"}, {"berth", "cmdResultWaitArea"}}},
        {"",
         "",
         "mnuPedstrian",
         "보행자시설",
         "frmPedestrian",
         key::kPedestrianOper,
         make<pedestrian::PedestrianForm>,
         {{"walkway", "cmdResultPedRoad"},
          {"crosswalk", "cmdResultCrossRoad"},
          {"stairway", "cmdResultStairway"},
          {"waitarea", "cmdResultWaitArea"}}},
        {"", "", "mnuBycycle", "자전거도로", "frmBike", "", make<bicycle::BicycleForm>, {{"bicycle", "cmdResult"}}},
    };
    return table;
}

MadeForm makeAsMenu(const Facility& facility, const tables::LookupTableStore* tables) {
    MadeForm made;
    made.index = std::make_unique<form::AnalysisIndex>(form::AnalysisIndex{facility.modeKey});
    made.form = facility.create({made.index.get(), tables});
    return made;
}

const Facility* findCommand(const std::string& command) {
    for (const Facility& f : facilities())
        if (f.command == command) return &f;
    return nullptr;
}

FormFactory windowFactory(const std::string& window) {
    for (const Facility& f : facilities())
        if (f.window == window && f.built()) return f.create;
    return nullptr;
}

std::vector<AnalysisRef> allAnalyses() {
    std::vector<AnalysisRef> all;
    for (const Facility& f : facilities())
        for (const CliAnalysis& a : f.analyses) all.push_back({&f, &a});
    return all;
}

AnalysisRef findAnalysis(const std::string& name) {
    for (const AnalysisRef& ref : allAnalyses())
        if (ref.analysis->name == name) return ref;
    return {};
}

}  // namespace verosa::analyses
