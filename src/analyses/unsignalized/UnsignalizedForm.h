#pragma once
// The unsignalized intersection window frmNoControlIntersection: the
// intersection form, the lane counts and the small- and large-vehicle volumes
// of the twelve movements as a table, the example Ex#2, the analysis (a framed
// report on the result page) and the exit button.
#include <optional>
#include <string>

#include "analyses/AnalysisForm.h"
#include "analyses/unsignalized/Unsignalized.h"

namespace verosa::analyses::unsignalized {

class UnsignalizedForm : public AnalysisForm {
public:
    explicit UnsignalizedForm(form::FormContext context);

private:
    void declareVolumeTable();
    void declareExample();
    UnsignalizedInput readInput() const;
    std::string runAnalysis();

    std::optional<UnsignalizedResult> last_;  // the last completed analysis, for its headlines
};

}  // namespace verosa::analyses::unsignalized
