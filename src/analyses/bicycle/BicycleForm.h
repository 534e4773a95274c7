#pragma once
// The bicycle facility window: the flow type (uninterrupted or interrupted),
// the path inputs, the intersection inputs with their drawing of eight
// places, six examples, one analysis button and the result page.
#include <memory>
#include <string>
#include <vector>

#include "analyses/AnalysisForm.h"
#include "form/Headline.h"

namespace verosa::analyses::bicycle {

class BicycleForm : public AnalysisForm {
public:
    explicit BicycleForm(form::FormContext context);

private:
    void buildPathFrame();
    void buildStreetFrame();
    void buildExamples();
    void showFlowType();
    void enablePathFields();
    void showIntersections();
    std::string runAnalysis();
    std::string runPath();
    std::string runStreet();

    // The headline values of the last completed analysis (empty before one).
    std::vector<form::HeadlineValue> lastHeadlines_;
};

}  // namespace verosa::analyses::bicycle
