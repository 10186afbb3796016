// Starting programs of their own and reaping them when they end.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "platform/childreaper.h"
#include "platform/launcher.h"
#include "platform/linux/detachedprocess.h"
#include "support/testsupport.h"

using namespace tarvo::platform;
using tarvo::testsupport::ReadTextFile;
using tarvo::testsupport::TempDir;
using tarvo::testsupport::WriteTextFile;

namespace {

// Reaps whenever the reaper's descriptor wakes up, as the session's event
// loop does, until no started child is left; false when one keeps running.
bool ReapOnWakeUps()
{
    TChildReaper& reaper = ChildReaper();
    for (int i = 0; i < 500 && reaper.Children() > 0; ++i) {
        pollfd watched{reaper.Descriptor(), POLLIN, 0};
        if (::poll(&watched, 1, 10) > 0)
            reaper.ReapEnded();
    }
    return reaper.Children() == 0;
}

TEST(StartDetached, ReapsItsOwnChildrenAndLeavesOthersAlone)
{
    pid_t other = 0;
    char* otherArgv[] = {const_cast<char*>("true"), nullptr};
    ASSERT_EQ(::posix_spawn(&other, "/bin/true", nullptr, nullptr, otherArgv, environ), 0);
    const pid_t started = StartDetached({"/bin/sh", {"sh", "-c", "exit 3"}, ""});
    EXPECT_TRUE(ReapOnWakeUps());
    EXPECT_EQ(::waitpid(started, nullptr, WNOHANG), -1) << "reaped";
    EXPECT_EQ(::waitpid(other, nullptr, 0), other) << "left to the code that started it";
}

TEST(StartDetached, RunsInASessionOfItsOwnWithDefaultSignals)
{
    TempDir dir;
    const std::string report = dir.File("report");
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGINT, &ignore, &previous);
    sigset_t blocked, previousMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    ::sigprocmask(SIG_BLOCK, &blocked, &previousMask);
    const pid_t started =
        StartDetached({"/bin/sh", {"sh", "-c", "exec cat /proc/self/status /proc/self/stat > '" + report + "'"}, ""});
    ::sigaction(SIGINT, &previous, nullptr);
    ::sigprocmask(SIG_SETMASK, &previousMask, nullptr);
    ASSERT_TRUE(ReapOnWakeUps());

    std::istringstream lines(ReadTextFile(report));
    std::string line, session;
    unsigned long long blockedMask = ~0ULL, ignoredMask = ~0ULL;
    while (std::getline(lines, line)) {
        if (line.rfind("SigBlk:", 0) == 0)
            blockedMask = std::stoull(line.substr(7), nullptr, 16);
        if (line.rfind("SigIgn:", 0) == 0)
            ignoredMask = std::stoull(line.substr(7), nullptr, 16);
        if (line.rfind(std::to_string(started) + " (", 0) == 0)
            std::istringstream(line.substr(line.rfind(')') + 2)) >> session >> session >> session >> session;
    }
    EXPECT_EQ(blockedMask, 0u);
    // The C library keeps its own two signals (32, 33) ignored in the child.
    EXPECT_EQ(ignoredMask & ~(3ULL << 31), 0u);
    EXPECT_EQ(session, std::to_string(started)) << "session id";
}

TEST(StartDetached, ReportsWhatCouldNotBeStarted)
{
    TempDir dir;
    const std::string notExecutable = dir.File("data");
    WriteTextFile(notExecutable, "data\n");
    ::chmod(notExecutable.c_str(), 0644);
    const struct {
        TLaunchPlan plan;
        std::string english;
        std::string german;
    } cases[] = {
        {{"/bin/true", {"true"}, dir.File("missing")},
         "cannot start \"/bin/true\" in \"" + dir.File("missing") + "\": No such file or directory",
         "\"/bin/true\" kann nicht in \"" + dir.File("missing")
             + "\" gestartet werden: Datei oder Verzeichnis nicht gefunden"},
        {{notExecutable, {"data"}, dir.Path().string()},
         "cannot start \"" + notExecutable + "\": Permission denied",
         "\"" + notExecutable + "\" kann nicht gestartet werden: Zugriff verweigert"},
    };
    for (const auto& c : cases) {
        try {
            StartDetached(c.plan);
            ADD_FAILURE() << c.english;
        } catch (const ELaunchError& error) {
            EXPECT_EQ(error.Reason.English, c.english);
            EXPECT_EQ(error.Reason.German, c.german);
        }
    }
    EXPECT_EQ(ChildReaper().Children(), 0u);
}

} // namespace
