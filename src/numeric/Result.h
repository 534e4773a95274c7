#pragma once
// Errors of an analysis as values. Inside a computation a failure may be thrown
// (as Failure) where it arises, so formulas read as the method writes them; the
// command boundary (a form command, the CLI's main) turns it back into an Error.
#include <exception>
#include <string>
#include <utility>

namespace verosa {

enum class ErrorKind {
    // An input the analysis cannot compute with; refused before computing.
    InputError,
    // A zero divisor, an integer overflow or a value out of a formula's domain
    // met while computing.
    ArithmeticFailure,
    // A table file or a table that an analysis needs is not there.
    MissingTable,
};

struct Error {
    ErrorKind kind = ErrorKind::InputError;
    std::string message;  // Korean, shown to the user as it stands
    std::string focus;    // control to focus afterwards, empty for none
};

class Failure : public std::exception {
public:
    explicit Failure(Error error) : error_(std::move(error)) {}
    const Error& error() const noexcept { return error_; }
    const char* what() const noexcept override { return error_.message.c_str(); }

private:
    Error error_;
};

[[noreturn]] inline void refuseInput(std::string message, std::string focus = {}) {
    throw Failure({ErrorKind::InputError, std::move(message), std::move(focus)});
}
[[noreturn]] inline void failArithmetic(std::string message) {
    throw Failure({ErrorKind::ArithmeticFailure, std::move(message), {}});
}

}  // namespace verosa
