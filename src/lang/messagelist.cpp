#include "lang/messagelist.h"

#include "lang/qttranslations.h"
#include "persist/errors.h"
#include "platform/files.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "settings/appsettings.h"

namespace tarvo {

namespace {

// The notices this module composes itself: fixed German texts, whatever
// the interface language.
constexpr std::string_view NoticeCaption = "Meldung";
constexpr std::string_view MissingFileCaption = "Datei nicht gefunden";
constexpr std::string_view DuplicateNumberText =
    "Mess-ID %d wird von Meldung %s angefordert und bereits von Meldung %s verwendet.";
constexpr uint32_t NoticeStyle = platform::MbOk | platform::MbIconExclamation;
// The answer to a message that cannot be shown: no button of any box.
constexpr int NoAnswer = 0;

std::unique_ptr<TMessageList> theMessages;

// A notice only informs; whichever button closes it, the caller goes on.
void ShowNotice(const std::string& text, std::string_view caption)
{
    platform::ShowMessageBox(text, caption, NoticeStyle);
}

int ShowMissingMessageNotice(int32_t number)
{
    ShowNotice("Meldung " + std::to_string(number) + " nicht gefunden.", NoticeCaption);
    return NoAnswer;
}

TAppMessage* FindMessage(TMessageList& list, int32_t number)
{
    TID* found = list.Messages.ObjectWithID(number);
    return found ? &CastTo<TAppMessage>(*found) : nullptr;
}

std::string MessageFileName(std::string_view baseName, int32_t language)
{
    return std::string(baseName) + std::to_string(language) + ".mes";
}

} // namespace

int TMessageList::ShowMessage(int32_t number)
{
    const TAppMessage* message = FindMessage(*this, number);
    return message ? message->ShowMessageSimple() : ShowMissingMessageNotice(number);
}

int TMessageList::ShowMessageFmt(int32_t number, const TMessageArgs& args)
{
    const TAppMessage* message = FindMessage(*this, number);
    return message ? message->ShowMessage(args) : ShowMissingMessageNotice(number);
}

TMessageList* CurrentMessages()
{
    return theMessages.get();
}

void LoadStandardMessages(std::unique_ptr<TMessageList> list, int32_t language)
{
    const TQuenbarAppSettings& settings = AppSettings();
    theMessages = std::move(list);
    if (language >= 0)
        LoadMessageFile(*theMessages, settings.GetCommonFile(MessageFileName("stdmess", language)));
}

void LoadMessageFile(TMessageList& list, const std::string& fileName)
{
    if (!platform::FileExists(fileName)) {
        ShowNotice("Messagefile " + fileName + " not found!", MissingFileCaption);
        return;
    }
    std::unique_ptr<TIDList> loaded = ReadMessageFile(fileName);
    for (auto& object : loaded->DeleteAll()) {
        const auto& message = CastTo<TAppMessage>(*object);
        if (const TAppMessage* existing = FindMessage(list, message.ID))
            ShowNotice(FormatMessageText(DuplicateNumberText, {message.ID, message.Name, existing->Name}),
                       NoticeCaption);
        else // as it is: TIDList::Add would renumber a message numbered -1
            list.Messages.TSortedObjectList::Add(std::move(object));
    }
}

void FreeMessages()
{
    theMessages.reset();
}

void SelectMessageLanguage(int32_t language)
{
    // The boxes' own buttons speak the language of their texts.
    SelectQtLanguage(language);
    FreeMessages();
    LoadStandardMessages(std::make_unique<TMessageList>(), language);
    LoadMessageFile(*theMessages,
                    platform::JoinPath(platform::ProgramDirectory(), MessageFileName("tvmess", language)));
}

int ShowMessageNo(int32_t number)
{
    return theMessages ? theMessages->ShowMessage(number) : ShowMissingMessageNotice(number);
}

int ShowMessageNoFmt(int32_t number, const TMessageArgs& args)
{
    return theMessages ? theMessages->ShowMessageFmt(number, args) : ShowMissingMessageNotice(number);
}

} // namespace tarvo
