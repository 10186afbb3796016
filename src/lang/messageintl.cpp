#include "lang/messageintl.h"

#include <memory>

namespace tarvo {

namespace {
std::unique_ptr<TIntlMessages> theTable;
} // namespace

TLangMess* TLangMessages::Find(int32_t number)
{
    TID* found = Messages.ObjectWithID(number);
    return found ? &CastTo<TLangMess>(*found) : nullptr;
}

void TLangMessages::AddText(int32_t number, std::string_view caption, std::string_view text)
{
    TLangMess* message = Find(number);
    if (!message) {
        auto added = std::make_unique<TLangMess>();
        added->ID = number;
        message = added.get();
        // Inserted as it is: TIDList::Add would renumber a message numbered -1.
        Messages.TSortedObjectList::Add(std::move(added));
    }
    message->Caption = caption;
    message->Text = text;
}

std::string TLangMessages::GetText(int32_t number)
{
    const TLangMess* message = Find(number);
    return message ? message->Text : std::string();
}

std::string TLangMessages::GetCaption(int32_t number)
{
    const TLangMess* message = Find(number);
    return message ? message->Caption : std::string();
}

TLangMessages* TIntlMessages::Find(int32_t langKey)
{
    TID* found = LangMessages.ObjectWithID(langKey);
    return found ? &CastTo<TLangMessages>(*found) : nullptr;
}

void TIntlMessages::AddText(int32_t langKey, int32_t number, std::string_view caption, std::string_view text)
{
    TLangMessages* language = Find(langKey);
    if (!language) {
        auto added = std::make_unique<TLangMessages>();
        added->ID = langKey;
        language = added.get();
        // Inserted as it is: TIDList::Add would renumber the language key -1.
        LangMessages.TSortedObjectList::Add(std::move(added));
    }
    language->AddText(number, caption, text);
}

std::string TIntlMessages::GetText(int32_t langKey, int32_t number)
{
    TLangMessages* language = Find(langKey);
    return language ? language->GetText(number) : std::string();
}

std::string TIntlMessages::GetCaption(int32_t langKey, int32_t number)
{
    TLangMessages* language = Find(langKey);
    return language ? language->GetCaption(number) : std::string();
}

void InitIntlMessagesModule()
{
    theTable = std::make_unique<TIntlMessages>();
}

void FinalizeIntlMessagesModule()
{
    theTable.reset();
}

} // namespace tarvo
