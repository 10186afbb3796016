#pragma once
// The entries of tvotool's help that depend on the host system: how exec
// finds windows, how listen is ended and what it needs, whom check asks.

namespace tarvo::tools {

extern const char* const ExecAndListenHelp;
extern const char* const CheckHelp;

} // namespace tarvo::tools
