#pragma once
// Every analysis window the program can open and every analysis the CLI can run.
// The main window's menu and verosa-cli both read this one list.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "form/Form.h"

namespace verosa::analyses {

using FormFactory = std::function<std::unique_ptr<form::Form>(form::FormContext)>;

// An analysis window (one per facility), by its window name.
struct WindowEntry {
    std::string windowName;  // "frmPedestrian"
    FormFactory create;
};

// One analysis the CLI can run.
struct AnalysisEntry {
    std::string name;            // "walkway"
    std::string windowName;      // "frmPedestrian"
    std::string modeKey;         // written into AnalysisIndex first, where the menu writes one
    std::string analysisButton;  // the button the run presses at the end
};

// The windows that are built; a facility whose window is missing here is shown
// disabled in the menu.
const std::vector<WindowEntry>& windows();
const WindowEntry* findWindow(const std::string& windowName);

// Every analysis name the CLI knows, built or not, in the order of `list`.
const std::vector<std::string>& allAnalysisNames();
// The built analyses.
const std::vector<AnalysisEntry>& analyses();
const AnalysisEntry* findAnalysis(const std::string& name);

}  // namespace verosa::analyses
