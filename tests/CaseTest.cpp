// Case files: every example of every analysis survives saving and opening
// byte for byte; files that are not cases, or do not fit the window, are
// refused saying what and where, with nothing changed; the window's own
// state (the signalized lane entry) travels with its controls.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "analyses/Cases.h"
#include "analyses/signalized/IntersectionForm.h"
#include "cli/Cli.h"
#include "form/Case.h"
#include "tables/LookupTable.h"

using namespace verosa;
using form::Case;
using form::CaseError;
using Json = nlohmann::ordered_json;

namespace {

const tables::LookupTableStore& store() {
    static const tables::LookupTableStore s;
    return s;
}

// A window as its menu command opens it.
std::unique_ptr<form::Form> openWindow(const analyses::AnalysisRef& ref, form::AnalysisIndex& index) {
    if (!ref.facility->modeKey.empty()) index.key = ref.facility->modeKey;
    auto f = ref.facility->create({&index, &store()});
    f->open();
    return f;
}

// What pressing the analysis button gives: the rendering, or the refusal.
std::string analyse(form::Form& f, const std::string& button) {
    const form::Outcome o = f.press(button);
    if (!o.ok())
        return "refused " + std::to_string(static_cast<int>(o.status)) + ": " + (o.message ? o.message->text : "");
    return f.renderingOf(button);
}

// The message of the CaseError a call throws ("" when it throws none).
template <class F>
std::string caseErrorOf(F&& f) {
    try {
        f();
    } catch (const CaseError& e) {
        return e.what();
    }
    return {};
}

std::filesystem::path tempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("verosa-case-" + std::to_string(::getpid()) + "-" + name);
}

// The case of an example (of a window just opened without one), as its text.
std::string exampleCase(const std::string& analysis, const std::string& example = {}) {
    const analyses::AnalysisRef ref = analyses::findAnalysis(analysis);
    form::AnalysisIndex index;
    auto f = openWindow(ref, index);
    if (!example.empty()) {
        const form::Control* button = f->exampleButton(example);
        if (!button) throw std::logic_error("no example " + example);
        f->press(button->name);
    }
    return form::caseText(form::caseOf(*f, analysis));
}

Case withControl(Case c, const std::string& name, Json value) {
    for (auto& [n, v] : c.controls)
        if (n == name) {
            v = std::move(value);
            return c;
        }
    c.controls.emplace_back(name, std::move(value));
    return c;
}

}  // namespace

// Save, close, open, analyse: the same inputs and byte for byte the same
// report (or the same refusal) for every example pressed in every window,
// under every analysis of that window.
TEST(CaseRoundTrip, EveryExampleOfEveryAnalysis) {
    int compared = 0;
    for (const analyses::AnalysisRef& ref : analyses::allAnalyses()) {
        ASSERT_TRUE(ref.facility->built()) << ref.analysis->name;
        form::AnalysisIndex probeIndex;
        const auto probe = openWindow(ref, probeIndex);
        for (const form::Control* example : probe->exampleButtons()) {
            SCOPED_TRACE(ref.analysis->name + " " + example->caption);
            form::AnalysisIndex index;
            auto first = openWindow(ref, index);
            ASSERT_TRUE(first->press(example->name).ok());
            const std::string report = analyse(*first, ref.analysis->button);
            const std::string saved = form::caseText(form::caseOf(*first, ref.analysis->name));
            first.reset();  // closed

            form::AnalysisIndex reopenedIndex;
            analyses::OpenedCase opened = analyses::openCase(form::parseCase(saved), reopenedIndex, &store());
            EXPECT_EQ(opened.analysis.analysis, ref.analysis);
            EXPECT_EQ(reopenedIndex.key, ref.facility->modeKey);
            EXPECT_EQ(form::caseText(form::caseOf(*opened.form, ref.analysis->name)), saved);
            EXPECT_EQ(analyse(*opened.form, ref.analysis->button), report);
            ++compared;
        }
    }
    EXPECT_GE(compared, 40);
}

