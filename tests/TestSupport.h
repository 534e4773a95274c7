#pragma once
// What several test files need: the failure a call throws, whether it is an
// input refusal, and the lines of a report.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "form/Form.h"
#include "numeric/Result.h"

namespace verosa::test {

// The error a call throws, or nothing when it succeeds.
template <class F>
std::optional<Error> failureOf(F&& f) {
    try {
        f();
    } catch (const Failure& failure) {
        return failure.error();
    }
    return std::nullopt;
}

// The error a call must throw (a test failure where it does not).
template <class F>
Error expectFailure(F&& f) {
    if (auto e = failureOf(f)) return *e;
    ADD_FAILURE() << "expected a failure";
    return {};
}

// True when the call refuses its input with a message.
template <class F>
bool refused(F&& f) {
    auto e = failureOf(f);
    return e && e->kind == ErrorKind::InputError && !e->message.empty();
}

// The lines of a report without their CR LF; fails if text follows the last one.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF: " << text.substr(start);
    return lines;
}

// Typing `text` into `field` and pressing `button` is refused with `message`,
// focused on the field, the report kept; the field then gets its text back.
inline void expectFieldRefused(form::Form& form, const std::string& button, const std::string& field,
                               const std::string& text, const std::string& message) {
    const std::string kept = form.at(field).text;
    const std::string report = form.resultText();
    form.setText(field, text);
    const form::Outcome o = form.press(button);
    EXPECT_EQ(o.status, form::Outcome::Status::Refused) << field << " " << text;
    if (o.message) {
        EXPECT_EQ(o.message->text, message) << field << " " << text;
    } else {
        ADD_FAILURE() << "no message for " << field << " " << text;
    }
    EXPECT_EQ(o.focus, field);
    EXPECT_EQ(form.resultText(), report) << field << " " << text;
    form.setText(field, kept);
}

}  // namespace verosa::test
