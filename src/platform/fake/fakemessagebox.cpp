#include "platform/fake/fakemessagebox.h"

namespace tarvo::platform {

int TFakeMessageBox::Show(std::string_view text, std::string_view caption, uint32_t style)
{
    Shown.push_back({std::string(text), std::string(caption), style});
    if (Answers.empty())
        return DecodeMessageBoxStyle(style).DefaultButton;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
}

} // namespace tarvo::platform