TEST(CaseFile, KeepsEveryInputControlInTabOrderWithItsKindOfValue) {
    const Json doc = Json::parse(exampleCase("freeway-oper", "Ex#1"));
    EXPECT_EQ(doc["format"], "verosa-case");
    EXPECT_EQ(doc["version"], 1);
    EXPECT_EQ(doc["analysis"], "freeway-oper");
    EXPECT_FALSE(doc.contains("state"));
    const Json& controls = doc["controls"];
    std::vector<std::string> names;
    for (auto it = controls.begin(); it != controls.end(); ++it) names.push_back(it.key());
    const std::vector<std::string> expected = {"cboTermType",    "cboLandType",  "cboGrade",     "cboGradeLength",
                                               "cboDesignSpeed", "txtLane",      "cboLaneWidth", "optOneSide",
                                               "optTwoSide",     "cboSideWidth", "txtVolume",    "txtLightPer",
                                               "txtHeavyPer",    "txtTotalPer",  "txtPHF",       "cboLOS"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(controls["txtPHF"], "0.95");
    EXPECT_EQ(controls["cboLandType"], 1);
    EXPECT_EQ(controls["cboGrade"], -1);
    EXPECT_EQ(controls["optTwoSide"], true);
    EXPECT_EQ(controls["optOneSide"], false);
}

TEST(CaseFile, KeepsTheTypedCellsOfAGridButNotItsResultsNorResultFields) {
    const Json busload = Json::parse(exampleCase("busload", "Ex#2"))["controls"];
    EXPECT_TRUE(busload.contains("MSFBusCap[1][1]"));
    EXPECT_TRUE(busload.contains("MSFBusCap[2][1]"));
    EXPECT_FALSE(busload.contains("MSFBusCap[0][1]"));  // the stop numbers
    EXPECT_FALSE(busload.contains("MSFBusCap[3][1]"));  // results
    const Json arterial = Json::parse(exampleCase("arterial"))["controls"];
    EXPECT_FALSE(arterial.contains("txtFreespeed"));
    // The signalized worksheet choosers choose a view of the results.
    const Json signalized = Json::parse(exampleCase("signalized", "예제1"));
    EXPECT_FALSE(signalized["controls"].contains("optPage[0]"));
    EXPECT_TRUE(signalized["controls"].contains("optDirection[0]"));
}

// ---- the signalized lane entry ----

TEST(CaseFile, TheSignalizedLaneEntryTravelsWithTheCase) {
    const Json state = Json::parse(exampleCase("signalized", "예제5"))["state"];
    EXPECT_EQ(state["laneCount"], Json::parse("[4, 4, 2, 1]"));
    // Widths as typed, not as their binary expansion.
    EXPECT_EQ(state["slots"][0][0], Json::parse(R"({"width": 2.82, "code": 1})"));
    EXPECT_EQ(state["slots"][3][1], Json::parse(R"({"width": 0, "code": 0})"));
    EXPECT_EQ(state["approach"], -1);
    EXPECT_EQ(state["lane"], 1);

    // A lane entry left half done comes back half done.
    form::AnalysisIndex index;
    analyses::signalized::IntersectionForm entering({&index, &store()});
    entering.press("cmdEx2");
    entering.setChecked("optDirection[2]", true);
    entering.setText("txtLaneWidth", "3.15");
    entering.setChecked("chkTh", true);
    entering.press("cmdNext");
    entering.setText("txtLaneWidth", "3.4");
    const Case saved = form::caseOf(entering, "signalized");
    form::AnalysisIndex reopenedIndex;
    analyses::OpenedCase opened = analyses::openCase(saved, reopenedIndex, &store());
    auto& reopened = static_cast<analyses::signalized::IntersectionForm&>(*opened.form);
    EXPECT_EQ(reopened.laneEntry(), entering.laneEntry());
    EXPECT_EQ(reopened.at("Frame2").caption, "NorthBound 2번째 차선");
    EXPECT_TRUE(reopened.at("cmdNext").enabled);
    EXPECT_EQ(reopened.at("MSFLaneWidth").grid.cells[1][3], "3.15m");
    EXPECT_EQ(reopened.at("txtLaneWidth").text, "3.4");
}

TEST(CaseFile, ALaneEntryThatDoesNotFitIsRefusedNamingItsPlace) {
    const Case good = form::parseCase(exampleCase("signalized", "예제1"));
    auto refusal = [&](const std::function<void(Json&)>& spoil) {
        Case c = good;
        spoil(c.state);
        form::AnalysisIndex index;
        return caseErrorOf([&] { analyses::openCase(c, index, &store()); });
    };
    EXPECT_EQ(refusal([](Json& s) { s["laneCount"][1] = 4; }),
              "state.laneCount[1]: 차선수 4가 cboTotalLane[1]의 선택과 다릅니다.");
    EXPECT_EQ(refusal([](Json& s) { s["slots"][2][0]["code"] = 4; }),
              "state.slots[2][0].code: 차선 코드는 0, 1, 3, 5, 7, 9, 11 중 하나여야 합니다.");
    EXPECT_EQ(refusal([](Json& s) { s["slots"][0][1]["width"] = -3; }),
              "state.slots[0][1].width: 차선폭은 0 이상이어야 합니다.");
    EXPECT_EQ(refusal([](Json& s) { s["slots"][0][1].erase("width"); }), "state.slots[0][1].width: 없습니다.");
    EXPECT_EQ(refusal([](Json& s) { s["approach"] = 4; }), "state.approach: 값이 -1부터 3까지의 정수여야 합니다.");
    EXPECT_EQ(refusal([](Json& s) { s["cursor"] = 1; }), "state.cursor: 신호교차로 차선 입력에 없는 항목입니다.");

    // Another window keeps nothing besides its controls.
    Case walkway = form::parseCase(exampleCase("walkway", "Ex#1"));
    walkway.state = good.state;
    form::AnalysisIndex index;
    EXPECT_EQ(caseErrorOf([&] { analyses::openCase(walkway, index, &store()); }),
              "state: 이 분석 창은 컨트롤 밖에 지니는 입력이 없습니다.");
}

// ---- refusals ----

TEST(CaseFile, AFileThatIsNotACaseIsRefusedSayingWhy) {
    auto parsed = [](const std::string& text) { return caseErrorOf([&] { form::parseCase(text); }); };
    EXPECT_EQ(parsed("{\"format\": \"verosa-case\",\n  \"version\": 1,,\n}"),
              "JSON 형식이 아닙니다 (2행 16열). 입력자료 파일이 아닙니다.");
    EXPECT_EQ(parsed("[1, 2]"), "JSON 객체가 아니어서 입력자료 파일이 아닙니다.");
    // The --input files of verosa-cli run are not cases.
    EXPECT_EQ(parsed(R"({"analysis": "walkway", "controls": {}})"), "항목 \"format\"이 없어 입력자료 파일이 아닙니다.");
    const std::string head = R"({"format": "verosa-case", )";
    EXPECT_EQ(parsed(head + R"("version": 2, "analysis": "walkway", "controls": {}})"),
              "항목 \"version\": 버전 2의 입력자료 파일은 이 프로그램보다 새로운 프로그램이 썼습니다. 이 프로그램은 "
              "버전 1까지 읽습니다.");
    EXPECT_EQ(parsed(head + R"("version": 1, "analysis": "walkway", "controls": []})"),
              "항목 \"controls\": 값이 객체여야 하는데 배열입니다.");
    EXPECT_EQ(parsed(head + R"("version": 1, "analysis": "walkway", "controls": {}, "comment": 1})"),
              "항목 \"comment\": 입력자료 파일에 없는 항목입니다.");
    EXPECT_EQ(parsed(head + R"("version": 1, "analysis": "walkway", "controls": {"txtA": "1", "txtA": "2"}})"),
              "컨트롤 \"txtA\": 두 번 있습니다.");
    // A nesting deep enough to exhaust a recursive writer is only described.
    EXPECT_EQ(parsed(head + R"("version": 1, "analysis": "walkway", "controls": )" + std::string(100000, '[') +
                     std::string(100000, ']') + "}"),
              "항목 \"controls\": 값이 객체여야 하는데 배열입니다.");
}

TEST(CaseFile, ACaseThatDoesNotFitTheWindowNamesTheControl) {
    const Case good = form::parseCase(exampleCase("freeway-oper", "Ex#1"));
    auto opening = [](const Case& c) {
        form::AnalysisIndex index;
        index.key = "before";
        const std::string message = caseErrorOf([&] { analyses::openCase(c, index, &store()); });
        EXPECT_EQ(index.key, "before") << "the mode key stays when the case is refused";
        return message;
    };
    Case unknown = good;
    unknown.analysis = "nosuch\n";
    EXPECT_EQ(opening(unknown), "항목 \"analysis\": 알 수 없는 분석입니다 (입력된 값: \"nosuch?\").");
    EXPECT_EQ(opening(withControl(good, "txtNope", "1")), "컨트롤 \"txtNope\": 이 분석 창에 없는 컨트롤입니다.");
    EXPECT_EQ(opening(withControl(good, "txtPHF", 0.95)), "컨트롤 txtPHF: 값이 문자열이어야 하는데 실수입니다.");
    EXPECT_EQ(opening(withControl(good, "cboLandType", "1")),
              "컨트롤 cboLandType: 값이 목록의 위치(정수)여야 하는데 문자열입니다.");
    EXPECT_EQ(opening(withControl(good, "cboLandType", 3)),
              "컨트롤 cboLandType: 목록의 위치는 -1부터 2까지입니다 (입력된 값: 3).");
    EXPECT_EQ(opening(withControl(good, "optTwoSide", "yes")),
              "컨트롤 optTwoSide: 값이 true 또는 false여야 하는데 문자열입니다.");
    EXPECT_EQ(opening(withControl(good, "cmdResult", true)), "컨트롤 cmdResult: 값을 입력하는 컨트롤이 아닙니다.");

    const Case grid = form::parseCase(exampleCase("busload", "Ex#2"));
    EXPECT_EQ(opening(withControl(grid, "MSFBusCap[3][1]", "5")), "칸 MSFBusCap[3][1]: 입력하는 칸이 아닙니다.");
    EXPECT_EQ(opening(withControl(grid, "MSFBusCap[1][99]", "5")), "칸 MSFBusCap[1][99]: 이 표에 없는 칸입니다.");
    const Case arterial = form::parseCase(exampleCase("arterial"));
    EXPECT_EQ(opening(withControl(arterial, "txtFreespeed", "50")),
              "컨트롤 txtFreespeed: 분석 결과를 보여 주는 칸이어서 입력자료가 아닙니다.");
}

TEST(CaseFile, ReadingRefusesDirectoriesLargeFilesAndMissingOnes) {
    auto reading = [](const std::filesystem::path& p) { return caseErrorOf([&] { form::readCaseFile(p); }); };
    EXPECT_EQ(reading(std::filesystem::temp_directory_path()), "폴더입니다. 입력자료 파일(*.vcase)을 고르십시오.");
    EXPECT_EQ(reading(tempPath("absent.vcase")), "파일이 없습니다.");
    EXPECT_EQ(reading("/dev/null"), "일반 파일이 아니어서 입력자료 파일이 아닙니다.");

    // Exactly 1 MiB is read; one byte more is not a case.
    std::string text = exampleCase("walkway", "Ex#1");
    text.insert(text.size() - 2, form::kMaxCaseBytes - text.size(), ' ');
    ASSERT_EQ(text.size(), form::kMaxCaseBytes);
    const auto path = tempPath("large.vcase");
    std::ofstream(path, std::ios::binary) << text;
    EXPECT_EQ(reading(path), "");
    std::ofstream(path, std::ios::binary | std::ios::app) << ' ';
    EXPECT_EQ(reading(path), "파일이 1 MiB보다 커서 입력자료 파일이 아닙니다.");
    std::filesystem::remove(path);
}

// ---- applying as a user would ----

TEST(CaseFile, OptionButtonsAreChosenAsAUserChoosesThem) {
    // The multilane window starts with "불가능" chosen.
    const Case c = form::parseCase(exampleCase("multilane", "Ex#1"));
    Case yes = withControl(withControl(c, "optNo", false), "optYes", true);
    form::AnalysisIndex index;
    auto opened = analyses::openCase(yes, index, &store());
    EXPECT_TRUE(opened.form->at("optYes").checked);
    EXPECT_FALSE(opened.form->at("optNo").checked);
    // Off in the whole group: cleared, as verosa-cli's 0 clears it.
    Case none = withControl(withControl(c, "optNo", false), "optYes", false);
    opened = analyses::openCase(none, index, &store());
    EXPECT_FALSE(opened.form->at("optYes").checked);
    EXPECT_FALSE(opened.form->at("optNo").checked);
}

TEST(CaseFile, AnAnalysisOfAWindowWithSeveralOpensOnItsPage) {
    for (const char* name : {"walkway", "crosswalk", "stairway", "waitarea", "busload", "berth"}) {
        const analyses::AnalysisRef ref = analyses::findAnalysis(name);
        Case c;
        c.analysis = name;
        form::AnalysisIndex index;
        auto opened = analyses::openCase(c, index, &store());
        const int page = opened.form->at(ref.analysis->button).page;
        EXPECT_EQ(opened.form->currentPage(), page) << name;
        // And the window saves the analysis of the page it shows.
        EXPECT_EQ(analyses::analysisShown(*ref.facility, *opened.form).name, name);
    }
    // On the result page: the analysis whose report shows there.
    const analyses::AnalysisRef crosswalk = analyses::findAnalysis("crosswalk");
    form::AnalysisIndex pedestrianIndex;
    auto pedestrian = openWindow(crosswalk, pedestrianIndex);
    pedestrian->press(pedestrian->exampleButton("Ex#2-1")->name);
    ASSERT_TRUE(pedestrian->press("cmdResultCrossRoad").ok());
    ASSERT_NE(pedestrian->currentPage(), pedestrian->at("cmdResultCrossRoad").page);
    EXPECT_EQ(analyses::analysisShown(*crosswalk.facility, *pedestrian).name, "crosswalk");
    // A refused analysis leaves the one last run.
    EXPECT_FALSE(pedestrian->press("cmdResultStairway").ok());
    EXPECT_EQ(analyses::analysisShown(*crosswalk.facility, *pedestrian).name, "crosswalk");
    // A window of one analysis names it whatever its page.
    const analyses::AnalysisRef freeway = analyses::findAnalysis("freeway-design");
    form::AnalysisIndex index;
    auto f = openWindow(freeway, index);
    f->showPage(1);
    EXPECT_EQ(analyses::analysisShown(*freeway.facility, *f).name, "freeway-design");
}

// ---- verosa-cli ----

namespace {
struct CliRun {
    int status;
    std::string out, err;
};
CliRun runCli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = verosa::cli::run(args, out, err);
    return {status, out.str(), err.str()};
}
std::filesystem::path writeTemp(const std::string& name, const std::string& text) {
    const auto p = tempPath(name);
    std::ofstream(p, std::ios::binary) << text;
    return p;
}
}  // namespace

