#include "tools/hosthelp.h"

namespace tarvo::tools {

const char* const ExecAndListenHelp =
    "  tvotool exec FILE NAME   run the commands of the first hotkey named NAME in the hotkey\n"
    "                           file FILE, as its key would\n"
    "  tvotool listen FILE      register every hotkey of the hotkey file FILE system-wide, as\n"
    "                           Tarvo does, and run its commands when its keys are pressed,\n"
    "                           until Ctrl+C or Ctrl+Break; a combination that cannot be\n"
    "                           registered is reported on standard error\n";

const char* const CheckHelp =
    "  tvotool check FILE       list every hotkey of the hotkey file FILE whose combination is\n"
    "                           held already by another hotkey of FILE; registers nothing. The\n"
    "                           exit status is 2 when one is held\n";

} // namespace tarvo::tools
