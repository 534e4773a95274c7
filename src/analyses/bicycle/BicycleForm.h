#pragma once
// The bicycle facility window: the flow type (uninterrupted or interrupted),
// the path inputs, the intersection inputs with their drawing of eight
// places, six examples, one analysis button and the result page.
#include <memory>
#include <string>

#include "form/Form.h"

namespace verosa::analyses::bicycle {

class BicycleForm : public form::Form {
public:
    explicit BicycleForm(form::FormContext context);

    static constexpr int kInputPage = 0;
    static constexpr int kResultPage = 1;

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

std::unique_ptr<form::Form> makeBicycleForm(form::FormContext context);

}  // namespace verosa::analyses::bicycle
