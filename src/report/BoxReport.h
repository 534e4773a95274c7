#pragma once
// The fixed-width report: lines ending in CR LF, drawn in a box of line
// characters. Every line starts with three spaces; content lines are "│" ...
// "│" of the frame's inner width. Columns: ASCII one, every other character two.
#include <string>
#include <string_view>

namespace verosa::report {

// Display columns of a UTF-8 text: one per ASCII character, two per other.
int columns(std::string_view utf8);
// Characters (code points) of a UTF-8 text.
int characters(std::string_view utf8);

class BoxReport {
public:
    // `run` is the number of "─" of the frame lines (36, 32, 38 ...); the inner
    // width is twice that in columns.
    explicit BoxReport(int run);

    int innerColumns() const { return run_ * 2; }

    BoxReport& top();        // "   ┌──…──┐"
    BoxReport& separator();  // "   ├──…──┤"
    BoxReport& bottom();     // "   └──…──┘"
    BoxReport& empty();      // "   │" + inner spaces + "│"
    // A line exactly as given (literal pieces already carry padding and "│").
    BoxReport& line(std::string_view text);
    // The text (which starts "   │") padded with spaces to the inner width and
    // closed with "│"; a text already too wide is closed without padding.
    BoxReport& framed(std::string_view text);

    const std::string& text() const { return text_; }

private:
    BoxReport& frameLine(std::string_view left, std::string_view right);
    int run_;
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
