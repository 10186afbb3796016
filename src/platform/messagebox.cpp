#include "platform/messagebox.h"

#include "platform/errors.h"
#include "platform/services.h"

namespace tarvo::platform {

namespace {

constexpr uint32_t ButtonSetMask = 0x000F;
constexpr uint32_t IconMask = 0x00F0;
constexpr uint32_t DefaultButtonMask = 0x0F00;
constexpr int DefaultButtonShift = 8;

struct TButtonSet {
    std::vector<TMessageBoxAnswer> Buttons;
    TMessageBoxAnswer EscapeButton;
};

TButtonSet ButtonSetOf(uint32_t style)
{
    switch (style & ButtonSetMask) {
    case MbOkCancel:
        return {{IdOk, IdCancel}, IdCancel};
    case MbAbortRetryIgnore:
        return {{IdAbort, IdRetry, IdIgnore}, IdAbort};
    case MbYesNoCancel:
        return {{IdYes, IdNo, IdCancel}, IdCancel};
    case MbYesNo:
        return {{IdYes, IdNo}, IdNo};
    case MbRetryCancel:
        return {{IdRetry, IdCancel}, IdCancel};
    default: // MbOk and the sets this system does not know
        return {{IdOk}, IdOk};
    }
}

TMessageBoxIcon IconOf(uint32_t style)
{
    switch (style & IconMask) {
    case MbIconStop:
        return TMessageBoxIcon::Stop;
    case MbIconQuestion:
        return TMessageBoxIcon::Question;
    case MbIconExclamation:
        return TMessageBoxIcon::Exclamation;
    case MbIconInformation:
        return TMessageBoxIcon::Information;
    default:
        return TMessageBoxIcon::None;
    }
}

} // namespace

TMessageBoxLayout DecodeMessageBoxStyle(uint32_t style)
{
    TButtonSet set = ButtonSetOf(style);
    const size_t defaultIndex = (style & DefaultButtonMask) >> DefaultButtonShift;
    TMessageBoxLayout layout;
    layout.DefaultButton = defaultIndex < set.Buttons.size() ? set.Buttons[defaultIndex] : set.Buttons.front();
    layout.Buttons = std::move(set.Buttons);
    layout.Icon = IconOf(style);
    layout.EscapeButton = set.EscapeButton;
    return layout;
}

int ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style)
{
    IMessageBox* box = Services().MessageBox.get();
    if (!box)
        throw EProgramError("a message box is shown before a message-box service is installed");
    return box->Show(text, caption, style);
}

} // namespace tarvo::platform
