#pragma once
// The basic freeway segment window frmHighWay in its two modes: operational
// analysis ("highwayoper": lanes given, level of service found) and design
// analysis ("highwaydesign": target level given, lanes found). The mode is read
// when the window is created (title, which fields show) and again when the
// analysis runs (which analysis runs).
#include <memory>
#include <optional>
#include <string>

#include "analyses/freeway/Freeway.h"
#include "form/Form.h"
#include "tables/WindowTables.h"

namespace verosa::analyses::freeway {

class FreewayForm : public form::Form {
public:
    explicit FreewayForm(form::FormContext context);

    static constexpr int kInputPage = 0;
    static constexpr int kResultPage = 1;

    static constexpr const char* kOperationalKey = "highwayoper";
    static constexpr const char* kDesignKey = "highwaydesign";

protected:
    void onOpen() override;

private:
    void declareControls();
    form::Control& beginFrameControl(const std::string& name, std::string caption);
    void declareExamples();
    void applyMode();
    void applySectionKind();
    void rebuildGradeLengths();
    void refuseLevelF();

    const FreewayTables& tables();
    FreewayInput readInput(bool design) const;
    std::string runOperational();
    std::string runDesign();

    tables::WindowTables<FreewayTables> tables_{openFreewayTables};
};

std::unique_ptr<form::Form> makeFreewayForm(form::FormContext context);

}  // namespace verosa::analyses::freeway
