#pragma once
// The bicycle facility window: the flow type (uninterrupted or interrupted),
// the path inputs, the intersection inputs with their drawing of eight
// places, six examples, one analysis button and the result page.
#include <memory>
#include <string>

#include "analyses/AnalysisForm.h"

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
};

}  // namespace verosa::analyses::bicycle
