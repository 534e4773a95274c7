#pragma once
// The basic freeway segment window frmHighWay in its two modes: operational
// analysis ("highwayoper": lanes given, level of service found) and design
// analysis ("highwaydesign": target level given, lanes found). The mode is read
// when the window is created (title, which fields show) and again when the
// analysis runs (which analysis runs).
#include <memory>
#include <optional>
#include <string>

#include "analyses/AnalysisForm.h"
#include "analyses/freeway/Freeway.h"

namespace verosa::analyses::freeway {

class FreewayForm : public TabledForm<FreewayTables> {
public:
    explicit FreewayForm(form::FormContext context);

    static constexpr const char* kOperationalKey = form::modekey::kHighwayOper;
    static constexpr const char* kDesignKey = form::modekey::kHighwayDesign;

protected:
    // The menu wrote the other mode's key while the window was open.
    void onModeKey() override { applyMode(); }

private:
    void declareControls();
    form::Control& beginFrameControl(const std::string& name, std::string caption);
    void declareExamples();
    void applyMode();
    void applySectionKind();
    void rebuildGradeLengths();
    void refuseLevelF();

    FreewayInput readInput(bool design) const;
    std::string runOperational();
    std::string runDesign();
    // The headlines of the mode the window is laid out for.
    void declareModeHeadlines();

    // The results of the last completed analysis of each mode.
    std::optional<OperationalResult> lastOperational_;
    std::optional<DesignResult> lastDesign_;
};

}  // namespace verosa::analyses::freeway
