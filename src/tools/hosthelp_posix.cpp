#include "tools/hosthelp.h"

namespace tarvo::tools {

const char* const ExecAndListenHelp =
    "  tvotool exec FILE NAME   run the commands of the first hotkey named NAME in the hotkey\n"
    "                           file FILE, as its key would (windows are searched and shown\n"
    "                           only when an X server is reachable)\n"
    "  tvotool listen FILE      register every hotkey of the hotkey file FILE system-wide, as\n"
    "                           Tarvo does, and run its commands when its keys are pressed,\n"
    "                           until SIGINT (Ctrl+C) or SIGTERM; a combination that cannot be\n"
    "                           registered is reported on standard error. Needs an X server,\n"
    "                           or in a Wayland session sway, a desktop portal with global\n"
    "                           shortcuts, or GNOME (whose keys run tvotool exec FILE NAME).\n";

const char* const CheckHelp =
    "  tvotool check FILE       list every hotkey of the hotkey file FILE whose combination is\n"
    "                           held already, and by whom: the desktop's shortcuts (KDE, GNOME,\n"
    "                           Cinnamon, MATE, Xfce), a running sxhkd or xbindkeys, another\n"
    "                           running Tarvo, another hotkey of FILE; registers nothing. The\n"
    "                           exit status is 2 when one is held\n";

} // namespace tarvo::tools
