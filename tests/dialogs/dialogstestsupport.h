#pragma once
// Support for dialog tests: the modules they need, and a current message
// list that records the numbers of the messages shown and answers as the
// test says.

#include <deque>
#include <memory>
#include <vector>

#include "conflicts/holders.h"
#include "hotkeys/hotkeyfile.h"
#include "lang/messagelist.h"
#include "lang/modules.h"

namespace tarvo::testsupport {

class TRecordingMessages : public TMessageList {
public:
    int ShowMessage(int32_t number) override
    {
        Shown.push_back(number);
        if (Answers.empty())
            return 1;
        const int answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    int ShowMessageFmt(int32_t number, const TMessageArgs& /*args*/) override { return ShowMessage(number); }

    std::vector<int32_t> Shown;
    std::deque<int> Answers;
};

// A store of shortcuts that holds the combinations it is given.
class TFixedHolders : public conflicts::IHolderSource {
public:
    explicit TFixedHolders(std::vector<conflicts::THeldCombination> held) : held_(std::move(held)) { }
    std::vector<conflicts::THeldCombination> HeldCombinations() override { return held_; }

    // The sources the windows ask: this one alone.
    static std::vector<std::unique_ptr<conflicts::IHolderSource>> Only(std::vector<conflicts::THeldCombination> held)
    {
        std::vector<std::unique_ptr<conflicts::IHolderSource>> sources;
        sources.push_back(std::make_unique<TFixedHolders>(std::move(held)));
        return sources;
    }

private:
    std::vector<conflicts::THeldCombination> held_;
};

// Starts the modules the dialogs use, in the program's order, ending with
// the hotkey document whose language the dialogs show.
inline void InitDialogModules()
{
    InitLangModules();
    InitHotKeyFileModule(); // the document whose language the dialogs show
}

// Makes a recording list the current message list and returns it.
inline TRecordingMessages& InstallRecordingMessages()
{
    auto list = std::make_unique<TRecordingMessages>();
    auto& recording = *list;
    LoadStandardMessages(std::move(list), -1);
    return recording;
}

} // namespace tarvo::testsupport
