#pragma once
// Case files and the facility table: which window and mode a case opens, and
// which analysis a window's case names.
#include <memory>

#include "analyses/Registry.h"
#include "form/Case.h"

namespace verosa::tables {
class LookupTableStore;
}

namespace verosa::analyses {

// The analysis a case names; CaseError when no analysis has that name or its
// window is not built yet.
AnalysisRef analysisOfCase(const form::Case& c);

// The analysis a window's case names, of the facility command that showed
// it: the one whose analysis button stands on the page shown, else the one
// last run (its report shows on the result page), else the first.
const CliAnalysis& analysisShown(const Facility& facility, const form::Form& form);

struct OpenedCase {
    AnalysisRef analysis;
    std::unique_ptr<form::Form> form;
};

// A fresh window of the case's analysis, created as its menu command creates
// it (the mode key written first) and opened, with the case applied and the
// page of its analysis shown. Throws CaseError (what is wrong and where);
// then the key is left as it was and nothing else has changed.
OpenedCase openCase(const form::Case& c, form::AnalysisIndex& index, const tables::LookupTableStore* tables);

}  // namespace verosa::analyses
