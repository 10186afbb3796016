#include "platform/x11/showcommands.h"

#include <limits.h>
#include <unistd.h>

#include <algorithm>

#include "platform/linux/processtree.h"
#include "platform/x11/reply.h"

namespace tarvo::platform::x11 {

namespace {

// The bytes of a text property; nullopt when the window has none or an empty one.
std::optional<std::string> Text(xcb_connection_t* c, xcb_get_property_cookie_t cookie)
{
    TReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
    if (!reply || reply->format != 8 || xcb_get_property_value_length(reply.get()) == 0)
        return std::nullopt;
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

xcb_get_property_cookie_t GetText(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property)
{
    return xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
}

} // namespace

std::string LocalHostName()
{
    char name[HOST_NAME_MAX + 1] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

TShowCommandWatcher::TShowCommandWatcher(std::shared_ptr<TWindowManager> manager, std::chrono::milliseconds patience)
    : manager_(std::move(manager)), patience_(patience), hostName_(LocalHostName())
{
    handler_ = manager_->Connection().AddEventHandler([this](const xcb_generic_event_t& event) { OnEvent(event); });
}

TShowCommandWatcher::~TShowCommandWatcher()
{
    manager_->Connection().RemoveEventHandler(handler_);
}

void TShowCommandWatcher::Watch(TShowCommand show, const std::string& startupId, const std::function<pid_t()>& start)
{
    // Before the start, so that no window of the program goes unseen and
    // every window there is now counts as existing.
    SelectRootEvents();
    TWatched watched{0, startupId, show, manager_->ActiveWindow(), ExistingWindows(), {}};
    watched.Pid = start();
    watched.Deadline = std::chrono::steady_clock::now() + patience_;
    watched_.push_back(std::move(watched));
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
    // Checked, so that the server has made the selection before a program
    // started next can map a window.
    std::free(
        xcb_request_check(c, xcb_change_window_attributes_checked(c, connection.Root(), XCB_CW_EVENT_MASK, &mask)));
    rootEventsSelected_ = true;
}

// The root's children, and the clients of a window manager inside its
// frames. The manager's list may still name windows that are gone, whose ids
// the server hands out again: only those that exist count.
std::unordered_set<xcb_window_t> TShowCommandWatcher::ExistingWindows()
{
    xcb_connection_t* c = manager_->Connection().Xcb();
    std::unordered_set<xcb_window_t> existing;
    TReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, manager_->Connection().Root()), nullptr));
    if (tree)
        existing.insert(xcb_query_tree_children(tree.get()),
                        xcb_query_tree_children(tree.get()) + xcb_query_tree_children_length(tree.get()));
    const std::vector<xcb_window_t> clients = manager_->TopLevelWindows();
    std::vector<xcb_get_window_attributes_cookie_t> cookies;
    for (xcb_window_t client : clients)
        cookies.push_back(xcb_get_window_attributes(c, client));
    for (size_t i = 0; i < clients.size(); ++i)
        if (TReply<xcb_get_window_attributes_reply_t>(xcb_get_window_attributes_reply(c, cookies[i], nullptr)))
            existing.insert(clients[i]);
    return existing;
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
        // A child of the root may be a window manager's frame rather than a
        // program's window: the manager's list tells them apart.
        if (map.event == root)
            Examine();
        else
            Shown(map.window);
        break;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto& property = reinterpret_cast<const xcb_property_notify_event_t&>(event);
        if (property.window == root && property.atom == manager_->Ewmh()._NET_CLIENT_LIST) {
            DropExpired();
            Examine();
        }
        break;
    }
    default:
        break;
    }
}

void TShowCommandWatcher::Examine()
{
    std::vector<xcb_window_t> windows;
    for (xcb_window_t window : manager_->TopLevelWindows())
        if (std::any_of(watched_.begin(), watched_.end(), [window](const TWatched& watched) {
                return watched.Window == XCB_WINDOW_NONE && !watched.Existing.contains(window);
            }))
            windows.push_back(window);
    const std::vector<TOrigin> origins = Origins(windows);
    for (size_t i = 0; i < windows.size(); ++i)
        if (TWatched* owner = Owner(windows[i], origins[i]))
            AwaitShown(*owner, windows[i]);
}

std::vector<TShowCommandWatcher::TOrigin> TShowCommandWatcher::Origins(const std::vector<xcb_window_t>& windows)
{
    TConnection& connection = manager_->Connection();
    xcb_connection_t* c = connection.Xcb();
    xcb_ewmh_connection_t& ewmh = manager_->Ewmh();
    std::vector<xcb_get_property_cookie_t> pids;
    std::vector<xcb_get_property_cookie_t> machines;
    for (xcb_window_t window : windows) {
        pids.push_back(xcb_ewmh_get_wm_pid(&ewmh, window));
        machines.push_back(GetText(c, window, XCB_ATOM_WM_CLIENT_MACHINE));
    }
    std::vector<TOrigin> origins;
    for (size_t i = 0; i < windows.size(); ++i) {
        uint32_t pid = 0;
        const bool hasPid = xcb_ewmh_get_wm_pid_reply(&ewmh, pids[i], &pid, nullptr);
        const std::optional<std::string> machine = Text(c, machines[i]);
        origins.push_back({StartupId(windows[i]), hasPid ? std::optional<pid_t>(static_cast<pid_t>(pid)) : std::nullopt,
                           !machine || *machine == hostName_});
    }
    return origins;
}

// A window without an id of its own takes that of its client leader, the
// window that stands for the whole program.
std::optional<std::string> TShowCommandWatcher::StartupId(xcb_window_t window)
{
    TConnection& connection = manager_->Connection();
    xcb_connection_t* c = connection.Xcb();
    const xcb_atom_t startupId = connection.Atom("_NET_STARTUP_ID");
    if (auto own = Text(c, GetText(c, window, startupId)))
        return own;
    TReply<xcb_get_property_reply_t> leader(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, connection.Atom("WM_CLIENT_LEADER"), XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!leader || xcb_get_property_value_length(leader.get()) != 4)
        return std::nullopt;
    const xcb_window_t leaderWindow = *static_cast<const xcb_window_t*>(xcb_get_property_value(leader.get()));
    return leaderWindow == window ? std::nullopt : Text(c, GetText(c, leaderWindow, startupId));
}

TShowCommandWatcher::TWatched* TShowCommandWatcher::Owner(xcb_window_t window, const TOrigin& origin)
{
    const auto owner = std::find_if(watched_.begin(), watched_.end(), [&](const TWatched& watched) {
        if (watched.Window != XCB_WINDOW_NONE || watched.Existing.contains(window))
            return false;
        if (origin.StartupId)
            return *origin.StartupId == watched.StartupId;
        // A process id means something only on the machine it was made on.
        if (origin.Pid)
            return origin.Local && IsProcessOrDescendant(*origin.Pid, watched.Pid);
        return origin.Local;
    });
    return owner == watched_.end() ? nullptr : &*owner;
}

// A window manager lists a window before it has finished taking it over,
// and ignores requests about it until then; it is done when it has mapped
// the window. Without a manager the window is mapped already.
void TShowCommandWatcher::AwaitShown(TWatched& watched, xcb_window_t window)
{
    watched.Window = window;
    // Whoever made it, it is no new window for the other launches.
    for (TWatched& other : watched_)
        other.Existing.insert(window);
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
    const TWatched watched = std::move(*found);
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
