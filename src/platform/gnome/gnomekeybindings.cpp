#include "platform/gnome/gnomekeybindings.h"

#include <gio/gio.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <map>
#include <memory>
#include <set>

#include "platform/xkbkeynames.h"

namespace tarvo::platform::gnome {

namespace {

constexpr const char* ListSchema = "org.gnome.settings-daemon.plugins.media-keys";
constexpr const char* EntrySchema = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
constexpr const char* ListKey = "custom-keybindings";
constexpr const char* EntryDirectory = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/";
// The marker of the program's entries: the last part of their path is
// "tarvo-PID-NAME".
constexpr std::string_view Marker = "tarvo-";

struct TUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using TSettings = std::unique_ptr<GSettings, TUnref>;

TSettings ListSettings()
{
    return TSettings(g_settings_new(ListSchema));
}

TSettings EntrySettings(const std::string& path)
{
    return TSettings(g_settings_new_with_path(EntrySchema, path.c_str()));
}

std::string EntryString(const std::string& path, const char* key)
{
    gchar* value = g_settings_get_string(EntrySettings(path).get(), key);
    std::string text = value;
    g_free(value);
    return text;
}

std::vector<std::string> EntryPaths()
{
    gchar** paths = g_settings_get_strv(ListSettings().get(), ListKey);
    std::vector<std::string> list(paths, paths + g_strv_length(paths));
    g_strfreev(paths);
    return list;
}

void SetEntryPaths(const std::vector<std::string>& list)
{
    std::vector<const gchar*> paths;
    for (const std::string& path : list)
        paths.push_back(path.c_str());
    paths.push_back(nullptr);
    g_settings_set_strv(ListSettings().get(), ListKey, paths.data());
}

// The process that made the entry, for the program's own entries.
std::optional<pid_t> MakerOf(const std::string& path)
{
    if (!path.starts_with(EntryDirectory))
        return std::nullopt;
    const std::string_view part = std::string_view(path).substr(std::string_view(EntryDirectory).size());
    if (!part.starts_with(Marker))
        return std::nullopt;
    const std::string rest(part.substr(Marker.size()));
    if (rest.empty() || !std::isdigit(static_cast<unsigned char>(rest.front())))
        return std::nullopt;
    return static_cast<pid_t>(std::stol(rest));
}

// The accelerator in one spelling, to compare: the modifiers by one name
// each, sorted, then the key, in lower case ("<Primary><Alt>E" and
// "<Alt><Control>e" are the same).
std::string CanonicalAccelerator(const std::string& accelerator)
{
    static const std::map<std::string, std::string> aliases{{"primary", "control"}, {"ctrl", "control"},
                                                            {"ctl", "control"},     {"mod1", "alt"},
                                                            {"mod4", "super"},      {"shft", "shift"}};
    std::string lower = accelerator;
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return std::tolower(c); });
    std::set<std::string> modifiers;
    size_t at = 0;
    while (at < lower.size() && lower[at] == '<') {
        const size_t end = lower.find('>', at);
        if (end == std::string::npos)
            break;
        const std::string name = lower.substr(at + 1, end - at - 1);
        const auto alias = aliases.find(name);
        modifiers.insert(alias == aliases.end() ? name : alias->second);
        at = end + 1;
    }
    std::string canonical;
    for (const std::string& modifier : modifiers)
        canonical += "<" + modifier + ">";
    return canonical + lower.substr(at);
}

bool ProcessEnded(pid_t pid)
{
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

std::optional<std::string> GnomeAccelerator(THotKeyCombination combination)
{
    if (combination.VirtualKey == 0)
        return std::nullopt;
    std::optional<std::string> name = XkbKeyName(combination.VirtualKey);
    if (!name)
        return std::nullopt;
    // A letter's keysym is the small one; the capital would need Shift.
    if (name->size() == 1)
        name->front() = static_cast<char>(std::tolower(static_cast<unsigned char>(name->front())));
    std::string accelerator;
    if (combination.Modifiers & HotKeyModControl)
        accelerator += "<Control>";
    if (combination.Modifiers & HotKeyModAlt)
        accelerator += "<Alt>";
    if (combination.Modifiers & HotKeyModShift)
        accelerator += "<Shift>";
    return accelerator + *name;
}

bool GnomeOffersCustomKeybindings()
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return false;
    for (const char* id : {ListSchema, EntrySchema}) {
        GSettingsSchema* schema = g_settings_schema_source_lookup(source, id, TRUE);
        if (!schema)
            return false;
        g_settings_schema_unref(schema);
    }
    return true;
}

