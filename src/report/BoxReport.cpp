// The fixed-width framed report and the column model of its text.
#include "report/BoxReport.h"

namespace verosa::report {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kMargin = "   ";

bool startsCodePoint(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

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

BoxReport::BoxReport(int run) : run_(run) {}

BoxReport& BoxReport::frameLine(std::string_view left, std::string_view right) {
    text_ += kMargin;
    text_ += left;
    for (int i = 0; i < run_; ++i) text_ += "─";
    text_ += right;
    text_ += kCrLf;
    return *this;
}

BoxReport& BoxReport::top() { return frameLine("┌", "┐"); }
BoxReport& BoxReport::separator() { return frameLine("├", "┤"); }
BoxReport& BoxReport::bottom() { return frameLine("└", "┘"); }

BoxReport& BoxReport::empty() {
    text_ += kMargin;
    text_ += "│";
    text_.append(static_cast<std::size_t>(innerColumns()), ' ');
    text_ += "│";
    text_ += kCrLf;
    return *this;
}

BoxReport& BoxReport::line(std::string_view text) {
    text_ += text;
    text_ += kCrLf;
    return *this;
}

BoxReport& BoxReport::framed(std::string_view text) {
    // Margin (3) and the opening "│" (2) come before the inner width.
    int wanted = static_cast<int>(kMargin.size()) + 2 + innerColumns();
    int have = columns(text);
    text_ += text;
    if (have < wanted) text_.append(static_cast<std::size_t>(wanted - have), ' ');
    text_ += "│";
    text_ += kCrLf;
    return *this;
}

PlainReport& PlainReport::line(std::string_view text) {
    text_ += text;
    text_ += "\r\n";
    return *this;
}

}  // namespace verosa::report
