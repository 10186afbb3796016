#pragma once
// Message records: one numbered message box (caption, text, style) of the
// program, as kept in the message files, and the reading and writing of
// those files.

#include <cstdint>
#include <memory>
#include <string>

#include "lang/messageformat.h"
#include "persist/identified.h"
#include "persist/listentry.h"

namespace tarvo {

class TAppMessage : public TListEntry {
    TARVO_CLASS(TAppMessage)
    static int32_t GetRegistrationCode() { return 1012; }
    // Written in front of the record's own fields; read and not used.
    static constexpr int32_t StreamVersion = 100;

    void Create() override;
    // ID, the version, Name, Caption and Text as TText objects, Style,
    // Bemerkung as a TText object.
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;
    // Kind 0: "7: Name"; any other kind: the number + 10000 ("10007").
    std::string GetDescription(int32_t kind) const override;

    // Shows the box with Text as it is; the number of the button pressed.
    int ShowMessageSimple() const;
    // Shows the box with Text formatted with the arguments (FormatMessageText).
    int ShowMessage(const TMessageArgs& args) const;

    // ID (inherited) is the message number.
    std::string Name;      // short symbolic name, shown in duplicate warnings
    std::string Caption;   // title of the box
    std::string Text;      // body of the box; may hold %s and %d
    int32_t Style = 0;     // message-box style; the low 16 bits are used
    std::string Bemerkung; // remark for the author of the message file; never shown

private:
    int ShowWithText(const std::string& text) const;
};

// Reads a message file: a TIDList of TAppMessage. A file that cannot be
// read, or holds anything else, raises an error naming the file.
std::unique_ptr<TIDList> ReadMessageFile(const std::string& fileName);
// Writes the messages as a message file, replacing the file as a whole; on
// failure (EFCreateError) the previous file is untouched.
void WriteMessageFile(const TIDList& messages, const std::string& fileName);

// Start-up of the application-message module: registers TAppMessage.
void InitAppMessageModule();

} // namespace tarvo
