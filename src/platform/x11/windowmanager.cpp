#include "platform/x11/windowmanager.h"

#include <xcb/xcb_icccm.h>

#include <algorithm>

#include "platform/errors.h"
#include "platform/x11/reply.h"

namespace tarvo::platform::x11 {

namespace {

// _NET_WM_DESKTOP of a window shown on every desktop.
constexpr uint32_t AllDesktops = 0xFFFFFFFF;

} // namespace

TWindowManager::TWindowManager(std::shared_ptr<TConnection> connection) : connection_(std::move(connection))
{
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(connection_->Xcb(), &ewmh_);
    if (!xcb_ewmh_init_atoms_replies(&ewmh_, cookies, nullptr))
        throw EWindowSystemError("the X server did not answer the window manager atoms");
    for (int i = 0; i < ewmh_.nb_screens; ++i)
        if (ewmh_.screens[i]->root == connection_->Root())
            screen_ = i;
}

TWindowManager::~TWindowManager()
{
    xcb_ewmh_connection_wipe(&ewmh_);
}

bool TWindowManager::Running()
{
    xcb_window_t check = XCB_WINDOW_NONE;
    xcb_window_t self = XCB_WINDOW_NONE;
    return xcb_ewmh_get_supporting_wm_check_reply(&ewmh_, xcb_ewmh_get_supporting_wm_check(&ewmh_, connection_->Root()),
                                                  &check, nullptr)
        && xcb_ewmh_get_supporting_wm_check_reply(&ewmh_, xcb_ewmh_get_supporting_wm_check(&ewmh_, check), &self,
                                                  nullptr)
        && self == check;
}

std::vector<xcb_window_t> TWindowManager::TopLevelWindows()
{
    if (!Running())
        return RootWindows(true);
    // A manager lists the windows it manages; one that it stopped managing
    // when its program hid it is back among the root's children, unmapped.
    // Some managers keep its state there (Withdrawn), some delete it.
    std::vector<xcb_window_t> windows = ManagedWindows();
    for (xcb_window_t window : RootWindows(false))
        if (std::find(windows.begin(), windows.end(), window) == windows.end())
            windows.push_back(window);
    return windows;
}

std::vector<xcb_window_t> TWindowManager::ManagedWindows()
{
    // The stacking list runs from the bottom up. A manager without one has
    // the plain client list, oldest first: newest first is then the best
    // guess at the stacking order.
    xcb_ewmh_get_windows_reply_t list;
    if (!xcb_ewmh_get_client_list_stacking_reply(&ewmh_, xcb_ewmh_get_client_list_stacking(&ewmh_, screen_), &list,
                                                 nullptr)
        && !xcb_ewmh_get_client_list_reply(&ewmh_, xcb_ewmh_get_client_list(&ewmh_, screen_), &list, nullptr))
        return {};
    std::vector<xcb_window_t> windows(list.windows, list.windows + list.windows_len);
    xcb_ewmh_get_windows_reply_wipe(&list);
    std::reverse(windows.begin(), windows.end());
    return windows;
}

std::vector<xcb_window_t> TWindowManager::RootWindows(bool mappedToo)
{
    xcb_connection_t* c = connection_->Xcb();
    TReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, connection_->Root()), nullptr));
    if (!tree)
        return {};
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    const xcb_atom_t wmState = connection_->Atom("WM_STATE");
    std::vector<xcb_get_window_attributes_cookie_t> attributeCookies;
    std::vector<xcb_get_property_cookie_t> stateCookies;
    for (int i = 0; i < count; ++i) {
        attributeCookies.push_back(xcb_get_window_attributes(c, children[i]));
        stateCookies.push_back(xcb_get_property(c, 0, children[i], wmState, wmState, 0, 1));
    }
    std::vector<xcb_window_t> windows;
    for (int i = count - 1; i >= 0; --i) { // the query lists the children from the bottom up
        TReply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, attributeCookies[i], nullptr));
        TReply<xcb_get_property_reply_t> state(xcb_get_property_reply(c, stateCookies[i], nullptr));
        const bool hasState = state && xcb_get_property_value_length(state.get()) >= 4;
        const bool mapped = attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
        if (attributes && !attributes->override_redirect && (hasState || (mappedToo && mapped)))
            windows.push_back(children[i]);
    }
    return windows;
}

