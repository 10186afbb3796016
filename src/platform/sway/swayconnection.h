#pragma once
// A connection to sway's IPC socket (the i3-compatible protocol): messages
// of a type and a JSON payload, each answered by a reply of the same type;
// after a subscription the compositor sends events (types with the high bit
// set) on the same socket as they happen.

#include <cstdint>
#include <optional>
#include <string>

#include <QByteArray>

namespace tarvo::platform::sway {

enum TSwayMessageType : uint32_t {
    SwayRunCommand = 0,
    SwaySubscribe = 2,
    SwayGetConfig = 9,
    SwayWorkspaceEvent = 0x80000000, // also tells of a reload of the config
    SwayBindingEvent = 0x80000005,
};

struct TSwayMessage {
    uint32_t Type = 0;
    QByteArray Payload;
};

class TSwayConnection {
public:
    // Connects to the socket; raises EWindowSystemError when it cannot.
    explicit TSwayConnection(const std::string& socketPath);
    ~TSwayConnection();
    TSwayConnection(const TSwayConnection&) = delete;
    TSwayConnection& operator=(const TSwayConnection&) = delete;

    // The socket, for watching it in an event loop.
    int Descriptor() const { return socket_; }

    // Sends the message and waits for its reply, whose payload it returns.
    // Events that arrive before the reply are dropped: a connection that
    // both subscribes and asks reads its events with Read instead. Raises
    // EWindowSystemError when the connection broke or sway did not answer
    // within a few seconds.
    QByteArray Request(uint32_t type, const QByteArray& payload);
    void Send(uint32_t type, const QByteArray& payload);
    // The next message, once it has arrived; nullopt when none has within
    // timeoutMs (0: only what can be read without waiting). Raises
    // EWindowSystemError when the connection broke.
    std::optional<TSwayMessage> Read(int timeoutMs);

private:
    std::optional<TSwayMessage> TakeBufferedMessage();

    int socket_ = -1;
    QByteArray buffer_; // bytes read that do not yet make a whole message
};

} // namespace tarvo::platform::sway
