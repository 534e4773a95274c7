// verosa-cli: the command contract (exit statuses, --input, ordering), run both
// in process and as the real program.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Cli.h"
#include "fuzz/CliFuzz.h"

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    int status = verosa::cli::run(args, out, err);
    return {status, out.str(), err.str()};
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Temporary files carry the process id, so parallel runs do not meet.
std::filesystem::path tempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + "-" + name);
}

std::filesystem::path writeTemp(const std::string& name, const std::string& text) {
    auto p = tempPath(name);
    std::ofstream(p, std::ios::binary) << text;
    return p;
}

TEST(Cli, ListNamesEachBuiltAnalysisWithItsExamples) {
    CliRun r = cli({"list"});
    EXPECT_EQ(r.status, 0);
    // The walkway line names the example buttons of the pedestrian window.
    std::istringstream lines(r.out);
    std::string line;
    bool walkway = false;
    while (std::getline(lines, line))
        if (line.rfind("walkway ", 0) == 0) walkway = line.find(" Ex#1") != std::string::npos;
    EXPECT_TRUE(walkway) << r.out;
}

TEST(Cli, UsageErrorsExit64) {
    EXPECT_EQ(cli({}).status, 64);
    EXPECT_EQ(cli({"frobnicate"}).status, 64);
    EXPECT_EQ(cli({"run", "nosuch"}).status, 64);
    EXPECT_EQ(cli({"run", "walkway", "--set", "txtNope=1"}).status, 64);
    EXPECT_EQ(cli({"run", "walkway", "--set", "txtTotWidth_Road"}).status, 64);
    EXPECT_EQ(cli({"run", "walkway", "--press", "txtTotWidth_Road"}).status, 64);
    EXPECT_EQ(cli({"run", "walkway", "--example", "Ex#7"}).status, 64);
    EXPECT_EQ(cli({"run", "walkway", "--example"}).status, 64);
    EXPECT_EQ(cli({"run", "walkway", "--example", ""}).status, 64);  // no such caption
    // The exit button closes the window: there is nothing left to analyse.
    EXPECT_EQ(cli({"run", "walkway", "--example", "Ex#1", "--press", "cmdExit"}).status, 64);
    CliRun r = cli({"run", "walkway", "--bogus"});
    EXPECT_EQ(r.status, 64);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
}

TEST(Cli, RefusalPrintsNothingAndTheMessageOnStderr) {
    CliRun r = cli({"run", "walkway", "--example", "Ex#1", "--set", "txtTotViolationWidth_Road=5"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err.rfind("입력오류: ", 0), 0u);
}

TEST(Cli, SetsApplyInOrderAfterTheExample) {
    CliRun a = cli(
        {"run", "walkway", "--example", "Ex#1", "--set", "txtPeakPedVolume_Road=600", "--set", "txtTotWidth_Road=3.4"});
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_NE(a.out.find(" 600 / ( 15 *    2) =  20"), std::string::npos);
    EXPECT_NE(a.out.find("서비스수준 : A"), std::string::npos);
}

TEST(Cli, InputFileControlsComeBeforeSetsInFileOrder) {
    auto file = writeTemp("verosa-cli-test.json", R"({
        "analysis": "walkway", "example": "Ex#1",
        "controls": {"txtPeakPedVolume_Road": 600, "txtTotWidth_Road": "3.4"}})");
    CliRun r = cli({"run", "walkway", "--input", file.string(), "--set", "txtPeakPedVolume_Road=630"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(" 630 / ( 15 *    2) =  21"), std::string::npos);

    EXPECT_EQ(cli({"run", "walkway", "--input", file.string(), "--example", "Ex#1"}).status, 64);
    auto other = writeTemp("verosa-cli-other.json", R"({"analysis": "stairway"})");
    EXPECT_EQ(cli({"run", "walkway", "--input", other.string()}).status, 64);
    auto broken = writeTemp("verosa-cli-broken.json", "{");
    EXPECT_EQ(cli({"run", "walkway", "--input", broken.string()}).status, 64);
    EXPECT_EQ(cli({"run", "walkway", "--input", "/nonexistent/x.json"}).status, 64);
}

// A usage error: status 64, nothing on stdout, a message naming what is wrong.
void expectUsage(const std::vector<std::string>& args, const std::string& says) {
    CliRun r = cli(args);
    EXPECT_EQ(r.status, 64) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("내부 오류"), std::string::npos) << r.err;
}