std::optional<xcb_window_t> TWindowManager::ActiveWindow()
{
    xcb_window_t window = XCB_WINDOW_NONE;
    if (Running()) {
        if (!xcb_ewmh_get_active_window_reply(&ewmh_, xcb_ewmh_get_active_window(&ewmh_, screen_), &window, nullptr))
            return std::nullopt;
    } else {
        xcb_connection_t* c = connection_->Xcb();
        TReply<xcb_get_input_focus_reply_t> focus(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        if (!focus || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT)
            return std::nullopt;
        window = focus->focus;
    }
    return window == XCB_WINDOW_NONE ? std::nullopt : std::optional<xcb_window_t>(window);
}

void TWindowManager::Activate(xcb_window_t window)
{
    xcb_connection_t* c = connection_->Xcb();
    if (Running()) {
        const auto windowDesktop = xcb_ewmh_get_wm_desktop(&ewmh_, window);
        const auto currentDesktop = xcb_ewmh_get_current_desktop(&ewmh_, screen_);
        uint32_t desktop = AllDesktops;
        uint32_t current = AllDesktops;
        const bool known = xcb_ewmh_get_wm_desktop_reply(&ewmh_, windowDesktop, &desktop, nullptr);
        if (xcb_ewmh_get_current_desktop_reply(&ewmh_, currentDesktop, &current, nullptr) && known
            && desktop != AllDesktops && desktop != current)
            // Without a time the manager stamps the switch with its own
            // clock, as it stamps the activation below (some, xfwm4 among
            // them, ignore a pager's time). With the key press's time the
            // switch could hand the focus to the desktop's last window with
            // a time later than the manager's clock, and the X server would
            // then drop the activation's focus change as out of date.
            xcb_ewmh_request_change_current_desktop(&ewmh_, screen_, desktop, XCB_CURRENT_TIME);
        // Mapping a minimised window asks its manager to restore it (ICCCM);
        // the activation request does the same with most managers.
        xcb_map_window(c, window);
        xcb_ewmh_request_change_active_window(&ewmh_, screen_, window, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, UserTime(),
                                              XCB_WINDOW_NONE);
    } else {
        SetWmState(window, XCB_ICCCM_WM_STATE_NORMAL);
        xcb_map_window(c, window);
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(c, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        // Nobody prevents focus stealing without a manager; the current time
        // makes sure the focus moves even if it last moved after the key press.
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    }
    connection_->Flush();
}

void TWindowManager::Minimize(xcb_window_t window)
{
    xcb_connection_t* c = connection_->Xcb();
    if (Running()) {
        // ICCCM: the manager iconifies a window on a WM_CHANGE_STATE message.
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = connection_->Atom("WM_CHANGE_STATE");
        message.data.data32[0] = XCB_ICCCM_WM_STATE_ICONIC;
        xcb_send_event(c, 0, connection_->Root(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    } else {
        // What a manager would do: unmap the window and mark it iconic, so
        // that it is still listed and can be restored.
        SetWmState(window, XCB_ICCCM_WM_STATE_ICONIC);
        xcb_unmap_window(c, window);
    }
    connection_->Flush();
}

void TWindowManager::Maximize(xcb_window_t window)
{
    if (Running()) {
        xcb_ewmh_request_change_wm_state(&ewmh_, screen_, window, XCB_EWMH_WM_STATE_ADD,
                                         ewmh_._NET_WM_STATE_MAXIMIZED_VERT, ewmh_._NET_WM_STATE_MAXIMIZED_HORZ,
                                         XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
    } else {
        const xcb_screen_t* screen = connection_->Screen();
        const uint32_t geometry[] = {0, 0, screen->width_in_pixels, screen->height_in_pixels};
        xcb_configure_window(
            connection_->Xcb(), window,
            XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, geometry);
    }
    connection_->Flush();
}

void TWindowManager::SetWmState(xcb_window_t window, uint32_t state)
{
    const xcb_atom_t wmState = connection_->Atom("WM_STATE");
    const uint32_t value[] = {state, XCB_WINDOW_NONE}; // the state and the icon window
    xcb_change_property(connection_->Xcb(), XCB_PROP_MODE_REPLACE, window, wmState, wmState, 32, 2, value);
}

} // namespace tarvo::platform::x11
