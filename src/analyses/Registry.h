#pragma once
// The facility table: every facility command of the main window's menu with
// the window it shows, the mode key it writes first, the factory of that
// window (null while it is not built) and the analyses verosa-cli runs
// through it. The menu, the CLI and the tests all read this one table.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "form/Form.h"

namespace verosa::analyses {

using FormFactory = std::function<std::unique_ptr<form::Form>(form::FormContext)>;

// One analysis verosa-cli runs: its name and the button it presses last.
struct CliAnalysis {
    std::string name;    // "walkway"
    std::string button;  // "cmdResultPedRoad"
};

struct Facility {
    std::string submenu;         // "mnuHighway"; empty for a command straight under the facility menu
    std::string submenuCaption;  // "고속도로 기본구간"
    std::string command;         // "mnuHighwayServiceLevel"
    std::string caption;         // "운영분석"
    std::string window;          // "frmHighWay"
    std::string modeKey;         // written into AnalysisIndex first; empty: none
    FormFactory create;          // null while the window is not built
    std::vector<CliAnalysis> analyses;
    bool built() const { return static_cast<bool>(create); }
};

// A window made as its menu command makes it, away from the main window: the
// mode key written first, into an index the window keeps for its whole life.
struct MadeForm {
    std::unique_ptr<form::AnalysisIndex> index;
    std::unique_ptr<form::Form> form;
};
MadeForm makeAsMenu(const Facility& facility, const tables::LookupTableStore* tables);

// The facility commands in menu order.
const std::vector<Facility>& facilities();
const Facility* findCommand(const std::string& command);
// The factory of a window (from any of its commands), null while it is not built.
FormFactory windowFactory(const std::string& window);

// An analysis by its CLI name, with the command it runs through.
struct AnalysisRef {
    const Facility* facility = nullptr;
    const CliAnalysis* analysis = nullptr;
};
// Every analysis name in menu order, built or not.
std::vector<AnalysisRef> allAnalyses();
// Null members when the name is unknown.
AnalysisRef findAnalysis(const std::string& name);

}  // namespace verosa::analyses
