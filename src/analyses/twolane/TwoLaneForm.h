#pragma once
// The two-lane road window (frm2Roadway): the section kind that enables the
// terrain or the grade fields, two worked examples, and the report page.
#include <memory>
#include <optional>

#include "analyses/twolane/TwoLane.h"
#include "form/Form.h"
#include "numeric/Result.h"
#include "tables/WindowTables.h"

namespace verosa::analyses::twolane {

class TwoLaneForm : public form::Form {
public:
    explicit TwoLaneForm(form::FormContext context);

    static constexpr int kInputPage = 0;
    static constexpr int kResultPage = 1;

protected:
    // Opens tables 3-2, 3-5, 3-7 and 3-8; a missing one is shown now and
    // refused by every analysis after.
    void onOpen() override;

private:
    void declareControls();
    void declareBehaviour();
    void enableSectionFields();
    const TwoLaneTables& tables();
    TwoLaneInput readInput() const;
    std::string runAnalysis();

    tables::WindowTables<TwoLaneTables> tables_{openTwoLaneTables};
};

std::unique_ptr<form::Form> makeTwoLaneForm(form::FormContext context);

}  // namespace verosa::analyses::twolane
