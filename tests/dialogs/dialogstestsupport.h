#pragma once
// Support for dialog tests: a current message list that records the numbers
// of the messages shown and answers as the test says.

#include <deque>
#include <memory>
#include <vector>

#include "lang/messagelist.h"

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

    std::vector<int32_t> Shown;
    std::deque<int> Answers;
};

// Makes a recording list the current message list and returns it.
inline TRecordingMessages& InstallRecordingMessages()
{
    auto list = std::make_unique<TRecordingMessages>();
    auto& recording = *list;
    LoadStandardMessages(std::move(list), -1);
    return recording;
}

} // namespace tarvo::testsupport
