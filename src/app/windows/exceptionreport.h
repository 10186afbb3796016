#pragma once
// The application's exception report: an error that leaves a handler of the
// user interface is shown in a message box with its text, and the program
// goes on. Qt's event loop must never see an exception.

#include <exception>
#include <functional>

namespace tarvo {

// Shows the error's text in a message box titled "Tarvo".
void ReportException(const std::exception& error);

// Runs handler; an error it raises is reported and the rest of the handler
// is not carried out. False when an error was reported.
bool RunReportingErrors(const std::function<void()>& handler);

} // namespace tarvo
