#pragma once
// The two-lane road window (frm2Roadway): the section kind that enables the
// terrain or the grade fields, two worked examples, and the report page.
#include <memory>
#include <optional>

#include "analyses/AnalysisForm.h"
#include "analyses/twolane/TwoLane.h"
#include "numeric/Result.h"

namespace verosa::analyses::twolane {

class TwoLaneForm : public TabledForm<TwoLaneTables> {
public:
    explicit TwoLaneForm(form::FormContext context);

private:
    void declareControls();
    void declareBehaviour();
    void enableSectionFields();
    TwoLaneInput readInput() const;
    // A share field: 0, or at least the finest share the report prints.
    double shareOf(const std::string& name) const;
    std::string runAnalysis();

    std::optional<TwoLaneResult> last_;  // the last completed analysis, for its headlines
};

}  // namespace verosa::analyses::twolane
