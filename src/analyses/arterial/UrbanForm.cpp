#include "analyses/arterial/UrbanForm.h"
#include "analyses/arterial/UrbanHeadlines.h"

#include <vector>

#include "analyses/Limits.h"
#include "numeric/Num.h"
#include "numeric/Result.h"

namespace verosa::analyses::arterial {

namespace {

using form::ButtonRole;
using form::element;

// The per-segment result fields, in the order of their captions.
constexpr std::array<const char*, 9> kSegmentFields = {
    "txtCruseTime",  "txtDelay",     "txtPF",          "txtIntDelay", "txtIntLos",
    "txtTotalDelay", "txtTotalTime", "txtTravelSpeed", "txtTermLos",
};
// Their heading labels in the result window.
constexpr std::array<const char*, 9> kSegmentHeadings = {
    "lblCruseTime",  "lblDelay",     "lblPF",          "lblIntDelay", "lblIntLos",
    "lblTotalDelay", "lblTotalTime", "lblTravelSpeed", "lblTermLos",
};

// The controls of input row i, shown and hidden together.
std::vector<std::string> inputRow(int i) {
    return {element("lblTerm", i), element("cboLen", i), element("cboSide", i), element("txtGbyC", i),
            element("txtVbyC", i)};
}

std::vector<std::string> numbered(const char* unit, int from, int to, int step = 1) {
    std::vector<std::string> items;
    for (int n = from; n <= to; n += step) items.push_back(std::to_string(n) + unit);
    return items;
}

// How messages name a field of row i: "3구간의 g/C 비".
std::string rowSubject(int i, const char* caption) { return std::to_string(i + 1) + "구간의 " + caption; }

}  // namespace

UrbanForm::UrbanForm(form::FormContext context) : TabledForm(context, openUrbanTables) {
    setWindowName("frmUrban");
    setTitle("도시 및 교외 간선도로 분석");
    addPage("입력자료");
    declareInputs();
    declareResultWindow();

    // When the window opens the actuated signal is chosen and no row is shown
    // until the number of segments is.
    control("optAct").checked = true;
    applySignalType();
    showSegmentRows();
}

void UrbanForm::declareInputs() {
    beginPage(kInputPage);
    beginFrame("fraRoad", "도로 및 신호조건");
    place(control("fraRoad"), 0, 0);
    addList("cboTermUnit", "구간갯수", numbered("개", 2, 10));
    addList("cboArea", "지역구분", {"도심바깥지역", "도심내부지역"});
    addList("cboCondi", "도로여건", {"링크편도4차선이상", "링크편도3차선이하"});
    addList("cboLane", "차선수", numbered("개", 1, 8));
    addNumber("txtCycle", "주기길이(초)", {limits::kAboveZero, std::nullopt}, 6);
    beginFrame("fraSignal", "신호방식");
    place(addOption("optFix", "고정신호", "signal"), 0, 0);
    place(addOption("optAct", "감응신호", "signal"), 0, 1);
    endFrame();
    addList("cboArr", "도착형태", numbered("", 1, 5));
    addList("cboOffset", "연동비(%)", numbered("", 0, 95, 5));
    endFrame();

    beginFrame("fraTerm", "구간별 조건");
    place(control("fraTerm"), 0, 1);
    place(addLabel("lblTermNo", "구간"), 0, 0);
    place(addLabel("lblLen", "구간길이(Km)"), 0, 1);
    place(addLabel("lblSide", "측면마찰"), 0, 2);
    place(addLabel("lblGbyC", "g/C 비"), 0, 3);
    place(addLabel("lblVbyC", "v/c 비"), 0, 4);
    const std::vector<std::string> lengths = {"0.1이하", "0.2", "0.3", "0.4", "0.5",
                                              "0.6",     "0.7", "0.8", "0.9", "1.0이상"};
    for (int i = 0; i < kMaxSegments; ++i) {
        place(addLabel(element("lblTerm", i), std::to_string(i + 1)), i + 1, 0);
        place(addList(element("cboLen", i), "", lengths), i + 1, 1).subject = rowSubject(i, "구간길이(Km)");
        place(addList(element("cboSide", i), "", {"대", "소"}), i + 1, 2).subject = rowSubject(i, "측면마찰");
        const form::NumberField ratio{limits::kRatio, std::nullopt};
        place(addNumber(element("txtGbyC", i), "", ratio, 6, rowSubject(i, "g/C 비")), i + 1, 3);
        const form::NumberField saturation{limits::kAtLeastZero, std::nullopt};
        place(addNumber(element("txtVbyC", i), "", saturation, 6, rowSubject(i, "v/c 비")), i + 1, 4);
    }
    endFrame();

    beginPage(-1);
    addButton("Command1", "확  인", ButtonRole::Analysis);
    addButton("Command2", "종  료", ButtonRole::Exit);

    onChange("cboTermUnit", [this] { showSegmentRows(); });
    onChange("optAct", [this] { applySignalType(); });
    onChange("optFix", [this] { applySignalType(); });
    onAnalysisCommand(
        "Command1", [this] { runAnalysis(); }, [this] { return urbanRendering(shownTexts()); },
        [this] { return urbanPrintout(shownTexts()); });
    declareHeadlines("Command1", urbanHeadlineNames(), last_, urbanHeadlines);
}

// The result window's column headings: the rendering's captions with the
// units of their values.
constexpr std::array<const char*, 9> kSegmentWindowCaptions = {
    "순행시간(sec)",         "교차로정지지체(sec)", "연동계수",          "연동보정지체(sec)", "교차로서비스수준",
    "교차로총접근지체(sec)", "구간총시간(sec)",     "구간통행속도(kph)", "구간서비스수준"};

void UrbanForm::declareResultWindow() {
    // Placed over the main window, 500 twips above its centre.
    beginWindow("frmUrbanResult", "도시 및 교외 간선도로 분석결과", 500);
    place(addLabel("lblResultTermNo", "구간"), 0, 0);
    for (std::size_t j = 0; j < kSegmentFields.size(); ++j) {
        form::Control& heading =
            place(addLabel(kSegmentHeadings[j], kSegmentWindowCaptions[j]), 0, static_cast<int>(j) + 1);
        heading.lines = 2;
    }
    for (int i = 0; i < kMaxSegments; ++i) {
        place(addLabel(element("lblResultTerm", i), std::to_string(i + 1)), i + 1, 0).visible = false;
        for (std::size_t j = 0; j < kSegmentFields.size(); ++j) {
            form::Control& field = place(addText(element(kSegmentFields[j], i), "", 7), i + 1, static_cast<int>(j) + 1);
            field.readOnly = true;
            field.visible = false;
        }
    }
    beginFrame("fraTotal", "간선도로 전체");
    place(control("fraTotal"), kMaxSegments + 1, 0, 1, 10);
    place(addText("txtHighwayType", "간선도로유형", 7), 0, 0).readOnly = true;
    place(addText("txtFreespeed", "자유속도(kph)", 7), 0, 1).readOnly = true;
    place(addText("txtTotalSpeed", "구간총통행속도(kph)", 7), 1, 0).readOnly = true;
    place(addText("txtTotalLos", "전체구간서비스수준", 7), 1, 1).readOnly = true;
    endFrame();
    endWindow();
}

void UrbanForm::showSegmentRows() {
    const int position = indexOf("cboTermUnit");
    const int n = position >= 0 ? position + kMinSegments : 0;
    for (int i = 0; i < kMaxSegments; ++i)
        for (const std::string& name : inputRow(i)) setVisible(name, i < n);
}

void UrbanForm::applySignalType() {
    setVisible("cboArr", isChecked("optAct"));
    setVisible("cboOffset", isChecked("optFix"));
}

UrbanInput UrbanForm::readInput() const {
    UrbanInput in;
    const int count = indexOf("cboTermUnit");
    in.segments = count >= 0 ? count + kMinSegments : -1;
    in.area = indexOf("cboArea");
    in.condition = indexOf("cboCondi");
    in.lanes = indexOf("cboLane");
    checkUrbanRoad(in);
    in.C = int16Of("txtCycle");
    in.actuated = isChecked("optAct");
    in.pretimed = isChecked("optFix");
    in.arrivalType = indexOf("cboArr");
    in.progression = indexOf("cboOffset");
    checkUrbanSignal(in);
    for (int i = 0; i < in.segments; ++i) {
        UrbanSegment s;
        s.length = indexOf(element("cboLen", i));
        s.L = num(at(element("cboLen", i)).listText());
        s.side = indexOf(element("cboSide", i));
        checkSegmentChoices(s, i);
        s.g = singleOf(element("txtGbyC", i));
        s.X = singleOf(element("txtVbyC", i));
        checkSegment(s, i);
        in.segment.push_back(s);
    }
    return in;
}

void UrbanForm::runAnalysis() {
    // Everything is computed, the field texts included, before a field is written.
    const UrbanInput in = readInput();
    const UrbanResult r = analyseUrban(in, tables());
    const UrbanTexts texts = resultTexts(r);
    writeResults(texts);
    last_ = r;
    showWindow("frmUrbanResult");
}

void UrbanForm::writeResults(const UrbanTexts& texts) {
    const int n = static_cast<int>(texts.segment.size());
    for (int i = 0; i < kMaxSegments; ++i) {
        const bool shown = i < n;
        const std::array<std::string, 9> values =
            shown ? texts.segment[static_cast<std::size_t>(i)].columns() : std::array<std::string, 9>{};
        // Rows beyond N of an earlier, longer run are cleared and hidden.
        setVisible(element("lblResultTerm", i), shown);
        for (std::size_t j = 0; j < kSegmentFields.size(); ++j) {
            const std::string name = element(kSegmentFields[j], i);
            set(name, values[j]);
            setVisible(name, shown);
        }
    }
    set("txtHighwayType", texts.highwayType);
    set("txtFreespeed", texts.freeSpeed);
    set("txtTotalSpeed", texts.totalSpeed);
    set("txtTotalLos", texts.totalLos);
    resultRows_ = n;
}

UrbanTexts UrbanForm::shownTexts() const {
    UrbanTexts texts;
    for (int i = 0; i < resultRows_; ++i) {
        auto field = [&](std::size_t j) { return textOf(element(kSegmentFields[j], i)); };
        texts.segment.push_back(
            {field(0), field(1), field(2), field(3), field(4), field(5), field(6), field(7), field(8)});
    }
    texts.highwayType = textOf("txtHighwayType");
    texts.freeSpeed = textOf("txtFreespeed");
    texts.totalSpeed = textOf("txtTotalSpeed");
    texts.totalLos = textOf("txtTotalLos");
    return texts;
}

}  // namespace verosa::analyses::arterial
