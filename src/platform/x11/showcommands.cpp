#include "platform/x11/showcommands.h"

#include <algorithm>

#include "platform/x11/reply.h"

namespace tarvo::platform::x11 {

TShowCommandWatcher::TShowCommandWatcher(std::shared_ptr<TWindowManager> manager, std::chrono::milliseconds patience)
    : manager_(std::move(manager)), patience_(patience)
{
    handler_ = manager_->Connection().AddEventHandler([this](const xcb_generic_event_t& event) { OnEvent(event); });
}

TShowCommandWatcher::~TShowCommandWatcher()
{
    manager_->Connection().RemoveEventHandler(handler_);
}

void TShowCommandWatcher::Watch(pid_t pid, TShowCommand show)
{
    SelectRootEvents();
    watched_.push_back({pid, show, manager_->ActiveWindow(), std::chrono::steady_clock::now() + patience_});
    // The program may have mapped its window before the root's events were selected.
    Examine(manager_->TopLevelWindows());
}

void TShowCommandWatcher::WaitForAll()
{
    TConnection& connection = manager_->Connection();
    for (DropExpired(); !watched_.empty(); DropExpired()) {
        // Entries are added in time order, so the first one runs out first.
        const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
            watched_.front().Deadline - std::chrono::steady_clock::now());
        connection.WaitForEvent(static_cast<int>(std::max<std::chrono::milliseconds::rep>(remaining.count(), 0)) + 1);
    }
}

// Without a window manager a new window shows up as a mapped child of the
// root; a manager reparents it into a frame and lists it in _NET_CLIENT_LIST.
void TShowCommandWatcher::SelectRootEvents()
{
    if (rootEventsSelected_)
        return;
    TConnection& connection = manager_->Connection();
    xcb_connection_t* c = connection.Xcb();
    // Other services may have selected events on the root: add to them.
    TReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, connection.Root()), nullptr));
    const uint32_t mask = (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY
        | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, connection.Root(), XCB_CW_EVENT_MASK, &mask);
    connection.Flush();
    rootEventsSelected_ = true;
}

void TShowCommandWatcher::OnEvent(const xcb_generic_event_t& event)
{
    if (watched_.empty())
        return;
    const xcb_window_t root = manager_->Connection().Root();
    switch (event.response_type & ~0x80) {
    case XCB_MAP_NOTIFY: {
        const auto& map = reinterpret_cast<const xcb_map_notify_event_t&>(event);
        if (map.override_redirect)
            break;
        DropExpired();
        if (map.event == root)
            Examine({map.window});
        else
            Shown(map.window);
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto& property = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        if (property.window == root && property.atom == manager_->Ewmh()._NET_CLIENT_LIST) {
            DropExpired();
            Examine(manager_->TopLevelWindows());
        }
        break;
    }
    default:
        break;
    }
}

void TShowCommandWatcher::Examine(const std::vector<xcb_window_t>& windows)
{
    xcb_ewmh_connection_t& ewmh = manager_->Ewmh();
    std::vector<xcb_get_property_cookie_t> pids;
    for (xcb_window_t window : windows)
        pids.push_back(xcb_ewmh_get_wm_pid(&ewmh, window));
    for (size_t i = 0; i < windows.size(); ++i) {
        uint32_t pid = 0;
        if (!xcb_ewmh_get_wm_pid_reply(&ewmh, pids[i], &pid, nullptr))
            continue;
        const auto found = std::find_if(watched_.begin(), watched_.end(), [pid](const TWatched& watched) {
            return static_cast<uint32_t>(watched.Pid) == pid && watched.Window == XCB_WINDOW_NONE;
        });
        if (found != watched_.end())
            AwaitShown(*found, windows[i]);
    }
}

// A window manager lists a window before it has finished taking it over,
// and ignores requests about it until then; it is done when it has mapped
// the window. Without a manager the window is mapped already.
void TShowCommandWatcher::AwaitShown(TWatched& watched, xcb_window_t window)
{
    watched.Window = window;
    xcb_connection_t* c = manager_->Connection().Xcb();
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY; // the window's own MapNotify
    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
    TReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    if (attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED)
        Shown(window);
}

void TShowCommandWatcher::Shown(xcb_window_t window)
{
    const auto found = std::find_if(watched_.begin(), watched_.end(),
                                    [window](const TWatched& watched) { return watched.Window == window; });
    if (found == watched_.end())
        return;
    const TWatched watched = *found;
    watched_.erase(found);
    Apply(watched, window);
}

void TShowCommandWatcher::Apply(const TWatched& watched, xcb_window_t window)
{
    if (watched.Show == TShowCommand::Maximized)
        manager_->Maximize(window);
    if (watched.Show == TShowCommand::Minimized || watched.Show == TShowCommand::MinimizedNoActivate)
        manager_->Minimize(window);
    if ((watched.Show == TShowCommand::NormalNoActivate || watched.Show == TShowCommand::MinimizedNoActivate)
        && watched.PreviouslyActive)
        manager_->Activate(*watched.PreviouslyActive);
}

void TShowCommandWatcher::DropExpired()
{
    const auto now = std::chrono::steady_clock::now();
    std::erase_if(watched_, [now](const TWatched& watched) { return watched.Deadline <= now; });
}

} // namespace tarvo::platform::x11
