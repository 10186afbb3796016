#include "app/commandwindow_win32.h"

#include <windows.h>

#include <QLoggingCategory>
#include <QString>

#include <exception>
#include <optional>
#include <string>

#include "app/runningprogram.h"
#include "app/samefile.h"

namespace tarvo {

Q_LOGGING_CATEGORY(lcCommandWindow, "tarvo.app.commandwindow", QtWarningMsg)

namespace {

constexpr const wchar_t* WindowClass = L"TarvoCommandWindow";
constexpr ULONG_PTR RunCommand = 1;
constexpr ULONG_PTR ShowIfFileCommand = 2;
constexpr LRESULT Done = 1;
constexpr LRESULT NotDone = 0;
constexpr LRESULT NoSuchHotKey = 2;
// The program answers at once; a program that hangs must not hold the caller.
constexpr UINT CallTimeout = 25000;

std::string TextOf(const COPYDATASTRUCT& data)
{
    return QString::fromWCharArray(static_cast<const wchar_t*>(data.lpData), int(data.cbData / sizeof(wchar_t)))
        .toStdString();
}

class TCommandWindow : public QObject {
public:
    TCommandWindow(THotKeyRegistrar& registrar, TCommandHandlers handlers)
        : registrar_(registrar), handlers_(std::move(handlers))
    {
        RegisterWindowClass();
        window_ = ::CreateWindowExW(0, WindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
        if (!window_) {
            qCWarning(lcCommandWindow) << "later starts cannot reach this program: no command window, error"
                                       << ::GetLastError();
            return;
        }
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    ~TCommandWindow() override
    {
        if (window_)
            ::DestroyWindow(window_);
    }

private:
    static void RegisterWindowClass()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &WindowProcedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = WindowClass;
        ::RegisterClassW(&windowClass); // fails harmlessly when registered already
    }

    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<TCommandWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_COPYDATA && self) {
            // No exception may leave the system's call of the window
            // procedure: the caller learns only that nothing was done.
            try {
                return self->Answer(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            } catch (const std::exception& error) {
                qCWarning(lcCommandWindow) << "a later start's request failed:" << error.what();
                return NotDone;
            }
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    LRESULT Answer(const COPYDATASTRUCT& data)
    {
        const std::string text = TextOf(data);
        if (data.dwData == RunCommand)
            return registrar_.RunHotKey(text) ? Done : NoSuchHotKey;
        if (data.dwData == ShowIfFileCommand && SameFile(handlers_.FileName(), text)) {
            handlers_.ShowWindow();
            return Done;
        }
        return NotDone;
    }

    THotKeyRegistrar& registrar_;
    TCommandHandlers handlers_;
    HWND window_ = nullptr;
};

// Sends the command to the window; its answer, or nullopt when it gave none
// in time.
std::optional<LRESULT> Send(HWND window, ULONG_PTR command, const std::string& text)
{
    const std::wstring wide = QString::fromStdString(text).toStdWString();
    COPYDATASTRUCT data{command, DWORD(wide.size() * sizeof(wchar_t)), const_cast<wchar_t*>(wide.data())};
    DWORD_PTR answer = 0;
    // The running program may bring its window to the front.
    ::AllowSetForegroundWindow(ASFW_ANY);
    if (!::SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, CallTimeout,
                               &answer))
        return std::nullopt;
    return LRESULT(answer);
}

HWND NextCommandWindow(HWND after)
{
    return ::FindWindowExW(HWND_MESSAGE, after, WindowClass, nullptr);
}

} // namespace

std::unique_ptr<QObject> ServeCommandWindow(THotKeyRegistrar& registrar, TCommandHandlers handlers)
{
    return std::make_unique<TCommandWindow>(registrar, std::move(handlers));
}

void RunInRunningProgram(const std::string& nameOrId)
{
    const HWND window = NextCommandWindow(nullptr);
    if (!window)
        throw ECommandBusError("no Tarvo is running");
    const std::optional<LRESULT> answer = Send(window, RunCommand, nameOrId);
    if (!answer)
        throw ECommandBusError("the running Tarvo does not answer");
    if (*answer == NoSuchHotKey)
        throw ECommandBusError("no hotkey is named or has the ID \"" + nameOrId + "\"");
    if (*answer != Done)
        throw ECommandBusError("the running Tarvo could not run \"" + nameOrId + "\"");
}

bool ShowRunningProgramWith(const std::string& file)
{
    for (HWND window = NextCommandWindow(nullptr); window; window = NextCommandWindow(window))
        if (Send(window, ShowIfFileCommand, file) == Done)
            return true;
    return false;
}

} // namespace tarvo
