#pragma once
// The launches whose show command waits for the first window of the started
// program, for the launchers of desktops that tell which process shows a
// window (sway, KWin): a window counts for a launch when the started process
// or one it started shows it, within the patience time.

#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

#include "platform/launcher.h"
#include "platform/linux/processtree.h"

namespace tarvo::platform {

// Whether the show command leaves the focus with the window that had it.
inline bool KeepsFocus(TShowCommand show)
{
    return show == TShowCommand::MinimizedNoActivate || show == TShowCommand::NormalNoActivate;
}

// Previous is what the desktop knows of the window that had the focus.
template <class Previous>
class TPendingShows {
public:
    struct TShow {
        pid_t Process = 0;
        TShowCommand Show = TShowCommand::Normal;
        Previous PreviousFocus{};
        std::chrono::steady_clock::time_point Deadline;
    };

    void Add(pid_t process, TShowCommand show, Previous previousFocus, std::chrono::milliseconds patience)
    {
        shows_.push_back({process, show, std::move(previousFocus), std::chrono::steady_clock::now() + patience});
    }

    // How long the first launch still waits; nullopt when none does.
    std::optional<std::chrono::milliseconds> TimeLeft()
    {
        DropExpired();
        if (shows_.empty())
            return std::nullopt;
        return std::max(std::chrono::milliseconds(1),
                        std::chrono::duration_cast<std::chrono::milliseconds>(shows_.front().Deadline
                                                                              - std::chrono::steady_clock::now()));
    }

    // The launch that the window of process belongs to, taken out of the
    // waiting ones; nullopt when it belongs to none.
    std::optional<TShow> TakeFor(pid_t process)
    {
        DropExpired();
        const auto found = std::find_if(shows_.begin(), shows_.end(), [process](const TShow& show) {
            return process > 0 && IsProcessOrDescendant(process, show.Process);
        });
        if (found == shows_.end())
            return std::nullopt;
        TShow show = std::move(*found);
        shows_.erase(found);
        return show;
    }

    void Clear() { shows_.clear(); }

private:
    void DropExpired()
    {
        const auto now = std::chrono::steady_clock::now();
        std::erase_if(shows_, [now](const TShow& show) { return show.Deadline <= now; });
    }

    std::vector<TShow> shows_;
};

} // namespace tarvo::platform
