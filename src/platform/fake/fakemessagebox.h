#pragma once
// A scripted message box for tests: records every box it is asked to show
// and answers with the answers queued by the test.

#include <deque>
#include <string>
#include <vector>

#include "platform/messagebox.h"

namespace tarvo::platform {

struct TShownMessageBox {
    std::string Text;
    std::string Caption;
    uint32_t Style = 0;

    bool operator==(const TShownMessageBox&) const = default;
};

class TFakeMessageBox : public IMessageBox {
public:
    // Records the box and answers with the first queued answer; with none
    // queued, with the box's default button, as a user pressing Enter would.
    int Show(std::string_view text, std::string_view caption, uint32_t style) override;

    std::vector<TShownMessageBox> Shown;
    std::deque<int> Answers;
};

} // namespace tarvo::platform
