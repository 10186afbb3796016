#include "platform/sway/swayconnection.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/errors.h"

namespace tarvo::platform::sway {

namespace {

constexpr char Magic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr int HeaderSize = sizeof Magic + 2 * sizeof(uint32_t);
// A compositor answers a local request at once; one that does not within
// this time hangs, and the program must not hang with it.
constexpr int ReplyTimeoutMs = 5000;

[[noreturn]] void RaiseBroken(const char* what)
{
    throw EWindowSystemError(std::string("the connection to sway broke (") + what + ": " + std::strerror(errno) + ")");
}

} // namespace

TSwayConnection::TSwayConnection(const std::string& socketPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path)
        throw EWindowSystemError("sway's socket cannot be reached (SWAYSOCK=" + socketPath + ")");
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0 || ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        const std::string reason = std::strerror(errno);
        if (socket_ >= 0)
            ::close(socket_);
        throw EWindowSystemError("sway's socket cannot be reached (SWAYSOCK=" + socketPath + ": " + reason + ")");
    }
}

TSwayConnection::~TSwayConnection()
{
    ::close(socket_);
}

void TSwayConnection::Send(uint32_t type, const QByteArray& payload)
{
    QByteArray message(Magic, sizeof Magic);
    const uint32_t header[] = {static_cast<uint32_t>(payload.size()), type};
    message.append(reinterpret_cast<const char*>(header), sizeof header);
    message.append(payload);
    for (qsizetype sent = 0; sent < message.size();) {
        const ssize_t written = ::send(socket_, message.constData() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (written < 0 && errno != EINTR)
            RaiseBroken("send");
        sent += written > 0 ? written : 0;
    }
}

QByteArray TSwayConnection::Request(uint32_t type, const QByteArray& payload)
{
    Send(type, payload);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ReplyTimeoutMs);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        std::optional<TSwayMessage> message = Read(static_cast<int>(std::max<int64_t>(left.count(), 0)));
        if (!message)
            throw EWindowSystemError("sway did not answer a request");
        if (message->Type == type)
            return message->Payload;
    }
}

std::optional<TSwayMessage> TSwayConnection::Read(int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (std::optional<TSwayMessage> message = TakeBufferedMessage())
            return message;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd watched{socket_, POLLIN, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(std::max<int64_t>(left.count(), 0)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            RaiseBroken("poll");
        if (ready == 0)
            return std::nullopt;
        char bytes[4096];
        const ssize_t received = ::recv(socket_, bytes, sizeof bytes, 0);
        if (received < 0 && errno == EINTR)
            continue;
        if (received == 0)
            errno = ECONNRESET;
        if (received <= 0)
            RaiseBroken("recv");
        buffer_.append(bytes, received);
    }
}

std::optional<TSwayMessage> TSwayConnection::TakeBufferedMessage()
{
    if (buffer_.size() < HeaderSize)
        return std::nullopt;
    if (std::memcmp(buffer_.constData(), Magic, sizeof Magic) != 0) {
        errno = EPROTO;
        RaiseBroken("message");
    }
    uint32_t header[2];
    std::memcpy(header, buffer_.constData() + sizeof Magic, sizeof header);
    if (buffer_.size() - HeaderSize < static_cast<qsizetype>(header[0]))
        return std::nullopt;
    TSwayMessage message{header[1], buffer_.mid(HeaderSize, header[0])};
    buffer_.remove(0, HeaderSize + header[0]);
    return message;
}

} // namespace tarvo::platform::sway
