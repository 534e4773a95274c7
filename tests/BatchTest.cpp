// verosa-cli batch: the results of every example as separate runs give them,
// input order with several workers, bad lines reported and skipped, the CSV
// table and its quoting, an empty file, and 100,000 cases in bounded memory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "analyses/freeway/Freeway.h"
#include "cli/Batch.h"
#include "cli/Case.h"
#include "cli/Cli.h"
#include "numeric/Result.h"
#include "tables/WindowTables.h"

extern char** environ;

namespace verosa::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

struct BatchRun {
    int status = -1;
    std::string out;
    std::string err;
};

BatchRun batch(const std::string& input, BatchOptions options = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    BatchRun r;
    r.status = runBatch(in, options, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

std::vector<Json> jsonLines(const std::string& text) {
    std::vector<Json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(Json::parse(line));
    return lines;
}

std::string caseLine(const std::string& analysis, const std::string& example, const Json& controls = Json()) {
    Json c = {{"analysis", analysis}};
    if (!example.empty()) c["example"] = example;
    if (!controls.is_null()) c["controls"] = controls;
    return c.dump();
}

// The arterial window has no example: the two-segment case of its goldens.
Json arterialControls() {
    return {{"cboTermUnit", 0}, {"cboArea", 0},    {"cboCondi", 0},       {"cboLane", 1},        {"txtCycle", "120"},
            {"cboArr", 2},      {"cboLen[0]", 2},  {"cboSide[0]", 0},     {"txtGbyC[0]", "0.5"}, {"txtVbyC[0]", "0.5"},
            {"cboLen[1]", 9},   {"cboSide[1]", 1}, {"txtGbyC[1]", "0.4"}, {"txtVbyC[1]", "0.9"}};
}

// Every example of every built analysis (as `list` names them), and the arterial case.
std::vector<std::pair<std::string, std::string>> everyExample() {
    std::ostringstream out, err;
    EXPECT_EQ(run({"list"}, out, err), kSuccess);
    std::vector<std::pair<std::string, std::string>> cases;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string analysis, example;
        words >> analysis;
        while (words >> example) cases.emplace_back(analysis, example);
    }
    return cases;
}

const char* statusOfExit(int exit) {
    switch (exit) {
    case kSuccess: return "ok";
    case kRefused: return "refused";
    case kFailed: return "failed";
    case kMissingTable: return "missing-table";
    default: return "bad-case";
    }
}

TEST(Batch, EveryExampleGivesWhatSeparateRunsGive) {
    const auto examples = everyExample();
    ASSERT_GT(examples.size(), 50u);
    std::string input;
    std::vector<std::vector<std::string>> runs;
    for (const auto& [analysis, example] : examples) {
        input += caseLine(analysis, example) + "\n";
        runs.push_back({"run", analysis, "--example", example});
    }
    input += caseLine("arterial", "", arterialControls()) + "\n";
    std::vector<std::string> arterialRun = {"run", "arterial"};
    const Json arterial = arterialControls();
    for (auto it = arterial.begin(); it != arterial.end(); ++it) {
        const std::string value = it.value().is_string() ? it.value().get<std::string>() : it.value().dump();
        arterialRun.insert(arterialRun.end(), {"--set", it.key() + "=" + value});
    }
    runs.push_back(arterialRun);

    const fs::path reports = fs::temp_directory_path() / "verosa-batch-reports";
    fs::remove_all(reports);
    BatchOptions options;
    options.jobs = 2;
    options.reports = reports;
    const BatchRun b = batch(input, options);
    ASSERT_EQ(b.status, kSuccess) << b.err;
    const std::vector<Json> results = jsonLines(b.out);
    ASSERT_EQ(results.size(), runs.size());

    std::set<std::string> analysesOk;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(runs[i][1] + " " + (runs[i].size() > 3 ? runs[i][3] : ""));
        std::ostringstream out, err;
        const int exit = run(runs[i], out, err);
        const Json& r = results[i];
        EXPECT_EQ(r["line"], i + 1);
        EXPECT_EQ(r["analysis"], runs[i][1]);
        EXPECT_EQ(r["status"], statusOfExit(exit));
        const fs::path report = reports / (std::to_string(i + 1) + ".txt");
        if (exit == kSuccess) {
            analysesOk.insert(runs[i][1]);
            EXPECT_TRUE(r["message"].is_null());
            std::ifstream file(report, std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            EXPECT_EQ(text, out.str());
            // Every headline the analysis names, in its order.
            std::vector<std::string> names;
            for (auto it = r["results"].begin(); it != r["results"].end(); ++it) names.push_back(it.key());
            EXPECT_EQ(names, headlineNamesOf(runs[i][1]));
        } else {
            // The message run shows after its "입력오류: " (or like) prefix.
            const std::string message = r["message"].get<std::string>();
            EXPECT_NE(err.str().find(message), std::string::npos) << err.str();
            EXPECT_FALSE(fs::exists(report));
            EXPECT_TRUE(r["results"].empty());
        }
    }
    // Every analysis has at least one example (or case) that runs.
    EXPECT_EQ(analysesOk.size(), builtAnalyses().size());
    fs::remove_all(reports);
}

// Values checked against the reports of the goldens: the number as its report
// shows it, the level as its letter, none as null.
TEST(Batch, HeadlinesAreTheReportedValues) {
    const std::string input = caseLine("freeway-oper", "Ex#1") + "\n" + caseLine("signalized", "예제1") + "\n" +
                              caseLine("weaving-oper", "Ex#3") + "\n" + caseLine("arterial", "", arterialControls()) +
                              "\n" + caseLine("freeway-design", "Ex#4") + "\n" + caseLine("busload", "Ex#2") + "\n";
    const std::vector<Json> r = jsonLines(batch(input).out);
    ASSERT_EQ(r.size(), 6u);
    // Freeway Ex#1: Vp 2105, fw .79, fhv .71, SF(E) 2468, level E.
    EXPECT_EQ(r[0]["results"].dump(),
              R"({"vp_vph":2105,"fw":0.79,"fhv":0.71,"sf_a_vph":666,"sf_b_vph":1111,"sf_c_vph":1505,)"
              R"("sf_d_vph":1974,"sf_e_vph":2468,"los":"E"})");
    // Signalized example 1: the capacity page's delays and levels.
    EXPECT_EQ(r[1]["results"]["delay_s"].dump(), "15.1");
    EXPECT_EQ(r[1]["results"]["los"], "C");
    EXPECT_EQ(r[1]["results"]["nb_delay_s"].dump(), "18.9");
    // Ramp-to-ramp weaving: no speeds, the density through "00.00".
    EXPECT_TRUE(r[2]["results"]["s_kph"].is_null());
    EXPECT_EQ(r[2]["results"]["density_pcpkmpl"].dump(), "21.15");
    // Arterial: travel speed 39.83, level C; no third segment.
    EXPECT_EQ(r[3]["results"]["speed_kph"].dump(), "39.83");
    EXPECT_EQ(r[3]["results"]["los"], "C");
    EXPECT_TRUE(r[3]["results"]["seg3_speed_kph"].is_null());
    // Freeway design Ex#4: 3889 / 1181 = 3.29, four lanes.
    EXPECT_EQ(r[4]["results"]["lanes_ratio"].dump(), "3.29");
    EXPECT_EQ(r[4]["results"]["lanes"], 4);
    // Bus load Ex#2: 63 on board leaving stop 10, level F.
    EXPECT_EQ(r[5]["results"].dump(), R"({"stops":15,"peak_load_persons":63,"peak_stop":10,"los":"F"})");
}

TEST(Batch, OrderIsKeptWithSeveralWorkers) {
    // Cases of very different cost (a signalized intersection costs many
    // walkways), in several chunks.
    std::string input;
    for (int i = 0; i < 1500; ++i) {
        if (i % 7 == 0)
            input += caseLine("signalized", "예제" + std::to_string(1 + i % 5)) + "\n";
        else
            input += caseLine("walkway", "Ex#1", {{"txtPeakPedVolume_Road", std::to_string(100 + i)}}) + "\n";
    }
    BatchOptions one, four;
    one.jobs = 1;
    four.jobs = 4;
    const BatchRun a = batch(input, one);
    const BatchRun b = batch(input, four);
    ASSERT_EQ(a.status, kSuccess);
    EXPECT_EQ(a.out, b.out);
    const std::vector<Json> lines = jsonLines(b.out);
    ASSERT_EQ(lines.size(), 1500u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i]["line"], i + 1);
        ASSERT_EQ(lines[i]["status"], "ok");
    }
    // The volume of each case went into its own result: the flow rate grows
    // with the volume, line after line.
    int previous = 0;
    for (const Json& line : lines) {
        if (line["analysis"] != "walkway") continue;
        const int vp = line["results"]["vp_ppmpm"].get<int>();
        EXPECT_GE(vp, previous);
        previous = vp;
    }
    EXPECT_GT(previous, lines[1]["results"]["vp_ppmpm"].get<int>());
}

