#include "app/windows/exceptionreport.h"

#include "app/windows/windowslog.h"
#include "platform/messagebox.h"

namespace tarvo {

void ReportException(const std::exception& error)
{
    qCWarning(lcWindows) << error.what();
    platform::ShowMessageBox(error.what(), "Tarvo", platform::MbOk | platform::MbIconStop);
}

bool RunReportingErrors(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        ReportException(error);
        return false;
    }
}

} // namespace tarvo
