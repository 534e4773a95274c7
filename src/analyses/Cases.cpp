#include "analyses/Cases.h"

#include <string>

namespace verosa::analyses {

AnalysisRef analysisOfCase(const form::Case& c) {
    const AnalysisRef ref = findAnalysis(c.analysis);
    if (!ref.facility)
        throw form::CaseError(
            "항목 \"analysis\": 알 수 없는 분석입니다 (입력된 값: " + form::quotedForMessage(c.analysis) + ").");
    if (!ref.facility->built())
        throw form::CaseError("항목 \"analysis\": 아직 구현되지 않은 분석입니다 (" + c.analysis + ").");
    return ref;
}

const CliAnalysis& analysisShown(const Facility& facility, const form::Form& form) {
    for (const CliAnalysis& a : facility.analyses) {
        const form::Control* button = form.find(a.button);
        if (button && button->page >= 0 && button->page == form.currentPage()) return a;
    }
    // A page of no analysis (the result page): the analysis last run.
    for (const CliAnalysis& a : facility.analyses)
        if (a.button == form.lastAnalysis()) return a;
    return facility.analyses.front();
}

OpenedCase openCase(const form::Case& c, form::AnalysisIndex& index, const tables::LookupTableStore* tables) {
    OpenedCase opened;
    opened.analysis = analysisOfCase(c);
    const Facility& facility = *opened.analysis.facility;
    const std::string before = index.key;
    try {
        if (!facility.modeKey.empty()) index.key = facility.modeKey;
        opened.form = facility.create({&index, tables});
        // A missing table is the window's to report once it is shown.
        opened.form->open();
        form::applyCase(*opened.form, c);
        const form::Control* button = opened.form->find(opened.analysis.analysis->button);
        if (button && button->page >= 0) opened.form->showPage(button->page);
    } catch (...) {
        opened.form.reset();
        index.key = before;
        throw;
    }
    return opened;
}

}  // namespace verosa::analyses
