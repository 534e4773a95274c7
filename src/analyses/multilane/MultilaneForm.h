#pragma once
// The multilane highway window (frmManyWay): road and traffic conditions, the
// survey option that switches between measured and computed speeds, three
// worked examples, and the report page.
#include <memory>
#include <optional>

#include "analyses/multilane/Multilane.h"
#include "form/Form.h"
#include "numeric/Result.h"
#include "tables/WindowTables.h"

namespace verosa::analyses::multilane {

class MultilaneForm : public form::Form {
public:
    explicit MultilaneForm(form::FormContext context);

    static constexpr int kInputPage = 0;
    static constexpr int kResultPage = 1;

protected:
    // Opens tables 6-6, 6-7a, 6-7b and 6-8; a missing one is shown now and
    // refused by every analysis after.
    void onOpen() override;

private:
    void declareControls();
    void declareBehaviour();
    void showSurveyFrames();
    const MultilaneTables& tables();
    MultilaneInput readInput() const;
    std::string runAnalysis();

    tables::WindowTables<MultilaneTables> tables_{openManyWayTables};
};

std::unique_ptr<form::Form> makeMultilaneForm(form::FormContext context);

}  // namespace verosa::analyses::multilane
