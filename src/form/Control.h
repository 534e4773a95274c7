#pragma once
// One control of an analysis window, as plain data. The Qt view shows it; the
// CLI and the tests read and write it through the Form.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numeric/Wording.h"

namespace verosa::form {

enum class ControlKind {
    Text,        // a free text field (txt)
    List,        // a drop-down list read by position (cbo); -1 is no choice
    Option,      // an option button, exclusive within its group (opt)
    Check,       // a check box (chk)
    Button,      // a command button (cmd)
    Label,       // a label, also one that shows a result or a changing caption (lbl)
    Frame,       // a group with a caption (fra); holds other controls
    Grid,        // a table grid (MSF): cells, fixed heading rows and columns
    Drawing,     // a small picture of shapes and labels
    ResultView,  // the report view (rtb): the report text, CR LF kept
};

enum class ButtonRole {
    Other,     // any other button (cmdNext, cmdDraw ...)
    Example,   // fills inputs only; its caption names it ("Ex#1", "예제3")
    Analysis,  // runs an analysis
    Exit,      // closes the window
};

// The name of element i of a control array ("txtVolume[12]") and of a grid
// cell ("MSFBusCap[1][3]"), as the CLI and case files write them.
std::string element(std::string_view name, int i);
std::string cell(std::string_view name, int row, int col);

enum class Align { Left, Center, Right };

// A grid of text cells: row and column 0 are usually headings.
struct GridData {
    int rows = 0;
    int cols = 0;
    int fixedRows = 1;
    int fixedCols = 1;
    bool editable = false;                        // cells below the fixed rows typed in place
    int editableRowLimit = -1;                    // rows >= this are not typed in (-1: none)
    std::vector<std::vector<std::string>> cells;  // [row][col]
    std::vector<std::vector<Align>> align;        // [row][col], as the cell is shown
    std::vector<int> columnWidthTwips;            // 0 = the view decides
    Align defaultAlign = Align::Left;             // of cells the grid gains
    void resize(int newRows, int newCols);
    bool has(int row, int col) const { return row >= 0 && row < rows && col >= 0 && col < cols; }
    // Whether the user types into the cell (below the headings, above the limit).
    bool typedIn(int row, int col) const {
        return editable && has(row, col) && row >= fixedRows && col >= fixedCols &&
               (editableRowLimit < 0 || row < editableRowLimit);
    }
};

// A text field that holds a number: the values the method can compute with
// and what an empty field means. The form's readers refuse any other text
// ("입력오류", naming `subject`, the focus on the field).
struct NumberField {
    Bounds bounds;                    // open where a bound is absent
    std::optional<double> whenEmpty;  // the value of an empty field; none: empty is refused
};

// A shape of a drawing, in the drawing's own units (its width and height).
struct Shape {
    enum class Kind { Line, Rect, Ellipse, Text } kind = Kind::Line;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Text: x1, y1 is its top-left
    std::string text;
    bool framed = true;   // Rect: drawn with its border
    bool dimmed = false;  // painted in the window's background colour
    std::string name;     // for shapes that handlers change ("place3")
    std::string fill;     // Rect, Ellipse: filled with this colour ("#c0392b"); empty: not filled
    std::string colour;   // the pen's colour; empty: the window's text colour
};

// The shapes a drawing is made of; a colour or a name only where a shape needs one.
Shape lineShape(double x1, double y1, double x2, double y2, std::string colour = {}, std::string name = {});
Shape rectShape(double x1, double y1, double x2, double y2, std::string fill, std::string colour = {},
                std::string name = {});
Shape textShape(double x, double y, std::string text, std::string colour = {}, std::string name = {});

struct DrawingData {
    double width = 100, height = 100;
    std::vector<Shape> shapes;
    Shape* find(const std::string& name);
};

struct Control {
    std::string name;  // objectName; array elements carry their index: "txtCycle[3]"
    ControlKind kind = ControlKind::Text;
    std::string caption;  // label text, field caption shown beside it, button/option/frame caption
    std::string toolTip;
    std::string window;  // the owned window it stands in; empty for the form's own window
    int page = -1;       // tab page index; -1 is outside the tabs (the window's button row)
    std::string parent;  // the Frame it sits in; empty for the page itself
    bool visible = true;
    bool enabled = true;
    bool dimmed = false;    // painted in the window's background colour (disabled places)
    bool readOnly = false;  // Text: shows what an analysis wrote; the user cannot type in it

    // Values by kind.
    std::string text;                   // Text, Label (its text), ResultView (the report)
    std::optional<NumberField> number;  // Text: a number field with its range
    std::string subject;                // how messages name the field; empty: its caption
    std::string placeholder;            // Text: shown greyed while the field is empty
    std::vector<std::string> items;     // List
    int index = -1;                     // List: the chosen position, -1 none
    bool checked = false;               // Option, Check
    std::string group;                  // Option: its exclusive group
    ButtonRole role = ButtonRole::Other;
    GridData grid;        // Grid
    DrawingData drawing;  // Drawing

    // Layout hints for the view: the row and column of the control within its
    // container, and how many it spans; column counts pairs of caption + field.
    int row = 0, col = 0, rowSpan = 1, colSpan = 1;
    int width = 0;    // preferred width in characters (0: the view decides)
    int columns = 1;  // Frame: field columns of its own layout
    int lines = 1;    // Label, Text: lines of text shown

    std::string listText() const {
        return index >= 0 && index < (int)items.size() ? items[(size_t)index] : std::string();
    }
};

}  // namespace verosa::form
