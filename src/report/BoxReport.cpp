// The fixed-width framed report and the column model of its text.
#include "report/BoxReport.h"

#include <cstddef>

namespace verosa::report {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kBar = "│";

bool startsCodePoint(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// The longest run of two or more spaces after `from` (the leftmost of equal
// runs): its start and length, or length 0 when there is none.
std::pair<std::size_t, std::size_t> longestSpaceRun(std::string_view text, std::size_t from) {
    std::size_t bestStart = 0, bestLength = 0;
    for (std::size_t i = from; i < text.size();) {
        if (text[i] != ' ') {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && text[j] == ' ') ++j;
        if (j - i >= 2 && j - i > bestLength) {
            bestStart = i;
            bestLength = j - i;
        }
        i = j;
    }
    return {bestStart, bestLength};
}

}  // namespace

int columns(std::string_view utf8) {
    int n = 0;
    for (char c : utf8) {
        if (!startsCodePoint(c)) continue;
        n += static_cast<unsigned char>(c) < 0x80 ? 1 : 2;
    }
    return n;
}

int characters(std::string_view utf8) {
    int n = 0;
    for (char c : utf8) {
        if (startsCodePoint(c)) ++n;
    }
    return n;
}

std::string repeat(std::string_view piece, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += piece;
    return s;
}

std::string rule(std::string_view left, std::initializer_list<int> runs, std::string_view join,
                 std::string_view right) {
    std::string s(left);
    bool first = true;
    for (int run : runs) {
        if (!first) s += join;
        first = false;
        s += repeat("─", run);
    }
    s += right;
    return s;
}

std::string frameContent(std::string_view text, int innerColumns) {
    std::string line(text);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    const std::size_t bar = line.find(kBar);
    const std::size_t contentStart = bar == std::string::npos ? 0 : bar + kBar.size();
    const int wanted =
        (bar == std::string::npos ? 0 : columns(std::string_view(line).substr(0, contentStart))) + innerColumns;
    while (columns(line) > wanted) {
        auto [start, length] = longestSpaceRun(line, contentStart);
        if (length == 0) break;
        line.erase(start, 1);
    }
    const int have = columns(line);
    if (have > wanted) return line + " " + std::string(kBar);
    line.append(static_cast<std::size_t>(wanted - have), ' ');
    return line + std::string(kBar);
}

BoxReport::BoxReport(int run, int margin) : run_(run), margin_(static_cast<std::size_t>(margin), ' ') {}

BoxReport& BoxReport::frameLine(std::string_view left, std::string_view right) {
    text_ += margin_;
    text_ += left;
    text_ += repeat("─", run_);
    text_ += right;
    text_ += kCrLf;
    return *this;
}

BoxReport& BoxReport::top() { return frameLine("┌", "┐"); }
BoxReport& BoxReport::separator() { return frameLine("├", "┤"); }
BoxReport& BoxReport::bottom() { return frameLine("└", "┘"); }

BoxReport& BoxReport::empty() {
    text_ += margin_;
    text_ += kBar;
    text_.append(static_cast<std::size_t>(innerColumns()), ' ');
    text_ += kBar;
    text_ += kCrLf;
    return *this;
}

BoxReport& BoxReport::line(std::string_view text) {
    text_ += text;
    text_ += kCrLf;
    return *this;
}

BoxReport& BoxReport::framed(std::string_view text) {
    text_ += frameContent(text, innerColumns());
    text_ += kCrLf;
    return *this;
}

PlainReport& PlainReport::line(std::string_view text) {
    text_ += text;
    text_ += kCrLf;
    return *this;
}

}  // namespace verosa::report
