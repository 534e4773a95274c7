#pragma once
// The urban arterial window frmUrban and the result window frmUrbanResult it
// owns. The inputs: the segment count (which shows that many segment rows),
// area, road condition, lanes, cycle and signal type (which shows the
// arrival-type or the progression-ratio list), and per segment its length,
// side friction, g/C and v/c. "확  인" computes every segment, writes the
// result fields (number text of each value cut to two decimals; levels as
// letters), clears the rows beyond the count and shows the result window.
#include <optional>
#include <string>

#include "analyses/AnalysisForm.h"
#include "analyses/arterial/Urban.h"

namespace verosa::analyses::arterial {

class UrbanForm : public TabledForm<UrbanTables> {
public:
    explicit UrbanForm(form::FormContext context);

private:
    void declareInputs();
    void declareResultWindow();
    void showSegmentRows();
    void applySignalType();

    UrbanInput readInput() const;
    void runAnalysis();
    void writeResults(const UrbanTexts& texts);
    // The result fields as the window holds them, rows 0 … N-1 of the last run.
    UrbanTexts shownTexts() const;

    int resultRows_ = 0;               // N of the last analysis; 0 before the first
    std::optional<UrbanResult> last_;  // the last completed analysis, for its headlines
};

}  // namespace verosa::analyses::arterial
