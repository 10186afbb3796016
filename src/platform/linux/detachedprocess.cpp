#include "platform/linux/detachedprocess.h"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/childreaper.h"
#include "platform/launcher.h"

namespace tarvo::platform {

namespace {

// The settings of a start: a session of its own, every signal at its
// default disposition and none blocked.
class TSpawnAttributes {
public:
    TSpawnAttributes()
    {
        posix_spawnattr_init(&attributes_);
        sigset_t signals;
        sigfillset(&signals);
        posix_spawnattr_setsigdefault(&attributes_, &signals);
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes_, &signals);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    }
    ~TSpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    TSpawnAttributes(const TSpawnAttributes&) = delete;
    TSpawnAttributes& operator=(const TSpawnAttributes&) = delete;
    const posix_spawnattr_t* Get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

// What the child does before it runs the program: change to the plan's
// directory and close every descriptor above standard error.
class TSpawnActions {
public:
    explicit TSpawnActions(const TLaunchPlan& plan)
    {
        posix_spawn_file_actions_init(&actions_);
        if (!plan.Directory.empty())
            posix_spawn_file_actions_addchdir_np(&actions_, plan.Directory.c_str());
        posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
    }
    ~TSpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    TSpawnActions(const TSpawnActions&) = delete;
    TSpawnActions& operator=(const TSpawnActions&) = delete;
    const posix_spawn_file_actions_t* Get() const { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

// The cause of a failed start in both languages: the C library's text, and
// for the causes a start meets a German one of its own, since the C
// library's German texts are rarely installed.
TUserText SystemErrorText(int error)
{
    static constexpr struct {
        int Error;
        const char* German;
    } GermanTexts[] = {
        {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
        {EACCES, "Zugriff verweigert"},
        {EPERM, "Vorgang nicht erlaubt"},
        {ENOEXEC, "das Format der Programmdatei ist unbekannt"},
        {ENOTDIR, "ein Teil des Pfades ist kein Verzeichnis"},
        {EISDIR, "ist ein Verzeichnis"},
        {E2BIG, "die Argumentliste ist zu lang"},
        {ENAMETOOLONG, "der Dateiname ist zu lang"},
        {ELOOP, "zu viele Ebenen symbolischer Verknüpfungen"},
        {ETXTBSY, "die Programmdatei wird gerade beschrieben"},
        {ENOMEM, "nicht genügend Speicher"},
        {EAGAIN, "die Ressource ist zur Zeit nicht verfügbar"},
        {EMFILE, "zu viele offene Dateien"},
    };
    const auto* found = std::find_if(std::begin(GermanTexts), std::end(GermanTexts),
                                     [error](const auto& text) { return text.Error == error; });
    return {std::strerror(error),
            found != std::end(GermanTexts) ? found->German : "Systemfehler " + std::to_string(error)};
}

// The C library reports a failed directory change and a failed execution
// with the same error number; the directory is to blame when it cannot be
// entered.
ELaunchError StartError(const TLaunchPlan& plan, int error)
{
    if (!plan.Directory.empty() && ::access(plan.Directory.c_str(), X_OK) != 0) {
        const TUserText cause = SystemErrorText(errno);
        return ELaunchError(
            {"cannot start \"" + plan.Program + "\" in \"" + plan.Directory + "\": " + cause.English,
             "\"" + plan.Program + "\" kann nicht in \"" + plan.Directory + "\" gestartet werden: " + cause.German});
    }
    const TUserText cause = SystemErrorText(error);
    return ELaunchError({"cannot start \"" + plan.Program + "\": " + cause.English,
                         "\"" + plan.Program + "\" kann nicht gestartet werden: " + cause.German});
}

// This program's environment with the variables of changes set or replaced.
std::vector<char*> ChangedEnvironment(const std::vector<std::string>& changes)
{
    std::vector<char*> variables;
    for (char** variable = environ; *variable; ++variable) {
        const std::string_view name(*variable, std::strcspn(*variable, "="));
        const bool replaced = std::any_of(changes.begin(), changes.end(), [name](const std::string& change) {
            return change.size() > name.size() && change.compare(0, name.size(), name) == 0
                && change[name.size()] == '=';
        });
        if (!replaced)
            variables.push_back(*variable);
    }
    for (const auto& change : changes)
        variables.push_back(const_cast<char*>(change.c_str()));
    variables.push_back(nullptr);
    return variables;
}

} // namespace

pid_t StartDetached(const TLaunchPlan& plan, const std::vector<std::string>& environment)
{
    std::vector<char*> argv;
    for (const auto& argument : plan.Arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> variables = ChangedEnvironment(environment);
    const TSpawnAttributes attributes;
    const TSpawnActions actions(plan);
    TChildReaper& reaper = ChildReaper();
    reaper.ReapEnded();
    // The C library starts the child without copying this process's memory
    // and returns the error of the failed step (directory, execution).
    pid_t pid = 0;
    if (const int error =
            ::posix_spawn(&pid, plan.Program.c_str(), actions.Get(), attributes.Get(), argv.data(), variables.data()))
        throw StartError(plan, error);
    reaper.Adopt(pid);
    return pid;
}

} // namespace tarvo::platform
