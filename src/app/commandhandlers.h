#pragma once
// What the windowed program does when a later start asks the running one to
// show its window or reload its file, and which file it has open.

#include <functional>
#include <string>

namespace tarvo {

struct TCommandHandlers {
    std::function<void()> ShowWindow;
    std::function<void()> Reload;
    std::function<std::string()> FileName;
};

} // namespace tarvo
