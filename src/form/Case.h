#pragma once
// Case files: the inputs of one analysis window, kept so that they can be
// opened, changed and analysed again later. One format for the desktop
// program and verosa-cli, a JSON object:
//
//   {"format": "verosa-case", "version": 1, "analysis": "signalized",
//    "controls": {"txtLtVol[0]": "150", "cboGrade[0]": 2, "chkCross[2]": true, ...},
//    "state": {...}}
//
// "controls" holds every input control in the window's tab order, as the
// user sets it: a text field (or a typed grid cell, "MSFBusCap[1][3]") its
// text, a list its position (-1 for none), an option button or check box
// true or false. "state" holds what the window keeps besides its controls
// (Form::keptState), absent where it keeps nothing else.
//
// A case is applied to a fresh form through the user's actions, in the
// file's order, so every change handler runs as it would for a user; the
// caller shows the form only when every value was taken.
#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "form/Form.h"

namespace verosa::form {

inline constexpr const char* kCaseFormat = "verosa-case";
inline constexpr int kCaseVersion = 1;
inline constexpr const char* kCaseSuffix = ".vcase";
// A larger file is not a case: no window has that many inputs.
inline constexpr std::size_t kMaxCaseBytes = 1024 * 1024;

struct Case {
    std::string analysis;  // the CLI's analysis name ("walkway")
    // Control name -> value, in order.
    std::vector<std::pair<std::string, nlohmann::ordered_json>> controls;
    nlohmann::ordered_json state;  // null where the window keeps nothing else
};

// A file that is not a case, or a case a window cannot take. The message
// (Korean) says what is wrong and where: the control's name, or the key of
// the file. A value the window's own handling turned down (a target level
// "F") carries the status of that outcome: the user's input refused rather
// than a broken file.
class CaseError : public std::runtime_error {
public:
    explicit CaseError(const std::string& message, Outcome::Status status = Outcome::Status::Done)
        : std::runtime_error(message), status_(status) {}
    // Done for a file that is not a case (or does not fit the window).
    Outcome::Status status() const { return status_; }

private:
    Outcome::Status status_;
};

// Reads a case file: a regular file of at most kMaxCaseBytes, then parsed.
Case readCaseFile(const std::filesystem::path& path);
// The bytes of such a file, not yet parsed.
std::string readCaseBytes(const std::filesystem::path& path);
// Parses the text of a case file: its format, version and the shape of its
// members. Which controls and values fit a window is decided by applyCase.
Case parseCase(std::string_view text);
// The JSON text of a case, two-space indented, UTF-8, ending in a newline.
std::string caseText(const Case& c);

// The case of a form's present inputs, for the analysis named.
Case caseOf(const Form& form, const std::string& analysis);
// The input controls a case keeps, in tab order (grid cells as "name[r][c]").
std::vector<std::string> caseControlNames(const Form& form);

// Applies a case's controls, in its order, through the user's actions, then
// its state. Throws CaseError naming the control (or the place in the state)
// on an unknown control, a value of the wrong kind, a list position out of
// range, or a value the window refuses; the form is then to be thrown away.
void applyCase(Form& form, const Case& c);

// A text from a file as a message may quote it: in double quotes, control
// characters and broken sequences shown as "?", at most 40 characters.
std::string quotedForMessage(std::string_view text);

}  // namespace verosa::form
