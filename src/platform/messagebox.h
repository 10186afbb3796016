#pragma once
// Message boxes: the style word that describes a box (button set, icon,
// default button, as the Windows message-box type flags) and the numbers of
// the buttons a box answers with.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvo::platform {

// Button sets, the low 4 bits of a style.
inline constexpr uint32_t MbOk = 0x0;
inline constexpr uint32_t MbOkCancel = 0x1;
inline constexpr uint32_t MbAbortRetryIgnore = 0x2;
inline constexpr uint32_t MbYesNoCancel = 0x3;
inline constexpr uint32_t MbYesNo = 0x4;
inline constexpr uint32_t MbRetryCancel = 0x5;
// Icons, bits 4 to 7.
inline constexpr uint32_t MbIconStop = 0x10;
inline constexpr uint32_t MbIconQuestion = 0x20;
inline constexpr uint32_t MbIconExclamation = 0x30;
inline constexpr uint32_t MbIconInformation = 0x40;
// The default button, bits 8 to 11: the first, second or third of the set.
inline constexpr uint32_t MbDefButton1 = 0x000;
inline constexpr uint32_t MbDefButton2 = 0x100;
inline constexpr uint32_t MbDefButton3 = 0x200;

// The answers of a box: the number of the button pressed.
enum TMessageBoxAnswer : int {
    IdOk = 1,
    IdCancel = 2,
    IdAbort = 3,
    IdRetry = 4,
    IdIgnore = 5,
    IdYes = 6,
    IdNo = 7,
};

enum class TMessageBoxIcon { None, Stop, Question, Exclamation, Information };

// What a style word asks for.
struct TMessageBoxLayout {
    std::vector<TMessageBoxAnswer> Buttons; // in their order in the set
    TMessageBoxIcon Icon = TMessageBoxIcon::None;
    TMessageBoxAnswer DefaultButton = IdOk;
    // The answer when the box is closed without a button (Escape or the
    // title bar): Cancel where the set has one; the only button of an OK
    // box; No for Yes/No, Abort for Abort/Retry/Ignore, the answers that
    // refuse to go on.
    TMessageBoxAnswer EscapeButton = IdOk;
};

// Decodes a style word. A button set this system does not know shows OK
// alone; an unknown icon shows none; a default button beyond the set is
// the first button.
TMessageBoxLayout DecodeMessageBoxStyle(uint32_t style);

// The window system's message box.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // Shows a modal box with the text and caption (UTF-8) as the style
    // asks and returns the number of the button pressed.
    virtual int Show(std::string_view text, std::string_view caption, uint32_t style) = 0;
};

// Shows a box through the installed message-box service.
int ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style);

} // namespace tarvo::platform
