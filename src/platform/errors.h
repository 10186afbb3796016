#pragma once
// The root of the program's exceptions. Every error the program raises
// derives from ETarvoError and carries the system's own message text, so one
// handler reports them all; the layers above add their own kinds.

#include <stdexcept>
#include <string>
#include <utility>

namespace tarvo {

// A text the user reads, in each of the program's two languages.
struct TUserText {
    std::string English;
    std::string German;

    const std::string& In(bool german) const { return german ? German : English; }
};

class ETarvoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An error whose reason the user reads in either language; the message is
// the English text, for logs and the command line.
class EUserTextError : public ETarvoError {
public:
    explicit EUserTextError(TUserText reason) : ETarvoError(reason.English), Reason(std::move(reason)) { }

    TUserText Reason;
};

// A fault of the program itself rather than of its input or its
// surroundings: a module used before its start-up, a service used before it
// is installed.
class EProgramError : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

// No window system can be reached, the connection to it broke, or it refused
// a request that cannot be refused in normal operation.
class EWindowSystemError : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

} // namespace tarvo