TGnomeHotKeys::TGnomeHotKeys()
{
    std::vector<std::string> leftovers;
    for (const std::string& path : EntryPaths())
        if (const std::optional<pid_t> maker = MakerOf(path); maker && ProcessEnded(*maker))
            leftovers.push_back(path);
    Remove(leftovers);
}

TGnomeHotKeys::~TGnomeHotKeys()
{
    std::vector<std::string> paths;
    for (const TRegistration& registration : registrations_)
        if (!registration.Path.empty())
            paths.push_back(registration.Path);
    Remove(paths);
}

THotKeyResult TGnomeHotKeys::Register(IHotKeyOwner& owner, uint16_t id, THotKeyCombination combination,
                                      const THotKeyLabel& label)
{
    const auto held = std::ranges::find_if(registrations_, [&](const TRegistration& registration) {
        return registration.Owner == &owner && registration.Id == id;
    });
    if (held != registrations_.end() && held->Combination == combination && held->Label == label)
        return THotKeyResult::Registered;
    Unregister(owner, id);
    const std::optional<std::string> accelerator = GnomeAccelerator(combination);
    if (combination.VirtualKey != 0 && !accelerator)
        return THotKeyResult::UnknownKey;
    std::string path;
    if (accelerator) {
        // Without a command, a keybinding could run nothing.
        if (label.Command.empty())
            return THotKeyResult::Unavailable;
        std::vector<std::string> list = EntryPaths();
        if (std::ranges::any_of(list, [&](const std::string& entry) {
                return CanonicalAccelerator(EntryString(entry, "binding")) == CanonicalAccelerator(*accelerator);
            }))
            return THotKeyResult::Taken;
        path = std::string(EntryDirectory) + std::string(Marker) + std::to_string(::getpid()) + "-"
            + PlainLabelName(label, id) + "/";
        std::string command;
        for (const std::string& argument : label.Command) {
            gchar* quoted = g_shell_quote(argument.c_str());
            command += (command.empty() ? "" : " ") + std::string(quoted);
            g_free(quoted);
        }
        const TSettings entry = EntrySettings(path);
        g_settings_set_string(entry.get(), "name", ("Tarvo: " + label.Description).c_str());
        g_settings_set_string(entry.get(), "command", command.c_str());
        g_settings_set_string(entry.get(), "binding", accelerator->c_str());
        list.push_back(path);
        SetEntryPaths(list);
        // Settings are written in the background otherwise.
        g_settings_sync();
    }
    registrations_.push_back({&owner, id, combination, label, std::move(path)});
    return THotKeyResult::Registered;
}

void TGnomeHotKeys::Unregister(IHotKeyOwner& owner, uint16_t id)
{
    const auto held = std::ranges::find_if(registrations_, [&](const TRegistration& registration) {
        return registration.Owner == &owner && registration.Id == id;
    });
    if (held == registrations_.end())
        return;
    if (!held->Path.empty())
        Remove({held->Path});
    registrations_.erase(held);
}

void TGnomeHotKeys::UnregisterAll(IHotKeyOwner& owner)
{
    std::vector<std::string> paths;
    for (const TRegistration& registration : registrations_)
        if (registration.Owner == &owner && !registration.Path.empty())
            paths.push_back(registration.Path);
    Remove(paths);
    std::erase_if(registrations_, [&](const TRegistration& registration) { return registration.Owner == &owner; });
}

void TGnomeHotKeys::Remove(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    std::vector<std::string> list = EntryPaths();
    std::erase_if(list, [&](const std::string& path) { return std::ranges::find(paths, path) != paths.end(); });
    SetEntryPaths(list);
    for (const std::string& path : paths) {
        const TSettings entry = EntrySettings(path);
        for (const char* key : {"name", "command", "binding"})
            g_settings_reset(entry.get(), key);
    }
    g_settings_sync();
}

} // namespace tarvo::platform::gnome