TEST(Batch, BadLinesAreReportedAndSkipped) {
    const std::string tooLong = "{\"analysis\":\"walkway\",\"x\":\"" + std::string(kMaxCaseLineBytes, 'a') + "\"}";
    const std::string input =
        "not json\n"
        "[1, 2]\n"
        "\n"
        "   \t\n" +
        caseLine("nosuch", "Ex#1") + "\n" + caseLine("walkway", "Ex#9") + "\n" +
        caseLine("walkway", "Ex#1", {{"txtNoSuchField", "1"}}) + "\n" + "{\"example\":\"Ex#1\"}\n" + tooLong + "\n" +
        caseLine("walkway", "Ex#1") + "\r\n" + caseLine("waitarea", "Ex#4");  // no line feed after the last line
    const BatchRun b = batch(input);
    EXPECT_EQ(b.status, kSuccess) << b.err;
    const std::vector<Json> r = jsonLines(b.out);
    ASSERT_EQ(r.size(), 9u);  // the two blank lines give nothing
    const std::vector<int> numbers = {1, 2, 5, 6, 7, 8, 9, 10, 11};
    for (std::size_t i = 0; i < r.size(); ++i) {
        EXPECT_EQ(r[i]["line"], numbers[i]);
        if (i < 7) {
            EXPECT_EQ(r[i]["status"], "bad-case") << r[i].dump();
            EXPECT_FALSE(r[i]["message"].get<std::string>().empty());
        }
    }
    EXPECT_EQ(r[2]["message"], "unknown analysis: nosuch");
    EXPECT_EQ(r[3]["message"], "unknown example: Ex#9");
    EXPECT_EQ(r[4]["message"], "unknown control: txtNoSuchField");
    EXPECT_TRUE(r[5]["analysis"].is_null());
    EXPECT_EQ(r[6]["message"], "line longer than 1048576 bytes");
    EXPECT_EQ(r[7]["status"], "ok");
    EXPECT_EQ(r[7]["results"]["los"], "C");
    EXPECT_EQ(r[8]["status"], "ok");
}