TEST(Cli, AnInputFileThatCannotBeReadIsAUsageError) {
    const auto folder = tempPath("verosa-cli-folder");
    std::filesystem::create_directories(folder);
    expectUsage({"run", "stairway", "--input", folder.string()}, "is a directory");
    const auto file = writeTemp("verosa-cli-plain.json", "{}");
    expectUsage({"run", "stairway", "--input", (file / "x.json").string()}, "cannot read");
    // Bytes that are not UTF-8, where the rest would be a good case.
    const auto latin1 =
        writeTemp("verosa-cli-latin1.json", "{\"example\": \"Ex#3-1\", \"controls\": {\"x\": \"\xe9\"}}");
    expectUsage({"run", "stairway", "--input", latin1.string()}, "not valid UTF-8 (byte 41)");
    // Beyond 1 MiB, however well-formed.
    const auto huge = writeTemp("verosa-cli-huge.json", "{\"controls\": {\"txtPossibleWidth_Stairway\": \"" +
                                                            std::string(1 << 20, '1') + "\"}}");
    expectUsage({"run", "stairway", "--input", huge.string()}, "larger than 1 MiB");
    // A number no double holds.
    const auto overflow =
        writeTemp("verosa-cli-overflow.json", "{\"controls\": {\"txtPossibleWidth_Stairway\": 1e400}}");
    expectUsage({"run", "stairway", "--input", overflow.string()}, "number overflow");
    if (::geteuid() != 0) {  // root reads any file
        std::filesystem::permissions(file, std::filesystem::perms::none);
        expectUsage({"run", "stairway", "--input", file.string()}, "cannot read");
    }
    std::filesystem::remove(folder);
}

TEST(Cli, MessagesShowUnprintableBytesEscaped) {
    CliRun r = cli({"run", "walkway", "--set", "txt\xff\x1b[2J=1"});
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("unknown control: txt\\xff\\x1b[2J"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find_first_of("\xff\x1b"), std::string::npos);
    expectUsage({"list", "walkway"}, "list takes no arguments");
}

// Text a window could never hold, typed into every field of every built
// analysis after its first example: refused (2, or 64 where the field is not a
// number field) or, where the analysis does not read the field, a report that
// keeps the contract and carries none of it.
TEST(Cli, NoTypedTextCorruptsAReportOrAMessage) {
    const std::vector<std::string> values = {"\xff", "4\xc3", "1\n2", "1\r", "\x1b[31m", "\t", std::string("1\0", 2)};
    int runs = 0;
    for (const auto& m : verosa::fuzz::learnAnalyses()) {
        if (!m.built || m.examples.empty()) continue;
        for (const auto* controls : {&m.near, &m.far}) {
            for (const std::string& field : controls->texts) {
                for (const std::string& value : values) {
                    const std::vector<std::string> args = {
                        "run", m.name, "--example", m.examples.front(), "--set", field + "=" + value};
                    CliRun r = cli(args);
                    ++runs;
                    verosa::fuzz::Outcome o{r.status, r.out, r.err, {}};
                    const auto breach = verosa::fuzz::contractBreach(args, o);
                    EXPECT_FALSE(breach) << m.name << " " << field << ": " << breach->what;
                    EXPECT_TRUE(r.status == 0 || r.status == 2 || r.status == 64) << m.name << " " << field;
                    // (A TAB alone is a field's blank, and the separator of the table renderings.)
                    if (r.status == 0 && value.find_first_of("\r\n\t") == std::string::npos) {
                        EXPECT_EQ(r.out.find(value), std::string::npos) << m.name << " " << field;
                    }
                }
            }
            // Lists, option buttons and check boxes take positions and 1/0 only.
            for (const auto& list : controls->lists)
                EXPECT_EQ(cli({"run", m.name, "--set", list.name + "=1\n"}).status, 64);
            for (const std::string& option : controls->options)
                EXPECT_EQ(cli({"run", m.name, "--set", option + "=1\r"}).status, 64);
        }
    }
    EXPECT_GT(runs, 500);
}

// The CLI run as a program, its standard output a pipe whose reader is gone
// before anything is written; SIGPIPE at its default, as a shell leaves it.
int statusWithReaderGone(const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    ::close(fds[0]);
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        ::dup2(fds[1], 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        std::vector<char*> argv{const_cast<char*>(VEROSA_CLI)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(VEROSA_CLI, argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) return 1000 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

TEST(Cli, AReaderThatClosesThePipeEarlyGivesTheWriteFailureStatus) {
    EXPECT_EQ(statusWithReaderGone({"run", "walkway", "--example", "Ex#1"}), 74);
    EXPECT_EQ(statusWithReaderGone({"list"}), 74);
}

TEST(Cli, AReportThatCannotBeWrittenIsNoSuccess) {
    const std::string command =
        std::string("\"") + VEROSA_CLI + "\" run walkway --example 'Ex#1' > /dev/full 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 74);
}

TEST(Cli, TheProgramPrintsTheCheckedWalkwayReportByteForByte) {
    const auto golden = std::filesystem::path(VEROSA_SOURCE_DIR) / "tests/golden/walkway/ex1/stdout";
    const auto out = tempPath("verosa-walkway-ex1.txt");
    const std::string command =
        std::string("\"") + VEROSA_CLI + "\" run walkway --example 'Ex#1' > \"" + out.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string text = readFile(out);
    EXPECT_EQ(text, readFile(golden));
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

}  // namespace
