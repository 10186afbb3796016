#include "app/sessionhost.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <string>

#include "app/commandbus.h"
#include "platform/childreaper.h"

namespace tarvo {

namespace {

// SIGINT and SIGTERM, turned into a call on the main thread: the signal
// handler writes a byte into a pipe that the event loop watches.
class TTerminationSignals {
public:
    explicit TTerminationSignals(std::function<void()> onSignal)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            throw ETarvoError(std::string("cannot create the signal pipe: ") + std::strerror(errno));
        readEnd_ = ends[0];
        writeEnd_ = ends[1];
        notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, onSignal = std::move(onSignal)] {
            char bytes[16];
            while (::read(readEnd_, bytes, sizeof bytes) > 0) { }
            onSignal();
        });
        struct sigaction action { };
        action.sa_handler = &Handler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGINT, &action, &previousInt_);
        ::sigaction(SIGTERM, &action, &previousTerm_);
    }

    ~TTerminationSignals()
    {
        ::sigaction(SIGINT, &previousInt_, nullptr);
        ::sigaction(SIGTERM, &previousTerm_, nullptr);
        notifier_.reset();
        ::close(readEnd_);
        ::close(writeEnd_);
    }

    TTerminationSignals(const TTerminationSignals&) = delete;
    TTerminationSignals& operator=(const TTerminationSignals&) = delete;

private:
    static void Handler(int /*signal*/)
    {
        const int savedErrno = errno;
        const char byte = 1;
        // A full pipe already holds a wake-up, so a failed write loses nothing.
        const ssize_t written = ::write(writeEnd_, &byte, 1);
        (void)written;
        errno = savedErrno;
    }

    static inline int writeEnd_ = -1; // read by the signal handler
    int readEnd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousInt_ { };
    struct sigaction previousTerm_ { };
};

} // namespace

struct TSessionHost::TState {
    explicit TState(std::function<void()> onEndRequested) : Termination(std::move(onEndRequested)) { }

    TTerminationSignals Termination;
    // Started programs are reaped as they end, not only at the next start.
    QSocketNotifier ChildReaping{platform::ChildReaper().Descriptor(), QSocketNotifier::Read};
};

TSessionHost::TSessionHost(std::function<void()> onEndRequested)
    : state_(std::make_unique<TState>(std::move(onEndRequested)))
{
    QObject::connect(&state_->ChildReaping, &QSocketNotifier::activated, [] { platform::ChildReaper().ReapEnded(); });
}

TSessionHost::~TSessionHost() = default;

std::unique_ptr<QObject> TSessionHost::ServeCommands(THotKeyRegistrar& registrar, TCommandHandlers handlers)
{
    return std::make_unique<TCommandBus>(registrar, std::move(handlers));
}

} // namespace tarvo
