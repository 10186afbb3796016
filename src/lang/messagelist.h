#pragma once
// Message tables: the program's current list of numbered messages, loaded
// from the message files of the interface language, and the operations that
// show a message by its number.
//
// Message files for language index N (0 English, 1 German):
//   "stdmess" + N + ".mes" in the common-files directory: the standard
//                          messages shared by the maker's programs;
//   "tvmess" + N + ".mes"  in the program's directory: the program's own.

#include <cstdint>
#include <memory>
#include <string>

#include "lang/message.h"
#include "lang/messageformat.h"
#include "persist/identified.h"

namespace tarvo {

class TMessageList {
public:
    virtual ~TMessageList() = default;

    // Shows the message with the number and returns the button pressed. A
    // number that is not in the list brings up the notice "Meldung N nicht
    // gefunden." and answers 0, which no caller takes for consent.
    virtual int ShowMessage(int32_t number);
    // The same with the message's text formatted with the arguments.
    virtual int ShowMessageFmt(int32_t number, const TMessageArgs& args);

    TIDList Messages; // of TAppMessage, owned, by number
};

// The current message list; nullptr when there is none.
TMessageList* CurrentMessages();

// Makes sure the shared settings are loaded, makes list the current message
// list (the previous one is freed) and, for language >= 0, loads the
// standard message file of that language into it.
void LoadStandardMessages(std::unique_ptr<TMessageList> list, int32_t language);

// Adds the messages of the file to the list. A missing file is reported in
// a notice and changes nothing. A number the list already has keeps its
// message: the newcomer is dropped with a notice naming both. A file that
// cannot be read raises the stream's error and leaves the list as it was.
void LoadMessageFile(TMessageList& list, const std::string& fileName);

// Frees the current message list.
void FreeMessages();

// Replaces the current message list by the messages of language index N:
// the standard file, then the program's own file. Qt's texts in the boxes
// (their standard buttons) follow the same language.
void SelectMessageLanguage(int32_t language);

// ShowMessage and ShowMessageFmt of the current list. Without a current
// list every number is one that is not found.
int ShowMessageNo(int32_t number);
int ShowMessageNoFmt(int32_t number, const TMessageArgs& args);

} // namespace tarvo
