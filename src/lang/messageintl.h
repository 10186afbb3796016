#pragma once
// The older multilingual text table: captions and texts by language key and
// message number, kept in memory. The program creates the one table at
// start-up and neither fills nor reads it; it is kept for the code of the
// maker's other programs that share this library.

#include <cstdint>
#include <string>
#include <string_view>

#include "persist/identified.h"

namespace tarvo {

// One text; ID is the message number. Never stored.
class TLangMess : public TID {
    TARVO_CLASS(TLangMess)

    std::string Caption;
    std::string Text;
};

// The texts of one language; ID is the language key. Never stored.
class TLangMessages : public TID {
    TARVO_CLASS(TLangMessages)

    // Replaces the caption and text of the number, or adds them.
    void AddText(int32_t number, std::string_view caption, std::string_view text);
    // The stored text or caption; empty when the number is missing.
    std::string GetText(int32_t number);
    std::string GetCaption(int32_t number);

    TIDList Messages; // of TLangMess, owned

private:
    TLangMess* Find(int32_t number);
};

class TIntlMessages {
public:
    // Replaces or adds the text of the number in the language, adding the
    // language when it is missing.
    void AddText(int32_t langKey, int32_t number, std::string_view caption, std::string_view text);
    // The stored text or caption; empty when the language or the number is
    // missing. No other language stands in.
    std::string GetText(int32_t langKey, int32_t number);
    std::string GetCaption(int32_t langKey, int32_t number);

    TIDList LangMessages; // of TLangMessages, owned

private:
    TLangMessages* Find(int32_t langKey);
};

// Start-up of the international-message module: creates the process's table,
// which the program keeps to the end but reads nothing from.
void InitIntlMessagesModule();
void FinalizeIntlMessagesModule();

} // namespace tarvo
