#pragma once
// The X server connection shared by the X11 services.
//
// Tarvo keeps a connection of its own (not the toolkit's) so that the
// services work the same in the windowed program and in command-line tools.
// Events are read on the main thread: when a Qt event loop runs, a socket
// notifier dispatches them as they arrive; without one, callers dispatch
// them with DispatchPendingEvents or WaitForEvent.

#include <xcb/xcb.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

class QSocketNotifier;

namespace tarvo::platform::x11 {

class TConnection {
public:
    // A connection to the display ("host:display.screen", as DISPLAY holds
    // it); nullptr when no X server can be reached (empty name, connection
    // refused).
    static std::unique_ptr<TConnection> Open(const std::string& displayName);
    ~TConnection();
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    xcb_connection_t* Xcb() const { return connection_; }
    xcb_screen_t* Screen() const { return screen_; }
    xcb_window_t Root() const { return screen_->root; }
    // The name the connection was opened with, for a second connection to
    // the same server.
    const std::string& DisplayName() const { return displayName_; }

    // The atom of the name, interned on first use and cached.
    xcb_atom_t Atom(const std::string& name);

    // Handlers see every event, in the order they were added. A handler may
    // add or remove handlers; the change applies from the next event on.
    using EventHandler = std::function<void(const xcb_generic_event_t& event)>;
    int AddEventHandler(EventHandler handler);
    void RemoveEventHandler(int handle);

    void Flush();
    // Called once, from the event loop, when the connection breaks (the
    // server went away). The socket is no longer watched from then on.
    void SetLostHandler(std::function<void()> handler) { lostHandler_ = std::move(handler); }
    // Reads every event the server has sent and hands it to the handlers.
    void DispatchPendingEvents();
    // Hands out the events xcb has already read, without reading more.
    // True when there were any.
    bool DispatchQueuedEvents();
    // Blocks until at least one event arrives or the timeout (milliseconds,
    // -1 for none) passes, then dispatches what has arrived. False on timeout.
    bool WaitForEvent(int timeoutMs);

    // The server time of the most recent event that carried one (key
    // presses, property changes): what requests that need "now" pass on.
    xcb_timestamp_t LastEventTime() const { return lastEventTime_; }

private:
    TConnection(xcb_connection_t* connection, xcb_screen_t* screen, std::string displayName);
    void Dispatch(const xcb_generic_event_t& event);

    xcb_connection_t* connection_;
    xcb_screen_t* screen_;
    std::string displayName_;
    std::unordered_map<std::string, xcb_atom_t> atoms_;
    std::map<int, EventHandler> handlers_;
    int nextHandle_ = 1;
    xcb_timestamp_t lastEventTime_ = XCB_CURRENT_TIME;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> lostHandler_;
};

} // namespace tarvo::platform::x11
