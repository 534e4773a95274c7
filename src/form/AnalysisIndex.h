#pragma once
#include <string>

namespace verosa::form {

// The analysis-mode key that the main window's menu writes before it shows an
// analysis window ("highwayoper", "weavingdesign", ...). One object, owned by the
// program (or by one CLI run); forms read it when created and when their Part
// says the analysis reads it again. Only the menu (or the CLI) writes it.
struct AnalysisIndex {
    std::string key;
};

}  // namespace verosa::form