TEST(Batch, CsvTableQuotesMessagesWithCommasAndQuotes) {
    EXPECT_EQ(csvField("plain 텍스트"), "plain 텍스트");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"x\""), "\"say \"\"x\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");

    BatchOptions csv;
    csv.csv = true;
    const std::string input = "not json\n" + caseLine("walkway", "Ex#1") + "\n" +
                              caseLine("walkway", "Ex#1", {{"txtPeakPedVolume_Road", "1,5"}}) + "\n" +
                              caseLine("waitarea", "Ex#4") + "\n";
    const BatchRun b = batch(input, csv);
    EXPECT_EQ(b.status, kSuccess);
    const std::string refusal = "15분 첨두보행교통량 (인/15분)은 숫자로 입력하십시오. (입력된 값: \"\"1,5\"\")";
    EXPECT_EQ(b.out,
              "line,status,message,we_m,vp_ppmpm,los\r\n"
              "1,bad-case,not JSON,,,\r\n"
              "2,ok,,2.9,42,C\r\n"
              "3,refused,\"" +
                  refusal +
                  "\",,,\r\n"
                  "4,bad-case,a case of waitarea: this CSV table holds the cases of walkway,,,\r\n");
}

TEST(Batch, AnEmptyFileGivesNothing) {
    const BatchRun json = batch("");
    EXPECT_EQ(json.status, kSuccess);
    EXPECT_EQ(json.out, "");
    EXPECT_EQ(json.err, "");
    BatchOptions csv;
    csv.csv = true;
    EXPECT_EQ(batch("", csv).out, "line,status,message\r\n");
}

TEST(Batch, CommandLine) {
    std::ostringstream out, err;
    EXPECT_EQ(run({"batch"}, out, err), kUsage);
    EXPECT_EQ(run({"batch", "a", "b"}, out, err), kUsage);
    EXPECT_EQ(run({"batch", "a", "--jobs", "0"}, out, err), kUsage);
    EXPECT_EQ(run({"batch", "a", "--fast"}, out, err), kUsage);
    // The file cannot be read: missing, or a folder.
    err.str("");
    EXPECT_EQ(run({"batch", "/nonexistent/cases.jsonl"}, out, err), kUnreadable);
    EXPECT_NE(err.str().find("cannot be read"), std::string::npos);
    EXPECT_EQ(run({"batch", fs::temp_directory_path().string()}, out, err), kUnreadable);
    EXPECT_EQ(out.str(), "");
}

