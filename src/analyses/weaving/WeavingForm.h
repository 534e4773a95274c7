#pragma once
// The weaving window frmWeaving in its two modes: the operational analysis
// ("weavingoper", mainline-to-ramp or ramp-to-ramp by the option pair) and the
// design search for the minimum weaving length ("weavingdesign"). The mode key
// is read when the window is created and again when the analysis runs.
#include <memory>
#include <string>
#include <variant>

#include "analyses/AnalysisForm.h"
#include "analyses/weaving/Records.h"

namespace verosa::analyses::weaving {

class WeavingForm : public AnalysisForm {
public:
    explicit WeavingForm(form::FormContext context);

    enum class Mode { Operation, Design };
    // The mode the window is laid out for.
    Mode layout() const { return layout_; }

protected:
    // The menu wrote the other mode's key while the window was open: laid out
    // for it at once.
    void onModeKey() override;

private:
    void declareControls();
    void declareDiagram();
    void declareExamples();
    // Title, length caption and which inputs show, for a mode; `reapply` also
    // restores what the chosen weaving form shows.
    void applyMode(Mode mode, bool reapply);
    // The option pair "엇갈림 형태": captions and the inputs each variant reads.
    void applyWeavingForm();
    void showField(const std::string& name, bool visible);
    void setDiagramLabel(const std::string& name, std::string text);
    // Shows the diagram frame under `caption` with its value labels cleared.
    void showDiagram(const std::string& caption, bool mainline);

    // The fields the analysis of `mode` reads (the mainline-to-ramp ones or
    // the ramp-to-ramp ones), each read as a number within its range.
    WeavingInput readInput(Mode mode, bool mainline) const;
    std::string runAnalysis();

    Mode layout_ = Mode::Operation;
    // The result of the last completed analysis, for its headlines.
    std::variant<std::monostate, MainlineResult, RampToRampResult, DesignResult> last_;
};

}  // namespace verosa::analyses::weaving
