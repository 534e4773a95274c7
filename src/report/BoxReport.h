#pragma once
// The fixed-width report: lines ending in CR LF, drawn in a box of line
// characters. A framed report's lines start with a margin (three spaces);
// content lines are "│" ... "│" of the frame's inner width. Worksheets draw
// their own inner tables with rules of several columns and have no margin.
// Columns: ASCII one, every other character two.
#include <initializer_list>
#include <string>
#include <string_view>

namespace verosa::report {

// Display columns of a UTF-8 text: one per ASCII character, two per other.
int columns(std::string_view utf8);
// Characters (code points) of a UTF-8 text.
int characters(std::string_view utf8);

// `piece` written n times ("─" runs, "═" rules).
std::string repeat(std::string_view piece, int n);

// A rule across the columns of an inner table or a worksheet: `left`, then for
// each column a run of "─" of its length, the runs separated by `join`, then
// `right`: rule("├", {1, 3, 3}, "┼", "┤") is "├─┼───┼───┤".
std::string rule(std::string_view left, std::initializer_list<int> runs, std::string_view join, std::string_view right);

// A content line of a frame of `innerColumns`: the text (the margin, the
// opening "│" and what follows it) without its trailing spaces, padded with
// spaces to the inner width and closed with "│". A text wider than the inner width first gives up spaces,
// one at a time, from its longest run of two or more spaces (the leftmost of
// equal runs) after the opening "│"; if it is still too wide it keeps every
// character and is closed with one space and "│".
std::string frameContent(std::string_view text, int innerColumns);

class BoxReport {
public:
    // `run` is the number of "─" of the frame lines (36, 32, 38 ...); the inner
    // width is twice that in columns. `margin` spaces start every line.
    explicit BoxReport(int run, int margin = 3);

    int innerColumns() const { return run_ * 2; }

    BoxReport& top();        // "   ┌──…──┐"
    BoxReport& separator();  // "   ├──…──┤"
    BoxReport& bottom();     // "   └──…──┘"
    BoxReport& empty();      // "   │" + inner spaces + "│"
    // A line exactly as given (literal pieces already carry padding and "│").
    BoxReport& line(std::string_view text);
    // A content line: `text` (the margin, "│" and the content) closed by the
    // frame rule (frameContent).
    BoxReport& framed(std::string_view text);

    const std::string& text() const { return text_; }

private:
    BoxReport& frameLine(std::string_view left, std::string_view right);
    int run_;
    std::string margin_;
    std::string text_;
};

// A report of plain unframed lines, each ending in CR LF.
class PlainReport {
public:
    PlainReport& line(std::string_view text);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace verosa::report
