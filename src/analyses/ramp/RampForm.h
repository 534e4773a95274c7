#pragma once
// The ramp-junction window frmConnector: junction type, terrain, main line,
// ramp and (while "연속" is selected) adjacent-ramp inputs, four examples, and
// the report on the result page.
#include <memory>
#include <optional>
#include <string>

#include "analyses/AnalysisForm.h"
#include "analyses/ramp/Ramp.h"

namespace verosa::analyses::ramp {

class RampForm : public AnalysisForm {
public:
    explicit RampForm(form::FormContext context);

    // The input record as the analysis button reads it from the controls;
    // refuses a field that is not a number within its range.
    RampInput input() const;

private:
    void buildInputPage();
    void declareExamples();
    form::Control& beginFrameControl(const std::string& name, std::string caption, int columns);
    void example(int type, int mainLanes, const char* mainVolume, const char* mainSpeed, const char* mainHeavy,
                 const char* rampVolume, const char* rampSpeed, const char* rampHeavy, bool adjacent,
                 const char* laneLength);

    std::optional<RampResult> last_;  // the last completed analysis, for its headlines
};

}  // namespace verosa::analyses::ramp
