#pragma once
// Runs the tvotool executable (TVOTOOL_PATH, set by the build) as a user
// would, capturing its exit status and both output streams.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "support/testsupport.h"

namespace tarvo::testsupport {

struct TToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// The text in single quotes for the shell, a single quote in it as '\''.
inline std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs tvotool with the arguments, each quoted for the shell; standard error
// goes through a file in dir.
inline TToolRun RunTool(const std::vector<std::string>& args, const TempDir& dir)
{
    std::string command = ShellQuoted(TVOTOOL_PATH);
    for (const auto& arg : args)
        command += " " + ShellQuoted(arg);
    const std::string errFile = dir.File("stderr.txt");
    command += " 2>'" + errFile + "'";
    TToolRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> chunk{};
    for (size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0;)
        run.out.append(chunk.data(), n);
    run.status = WEXITSTATUS(::pclose(pipe));
    run.err = ReadTextFile(errFile);
    return run;
}

} // namespace tarvo::testsupport