// (That a saved case runs as the run it was saved from is checked over every
// golden run below.)
TEST(CliCase, SavingACaseReadBackWritesItUnchangedAndSetsGoAfterIt) {
    const CliRun saved = runCli({"save-case", "signalized", "--example", "예제3", "--set", "txtThVol[1]=800", "--set",
                                 "optDirection[1]=1", "--set", "txtLaneWidth=3.1", "--press", "cmdNext"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(Json::parse(saved.out)["controls"]["txtThVol[1]"], "800");
    const auto path = writeTemp("scripted.vcase", saved.out);
    EXPECT_EQ(runCli({"save-case", "signalized", "--input", path.string()}).out, saved.out);
    const CliRun changed = runCli({"save-case", "signalized", "--input", path.string(), "--set", "txtCycle=120"});
    EXPECT_EQ(Json::parse(changed.out)["controls"]["txtCycle"], "120");
    std::filesystem::remove(path);
}

TEST(CliCase, RefusalsAndBadCasesEndTheRunWithNothingWritten) {
    // A value refused by the window: exit 2, as the same --set would.
    CliRun r = runCli({"save-case", "walkway", "--example", "Ex#1", "--set", "txtTotViolationWidth_Road=5"});
    EXPECT_EQ(r.status, 0) << "a value is refused by the analysis, not by saving it";
    r = runCli({"save-case", "freeway-design", "--set", "cboLOS=5"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    Case design = form::parseCase(exampleCase("freeway-oper", "Ex#1"));
    design.analysis = "freeway-design";
    design = withControl(design, "cboLOS", 5);
    auto path = writeTemp("design.vcase", form::caseText(design));
    r = runCli({"run", "freeway-design", "--input", path.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err, "입력오류: 컨트롤 cboLOS: 서비스 수준 F로는 설계할 수 없습니다.\n");

    // A file that is not a case, a case of another analysis, an example with a case: usage errors.
    r = runCli({"run", "freeway-oper", "--input", path.string()});
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("analysis differs"), std::string::npos);
    r = runCli({"run", "freeway-design", "--example", "Ex#1", "--input", path.string()});
    EXPECT_EQ(r.status, 64);
    design = withControl(design, "cboLOS", "A");
    path = writeTemp("design.vcase", form::caseText(design));
    r = runCli({"run", "freeway-design", "--input", path.string()});
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("컨트롤 cboLOS: 값이 목록의 위치(정수)여야 하는데 문자열입니다."), std::string::npos) << r.err;
    std::filesystem::remove(path);
}

// Every checked verosa-cli case, saved as a case file and run from it, gives
// what its own run gives: the windows without example buttons (the urban
// arterial) and inputs no example reaches are covered too.
TEST(CliCase, EveryGoldenRunSurvivesACaseFile) {
    int compared = 0;
    for (const auto& facility : std::filesystem::directory_iterator(VEROSA_SOURCE_DIR "/tests/golden")) {
        if (!facility.is_directory()) continue;
        for (const auto& golden : std::filesystem::directory_iterator(facility.path())) {
            std::ifstream in(golden.path() / "args");
            std::vector<std::string> args;
            for (std::string line; std::getline(in, line);) args.push_back(line);
            if (args.size() < 2 || args[0] != "run") continue;
            SCOPED_TRACE(golden.path().string());
            const CliRun ran = runCli(args);
            std::vector<std::string> save = args;
            save[0] = "save-case";
            const CliRun saved = runCli(save);
            if (saved.status != 0) {
                // Refused while the inputs were set: the same refusal, and no case.
                EXPECT_EQ(saved.status, ran.status);
                EXPECT_TRUE(saved.out.empty());
                continue;
            }
            const auto path = writeTemp("golden.vcase", saved.out);
            const CliRun again = runCli({"run", args[1], "--input", path.string()});
            EXPECT_EQ(again.status, ran.status);
            EXPECT_EQ(again.out, ran.out);
            EXPECT_EQ(again.err, ran.err);
            std::filesystem::remove(path);
            ++compared;
        }
    }
    EXPECT_GE(compared, 150);
}