// A store that shares its sets hands every window the one set it opened; one
// that does not, a set of each window's own. A set that fails to open is
// asked for again (and named again) by the next window.
TEST(Batch, TablesAreOpenedOncePerBatch) {
    using analyses::freeway::FreewayTables;
    using analyses::freeway::openFreewayTables;
    const tables::LookupTableStore shared(tables::LookupTableStore::Sets::Shared);
    tables::WindowTables<FreewayTables> a(openFreewayTables), b(openFreewayTables);
    EXPECT_EQ(&a.get(&shared), &b.get(&shared));
    const tables::LookupTableStore own;
    tables::WindowTables<FreewayTables> c(openFreewayTables), d(openFreewayTables);
    EXPECT_NE(&c.get(&own), &d.get(&own));

    const tables::LookupTableStore missing(fs::temp_directory_path() / "verosa-no-tables",
                                           tables::LookupTableStore::Sets::Shared);
    for (int i = 0; i < 2; ++i) {
        tables::WindowTables<FreewayTables> e(openFreewayTables);
        EXPECT_THROW(e.get(&missing), verosa::Failure);
    }
}

// Runs verosa-cli as its own process and gives its exit status and peak
// resident memory (KiB).
std::pair<int, long> runChild(const std::vector<std::string>& args, const std::string& stdoutFile) {
    std::vector<char*> argv;
    std::vector<std::string> all = {VEROSA_CLI};
    all.insert(all.end(), args.begin(), args.end());
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, VEROSA_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

// What verosa-cli batch writes on its error stream when that is a terminal
// (a pseudo-terminal here) or a file.
std::string progressOf(int cases, bool terminal) {
    const fs::path dir = fs::temp_directory_path() / "verosa-batch-progress";
    fs::create_directories(dir);
    const fs::path input = dir / "cases.jsonl";
    {
        std::ofstream file(input, std::ios::binary);
        for (int i = 0; i < cases; ++i) file << caseLine("waitarea", "Ex#4") << '\n';
    }
    int master = -1, slave = -1;
    if (terminal) {
        EXPECT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    }
    const fs::path errFile = dir / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (terminal)
        posix_spawn_file_actions_adddup2(&actions, slave, 2);
    else
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> all = {VEROSA_CLI, "batch", input.string()};
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, VEROSA_CLI, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    std::string text;
    if (terminal) {
        close(slave);
        char buffer[4096];
        for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
        close(master);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kSuccess);
    if (!terminal) {
        std::ifstream file(errFile, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    fs::remove_all(dir);
    return text;
}

TEST(Batch, ProgressLineOnlyOnATerminalAndOverAThousandCases) {
    const std::string shown = progressOf(1500, true);
    EXPECT_NE(shown.find("1500 / 1500 cases, "), std::string::npos) << shown;
    EXPECT_NE(shown.find(" cases/s"), std::string::npos) << shown;
    EXPECT_EQ(progressOf(1500, false), "");
    EXPECT_EQ(progressOf(1000, true), "");
}

TEST(Batch, OneHundredThousandCasesRunInBoundedMemory) {
#if defined(__SANITIZE_ADDRESS__)
    // The address sanitizer keeps freed memory in quarantine and shadows all of
    // it: resident memory says nothing about the program's own use there.
    GTEST_SKIP() << "resident memory is not measured under the address sanitizer";
#endif
    const fs::path dir = fs::temp_directory_path() / "verosa-batch-large";
    fs::create_directories(dir);
    const fs::path input = dir / "cases.jsonl";
    const fs::path output = dir / "results.jsonl";
    {
        std::ofstream file(input, std::ios::binary);
        for (int i = 0; i < 100000; ++i)
            file << caseLine("waitarea", "Ex#4", {{"txtPedVolume_WaitArea", std::to_string(1 + i % 400)}}) << '\n';
    }
    const auto [status, peakKiB] = runChild({"batch", input.string(), "--jobs", "2"}, output.string());
    EXPECT_EQ(status, kSuccess);
    // The input is over 8 MB and the output over 9 MB: neither is held whole.
    EXPECT_GT(fs::file_size(input), 8'000'000u);
    EXPECT_LT(peakKiB, 50 * 1024) << "peak resident memory " << peakKiB << " KiB";
    std::ifstream results(output, std::ios::binary);
    std::size_t lines = 0;
    std::string line, last;
    while (std::getline(results, line)) {
        ++lines;
        last = line;
    }
    EXPECT_EQ(lines, 100000u);
    EXPECT_EQ(Json::parse(last)["line"], 100000);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace verosa::cli
