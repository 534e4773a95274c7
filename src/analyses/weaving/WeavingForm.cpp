#include "analyses/weaving/WeavingForm.h"
#include "analyses/weaving/WeavingHeadlines.h"

#include <map>

#include "analyses/weaving/Weaving.h"
#include "analyses/weaving/WeavingDesign.h"
#include "analyses/weaving/WeavingReport.h"
#include "numeric/Result.h"
#include "report/NumberText.h"

namespace verosa::analyses::weaving {

namespace {

using form::ButtonRole;
using form::lineShape;
using form::Shape;
using form::textShape;
using report::numtext;

const char* const kOperationKey = form::modekey::kWeavingOper;
const char* const kDesignKey = form::modekey::kWeavingDesign;
const char* const kLevelFMessage = "서비스 수준 F로는 설계할 수 없습니다.";
const char* const kMainlineDiagram = "연결로 엇갈림 구간의 상황도";
const char* const kRampDiagram = "측도 엇갈림 구간 상황도";

// The unit label shown beside a field, hidden with it.
const std::map<std::string, std::string> kUnits = {
    {"txtMainVolume", "lblMainVolumeUnit"},   {"txtInVolume", "lblInVolumeUnit"}, {"txtOutVolume", "lblOutVolumeUnit"},
    {"cboDesignSpeed", "lblDesignSpeedUnit"}, {"txtAvgSpeed", "lblAvgSpeedUnit"},
};

// The value labels of the diagram, each set by the analyses that name it.
const char* const kDiagramLabels[] = {"lblMain", "lblSt", "lblIn", "lblOut", "lblSw", "lblSnw", "lblWeav", "lblLength"};

}  // namespace

WeavingForm::WeavingForm(form::FormContext context) : AnalysisForm(context) {
    setWindowName("frmWeaving");
    addPage("입력자료");
    addPage("결과화면");
    declareControls();
    declareDiagram();
    declareExamples();
    layout_ = modeKey() == kDesignKey ? Mode::Design : Mode::Operation;
    applyMode(layout_, false);
}

void WeavingForm::declareControls() {
    beginPage(kInputPage);
    beginFrame("fraWeavingForm", "엇갈림 형태");
    place(control("fraWeavingForm"), 0, 0);
    place(addOption("optLink", "본선 - 연결로 엇갈림", "weavingForm"), 0, 0);
    place(addOption("optSide", "연결로 - 연결로 엇갈림", "weavingForm"), 0, 1);
    endFrame();

    auto withUnit = [this](form::Control& field, const std::string& unitName, std::string unit) {
        place(addLabel(unitName, std::move(unit)), field.row, 1);
    };

    beginFrame("fraTraffic", "교통조건", 2);
    place(control("fraTraffic"), 1, 0);
    withUnit(addNumber("txtMainVolume", "본선교통량(vph)", {limits::kVolume, {}}, 7, "본선교통량"), "lblMainVolumeUnit",
             "대/시");
    withUnit(addNumber("txtInVolume", "유입교통량(vph)", {limits::kVolume, {}}, 7, "유입교통량"), "lblInVolumeUnit",
             "대/시");
    withUnit(addNumber("txtOutVolume", "유출교통량(vph)", {limits::kVolume, {}}, 7, "유출교통량"), "lblOutVolumeUnit",
             "대/시");
    addNumber("txtPHF", "첨두시간계수(PHF)", {limits::kPHF, {}}, 7);
    addNumber("txtHeavyPer", "중차량구성비율(%)", {limits::kShare, {}}, 7);
    endFrame();

    beginFrame("fraRoad", "도로조건", 2);
    place(control("fraRoad"), 2, 0);
    withUnit(addList("cboDesignSpeed", "설계속도(kph)", designSpeedItems()), "lblDesignSpeedUnit", "Km/시");
    withUnit(addNumber("txtAvgSpeed", "평균공간속도", {limits::kSpeed, {}}, 7), "lblAvgSpeedUnit", "Km/시");
    addNumber("txtLane", "차로수(양방향)", {limits::kLanes, {}}, 7);
    addList("cboLandType", "지 형", {"평지", "구릉지", "산지"});
    // Named by its caption, which follows the mode and the weaving form.
    addNumber("txtLength", "엇갈림 구간의 길이(m)", {limits::kLength, {}}, 7);
    addList("cboLos", "서비스수준", {"A", "B", "C", "D", "E", "F"});
    endFrame();

    beginPage(kResultPage);
    addResultView();

    // The button row under the tabs.
    beginPage(-1);
    addButton("cmdEx1", "Ex#1", ButtonRole::Example);
    addButton("cmdEx2", "Ex#2", ButtonRole::Example);
    addButton("cmdEx3", "Ex#3", ButtonRole::Example);
    addButton("cmdResult", "분  석(&R)", ButtonRole::Analysis);
    addButton("cmdExit", "종 료(&X)", ButtonRole::Exit);

    // At creation every text is empty, no list has a choice, the mainline-to-ramp
    // form is on (without running its handler) and the average speed is hidden.
    control("optLink").checked = true;
    showField("txtAvgSpeed", false);

    onChange("optLink", [this] {
        if (isChecked("optLink")) applyWeavingForm();
    });
    onChange("optSide", [this] {
        if (isChecked("optSide")) applyWeavingForm();
    });
    onChange("cboLos", [this] {
        if (at("cboLos").listText() != "F") return;
        refuse(kLevelFMessage, "cboLos");
        choose("cboLos", 0);
    });
    onAnalysis("cmdResult", kResultPage, [this] { return runAnalysis(); });
}

// A sketch of the weaving area, traffic moving to the right: the mainline, the
// entrance ramp joining an auxiliary lane and the exit ramp leaving it, the
// length L between the gores, and the value labels the analyses fill.
void WeavingForm::declareDiagram() {
    beginPage(kInputPage);
    beginFrame("fraDiagram", kMainlineDiagram);
    place(control("fraDiagram"), 0, 1, 3, 1);
    form::Control& picture = addDrawing("picDiagram", 420, 280);
    auto& shapes = picture.drawing.shapes;
    shapes.push_back(lineShape(10, 25, 410, 25));     // mainline, left edge
    shapes.push_back(lineShape(10, 110, 110, 110));   // mainline, right edge before the entrance
    shapes.push_back(lineShape(310, 110, 410, 110));  // mainline, right edge after the exit
    for (double x = 120; x < 305; x += 20) shapes.push_back(lineShape(x, 110, x + 10, 110));  // lane line
    shapes.push_back(lineShape(140, 140, 280, 140));                                          // auxiliary lane edge
    shapes.push_back(lineShape(110, 110, 45, 220));                                           // entrance ramp
    shapes.push_back(lineShape(140, 140, 80, 220));
    shapes.push_back(lineShape(310, 110, 375, 220));  // exit ramp
    shapes.push_back(lineShape(280, 140, 340, 220));
    shapes.push_back(lineShape(20, 95, 90, 95));  // direction of travel
    shapes.push_back(lineShape(90, 95, 83, 91));
    shapes.push_back(lineShape(90, 95, 83, 99));
    shapes.push_back(lineShape(110, 245, 310, 245));  // the weaving length
    shapes.push_back(lineShape(110, 238, 110, 252));
    shapes.push_back(lineShape(310, 238, 310, 252));

    // Captions of the values, named where the ramp-to-ramp diagram dims them.
    shapes.push_back(textShape(15, 30, "본선", {}, "capMain"));
    shapes.push_back(textShape(15, 48, "", {}, "lblMain"));
    shapes.push_back(textShape(185, 30, "엇갈림"));
    shapes.push_back(textShape(185, 48, "", {}, "lblWeav"));
    shapes.push_back(textShape(330, 30, "비엇갈림", {}, "capSt"));
    shapes.push_back(textShape(330, 48, "", {}, "lblSt"));
    shapes.push_back(textShape(125, 72, "Sw", {}, "capSw"));
    shapes.push_back(textShape(150, 72, "", {}, "lblSw"));
    shapes.push_back(textShape(215, 72, "Snw", {}, "capSnw"));
    shapes.push_back(textShape(248, 72, "", {}, "lblSnw"));
    shapes.push_back(textShape(10, 150, "유입"));
    shapes.push_back(textShape(10, 168, "", {}, "lblIn"));
    shapes.push_back(textShape(362, 150, "유출"));
    shapes.push_back(textShape(362, 168, "", {}, "lblOut"));
    shapes.push_back(textShape(165, 254, "L(m)"));
    shapes.push_back(textShape(205, 254, "", {}, "lblLength"));
    endFrame();
}

void WeavingForm::declareExamples() {
    onPress("cmdEx1", [this] {
        set("txtMainVolume", "6200");
        set("txtInVolume", "600");
        set("txtOutVolume", "700");
        choose("cboDesignSpeed", 0);
        set("txtPHF", "0.92");
        set("txtLength", "400");
        set("txtLane", "8");
        choose("cboLandType", 0);
        set("txtHeavyPer", "10");
        choose("cboLos", 3);
    });
    onPress("cmdEx2", [this] {
        set("txtMainVolume", "4000");
        set("txtInVolume", "800");
        set("txtOutVolume", "1000");
        choose("cboDesignSpeed", 0);
        set("txtPHF", "0.95");
        set("txtLength", "350");
        set("txtLane", "6");
        choose("cboLandType", 0);
        set("txtHeavyPer", "20");
        tick("optLink");
    });
    onPress("cmdEx3", [this] {
        set("txtInVolume", "1200");
        set("txtOutVolume", "900");
        set("txtPHF", "0.95");
        set("txtLength", "200");
        choose("cboLandType", 0);
        set("txtHeavyPer", "10");
        set("txtAvgSpeed", "55");
        tick("optSide");
    });
}

void WeavingForm::showField(const std::string& name, bool visible) {
    setVisible(name, visible);
    if (auto unit = kUnits.find(name); unit != kUnits.end()) setVisible(unit->second, visible);
}

void WeavingForm::applyMode(Mode mode, bool reapply) {
    layout_ = mode;
    if (mode == Mode::Design)
        declareHeadlines("cmdResult", designHeadlineNames(), [this]() -> std::vector<form::HeadlineValue> {
            if (const auto* r = std::get_if<DesignResult>(&last_)) return designHeadlines(*r);
            return {};
        });
    else
        declareHeadlines("cmdResult", operationHeadlineNames(), [this]() -> std::vector<form::HeadlineValue> {
            if (const auto* r = std::get_if<MainlineResult>(&last_)) return operationHeadlines(*r);
            if (const auto* r = std::get_if<RampToRampResult>(&last_)) return operationHeadlines(*r);
            return {};
        });
    if (mode == Mode::Design) {
        setTitle("엇갈림 구간의 설계(최소 엇갈림 구간 길이 결정)  ");
        setVisible("fraWeavingForm", false);
        setCaption("txtLength", "최대 허용 구간길이(m)");
        showField("cboLos", true);
        // The design works on the mainline-to-ramp inputs, whatever the option pair says.
        for (const char* name : {"txtMainVolume", "cboDesignSpeed", "txtLane"}) showField(name, true);
        showField("txtAvgSpeed", false);
        return;
    }
    setTitle("엇갈림 구간의 운영분석");
    setVisible("fraWeavingForm", true);
    setCaption("txtLength", "엇갈림 구간의 길이(m)");
    showField("cboLos", false);
    if (reapply) applyWeavingForm();
}

void WeavingForm::onModeKey() {
    const std::string& key = modeKey();
    const Mode mode = key == kDesignKey ? Mode::Design : key == kOperationKey ? Mode::Operation : layout_;
    if (mode != layout_) applyMode(mode, true);
}

void WeavingForm::applyWeavingForm() {
    // In design mode the option frame is hidden and an example that sets an
    // option leaves the design inputs in place.
    if (layout_ == Mode::Design) return;
    const bool link = isChecked("optLink");
    const bool side = isChecked("optSide");
    if (!link && !side) return;
    // The diagram's values belong to the other form's last analysis.
    for (const char* name : kDiagramLabels) setDiagramLabel(name, {});
    setCaption("txtLength", link ? "엇갈림구간의 길이" : "측도 엇갈림구간의 길이");
    for (const char* name : {"txtMainVolume", "cboDesignSpeed", "txtLane"}) showField(name, link);
    showField("txtAvgSpeed", side);
    if (link)
        setCaption("cboDesignSpeed", "설계속도");
    else
        setCaption("txtAvgSpeed", "평균공간속도");
}

void WeavingForm::setDiagramLabel(const std::string& name, std::string value) {
    if (Shape* label = control("picDiagram").drawing.find(name)) label->text = std::move(value);
}

void WeavingForm::showDiagram(const std::string& caption, bool mainline) {
    setVisible("fraDiagram", true);
    setCaption("fraDiagram", caption);
    // Labels an analysis does not name are cleared, not left from an earlier run.
    for (const char* name : kDiagramLabels) setDiagramLabel(name, {});
    // The ramp-to-ramp analysis has no mainline or through volume and no speeds.
    for (const char* name : {"capMain", "capSt", "capSw", "capSnw"})
        if (Shape* s = control("picDiagram").drawing.find(name)) s->dimmed = !mainline;
}

WeavingInput WeavingForm::readInput(Mode mode, bool mainline) const {
    // Only the fields the analysis uses are read.
    WeavingInput in;
    in.designSpeed = at("cboDesignSpeed").listText();
    in.terrain = at("cboLandType").listText();
    in.target = at("cboLos").listText();
    if (mainline) {
        in.mainVolume = numberOf("txtMainVolume");
        in.typed.mainVolume = typedNumberOf("txtMainVolume");
    }
    in.enteringVolume = numberOf("txtInVolume");
    in.typed.enteringVolume = typedNumberOf("txtInVolume");
    in.exitingVolume = numberOf("txtOutVolume");
    in.typed.exitingVolume = typedNumberOf("txtOutVolume");
    if (mainline) {
        in.lanes = numberOf("txtLane");
        in.typed.lanes = typedNumberOf("txtLane");
    } else {
        in.averageSpeed = numberOf("txtAvgSpeed");
    }
    in.PHF = singleOf("txtPHF");
    if (mode == Mode::Operation) {
        in.heavyPercent = numberOf("txtHeavyPer");
        in.typed.heavyPercent = typedNumberOf("txtHeavyPer");
    }
    in.length = numberOf("txtLength");
    return in;
}

std::string WeavingForm::runAnalysis() {
    // The key is read again: the menu may have switched the open window to the
    // other analysis kind, which then gets its layout. A key of another window
    // leaves the analysis the window is laid out for.
    const std::string& key = modeKey();
    const Mode mode = key == kDesignKey ? Mode::Design : key == kOperationKey ? Mode::Operation : layout_;
    if (mode != layout_) applyMode(mode, true);
    if (mode == Mode::Operation && !isChecked("optLink") && !isChecked("optSide"))
        refuseInput("엇갈림 형태(본선 - 연결로 또는 연결로 - 연결로)를 선택하십시오.", "optLink");
    const WeavingInput in = readInput(mode, mode == Mode::Design || isChecked("optLink"));
    // Each report is written out before the diagram changes, so a failure
    // leaves both as they were.

    if (mode == Mode::Design) {
        const DesignResult r = analyseDesign(in);
        // The speeds of the last step run, at L* - 10.
        const WeavingStep& last = r.blocks.back();
        std::string reportText = designReport(in, r);
        showDiagram(kMainlineDiagram, true);
        setDiagramLabel("lblMain", numtext(r.Vmain));
        setDiagramLabel("lblSt", numtext(r.base.Vnw));
        setDiagramLabel("lblIn", numtext(r.Vin));
        setDiagramLabel("lblOut", numtext(r.Vout));
        setDiagramLabel("lblSw", numtext(last.Sw));
        setDiagramLabel("lblSnw", numtext(last.Snw));
        setDiagramLabel("lblWeav", numtext(r.base.Vw));
        setDiagramLabel("lblLength", numtext(r.Lstar));
        last_ = r;
        return reportText;
    }
    if (isChecked("optLink")) {
        const MainlineResult r = analyseMainline(in);
        std::string reportText = mainlineReport(in, r);
        showDiagram(kMainlineDiagram, true);
        setDiagramLabel("lblMain", numtext(r.Vmain));
        setDiagramLabel("lblSt", numtext(r.step.Vnw));
        setDiagramLabel("lblIn", numtext(r.Vin));
        setDiagramLabel("lblOut", numtext(r.Vout));
        setDiagramLabel("lblSw", numtext(r.step.Sw));
        setDiagramLabel("lblSnw", numtext(r.step.Snw));
        setDiagramLabel("lblWeav", numtext(r.step.Vw));
        last_ = r;
        return reportText;
    }
    const RampToRampResult r = analyseRampToRamp(in);
    std::string reportText = rampToRampReport(in, r);
    showDiagram(kRampDiagram, false);
    setDiagramLabel("lblIn", numtext(r.Vin));
    setDiagramLabel("lblOut", numtext(r.Vout));
    setDiagramLabel("lblWeav", numtext(r.Vp));
    last_ = r;
    return reportText;
}

}  // namespace verosa::analyses::weaving
