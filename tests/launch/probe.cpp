// A program for the launch tests to start.
//
//   launch_probe REPORT [ARG...]   writes its working directory, its open
//                                  descriptors and its arguments to REPORT
//   launch_probe --window TITLE    shows a top-level window titled TITLE that
//                                  names this process in _NET_WM_PID
//   launch_probe --startup-window TITLE
//                                  the same, but the window carries the id of
//                                  DESKTOP_STARTUP_ID in _NET_STARTUP_ID and
//                                  names the parent process in _NET_WM_PID
// A window lives until its connection is killed, 30 seconds at most.
#include <dirent.h>
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// One line each: "cwd PATH", "fds 0 1 2", then "arg TEXT" per argument.
int Report(const char* reportFile, int count, char** arguments)
{
    std::string fds;
    DIR* directory = ::opendir("/proc/self/fd");
    while (dirent* entry = ::readdir(directory))
        if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != ::dirfd(directory))
            fds += std::string(" ") + entry->d_name;
    ::closedir(directory);
    // Written beside and renamed, so that the test never reads half a report.
    const std::string partial = std::string(reportFile) + ".partial";
    {
        std::ofstream out(partial);
        out << "cwd " << std::filesystem::current_path().string() << "\nfds" << fds << "\n";
        for (int i = 0; i < count; ++i)
            out << "arg " << arguments[i] << "\n";
    }
    std::filesystem::rename(partial, reportFile);
    return 0;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

void SetText(xcb_connection_t* c, xcb_window_t window, const char* property, const char* text)
{
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Atom(c, property), Atom(c, "UTF8_STRING"), 8,
                        std::strlen(text), text);
}

int ShowWindow(const char* title, bool startupId)
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 10, 10, 200, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, 0, nullptr);
    const uint32_t pid = static_cast<uint32_t>(startupId ? ::getppid() : ::getpid());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    SetText(c, window, "_NET_WM_NAME", title);
    if (startupId)
        SetText(c, window, "_NET_STARTUP_ID", std::getenv("DESKTOP_STARTUP_ID"));
    xcb_map_window(c, window);
    xcb_flush(c);
    pollfd server{xcb_get_file_descriptor(c), POLLIN, 0};
    while (!xcb_connection_has_error(c) && ::poll(&server, 1, 30000) > 0)
        while (xcb_generic_event_t* event = xcb_poll_for_event(c))
            std::free(event);
    xcb_disconnect(c);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--window") == 0)
        return ShowWindow(argv[2], false);
    if (argc == 3 && std::strcmp(argv[1], "--startup-window") == 0 && std::getenv("DESKTOP_STARTUP_ID"))
        return ShowWindow(argv[2], true);
    if (argc >= 2)
        return Report(argv[1], argc - 2, argv + 2);
    return 2;
}
