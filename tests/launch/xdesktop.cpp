#include "xdesktop.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <stdexcept>

extern char** environ;

namespace tarvo::launchtest {

namespace {

template <class Reply>
using TReply = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply>
TReply<Reply> Own(Reply* reply)
{
    return TReply<Reply>(reply, &std::free);
}

// ICCCM WM_STATE
constexpr uint32_t WithdrawnState = 0;
constexpr uint32_t IconicState = 3;

} // namespace

TTestDisplay::TTestDisplay() : c_(xcb_connect(nullptr, nullptr))
{
    if (xcb_connection_has_error(c_)) {
        xcb_disconnect(c_);
        throw std::runtime_error("no X server: run the launch tests under scripts/with-xvfb");
    }
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
}

TTestDisplay::~TTestDisplay()
{
    xcb_disconnect(c_);
}

xcb_atom_t TTestDisplay::Atom(const std::string& name) const
{
    auto reply = Own(xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, name.size(), name.c_str()), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<uint32_t> TTestDisplay::Values(xcb_window_t window, const std::string& property) const
{
    auto reply = Own(xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, window, Atom(property), XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return std::vector<uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

void TTestDisplay::SetValues(xcb_window_t window, const std::string& property, xcb_atom_t type,
                             const std::vector<uint32_t>& values) const
{
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window, Atom(property), type, 32,
                        static_cast<uint32_t>(values.size()), values.data());
    xcb_flush(c_);
}

void TTestDisplay::Request(xcb_window_t window, const std::string& message, const std::vector<uint32_t>& values) const
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = Atom(message);
    std::copy(values.begin(), values.end(), event.data.data32);
    xcb_send_event(c_, 0, Root(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c_);
}

bool TTestDisplay::IsViewable(xcb_window_t window) const
{
    auto attributes = Own(xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool TTestDisplay::IsIconic(xcb_window_t window) const
{
    const auto state = Values(window, "WM_STATE");
    return !state.empty() && state[0] == IconicState;
}

xcb_window_t TTestDisplay::ActiveWindow(bool windowManager) const
{
    if (windowManager) {
        const auto active = Values(Root(), "_NET_ACTIVE_WINDOW");
        return active.empty() ? xcb_window_t{XCB_WINDOW_NONE} : active[0];
    }
    auto focus = Own(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
    return focus ? focus->focus : xcb_window_t{XCB_WINDOW_NONE};
}

bool TTestDisplay::HasState(xcb_window_t window, const std::string& state) const
{
    const auto states = Values(window, "_NET_WM_STATE");
    return std::find(states.begin(), states.end(), Atom(state)) != states.end();
}

std::pair<int, int> TTestDisplay::OuterSize(xcb_window_t window) const
{
    auto tree = Own(xcb_query_tree_reply(c_, xcb_query_tree(c_, window), nullptr));
    const xcb_window_t outer = tree && tree->parent != Root() ? tree->parent : window;
    auto geometry = Own(xcb_get_geometry_reply(c_, xcb_get_geometry(c_, outer), nullptr));
    return geometry ? std::pair<int, int>(geometry->width, geometry->height) : std::pair<int, int>(0, 0);
}

std::string TTestDisplay::Text(xcb_window_t window, const std::string& property) const
{
    auto reply = Own(xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, window, Atom(property), XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr));
    if (!reply || reply->format != 8)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

std::optional<xcb_window_t> TTestDisplay::WindowTitled(const std::string& title) const
{
    auto tree = Own(xcb_query_tree_reply(c_, xcb_query_tree(c_, Root()), nullptr));
    if (!tree)
        return std::nullopt;
    std::vector<xcb_window_t> candidates;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        candidates.push_back(children[i]);
        if (auto frame = Own(xcb_query_tree_reply(c_, xcb_query_tree(c_, children[i]), nullptr)))
            candidates.insert(candidates.end(), xcb_query_tree_children(frame.get()),
                              xcb_query_tree_children(frame.get()) + xcb_query_tree_children_length(frame.get()));
    }
    for (xcb_window_t window : candidates)
        if ((NetWmName(window).empty() ? Text(window, "WM_NAME") : NetWmName(window)) == title)
            return window;
    return std::nullopt;
}

TTestWindow::TTestWindow(const TTestDisplay& display, const std::string& titleBytes, TTitleProperty property)
    : display_(display), window_(xcb_generate_id(display.Xcb()))
{
    xcb_connection_t* c = display_.Xcb();
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window_, display_.Root(), 20, 20, 300, 200, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, display_.Screen().root_visual, 0, nullptr);
    if (property == TTitleProperty::NetWmName)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window_, display_.Atom("_NET_WM_NAME"),
                            display_.Atom("UTF8_STRING"), 8, titleBytes.size(), titleBytes.data());
    else
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME,
                            property == TTitleProperty::WmNameOnly ? xcb_atom_t{XCB_ATOM_STRING}
                                                                   : display_.Atom("COMPOUND_TEXT"),
                            8, titleBytes.size(), titleBytes.data());
    xcb_flush(c);
}

TTestWindow::~TTestWindow()
{
    xcb_destroy_window(display_.Xcb(), window_);
    xcb_flush(display_.Xcb());
}

void TTestWindow::SetClass(const std::string& instance, const std::string& className)
{
    const std::string value = instance + '\0' + className + '\0';
    xcb_change_property(display_.Xcb(), XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        value.size(), value.data());
    xcb_flush(display_.Xcb());
}

void TTestWindow::Show()
{
    xcb_map_window(display_.Xcb(), window_);
    xcb_flush(display_.Xcb());
    if (!WaitFor([this] { return display_.IsViewable(window_); }))
        throw std::runtime_error("the test window was not shown");
}

void TTestWindow::Minimize(bool windowManager)
{
    if (windowManager) {
        display_.Request(window_, "WM_CHANGE_STATE", {IconicState});
    } else {
        xcb_unmap_window(display_.Xcb(), window_);
        display_.SetValues(window_, "WM_STATE", display_.Atom("WM_STATE"), {IconicState, XCB_WINDOW_NONE});
    }
    if (!WaitFor([this] { return display_.IsIconic(window_) && !display_.IsViewable(window_); }))
        throw std::runtime_error("the test window was not minimised");
}

void TTestWindow::Hide(bool windowManager)
{
    xcb_connection_t* c = display_.Xcb();
    xcb_unmap_window(c, window_);
    xcb_unmap_notify_event_t notice{};
    notice.response_type = XCB_UNMAP_NOTIFY;
    notice.event = display_.Root();
    notice.window = window_;
    xcb_send_event(c, 0, display_.Root(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&notice));
    xcb_flush(c);
    const bool released = WaitFor([&] {
        const auto clients = display_.Values(display_.Root(), "_NET_CLIENT_LIST");
        auto tree = Own(xcb_query_tree_reply(c, xcb_query_tree(c, window_), nullptr));
        return !display_.IsViewable(window_) && tree && tree->parent == display_.Root()
            && (!windowManager || std::find(clients.begin(), clients.end(), window_) == clients.end());
    });
    if (!released)
        throw std::runtime_error("the test window was not hidden");
    display_.SetValues(window_, "WM_STATE", display_.Atom("WM_STATE"), {WithdrawnState, XCB_WINDOW_NONE});
}

namespace {

// The command that runs the window manager. xfwm4 reads its settings over
// a D-Bus session bus, so it runs under one of its own; without the
// accessibility bridge, which would start a bus that outlives the test.
std::vector<std::string> WmCommand(TWm wm)
{
    if (wm == TWm::Xfwm4)
        return {"env", "NO_AT_BRIDGE=1", "dbus-run-session", "--", "xfwm4", "--compositor=off"};
    return {"openbox", "--sm-disable"};
}

} // namespace

std::string WmName(TWm wm)
{
    static const char* const names[] = {"none", "openbox", "xfwm4"};
    return names[static_cast<int>(wm)];
}

bool WmInstalled(TWm wm)
{
    return wm == TWm::None || std::system(("command -v " + WmName(wm) + " >/dev/null").c_str()) == 0;
}

namespace {

bool WmRuns(const TTestDisplay& display)
{
    const auto check = display.Values(display.Root(), "_NET_SUPPORTING_WM_CHECK");
    return !check.empty() && display.Values(check[0], "_NET_SUPPORTING_WM_CHECK") == check;
}

} // namespace

TRunningWm::TRunningWm(const TTestDisplay& display, TWm wm) : display_(display)
{
    const std::string name = WmName(wm);
    std::vector<std::string> command = WmCommand(wm);
    std::vector<char*> arguments;
    for (std::string& argument : command)
        arguments.push_back(argument.data());
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // A process group of its own, so that the bus it runs under ends with it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    const int error = posix_spawnp(&pid_, arguments[0], &actions, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("cannot start " + name + " (is it installed? scripts/setup installs it)");
    if (!WaitFor([&display] { return WmRuns(display); })) {
        Stop();
        throw std::runtime_error(name + " did not take over the screen");
    }
    // A manager announces itself before it has finished starting and may
    // drop the windows mapped meanwhile; it is ready once it manages one.
    TTestWindow sentinel(display, name + " is ready");
    const bool ready = WaitFor([&] {
        xcb_unmap_window(display.Xcb(), sentinel.Id());
        xcb_map_window(display.Xcb(), sentinel.Id());
        xcb_flush(display.Xcb());
        return WaitFor(
            [&] {
                const auto clients = display.Values(display.Root(), "_NET_CLIENT_LIST");
                return std::find(clients.begin(), clients.end(), sentinel.Id()) != clients.end();
            },
            std::chrono::milliseconds(100));
    });
    if (!ready) {
        Stop();
        throw std::runtime_error(name + " does not manage windows");
    }
}

TRunningWm::~TRunningWm()
{
    Stop();
}

void TRunningWm::Stop()
{
    ::kill(-pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    // The manager itself may still be tidying up after the process that ran
    // it has ended; the next one could not take over before it is gone.
    if (!WaitFor([this] { return !WmRuns(display_); }, std::chrono::seconds(2)))
        ::kill(-pid_, SIGKILL);
}

} // namespace tarvo::launchtest
