#pragma once
// The multilane highway window (frmManyWay): road and traffic conditions, the
// survey option that switches between measured and computed speeds, three
// worked examples, and the report page.
#include <memory>
#include <optional>
#include <string>

#include "analyses/AnalysisForm.h"
#include "analyses/multilane/Multilane.h"
#include "numeric/Result.h"

namespace verosa::analyses::multilane {

class MultilaneForm : public TabledForm<MultilaneTables> {
public:
    explicit MultilaneForm(form::FormContext context);

private:
    void declareControls();
    void declareBehaviour();
    void showSurveyFrames();
    MultilaneInput readInput() const;
    std::string runAnalysis();

    // The last completed analysis, for its headlines.
    struct Completed {
        MultilaneInput in;
        MultilaneResult r;
    };
    std::optional<Completed> last_;
};

}  // namespace verosa::analyses::multilane
