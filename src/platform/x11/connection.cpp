#include "platform/x11/connection.h"

#include <poll.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdlib>
#include <utility>
#include <vector>

namespace tarvo::platform::x11 {

namespace {

// The server time an event carries, or XCB_CURRENT_TIME for events without one.
xcb_timestamp_t EventTime(const xcb_generic_event_t& event)
{
    switch (event.response_type & ~0x80) {
    case XCB_KEY_PRESS:
    case XCB_KEY_RELEASE:
        return reinterpret_cast<const xcb_key_press_event_t&>(event).time;
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE:
        return reinterpret_cast<const xcb_button_press_event_t&>(event).time;
    case XCB_PROPERTY_NOTIFY:
        return reinterpret_cast<const xcb_property_notify_event_t&>(event).time;
    default:
        return XCB_CURRENT_TIME;
    }
}

} // namespace

std::unique_ptr<TConnection> TConnection::Open(const std::string& displayName)
{
    if (displayName.empty())
        return nullptr;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(displayName.c_str(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<TConnection>(new TConnection(connection, screens.data, displayName));
}

TConnection::TConnection(xcb_connection_t* connection, xcb_screen_t* screen, std::string displayName)
    : connection_(connection), screen_(screen), displayName_(std::move(displayName))
{
    if (QCoreApplication::instance()) {
        notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
            DispatchPendingEvents();
            // A broken connection's socket stays readable; watching it on
            // would keep the event loop busy.
            if (xcb_connection_has_error(connection_)) {
                notifier_->setEnabled(false);
                if (auto handler = std::exchange(lostHandler_, nullptr))
                    handler();
            }
        });
        // Waiting for a reply can move events from the socket into xcb's
        // queue, where the socket notifier no longer sees them; hand them out
        // before the event loop goes to sleep.
        if (auto* dispatcher = QCoreApplication::eventDispatcher())
            QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, notifier_.get(),
                             [this] { DispatchQueuedEvents(); });
    }
}

TConnection::~TConnection()
{
    notifier_.reset();
    xcb_disconnect(connection_);
}

xcb_atom_t TConnection::Atom(const std::string& name)
{
    if (auto found = atoms_.find(name); found != atoms_.end())
        return found->second;
    const auto cookie = xcb_intern_atom(connection_, 0, static_cast<uint16_t>(name.size()), name.c_str());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    if (atom != XCB_ATOM_NONE)
        atoms_.emplace(name, atom);
    return atom;
}

int TConnection::AddEventHandler(EventHandler handler)
{
    const int handle = nextHandle_++;
    handlers_.emplace(handle, std::move(handler));
    return handle;
}

void TConnection::RemoveEventHandler(int handle)
{
    handlers_.erase(handle);
}

void TConnection::Flush()
{
    xcb_flush(connection_);
}

void TConnection::Dispatch(const xcb_generic_event_t& event)
{
    if (const xcb_timestamp_t time = EventTime(event); time != XCB_CURRENT_TIME)
        lastEventTime_ = time;
    // A snapshot of the handles, so that handlers may add or remove handlers.
    std::vector<int> handles;
    handles.reserve(handlers_.size());
    for (const auto& [handle, handler] : handlers_)
        handles.push_back(handle);
    for (int handle : handles)
        if (auto found = handlers_.find(handle); found != handlers_.end())
            found->second(event);
}

void TConnection::DispatchPendingEvents()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        // Handlers must not let exceptions through; the event is freed either way.
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
        Dispatch(*owned);
    }
    Flush();
}

bool TConnection::DispatchQueuedEvents()
{
    bool any = false;
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_)) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
        Dispatch(*owned);
        any = true;
    }
    Flush();
    return any;
}

bool TConnection::WaitForEvent(int timeoutMs)
{
    Flush();
    if (DispatchQueuedEvents())
        return true;
    pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
    if (::poll(&descriptor, 1, timeoutMs) <= 0)
        return false;
    DispatchPendingEvents();
    return true;
}

} // namespace tarvo::platform::x11
