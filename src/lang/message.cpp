#include "lang/message.h"

#include "persist/classregistry.h"
#include "persist/objectstream.h"
#include "persist/text.h"
#include "platform/messagebox.h"

namespace tarvo {

namespace {

// The description kind that names the message; every other kind numbers it.
constexpr int32_t NamingDescription = 0;
constexpr int64_t NumberingOffset = 10000;
constexpr int32_t UsedStyleBits = 0xFFFF;

void PutText(TObjectStream& stream, const std::string& text)
{
    stream.PutObject(TText(text));
}

std::string GetText(TObjectStream& stream)
{
    return stream.GetObjectAs<TText>()->GetText();
}

} // namespace

void TAppMessage::Create()
{
    TListEntry::Create();
    Name.clear();
    Caption.clear();
    Text.clear();
    Style = 0;
    Bemerkung.clear();
}

void TAppMessage::Store(TObjectStream& stream) const
{
    TListEntry::Store(stream);
    stream.PutLong(StreamVersion);
    PutText(stream, Name);
    PutText(stream, Caption);
    PutText(stream, Text);
    stream.PutLong(Style);
    PutText(stream, Bemerkung);
}

void TAppMessage::Load(TObjectStream& stream)
{
    TListEntry::Load(stream);
    stream.GetLong(); // the version; every stored version has the same fields
    Name = GetText(stream);
    Caption = GetText(stream);
    Text = GetText(stream);
    Style = stream.GetLong();
    Bemerkung = GetText(stream);
}

void TAppMessage::CopyTo(TStreamableObject& target) const
{
    TListEntry::CopyTo(target);
    auto& message = CastTo<TAppMessage>(target);
    message.Name = Name;
    message.Caption = Caption;
    message.Text = Text;
    message.Style = Style;
    message.Bemerkung = Bemerkung;
}

std::string TAppMessage::GetDescription(int32_t kind) const
{
    if (kind == NamingDescription)
        return std::to_string(ID) + ": " + Name;
    // In 64 bits: a number near the top of the 32-bit range must not overflow.
    return std::to_string(int64_t{ID} + NumberingOffset);
}

int TAppMessage::ShowMessageSimple() const
{
    return ShowWithText(Text);
}

int TAppMessage::ShowMessage(const TMessageArgs& args) const
{
    return ShowWithText(FormatMessageText(Text, args));
}

int TAppMessage::ShowWithText(const std::string& text) const
{
    return platform::ShowMessageBox(text, Caption, static_cast<uint32_t>(Style & UsedStyleBits));
}

std::unique_ptr<TIDList> ReadMessageFile(const std::string& fileName)
{
    return ReadObjectFile(fileName, [](TObjectStream& stream) { return stream.GetListOf<TIDList, TAppMessage>(); });
}

void WriteMessageFile(const TIDList& messages, const std::string& fileName)
{
    WriteObjectFile(messages, fileName, TObjectStream::DefaultInitialSize);
}

void InitAppMessageModule()
{
    ClassRegistry().RegisterObjectClass<TAppMessage>();
}

} // namespace tarvo
